#pragma once
// The saved-game file of one slot: which level of the level list is being
// played and at which skill level.  The game writes it at the start of every
// level, so continuing a slot restarts that level.
//
// File, little-endian, 26 bytes:
//   string  "Kelvane Saved Game" (int16 length 18, then the characters)
//   int16   version, 1 (0 and 1 are read; 2 and later refused)
//   int16   levelIndex, 0 = first level of the list
//   int16   skillLevel, 0 Easy, 1 Normal, 2 Hard
//
// The values are taken as stored: whoever starts the level checks levelIndex
// against the level list it has.

#include <cstdint>
#include <string>

enum SkillLevel : std::int16_t { SkillEasy = 0, SkillNormal = 1, SkillHard = 2 };

// "Easy", "Normal" or "Hard"; empty for any other value.
const char* skillLevelName(int skillLevel);

constexpr const char* emptySlotLabel = "(empty slot)";

class SaveGame {
public:
    static constexpr const char* fileTag = "Kelvane Saved Game";
    static constexpr std::int16_t fileVersion = 1;

    std::int16_t levelIndex = 0;
    std::int16_t skillLevel = SkillNormal;
    // Message of the last failure.
    std::string errorText;

    // Path already resolved.  False with errorText "Unable to open <path>",
    // "Not a valid save game file" (also for a file that ends early) or
    // "Saved game file is too advanced"; the values are unchanged then.
    bool load(const std::string& path);
    // Replaces the file only once it is completely written.  False with
    // errorText "Unable to create <path>" or "Unable to write to <path>".
    bool save(const std::string& path);

    // What the slot list shows for it: skill name, " - Level ", levelIndex + 1
    // ("Normal - Level 3").
    std::string label() const;
};
