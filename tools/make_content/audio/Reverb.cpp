#include "audio/Reverb.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace content::synth {

namespace {

// Delay lengths in samples at 44.1 kHz, mutually prime so their echoes
// do not pile up on one another.
constexpr std::array<int, 8> combLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> allPassLengths{556, 441, 341, 225};

class Comb {
public:
    Comb(std::size_t length, double feedback, double damping)
        : line_(std::max<std::size_t>(length, 1), 0.f), feedback_(feedback), damping_(damping)
    {
    }
    float process(float x)
    {
        const float out = line_[at_];
        held_ = out * (1.0 - damping_) + held_ * damping_;
        line_[at_] = static_cast<float>(x + held_ * feedback_);
        at_ = (at_ + 1) % line_.size();
        return out;
    }

private:
    Signal line_;
    std::size_t at_ = 0;
    double feedback_;
    double damping_;
    double held_ = 0.0;
};

class AllPass {
public:
    explicit AllPass(std::size_t length) : line_(std::max<std::size_t>(length, 1), 0.f) {}
    float process(float x)
    {
        const float delayed = line_[at_];
        line_[at_] = x + delayed * 0.5f;
        at_ = (at_ + 1) % line_.size();
        return delayed - x;
    }

private:
    Signal line_;
    std::size_t at_ = 0;
};

std::size_t scaled(int length, double spread)
{
    return static_cast<std::size_t>(std::lround(length * spread));
}

} // namespace

Signal reverb(const Signal& dry, const ReverbSettings& settings, double tailSeconds)
{
    const double feedback = 0.7 + 0.28 * std::clamp(settings.roomSize, 0.0, 1.0);
    const double damping = 0.4 * std::clamp(settings.damping, 0.0, 1.0);
    std::vector<Comb> combs;
    for (int length : combLengths)
        combs.emplace_back(scaled(length, settings.spread), feedback, damping);
    std::vector<AllPass> allPasses;
    for (int length : allPassLengths)
        allPasses.emplace_back(scaled(length, settings.spread));

    const std::size_t delay = samplesFor(settings.preDelay);
    Signal out(dry.size() + samplesFor(tailSeconds), 0.f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float in = i >= delay && i - delay < dry.size() ? dry[i - delay] * 0.015f : 0.f;
        float wet = 0.f;
        for (Comb& comb : combs)
            wet += comb.process(in);
        for (AllPass& pass : allPasses)
            wet = pass.process(wet);
        const float direct = i < dry.size() ? dry[i] : 0.f;
        out[i] = static_cast<float>(direct * settings.dry + wet * 3.0 * settings.wet);
    }
    return out;
}

} // namespace content::synth
