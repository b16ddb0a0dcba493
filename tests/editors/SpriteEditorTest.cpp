// Sprite Editor: stepping through frames, display times, deleting, zoom
// limits, saving, frames the loader would refuse, the frame image files and
// their folders, the preview, undo and the "*" mark, and a scripted sprite
// that must equal its stored file byte for byte.
#include "editors/SpriteEditor.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "game/GameResources.hpp"
#include "gui/ModalDriver.hpp"
#include "support/Golden.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

namespace SE = Editors::SpriteEditor;
using Command = SE::Command;

class SpriteEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        Keyboard::buildKeyNameTable();
        savedPaths = Game::otherPaths();
        Game::otherPaths() = {};
        KVCore::clearScreenMessages();
        KVCore::clearConsoleLines();
        SE::begin();
    }
    void TearDown() override
    {
        SE::end();
        Game::otherPaths() = savedPaths;
    }

    // A picture file in the temporary folder, pixel by pixel.
    std::string picture(const std::string& name, unsigned width, unsigned height,
                        const std::function<sf::Color(unsigned, unsigned)>& pixel)
    {
        sf::Image image;
        image.create(width, height);
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
                image.setPixel(x, y, pixel(x, y));
        const std::string path = temp.file(name);
        EXPECT_TRUE(image.saveToFile(path));
        return path;
    }
    std::string picture(const std::string& name, unsigned width, unsigned height, sf::Color colour = sf::Color::Red)
    {
        return picture(name, width, height, [colour](unsigned, unsigned) { return colour; });
    }
    void addFrames(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(SE::addFrameFrom(picture("f" + std::to_string(i) + ".png", 4 + i, 2)));
    }

    // Runs an action while the driver answers its dialogs; the screens seen.
    using Answers = std::function<void(test::ModalDriver&)>;
    std::vector<std::string> withDialogs(const std::function<void()>& action, const Answers& answers = {})
    {
        fake.window.open = true;
        test::ModalDriver driver(fake.window);
        if (answers)
            answers(driver);
        action();
        EXPECT_FALSE(driver.gaveUp) << "a dialog was left waiting";
        return driver.screens;
    }
    std::vector<std::string> run(Command command, const Answers& answers = {})
    {
        return withDialogs([command] { SE::run(command); }, answers);
    }
    // Empties the input box, types the text and presses Return; then the
    // further keys.
    static Answers typed(const std::string& text, std::vector<sf::Keyboard::Key> then = {})
    {
        return [text, then](test::ModalDriver& d) {
            d.then([](test::FakeWindow& w) {
                for (int i = 0; i < SE::descriptionLimit; ++i)
                    w.pressKey(sf::Keyboard::BackSpace);
            });
            d.type(text).press(sf::Keyboard::Return);
            for (sf::Keyboard::Key k : then)
                d.press(k);
        };
    }
    static Answers keys(std::vector<sf::Keyboard::Key> pressed)
    {
        return [pressed](test::ModalDriver& d) {
            for (sf::Keyboard::Key k : pressed)
                d.press(k);
        };
    }

    std::string lastPrinted() const
    {
        const auto& lines = KVCore::screenMessages();
        return lines.empty() ? std::string() : lines.back().text;
    }
    std::vector<std::int16_t> displayTimes() const
    {
        std::vector<std::int16_t> times;
        for (const SpriteFrame& f : SE::sprite().frames)
            times.push_back(f.displayTime);
        return times;
    }

    test::FakeWindowScope fake;
    test::TempFolder temp;
    Game::OtherPaths savedPaths;
};

TEST_F(SpriteEditorTest, PreviousAndNextWrapRoundTheFrames)
{
    SE::run(Command::NextFrame);
    SE::run(Command::PreviousFrame);
    EXPECT_EQ(SE::currentFrameIndex(), 0);
    EXPECT_EQ(SE::statusLines(),
              std::vector<std::string>{"No frames have been created - use Add Frame to add frames to this sprite."});

    addFrames(3);
    EXPECT_EQ(SE::currentFrameIndex(), 2) << "a new frame is shown";
    SE::run(Command::NextFrame);
    EXPECT_EQ(SE::statusLines().front(), "Frame 1 of 3 (4 by 2) - Display time 50/100 sec");
    SE::run(Command::PreviousFrame);
    EXPECT_EQ(SE::statusLines().front(), "Frame 3 of 3 (6 by 2) - Display time 50/100 sec");
    SE::run(Command::PreviousFrame);
    EXPECT_EQ(SE::statusLines(), (std::vector<std::string>{"Frame 2 of 3 (5 by 2) - Display time 50/100 sec",
                                                            "Original source path: " + temp.file("f1.png"),
                                                            "Scale 5.0x"}));
}

TEST_F(SpriteEditorTest, DisplayTimesFollowTheFrameBeforeAndStayInRange)
{
    addFrames(1);
    EXPECT_EQ(displayTimes(), std::vector<std::int16_t>{50});
    EXPECT_EQ(run(Command::SetFrameDisplayTime, typed("12")),
              std::vector<std::string>{"Enter new display time (100/sec) (-1 = constant)(-1 to 1000)"});
    addFrames(1);
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{12, 12})) << "a new frame takes the last frame's time";

    EXPECT_EQ(run(Command::SetFrameDisplayTime, typed("1001", {sf::Keyboard::Return})).back(),
              "Message: Input out of range!");
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{12, 12}));

    EXPECT_EQ(run(Command::SetAllFramesDisplayTime, typed("-1")),
              std::vector<std::string>{"Enter new display time for all frames (100/sec) (-1 = constant)(-1 to 1000)"});
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{-1, -1})) << "-1 is kept: the frame stays";
}

TEST_F(SpriteEditorTest, AConstantFrameStaysInThePreviewAndLoadsWithTheTimeBefore)
{
    addFrames(3);
    SE::sprite().frames[0].displayTime = 20;
    SE::sprite().frames[1].displayTime = -1;
    const auto later = [this](double seconds) {
        return [this, seconds](test::FakeWindow&) { fake.time.advance(seconds); };
    };
    std::vector<std::int16_t> shown;
    const auto note = [&shown](test::FakeWindow&) { shown.push_back(SE::sprite().currentFrame); };
    const auto screens = run(Command::PreviewSprite, [&](test::ModalDriver& d) {
        d.then(note).then(later(0.25)).then(note).then(later(5.0)).then(note).press(sf::Keyboard::V);
    });
    EXPECT_EQ(screens, std::vector<std::string>{"Preview Sprite: Previewing sprite - V/Escape/click = exit | "
                                                "Up/Down/Wheel = zoom | Left/right = rotate | R = reset"});
    EXPECT_EQ(shown, (std::vector<std::int16_t>{0, 1, 1}));

    const std::string path = temp.file("still.spr");
    ASSERT_TRUE(SE::saveSpriteTo(path));
    ASSERT_TRUE(SE::loadSpriteFrom(path));
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{20, 20, 50}));
}

TEST_F(SpriteEditorTest, PreviewTurnsWithinAFullCircleZoomsAndResets)
{
    addFrames(1);
    std::vector<float> turns;
    const auto note = [&turns](test::FakeWindow&) { turns.push_back(SE::previewRotation()); };
    const auto hold = [this](sf::Keyboard::Key key, double seconds) {
        return [this, key, seconds](test::FakeWindow& w) {
            w.keys = {key};
            fake.time.advance(seconds);
        };
    };
    const auto release = [](test::FakeWindow& w) { w.keys.clear(); };
    run(Command::PreviewSprite, [&](test::ModalDriver& d) {
        d.then(hold(sf::Keyboard::Left, 0.2)).then(release).then(note);
        d.then(hold(sf::Keyboard::Right, 0.6)).then(release).then(note);
        d.press(sf::Keyboard::R).then(note);
        d.press(sf::Keyboard::Up).press(sf::Keyboard::Up).press(sf::Keyboard::Down).press(sf::Keyboard::Escape);
    });
    ASSERT_EQ(turns.size(), 3u);
    EXPECT_NEAR(turns[0], 330.f, 0.01f) << "Left turns back from 0 to just under 360";
    EXPECT_NEAR(turns[1], 60.f, 0.01f) << "Right turns on past 360 to the start again";
    EXPECT_EQ(turns[2], 0.f);
    EXPECT_EQ(SE::zoom(), 5.5f);
    EXPECT_TRUE(Keyboard::pressedKeys().empty()) << "the Escape that left the preview reaches no one else";
}

TEST_F(SpriteEditorTest, DeletingAsksAndKeepsTheIndexOnAFrame)
{
    addFrames(3);
    EXPECT_EQ(run(Command::DeleteFrame, keys({sf::Keyboard::Escape})),
              std::vector<std::string>{"Confirm: Delete frame 3?"});
    EXPECT_EQ(SE::sprite().frames.size(), 3u);

    run(Command::DeleteFrame, keys({sf::Keyboard::Return}));
    EXPECT_EQ(SE::statusLines().front(), "Frame 2 of 2 (5 by 2) - Display time 50/100 sec");

    SE::run(Command::PreviousFrame);
    run(Command::DeleteFrame, keys({sf::Keyboard::Return}));
    EXPECT_EQ(SE::sprite().frames[0].sourcePath, temp.file("f1.png")) << "later frames move down";
    EXPECT_EQ(SE::currentFrameIndex(), 0);
    EXPECT_EQ(SE::sprite().textureSize(), sf::Vector2u(16, 16)) << "the texture is packed again";
}

TEST_F(SpriteEditorTest, CommandsWithoutAFrameSayWhyAndAskNothing)
{
    const std::pair<Command, const char*> cases[] = {
        {Command::DeleteFrame, "No frame to delete"},
        {Command::SetFrameDisplayTime, "No frame to edit"},
        {Command::SetAllFramesDisplayTime, "No frames to edit"},
        {Command::ImportFrameImage, "No frame to import image to"},
        {Command::ExportFrameImage, "No frame to export image from"},
        {Command::PreviewSprite, "Sprite has no frames"},
        {Command::ViewTexture, "Sprite has no frames"},
    };
    for (const auto& [command, message] : cases) {
        SCOPED_TRACE(message);
        EXPECT_TRUE(run(command).empty());
        EXPECT_EQ(lastPrinted(), message);
    }
    EXPECT_FALSE(SE::canUndo());
}

TEST_F(SpriteEditorTest, ZoomStopsAtItsLimitsWithAMessage)
{
    while (SE::zoom() < SE::maxZoom)
        SE::run(Command::ZoomIn);
    EXPECT_EQ(lastPrinted(), "");
    SE::run(Command::ZoomIn);
    EXPECT_EQ(SE::zoom(), 16.f);
    EXPECT_EQ(lastPrinted(), "Maximum zoom");

    int steps = 0;
    while (SE::zoom() > SE::minZoom && ++steps < 100)
        SE::run(Command::ZoomOut);
    EXPECT_EQ(steps, 31) << "half steps from 16 down to 0.5";
    SE::run(Command::ZoomOut);
    EXPECT_EQ(SE::zoom(), 0.5f);
    EXPECT_EQ(lastPrinted(), "Minimum zoom");
    addFrames(1);
    EXPECT_EQ(SE::statusLines().back(), "Scale 0.5x");
}

TEST_F(SpriteEditorTest, SaveAsksForAFileOnceAndNeedsAFrame)
{
    const std::string path = temp.file("first.spr");
    EXPECT_EQ(run(Command::SaveSprite, typed(path, {sf::Keyboard::Return})),
              (std::vector<std::string>{"Save Sprite As", "Message: Cannot save sprite because no frames exist"}));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(SE::fileName(), SE::unsavedFileName);

    addFrames(1);
    run(Command::SaveSprite, typed(path));
    EXPECT_EQ(lastPrinted(), "Saved sprite to " + path);
    EXPECT_EQ(SE::caption(), path + " - Sprite Editor");
    addFrames(1);
    EXPECT_TRUE(run(Command::SaveSprite).empty()) << "a named file is saved without a question";
    Sprite reread;
    ASSERT_TRUE(reread.load(path));
    EXPECT_EQ(reread.frames.size(), 2u);
    EXPECT_EQ(run(Command::SaveSpriteAs, typed(path, {sf::Keyboard::Escape})),
              (std::vector<std::string>{"Save Sprite As", "Confirm: Overwrite existing file?"}));
}

// The loader refuses frames wider or higher than 4096 and packings larger
// than 8192; the editor must refuse exactly what a saved sprite could not
// bring back.
TEST_F(SpriteEditorTest, TheFrameSizeRuleAgreesWithTheLoader)
{
    using Sizes = std::vector<sf::Vector2u>;
    const Sizes cases[] = {
        {{4096, 1}},           {{4097, 1}},         {{1, 4097}},        {{4096, 1}, {4096, 1}},
        {{1, 4096}, {1, 4096}}, {{4000, 1}, {90, 1}}, {{3, 1}, {3, 1}, {3, 1}},
    };
    for (const Sizes& sizes : cases) {
        SCOPED_TRACE(std::to_string(sizes.size()) + " frames, first " + std::to_string(sizes[0].x) + " by " +
                     std::to_string(sizes[0].y));
        Sprite written;
        for (const sf::Vector2u& size : sizes) {
            sf::Image image;
            image.create(size.x, size.y, sf::Color::Green);
            written.addFrame(image, "", 10, false);
        }
        const std::string path = temp.file("sized.spr");
        ASSERT_TRUE(written.save(path));
        Sprite loaded;
        EXPECT_EQ(SE::frameSizeProblem(sizes).empty(), loaded.load(path));
    }
    EXPECT_EQ(SE::frameSizeProblem({{4097, 1}}), "Frame image is too large: at most 4096 by 4096 pixels");
}

TEST_F(SpriteEditorTest, AFrameTheLoaderWouldRefuseIsNeverTakenNorSaved)
{
    const std::string wide = picture("wide.png", 4097, 1);
    const std::vector<std::string> tooLarge{"Message: Frame image is too large: at most 4096 by 4096 pixels"};
    const std::vector<std::string> noFit{"Message: Frame image does not fit: the frames of a sprite must pack into "
                                         "8192 by 8192 pixels"};
    const auto ok = keys({sf::Keyboard::Return});
    EXPECT_EQ(withDialogs([&] { EXPECT_FALSE(SE::addFrameFrom(wide)); }, ok), tooLarge);
    EXPECT_TRUE(SE::sprite().frames.empty());

    addFrames(1);
    EXPECT_EQ(withDialogs([&] { EXPECT_FALSE(SE::importFrameImageFrom(wide)); }, ok), tooLarge);
    EXPECT_EQ(SE::sprite().frames[0].image.getSize(), sf::Vector2u(4, 2));
    const std::string longRow = picture("long.png", 4096, 1);
    ASSERT_TRUE(SE::importFrameImageFrom(longRow)) << "4096 is still allowed";
    // Two such frames side by side need 8208 pixels.
    EXPECT_EQ(withDialogs([&] { EXPECT_FALSE(SE::addFrameFrom(longRow)); }, ok), noFit);
    EXPECT_EQ(SE::sprite().frames.size(), 1u);
    EXPECT_EQ(SE::sprite().frames[0].image.getSize(), sf::Vector2u(4096, 1));
    SE::run(Command::Undo);
    EXPECT_EQ(SE::sprite().frames[0].image.getSize(), sf::Vector2u(4, 2)) << "a refused frame is no undo step";
    SE::run(Command::Redo);

    // However it came in, such a frame is not written.
    SE::sprite().frames.assign(2, SE::sprite().frames[0]);
    const std::string path = temp.file("wide.spr");
    const auto said = withDialogs([&] { EXPECT_FALSE(SE::saveSpriteTo(path)); }, ok);
    EXPECT_EQ(said, std::vector<std::string>{"Message: Cannot save sprite because it would not load again. " +
                                             noFit[0].substr(std::string("Message: ").size())});
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SpriteEditorTest, FrameImagesComeFromAndGoToTheFoldersLastUsed)
{
    std::filesystem::create_directory(temp.root() / "in");
    const std::string source = picture("in/keyed.png", 3, 1, [](unsigned x, unsigned) {
        const sf::Color colours[] = {sf::Color::Magenta, sf::Color(10, 20, 30), sf::Color::Cyan};
        return colours[x];
    });
    Game::otherPaths().imageImportPath = temp.root().string() + "/";
    EXPECT_EQ(run(Command::AddFrame, typed("in/keyed.png")), std::vector<std::string>{"Select Frame Image"});
    ASSERT_EQ(SE::sprite().frames.size(), 1u);
    const sf::Image& image = SE::sprite().frames[0].image;
    EXPECT_EQ(image.getPixel(0, 0), sf::Color::Transparent) << "magenta is see-through";
    EXPECT_EQ(image.getPixel(1, 0), sf::Color(10, 20, 30));
    EXPECT_EQ(image.getPixel(2, 0), sf::Color::Transparent) << "cyan is see-through";
    EXPECT_EQ(SE::sprite().frames[0].sourcePath, source);
    EXPECT_EQ(lastPrinted(), "Added frame from " + source);

    EXPECT_EQ(Game::otherPaths().imageImportPath, temp.root().string() + "/in/") << "the next picture comes from there";
    const std::string missing = temp.file("in/missing.png");
    EXPECT_EQ(run(Command::ImportFrameImage, typed("missing.png", {sf::Keyboard::Return})),
              (std::vector<std::string>{"Select Frame Image", "Message: Error reading \"" + missing + "\""}));

    std::filesystem::create_directory(temp.root() / "out");
    const std::string exported = temp.file("out/frame.png");
    Game::otherPaths().imageExportPath = temp.root().string() + "/out/";
    EXPECT_EQ(run(Command::ExportFrameImage, typed("frame")), std::vector<std::string>{"Export Image"});
    EXPECT_EQ(lastPrinted(), "Exported frame image to " + exported) << "a name alone becomes a PNG";
    sf::Image reread;
    ASSERT_TRUE(reread.loadFromFile(exported));
    EXPECT_EQ(reread.getPixel(1, 0), sf::Color(10, 20, 30));

    test::writeFile(exported, "keep");
    EXPECT_EQ(run(Command::ExportFrameImage, typed("frame.png", {sf::Keyboard::Escape})),
              (std::vector<std::string>{"Export Image", "Confirm: Overwrite existing file " + exported + "?"}));
    EXPECT_EQ(test::readFile(exported), "keep");
    EXPECT_EQ(Game::otherPaths().imageImportPath, temp.root().string() + "/in/") << "an unread picture moves nothing";
    EXPECT_EQ(Game::otherPaths().imageExportPath, temp.root().string() + "/out/");
}

TEST_F(SpriteEditorTest, EveryChangeIsOneUndoStepAndTheMarkFollowsTheWork)
{
    EXPECT_EQ(SE::caption(), "(unsaved file) - Sprite Editor");
    addFrames(2);
    EXPECT_EQ(SE::caption(), "*(unsaved file) - Sprite Editor");
    run(Command::SetFrameDisplayTime, typed("7"));
    EXPECT_EQ(run(Command::ChangeDescription, typed("mower")), std::vector<std::string>{"Sprite Description"});
    EXPECT_EQ(SE::sprite().description, "mower");
    run(Command::DeleteFrame, keys({sf::Keyboard::Return}));
    ASSERT_EQ(SE::sprite().frames.size(), 1u);

    SE::run(Command::Undo);
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{50, 7}));
    EXPECT_EQ(SE::currentFrameIndex(), 1) << "undo shows the frame it brought back";
    SE::run(Command::Undo);
    EXPECT_EQ(SE::sprite().description, "(none)");
    SE::run(Command::Undo);
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{50, 50}));
    SE::run(Command::Undo);
    SE::run(Command::Undo);
    EXPECT_TRUE(SE::sprite().frames.empty());
    EXPECT_FALSE(SE::canUndo());
    EXPECT_EQ(SE::caption(), "(unsaved file) - Sprite Editor") << "undone back to the start: no mark";

    SE::run(Command::Redo);
    SE::run(Command::Redo);
    EXPECT_EQ(SE::sprite().frames.size(), 2u);
    EXPECT_EQ(SE::sprite().textureSize(), sf::Vector2u(32, 16)) << "redone frames are packed to be drawn";
    run(Command::SetAllFramesDisplayTime, typed("-1"));
    EXPECT_FALSE(SE::canRedo()) << "a new change drops what was undone";
    SE::run(Command::Undo);
    SE::run(Command::Redo);
    EXPECT_EQ(displayTimes(), (std::vector<std::int16_t>{-1, -1})) << "undo keeps a constant frame constant";

    const std::string path = temp.file("marked.spr");
    ASSERT_TRUE(SE::saveSpriteTo(path));
    EXPECT_EQ(SE::caption(), path + " - Sprite Editor");
    SE::run(Command::Undo);
    EXPECT_EQ(SE::caption(), "*" + path + " - Sprite Editor");
    SE::run(Command::Redo);
    EXPECT_FALSE(SE::modified()) << "back to what was saved";
}

TEST_F(SpriteEditorTest, NewLoadAndImportStartAFreshHistory)
{
    addFrames(2);
    const std::string path = temp.file("two.spr");
    ASSERT_TRUE(SE::saveSpriteTo(path));
    addFrames(1);
    ASSERT_TRUE(SE::canUndo());
    EXPECT_EQ(run(Command::LoadSprite, typed(path)), std::vector<std::string>{"Load Sprite"})
        << "Load never asks about unsaved changes";
    EXPECT_EQ(SE::sprite().frames.size(), 2u);
    EXPECT_EQ(SE::currentFrameIndex(), 0);
    EXPECT_FALSE(SE::canUndo());
    EXPECT_EQ(lastPrinted(), "Loaded sprite from " + path);

    addFrames(1);
    EXPECT_EQ(run(Command::NewSprite, keys({sf::Keyboard::Escape})),
              std::vector<std::string>{"Confirm: New Sprite - Unsaved changes will be lost!  Continue?"});
    EXPECT_EQ(SE::sprite().frames.size(), 3u);
    run(Command::NewSprite, keys({sf::Keyboard::Return}));
    EXPECT_TRUE(SE::sprite().frames.empty());
    EXPECT_EQ(SE::caption(), "(unsaved file) - Sprite Editor");
    EXPECT_FALSE(SE::canUndo());

    addFrames(1);
    const std::string talvex = test::written(temp.file("talvex.spr"), test::talvexSprite("zol sprite file", 6));
    ASSERT_TRUE(SE::importTalvexSpriteFrom(talvex));
    EXPECT_FALSE(SE::canUndo());
    EXPECT_EQ(SE::sprite().frames.size(), 2u);
    EXPECT_EQ(SE::caption(), "*" + talvex + " - Sprite Editor") << "the other game's file is not saved yet";
    EXPECT_EQ(Game::otherPaths().importTalvexSpritePath, temp.root().string() + "/");

    const std::string kept = test::readFile(talvex);
    EXPECT_EQ(run(Command::SaveSprite, typed(talvex, {sf::Keyboard::Escape})),
              (std::vector<std::string>{"Save Sprite As", "Confirm: Overwrite existing file?"}));
    EXPECT_EQ(test::readFile(talvex), kept) << "the imported file is replaced only when the user says so";

    EXPECT_EQ(run(Command::LoadSprite, typed(talvex, {sf::Keyboard::Return})).back(),
              "Message: Not a valid sprite file");
    EXPECT_EQ(SE::sprite().frames.size(), 2u) << "a refused file changes nothing";
}

TEST_F(SpriteEditorTest, ExitAsksEveryTimeAndTheEditorLoopRunsTheToolbar)
{
    addFrames(1);
    ASSERT_TRUE(SE::saveSpriteTo(temp.file("saved.spr")));
    EXPECT_EQ(run(Command::Exit, keys({sf::Keyboard::Escape})),
              std::vector<std::string>{
                  "Confirm: Any unsaved changes will be lost.  Are you sure that you want to exit the Sprite Editor?"});
    EXPECT_FALSE(SE::exitRequested()) << "asked although nothing was changed";

    // The real loop: F adds a frame through its selector, Control+Z undoes
    // it, Control+Shift+Z redoes it, Escape asks to leave, and leaving
    // empties the sprite.
    Game::otherPaths().imageImportPath = temp.root().string() + "/";
    picture("a.png", 2, 2);
    std::vector<std::size_t> counts;
    int frames = 0;
    fake.window.open = true;
    test::ModalDriver driver(fake.window);
    driver.type("a.png").press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    SE::setFrameHook([&] {
        test::FakeWindow& w = fake.window;
        switch (++frames) {
        case 2: w.pressKey(sf::Keyboard::F); break;
        case 10:
            // Control already up again when the tick reads the keys.
            counts.push_back(SE::sprite().frames.size());
            w.pressKey(sf::Keyboard::LControl);
            w.pressKey(sf::Keyboard::Z);
            break;
        case 14:
            counts.push_back(SE::sprite().frames.size());
            w.keys = {sf::Keyboard::RControl, sf::Keyboard::LShift};
            w.pressKey(sf::Keyboard::Z);
            break;
        case 18:
            w.keys.clear();
            counts.push_back(SE::sprite().frames.size());
            w.pressKey(sf::Keyboard::Escape);
            break;
        case 400: w.open = false; break;
        }
    });
    Editors::runSpriteEditor();
    SE::setFrameHook(nullptr);
    EXPECT_LT(frames, 400) << "Escape and Yes left the editor";
    EXPECT_EQ(counts, (std::vector<std::size_t>{1, 0, 1})) << "added, undone, redone";
    ASSERT_EQ(driver.screens.size(), 2u);
    EXPECT_EQ(driver.screens[0], "Select Frame Image");
    EXPECT_EQ(driver.screens[1].substr(0, 30), "Confirm: Any unsaved changes w");
    EXPECT_TRUE(SE::sprite().frames.empty());
}

// The scripted sprite below must equal tests/editors/golden/scripted.spr.
// After a deliberate change to the sprite file or the editor, regenerate it
// with KELVANE_UPDATE_GOLDEN=1 and check the new file in.
TEST_F(SpriteEditorTest, AScriptedSpriteEqualsItsStoredFile)
{
    test::ScopedWorkingDirectory inTemp{temp.root()};
    const auto keyed = [](sf::Color body) {
        return [body](unsigned x, unsigned y) { return (x + y) % 3 == 0 ? sf::Color::Magenta : body; };
    };
    picture("grass.png", 5, 3, keyed(sf::Color(40, 160, 40)));
    picture("blade.png", 3, 4, keyed(sf::Color(200, 200, 210)));
    picture("wheel.png", 4, 4, keyed(sf::Color(20, 20, 20)));

    run(Command::NewSprite, keys({sf::Keyboard::Return}));
    for (const char* name : {"grass.png", "blade.png", "wheel.png"})
        ASSERT_TRUE(SE::addFrameFrom(name));
    SE::run(Command::NextFrame);
    run(Command::SetFrameDisplayTime, typed("12"));
    SE::run(Command::NextFrame);
    run(Command::SetFrameDisplayTime, typed("-1"));
    SE::run(Command::NextFrame);
    run(Command::DeleteFrame, keys({sf::Keyboard::Return}));
    ASSERT_EQ(displayTimes(), (std::vector<std::int16_t>{12, -1}));
    run(Command::ChangeDescription, typed("Scripted mower"));
    ASSERT_TRUE(SE::saveSpriteTo("scripted.spr"));

    EXPECT_TRUE(test::matchesGoldenFile(test::readFile("scripted.spr"),
                                        test::goldenFolder("editors") / "scripted.spr"));
}

} // namespace
