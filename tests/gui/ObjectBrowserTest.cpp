// The paged picture chooser: rows and pages for a view, paging that wraps,
// zoom within its limits, the wheel, the start page, hover and the hint,
// and choosing with the left button or through Select, Edit and Cancel.
#include "engine/Display.hpp"
#include "gui/ModalDriver.hpp"
#include "gui/ObjectBrowser.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"
#include "support/Golden.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

class ObjectBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        top = kv::ObjectBrowser::contentTop();
    }

    // count entries of 32 by 32, as the tile picker has.
    void fill(int count, bool allowEdit = false)
    {
        browser.create("Select Tile", allowEdit);
        for (int i = 0; i < count; ++i)
            browser.addEntry(sf::Sprite(), "tile " + std::to_string(i), {32.f, 32.f});
    }

    // A view 1024 wide (30 pictures of 33 to a row) whose pages hold rows
    // rows of them.
    sf::Vector2f viewWithRows(int rows) const { return {1024.f, top + 33.f * static_cast<float>(rows - 1) + 32.f}; }

    static sf::Vector2i centreOf(const sf::FloatRect& r)
    {
        return {static_cast<int>(r.left + r.width / 2.f), static_cast<int>(r.top + r.height / 2.f)};
    }

    test::FakeWindowScope fake;
    kv::ObjectBrowser browser;
    float top = 0.f;
};

TEST_F(ObjectBrowserTest, PicturesFillRowsLeftOfTheBarAndPagesDownToTheViewsFoot)
{
    fill(1024);
    browser.layout(viewWithRows(6));
    const std::vector<std::int32_t> starts{0, 180, 360, 540, 720, 900};
    EXPECT_EQ(browser.pageStarts(), starts);
    EXPECT_EQ(browser.entries()[29].position, sf::Vector2f(29.f * 33.f, 0.f)) << "the last of a row";
    EXPECT_EQ(browser.entries()[30].position, sf::Vector2f(0.f, 33.f)) << "the next row";
    EXPECT_EQ(browser.entries()[181].position, sf::Vector2f(33.f, 0.f)) << "a page starts at the top again";
    EXPECT_EQ(browser.screenRect(31), sf::FloatRect(34.f, 33.f + top, 32.f, 32.f)) << "one unit in, under the toolbar";

    // One unit less and the sixth row no longer fits.
    browser.layout(viewWithRows(6) - sf::Vector2f(0.f, 1.f));
    EXPECT_EQ(browser.pageStarts()[1], 150);

    // A 31st picture needs its 32 units and the bar's 21 beyond 30 x 33.
    browser.layout({990.f + 32.f + 21.f, 600.f});
    EXPECT_EQ(browser.entries()[30].position, sf::Vector2f(990.f, 0.f));
    browser.layout({990.f + 32.f + 20.f, 600.f});
    EXPECT_EQ(browser.entries()[30].position, sf::Vector2f(0.f, 33.f));
}

TEST_F(ObjectBrowserTest, MixedSizesTakeTheTallestOfTheirRowAndATallOneGetsAPageOfItsOwn)
{
    browser.create("Sprites", false);
    browser.addEntry(sf::Sprite(), "low", {100.f, 10.f});
    browser.addEntry(sf::Sprite(), "high", {100.f, 50.f});
    browser.addEntry(sf::Sprite(), "next row", {100.f, 10.f});
    browser.addEntry(sf::Sprite(), "giant", {200.f, 5000.f});
    browser.addEntry(sf::Sprite(), "after", {100.f, 10.f});
    browser.layout({21.f + 250.f, 600.f});
    EXPECT_EQ(browser.entries()[1].position, sf::Vector2f(101.f, 0.f));
    EXPECT_EQ(browser.entries()[2].position, sf::Vector2f(0.f, 51.f)) << "below the taller of the first row";
    EXPECT_EQ(browser.entries()[3].position, sf::Vector2f(0.f, 0.f)) << "too wide for its row, too tall for its page";
    EXPECT_EQ(browser.pageStarts(), (std::vector<std::int32_t>{0, 3, 4}));

    browser.create("Sprites", false);
    browser.addEntry(sf::Sprite(), "giant", {200.f, 5000.f});
    browser.addEntry(sf::Sprite(), "after", {100.f, 10.f});
    browser.layout({21.f + 250.f, 600.f});
    EXPECT_EQ(browser.pageStarts(), (std::vector<std::int32_t>{0, 1})) << "no empty page before a giant";
}

TEST_F(ObjectBrowserTest, OpensOnThePageOfTheStartEntryAndMarksOnlyThatOne)
{
    fill(1024);
    browser.setStart(700);
    browser.layout(viewWithRows(6));
    EXPECT_EQ(browser.page(), 3);
    EXPECT_EQ(browser.heading(), "Select Tile (1024 objects) - Page 4 of 6 - Scale 1.00");
    EXPECT_EQ(browser.entries()[700].mark, kv::ObjectBrowser::startMark);
    EXPECT_EQ(browser.entries()[699].mark, sf::Color::Transparent);

    browser.setStart(5000);
    browser.layout(viewWithRows(6));
    EXPECT_EQ(browser.page(), 0) << "an index outside the list opens the first page";
    EXPECT_EQ(browser.entries()[700].mark, sf::Color::Transparent);
}

TEST_F(ObjectBrowserTest, PagingWrapsRoundBothEnds)
{
    fill(1024);
    browser.layout(viewWithRows(6));
    browser.previousPage();
    EXPECT_EQ(browser.page(), 5);
    browser.nextPage();
    EXPECT_EQ(browser.page(), 0);
    browser.nextPage();
    EXPECT_EQ(browser.page(), 1);
    EXPECT_TRUE(browser.hasScrollbar());
    EXPECT_EQ(browser.scrollbar().getMaximum(), 5);

    fill(10);
    browser.layout(viewWithRows(6));
    EXPECT_FALSE(browser.hasScrollbar()) << "one page needs no bar";
    browser.nextPage();
    EXPECT_EQ(browser.page(), 0);
}

TEST_F(ObjectBrowserTest, ZoomStaysWithinItsLimitsAndLaysThePagesOutAgainFromTheFirst)
{
    fill(1024);
    browser.layout(viewWithRows(6));
    browser.nextPage();
    browser.zoomIn();
    EXPECT_EQ(browser.scale(), 1.5f);
    EXPECT_EQ(browser.page(), 0);
    EXPECT_EQ(browser.entries()[1].position, sf::Vector2f(33.f * 1.5f, 0.f));
    EXPECT_GT(browser.pageCount(), 6);

    for (int i = 0; i < 50; ++i)
        browser.zoomIn();
    EXPECT_EQ(browser.scale(), kv::ObjectBrowser::maximumScale);
    EXPECT_EQ(browser.pageCount(), 1024) << "one picture a page at the largest scale";
    browser.nextPage();
    browser.zoomIn();
    EXPECT_EQ(browser.page(), 1) << "no change of scale, no new layout";

    for (int i = 0; i < 50; ++i)
        browser.zoomOut();
    EXPECT_EQ(browser.scale(), kv::ObjectBrowser::minimumScale);
    EXPECT_EQ(browser.pageCount(), 2);
}

TEST_F(ObjectBrowserTest, TheWheelPagesByItsChangeAndZoomsWithLeftControl)
{
    fill(1024);
    browser.layout(viewWithRows(6));
    browser.wheel(1.f, false);
    EXPECT_EQ(browser.page(), 5) << "away from the user: the page before";
    browser.wheel(0.f, false);
    browser.wheel(-1.f, false);
    EXPECT_EQ(browser.page(), 0) << "towards the user: the page after";
    browser.wheel(-1.f, false);
    EXPECT_EQ(browser.page(), 0) << "the same delta on the next tick is no new turn";
    browser.wheel(0.f, false);
    browser.wheel(-1.f, false);
    EXPECT_EQ(browser.page(), 1);

    browser.wheel(0.f, false);
    browser.wheel(1.f, true);
    EXPECT_EQ(browser.scale(), 1.5f);
    browser.wheel(0.f, true);
    browser.wheel(-1.f, true);
    EXPECT_EQ(browser.scale(), 1.f);
}

TEST_F(ObjectBrowserTest, OnlyPicturesOfTheShownPageAreUnderTheMouseEdgesIncluded)
{
    fill(1024);
    browser.layout(viewWithRows(6));
    const sf::FloatRect r = browser.screenRect(31);
    const int topEdge = static_cast<int>(std::ceil(r.top));
    EXPECT_EQ(browser.entryAt({static_cast<int>(r.left), topEdge}), 31);
    EXPECT_EQ(browser.entryAt({static_cast<int>(r.left + r.width), static_cast<int>(r.top + r.height)}), 31);
    EXPECT_EQ(browser.entryAt({0, topEdge}), -1) << "left of the first column";
    EXPECT_EQ(browser.entryAt({40, static_cast<int>(top) - 2}), -1) << "under the toolbar";
    browser.nextPage();
    EXPECT_EQ(browser.entryAt(centreOf(r)), 211) << "the same place on the next page";

    EXPECT_EQ(browser.hintText(211), "tile 211");
    browser.numberedHints = true;
    EXPECT_EQ(browser.hintText(211), "tile 211 (212 of 1024)");
}

TEST_F(ObjectBrowserTest, ALeftClickChoosesAndTheKeysPageAndCancel)
{
    fill(1024);
    test::ModalDriver driver(fake.window);
    browser.layout(KVCore::viewSize());
    const sf::FloatRect r = browser.screenRect(2);
    const int perPage = browser.pageStarts()[1];
    driver.press(sf::Keyboard::PageDown).then([&](test::FakeWindow& w) {
        w.mouse = centreOf(r);
        w.mouseButton(sf::Mouse::Left, true);
        w.mouseButton(sf::Mouse::Left, false);
    });
    const kv::ObjectBrowser::Choice choice = browser.run();
    EXPECT_EQ(choice.index, perPage + 2);
    EXPECT_FALSE(choice.edit);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Select Tile"});

    test::ModalDriver cancelling(fake.window);
    cancelling.press(sf::Keyboard::Escape);
    EXPECT_EQ(browser.run().index, -1);
    EXPECT_FALSE(cancelling.gaveUp);
}

// Pictures of a sheet, the last of two pages of them with the pointer
// resting on one, as kept beside this test: the bar beside them shows where
// the page lies.
TEST_F(ObjectBrowserTest, APageOfPicturesLooksAsStored)
{
    test::loadEngineArt();
    sf::Image sheet;
    sheet.create(32 * 8, 32);
    for (unsigned x = 0; x < sheet.getSize().x; ++x)
        for (unsigned y = 0; y < 32; ++y)
            sheet.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x), static_cast<sf::Uint8>(255 - x),
                                           static_cast<sf::Uint8>(y * 8)));
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(sheet));
    browser.create("Select Tile", true);
    for (int i = 0; i < 640; ++i)
        browser.addEntry(sf::Sprite(texture, {(i % 8) * 32, 0, 32, 32}), "tile " + std::to_string(i), {32.f, 32.f});
    browser.layout(KVCore::viewSize());
    ASSERT_EQ(browser.pageStarts().size(), 2u);
    const sf::Vector2i resting = centreOf(browser.screenRect(5));
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::PageDown)
        .then([resting](test::FakeWindow& w) { w.mouse = resting; })
        .idle(2)
        .press(sf::Keyboard::Escape);
    const sf::Image picture = test::drawnPicture({1024, 768}, sf::Color(58, 58, 58), [&] { browser.run(); });
    EXPECT_TRUE(test::matchesGoldenPicture(picture, test::goldenFolder("gui") /
                                                        "object-browser.png"));
}

class ObjectBrowserMenuTest : public ObjectBrowserTest {
protected:
    // Right-clicks picture 4 of the first page, then moves down the popup
    // and answers with Return.
    kv::ObjectBrowser::Choice chooseFromMenu(bool allowEdit, int downs, std::vector<std::string>& seen)
    {
        fill(1024, allowEdit);
        test::ModalDriver driver(fake.window);
        browser.layout(KVCore::viewSize());
        const sf::Vector2i at = centreOf(browser.screenRect(4));
        driver.then([at](test::FakeWindow& w) {
            w.mouse = at;
            w.mouseButton(sf::Mouse::Right, true);
            w.mouseButton(sf::Mouse::Right, false);
        });
        for (int i = 0; i < downs; ++i)
            driver.press(sf::Keyboard::Down);
        driver.press(sf::Keyboard::Return).press(sf::Keyboard::Escape);
        const kv::ObjectBrowser::Choice choice = browser.run();
        seen = driver.screens;
        return choice;
    }
};

TEST_F(ObjectBrowserMenuTest, SelectChoosesEditChoosesForEditingCancelGoesOnBrowsing)
{
    std::vector<std::string> seen;
    kv::ObjectBrowser::Choice c = chooseFromMenu(true, 0, seen);
    EXPECT_EQ(c.index, 4);
    EXPECT_FALSE(c.edit);
    EXPECT_EQ(seen, (std::vector<std::string>{"Select Tile", "PopupMenu"}));

    c = chooseFromMenu(true, 1, seen);
    EXPECT_EQ(c.index, 4);
    EXPECT_TRUE(c.edit);

    c = chooseFromMenu(true, 2, seen);
    EXPECT_EQ(c.index, -1) << "Cancel leaves the browser open; Escape then cancels it";
    EXPECT_EQ(seen, (std::vector<std::string>{"Select Tile", "PopupMenu", "Select Tile"}));
}

TEST_F(ObjectBrowserMenuTest, WithoutEditTheSecondEntryIsCancel)
{
    std::vector<std::string> seen;
    const kv::ObjectBrowser::Choice c = chooseFromMenu(false, 1, seen);
    EXPECT_EQ(c.index, -1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Select Tile", "PopupMenu", "Select Tile"}));
}

} // namespace
