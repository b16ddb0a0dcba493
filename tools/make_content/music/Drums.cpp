#include "music/Drums.hpp"

#include "Random.hpp"
#include "audio/Biquad.hpp"
#include "music/SampleBuilder.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace content::music {

using synth::Biquad;

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

using Sound = std::vector<float>;

Sound silence(double seconds, double rate) { return Sound(static_cast<std::size_t>(seconds * rate), 0.0f); }

double at(std::size_t n, double rate) { return static_cast<double>(n) / rate; }

// A quick rise, so nothing starts on a step.
double rise(double t, double seconds) { return t >= seconds ? 1.0 : std::sin(0.5 * std::numbers::pi * t / seconds); }

// Six detuned square waves: the clangorous heart of hats and cymbals.
class Metal {
public:
    Metal(double scale, double rate) : scale_(scale), rate_(rate) {}
    double operator()(std::size_t n) const
    {
        static constexpr double tones[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
        double sum = 0;
        for (double hz : tones)
            sum += std::sin(twoPi * hz * scale_ * at(n, rate_)) >= 0 ? 1.0 : -1.0;
        return sum / 6;
    }

private:
    double scale_;
    double rate_;
};

Sound kick(Random& rng, double rate)
{
    Sound s = silence(0.45, rate);
    Biquad click = Biquad::lowPass(5000, Biquad::flat, rate);
    double phase = 0;
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        phase += (48 + 110 * std::exp(-t / 0.035)) / rate;
        double v = std::sin(twoPi * phase) * std::exp(-t / 0.16) * rise(t, 0.001);
        if (t < 0.002)
            v += 0.3 * click.process(static_cast<float>(rng.uniform(-1, 1)));
        s[n] = static_cast<float>(std::tanh(1.5 * v) / std::tanh(1.5));
    }
    return s;
}

Sound snare(Random& rng, double rate)
{
    Sound s = silence(0.3, rate);
    Biquad hiss = Biquad::highPass(1200, Biquad::flat, rate);
    double body = 0, ring = 0;
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        body += (180 + 25 * std::exp(-t / 0.02)) / rate;
        ring += 330 / rate;
        const double tone =
            0.6 * std::sin(twoPi * body) * std::exp(-t / 0.05) + 0.3 * std::sin(twoPi * ring) * std::exp(-t / 0.03);
        const double noise = 0.8 * hiss.process(static_cast<float>(rng.uniform(-1, 1))) * std::exp(-t / 0.09);
        s[n] = static_cast<float>((tone + noise) * rise(t, 0.0008));
    }
    return s;
}

Sound clap(Random& rng, double rate)
{
    Sound s = silence(0.35, rate);
    Biquad band = Biquad::bandPass(1100, 0.8, rate);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        // Three hands a few milliseconds apart, then the room.
        double level = 0;
        for (double hit : {0.0, 0.008, 0.016})
            if (t >= hit)
                level = std::max(level, std::exp(-(t - hit) / 0.006));
        if (t >= 0.024)
            level = std::max(level, 0.8 * std::exp(-(t - 0.024) / 0.09));
        s[n] = static_cast<float>(band.process(static_cast<float>(rng.uniform(-1, 1))) * level * rise(t, 0.0005));
    }
    return s;
}

Sound hat(Random& rng, double rate, double length, double decay)
{
    Sound s = silence(length, rate);
    Biquad high = Biquad::highPass(7000, Biquad::flat, rate);
    Biquad air = Biquad::highPass(8000, Biquad::flat, rate);
    const Metal metal(1.0, rate);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        const double v = high.process(static_cast<float>(metal(n))) + 0.5 * air.process(static_cast<float>(rng.uniform(-1, 1)));
        s[n] = static_cast<float>(v * std::exp(-t / decay) * rise(t, 0.0015));
    }
    return s;
}

Sound shaker(Random& rng, double rate)
{
    Sound s = silence(0.14, rate);
    Biquad band = Biquad::bandPass(6500, 1.0, rate);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        const double level = t < 0.02 ? std::sin(0.5 * std::numbers::pi * t / 0.02) : std::exp(-(t - 0.02) / 0.035);
        s[n] = static_cast<float>(band.process(static_cast<float>(rng.uniform(-1, 1))) * level);
    }
    return s;
}

Sound rim(Random& rng, double rate)
{
    Sound s = silence(0.07, rate);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        double v = std::sin(twoPi * 1700 * t) * std::exp(-t / 0.008) +
                   0.6 * std::sin(twoPi * 520 * t) * std::exp(-t / 0.015);
        if (t < 0.001)
            v += 0.3 * rng.uniform(-1, 1);
        s[n] = static_cast<float>(v * rise(t, 0.0003));
    }
    return s;
}

Sound tambourine(Random& rng, double rate)
{
    Sound s = silence(0.3, rate);
    Biquad low = Biquad::bandPass(7000, 3, rate);
    Biquad high = Biquad::bandPass(9500, 3, rate);
    double phases[4];
    for (double& p : phases)
        p = rng.uniform();
    static constexpr double jingles[4] = {5400, 6900, 8100, 10100};
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        const float white = static_cast<float>(rng.uniform(-1, 1));
        double v = low.process(white) + high.process(white);
        for (int j = 0; j < 4; ++j)
            v += 0.15 * std::sin(twoPi * (jingles[j] * t + phases[j]));
        s[n] = static_cast<float>(v * std::exp(-t / 0.07) * rise(t, 0.003));
    }
    return s;
}

Sound crash(Random& rng, double rate)
{
    Sound s = silence(1.4, rate);
    Biquad high = Biquad::highPass(3500, Biquad::flat, rate);
    Biquad top = Biquad::lowPass(12000, Biquad::flat, rate);
    const Metal metal(1.7, rate);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        const double v = 0.6 * metal(n) + rng.uniform(-1, 1);
        s[n] = static_cast<float>(top.process(high.process(static_cast<float>(v))) * std::exp(-t / 0.5) * rise(t, 0.003));
    }
    return s;
}

Sound tom(Random& rng, double rate)
{
    Sound s = silence(0.5, rate);
    Biquad thump = Biquad::lowPass(2000, Biquad::flat, rate);
    double phase = 0;
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = at(n, rate);
        phase += (110 + 60 * std::exp(-t / 0.05)) / rate;
        double v = std::sin(twoPi * phase) * std::exp(-t / 0.18);
        if (t < 0.005)
            v += 0.2 * thump.process(static_cast<float>(rng.uniform(-1, 1)));
        s[n] = static_cast<float>(v * rise(t, 0.001));
    }
    return s;
}

struct Drum {
    std::string_view name;
    double rate;  // no faster than the drum's highest sounds need
    Sound (*make)(Random& rng, double rate);
};

const std::vector<Drum>& kit()
{
    static const std::vector<Drum> all = {
        {"kick", 22050, kick},
        {"snare", 44100, snare},
        {"clap", 32000, clap},
        {"hat", 44100, [](Random& rng, double rate) { return hat(rng, rate, 0.09, 0.018); }},
        {"openhat", 44100, [](Random& rng, double rate) { return hat(rng, rate, 0.5, 0.16); }},
        {"shaker", 44100, shaker},
        {"rim", 32000, rim},
        {"tambourine", 44100, tambourine},
        {"crash", 32000, crash},
        {"tom", 22050, tom},
    };
    return all;
}

} // namespace

bool isDrum(std::string_view name)
{
    return std::any_of(kit().begin(), kit().end(), [&](const Drum& d) { return d.name == name; });
}

XmInstrument makeDrum(std::string_view name, std::string_view seed)
{
    for (const Drum& drum : kit()) {
        if (drum.name != name)
            continue;
        Random rng(seed);
        XmInstrument instrument;
        instrument.name = std::string(name);
        Sound sound = drum.make(rng, drum.rate);
        // The last stretch fades to nothing, so a long ring never stops dead.
        const std::size_t fade = sound.size() / 6;
        for (std::size_t i = 0; i < fade; ++i)
            sound[sound.size() - 1 - i] *=
                static_cast<float>(std::sin(0.5 * std::numbers::pi * static_cast<double>(i) / fade));
        XmSample sample = buildSample(std::string(name), sound, 0.9);
        tuneSample(sample, drum.rate);
        instrument.samples.push_back(std::move(sample));
        return instrument;
    }
    throw std::runtime_error("no drum named " + std::string(name));
}

} // namespace content::music
