#include "engine/Hints.hpp"

#include "gui/Theme.hpp"

#include <algorithm>

namespace KVCore {
namespace {

// The hint list, owned by the core for the whole process.
struct HintState {
    std::vector<Hint> list;
    unsigned autoCounter = 1;
};
HintState state;

std::string nextAutoId()
{
    return "auto:" + std::to_string(++state.autoCounter);
}

} // namespace

void showHint(const std::string& hintKey, sf::Vector2f position, float seconds, const std::string& text)
{
    showHint(hintKey, position, seconds, text, kv::theme::hintTextColour, kv::theme::hintBackColour);
}

void showHint(const std::string& hintKey, sf::Vector2f position, float seconds, const std::string& text,
              sf::Color textColour, sf::Color backColour)
{
    const std::string id = hintKey.empty() ? nextAutoId() : hintKey;
    const auto it = std::find_if(state.list.begin(), state.list.end(), [&](const Hint& h) { return h.id == id; });
    if (it != state.list.end()) {
        it->text = text;
        it->timeToLive = seconds;
        it->position = position;
        it->age = 0;
        return;
    }
    state.list.push_back({text, position, textColour, backColour, id, seconds, 0});
}

void ageHints(float tickDelta)
{
    for (std::size_t i = state.list.size(); i-- > 0;) {
        Hint& h = state.list[i];
        h.timeToLive -= tickDelta;
        if (h.age > 1 && h.timeToLive <= 0.f)
            state.list.erase(state.list.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++h.age;
    }
}

const std::vector<Hint>& hints() { return state.list; }
void clearHints() { state.list.clear(); }

} // namespace KVCore
