#pragma once
// Tones made of sine partials that loop without a seam: the loop holds a
// whole number of cycles of every partial, so its last frame leads into
// its first exactly.  Each partial may die away until the loop starts; in
// the loop it holds still (the instrument's envelope takes over from there).

#include <cstddef>
#include <vector>

namespace content::music {

struct Partial {
    double ratio = 1;      // times the fundamental
    double amplitude = 1;
    double decay = 0;      // per second, until the loop
    double phase = 0;      // cycles, 0..1
    int detune = 0;        // whole cycles a loop added (slow beating against its neighbours)
};

struct LoopedTone {
    std::vector<float> frames;
    std::size_t loopStart = 0;
    std::size_t loopLength = 0;
    double cyclesPerFrame = 0;  // of the fundamental
};

// A fundamental of about `hz` at `rate` frames a second, `attackSeconds`
// before a loop of about `loopSeconds`.  Partials above `topHz` once the
// sample is played up to its highest note (`reach` times faster) are left out.
LoopedTone renderPartials(const std::vector<Partial>& partials, double hz, double rate, double attackSeconds,
                          double loopSeconds, double reach, double topHz = 17000);

} // namespace content::music
