#pragma once
// The main menu's background: a sunny garden behind a striped lawn, with
// the game's name over it.  The menu panel covers the left third, so the
// scene's focus and the name sit on the right, and the lower right corner
// is plain lawn for the line of small text there.

#include "art/Canvas.hpp"
#include "art/Font.hpp"

namespace pictures {

inline constexpr int backgroundWidth = 1024;
inline constexpr int backgroundHeight = 768;

art::Canvas paintMenuBackground(const art::Font& titleFont);

} // namespace pictures
