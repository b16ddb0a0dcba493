#include "music/Harmony.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>

namespace content::music {
namespace {

// Pitch class of a letter with its sharps and flats; `used` says how many
// characters it took.
std::optional<int> pitchClass(std::string_view text, std::size_t& used)
{
    static constexpr int naturals[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (text.empty())
        return std::nullopt;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter < 'a' || letter > 'g')
        return std::nullopt;
    int pc = naturals[letter - 'a'];
    used = 1;
    if (used < text.size() && text[used] == '#') {
        ++pc;
        ++used;
    } else if (used < text.size() && text[used] == 'b') {
        --pc;
        ++used;
    }
    return (pc + 12) % 12;
}

const std::map<std::string, std::vector<int>, std::less<>>& qualities()
{
    static const std::map<std::string, std::vector<int>, std::less<>> table = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}},   {"m7", {0, 3, 7, 10}},     {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},      {"sus4", {0, 5, 7}},       {"sus2", {0, 2, 7}},
        {"7sus4", {0, 5, 7, 10}},  {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},
        {"9", {0, 4, 7, 10, 14}},  {"maj9", {0, 4, 7, 11, 14}}, {"m9", {0, 3, 7, 10, 14}},
        {"dim", {0, 3, 6}},        {"dim7", {0, 3, 6, 9}},    {"m7b5", {0, 3, 6, 10}},
        {"aug", {0, 4, 8}},
    };
    return table;
}

} // namespace

std::optional<int> parseNoteName(std::string_view text)
{
    std::size_t used = 0;
    const std::optional<int> pc = pitchClass(text, used);
    if (!pc || used + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[used])))
        return std::nullopt;
    const int octave = text[used] - '0';
    // Cb and B# belong to the octave their letter names.
    int midi = 12 * (octave + 1) + *pc;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter == 'c' && *pc == 11)
        midi -= 12;
    if (letter == 'b' && *pc == 0)
        midi += 12;
    return midi;
}

int Chord::degree(char digit) const
{
    const auto tone = [this](std::size_t i) { return i < intervals.size() ? intervals[i] : 12; };
    switch (digit) {
    case '1': return (bass - root + 12) % 12 == 0 ? 0 : (bass - root + 12) % 12 - 12;
    case '3': return tone(1);
    case '5': return tone(2);
    case '7': return intervals.size() > 3 && intervals[3] < 12 ? intervals[3] : 12;
    case '8': return 12;
    case '9': return 14;
    case '0': return tone(2) - 12;
    default: throw std::runtime_error(std::string("no chord degree '") + digit + "'");
    }
}

std::vector<int> Chord::voiceTones(int count) const
{
    // A tone a semitone from one already chosen would grate in a close
    // voicing (the root under a major seventh): the bass has it anyway.
    std::vector<int> tones;
    for (std::size_t i : {std::size_t{1}, std::size_t{3}, std::size_t{4}, std::size_t{0}, std::size_t{2}}) {
        if (i >= intervals.size() || std::ssize(tones) == count)
            continue;
        const int pc = (root + intervals[i]) % 12;
        const bool grates = std::any_of(tones.begin(), tones.end(), [&](int t) {
            const int apart = (pc - t + 12) % 12;
            return apart == 1 || apart == 11;
        });
        if (!grates)
            tones.push_back(pc);
    }
    return tones;
}

Chord parseChord(std::string_view symbol)
{
    const auto fail = [&]() -> Chord {
        throw std::runtime_error("cannot read the chord '" + std::string(symbol) + "'");
    };
    std::string_view text = symbol;
    Chord chord;
    std::size_t used = 0;
    const std::optional<int> root = pitchClass(text, used);
    if (!root || !std::isupper(static_cast<unsigned char>(text[0])))
        return fail();
    chord.root = chord.bass = *root;
    text.remove_prefix(used);
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        std::string_view bassText = text.substr(slash + 1);
        const std::optional<int> bass = pitchClass(bassText, used);
        if (!bass || used != bassText.size())
            return fail();
        chord.bass = *bass;
        text = text.substr(0, slash);
    }
    const auto quality = qualities().find(text);
    if (quality == qualities().end())
        return fail();
    chord.intervals = quality->second;
    return chord;
}

std::vector<int> voiceChord(const std::vector<int>& tones, int low, int high, const std::vector<int>& previous)
{
    // Every choice of octave for each tone that fits the range, kept when
    // the notes lie within an octave and a fifth of each other.
    std::vector<std::vector<int>> candidates{{}};
    for (int pc : tones) {
        std::vector<std::vector<int>> next;
        for (const std::vector<int>& partial : candidates)
            for (int note = low + ((pc - low) % 12 + 12) % 12; note <= high; note += 12)
                if (std::find(partial.begin(), partial.end(), note) == partial.end()) {
                    std::vector<int> grown = partial;
                    grown.push_back(note);
                    next.push_back(std::move(grown));
                }
        candidates = std::move(next);
    }
    double bestScore = std::numeric_limits<double>::max();
    std::vector<int> best;
    for (std::vector<int>& voicing : candidates) {
        std::sort(voicing.begin(), voicing.end());
        if (voicing.back() - voicing.front() > 19)
            continue;
        double score = 0;
        if (previous.size() == voicing.size()) {
            for (std::size_t i = 0; i < voicing.size(); ++i)
                score += std::abs(voicing[i] - previous[i]);
        } else {
            double centre = 0;
            for (int note : voicing)
                centre += note;
            score = std::abs(centre / static_cast<double>(voicing.size()) - (low + 7));
        }
        // A little weight on spread keeps voicings close.
        score += 0.1 * (voicing.back() - voicing.front());
        if (score < bestScore) {
            bestScore = score;
            best = voicing;
        }
    }
    if (best.empty())
        throw std::runtime_error("no voicing of the chord fits the part's range");
    return best;
}

} // namespace content::music
