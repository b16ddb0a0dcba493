#include "engine/AppInfo.hpp"
#include "engine/EventPoller.hpp"
#include "engine/KVCore.hpp"
#include "frontend/MainMenu.hpp"
#include "frontend/MenuScreen.hpp"
#include "game/GameResources.hpp"
#include "gui/GuiDemo.hpp"
#include "platform/Memory.hpp"
#include "platform/MessageBox.hpp"
#include "platform/Roots.hpp"
#include "storage/AssetPaths.hpp"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr const char* usage =
    "Usage: kelvane [-base FOLDER]\n"
    "       kelvane --help | --version\n"
    "\n"
    "Kelvane is a top-down arcade game about mowing lawns against the clock.\n"
    "\n"
    "  -base FOLDER  play the game data in FOLDER (a mod) instead of base/\n"
    "  --help        print this help and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "Installed, the game reads its data from share/kelvane beside its bin/ folder and keeps\n"
    "settings (zavi3.ini, kelvane.ini), saved games, screenshots and edited files in\n"
    "$XDG_DATA_HOME/kelvane (~/.local/share/kelvane when XDG_DATA_HOME is unset), where they\n"
    "also stand in for the shipped files of the same name.  Started in a folder holding\n"
    "zavi3/ (or from one), it reads and writes that folder instead.\n";

// The informational switches, answered before anything else is touched.
// Other arguments the game does not know are ignored.
bool answeredInformationSwitch(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::cout << usage;
            return true;
        }
        if (arg == "--version") {
            std::cout << "Kelvane " KELVANE_VERSION "\n";
            return true;
        }
    }
    return false;
}

bool hasSwitch(int argc, char** argv, std::string_view name)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i] == name)
            return true;
    return false;
}

// For timing the start from outside: the menu's second frame begins once
// its first has been shown, which is said on standard output, and the
// program ends there without taking anything down.
void quitAfterFirstMenuFrame()
{
    Frontend::setMenuFrameHook([framesBegun = 0](const Frontend::MenuList&) mutable {
        if (++framesBegun < 2)
            return;
        std::cout << "first frame shown" << std::endl;
        std::_Exit(0);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (answeredInformationSwitch(argc, argv))
        return std::cout.flush() ? 0 : 1;
    platform::returnLargeBlocksWhenFreed();
    if (const std::string problem = platform::setUpRoots(platform::WorkingFolder::MoveToUserFolder);
        !problem.empty()) {
        platform::showMessageBox(problem, "Error", platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::None);
        return 1;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    KVCore::AppInfo& app = KVCore::appInfo();
    app.appName = "Kelvane";
    app.appVersion = KELVANE_VERSION;
    app.appCopyright = "Copyright (c) 2026 the Kelvane developers";
    app.appWebsite = "https://kelvane.invalid/";

    scanModFolderArgument(argc, argv);

    if (!KVCore::init()) {
        platform::showMessageBox("KVCore::init failed.", "Error", platform::MessageBoxButtons::Ok,
                                 platform::MessageBoxIcon::None);
        return 1;
    }
    // A failed start-up has already shut the core down and said why.
    if (!Game::gameStartup())
        return 1;
    // Closing the window ends the program from inside the frame loop; the
    // editors' folders are kept as on a normal exit.
    KVCore::setExitHandler([](int code) {
        Game::saveOtherPaths();
        std::exit(code);
    });
    // Hidden switches: the toolkit to look at, and the start-up timing of
    // the benchmark; no menu leads to either.
    if (hasSwitch(argc, argv, "--first-frame-then-quit"))
        quitAfterFirstMenuFrame();
    if (hasSwitch(argc, argv, "--gui-demo"))
        kv::runGuiDemo();
    else
        Frontend::runMainMenu();
    Game::gameShutdown();
    return 0;
}
