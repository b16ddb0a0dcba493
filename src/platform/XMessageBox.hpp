#pragma once
// The Xlib side of showMessageBox.  Kept apart so that no X header (with its
// None, Bool and Status macros) reaches the rest of the program.

#include "platform/MessageBox.hpp"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

// Splits text into the lines the box shows: at each "\n" (a "\r" is dropped,
// a tab counts as a space), and further at spaces so that no line is wider
// than maxWidth as measured by width.  A word wider than maxWidth on its own
// is broken between characters.  maxWidth of 0 or less: no wrapping.
std::vector<std::string> wrapText(std::string_view text, int maxWidth,
                                  const std::function<int(std::string_view)>& width);

// Shows the box on the default X display and waits for the answer; nothing
// when no display can be opened.
std::optional<MessageBoxResult> showXMessageBox(const std::string& text, const std::string& caption,
                                                MessageBoxButtons buttons, MessageBoxIcon icon);

} // namespace platform::detail
