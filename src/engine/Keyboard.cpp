#include "engine/Keyboard.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Gamepad.hpp"
#include "engine/Log.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"

#include <algorithm>

namespace Keyboard {
namespace {

// The per-tick key stores, filled by the events poller and emptied at the
// start of each tick; the name table is built by KVCore::init.
struct KeyboardState {
    std::vector<std::int32_t> pressed;
    std::string typed;
    std::vector<KeyName> names;
};
KeyboardState state;

const char* const keyNames[] = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "Escape", "left Control", "left Shift", "left Alt", "Left OS system",
    "Right Control", "Right Shift", "Right Alt", "Right OS system", "Menu",
    "[", "]", ";", ",", ".", "'", "/", "\\", "~", "=", "-",
    "Space", "Return", "Backspace", "Tab", "Page up", "Page down", "End", "Home", "Insert", "Delete",
    "+", "-", "*", "/",
    "Left arrow", "Right arrow", "Up arrow", "Down arrow",
    "numpad 0", "numpad 1", "numpad 2", "numpad 3", "numpad 4",
    "numpad 5", "numpad 6", "numpad 7", "numpad 8", "numpad 9",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13", "F14", "F15",
    "Pause",
};
static_assert(std::size(keyNames) == 101);

// Longest a key-release wait may hold the screen, so a stuck key never
// freezes a dialog.
constexpr double releaseWaitSeconds = 0.5;

} // namespace

void addPressedKey(std::int32_t code)
{
    if (code == -1)
        return;
    if (state.pressed.size() >= maxPressedKeys) {
        KVCore::reportError("Keyboard::addPressedKey: Too many pressed keycodes.");
        return;
    }
    state.pressed.push_back(code);
}

bool keyHit(std::int32_t code)
{
    if (code == -1 || !KVCore::window().hasFocus())
        return false;
    const auto it = std::find(state.pressed.begin(), state.pressed.end(), code);
    if (it == state.pressed.end())
        return false;
    state.pressed.erase(it);
    return true;
}

bool isKeyDown(std::int32_t code)
{
    if (code < 0 || code >= sf::Keyboard::KeyCount)
        return false;
    KVCore::WindowBackend& w = KVCore::window();
    return w.hasFocus() && (w.isKeyPressed(static_cast<sf::Keyboard::Key>(code)) || Gamepad::holdsKey(code));
}

namespace {

bool heldOrPressed(sf::Keyboard::Key left, sf::Keyboard::Key right)
{
    const auto pressed = [](sf::Keyboard::Key key) {
        return std::find(state.pressed.begin(), state.pressed.end(), key) != state.pressed.end();
    };
    return isKeyDown(left) || isKeyDown(right) || pressed(left) || pressed(right);
}

} // namespace

bool controlDown() { return heldOrPressed(sf::Keyboard::LControl, sf::Keyboard::RControl); }
bool shiftDown() { return heldOrPressed(sf::Keyboard::LShift, sf::Keyboard::RShift); }

void waitKeyRelease(std::int32_t code)
{
    const double start = KVCore::timeSource().seconds();
    while (isKeyDown(code)) {
        KVCore::pollEvents();
        if (KVCore::timeSource().seconds() - start >= releaseWaitSeconds)
            break;
    }
}

std::string getKeyName(std::int32_t code)
{
    for (const KeyName& k : state.names)
        if (k.code == code)
            return k.name;
    return {};
}

void buildKeyNameTable()
{
    state.names.clear();
    state.names.push_back({-1, ""});
    for (std::int32_t code = 0; code < static_cast<std::int32_t>(std::size(keyNames)); ++code)
        state.names.push_back({code, keyNames[code]});
}

void clearKeyNameTable() { state.names.clear(); }

const std::vector<KeyName>& keyNameTable() { return state.names; }
const std::vector<std::int32_t>& pressedKeys() { return state.pressed; }
const std::string& typedText() { return state.typed; }
void appendTypedText(char c) { state.typed.push_back(c); }

void clearTickInput()
{
    state.pressed.clear();
    state.typed.clear();
}

} // namespace Keyboard
