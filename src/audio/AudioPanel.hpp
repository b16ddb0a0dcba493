#pragma once
// The Audio Panel: a modal window for the sound and music volumes and a
// small music player.  Its widgets are built by Audio::init and released by
// Audio::shutdown (see AudioPanel.cpp).

#include <cstdint>
#include <string>

namespace kv {
class FileSelector;
}

namespace Audio {

// Shows the panel over the current screen until "Done".  Returns at once
// while the audio module is not initialised.
void runAudioPanel();
// One pass of the panel: update, act, draw.  True when "Done" was clicked.
bool updateAudioPanel();
// The file selector for music, then playMusic with the chosen file.
bool loadMusicFile();
// Gives a created selector the music folder memory and the music filter.
void prepareMusicFileSelector(kv::FileSelector& selector);

// The display's lines for the music as it is now: the time and the name,
// then the state (a paused piece blinks once a second with the tick count).
std::string audioPanelTimeLine();
std::string audioPanelStatusLine(std::uint64_t tickCountMs);

void buildAudioPanel();
void resetAudioPanel();

} // namespace Audio
