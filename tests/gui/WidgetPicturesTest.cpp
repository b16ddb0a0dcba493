// Every kind of widget drawn opaque and half faded, against a picture kept
// beside this test: a part that is not drawn, drawn in the wrong place or
// left out of the fade shows as a difference.
#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "gui/BevelPanel.hpp"
#include "gui/Button.hpp"
#include "gui/CheckBox.hpp"
#include "gui/ColourPicker.hpp"
#include "gui/Component.hpp"
#include "gui/Form.hpp"
#include "gui/GroupBox.hpp"
#include "gui/Label.hpp"
#include "gui/Line.hpp"
#include "gui/ListBox.hpp"
#include "gui/Rectangle.hpp"
#include "gui/Scrollbar.hpp"
#include "gui/TextBox.hpp"
#include "gui/TextMemo.hpp"
#include "gui/Theme.hpp"
#include "gui/Toolbar.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/Golden.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <typeinfo>
#include <vector>

namespace {

// One of each, laid out in a column 500 pixels wide from x.
struct Gallery {
    explicit Gallery(float x) { make(x); }

    void make(float x)
    {
        form.create("Form", {x, 4.f}, {500.f, 760.f});
        panel.create({x + 10.f, 40.f}, {x + 120.f, 80.f}, kv::theme::bevelLightColour, kv::theme::bevelDarkColour,
                     sf::Color(200, 120, 40));
        outline.create({x + 130.f, 40.f}, {x + 230.f, 80.f});
        line.set({x + 240.f, 40.f}, {x + 480.f, 80.f}, kv::theme::titleBarColour);
        label.create({x + 10.f, 90.f}, kv::theme::textColour, "Label text");
        group.create("Group box", {x + 10.f, 120.f}, {480.f, 110.f});
        check.create("Checked", x + 20.f, 150.f);
        check.setChecked(true);
        slider.create("Volume", {x + 20.f, 186.f}, {300.f, 30.f}, 100, false, 16.f, &volume);
        level.create("", {x + 460.f, 240.f}, {20.f, 180.f}, 10, true, 24.f, &levelValue);
        box.create("Kelvane", {x + 10.f, 240.f}, 200.f, 32);
        memo.create({x + 220.f, 240.f}, {230.f, 80.f}, "A memo\nof two lines");
        list.create({x + 10.f, 330.f}, 4, 200.f);
        list.selection = 1;
        for (const char* item : {"Play", "Map Editor", "Tile Editor", "Sprite Editor", "Help"})
            list.addItem(item, 89);
        iconButton.create("Save", 136, {x + 220.f, 330.f});
        textButton.create("Text button", 175, {x + 270.f, 330.f});
        textButton.setTextButton();
        disabled.create("Disabled", 91, {x + 270.f, 380.f});
        disabled.setTextButton();
        disabled.enabled = false;
        toolbar.create({x + 220.f, 430.f});
        toolbar.addButton("Load", 72, -1);
        toolbar.addSeparator();
        toolbar.addButton("Zoom in", 177, -1);
        toolbar.setLabelText("Zoom 2x, tile 1023");
        picker.create({x + 10.f, 500.f}, {480.f, 250.f});
        picker.setColour(sf::Color(40, 160, 90));
    }

    std::vector<kv::Component*> components()
    {
        return {&form, &panel, &outline, &line,       &label,    &group,    &slider,  &level,
                &box,  &memo,  &list,    &iconButton, &textButton, &disabled, &toolbar, &picker};
    }
    // Drawn as made, or faded to alpha first.
    void draw(std::uint8_t alpha)
    {
        for (kv::Component* c : components()) {
            if (alpha < 255)
                c->setAlpha(alpha);
            c->draw();
        }
        if (alpha < 255)
            check.setAlpha(alpha);
        check.update();
    }

    kv::Form form;
    kv::BevelPanel panel;
    kv::Rectangle outline;
    kv::Line line;
    kv::Label label;
    kv::GroupBox group;
    kv::CheckBox check;
    std::int32_t volume = 60, levelValue = 3;
    kv::Scrollbar slider, level;
    kv::TextBox box;
    kv::TextMemo memo;
    kv::ListBox list;
    kv::Button iconButton, textButton, disabled;
    kv::Toolbar toolbar;
    kv::ColourPicker picker;
};

TEST(WidgetPictures, EveryWidgetOpaqueAndFadedLooksAsStored)
{
    ASSERT_TRUE(test::loadEngineFonts());
    test::loadEngineArt();
    test::FakeWindowScope fake;
    Keyboard::buildKeyNameTable();
    KVCore::startPoller();

    Gallery opaque(6.f), faded(518.f);
    // Widgets made again after a fade show in full, as on a screen opened again.
    for (kv::Component* c : opaque.components())
        c->setAlpha(0);
    opaque.make(6.f);
    // A bare rectangle's alpha is its fill's, clear as it is made.
    for (kv::Component* c : opaque.components())
        EXPECT_EQ(c->getAlpha(), c == &opaque.outline ? 0 : 255) << typeid(*c).name();
    // The opaque text box has the keyboard and shows its caret.
    kv::setFocusedId(opaque.box.id);
    const sf::Image picture = test::drawnPicture({1024, 768}, sf::Color(58, 58, 58), [&] {
        opaque.draw(255);
        faded.draw(100);
    });
    EXPECT_TRUE(test::matchesGoldenPicture(picture, test::goldenFolder("gui") /
                                                        "widgets.png"));
}

// A widget moved draws exactly as one made where it went.
TEST(WidgetPictures, AMovedWidgetDrawsAsOneMadeThere)
{
    ASSERT_TRUE(test::loadEngineFonts());
    test::loadEngineArt();
    test::FakeWindowScope fake;
    Keyboard::buildKeyNameTable();
    KVCore::startPoller();

    // The keyboard goes with a focused widget that goes, so no widget made
    // later on its id shows a caret it was never given.
    {
        kv::TextBox gone;
        gone.create("gone", {0.f, 0.f}, 100.f, 8);
        kv::setFocusedId(gone.id);
    }
    EXPECT_EQ(kv::focusedId(), -1);

    Gallery made(6.f), moved(518.f);
    for (kv::Component* c : moved.components())
        c->setPosition(c->getPosition() - sf::Vector2f(512.f, 0.f));
    const auto drawn = [](Gallery& gallery) {
        return test::drawnPicture({1024, 768}, sf::Color(58, 58, 58), [&] {
            for (kv::Component* c : gallery.components())
                c->draw();
        });
    };
    const sf::Image a = drawn(made), b = drawn(moved);
    int differing = 0;
    for (unsigned y = 0; y < 768; ++y)
        for (unsigned x = 0; x < 1024; ++x)
            differing += a.getPixel(x, y) != b.getPixel(x, y);
    EXPECT_EQ(differing, 0);
    if (differing)
        b.saveToFile("/tmp/kelvane-golden/moved-widgets.png");
}

} // namespace
