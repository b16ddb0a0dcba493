#include "platform/MessageBox.hpp"
#include "platform/XMessageBox.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

namespace {

using platform::MessageBoxButtons;
using platform::MessageBoxIcon;
using platform::MessageBoxResult;

// With KELVANE_MESSAGEBOX set, no box appears: the answer comes at once and
// the box's line goes to standard error.
TEST(PlatformMessageBox, PresetAnswers)
{
    struct Case {
        const char* value;
        MessageBoxResult okBox;
        MessageBoxResult yesNoBox;
    };
    const Case cases[] = {
        {"ok", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"yes", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"no", MessageBoxResult::Ok, MessageBoxResult::No},
        {"NO", MessageBoxResult::Ok, MessageBoxResult::No},
        {"default", MessageBoxResult::Ok, MessageBoxResult::Yes},
        {"whatever", MessageBoxResult::Ok, MessageBoxResult::Yes},
    };
    test::ScopedEnv preset("KELVANE_MESSAGEBOX", "default");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        preset.set(c.value);
        testing::internal::CaptureStderr();
        EXPECT_EQ(platform::showMessageBox("KVCore::init failed.", "Error", MessageBoxButtons::Ok, MessageBoxIcon::None),
                  c.okBox);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: KVCore::init failed.\n");
        testing::internal::CaptureStderr();
        EXPECT_EQ(platform::showMessageBox("Close Kelvane ?", "Confirm", MessageBoxButtons::YesNo,
                                           MessageBoxIcon::Question),
                  c.yesNoBox);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Confirm: Close Kelvane ?\n");
    }
    testing::internal::CaptureStderr();
    platform::showMessageBox("first\nsecond\r\nthird", "Error", MessageBoxButtons::Ok, MessageBoxIcon::Error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: first second  third\n");
}

TEST(PlatformMessageBox, WrapText)
{
    using Lines = std::vector<std::string>;
    const auto characters = [](std::string_view s) { return int(s.size()); };
    const std::tuple<const char*, int, Lines> cases[] = {
        {"Are you sure you want to close Kelvane ?", 16, {"Are you sure you", "want to close", "Kelvane ?"}},
        {"one\ntwo\r\n\nthree", 16, {"one", "two", "", "three"}},
        {"", 16, {""}},
        {"trailing\n", 16, {"trailing", ""}},
        {"Unsupported resolution.  Resolution must be", 30, {"Unsupported resolution.", "Resolution must be"}},
        {"a.  b", 30, {"a.  b"}},  // inner spacing kept
        {"zavi3\\fonts\\Roboto-Regular.ttf", 10, {"zavi3\\font", "s\\Roboto-R", "egular.ttf"}},
        {"path: abcdefghijkl", 8, {"path:", "abcdefgh", "ijkl"}},
        {"tab\tstop", 40, {"tab stop"}},
        {"no wrapping at all here", 0, {"no wrapping at all here"}},
    };
    for (const auto& [text, width, lines] : cases)
        EXPECT_EQ(platform::detail::wrapText(text, width, characters), lines) << text;
    // Even a measure that fits nothing makes progress, one character a line.
    EXPECT_EQ(platform::detail::wrapText("abc", 1, [](std::string_view s) { return int(s.size()) * 2; }),
              (Lines{"a", "b", "c"}));
}

} // namespace
