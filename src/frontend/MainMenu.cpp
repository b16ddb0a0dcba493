#include "frontend/MainMenu.hpp"

#include "engine/AppInfo.hpp"
#include "engine/Display.hpp"
#include "engine/KVCore.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

namespace Frontend {

void runMainMenu()
{
    KVCore::WindowBackend& w = KVCore::window();
    while (w.isOpen()) {
        KVCore::beginFrame();
        if (sf::RenderWindow* target = w.renderWindow()) {
            target->clear(sf::Color::Black);
            sf::Text title(KVCore::appInfo().appName, Text::largeFont(), 64);
            const sf::FloatRect bounds = title.getLocalBounds();
            const sf::Vector2f view = KVCore::viewSize();
            title.setPosition(static_cast<float>(static_cast<int>((view.x - bounds.width) / 2 - bounds.left)),
                              static_cast<float>(static_cast<int>((view.y - bounds.height) / 2 - bounds.top)));
            target->draw(title);
        }
        KVCore::endFrame(0);
    }
}

} // namespace Frontend
