// A game killed while it saves: a saved game, a map from the editor and the
// engine settings are each the old file or the new one, whole; what a kill
// leaves half-written is passed by and then replaced.
#include "engine/EngineSettings.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/FileSelector.hpp"
#include "gui/ModalDriver.hpp"
#include "storage/SafeFile.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"
#include "world/Map.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One version of everything the burst saves.
struct Version {
    std::int16_t level;
    std::int16_t skill;
    std::string mapTitle;
    int width;
    std::string musicFolder;
};

class InterruptedSaves : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        fs::create_directories(dir.root() / "base" / "maps");
        slot.path = "base\\savegames\\000.sav";
        Game::currentSlot() = &slot;
        map.newMap();
    }
    void TearDown() override
    {
        Game::currentSlot() = nullptr;
        KVCore::settings() = KVCore::EngineSettings{};
    }

    // Writes all three files as the version has them; false when one fails.
    bool save(const Version& v)
    {
        map.title = v.mapTitle;
        map.cells.fill(static_cast<std::uint16_t>(v.width));
        KVCore::settings().width = v.width;
        KVCore::settings().musicLoadPath = v.musicFolder;
        return Game::saveGame(v.level, v.skill) && map.save(mapPath) && KVCore::saveSettings();
    }
    std::vector<std::string> contents() const
    {
        return {test::readFile(dir.root() / "base/savegames/000.sav"), test::readFile(dir.root() / "base/maps/lawn.map"),
                test::readFile(dir.root() / KVCore::settingsFileName)};
    }
    static std::vector<std::string> tempFiles()
    {
        return {SafeFile::tempPathFor("base/savegames/000.sav"), SafeFile::tempPathFor("base/maps/lawn.map"),
                SafeFile::tempPathFor(KVCore::settingsFileName)};
    }
    // What the map editor's selector lists in the maps folder.
    std::vector<std::string> mapsListed(const std::string& extensions)
    {
        kv::FileSelector selector;
        selector.create();
        selector.setPath((dir.root() / "base/maps/").string());
        for (const std::string& e : kv::splitExtensions(extensions))
            selector.addExtension(e);
        std::vector<std::string> seen;
        test::ModalDriver driver(fake.window);
        driver.then([&](test::FakeWindow&) { seen = selector.listEntries(); }).press(sf::Keyboard::Escape);
        selector.run();
        return seen;
    }

    test::FakeWindowScope fake;
    test::TempFolder dir;
    test::ScopedWorkingDirectory inDir{dir.root()};
    Game::SaveSlot slot;
    Map map;
    const std::string mapPath = "base\\maps\\lawn.map";
};

TEST_F(InterruptedSaves, EachFileIsTheOldOrTheNewAndWhatIsLeftIsPassedByThenReplaced)
{
    // The settings file is made long so a kill can fall inside its write.
    const Version a{1, 0, "Old Lawn", 800, std::string(20000, 'a')};
    const Version b{6, 2, "New Lawn", 1024, std::string(30000, 'b')};
    ASSERT_TRUE(save(b));
    const std::vector<std::string> newer = contents();
    ASSERT_TRUE(save(a));
    const std::vector<std::string> older = contents();
    for (std::size_t i = 0; i < older.size(); ++i)
        ASSERT_NE(older[i], newer[i]) << i;

    std::mt19937 random(14);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            for (int i = 0; i < 100000; ++i)
                save(i % 2 == 0 ? b : a);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const std::vector<std::string> now = contents();
        for (std::size_t i = 0; i < now.size(); ++i)
            ASSERT_TRUE(now[i] == older[i] || now[i] == newer[i])
                << "file " << i << " is a mix after round " << round << " (" << now[i].size() << " bytes)";
    }
    // The loaders read what the last round left as one version or the other.
    SaveGame saved;
    ASSERT_TRUE(saved.load(slot.path)) << saved.errorText;
    EXPECT_TRUE(saved.levelIndex == a.level || saved.levelIndex == b.level);
    Map loaded;
    ASSERT_TRUE(loaded.load(mapPath)) << loaded.lastError;
    EXPECT_TRUE(loaded.title == a.mapTitle || loaded.title == b.mapTitle);
    KVCore::loadSettings();
    EXPECT_TRUE(KVCore::settings().musicLoadPath == a.musicFolder || KVCore::settings().musicLoadPath == b.musicFolder);
    EXPECT_TRUE(KVCore::settings().width == (KVCore::settings().musicLoadPath == a.musicFolder ? a.width : b.width));

    // Whatever the rounds left, each file now has a half-written new version
    // beside it, as a kill in the middle of a write leaves it.
    for (const std::string& temp : tempFiles())
        test::writeFile(temp, std::string(7, '\xff'));
    EXPECT_EQ(mapsListed("map"), std::vector<std::string>{"lawn.map"});
    EXPECT_EQ(mapsListed(""), std::vector<std::string>{"lawn.map"});
    Game::SaveSlot shown{"", slot.path};
    EXPECT_NE(Game::slotLabel(shown), "(empty slot)") << shown.errorText;

    // The next save of each file takes its temporary file's place.
    ASSERT_TRUE(save(b));
    EXPECT_EQ(contents(), newer);
    for (const std::string& temp : tempFiles())
        EXPECT_FALSE(fs::exists(temp)) << temp;
}

} // namespace
