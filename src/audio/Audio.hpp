#pragma once
// The audio module: named samples loaded once from the sound folder, a pool
// of 64 sounds placed around a listener at the centre of the view, the
// volume settings, fading out while the window has no focus, and one music
// stream playing either an audio file (ogg, wav) or a tracker module.
//
// Everything here runs on the main thread.  Without an audio device the
// module runs silently: samples are still named and checked, but no sound
// or music is ever started.

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundSource.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

namespace Audio {

constexpr int soundPoolSize = 64;
// Files below this many bytes are refused unread.
constexpr std::uint64_t minimumSampleFileSize = 100;
// Looping sounds not refreshed for this many ticks are stopped.
constexpr int loopKeepAliveTicks = 4;

// Volumes and attenuation come from the engine settings, read afresh on use.
bool init();
void shutdown();
bool initialised();
// False when no audio device could be opened.
bool soundEnabled();
// Once per events-poller tick: focus fade, volumes, looping keep-alive.
void pollSound();

// Every ".wav" below the folder (any letter case, sub-folders included);
// the name is the path relative to the folder without the extension and
// without trailing digits, so "interface\click2.wav" and
// "interface\click13.wav" are two variants of "interface\click".  Failures
// are reported and loading goes on.
void loadSampleFolder(const std::string& folder);
// Adds the file as a new sample or as a further variant of the sample of
// that name.  On failure the message is in lastError().
bool loadSample(const std::string& path, const std::string& name);
// Case-insensitive; "interface\click.wav" also finds "interface\click".
// -1 for an unknown name, an empty one or "blank" (silence in data files).
int getSampleId(const std::string& name);

// Plays a sample at a place in view coordinates.  A sound with a tag that
// is already playing is refreshed in place (kept alive, moved) rather than
// started again; a looping sound stops by itself a few ticks after its last
// refresh.  minDistance below 0 means 1.  False when the id is no sample or
// all slots are busy (nothing is cut off for a new sound).
bool playSound(int sampleId, sf::Vector2f position, bool loop, const std::string& tag, float minDistance);
// Index of the first playing slot with exactly this tag, or -1.
int findPlayingSound(const std::string& tag);
// The sound of a pool slot, as the listener hears it placed; null outside
// the pool.
const sf::Sound* soundInSlot(int index);
int playingSoundCount();

// ".ogg" and ".wav" (any case) stream from the file; anything else is tried
// as a tracker module.  Asking for the piece that is already playing or
// paused (path compared without case) only resumes it.
bool playMusic(const std::string& path);
// A name below "music\" in the data folder, or an absolute path.
bool playMusicByName(const std::string& name);
// Playing -> paused -> playing; nothing when stopped.
void pauseResumeMusic();
// Resumes paused music, otherwise plays the current piece from its start.
void restartMusic();
// Stops the music and forgets its path and name.
void stopMusic();
sf::SoundSource::Status musicStatus();
// What the music plays at now, 0 to 100; it follows the setting on each tick.
float musicVolume();
sf::Time musicPlayingOffset();
void setMusicPlayingOffset(sf::Time offset);
// Empty when nothing was started or the last start failed.
const std::string& currentMusicPath();
// The file-name part of currentMusicPath.
const std::string& currentMusicName();

const std::string& lastError();
// The centre of the view at init; sounds without a place are played here.
sf::Vector2f listenerPosition();

// Sample names for menu feedback; empty after init, set by the main menu.
struct MenuSounds {
    std::string move;
    std::string select;
    std::string cancel;
};
MenuSounds& menuSounds();
// The sample the Audio Panel plays while the sound volume moves; set by the
// game after loading its samples, 0 after init and shutdown.
int volumeTestSampleId();
void setVolumeTestSampleId(int id);

// The sample table.  Id 0 is "(no sound)"; valid ids are 1 .. count - 1.
int sampleCount();
std::string sampleName(int id);
int sampleVariantCount(int id);

} // namespace Audio
