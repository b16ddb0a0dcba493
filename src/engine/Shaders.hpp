#pragma once
// The shader table.

namespace Shaders {

// False only when the machine has no shader support at all.
bool init();
void reloadShaders();

} // namespace Shaders
