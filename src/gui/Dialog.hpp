#pragma once
// What the modal screens share: the picture of the screen they opened over,
// the loop they run over it, and kv::Dialog, the base of the dialogs that
// are kept as objects.
//
// A modal screen is a function with its own loop:
//
//     kv::ModalLoop loop("Message");
//     while (loop.beginPass()) {
//         ...update and draw the widgets, test their results...
//         if (answered) loop.finish();
//         loop.endPass();
//     }
//
// The caller's loop is suspended meanwhile, but every pass ends in
// KVCore::endFrame, so engine ticks, hints and window events go on.

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class Dialog {
public:
    virtual ~Dialog() = default;

    virtual void clear() = 0;
    virtual void update() = 0;
    virtual void draw() = 0;
    virtual sf::Vector2f getPosition() const = 0;
    virtual sf::Vector2f getSize() const = 0;
    virtual float getWidth() const = 0;
    virtual float getHeight() const = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual std::string getTitle() const = 0;
};

// The window's contents at the moment a modal screen opens, drawn as the
// background of each of its passes so the screen below seems to wait under
// it.  Without a real window (tests) there is no picture and frames begin
// plain.
class FrozenBackground {
public:
    // dimmed: cover the picture with translucent dark grey first (dialogs
    // do; popup menus do not).
    explicit FrozenBackground(bool dimmed);
    // No picture: frames start plain.
    FrozenBackground() = default;

    void beginFrame() const;
    bool hasPicture() const { return picture_ != nullptr; }

private:
    std::unique_ptr<sf::Texture> picture_;
};

// The dimming that dialogs lay over the screen below them.
inline constexpr unsigned char dimGrey = 47;
inline constexpr unsigned char dimAlpha = 192;

class ModalLoop {
public:
    // name: what tests see of this screen in the pass hook (a title).
    // A screen that draws off-screen (an editor) gets the window back for
    // the modal screen's duration.
    explicit ModalLoop(std::string name, bool dimmed = true);
    // For a screen that draws the whole window every frame (an editor):
    // nothing of the screen below is kept or drawn under it.
    struct WholeScreen {};
    ModalLoop(std::string name, WholeScreen);
    // The keyboard and the drawing targets go back to how they were.
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    // Starts a pass; false once the loop is finished or the window is gone.
    bool beginPass();
    // The frame composition and one engine tick (system cursor shown).
    void endPass();

    // The current pass is the last one.
    void finish() { finished_ = true; }
    bool finished() const { return finished_; }

    // A line of text the screen shows (a message box's message), passed on
    // to the test hook.
    void setText(std::string text) { text_ = std::move(text); }

private:
    ModalLoop(std::string name, std::optional<bool> dimmed);

    FrozenBackground background_;
    std::string name_;
    std::string text_;
    bool finished_ = false;
    std::int32_t previousFocus_;
    sf::RenderTarget* previousTarget_ = nullptr;
    sf::RenderTarget* previousGuiTarget_ = nullptr;
    bool previousDirectDraw_ = false;
    bool targetsSwitched_ = false;
};

// Empties this tick's pressed keys and typed text, then waits (at most half
// a second each) for the keys that may have opened the screen to come up, so
// one press does not act twice.
void waitOutOpeningKeys();
void waitOutKey(int key);

// Test seam: runs at the start of every pass of every modal screen, nested
// ones included, with the screen's name and text and its nesting depth (1
// for a screen opened from an ordinary one).  Tests feed input from it and
// close the window to stop a loop that would not end.
struct ModalPass {
    std::string_view name;
    std::string_view text;
    int depth = 0;
};
void setModalPassHook(std::function<void(const ModalPass&)> hook);

// The top-left corner that centres a box of this size in the current view.
sf::Vector2f centredInView(sf::Vector2f size);

// Width of a text in the standard font at the toolkit's 18 px (0 before
// the fonts are loaded).
float standardTextWidth(const std::string& text);
float standardLineSpacing18();

} // namespace kv
