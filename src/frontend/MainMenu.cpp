#include "frontend/MainMenu.hpp"

#include "audio/Audio.hpp"
#include "engine/AppInfo.hpp"
#include "engine/Display.hpp"
#include "engine/Log.hpp"
#include "engine/Text.hpp"
#include "frontend/Credits.hpp"
#include "frontend/Help.hpp"
#include "frontend/MenuScreen.hpp"
#include "frontend/OptionsMenu.hpp"
#include "frontend/PlayMenu.hpp"
#include "frontend/ToolsMenu.hpp"
#include "game/GameResources.hpp"
#include "gui/Dialogs.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"

#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <string>

namespace Frontend {
namespace {

enum MainRow { PlayRow, OptionsRow, ToolsRow, HelpRow, CreditsRow, ExitRow };

constexpr unsigned modLineSize = 18;

MenuList mainList()
{
    const KVCore::AppInfo& app = KVCore::appInfo();
    MenuList list;
    list.setTitle("Main Menu", app.appName + " v" + app.appVersion, app.appWebsite);
    list.setExtraLine(app.appCopyright);
    list.addRow("Play", 89, "Get cutting");
    list.addRow("Options", 102, "Set options or delete saved games");
    list.addRow("Tools", 161, "To the shed");
    list.addRow("Help", 122, "How to mow a meadow");
    list.addRow("Credits", 22, "The people who made this game");
    list.addRow("Exit", 38, "Hit the road");
    return list;
}

// "Using mod folder: <folder>" in the bottom right corner, in black.
void drawModLine(sf::RenderTarget& target, const std::string& line)
{
    const sf::Vector2f view = KVCore::viewSize();
    sf::Text text(line, Text::standardFont(), modLineSize);
    text.setFillColor(sf::Color::Black);
    const float width = text.findCharacterPos(line.size()).x - text.findCharacterPos(0).x;
    text.setPosition(std::round(view.x - 2.f - width),
                     std::round(view.y - Text::standardLineSpacing(modLineSize) - 2.f));
    target.draw(text);
}

} // namespace

MainMenuScreens mainMenuScreens()
{
    return {
        [](const sf::Texture& background) { return runPlayMenu(background); },
        runOptionsMenu,
        runToolsMenu,
        showHelp,
        showCredits,
    };
}

void runMainMenu() { runMainMenu(mainMenuScreens()); }

void runMainMenu(const MainMenuScreens& screens)
{
    const std::string path = resolvedAssetPath("menuback.png");
    sf::Texture background;
    if (!background.loadFromFile(platform::toNativePath(path).string())) {
        kv::showMessage("Unable to load menu background from " + path);
        return;
    }

    Audio::MenuSounds& sounds = Audio::menuSounds();
    sounds.move = "interface\\MenuMove";
    sounds.select = "interface\\MenuSelect";
    sounds.cancel = "interface\\MenuCancel";
    MenuList menu = mainList();
    const std::string& menuMusic = Game::resources().menuMusic;
    Audio::playMusicByName(menuMusic);

    std::function<void(sf::RenderTarget&)> drawExtra;
    if (modFolderGiven && !modFolder.empty()) {
        drawExtra = [line = "Using mod folder: " + modFolder](sf::RenderTarget& target) {
            drawModLine(target, line);
        };
    }

    forgetMenuMousePosition();
    for (;;) {
        switch (runMenu(menu, background, drawExtra)) {
        case menuWindowGone:
        case ExitRow: return;
        case PlayRow:
            if (screens.play(background))
                Audio::playMusicByName(menuMusic);
            break;
        case OptionsRow: screens.options(background); break;
        case ToolsRow: screens.tools(background); break;
        case HelpRow:
            KVCore::clearScreenMessages();
            screens.help();
            break;
        case CreditsRow:
            screens.credits();
            Audio::playMusicByName(menuMusic);
            break;
        default: break;  // Escape leads nowhere from here
        }
    }
}

} // namespace Frontend
