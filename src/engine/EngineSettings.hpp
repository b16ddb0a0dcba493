#pragma once
// The engine settings, kept in "zavi3.ini" in the working directory.

#include <cstdint>
#include <string>

namespace KVCore {

struct EngineSettings {
    int version = 0;
    int width = 0;
    int height = 0;
    int bpp = 32;
    bool window = false;
    int antialiasingLevel = 8;
    int fpsLimit = 60;
    bool vsyncEnabled = true;
    bool displayFPS = false;
    int emulatedWidth = 0;
    int emulatedHeight = 0;
    int globalVolume = 100;
    int soundVolume = 70;
    int musicVolume = 25;
    float soundAttenuation = 0.01f;
    bool muteInactiveWindow = true;
    std::string musicLoadPath;
    std::uint8_t hintsAlpha = 192;
    bool flatButtons = false;
};

const char* const settingsFileName = "zavi3.ini";

EngineSettings& settings();
// Whether the last loadSettings found the file.
bool settingsFileExisted();

void loadSettings(const std::string& path = settingsFileName);
bool saveSettings(const std::string& path = settingsFileName);

} // namespace KVCore
