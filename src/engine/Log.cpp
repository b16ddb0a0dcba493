#include "engine/Log.hpp"

#include "engine/Console.hpp"
#include "engine/Display.hpp"
#include "engine/KVCore.hpp"
#include "engine/Text.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "platform/FileSystem.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <array>
#include <cstdio>
#include <iostream>

namespace KVCore {
namespace {

// The log settings, the console's line list and the on-screen messages.
// The lists live from createConsole until KVCore::shutdown empties them.
struct LogState {
    std::string logFile;
    bool logging = false;
    std::string lastLine;
    std::vector<ConsoleLine> console;
    std::vector<ScreenMessage> messages;
    std::uint64_t messagesChanges = 0;
    bool loading = false;
    sf::Vector2f anchor{10.f, 0.f};
};
LogState state;

constexpr float anchorX = 10.f;
constexpr float anchorBottomMargin = 90.f;
constexpr unsigned messageCharacterSize = 16;

bool sameRgb(sf::Color a, sf::Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// While loading, each printed line is shown at once on a full-screen console.
void redrawLoadingConsole()
{
    sf::RenderWindow* win = window().renderWindow();
    if (!win)
        return;
    win->clear(sf::Color::Black);
    beginFrame();
    drawConsole();
    endFrame(0);
}

} // namespace

void log(const std::string& text)
{
    const platform::UtcTime t = timeSource().utcNow();
    std::array<char, 16> stamp{};
    std::snprintf(stamp.data(), stamp.size(), "%02d:%02d:%02d: ", t.hour, t.minute, t.second);
    state.lastLine = stamp.data() + text;
    if (!state.logging || state.logFile.empty())
        return;
    if (platform::FileHandle f = platform::openFile(state.logFile, "a")) {
        std::fputs(state.lastLine.c_str(), f.get());
        std::fputc('\n', f.get());
    }
}

void setLogFile(const std::string& path, bool enabled)
{
    state.logFile = path;
    state.logging = enabled;
}

void setLoggingEnabled(bool enabled) { state.logging = enabled; }
const std::string& lastLogLine() { return state.lastLine; }

void print(const std::string& text, sf::Color colour)
{
    if (text.empty() || !windowIsOpen())
        return;
    state.console.push_back({text, sameRgb(colour, sf::Color::White) ? consoleTextColour : colour});
    if (state.console.size() > maxConsoleLines)
        state.console.erase(state.console.begin(),
                            state.console.begin() + static_cast<std::ptrdiff_t>(state.console.size() - maxConsoleLines));

    if (state.loading)
        redrawLoadingConsole();

    state.messages.push_back({text, colour, 0, timeSource().utcNow().second});
    if (state.messages.size() > maxScreenMessages)
        state.messages.erase(state.messages.begin());
    ++state.messagesChanges;
}

void reportError(const std::string& text)
{
    print(text, errorColour);
    log("Error: " + text);
    // The log file is never on; a player who started the game from a terminal
    // still sees what went wrong after the window has gone.
    std::cerr << "Error: " << text << '\n';
}

void printAndLog(const std::string& text)
{
    print(text, sf::Color::White);
    log(text);
}

const std::vector<ConsoleLine>& consoleLines() { return state.console; }
void clearConsoleLines() { state.console.clear(); }
const std::vector<ScreenMessage>& screenMessages() { return state.messages; }
void clearScreenMessages()
{
    if (!state.messages.empty())
        ++state.messagesChanges;
    state.messages.clear();
}
std::uint64_t screenMessagesChanges() { return state.messagesChanges; }

void ageScreenMessages()
{
    for (ScreenMessage& m : state.messages) {
        const int second = timeSource().utcNow().second;
        if (second != m.lastSecond) {
            ++m.age;
            m.lastSecond = second;
        }
    }
    if (std::erase_if(state.messages, [](const ScreenMessage& m) { return m.age > screenMessageLifetime; }) > 0)
        ++state.messagesChanges;
}

void setLoadingFlag(bool loading) { state.loading = loading; }
bool loadingFlag() { return state.loading; }

bool createConsole()
{
    state.loading = false;
    return true;
}

void placeMessageAnchor()
{
    state.anchor = {anchorX, viewSize().y - anchorBottomMargin - Text::standardLineSpacing(messageCharacterSize)};
}

sf::Vector2f messageAnchor() { return state.anchor; }

} // namespace KVCore
