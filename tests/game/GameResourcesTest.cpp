// The game's start-up and shutdown, its fixed resources, the level list
// of "game.ini" and the folder memory of "kelvane.ini", in a data folder
// the test writes for itself.

#include "game/GameResources.hpp"
#include "support/BuildPaths.hpp"

#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/KVCore.hpp"
#include "engine/Log.hpp"
#include "game/SaveSlots.hpp"
#include "storage/AssetPaths.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The mod folder named on the command line, put back afterwards.
class ScopedModFolder {
public:
    explicit ScopedModFolder(const std::string& folder) : given_(modFolderGiven), folder_(modFolder)
    {
        modFolderGiven = !folder.empty();
        modFolder = folder;
    }
    ~ScopedModFolder()
    {
        modFolderGiven = given_;
        modFolder = folder_;
    }

private:
    bool given_;
    std::string folder_;
};

const char* const gameIni = "[music]\nMenuMusic=menu.xm\nCreditsMusic=credits.ogg\n"
                            "[info]\nMapsCount=1\n[map0]\nmap=level01.map\nmusic=level1.xm\n";

class GameResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDataFolder("base");
        ASSERT_TRUE(Audio::init());
    }
    void TearDown() override
    {
        Game::freeResources();
        Game::clearSaveSlots();
        Game::mapsList() = {};
        Game::otherPaths() = {};
        Audio::shutdown();
    }

    // Everything start-up reads: pictures of distinct sizes, four sprites,
    // a few samples (no mowing engine) and "game.ini".
    void writeDataFolder(const std::string& root)
    {
        writePicture(root + "/inter_LevelComplete.png", 300, 101);
        writePicture(root + "/inter_OutOfTime.png", 64, 200);
        writePicture(root + "/inter_Paused.png", 32, 32);
        for (const char* name : {"mowerIdle", "mowerMoving", "cloud01", "cloud02"})
            writeSprite(root + "/sprites/" + name + ".spr");
        for (const char* name : {"interface/voltest.wav", "game/skid1.wav", "game/skid2.wav", "game/respawn.wav",
                                 "game/engine_idle.wav", "game/engine_moving.wav"})
            test::writeFile(dir.root() / root / "sound" / name, test::audio::wavFile(test::audio::sine(440, 0.05)));
        test::writeFile(dir.root() / root / "game.ini", gameIni);
    }
    void writePicture(const std::string& relative, unsigned width, unsigned height)
    {
        fs::create_directories((dir.root() / relative).parent_path());
        sf::Image image;
        image.create(width, height, sf::Color(20, 120, 40));
        ASSERT_TRUE(image.saveToFile(dir.file(relative)));
    }
    void writeSprite(const std::string& relative)
    {
        fs::create_directories((dir.root() / relative).parent_path());
        sf::Image frame;
        frame.create(24, 16, sf::Color::Red);
        Sprite sprite;
        sprite.addFrame(frame, "", 50, true);
        ASSERT_TRUE(sprite.save(dir.file(relative))) << sprite.lastError;
    }
    bool errorShown(const std::string& text) const
    {
        const auto& lines = KVCore::consoleLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const auto& l) { return l.text == text && l.colour == KVCore::errorColour; });
    }
    static std::vector<std::string> spriteFrameCounts()
    {
        Game::Resources& r = Game::resources();
        std::vector<std::string> counts;
        for (const Sprite* s : {&r.mowerIdle, &r.mowerMoving, &r.cloud1, &r.cloud2})
            counts.push_back(std::to_string(s->frames.size()));
        return counts;
    }

    test::FakeWindowScope fake;
    test::TempFolder dir;
    test::ScopedWorkingDirectory inDir{dir.root()};
    ScopedModFolder noMod{""};
};

TEST_F(GameResourcesTest, ResourcesLoadPicturesSpritesSamplesAndMusicNames)
{
    Audio::loadSampleFolder("base\\sound");
    ASSERT_TRUE(Game::loadResources());
    const Game::Resources& r = Game::resources();
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(r.menuMusic, "menu.xm");
    EXPECT_EQ(r.creditsMusic, "credits.ogg");

    const GameTexture& complete = r.levelComplete;
    ASSERT_TRUE(complete.loaded && complete.texture);
    EXPECT_EQ(complete.texture->getSize(), sf::Vector2u(300, 101));
    EXPECT_EQ(std::vector<std::uint32_t>({complete.width, complete.height, complete.halfWidth, complete.halfHeight,
                                          complete.radius}),
              std::vector<std::uint32_t>({300, 101, 150, 50, 50}));
    EXPECT_EQ(r.outOfTime.radius, 32u);  // the narrow side
    EXPECT_TRUE(r.paused.loaded);
    EXPECT_EQ(spriteFrameCounts(), std::vector<std::string>({"1", "1", "1", "1"}));

    EXPECT_EQ(r.skidSound, Audio::getSampleId("game\\skid"));
    EXPECT_EQ(Audio::sampleVariantCount(r.skidSound), 2);
    EXPECT_EQ(r.respawnSound, Audio::getSampleId("game\\respawn"));
    EXPECT_EQ(r.engineIdleSound, Audio::getSampleId("game\\engine_idle"));
    EXPECT_EQ(r.engineMovingSound, Audio::getSampleId("game\\engine_moving"));
    EXPECT_GE(std::min({r.skidSound, r.respawnSound, r.engineIdleSound, r.engineMovingSound}), 1);
    EXPECT_EQ(r.engineMowingSound, -1);  // no such sample: that engine note stays silent

    Game::freeResources();
    EXPECT_FALSE(r.loaded || r.levelComplete.loaded || r.outOfTime.loaded || r.paused.loaded);
    EXPECT_EQ(spriteFrameCounts(), std::vector<std::string>({"0", "0", "0", "0"}));
    // Loading again after a free gives the same set, not a doubled one.
    ASSERT_TRUE(Game::loadResources());
    ASSERT_TRUE(Game::loadResources());
    EXPECT_EQ(spriteFrameCounts(), std::vector<std::string>({"1", "1", "1", "1"}));
}

TEST_F(GameResourcesTest, AMissingPictureEndsTheLoadAndClearsThePicturesBeforeIt)
{
    fs::remove(dir.root() / "base/inter_OutOfTime.png");
    EXPECT_FALSE(Game::loadResources());
    const Game::Resources& r = Game::resources();
    EXPECT_FALSE(r.loaded || r.levelComplete.loaded || r.outOfTime.loaded || r.paused.loaded);
    EXPECT_TRUE(errorShown("Unable to load GameTexture from base\\inter_OutOfTime.png"));
    EXPECT_EQ(Game::resourceError(), "Unable to load texture from base\\inter_OutOfTime.png");
    EXPECT_EQ(spriteFrameCounts(), std::vector<std::string>({"0", "0", "0", "0"}));

    writePicture("base/inter_OutOfTime.png", 64, 200);
    test::writeFile(dir.root() / "base/inter_Paused.png", "not a picture");
    EXPECT_FALSE(Game::loadResources());
    EXPECT_FALSE(r.levelComplete.loaded || r.outOfTime.loaded || r.paused.loaded);
    EXPECT_EQ(Game::resourceError(), "Unable to load texture from base\\inter_Paused.png");
}

TEST_F(GameResourcesTest, AMissingOrBrokenSpriteIsReportedAndTheRestLoads)
{
    fs::remove(dir.root() / "base/sprites/cloud01.spr");
    test::writeFile(dir.root() / "base/sprites/mowerIdle.spr", "Kelvane Sprite, or not");
    ASSERT_TRUE(Game::loadResources());
    EXPECT_TRUE(Game::resources().loaded);
    EXPECT_EQ(spriteFrameCounts(), std::vector<std::string>({"0", "1", "0", "1"}));
    EXPECT_TRUE(errorShown("Not a valid sprite file: base\\sprites\\mowerIdle.spr"));
    EXPECT_TRUE(errorShown("Unable to open base\\sprites\\cloud01.spr"));
    EXPECT_EQ(Game::resourceError(), "Unable to open base\\sprites\\cloud01.spr");
}

TEST_F(GameResourcesTest, TheLevelListReadsExactlyMapsCountSections)
{
    const auto readList = [&](const std::string& ini) {
        test::writeFile(dir.root() / "base/game.ini", ini);
        Game::gameError().clear();
        return Game::loadMapsList();
    };
    const Game::MapsList& list = Game::mapsList();
    ASSERT_TRUE(readList("[info]\nMapsCount=3\n[map2]\nmap=c.map\nmusic=c.xm\n[map0]\nmap=a.map\nmusic=a.xm\n"
                         "[map1]\nmusic=b.ogg\n[map3]\nmap=d.map\nmusic=d.xm\n"));
    // Section order map0, map1, ... whatever the file's order; map3 is not
    // counted; a level without a map key names no file.
    EXPECT_EQ(list.mapPaths, std::vector<std::string>({"maps\\a.map", "maps\\", "maps\\c.map"}));
    EXPECT_EQ(list.musicNames, std::vector<std::string>({"a.xm", "b.ogg", "c.xm"}));
    EXPECT_EQ(Game::gameError(), "");

    // A count beyond the sections gives levels that name no file.
    ASSERT_TRUE(readList("[info]\nMapsCount=2\n[map0]\nmap=a.map\n"));
    EXPECT_EQ(list.mapPaths, std::vector<std::string>({"maps\\a.map", "maps\\"}));
    EXPECT_EQ(list.musicNames, std::vector<std::string>({"", ""}));

    for (const char* ini : {"[info]\nMapsCount=0\n[map0]\nmap=a.map\n", "[info]\nMapsCount=-3\n[map0]\nmap=a.map\n",
                            "[map0]\nmap=a.map\n", "[info]\nMapsCount=lots\n"}) {
        EXPECT_FALSE(readList(ini)) << ini;
        EXPECT_EQ(Game::gameError(), "No entries in maps list") << ini;
        EXPECT_TRUE(list.mapPaths.empty() && list.musicNames.empty()) << ini;
    }
    fs::remove(dir.root() / "base/game.ini");
    Game::gameError().clear();
    EXPECT_FALSE(Game::loadMapsList());
    EXPECT_EQ(Game::gameError(), "No entries in maps list");

    // A saved game numbers levels in 16 bits: a list stops there, at once.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(readList("[info]\nMapsCount=2000000000\n[map0]\nmap=a.map\n"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_EQ(list.mapPaths.size(), 32767u);
    EXPECT_EQ(list.mapPaths.back(), "maps\\");
}

TEST_F(GameResourcesTest, AModFolderGivesTheGameDataButTheSettingsStayInTheWorkingDirectory)
{
    writeDataFolder("mymod");
    test::writeFile(dir.root() / "mymod/game.ini", "[music]\nMenuMusic=mod.xm\n[info]\nMapsCount=1\n[map0]\nmap=mod.map\n");
    fs::remove_all(dir.root() / "base");
    test::writeFile(dir.root() / "kelvane.ini",
                    "[Editor]\nzoom=2\n[Other]\nimageImportPath=pics\nimportTalvexSpritePath=old\\sprites\n");
    ScopedModFolder mod("mymod");

    Game::loadOtherPaths();
    EXPECT_EQ(Game::otherPaths().imageImportPath, "pics");
    EXPECT_EQ(Game::otherPaths().imageExportPath, "");
    EXPECT_EQ(Game::otherPaths().importTalvexSpritePath, "old\\sprites");
    ASSERT_TRUE(Game::loadResources()) << Game::resourceError();
    EXPECT_EQ(Game::resources().menuMusic, "mod.xm");
    EXPECT_EQ(spriteFrameCounts(), std::vector<std::string>({"1", "1", "1", "1"}));
    ASSERT_TRUE(Game::loadMapsList());
    EXPECT_EQ(Game::mapsList().mapPaths, std::vector<std::string>({"maps\\mod.map"}));
    Game::buildSaveSlots();
    EXPECT_EQ(Game::saveSlots().at(5).path, "mymod\\savegames\\005.sav");

    Game::otherPaths().imageExportPath = "exports";
    Game::otherPaths().importTalvexTilesPath = "talvex tiles";
    Game::saveOtherPaths();
    EXPECT_FALSE(fs::exists(dir.root() / "mymod/kelvane.ini"));
    Game::otherPaths() = {};
    Game::loadOtherPaths();
    EXPECT_EQ(Game::otherPaths().imageImportPath, "pics");
    EXPECT_EQ(Game::otherPaths().imageExportPath, "exports");
    EXPECT_EQ(Game::otherPaths().importTalvexTilesPath, "talvex tiles");
    EXPECT_EQ(Game::otherPaths().importTalvexSpritePath, "old\\sprites");
    // What the game does not read is kept.
    EXPECT_NE(test::readFile(dir.root() / "kelvane.ini").find("[Editor]\nzoom=2\n"), std::string::npos);

    // No file at all: every folder empty, and the file is written on save.
    fs::remove(dir.root() / "kelvane.ini");
    Game::loadOtherPaths();
    EXPECT_EQ(Game::otherPaths().imageImportPath, "");
    Game::saveOtherPaths();
    const std::string written = test::readFile(dir.root() / "kelvane.ini");
    for (const char* key : {"imageImportPath=", "imageExportPath=", "importTalvexTilesPath=", "importTalvexSpritePath="})
        EXPECT_NE(written.find(std::string("\n") + key + "\n"), std::string::npos) << key;
}

// Start-up and shutdown around a real engine core, in a working directory
// that lends the built engine data.
class GameStartupTest : public GameResourcesTest {
protected:
    void SetUp() override
    {
        GameResourcesTest::SetUp();
        Audio::shutdown();
        fs::create_directory_symlink(fs::path(test::built::runFolder()) / "zavi3", dir.root() / "zavi3");
        test::writeFile(dir.root() / "kelvane.ini", "[Other]\nimageExportPath=shots\n");
        ASSERT_TRUE(KVCore::init());
    }
    void TearDown() override
    {
        KVCore::shutdown();
        GameResourcesTest::TearDown();
    }
    test::ScopedEnv answerBoxes{"KELVANE_MESSAGEBOX", "ok"};
};

TEST_F(GameStartupTest, StartupBringsUpSettingsSamplesSlotsAndResourcesAndShutdownTakesThemDown)
{
    ASSERT_TRUE(Game::gameStartup()) << Game::resourceError();
    EXPECT_EQ(Game::otherPaths().imageExportPath, "shots");
    EXPECT_FALSE(KVCore::loadingFlag());
    EXPECT_GE(Audio::volumeTestSampleId(), 1);
    EXPECT_EQ(Audio::volumeTestSampleId(), Audio::getSampleId("interface\\voltest"));
    ASSERT_EQ(Game::saveSlots().size(), 8u);
    EXPECT_EQ(Game::saveSlots().front().path, "base\\savegames\\000.sav");
    EXPECT_EQ(Game::saveSlots().back().path, "base\\savegames\\007.sav");
    // The samples were there before the resources looked them up.
    EXPECT_TRUE(Game::resources().loaded);
    EXPECT_GE(Game::resources().skidSound, 1);

    Game::otherPaths().imageImportPath = "imports";
    Game::gameShutdown();
    EXPECT_FALSE(KVCore::initialised());
    EXPECT_FALSE(Game::resources().loaded);
    EXPECT_TRUE(Game::saveSlots().empty());
    const std::string settings = test::readFile(dir.root() / "kelvane.ini");
    EXPECT_NE(settings.find("imageImportPath=imports"), std::string::npos);
    EXPECT_NE(settings.find("imageExportPath=shots"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.root() / "zavi3.ini"));  // the core's own settings, written by its shutdown
}

TEST_F(GameStartupTest, AMissingPictureTearsEverythingDownAndShowsWhy)
{
    fs::remove(dir.root() / "base/inter_LevelComplete.png");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Game::gameStartup());
    const std::string boxes = testing::internal::GetCapturedStderr();
    EXPECT_NE(boxes.find("Error: Unable to load texture from base\\inter_LevelComplete.png\n"), std::string::npos)
        << boxes;
    EXPECT_FALSE(KVCore::initialised());
    EXPECT_FALSE(Game::resources().loaded);
    EXPECT_TRUE(Game::saveSlots().empty());
    EXPECT_TRUE(fs::exists(dir.root() / "zavi3.ini"));
    EXPECT_NE(test::readFile(dir.root() / "kelvane.ini").find("imageExportPath=shots"), std::string::npos);
}

} // namespace
