// Saved-game files: the loader, and a refused file changes nothing.
#include "FuzzInput.hpp"

#include "game/SaveGame.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SaveGame game;
    game.levelIndex = -7;
    game.skillLevel = -7;
    if (!game.load(fuzz::writeInput(data, size)) && (game.levelIndex != -7 || game.skillLevel != -7))
        std::abort();
    game.label();
    return 0;
}
