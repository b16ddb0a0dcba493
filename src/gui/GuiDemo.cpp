#include "gui/GuiDemo.hpp"

#include "audio/AudioPanel.hpp"
#include "engine/Display.hpp"
#include "engine/KVCore.hpp"
#include "engine/Layers.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/BevelPanel.hpp"
#include "gui/Button.hpp"
#include "gui/CheckBox.hpp"
#include "gui/ColourPicker.hpp"
#include "gui/Dialogs.hpp"
#include "gui/DisplayModeDialog.hpp"
#include "gui/FileSelector.hpp"
#include "gui/Form.hpp"
#include "gui/GroupBox.hpp"
#include "gui/Label.hpp"
#include "gui/Line.hpp"
#include "gui/ListBox.hpp"
#include "gui/PopupMenu.hpp"
#include "gui/Scrollbar.hpp"
#include "gui/ScriptConsole.hpp"
#include "gui/TextBox.hpp"
#include "gui/TextMemo.hpp"
#include "gui/Theme.hpp"
#include "gui/Toolbar.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <cmath>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace kv {
namespace {

const sf::Color screenColour(58, 58, 58, 255);
constexpr float dialogColumnWidth = 210.f;

void say(const std::string& line) { std::cout << "demo: " << line << std::endl; }

const char* const wrappedText =
    "A list box in text mode wraps its text into lines that fit the box and only scrolls; "
    "it never shows a selection.\nA line break starts a new line.";

struct DialogEntry {
    const char* text;
    int icon;
    sf::Keyboard::Key key;
};

const DialogEntry dialogEntries[] = {
    {"Message", 122, sf::Keyboard::F1},       {"Confirm", 175, sf::Keyboard::F2},
    {"Input text", 11, sf::Keyboard::F3},     {"Input number", 15, sf::Keyboard::F4},
    {"Open file", 72, sf::Keyboard::F5},      {"Save file", 137, sf::Keyboard::F6},
    {"Colour", 17, sf::Keyboard::F7},         {"Popup menu", 54, sf::Keyboard::F8},
    {"Display mode", 167, sf::Keyboard::F9},  {"Script console", 11, sf::Keyboard::F10},
    {"Error reading", 24, sf::Keyboard::F13}, {"Audio Panel", 144, sf::Keyboard::Menu},
    {"Exit", 38, sf::Keyboard::Escape},
};

// Everything the screen shows, laid out for one view size.
struct DemoScreen {
    Form form;
    BevelPanel raised, sunken;
    Label raisedLabel, sunkenLabel, textBoxLabel, result;
    Line line;
    GroupBox group;
    CheckBox check;
    Scrollbar volume, level;
    TextBox textBox;
    TextMemo memo;
    ListBox list, text;
    Toolbar toolbar;
    Button iconButton, textButton, disabledButton, returnCounter;
    std::vector<Button> dialogButtons;

    std::int32_t volumeValue = 60;
    std::int32_t levelValue = 3;
    int returns = 0;
    sf::Color colour = sf::Color(200, 120, 40);
    std::string name = "Kelvane";
    std::int32_t number = 7;
    bool leave = false;
    std::string lastResult = "none";

    void build(sf::Vector2f view);
    void updateAndDraw();
    void runDialogs();
    void showResult(const std::string& what);
};

void DemoScreen::build(sf::Vector2f view)
{
    form.create("ZAVI3 widget demo", {10.f, 10.f}, {view.x - 20.f, view.y - 20.f});
    const float top = 10.f + Form::titleBarHeight() + 14.f;
    const float left = 30.f;
    // Two columns of widgets share what the dialog buttons leave, so the
    // screen also fits an emulated 800 by 600.
    const float room = view.x - 2.f * left - dialogColumnWidth - 2.f * 20.f - 24.f;
    const float width = std::floor(room * 0.6f);
    const float half = std::floor((width - 20.f) * 0.5f);

    raised.create({left, top}, {left + half, top + 50.f}, theme::bevelLightColour, theme::bevelDarkColour, colour);
    raisedLabel.create({left + 10.f, top + 14.f}, theme::textColour, "Raised");
    sunken.create({left + half + 20.f, top}, {left + width, top + 50.f}, theme::bevelDarkColour,
                  theme::bevelLightColour, theme::faceColour);
    sunkenLabel.create({left + half + 30.f, top + 14.f}, theme::textColour, "Sunken");
    line.set({left, top + 64.f}, {left + width, top + 64.f}, theme::titleBarColour);

    const float groupTop = top + 76.f;
    group.create("Group box", {left, groupTop}, {width, 130.f});
    check.create("Check box", left + 20.f, groupTop + 30.f);
    volume.create("Volume", {left + 20.f, groupTop + 70.f}, {width - 40.f, 30.f}, 100, false, 16.f, &volumeValue);
    volume.colourByValue = true;

    const float boxTop = groupTop + 142.f;
    textBoxLabel.create({left, boxTop}, theme::textColour, "Text box and text memo:");
    textBox.create(name, {left, boxTop + 26.f}, width, 64);
    memo.create({left, boxTop + 26.f + TextBox::boxHeight() + 10.f}, {width, 120.f},
                "A text memo holds\nseveral lines of text.\nReturn breaks a line.");

    const float buttonTop = boxTop + 26.f + TextBox::boxHeight() + 140.f;
    iconButton.create("Save", 136, {left, buttonTop + 1.f}, sf::Keyboard::Pause);
    textButton.create("Text button", 175, {left + 44.f, buttonTop});
    textButton.setTextButton();
    disabledButton.create("Disabled", 91, {left + 60.f + textButton.getWidth(), buttonTop});
    disabledButton.setTextButton();
    disabledButton.enabled = false;
    returnCounter.create("Count Return", 110, {left, buttonTop + 46.f}, sf::Keyboard::Return);
    returnCounter.setTextButton();
    result.create({left + returnCounter.getWidth() + 16.f, buttonTop + 52.f}, theme::textColour, "Last result: " + lastResult);

    const float middle = left + width + 20.f;
    const float middleWidth = room - width;
    list.create({middle, top}, 8, middleWidth);
    for (const auto& [entry, icon] : std::vector<std::pair<const char*, int>>{
             {"Play", 89}, {"Map Editor", 75}, {"Tile Editor", 154}, {"Sprite Editor", 146}, {"Audio Panel", 144},
             {"Help", 122}, {"Options", 102}, {"Credits", 22}, {"Exit", 38}, {"An item without an icon", -1}})
        list.addItem(entry, icon);
    text.create({middle, top + list.getHeight() + 12.f}, 6, middleWidth);
    text.selectable = false;
    text.setText(wrappedText);
    level.create("", {middle + middleWidth + 4.f, top}, {20.f, list.getHeight()}, 10, true, 24.f, &levelValue);

    toolbar.create({middle, text.getPosition().y + text.getHeight() + 16.f});
    toolbar.addButton("Load", 72, -1);
    toolbar.addButton("Save", 136, -1);
    toolbar.addSeparator();
    toolbar.addButton("Zoom in", 177, -1);
    toolbar.addButton("Zoom out", 178, -1);

    dialogButtons.clear();
    const float column = view.x - 20.f - dialogColumnWidth;
    float y = top;
    for (const DialogEntry& e : dialogEntries) {
        Button& b = dialogButtons.emplace_back();
        b.create(e.text, e.icon, {column, y}, e.key);
        b.setTextButton(dialogColumnWidth - 10.f, 0.f);
        y += b.getHeight() + 6.f;
    }
}

void DemoScreen::updateAndDraw()
{
    form.update();
    form.draw();
    raised.draw();
    raisedLabel.draw();
    sunken.draw();
    sunkenLabel.draw();
    line.draw();
    group.draw();
    check.update();
    volume.update();
    volume.draw();
    textBoxLabel.draw();
    textBox.update();
    textBox.draw();
    memo.update();
    memo.draw();
    for (Button* b : {&iconButton, &textButton, &disabledButton, &returnCounter}) {
        b->update();
        b->draw();
    }
    result.draw();
    list.update();
    list.draw();
    text.update();
    text.draw();
    level.update();
    level.draw();
    toolbar.update();
    toolbar.draw();
    for (Button& b : dialogButtons) {
        b.update();
        b.draw();
    }
}

void DemoScreen::showResult(const std::string& what)
{
    lastResult = what;
    result.setText("Last result: " + what);
    say(what);
}

// Run after everything was drawn, so each dialog's picture holds the whole
// screen.
void DemoScreen::runDialogs()
{
    if (returnCounter.clicked) {
        ++returns;
        showResult("Return");
    }
    if (iconButton.clicked || textButton.clicked)
        showResult(std::string(iconButton.clicked ? "Save" : "Text button") + " clicked");
    for (const Button& b : toolbar.buttons)
        if (b.clicked)
            showResult("toolbar " + b.getText());
    if (list.activated >= 0) {
        showResult("activated " + list.items[static_cast<std::size_t>(list.activated)].text);
        list.activated = -1;
    }

    auto button = [this](const std::string& text) -> const Button& {
        for (const Button& b : dialogButtons)
            if (b.getText() == text)
                return b;
        return dialogButtons.front();
    };
    auto clicked = [&button](const char* text) { return button(text).clicked; };
    if (clicked("Message")) {
        say("Message open");
        showMessage("This is a message box. Its text is wrapped into the lines that fit the box, and OK or "
                    "Return closes it.");
        showResult("Message closed");
    } else if (clicked("Confirm")) {
        showResult(confirm("Overwrite existing file?") ? "Confirm: Yes" : "Confirm: No");
    } else if (clicked("Input text")) {
        const bool ok = inputText(name, 32, "Enter a name");
        showResult(ok ? "Input text: " + name : "Input text cancelled");
    } else if (clicked("Input number")) {
        const bool ok = inputInt(number, 1, 100, "Enter a level ");
        showResult(ok ? "Input number: " + std::to_string(number) : "Input number refused");
    } else if (clicked("Open file")) {
        const auto path = selectFileToOpen("Load Map", ".", "png;bmp");
        showResult(path ? "Open: " + *path : "Open cancelled");
    } else if (clicked("Save file")) {
        const auto path = selectFileToSave("Save Map As", ".", "map");
        showResult(path ? "Save: " + *path : "Save cancelled");
    } else if (clicked("Colour")) {
        if (pickColour(colour))
            raised.fill.shape.setFillColor(colour);
        showResult("Colour " + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " +
                   std::to_string(colour.b));
    } else if (clicked("Popup menu")) {
        PopupMenu menu;
        menu.create(0.f, 0.f);
        menu.addItem("Select", 175);
        menu.addItem("Edit", 34);
        menu.addSeparator();
        menu.addItem("Cancel", 10);
        const Button& opener = button("Popup menu");
        const int chosen = menu.show(opener.getPosition().x - 40.f, opener.getPosition().y);
        showResult("Popup menu: " + std::to_string(chosen));
    } else if (clicked("Display mode")) {
        showResult(showVideoOptions() ? "Display mode changed" : "Display mode cancelled");
    } else if (clicked("Script console")) {
        scriptConsole().run();
        showResult("Script console closed");
    } else if (clicked("Error reading")) {
        errorReading("maps\\missing.map");
        showResult("Error reading closed");
    } else if (clicked("Audio Panel")) {
        say("Audio Panel open");
        Audio::runAudioPanel();
        showResult("Audio Panel closed");
    } else if (clicked("Exit")) {
        leave = true;
    }
}

} // namespace

void runGuiDemo()
{
    KVCore::WindowBackend& window = KVCore::window();
    DemoScreen screen;
    sf::Vector2f builtFor;
    bool announced = false;
    while (window.isOpen() && !screen.leave) {
        // A display change gives the view a new size: lay out again.
        if (KVCore::viewSize() != builtFor) {
            builtFor = KVCore::viewSize();
            screen.build(builtFor);
        }
        KVCore::beginFrame();
        if (sf::RenderTarget* target = KVCore::currentTarget())
            target->clear(screenColour);
        screen.updateAndDraw();
        screen.runDialogs();
        KVCore::endFrame(0);
        if (!announced) {
            say("ready");
            announced = true;
        }
    }
}

} // namespace kv
