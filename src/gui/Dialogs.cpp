#include "gui/Dialogs.hpp"

#include "engine/Display.hpp"
#include "gui/Button.hpp"
#include "gui/Dialog.hpp"
#include "gui/Form.hpp"
#include "gui/ListBox.hpp"
#include "gui/TextBox.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <cmath>

namespace kv {
namespace {

constexpr int keyReturn = sf::Keyboard::Return;
constexpr int keyEscape = sf::Keyboard::Escape;

constexpr float boxMaxWidth = 950.f;
constexpr float boxWidthShare = 0.8f;
constexpr float boxButtonHeight = 38.f;
constexpr float buttonGap = 16.f;
constexpr float margin = 10.f;
constexpr float inputMinWidth = 420.f;

// Two buttons side by side, centred on a point's x, top at its y.
void placePair(Button& left, Button& right, sf::Vector2f centreTop)
{
    const float total = left.getWidth() + buttonGap + right.getWidth();
    const float x = std::floor(centreTop.x - total * 0.5f);
    left.setPosition({x, centreTop.y});
    right.setPosition({x + left.getWidth() + buttonGap, centreTop.y});
}

// The message and confirm boxes: the text wrapped in a list box over one
// or two buttons.  Returns true for the affirmative answer.
bool runTextBox(const std::string& title, const std::string& text, bool question)
{
    const float ls = standardLineSpacing18();
    const sf::Vector2f view = KVCore::viewSize();
    const sf::Vector2f size(std::floor(std::min(view.x * boxWidthShare, boxMaxWidth)), std::floor(ls * 8.f));
    const sf::Vector2f at = centredInView(size);

    ModalLoop loop(title);
    loop.setText(text);
    // A confirmation is often asked for by Escape itself; that press must not
    // answer it.
    if (question)
        waitOutKey(keyEscape);
    else
        waitOutOpeningKeys();

    Form form;
    form.create(title, at, size);
    const float buttonWidth = standardTextWidth("00000000") + 32.f;
    const float buttonTop = std::floor(at.y + size.y - ls * 0.25f - boxButtonHeight);
    const float listTop = at.y + Form::titleBarHeight() + 5.f;
    const auto rows = std::max<std::int32_t>(
        1, static_cast<std::int32_t>((buttonTop - 5.f - listTop) / ListBox::lineHeight()));
    ListBox list;
    list.create({at.x + 5.f, listTop}, rows, size.x - 10.f);
    list.selectable = false;
    list.setText(text);
    setFocusedId(list.id);

    Button yes, no;
    makeAffirmativeButton(yes, question ? "Yes" : "OK", {}, buttonWidth, boxButtonHeight);
    if (question) {
        makeNegativeButton(no, "No", noIcon, {}, buttonWidth, boxButtonHeight);
        placePair(yes, no, {at.x + size.x * 0.5f, buttonTop});
    } else {
        yes.setPosition({std::floor(at.x + (size.x - buttonWidth) * 0.5f), buttonTop});
    }

    bool answer = false;
    while (loop.beginPass()) {
        form.update();
        form.draw();
        list.update();
        list.draw();
        yes.update();
        yes.draw();
        if (question) {
            no.update();
            no.draw();
        }
        if (yes.clicked) {
            answer = true;
            loop.finish();
        } else if (question && no.clicked) {
            loop.finish();
        }
        loop.endPass();
    }
    if (question)
        waitOutKey(answer ? keyReturn : keyEscape);
    return answer;
}

} // namespace

void makeAffirmativeButton(Button& button, const std::string& text, sf::Vector2f position, float width, float height)
{
    button.create(text, okIcon, position, keyReturn);
    button.setTextButton(width, height);
}

void makeNegativeButton(Button& button, const std::string& text, int icon, sf::Vector2f position, float width,
                        float height)
{
    button.create(text, icon, position, keyEscape);
    button.setTextButton(width, height);
}

float okCancelWidth() { return standardTextWidth("000000") + 64.f; }

void showMessage(const std::string& text)
{
    // Also on standard error, where a player who started the game from a
    // terminal can read it after the window has gone.
    std::cerr << "Message: " << text << '\n';
    runTextBox("Message", text, false);
}

bool confirm(const std::string& text) { return runTextBox("Confirm", text, true); }

bool inputText(std::string& text, std::int32_t maxLength, const std::string& prompt, bool numericOnly)
{
    const sf::Vector2f view = KVCore::viewSize();
    const float th = Form::titleBarHeight();
    const float width =
        std::floor(std::min(std::max(inputMinWidth, standardTextWidth(prompt) + 2.f * margin), view.x - 2.f * margin));

    ModalLoop loop(prompt);
    waitOutOpeningKeys();

    Button ok, cancel;
    makeAffirmativeButton(ok, "Ok", {}, okCancelWidth());
    makeNegativeButton(cancel, "Cancel", cancelIcon, {}, okCancelWidth());
    const sf::Vector2f size(width, th + margin + TextBox::boxHeight() + margin + ok.getHeight() + margin);
    const sf::Vector2f at = centredInView(size);

    Form form;
    form.create(prompt, at, size);
    TextBox box;
    box.create(text, {at.x + margin, at.y + th + margin}, width - 2.f * margin, maxLength);
    box.numericOnly = numericOnly;
    setFocusedId(box.id);
    placePair(ok, cancel, {at.x + width * 0.5f, at.y + th + margin + TextBox::boxHeight() + margin});

    bool answer = false;
    while (loop.beginPass()) {
        form.update();
        form.draw();
        box.update();
        box.draw();
        ok.update();
        ok.draw();
        cancel.update();
        cancel.draw();
        if (ok.clicked) {
            text = box.text;
            answer = true;
            loop.finish();
        } else if (cancel.clicked) {
            loop.finish();
        }
        loop.endPass();
    }
    return answer;
}

std::optional<std::int32_t> parseWholeNumber(std::string_view text)
{
    std::int32_t n = 0;
    const char* end = text.data() + text.size();
    // from_chars takes no "+" and no blanks, and a lone "-" or "--5" is no
    // number; the whole text must be used.
    const auto [stop, error] = std::from_chars(text.data(), end, n, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return n;
}

bool inputInt(std::int32_t& value, std::int32_t minimum, std::int32_t maximum, const std::string& prompt)
{
    std::string text = std::to_string(value);
    const std::string fullPrompt =
        prompt + "(" + std::to_string(minimum) + " to " + std::to_string(maximum) + ")";
    if (!inputText(text, 6, fullPrompt, true))
        return false;
    const std::optional<std::int32_t> n = parseWholeNumber(text);
    if (!n || *n < minimum || *n > maximum) {
        showMessage("Input out of range!");
        return false;
    }
    value = *n;
    return true;
}

void errorReading(const std::string& path) { showMessage("Error reading \"" + path + "\""); }
void errorWriting(const std::string& path) { showMessage("Error writing \"" + path + "\""); }

} // namespace kv
