#pragma once
// The ride-on mower seen from straight above, front at the top, painted
// large and smooth; FrameImage makes sprite frames of it.

#include "art/Canvas.hpp"

namespace sprites {

// What changes from one animation frame to the next.
struct MowerPose {
    float shudder = 0.f;     // engine shake of the body, in frame pixels, backwards
    float treadPhase = 0.f;  // how far the tyres have turned, 0 to 1 of a tread step
    float bladeAngle = 0.f;  // radians
    bool bladesSpinning = false;
};

// Frame size in sprite pixels: the narrow side sets the mowing box.
inline constexpr int mowerWidth = 24;
inline constexpr int mowerHeight = 34;

// The mower at `scale` times the frame size, on a transparent ground with
// its dark outline.
art::Canvas paintMower(const MowerPose& pose, int scale);

} // namespace sprites
