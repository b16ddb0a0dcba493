#pragma once
// The window's video mode and resolution emulation, which scales a virtual
// resolution of at least 640 by 480 onto whatever window the machine gives.

#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

namespace KVCore {

constexpr unsigned minimumWidth = 640;
constexpr unsigned minimumHeight = 480;

bool createWindow(unsigned width, unsigned height, unsigned bitsPerPixel, bool windowed);
void emulateResolution(unsigned width, unsigned height, bool store);
// Gives the window its default view back and ends emulation.
void stopEmulation();

bool emulationActive();
sf::Vector2f emulatedSize();
bool isWindowed();
// The size of the window's current view, in view units.
sf::Vector2f viewSize();

// Setters the debug menu uses.
void setFrameRateLimit(unsigned limit);
void setVerticalSync(bool enabled);

} // namespace KVCore
