// The Map Editor's rules without a real window: the mouse and keys are the
// stand-in window's, each tick is one pass of the events poller, and the
// dialogs the commands open are answered by a ModalDriver.
#include "editors/BrushSizeDialog.hpp"
#include "editors/MapEditor.hpp"
#include "editors/SpriteEditor.hpp"
#include "editors/TileEditor.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Text.hpp"
#include "frontend/MenuDriver.hpp"
#include "frontend/ToolsMenu.hpp"
#include "game/GameResources.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/ModalDriver.hpp"
#include "storage/AssetPaths.hpp"
#include "support/Golden.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"
#include "world/Map.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace {

using Key = sf::Keyboard::Key;
using Screens = std::vector<std::string>;

constexpr std::int16_t lawnTile = 1023;

class MapEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        test::loadEngineArt();
        Keyboard::buildKeyNameTable();
        std::filesystem::create_directories(data.root() / "base" / "maps");
        KVCore::setFrameLimitInEffect(30);  // every frame a tick
        KVCore::startPoller();
        Editors::startMapEditor();
        origin = Editors::mapEditorFieldOrigin();
    }
    void TearDown() override { Editors::leaveMapEditor(); }

    void tick()
    {
        fake.time.advance(1.0 / 30.0);
        KVCore::pollEvents();
        leaving = Editors::mapEditorTick();
    }
    void mouseAt(float x, float y) { fake.window.mouse = {static_cast<int>(x), static_cast<int>(y)}; }
    // Somewhere inside the cell.
    void pointAtCell(int x, int y) { mouseAt(origin.x + 32.f * x + 5.f, origin.y + 32.f * y + 5.f); }
    void hold(sf::Mouse::Button button) { fake.window.buttons.insert(button); }
    void release(sf::Mouse::Button button)
    {
        fake.window.buttons.erase(button);
        tick();
    }
    // Press on the first cell, drag through the rest, let go.
    void stroke(std::initializer_list<sf::Vector2i> cells)
    {
        hold(sf::Mouse::Left);
        for (sf::Vector2i c : cells) {
            pointAtCell(c.x, c.y);
            tick();
        }
        release(sf::Mouse::Left);
    }
    void rectangle(sf::Vector2i from, sf::Vector2i to)
    {
        fake.window.keys.insert(Key::LShift);
        stroke({from, to});
        fake.window.keys.erase(Key::LShift);
    }
    void pressWith(std::set<Key> held, Key key)
    {
        fake.window.keys = held;
        fake.window.pressKey(key);
        tick();
        fake.window.keys.clear();
    }
    static Map& map() { return Editors::editorMap(); }
    static std::uint16_t cell(int x, int y) { return map().cell(x, y); }
    static int cellsHolding(std::uint16_t tile)
    {
        return static_cast<int>(std::count(map().cells.begin(), map().cells.end(), tile));
    }
    std::string mapFile(const std::string& name) const { return (data.root() / "base" / "maps" / name).string(); }
    // The save selector answered with a name.
    bool saveAs(const std::string& name, bool asked = true)
    {
        test::ModalDriver driver(fake.window);
        if (asked)
            driver.type(name).press(Key::Return);
        const bool saved = Editors::saveMap();
        screens = driver.screens;
        return saved;
    }
    // An input dialog cleared, given the text and closed with Return (and
    // the "out of range" box that may follow, too).
    Screens answer(void (*command)(), const std::string& typed)
    {
        test::ModalDriver driver(fake.window);
        driver.then([](test::FakeWindow& w) {
            for (int i = 0; i < 40; ++i)
                w.pressKey(Key::BackSpace);
        });
        driver.type(typed).press(Key::Return).press(Key::Return);
        command();
        return driver.screens;
    }
    int printed(const std::string& prefix) const
    {
        const auto& lines = KVCore::consoleLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const auto& l) { return l.text.rfind(prefix, 0) == 0; }));
    }

    test::FakeWindowScope fake;
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    sf::Vector2f origin;
    Screens screens;
    bool leaving = false;
};

TEST_F(MapEditorTest, TheFieldSitsCentredUnderTheToolbar)
{
    EXPECT_FLOAT_EQ(origin.x, (1024.f - 800.f) / 2.f);
    EXPECT_FLOAT_EQ(origin.y, Text::standardLineSpacing(18) + 32.f + 16.f + 2.f);
    EXPECT_EQ(Editors::mapEditorCaption(), "(unsaved file) - Map Editor (Editing tiles)");
    EXPECT_EQ(map().title, "New Map");
    EXPECT_EQ(map().timeLimit, 90);
}

TEST_F(MapEditorTest, TheBrushPaintsOnlyTheCellsOnTheGrid)
{
    Editors::setBrushSize(3, 2);
    Editors::setCurrentTile(7);
    stroke({{23, 15}});
    EXPECT_EQ(cell(23, 15), 7);
    EXPECT_EQ(cell(24, 15), 7);
    EXPECT_EQ(cellsHolding(7), 2) << "nothing wraps to the next row or past the last";

    Editors::setBrushSize(2, 2);
    stroke({{0, 0}});
    EXPECT_EQ(cellsHolding(7), 6);
    EXPECT_EQ(cell(1, 1), 7);
}

TEST_F(MapEditorTest, TheFieldsRightBorderIsOverItButHoldsNoCell)
{
    Editors::setCurrentTile(7);
    map().setTile(24, 3, 517, false);
    mouseAt(origin.x + 800.f, origin.y + 100.f);
    hold(sf::Mouse::Left);
    tick();
    EXPECT_TRUE(Editors::mouseOverField());
    EXPECT_EQ(Editors::hoverCell(), sf::Vector2i(25, 3));
    release(sf::Mouse::Left);
    EXPECT_EQ(cellsHolding(7), 0);
    EXPECT_FALSE(Editors::canUndo());

    // Picking there takes nothing, not the next row's first cell.
    hold(sf::Mouse::Right);
    tick();
    release(sf::Mouse::Right);
    EXPECT_EQ(Editors::currentTile(), 7);

    mouseAt(origin.x + 801.f, origin.y + 100.f);
    tick();
    EXPECT_FALSE(Editors::mouseOverField());
    mouseAt(origin.x, std::ceil(origin.y));
    tick();
    EXPECT_TRUE(Editors::mouseOverField());
    EXPECT_EQ(Editors::hoverCell(), sf::Vector2i(0, 0));
}

TEST_F(MapEditorTest, RightClickTakesTheTileUnderTheMouseAndPaintingDoesNotFormatGrass)
{
    map().setTile(4, 6, 517, false);
    pointAtCell(4, 6);
    hold(sf::Mouse::Right);
    tick();
    release(sf::Mouse::Right);
    EXPECT_EQ(Editors::currentTile(), 517);

    // Formatting would make these 964 and 961, the edges of a two-cell lawn.
    Editors::setCurrentTile(lawnTile);
    stroke({{5, 5}, {6, 5}});
    EXPECT_EQ(cell(5, 5), lawnTile);
    EXPECT_EQ(cell(6, 5), lawnTile);
    EXPECT_EQ(cellsHolding(lawnTile), 2);
}

TEST_F(MapEditorTest, AClickQuickerThanATickStillStampsAndPicks)
{
    map().setTile(8, 8, 517, false);
    pointAtCell(8, 8);
    fake.window.mouseButton(sf::Mouse::Right, true);
    fake.window.mouseButton(sf::Mouse::Right, false);
    tick();
    EXPECT_EQ(Editors::currentTile(), 517);

    pointAtCell(2, 3);
    fake.window.mouseButton(sf::Mouse::Left, true);
    fake.window.mouseButton(sf::Mouse::Left, false);
    tick();
    EXPECT_EQ(cell(2, 3), 517);
    EXPECT_EQ(Editors::undoSteps(), 1u) << "a stamp is one step";
}

TEST_F(MapEditorTest, AQuickDragPaintsALineFromWhereTheButtonWentDown)
{
    Editors::setCurrentTile(11);
    // Pressed on (2, 7); by the tick that sees it the mouse is on (6, 7).
    pointAtCell(2, 7);
    fake.window.mouseButton(sf::Mouse::Left, true);
    hold(sf::Mouse::Left);
    pointAtCell(6, 7);
    tick();
    // Then a tick later on (8, 11), two columns and four rows further.
    pointAtCell(8, 11);
    tick();
    fake.window.mouseButton(sf::Mouse::Left, false);
    release(sf::Mouse::Left);

    for (int x = 2; x <= 6; ++x)
        EXPECT_EQ(cell(x, 7), 11) << x;
    for (sf::Vector2i c : {sf::Vector2i(7, 9), sf::Vector2i(8, 11)})
        EXPECT_EQ(cell(c.x, c.y), 11) << c.x << ", " << c.y;
    EXPECT_EQ(cellsHolding(11), 5 + 4) << "one cell a row on the steep part";
    EXPECT_EQ(Editors::undoSteps(), 1u);
}

TEST_F(MapEditorTest, ANewMapIsSavedThroughTheSelectorALoadedOneToItsOwnFile)
{
    ASSERT_TRUE(saveAs("garden"));
    EXPECT_EQ(screens, Screens{"Save Map As"}) << "Save on a new map asks where";
    const std::string path = Editors::editorFileName();
    EXPECT_TRUE(std::filesystem::equivalent(path, mapFile("garden.map")));
    EXPECT_EQ(Editors::mapEditorCaption(), path + " - Map Editor (Editing tiles)");
    EXPECT_EQ(printed("Map saved to " + path), 1);

    Editors::setCurrentTile(9);
    stroke({{2, 2}});
    EXPECT_EQ(Editors::mapEditorCaption(), "*" + path + " - Map Editor (Editing tiles)");
    ASSERT_TRUE(saveAs("", false));
    EXPECT_TRUE(screens.empty()) << "a map with a file saves without asking";
    Map reloaded;
    ASSERT_TRUE(reloaded.load(path)) << reloaded.lastError;
    EXPECT_EQ(reloaded.cell(2, 2), 9);
    EXPECT_FALSE(Editors::mapModified());

    test::ModalDriver driver(fake.window);
    driver.press(Key::Escape);
    EXPECT_FALSE(Editors::saveMapAs());
    EXPECT_EQ(driver.screens, Screens{"Save Map As"}) << "Save as always asks";
    EXPECT_EQ(Editors::editorFileName(), path);
}

TEST_F(MapEditorTest, LoadTakesTheFileAndStartsAFreshHistory)
{
    Map stored;
    stored.newMap();
    stored.title = "Stored";
    stored.setTile(3, 4, 42, false);
    ASSERT_TRUE(stored.save(mapFile("stored.map")));
    test::writeFile(mapFile("broken.map"), "not a map");
    stroke({{0, 0}});
    Editors::setCurrentTile(5);
    stroke({{1, 0}});
    ASSERT_TRUE(Editors::canUndo());

    {
        test::ModalDriver driver(fake.window);
        driver.type("broken.map").press(Key::Return).press(Key::Return);
        Editors::loadMap();
        ASSERT_EQ(driver.screens.size(), 2u);
        EXPECT_NE(driver.screens[1].find("broken.map is not a valid map file."), std::string::npos)
            << driver.screens[1];
        EXPECT_EQ(cell(1, 0), 5) << "a refused file changes nothing";
    }
    test::ModalDriver driver(fake.window);
    driver.type("stored.map").press(Key::Return);
    Editors::loadMap();
    EXPECT_EQ(driver.screens, Screens{"Load Map"});
    EXPECT_EQ(map().title, "Stored");
    EXPECT_EQ(cell(3, 4), 42);
    EXPECT_TRUE(std::filesystem::equivalent(Editors::editorFileName(), mapFile("stored.map")));
    EXPECT_FALSE(Editors::canUndo());
    EXPECT_FALSE(Editors::mapModified());
    EXPECT_EQ(printed("Loaded map from "), 1);
}

TEST_F(MapEditorTest, TimeLimitAndCloudCountTakeOnlyTheirRanges)
{
    EXPECT_EQ(answer(Editors::changeTimeLimit, "0"),
              (Screens{"Time Limit(1 to 9999)", "Message: Input out of range!"}));
    answer(Editors::changeTimeLimit, "10000");
    EXPECT_EQ(map().timeLimit, 90);
    answer(Editors::changeTimeLimit, "9999");
    EXPECT_EQ(map().timeLimit, 9999);
    answer(Editors::changeTimeLimit, "1");
    EXPECT_EQ(map().timeLimit, 1);

    answer(Editors::changeCloudCount, "99");
    EXPECT_EQ(map().cloudCount, 99);
    answer(Editors::changeCloudCount, "0");
    EXPECT_EQ(map().cloudCount, 0);
    EXPECT_EQ(answer(Editors::changeCloudCount, "100"),
              (Screens{"Cloud Count(0 to 99)", "Message: Input out of range!"}));
    EXPECT_EQ(map().cloudCount, 0);
    EXPECT_EQ(Editors::undoSteps(), 4u) << "each accepted change is one step";
}

TEST_F(MapEditorTest, TitleAndAuthorKeepThirtyTwoCharacters)
{
    EXPECT_EQ(answer(Editors::changeTitle, std::string(40, 't')), Screens{"Map Title"});
    EXPECT_EQ(map().title, std::string(32, 't'));
    answer(Editors::changeAuthor, "Ada");
    EXPECT_EQ(map().author, "Ada");
    Editors::undo();
    EXPECT_EQ(map().author, "");
    EXPECT_EQ(map().title, std::string(32, 't'));
}

TEST_F(MapEditorTest, RunNeedsASavedMap)
{
    test::ModalDriver driver(fake.window);
    driver.press(Key::Escape).press(Key::Return);
    Editors::runMap();
    EXPECT_EQ(driver.screens, (Screens{"Save Map As", "Message: Cannot run map without saving first"}));
    EXPECT_FALSE(std::filesystem::exists(data.root() / "base" / "savegames")) << "no game started";
}

TEST_F(MapEditorTest, RunPlaysTheMapInItsOwnSlotAndComesBack)
{
    // The level list names another map: the editor's takes its place.
    test::writeFile(data.root() / "base" / "game.ini", "[info]\nMapsCount=1\n[map0]\nmap=elsewhere.map\nmusic=\n");
    Game::SaveSlot playersSlot;
    Game::currentSlot() = &playersSlot;
    ASSERT_TRUE(saveAs("trial"));

    // A map without grass is done at once; the missing picture is a box.
    test::ModalDriver driver(fake.window);
    driver.press(Key::Return);
    Editors::runMap();
    EXPECT_EQ(driver.screens, Screens{"Message: Press OK to continue"});
    EXPECT_EQ(printed("Level complete"), 1);
    SaveGame saved;
    ASSERT_TRUE(saved.load((data.root() / "base" / "savegames" / "mapeditor.sav").string())) << saved.errorText;
    EXPECT_EQ(saved.levelIndex, 0);
    EXPECT_EQ(saved.skillLevel, SkillNormal);
    EXPECT_EQ(Game::currentSlot(), &playersSlot) << "the editor's slot is current only while its game runs";
    Game::currentSlot() = nullptr;

    std::filesystem::remove(data.root() / "base" / "game.ini");
    test::ModalDriver failing(fake.window);
    failing.press(Key::Return);
    Editors::runMap();
    EXPECT_EQ(failing.screens, Screens{"Message: No entries in maps list"});
}

TEST_F(MapEditorTest, AStrokeIsOneStepAndANewEditDropsTheStepsUndone)
{
    Editors::setCurrentTile(3);
    stroke({{0, 0}, {1, 0}, {2, 0}, {2, 1}});
    EXPECT_EQ(cellsHolding(3), 4);
    EXPECT_EQ(Editors::undoSteps(), 1u);
    Editors::setCurrentTile(4);
    stroke({{5, 5}});

    Editors::undo();
    EXPECT_EQ(cellsHolding(4), 0);
    EXPECT_EQ(cellsHolding(3), 4);
    Editors::undo();
    EXPECT_EQ(cellsHolding(3), 0) << "the whole drag goes in one step";
    Editors::redo();
    EXPECT_EQ(cellsHolding(3), 4);
    ASSERT_TRUE(Editors::canRedo());

    stroke({{9, 9}});
    EXPECT_FALSE(Editors::canRedo()) << "a new edit drops what was undone";
    Editors::redo();
    EXPECT_EQ(cellsHolding(4), 1);
    EXPECT_EQ(cell(9, 9), 4);

    // A press that changes nothing is no step.
    const std::size_t steps = Editors::undoSteps();
    stroke({{9, 9}});
    EXPECT_EQ(Editors::undoSteps(), steps);
}

TEST_F(MapEditorTest, AHundredStepsAreKept)
{
    for (int i = 0; i < 101; ++i) {
        Editors::setCurrentTile(static_cast<std::uint16_t>(i + 1));
        stroke({{i % 25, i / 25}});
    }
    EXPECT_EQ(Editors::undoSteps(), 100u);
    for (int i = 0; i < 100; ++i)
        Editors::undo();
    EXPECT_FALSE(Editors::canUndo());
    EXPECT_EQ(cell(0, 0), 1) << "the oldest step is the one dropped";
    EXPECT_EQ(cellsHolding(0), Map::cellCount - 1);
}

TEST_F(MapEditorTest, TheCaptionsMarkFollowsUndoBackToTheSavedMap)
{
    ASSERT_TRUE(saveAs("marked"));
    const std::string path = Editors::editorFileName();
    Editors::setCurrentTile(6);
    stroke({{1, 1}});
    EXPECT_TRUE(Editors::mapModified());
    EXPECT_EQ(Editors::mapEditorCaption().front(), '*');
    Editors::undo();
    EXPECT_EQ(Editors::mapEditorCaption(), path + " - Map Editor (Editing tiles)");
    Editors::redo();
    EXPECT_TRUE(Editors::mapModified());
    ASSERT_TRUE(saveAs("", false));
    EXPECT_FALSE(Editors::mapModified());
    Editors::undo();
    EXPECT_TRUE(Editors::mapModified()) << "undoing past a save differs from the file again";
}

TEST_F(MapEditorTest, ShiftDragFillsTheRectangleInOneStep)
{
    Editors::setCurrentTile(8);
    fake.window.keys.insert(Key::LShift);
    hold(sf::Mouse::Left);
    pointAtCell(5, 3);
    tick();
    pointAtCell(2, 1);
    tick();
    EXPECT_TRUE(Editors::rectangleDragged());
    EXPECT_EQ(cellsHolding(8), 0) << "nothing changes until the button is let go";
    fake.window.keys.clear();
    release(sf::Mouse::Left);
    EXPECT_FALSE(Editors::rectangleDragged());
    EXPECT_EQ(cellsHolding(8), 12);
    EXPECT_EQ(cell(2, 1), 8);
    EXPECT_EQ(cell(5, 3), 8);
    EXPECT_EQ(Editors::undoSteps(), 1u);

    // Dragged past the field's corner: the rectangle stops at the grid.
    rectangle({20, 12}, {25, 16});
    EXPECT_EQ(cellsHolding(8), 12 + 5 * 4);
    Editors::undo();
    Editors::undo();
    EXPECT_EQ(cellsHolding(8), 0);
}

TEST_F(MapEditorTest, ControlKeysUndoAndRedoAndGTogglesTheGrid)
{
    Editors::setCurrentTile(2);
    stroke({{0, 0}});
    pressWith({Key::LControl}, Key::Z);
    EXPECT_EQ(cell(0, 0), 0);
    pressWith({Key::LControl}, Key::Y);
    EXPECT_EQ(cell(0, 0), 2);
    pressWith({Key::RControl}, Key::Z);
    pressWith({Key::LControl, Key::LShift}, Key::Z);
    EXPECT_EQ(cell(0, 0), 2);
    pressWith({}, Key::Z);
    EXPECT_EQ(cell(0, 0), 2) << "Z alone is no undo";
    // Control let go before the tick that sees the Z still counts.
    fake.window.pressKey(Key::LControl);
    pressWith({}, Key::Z);
    EXPECT_EQ(cell(0, 0), 0);

    EXPECT_FALSE(Editors::gridShown());
    pressWith({}, Key::G);
    EXPECT_TRUE(Editors::gridShown());
    pressWith({}, Key::G);
    EXPECT_FALSE(Editors::gridShown());
}

TEST_F(MapEditorTest, PlayerStartModeMovesTheStartInOneStep)
{
    pressWith({}, Key::P);
    EXPECT_EQ(Editors::editMode(), Editors::MapEditMode::PlayerStart);
    EXPECT_EQ(Editors::mapEditorCaption(), "(unsaved file) - Map Editor (Editing player start position)");
    hold(sf::Mouse::Left);
    mouseAt(origin.x + 100.f, origin.y + 60.f);
    tick();
    mouseAt(origin.x + 130.f, origin.y + 70.f);
    tick();
    release(sf::Mouse::Left);
    // The mouse's whole view position less the field's corner.
    EXPECT_EQ(map().playerStartX, 130);
    EXPECT_EQ(map().playerStartY, static_cast<int>(std::floor(origin.y + 70.f) - origin.y));
    EXPECT_EQ(cellsHolding(0), Map::cellCount) << "no tile is painted in this mode";
    Editors::undo();
    EXPECT_EQ(map().playerStartX, 400);
    EXPECT_EQ(map().playerStartY, 256);
}

TEST_F(MapEditorTest, TileModeTakesThePickedTileAndTheTilesetAsItIsOnDisk)
{
    // A tile six squares into the picker's first row, whichever layout it has.
    const sf::Vector2i picked(static_cast<int>(6 * 33 + 16), static_cast<int>(Text::standardLineSpacing(18) + 58 + 16));
    test::written(data.file("base/tiles/kelvane.til"), test::tilesetFile("changed meanwhile"));
    pressWith({}, Key::P);
    {
        test::ModalDriver driver(fake.window);
        driver.press(Key::Escape);
        Editors::pickTileMode();
        EXPECT_EQ(driver.screens, Screens{"Select Tile"});
    }
    EXPECT_EQ(Editors::editMode(), Editors::MapEditMode::Tiles) << "back to painting even when cancelled";
    EXPECT_EQ(Editors::currentTile(), 0);
    EXPECT_NE(map().tileset.description, "changed meanwhile");

    test::ModalDriver driver(fake.window);
    driver.then([picked](test::FakeWindow& w) {
        w.mouse = picked;
        w.mouseButton(sf::Mouse::Left, true);
        w.mouseButton(sf::Mouse::Left, false);
    });
    pressWith({}, Key::T);
    EXPECT_EQ(driver.screens, Screens{"Select Tile"});
    EXPECT_EQ(Editors::currentTile(), 6);
    EXPECT_EQ(map().tileset.description, "changed meanwhile");
}

TEST_F(MapEditorTest, NewMapAndExitAlwaysAskAndLeavingLetsTheMapGo)
{
    Editors::setCurrentTile(4);
    Editors::setBrushSize(2, 2);
    stroke({{1, 1}});
    {
        test::ModalDriver driver(fake.window);
        driver.press(Key::Escape);
        Editors::askNewMap();
        EXPECT_EQ(driver.screens, Screens{"Confirm: New Map - Unsaved tiles will be lost!  Continue?"});
        EXPECT_EQ(cellsHolding(4), 4);
    }
    {
        test::ModalDriver driver(fake.window);
        driver.press(Key::Return);
        Editors::askNewMap();
        EXPECT_EQ(cellsHolding(4), 0);
        EXPECT_EQ(Editors::currentTile(), 0);
        EXPECT_EQ(Editors::brushSize(), sf::Vector2i(1, 1));
        EXPECT_FALSE(Editors::canUndo());
    }
    Editors::leaveMapEditor();

    // The whole screen: Escape asks even with nothing changed; No stays.
    test::ModalDriver driver(fake.window);
    driver.press(Key::Escape).press(Key::Escape).press(Key::Escape).press(Key::Return);
    Editors::runMapEditor();
    EXPECT_FALSE(driver.gaveUp);
    const std::string question =
        "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Map Editor?";
    EXPECT_EQ(driver.screens, (Screens{"Map Editor", question, "Map Editor", question}));
    EXPECT_FALSE(map().loaded);
    EXPECT_FALSE(map().tileset.loaded);
    EXPECT_EQ(map().tileset.tiles[0].image.getSize(), sf::Vector2u()) << "its tiles are not kept through play";
    Editors::startMapEditor();
}

// The tools menu's rows: each opens its editor (the Tile Editor on the data
// folder's tileset) and the menu is back after the editor's Exit.
TEST(ToolsMenuEditors, EachRowOpensItsEditorAndTheMenuComesBack)
{
    ASSERT_TRUE(test::loadEngineFonts());
    test::FakeWindowScope fake;
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    test::written(data.file("base/tiles/kelvane.til"), test::tilesetFile("shipped"));
    sf::Texture background;
    ASSERT_TRUE(background.create(8, 6));

    // The Tile and Sprite Editors' frames are no passes of the driver: each
    // is left with Escape from its first frame, the driver says Yes.
    std::string tileEditorFile;
    bool tileEditorShown = false, spriteEditorShown = false;
    Editors::TileEditor::setFrameHook([&] {
        if (!std::exchange(tileEditorShown, true)) {
            tileEditorFile = Editors::TileEditor::fileName();
            fake.window.pressKey(Key::Escape);
        }
    });
    Editors::SpriteEditor::setFrameHook([&] {
        if (!std::exchange(spriteEditorShown, true))
            fake.window.pressKey(Key::Escape);
    });
    test::MenuDriver driver(fake.window);
    driver.press({Key::Return, Key::Escape, Key::Return, Key::Down, Key::Return, Key::Return, Key::Down, Key::Return,
                  Key::Return, Key::Escape});
    Frontend::runToolsMenu(background);
    Editors::TileEditor::setFrameHook(nullptr);
    Editors::SpriteEditor::setFrameHook(nullptr);

    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens,
              (Screens{"Tools", "Map Editor",
                       "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Map Editor?",
                       "Tools",
                       "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Tile Editor?",
                       "Tools",
                       "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Sprite "
                       "Editor?",
                       "Tools"}));
    EXPECT_EQ(tileEditorFile, resolvedAssetPath("tiles\\kelvane.til"));
    EXPECT_TRUE(spriteEditorShown);
    EXPECT_FALSE(Editors::editorMap().loaded);
}

TEST(BrushSizeGrid, AsManySquaresAsFitUnderTheToolbarUpToTheMapsSize)
{
    ASSERT_TRUE(test::loadEngineFonts());
    EXPECT_EQ(Editors::brushGridSize({1024.f, 768.f}), sf::Vector2i(25, 16));
    EXPECT_EQ(Editors::brushGridSize({800.f, 600.f}), sf::Vector2i(24, 16));
    EXPECT_EQ(Editors::brushGridSize({640.f, 480.f}), sf::Vector2i(19, 12));

    const sf::Vector2i grid(25, 16);
    EXPECT_EQ(Editors::brushSizeAt({0, 0}, grid), sf::Vector2i(1, 1));
    EXPECT_EQ(Editors::brushSizeAt({32, 65}, grid), sf::Vector2i(1, 2)) << "a gap belongs to the square before it";
    EXPECT_EQ(Editors::brushSizeAt({33, 66}, grid), sf::Vector2i(2, 3));
    EXPECT_EQ(Editors::brushSizeAt({25 * 33 - 1, 16 * 33 - 1}, grid), sf::Vector2i(25, 16));
    EXPECT_FALSE(Editors::brushSizeAt({25 * 33, 0}, grid));
    EXPECT_FALSE(Editors::brushSizeAt({0, 16 * 33}, grid));
    EXPECT_FALSE(Editors::brushSizeAt({-1, 0}, grid));
}

TEST_F(MapEditorTest, TheBrushSizeDialogSetsTheSizeClickedOrNothing)
{
    const sf::Vector2f grid = Editors::brushGridOrigin();
    {
        test::ModalDriver driver(fake.window);
        driver.click(grid + sf::Vector2f(2 * 33 + 10.f, 33 + 10.f));
        pressWith({}, Key::B);
        EXPECT_EQ(driver.screens, Screens{"Set Tile Brush Size"});
    }
    EXPECT_EQ(Editors::brushSize(), sf::Vector2i(3, 2));
    {
        test::ModalDriver driver(fake.window);
        driver.click(grid + sf::Vector2f(-5.f, -5.f)).press(Key::Escape);
        Editors::chooseBrushSize();
        EXPECT_FALSE(driver.gaveUp);
    }
    EXPECT_EQ(Editors::brushSize(), sf::Vector2i(3, 2)) << "a click beside the grid and Cancel change nothing";
}

// The map a scripted session makes is stored beside this test.  After a
// deliberate change to what the editor writes, regenerate it with
//   KELVANE_UPDATE_GOLDEN=1 ./kelvane_tests --gtest_filter='MapEditorTest.AScripted*'
// and look at the difference before committing it.
TEST_F(MapEditorTest, AScriptedSessionSavesTheExpectedMap)
{
    answer(Editors::changeTitle, "Golden Lawn");
    answer(Editors::changeAuthor, "Kelvane tests");
    answer(Editors::changeTimeLimit, "120");
    answer(Editors::changeCloudCount, "2");
    Editors::setCurrentTile(lawnTile);
    stroke({{1, 1}, {2, 1}, {3, 1}, {4, 2}});
    Editors::setCurrentTile(17);
    Editors::setBrushSize(2, 2);
    stroke({{10, 10}, {12, 10}});
    Editors::setCurrentTile(300);
    rectangle({15, 2}, {20, 6});
    Editors::setCurrentTile(5);
    stroke({{0, 15}});
    Editors::undo();
    pressWith({}, Key::P);
    hold(sf::Mouse::Left);
    mouseAt(origin.x + 300.f, origin.y + 200.f);
    tick();
    release(sf::Mouse::Left);
    ASSERT_TRUE(saveAs("scripted"));

    EXPECT_TRUE(test::matchesGoldenFile(test::readFile(mapFile("scripted.map")),
                                        test::goldenFolder("editors") / "scripted.map"));
}

} // namespace
