#pragma once
// The script console: a form titled "Script Console" with a text memo and a
// toolbar, built at start-up and again after every display change.  The
// program has no script interpreter and no command that opens the console;
// run() shows it (the widget demo does).

#include "gui/Form.hpp"
#include "gui/TextMemo.hpp"
#include "gui/Toolbar.hpp"

#include <string>
#include <vector>

namespace kv {

class ScriptConsole {
public:
    // Lays the console out over the current view with this history, the
    // newest entry shown.
    void build(const std::vector<std::string>& history);
    // A modal screen until "Exit" (or Escape).
    void run();

    void update();
    void draw();
    // The toolbar button with this text; null for an unknown text.
    Button* button(const std::string& text);
    bool isBuilt() const { return built_; }

    Form form;
    TextMemo memo;
    Toolbar toolbar;
    std::vector<std::string> history;
    // The entry shown; -1 with an empty history.
    std::int32_t shown = -1;
    bool exitRequested = false;

private:
    void show(std::int32_t entry);
    void act();

    bool built_ = false;
    sf::Vector2f builtFor_;
};

// The program's one script console.
ScriptConsole& scriptConsole();
// Builds it with the history the engine read (KVCore::buildScriptConsole).
void buildScriptConsoleForm();

} // namespace kv
