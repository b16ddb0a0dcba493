#include "engine/Gamepad.hpp"

#include "engine/Keyboard.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <array>

namespace Gamepad {
namespace {

struct Direction {
    sf::Keyboard::Key key;
    sf::Joystick::Axis stick;
    sf::Joystick::Axis pad;
    float sign;
};

// On Linux both the stick and the d-pad read negative for up and left.
constexpr std::array<Direction, 4> directions{{
    {sf::Keyboard::Left, sf::Joystick::X, sf::Joystick::PovX, -1.f},
    {sf::Keyboard::Right, sf::Joystick::X, sf::Joystick::PovX, 1.f},
    {sf::Keyboard::Up, sf::Joystick::Y, sf::Joystick::PovY, -1.f},
    {sf::Keyboard::Down, sf::Joystick::Y, sf::Joystick::PovY, 1.f},
}};

// Which directions were held at the last tick and when each repeats next;
// emptied by reset when the events poller starts.
struct PushState {
    std::array<bool, directions.size()> held{};
    std::array<double, directions.size()> nextRepeat{};
};
PushState state;

bool anyPadHolds(const Direction& d)
{
    const KVCore::WindowBackend& w = KVCore::window();
    for (unsigned pad = 0; pad < sf::Joystick::Count; ++pad) {
        if (!w.joystickConnected(pad))
            continue;
        if (d.sign * w.joystickAxis(pad, d.stick) > deadZone || d.sign * w.joystickAxis(pad, d.pad) > deadZone)
            return true;
    }
    return false;
}

} // namespace

std::int32_t keyForButton(unsigned button)
{
    switch (button) {
    case buttonA: return sf::Keyboard::Return;
    case buttonB: return sf::Keyboard::Escape;
    case buttonStart: return sf::Keyboard::P;
    default: return -1;
    }
}

bool holdsKey(std::int32_t code)
{
    for (const Direction& d : directions)
        if (d.key == code)
            return anyPadHolds(d);
    return false;
}

void pressDirections(double now)
{
    for (std::size_t i = 0; i < directions.size(); ++i) {
        const bool held = anyPadHolds(directions[i]);
        if (held && !state.held[i]) {
            Keyboard::addPressedKey(directions[i].key);
            state.nextRepeat[i] = now + repeatDelay;
        } else if (held && now >= state.nextRepeat[i]) {
            Keyboard::addPressedKey(directions[i].key);
            // One repeat per tick at most: a long frame is no burst of steps.
            state.nextRepeat[i] += repeatInterval;
            if (state.nextRepeat[i] <= now)
                state.nextRepeat[i] = now + repeatInterval;
        }
        state.held[i] = held;
    }
}

void reset() { state = PushState{}; }

} // namespace Gamepad
