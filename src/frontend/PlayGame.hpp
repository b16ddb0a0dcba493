#pragma once
// Starting a game from one of the saved-game slots: a slot with a file
// continues its level, an empty one starts a new game at the first level.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace Frontend {

// Asks the player for the skill level of a new game; nothing when the
// player backs out.
using SkillQuestion = std::function<std::optional<std::int16_t>()>;
// The game screen: Game::runGame, or a stand-in that records what it was
// asked to play.
using GameRunner = std::function<bool(std::int16_t levelIndex, std::int16_t skillLevel, bool fromEditor,
                                      const std::string& mapPath)>;

// The slot becomes the one the game saves to.  Its file, when there is one,
// gives the level and skill to continue; one that cannot be read has its
// error shown and no game starts.  Without a file the skill is asked and the
// game starts at the first level.  A game that cannot start shows the game
// error.  The current slot stays as the game left it.  Nothing happens for
// an index outside the slot list.
void playFromSlot(int slotIndex, const SkillQuestion& askSkill, const GameRunner& runGame);

} // namespace Frontend
