#pragma once
// The console: drawn full-screen while the game loads so every printed line
// shows at once, with a command line that keeps a history.

#include <string>
#include <vector>

namespace KVCore {

constexpr std::size_t commandLineLimit = 512;

// Draws the panel, the newest lines that fit and the command line into the
// current frame, and handles the command line on ticks.
void drawConsole();
bool consoleDrawnThisFrame();
void clearConsoleDrawn();

// Command-line handling for one tick: looks at the first pressed key
// without taking it.
void updateCommandLine();
const std::string& commandLine();
const std::string& lastCommand();
std::vector<std::string>& commandHistory();

const char* const scriptHistoryFile = "scriptConsoleHistory.dat";
// The script console's saved history; empty when the file is missing or
// damaged.
std::vector<std::string> loadScriptConsoleHistory(const std::string& path = scriptHistoryFile);

// Reads the script console's history again (start-up and display changes).
void buildScriptConsole();
const std::vector<std::string>& scriptConsoleHistory();

} // namespace KVCore
