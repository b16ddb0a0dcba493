#pragma once
// Gamepads read as the keyboard, so that every screen, menu and dialog
// works with one without code of its own: the left stick or the d-pad holds
// the arrow keys and presses them as a key would, repeating while held;
// A, B and Start press Return, Escape and P.

#include <cstdint>

namespace Gamepad {

// Button numbers as the Linux joystick driver gives them for the usual
// two-stick pads.
constexpr unsigned buttonA = 0;
constexpr unsigned buttonB = 1;
constexpr unsigned buttonStart = 7;

// How far from the middle, out of 100, a stick must be pushed to count.
// Worn sticks rest as much as a quarter off centre and must not drive the
// mower on their own; a full diagonal still reaches about 70 on each axis,
// well past this, so all eight headings stay in reach.
constexpr float deadZone = 35.f;

// A held direction repeats after the delay, then at the rate; X's own
// defaults for a held key, so a pad steps through a menu as the keys do.
constexpr double repeatDelay = 0.66;
constexpr double repeatInterval = 0.04;

// The key a pad button presses, or -1 for none.
std::int32_t keyForButton(unsigned button);
// Whether a connected pad holds the arrow key `code` now; false for any
// other key.  Focus is the caller's business.
bool holdsKey(std::int32_t code);
// Once per tick, after the window's events: a press for each direction
// pushed since the last tick and a repeat for those still held.
void pressDirections(double now);
// Forgets held directions; each start of the events poller does.
void reset();

} // namespace Gamepad
