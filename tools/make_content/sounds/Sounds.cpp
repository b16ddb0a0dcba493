// The game's sound samples, every one synthesised: the mower, the lawn, the
// garden around it and the menus.  The game names a sample by its path below
// sound\ without trailing digits, and picks one of the numbered variants at
// random each time it plays it.
//
// Each sample is mastered to sit with the others at the game's sound volume:
// effects close to full scale, the engine loops well below because they
// never stop, and the garden soft in character though not quiet.

#include "Content.hpp"
#include "audio/Signal.hpp"
#include "audio/WavFile.hpp"
#include "sounds/Birdsong.hpp"
#include "sounds/Crickets.hpp"
#include "sounds/DogBark.hpp"
#include "sounds/EngineLoops.hpp"
#include "sounds/InterfaceSounds.hpp"
#include "sounds/LawnSounds.hpp"
#include "sounds/Sprinkler.hpp"
#include "sounds/Wind.hpp"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace content::sounds {

namespace {

struct Sample {
    std::string file;  // in the data folder
    double peakDb;
    bool loop;
    std::function<synth::Signal()> make;
};

constexpr double effectPeak = -1.5;
constexpr double softEffectPeak = -3.0;
constexpr double enginePeak = -8.0;
constexpr double gardenPeak = -2.5;
// Birds and crickets are near-pure high tones, which carry: a little lower.
constexpr double songPeak = -4.0;

std::vector<Sample> samples()
{
    std::vector<Sample> all;
    for (int v = 1; v <= 3; ++v) {
        const std::string n = std::to_string(v);
        // Skids come with every turn, so they are kept the softest effect.
        all.push_back({"sound\\game\\skid" + n + ".wav", softEffectPeak, false, [v] { return turfSkid(v); }});
        all.push_back({"sound\\game\\respawn" + n + ".wav", effectPeak, false, [v] { return grassSprout(v); }});
        all.push_back({"sound\\world\\birds" + n + ".wav", songPeak, false, [v] { return birdsong(v); }});
    }
    all.push_back({"sound\\game\\engine_idle.wav", enginePeak, true, engineIdle});
    all.push_back({"sound\\game\\engine_moving.wav", enginePeak, true, engineMoving});
    all.push_back({"sound\\game\\engine_mowing.wav", enginePeak, true, engineMowing});
    all.push_back({"sound\\world\\crickets.wav", songPeak - 1.0, false, crickets});
    all.push_back({"sound\\world\\wind.wav", gardenPeak, false, wind});
    all.push_back({"sound\\world\\battle.wav", gardenPeak, false, distantDog});
    all.push_back({"sound\\world\\teleport.wav", gardenPeak, false, sprinkler});
    all.push_back({"sound\\interface\\voltest.wav", effectPeak, false, volumeTest});
    all.push_back({"sound\\interface\\MenuMove.wav", softEffectPeak, false, menuMove});
    all.push_back({"sound\\interface\\MenuSelect.wav", effectPeak, false, menuSelect});
    all.push_back({"sound\\interface\\MenuCancel.wav", softEffectPeak + 0.5, false, menuCancel});
    return all;
}

void master(synth::Signal& signal, const Sample& sample)
{
    synth::removeDc(signal);
    // A loop must keep its ends as they are, or the seam would click.
    if (!sample.loop)
        synth::fadeEdges(signal, 0.002, 0.004);
    synth::setPeak(signal, sample.peakDb);
}

void makeSounds(const Context& context)
{
    for (const Sample& sample : samples()) {
        synth::Signal signal = sample.make();
        if (synth::peak(signal) <= 0.f)
            throw std::runtime_error("sound came out silent: " + sample.file);
        master(signal, sample);
        writeFile(context.output(sample.file), synth::encodeWav(signal));
    }
}

const bool registered = registerPart({"sounds", makeSounds});

} // namespace

} // namespace content::sounds
