// The tile picker: it opens at the given tile, names each tile by index,
// description and type, leaves the index alone when cancelled, and its
// Edit opens the Tile Editor on the tileset's file, whose saved edits the
// picker's tileset shows afterwards.
#include "editors/TileEditor.hpp"
#include "editors/TilePicker.hpp"
#include "engine/Display.hpp"
#include "engine/Hints.hpp"
#include "gui/ModalDriver.hpp"
#include "gui/ObjectBrowser.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

class TilePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        ASSERT_TRUE(tileset.load(test::written(temp.file("garden.til"), test::tilesetFile("garden"))));
        // The picker's pages in the stand-in's 1024 by 768 view.
        kv::ObjectBrowser browser;
        browser.create("Select Tile", false);
        for (int i = 0; i < Tileset::tileCount; ++i)
            browser.addEntry(sf::Sprite(), "", {32.f, 32.f});
        browser.layout(KVCore::viewSize());
        for (int i : {5, 7, 9})
            at[i] = centre(browser.screenRect(i));
    }
    void TearDown() override { Editors::TileEditor::setFrameHook(nullptr); }

    static sf::Vector2i centre(const sf::FloatRect& r)
    {
        return {static_cast<int>(r.left + r.width / 2.f), static_cast<int>(r.top + r.height / 2.f)};
    }

    static test::ModalDriver::Step clickAt(sf::Vector2i p, sf::Mouse::Button button)
    {
        return [p, button](test::FakeWindow& w) {
            w.mouse = p;
            w.mouseButton(button, true);
            w.mouseButton(button, false);
        };
    }

    test::TempFolder temp;
    test::FakeWindowScope fake;
    Tileset tileset;
    std::map<int, sf::Vector2i> at;
};

TEST_F(TilePickerTest, AClickedTileBecomesTheIndexAndCancelKeepsIt)
{
    int index = 5;
    {
        test::ModalDriver driver(fake.window);
        driver.then(clickAt(at[7], sf::Mouse::Left));
        EXPECT_TRUE(Editors::pickTile(tileset, index, false));
        EXPECT_EQ(driver.screens, std::vector<std::string>{"Select Tile"});
    }
    EXPECT_EQ(index, 7);

    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Escape);
    EXPECT_FALSE(Editors::pickTile(tileset, index, false));
    EXPECT_EQ(index, 7);
}

TEST_F(TilePickerTest, TheHintNamesTheTileByIndexDescriptionAndType)
{
    int index = 0;
    std::vector<std::string> hints;
    test::ModalDriver driver(fake.window);
    driver.then([this](test::FakeWindow& w) { w.mouse = at[9]; })
        .idle(2)
        .then([&hints](test::FakeWindow& w) {
            for (const KVCore::Hint& h : KVCore::hints())
                hints.push_back(h.text);
            w.pressKey(sf::Keyboard::Escape);
        });
    Editors::pickTile(tileset, index, false);
    EXPECT_NE(std::find(hints.begin(), hints.end(), "Tile 9: tile 9 - Grass"), hints.end())
        << "tile 9 of the test tileset has type 9 % 4";
}

TEST_F(TilePickerTest, EditOpensTheEditorOnTheFileAndTheSavedEditShowsAfterwards)
{
    ASSERT_EQ(tileset.tiles[9].type, TileType::Grass);
    std::string editedFile;
    int editedTile = -1;
    bool done = false;
    Editors::TileEditor::setFrameHook([&] {
        if (done)
            return;
        done = true;
        editedFile = Editors::TileEditor::fileName();
        editedTile = Editors::TileEditor::currentTile();
        Editors::TileEditor::runCommand(Editors::TileEditor::Command::ChangeTileType);
        Editors::TileEditor::runCommand(Editors::TileEditor::Command::SaveTileset);
        fake.window.pressKey(sf::Keyboard::Escape);
    });

    int index = 0;
    test::ModalDriver driver(fake.window);
    driver.then(clickAt(at[9], sf::Mouse::Right))
        .press(sf::Keyboard::Down)
        .press(sf::Keyboard::Return)
        .press(sf::Keyboard::Return);
    EXPECT_TRUE(Editors::pickTile(tileset, index, true));
    EXPECT_EQ(index, 9);
    EXPECT_EQ(editedFile, temp.file("garden.til"));
    EXPECT_EQ(editedTile, 9);
    EXPECT_EQ(driver.screens.back(),
              "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Tile Editor?");
    EXPECT_EQ(tileset.tiles[9].type, TileType::Solid) << "Grass turns to Solid, saved, and read back";
    EXPECT_FALSE(Editors::TileEditor::tileset().loaded) << "the editor lets its own tileset go";
}

} // namespace
