#pragma once
// The engine core's life cycle and the frame calls every screen makes:
// beginFrame, update and draw, endFrame.

#include <SFML/Graphics/Texture.hpp>

#include <string>

namespace KVCore {

bool init();
// Takes the core down; does nothing unless it is initialised.
void shutdown();
bool initialised();

// A modal system box with the caption "Error"; usable before any font loads.
void showErrorBox(const std::string& text);

void beginFrame();
// The same, over a background stretched across the whole view.
void beginFrame(const sf::Texture& background);
// cursorMode 0: system cursor; 1: none; 2..4: a drawn cursor; other: as is.
void endFrame(int cursorMode);

} // namespace KVCore
