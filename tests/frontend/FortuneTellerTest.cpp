// The fortune teller: its sayings, the C, O, O, L word that calls it, and
// the saying rand() picks.
#include "frontend/FortuneTeller.hpp"

#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

using K = sf::Keyboard;

struct TypedCase {
    std::vector<sf::Keyboard::Key> keys;
    int stateAfter;
    int told;
};

TEST(FortuneTellerTest, OnlyCoolTellsAFortuneWhateverComesBetween)
{
    const TypedCase cases[] = {
        {{K::C, K::O, K::O, K::L}, 0, 1},
        {{K::C, K::O, K::O, K::L, K::C, K::O, K::O, K::L}, 0, 2},
        {{K::C, K::O, K::L}, 2, 0},
        {{K::O, K::O, K::L}, 0, 0},                              // O counts only after C
        {{K::C, K::O, K::O, K::O, K::L}, 0, 1},                  // a third O is one too many, and ignored
        {{K::C, K::O, K::C, K::O, K::L}, 0, 1},                  // C does not start the word again
        {{K::C, K::X, K::O, K::Space, K::O, K::Return, K::L}, 0, 1},
        {{K::C, K::O, K::O, K::Escape}, 3, 0},
    };
    for (const TypedCase& c : cases) {
        int state = 0, told = 0;
        for (sf::Keyboard::Key key : c.keys) {
            const Frontend::FortuneKeyResult r = Frontend::fortuneKey(state, key);
            state = r.state;
            told += r.tellFortune ? 1 : 0;
        }
        EXPECT_EQ(state, c.stateAfter) << ::testing::PrintToString(c.keys);
        EXPECT_EQ(told, c.told) << ::testing::PrintToString(c.keys);
    }
}

TEST(FortuneTellerTest, TwentyFiveSayingsInTheirOrder)
{
    const std::vector<std::string> sayings = Frontend::fortuneSayings();
    ASSERT_EQ(sayings.size(), 25u);
    EXPECT_EQ(sayings.front(), "If the swallow flies high, you must cut higher");
    EXPECT_EQ(sayings[2], "The answer you are mowing for is the responsibility of Mr. Ostravel (British beer)");
    EXPECT_EQ(sayings[3], "Hide not your light - get a neon tine!");
    EXPECT_EQ(sayings[21], "Yes");
    EXPECT_EQ(sayings[22], "Mow");
    EXPECT_EQ(sayings.back(), "Hold down MOW in the game for the debug menu :)");
    EXPECT_EQ(std::set<std::string>(sayings.begin(), sayings.end()).size(), 25u) << "no saying twice";
}

TEST(FortuneTellerTest, RandPicksTheSayingShown)
{
    ASSERT_TRUE(test::loadEngineFonts());
    test::FakeWindowScope fake;
    const std::vector<std::string> sayings = Frontend::fortuneSayings();
    std::set<int> picked;
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        std::srand(seed);
        const int expected = std::rand() % 25;
        picked.insert(expected);
        std::srand(seed);
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        Frontend::showFortune();
        EXPECT_FALSE(driver.gaveUp);
        EXPECT_EQ(driver.screens, std::vector<std::string>{"Message: " + sayings[static_cast<std::size_t>(expected)]});
    }
    EXPECT_GT(picked.size(), 1u) << "the seeds should lead to different sayings";
}

} // namespace
