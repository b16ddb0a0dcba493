// Whole frames of play without a window: the countdown, the time by skill,
// when a level is complete or out of time, the level list, and the mower's
// sounds.
#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/EngineSettings.hpp"
#include "game/GamePlay.hpp"
#include "game/GameResources.hpp"
#include "game/GameState.hpp"
#include "game/PlayFixture.hpp"
#include "game/SaveGame.hpp"
#include "storage/AssetPaths.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Game::PlayOutcome;
using sf::Keyboard;

class GamePlayTest : public test::PlayTest {
protected:
    const Game::GameState& game() const { return Game::gameState(); }
    // A map whose only grass lies under the mower's start.
    static Map oneTuft()
    {
        Map map = test::playMap();
        test::setCell(map, 12, 8, test::lawnTile);
        return map;
    }
};

TEST_F(GamePlayTest, TheSkillSetsTheTime)
{
    for (const auto& [skill, expected] : {std::pair{SkillEasy, 180}, {SkillNormal, 90}, {SkillHard, 67}}) {
        start(test::playMap(), skill);
        EXPECT_EQ(game().timeLeft, expected) << skill;
    }
    Game::gameState().timeLeft = 12;
    start(test::playMap(), 7);
    EXPECT_EQ(game().timeLeft, 12) << "an unknown skill leaves the time alone";

    Map patient = test::playMap();
    patient.timeLimit = 20000;
    start(std::move(patient), SkillEasy);
    EXPECT_EQ(game().timeLeft, 32767) << "doubled, a long limit stays positive";
}

TEST_F(GamePlayTest, TheCountdownFollowsTheClockNotTheFrames)
{
    start(test::playMap(test::lawnTile));
    EXPECT_EQ(frames(59), PlayOutcome::Playing);
    EXPECT_EQ(game().timeLeft, 90);
    frame(0.02f);
    EXPECT_EQ(game().timeLeft, 89);
    frame(0.5f);
    frame(0.49f);
    EXPECT_EQ(game().timeLeft, 89);
    frame(0.01f);
    EXPECT_EQ(game().timeLeft, 88);

    // A time that counts down restarts its second; time before a restart of
    // the clock (the pause) does not count.
    frame(0.7f);
    Game::restartSecondClock();
    frame(0.5f);
    EXPECT_EQ(game().timeLeft, 88);
    frame(0.5f);
    EXPECT_EQ(game().timeLeft, 87);
    EXPECT_EQ(Game::timeLeftText(), "087");
}

TEST_F(GamePlayTest, EachSecondRollsTheFiveAmbientSounds)
{
    start(test::playMap(test::lawnTile));
    // A seed whose five rolls all fail, so no sound draws a place.
    unsigned seed = 1;
    for (;; ++seed) {
        std::srand(seed);
        if (std::rand() % 15 && std::rand() % 80 && std::rand() % 90 && std::rand() % 25 && std::rand() % 25)
            break;
    }
    const int sixth = std::rand();
    std::srand(seed);
    frame(1.f);
    EXPECT_EQ(std::rand(), sixth);
}

TEST_F(GamePlayTest, CompletionIsActedOnAtTheEndOfTheNextFrame)
{
    Map map = oneTuft();
    map.playerStartY = 272;
    start(std::move(map));
    EXPECT_EQ(Game::levelLine(), "Level 1: Test Lawn (0.0% complete)");
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(game().mownCount, 1);
    EXPECT_EQ(Game::levelLine(), "Level 1: Test Lawn (100.0% complete)");
    EXPECT_EQ(frame(), PlayOutcome::LevelComplete);
    EXPECT_FALSE(game().levelComplete) << "taken once";

    // A lawn with nothing to mow is complete at the end of its second frame.
    Game::gameState().levelIndex = 4;
    start(test::playMap());
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(Game::levelLine(), "Level 5: Test Lawn (0.0% complete)");
    EXPECT_EQ(frame(), PlayOutcome::LevelComplete);
}

TEST_F(GamePlayTest, RunningOutOfTimeBeatsACompletionNotYetActedOn)
{
    Map map = oneTuft();
    map.playerStartY = 272;
    map.timeLimit = 1;
    start(std::move(map));
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(game().mownCount, game().grassCount);
    EXPECT_EQ(frame(1.f), PlayOutcome::OutOfTime);
    EXPECT_EQ(game().timeLeft, 0);
    EXPECT_FALSE(game().levelComplete);

    // Started again: the grass is back and the full time with it.
    Map again = oneTuft();
    again.timeLimit = 1;
    start(std::move(again));
    EXPECT_EQ(game().mownCount, 0);
    EXPECT_EQ(game().timeLeft, 1);
    EXPECT_EQ(frame(), PlayOutcome::Playing);
}

TEST_F(GamePlayTest, LevelsComeFromTheLevelListAndNeverFromBeyondIt)
{
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd(data.root());
    std::filesystem::create_directories(data.root() / "base" / "tiles");
    std::filesystem::create_directories(data.root() / "base" / "maps");
    Map map = oneTuft();
    ASSERT_TRUE(map.tileset.save(data.file("base/tiles/kelvane.til"))) << map.tileset.lastError;
    map.title = "Listed";
    map.cloudCount = 2;
    ASSERT_TRUE(map.save(data.file("base/maps/lawn.map"))) << map.lastError;

    Game::MapsList& list = Game::mapsList();
    list.mapPaths = {"maps\\lawn.map", "maps\\missing.map"};
    list.musicNames = {"", ""};
    ASSERT_TRUE(Game::startLevel(std::int16_t(0))) << Game::gameError();
    EXPECT_EQ(Game::currentMap().title, "Listed");
    EXPECT_EQ(game().grassCount, 1);
    EXPECT_EQ(Game::worldObjects().size(), 2u);

    EXPECT_FALSE(Game::startLevel(std::int16_t(1)));
    EXPECT_EQ(Game::gameError(), "Unable to open " + resolvedAssetPath("maps\\missing.map"));
    EXPECT_FALSE(Game::startLevel(std::int16_t(2)));
    EXPECT_EQ(Game::gameError(), "Level 3 is not in the level list");
    EXPECT_FALSE(Game::startLevel(std::int16_t(-1)));
    list.mapPaths.clear();
    EXPECT_FALSE(Game::startLevel(std::int16_t(0)));
    EXPECT_EQ(Game::gameError(), "Level 1 is not in the level list");
    list.musicNames.clear();
}

// The mower's sounds, heard through the audio module on the null device.
class MowerSoundTest : public GamePlayTest {
protected:
    void SetUp() override
    {
        saved = KVCore::settings();
        KVCore::settings() = KVCore::EngineSettings{};
        ASSERT_TRUE(Audio::init());
        ASSERT_TRUE(Audio::soundEnabled()) << "needs an audio device; run with ALSOFT_DRIVERS=null";
        const std::string tone = test::audio::wavFile(test::audio::sine(440, 2.0));
        for (const char* name : {"skid", "engine_idle", "engine_moving", "engine_mowing"})
            test::writeFile(sounds.root() / "game" / (std::string(name) + ".wav"), tone);
        Audio::loadSampleFolder(sounds.root().string());
        Game::Resources& r = Game::resources();
        r.skidSound = Audio::getSampleId("game\\skid");
        r.engineIdleSound = Audio::getSampleId("game\\engine_idle");
        r.engineMovingSound = Audio::getSampleId("game\\engine_moving");
        r.engineMowingSound = Audio::getSampleId("game\\engine_mowing");
        ASSERT_GT(r.engineMowingSound, 0);
    }
    void TearDown() override
    {
        Game::Resources& r = Game::resources();
        r.skidSound = r.engineIdleSound = r.engineMovingSound = r.engineMowingSound = -1;
        Audio::shutdown();
        KVCore::settings() = saved;
    }
    static bool playing(const char* tag) { return Audio::findPlayingSound(tag) >= 0; }

    test::TempFolder sounds;
    KVCore::EngineSettings saved;
};

TEST_F(MowerSoundTest, SkidOnlyWhenTheKeysTurnTheMower)
{
    start(test::playMap());
    hold({Keyboard::Up});
    frame();
    EXPECT_FALSE(playing("PlayerSkid")) << "starting up the way it faces";
    releaseKeys();
    frame();
    EXPECT_FALSE(playing("PlayerSkid")) << "letting go keeps the heading";
    hold({Keyboard::Left});
    frame();
    EXPECT_TRUE(playing("PlayerSkid"));
}

TEST_F(MowerSoundTest, TheEngineNoteFollowsWhatTheMowerDoes)
{
    // A loop not asked for again stops a few ticks later, so every frame
    // here is also a tick.
    const auto play = [this](int count) {
        for (int i = 0; i < count; ++i) {
            frame();
            Audio::pollSound();
        }
    };
    Map map = test::playMap();
    for (int column = 0; column < Map::width; ++column)
        test::setCell(map, column, 5, test::wallTile);  // y 160 to 191
    test::setCell(map, 12, 8, test::lawnTile);           // y 256 to 287
    map.playerStartY = 310;
    start(std::move(map));
    play(1);
    EXPECT_TRUE(playing("Player_Idle"));

    hold({Keyboard::Up});
    play(1);  // the box's top reaches row 8 at once
    EXPECT_TRUE(playing("Player_Mowing"));
    EXPECT_FALSE(playing("Player_Moving"));
    EXPECT_EQ(game().mowingTimer, 19);
    play(19);
    EXPECT_EQ(game().mowingTimer, 0);
    EXPECT_TRUE(playing("Player_Mowing")) << "twenty frames of mowing note";
    play(6);
    EXPECT_TRUE(playing("Player_Moving"));
    EXPECT_FALSE(playing("Player_Mowing"));

    play(30);  // against the wall
    EXPECT_GE(Game::player().y - 20.f, 192.f);
    EXPECT_LT(Game::player().y - 20.f, 195.f);
    EXPECT_TRUE(playing("Player_Idle"));
    EXPECT_FALSE(playing("Player_Moving"));
}

} // namespace
