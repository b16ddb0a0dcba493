#include "music/Arranger.hpp"

#include "Random.hpp"
#include "music/Drums.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace content::music {
namespace {

const ChordSpan& chordAt(const Section& section, int step)
{
    for (const ChordSpan& span : section.chords)
        if (step >= span.start && step < span.start + span.length)
            return span;
    return section.chords.back();
}

// Written loudness: accented, plain or soft, and never quite the same twice.
int level(const PartSettings& part, int master, char strength, Random& rng)
{
    const double scale = strength == 'X' ? 1.0 : strength == 'o' ? 0.5 : 0.8;
    const double volume = part.volume * master / 100.0 * scale + rng.uniform(-1.5, 1.5);
    return std::clamp(static_cast<int>(std::lround(volume)), 1, 64);
}

int placeDegree(const Chord& chord, char digit, int low)
{
    const int root = low + ((chord.root - low) % 12 + 12) % 12;
    int pitch = root + chord.degree(digit);
    if (digit == '1' && pitch < low)
        pitch += 12;
    return pitch;
}

class SectionPlayer {
public:
    SectionPlayer(const Tune& tune, const Section& section, int base) : tune_(tune), section_(section), base_(base) {}

    void playNotes(ScorePart& part, const PartLine& line, Random& rng) const
    {
        for (int rep = 0; rep < section_.steps / line.cycle; ++rep)
            for (const WrittenNote& note : line.notes)
                part.notes.push_back({base_ + rep * line.cycle + note.start, note.length, note.pitch,
                                      level(part.settings, tune_.master, note.accent ? 'X' : 'x', rng)});
    }

    void playDrums(ScorePart& part, const PartLine& line, Random& rng) const
    {
        for (int step = 0; step < section_.steps; ++step) {
            const char c = line.grid[static_cast<std::size_t>(step % line.cycle)];
            if (c == 'x' || c == 'X' || c == 'o')
                part.notes.push_back({base_ + step, 1, drumPitch, level(part.settings, tune_.master, c, rng)});
            else if (c != '.' && c != '-')
                throw std::runtime_error(tune_.name + ".tune:" + std::to_string(line.line) +
                                         ": drum grids take x X o . - only");
        }
    }

    // Each grid character strikes a chord tone (digits) or the whole chord
    // (x X o); '.' holds it, moving to the new chord's tones when the chord
    // changes underneath (tones the chords share ring on); '-' lets go.
    void playGrid(ScorePart& part, const PartLine& line, Random& rng) const
    {
        std::vector<std::size_t> sounding;
        char holding = 0;
        char strength = 'x';
        std::vector<int> voicing;
        const auto pitchesFor = [&](char c, const Chord& chord) {
            if (c >= '0' && c <= '9')
                return std::vector<int>{placeDegree(chord, c, part.settings.low)};
            const int low = part.settings.low;
            voicing = voiceChord(chord.voiceTones(part.settings.voices), low, low + 23, voicing);
            return voicing;
        };
        const auto release = [&](int step) {
            for (std::size_t index : sounding)
                part.notes[index].length = base_ + step - part.notes[index].start;
            sounding.clear();
        };
        const auto strike = [&](int step, int pitch) {
            sounding.push_back(part.notes.size());
            part.notes.push_back({base_ + step, 0, pitch, level(part.settings, tune_.master, strength, rng)});
        };
        for (int step = 0; step < section_.steps; ++step) {
            const char c = line.grid[static_cast<std::size_t>(step % line.cycle)];
            const ChordSpan& span = chordAt(section_, step);
            if (c == '.') {
                if (holding && span.start == step) {
                    std::vector<int> fresh = pitchesFor(holding, span.chord);
                    std::vector<std::size_t> kept;
                    for (std::size_t index : sounding) {
                        const auto same = std::find(fresh.begin(), fresh.end(), part.notes[index].pitch);
                        if (same != fresh.end()) {
                            kept.push_back(index);
                            fresh.erase(same);
                        } else {
                            part.notes[index].length = base_ + step - part.notes[index].start;
                        }
                    }
                    sounding = kept;
                    for (int pitch : fresh)
                        strike(step, pitch);
                }
                continue;
            }
            release(step);
            if (c == '-') {
                holding = 0;
                continue;
            }
            holding = c;
            strength = c >= '0' && c <= '9' ? 'x' : c;
            for (int pitch : pitchesFor(c, span.chord))
                strike(step, pitch);
        }
        release(section_.steps);
    }

    void playEcho(ScorePart& part, const ScorePart& source, Random& rng) const
    {
        const int end = base_ + section_.steps;
        for (const ScoreNote& note : source.notes) {
            const int start = note.start + part.settings.echoDelay;
            if (note.start < base_ || start >= end)
                continue;
            part.notes.push_back({start, std::min(note.length, end - start), note.pitch,
                                  followedLevel(part, source, note, rng)});
        }
    }

    // The nearest chord tone at least a minor third below each note, from
    // the tones a chord part would voice.
    void playUnder(ScorePart& part, const ScorePart& source, Random& rng) const
    {
        for (const ScoreNote& note : source.notes) {
            if (note.start < base_ || note.start >= base_ + section_.steps)
                continue;
            const std::vector<int> tones = chordAt(section_, note.start - base_).chord.voiceTones(5);
            int pitch = note.pitch - 3;
            const auto inChord = [&](int p) {
                return std::find(tones.begin(), tones.end(), (p % 12 + 12) % 12) != tones.end();
            };
            while (!inChord(pitch))
                --pitch;
            part.notes.push_back({note.start, note.length, pitch, followedLevel(part, source, note, rng)});
        }
    }

private:
    int followedLevel(const ScorePart& part, const ScorePart& source, const ScoreNote& note, Random& rng) const
    {
        const double written = source.settings.volume * tune_.master / 100.0;
        const double ratio = written > 0 ? note.volume / written : 1.0;
        const double volume = part.settings.volume * tune_.master / 100.0 * ratio + rng.uniform(-1.0, 1.0);
        return std::clamp(static_cast<int>(std::lround(volume)), 1, 64);
    }

    const Tune& tune_;
    const Section& section_;
    int base_;
};

} // namespace

Score arrange(const Tune& tune)
{
    Score score;
    score.tempo = tune.tempo;
    score.barSteps = tune.barSteps;
    for (const PartSettings& settings : tune.parts) {
        ScorePart part;
        part.settings = settings;
        part.drum = isDrum(settings.voice);
        score.parts.push_back(std::move(part));
    }
    std::vector<Random> chance;
    for (const PartSettings& settings : tune.parts)
        chance.emplace_back(tune.name + "/" + settings.name);
    const auto partIndex = [&](const std::string& name) {
        for (std::size_t i = 0; i < tune.parts.size(); ++i)
            if (tune.parts[i].name == name)
                return i;
        throw std::runtime_error(tune.name + ".tune: no part named " + name);
    };

    std::vector<std::string> order = tune.intro;
    order.insert(order.end(), tune.loop.begin(), tune.loop.end());
    int base = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i == tune.intro.size())
            score.loopStart = base;
        const Section& section = *tune.section(order[i]);
        score.sectionStarts.push_back(base);
        const SectionPlayer player(tune, section, base);
        // Parts that follow others go last, when what they follow is known.
        for (bool followers : {false, true})
            for (const PartLine& line : section.lines) {
                const std::size_t index = partIndex(line.part);
                ScorePart& part = score.parts[index];
                const bool follower = !part.settings.echoOf.empty() || !part.settings.under.empty();
                if (follower != followers)
                    continue;
                if (follower) {
                    if (!line.follows)
                        continue;
                    const ScorePart& source = score.parts[partIndex(follower && !part.settings.echoOf.empty()
                                                                        ? part.settings.echoOf
                                                                        : part.settings.under)];
                    if (!source.settings.echoOf.empty() || !source.settings.under.empty())
                        throw std::runtime_error(tune.name + ".tune:" + std::to_string(part.settings.line) +
                                                 ": a part cannot follow one that follows another");
                    if (!part.settings.echoOf.empty())
                        player.playEcho(part, source, chance[index]);
                    else
                        player.playUnder(part, source, chance[index]);
                } else if (part.drum) {
                    if (!line.isGrid)
                        throw std::runtime_error(tune.name + ".tune:" + std::to_string(line.line) +
                                                 ": drums are written as grids");
                    player.playDrums(part, line, chance[index]);
                } else if (line.isGrid) {
                    player.playGrid(part, line, chance[index]);
                } else {
                    player.playNotes(part, line, chance[index]);
                }
            }
        base += section.steps;
    }
    score.steps = base;
    for (ScorePart& part : score.parts) {
        std::erase_if(part.notes, [](const ScoreNote& note) { return note.length <= 0; });
        std::stable_sort(part.notes.begin(), part.notes.end(), [](const ScoreNote& a, const ScoreNote& b) {
            return a.start != b.start ? a.start < b.start : a.pitch < b.pitch;
        });
    }
    return score;
}

} // namespace content::music
