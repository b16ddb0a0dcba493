#include "pictures/Lettering.hpp"

#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace pictures {

void letter(art::Canvas& picture, const art::Font& font, std::string_view text, float size, float centreX,
            float baseline, const LetteringStyle& style)
{
    const float width = font.measure(text, size, style.spacing);
    const float margin = style.outlineWidth + style.rimWidth + 3.f * style.shadowBlur +
                         std::max(std::abs(style.shadowX), std::abs(style.shadowY)) + 4.f;
    const int left = static_cast<int>(std::floor(centreX - width / 2.f - margin));
    const int top = static_cast<int>(std::floor(baseline - size * 1.05f - style.arch - margin));
    const int w = static_cast<int>(std::ceil(width + 2.f * margin));
    const int h = static_cast<int>(std::ceil(size * 1.4f + style.arch + 2.f * margin));

    // Letter by letter, so each can sit on the arch; the pen positions keep
    // the font's kerning.
    art::Mask face(w, h);
    const float start = centreX - width / 2.f - static_cast<float>(left);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view upTo = text.substr(0, i + 1);
        const std::string_view one = text.substr(i, 1);
        const float pen = start + font.measure(upTo, size, style.spacing) - font.measure(one, size, style.spacing);
        const float middle = (pen + font.measure(one, size) / 2.f - start) / std::max(width, 1.f) * 2.f - 1.f;
        const float lift = style.arch * (1.f - middle * middle);
        font.draw(face, one, size, pen, baseline - static_cast<float>(top) - lift);
    }

    const art::Mask outline = face.grown(style.outlineWidth);
    const art::Mask outer = style.rimWidth > 0.f ? outline.grown(style.rimWidth) : outline;
    const art::Mask shadow = outer.shifted(static_cast<int>(std::lround(style.shadowX)),
                                           static_cast<int>(std::lround(style.shadowY)))
                                 .blurred(style.shadowBlur);
    const art::Mask relief = face.blurred(std::max(1.f, size / 40.f));
    const int step = std::max(1, static_cast<int>(std::lround(size / 40.f)));

    Painter painter(picture);
    painter.fill(shadow, left, top, [&](float, float) { return style.shadow; });
    if (style.rimWidth > 0.f)
        painter.fill(outer, left, top, [&](float, float) { return style.rim; });
    painter.fill(outline, left, top, [&](float, float) { return style.outline; });
    painter.fill(face, left, top, [&](float x, float y) {
        const int mx = static_cast<int>(x) - left, my = static_cast<int>(y) - top;
        const float slope = relief.at(mx, my) - relief.at(mx, my - 2 * step);
        const art::Colour c = style.face(x, y);
        return art::clamped(slope > 0.f ? art::mix(c, art::white, slope * style.emboss)
                                        : art::shade(c, 1.f + slope * style.emboss));
    });
}

} // namespace pictures
