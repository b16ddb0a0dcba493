#include "engine/AppInfo.hpp"
#include "engine/KVCore.hpp"
#include "frontend/MainMenu.hpp"
#include "game/GameResources.hpp"
#include "gui/GuiDemo.hpp"
#include "platform/MessageBox.hpp"
#include "storage/AssetPaths.hpp"

#include <cstdlib>
#include <ctime>
#include <string_view>

int main(int argc, char** argv)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    KVCore::AppInfo& app = KVCore::appInfo();
    app.appName = "Kelvane";
    app.appVersion = "1.3";
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
    // A hidden switch for looking at the toolkit; no menu leads there.
    bool guiDemo = false;
    for (int i = 1; i < argc; ++i)
        guiDemo = guiDemo || std::string_view(argv[i]) == "--gui-demo";
    if (guiDemo)
        kv::runGuiDemo();
    else
        Frontend::runMainMenu();
    Game::gameShutdown();
    return 0;
}
