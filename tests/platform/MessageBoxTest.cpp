#include "platform/MessageBox.hpp"
#include "platform/XMessageBox.hpp"

#include "platform/PlatformTestSupport.hpp"

#include <gtest/gtest.h>

using platform::MessageBoxButtons;
using platform::MessageBoxIcon;
using platform::MessageBoxResult;
using platform_test::EnvironmentGuard;

namespace {

struct PresetCase {
    const char* value;
    MessageBoxResult okBox;
    MessageBoxResult yesNoBox;
};

TEST(PlatformMessageBox, PresetAnswersEveryBoxAndWritesOneLine)
{
    const PresetCase cases[] = {
        {"ok", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"yes", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"no", MessageBoxResult::Ok, MessageBoxResult::No},
        {"default", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"NO", MessageBoxResult::Ok, MessageBoxResult::No},
        {"Default", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"whatever", MessageBoxResult::Ok, MessageBoxResult::Yes},
    };
    EnvironmentGuard preset("KELVANE_MESSAGEBOX", "default");
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(c.value);
        preset.set(c.value);

        testing::internal::CaptureStderr();
        const MessageBoxResult ok =
            platform::showMessageBox("KVCore::init failed.", "Error", MessageBoxButtons::Ok, MessageBoxIcon::None);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: KVCore::init failed.\n");
        EXPECT_EQ(ok, c.okBox);

        testing::internal::CaptureStderr();
        const MessageBoxResult yesNo = platform::showMessageBox(
            "Are you sure you want to close Kelvane ?", "Confirm", MessageBoxButtons::YesNo, MessageBoxIcon::Question);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Confirm: Are you sure you want to close Kelvane ?\n");
        EXPECT_EQ(yesNo, c.yesNoBox);
    }
}

TEST(PlatformMessageBox, PresetLineFlattensNewlines)
{
    EnvironmentGuard preset("KELVANE_MESSAGEBOX", "ok");
    testing::internal::CaptureStderr();
    platform::showMessageBox("first\nsecond\r\nthird", "Error", MessageBoxButtons::Ok, MessageBoxIcon::Error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: first second  third\n");
}

// One width unit per character keeps the expected lines readable.
int characters(std::string_view s) { return int(s.size()); }

using Lines = std::vector<std::string>;

TEST(PlatformMessageBoxWrap, BreaksAtSpacesAndNewlines)
{
    using platform::detail::wrapText;
    EXPECT_EQ(wrapText("Are you sure you want to close Kelvane ?", 16, characters),
              (Lines{"Are you sure you", "want to close", "Kelvane ?"}));
    EXPECT_EQ(wrapText("one\ntwo\r\n\nthree", 16, characters), (Lines{"one", "two", "", "three"}));
    EXPECT_EQ(wrapText("", 16, characters), Lines{""});
    EXPECT_EQ(wrapText("trailing\n", 16, characters), (Lines{"trailing", ""}));
}

TEST(PlatformMessageBoxWrap, KeepsInnerSpacingAndCutsLongWords)
{
    using platform::detail::wrapText;
    EXPECT_EQ(wrapText("Unsupported resolution.  Resolution must be", 30, characters),
              (Lines{"Unsupported resolution.", "Resolution must be"}));
    EXPECT_EQ(wrapText("a.  b", 30, characters), Lines{"a.  b"});
    EXPECT_EQ(wrapText("zavi3\\fonts\\Roboto-Regular.ttf", 10, characters),
              (Lines{"zavi3\\font", "s\\Roboto-R", "egular.ttf"}));
    EXPECT_EQ(wrapText("path: abcdefghijkl", 8, characters), (Lines{"path:", "abcdefgh", "ijkl"}));
    EXPECT_EQ(wrapText("tab\tstop", 40, characters), Lines{"tab stop"});
    EXPECT_EQ(wrapText("no wrapping at all here", 0, characters), Lines{"no wrapping at all here"});
    // Even a measure that fits nothing makes progress, one character a line.
    EXPECT_EQ(wrapText("abc", 1, [](std::string_view s) { return int(s.size()) * 2; }), (Lines{"a", "b", "c"}));
}

} // namespace
