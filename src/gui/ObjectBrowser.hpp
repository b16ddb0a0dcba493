#pragma once
// The engine's paged picture chooser: a screen of pictures laid out in rows
// and pages under a toolbar (Cancel, Prev Page, Next Page, Zoom In, Zoom
// Out).  Hovering a picture outlines it in yellow and shows its caption; a
// left click chooses it, a right click offers Select, Edit (when allowed)
// and Cancel.  The tile picker is built on it.
//
// The rules (layout, paging, zoom, the wheel, what is under the mouse) work
// without a window, so tests call them directly; run() is the screen.

#include "gui/Scrollbar.hpp"
#include "gui/Toolbar.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

class ObjectBrowser {
public:
    static constexpr float minimumScale = 0.5f;
    static constexpr float maximumScale = 20.f;
    static constexpr float scaleStep = 0.5f;
    // The entry the browser starts at is outlined in this.
    static inline const sf::Color startMark{0, 255, 0, 255};
    static inline const sf::Color hoverOutline{255, 255, 0, 255};

    struct Entry {
        sf::Sprite sprite;  // may have no texture: nothing is drawn then
        std::string caption;
        sf::Vector2f size;  // the picture's pixels, before scaling
        sf::Vector2f position;  // on its page, set by the layout
        sf::Color mark = sf::Color::Transparent;
    };

    struct Choice {
        std::int32_t index = -1;
        bool edit = false;
    };

    // Starts empty, at scale 1, on the first page.
    void create(const std::string& title, bool allowEdit);
    void addEntry(const sf::Sprite& sprite, const std::string& caption, sf::Vector2f size);
    // The entry the browser opens at: marked, and its page shown.  An index
    // outside the list marks nothing and opens the first page.
    void setStart(std::int32_t index);
    // Hints read "caption (n of count)" instead of the caption alone.
    bool numberedHints = false;

    // Runs the screen until an entry is chosen (index -1: cancelled).
    Choice run();

    // Pages for a view of this size at the current scale; the page that
    // holds the start entry is shown.
    void layout(sf::Vector2f view);
    void previousPage();
    void nextPage();
    // Both lay the pages out again and show the first page when the scale
    // changes.
    void zoomIn();
    void zoomOut();
    // One tick of the wheel: a turn away from the user goes a page back
    // (with left Control: zooms in), towards the user a page on (zooms out).
    void wheel(float delta, bool control);
    // The entry of the shown page under a view point, or -1.
    std::int32_t entryAt(sf::Vector2i point) const;
    // Where an entry's picture is drawn in the view.
    sf::FloatRect screenRect(std::int32_t index) const;

    std::string heading() const;
    std::string hintText(std::int32_t index) const;

    const std::vector<Entry>& entries() const { return entries_; }
    const std::vector<std::int32_t>& pageStarts() const { return pageStarts_; }
    std::int32_t pageCount() const { return static_cast<std::int32_t>(pageStarts_.size()); }
    std::int32_t page() const { return page_; }
    std::int32_t pageOf(std::int32_t index) const;
    float scale() const { return scale_; }
    bool hasScrollbar() const { return pageCount() >= 2; }
    const Scrollbar& scrollbar() const { return scrollbar_; }
    // Where the pictures start below the toolbar.
    static float contentTop();

private:
    void buildToolbar(sf::Vector2f view);
    void changeScale(float scale);
    void drawPage(std::int32_t hovered);
    std::optional<Choice> offerMenu(std::int32_t index);

    std::string title_;
    bool allowEdit_ = false;
    std::vector<Entry> entries_;
    std::int32_t start_ = -1;
    std::vector<std::int32_t> pageStarts_{0};
    std::int32_t page_ = 0;
    float scale_ = 1.f;
    float lastWheel_ = 0.f;
    sf::Vector2f view_;
    Toolbar toolbar_;
    Scrollbar scrollbar_;
    std::string hintKey_;
};

} // namespace kv
