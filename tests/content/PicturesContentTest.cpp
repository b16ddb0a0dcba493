// The shipped pictures as the game loads them: banners that are solid,
// detailed, legible and coloured for their moment; menu and credits
// backgrounds that leave room for what the game draws over them, with
// country behind the garden that rolls away into the distance.

#include "support/BuildPaths.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

sf::Image loaded(const std::string& name)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(test::built::runFolder() + "/base/" + name)) << name;
    return image;
}

struct Area {
    unsigned left, top, width, height;
};

float luminance(sf::Color c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

std::vector<float> luminances(const sf::Image& image, Area area)
{
    std::vector<float> values;
    for (unsigned y = area.top; y < area.top + area.height; ++y)
        for (unsigned x = area.left; x < area.left + area.width; ++x)
            values.push_back(luminance(image.getPixel(x, y)));
    std::sort(values.begin(), values.end());
    return values;
}

float percentile(const std::vector<float>& sorted, float p)
{
    return sorted[static_cast<std::size_t>(p * static_cast<float>(sorted.size() - 1))];
}

// Mean difference between neighbouring pixels: how busy an area is.
float busyness(const sf::Image& image, Area area)
{
    double sum = 0.0;
    for (unsigned y = area.top; y + 1 < area.top + area.height; ++y)
        for (unsigned x = area.left; x + 1 < area.left + area.width; ++x) {
            const float here = luminance(image.getPixel(x, y));
            sum += std::abs(here - luminance(image.getPixel(x + 1, y))) +
                   std::abs(here - luminance(image.getPixel(x, y + 1)));
        }
    return static_cast<float>(sum / (static_cast<double>(area.width - 1) * (area.height - 1)));
}

bool opaque(const sf::Image& image)
{
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (image.getPixel(x, y).a != 255)
                return false;
    return true;
}

struct Mood {
    int r = 0, g = 0, b = 0;
};

Mood meanColour(const sf::Image& image, Area area)
{
    double r = 0, g = 0, b = 0, n = 0;
    for (unsigned y = area.top; y < area.top + area.height; ++y)
        for (unsigned x = area.left; x < area.left + area.width; ++x) {
            const sf::Color c = image.getPixel(x, y);
            r += c.r;
            g += c.g;
            b += c.b;
            ++n;
        }
    return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

// Going down a column from `from`, the first row where the picture turns
// markedly darker than the sky three rows above and stays so: where the sky
// gives way to the land (a lone tree standing on the crest is passed over).
unsigned skyline(const sf::Image& image, unsigned x, unsigned from, unsigned to, float drop)
{
    for (unsigned y = from + 3; y + 8 < to; ++y) {
        const float sky = luminance(image.getPixel(x, y - 3));
        bool land = true;
        for (unsigned k = 0; k < 8 && land; ++k)
            land = luminance(image.getPixel(x, y + k)) < sky - drop;
        if (land)
            return y;
    }
    return to;
}

float median(std::vector<float> values)
{
    std::sort(values.begin(), values.end());
    return percentile(values, 0.5f);
}

// The average colour of the middle of a banner, lettering and all.
Mood middleColour(const sf::Image& image)
{
    const sf::Vector2u size = image.getSize();
    return meanColour(image, {size.x / 8, size.y / 5, size.x * 3 / 4, size.y * 3 / 5});
}

TEST(PicturesContentTest, BannersAreSolidDetailedAndLegible)
{
    sf::Vector2u first;
    for (const std::string name : {"inter_LevelComplete.png", "inter_OutOfTime.png", "inter_Paused.png"}) {
        const sf::Image banner = loaded(name);
        const sf::Vector2u size = banner.getSize();
        if (first == sf::Vector2u())
            first = size;
        EXPECT_EQ(size, first) << name << ": the banners should match";
        // Over the 800 x 512 field, with room to spare round it.
        EXPECT_GE(size.x, 400u) << name;
        EXPECT_LE(size.x, 720u) << name;
        EXPECT_GE(size.y, 120u) << name;
        EXPECT_LE(size.y, 320u) << name;
        ASSERT_GT(size.x * size.y, 0u);
        // The game's drop shadow is a plain rectangle: holes would show it.
        EXPECT_TRUE(opaque(banner)) << name;

        std::set<unsigned> colours;
        for (unsigned y = 0; y < size.y; ++y)
            for (unsigned x = 0; x < size.x; ++x) {
                const sf::Color c = banner.getPixel(x, y);
                colours.insert(c.r << 16 | c.g << 8 | c.b);
            }
        EXPECT_GT(colours.size(), 3000u) << name << " looks flat";
        EXPECT_GT(busyness(banner, {0, 0, size.x, size.y}), 4.f) << name << " has no texture";

        // The title across the middle: its bright face stands well clear of
        // the panel behind it, and its dark outline clear of the face.
        const std::vector<float> middle = luminances(banner, {size.x / 5, size.y / 4, size.x * 3 / 5, size.y / 3});
        const float face = percentile(middle, 0.95f), panel = percentile(middle, 0.3f), edge = percentile(middle, 0.02f);
        EXPECT_GT((face + 12.f) / (panel + 12.f), 2.f) << name << ": face " << face << ", panel " << panel;
        EXPECT_GT(face - edge, 150.f) << name << ": face " << face << ", outline " << edge;
    }

    // Each moment in its own colours.
    const Mood complete = middleColour(loaded("inter_LevelComplete.png"));
    const Mood late = middleColour(loaded("inter_OutOfTime.png"));
    const Mood paused = middleColour(loaded("inter_Paused.png"));
    EXPECT_GT(complete.g, complete.b + 30) << "a finished level is green and gold";
    EXPECT_GT(complete.g, late.g);
    EXPECT_GT(late.r, late.g + 50) << "running out of time is red and orange";
    EXPECT_GT(late.r, late.b + 80);
    EXPECT_GT(paused.b, paused.r + 40) << "a pause is calm blue";
    EXPECT_GT(paused.b, complete.b);
}

// Bands of rows across the panel (above its grass) whose middle holds
// bright lettering, top to bottom.
std::vector<std::pair<unsigned, unsigned>> letteredRows(const sf::Image& banner)
{
    const sf::Vector2u size = banner.getSize();
    std::vector<std::pair<unsigned, unsigned>> bands;
    for (unsigned y = size.y * 15 / 100; y < size.y * 80 / 100; ++y) {
        int bright = 0;
        for (unsigned x = size.x * 3 / 10; x < size.x * 7 / 10; ++x)
            bright += luminance(banner.getPixel(x, y)) > 180.f;
        if (bright < 3)
            continue;
        if (bands.empty() || y > bands.back().second + 3)
            bands.push_back({y, y});
        bands.back().second = y;
    }
    return bands;
}

TEST(PicturesContentTest, BannersHaveAFramedPanelAndCentredLettering)
{
    for (const std::string name : {"inter_LevelComplete.png", "inter_OutOfTime.png", "inter_Paused.png"}) {
        const sf::Image banner = loaded(name);
        const sf::Vector2u size = banner.getSize();
        ASSERT_GT(size.x, 100u);
        ASSERT_GT(size.y, 100u);
        // A border a few pixels in from the edge, unlike the panel inside
        // and grained like wood.
        const Mood border = meanColour(banner, {4, 4, size.x - 8, 8});
        const Mood panel = meanColour(banner, {size.x / 10, size.y / 5, size.x / 10, size.y / 6});
        EXPECT_GT(std::abs(border.r - panel.r) + std::abs(border.g - panel.g) + std::abs(border.b - panel.b), 40)
            << name << ": no frame";
        EXPECT_GT(busyness(banner, {4, 4, size.x - 8, 10}), 2.f) << name << ": a plain border";

        // The title's letters balance about the middle.
        double sum = 0, count = 0;
        for (unsigned y = size.y / 4; y < size.y * 3 / 4; ++y)
            for (unsigned x = size.x / 5; x < size.x * 4 / 5; ++x)
                if (luminance(banner.getPixel(x, y)) > 215.f) {
                    sum += x;
                    ++count;
                }
        ASSERT_GT(count, 500) << name << ": no bright lettering";
        EXPECT_NEAR(sum / count, size.x / 2.0, size.x * 0.04) << name;
    }
    // Only the pause asks for a key: a second, smaller line under the title.
    const auto title = letteredRows(loaded("inter_LevelComplete.png"));
    const auto pause = letteredRows(loaded("inter_Paused.png"));
    EXPECT_EQ(title.size(), 1u);
    ASSERT_EQ(pause.size(), 2u);
    EXPECT_LT(pause[1].second - pause[1].first, (pause[0].second - pause[0].first) / 2);
}

TEST(PicturesContentTest, MenuBackgroundKeepsItsFocusClearOfThePanel)
{
    const sf::Image menu = loaded("menuback.png");
    ASSERT_EQ(menu.getSize(), sf::Vector2u(1024, 768));
    EXPECT_TRUE(opaque(menu));

    // The game's name, in gold, sits right of the menu panel (x 15 to about
    // 435) and in the upper half.
    int goldRight = 0, goldLeft = 0, goldLow = 0;
    for (unsigned y = 0; y < 768; ++y)
        for (unsigned x = 0; x < 1024; ++x) {
            const sf::Color c = menu.getPixel(x, y);
            if (c.r > 220 && c.g > 130 && c.g < 230 && c.b < 110 && c.r > c.g + 25)
                (y >= 384 ? goldLow : x >= 440 ? goldRight : goldLeft) += 1;
        }
    EXPECT_GT(goldRight, 8000) << "no name in big gold letters";
    EXPECT_LT(goldLeft, goldRight / 50) << "the name runs under the panel";
    EXPECT_LT(goldLow, goldRight / 20);

    // A sunny garden: blue sky above, green lawn below.
    const sf::Color sky = menu.getPixel(600, 20), lawn = menu.getPixel(880, 600);
    EXPECT_GT(int{sky.b}, sky.r + 60);
    EXPECT_GT(int{lawn.g}, lawn.r + 40);
    EXPECT_GT(int{lawn.g}, lawn.b + 40);

    // The lawn recedes: its stripes narrow toward the fence.
    const auto stripes = [&](unsigned y) {
        // Smoothed across a few pixels, so the grass's grain does not count.
        std::vector<float> row;
        for (unsigned x = 440; x + 11 < 1024; ++x)
            row.push_back(percentile(luminances(menu, {x, y - 2, 11, 5}), 0.5f));
        std::vector<float> sorted = row;
        std::sort(sorted.begin(), sorted.end());
        const float middle = percentile(sorted, 0.5f);
        int changes = 0;
        bool light = row[0] > middle;
        for (const float v : row)
            if ((light && v < middle - 4.f) || (!light && v > middle + 4.f)) {
                light = !light;
                ++changes;
            }
        return changes;
    };
    EXPECT_GT(stripes(470), stripes(750) + 3);
    EXPECT_GE(stripes(750), 2);

    // The lower right corner stays quiet for the line of small text there,
    // much calmer than the scene around the name.
    const float corner = busyness(menu, {704, 728, 320, 40});
    const float scene = busyness(menu, {440, 60, 584, 200});
    EXPECT_LT(corner, 12.f);
    EXPECT_LT(corner * 2.f, scene);
}

TEST(PicturesContentTest, MenuCountrysideRollsAwayIntoTheHaze)
{
    const sf::Image menu = loaded("menuback.png");
    ASSERT_EQ(menu.getSize(), sf::Vector2u(1024, 768));
    // The views over the garden hedge: between the big tree on the left and
    // the one behind the cottage, and between the cottage and the trees on
    // the right.
    std::vector<unsigned> columns;
    for (unsigned x = 280; x < 392; x += 4)
        columns.push_back(x);
    for (unsigned x = 690; x < 752; x += 4)
        columns.push_back(x);

    unsigned highest = 768, lowest = 0;
    std::vector<float> farBlue, nearBlue, farLight, nearLight;
    const auto blueness = [](sf::Color c) { return static_cast<float>(c.b) - static_cast<float>(c.g); };
    for (const unsigned x : columns) {
        const unsigned top = skyline(menu, x, 280, 386, 12.f);
        ASSERT_LT(top, 372u) << "no hills behind the garden at x " << x;
        highest = std::min(highest, top);
        lowest = std::max(lowest, top);
        for (unsigned y = top + 2; y < top + 7; ++y) {
            farBlue.push_back(blueness(menu.getPixel(x, y)));
            farLight.push_back(luminance(menu.getPixel(x, y)));
        }
        for (unsigned y = 374; y < 382; ++y) {
            nearBlue.push_back(blueness(menu.getPixel(x, y)));
            nearLight.push_back(luminance(menu.getPixel(x, y)));
        }
    }
    EXPECT_GE(lowest - highest, 20u) << "the hills make a flat band";
    // Far off the downs turn pale and blue; the fields nearer are green.
    EXPECT_GT(median(farBlue), 0.f);
    EXPECT_LT(median(nearBlue), -20.f);
    EXPECT_GT(median(farLight), median(nearLight) + 25.f);
}

TEST(PicturesContentTest, CreditsHorizonIsRollingLandUnderTheSunset)
{
    const sf::Image credits = loaded("CreditsBack.png");
    ASSERT_EQ(credits.getSize(), sf::Vector2u(1024, 768));
    // The credits' black band covers rows 379 to about 600, so the hills
    // between the two big trees must read above it.
    unsigned highest = 768, lowest = 0;
    std::vector<float> farLand, nearLand;
    int skyUnderTheHills = 0;
    for (unsigned x = 300; x < 784; x += 4) {
        const unsigned top = skyline(credits, x, 290, 379, 20.f);
        ASSERT_LT(top, 372u) << "no land above the band at x " << x;
        highest = std::min(highest, top);
        lowest = std::max(lowest, top);
        // Against the glow the land is darker all the way down.
        float sky = 0.f;
        for (unsigned y = top - 12; y < top; ++y)
            sky = std::max(sky, luminance(credits.getPixel(x, y)));
        for (unsigned y = top + 3; y < 379; ++y)
            skyUnderTheHills += luminance(credits.getPixel(x, y)) >= sky;
        farLand.push_back(luminance(credits.getPixel(x, top + 3)));
        nearLand.push_back(luminance(credits.getPixel(x, 376)));
    }
    EXPECT_GE(lowest - highest, 20u) << "the hills make a flat band";
    EXPECT_EQ(skyUnderTheHills, 0);
    // Ridge behind ridge, the nearer ones darker.
    EXPECT_GT(median(farLand), median(nearLand) + 20.f);
}

TEST(PicturesContentTest, CreditsBackgroundIsACalmEveningUnderTheText)
{
    const sf::Image credits = loaded("CreditsBack.png");
    const sf::Image menu = loaded("menuback.png");
    ASSERT_EQ(credits.getSize(), sf::Vector2u(1024, 768));
    EXPECT_TRUE(opaque(credits));

    // A sunset: warm toward the horizon, dark at the zenith, and on the
    // whole darker than the sunny menu.
    const sf::Color glow = credits.getPixel(512, 330), zenith = credits.getPixel(512, 5);
    for (unsigned y = 20; y < 320; y += 60)
        EXPECT_LT(credits.getPixel(512, y).r, credits.getPixel(512, y + 60).r) << "the sky warms toward the sun, at " << y;
    EXPECT_GT(int{glow.r}, glow.b + 60);
    EXPECT_GT(luminance(glow), luminance(zenith) + 80.f);
    const std::vector<float> evening = luminances(credits, {0, 0, 1024, 768});
    const std::vector<float> noon = luminances(menu, {0, 0, 1024, 768});
    EXPECT_LT(percentile(evening, 0.5f) + 30.f, percentile(noon, 0.5f));

    // White text at the lower left needs a dark corner under it.
    const std::vector<float> corner = luminances(credits, {0, 718, 360, 50});
    EXPECT_LT(percentile(corner, 0.9f), 110.f);
    // Not busy: calmer than the menu.
    EXPECT_LT(busyness(credits, {0, 0, 1024, 768}), busyness(menu, {0, 0, 1024, 768}));
}

} // namespace
