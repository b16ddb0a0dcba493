#include "frontend/MenuScreen.hpp"

#include "engine/EventPoller.hpp"
#include "engine/KVCore.hpp"
#include "engine/Layers.hpp"
#include "engine/StillPicture.hpp"
#include "engine/WindowBackend.hpp"

namespace Frontend {
namespace {

// The test hook; set and cleared by tests only.
struct MenuScreenState {
    std::function<void(const MenuList&)> frameHook;
};
MenuScreenState screen;

} // namespace

int runMenu(MenuList& list, const sf::Texture& background,
            const std::function<void(sf::RenderTarget&)>& drawExtra)
{
    bool drawn = false;
    while (KVCore::window().isOpen()) {
        if (screen.frameHook)
            screen.frameHook(list);
        // The list changes only through input, so an idle menu is held.
        if (drawn && KVCore::lastPictureStands()) {
            KVCore::holdFrame();
        } else {
            KVCore::beginFrame(background);
            if (sf::RenderTarget* target = KVCore::currentTarget()) {
                list.draw(*target);
                if (drawExtra)
                    drawExtra(*target);
            }
            KVCore::endFrame(0);
            drawn = true;
        }
        if (!KVCore::tickFlag())
            continue;
        list.update();
        if (list.result() >= 0)
            return list.result();
        if (list.cancelled())
            return menuCancelled;
    }
    return menuWindowGone;
}

void setMenuFrameHook(std::function<void(const MenuList&)> hook) { screen.frameHook = std::move(hook); }

} // namespace Frontend
