#pragma once
// How many draw calls reached the graphics driver.  Every drawing the
// engine does ends in SFML handing vertices to OpenGL, so the count is
// taken there and nothing that draws has to remember to count itself.
// Main thread only, like all drawing.
//
// The counter exists in a program that reads it (the benchmark, the
// tests); the game itself never links it in and draws straight through.

#include <cstdint>

namespace platform {

std::uint64_t drawCount();
void resetDrawCount();

} // namespace platform
