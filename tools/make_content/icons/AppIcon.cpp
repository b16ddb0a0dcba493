#include "icons/AppIcon.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "sprites/MowerPicture.hpp"
#include "tiles/Ground.hpp"
#include "tiles/Palette.hpp"

#include <cmath>
#include <stdexcept>

namespace icons {

namespace {

constexpr int canvasSize = 1024;
constexpr float margin = 40.f;
constexpr float cornerRadius = 150.f;

// The mower at this many canvas pixels per sprite pixel, centred across,
// its nose near the top so the mown path shows behind it.
constexpr int mowerScale = 20;
constexpr int mowerLeft = (canvasSize - sprites::mowerWidth * mowerScale) / 2;
constexpr int mowerTop = 118;
// Its deck's sides and the middle of its blades, in sprite pixels.
constexpr float deckLeft = 1.4f, deckRight = 22.6f, bladeRow = 15.7f;

// The grass tiles, twice their drawing detail so the blades read at icon
// size; the mown lawn's light stripe runs up the middle of the mower's path.
constexpr int grassZoom = 2;

art::Colour sampled(const art::Canvas& tile, float x, float y)
{
    const int side = tile.width();
    const int tx = static_cast<int>(std::floor(x / grassZoom));
    const int ty = static_cast<int>(std::floor(y / grassZoom));
    return tile.get(((tx % side) + side) % side, ((ty % side) + side) % side);
}

float canvasX(float spriteX) { return mowerLeft + spriteX * mowerScale; }

// What the mower has cut: the stripe to its left, done on the way down,
// and its own path from under the blades to the bottom.  The edge is
// ragged where the uncut blades lean over it.
art::Shape mownGround()
{
    const float pathLeft = canvasX(deckLeft), pathRight = canvasX(deckRight);
    const float pathTop = mowerTop + bladeRow * mowerScale;
    const art::Shape cut = art::unite(art::rectangle(-100.f, -100.f, pathLeft, canvasSize + 100.f),
                                      art::rectangle(pathLeft - 10.f, pathTop, pathRight, canvasSize + 100.f));
    return art::roughened(
        cut, [](float x, float y) { return 7.f * art::fbm(x / 18.f, y / 18.f, 21, 3); }, 10.f);
}

art::Canvas lawn()
{
    const art::Canvas& uncut = tiles::uncutGrassDetail();
    const art::Canvas& mown = tiles::mownLawnDetail();
    const float stripeShift = canvasSize / 2.f - static_cast<float>(mown.width() * grassZoom) / 2.f;

    art::Canvas ground(canvasSize, canvasSize);
    ground.fill([&](float x, float y) { return sampled(mown, x - stripeShift, y); });

    // Uncut grass stands taller than the lawn and shades it along the cut.
    art::Canvas standing(canvasSize, canvasSize);
    art::Mask uncutArea = standing.mask().invert();
    uncutArea.subtract(standing.maskOf(mownGround()));
    standing.paint(uncutArea, [&](float x, float y) { return sampled(uncut, x, y); });
    standing.dropShadow(6, 8, 5.f, 0.45f);
    ground.draw(standing, 0, 0);

    // Fresh clippings thrown out behind the deck.
    content::Random rng("icons/clippings");
    const float rear = mowerTop + sprites::mowerHeight * mowerScale;
    for (int i = 0; i < 70; ++i) {
        const float x = static_cast<float>(rng.uniform(canvasX(deckLeft + 1.f), canvasX(deckRight - 1.f)));
        const float y = static_cast<float>(rng.uniform(rear - 20.f, rear + 110.f));
        const float angle = static_cast<float>(rng.uniform(0.0, 6.2831853));
        const float length = static_cast<float>(rng.uniform(5.0, 11.0));
        const float light = static_cast<float>(rng.uniform(0.9, 1.15));
        ground.paint(art::capsule({x, y}, {x + std::cos(angle) * length, y + std::sin(angle) * length}, 1.6f),
                     art::clamped(art::shade(tiles::palette::lawnStripe, light)));
    }
    return ground;
}

art::Canvas mower()
{
    art::Canvas layer(canvasSize, canvasSize);
    layer.draw(sprites::paintMower({0.f, 0.3f, 1.2f, true}, mowerScale), mowerLeft, mowerTop);
    layer.dropShadow(14, 18, 10.f, 0.5f);
    return layer;
}

} // namespace

art::Canvas paintAppIcon(int size)
{
    if (size <= 0 || canvasSize % size != 0)
        throw std::runtime_error("an icon of " + std::to_string(size) + " pixels cannot be averaged down from " +
                                 std::to_string(canvasSize));
    art::Canvas scene = lawn();
    scene.draw(mower(), 0, 0);

    const art::Shape tile = art::rectangle(margin, margin, canvasSize - margin, canvasSize - margin, cornerRadius);
    art::Canvas icon(canvasSize, canvasSize);
    icon.paint(tile, [&](float x, float y) { return scene.get(static_cast<int>(x), static_cast<int>(y)); });
    // A darker rim keeps the square's edge on light and dark panels alike.
    art::Mask rim = icon.maskOf(tile);
    rim.subtract(icon.maskOf(art::grown(tile, -16.f)).blurred(6.f));
    icon.light(rim, 0.62f);
    return icon.downsampled(canvasSize / size);
}

} // namespace icons
