// ASCII letter case: the letters at both ends of the alphabet fold, their
// neighbours in the code table and bytes past 127 do not.
#include "platform/TextCase.hpp"

#include <gtest/gtest.h>

namespace {

TEST(TextCase, OnlyTheTwentySixCapitalsFold)
{
    EXPECT_EQ(platform::lowerAscii("AZaz@[`{09.\xC4\xD6"), "azaz@[`{09.\xC4\xD6");
    EXPECT_EQ(platform::lowerAscii("Textures\\Icons.PNG"), "textures\\icons.png");
    EXPECT_EQ(platform::lowerAscii(""), "");
}

TEST(TextCase, EqualIgnoringCaseNeedsTheSameLengthAndLetters)
{
    EXPECT_TRUE(platform::equalIgnoringCase("Zol Sprite File", "zOL sPRITE fILE"));
    EXPECT_TRUE(platform::equalIgnoringCase("", ""));
    EXPECT_FALSE(platform::equalIgnoringCase("yes", "yess"));
    EXPECT_FALSE(platform::equalIgnoringCase("yess", "yes"));
    EXPECT_FALSE(platform::equalIgnoringCase("@", "`"));  // 'A' - 1 and 'a' - 1
    EXPECT_FALSE(platform::equalIgnoringCase("[", "{"));  // 'Z' + 1 and 'z' + 1
    EXPECT_FALSE(platform::equalIgnoringCase("\xC4", "\xE4"));
    EXPECT_FALSE(platform::equalIgnoringCase("wav", "wab"));
}

} // namespace
