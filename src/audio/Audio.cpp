#include "audio/Audio.hpp"

#include "audio/AudioDevice.hpp"
#include "audio/AudioPanel.hpp"
#include "audio/ModMusic.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Log.hpp"
#include "engine/WindowBackend.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"
#include "platform/TextCase.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Listener.hpp>
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

namespace Audio {
namespace {

struct SampleEntry {
    std::string name;
    // Heap-held so that sounds playing a buffer keep it while the table grows.
    // Without an output device the file is only checked and the slot is empty.
    std::vector<std::unique_ptr<sf::SoundBuffer>> buffers;
};

struct SoundSlot {
    std::int32_t sampleId = -1;
    sf::Sound sound;
    std::int16_t keepAliveTicks = 0;
    std::string tag;
};

// Both streams live from the first init with a device until exit.  Created
// on demand: an audio object made without a device floods standard error.
struct MusicStreams {
    sf::Music file;
    kv::ModMusic module;
    bool fileLoaded = false;
    bool moduleLoaded = false;
};

MusicStreams& streams()
{
    static MusicStreams s;
    return s;
}

struct AudioState {
    bool initialised = false;
    bool soundOn = false;
    // Declared before the pool so that the sounds go first.
    std::vector<SampleEntry> samples;
    std::vector<SoundSlot> pool;
    sf::SoundStream* music = nullptr;
    std::string currentMusicPath;
    std::string currentMusicName;
    std::string lastError;
    sf::Vector2f listenerPosition;
    MenuSounds menuSounds;
    int volumeTestSampleId = 0;
};
AudioState state;

const char* const noSoundName = "(no sound)";
const char* const soundOffMessage = "Sound is off: no audio device could be opened.";

// The part after the last ".", or empty.
std::string_view extensionOf(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : path.substr(dot + 1);
}

std::string sampleNameFor(std::string_view relativePath)
{
    std::string name(relativePath.substr(0, relativePath.rfind('.')));
    while (name.size() > 1 && name.back() >= '0' && name.back() <= '9')
        name.pop_back();
    return name;
}

float clampedVolume(int volume)
{
    return static_cast<float>(std::clamp(volume, 0, 100));
}

bool windowHasFocus()
{
    return KVCore::windowIsOpen() && KVCore::window().hasFocus();
}

// Decodes the file into a new buffer; without a device only checks that it
// can be decoded and gives an empty slot.
bool decodeSample(const std::string& path, std::unique_ptr<sf::SoundBuffer>& out)
{
    const std::string native = platform::toNativePath(path).string();
    if (!state.soundOn) {
        sf::InputSoundFile file;
        out.reset();
        return file.openFromFile(native);
    }
    auto buffer = std::make_unique<sf::SoundBuffer>();
    if (!buffer->loadFromFile(native))
        return false;
    out = std::move(buffer);
    return true;
}

// Each buffer a sound of its own to start from, while there are sounds
// left: its first play then needs no attaching, which allocates.
void giveHomeSlot(const sf::SoundBuffer& buffer)
{
    const auto empty = std::find_if(state.pool.begin(), state.pool.end(),
                                    [](const SoundSlot& s) { return s.sound.getBuffer() == nullptr; });
    if (empty != state.pool.end())
        empty->sound.setBuffer(buffer);
}

bool currentStreamLoaded()
{
    if (!state.music)
        return false;
    const MusicStreams& s = streams();
    return state.music == &s.file ? s.fileLoaded : s.moduleLoaded;
}

} // namespace

bool init()
{
    state.lastError.clear();
    state.menuSounds = {};
    state.volumeTestSampleId = 0;

    state.soundOn = audio::outputAvailable();
    // A fresh pool: no sound of an earlier start plays on.
    state.pool = std::vector<SoundSlot>(state.soundOn ? soundPoolSize : 0);
    if (state.soundOn) {
        if (!state.music)
            state.music = &streams().file;
    } else {
        KVCore::printAndLog(soundOffMessage);
        std::cerr << soundOffMessage << '\n';
    }

    state.listenerPosition = KVCore::viewSize() * 0.5f;
    sf::Listener::setPosition(state.listenerPosition.x, state.listenerPosition.y, 0.f);
    sf::Listener::setGlobalVolume(static_cast<float>(KVCore::settings().globalVolume));

    buildAudioPanel();

    state.initialised = true;
    return true;
}

void shutdown()
{
    if (!state.initialised)
        return;
    for (SoundSlot& slot : state.pool)
        slot.sound.stop();
    state.pool.clear();

    state.currentMusicPath.clear();
    state.currentMusicName.clear();
    if (state.music)
        state.music->stop();

    state.samples.clear();
    state.volumeTestSampleId = 0;
    resetAudioPanel();
    state.initialised = false;
}

bool initialised() { return state.initialised; }

bool soundEnabled() { return state.soundOn; }

void pollSound()
{
    if (!state.initialised)
        return;
    const KVCore::EngineSettings& settings = KVCore::settings();

    const float volume = sf::Listener::getGlobalVolume();
    if (settings.muteInactiveWindow && !windowHasFocus()) {
        sf::Listener::setGlobalVolume(std::max(volume - 0.75f, 0.f) * 0.9f);
    } else if (volume != static_cast<float>(settings.globalVolume)) {
        const float target = static_cast<float>(settings.globalVolume);
        sf::Listener::setGlobalVolume(std::clamp(volume * 0.9f + target * 0.1f, 0.f, 100.f));
    }

    // Nothing below exists without a device.
    if (!state.soundOn)
        return;

    const float soundVolume = clampedVolume(settings.soundVolume);
    for (SoundSlot& slot : state.pool) {
        if (slot.sound.getVolume() != soundVolume)
            slot.sound.setVolume(soundVolume);
    }

    // With a device there is always a music stream, if only the idle file one.
    if (static_cast<int>(state.music->getVolume()) != settings.musicVolume)
        state.music->setVolume(clampedVolume(settings.musicVolume));

    for (SoundSlot& slot : state.pool) {
        if (slot.sound.getStatus() != sf::Sound::Playing || !slot.sound.getLoop())
            continue;
        if (++slot.keepAliveTicks >= loopKeepAliveTicks)
            slot.sound.stop();
    }
}

void loadSampleFolder(const std::string& folder)
{
    for (const std::string& relative : platform::listFilesRecursive(folder)) {
        if (!platform::equalIgnoringCase(extensionOf(getFileName(relative)), "wav"))
            continue;
        if (!loadSample(joinPath(folder, relative), sampleNameFor(relative)))
            KVCore::reportError(state.lastError);
    }
}

bool loadSample(const std::string& path, const std::string& name)
{
    if (state.samples.empty())
        state.samples.push_back({noSoundName, {}});

    const platform::FileStatus status = platform::fileStatus(path);
    if (status.exists && !status.isDirectory && status.size < minimumSampleFileSize) {
        state.lastError = "Unable to load sample from " + path + " (file is too small and probably corrupt)";
        return false;
    }

    std::unique_ptr<sf::SoundBuffer> buffer;
    if (!decodeSample(path, buffer)) {
        state.lastError = "Unable to load sample from " + path;
        return false;
    }
    if (buffer)
        giveHomeSlot(*buffer);
    const int id = getSampleId(name);
    if (id >= 1) {
        state.samples[static_cast<std::size_t>(id)].buffers.push_back(std::move(buffer));
    } else {
        SampleEntry entry{name, {}};
        entry.buffers.push_back(std::move(buffer));
        state.samples.push_back(std::move(entry));
    }
    return true;
}

int getSampleId(const std::string& name)
{
    if (name.empty() || platform::equalIgnoringCase(name, "blank") || state.samples.size() < 2)
        return -1;
    const std::size_t dot = name.rfind('.');
    for (std::size_t id = 1; id < state.samples.size(); ++id) {
        const std::string& entryName = state.samples[id].name;
        if (platform::equalIgnoringCase(entryName, name))
            return static_cast<int>(id);
        // The entry's name with the given extension: "a\click" answers "a\click.wav".
        if (dot != std::string::npos && entryName.size() == dot &&
            platform::equalIgnoringCase(entryName, std::string_view(name).substr(0, dot)))
            return static_cast<int>(id);
    }
    return -1;
}

bool playSound(int sampleId, sf::Vector2f position, bool loop, const std::string& tag, float minDistance)
{
    if (sampleId < 1 || sampleId >= sampleCount())
        return false;

    SoundSlot* playing = nullptr;
    if (!tag.empty()) {
        const int index = findPlayingSound(tag);
        if (index >= 0)
            playing = &state.pool[static_cast<std::size_t>(index)];
    }
    const auto isFree = [](const SoundSlot& s) { return s.sound.getStatus() != sf::Sound::Playing; };
    if (!playing && std::none_of(state.pool.begin(), state.pool.end(), isFree))
        return false;

    if (minDistance < 0.f)
        minDistance = 1.f;
    const KVCore::EngineSettings& settings = KVCore::settings();

    if (playing) {
        // A refresh: the sound runs on with its sample, variant and loop.
        sf::Sound& sound = playing->sound;
        playing->keepAliveTicks = 0;
        sound.setPosition(position.x, position.y, 0.f);
        sound.setAttenuation(settings.soundAttenuation);
        sound.setMinDistance(minDistance);
        return true;
    }

    const SampleEntry& entry = state.samples[static_cast<std::size_t>(sampleId)];
    if (entry.buffers.empty())
        return false;
    const sf::SoundBuffer* buffer =
        entry.buffers[static_cast<std::size_t>(std::rand()) % entry.buffers.size()].get();
    if (!buffer)
        return false;
    // Giving a sound another buffer detaches and attaches it, a heap
    // allocation each; a free slot that holds this buffer is only rewound.
    // Failing that, a slot that holds none, so other buffers keep theirs.
    const auto freeHolding = [&](const sf::SoundBuffer* held) {
        return std::find_if(state.pool.begin(), state.pool.end(),
                            [&](const SoundSlot& s) { return isFree(s) && s.sound.getBuffer() == held; });
    };
    auto free = freeHolding(buffer);
    const bool holdsBuffer = free != state.pool.end();
    if (!holdsBuffer)
        free = freeHolding(nullptr);
    if (free == state.pool.end())
        free = std::find_if(state.pool.begin(), state.pool.end(), isFree);
    SoundSlot& slot = *free;
    sf::Sound& sound = slot.sound;
    sound.setVolume(clampedVolume(settings.soundVolume));
    slot.sampleId = sampleId;
    sound.setLoop(loop);
    if (holdsBuffer)
        sound.stop();
    else
        sound.setBuffer(*buffer);
    slot.tag = tag;
    sound.setPosition(position.x, position.y, 0.f);
    sound.setAttenuation(settings.soundAttenuation);
    sound.setMinDistance(minDistance);
    slot.keepAliveTicks = 0;
    sound.play();
    return true;
}

int findPlayingSound(const std::string& tag)
{
    for (std::size_t i = 0; i < state.pool.size(); ++i) {
        const SoundSlot& slot = state.pool[i];
        if (slot.tag == tag && slot.sound.getStatus() == sf::Sound::Playing)
            return static_cast<int>(i);
    }
    return -1;
}

const sf::Sound* soundInSlot(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= state.pool.size())
        return nullptr;
    return &state.pool[static_cast<std::size_t>(index)].sound;
}

int playingSoundCount()
{
    return static_cast<int>(std::count_if(state.pool.begin(), state.pool.end(), [](const SoundSlot& s) {
        return s.sound.getStatus() == sf::Sound::Playing;
    }));
}

bool playMusic(const std::string& path)
{
    // No device: nothing is opened, and nothing is reported past the line
    // that said sound is off.
    if (!state.soundOn || !state.music)
        return false;

    const sf::SoundSource::Status status = state.music->getStatus();
    if ((status == sf::SoundSource::Playing || status == sf::SoundSource::Paused) &&
        platform::equalIgnoringCase(path, state.currentMusicPath)) {
        if (status == sf::SoundSource::Paused)
            pauseResumeMusic();
        return true;
    }

    state.currentMusicPath.clear();
    state.currentMusicName.clear();
    state.music->stop();

    MusicStreams& s = streams();
    const std::string_view ext = extensionOf(path);
    sf::SoundStream* opened = nullptr;
    if (platform::equalIgnoringCase(ext, "ogg") || platform::equalIgnoringCase(ext, "wav")) {
        s.fileLoaded = s.file.openFromFile(platform::toNativePath(path).string());
        if (!s.fileLoaded) {
            state.lastError = "Unable to load music from " + path;
            KVCore::reportError(state.lastError);
            return false;
        }
        opened = &s.file;
    } else {
        s.moduleLoaded = s.module.open(path);
        if (!s.moduleLoaded) {
            state.lastError = "Unable to load module music from " + path;
            KVCore::reportError(state.lastError);
            return false;
        }
        opened = &s.module;
    }

    state.music = opened;
    state.music->setLoop(true);
    state.music->setVolume(clampedVolume(KVCore::settings().musicVolume));
    // Seeking while stopped gives a module its renderer before the
    // streaming thread first asks for data.
    state.music->setPlayingOffset(sf::Time::Zero);
    state.music->play();

    state.currentMusicPath = path;
    state.currentMusicName = getFileName(path);
    KVCore::log("Playing music from " + path);
    KVCore::settings().musicLoadPath = path;
    return true;
}

bool playMusicByName(const std::string& name)
{
    if (name.empty())
        return false;
    return playMusic(resolveMusicPath(name));
}

void pauseResumeMusic()
{
    if (!state.music)
        return;
    switch (state.music->getStatus()) {
    case sf::SoundSource::Playing: state.music->pause(); break;
    case sf::SoundSource::Paused: state.music->play(); break;
    default: break;
    }
}

void restartMusic()
{
    if (!currentStreamLoaded())
        return;
    // A stream's play resumes it when paused and starts it over when playing.
    state.music->play();
}

void stopMusic()
{
    state.currentMusicPath.clear();
    state.currentMusicName.clear();
    if (state.music)
        state.music->stop();
}

sf::SoundSource::Status musicStatus()
{
    return state.music ? state.music->getStatus() : sf::SoundSource::Stopped;
}

float musicVolume() { return state.music ? state.music->getVolume() : 0.f; }

sf::Time musicPlayingOffset()
{
    return state.music ? state.music->getPlayingOffset() : sf::Time::Zero;
}

void setMusicPlayingOffset(sf::Time offset)
{
    if (currentStreamLoaded())
        state.music->setPlayingOffset(offset);
}

const std::string& currentMusicPath() { return state.currentMusicPath; }
const std::string& currentMusicName() { return state.currentMusicName; }
const std::string& lastError() { return state.lastError; }
sf::Vector2f listenerPosition() { return state.listenerPosition; }

MenuSounds& menuSounds() { return state.menuSounds; }
int volumeTestSampleId() { return state.volumeTestSampleId; }
void setVolumeTestSampleId(int id) { state.volumeTestSampleId = id; }

int sampleCount() { return static_cast<int>(state.samples.size()); }

std::string sampleName(int id)
{
    if (id < 0 || id >= sampleCount())
        return {};
    return state.samples[static_cast<std::size_t>(id)].name;
}

int sampleVariantCount(int id)
{
    if (id < 0 || id >= sampleCount())
        return 0;
    return static_cast<int>(state.samples[static_cast<std::size_t>(id)].buffers.size());
}

} // namespace Audio
