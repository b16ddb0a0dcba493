#include "tiles/Materials.hpp"

#include "tiles/Curves.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Tiled.hpp"

#include "art/Noise.hpp"

#include <algorithm>
#include <cmath>

namespace tiles {

float grain(float x, float y, unsigned seed)
{
    // Whole-pixel speckle at the drawing detail, repeating every tile.
    return art::hash01(static_cast<int>(wrapped(x * 4.f, 128.f)), static_cast<int>(wrapped(y * 4.f, 128.f)),
                       seed) *
               2.f -
           1.f;
}

namespace {

constexpr float size = 32.f;

// A rectangle's own lighting: lit along its top and left edges, shaded
// along the bottom and right, `bevel` pixels wide.
float bevel(float u, float v, float w, float h, float bevelWidth)
{
    const float lit = std::max(smoothstep(bevelWidth, 0.f, u), smoothstep(bevelWidth, 0.f, v));
    const float shaded = std::max(smoothstep(w - bevelWidth, w, u), smoothstep(h - bevelWidth, h, v));
    return 1.f + 0.16f * lit - 0.2f * shaded;
}

art::Colour soilAt(float x, float y)
{
    const float broad = art::fbm(x / 8.f, y / 8.f, 201u, 3, 0.55f, 4, 4);
    art::Colour c = art::mix(palette::soilDark, palette::soil, std::clamp(0.55f + 0.35f * broad, 0.f, 1.f));
    // Clods catch the light on their upper left, with hollows between.
    const art::Cell clod = art::cells(x / 4.f, y / 4.f, 203u, 0.9f, 8, 8);
    const float lit = std::clamp(-((x / 4.f - clod.featureX) + (y / 4.f - clod.featureY)) * 1.4f, -1.f, 1.f);
    c = art::shade(c, 1.f + 0.12f * lit * smoothstep(0.05f, 0.3f, clod.f2 - clod.f1));
    c = art::shade(c, 1.f - 0.25f * smoothstep(0.12f, 0.f, clod.f2 - clod.f1));
    // A few small stones, few enough not to show where the tile repeats.
    const art::Cell pebble = art::cells(x / 3.2f, y / 3.2f, 205u, 1.f, 10, 10);
    const bool isStone = art::hash01(static_cast<int>(pebble.id & 0xFFFFu), 0, 206u) > 0.94f;
    if (isStone) {
        const float body = smoothstep(0.32f, 0.22f, pebble.f1);
        const float plit = std::clamp(-((x / 3.2f - pebble.featureX) + (y / 3.2f - pebble.featureY)) * 2.f, -1.f, 1.f);
        c = art::mix(c, art::shade(art::rgb(140, 118, 94), 1.f + 0.25f * plit), body);
    }
    return art::shade(c, 1.f + 0.07f * grain(x, y, 207u));
}

art::Colour sandAt(float x, float y)
{
    // Wind ripples, wavering across.
    const float wave = (y + 2.2f * art::fbm(x / 8.f, y / 8.f, 211u, 2, 0.5f, 4, 4)) * 3.14159265f / 4.f;
    const float ripples = std::sin(wave);
    const float facing = std::cos(wave);  // the slope of the ripple: lit or shaded
    const float broad = art::fbm(x / 8.f, y / 8.f, 213u, 2, 0.5f, 4, 4);
    art::Colour c = art::mix(palette::sandDark, palette::sand, std::clamp(0.72f + 0.3f * broad + 0.06f * ripples, 0.f, 1.f));
    c = art::shade(c, 1.f - 0.07f * facing);
    const float g = grain(x, y, 215u);
    c = art::shade(c, 1.f + 0.07f * g);
    if (g > 0.94f)
        c = art::mix(c, art::rgb(120, 104, 86), 0.5f);
    return c;
}

art::Colour gravelAt(float x, float y)
{
    constexpr float cell = size / 12.f;
    const art::Cell c = art::cells(x / cell, y / cell, 221u, 1.f, 12, 12);
    const float edge = c.f2 - c.f1;
    // Stones of close tones, and only now and then a warmer or darker one:
    // odd stones are what the eye picks out where the tile repeats.
    const float tone = art::hash01(static_cast<int>(c.id & 0xFFFFu), 1, 223u);
    art::Colour stone = art::mix(art::rgb(158, 150, 136), art::rgb(202, 194, 176), tone);
    if (tone > 0.95f)
        stone = art::rgb(178, 156, 128);
    else if (tone < 0.04f)
        stone = art::rgb(128, 124, 116);
    // Each stone a little dome, lit from the top left.
    const float dx = (x / cell - c.featureX), dy = (y / cell - c.featureY);
    const float lit = std::clamp(-(dx + dy) * 1.2f, -1.f, 1.f);
    stone = art::shade(stone, 1.f + 0.2f * lit);
    const float body = smoothstep(0.04f, 0.2f, edge);
    return art::mix(art::rgb(92, 84, 72), stone, body);
}

art::Colour slabsAt(float x, float y)
{
    // Courses of sandstone slabs of mixed lengths, laid so that no joint
    // runs straight down the patio.
    struct Course {
        float top, bottom;
        float joints[3];
        int count;
    };
    // A patio's edge runs three pixels in from a tile's side: a course and a
    // slab start right there, and the rest fall so that no slab at an edge
    // is cut to a sliver.
    static constexpr Course courses[] = {{0.f, 16.f, {0.f, 13.f, 0.f}, 2}, {16.f, 32.f, {6.f, 19.f, 0.f}, 2}};
    const float px = wrapped(x - 3.f, size), py = wrapped(y - 3.f, size);
    int row = 0;
    while (py >= courses[row].bottom)
        ++row;
    const Course& course = courses[row];
    // Which slab of the course, and how far to its nearest joints.
    int slab = 0;
    float left = 0.f, right = size;
    for (int i = 0; i < course.count; ++i) {
        const float j = course.joints[i];
        const float next = course.joints[(i + 1) % course.count] + (i + 1 == course.count ? size : 0.f);
        float u = px;
        if (u < j)
            u += size;
        if (u >= j && u < next) {
            slab = i;
            left = u - j;
            right = next - u;
        }
    }
    const float up = py - course.top, down = course.bottom - py;
    // Each course mixes a paler and a darker slab, one of the four warmer,
    // so that the courses do not read as stripes.
    static constexpr float tones[] = {0.25f, 0.9f, 0.6f, 0.05f};
    const float tone = tones[row * 2 + slab];
    art::Colour c = art::mix(art::rgb(190, 176, 150), art::rgb(218, 204, 176), tone);
    if (tone > 0.75f)
        c = art::mix(c, art::rgb(206, 176, 140), 0.5f);
    c = art::shade(c, 1.f + 0.06f * art::fbm(x / 4.f, y / 4.f, 233u, 2, 0.5f, 8, 8) + 0.05f * grain(x, y, 235u));
    c = art::shade(c, bevel(left, up, left + right, up + down, 1.4f));
    const float joint = std::min({left, right, up, down});
    return art::mix(art::rgb(110, 102, 88), c, smoothstep(0.25f, 0.8f, joint));
}

art::Colour flagstonesAt(float x, float y)
{
    const art::Cell c = art::cells((x + 3.f) / 8.f, (y + 5.f) / 8.f, 241u, 0.75f, 4, 4);
    const float edge = (c.f2 - c.f1) * 8.f;  // pixels to the joint, roughly
    const float tone = art::hash01(static_cast<int>(c.id & 0xFFFFu), 2, 243u);
    art::Colour stone = art::mix(art::rgb(164, 156, 140), art::rgb(200, 190, 170), tone);
    if (tone > 0.8f)
        stone = art::mix(stone, art::rgb(186, 160, 128), 0.5f);
    stone = art::shade(stone, 1.f + 0.06f * art::fbm(x / 4.f, y / 4.f, 245u, 2, 0.5f, 8, 8) + 0.05f * grain(x, y, 247u));
    // Lit on the edges facing the light.
    const float dx = (x + 3.f) / 8.f - c.featureX, dy = (y + 5.f) / 8.f - c.featureY;
    const float rim = smoothstep(2.f, 0.4f, edge);
    stone = art::shade(stone, 1.f - 0.22f * rim * std::clamp((dx + dy) * 2.f, -1.f, 1.f));
    return art::mix(art::rgb(92, 86, 74), stone, smoothstep(0.3f, 0.9f, edge));
}

art::Colour tarmacAt(float x, float y)
{
    const float n = art::fbm(x / 8.f, y / 8.f, 251u, 3, 0.55f, 4, 4);
    const float warmth = art::fbm(x / 4.f, y / 4.f, 255u, 2, 0.5f, 8, 8);
    art::Colour c = art::mix(palette::tarmac, art::rgb(78, 74, 70), 0.5f + 0.5f * warmth);
    c = art::shade(c, 1.f + 0.09f * n);
    // Stone chips rolled into the surface, some pale, some dark.
    const art::Cell chip = art::cells(x / 1.1f, y / 1.1f, 252u, 1.f, 29, 29);
    const float tone = art::hash01(static_cast<int>(chip.id & 0xFFFFu), 6, 253u);
    const float body = smoothstep(0.42f, 0.3f, chip.f1);
    c = art::shade(c, 1.f + body * (tone > 0.85f ? 0.45f : tone < 0.3f ? -0.25f : 0.08f));
    return art::shade(c, 1.f + 0.07f * grain(x, y, 254u));
}

art::Colour deckingAt(float x, float y)
{
    constexpr float board = 8.f;
    constexpr float joists[] = {6.f, 22.f};
    const int row = static_cast<int>(wrapped(y, size) / board);
    const float v = wrapped(y, board);
    // Long boards: every other one ends over a joist within the tile, at the
    // one joist and then the other, so the butt joints stagger.
    const bool jointed = row % 2 == 0;
    const float end = joists[row / 2];
    const float u = wrapped(x - end, size);  // along the board from its end
    const float tone = art::hash01(row, 0, 261u);
    art::Colour c = art::mix(art::rgb(150, 102, 60), art::rgb(184, 134, 84), tone);
    // Grain runs along the board, and breaks where one board meets the next.
    const float streak = jointed ? art::noise(u / 8.f + 0.37f, y * 1.25f, 263u) : art::noise(x / 8.f, y * 1.25f, 263u, 4, 40);
    c = art::shade(c, 1.f + 0.12f * streak + 0.04f * grain(x, y, 265u));
    c = art::shade(c, 1.f + 0.14f * smoothstep(1.2f, 0.f, v) - 0.2f * smoothstep(board - 1.4f, board, v));
    if (jointed)
        c = art::shade(c, 1.f + 0.1f * smoothstep(1.f, 0.f, u) - 0.14f * smoothstep(size - 1.f, size, u));
    // Screws where the boards cross the joists, a pair at a joint.
    const float along = wrapped(x, size);
    for (float joist : joists) {
        const bool atJoint = jointed && joist == end;
        for (float offset : {atJoint ? -1.3f : 0.f, atJoint ? 1.3f : 0.f})
            for (float ny : {2.2f, 5.8f})
                if (std::hypot(along - joist - offset, v - ny) < 0.55f)
                    c = art::rgb(84, 70, 58);
    }
    const float gap = jointed ? std::min({v, board - v, u * 1.4f, (size - u) * 1.4f}) : std::min(v, board - v);
    return art::mix(art::rgb(52, 36, 24), c, smoothstep(0.2f, 0.7f, gap));
}

art::Colour bricksAt(float x, float y)
{
    constexpr float course = 8.f, length = 16.f;
    const int row = static_cast<int>(wrapped(y, size) / course);
    const float v = wrapped(y, course);
    const float shift = (row % 2) * length / 2.f;
    const float u = wrapped(x + shift, length);
    const int column = static_cast<int>(wrapped(x + shift, size) / length);
    const float tone = art::hash01(column, row, 271u);
    art::Colour c = art::mix(art::rgb(150, 66, 48), art::rgb(184, 96, 66), tone);
    c = art::shade(c, 1.f + 0.07f * art::fbm(x / 4.f, y / 4.f, 273u, 2, 0.5f, 8, 8) + 0.06f * grain(x, y, 275u));
    c = art::shade(c, bevel(u, v, length, course, 1.2f));
    const float joint = std::min({u, v, length - u, course - v});
    return art::mix(palette::mortar, c, smoothstep(0.35f, 0.85f, joint));
}

} // namespace

art::Colour soil(float x, float y)
{
    static const art::Paint texture = tiledPaint("soil", soilAt);
    return texture(x, y);
}

art::Colour sand(float x, float y)
{
    static const art::Paint texture = tiledPaint("sand", sandAt);
    return texture(x, y);
}

art::Colour gravel(float x, float y)
{
    static const art::Paint texture = tiledPaint("gravel", gravelAt);
    return texture(x, y);
}

art::Colour slabs(float x, float y)
{
    static const art::Paint texture = tiledPaint("slabs", slabsAt);
    return texture(x, y);
}

art::Colour flagstones(float x, float y)
{
    static const art::Paint texture = tiledPaint("flagstones", flagstonesAt);
    return texture(x, y);
}

art::Colour tarmac(float x, float y)
{
    static const art::Paint texture = tiledPaint("tarmac", tarmacAt);
    return texture(x, y);
}

art::Colour decking(float x, float y)
{
    static const art::Paint texture = tiledPaint("decking", deckingAt);
    return texture(x, y);
}

art::Colour bricks(float x, float y)
{
    static const art::Paint texture = tiledPaint("bricks", bricksAt);
    return texture(x, y);
}

} // namespace tiles
