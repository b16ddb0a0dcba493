#pragma once
// A piece of the game's music as a musician writes it in content/music/
// (the format is described in content/music/README.txt): the parts that
// play it, its sections with their chords and lines, and the order the
// sections play in.  Reading checks bar lengths and names, so a mistake in
// a tune stops the build with the line it is on.

#include "music/Harmony.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace content::music {

struct PartSettings {
    std::string name;
    std::string voice;     // an instrument of Voices.hpp or a drum of Drums.hpp
    int volume = 48;       // 0..64
    int pan = 0;           // -100 left .. 100 right
    int low = 48;          // grid parts: where the chord's root is placed from
    int voices = 3;        // chord parts: notes in each chord
    std::string echoOf;    // plays that part's notes `echoDelay` steps later
    int echoDelay = 0;
    std::string under;     // harmonises that part from the chord tones below it
    int line = 0;
};

// A written note or rest of a note line, in steps (sixteenth notes).
struct WrittenNote {
    int start = 0;
    int length = 0;
    int pitch = -1;  // MIDI; -1 is a rest
    bool accent = false;
};

struct PartLine {
    std::string part;
    bool isGrid = false;
    bool follows = false;            // an echo or harmony part that plays here
    std::string grid;                // one character a step
    std::vector<WrittenNote> notes;  // for note lines
    int cycle = 0;                   // steps before the line starts over
    int line = 0;
};

struct ChordSpan {
    int start = 0;
    int length = 0;
    Chord chord;
};

struct Section {
    std::string name;
    int steps = 0;
    std::vector<ChordSpan> chords;
    std::vector<PartLine> lines;
};

struct Tune {
    std::string name;  // the file's stem; seeds the tune's chance
    std::string title;
    std::string output;  // file name in music/, ".xm" or ".ogg"
    int tempo = 120;     // quarter notes a minute
    int barSteps = 16;
    int master = 100;    // percent, applied to every part's volume
    std::vector<PartSettings> parts;
    std::vector<Section> sections;
    std::vector<std::string> intro;  // sections played once
    std::vector<std::string> loop;   // sections played for ever after

    const PartSettings* part(std::string_view partName) const;
    const Section* section(std::string_view sectionName) const;
};

// Throws std::runtime_error as "<name>.tune:<line>: <what is wrong>".
Tune parseTune(std::string_view text, const std::string& name);

} // namespace content::music
