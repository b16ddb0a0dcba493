#include "platform/MessageBox.hpp"

#include "platform/XMessageBox.hpp"
#include "platform/TextCase.hpp"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace platform {

namespace {

MessageBoxResult firstButton(MessageBoxButtons buttons)
{
    return buttons == MessageBoxButtons::YesNo ? MessageBoxResult::Yes : MessageBoxResult::Ok;
}

// The answer KELVANE_MESSAGEBOX gives, if it is set.
std::optional<MessageBoxResult> presetAnswer(MessageBoxButtons buttons)
{
    const char* value = std::getenv("KELVANE_MESSAGEBOX");
    if (value == nullptr || value[0] == '\0')
        return std::nullopt;
    const std::string answer = lowerAscii(value);
    if (buttons == MessageBoxButtons::Ok)
        return MessageBoxResult::Ok;
    if (answer == "no")
        return MessageBoxResult::No;
    return MessageBoxResult::Yes;  // "yes", "ok", "default" and anything else
}

void writeToStandardError(const std::string& text, const std::string& caption)
{
    std::string line = caption + ": " + text;
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

MessageBoxResult showMessageBox(const std::string& text, const std::string& caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon)
{
    if (const auto preset = presetAnswer(buttons)) {
        writeToStandardError(text, caption);
        return *preset;
    }
    if (const auto answer = detail::showXMessageBox(text, caption, buttons, icon))
        return *answer;
    writeToStandardError(text, caption);
    return firstButton(buttons);
}

} // namespace platform
