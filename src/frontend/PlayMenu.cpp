#include "frontend/PlayMenu.hpp"

#include "frontend/MenuScreen.hpp"
#include "game/GameScreen.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"

#include <string>

namespace Frontend {
namespace {

constexpr int slotIcon = 136;
constexpr int skillIcon = 89;
constexpr int backIcon = 3;

MenuList slotList()
{
    MenuList list;
    list.setTitle("Select Game Slot", "", "");
    int number = 1;
    for (Game::SaveSlot& slot : Game::saveSlots())
        list.addRow(std::to_string(number++) + ": " + Game::slotLabel(slot), slotIcon, slot.path);
    list.addRow("Back", backIcon, "Go back");
    return list;
}

MenuList skillList()
{
    MenuList list;
    list.setTitle("Skill Level", "", "");
    for (const int skill : {SkillEasy, SkillNormal, SkillHard})
        list.addRow(skillLevelName(skill), skillIcon);
    list.addRow("Back", backIcon, "Go back");
    return list;
}

} // namespace

bool runPlayMenu(const sf::Texture& background) { return runPlayMenu(background, Game::runGame); }

bool runPlayMenu(const sf::Texture& background, const GameRunner& runGame)
{
    MenuList slots = slotList();
    MenuList skills = skillList();
    const int row = runMenu(slots, background);
    if (row < 0 || row >= static_cast<int>(Game::saveSlots().size()))
        return false;

    const SkillQuestion askSkill = [&]() -> std::optional<std::int16_t> {
        const int skill = runMenu(skills, background);
        if (skill < SkillEasy || skill > SkillHard)
            return std::nullopt;
        return static_cast<std::int16_t>(skill);
    };
    bool played = false;
    playFromSlot(row, askSkill,
                 [&](std::int16_t levelIndex, std::int16_t skillLevel, bool fromEditor, const std::string& mapPath) {
                     played = true;
                     return runGame(levelIndex, skillLevel, fromEditor, mapPath);
                 });
    return played;
}

} // namespace Frontend
