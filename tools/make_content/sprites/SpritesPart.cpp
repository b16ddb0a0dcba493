// The game's sprites: the ride-on mower (idling and driving) and the
// clouds that drift over the lawn.

#include "Content.hpp"
#include "Random.hpp"
#include "sprites/CloudPicture.hpp"
#include "sprites/FrameImage.hpp"
#include "sprites/MowerPicture.hpp"
#include "world/Sprite.hpp"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Painted this many times finer than the frame, then averaged down.
constexpr int mowerDetail = 8;

struct Frame {
    sf::Image image;
    int displayTime;
};

void save(const content::Context& context, std::string_view path, const std::string& description,
          const std::vector<Frame>& frames)
{
    Sprite sprite;
    sprite.description = description;
    for (const Frame& frame : frames)
        sprite.addFrame(frame.image, "", frame.displayTime, false);
    if (!sprite.buildTexture() || !sprite.save(context.output(path).string()))
        throw std::runtime_error("cannot save " + std::string(path) + ": " + sprite.lastError);
}

sf::Image mowerFrame(const sprites::MowerPose& pose)
{
    return sprites::hardEdged(sprites::paintMower(pose, mowerDetail).downsampled(mowerDetail),
                              art::rgb(26, 22, 20));
}

// Fresh clippings thrown out behind the deck, a few pixels on the ground.
void scatterClippings(sf::Image& image, content::Random& rng)
{
    const int count = rng.between(4, 6);
    for (int i = 0; i < count; ++i) {
        const auto x = static_cast<unsigned>(rng.between(4, sprites::mowerWidth - 5));
        const auto y = static_cast<unsigned>(rng.between(sprites::mowerHeight - 3, sprites::mowerHeight - 1));
        if (image.getPixel(x, y).a != 0)
            continue;
        const int light = rng.between(0, 30);
        image.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(140 + light), static_cast<sf::Uint8>(200 + light / 2),
                                       static_cast<sf::Uint8>(70 + light), 255));
    }
}

void makeSprites(const content::Context& context)
{
    // Idling: the engine shakes the body a little against the wheels.
    save(context, "sprites\\mowerIdle.spr", "Ride-on mower, engine idling",
         {{mowerFrame({0.f, 0.f, 0.6f, false}), 7}, {mowerFrame({0.4f, 0.f, 0.6f, false}), 7}});

    // Driving: the tyres roll, the blades spin and clippings fly out behind.
    content::Random clippings("sprites/mowerMoving/clippings");
    std::vector<Frame> moving;
    constexpr int steps = 4;
    for (int i = 0; i < steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        sf::Image image = mowerFrame({i % 2 ? 0.2f : 0.f, t, 0.6f + 1.9f * static_cast<float>(i), true});
        scatterClippings(image, clippings);
        moving.push_back({std::move(image), 5});
    }
    save(context, "sprites\\mowerMoving.spr", "Ride-on mower, driving with the blades spinning", moving);

    save(context, "sprites\\cloud01.spr", "Cloud, long and flat",
         {{sprites::dithered(sprites::paintCloud({"sprites/cloud01", 132, 78, 16, 13.f})), 0}});
    save(context, "sprites\\cloud02.spr", "Cloud, round heap",
         {{sprites::dithered(sprites::paintCloud({"sprites/cloud02", 104, 96, 13, 14.f})), 0}});
}

const bool registered = content::registerPart({"sprites", makeSprites});

} // namespace
