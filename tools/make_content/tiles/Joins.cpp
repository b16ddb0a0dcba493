#include "tiles/Joins.hpp"

#include "tiles/TileArt.hpp"
#include "tiles/Tiled.hpp"

#include "art/Noise.hpp"
#include "world/Map.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace tiles {

namespace {

constexpr float size = static_cast<float>(tileSize);

float edgeWiggle(const Edge& edge, int sideIndex, float along)
{
    const int period = static_cast<int>(size / edge.grain);
    return art::fbm(along / edge.grain, 3.7f * static_cast<float>(sideIndex), edge.seed + static_cast<std::uint32_t>(sideIndex), 2,
                    0.5f, period, 0);
}

// A closed side's edge, offset from the side: the inset plus a wiggle that
// depends only on the position along the side.  The wiggle is sampled once
// per eighth of a pixel and interpolated: edges are asked for millions of
// times while a tileset is drawn.
float edgeLine(const Edge& edge, int sideIndex, float along)
{
    if (edge.ragged <= 0.f)
        return edge.inset;
    constexpr int steps = 8;
    using Key = std::tuple<float, std::uint32_t, int>;
    static std::map<Key, std::vector<float>> samples;
    static Key lastKey{-1.f, 0u, -1};
    static std::vector<float>* last = nullptr;
    const Key key{edge.grain, edge.seed, sideIndex};
    if (!last || key != lastKey) {
        last = &samples[key];
        lastKey = key;
    }
    std::vector<float>& table = *last;
    if (table.empty())
        for (int i = 0; i <= static_cast<int>(size) * steps; ++i)
            table.push_back(edgeWiggle(edge, sideIndex, static_cast<float>(i) / steps));
    const float t = (along - size * std::floor(along / size)) * steps;
    const int i = std::min(static_cast<int>(t), static_cast<int>(size) * steps - 1);
    const float f = t - static_cast<float>(i);
    const float n = table[static_cast<std::size_t>(i)] * (1.f - f) + table[static_cast<std::size_t>(i) + 1] * f;
    return edge.inset + edge.ragged * n;
}

// A line's wiggle, sampled once per kind of line.
const Field& lineWiggle(float grain, std::uint32_t seed)
{
    static std::map<std::pair<float, std::uint32_t>, Field> wiggles;
    Field& found = wiggles[{grain, seed}];
    if (!found)
        found = tiledField("line wiggle " + std::to_string(grain) + " " + std::to_string(seed), [=](float x, float y) {
            const int period = static_cast<int>(size / grain);
            return art::fbm(x / grain, y / grain, seed, 2, 0.5f, period, period);
        });
    return found;
}

// Intersection of two insides (negative inside) with the corner rounded.
float roundIntersect(float a, float b, float r)
{
    if (r <= 0.f)
        return std::max(a, b);
    return std::min(-r, std::max(a, b)) + std::hypot(std::max(r + a, 0.f), std::max(r + b, 0.f));
}

float smoothUnion(float a, float b, float k)
{
    if (k <= 0.f)
        return std::min(a, b);
    const float h = std::max(k - std::abs(a - b), 0.f) / k;
    return std::min(a, b) - h * h * k * 0.25f;
}

float segment(float x, float y, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0.f ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.f, 1.f) : 0.f;
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

std::array<unsigned, area::pieces> gameMasks()
{
    std::array<unsigned, area::pieces> masks{};
    std::array<bool, area::pieces> found{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        const int tile = Map::grassTileForMask(mask);
        if (tile < 0)
            continue;
        const int piece = tile - Map::isolatedGrassTile + area::pieces - 1;
        if (piece < 0 || piece >= area::pieces || found[static_cast<std::size_t>(piece)])
            throw std::runtime_error("the game's grass edging does not match the area families");
        masks[static_cast<std::size_t>(piece)] = mask;
        found[static_cast<std::size_t>(piece)] = true;
    }
    if (std::find(found.begin(), found.end(), false) != found.end())
        throw std::runtime_error("the game's grass edging leaves an area piece out");
    return masks;
}

} // namespace

const std::array<unsigned, area::pieces>& area::masks()
{
    static const std::array<unsigned, area::pieces> all = gameMasks();
    return all;
}

float areaDistance(unsigned mask, const Edge& edge, float x, float y)
{
    const bool n = mask & area::north, e = mask & area::east, s = mask & area::south, w = mask & area::west;
    const float bN = edgeLine(edge, 0, x), bE = edgeLine(edge, 1, y), bS = edgeLine(edge, 2, x), bW = edgeLine(edge, 3, y);
    float d = -1000.f;
    if (!n)
        d = roundIntersect(d, bN - y, edge.outerRound);
    if (!e)
        d = roundIntersect(d, x - (size - bE), edge.outerRound);
    if (!s)
        d = roundIntersect(d, y - (size - bS), edge.outerRound);
    if (!w)
        d = roundIntersect(d, bW - x, edge.outerRound);
    // Inner corners: the corner neighbour is missing though both sides run on.
    auto notch = [&](float outsideX, float outsideY) { d = std::max(d, -roundIntersect(outsideX, outsideY, edge.innerRound)); };
    if (n && w && !(mask & area::northWest))
        notch(x - bW, y - bN);
    if (n && e && !(mask & area::northEast))
        notch((size - bE) - x, y - bN);
    if (s && w && !(mask & area::southWest))
        notch(x - bW, (size - bS) - y);
    if (s && e && !(mask & area::southEast))
        notch((size - bE) - x, (size - bS) - y);
    return d;
}

float areaDepth(unsigned mask, const Edge& edge, float x, float y, float cap)
{
    return std::clamp(-areaDistance(mask, edge, x, y), 0.f, cap);
}

float lineDistance(unsigned mask, const Stroke& stroke, float x, float y)
{
    constexpr float mid = size / 2.f, beyond = size + 12.f;
    const bool n = mask & line::north, e = mask & line::east, s = mask & line::south, w = mask & line::west;
    float d;
    if (mask == 0) {
        d = std::hypot(x - mid, y - mid);
    } else {
        // Straight runs are one segment each way, so a crossing has no bulge.
        const bool vertical = n || s, horizontal = e || w;
        const float v = vertical ? segment(x, y, mid, n ? -12.f : mid, mid, s ? beyond : mid) : 1000.f;
        const float h = horizontal ? segment(x, y, w ? -12.f : mid, mid, e ? beyond : mid, mid) : 1000.f;
        d = smoothUnion(v - stroke.halfWidth, h - stroke.halfWidth, stroke.joinRound) + stroke.halfWidth;
    }
    d -= stroke.halfWidth;
    if (stroke.ragged > 0.f) {
        d += stroke.ragged * lineWiggle(stroke.grain, stroke.seed)(x, y);
    }
    return d;
}

std::string areaDescription(const std::string& name, unsigned mask, const std::string& edgeWord)
{
    std::string sides, corners;
    auto add = [](std::string& list, const char* word) { list += (list.empty() ? "" : " ") + std::string(word); };
    const bool n = mask & area::north, e = mask & area::east, s = mask & area::south, w = mask & area::west;
    if (!n)
        add(sides, "N");
    if (!e)
        add(sides, "E");
    if (!s)
        add(sides, "S");
    if (!w)
        add(sides, "W");
    if (n && w && !(mask & area::northWest))
        add(corners, "NW");
    if (n && e && !(mask & area::northEast))
        add(corners, "NE");
    if (s && w && !(mask & area::southWest))
        add(corners, "SW");
    if (s && e && !(mask & area::southEast))
        add(corners, "SE");
    if (sides.empty() && corners.empty())
        return name;
    std::string text = name;
    if (!sides.empty())
        text += ", " + edgeWord + " " + sides;
    if (!corners.empty())
        text += ", inner corner " + corners;
    return text;
}

std::string lineDescription(const std::string& name, unsigned mask)
{
    if (mask == 0)
        return name + ", alone";
    std::string text = name + ", joins";
    if (mask & line::north)
        text += " N";
    if (mask & line::east)
        text += " E";
    if (mask & line::south)
        text += " S";
    if (mask & line::west)
        text += " W";
    return text;
}

} // namespace tiles
