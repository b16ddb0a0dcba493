#pragma once
// Big display lettering for titles and banners: a painted face, embossed so
// its upper edges catch the light, inside a thick outline and an optional
// second rim, over a soft drop shadow.  Letters may ride on a gentle arch.

#include "art/Canvas.hpp"
#include "art/Font.hpp"

#include <string_view>

namespace pictures {

struct LetteringStyle {
    art::Paint face;                       // in picture coordinates
    art::Colour outline = art::rgb(20, 20, 20);
    float outlineWidth = 4.f;
    art::Colour rim = art::transparent;    // a second outline round the first
    float rimWidth = 0.f;
    art::Colour shadow = art::rgb(0, 0, 0, 0.5f);
    float shadowX = 3.f, shadowY = 5.f, shadowBlur = 4.f;
    float emboss = 0.6f;                   // light on upper edges, shade on lower
    float arch = 0.f;                      // how much higher the middle letters sit
    float spacing = 0.f;                   // extra pixels between letters
};

// Writes the text centred on centreX with its baseline at `baseline`.
void letter(art::Canvas& picture, const art::Font& font, std::string_view text, float size, float centreX,
            float baseline, const LetteringStyle& style);

} // namespace pictures
