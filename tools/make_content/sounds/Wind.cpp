#include "sounds/Wind.hpp"

#include "audio/Biquad.hpp"
#include "audio/Envelope.hpp"
#include "audio/Noise.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace content::sounds {

using namespace synth;

namespace {

constexpr double length = 3.4;

// Air never blows evenly: a level that wanders between low and high.
Envelope wandering(content::Random& chance, double every, double low, double high)
{
    std::vector<Envelope::Point> points;
    for (double t = 0.0; t < length + every; t += every * chance.uniform(0.7, 1.3))
        points.push_back({t, chance.uniform(low, high)});
    return Envelope(std::move(points));
}

} // namespace

Signal wind()
{
    Noise noise("sounds/world/wind");
    content::Random& chance = noise.random();
    const Envelope gust{{0.0, 0.0}, {0.9, 0.5}, {1.6, 1.0}, {2.15, 0.72}, {2.6, 0.85}, {3.4, 0.0}};
    const Envelope flurry = wandering(chance, 0.18, 0.75, 1.0);
    const Envelope flutter = wandering(chance, 0.03, 0.0, 1.0);

    Biquad body;
    Biquad through = Biquad::bandPass(1700, 0.6);
    Biquad leaves = Biquad::bandPass(4200, 0.9);
    Biquad leafTop = Biquad::lowPass(8000);
    Biquad rumbleCut = Biquad::highPass(110);
    Signal out(samplesFor(length));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = secondsOf(i);
        const double g = std::max(0.0, smoothStep(gust.at(t), 0.0, 1.0) * flurry.at(t));
        // Stronger air sounds higher.
        body.retune(Biquad::lowPass(220.0 + 900.0 * g, 1.3));
        const double whoosh = body.process(noise.pink()) * 1.4;
        const double breath = through.process(noise.pink()) * 0.6 * g;
        // Leaves only rustle once the gust is up, in little flurries.
        const double rustle = leafTop.process(leaves.process(noise.white())) * std::pow(flutter.at(t), 3.0) * g * g * 0.9;
        out[i] = static_cast<float>(rumbleCut.process(static_cast<float>((whoosh + breath) * g + rustle)));
    }
    fadeEdges(out, 0.05, 0.2);
    return out;
}

} // namespace content::sounds
