#pragma once

namespace Frontend {

// Runs until the player leaves the program.
void runMainMenu();

} // namespace Frontend
