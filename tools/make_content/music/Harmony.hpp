#pragma once
// Pitches and chords as the tunes write them: note names in scientific
// pitch ("c5", "f#3", "bb2"; c4 is middle C = MIDI 60) and chord symbols
// ("C", "Am7", "F/A", "Gsus4", "Dm9").

#include <optional>
#include <string_view>
#include <vector>

namespace content::music {

// A MIDI note number, or nothing when the text is not a note name.
std::optional<int> parseNoteName(std::string_view text);

struct Chord {
    int root = 0;                // pitch class, 0 = C
    int bass = 0;                // pitch class of the lowest note; the root unless a slash says otherwise
    std::vector<int> intervals;  // semitones above the root, first 0, rising

    // The tone a grid digit asks for, in semitones above the root's lowest
    // place: '1' root (the slash bass when there is one), '3' third, '5'
    // fifth, '7' seventh (the octave in a triad), '8' the octave, '9' the
    // ninth, '0' the fifth below.
    int degree(char digit) const;
    // The notes of a chord part: up to `count` pitch classes, the ones that
    // give the chord its colour first (third, seventh or added tone), the
    // fifth last, leaving out any a semitone from one before it (the root of
    // a major seventh chord).  A triad stays three notes however many are
    // asked for.
    std::vector<int> voiceTones(int count) const;
};

// Throws std::runtime_error naming the symbol when it cannot be read.
Chord parseChord(std::string_view symbol);

// Close voicings of `tones` (pitch classes) with every note in [low, high],
// as rising MIDI notes; the one nearest to `previous` (or, without one, the
// one centred nearest a fifth above `low`).
std::vector<int> voiceChord(const std::vector<int>& tones, int low, int high, const std::vector<int>& previous);

} // namespace content::music
