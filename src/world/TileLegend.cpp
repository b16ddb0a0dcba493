#include "world/TileLegend.hpp"

#include "world/LayoutText.hpp"
#include "world/Map.hpp"
#include "world/Tileset.hpp"

#include <algorithm>
#include <array>

namespace {

constexpr int lastTileIndex = 65535;

// One word of a definition and the column it starts at.
struct Word {
    std::string_view text;
    int column = 0;
};

// Splits off the next word; empty text at the end of the line.
Word nextWord(std::string_view line, std::size_t& at, int firstColumn)
{
    at = LayoutText::skipBlanks(line, at);
    const std::size_t start = at;
    at = LayoutText::skipWord(line, at);
    return {line.substr(start, at - start), firstColumn + static_cast<int>(start)};
}

std::optional<int> smallNumber(std::string_view digits, int highest)
{
    if (digits.empty() || digits.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > highest)
        return std::nullopt;
    return value;
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

int lastTileOf(const LegendEntry& entry)
{
    switch (entry.kind) {
    case LegendKind::Tile: return entry.first;
    case LegendKind::Line: return entry.first + LegendEntry::lineTiles - 1;
    case LegendKind::Area: return entry.first + LegendEntry::areaTiles - 1;
    case LegendKind::Block: return entry.blockPiece(entry.width - 1, entry.height - 1);
    }
    return entry.first;
}

} // namespace

std::string TextError::describe(std::string_view name) const
{
    return std::string(name) + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
}

bool LegendEntry::holds(std::uint16_t tile) const
{
    if (kind != LegendKind::Block)
        return tile >= first && tile <= lastTileOf(*this);
    const int offset = tile - first;
    if (offset < 0)
        return false;
    const int row = offset / Tileset::tilesPerRow, column = offset % Tileset::tilesPerRow;
    return row < height && column < width;
}

std::uint16_t LegendEntry::blockPiece(int column, int row) const
{
    return static_cast<std::uint16_t>(first + row * Tileset::tilesPerRow + column);
}

std::uint16_t LegendEntry::joinedTile(const std::function<std::optional<bool>(int dx, int dy)>& same) const
{
    if (kind == LegendKind::Line) {
        // Fences and paths stop at the field's edge.
        const auto joins = [&](int dx, int dy) { return same(dx, dy).value_or(false); };
        const unsigned mask = (joins(0, -1) ? 1u : 0u) | (joins(1, 0) ? 2u : 0u) | (joins(0, 1) ? 4u : 0u) |
                              (joins(-1, 0) ? 8u : 0u);
        return static_cast<std::uint16_t>(first + mask);
    }
    if (kind != LegendKind::Area)
        return first;
    // Ponds and beds carry on past the field's edge, so they get no shore there.
    const auto joins = [&](int dx, int dy) { return same(dx, dy).value_or(true); };
    const bool north = joins(0, -1), west = joins(-1, 0), east = joins(1, 0), south = joins(0, 1);
    unsigned mask = 0;
    if (north && west && joins(-1, -1))
        mask |= 1;
    if (north)
        mask |= 2;
    if (north && east && joins(1, -1))
        mask |= 4;
    if (west)
        mask |= 8;
    if (east)
        mask |= 16;
    if (south && west && joins(-1, 1))
        mask |= 32;
    if (south)
        mask |= 64;
    if (south && east && joins(1, 1))
        mask |= 128;
    // Areas are edged exactly like the mown lawn, whose tiles start at 960.
    const int lawnTile = Map::grassTileForMask(mask);
    return static_cast<std::uint16_t>(first + (lawnTile - 960));
}

bool TileLegend::usableSymbol(char symbol)
{
    return symbol > ' ' && symbol < 127 && symbol != '#' && symbol != '[' && symbol != ']';
}

bool TileLegend::define(std::string_view definition, int line, int column, TextError& error)
{
    const auto fail = [&](int at, std::string message) {
        error = {line, at, std::move(message)};
        return false;
    };
    if (definition.empty())
        return fail(column, "expected a definition: SYMBOL KIND INDEX TYPE DESCRIPTION");
    LegendEntry entry;
    entry.symbol = definition[0];
    if (!usableSymbol(entry.symbol))
        return fail(column, "'" + std::string(1, entry.symbol) +
                                "' cannot stand for a tile (use a printable character other than # [ ])");
    if (definition.size() > 1 && !LayoutText::isBlank(definition[1]))
        return fail(column + 1, "expected a space after the symbol");

    std::size_t at = 1;
    const Word kind = nextWord(definition, at, column);
    if (kind.text == "tile")
        entry.kind = LegendKind::Tile;
    else if (kind.text == "line")
        entry.kind = LegendKind::Line;
    else if (kind.text == "area")
        entry.kind = LegendKind::Area;
    else if (kind.text == "block")
        entry.kind = LegendKind::Block;
    else if (kind.text.empty())
        return fail(kind.column, "missing kind (tile, line, area or block)");
    else
        return fail(kind.column, "unknown kind " + quoted(kind.text) + " (tile, line, area or block)");

    const Word index = nextWord(definition, at, column);
    const std::optional<int> first = smallNumber(index.text, lastTileIndex);
    if (!first)
        return fail(index.column, index.text.empty() ? "missing tile index"
                                                     : "bad tile index " + quoted(index.text) + " (0 to 65535)");
    entry.first = static_cast<std::uint16_t>(*first);

    if (entry.kind == LegendKind::Block) {
        const Word size = nextWord(definition, at, column);
        const std::size_t cross = size.text.find('x');
        const auto width = smallNumber(size.text.substr(0, cross), LegendEntry::maxBlockSide);
        const auto height = cross == std::string_view::npos
                                ? std::nullopt
                                : smallNumber(size.text.substr(cross + 1), LegendEntry::maxBlockSide);
        if (!width || !height || *width < 1 || *height < 1 || *width * *height < 2)
            return fail(size.column, "bad block size " + quoted(size.text) +
                                         " (WxH, 1 to 8 each, at least two pieces)");
        entry.width = *width;
        entry.height = *height;
        if (entry.first % Tileset::tilesPerRow + entry.width > Tileset::tilesPerRow)
            return fail(index.column, "the block's pieces run past the end of its tile row");
    }
    if (lastTileOf(entry) > lastTileIndex)
        return fail(index.column, "the tiles run past 65535");

    const Word type = nextWord(definition, at, column);
    static constexpr std::array<std::pair<std::string_view, TileType>, 4> types{
        {{"land", TileType::Land}, {"grass", TileType::Grass}, {"solid", TileType::Solid}, {"water", TileType::Water}}};
    const auto named = std::find_if(types.begin(), types.end(), [&](const auto& t) { return t.first == type.text; });
    if (named == types.end())
        return fail(type.column, type.text.empty() ? "missing type (land, grass, solid or water)"
                                                   : "unknown type " + quoted(type.text) +
                                                         " (land, grass, solid or water)");
    entry.type = named->second;

    std::string_view rest = definition.substr(at);
    while (!rest.empty() && LayoutText::isBlank(rest.front()))
        rest.remove_prefix(1);
    while (!rest.empty() && LayoutText::isBlank(rest.back()))
        rest.remove_suffix(1);
    entry.description = std::string(rest);

    const auto old = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const LegendEntry& e) { return e.symbol == entry.symbol; });
    if (old != entries_.end())
        *old = std::move(entry);
    else
        entries_.push_back(std::move(entry));
    return true;
}

bool TileLegend::load(std::string_view text, TextError& error)
{
    TileLegend loaded;
    std::array<int, 256> definedOn{};
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t start = LayoutText::skipBlanks(line, 0);
        if (start == line.size() || line[start] == '#')
            continue;
        const int column = static_cast<int>(start) + 1;
        if (!loaded.define(line.substr(start), lineNumber, column, error))
            return false;
        int& first = definedOn[static_cast<unsigned char>(line[start])];
        if (first != 0) {
            error = {lineNumber, column, "'" + std::string(1, line[start]) + "' is already defined on line " +
                                             std::to_string(first)};
            return false;
        }
        first = lineNumber;
    }
    *this = std::move(loaded);
    return true;
}

const LegendEntry* TileLegend::find(char symbol) const
{
    const auto found =
        std::find_if(entries_.begin(), entries_.end(), [&](const LegendEntry& e) { return e.symbol == symbol; });
    return found == entries_.end() ? nullptr : &*found;
}

const LegendEntry* TileLegend::familyHolding(std::uint16_t tile) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const LegendEntry& e) { return e.isFamily() && e.holds(tile); });
    return found == entries_.end() ? nullptr : &*found;
}

const LegendEntry* TileLegend::blockHolding(std::uint16_t tile) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const LegendEntry& e) { return e.kind == LegendKind::Block && e.holds(tile); });
    return found == entries_.end() ? nullptr : &*found;
}

const LegendEntry* TileLegend::singleTile(std::uint16_t tile) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const LegendEntry& e) { return e.kind == LegendKind::Tile && e.first == tile; });
    return found == entries_.end() ? nullptr : &*found;
}
