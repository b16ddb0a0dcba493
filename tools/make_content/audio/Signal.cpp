#include "audio/Signal.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace content::synth {

std::size_t samplesFor(double seconds)
{
    return seconds <= 0.0 ? 0 : static_cast<std::size_t>(std::lround(seconds * sampleRate));
}

double secondsOf(std::size_t sampleCount) { return static_cast<double>(sampleCount) / sampleRate; }

double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

double gainToDb(double gain) { return 20.0 * std::log10(std::max(gain, 1e-12)); }

void mix(Signal& into, const Signal& sound, double atSeconds, double gain)
{
    const std::size_t start = samplesFor(atSeconds);
    if (into.size() < start + sound.size())
        into.resize(start + sound.size(), 0.f);
    for (std::size_t i = 0; i < sound.size(); ++i)
        into[start + i] += static_cast<float>(sound[i] * gain);
}

float peak(const Signal& signal)
{
    float loudest = 0.f;
    for (float s : signal)
        loudest = std::max(loudest, std::abs(s));
    return loudest;
}

double rms(const Signal& signal)
{
    if (signal.empty())
        return 0.0;
    double sum = 0.0;
    for (float s : signal)
        sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(signal.size()));
}

double mean(const Signal& signal)
{
    if (signal.empty())
        return 0.0;
    return std::accumulate(signal.begin(), signal.end(), 0.0) / static_cast<double>(signal.size());
}

void removeDc(Signal& signal)
{
    const double offset = mean(signal);
    for (float& s : signal)
        s = static_cast<float>(s - offset);
}

void scale(Signal& signal, double gain)
{
    for (float& s : signal)
        s = static_cast<float>(s * gain);
}

void setPeak(Signal& signal, double dbfs)
{
    const float loudest = peak(signal);
    if (loudest > 0.f)
        scale(signal, dbToGain(dbfs) / loudest);
}

void fadeEdges(Signal& signal, double inSeconds, double outSeconds)
{
    const std::size_t in = std::min(samplesFor(inSeconds), signal.size());
    const std::size_t out = std::min(samplesFor(outSeconds), signal.size());
    for (std::size_t i = 0; i < in; ++i)
        signal[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / in));
    for (std::size_t i = 0; i < out; ++i)
        signal[signal.size() - 1 - i] *=
            static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / out));
}

Signal wrapIntoLoop(const Signal& rendered, std::size_t loopLength)
{
    Signal loop(loopLength, 0.f);
    for (std::size_t i = 0; i < rendered.size() && loopLength > 0; ++i)
        loop[i % loopLength] += rendered[i];
    return loop;
}

void startWhereQuiet(Signal& loop)
{
    const std::size_t n = loop.size();
    if (n < 2)
        return;
    // Loudness around each sample over a few milliseconds, round the loop.
    const std::size_t half = std::min(samplesFor(0.003), n / 2);
    double around = 0.0;
    for (std::size_t j = n - half; j < n; ++j)
        around += static_cast<double>(loop[j]) * loop[j];
    for (std::size_t j = 0; j <= half; ++j)
        around += static_cast<double>(loop[j]) * loop[j];
    std::size_t best = 0;
    double bestScore = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const float here = loop[i];
        const float before = loop[(i + n - 1) % n];
        const double score = std::sqrt(std::max(around, 0.0) / static_cast<double>(2 * half + 1)) +
                             std::abs(here) + std::abs(here - before);
        if (i == 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
        const float leaving = loop[(i + n - half) % n];
        const float entering = loop[(i + half + 1) % n];
        around += static_cast<double>(entering) * entering - static_cast<double>(leaving) * leaving;
    }
    std::rotate(loop.begin(), loop.begin() + static_cast<std::ptrdiff_t>(best), loop.end());
}

} // namespace content::synth
