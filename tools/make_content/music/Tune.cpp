#include "music/Tune.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

namespace content::music {
namespace {

class Reader {
public:
    Reader(std::string name) : name_(std::move(name)) {}

    [[noreturn]] void fail(int line, const std::string& what) const
    {
        throw std::runtime_error(name_ + ".tune:" + std::to_string(line) + ": " + what);
    }

    int number(std::string_view text, int line, int low, int high) const
    {
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
            fail(line, "expected a number from " + std::to_string(low) + " to " + std::to_string(high) + ", not '" +
                           std::string(text) + "'");
        return value;
    }

private:
    std::string name_;
};

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// "4", "8.", "2+8": a length in steps (a sixteenth note is one step).
int parseDuration(std::string_view text, const Reader& reader, int line)
{
    int total = 0;
    while (!text.empty()) {
        const std::size_t plus = text.find('+');
        std::string_view piece = text.substr(0, plus);
        text = plus == std::string_view::npos ? std::string_view{} : text.substr(plus + 1);
        int dots = 0;
        while (!piece.empty() && piece.back() == '.') {
            piece.remove_suffix(1);
            ++dots;
        }
        const int denominator = reader.number(piece, line, 1, 16);
        if (16 % denominator != 0)
            reader.fail(line, "note lengths are 1, 2, 4, 8 or 16, not " + std::string(piece));
        int steps = 16 / denominator;
        for (int d = 0, add = steps / 2; d < dots; ++d, add /= 2) {
            if (add == 0)
                reader.fail(line, "too many dots on a short note");
            steps += add;
        }
        total += steps;
    }
    if (total == 0)
        reader.fail(line, "a note needs a length");
    return total;
}

void parseNotes(PartLine& out, std::string_view text, int barSteps, const Reader& reader)
{
    int position = 0;
    int length = 4;
    for (const std::string& word : words(text)) {
        if (word == "|") {
            if (position % barSteps != 0)
                reader.fail(out.line, "bar line after " + std::to_string(position % barSteps) + " of " +
                                          std::to_string(barSteps) + " steps");
            continue;
        }
        std::string_view token = word;
        const bool accent = token.ends_with('!');
        if (accent)
            token.remove_suffix(1);
        if (const std::size_t slash = token.find('/'); slash != std::string_view::npos) {
            length = parseDuration(token.substr(slash + 1), reader, out.line);
            token = token.substr(0, slash);
        }
        if (token == "~") {
            if (out.notes.empty() || out.notes.back().start + out.notes.back().length != position)
                reader.fail(out.line, "a tie '~' must follow a note");
            out.notes.back().length += length;
        } else if (token == "r") {
            out.notes.push_back({position, length, -1, false});
        } else if (const std::optional<int> pitch = parseNoteName(token)) {
            out.notes.push_back({position, length, *pitch, accent});
        } else {
            reader.fail(out.line, "cannot read the note '" + word + "'");
        }
        position += length;
    }
    if (position == 0 || position % barSteps != 0)
        reader.fail(out.line, "the notes fill " + std::to_string(position) + " steps, not whole bars of " +
                                  std::to_string(barSteps));
    out.cycle = position;
    // Rests only mark time.
    std::erase_if(out.notes, [](const WrittenNote& note) { return note.pitch < 0; });
}

void parseGrid(PartLine& out, std::string_view text, int barSteps, const Reader& reader)
{
    std::string cleaned;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            cleaned += c;
    std::vector<std::string> bars;
    std::size_t at = 0;
    while (at <= cleaned.size()) {
        const std::size_t bar = std::min(cleaned.find('|', at), cleaned.size());
        std::string segment = cleaned.substr(at, bar - at);
        at = bar + 1;
        int repeat = 1;
        if (const std::size_t star = segment.find('*'); star != std::string::npos) {
            repeat = reader.number(std::string_view(segment).substr(star + 1), out.line, 1, 64);
            segment.resize(star);
        }
        if (segment.empty())
            continue;
        const int size = static_cast<int>(segment.size());
        if (size < barSteps && barSteps % size == 0) {
            std::string filled;
            for (int i = 0; i < barSteps / size; ++i)
                filled += segment;
            segment = filled;
        } else if (size % barSteps != 0) {
            reader.fail(out.line, "a grid of " + std::to_string(size) + " steps does not fit bars of " +
                                      std::to_string(barSteps));
        }
        for (int i = 0; i < repeat; ++i)
            out.grid += segment;
    }
    for (char c : out.grid)
        if (!std::strchr("1357890xXo.-", c))
            reader.fail(out.line, std::string("a grid takes 1 3 5 7 8 9 0 x X o . - only, not '") + c + "'");
    if (out.grid.empty())
        reader.fail(out.line, "an empty grid");
    out.cycle = static_cast<int>(out.grid.size());
}

// Bars of chord symbols; the symbols of a bar share it equally and '.'
// holds the chord before.
void parseChords(Section& section, std::string_view text, int barSteps, const Reader& reader, int line)
{
    std::vector<std::vector<std::string>> bars(1);
    for (const std::string& word : words(text)) {
        if (word == "|")
            bars.emplace_back();
        else
            bars.back().push_back(word);
    }
    std::erase_if(bars, [](const auto& bar) { return bar.empty(); });
    if (bars.empty())
        reader.fail(line, "no chords");
    int position = section.steps;
    for (const auto& bar : bars) {
        const int count = static_cast<int>(bar.size());
        if (barSteps % count != 0)
            reader.fail(line, std::to_string(count) + " chords cannot share a bar of " + std::to_string(barSteps));
        for (const std::string& symbol : bar) {
            if (symbol == ".") {
                if (section.chords.empty())
                    reader.fail(line, "'.' with no chord to hold");
                section.chords.back().length += barSteps / count;
            } else {
                try {
                    section.chords.push_back({position, barSteps / count, parseChord(symbol)});
                } catch (const std::runtime_error& e) {
                    reader.fail(line, e.what());
                }
            }
            position += barSteps / count;
        }
    }
    section.steps = position;
}

// A section's text before it is read: chords, then each part's text in the
// order the parts first appear.
struct SectionText {
    std::string name;
    int line = 0;
    std::string chords;
    int chordsLine = 0;
    std::vector<std::pair<std::string, std::pair<std::string, int>>> parts;  // part, (text, line)
    std::vector<std::string> written;  // parts this section wrote itself, not inherited
};

void appendPartText(SectionText& section, const std::string& part, std::string_view text, int line)
{
    // A section made like another replaces an inherited line the first time
    // it writes that part, and adds to it after.
    const bool own = std::find(section.written.begin(), section.written.end(), part) != section.written.end();
    if (!own)
        section.written.push_back(part);
    auto entry =
        std::find_if(section.parts.begin(), section.parts.end(), [&](const auto& p) { return p.first == part; });
    if (entry == section.parts.end()) {
        section.parts.push_back({part, {"", line}});
        entry = section.parts.end() - 1;
    } else if (!own) {
        entry->second = {"", line};
    }
    entry->second.first += ' ';
    entry->second.first += text;
}

// A comment starts with a # at the start of a word; a # after a letter is a sharp.
std::string withoutComment(const std::string& line)
{
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            return line.substr(0, i);
    return line;
}

PartSettings parsePart(const std::vector<std::string>& w, const Reader& reader, int line)
{
    if (w.size() < 5)
        reader.fail(line, "part NAME VOICE VOLUME PAN [options]");
    PartSettings part;
    part.name = w[1];
    part.voice = w[2];
    part.volume = reader.number(w[3], line, 0, 64);
    part.pan = reader.number(w[4].starts_with('+') ? std::string_view(w[4]).substr(1) : std::string_view(w[4]), line,
                             -100, 100);
    part.line = line;
    for (std::size_t i = 5; i < w.size(); ++i) {
        const std::size_t equals = w[i].find('=');
        if (equals == std::string::npos)
            reader.fail(line, "options are key=value, not '" + w[i] + "'");
        const std::string key = w[i].substr(0, equals);
        const std::string value = w[i].substr(equals + 1);
        if (key == "low") {
            const std::optional<int> note = parseNoteName(value);
            if (!note)
                reader.fail(line, "low= takes a note name");
            part.low = *note;
        } else if (key == "voices") {
            part.voices = reader.number(value, line, 1, 6);
        } else if (key == "echo") {
            const std::size_t colon = value.find(':');
            if (colon == std::string::npos)
                reader.fail(line, "echo=PART:STEPS");
            part.echoOf = value.substr(0, colon);
            part.echoDelay = reader.number(std::string_view(value).substr(colon + 1), line, 1, 64);
        } else if (key == "under") {
            part.under = value;
        } else {
            reader.fail(line, "no part option '" + key + "'");
        }
    }
    return part;
}

} // namespace

const PartSettings* Tune::part(std::string_view partName) const
{
    for (const PartSettings& p : parts)
        if (p.name == partName)
            return &p;
    return nullptr;
}

const Section* Tune::section(std::string_view sectionName) const
{
    for (const Section& s : sections)
        if (s.name == sectionName)
            return &s;
    return nullptr;
}

Tune parseTune(std::string_view text, const std::string& name)
{
    const Reader reader(name);
    Tune tune;
    tune.name = name;
    std::vector<SectionText> texts;
    bool inSection = false;
    int songLine = 0;

    std::istringstream in{std::string(text)};
    std::string raw;
    for (int line = 1; std::getline(in, raw); ++line) {
        const std::string content = withoutComment(raw);
        const std::vector<std::string> w = words(content);
        if (w.empty())
            continue;
        const std::string& key = w[0];
        const std::string rest = content.substr(content.find(key) + key.size());
        if (key == "title") {
            tune.title = w.size() > 1 ? content.substr(content.find(w[1])) : std::string{};
        } else if (key == "section") {
            if (w.size() != 2 && !(w.size() == 4 && w[2] == "like"))
                reader.fail(line, "section NAME [like OTHER]");
            SectionText section;
            for (const SectionText& other : texts) {
                if (other.name == w[1])
                    reader.fail(line, "a second section named " + w[1]);
                if (w.size() == 4 && other.name == w[3])
                    section = other;
            }
            if (w.size() == 4 && section.name.empty())
                reader.fail(line, "no section " + w[3] + " before this one");
            section.name = w[1];
            section.line = line;
            section.written.clear();
            texts.push_back(std::move(section));
            inSection = true;
        } else if (key == "play" || key == "loop") {
            (key == "play" ? tune.intro : tune.loop) = std::vector<std::string>(w.begin() + 1, w.end());
            songLine = line;
            inSection = false;
        } else if (inSection) {
            SectionText& section = texts.back();
            if (key == "chords") {
                const bool own = std::find(section.written.begin(), section.written.end(), "chords") !=
                                 section.written.end();
                if (!own) {
                    section.chords.clear();
                    section.chordsLine = line;
                    section.written.push_back("chords");
                }
                section.chords += ' ' + rest;
            } else {
                appendPartText(section, key, rest, line);
            }
        } else if (key == "output" && w.size() == 2) {
            tune.output = w[1];
        } else if (key == "tempo" && w.size() == 2) {
            tune.tempo = reader.number(w[1], line, 32, 255);
        } else if (key == "master" && w.size() == 2) {
            tune.master = reader.number(w[1], line, 1, 400);
        } else if (key == "time" && w.size() == 2) {
            const std::size_t slash = w[1].find('/');
            if (slash == std::string::npos)
                reader.fail(line, "time N/D, like 4/4 or 6/8");
            const int beats = reader.number(std::string_view(w[1]).substr(0, slash), line, 1, 16);
            const int unit = reader.number(std::string_view(w[1]).substr(slash + 1), line, 1, 16);
            if (16 % unit != 0 || beats * 16 / unit > 64)
                reader.fail(line, "time " + w[1] + " cannot be counted in sixteenths");
            tune.barSteps = beats * 16 / unit;
        } else if (key == "part") {
            PartSettings part = parsePart(w, reader, line);
            if (tune.part(part.name))
                reader.fail(line, "a second part named " + part.name);
            tune.parts.push_back(std::move(part));
        } else {
            reader.fail(line, "cannot read '" + key + "' here");
        }
    }

    if (tune.output.empty())
        reader.fail(1, "no 'output' file named");
    for (const PartSettings& part : tune.parts) {
        for (const std::string* other : {&part.echoOf, &part.under})
            if (!other->empty() && !tune.part(*other))
                reader.fail(part.line, "no part named " + *other);
    }
    for (SectionText& text : texts) {
        Section section;
        section.name = text.name;
        if (text.chords.empty())
            reader.fail(text.line, "section " + text.name + " has no chords");
        parseChords(section, text.chords, tune.barSteps, reader, text.chordsLine);
        for (const auto& [partName, entry] : text.parts) {
            PartLine line;
            line.part = partName;
            line.line = entry.second;
            if (!tune.part(partName))
                reader.fail(line.line, "no part named " + partName);
            const PartSettings& settings = *tune.part(partName);
            line.isGrid = entry.first.find_first_of("abcdefgr~/") == std::string::npos;
            if (!settings.echoOf.empty() || !settings.under.empty()) {
                const std::vector<std::string> switchWords = words(entry.first);
                if (switchWords.size() != 1 || (switchWords[0] != "on" && switchWords[0] != "off"))
                    reader.fail(line.line, partName + " follows another part: write 'on' or 'off'");
                line.follows = switchWords[0] == "on";
                line.cycle = section.steps;
            } else if (line.isGrid) {
                parseGrid(line, entry.first, tune.barSteps, reader);
            } else {
                parseNotes(line, entry.first, tune.barSteps, reader);
            }
            if (line.cycle > section.steps || section.steps % line.cycle != 0)
                reader.fail(line.line, "the line's " + std::to_string(line.cycle) + " steps do not fit section " +
                                           section.name + " of " + std::to_string(section.steps));
            section.lines.push_back(std::move(line));
        }
        tune.sections.push_back(std::move(section));
    }
    if (tune.loop.empty())
        reader.fail(songLine ? songLine : 1, "no 'loop' of sections");
    for (const std::vector<std::string>* list : {&tune.intro, &tune.loop})
        for (const std::string& s : *list)
            if (!tune.section(s))
                reader.fail(songLine, "no section named " + s);
    return tune;
}

} // namespace content::music
