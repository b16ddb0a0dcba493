#include "game/DebugMenu.hpp"

#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Log.hpp"
#include "game/GameState.hpp"
#include "game/Player.hpp"
#include "gui/PopupMenu.hpp"
#include "world/Sprite.hpp"

#include <algorithm>
#include <limits>

namespace Game {
namespace {

enum Choice { ExtraTime = 0, MowAll = 1, ObjectBounds = 2, Fps = 4, FpsLimiter = 5, VSync = 6 };

constexpr int extraSeconds = 60;
constexpr unsigned limitedFrameRate = 60;

void say(const std::string& text) { KVCore::print(text, KVCore::consoleTextColour); }

bool isMowAllTile(std::uint16_t tile)
{
    return tile == 0 || tile == Map::unformattedGrassTile || (tile >= 959 && tile <= Map::isolatedGrassTile);
}

void mowAll()
{
    GameState& game = gameState();
    Map& map = currentMap();
    game.mownCount = 0;
    for (int row = 0; row < Map::height; ++row)
        for (int column = 0; column < Map::width; ++column) {
            if (!isMowAllTile(map.cell(column, row)))
                continue;
            map.setTile(static_cast<std::int16_t>(column), static_cast<std::int16_t>(row), mownTile, false);
            ++game.mownCount;
            game.mownFlags[static_cast<std::size_t>(row * Map::width + column)] = 1;
        }
}

} // namespace

std::vector<DebugMenuEntry> debugMenuEntries()
{
    const KVCore::EngineSettings& s = KVCore::settings();
    return {
        {"Extra time", 15},
        {"Mow all tiles (skip level)", 147},
        {showObjectsBounds ? "Hide objects bounds" : "Show objects bounds", 138},
        {"", -1, true},
        {s.displayFPS ? "Hide FPS" : "Show FPS", 126},
        {KVCore::frameLimitInEffect() != 0 ? "Disable FPS limiter" : "Enable FPS limiter", 145},
        {s.vsyncEnabled ? "Disable vsync" : "Enable svsync", 167},
        {"", -1, true},
        {"Cancel", 10},
    };
}

void showDebugMenu()
{
    kv::PopupMenu menu;
    const sf::Vector2f view = KVCore::viewSize();
    menu.create(view.x * 0.5f, view.x * 0.25f);
    for (const DebugMenuEntry& entry : debugMenuEntries()) {
        if (entry.separator)
            menu.addSeparator();
        else
            menu.addItem(entry.label, entry.icon, "");
    }
    runDebugMenuChoice(menu.show());
}

void runDebugMenuChoice(int index)
{
    KVCore::EngineSettings& s = KVCore::settings();
    switch (index) {
    case ExtraTime: {
        // Chosen often enough, the time must not wrap round to negative.
        GameState& game = gameState();
        game.timeLeft = static_cast<std::int16_t>(
            std::min<int>(game.timeLeft + extraSeconds, std::numeric_limits<std::int16_t>::max()));
        break;
    }
    case MowAll:
        mowAll();
        break;
    case ObjectBounds:
        showObjectsBounds = !showObjectsBounds;
        say(showObjectsBounds ? "Showing obects bounds" : "Hiding obects bounds");
        break;
    case Fps:
        s.displayFPS = !s.displayFPS;
        say(s.displayFPS ? "Enabed FPS display" : "Disabled FPS display");
        break;
    case FpsLimiter:
        if (KVCore::frameLimitInEffect() != 0) {
            KVCore::setFrameRateLimit(0);
            say("Disabled FPS limiter");
        } else {
            KVCore::setFrameRateLimit(limitedFrameRate);
            say("Enabled FPS limiter");
        }
        break;
    case VSync:
        KVCore::setVerticalSync(!s.vsyncEnabled);
        say(s.vsyncEnabled ? "Enabled vsync" : "Disabled vsync");
        break;
    default:
        break;
    }
}

} // namespace Game
