#pragma once
// The one filter every sound here is shaped with: a two-pole, two-zero
// section (the familiar low-pass, high-pass, band-pass and bell shapes).
// A filter can be retuned every sample without losing what it holds, which
// is how sweeps and formant glides are made.  Filters work at the sounds'
// rate unless told otherwise (the music's instruments are sampled at their
// own rates).

#include "audio/Signal.hpp"

namespace content::synth {

class Biquad {
public:
    // Passes everything unchanged.
    Biquad() = default;

    static constexpr double flat = 0.7071;  // the q of the flattest pass band

    static Biquad lowPass(double hz, double q = flat, double rate = sampleRate);
    static Biquad highPass(double hz, double q = flat, double rate = sampleRate);
    // Unity gain at the centre; a high q makes it ring like a resonator.
    static Biquad bandPass(double hz, double q, double rate = sampleRate);
    static Biquad bell(double hz, double q, double gainDb, double rate = sampleRate);

    // Takes the other filter's shape and keeps this one's memory.
    void retune(const Biquad& shape);

    float process(float x);
    void process(Signal& signal);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);

    double b0_ = 1.0, b1_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double z1_ = 0.0, z2_ = 0.0;
};

} // namespace content::synth
