#include "Route.hpp"

#include "world/Map.hpp"

#include <array>

namespace bench {
namespace {

struct Leg {
    int frames;
    bool up, down, left, right;
};

// At 3 pixels a frame a row of the field is 260 frames across.
constexpr std::array<Leg, 11> legs = {{
    {220, false, false, false, true},
    {16, false, true, false, false},
    {220, false, false, true, false},
    {16, false, true, false, false},
    {220, false, false, false, true},
    {16, false, true, false, false},
    {220, false, false, true, false},
    {16, false, true, false, false},
    {220, false, false, false, true},
    {160, true, false, true, false},
    {30, false, false, false, false},
}};

constexpr int routeFrames()
{
    int total = 0;
    for (const Leg& leg : legs)
        total += leg.frames;
    return total;
}

} // namespace

HeldKeys mowerKeysAt(std::size_t frame)
{
    int left = static_cast<int>(frame % routeFrames());
    for (const Leg& leg : legs) {
        if (left >= leg.frames) {
            left -= leg.frames;
            continue;
        }
        HeldKeys keys;
        keys[sf::Keyboard::Up] = leg.up;
        keys[sf::Keyboard::Down] = leg.down;
        keys[sf::Keyboard::Left] = leg.left;
        keys[sf::Keyboard::Right] = leg.right;
        return keys;
    }
    return {};
}

sf::Vector2i brushCellAt(std::size_t tick)
{
    const auto step = static_cast<int>(tick % Map::cellCount);
    const int row = step / Map::width;
    const int along = step % Map::width;
    return {row % 2 == 0 ? along : Map::width - 1 - along, row};
}

} // namespace bench
