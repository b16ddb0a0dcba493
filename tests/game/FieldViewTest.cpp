// Where the field goes in the window: as large as the view allows, with the
// Audio Panel button between it and the bar; and what the window shows
// around it.
#include "game/FieldView.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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

// The game frame does not clear the window: black strips around the field
// and the field over them must give the very picture a cleared window gives,
// at the field's fractional edges and whatever the last frame left under
// them.  (The window's own samples are the game screen's test: a surface
// with samples leaves the software driver's buffers behind in the leak
// check.)
TEST(FieldView, AroundTheFieldTheWindowIsAsIfCleared)
{
    sf::Image pattern;
    pattern.create(800, 512);
    for (unsigned y = 0; y < 512; ++y)
        for (unsigned x = 0; x < 800; ++x)
            pattern.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x), static_cast<sf::Uint8>(y), 200));
    sf::Texture field;
    ASSERT_TRUE(field.loadFromImage(pattern));
    field.setSmooth(true);

    const auto picture = [&](sf::Vector2u window, sf::Vector2f view, sf::FloatRect at,
                             const std::function<void(sf::RenderTexture&)>& background) {
        auto target = std::make_unique<sf::RenderTexture>();
        EXPECT_TRUE(target->create(window.x, window.y));
        target->setView(sf::View(sf::FloatRect(0.f, 0.f, view.x, view.y)));
        background(*target);
        sf::Sprite shown(field);
        shown.setPosition(at.left, at.top);
        shown.setScale(at.width / 800.f, at.height / 512.f);
        target->draw(shown, sf::BlendNone);
        target->display();
        return target->getTexture().copyToImage();
    };
    struct Case {
        sf::Vector2u window;
        sf::Vector2f view;
        sf::FloatRect field;
    };
    std::vector<Case> cases;
    for (const sf::Vector2u size : {sf::Vector2u{1024, 768}, sf::Vector2u{640, 480}}) {
        const sf::Vector2f view(static_cast<float>(size.x), static_cast<float>(size.y));
        cases.push_back({size, view, Game::fieldDestination(view, 34.f)});
    }
    // An emulated view wider than the field, scaled onto a larger window,
    // and a field away from every edge.
    const sf::Vector2f emulated(1365.33f, 768.f);
    cases.push_back({{1920, 1080}, emulated, Game::fieldDestination(emulated, 34.f)});
    cases.push_back({{640, 480}, {640.f, 480.f}, {100.5f, 50.25f, 300.3f, 192.7f}});

    for (const Case& c : cases) {
        const sf::Image cleared = picture(c.window, c.view, c.field, [](sf::RenderTexture& t) {
            t.clear(sf::Color::Black);
        });
        const sf::Image covered = picture(c.window, c.view, c.field, [&](sf::RenderTexture& t) {
            t.clear(sf::Color::Magenta);  // the last frame
            Game::clearAroundField(t, c.view, c.field);
        });
        const auto* a = reinterpret_cast<const std::uint32_t*>(cleared.getPixelsPtr());
        const auto* b = reinterpret_cast<const std::uint32_t*>(covered.getPixelsPtr());
        int differing = 0;
        for (std::size_t i = 0; i < std::size_t{c.window.x} * c.window.y; ++i)
            differing += a[i] != b[i];
        EXPECT_EQ(differing, 0) << c.window.x << " x " << c.window.y << ", field at " << c.field.left << ", "
                                << c.field.top;
    }
}

} // namespace
