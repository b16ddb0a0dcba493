#include "gui/ScriptConsole.hpp"

#include "engine/Console.hpp"
#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Text.hpp"
#include "gui/Dialog.hpp"

#include <SFML/Window/Clipboard.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cmath>
#include <locale>

namespace kv {
namespace {

constexpr float margin = 10.f;

struct ToolbarEntry {
    const char* text;
    int icon;
    int hotKey;
    bool separatorAfter;
};

// Icons: play, back, forward, selection frame, copy, paste, delete,
// restore, leave.
const ToolbarEntry entries[] = {
    {"Execute Script", 110, -1, true},
    {"History Back", 3, -1, false},
    {"History Forward", 53, -1, true},
    {"Select All", 138, -1, false},
    {"Copy All", 21, -1, false},
    {"Clear and Paste", 106, -1, false},
    {"Clear", 24, -1, true},
    {"Clear History", 128, -1, true},
    {"Exit", 38, sf::Keyboard::Escape, false},
};

ScriptConsole console;

} // namespace

void ScriptConsole::build(const std::vector<std::string>& newHistory)
{
    const sf::Vector2f view = KVCore::viewSize();
    const sf::Vector2f at(margin, margin);
    const sf::Vector2f size(std::floor(view.x - 2.f * margin), std::floor(view.y - 2.f * margin));
    form.create("Script Console", at, size);

    toolbar.create({at.x + margin, at.y + Form::titleBarHeight() + margin});
    // It belongs to the console's frame; dragging it out would leave a hole.
    toolbar.docked = true;
    for (const ToolbarEntry& e : entries) {
        toolbar.addButton(e.text, e.icon, e.hotKey);
        if (e.separatorAfter)
            toolbar.addSeparator();
    }
    toolbar.setSize({size.x - 2.f * margin, toolbar.getHeight()});
    // No interpreter: there is nothing to run a script with.
    button("Execute Script")->enabled = false;

    const float memoTop = toolbar.getPosition().y + toolbar.getHeight() + margin;
    memo.create({at.x + margin, memoTop}, {size.x - 2.f * margin, at.y + size.y - margin - memoTop});

    history = newHistory;
    exitRequested = false;
    show(history.empty() ? -1 : static_cast<std::int32_t>(history.size()) - 1);
    built_ = true;
    builtFor_ = view;
}

Button* ScriptConsole::button(const std::string& text)
{
    for (Button& b : toolbar.buttons)
        if (b.style != Button::PlainStyle && b.getText() == text)
            return &b;
    return nullptr;
}

void ScriptConsole::show(std::int32_t entry)
{
    shown = entry;
    if (shown >= 0 && shown < static_cast<std::int32_t>(history.size())) {
        memo.text = history[static_cast<std::size_t>(shown)];
        memo.cursor = static_cast<std::int32_t>(memo.text.size());
        memo.selectionLength = 0;
    }
    button("History Back")->enabled = shown > 0;
    button("History Forward")->enabled = shown >= 0 && shown + 1 < static_cast<std::int32_t>(history.size());
}

void ScriptConsole::act()
{
    auto clicked = [this](const char* text) { return button(text)->clicked; };
    // The buttons are enabled only where there is an entry to step to.
    if (clicked("History Back"))
        show(shown - 1);
    if (clicked("History Forward"))
        show(shown + 1);
    if (clicked("Select All")) {
        memo.selectAll();
        setFocusedId(memo.id);
    }
    if (clicked("Copy All"))
        sf::Clipboard::setString(sf::String(memo.text, std::locale()));
    if (clicked("Clear and Paste")) {
        memo.clear();
        memo.insertText(sf::Clipboard::getString().toAnsiString(std::locale()));
        setFocusedId(memo.id);
    }
    if (clicked("Clear"))
        memo.clear();
    if (clicked("Clear History")) {
        history.clear();
        show(-1);
    }
    if (clicked("Exit"))
        exitRequested = true;
}

void ScriptConsole::update()
{
    form.update();
    toolbar.update();
    memo.update();
    // The toolbar's buttons keep their flags between ticks.
    if (KVCore::tickFlag())
        act();
}

void ScriptConsole::draw()
{
    form.draw();
    toolbar.draw();
    memo.draw();
}

void ScriptConsole::run()
{
    // Normally rebuilt by every display change; this covers a view that
    // changed size some other way.
    if (!built_ || builtFor_ != KVCore::viewSize())
        build(KVCore::scriptConsoleHistory());
    ModalLoop loop("Script Console");
    waitOutOpeningKeys();
    exitRequested = false;
    setFocusedId(memo.id);
    // The caret shows as the console opens, not wherever its blink stood when it last closed.
    memo.caret.restartBlink();
    while (loop.beginPass()) {
        update();
        draw();
        if (exitRequested)
            loop.finish();
        loop.endPass();
    }
}

ScriptConsole& scriptConsole() { return console; }

void buildScriptConsoleForm()
{
    // Without fonts (tools, some tests) there is nothing to lay out; run()
    // builds it when it is needed.
    if (Text::loaded())
        console.build(KVCore::scriptConsoleHistory());
}

} // namespace kv
