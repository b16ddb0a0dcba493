#pragma once
// A level written as text, one character per cell, so levels can be drawn
// in any editor and read in a diff.  Only the level compiler reads layouts;
// the game plays the compiled map files.
//
//   # Comment lines start with '#'.
//   title: Round the Pond
//   author: Kelvane team
//   time: 75                 seconds at Normal skill, 1 to 32767
//   clouds: 1                0 to 99
//   start: 400 480           the mower's centre in field pixels
//   legend: X tile 517 solid Flowering bush     (any number, see TileLegend)
//   map:
//   .........................     16 rows of 25 cells
//
// Every header line is required once except legend.  A title or author with
// spaces at its ends or control characters is written in double quotes with
// \\, \", \n, \r, \t and \xHH escapes.  A cell is a legend symbol or a tile
// number in brackets, "[517]".  Family symbols take the piece that joins
// their neighbours of the same family; a block symbol fills the block's
// rectangle, blocks side by side are split from the top left.  After the 16
// rows only blank and comment lines may follow.

#include "world/Map.hpp"
#include "world/TileLegend.hpp"

#include <string>
#include <string_view>

class LevelLayout {
public:
    static constexpr std::size_t maxTextSize = 1 << 20;
    static constexpr int maxTimeLimit = 32767;
    static constexpr int maxClouds = 99;
    static constexpr std::size_t maxTextField = 32767;

    // Sets the map's cells, title, author, time limit, cloud count and start
    // position.  On a bad layout: false, the first error found, and the map
    // untouched.  The legend is the shipped one; the layout's own legend
    // lines apply to this layout only.
    static bool compile(std::string_view text, const TileLegend& legend, Map& map, TextError& error);

    // The layout of a map in the legend's symbols: a family symbol wherever
    // compiling would give that very tile, a block symbol over every whole
    // block, a tile's own symbol, else the tile number.  Compiling the
    // result gives the same map, as long as its header values are ones a
    // layout allows.
    static std::string decompile(const Map& map, const TileLegend& legend);
};
