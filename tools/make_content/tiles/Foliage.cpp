#include "tiles/Foliage.hpp"

#include "tiles/Curves.hpp"
#include "tiles/Tiled.hpp"

#include "art/Noise.hpp"

#include <cmath>
#include <string>

namespace tiles {

namespace {

art::Colour leavesAt(float x, float y, const Leafage& leafage)
{
    const int period = static_cast<int>(std::lround(32.f / leafage.clump));
    const float s = leafage.clump;
    // Clumps are not cells: bend the lattice so their outlines wander.
    const float wx = x + 1.4f * art::noise(x / 3.2f, y / 3.2f, leafage.seed + 3, 10, 10);
    const float wy = y + 1.4f * art::noise(x / 3.2f, y / 3.2f, leafage.seed + 4, 10, 10);
    const art::Cell clump = art::cells(wx / s, wy / s, leafage.seed, 1.f, period, period);
    // Each clump a little dome: lit towards the top left, shaded away.
    const float dx = wx / s - clump.featureX, dy = wy / s - clump.featureY;
    const float lit = std::clamp(-(dx + dy) * 1.f, -1.f, 1.f);
    const float gap = smoothstep(0.3f, 0.f, clump.f2 - clump.f1);
    float t = 0.52f + 0.38f * lit - 0.4f * gap;
    // Single leaves, smaller, some catching the sun, some in shade.
    const art::Cell leaf = art::cells(x / 1.45f, y / 1.45f, leafage.seed + 1, 1.f, 22, 22);
    const float leafLit = std::clamp(-((x / 1.45f - leaf.featureX) + (y / 1.45f - leaf.featureY)) * 1.6f, -1.f, 1.f);
    const float own = art::hash01(static_cast<int>(leaf.id & 0xFFFFu), 9, leafage.seed + 5) - 0.5f;
    t += (0.16f * leafLit + 0.22f * own) * smoothstep(0.02f, 0.2f, leaf.f2 - leaf.f1);
    t += 0.1f * art::noise(x / 8.f, y / 8.f, leafage.seed + 2, 4, 4);
    t = std::clamp(t, 0.f, 1.2f);
    if (t < 0.5f)
        return art::mix(leafage.deep, leafage.base, t * 2.f);
    return art::mix(leafage.base, leafage.light, (t - 0.5f) * 2.f / 1.4f);
}

std::string key(const Leafage& l)
{
    std::string k = "foliage";
    for (float v : {l.deep.r, l.deep.g, l.deep.b, l.base.r, l.base.g, l.base.b, l.light.r, l.light.g, l.light.b, l.clump})
        k += " " + std::to_string(v);
    return k + " " + std::to_string(l.seed);
}

} // namespace

art::Paint foliage(const Leafage& leafage)
{
    return tiledPaint(key(leafage), [leafage](float x, float y) { return leavesAt(x, y, leafage); });
}

} // namespace tiles
