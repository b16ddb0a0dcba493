// The Tile Editor's rules: tile wrap-around, zoom limits, copy and paste,
// the type cycle, the image turns, import scaling, the canvas border, the
// colour bar, saving, undo and the "*" mark, the Control shortcuts in the
// running editor, and a scripted tileset equal to its stored bytes.
#include "editors/TileEditor.hpp"
#include "engine/Display.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "game/GameResources.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"
#include "support/Golden.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

namespace TE = Editors::TileEditor;
using Command = TE::Command;

const sf::Color red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0);

class TileEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        // Every poll a tick, as on a screen at 30 frames a second.
        KVCore::setFrameLimitInEffect(30);
        KVCore::startPoller();
        TE::open("", 0);
        KVCore::clearScreenMessages();
    }
    void TearDown() override
    {
        TE::close();
        TE::setFrameHook(nullptr);
        Game::otherPaths() = {};
    }

    static std::string lastMessage()
    {
        const auto& messages = KVCore::screenMessages();
        return messages.empty() ? std::string() : messages.back().text;
    }

    // The view point in the middle of a tile pixel on the canvas.
    static sf::Vector2i pointOf(sf::Vector2i pixel)
    {
        const TE::Layout l = TE::layout(KVCore::viewSize());
        const float z = TE::zoom();
        return {static_cast<int>(l.canvas.left + (static_cast<float>(pixel.x) + 0.5f) * z),
                static_cast<int>(l.canvas.top + (static_cast<float>(pixel.y) + 0.5f) * z)};
    }

    // One tick of the mouse at a view point with the given button held.
    TE::Command tickAt(sf::Vector2i point, std::optional<sf::Mouse::Button> held)
    {
        fake.window.mouse = point;
        fake.window.buttons.clear();
        if (held)
            fake.window.buttons.insert(*held);
        KVCore::pollEvents();
        return TE::updateMouse();
    }

    // One tick with a click (press and release) at a view point.
    TE::Command clickAt(sf::Vector2i point, sf::Mouse::Button button)
    {
        fake.window.mouse = point;
        fake.window.buttons.clear();
        fake.window.mouseButton(button, true);
        fake.window.mouseButton(button, false);
        KVCore::pollEvents();
        return TE::updateMouse();
    }

    // A drag across pixels with the left button, released afterwards.
    void stroke(std::initializer_list<sf::Vector2i> pixels)
    {
        for (sf::Vector2i p : pixels)
            tickAt(pointOf(p), sf::Mouse::Left);
        tickAt(pointOf(*pixels.begin()), std::nullopt);
    }

    static sf::Color pixel(int x, int y)
    {
        return TE::tileset().tiles[static_cast<std::size_t>(TE::currentTile())].image.getPixel(
            static_cast<unsigned>(x), static_cast<unsigned>(y));
    }

    static void goTo(int tile)
    {
        while (TE::currentTile() != tile)
            TE::runCommand(Command::NextTile);
    }

    test::TempFolder temp;
    test::FakeWindowScope fake;
};

TEST_F(TileEditorTest, TilesWrapRoundAndTheStatusCountsFromOne)
{
    EXPECT_EQ(TE::tileLine(), "Tile 1 of 1024 - (none) - Land");
    TE::runCommand(Command::PreviousTile);
    EXPECT_EQ(TE::currentTile(), 1023);
    EXPECT_EQ(TE::tileLine(), "Tile 1024 of 1024 - (none) - Land");
    TE::runCommand(Command::NextTile);
    EXPECT_EQ(TE::currentTile(), 0);
    EXPECT_EQ(TE::caption(), "(unsaved file) - Tile Editor");
}

TEST_F(TileEditorTest, ZoomStopsAtItsLimitsWithAMessage)
{
    EXPECT_EQ(TE::scaleLine(), "Scale 14.0x");
    for (int i = 0; i < 11; ++i)
        TE::runCommand(Command::ZoomIn);
    EXPECT_EQ(TE::zoom(), 24.f);
    EXPECT_EQ(lastMessage(), "Maximum zoom");
    for (int i = 0; i < 24; ++i)
        TE::runCommand(Command::ZoomOut);
    EXPECT_EQ(TE::zoom(), 1.f);
    EXPECT_EQ(lastMessage(), "Minimum zoom");
    EXPECT_EQ(TE::scaleLine(), "Scale 1.0x");
}

TEST_F(TileEditorTest, PasteWantsACopyFirstThenCopiesTheImageOnly)
{
    TE::runCommand(Command::PasteTile);
    EXPECT_EQ(lastMessage(), "No tile image in clipboard");
    EXPECT_FALSE(TE::modified());
    EXPECT_FALSE(TE::canUndo());

    TE::setDrawingColour(red);
    stroke({{3, 4}});
    TE::runCommand(Command::ChangeTileType);
    TE::runCommand(Command::CopyTile);
    EXPECT_EQ(lastMessage(), "Copied tile image to clipboard");
    goTo(2);
    TE::runCommand(Command::PasteTile);
    EXPECT_EQ(lastMessage(), "Pasted tile image from clipboard");
    EXPECT_EQ(pixel(3, 4), red);
    EXPECT_EQ(TE::tileLine(), "Tile 3 of 1024 - (none) - Land") << "the type stays with its tile";
}

TEST_F(TileEditorTest, TheTypeCyclesThroughAllFourAndBack)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 4; ++i) {
        TE::runCommand(Command::ChangeTileType);
        lines.push_back(TE::tileLine());
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"Tile 1 of 1024 - (none) - Grass", "Tile 1 of 1024 - (none) - Solid",
                                                "Tile 1 of 1024 - (none) - Water", "Tile 1 of 1024 - (none) - Land"}));
    EXPECT_FALSE(TE::modified()) << "back where it started";
}

TEST_F(TileEditorTest, RotateTurnsClockwiseFlipAndMirrorTurnOver)
{
    TE::setDrawingColour(red);
    stroke({{3, 0}});
    TE::runCommand(Command::Rotate);
    EXPECT_EQ(pixel(31, 3), red) << "new (x, y) is old (y, 31 - x)";
    EXPECT_EQ(pixel(3, 0), sf::Color::Black);
    for (int i = 0; i < 3; ++i)
        TE::runCommand(Command::Rotate);
    EXPECT_EQ(pixel(3, 0), red) << "four quarter turns";

    TE::runCommand(Command::Flip);
    EXPECT_EQ(pixel(3, 31), red);
    TE::runCommand(Command::Mirror);
    EXPECT_EQ(pixel(28, 31), red);
}

TEST_F(TileEditorTest, ImportedPicturesTakeTheNearestPixelHalvesRoundedUp)
{
    // A 3 by 3 picture: column and row i in red and green i * 100.
    sf::Image three;
    three.create(3, 3);
    for (unsigned y = 0; y < 3; ++y)
        for (unsigned x = 0; x < 3; ++x)
            three.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x * 100), static_cast<sf::Uint8>(y * 100), 0));
    const sf::Image tile = TE::tileImageFrom(three);
    ASSERT_EQ(tile.getSize(), sf::Vector2u(32, 32));
    std::vector<int> columns;
    for (unsigned x = 0; x < 32; ++x)
        columns.push_back(tile.getPixel(x, 0).r / 100);
    // x * 3 / 32: 5 gives 0.47, 6 gives 0.56, 16 gives exactly 1.5, and
    // from 27 on it is past 2.5 but kept inside the picture.
    std::vector<int> expected(32, 2);
    std::fill(expected.begin(), expected.begin() + 6, 0);
    std::fill(expected.begin() + 6, expected.begin() + 16, 1);
    EXPECT_EQ(columns, expected);
    EXPECT_EQ(tile.getPixel(0, 16).g, 200);
    EXPECT_EQ(tile.getPixel(0, 15).g, 100);

    // A 64 by 64 picture through the Import Image command: every second pixel.
    sf::Image big;
    big.create(64, 64);
    for (unsigned y = 0; y < 64; ++y)
        for (unsigned x = 0; x < 64; ++x)
            big.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x * 4), static_cast<sf::Uint8>(y * 4), 7));
    const std::string path = temp.file("pictures/big.png");
    std::filesystem::create_directories(temp.root() / "pictures");
    ASSERT_TRUE(big.saveToFile(path));
    Game::otherPaths().imageImportPath = (temp.root() / "pictures").string() + "/";
    test::ModalDriver driver(fake.window);
    driver.type("big.png").press(sf::Keyboard::Return);
    TE::runCommand(Command::ImportImage);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Import Image"});
    EXPECT_EQ(pixel(5, 9), sf::Color(40, 72, 7));
    EXPECT_EQ(pixel(31, 31), sf::Color(248, 248, 7));
    EXPECT_EQ(lastMessage(), "Imported tile from " + path);
    EXPECT_EQ(Game::otherPaths().imageImportPath, (temp.root() / "pictures").string() + "/");
    EXPECT_TRUE(TE::canUndo()) << "an import is a step";
}

TEST_F(TileEditorTest, TheTileSheetGoesOutAndComesBackWholeAndAWrongSizeIsRefused)
{
    std::filesystem::create_directories(temp.root() / "sheets");
    const std::string folder = (temp.root() / "sheets").string() + "/";
    const std::string sheet = folder + "all.png";
    Game::otherPaths().imageExportPath = folder;
    goTo(33);
    TE::setDrawingColour(red);
    stroke({{0, 0}});
    {
        test::ModalDriver driver(fake.window);
        driver.type("all").press(sf::Keyboard::Return);
        TE::runCommand(Command::ExportTilesheet);
        EXPECT_EQ(driver.screens, std::vector<std::string>{"Export Tilesheet"});
    }
    EXPECT_EQ(lastMessage(), "Exported tilesheet to " + sheet);
    sf::Image written;
    ASSERT_TRUE(written.loadFromFile(sheet));
    EXPECT_EQ(written.getSize(), sf::Vector2u(1024, 1024));
    EXPECT_EQ(written.getPixel(32, 32), red) << "tile 33 sits at 32, 32";

    TE::setDrawingColour(blue);
    stroke({{0, 0}});
    {
        test::ModalDriver driver(fake.window);
        driver.type("all.png").press(sf::Keyboard::Return);
        TE::runCommand(Command::ImportTilesheet);
    }
    EXPECT_EQ(pixel(0, 0), red) << "the sheet brought the tile back";
    EXPECT_EQ(lastMessage(), "Imported tilesheet from " + sheet);

    sf::Image small;
    small.create(1024, 1023, blue);
    ASSERT_TRUE(small.saveToFile(folder + "small.png"));
    test::ModalDriver driver(fake.window);
    driver.type("small.png").press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    TE::runCommand(Command::ImportTilesheet);
    EXPECT_EQ(driver.screens.back(), "Message: Invalid image size, must be 1024 by 1024 pixels");
    EXPECT_EQ(pixel(0, 0), red);
    EXPECT_EQ(Game::otherPaths().imageExportPath, folder);
}

TEST_F(TileEditorTest, APictureThatCannotBeReadIsReportedAndChangesNothing)
{
    test::writeFile(temp.root() / "broken.png", "not a picture");
    Game::otherPaths().imageImportPath = temp.root().string() + "/";
    test::ModalDriver driver(fake.window);
    driver.type("broken.png").press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    TE::runCommand(Command::ImportImage);
    EXPECT_EQ(driver.screens.back(), "Message: Error reading \"" + temp.file("broken.png") + "\"");
    EXPECT_FALSE(TE::modified());
}

TEST_F(TileEditorTest, TheCanvasBorderMapsToNoPixelAndPaintsNothing)
{
    const TE::Layout l = TE::layout(KVCore::viewSize());
    const int right = static_cast<int>(l.canvas.left + 32.f * TE::zoom());
    const int bottom = static_cast<int>(l.canvas.top + 32.f * TE::zoom());
    EXPECT_EQ(TE::pixelAt({right - 1, bottom - 1}), sf::Vector2i(31, 31));
    EXPECT_EQ(TE::pixelAt({right, bottom - 1}), std::nullopt);
    EXPECT_EQ(TE::pixelAt({right - 1, bottom}), std::nullopt);
    EXPECT_EQ(TE::pixelAt({static_cast<int>(l.canvas.left), static_cast<int>(std::ceil(l.canvas.top))}),
              sf::Vector2i(0, 0));

    TE::setDrawingColour(red);
    tickAt({right, bottom}, sf::Mouse::Left);
    tickAt({right, bottom}, std::nullopt);
    EXPECT_FALSE(TE::modified());
    EXPECT_FALSE(TE::canUndo()) << "no step without a change";
}

TEST_F(TileEditorTest, TheRightButtonPicksFromTheCanvasAndFillsFromTheColourBar)
{
    TE::setDrawingColour(blue);
    stroke({{7, 7}});
    TE::setDrawingColour(red);
    EXPECT_EQ(clickAt(pointOf({7, 7}), sf::Mouse::Right), Command::None);
    EXPECT_EQ(TE::drawingColour(), blue);
    EXPECT_EQ(TE::colourLine(), "0,0,255");
    EXPECT_EQ(lastMessage(), "Picked colour from tile");

    const sf::FloatRect bar = TE::layout(KVCore::viewSize()).colourBar;
    const sf::Vector2i onBar(static_cast<int>(bar.left + 10.f), static_cast<int>(bar.top + 10.f));
    EXPECT_EQ(clickAt(onBar, sf::Mouse::Right), Command::FillTile);
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    TE::runCommand(Command::FillTile);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Confirm: Fill tile with current colour?"});
    EXPECT_EQ(pixel(0, 0), blue);
    EXPECT_EQ(pixel(31, 31), blue);

    EXPECT_EQ(clickAt(onBar, sf::Mouse::Left), Command::ChooseDrawingColour);
    EXPECT_EQ(pixel(0, 0), blue) << "the colour bar is no canvas";
}

TEST_F(TileEditorTest, SaveAsksForAPathOnlyWhenTheFileIsNotOurs)
{
    test::ModalDriver driver(fake.window);
    const std::string tiles = temp.root().string() + "/";
    driver.then([](test::FakeWindow& w) {
              for (int i = 0; i < 100; ++i)
                  w.pressKey(sf::Keyboard::BackSpace);
          })
        .type(tiles + "new")
        .press(sf::Keyboard::Return);
    TE::runCommand(Command::ChangeTileType);
    EXPECT_EQ(TE::caption(), "*(unsaved file) - Tile Editor");
    TE::runCommand(Command::SaveTileset);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Save Tileset As"}) << "a new tileset has no path yet";
    EXPECT_EQ(TE::fileName(), tiles + "new.til");
    EXPECT_EQ(TE::caption(), tiles + "new.til - Tile Editor");
    EXPECT_EQ(lastMessage(), "Saved tileset to " + tiles + "new.til");

    TE::runCommand(Command::ChangeTileType);
    TE::runCommand(Command::SaveTileset);
    EXPECT_EQ(driver.screens.size(), 1u) << "a loaded or saved file is written without asking";
    Tileset read;
    ASSERT_TRUE(read.load(tiles + "new.til"));
    EXPECT_EQ(read.tiles[0].type, TileType::Solid);
}

TEST_F(TileEditorTest, AnImportedTalvexTilesetIsNeverSavedOverItsOwnFile)
{
    test::TalvexTileset talvex;
    talvex.record(0, 1, "wall");
    const std::string original = talvex.data;
    test::writeFile(temp.root() / "old.til", original);
    Game::otherPaths().importTalvexTilesPath = temp.root().string() + "/";

    test::ModalDriver driver(fake.window);
    driver.type("old.til").press(sf::Keyboard::Return).press(sf::Keyboard::Escape);
    TE::runCommand(Command::ImportTalvexTileset);
    EXPECT_EQ(TE::fileName(), temp.file("old.til"));
    EXPECT_EQ(TE::tileLine(), "Tile 1 of 1024 - wall - Solid");
    EXPECT_EQ(lastMessage(), "Imported tileset from " + temp.file("old.til"));
    EXPECT_TRUE(TE::modified()) << "not saved as a tileset of ours yet";

    TE::runCommand(Command::SaveTileset);
    EXPECT_EQ(driver.screens, (std::vector<std::string>{"Import Talvex Tileset", "Save Tileset As"}));
    EXPECT_EQ(test::readFile(temp.root() / "old.til"), original);
}

TEST_F(TileEditorTest, NewAndExitAlwaysAsk)
{
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Escape).press(sf::Keyboard::Escape).press(sf::Keyboard::Return);
    EXPECT_FALSE(TE::confirmExit());
    TE::runCommand(Command::ChangeTileType);
    TE::runCommand(Command::NewTileset);
    EXPECT_EQ(TE::tileLine(), "Tile 1 of 1024 - (none) - Grass") << "No keeps the tiles";
    TE::runCommand(Command::NewTileset);
    EXPECT_EQ(TE::tileLine(), "Tile 1 of 1024 - (none) - Land");
    EXPECT_FALSE(TE::modified());
    EXPECT_FALSE(TE::canUndo()) << "a new tileset starts a new history";
    EXPECT_EQ(driver.screens,
              (std::vector<std::string>{
                  "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Tile Editor?",
                  "Confirm: New Tileset - Unsaved tiles will be lost!  Continue?"}));
}

TEST_F(TileEditorTest, ADescriptionIsTypedAtMostThirtyTwoCharacters)
{
    test::ModalDriver driver(fake.window);
    driver.then([](test::FakeWindow& w) {
              for (int i = 0; i < 6; ++i)
                  w.pressKey(sf::Keyboard::BackSpace);
          })
        .type(std::string(40, 'g'))
        .press(sf::Keyboard::Return);
    TE::runCommand(Command::ChangeTileDescription);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Tile Description"});
    EXPECT_EQ(TE::tileLine(), "Tile 1 of 1024 - " + std::string(32, 'g') + " - Land");
    TE::runCommand(Command::Undo);
    EXPECT_EQ(TE::tileLine(), "Tile 1 of 1024 - (none) - Land");
}

TEST_F(TileEditorTest, AStrokeIsOneStepAndUndoBringsBackTheTileItChanged)
{
    TE::setDrawingColour(red);
    stroke({{1, 1}, {3, 1}, {3, 2}});
    ASSERT_EQ(pixel(3, 2), red);
    EXPECT_EQ(pixel(2, 1), red) << "a pixel the mouse passed between two ticks";
    TE::runCommand(Command::Flip);
    goTo(40);
    TE::runCommand(Command::Undo);
    EXPECT_EQ(TE::currentTile(), 0) << "undo shows the tile it changed";
    EXPECT_EQ(pixel(3, 29), sf::Color::Black);
    EXPECT_EQ(pixel(3, 2), red) << "the flip alone is undone";
    TE::runCommand(Command::Undo);
    for (int x : {1, 2, 3})
        EXPECT_EQ(pixel(x, 1), sf::Color::Black) << "the whole stroke at once";
    EXPECT_FALSE(TE::canUndo());

    TE::runCommand(Command::Redo);
    EXPECT_EQ(pixel(1, 1), red);
    EXPECT_EQ(pixel(3, 2), red);
    TE::runCommand(Command::Redo);
    EXPECT_EQ(pixel(3, 29), red);
    TE::runCommand(Command::Redo);
    EXPECT_EQ(lastMessage(), "Nothing to redo");

    TE::runCommand(Command::Undo);
    TE::runCommand(Command::Mirror);
    EXPECT_FALSE(TE::canRedo()) << "a new edit drops what was undone";
}

TEST_F(TileEditorTest, AQuickDragStartsWhereTheButtonWentDown)
{
    TE::setDrawingColour(red);
    fake.window.mouse = pointOf({5, 5});
    fake.window.mouseButton(sf::Mouse::Left, true);
    tickAt(pointOf({8, 5}), sf::Mouse::Left);
    tickAt(pointOf({8, 5}), std::nullopt);
    for (int x = 5; x <= 8; ++x)
        EXPECT_EQ(pixel(x, 5), red) << x;
    EXPECT_EQ(pixel(4, 5), sf::Color::Black);
}

TEST_F(TileEditorTest, TheMarkFollowsUndoBackToWhatWasSaved)
{
    const std::string path = test::written(temp.file("lawn.til"), test::tilesetFile("lawn"));
    ASSERT_TRUE(TE::loadTileset(path));
    EXPECT_EQ(TE::caption(), path + " - Tile Editor");
    EXPECT_EQ(lastMessage(), "Loaded tileset from " + path);

    TE::runCommand(Command::Rotate);
    EXPECT_FALSE(TE::modified()) << "a flat tile turned is the same tile";
    TE::setDrawingColour(green);
    stroke({{0, 0}});
    EXPECT_EQ(TE::caption(), "*" + path + " - Tile Editor");
    TE::runCommand(Command::Undo);
    EXPECT_EQ(TE::caption(), path + " - Tile Editor");
    TE::runCommand(Command::Redo);
    EXPECT_TRUE(TE::modified());
    TE::runCommand(Command::SaveTileset);
    EXPECT_FALSE(TE::modified());
    TE::runCommand(Command::Undo);
    EXPECT_TRUE(TE::modified()) << "now the saved file has the pixel";
}

// The running editor: an unreadable file starts a new tileset, the Control
// shortcuts go before the toolbar keys they share, and leaving lets the
// tileset go.
TEST_F(TileEditorTest, TheRunningEditorStartsNewOnABadPathAndKeepsControlKeysApart)
{
    TE::close();
    const std::string missing = temp.file("missing.til");
    std::vector<std::string> seen;
    int frame = 0;
    auto press = [this](sf::Keyboard::Key key, bool control) {
        if (control)
            fake.window.keys.insert(sf::Keyboard::LControl);
        else
            fake.window.keys.erase(sf::Keyboard::LControl);
        fake.window.pressKey(key);
    };
    TE::setFrameHook([&] {
        switch (frame++) {
        case 0:
            seen.push_back(TE::fileName() + " " + std::to_string(TE::currentTile()));
            TE::setDrawingColour(red);
            press(sf::Keyboard::Right, false);
            break;
        case 2:
            fake.window.mouse = pointOf({0, 0});
            fake.window.buttons.insert(sf::Mouse::Left);
            break;
        case 3: fake.window.buttons.clear(); break;
        case 4:
            // Control and Z both down and up again before the tick.
            fake.window.pressKey(sf::Keyboard::LControl);
            fake.window.pressKey(sf::Keyboard::Z);
            break;
        case 6:
            seen.push_back(pixel(0, 0) == red ? "painted" : "undone");
            press(sf::Keyboard::Y, true);
            break;
        case 7: {
            sf::Event wheel{};
            wheel.type = sf::Event::MouseWheelScrolled;
            wheel.mouseWheelScroll.delta = 1.f;
            fake.window.events.push_back(wheel);
            break;
        }
        case 8: press(sf::Keyboard::G, true); break;
        case 10:
            seen.push_back(pixel(0, 0) == red ? "painted" : "undone");
            seen.push_back(TE::tileLine() + (TE::gridShown() ? " grid" : "") + (TE::canRedo() ? " redo" : "") +
                           " zoom " + std::to_string(static_cast<int>(TE::zoom())));
            press(sf::Keyboard::Escape, false);
            break;
        default: break;
        }
    });
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    Editors::runTileEditor(missing, 5);

    EXPECT_EQ(driver.screens.front(), "Message: Unable to open " + missing);
    EXPECT_EQ(driver.screens.back(),
              "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Tile Editor?");
    EXPECT_EQ(driver.screens.size(), 2u) << "G with Control opens no tile picker";
    EXPECT_EQ(seen, (std::vector<std::string>{"(unsaved file) 0", "undone", "painted",
                                              "Tile 2 of 1024 - (none) - Land grid zoom 15"}))
        << "a quick Control+Z undid the stroke; Y with Control held redid it and changed no type; the wheel zoomed";
    EXPECT_FALSE(TE::tileset().loaded);
}

TEST_F(TileEditorTest, AButtonStillHeldAfterACommandPaintsAgainOnlyOnceLetGo)
{
    std::vector<std::string> seen;
    int frame = 0;
    TE::setFrameHook([&] {
        switch (frame++) {
        case 0:
            TE::setDrawingColour(red);
            fake.window.mouse = pointOf({0, 0});
            fake.window.buttons.insert(sf::Mouse::Left);
            break;
        case 2: fake.window.pressKey(sf::Keyboard::Right); break;
        case 6:
            seen.push_back(std::to_string(TE::currentTile()) + (pixel(0, 0) == red ? " painted" : " clean"));
            fake.window.buttons.clear();
            break;
        case 7: fake.window.buttons.insert(sf::Mouse::Left); break;
        case 9:
            seen.push_back(std::to_string(TE::currentTile()) + (pixel(0, 0) == red ? " painted" : " clean"));
            fake.window.buttons.clear();
            fake.window.pressKey(sf::Keyboard::Escape);
            break;
        default: break;
        }
    });
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    Editors::runTileEditor("", 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"1 clean", "1 painted"}));
}

// The scripted tileset below must equal tests/editors/golden/scripted.til.
// A tileset file holds all 1024 tiles (3 MB); the script touches tiles 5
// to 7 only, so the stored file ends after tile 7 and every later tile must
// repeat the untouched tile 0 byte for byte.  To regenerate on purpose, run
// this test with KELVANE_UPDATE_GOLDEN=1 and commit the file it writes.
TEST_F(TileEditorTest, AScriptedTilesetEqualsItsStoredBytes)
{
    goTo(5);
    TE::setDrawingColour(red);
    stroke({{0, 0}, {1, 0}, {2, 1}});
    TE::setDrawingColour(sf::Color(10, 20, 30));
    stroke({{31, 31}, {30, 31}});
    TE::runCommand(Command::ChangeTileType);
    TE::runCommand(Command::ChangeTileType);

    test::ModalDriver driver(fake.window);
    const std::string path = temp.root().string() + "/scripted.til";
    driver.press(sf::Keyboard::Return)
        .then([](test::FakeWindow& w) {
            for (int i = 0; i < 6; ++i)
                w.pressKey(sf::Keyboard::BackSpace);
        })
        .type("long grass")
        .press(sf::Keyboard::Return)
        .then([](test::FakeWindow& w) {
            for (int i = 0; i < 100; ++i)
                w.pressKey(sf::Keyboard::BackSpace);
        })
        .type(path)
        .press(sf::Keyboard::Return);
    TE::runCommand(Command::NextTile);
    TE::setDrawingColour(blue);
    TE::runCommand(Command::FillTile);
    TE::setDrawingColour(green);
    stroke({{4, 0}});
    TE::runCommand(Command::Rotate);
    TE::runCommand(Command::ChangeTileDescription);
    TE::runCommand(Command::PreviousTile);
    TE::runCommand(Command::CopyTile);
    goTo(7);
    TE::runCommand(Command::PasteTile);
    TE::runCommand(Command::SaveTileset);
    ASSERT_EQ(TE::fileName(), path);

    const std::string made = test::readFile(path);
    // Header: tag, version and an empty description; a record: its
    // description, type, 32 by 32 and the pixels.
    const std::size_t header = 2 + 15 + 2 + 2;
    std::size_t throughTile7 = header;
    for (int i = 0; i < 8; ++i)
        throughTile7 += 2 + TE::tileset().tiles[static_cast<std::size_t>(i)].description.size() + 1 + 4 + 32 * 32 * 3;
    const std::filesystem::path golden = test::goldenFolder("editors") / "scripted.til";
    if (std::getenv("KELVANE_UPDATE_GOLDEN")) {
        test::writeFile(golden, made.substr(0, throughTile7));
        GTEST_SKIP() << "wrote " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing";
    const std::string stored = test::readFile(golden);
    EXPECT_TRUE(made.compare(0, stored.size(), stored) == 0)
        << "tiles 0 to 7 differ from " << golden << "; if the change is meant, regenerate it as the comment says";

    const std::string untouched = stored.substr(header, 2 + 6 + 1 + 4 + 32 * 32 * 3);
    ASSERT_EQ(made.size(), stored.size() + 1016 * untouched.size());
    for (std::size_t at = stored.size(); at < made.size(); at += untouched.size())
        ASSERT_TRUE(made.compare(at, untouched.size(), untouched) == 0) << "the record at byte " << at;
}

} // namespace
