// Where the field goes in the window: as large as the view allows, with the
// Audio Panel button between it and the bar.
#include "game/FieldView.hpp"

#include <gtest/gtest.h>

namespace {

TEST(FieldView, TheFieldFillsTheViewAndLeavesTheButtonRoomAboveTheBar)
{
    constexpr float button = 34.f;
    // 4:3 at 1024 wide: the width decides, and the button fits below.
    const sf::FloatRect usual = Game::fieldDestination({1024.f, 768.f}, button);
    EXPECT_FLOAT_EQ(usual.left, 0.f);
    EXPECT_FLOAT_EQ(usual.top, 0.f);
    EXPECT_FLOAT_EQ(usual.width, 1024.f);
    EXPECT_FLOAT_EQ(usual.height, 655.36f);

    for (const sf::Vector2f view : {sf::Vector2f{1024.f, 768.f}, sf::Vector2f{640.f, 480.f},
                                    sf::Vector2f{1920.f, 1080.f}, sf::Vector2f{1280.f, 1024.f}}) {
        const sf::FloatRect field = Game::fieldDestination(view, button);
        EXPECT_FLOAT_EQ(field.width / field.height, 800.f / 512.f);
        EXPECT_FLOAT_EQ(field.left * 2.f + field.width, view.x) << "centred across";
        EXPECT_LE(field.width, view.x);
        // The button's top is 4 below the field; its bottom stays above the bar.
        EXPECT_LT(field.height + 4.f + button, Game::headsUpBarTop(view)) << view.x << " x " << view.y;
        // Either the width limits it, or it gives up no more height than the button needs.
        const float gapLeft = Game::headsUpBarTop(view) - (field.height + 4.f + button);
        EXPECT_TRUE(field.width == view.x || gapLeft < 2.f) << view.x << " x " << view.y;
    }
}

} // namespace
