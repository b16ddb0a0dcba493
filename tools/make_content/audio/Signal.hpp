#pragma once
// Sound as the generator works on it: mono floating-point samples at the
// game's rate, full scale at +-1, and the few level operations every sound
// needs before it is written.

#include <cstddef>
#include <vector>

namespace content::synth {

constexpr int sampleRate = 44100;

using Signal = std::vector<float>;

std::size_t samplesFor(double seconds);
double secondsOf(std::size_t sampleCount);
double dbToGain(double db);
double gainToDb(double gain);

// Adds `sound` into `into` from `atSeconds`, growing `into` as needed.
void mix(Signal& into, const Signal& sound, double atSeconds, double gain = 1.0);

float peak(const Signal& signal);
double rms(const Signal& signal);
double mean(const Signal& signal);

void removeDc(Signal& signal);
void scale(Signal& signal, double gain);
// Scales so the loudest sample sits at `dbfs`; silence stays silence.
void setPeak(Signal& signal, double dbfs);
// Raised-cosine fades, so a one-shot neither starts nor stops with a click.
void fadeEdges(Signal& signal, double inSeconds, double outSeconds);

// A seamless loop from a sound rendered longer than the loop: whatever rang
// on past the end is laid over the start, as it would be if the loop had
// been playing for ever.  Excite only the first loopLength samples and let
// the rest be tails; then the last sample leads into the first exactly.
Signal wrapIntoLoop(const Signal& rendered, std::size_t loopLength);
// Turns a seamless loop round to start where it is quietest, so that it
// starts and stops without a click and joins where little is happening.
void startWhereQuiet(Signal& loop);

} // namespace content::synth
