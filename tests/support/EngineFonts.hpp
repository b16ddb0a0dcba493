#pragma once
// Loads the engine's fonts, icon sheet and textures from the built run
// folder, for tests that measure or draw text and widgets.

#include "engine/Icons.hpp"
#include "support/BuildPaths.hpp"
#include "engine/InternalTextures.hpp"
#include "engine/Text.hpp"
#include "support/TempFolder.hpp"

namespace test {

inline bool loadEngineFonts()
{
    if (Text::loaded())
        return true;
    ScopedWorkingDirectory inRunFolder{test::built::runFolder()};
    return Text::init();
}

// The icon sheet and the toolkit's textures (check boxes and the like) from
// the run folder, even when an icon was asked for elsewhere first and found
// none.  Tests that drop the textures again are free to.
inline void loadEngineArt()
{
    static bool iconsLoaded = false;
    ScopedWorkingDirectory inRunFolder{test::built::runFolder()};
    if (!iconsLoaded)
        Icons::loadIcons();
    iconsLoaded = true;
    if (!InternalTextures::loaded())
        InternalTextures::loadTextures();
}

} // namespace test
