#include "world/LevelLayout.hpp"

#include "world/LayoutText.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

constexpr int noEntry = -1;

std::string_view trimEnd(std::string_view text)
{
    while (!text.empty() && LayoutText::isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string hexByte(unsigned char c)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    return {'\\', 'x', digits[c >> 4], digits[c & 15]};
}

// A character as an error message shows it.
std::string shown(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return "'" + (byte > ' ' && byte < 127 ? std::string(1, c) : hexByte(byte)) + "'";
}

bool sameFamily(const LegendEntry& a, const LegendEntry& b) { return a.kind == b.kind && a.first == b.first; }

// One cell as written: a legend entry, or a tile given by number.
struct WrittenCell {
    const LegendEntry* entry = nullptr;
    std::uint16_t tile = 0;
    int column = 0;
};

struct Header {
    std::optional<std::string> title, author;
    std::optional<int> time, clouds, startX, startY;
};

class Compiler {
public:
    Compiler(std::string_view text, const TileLegend& legend) : text_(text), legend_(legend) {}

    bool run(Map& map, TextError& error);

private:
    bool fail(int column, std::string message)
    {
        error_ = {lineNumber_, column, std::move(message)};
        return false;
    }
    bool nextLine(std::string_view& line);
    bool headerLine(std::string_view line);
    bool textValue(std::string_view value, int column, const char* what, std::optional<std::string>& out);
    std::optional<int> number(std::string_view word, int column, int lowest, int highest, const char* what);
    bool startValue(std::string_view value, int column);
    bool missingHeader(int column);
    bool mapRow(std::string_view line, int row);
    bool placeBlocks(std::array<std::uint16_t, Map::cellCount>& cells);

    std::string_view text_;
    TileLegend legend_;
    TextError error_;
    int lineNumber_ = 0;
    Header header_;
    std::array<int, 256> ownSymbols_{};
    std::array<int, 6> headerLines_{};
    std::array<WrittenCell, Map::cellCount> written_{};
    std::array<int, Map::height> rowLines_{};
};

bool Compiler::nextLine(std::string_view& line)
{
    if (text_.empty())
        return false;
    ++lineNumber_;
    const std::size_t end = text_.find('\n');
    line = text_.substr(0, end);
    text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return true;
}

bool Compiler::textValue(std::string_view value, int column, const char* what, std::optional<std::string>& out)
{
    std::string result;
    if (value.empty() || value.front() != '"') {
        result = std::string(trimEnd(value));
    } else {
        std::size_t at = 1;
        bool closed = false;
        while (at < value.size() && !closed) {
            const char c = value[at];
            if (c == '"') {
                closed = true;
                ++at;
            } else if (c != '\\') {
                result += c;
                ++at;
            } else {
                const int escapeColumn = column + static_cast<int>(at);
                const char kind = at + 1 < value.size() ? value[at + 1] : '\0';
                at += 2;
                switch (kind) {
                case '\\': result += '\\'; break;
                case '"': result += '"'; break;
                case 'n': result += '\n'; break;
                case 'r': result += '\r'; break;
                case 't': result += '\t'; break;
                case 'x': {
                    int byte = 0;
                    for (int digit = 0; digit < 2; ++digit, ++at) {
                        const char h = at < value.size() ? value[at] : '\0';
                        const int v = h >= '0' && h <= '9'   ? h - '0'
                                      : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                      : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                                             : -1;
                        if (v < 0)
                            return fail(escapeColumn, "\\x needs two hex digits");
                        byte = byte * 16 + v;
                    }
                    result += static_cast<char>(byte);
                    break;
                }
                default: return fail(escapeColumn, "unknown escape (\\\\ \\\" \\n \\r \\t \\xHH)");
                }
            }
        }
        if (!closed)
            return fail(column, std::string("the ") + what + " has no closing quote");
        at = LayoutText::skipBlanks(value, at);
        if (at < value.size())
            return fail(column + static_cast<int>(at), std::string("text after the ") + what + "'s closing quote");
    }
    // The map file ends its texts at a NUL byte.
    if (result.find('\0') != std::string::npos)
        return fail(column, std::string("the ") + what + " holds a NUL character");
    if (result.size() > LevelLayout::maxTextField)
        return fail(column, std::string("the ") + what + " is longer than 32767 bytes");
    out = std::move(result);
    return true;
}

std::optional<int> Compiler::number(std::string_view word, int column, int lowest, int highest, const char* what)
{
    const bool negative = !word.empty() && word.front() == '-';
    const std::string_view digits = negative ? word.substr(1) : word;
    int value = 0;
    bool good = !digits.empty() && digits.size() <= 6;
    for (const char c : digits) {
        good = good && c >= '0' && c <= '9';
        if (good)
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (!good || value < lowest || value > highest) {
        fail(column, std::string("bad ") + what + " '" + std::string(word) + "' (a whole number, " +
                         std::to_string(lowest) + " to " + std::to_string(highest) + ")");
        return std::nullopt;
    }
    return value;
}

bool Compiler::startValue(std::string_view value, int column)
{
    std::array<std::string_view, 3> words{};
    std::array<int, 3> columns{};
    std::size_t count = 0, at = 0;
    while (count < words.size()) {
        at = LayoutText::skipBlanks(value, at);
        if (at == value.size())
            break;
        const std::size_t from = at;
        at = LayoutText::skipWord(value, at);
        columns[count] = column + static_cast<int>(from);
        words[count++] = value.substr(from, at - from);
    }
    if (count != 2)
        return fail(count == 3 ? columns[2] : column, "start needs two numbers: x y in field pixels");
    const auto x = number(words[0], columns[0], -32768, 32767, "start x");
    const auto y = x ? number(words[1], columns[1], -32768, 32767, "start y") : std::nullopt;
    if (!x || !y)
        return false;
    if (*x < 0 || *x >= Map::fieldWidth)
        return fail(columns[0], "start " + std::to_string(*x) + " " + std::to_string(*y) +
                                    " is outside the field (x 0 to 799, y 0 to 511)");
    if (*y < 0 || *y >= Map::fieldHeight)
        return fail(columns[1], "start " + std::to_string(*x) + " " + std::to_string(*y) +
                                    " is outside the field (x 0 to 799, y 0 to 511)");
    header_.startX = *x;
    header_.startY = *y;
    return true;
}

constexpr std::array<const char*, 6> headerKeys{"title", "author", "time", "clouds", "start", "legend"};

bool Compiler::headerLine(std::string_view line)
{
    const std::size_t start = LayoutText::skipBlanks(line, 0);
    const int column = static_cast<int>(start) + 1;
    const std::size_t colon = line.find(':', start);
    if (colon == std::string_view::npos)
        return fail(column, "expected 'key: value' or 'map:'");
    const std::string_view key = line.substr(start, colon - start);
    const std::size_t valueStart = LayoutText::skipBlanks(line, colon + 1);
    const std::string_view value = line.substr(valueStart);
    const int valueColumn = static_cast<int>(valueStart) + 1;

    if (key == "map")
        return fail(valueColumn, "the rows of the map start on the line after 'map:'");
    const auto known = std::find(headerKeys.begin(), headerKeys.end(), key);
    if (known == headerKeys.end())
        return fail(column, "unknown header '" + std::string(key) +
                                "' (title, author, time, clouds, start, legend or map)");
    const auto which = static_cast<std::size_t>(known - headerKeys.begin());
    if (key == "legend") {
        if (!legend_.define(value, lineNumber_, valueColumn, error_))
            return false;
        int& first = ownSymbols_[static_cast<unsigned char>(value[0])];
        if (first != 0)
            return fail(valueColumn, shown(value[0]) + " is already defined on line " + std::to_string(first));
        first = lineNumber_;
        return true;
    }
    if (headerLines_[which] != 0)
        return fail(column, "'" + std::string(key) + ":' is given twice (first on line " +
                                std::to_string(headerLines_[which]) + ")");
    headerLines_[which] = lineNumber_;
    if (key == "title")
        return textValue(value, valueColumn, "title", header_.title);
    if (key == "author")
        return textValue(value, valueColumn, "author", header_.author);
    if (key == "start")
        return startValue(value, valueColumn);
    const std::string_view word = trimEnd(value);
    if (key == "time")
        return (header_.time = number(word, valueColumn, 1, LevelLayout::maxTimeLimit, "time")).has_value();
    return (header_.clouds = number(word, valueColumn, 0, LevelLayout::maxClouds, "clouds")).has_value();
}

bool Compiler::missingHeader(int column)
{
    for (std::size_t i = 0; i + 1 < headerKeys.size(); ++i)
        if (headerLines_[i] == 0)
            return fail(column, std::string("missing '") + headerKeys[i] + ":' before the map");
    return true;
}

bool Compiler::mapRow(std::string_view line, int row)
{
    line = trimEnd(line);
    rowLines_[static_cast<std::size_t>(row)] = lineNumber_;
    int count = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        const int column = static_cast<int>(at) + 1;
        if (count == Map::width)
            return fail(column, "row " + std::to_string(row + 1) + " has more than 25 cells");
        WrittenCell& cell = written_[static_cast<std::size_t>(row * Map::width + count)];
        cell.column = column;
        if (line[at] == '[') {
            const std::size_t close = line.find(']', at);
            const std::string_view digits =
                line.substr(at + 1, close == std::string_view::npos ? 0 : close - at - 1);
            int value = 0;
            bool good = close != std::string_view::npos && !digits.empty() && digits.size() <= 5;
            for (const char c : digits) {
                good = good && c >= '0' && c <= '9';
                if (good)
                    value = value * 10 + (c - '0');
            }
            if (!good || value > 65535)
                return fail(column, "a tile number is written [0] to [65535]");
            cell.tile = static_cast<std::uint16_t>(value);
            at = close + 1;
        } else {
            cell.entry = TileLegend::usableSymbol(line[at]) ? legend_.find(line[at]) : nullptr;
            if (!cell.entry)
                return fail(column, "unknown character " + shown(line[at]));
            ++at;
        }
        ++count;
    }
    if (count < Map::width)
        return fail(static_cast<int>(line.size()) + 1,
                    "row " + std::to_string(row + 1) + " has " + std::to_string(count) + " cells, expected 25");
    return true;
}

bool Compiler::placeBlocks(std::array<std::uint16_t, Map::cellCount>& cells)
{
    std::array<bool, Map::cellCount> placed{};
    for (int y = 0; y < Map::height; ++y)
        for (int x = 0; x < Map::width; ++x) {
            const auto index = static_cast<std::size_t>(y * Map::width + x);
            const LegendEntry* block = written_[index].entry;
            if (placed[index] || !block || block->kind != LegendKind::Block)
                continue;
            // The first cell not yet placed is always some block's top left.
            bool whole = x + block->width <= Map::width && y + block->height <= Map::height;
            for (int by = 0; whole && by < block->height; ++by)
                for (int bx = 0; whole && bx < block->width; ++bx) {
                    const auto piece = static_cast<std::size_t>((y + by) * Map::width + x + bx);
                    whole = !placed[piece] && written_[piece].entry == block;
                }
            if (!whole) {
                lineNumber_ = rowLines_[static_cast<std::size_t>(y)];
                return fail(written_[index].column,
                            "incomplete block: " + shown(block->symbol) + " (" + block->description + ") needs " +
                                std::to_string(block->width) + "x" + std::to_string(block->height) +
                                " cells from here, right and down");
            }
            for (int by = 0; by < block->height; ++by)
                for (int bx = 0; bx < block->width; ++bx) {
                    const auto piece = static_cast<std::size_t>((y + by) * Map::width + x + bx);
                    placed[piece] = true;
                    cells[piece] = block->blockPiece(bx, by);
                }
        }
    return true;
}

bool Compiler::run(Map& map, TextError& error)
{
    const auto finish = [&](bool ok) {
        if (!ok)
            error = error_;
        return ok;
    };
    if (text_.size() > LevelLayout::maxTextSize) {
        error_ = {1, 1, "the layout is larger than 1 MiB"};
        return finish(false);
    }
    std::string_view line;
    bool mapFound = false;
    while (!mapFound && nextLine(line)) {
        const std::string_view content = trimEnd(line);
        const std::size_t start = LayoutText::skipBlanks(content, 0);
        if (start == content.size() || content[start] == '#')
            continue;
        if (content.substr(start) == "map:") {
            mapFound = true;
            if (!missingHeader(static_cast<int>(start) + 1))
                return finish(false);
        } else if (!headerLine(line)) {
            return finish(false);
        }
    }
    if (!mapFound) {
        ++lineNumber_;
        return finish(fail(1, "missing 'map:' and the rows of the map"));
    }
    int rows = 0;
    while (rows < Map::height && nextLine(line))
        if (!mapRow(line, rows++))
            return finish(false);
    if (rows < Map::height) {
        ++lineNumber_;
        return finish(fail(1, "the map has " + std::to_string(rows) + " rows, expected 16"));
    }
    while (nextLine(line)) {
        const std::string_view content = trimEnd(line);
        const std::size_t start = LayoutText::skipBlanks(content, 0);
        if (start < content.size() && content[start] != '#')
            return finish(fail(static_cast<int>(start) + 1, "the map has more than 16 rows"));
    }

    std::array<std::uint16_t, Map::cellCount> cells{};
    if (!placeBlocks(cells))
        return finish(false);
    for (int y = 0; y < Map::height; ++y)
        for (int x = 0; x < Map::width; ++x) {
            const WrittenCell& cell = written_[static_cast<std::size_t>(y * Map::width + x)];
            std::uint16_t& tile = cells[static_cast<std::size_t>(y * Map::width + x)];
            if (!cell.entry)
                tile = cell.tile;
            else if (cell.entry->kind == LegendKind::Tile)
                tile = cell.entry->first;
            else if (cell.entry->isFamily())
                tile = cell.entry->joinedTile([&](int dx, int dy) -> std::optional<bool> {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || nx >= Map::width || ny < 0 || ny >= Map::height)
                        return std::nullopt;
                    const LegendEntry* other = written_[static_cast<std::size_t>(ny * Map::width + nx)].entry;
                    return other && sameFamily(*other, *cell.entry);
                });
        }

    map.cells = cells;
    map.title = std::move(*header_.title);
    map.author = std::move(*header_.author);
    map.timeLimit = static_cast<std::int16_t>(*header_.time);
    map.cloudCount = static_cast<std::int16_t>(*header_.clouds);
    map.playerStartX = static_cast<std::int16_t>(*header_.startX);
    map.playerStartY = static_cast<std::int16_t>(*header_.startY);
    return true;
}

bool needsQuotes(std::string_view text)
{
    if (text.empty())
        return false;
    if (LayoutText::isBlank(text.front()) || LayoutText::isBlank(text.back()) || text.front() == '"')
        return true;
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < ' ' || byte == 127;
    });
}

std::string headerText(std::string_view text)
{
    if (!needsQuotes(text))
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += byte < ' ' || byte == 127 ? hexByte(byte) : std::string(1, c);
        }
    }
    return out + "\"";
}

} // namespace

bool LevelLayout::compile(std::string_view text, const TileLegend& legend, Map& map, TextError& error)
{
    return Compiler(text, legend).run(map, error);
}

std::string LevelLayout::decompile(const Map& map, const TileLegend& legend)
{
    const std::vector<LegendEntry>& entries = legend.entries();
    const auto entryIndex = [&](const LegendEntry* entry) {
        return entry ? static_cast<int>(entry - entries.data()) : noEntry;
    };
    // Which entry writes each cell; noEntry gives the tile number.
    std::array<int, Map::cellCount> chosen{};
    for (std::size_t i = 0; i < chosen.size(); ++i)
        chosen[i] = entryIndex(legend.familyHolding(map.cells[i]));

    // A family symbol stays only where compiling would give that very tile.
    // Dropping a cell changes its neighbours' pieces, so go round until
    // nothing more drops.
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (int y = 0; y < Map::height; ++y)
            for (int x = 0; x < Map::width; ++x) {
                const auto index = static_cast<std::size_t>(y * Map::width + x);
                if (chosen[index] == noEntry)
                    continue;
                const int family = chosen[index];
                const std::uint16_t tile =
                    entries[static_cast<std::size_t>(family)].joinedTile([&](int dx, int dy) -> std::optional<bool> {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || nx >= Map::width || ny < 0 || ny >= Map::height)
                            return std::nullopt;
                        return chosen[static_cast<std::size_t>(ny * Map::width + nx)] == family;
                    });
                if (tile != map.cells[index]) {
                    chosen[index] = noEntry;
                    dropped = true;
                }
            }
    }
    std::array<bool, Map::cellCount> decided{};
    for (std::size_t i = 0; i < chosen.size(); ++i)
        decided[i] = chosen[i] != noEntry;

    // Whole blocks, from the top left, as compiling splits them.
    for (int y = 0; y < Map::height; ++y)
        for (int x = 0; x < Map::width; ++x) {
            const auto index = static_cast<std::size_t>(y * Map::width + x);
            if (decided[index])
                continue;
            for (const LegendEntry& block : entries) {
                if (block.kind != LegendKind::Block || block.first != map.cells[index] ||
                    legend.blockHolding(block.first) != &block || x + block.width > Map::width ||
                    y + block.height > Map::height)
                    continue;
                bool whole = true;
                for (int by = 0; whole && by < block.height; ++by)
                    for (int bx = 0; whole && bx < block.width; ++bx) {
                        const auto piece = static_cast<std::size_t>((y + by) * Map::width + x + bx);
                        whole = !decided[piece] && map.cells[piece] == block.blockPiece(bx, by);
                    }
                if (!whole)
                    continue;
                for (int by = 0; by < block.height; ++by)
                    for (int bx = 0; bx < block.width; ++bx) {
                        const auto piece = static_cast<std::size_t>((y + by) * Map::width + x + bx);
                        decided[piece] = true;
                        chosen[piece] = entryIndex(&block);
                    }
                break;
            }
        }
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (!decided[i])
            chosen[i] = entryIndex(legend.singleTile(map.cells[i]));

    std::string out = "title: " + headerText(map.title) + "\nauthor: " + headerText(map.author) +
                      "\ntime: " + std::to_string(map.timeLimit) + "\nclouds: " + std::to_string(map.cloudCount) +
                      "\nstart: " + std::to_string(map.playerStartX) + " " + std::to_string(map.playerStartY) +
                      "\nmap:\n";
    for (int y = 0; y < Map::height; ++y) {
        for (int x = 0; x < Map::width; ++x) {
            const auto index = static_cast<std::size_t>(y * Map::width + x);
            if (chosen[index] == noEntry)
                out += "[" + std::to_string(map.cells[index]) + "]";
            else
                out += entries[static_cast<std::size_t>(chosen[index])].symbol;
        }
        out += '\n';
    }
    return out;
}
