#pragma once
// Screens that show a still picture (the menus, the pause) draw a frame only
// when something may have changed it.  Otherwise the last picture stands
// and the frame is held: events are still read, at the same pace, but
// nothing is drawn, which is most of what an idle screen would cost.

#include <cstdint>

namespace KVCore {

// Redrawn at least this often whatever happens, for anything a screen
// shows that no event announces (and a window uncovered on a desktop that
// keeps no copy of it).
constexpr double stillPictureRefreshSeconds = 0.25;

// What is known of the time since the last frame was shown.
struct StillPictureFacts {
    double secondsSinceShown = 0.0;
    bool eventsSinceShown = false;
    bool pointerMoved = false;
    // Messages that came or went since, hints, the FPS counter, a pending
    // screenshot or the loading console: they change on their own.
    bool overlaysBusy = false;
};

bool pictureStands(const StillPictureFacts& facts);

// The engine's own facts; a screen asks this only after it has drawn its
// first frame.
bool lastPictureStands();
// Instead of drawing a frame: waits as a frame would, ages the messages on
// screen as a frame would, and polls the events.
void holdFrame();
// Called by endFrame as the frame is shown.
void notePictureShown();

} // namespace KVCore
