// Whole frames of play without a window: the time by skill, the countdown,
// when a level is complete or out of time, and the mower's sounds.
#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/EngineSettings.hpp"
#include "game/PlayFixture.hpp"
#include "game/SaveGame.hpp"
#include "support/TempFolder.hpp"

namespace {

using Game::PlayOutcome;

class GamePlayTest : public test::PlayTest {
protected:
    const Game::GameState& game() const { return Game::gameState(); }
    // The only grass lies under the mower's start.
    static Map oneTuft(std::int16_t seconds = 90)
    {
        Map map = test::playMap();
        test::setCell(map, 12, 8, test::lawnTile);
        map.playerStartY = 272;
        map.timeLimit = seconds;
        return map;
    }
};

TEST_F(GamePlayTest, TheSkillSetsTheTime)
{
    for (const auto& [skill, expected] : {std::pair{SkillEasy, 180}, {SkillNormal, 90}, {SkillHard, 67}}) {
        start(test::playMap(), skill);
        EXPECT_EQ(game().timeLeft, expected) << skill;
    }
    start(test::playMap(), 7);
    EXPECT_EQ(game().timeLeft, 67) << "an unknown skill leaves the time alone";
    Map patient = test::playMap();
    patient.timeLimit = 20000;
    start(std::move(patient), SkillEasy);
    EXPECT_EQ(game().timeLeft, 32767) << "doubled, a long limit stays positive";
}

TEST_F(GamePlayTest, TheCountdownFollowsTheClockNotTheFrames)
{
    start(test::playMap(test::lawnTile));
    frames(59);
    EXPECT_EQ(game().timeLeft, 90);
    frame(0.02f);
    EXPECT_EQ(game().timeLeft, 89);
    frame(0.5f);
    frame(0.49f);
    EXPECT_EQ(game().timeLeft, 89) << "each second starts when the last was counted";
    frame(0.01f);
    EXPECT_EQ(Game::timeLeftText(), "088");
}

TEST_F(GamePlayTest, CompletionIsActedOnAtTheEndOfTheNextFrame)
{
    start(oneTuft());
    EXPECT_EQ(Game::levelLine(), "Level 1: Test Lawn (0.0% complete)");
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(Game::levelLine(), "Level 1: Test Lawn (100.0% complete)");
    EXPECT_EQ(frame(), PlayOutcome::LevelComplete);

    // A lawn with nothing to mow is complete at the end of its second frame.
    Game::gameState().levelIndex = 4;
    start(test::playMap());
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(Game::levelLine(), "Level 5: Test Lawn (0.0% complete)");
    EXPECT_EQ(frame(), PlayOutcome::LevelComplete);
}

// The bar's texts are written into the same strings frame after frame; a
// shorter text leaves nothing of a longer one behind.
TEST_F(GamePlayTest, TheHeadsUpTextsReadTheState)
{
    start(test::playMap());
    Game::GameState& state = Game::gameState();
    std::string text = "a longer text from an earlier frame";
    for (const auto& [seconds, expected] : {std::pair{90, "090"}, {7, "007"}, {0, "000"}, {-5, "-05"},
                                            {-123, "-123"}, {1234, "1234"}}) {
        state.timeLeft = static_cast<std::int16_t>(seconds);
        Game::writeTimeLeft(text);
        EXPECT_EQ(text, expected) << seconds;
    }
    struct Line {
        std::int16_t level;
        std::int16_t mown, grass;
        const char* expected;
    };
    // Halves go to the even tenth, as the C library prints them.
    for (const Line& l : {Line{9, 1, 3, "Level 10: Test Lawn (33.3% complete)"},
                          Line{0, 2, 3, "Level 1: Test Lawn (66.7% complete)"},
                          Line{0, 1, 16, "Level 1: Test Lawn (6.2% complete)"},
                          Line{0, 3, 16, "Level 1: Test Lawn (18.8% complete)"}}) {
        state.levelIndex = l.level;
        state.mownCount = l.mown;
        state.grassCount = l.grass;
        text = std::string(600, '#');
        Game::writeLevelLine(text);
        EXPECT_EQ(text, l.expected);
    }
    Game::currentMap().title = std::string(600, 'T');
    Game::writeLevelLine(text);
    EXPECT_EQ(text.size(), 511u) << "a long title is cut";
    EXPECT_EQ(text.substr(0, 10), "Level 1: T");
}

TEST_F(GamePlayTest, RunningOutOfTimeBeatsACompletionNotYetActedOn)
{
    start(oneTuft(1));
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(game().mownCount, game().grassCount);
    EXPECT_EQ(frame(1.f), PlayOutcome::OutOfTime);
    EXPECT_FALSE(game().levelComplete);
}

// The mower's sounds, heard through the audio module on the null device.
class MowerSoundTest : public GamePlayTest {
protected:
    void SetUp() override
    {
        KVCore::settings() = KVCore::EngineSettings{};
        ASSERT_TRUE(Audio::init() && Audio::soundEnabled()) << "run with ALSOFT_DRIVERS=null";
        for (const char* name : {"skid", "engine_idle", "engine_moving", "engine_mowing"})
            test::writeFile(sounds.root() / "game" / (std::string(name) + ".wav"),
                            test::audio::wavFile(test::audio::sine(440, 2.0)));
        Audio::loadSampleFolder(sounds.root().string());
        Game::Resources& r = Game::resources();
        r.skidSound = Audio::getSampleId("game\\skid");
        r.engineIdleSound = Audio::getSampleId("game\\engine_idle");
        r.engineMovingSound = Audio::getSampleId("game\\engine_moving");
        r.engineMowingSound = Audio::getSampleId("game\\engine_mowing");
    }
    void TearDown() override
    {
        Game::Resources& r = Game::resources();
        r.skidSound = r.engineIdleSound = r.engineMovingSound = r.engineMowingSound = -1;
        Audio::shutdown();
        KVCore::settings() = saved;
    }
    // A loop not asked for again stops a few ticks later, so every frame
    // here is also a tick.
    void play(int count)
    {
        for (int i = 0; i < count; ++i) {
            frame();
            Audio::pollSound();
        }
    }
    static bool playing(const char* tag) { return Audio::findPlayingSound(tag) >= 0; }

    test::TempFolder sounds;
    KVCore::EngineSettings saved = KVCore::settings();
};

TEST_F(MowerSoundTest, TheEngineNoteFollowsTheMowerAndTurnsSkid)
{
    Map map = oneTuft();
    for (int column = 0; column < Map::width; ++column)
        test::setCell(map, column, 5, test::wallTile);  // y 160 to 191
    map.playerStartY = 310;
    start(std::move(map));
    play(1);
    EXPECT_TRUE(playing("Player_Idle"));

    hold({sf::Keyboard::Up});
    play(1);  // the box's top reaches the tuft at once
    EXPECT_TRUE(playing("Player_Mowing") && !playing("Player_Moving"));
    EXPECT_FALSE(playing("PlayerSkid")) << "starting off the way it faces";
    play(19);
    EXPECT_TRUE(playing("Player_Mowing")) << "twenty frames of mowing note";
    play(6);
    EXPECT_TRUE(playing("Player_Moving") && !playing("Player_Mowing"));
    play(30);  // against the wall
    EXPECT_TRUE(playing("Player_Idle") && !playing("Player_Moving"));

    hold({sf::Keyboard::Left});
    play(1);
    EXPECT_TRUE(playing("PlayerSkid"));
}

} // namespace
