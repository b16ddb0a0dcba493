// The shipped sprites as the game loads them: the mower fits its one-tile
// gaps, faces up and animates; the clouds are soft-rimmed heaps; nothing
// is lost to the file's see-through key colours.

#include "world/Sprite.hpp"
#include "support/BuildPaths.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

Sprite loaded(const std::string& name)
{
    Sprite sprite;
    EXPECT_TRUE(sprite.load(test::built::runFolder() + "/base/sprites/" + name)) << name << ": " << sprite.lastError;
    return sprite;
}

bool solid(const sf::Image& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < static_cast<int>(image.getSize().x) && y < static_cast<int>(image.getSize().y) &&
           image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a != 0;
}

int width(const sf::Image& image) { return static_cast<int>(image.getSize().x); }
int height(const sf::Image& image) { return static_cast<int>(image.getSize().y); }

// Steps from the nearest pixel marked in `from` to every pixel, moving
// only onto pixels `through` allows (-1 where none reaches).
template <typename Through>
std::vector<int> steps(const sf::Image& image, const std::vector<bool>& from, Through through)
{
    const int w = width(image), h = height(image);
    std::vector<int> distance(static_cast<std::size_t>(w * h), -1);
    std::vector<int> queue;
    for (int i = 0; i < w * h; ++i)
        if (from[static_cast<std::size_t>(i)]) {
            distance[static_cast<std::size_t>(i)] = 0;
            queue.push_back(i);
        }
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int x = queue[i] % w, y = queue[i] / w;
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int nx = x + dx, ny = y + dy;
            const auto n = static_cast<std::size_t>(ny * w + nx);
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || distance[n] >= 0 || !through(nx, ny))
                continue;
            distance[n] = distance[static_cast<std::size_t>(queue[i])] + 1;
            queue.push_back(ny * w + nx);
        }
    }
    return distance;
}

// See-through pixels that cannot be reached from outside the frame: holes,
// as a key-coloured pixel in the body would leave.  Each comes with its
// distance (in steps) from the outside.
std::vector<int> holeDepths(const sf::Image& image)
{
    const int w = width(image), h = height(image);
    std::vector<bool> border(static_cast<std::size_t>(w * h), false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            border[static_cast<std::size_t>(y * w + x)] =
                !solid(image, x, y) && (x == 0 || y == 0 || x == w - 1 || y == h - 1);
    const std::vector<int> reach = steps(image, border, [&](int x, int y) { return !solid(image, x, y); });
    std::vector<bool> outside(reach.size());
    for (std::size_t i = 0; i < reach.size(); ++i)
        outside[i] = reach[i] >= 0;
    const std::vector<int> depth = steps(image, outside, [](int, int) { return true; });
    std::vector<int> holes;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!solid(image, x, y) && !outside[static_cast<std::size_t>(y * w + x)])
                holes.push_back(depth[static_cast<std::size_t>(y * w + x)]);
    return holes;
}

// How far the loneliest solid pixel lies from the solid body (pixels whose
// eight neighbours are all solid).
int farthestStray(const sf::Image& image)
{
    const int w = width(image), h = height(image);
    std::vector<bool> body(static_cast<std::size_t>(w * h), false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool all = true;
            for (int oy = -1; oy <= 1; ++oy)
                for (int ox = -1; ox <= 1; ++ox)
                    all = all && solid(image, x + ox, y + oy);
            body[static_cast<std::size_t>(y * w + x)] = all;
        }
    const std::vector<int> distance = steps(image, body, [](int, int) { return true; });
    int farthest = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (solid(image, x, y))
                farthest = std::max(farthest, distance[static_cast<std::size_t>(y * w + x)]);
    return farthest;
}

float luminance(sf::Color c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

bool greenish(sf::Color c) { return c.a && c.g > c.r + 20 && c.g > c.b + 20; }

bool bodyRed(sf::Color c) { return c.a && c.r > 120 && c.r > 2 * c.g && c.r > 2 * c.b; }

TEST(SpritesContentTest, MowerFitsBetweenTwoObstaclesOneTileApart)
{
    const Sprite idle = loaded("mowerIdle.spr");
    const Sprite moving = loaded("mowerMoving.spr");
    ASSERT_FALSE(idle.frames.empty());
    ASSERT_FALSE(moving.frames.empty());
    const sf::Vector2u size = idle.frames[0].image.getSize();
    // Switching between idling and driving must not change the mower's box.
    for (const Sprite* sprite : {&idle, &moving})
        for (const SpriteFrame& frame : sprite->frames)
            EXPECT_EQ(frame.image.getSize(), size);
    EXPECT_LE(idle.boxRight, 12.f);
    EXPECT_GE(idle.boxLeft, -12.f);
    EXPECT_EQ(idle.boxRight, moving.boxRight);
    EXPECT_GE(idle.boxRight, 8.f) << "a mower this small would not read on the lawn";
    EXPECT_GT(size.y, size.x) << "longer than wide, like a ride-on";
}

TEST(SpritesContentTest, MowerIdlesAndAnimatesWhileDriving)
{
    const Sprite idle = loaded("mowerIdle.spr");
    const Sprite moving = loaded("mowerMoving.spr");
    EXPECT_FALSE(idle.description.empty());
    EXPECT_FALSE(moving.description.empty());
    EXPECT_GE(idle.frames.size(), 1u);
    EXPECT_LE(idle.frames.size(), 2u);
    ASSERT_GE(moving.frames.size(), 2u);
    EXPECT_LE(moving.frames.size(), 4u);
    for (std::size_t i = 0; i < moving.frames.size(); ++i) {
        const SpriteFrame& frame = moving.frames[i];
        EXPECT_GT(frame.displayTime, 0) << "frame " << i << " would stop the animation";
        EXPECT_LE(frame.displayTime, 20) << "frame " << i << " too slow for turning wheels";
        const sf::Image& next = moving.frames[(i + 1) % moving.frames.size()].image;
        int changed = 0;
        for (unsigned y = 0; y < next.getSize().y; ++y)
            for (unsigned x = 0; x < next.getSize().x; ++x)
                changed += frame.image.getPixel(x, y) != next.getPixel(x, y);
        EXPECT_GE(changed, 20) << "frame " << i << " looks the same as the next";
    }
    if (idle.frames.size() == 2) {
        EXPECT_GT(idle.frames[0].displayTime, 0) << "a two-frame idle must shudder";
    }
}

TEST(SpritesContentTest, MowerFacesUpAndStandsOutOnGrass)
{
    const Sprite idle = loaded("mowerIdle.spr");
    const Sprite moving = loaded("mowerMoving.spr");
    for (const Sprite* sprite : {&idle, &moving})
        for (const SpriteFrame& frame : sprite->frames) {
            const sf::Image& image = frame.image;
            const int w = width(image), h = height(image);
            int solidPixels = 0, mirrored = 0, red = 0, redFront = 0, redBack = 0, green = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (!solid(image, x, y))
                        continue;
                    ++solidPixels;
                    mirrored += solid(image, w - 1 - x, y);
                    const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                    red += bodyRed(c);
                    // Down the middle: the bonnet in front, the driver behind.
                    if (x >= w / 3 && x < w - w / 3)
                        (y < h / 2 ? redFront : redBack) += bodyRed(c);
                    green += greenish(c);
                }
            // Pointing up or down, not sideways; the bonnet makes the front.
            EXPECT_GT(mirrored, solidPixels * 9 / 10) << sprite->description;
            EXPECT_GT(redFront, redBack * 3) << sprite->description;
            // A bright body over most of it, hardly any green to vanish in the lawn.
            EXPECT_GT(solidPixels, w * h * 6 / 10) << sprite->description;
            EXPECT_GT(red, solidPixels / 5) << sprite->description;
            EXPECT_LT(green, solidPixels / 25) << sprite->description;
            EXPECT_TRUE(holeDepths(image).empty()) << sprite->description << " has see-through holes";
        }
}

TEST(SpritesContentTest, MowerHasADarkOutlineAndLeavesClippingsOnlyWhileDriving)
{
    const Sprite idle = loaded("mowerIdle.spr");
    const Sprite moving = loaded("mowerMoving.spr");
    const auto clippings = [](const sf::Image& image) {
        int count = 0;
        for (unsigned y = image.getSize().y - 3; y < image.getSize().y; ++y)
            for (unsigned x = 0; x < image.getSize().x; ++x)
                count += greenish(image.getPixel(x, y));
        return count;
    };
    for (const Sprite* sprite : {&idle, &moving})
        for (const SpriteFrame& frame : sprite->frames) {
            const sf::Image& image = frame.image;
            double rim = 0, inside = 0;
            int rims = 0, insides = 0;
            for (int y = 0; y < height(image); ++y)
                for (int x = 0; x < width(image); ++x) {
                    const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                    if (!solid(image, x, y) || greenish(c))
                        continue;
                    const bool edge = !solid(image, x + 1, y) || !solid(image, x - 1, y) || !solid(image, x, y + 1) ||
                                      !solid(image, x, y - 1);
                    (edge ? rim : inside) += luminance(c);
                    (edge ? rims : insides) += 1;
                }
            ASSERT_GT(rims, 0);
            ASSERT_GT(insides, 0);
            EXPECT_LT(rim / rims, 0.6 * inside / insides) << sprite->description << ": no dark edge against the grass";
            if (sprite == &idle)
                EXPECT_EQ(clippings(image), 0) << "an idling mower cuts nothing";
            else
                EXPECT_GE(clippings(image), 2) << "no clippings behind the driving mower";
        }
    // The idle shudder moves something.
    if (idle.frames.size() == 2) {
        int changed = 0;
        for (unsigned y = 0; y < idle.frames[0].image.getSize().y; ++y)
            for (unsigned x = 0; x < idle.frames[0].image.getSize().x; ++x)
                changed += idle.frames[0].image.getPixel(x, y) != idle.frames[1].image.getPixel(x, y);
        EXPECT_GT(changed, 10);
    }
}

TEST(SpritesContentTest, CloudsAreSoftRimmedHeapsOfDifferentShapes)
{
    std::vector<sf::Image> clouds;
    for (const std::string name : {"cloud01.spr", "cloud02.spr"}) {
        const Sprite cloud = loaded(name);
        ASSERT_EQ(cloud.frames.size(), 1u) << name;
        EXPECT_FALSE(cloud.description.empty()) << name;
        const sf::Image& image = cloud.frames[0].image;
        const int w = width(image), h = height(image);
        EXPECT_GE(w, 80) << name;
        EXPECT_LE(w, 140) << name;

        int solidPixels = 0, scattered = 0, bright = 0;
        bool touchesEdge = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!solid(image, x, y))
                    continue;
                ++solidPixels;
                touchesEdge = touchesEdge || x == 0 || y == 0 || x == w - 1 || y == h - 1;
                scattered += !solid(image, x + 1, y) + !solid(image, x - 1, y) + !solid(image, x, y + 1) +
                                 !solid(image, x, y - 1) >= 3;
                const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                bright += c.r > 200 && c.g > 200 && c.b > 200;
            }
        EXPECT_FALSE(touchesEdge) << name << " is cut off by its frame";
        EXPECT_GT(solidPixels, w * h * 35 / 100) << name;
        EXPECT_LT(solidPixels, w * h * 9 / 10) << name;
        // A dithered rim thins out into lone pixels; a clean edge has none.
        EXPECT_GT(scattered, 40) << name << " has a hard edge";
        EXPECT_GT(bright, solidPixels / 2) << name << " is not white enough";
        // Scattered pixels and gaps belong to the rim: no specks far out,
        // no holes deep in the body.
        EXPECT_LE(farthestStray(image), 18) << name << " has specks far from its body";
        for (const int depth : holeDepths(image))
            EXPECT_LE(depth, 6) << name << " has a hole in its body";
        // Sunlit white on the upper left, grey-blue shade on the lower right.
        double upperLeft = 0, lowerRight = 0, blueShade = 0;
        int upperLefts = 0, lowerRights = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!solid(image, x, y))
                    continue;
                const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                if (x < w / 2 && y < h / 2) {
                    upperLeft += luminance(c);
                    ++upperLefts;
                } else if (x >= w / 2 && y >= h / 2) {
                    lowerRight += luminance(c);
                    blueShade += c.b - c.r;
                    ++lowerRights;
                }
            }
        ASSERT_GT(upperLefts, 0);
        ASSERT_GT(lowerRights, 0);
        EXPECT_GT(upperLeft / upperLefts, lowerRight / lowerRights + 8.0) << name << " is not lit from above";
        EXPECT_GT(blueShade / lowerRights, 8.0) << name << " has no grey-blue underside";
        clouds.push_back(image);
    }
    ASSERT_EQ(clouds.size(), 2u);
    if (clouds[0].getSize() == clouds[1].getSize()) {
        int differ = 0;
        for (unsigned y = 0; y < clouds[0].getSize().y; ++y)
            for (unsigned x = 0; x < clouds[0].getSize().x; ++x)
                differ += (clouds[0].getPixel(x, y).a != 0) != (clouds[1].getPixel(x, y).a != 0);
        EXPECT_GT(differ, 500) << "the two clouds have the same shape";
    }
}

} // namespace
