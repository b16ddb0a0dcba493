#pragma once
// Blanks and words in the hand-written text of level layouts and their
// legend: spaces and tabs separate, nothing else does.

#include <algorithm>
#include <string_view>

namespace LayoutText {

inline constexpr std::string_view blanks = " \t";

inline bool isBlank(char c) { return blanks.find(c) != std::string_view::npos; }

// The first place at or after from that is no blank, or the end.
inline std::size_t skipBlanks(std::string_view text, std::size_t from)
{
    return std::min(text.find_first_not_of(blanks, from), text.size());
}

// The first blank at or after from, or the end.
inline std::size_t skipWord(std::string_view text, std::size_t from)
{
    return std::min(text.find_first_of(blanks, from), text.size());
}

} // namespace LayoutText
