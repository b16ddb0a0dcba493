#pragma once
// A tracker module as the game plays it (FastTracker 2 "Extended Module",
// version 1.04), held as plain values and written out byte for byte.
// Notes count from 1 = C-0; note 49 (C-4) plays a sample at 8363 Hz when
// its relative note and finetune are 0.  Linear frequencies throughout.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace content::music {

struct XmCell {
    std::uint8_t note = 0;        // 1..96, keyOff, or 0 for none
    std::uint8_t instrument = 0;  // 1-based, 0 for none
    std::uint8_t volume = 0;      // volume column byte (0x10..0x50 sets 0..64), 0 for none
    std::uint8_t effect = 0;
    std::uint8_t param = 0;

    bool empty() const { return !note && !instrument && !volume && !effect && !param; }
    bool operator==(const XmCell&) const = default;
};

inline constexpr std::uint8_t keyOff = 97;
inline constexpr std::uint8_t setPanning = 0x08;  // effect: 0 left .. 255 right
inline constexpr std::uint8_t setVolume(int volume) { return static_cast<std::uint8_t>(0x10 + volume); }

struct XmPattern {
    int rows = 64;
    std::vector<XmCell> cells;  // row by row, `channels` cells a row

    bool operator==(const XmPattern&) const = default;
};

// Up to 12 points of (tick, level 0..64); sustain holds until the key is let go.
struct XmEnvelope {
    struct Point {
        std::uint16_t tick;
        std::uint16_t level;
    };
    std::vector<Point> points;
    int sustain = -1;
};

struct XmSample {
    std::string name;
    std::vector<std::int16_t> data;
    std::size_t loopStart = 0;   // frames
    std::size_t loopLength = 0;  // frames; 0 plays the sample once
    int volume = 64;             // 0..64
    int finetune = 0;            // 1/128 semitone, -128..127
    int relativeNote = 0;        // semitones added to every note
    int panning = 128;           // 0 left .. 255 right
};

struct XmInstrument {
    std::string name;
    std::vector<XmSample> samples;
    std::array<std::uint8_t, 96> keymap{};  // sample index for notes 1..96
    XmEnvelope volumeEnvelope;
    int fadeout = 0;  // subtracted from 65536 each tick after the key is let go
    int vibratoType = 0, vibratoSweep = 0, vibratoDepth = 0, vibratoRate = 0;
};

struct XmModule {
    std::string name;
    int channels = 8;
    int speed = 6;   // ticks a row
    int tempo = 125; // beats a minute, as the format counts them
    std::vector<int> orders;
    int restart = 0;  // the order the song goes back to after its last
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};

// The whole file; throws std::runtime_error on values the format cannot hold.
std::string writeXm(const XmModule& module);

} // namespace content::music
