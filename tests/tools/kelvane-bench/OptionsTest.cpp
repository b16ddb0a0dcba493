#include "Options.hpp"

#include <gtest/gtest.h>

namespace {

bool parse(std::vector<std::string_view> args, bench::Options& options, std::string& error)
{
    return bench::parseOptions(args, options, error);
}

TEST(BenchOptions, EveryOptionLandsInItsPlace)
{
    bench::Options o;
    std::string error;
    ASSERT_TRUE(parse({"--quick", "--run-folder", "run", "--game", "bin/kelvane", "--plot", "p.png", "--json", "f.json",
                       "--screenshot", "last.png", "--antialiasing", "0"},
                      o, error))
        << error;
    EXPECT_TRUE(o.quick);
    EXPECT_FALSE(o.help);
    EXPECT_EQ(o.runFolder, "run");
    EXPECT_EQ(o.game, "bin/kelvane");
    EXPECT_EQ(o.plot, "p.png");
    EXPECT_EQ(o.json, "f.json");
    EXPECT_EQ(o.screenshot, "last.png");
    EXPECT_EQ(o.antialiasing, 0u);

    bench::Options plain;
    ASSERT_TRUE(parse({}, plain, error));
    EXPECT_FALSE(plain.quick);
    EXPECT_FALSE(plain.antialiasing) << "the player's setting unless asked";
    EXPECT_EQ(plain.plot, "kelvane-bench-frames.png");
    ASSERT_TRUE(parse({"--help"}, plain, error));
    EXPECT_TRUE(plain.help);
}

TEST(BenchOptions, AnAntialiasingLevelIsAWholeNumberUpToSixteen)
{
    for (const char* level : {"0", "4", "16"}) {
        bench::Options o;
        std::string error;
        EXPECT_TRUE(parse({"--antialiasing", level}, o, error)) << level;
        EXPECT_EQ(o.antialiasing, static_cast<unsigned>(std::stoi(level)));
    }
    for (const char* level : {"17", "-1", "4x", "x4", "", "99999999999"}) {
        bench::Options o;
        std::string error;
        EXPECT_FALSE(parse({"--antialiasing", level}, o, error)) << level;
        EXPECT_EQ(error, std::string("--antialiasing takes a level from 0 to 16, not ") + level);
    }
}

TEST(BenchOptions, AnUnknownOptionOrOneWithoutItsValueIsRefused)
{
    for (const char* option : {"--fast", "--antialiasing", "--json", "--plot", "--screenshot", "--game", "--run-folder"}) {
        bench::Options o;
        std::string error;
        EXPECT_FALSE(parse({"--quick", option}, o, error)) << option;
        EXPECT_EQ(error, std::string("unknown or incomplete option ") + option);
    }
}

} // namespace
