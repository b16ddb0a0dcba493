#pragma once
// The Audio Panel: a modal window for the sound and music volumes and a
// small music player.  Its widgets are built by Audio::init and released by
// Audio::shutdown (see AudioPanel.cpp).

namespace Audio {

// Shows the panel over the current screen until "Done".
void runAudioPanel();
// One pass of the panel: update, act, draw.  True when "Done" was clicked.
bool updateAudioPanel();
// The file selector for music, then playMusic with the chosen file.
bool loadMusicFile();

void buildAudioPanel();
void resetAudioPanel();

} // namespace Audio
