// The game's full-screen pictures: the banners shown over the frozen game,
// and the backgrounds of the main menu and the credits.

#include "Content.hpp"
#include "art/Font.hpp"
#include "pictures/Banner.hpp"
#include "pictures/CreditsBackground.hpp"
#include "pictures/MenuBackground.hpp"

#include <stdexcept>
#include <string>

namespace {

void save(const content::Context& context, std::string_view name, const art::Canvas& picture)
{
    const std::string path = context.output(name).string();
    if (!picture.toImage().saveToFile(path))
        throw std::runtime_error("cannot write " + path);
}

void makeBanners(const content::Context& context)
{
    const art::Font black(context.font("roboto/unhinted/RobotoTTF/Roboto-Black.ttf"));
    const art::Font bold(context.font("roboto/unhinted/RobotoTTF/Roboto-Bold.ttf"));
    const pictures::BannerFonts fonts{black, bold};
    using pictures::Ramp;
    using art::rgb;

    save(context, "inter_LevelComplete.png",
         pictures::paintBanner({"pictures/levelComplete", "Level Complete!", "", rgb(196, 140, 70),
                                Ramp{{0.f, rgb(70, 148, 62)}, {1.f, rgb(26, 82, 34)}},
                                Ramp{{0.f, rgb(255, 246, 170)}, {0.5f, rgb(255, 208, 60)}, {1.f, rgb(232, 138, 18)}},
                                rgb(56, 30, 8), pictures::Ornament::stars},
                               fonts));
    save(context, "inter_OutOfTime.png",
         pictures::paintBanner({"pictures/outOfTime", "Out of Time!", "", rgb(120, 44, 30),
                                Ramp{{0.f, rgb(214, 82, 34)}, {1.f, rgb(132, 30, 18)}},
                                Ramp{{0.f, rgb(255, 252, 226)}, {0.5f, rgb(255, 214, 84)}, {1.f, rgb(255, 134, 30)}},
                                rgb(64, 10, 4), pictures::Ornament::clocks},
                               fonts));
    save(context, "inter_Paused.png",
         pictures::paintBanner({"pictures/paused", "Paused", "Press Space to continue", rgb(136, 160, 196),
                                Ramp{{0.f, rgb(62, 108, 178)}, {1.f, rgb(26, 52, 112)}},
                                Ramp{{0.f, rgb(255, 255, 255)}, {0.55f, rgb(214, 234, 255)}, {1.f, rgb(146, 194, 250)}},
                                rgb(14, 26, 70), pictures::Ornament::moons},
                               fonts));
}

void makePictures(const content::Context& context)
{
    makeBanners(context);
    const art::Font black(context.font("roboto/unhinted/RobotoTTF/Roboto-Black.ttf"));
    save(context, "menuback.png", pictures::paintMenuBackground(black));
    save(context, "CreditsBack.png", pictures::paintCreditsBackground());
}

const bool registered = content::registerPart({"pictures", makePictures});

} // namespace
