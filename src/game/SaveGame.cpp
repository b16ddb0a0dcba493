#include "game/SaveGame.hpp"

#include "storage/BinaryFile.hpp"

namespace {

const char* const invalidSaveGame = "Not a valid save game file";

} // namespace

const char* skillLevelName(int skillLevel)
{
    switch (skillLevel) {
    case SkillEasy: return "Easy";
    case SkillNormal: return "Normal";
    case SkillHard: return "Hard";
    default: return "";
    }
}

bool SaveGame::load(const std::string& path)
{
    BinaryFile file;
    if (!file.open(path)) {
        errorText = file.lastError;
        return false;
    }
    const std::string tag = file.readStdString();
    if (!file.good() || tag != fileTag) {
        errorText = invalidSaveGame;
        return false;
    }
    const auto version = file.readValue<std::int16_t>();
    if (file.good() && version > fileVersion) {
        errorText = "Saved game file is too advanced";
        return false;
    }
    const auto level = file.readValue<std::int16_t>();
    const auto skill = file.readValue<std::int16_t>();
    // A file cut short holds no level to continue.
    if (!file.good()) {
        errorText = invalidSaveGame;
        return false;
    }
    levelIndex = level;
    skillLevel = skill;
    return true;
}

bool SaveGame::save(const std::string& path)
{
    BinaryFile file;
    if (!file.create(path)) {
        errorText = file.lastError;
        return false;
    }
    file.writeStdString(fileTag);
    file.writeValue(fileVersion);
    file.writeValue(levelIndex);
    file.writeValue(skillLevel);
    if (!file.close()) {
        errorText = file.lastError;
        return false;
    }
    return true;
}

std::string SaveGame::label() const
{
    return std::string(skillLevelName(skillLevel)) + " - Level " + std::to_string(levelIndex + 1);
}
