#include "gui/DisplayModeDialog.hpp"

#include "engine/Display.hpp"
#include "engine/Log.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Button.hpp"
#include "gui/CheckBox.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/Form.hpp"
#include "gui/ListBox.hpp"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

constexpr float width = 440.f;
constexpr float margin = 10.f;
constexpr std::int32_t rows = 10;

} // namespace

DisplayModeList listDisplayModes(const std::vector<sf::VideoMode>& modes, sf::VideoMode desktop,
                                 sf::Vector2u windowSize)
{
    DisplayModeList list;
    std::int32_t desktopLine = -1;
    for (const sf::VideoMode& mode : modes) {
        const bool repeated = std::any_of(list.modes.begin(), list.modes.end(), [&](const sf::VideoMode& m) {
            return m.width == mode.width && m.height == mode.height;
        });
        if (repeated)
            continue;
        list.modes.push_back(mode);
        const auto line = static_cast<std::int32_t>(list.lines.size());
        std::string text = std::to_string(mode.width) + " x " + std::to_string(mode.height);
        if (mode.width == desktop.width && mode.height == desktop.height) {
            text += " (current desktop resolution)";
            if (desktopLine < 0)
                desktopLine = line;
        }
        if (list.selected < 0 && mode.width == windowSize.x && mode.height == windowSize.y)
            list.selected = line;
        list.lines.push_back(std::move(text));
    }
    if (list.selected < 0)
        list.selected = desktopLine >= 0 ? desktopLine : (list.lines.empty() ? -1 : 0);
    return list;
}

bool selectDisplayMode(DisplayModeChoice& choice)
{
    KVCore::WindowBackend& window = KVCore::window();
    const DisplayModeList list = listDisplayModes(window.fullscreenModes(), window.desktopMode(), window.size());
    const std::vector<sf::VideoMode>& modes = list.modes;

    ModalLoop loop("Select Display Mode");
    waitOutOpeningKeys();

    Button ok, cancel;
    makeAffirmativeButton(ok, "Ok", {}, okCancelWidth());
    makeNegativeButton(cancel, "Cancel", cancelIcon, {}, okCancelWidth());
    const float th = Form::titleBarHeight();
    const float listHeight = rows * ListBox::lineHeight() + 4.f;
    const float checkHeight = standardLineSpacing18();
    const sf::Vector2f size(width, th + margin + listHeight + margin + checkHeight + margin + ok.getHeight() + margin);
    const sf::Vector2f at = centredInView(size);

    Form form;
    form.create("Select Display Mode", at, size);
    ListBox modeList;
    modeList.create({at.x + margin, at.y + th + margin}, rows, width - 2.f * margin);
    for (const std::string& line : list.lines)
        modeList.addItem(line);
    modeList.selection = list.selected;
    // Start with the selected line in view.
    if (list.selected >= rows)
        modeList.top = std::min(list.selected, modeList.count() - rows);
    setFocusedId(modeList.id);

    const float checkTop = modeList.getPosition().y + modeList.getHeight() + margin;
    CheckBox windowBox;
    windowBox.create("Window", at.x + margin, checkTop);
    windowBox.setChecked(KVCore::isWindowed());
    const float buttonTop = at.y + size.y - margin - ok.getHeight();
    cancel.setPosition({at.x + size.x - margin - cancel.getWidth(), buttonTop});
    ok.setPosition({cancel.getPosition().x - margin - ok.getWidth(), buttonTop});

    bool answer = false;
    while (loop.beginPass()) {
        form.update();
        form.draw();
        modeList.update();
        modeList.draw();
        windowBox.update();
        ok.update();
        ok.draw();
        cancel.update();
        cancel.draw();
        const std::int32_t selected = modeList.selection;
        if (ok.clicked && selected >= 0 && selected < static_cast<std::int32_t>(modes.size())) {
            const sf::VideoMode& mode = modes[static_cast<std::size_t>(selected)];
            if (mode.width < KVCore::minimumWidth || mode.height < KVCore::minimumHeight) {
                showMessage("Unsupported resolution.  Resolution must be at least 640 x 480.");
            } else {
                choice = {mode.width, mode.height, windowBox.isChecked()};
                answer = true;
                loop.finish();
            }
        } else if (cancel.clicked) {
            loop.finish();
        }
        loop.endPass();
    }
    return answer;
}

bool showVideoOptions()
{
    const bool emulating = KVCore::emulationActive();
    const sf::Vector2f emulated = KVCore::emulatedSize();
    DisplayModeChoice choice{1024, 768, false};
    if (!selectDisplayMode(choice))
        return false;
    KVCore::createWindow(choice.width, choice.height, 32, choice.windowed);
    if (emulating)
        KVCore::emulateResolution(static_cast<unsigned>(emulated.x), static_cast<unsigned>(emulated.y), false);
    KVCore::placeMessageAnchor();
    return true;
}

} // namespace kv
