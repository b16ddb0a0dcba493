#pragma once
// The characters a level layout is written in: which tile, joined family or
// block each one stands for.  The game ships its legend as maps\legend.txt;
// a layout may add or redefine characters of its own.
//
// Legend text, one definition a line ('#' starts a comment line):
//   SYMBOL KIND INDEX [WxH] TYPE DESCRIPTION
//     SYMBOL  one printable ASCII character other than '#', '[' and ']'
//     KIND    tile   the single tile INDEX
//             line   a fence-like family of 16 tiles from INDEX; each cell's
//                    piece joins its four side neighbours of the family
//             area   a patch-like family of 47 tiles from INDEX, edged like
//                    the mown lawn; the area runs on past the field's edge
//             block  an object W by H cells whose top left piece is INDEX,
//                    each row of pieces 32 tiles below the one above, no
//                    row running past the end of its row of the tile sheet
//     INDEX   0 to 65535, with the whole family or block inside that range
//     TYPE    land, grass, solid or water: what the tiles are for in play
//     DESCRIPTION  the rest of the line, for people reading the legend
//
// Nothing here reads files: the caller hands over the text.

#include "world/TileType.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A refused text: where (1-based line and column) and why.
struct TextError {
    int line = 0;
    int column = 0;
    std::string message;

    // "NAME:LINE:COLUMN: message"
    std::string describe(std::string_view name) const;
};

enum class LegendKind { Tile, Line, Area, Block };

struct LegendEntry {
    static constexpr int lineTiles = 16;
    static constexpr int areaTiles = 47;
    static constexpr int maxBlockSide = 8;

    char symbol = 0;
    LegendKind kind = LegendKind::Tile;
    std::uint16_t first = 0;  // the tile, the family's first tile or the block's top left piece
    int width = 1;            // blocks only
    int height = 1;
    TileType type = TileType::Land;
    std::string description;

    bool isFamily() const { return kind == LegendKind::Line || kind == LegendKind::Area; }
    // Whether the tile is one of this entry's tiles.
    bool holds(std::uint16_t tile) const;
    // A block's piece at (column, row) of the block.
    std::uint16_t blockPiece(int column, int row) const;
    // A family's piece for a cell.  `same(dx, dy)` tells whether the
    // neighbour at that offset (each -1, 0 or 1) is of this family, nothing
    // when it lies beyond the field.  Beyond the field counts as the family
    // for an area and as not for a line.
    std::uint16_t joinedTile(const std::function<std::optional<bool>(int dx, int dy)>& same) const;
};

class TileLegend {
public:
    // Whole legend text.  On a bad line: false, the error, and the legend
    // as it was.  A symbol may be defined only once in one text.
    bool load(std::string_view text, TextError& error);
    // One definition ("H line 320 solid Hedge"), found at `line`, starting
    // at `column` (for error positions).  Replaces the symbol's meaning if it
    // had one.  On a bad definition: false, the error, nothing changed.
    bool define(std::string_view definition, int line, int column, TextError& error);

    const LegendEntry* find(char symbol) const;
    // In the order first defined.
    const std::vector<LegendEntry>& entries() const { return entries_; }

    // What a layout writes for a tile: the first entry of each kind, in
    // legend order, that holds it; null when there is none.
    const LegendEntry* familyHolding(std::uint16_t tile) const;
    const LegendEntry* blockHolding(std::uint16_t tile) const;
    const LegendEntry* singleTile(std::uint16_t tile) const;

    // Symbols a legend may use.
    static bool usableSymbol(char symbol);

private:
    std::vector<LegendEntry> entries_;
};
