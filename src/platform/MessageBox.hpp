#pragma once
// A modal system message box on the X display.  It draws with the X server's
// own fonts, so it works even when the engine's fonts could not be loaded.
//
// Headless runs and tests set KELVANE_MESSAGEBOX to "ok", "yes", "no" or
// "default" (the first button): every box is then answered at once and its
// caption and text go to standard error instead of the screen.
//
// Answers in detail:
// - The value is compared without regard to case; any other non-empty value
//   counts as "default".  An empty value is the same as none (a real box).
// - "ok" and "yes" answer Ok on an OK box and Yes on a Yes/No box; "no"
//   answers No on a Yes/No box and Ok on an OK box (its only button).
// - The line written is "<caption>: <text>", newlines in the text turned into
//   spaces.
// - When no X display can be opened at all, the same line is written and the
//   first button (Ok or Yes) is the answer: a program without a display
//   cannot have been asked to close by a user, and an error box only needs
//   to be seen.
// - On the display: Return and Space answer Ok/Yes, Escape answers Ok/No,
//   Y and N answer Yes and No (O answers an OK box); closing the box through
//   the window manager counts as Escape.  A click needs press and release
//   on the same button.

#include <string>

namespace platform {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxIcon { None, Error, Question };
enum class MessageBoxResult { Ok, Yes, No };

MessageBoxResult showMessageBox(const std::string& text, const std::string& caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon);

} // namespace platform
