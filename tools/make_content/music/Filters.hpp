#pragma once
// The few filters the instruments and drums are shaped with.

namespace content::music {

// Two-pole, two-zero section (RBJ shapes), tuned once.
class Biquad {
public:
    static Biquad lowPass(double hz, double rate, double q = 0.7071);
    static Biquad highPass(double hz, double rate, double q = 0.7071);
    // Peak gain 1 at the centre.
    static Biquad bandPass(double hz, double rate, double q);

    float operator()(float x);

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

} // namespace content::music
