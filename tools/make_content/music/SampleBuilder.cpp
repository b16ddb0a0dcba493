#include "music/SampleBuilder.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace content::music {

XmSample buildSample(std::string name, const std::vector<float>& sound, double peak, std::size_t loopStart,
                     std::size_t loopLength)
{
    float loudest = 0;
    for (float v : sound)
        loudest = std::max(loudest, std::abs(v));
    if (loudest <= 0)
        throw std::runtime_error("sample " + name + " is silent");
    const double gain = peak * 32767.0 / loudest;
    XmSample sample;
    sample.name = std::move(name);
    sample.data.reserve(sound.size());
    for (float v : sound)
        sample.data.push_back(static_cast<std::int16_t>(std::clamp<long>(std::lround(v * gain), -32767, 32767)));
    sample.loopStart = loopStart;
    sample.loopLength = loopLength;
    return sample;
}

void tuneSample(XmSample& sample, double framesPerSecond)
{
    constexpr double middleCRate = 8363.0;
    const double semitones = 12.0 * std::log2(framesPerSecond / middleCRate);
    long steps = std::lround(semitones * 128.0);
    int relative = static_cast<int>(std::floor(static_cast<double>(steps) / 128.0));
    int fine = static_cast<int>(steps - relative * 128L);
    // Finetune reaches -128..127: take the nearer side.
    if (fine > 63) {
        ++relative;
        fine -= 128;
    }
    if (relative < -96 || relative > 95)
        throw std::runtime_error("sample " + sample.name + " cannot be tuned");
    sample.relativeNote = relative;
    sample.finetune = fine;
}

} // namespace content::music
