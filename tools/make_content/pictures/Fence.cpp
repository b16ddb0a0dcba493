#include "pictures/Fence.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

art::Shape picket(float x, float ground, float height, float width, float lean)
{
    const float shoulder = ground - height + width * 0.7f;
    return art::polygon({{x, ground}, {x, shoulder}, {x + width / 2.f + lean, ground - height}, {x + width, shoulder},
                         {x + width, ground}});
}

} // namespace

void paintFenceShadow(art::Canvas& picture, const Fence& fence, const Light& light)
{
    Painter painter(picture);
    // Thrown down and away from the sun, foreshortened on the ground.
    const float reach = fence.height * 0.45f, slide = -light.towardSun.x * fence.height * 0.55f;
    const art::Colour shadow = light.shadow;
    for (float x = fence.left; x < fence.right; x += fence.picketWidth + fence.gap)
        painter.fill(art::polygon({{x, fence.ground}, {x + fence.picketWidth, fence.ground},
                                   {x + fence.picketWidth + slide, fence.ground + reach},
                                   {x + slide, fence.ground + reach}}),
                     shadow, 3.f);
}

void paintFence(art::Canvas& picture, const Fence& fence, const Light& light)
{
    content::Random rng(fence.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    Painter painter(picture);
    const auto wood = [&](float shade, float across) {
        return [&, shade, across](float x, float y) {
            const float grain = art::fbm(x / 3.f, y / 40.f, seed, 3);
            const art::Colour c = art::shade(fence.paint, shade * (0.96f + 0.06f * grain));
            return light.far(light.on(c, across), fence.distance);
        };
    };
    // Two rails behind the pickets, in the pickets' shade.
    for (const float at : {0.28f, 0.72f}) {
        const float y = fence.ground - fence.height * at;
        const float thick = std::max(2.f, fence.picketWidth * 0.45f);
        painter.fill(art::rectangle(fence.left, y - thick / 2.f, fence.right, y + thick / 2.f, 0.f), wood(0.78f, 0.f));
        painter.fill(art::rectangle(fence.left, y + thick / 2.f, fence.right, y + thick / 2.f + 1.5f, 0.f),
                     art::rgb(0, 0, 0, 0.25f));
    }
    for (float x = fence.left; x < fence.right; x += fence.picketWidth + fence.gap) {
        const float tall = fence.height * static_cast<float>(rng.uniform(0.97, 1.02));
        const float lean = static_cast<float>(rng.uniform(-0.4, 0.4));
        const art::Shape board = picket(x, fence.ground, tall, fence.picketWidth, lean);
        painter.fill(art::moved(board, 1.5f, 0.f), art::rgb(0, 0, 0, 0.3f), 2.f);
        // Bevelled edges: the one toward the sun bright, the other in shade.
        painter.fill(board, [&, x](float px, float py) {
            const float across = ((px - x) / fence.picketWidth) * 2.f - 1.f;
            const float bevel = std::abs(across) > 0.6f ? across : 0.f;
            const float facing = light.facing(bevel, -0.25f) + 0.15f;
            return wood(1.f, facing)(px, py);
        });
        // Dirt splashed up at the foot.
        painter.fill(art::rectangle(x, fence.ground - fence.height * 0.12f, x + fence.picketWidth, fence.ground, 0.f),
                     [&](float, float py) {
                         const float t = (py - (fence.ground - fence.height * 0.12f)) / (fence.height * 0.12f);
                         return art::rgb(60, 70, 40, 0.35f * t);
                     });
    }
}

} // namespace pictures
