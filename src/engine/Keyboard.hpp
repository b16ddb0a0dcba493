#pragma once
// Key presses collected per events-poller tick, typed text, and the table of
// key names.  Key codes are SFML's (-1 unknown, 0..100).

#include <cstdint>
#include <string>
#include <vector>

namespace Keyboard {

constexpr std::size_t maxPressedKeys = 129;

struct KeyName {
    std::int32_t code;
    std::string name;
};

void addPressedKey(std::int32_t code);
// Takes the first press of the code from this tick's list.
bool keyHit(std::int32_t code);
// Held on the keyboard, or an arrow key held on a gamepad.
bool isKeyDown(std::int32_t code);
// Either Control (or Shift) key held now, or pressed during this tick: a
// quick Ctrl+Z may have let go of Control before the tick that sees the Z.
bool controlDown();
bool shiftDown();
void waitKeyRelease(std::int32_t code);
std::string getKeyName(std::int32_t code);

void buildKeyNameTable();
void clearKeyNameTable();
const std::vector<KeyName>& keyNameTable();

const std::vector<std::int32_t>& pressedKeys();
const std::string& typedText();
void appendTypedText(char c);
// Start of a tick: the pressed keys and typed text of the last tick are gone.
void clearTickInput();

} // namespace Keyboard
