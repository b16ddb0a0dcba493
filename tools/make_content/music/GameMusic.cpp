// The game's music: every tune in content/music/ composed into a tracker
// module for the game to play (music/<name>.xm), or played through the same
// renderer and recorded (music/<name>.ogg) where the game wants a recording.
// Each piece is measured as the game will play it, and one that would clip
// stops the build.

#include "Content.hpp"
#include "music/Arranger.hpp"
#include "music/ModuleBuilder.hpp"
#include "music/ModuleRender.hpp"
#include "music/Tune.hpp"
#include "music/XmModule.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <vector>

namespace {

using namespace content::music;

// Below full scale with room to spare for the resampler's overshoot.
constexpr int loudestAllowed = 30000;

struct Level {
    int peak = 0;
    double rms = 0;
};

Level measure(const std::vector<std::int16_t>& pcm)
{
    Level level;
    double sum = 0;
    for (std::int16_t v : pcm) {
        level.peak = std::max(level.peak, std::abs(static_cast<int>(v)));
        sum += static_cast<double>(v) * v;
    }
    level.rms = pcm.empty() ? 0 : std::sqrt(sum / static_cast<double>(pcm.size()));
    return level;
}

void writeOgg(const content::fs::path& path, const std::vector<std::int16_t>& pcm)
{
    // SFML draws the Ogg stream's serial number from rand(): fix it, so the
    // file is the same bytes every time.
    std::srand(0x4B454C56);
    sf::OutputSoundFile file;
    if (!file.openFromFile(path.string(), ModuleRender::sampleRate, 2))
        throw std::runtime_error("cannot write " + path.string());
    file.write(pcm.data(), pcm.size());
}

void makeTune(const content::Context& context, const content::fs::path& source)
{
    const std::string name = source.stem().string();
    const Tune tune = parseTune(content::readTextFile(source), name);
    const Score score = arrange(tune);
    const std::string xm = writeXm(buildModule(score, tune.title, name));
    const ModuleRender render(xm);

    const double loopSeconds = (score.steps - score.loopStart) * 15.0 / tune.tempo;
    const bool recording = tune.output.ends_with(".ogg");
    if (recording && score.loopStart != 0)
        throw std::runtime_error(name + ".tune: a recording loops whole; give it no 'play' sections");
    const std::vector<std::int16_t> pcm = render.recordLoop(loopSeconds);
    const Level level = measure(pcm);
    std::cout << "    " << tune.output << ": " << tune.tempo << " bpm, loop " << std::lround(loopSeconds * 10) / 10.0
              << " s of " << std::lround(render.lengthSeconds() * 10) / 10.0 << " s, peak " << level.peak << ", rms "
              << std::lround(level.rms) << '\n';
    if (level.peak > loudestAllowed)
        throw std::runtime_error(name + ".tune peaks at " + std::to_string(level.peak) + ", above " +
                                 std::to_string(loudestAllowed) + ": lower its master volume");

    const content::fs::path out = context.output("music\\" + tune.output);
    if (recording)
        writeOgg(out, pcm);
    else if (tune.output.ends_with(".xm"))
        content::writeFile(out, xm);
    else
        throw std::runtime_error(name + ".tune: the output is a .xm or a .ogg file");
}

void makeMusic(const content::Context& context)
{
    std::vector<content::fs::path> tunes;
    for (const auto& entry : content::fs::directory_iterator(context.source("music")))
        if (entry.path().extension() == ".tune")
            tunes.push_back(entry.path());
    std::sort(tunes.begin(), tunes.end());
    if (tunes.empty())
        throw std::runtime_error("no tunes in content/music");
    for (const content::fs::path& tune : tunes)
        makeTune(context, tune);
}

const bool registered = content::registerPart({"music", makeMusic});

} // namespace
