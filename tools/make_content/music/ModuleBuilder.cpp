#include "music/ModuleBuilder.hpp"

#include "music/Drums.hpp"
#include "music/SampleBuilder.hpp"
#include "music/Voices.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace content::music {
namespace {

// The most notes of a part sounding at one step.
int polyphony(const ScorePart& part)
{
    std::vector<std::pair<int, int>> changes;
    for (const ScoreNote& note : part.notes) {
        changes.emplace_back(note.start, 1);
        changes.emplace_back(note.start + note.length, -1);
    }
    std::sort(changes.begin(), changes.end());  // endings (-1) before starts at the same step
    int now = 0, most = 0;
    for (const auto& change : changes)
        most = std::max(most, now += change.second);
    return most;
}

struct Placed {
    const ScoreNote* note;
    int channel;
};

// Each note goes to the part's channel that has been quiet longest, so a
// let-go note can ring out while the next one starts beside it.
std::vector<Placed> placeNotes(const ScorePart& part, int firstChannel, int channels)
{
    std::vector<int> freeFrom(static_cast<std::size_t>(channels), -1000000);
    std::vector<Placed> placed;
    for (const ScoreNote& note : part.notes) {
        int best = -1;
        for (int c = 0; c < channels; ++c)
            if (freeFrom[c] <= note.start && (best < 0 || freeFrom[c] < freeFrom[best]))
                best = c;
        if (best < 0)
            throw std::runtime_error("part " + part.settings.name + " has more notes at once than channels");
        freeFrom[best] = part.drum ? note.start + 1 : note.start + note.length;
        placed.push_back({&note, firstChannel + best});
    }
    return placed;
}

} // namespace

XmModule buildModule(const Score& score, const std::string& title, const std::string& seed)
{
    XmModule module;
    module.name = title;
    module.speed = 6;
    module.tempo = score.tempo;

    std::vector<int> firstChannel, channelCount;
    int channels = 0;
    for (const ScorePart& part : score.parts) {
        const int count = part.notes.empty() ? 0 : part.drum ? 1 : polyphony(part) + 1;
        firstChannel.push_back(channels);
        channelCount.push_back(count);
        channels += count;
    }
    channels += channels % 2;
    if (channels > 32)
        throw std::runtime_error(seed + ": the parts need " + std::to_string(channels) + " channels, more than 32");
    module.channels = std::max(channels, 2);

    // One instrument a voice, shared by the parts that play it, with a
    // sample for every stretch of the notes they play together.
    std::vector<std::uint8_t> instrumentOf(score.parts.size(), 0);
    std::vector<std::string> voices;
    for (std::size_t p = 0; p < score.parts.size(); ++p) {
        const std::string& voice = score.parts[p].settings.voice;
        auto known = std::find(voices.begin(), voices.end(), voice);
        if (known == voices.end()) {
            voices.push_back(voice);
            known = voices.end() - 1;
        }
        instrumentOf[p] = static_cast<std::uint8_t>(known - voices.begin() + 1);
    }
    for (const std::string& voice : voices) {
        XmInstrument instrument;
        if (isDrum(voice)) {
            instrument = makeDrum(voice, seed + "/" + voice);
        } else {
            int lowest = 127, highest = 0;
            for (const ScorePart& part : score.parts)
                if (part.settings.voice == voice)
                    for (const ScoreNote& note : part.notes) {
                        lowest = std::min(lowest, note.pitch);
                        highest = std::max(highest, note.pitch);
                    }
            if (lowest > highest)
                lowest = highest = 60;
            instrument = makeVoice(voice, lowest, highest, score.tempo, seed + "/" + voice);
        }
        module.instruments.push_back(std::move(instrument));
    }

    const auto cell = [&](std::vector<XmCell>& cells, int step, int channel) -> XmCell& {
        return cells[static_cast<std::size_t>(step * module.channels + channel)];
    };
    std::vector<XmCell> song(static_cast<std::size_t>(score.steps * module.channels));
    for (std::size_t p = 0; p < score.parts.size(); ++p) {
        const ScorePart& part = score.parts[p];
        if (part.notes.empty())
            continue;
        const std::vector<Placed> placed = placeNotes(part, firstChannel[p], channelCount[p]);
        const int place = static_cast<int>(std::lround(128 + part.settings.pan * 1.27));
        const auto pan = static_cast<std::uint8_t>(std::clamp(place, 0, 255));
        for (const Placed& at : placed) {
            const int note = xmNote(at.note->pitch);
            if (note < 1 || note > 96)
                throw std::runtime_error(seed + ": part " + part.settings.name + " plays a note out of range");
            // Every note sets its part's place in the stereo field: parts
            // that share an instrument sit in different places.
            cell(song, at.note->start, at.channel) = {static_cast<std::uint8_t>(note), instrumentOf[p],
                                                      setVolume(at.note->volume), setPanning, pan};
        }
        if (part.drum)
            continue;
        // Let go of each note at its end; a note that lasts to the end of the
        // song is let go where the song goes on, at the loop.
        for (const Placed& at : placed) {
            int end = at.note->start + at.note->length;
            if (end >= score.steps)
                end = score.loopStart;
            XmCell& off = cell(song, end, at.channel);
            if (off.note == 0)
                off = {keyOff, 0, 0, 0, 0};
        }
    }

    // Cut at every section and every four bars in it.
    std::vector<int> bounds = score.sectionStarts;
    bounds.push_back(score.steps);
    std::set<int> cuts;
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i)
        for (int step = bounds[i]; step < bounds[i + 1]; step += 4 * score.barSteps)
            cuts.insert(step);
    cuts.insert(score.steps);
    int from = 0;
    for (int to : cuts) {
        if (to == 0)
            continue;
        XmPattern pattern;
        pattern.rows = to - from;
        pattern.cells.assign(song.begin() + static_cast<std::ptrdiff_t>(from * module.channels),
                             song.begin() + static_cast<std::ptrdiff_t>(to * module.channels));
        if (from == score.loopStart)
            module.restart = static_cast<int>(module.orders.size());
        const auto same = std::find(module.patterns.begin(), module.patterns.end(), pattern);
        module.orders.push_back(static_cast<int>(same - module.patterns.begin()));
        if (same == module.patterns.end())
            module.patterns.push_back(std::move(pattern));
        from = to;
    }

    return module;
}

} // namespace content::music
