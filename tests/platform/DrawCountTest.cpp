// Draw calls are counted where they reach the driver, whatever drew them.
// Needs the X display the test command provides.
#include "engine/Text.hpp"
#include "platform/DrawCount.hpp"
#include "support/EngineFonts.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Drawing {
    const char* what;
    std::function<void(sf::RenderTarget&, const sf::Texture&)> draw;
    std::uint64_t draws;
};

TEST(DrawCount, EveryDrawThatReachesTheDriverCountsOnce)
{
    ASSERT_TRUE(test::loadEngineFonts());
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    sf::Texture texture;
    ASSERT_TRUE(texture.create(8, 8));

    const std::vector<Drawing> drawings = {
        {"a clear", [](sf::RenderTarget& t, const sf::Texture&) { t.clear(); }, 0},
        {"a sprite", [](sf::RenderTarget& t, const sf::Texture& tex) { t.draw(sf::Sprite(tex)); }, 1},
        {"a filled rectangle", [](sf::RenderTarget& t, const sf::Texture&) { t.draw(sf::RectangleShape({4.f, 4.f})); }, 1},
        {"a rectangle with an outline: fill and outline",
         [](sf::RenderTarget& t, const sf::Texture&) {
             sf::RectangleShape r({4.f, 4.f});
             r.setOutlineThickness(1.f);
             t.draw(r);
         },
         2},
        {"a line of text", [](sf::RenderTarget& t, const sf::Texture&) { t.draw(sf::Text("Mow", Text::standardFont(), 12)); }, 1},
        {"no vertices at all", [](sf::RenderTarget& t, const sf::Texture&) { t.draw(sf::VertexArray(sf::Quads)); }, 0},
        {"three sprites",
         [](sf::RenderTarget& t, const sf::Texture& tex) {
             for (int i = 0; i < 3; ++i)
                 t.draw(sf::Sprite(tex));
         },
         3},
    };
    for (const Drawing& d : drawings) {
        target.setActive(true);
        platform::resetDrawCount();
        d.draw(target, texture);
        EXPECT_EQ(platform::drawCount(), d.draws) << d.what;
    }
    platform::resetDrawCount();
    EXPECT_EQ(platform::drawCount(), 0u);
}

// The count passes the draws on: what is counted is also drawn.
TEST(DrawCount, CountedDrawsStillDraw)
{
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(4, 4));
    target.clear(sf::Color::Black);
    sf::RectangleShape square({4.f, 4.f});
    square.setFillColor(sf::Color::Green);
    target.draw(square);
    target.display();
    EXPECT_EQ(target.getTexture().copyToImage().getPixel(2, 2), sf::Color::Green);
}

} // namespace
