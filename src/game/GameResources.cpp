#include "game/GameResources.hpp"

#include "audio/Audio.hpp"
#include "engine/KVCore.hpp"
#include "engine/Log.hpp"
#include "game/SaveSlots.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"
#include "storage/IniFile.hpp"

#include <algorithm>
#include <limits>

namespace Game {
namespace {

// Filled by gameStartup and emptied by gameShutdown; the level list is
// filled for each game by loadMapsList and emptied by the game screen.
struct GameResourcesState {
    Resources resources;
    std::string resourceError;
    std::string gameError;
    MapsList mapsList;
    OtherPaths otherPaths;
    // "kelvane.ini" as last read, so a save keeps whatever else it holds.
    IniFile settings;
    std::string settingsFile = "kelvane.ini";
};

GameResourcesState& state()
{
    static GameResourcesState s;
    return s;
}

constexpr const char* otherSection = "Other";
constexpr const char* noLevels = "No entries in maps list";
// A saved game counts levels in 16 bits; no list can be longer than that.
constexpr std::int32_t maxLevels = std::numeric_limits<std::int16_t>::max();

IniFile loadGameIni()
{
    IniFile ini;
    ini.load(resolvedAssetPath("game.ini"));  // missing: every value at its default
    return ini;
}

// Selecting a section by name would add every missing one, and a long count
// of missing ones would crawl: a missing section is simply none (-1).
std::int32_t sectionIndex(const IniFile& ini, const std::string& name)
{
    const auto found = std::find_if(ini.sections.begin(), ini.sections.end(),
                                    [&](const IniFile::Section& s) { return s.name == name; });
    return found == ini.sections.end() ? -1 : static_cast<std::int32_t>(found - ini.sections.begin());
}

void forgetPicture(GameTexture& picture)
{
    picture.loaded = false;
    picture.texture.reset();
}

} // namespace

Resources& resources() { return state().resources; }
std::string& resourceError() { return state().resourceError; }
std::string& gameError() { return state().gameError; }
MapsList& mapsList() { return state().mapsList; }
OtherPaths& otherPaths() { return state().otherPaths; }

bool loadMapsList()
{
    MapsList& list = state().mapsList;
    list.mapPaths.clear();
    list.musicNames.clear();

    IniFile ini = loadGameIni();
    ini.selectSection("info");
    const std::int32_t count = ini.getInt("MapsCount", 0);
    // A negative count is no more a level list than a zero one.
    if (count <= 0) {
        state().gameError = noLevels;
        return false;
    }
    const std::int32_t levels = std::min(count, maxLevels);
    for (std::int32_t i = 0; i < levels; ++i) {
        ini.currentSection = sectionIndex(ini, "map" + std::to_string(i));
        list.mapPaths.push_back("maps\\" + ini.getString("map", ""));
        list.musicNames.push_back(ini.getString("music", ""));
    }
    return true;
}

void loadOtherPaths()
{
    GameResourcesState& s = state();
    s.settings = IniFile{};
    s.settings.load(s.settingsFile);  // missing: every folder empty
    s.settings.selectSection(otherSection);
    OtherPaths& p = s.otherPaths;
    p.imageImportPath = s.settings.getString("imageImportPath", "");
    p.imageExportPath = s.settings.getString("imageExportPath", "");
    p.importTalvexTilesPath = s.settings.getString("importTalvexTilesPath", "");
    p.importTalvexSpritePath = s.settings.getString("importTalvexSpritePath", "");
}

void saveOtherPaths()
{
    GameResourcesState& s = state();
    s.settings.selectSection(otherSection);
    const OtherPaths& p = s.otherPaths;
    s.settings.setString("imageImportPath", p.imageImportPath);
    s.settings.setString("imageExportPath", p.imageExportPath);
    s.settings.setString("importTalvexTilesPath", p.importTalvexTilesPath);
    s.settings.setString("importTalvexSpritePath", p.importTalvexSpritePath);
    if (!s.settings.save(s.settingsFile))
        KVCore::reportError(s.settings.lastError);
}

bool gameStartup()
{
    state().settingsFile = "kelvane.ini";
    loadOtherPaths();

    // Every line printed while the samples load shows at once.
    KVCore::setLoadingFlag(true);
    Audio::loadSampleFolder(resolvedAssetPath("sound"));
    Audio::setVolumeTestSampleId(Audio::getSampleId("interface\\voltest"));
    KVCore::setLoadingFlag(false);

    buildSaveSlots();

    if (loadResources())
        return true;

    freeResources();
    saveOtherPaths();
    clearSaveSlots();
    KVCore::shutdown();
    KVCore::showErrorBox(state().resourceError);
    return false;
}

void gameShutdown()
{
    freeResources();
    saveOtherPaths();
    clearSaveSlots();
    KVCore::shutdown();
}

bool loadResources()
{
    Resources& r = state().resources;
    if (r.loaded)
        freeResources();

    IniFile ini = loadGameIni();
    ini.selectSection("music");
    r.menuMusic = ini.getString("MenuMusic", "");
    r.creditsMusic = ini.getString("CreditsMusic", "");

    if (!loadGameTexture(r.levelComplete, "inter_LevelComplete.png"))
        return false;
    if (!loadGameTexture(r.outOfTime, "inter_OutOfTime.png")) {
        r.levelComplete.loaded = false;
        return false;
    }
    if (!loadGameTexture(r.paused, "inter_Paused.png")) {
        r.levelComplete.loaded = false;
        r.outOfTime.loaded = false;
        return false;
    }

    // The game can go on without any of these; it just shows less.
    const std::pair<Sprite*, const char*> sprites[] = {
        {&r.mowerIdle, "sprites\\mowerIdle.spr"},
        {&r.mowerMoving, "sprites\\mowerMoving.spr"},
        {&r.cloud1, "sprites\\cloud01.spr"},
        {&r.cloud2, "sprites\\cloud02.spr"},
    };
    for (const auto& [sprite, path] : sprites)
        if (!loadGameSprite(*sprite, path))
            KVCore::reportError(state().resourceError);

    r.skidSound = Audio::getSampleId("game\\skid");
    r.respawnSound = Audio::getSampleId("game\\respawn");
    r.engineIdleSound = Audio::getSampleId("game\\engine_idle");
    r.engineMovingSound = Audio::getSampleId("game\\engine_moving");
    r.engineMowingSound = Audio::getSampleId("game\\engine_mowing");

    r.loaded = true;
    return true;
}

void freeResources()
{
    Resources& r = state().resources;
    if (!r.loaded)
        return;
    forgetPicture(r.levelComplete);
    forgetPicture(r.outOfTime);
    forgetPicture(r.paused);
    for (Sprite* sprite : {&r.mowerIdle, &r.mowerMoving, &r.cloud1, &r.cloud2})
        sprite->clearFrames();
    r.loaded = false;
}

bool loadGameTexture(GameTexture& picture, const std::string& path)
{
    const std::string resolved = resolvedAssetPath(path);
    picture.loaded = false;
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(platform::toNativePath(resolved).string())) {
        KVCore::reportError("Unable to load GameTexture from " + resolved);
        state().resourceError = "Unable to load texture from " + resolved;
        return false;
    }
    const sf::Vector2u size = texture->getSize();
    picture.texture = std::move(texture);
    picture.width = size.x;
    picture.height = size.y;
    picture.halfWidth = size.x / 2;
    picture.halfHeight = size.y / 2;
    picture.radius = std::min(picture.halfWidth, picture.halfHeight);
    picture.loaded = true;
    return true;
}

bool loadGameSprite(Sprite& sprite, const std::string& path)
{
    const std::string resolved = resolvedAssetPath(path);
    if (sprite.load(resolved))
        return true;
    // A damaged sprite's own message does not say which of the game's
    // sprites it was; the player or modder needs to know.
    std::string& error = state().resourceError;
    error = sprite.lastError;
    if (error.find(resolved) == std::string::npos)
        error += ": " + resolved;
    return false;
}

} // namespace Game
