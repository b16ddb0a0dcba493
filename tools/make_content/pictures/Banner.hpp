#pragma once
// The banners shown over the frozen game: a painted wooden plaque with a
// sunken panel, a fringe of grass, big lettering and a few ornaments, all
// coloured for the moment (a finished level, time running out, a pause).

#include "art/Canvas.hpp"
#include "art/Font.hpp"
#include "pictures/Ramp.hpp"

#include <string_view>

namespace pictures {

enum class Ornament { stars, clocks, moons };

struct BannerStyle {
    std::string_view seed;
    std::string_view title;
    std::string_view line;       // a small line under the title, or none
    art::Colour wood;            // the frame's paint
    Ramp panel;                  // the panel from top to bottom
    Ramp lettering;              // the title's face from top to bottom
    art::Colour outline;         // round the title
    Ornament ornament;
};

struct BannerFonts {
    const art::Font& title;
    const art::Font& line;
};

inline constexpr int bannerWidth = 560;
inline constexpr int bannerHeight = 180;

art::Canvas paintBanner(const BannerStyle& style, const BannerFonts& fonts);

} // namespace pictures
