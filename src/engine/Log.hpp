#pragma once
// The engine's three ways of telling the player and the developer what
// happened: the log, printed messages and error reports.

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace KVCore {

const sf::Color errorColour(255, 0, 0, 255);
const sf::Color consoleTextColour(200, 200, 200, 255);

struct ConsoleLine {
    std::string text;
    sf::Color colour;
};

struct ScreenMessage {
    std::string text;
    sf::Color colour;
    int age = 0;          // whole seconds on screen
    int lastSecond = 0;   // wall-clock second last seen, 0..59
};

constexpr std::size_t maxConsoleLines = 512;
constexpr std::size_t maxScreenMessages = 11;
constexpr int screenMessageLifetime = 10;

// One log line "hh:mm:ss: text" (UTC); written only when logging is on and a
// file is named, which the game itself never does.
void log(const std::string& text);
void setLogFile(const std::string& path, bool enabled);
void setLoggingEnabled(bool enabled);
// The last line formatted by log(), written or not; lets tests see the format.
const std::string& lastLogLine();

// A console line plus an on-screen message.  Does nothing while the window is
// closed or for empty text.
void print(const std::string& text, sf::Color colour = sf::Color::White);
void reportError(const std::string& text);
void printAndLog(const std::string& text);

const std::vector<ConsoleLine>& consoleLines();
void clearConsoleLines();
const std::vector<ScreenMessage>& screenMessages();
void clearScreenMessages();
// Counts every change to the messages on screen (one printed, one gone), so
// a still screen can tell whether the messages it shows are still the ones.
std::uint64_t screenMessagesChanges();
// Ages the on-screen messages by the wall clock; run once per tick.
void ageScreenMessages();

// While set, every print redraws the whole screen with the console.
void setLoadingFlag(bool loading);
bool loadingFlag();

bool createConsole();

// The bottom-left point the printed messages stack up from; placed again
// after every display change.
void placeMessageAnchor();
sf::Vector2f messageAnchor();

} // namespace KVCore
