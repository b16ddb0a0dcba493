#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "gui/Toolbar.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

namespace {

class ToolbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        test::loadEngineArt();
        Keyboard::buildKeyNameTable();
        KVCore::startPoller();
        spacing = Text::standardLineSpacing(18);
    }

    void tick()
    {
        fake.time.advance(0.05);
        KVCore::pollEvents();
        ASSERT_TRUE(KVCore::tickFlag());
    }

    std::string hintText(const std::string& key)
    {
        for (const KVCore::Hint& h : KVCore::hints())
            if (h.id == key)
                return h.text;
        return {};
    }

    test::FakeWindowScope fake;
    float spacing = 0.f;
};

TEST_F(ToolbarTest, ButtonsStandFourApartAndSixteenAfterASeparator)
{
    kv::Toolbar bar;
    bar.create({10.f, 20.f});
    EXPECT_EQ(bar.getSize(), sf::Vector2f((spacing + 48.f) * 3.f, spacing + 48.f));

    bar.addButton("Pen", 1, sf::Keyboard::P);
    bar.addButton("Fill", 2, sf::Keyboard::F);
    bar.addSeparator();
    bar.addButton("Undo", 3, sf::Keyboard::U);
    ASSERT_EQ(bar.buttons.size(), 4u);
    const auto x = [&](std::size_t i) { return bar.buttons[i].getPosition().x; };
    EXPECT_FLOAT_EQ(x(0), 12.f);
    EXPECT_FLOAT_EQ(x(1), x(0) + 32.f + 4.f);
    EXPECT_FLOAT_EQ(x(2), x(1) + 32.f + 4.f);
    EXPECT_FLOAT_EQ(x(3), x(2) + 12.f + 16.f);
    for (const kv::Button& b : bar.buttons)
        EXPECT_FLOAT_EQ(b.getPosition().y, 20.f + spacing + 8.f);

    // Faded out, neither the frame nor its buttons show.
    const sf::Image image = test::drawnPicture({300, 150}, sf::Color::Black, [&] {
        bar.setAlpha(0);
        bar.draw();
    });
    int shown = 0;
    for (unsigned y = 0; y < 150; ++y)
        for (unsigned x = 0; x < 300; ++x)
            shown += image.getPixel(x, y) != sf::Color::Black;
    EXPECT_EQ(shown, 0);

    // Buttons still work through the toolbar.
    fake.window.pressKey(sf::Keyboard::U);
    tick();
    bar.update();
    EXPECT_TRUE(bar.buttons[3].clicked);
    EXPECT_FALSE(bar.buttons[0].clicked);

    // Made again for a new view, it starts without the old buttons.
    bar.create({10.f, 20.f});
    EXPECT_TRUE(bar.buttons.empty());
}

TEST_F(ToolbarTest, DockedToolbarScrollsWhileTheMouseRestsOnTheViewEdge)
{
    kv::Toolbar bar;
    bar.create({0.f, 0.f});
    for (int i = 0; i < 40; ++i)
        bar.addButton("Tool", i, -1);
    const float width = bar.getWidth();
    ASSERT_GT(width, 1024.f + 60.f);
    bar.docked = true;

    fake.window.mouse = {1023, 300};
    tick();
    bar.update();
    EXPECT_FLOAT_EQ(bar.getPosition().x, -30.f);
    EXPECT_FLOAT_EQ(bar.buttons[0].getPosition().x, -28.f) << "buttons travel along";
    for (int i = 0; i < 100; ++i) {
        tick();
        bar.update();
    }
    EXPECT_FLOAT_EQ(bar.getPosition().x, 1024.f - width) << "stops with its end in view";

    fake.window.mouse = {0, 300};
    tick();
    bar.update();
    EXPECT_FLOAT_EQ(bar.getPosition().x, 1024.f - width + 30.f);
    for (int i = 0; i < 100; ++i) {
        tick();
        bar.update();
    }
    EXPECT_FLOAT_EQ(bar.getPosition().x, 0.f);

    // Sticking out above or below, it comes back in by the top and bottom edges.
    const auto restAt = [&](sf::Vector2i mouse, int ticks) {
        fake.window.mouse = mouse;
        for (int i = 0; i < ticks; ++i) {
            tick();
            bar.update();
        }
        return bar.getPosition().y;
    };
    bar.setPosition({0.f, -50.f});
    EXPECT_FLOAT_EQ(restAt({500, 0}, 1), -20.f);
    EXPECT_FLOAT_EQ(restAt({500, 0}, 5), 0.f);
    const float bottom = 768.f - bar.getHeight();
    bar.setPosition({0.f, bottom + 50.f});
    EXPECT_FLOAT_EQ(restAt({500, 767}, 1), bottom + 20.f);
    EXPECT_FLOAT_EQ(restAt({500, 767}, 5), bottom);
    bar.setPosition({0.f, 0.f});

    // Docked: the title bar does not drag.
    fake.window.mouse = {100, 5};
    fake.window.buttons.insert(sf::Mouse::Left);
    tick();
    bar.update();
    EXPECT_FALSE(bar.dragging);
    EXPECT_EQ(hintText(bar.hintKey), "This toolbar is docked and cannot be dragged");
}

TEST_F(ToolbarTest, DraggingByTheTitleBarMovesEveryButton)
{
    kv::Toolbar bar;
    bar.create({100.f, 100.f});
    bar.addButton("Pen", 1, -1);
    bar.addSeparator();
    bar.addButton("Undo", 3, -1);
    std::vector<float> before;
    for (const kv::Button& b : bar.buttons)
        before.push_back(b.getPosition().x);

    fake.window.mouse = {150, 105};
    tick();
    bar.update();
    EXPECT_EQ(hintText(bar.hintKey), "Drag");

    fake.window.buttons.insert(sf::Mouse::Left);
    tick();
    bar.update();
    ASSERT_TRUE(bar.dragging);

    fake.window.mouse = {160, 105};
    tick();
    bar.update();
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(110.f, 100.f));
    for (std::size_t i = 0; i < bar.buttons.size(); ++i)
        EXPECT_FLOAT_EQ(bar.buttons[i].getPosition().x, before[i] + 10.f);
    EXPECT_EQ(hintText(bar.hintKey), "110, 100");

    // Dragged far off, it stays inside the view.
    fake.window.mouse = {-500, -500};
    tick();
    bar.update();
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(0.f, 0.f));

    fake.window.buttons.clear();
    tick();
    bar.update();
    EXPECT_FALSE(bar.dragging);

    // A press below the title bar never drags.
    fake.window.mouse = {20, static_cast<int>(spacing) + 20};
    fake.window.buttons.insert(sf::Mouse::Left);
    tick();
    bar.update();
    EXPECT_FALSE(bar.dragging);
}

} // namespace
