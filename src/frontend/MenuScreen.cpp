#include "frontend/MenuScreen.hpp"

#include "engine/EventPoller.hpp"
#include "engine/KVCore.hpp"
#include "engine/Layers.hpp"
#include "engine/StillPicture.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

namespace Frontend {
namespace {

// The test hook; set and cleared by tests only.
struct MenuScreenState {
    std::function<void(const MenuList&)> frameHook;
};
MenuScreenState screen;

// The menu as last drawn, for as long as it looks the same: the pointer
// moving over a menu then costs one copy of a texture, not the background,
// the panels and every text drawn again.
struct MenuPicture {
    sf::RenderTexture texture;
    bool ready = false;
    int current = -1;
};

// One unit of the view to one pixel of the window, from its corner: a
// picture drawn at the window's size is then the very picture drawn onto it.
bool oneToOne(const sf::RenderTarget& window)
{
    const sf::View& view = window.getView();
    const sf::Vector2f size(window.getSize());
    return view.getSize() == size && view.getCenter() == size / 2.f && view.getRotation() == 0.f &&
           view.getViewport() == sf::FloatRect(0.f, 0.f, 1.f, 1.f);
}

void drawMenu(sf::RenderTarget& target, const MenuList& list, const std::function<void(sf::RenderTarget&)>& drawExtra)
{
    list.draw(target);
    if (drawExtra)
        drawExtra(target);
}

// The frame from the kept picture, made again when the list changed; false
// when the window cannot take one (a stretched view), which draws directly.
bool drawFromPicture(MenuPicture& picture, const MenuList& list, const sf::Texture& background,
                     const std::function<void(sf::RenderTarget&)>& drawExtra)
{
    sf::RenderWindow* window = KVCore::window().renderWindow();
    if (!window || KVCore::currentTarget() != window || !oneToOne(*window))
        return false;
    const sf::Vector2u size = window->getSize();
    if (!picture.ready || picture.current != list.current() || picture.texture.getSize() != size) {
        if (picture.texture.getSize() != size && !picture.texture.create(size.x, size.y))
            return false;
        KVCore::drawOverView(picture.texture, background, sf::RenderStates(sf::BlendNone));
        drawMenu(picture.texture, list, drawExtra);
        picture.texture.display();
        picture.ready = true;
        picture.current = list.current();
    }
    KVCore::beginFrame(picture.texture.getTexture());
    return true;
}

} // namespace

int runMenu(MenuList& list, const sf::Texture& background,
            const std::function<void(sf::RenderTarget&)>& drawExtra)
{
    bool drawn = false;
    MenuPicture picture;
    while (KVCore::window().isOpen()) {
        if (screen.frameHook)
            screen.frameHook(list);
        // The list changes only through input, so an idle menu is held.
        if (drawn && KVCore::lastPictureStands()) {
            KVCore::holdFrame();
        } else {
            if (!drawFromPicture(picture, list, background, drawExtra)) {
                KVCore::beginFrame(background);
                if (sf::RenderTarget* target = KVCore::currentTarget())
                    drawMenu(*target, list, drawExtra);
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
