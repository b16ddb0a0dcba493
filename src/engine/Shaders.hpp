#pragma once
// The shader table: 1024 slots, slot 0 reserved, a handle is a slot number
// and -1 means failure.

#include <SFML/Graphics/Shader.hpp>

#include <string>

namespace Shaders {

constexpr int slotCount = 1024;

// False only when the machine has no shader support at all.
bool init();
// Either path may be empty, not both; returns the slot, -1 on failure.
int load(const std::string& vertexPath, const std::string& fragmentPath);
// Compiles a slot from its files again; false when that failed.
bool compile(int handle);
void reloadShaders();

bool isCompiled(int handle);
// The program of a compiled slot, null otherwise.
sf::Shader* get(int handle);

int spriteShadowShader();
int colourShader();

} // namespace Shaders
