#include "engine/Console.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Log.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(Log, LineCarriesTheUtcTimeOfDay)
{
    test::FakeWindowScope fake;
    fake.time.utc = {2026, 12, 6, 7, 5, 9, 0};
    KVCore::log("Events poller stopped");
    EXPECT_EQ(KVCore::lastLogLine(), "07:05:09: Events poller stopped");
}

TEST(Log, WritesToTheFileOnlyWhenSwitchedOn)
{
    test::FakeWindowScope fake;
    const auto file = std::filesystem::temp_directory_path() / ("kelvane_log_" + std::to_string(::getpid()) + ".txt");
    std::filesystem::remove(file);
    KVCore::setLogFile(file.string(), false);
    KVCore::log("quiet");
    EXPECT_FALSE(std::filesystem::exists(file));

    KVCore::setLogFile(file.string(), true);
    KVCore::log("one");
    KVCore::log("two");
    KVCore::setLogFile("", false);
    std::ifstream in(file);
    std::string a, b;
    std::getline(in, a);
    std::getline(in, b);
    EXPECT_EQ(a, "12:30:15: one");
    EXPECT_EQ(b, "12:30:15: two");
    std::filesystem::remove(file);
}

TEST(Print, EmptyTextOrClosedWindowPrintsNothing)
{
    test::FakeWindowScope fake;
    KVCore::print("");
    EXPECT_TRUE(KVCore::consoleLines().empty());
    fake.window.open = false;
    KVCore::print("Game saved to x");
    EXPECT_TRUE(KVCore::consoleLines().empty());
    EXPECT_TRUE(KVCore::screenMessages().empty());
}

TEST(Print, WhiteLinesTakeTheConsoleColourOnTheConsoleOnly)
{
    test::FakeWindowScope fake;
    KVCore::print("Saved screenshot to a.png");
    KVCore::print("tinted", sf::Color(255, 255, 255, 40));
    KVCore::print("green", sf::Color::Green);
    ASSERT_EQ(KVCore::consoleLines().size(), 3u);
    EXPECT_EQ(KVCore::consoleLines()[0].colour, KVCore::consoleTextColour);
    EXPECT_EQ(KVCore::consoleLines()[1].colour, KVCore::consoleTextColour);
    EXPECT_EQ(KVCore::consoleLines()[2].colour, sf::Color::Green);
    EXPECT_EQ(KVCore::screenMessages()[0].colour, sf::Color::White);
}

TEST(Print, ReportErrorIsRedLoggedAndOnStandardError)
{
    test::FakeWindowScope fake;
    testing::internal::CaptureStderr();
    KVCore::reportError("x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: x\n");
    ASSERT_EQ(KVCore::consoleLines().size(), 1u);
    EXPECT_EQ(KVCore::consoleLines()[0].text, "x");
    EXPECT_EQ(KVCore::consoleLines()[0].colour, sf::Color(255, 0, 0, 255));
    EXPECT_EQ(KVCore::lastLogLine(), "12:30:15: Error: x");

    KVCore::printAndLog("Reloaded shaders");
    EXPECT_EQ(KVCore::lastLogLine(), "12:30:15: Reloaded shaders");
}

TEST(Print, ListsAreTrimmedOldestFirst)
{
    test::FakeWindowScope fake;
    for (int i = 0; i < 12; ++i)
        KVCore::print("message " + std::to_string(i));
    ASSERT_EQ(KVCore::screenMessages().size(), 11u);
    EXPECT_EQ(KVCore::screenMessages().front().text, "message 1");
    EXPECT_EQ(KVCore::screenMessages().back().text, "message 11");

    for (int i = 12; i < 600; ++i)
        KVCore::print("message " + std::to_string(i));
    ASSERT_EQ(KVCore::consoleLines().size(), 512u);
    EXPECT_EQ(KVCore::consoleLines().front().text, "message 88");
    EXPECT_EQ(KVCore::consoleLines().back().text, "message 599");
}

TEST(Print, MessagesAgeByWallClockSecondsAndGoAfterTen)
{
    test::FakeWindowScope fake;
    fake.time.utc.second = 59;
    KVCore::print("Level complete");

    // A new second a tenth later already counts as one.
    fake.time.utc.second = 0;
    KVCore::ageScreenMessages();
    EXPECT_EQ(KVCore::screenMessages()[0].age, 1);
    KVCore::ageScreenMessages();
    EXPECT_EQ(KVCore::screenMessages()[0].age, 1);

    for (int s = 1; s <= 9; ++s) {
        fake.time.utc.second = s;
        KVCore::ageScreenMessages();
    }
    ASSERT_EQ(KVCore::screenMessages().size(), 1u);
    EXPECT_EQ(KVCore::screenMessages()[0].age, 10);

    fake.time.utc.second = 10;
    KVCore::ageScreenMessages();
    EXPECT_TRUE(KVCore::screenMessages().empty());
}

} // namespace

namespace {

TEST(ConsoleCommandLine, ReturnTakesTheLineAndArrowsWalkTheHistory)
{
    test::FakeWindowScope fake;
    KVCore::startPoller();
    auto tick = [&](std::initializer_list<sf::Keyboard::Key> keys, const std::string& typed = "") {
        for (sf::Keyboard::Key k : keys)
            fake.window.pressKey(k);
        for (char c : typed)
            fake.window.typeChar(static_cast<sf::Uint32>(c));
        fake.time.advance(0.05);
        KVCore::pollEvents();
        KVCore::updateCommandLine();
    };
    KVCore::commandHistory() = {"first", "second"};
    // The stand-in window has nowhere to draw the console.
    ASSERT_TRUE(test::loadEngineFonts());
    KVCore::drawConsole();
    EXPECT_FALSE(KVCore::consoleDrawnThisFrame());

    tick({}, "mow");
    EXPECT_EQ(KVCore::commandLine(), "mow");
    tick({sf::Keyboard::Return});
    EXPECT_EQ(KVCore::lastCommand(), "mow");
    EXPECT_EQ(KVCore::commandLine(), "");

    // Up from the start of the history stays put; Down walks forward and
    // past the end shows an empty line.
    tick({sf::Keyboard::Up});
    EXPECT_EQ(KVCore::commandLine(), "");
    tick({sf::Keyboard::Down});
    EXPECT_EQ(KVCore::commandLine(), "second");
    tick({sf::Keyboard::Up});
    EXPECT_EQ(KVCore::commandLine(), "first");
    tick({sf::Keyboard::Down});
    tick({sf::Keyboard::Down});
    EXPECT_EQ(KVCore::commandLine(), "");

    tick({}, "ab");
    tick({sf::Keyboard::Backspace});
    EXPECT_EQ(KVCore::commandLine(), "a");
    KVCore::commandHistory().clear();
}

} // namespace
