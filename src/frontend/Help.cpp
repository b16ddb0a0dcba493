#include "frontend/Help.hpp"

#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Button.hpp"
#include "gui/Component.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/Form.hpp"
#include "gui/TextMemo.hpp"
#include "platform/FileSystem.hpp"
#include "storage/AssetPaths.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace Frontend {
namespace {

constexpr const char* caption = "Kelvane Help";
constexpr float margin = 10.f;
// Wider than this the lines of the text would only leave the view empty.
constexpr float maxWidth = 800.f;
// A help text is a few pages; anything bigger is not one.
constexpr std::uint64_t maxHelpBytes = 1u << 20;

struct Layout {
    sf::FloatRect form;
    sf::FloatRect text;
    sf::Vector2f button;
};

Layout layoutFor(sf::Vector2f view, sf::Vector2f buttonSize)
{
    const float width = std::floor(std::min(view.x - 2.f * margin, maxWidth));
    const float height = std::floor(view.y - 2.f * margin);
    const sf::Vector2f at = kv::centredInView({width, height});
    Layout l;
    l.form = {at.x, at.y, width, height};
    const float textTop = at.y + kv::Form::titleBarHeight() + margin;
    const float buttonTop = at.y + height - margin - buttonSize.y;
    l.text = {at.x + margin, textTop, width - 2.f * margin, std::max(0.f, buttonTop - margin - textTop)};
    l.button = {std::floor(at.x + (width - buttonSize.x) / 2.f), buttonTop};
    return l;
}

void makeDoneButton(kv::Button& done) { kv::makeAffirmativeButton(done, "Done", {}, kv::okCancelWidth()); }

// The whole file with its line ends made plain; nothing when it cannot be
// read or is too big to be a help text.
std::optional<std::string> readHelpText(const std::string& path)
{
    const platform::FileHandle file = platform::openFile(path, "rb");
    if (!file)
        return std::nullopt;
    const std::optional<std::uint64_t> size = platform::regularFileSize(file.get());
    if (!size || *size > maxHelpBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return std::nullopt;
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    return bytes;
}

std::int32_t lineStart(const std::string& text, std::int32_t line)
{
    std::size_t at = 0;
    for (std::int32_t i = 0; i < line; ++i) {
        const std::size_t next = text.find('\n', at);
        if (next == std::string::npos)
            break;
        at = next + 1;
    }
    return static_cast<std::int32_t>(at);
}

// The view moves by whole lines: the caret, which is never shown, goes to
// the line that has to come into view and the memo follows it.
void scrollKeys(kv::TextMemo& memo)
{
    if (!KVCore::tickFlag() || !KVCore::window().hasFocus())
        return;
    const std::int32_t top = memo.topLine(), rows = memo.visibleLines(), last = memo.lineCount() - 1;
    std::optional<std::int32_t> line;
    if (Keyboard::keyHit(sf::Keyboard::Down))
        line = top + rows;
    else if (Keyboard::keyHit(sf::Keyboard::Up))
        line = top - 1;
    else if (Keyboard::keyHit(sf::Keyboard::PageDown))
        line = top + 2 * rows - 1;
    else if (Keyboard::keyHit(sf::Keyboard::PageUp))
        line = top - rows;
    else if (Keyboard::keyHit(sf::Keyboard::Home))
        line = 0;
    else if (Keyboard::keyHit(sf::Keyboard::End))
        line = last;
    if (!line)
        return;
    memo.cursor = memo.anchor = lineStart(memo.text, std::clamp(*line, 0, std::max(0, last)));
    memo.selectionStart = memo.cursor;
    memo.selectionLength = 0;
}

struct Caret {
    std::int32_t cursor, anchor, selectionStart, selectionLength;
};

// The memo is an editor; a click gives it the keyboard and typing changes
// its text.  Whatever was changed is put back and the keyboard taken away.
void keepReadOnly(kv::TextMemo& memo, const std::string& text, const Caret& before)
{
    if (memo.text != text) {
        memo.text = text;
        memo.cursor = before.cursor;
        memo.anchor = before.anchor;
        memo.selectionStart = before.selectionStart;
        memo.selectionLength = before.selectionLength;
        memo.setSize(memo.getSize());
    }
    if (kv::focusedId() == memo.id)
        kv::setFocusedId(-1);
}

} // namespace

sf::FloatRect helpTextFrame(sf::Vector2f view)
{
    kv::Button done;
    makeDoneButton(done);
    return layoutFor(view, done.getSize()).text;
}

void showHelp()
{
    const std::optional<std::string> text = readHelpText(resolvedAssetPath("help.txt"));
    if (!text)
        return;

    kv::ModalLoop loop(caption);
    kv::waitOutOpeningKeys();
    kv::Button done;
    makeDoneButton(done);
    const Layout layout = layoutFor(KVCore::viewSize(), done.getSize());
    done.setPosition(layout.button);
    kv::Form form;
    form.create(caption, {layout.form.left, layout.form.top}, {layout.form.width, layout.form.height});
    kv::TextMemo memo;
    memo.create({layout.text.left, layout.text.top}, {layout.text.width, layout.text.height}, *text);
    kv::setFocusedId(-1);
    loop.setText(memo.text);

    while (loop.beginPass()) {
        form.update();
        // Before the text: Return is the button's.
        done.update();
        scrollKeys(memo);
        const Caret before{memo.cursor, memo.anchor, memo.selectionStart, memo.selectionLength};
        memo.update();
        keepReadOnly(memo, *text, before);
        form.draw();
        memo.draw();
        done.draw();
        if (done.clicked)
            loop.finish();
        loop.setText(memo.text);
        loop.endPass();
    }
}

} // namespace Frontend
