#include "engine/EngineSettings.hpp"

#include "platform/FileSystem.hpp"
#include "storage/IniFile.hpp"

#include <algorithm>

namespace KVCore {
namespace {

// Read once by KVCore::init, written back by KVCore::shutdown; the display
// code and the audio module keep it up to date in between.
struct SettingsState {
    EngineSettings values;
    bool fileExisted = false;
};
SettingsState state;

const char* const videoComment =
    "Set either width or height to 0 to use detected desktop resolution.\n"
    "Any other width and height must be at least 640x480 respectively.\n"
    "bpp should be always be 32.\n"
    "Disabling the fps limiter (value 0) and vsync will run at full fps causing excessive GPU usage (NOT RECOMMENDED).\n"
    "Set displayFPS to true to always show an FPS counter.\n"
    "If emulatedWidth and emulatedWidth are both non-zero then the screen will be scaled to fit that virtual "
    "resolution without changing the actual video mode.\n"
    "Emulation deals with aspect automatically and can be any resolution provided that the emulatedWidth and "
    "emulatedHeight are at least 640x480 respectively.";
const char* const audioComment = "globalVolume, soundVolume and musicVolume range from 0 to 100.";
const char* const uiComment = "hintAlpha ranges from 0 to 255.";

constexpr std::uint8_t defaultHintsAlpha = 192;
constexpr float defaultAttenuation = 0.01f;
// Beyond this the emulated screen's layers no longer fit a texture.
constexpr int maxEmulatedSide = 4096;

int clampedVolume(int volume) { return std::clamp(volume, 0, 100); }

} // namespace

EngineSettings& settings() { return state.values; }
bool settingsFileExisted() { return state.fileExisted; }

void loadSettings(const std::string& path)
{
    state.fileExisted = platform::fileExists(path);
    IniFile ini;
    ini.load(path);
    const EngineSettings defaults;
    EngineSettings& s = state.values;

    ini.selectSection("info");
    s.version = ini.getInt("version", 0);

    ini.selectSection("video");
    s.width = ini.getInt("width", defaults.width);
    s.height = ini.getInt("height", defaults.height);
    s.bpp = ini.getInt("bpp", defaults.bpp);
    s.window = ini.getBool("window", defaults.window);
    s.antialiasingLevel = ini.getInt("antialiasingLevel", defaults.antialiasingLevel);
    s.fpsLimit = ini.getInt("fpsLimit", defaults.fpsLimit);
    s.vsyncEnabled = ini.getBool("vsyncEnabled", defaults.vsyncEnabled);
    s.displayFPS = ini.getBool("displayFPS", defaults.displayFPS);
    s.emulatedWidth = ini.getInt("emulatedWidth", defaults.emulatedWidth);
    s.emulatedHeight = ini.getInt("emulatedHeight", defaults.emulatedHeight);

    ini.selectSection("audio");
    s.globalVolume = ini.getInt("globalVolume", defaults.globalVolume);
    s.soundVolume = ini.getInt("soundVolume", defaults.soundVolume);
    s.musicVolume = ini.getInt("musicVolume", defaults.musicVolume);
    s.soundAttenuation = ini.getFloat("soundAttenuation", defaults.soundAttenuation);
    s.muteInactiveWindow = ini.getFloat("muteInactiveWindow", 1.0f) != 0.0f;
    s.musicLoadPath = ini.getString("musicLoadPath", defaults.musicLoadPath);

    ini.selectSection("ui");
    s.hintsAlpha = static_cast<std::uint8_t>(ini.getInt("hintsAlpha", defaultHintsAlpha) & 0xff);
    s.flatButtons = ini.getBool("flatButtons", defaults.flatButtons);

    // Files from before the version key kept a hint alpha that made hints
    // unreadable; they get the default back.
    if (s.version == 0)
        s.hintsAlpha = defaultHintsAlpha;
    if (!(s.soundAttenuation > 0.0f && s.soundAttenuation < 1.0f))
        s.soundAttenuation = defaultAttenuation;
    // A hand-edited file may hold any number; what the display and the
    // audio code are given stays within what they can use.
    if (s.width < 0 || s.height < 0)
        s.width = s.height = 0;
    if (s.emulatedWidth < 0 || s.emulatedWidth > maxEmulatedSide || s.emulatedHeight < 0 ||
        s.emulatedHeight > maxEmulatedSide)
        s.emulatedWidth = s.emulatedHeight = 0;
    s.globalVolume = clampedVolume(s.globalVolume);
    s.soundVolume = clampedVolume(s.soundVolume);
    s.musicVolume = clampedVolume(s.musicVolume);
}

bool saveSettings(const std::string& path)
{
    const EngineSettings& s = state.values;
    IniFile ini;

    ini.selectSection("info");
    ini.setInt("version", 1);

    ini.selectSection("video");
    ini.setComment(videoComment);
    ini.setInt("width", s.width);
    ini.setInt("height", s.height);
    ini.setInt("bpp", s.bpp);
    ini.setBool("window", s.window);
    ini.setInt("antialiasingLevel", s.antialiasingLevel);
    ini.setInt("fpsLimit", s.fpsLimit);
    ini.setBool("vsyncEnabled", s.vsyncEnabled);
    ini.setBool("displayFPS", s.displayFPS);
    ini.setInt("emulatedWidth", s.emulatedWidth);
    ini.setInt("emulatedHeight", s.emulatedHeight);

    ini.selectSection("audio");
    ini.setComment(audioComment);
    ini.setInt("globalVolume", s.globalVolume);
    ini.setInt("soundVolume", s.soundVolume);
    ini.setInt("musicVolume", s.musicVolume);
    ini.setFloat("soundAttenuation", s.soundAttenuation);
    ini.setFloat("muteInactiveWindow", s.muteInactiveWindow ? 1.0f : 0.0f);
    ini.setString("musicLoadPath", s.musicLoadPath);

    ini.selectSection("ui");
    ini.setComment(uiComment);
    ini.setInt("hintsAlpha", s.hintsAlpha);
    ini.setBool("flatButtons", s.flatButtons);

    return ini.save(path);
}

} // namespace KVCore
