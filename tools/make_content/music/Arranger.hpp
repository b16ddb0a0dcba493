#pragma once
// From a tune to the notes every part plays, on one timeline of steps
// (sixteenth notes): the intro once, then the loop once.  Grid lines become
// chord tones under the chords of their section, echoes and harmonies are
// drawn from the parts they follow.

#include "music/Tune.hpp"

#include <vector>

namespace content::music {

struct ScoreNote {
    int start = 0;
    int length = 0;  // steps; the note is let go after them
    int pitch = 60;  // MIDI
    int volume = 48; // 0..64
};

struct ScorePart {
    PartSettings settings;
    bool drum = false;
    std::vector<ScoreNote> notes;  // by start, then pitch
};

struct Score {
    int tempo = 120;
    int barSteps = 16;
    int steps = 0;       // intro and one pass of the loop
    int loopStart = 0;   // where the song goes on after its last step
    std::vector<int> sectionStarts;  // first step of each section played, rising
    std::vector<ScorePart> parts;
};

// Throws std::runtime_error for lines that cannot be played as written.
Score arrange(const Tune& tune);

} // namespace content::music
