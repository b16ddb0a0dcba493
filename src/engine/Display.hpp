#pragma once
// The window's video mode and resolution emulation, which scales a virtual
// resolution of at least 640 by 480 onto whatever window the machine gives.

#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

namespace KVCore {

constexpr unsigned minimumWidth = 640;
constexpr unsigned minimumHeight = 480;
// The window of a first start, and of a switch from full screen when no
// window was open before.
constexpr unsigned firstRunWidth = 1024;
constexpr unsigned firstRunHeight = 768;

bool createWindow(unsigned width, unsigned height, unsigned bitsPerPixel, bool windowed);
void emulateResolution(unsigned width, unsigned height, bool store);
// Gives the window its default view back and ends emulation.
void stopEmulation();
// Between window and full screen (the desktop's size, or the mode full
// screen had before) with the emulated resolution kept, both written to the
// settings file at once so the next start looks the same.  Without
// emulation the view the screens were drawn in becomes the emulated one, so
// they fill the new window rather than a corner of it.
void toggleFullscreen();

bool emulationActive();
sf::Vector2f emulatedSize();
bool isWindowed();
// The size of the window's current view, in view units.
sf::Vector2f viewSize();

// Setters the debug menu uses.
void setFrameRateLimit(unsigned limit);
void setVerticalSync(bool enabled);

} // namespace KVCore
