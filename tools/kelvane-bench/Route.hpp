#pragma once
// The input the benchmark plays with, as data: the mower's keys frame by
// frame, and the map editor's mouse over the field tick by tick.  Both go
// round and round, so any number of frames has input.

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <bitset>
#include <cstddef>

namespace bench {

using HeldKeys = std::bitset<sf::Keyboard::KeyCount>;

// Back and forth across the field working down it, a diagonal back up and
// a short stop, about 23 seconds at 60 frames a second.
HeldKeys mowerKeysAt(std::size_t frame);

// The cell under the editor's mouse: along each row and back along the
// next, one cell a tick, over the 25 by 16 field.
sf::Vector2i brushCellAt(std::size_t tick);

} // namespace bench
