#include "audio/Noise.hpp"

namespace content::synth {

float Noise::white()
{
    return static_cast<float>(random_.uniform(-1.0, 1.0));
}

float Noise::pink()
{
    // A sum of one-pole filters whose slopes add up to -3 dB per octave.
    const double w = white();
    double* b = pink_;
    b[0] = 0.99886 * b[0] + w * 0.0555179;
    b[1] = 0.99332 * b[1] + w * 0.0750759;
    b[2] = 0.96900 * b[2] + w * 0.1538520;
    b[3] = 0.86650 * b[3] + w * 0.3104856;
    b[4] = 0.55000 * b[4] + w * 0.5329522;
    b[5] = -0.7616 * b[5] - w * 0.0168980;
    const double out = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + w * 0.5362;
    b[6] = w * 0.115926;
    return static_cast<float>(out * 0.2);
}

float Noise::brown()
{
    // Leaky, so it wanders but never drifts away.
    brown_ = 0.995 * brown_ + 0.06 * white();
    return static_cast<float>(brown_ * 2.5);
}

} // namespace content::synth
