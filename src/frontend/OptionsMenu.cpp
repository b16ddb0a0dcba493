#include "frontend/OptionsMenu.hpp"

#include "audio/AudioPanel.hpp"
#include "frontend/DeleteMenu.hpp"
#include "frontend/MenuScreen.hpp"
#include "gui/DisplayModeDialog.hpp"

namespace Frontend {
namespace {

enum OptionsRow { AudioPanelRow, VideoOptionsRow, DeleteRow, BackRow };

} // namespace

void runOptionsMenu(const sf::Texture& background)
{
    MenuList list;
    list.setTitle("Options", "", "");
    list.addRow("Audio Panel", 144);
    list.addRow("Video Options", 167);
    list.addRow("Delete Saved Game", 24);
    list.addRow("Back", 3, "Go back");
    for (;;) {
        switch (runMenu(list, background)) {
        case AudioPanelRow: Audio::runAudioPanel(); break;
        case VideoOptionsRow: kv::showVideoOptions(); break;
        case DeleteRow: runDeleteMenu(background); break;
        default: return;
        }
    }
}

} // namespace Frontend
