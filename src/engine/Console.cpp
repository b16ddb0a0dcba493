#include "engine/Console.hpp"

#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/ScriptConsole.hpp"
#include "storage/BinaryFile.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

namespace KVCore {
namespace {

const sf::Color panelColour(32, 32, 32, 255);
const sf::Color bevelLight(48, 48, 48, 255);
const sf::Color bevelDark(16, 16, 16, 255);
constexpr unsigned lineSize = 18;
constexpr float margin = 8.f;
constexpr float bevel = 2.f;

constexpr int keyReturn = 58, keyUp = 73, keyDown = 74, keyBackspace = 59;
const char* const historyTag = "ZAVI3 Script Console History";

// The command line and its history; made by createConsole, kept for the
// whole process.
struct ConsoleState {
    std::string line;
    std::string lastCommand;
    std::vector<std::string> history;
    std::size_t historyPosition = 0;
    std::vector<std::string> scriptHistory;
    bool drawn = false;
};
ConsoleState state;

void drawBevelBox(sf::RenderTarget& target, sf::FloatRect r, sf::Color fill)
{
    sf::RectangleShape shape({r.width, r.height});
    shape.setPosition(r.left, r.top);
    shape.setFillColor(bevelLight);
    target.draw(shape);
    shape.setSize({r.width - bevel, r.height - bevel});
    shape.setPosition(r.left + bevel, r.top + bevel);
    shape.setFillColor(bevelDark);
    target.draw(shape);
    shape.setSize({r.width - 2 * bevel, r.height - 2 * bevel});
    shape.setFillColor(fill);
    target.draw(shape);
}

} // namespace

void drawConsole()
{
    sf::RenderTarget* target = layerTarget(GuiLayer);
    if (!target || !Text::loaded())
        return;
    const sf::Vector2f view = viewSize();
    const float spacing = Text::standardLineSpacing(lineSize);
    const sf::FloatRect panel(margin, margin, view.x - 2 * margin, view.y - 2 * margin);
    const sf::FloatRect command(panel.left + margin, panel.top + panel.height - margin - spacing - 8.f,
                                panel.width - 2 * margin, spacing + 8.f);
    drawBevelBox(*target, panel, panelColour);
    drawBevelBox(*target, command, panelColour);

    sf::Text text(state.line, Text::standardFont(), lineSize);
    text.setFillColor(consoleTextColour);
    text.setPosition(command.left + 4.f, command.top + 4.f);
    target->draw(text);

    // Newest line just above the command line, older ones above it.
    float y = command.top - margin - spacing;
    const auto& lines = consoleLines();
    for (auto it = lines.rbegin(); it != lines.rend() && y >= panel.top + margin; ++it, y -= spacing) {
        text.setString(it->text);
        text.setFillColor(it->colour);
        text.setPosition(panel.left + margin, y);
        target->draw(text);
    }
    state.drawn = true;
    if (tickFlag())
        updateCommandLine();
}

bool consoleDrawnThisFrame() { return state.drawn; }
void clearConsoleDrawn() { state.drawn = false; }

void updateCommandLine()
{
    const auto& pressed = Keyboard::pressedKeys();
    const int key = pressed.empty() ? -1 : pressed.front();
    if (key == keyReturn) {
        state.lastCommand = state.line;
        state.line.clear();
    } else if (key == keyUp) {
        if (!state.history.empty() && state.historyPosition > 0)
            state.line = state.history[--state.historyPosition];
    } else if (key == keyDown) {
        if (state.historyPosition + 1 < state.history.size())
            state.line = state.history[++state.historyPosition];
        else
            state.line.clear();
    }
    // The command line's own editing: typed text and Backspace.
    for (char c : Keyboard::typedText())
        if (state.line.size() < commandLineLimit)
            state.line.push_back(c);
    if (Keyboard::keyHit(keyBackspace) && !state.line.empty())
        state.line.pop_back();
}

const std::string& commandLine() { return state.line; }
const std::string& lastCommand() { return state.lastCommand; }
std::vector<std::string>& commandHistory() { return state.history; }

std::vector<std::string> loadScriptConsoleHistory(const std::string& path)
{
    BinaryFile file;
    if (!file.open(path) || !file.readHeader(historyTag))
        return {};
    std::uint32_t count = 0;
    file.readValue(count);
    std::vector<std::string> history;
    // Nothing is reserved for the count: a damaged count ends at the first
    // read past the end of the file.
    for (std::uint32_t i = 0; i < count && file.good(); ++i)
        history.push_back(file.readOldStdString());
    if (!file.good())
        return {};
    return history;
}

} // namespace KVCore

namespace KVCore {

void buildScriptConsole()
{
    state.scriptHistory = loadScriptConsoleHistory();
    // Its form and toolbar are laid out again for the current view.
    kv::buildScriptConsoleForm();
}
const std::vector<std::string>& scriptConsoleHistory() { return state.scriptHistory; }

} // namespace KVCore
