#pragma once
// Small pictures the toolkit draws with (check boxes and the like), loaded
// from the engine's "textures" folder, plus a plain white default.

#include <SFML/Graphics/Texture.hpp>

#include <string>

namespace InternalTextures {

const char* const defaultName = "(no texture)";
constexpr unsigned defaultSize = 64;

void loadTextures();
void releaseTextures();
bool loaded();

std::size_t count();
const std::string& name(std::size_t index);
// The texture of that name; a name without an extension gets ".png".
// The default texture when nothing matches.
const sf::Texture& find(const std::string& name);
// Index of the texture of that name, or -1.
int indexOf(const std::string& name);
const sf::Texture& defaultTexture();

} // namespace InternalTextures
