#include "music/Partials.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace content::music {

LoopedTone renderPartials(const std::vector<Partial>& partials, double hz, double rate, double attackSeconds,
                          double loopSeconds, double reach, double topHz)
{
    LoopedTone tone;
    const auto loop = static_cast<std::size_t>(std::lround(loopSeconds * rate));
    const long cycles = std::max(1L, std::lround(hz / rate * static_cast<double>(loop)));
    tone.loopLength = loop;
    tone.loopStart = static_cast<std::size_t>(std::lround(attackSeconds * rate));
    tone.cyclesPerFrame = static_cast<double>(cycles) / static_cast<double>(loop);
    tone.frames.assign(tone.loopStart + loop, 0.0f);

    // One period of the loop's own sine: every partial reads it at a whole
    // number of steps a frame, so each lands exactly back where it began.
    std::vector<double> table(loop);
    for (std::size_t i = 0; i < loop; ++i)
        table[i] = std::sin(2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(loop));

    const double highest = std::min(0.45, topHz / reach / rate);
    for (const Partial& partial : partials) {
        const long step = std::lround(partial.ratio * static_cast<double>(cycles)) +
                          std::lround(partial.ratio) * partial.detune;
        if (step <= 0 || static_cast<double>(step) / static_cast<double>(loop) >= highest)
            continue;
        auto index = static_cast<std::size_t>(std::lround(partial.phase * static_cast<double>(loop))) % loop;
        const double fall = std::exp(-partial.decay / rate);
        double amplitude = partial.amplitude;
        for (std::size_t n = 0; n < tone.frames.size(); ++n) {
            tone.frames[n] += static_cast<float>(amplitude * table[index]);
            index += static_cast<std::size_t>(step);
            if (index >= loop)
                index %= loop;
            if (n < tone.loopStart)
                amplitude *= fall;
        }
    }
    return tone;
}

} // namespace content::music
