#include "Report.hpp"

#include <gtest/gtest.h>

namespace {

bench::Report sample()
{
    bench::Report r;
    r.add({"floorFrameMs", "", 1.23456, 3, "ms", ""});
    r.add({"gameFrameMs", "median", 4.5, 1, "ms", ""});
    r.add({"gameFrameMs", "p95", std::nullopt, 1, "ms", "< 16.7"});
    r.add({"startupMs", "", 512.4, 0, "ms", "< 600"});
    r.note("level", "maps\\level04.map \"Hedge\"\n");
    return r;
}

TEST(BenchReport, JsonGroupsPartsAndShowsWhatIsMissingAsNull)
{
    EXPECT_EQ(bench::toJson(sample()), "{\n"
                                       "  \"floorFrameMs\": 1.235,\n"
                                       "  \"gameFrameMs\": {\"median\": 4.5, \"p95\": null},\n"
                                       "  \"startupMs\": 512,\n"
                                       "  \"level\": \"maps\\\\level04.map \\\"Hedge\\\"\\u000a\"\n"
                                       "}\n");
    EXPECT_EQ(sample().missing(), std::vector<std::string>{"gameFrameMs.p95"});
}

TEST(BenchReport, TheTableSaysMissingAndGivesTheBudget)
{
    const std::string table = bench::toTable(sample());
    EXPECT_NE(table.find("gameFrameMs p95"), std::string::npos);
    EXPECT_NE(table.find("missing  ms    < 16.7"), std::string::npos) << table;
    EXPECT_NE(table.find("512  ms    < 600"), std::string::npos) << table;
}

} // namespace
