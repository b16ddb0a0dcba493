#include "sprites/FrameImage.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace sprites {

namespace {

sf::Uint8 channel(float v) { return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f)); }

sf::Color solid(art::Colour c) { return keySafe(sf::Color(channel(c.r), channel(c.g), channel(c.b), 255)); }

// Bayer thresholds, spread evenly over (0, 1).
float ditherThreshold(int x, int y)
{
    static constexpr std::array<int, 64> bayer{
        0,  32, 8,  40, 2,  34, 10, 42, 48, 16, 56, 24, 50, 18, 58, 26, 12, 44, 4,  36, 14, 46,
        6,  38, 60, 28, 52, 20, 62, 30, 54, 22, 3,  35, 11, 43, 1,  33, 9,  41, 51, 19, 59, 27,
        49, 17, 57, 25, 15, 47, 7,  39, 13, 45, 5,  37, 63, 31, 55, 23, 61, 29, 53, 21};
    return (static_cast<float>(bayer[static_cast<std::size_t>((y & 7) * 8 + (x & 7))]) + 0.5f) / 64.f;
}

template <typename Rule>
sf::Image convert(const art::Canvas& picture, Rule rule)
{
    sf::Image image;
    image.create(static_cast<unsigned>(picture.width()), static_cast<unsigned>(picture.height()),
                 sf::Color::Transparent);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), rule(x, y, picture.get(x, y)));
    return image;
}

} // namespace

sf::Color keySafe(sf::Color colour)
{
    if (colour.r == 255 && colour.g == 0 && colour.b == 255)
        colour.r = 254;
    else if (colour.r == 0 && colour.g == 255 && colour.b == 255)
        colour.g = 254;
    return colour;
}

sf::Image hardEdged(const art::Canvas& picture, art::Colour rim)
{
    return convert(picture, [rim](int, int, art::Colour c) {
        if (c.a < 0.5f)
            return sf::Color::Transparent;
        // At half coverage the pixel is mostly rim; fully covered keeps its colour.
        return solid(art::mix(rim, c, std::clamp((c.a - 0.5f) * 2.f, 0.f, 1.f) * 0.6f + 0.4f));
    });
}

sf::Image dithered(const art::Canvas& picture)
{
    return convert(picture, [](int x, int y, art::Colour c) {
        return c.a > ditherThreshold(x, y) ? solid(c) : sf::Color::Transparent;
    });
}

} // namespace sprites
