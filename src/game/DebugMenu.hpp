#pragma once
// The developer's shortcuts during play, opened by holding M, O and W:
// more time, mowing the whole lawn, the objects' boxes, and the engine's
// FPS display, frame limiter and vertical sync.

#include <string>
#include <vector>

namespace Game {

struct DebugMenuEntry {
    std::string label;  // empty for a separator
    int icon = -1;
    bool separator = false;
};

// The entries as the menu would show them now: each toggle offers what
// choosing it will do.
std::vector<DebugMenuEntry> debugMenuEntries();
// Shows the menu and carries out the choice.
void showDebugMenu();
// What choosing the entry at this index does; any other index does nothing.
void runDebugMenuChoice(int index);

} // namespace Game
