#pragma once
// Loads the engine's fonts from the built run folder, for tests that measure
// or draw text.  Fonts stay loaded for the rest of the test program.

#include "engine/Text.hpp"
#include "support/TempFolder.hpp"

namespace test {

inline bool loadEngineFonts()
{
    if (Text::loaded())
        return true;
    ScopedWorkingDirectory inRunFolder{KV_RUN_FOLDER};
    return Text::init();
}

} // namespace test
