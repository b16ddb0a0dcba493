#include "support/BuildPaths.hpp"

namespace test::built {

std::string runFolder() { return KV_RUN_FOLDER; }
std::string testsFolder() { return KV_TESTS_DIR; }
std::string contentFolder() { return KV_CONTENT_DIR; }
std::string fontsFolder() { return KV_FONTS_DIR; }
std::string iconFont() { return KV_ICON_FONT; }
std::string kelvaneTool() { return KV_KELVANE_TOOL; }
std::string makeGameContent() { return KV_MAKE_GAME_CONTENT; }
std::string makeEngineTextures() { return KV_MAKE_ENGINE_TEXTURES; }

} // namespace test::built
