#include "sounds/EngineLoops.hpp"

#include "audio/Biquad.hpp"
#include "audio/Noise.hpp"

#include <cmath>
#include <numbers>

namespace content::sounds {

using namespace synth;

namespace {

constexpr double absent = -200.0;

// Levels are in dB against the muffler's putter.
struct Engine {
    const char* seed;
    int firingPeriod;  // samples from one firing to the next
    int firings;       // in the loop
    double mufflerHz;  // the muffler's deepest ring, which makes the putter
    double mufflerQ;
    double crackDb;    // exhaust gas bursting out with each firing
    double flowDb;     // the exhaust's breath between firings
    double rattleDb;   // the valves' tick
    double whineDb;    // the drive, when moving
    double bladeDb;    // blade whirr; cut grass comes with it
};

constexpr Engine ticking{"sounds/game/engine_idle", 3150, 28, 82.0, 5.0, -4.0, -16.0, -22.0, absent, absent};
constexpr Engine driving{"sounds/game/engine_moving", 1680, 48, 98.0, 4.0, -3.0, -13.0, -20.0, -26.0, absent};
// A touch slower than driving: the blades load the engine.
constexpr Engine cutting{"sounds/game/engine_mowing", 1764, 40, 95.0, 4.0, -3.0, -13.0, -20.0, -27.0, -7.0};

// A frequency that fits the loop a whole number of times, as near hz as that allows.
double cyclesIn(std::size_t loop, double hz)
{
    return std::max(1.0, std::round(hz * secondsOf(loop)));
}

double loopSine(std::size_t i, std::size_t loop, double cycles)
{
    return std::sin(2.0 * std::numbers::pi * cycles * static_cast<double>(i) / static_cast<double>(loop));
}

Signal filtered(const Signal& in, Biquad filter)
{
    Signal out = in;
    filter.process(out);
    return out;
}

// Adds a part at a level in dB against the reference loudness.
void addAt(Signal& into, const Signal& part, double reference, double db)
{
    const double loudness = rms(part);
    if (loudness <= 0.0)
        return;
    const double gain = reference * dbToGain(db) / loudness;
    for (std::size_t i = 0; i < into.size() && i < part.size(); ++i)
        into[i] += static_cast<float>(part[i] * gain);
}

// Whatever is drawn here is drawn only over the loop, and what rings on past
// its end is wrapped back over its start, so every part joins without a seam.
class LoopParts {
public:
    LoopParts(const Engine& engine)
        : engine_(engine), period_(static_cast<std::size_t>(engine.firingPeriod)),
          loop_(period_ * static_cast<std::size_t>(engine.firings)), noise_(engine.seed)
    {
        const std::size_t length = loop_ + samplesFor(0.6);
        pops_.assign(length, 0.f);
        gas_.assign(length, 0.f);
        ticks_.assign(length, 0.f);
        content::Random& chance = noise_.random();
        for (int k = 0; k < engine.firings; ++k) {
            // No two firings are quite alike, which keeps the loop from buzzing.
            const long long jitter = chance.between(-engine.firingPeriod / 80, engine.firingPeriod / 80);
            const auto at = static_cast<std::size_t>((k * engine.firingPeriod + jitter + static_cast<long long>(loop_)) %
                                                     static_cast<long long>(loop_));
            const double strength = chance.uniform(0.9, 1.1);
            firing(at, strength);
        }
    }

    std::size_t loop() const { return loop_; }

    Signal muffler() const
    {
        const double hz = engine_.mufflerHz;
        Signal out(pops_.size(), 0.f);
        addAt(out, filtered(pops_, Biquad::bandPass(hz, engine_.mufflerQ)), 1.0, 0.0);
        addAt(out, filtered(pops_, Biquad::bandPass(hz * 2.3, 5.0)), 1.0, -5.0);
        addAt(out, filtered(pops_, Biquad::bandPass(hz * 4.7, 6.0)), 1.0, -9.0);
        return wrapIntoLoop(out, loop_);
    }

    Signal crack() const
    {
        Signal out(gas_.size(), 0.f);
        addAt(out, filtered(gas_, Biquad::bandPass(380, 1.4)), 1.0, 0.0);
        addAt(out, filtered(gas_, Biquad::bandPass(900, 1.2)), 1.0, -6.0);
        Biquad soft = Biquad::lowPass(2500);
        soft.process(out);
        return wrapIntoLoop(out, loop_);
    }

    // Exhaust keeps flowing between firings, strongest just after each.
    Signal flow()
    {
        Signal out(loop_ + samplesFor(0.1), 0.f);
        const double firings = static_cast<double>(engine_.firings);
        for (std::size_t i = 0; i < loop_; ++i) {
            const double surge = 0.5 + 0.5 * loopSine(i, loop_, firings);
            out[i] = static_cast<float>(noise_.white() * (0.4 + 0.6 * surge * surge));
        }
        Biquad dull = Biquad::lowPass(700, 0.7);
        dull.process(out);
        return wrapIntoLoop(out, loop_);
    }

    Signal rattle() const { return wrapIntoLoop(filtered(ticks_, Biquad::bandPass(3100, 2.0)), loop_); }

    // The drive's whine swells a little with each firing.
    Signal whine() const
    {
        const double cycles = cyclesIn(loop_, 540.0);
        const double firings = static_cast<double>(engine_.firings);
        Signal out(loop_);
        for (std::size_t i = 0; i < loop_; ++i) {
            const double swell = 0.8 + 0.2 * loopSine(i, loop_, firings);
            out[i] = static_cast<float>(swell * (loopSine(i, loop_, cycles) + 0.3 * loopSine(i, loop_, 2.0 * cycles)));
        }
        return out;
    }

    // The blade turns some fifty times a second and each of its two tips
    // chops the air; grass is cut in clumps, as bursts of tiny snips.
    Signal blades()
    {
        const std::size_t length = loop_ + samplesFor(0.1);
        const double chops = cyclesIn(loop_, 105.0);
        Signal air(length, 0.f);
        for (std::size_t i = 0; i < loop_; ++i) {
            const double chop = 0.5 + 0.5 * loopSine(i, loop_, chops);
            air[i] = static_cast<float>(noise_.white() * (0.3 + 0.7 * chop * chop));
        }
        Signal snips(length, 0.f);
        content::Random& chance = noise_.random();
        const std::size_t snipLength = samplesFor(0.003);
        const double clumps = cyclesIn(loop_, 3.0);
        const int tries = static_cast<int>(secondsOf(loop_) * 600.0);
        for (int n = 0; n < tries; ++n) {
            const auto at = static_cast<std::size_t>(chance.below(static_cast<int>(loop_)));
            if (!chance.chance(0.5 + 0.45 * loopSine(at, loop_, clumps)))
                continue;
            const double size = chance.uniform(0.3, 1.0);
            for (std::size_t j = 0; j < snipLength; ++j)
                snips[at + j] += static_cast<float>(size * noise_.white() * std::exp(-secondsOf(j) / 0.0005));
        }

        Signal out(length, 0.f);
        addAt(out, filtered(air, Biquad::bandPass(900, 0.8)), 1.0, 0.0);
        addAt(out, filtered(air, Biquad::bandPass(2400, 1.2)), 1.0, -8.0);
        addAt(out, filtered(snips, Biquad::bandPass(3400, 0.9)), 1.0, -4.0);
        Biquad soft = Biquad::lowPass(6000);
        soft.process(out);
        Signal loop = wrapIntoLoop(out, loop_);
        for (std::size_t i = 0; i < loop_; ++i)
            loop[i] += static_cast<float>(0.12 * (loopSine(i, loop_, chops) + 0.5 * loopSine(i, loop_, 2.0 * chops)));
        return loop;
    }

private:
    void firing(std::size_t at, double strength)
    {
        // The pressure pulse out of the port, the gas behind it, and the
        // exhaust valve closing half a period later.
        for (std::size_t j = 0; j < samplesFor(0.01); ++j) {
            const double x = secondsOf(j) / 0.0007;
            pops_[at + j] += static_cast<float>(strength * x * std::exp(1.0 - x));
        }
        for (std::size_t j = 0; j < samplesFor(0.04); ++j)
            gas_[at + j] += static_cast<float>(strength * noise_.white() * std::exp(-secondsOf(j) / 0.009));
        const std::size_t valve = (at + period_ / 2) % loop_;
        const double knock = noise_.random().uniform(0.6, 1.0);
        for (std::size_t j = 0; j < samplesFor(0.004); ++j)
            ticks_[valve + j] += static_cast<float>(knock * noise_.white() * std::exp(-secondsOf(j) / 0.0007));
    }

    const Engine& engine_;
    std::size_t period_;
    std::size_t loop_;
    Noise noise_;
    Signal pops_;
    Signal gas_;
    Signal ticks_;
};

Signal engineLoop(const Engine& engine)
{
    LoopParts parts(engine);
    Signal out = parts.muffler();
    const double reference = rms(out);
    addAt(out, parts.crack(), reference, engine.crackDb);
    addAt(out, parts.flow(), reference, engine.flowDb);
    addAt(out, parts.rattle(), reference, engine.rattleDb);
    if (engine.whineDb > absent)
        addAt(out, parts.whine(), reference, engine.whineDb);
    if (engine.bladeDb > absent)
        addAt(out, parts.blades(), reference, engine.bladeDb);

    // A little saturation rounds the pops off, as a real muffler does.
    const float loudest = peak(out);
    for (float& s : out)
        s = static_cast<float>(std::tanh(1.6 * s / loudest));
    startWhereQuiet(out);
    return out;
}

} // namespace

Signal engineIdle() { return engineLoop(ticking); }
Signal engineMoving() { return engineLoop(driving); }
Signal engineMowing() { return engineLoop(cutting); }

} // namespace content::sounds
