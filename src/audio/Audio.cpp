#include "audio/Audio.hpp"

#include "engine/EngineSettings.hpp"

namespace Audio {
namespace {

// Created by Audio::init (from KVCore::init), cleared by Audio::shutdown.
struct AudioState {
    bool initialised = false;
    int globalVolume = 100;
    int soundVolume = 70;
    int musicVolume = 25;
};
AudioState state;

} // namespace

bool init()
{
    const KVCore::EngineSettings& s = KVCore::settings();
    state.globalVolume = s.globalVolume;
    state.soundVolume = s.soundVolume;
    state.musicVolume = s.musicVolume;
    state.initialised = true;
    return true;
}

void shutdown() { state = AudioState{}; }

bool initialised() { return state.initialised; }

void pollSound() {}

} // namespace Audio
