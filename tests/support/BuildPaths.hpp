#pragma once
// Where this build put what the tests read and run.  Only BuildPaths.cpp is
// told the paths, so every other test source compiles the same in any
// checkout and the compiler cache can share it between checkouts.

#include <string>

namespace test::built {

std::string runFolder();           // the game's run folder
std::string testsFolder();         // tests/ in the source tree
std::string contentFolder();       // content/ in the source tree
std::string fontsFolder();         // the system's TrueType fonts
std::string iconFont();            // the icon glyphs' font
std::string kelvaneTool();         // the built kelvane-tool
std::string makeGameContent();     // the built content generator
std::string makeEngineTextures();  // the built icon sheet and check boxes maker

} // namespace test::built
