#pragma once
// The four texts naming the program, set once by the entry point and read by
// the window title, the close confirmation and the credits.

#include <string>

namespace KVCore {

struct AppInfo {
    std::string appName = "My app";
    std::string appVersion = "0.0";
    std::string appCopyright;
    std::string appWebsite = "https://example.invalid/";
};

AppInfo& appInfo();

// How the engine names itself where a program credits it.
inline constexpr const char* engineBanner = "ZAVI3 game engine";

} // namespace KVCore
