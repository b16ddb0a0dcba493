#include "frontend/FortuneTeller.hpp"

#include "gui/Dialogs.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <cstdlib>

namespace Frontend {

std::vector<std::string> fortuneSayings()
{
    return {
        "If the swallow flies high, you must cut higher",
        "Only when you can mow in sunglasses",
        "The answer you are mowing for is the responsibility of Mr. Ostravel (British beer)",
        "Hide not your light - get a neon tine!",
        "If that's the best you can mow, mow what you can",
        "Just MOW!",
        "Ask again when you have fully contemplated the size of the meadow",
        "A caged bird mows beautifully, but it is still caged",
        "A task for a thousand men begins and ends with a single mower",
        "If you have to ask, you are not cut out to hear the answer",
        "I should reconsider and mow again",
        "Any time is mowing time",
        "The cut-size filter tip of life is lit by the lighter of destiny",
        "I wouldn't cut there, if I were you",
        "Go ahead, the road is rocky but persistence will be rewarded after breaking your mower",
        "Did you consider superior horse power?",
        "A wise gardener knows when silence is the best orange on the tree",
        "The sliced apple of life is known to contain the maggot of decay",
        "From every lawn comes a butterfly",
        "Mow, be free!",
        "Be more than the sum of your mower's parts",
        "Yes",
        "Mow",
        "It might, but then again, perhaps you shouldn't if you can't cut it",
        "Hold down MOW in the game for the debug menu :)",
    };
}

void showFortune()
{
    const std::vector<std::string> sayings = fortuneSayings();
    const auto pick = static_cast<std::size_t>(std::rand()) % sayings.size();
    kv::showMessage(sayings[pick]);
}

FortuneKeyResult fortuneKey(int state, std::int32_t key)
{
    switch (key) {
    case sf::Keyboard::C: return {state == 0 ? 1 : state, false};
    case sf::Keyboard::O: return {state == 1 || state == 2 ? state + 1 : state, false};
    case sf::Keyboard::L:
        if (state == 3)
            return {0, true};
        return {state, false};
    default: return {state, false};
    }
}

} // namespace Frontend
