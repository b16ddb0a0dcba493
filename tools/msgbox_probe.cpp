// Shows one system message box and prints the answer ("OK", "Yes" or "No"),
// so the box can be driven and checked from a script.
//
//   msgbox_probe [--ok] [--error] [--caption TEXT] [TEXT...]
//
// Without options: a Yes/No box with the question icon, captioned "Confirm".
// The words of TEXT are joined with spaces; "\n" in them starts a new line.

#include "platform/MessageBox.hpp"

#include <cstdio>
#include <string>
#include <string_view>

int main(int argc, char** argv)
{
    using namespace platform;
    MessageBoxButtons buttons = MessageBoxButtons::YesNo;
    MessageBoxIcon icon = MessageBoxIcon::Question;
    std::string caption = "Confirm";
    std::string text;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--ok") {
            buttons = MessageBoxButtons::Ok;
            if (icon == MessageBoxIcon::Question)
                icon = MessageBoxIcon::None;
        } else if (arg == "--error") {
            icon = MessageBoxIcon::Error;
        } else if (arg == "--caption" && i + 1 < argc) {
            caption = argv[++i];
        } else {
            if (!text.empty())
                text += ' ';
            text += arg;
        }
    }
    for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1))
        text.replace(at, 2, "\n");

    const MessageBoxResult answer = showMessageBox(text, caption, buttons, icon);
    std::puts(answer == MessageBoxResult::Yes ? "Yes" : answer == MessageBoxResult::No ? "No" : "OK");
    return 0;
}
