#pragma once
// Noise drawn from the generator's own seeded chance, so it is the same on
// every run: white, pink (equal energy per octave: rain, wind, spray) and
// brown (a deep rumble).

#include "Random.hpp"

#include <string_view>

namespace content::synth {

class Noise {
public:
    explicit Noise(std::string_view seed) : random_(seed) {}

    // Uniform in [-1, 1).
    float white();
    // About the loudness of white noise.
    float pink();
    float brown();

    content::Random& random() { return random_; }

private:
    content::Random random_;
    double pink_[7] = {};
    double brown_ = 0.0;
};

} // namespace content::synth
