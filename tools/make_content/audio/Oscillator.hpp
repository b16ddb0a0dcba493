#pragma once
// A phase that runs at a frequency that may change every sample, read out as
// the usual waveforms.  Saw and pulse are band-limited (polyBLEP) so that
// high notes and fast sweeps do not alias into hiss.

namespace content::synth {

class Oscillator {
public:
    // Phase in cycles, [0, 1).
    explicit Oscillator(double phase = 0.0);

    // Each call gives one sample and moves the phase on by hz / sampleRate.
    float sine(double hz);
    float triangle(double hz);
    float saw(double hz);
    float pulse(double hz, double width = 0.5);

    double phase() const { return phase_; }

private:
    // The phase before the step.
    double advance(double hz);

    double phase_;
};

} // namespace content::synth
