// These tests make textures, so they need the X display the test command
// provides.
#include "audio/Audio.hpp"
#include "support/BuildPaths.hpp"
#include "engine/Console.hpp"
#include "engine/ContextHold.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Keyboard.hpp"
#include "engine/KVCore.hpp"
#include "engine/Icons.hpp"
#include "engine/InternalTextures.hpp"
#include "engine/Layers.hpp"
#include "engine/Lighting.hpp"
#include "engine/Log.hpp"
#include "engine/Overlay.hpp"
#include "engine/Screenshot.hpp"
#include "engine/Shaders.hpp"
#include "engine/Text.hpp"
#include "engine/Mouse.hpp"
#include "gui/Dialog.hpp"
#include "platform/DrawCount.hpp"
#include "gui/Theme.hpp"
#include "storage/BinaryFile.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Context.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <utility>

namespace {

namespace fs = std::filesystem;

int pixelsWhere(const sf::Image& image, sf::IntRect area, const std::function<bool(sf::Color)>& matches)
{
    int n = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
            n += matches(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y))) ? 1 : 0;
    return n;
}
bool isWhite(sf::Color c) { return c.r > 200 && c.g > 200 && c.b > 200; }
bool isDark(sf::Color c) { return c.r < 100 && c.g < 100; }
bool isNotBlue(sf::Color c) { return c != sf::Color::Blue; }

// Runs a test inside a scratch working directory holding a "zavi3" folder.
class EngineDataFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories("zavi3/textures");
        fs::create_directories("zavi3/Shaders");
    }

    void writePng(const std::string& path, sf::Color colour)
    {
        sf::Image image;
        image.create(4, 4, colour);
        ASSERT_TRUE(image.saveToFile(path));
    }
    void writeText(const std::string& path, const std::string& text) { test::writeFile(temp.root() / path, text); }

    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    test::FakeWindowScope fake;
};

TEST(IconSheet, RectanglesSitInTheMiddleOfTheirCells)
{
    EXPECT_EQ(Icons::iconRect(0), sf::IntRect(16, 16, 32, 32));
    EXPECT_EQ(Icons::iconRect(17), sf::IntRect(64 + 16, 64 + 16, 32, 32));
    EXPECT_EQ(Icons::iconRect(255), sf::IntRect(15 * 64 + 16, 15 * 64 + 16, 32, 32));
    // The separator is the narrow strip of its cell.
    EXPECT_EQ(Icons::iconRect(140), sf::IntRect(12 * 64 + 26, 8 * 64 + 16, 12, 32));
}

TEST_F(EngineDataFolder, InternalTexturesAreFoundWithOrWithoutExtension)
{
    writePng("zavi3/textures/CheckBox_Checked.png", sf::Color::Green);
    writePng("zavi3/textures/Grass.PNG", sf::Color::Blue);
    writeText("zavi3/textures/readme.txt", "not a picture");
    // The icon sheet and folders beside the textures are none of them.
    writePng("zavi3/textures/ICONS.png", sf::Color::Red);
    fs::create_directories("zavi3/textures/old.png");
    InternalTextures::releaseTextures();
    InternalTextures::loadTextures();

    ASSERT_EQ(InternalTextures::count(), 3u);
    EXPECT_EQ(InternalTextures::name(0), "(no texture)");
    EXPECT_EQ(InternalTextures::defaultTexture().getSize(), sf::Vector2u(64, 64));
    EXPECT_EQ(InternalTextures::indexOf("CheckBox_Checked"), InternalTextures::indexOf("CheckBox_Checked.png"));
    EXPECT_GT(InternalTextures::indexOf("CheckBox_Checked"), 0);
    EXPECT_GT(InternalTextures::indexOf("Grass.PNG"), 0);
    EXPECT_EQ(InternalTextures::indexOf("CheckBox_MouseOver"), -1);
    EXPECT_EQ(&InternalTextures::find("CheckBox_MouseOver"), &InternalTextures::defaultTexture());

    ASSERT_EQ(KVCore::consoleLines().size(), 1u);
    EXPECT_EQ(KVCore::consoleLines()[0].text,
              "InternalTextures::loadTextures: Unable to load texture from zavi3\\textures\\readme.txt");

    // Out-of-range icons show the white default texture; the first and last
    // icons come from the sheet.
    for (int outside : {-1, 256, 300})
        EXPECT_EQ(Icons::getIcon(outside).getTexture(), &InternalTextures::defaultTexture()) << outside;
    for (int inside : {0, 255}) {
        EXPECT_NE(Icons::getIcon(inside).getTexture(), &InternalTextures::defaultTexture()) << inside;
        EXPECT_EQ(Icons::getIcon(inside).getTextureRect(), Icons::iconRect(inside)) << inside;
    }
    InternalTextures::releaseTextures();
}

TEST_F(EngineDataFolder, EmptyTexturesFolderLeavesOnlyTheDefault)
{
    InternalTextures::releaseTextures();
    InternalTextures::loadTextures();
    EXPECT_EQ(InternalTextures::count(), 1u);
    InternalTextures::releaseTextures();
}

TEST_F(EngineDataFolder, ShaderLoadsAreRefusedWithTheirReasons)
{
    const std::string frag = "zavi3/Shaders/Plain.frag";
    writeText(frag, "uniform sampler2D texture;\nvoid main() { gl_FragColor = texture2D(texture, gl_TexCoord[0].xy); }\n");
    writeText("zavi3/Shaders/Broken.frag", "this is not glsl");
    ASSERT_TRUE(Shaders::init());
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Shaders initialised.");
    EXPECT_EQ(KVCore::consoleLines().at(0).text, "Vertex shader file not found: zavi3\\Shaders\\SpriteShadow.vert");

    KVCore::clearConsoleLines();
    EXPECT_EQ(Shaders::load("", ""), -1);
    EXPECT_EQ(Shaders::load("missing.vert", frag), -1);
    EXPECT_EQ(KVCore::consoleLines().at(0).text, "Vertex shader file not found: missing.vert");
    EXPECT_EQ(Shaders::load("", "missing.frag"), -1);
    EXPECT_EQ(KVCore::consoleLines().at(1).text, "Fragment shader file not found: missing.frag");

    // A fragment-only program compiles; a broken one takes a slot anyway.
    const int plain = Shaders::load("", frag);
    EXPECT_GE(plain, 1);
    EXPECT_TRUE(Shaders::isCompiled(plain));
    EXPECT_NE(Shaders::get(plain), nullptr);
    KVCore::clearConsoleLines();
    const int broken = Shaders::load("", "zavi3/Shaders/Broken.frag");
    EXPECT_GT(broken, plain);
    EXPECT_FALSE(Shaders::isCompiled(broken));
    EXPECT_EQ(Shaders::get(broken), nullptr);
    EXPECT_EQ(KVCore::consoleLines().at(0).text, "Error loading fragment shader from zavi3/Shaders/Broken.frag");
    EXPECT_FALSE(Shaders::compile(1024));

    // Every slot taken, the next program is refused.
    int last = broken;
    for (int more = 0; more < Shaders::slotCount && last > 0; ++more)
        last = Shaders::load("", "zavi3/Shaders/Broken.frag");
    EXPECT_EQ(last, -1);
    EXPECT_EQ(Shaders::load("", frag), -1);
    KVCore::clearConsoleLines();
    ASSERT_TRUE(Shaders::init());
}

TEST_F(EngineDataFolder, ScreenshotNamesCountWithinOneSecond)
{
    fake.time.utc = {2026, 3, 4, 5, 6, 7, 0};
    EXPECT_EQ(KVCore::nextScreenshotName(), "20260304_050607.png");
    writeText("20260304_050607.png", "");
    EXPECT_EQ(KVCore::nextScreenshotName(), "20260304_050607_01.png");
    writeText("20260304_050607_01.png", "");
    EXPECT_EQ(KVCore::nextScreenshotName(), "20260304_050607_02.png");
    fake.time.utc.second = 8;
    EXPECT_EQ(KVCore::nextScreenshotName(), "20260304_050608.png");
}

TEST_F(EngineDataFolder, HistoryFileNeedsItsTagAndWholeEntries)
{
    auto writeHistory = [](const std::string& tag, std::uint32_t count, const std::vector<std::string>& entries) {
        BinaryFile f;
        ASSERT_TRUE(f.create("history.dat"));
        f.writeHeader(tag);
        f.writeValue(count);
        for (const std::string& e : entries) {
            f.writeValue(static_cast<std::int32_t>(e.size()));
            f.write(e.data(), e.size());
        }
        ASSERT_TRUE(f.close());
    };
    writeHistory("ZAVI3 Script Console History", 2, {"print(1)", "mow()"});
    EXPECT_EQ(KVCore::loadScriptConsoleHistory("history.dat"), (std::vector<std::string>{"print(1)", "mow()"}));

    writeHistory("ZAVI3 Script Console Histories", 2, {"print(1)", "mow()"});
    EXPECT_TRUE(KVCore::loadScriptConsoleHistory("history.dat").empty());

    // A count larger than the file holds is a damaged file, not a big list.
    writeHistory("ZAVI3 Script Console History", 4000000000u, {"a"});
    EXPECT_TRUE(KVCore::loadScriptConsoleHistory("history.dat").empty());
    EXPECT_TRUE(KVCore::loadScriptConsoleHistory("missing.dat").empty());
}

// A fresh process shows the engine as a program finds it at start.
TEST(FreshProgram, NothingIsPendingOrTimedAndTexturesLoadOnRequest)
{
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            test::FakeWindowScope fake;
            bool fine = true;
            auto expect = [&](bool ok, const char* what) {
                if (!ok)
                    std::cerr << what << '\n';
                fine = fine && ok;
            };
            test::TempFolder temp;
            test::ScopedWorkingDirectory inTemp{temp.root()};
            KVCore::pollEvents();
            expect(KVCore::frameTime() == 0.f, "A frame before the poller started measured the clock from zero");
            expect(!KVCore::screenshotPending(), "A screenshot is pending before F12 asked for one");
            expect(!KVCore::consoleDrawnThisFrame(), "The first frame hides its messages behind no console");
            KVCore::shutdown();
            expect(!fs::exists(KVCore::settingsFileName), "Shutting down a core never started saved settings");
            expect(Icons::getIcon(256).getTexture() == &InternalTextures::defaultTexture(),
                   "An icon past the sheet asked for first has no texture");
            // Without the icon sheet: reported, and a plain sheet stands in.
            const sf::Texture* sheet = Icons::getIcon(0).getTexture();
            expect(sheet && sheet->getSize() == sf::Vector2u(512, 512) &&
                       sheet->copyToImage().getPixel(20, 20) == kv::theme::faceColour,
                   "No plain sheet stands in for the missing icons");
            expect(!KVCore::consoleLines().empty() &&
                       KVCore::consoleLines().back().text ==
                           "Icons::loadIcons(): Unable to load icons texture from zavi3\\textures\\Icons.png",
                   "The missing icon sheet went unreported");
            InternalTextures::loadTextures();
            expect(InternalTextures::count() >= 1, "The first loading of the textures did nothing");
            std::exit(fine ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}

TEST(OverlayLayout, MessagesStackUpToTheAnchor)
{
    const KVCore::MessageLayout layout = KVCore::layoutMessages({10.f, 600.f}, 20.f, {100.f, 250.f, 50.f});
    ASSERT_EQ(layout.linePositions.size(), 3u);
    EXPECT_EQ(layout.linePositions[0], sf::Vector2f(10.f, 540.f));
    EXPECT_EQ(layout.linePositions[2], sf::Vector2f(10.f, 580.f));
    EXPECT_EQ(layout.box, sf::FloatRect(5.f, 535.f, 260.f, 70.f));
}

TEST(OverlayLayout, HintBoxesStayInsideTheView)
{
    const sf::Vector2f view(1024.f, 768.f), box(100.f, 30.f);
    EXPECT_EQ(KVCore::placeHintBox({50.f, 60.f}, box, view), sf::FloatRect(50.f, 60.f, 100.f, 30.f));
    EXPECT_EQ(KVCore::placeHintBox({1000.f, 760.f}, box, view), sf::FloatRect(924.f, 738.f, 100.f, 30.f));
    // Wider than the view: pinned to the left edge.
    EXPECT_EQ(KVCore::placeHintBox({500.f, -5.f}, {2000.f, 30.f}, view), sf::FloatRect(0.f, 0.f, 2000.f, 30.f));
}

TEST(OverlayLayout, FpsCounterShowsLastSecondsFrames)
{
    KVCore::FpsCounter fps;
    EXPECT_EQ(fps.frame(10), 1);
    for (int i = 0; i < 59; ++i)
        fps.frame(10);
    EXPECT_EQ(fps.frame(11), 60);
    EXPECT_EQ(fps.frame(11), 60);
    EXPECT_EQ(fps.frame(12), 2);
}

// A hint is its text on its own box, with the shadow falling down and right.
TEST(HintOverlay, TextSitsOnItsBoxOverItsShadow)
{
    test::FakeWindowScope fake;
    ASSERT_TRUE(test::loadEngineFonts());
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1024, 768));
    target.clear(sf::Color::Blue);
    KVCore::setCurrentTarget(&target);
    KVCore::setDirectDraw(true);
    const std::uint8_t alpha = KVCore::settings().hintsAlpha;
    KVCore::settings().hintsAlpha = 255;
    KVCore::showHint("mower", {200.f, 100.f}, 1.f, "Mow every patch");
    KVCore::drawHints();
    KVCore::settings().hintsAlpha = alpha;
    KVCore::setCurrentTarget(nullptr);
    target.display();
    const sf::Image image = target.getTexture().copyToImage();

    // The box starts where the hint was shown and reaches past the text.
    EXPECT_EQ(image.getPixel(201, 101), sf::Color::White);
    unsigned right = 201;
    while (right < 1023 && image.getPixel(right + 1, 101) == sf::Color::White)
        ++right;
    EXPECT_GT(right, 300u);
    EXPECT_GT(pixelsWhere(image, {202, 102, static_cast<int>(right) - 202, 20}, isDark), 30);
    EXPECT_EQ(pixelsWhere(image, {0, 0, 190, 90}, isNotBlue), 0);
    // The shadow shows right of and below the box, not above or left of it.
    EXPECT_EQ(image.getPixel(right + 4, 115), sf::Color::Black);
    EXPECT_EQ(image.getPixel(200, 130), sf::Color::Blue);
    EXPECT_EQ(image.getPixel(210, 130), sf::Color::Black);
    EXPECT_EQ(image.getPixel(right + 4, 100), sf::Color::Blue);
    // Its edges are shadow too.
    EXPECT_EQ(pixelsWhere(image, {200, 130, static_cast<int>(right) - 180, 10}, isWhite), 0);
    EXPECT_EQ(pixelsWhere(image, {static_cast<int>(right) + 1, 100, 16, 40}, isWhite), 0);
}

// The system cursor shows in mode 0 only; modes other than 0 to 4 leave it.
TEST(FrameEnd, SystemCursorShowsInModeZeroOnly)
{
    test::FakeWindowScope fake;
    const std::pair<int, bool> frames[] = {{1, false}, {0, true}, {5, true}, {4, false}, {-1, false}, {2, false}};
    for (const auto& [mode, visible] : frames) {
        KVCore::endFrame(mode);
        EXPECT_EQ(fake.window.cursorVisible, visible) << mode;
    }
}

TEST(ClippedDrawing, OnlyTheClipRectangleIsPainted)
{
    test::FakeWindowScope fake;
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1024, 768));
    target.clear(sf::Color::Black);
    KVCore::setCurrentTarget(&target);
    KVCore::setDirectDraw(true);

    KVCore::pushClip({100.f, 50.f}, {200.f, 100.f}, false);
    // Far larger than the clip: only the clip's 200 by 100 may change.
    sf::RectangleShape fill({5000.f, 5000.f});
    fill.setPosition(-1000.f, -1000.f);
    fill.setFillColor(sf::Color::Red);
    KVCore::currentTarget()->draw(fill);
    sf::RectangleShape corner({10.f, 10.f});
    corner.setFillColor(sf::Color::Green);
    KVCore::currentTarget()->draw(corner);
    KVCore::popClip();

    EXPECT_EQ(KVCore::currentTarget(), &target);
    EXPECT_EQ(target.getView().getSize(), sf::Vector2f(1024.f, 768.f));
    target.display();
    const sf::Image image = target.getTexture().copyToImage();
    EXPECT_EQ(image.getPixel(99, 75), sf::Color::Black);
    EXPECT_EQ(image.getPixel(100, 50), sf::Color::Green);
    EXPECT_EQ(image.getPixel(115, 65), sf::Color::Red);
    EXPECT_EQ(image.getPixel(299, 149), sf::Color::Red);
    EXPECT_EQ(image.getPixel(300, 149), sf::Color::Black);
    EXPECT_EQ(image.getPixel(200, 150), sf::Color::Black);
    KVCore::setCurrentTarget(nullptr);
}

} // namespace

namespace {

// Ends the frame with a screenshot of it and reads the picture back.
sf::Image shotOfFrame(const std::string& file, int cursorMode = 1)
{
    KVCore::requestScreenshot(file);
    KVCore::endFrame(cursorMode);
    sf::Image shot;
    if (!shot.loadFromFile(file)) {
        ADD_FAILURE() << "no screenshot " << file;
        shot.create(640, 480, sf::Color::Magenta);
    }
    return shot;
}

// A real 640 by 480 window on the test display, drawing through the layers,
// put away again at the end of the test.
struct RealWindow {
    RealWindow()
    {
        KVCore::setWindowBackend(KVCore::makeSfmlWindowBackend());
        open = KVCore::createWindow(640, 480, 32, true);
        KVCore::setDirectDraw(false);
        KVCore::startPoller();
    }
    ~RealWindow()
    {
        KVCore::stopPoller();
        KVCore::clearConsoleLines();
        KVCore::clearScreenMessages();
        KVCore::window().close();
        KVCore::setDirectDraw(true);
        KVCore::setWindowBackend(nullptr);
    }
    bool open = false;
};

// Each test in a folder of its own with a real window.
class FrameComposition : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.open); }

    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    RealWindow window;
};

// A real window on the test display: layers drawn during a frame end up in
// the screenshot of that frame.
TEST_F(FrameComposition, LayersAndScreenshotShowTheFrame)
{

    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    sf::RectangleShape square({100.f, 100.f});
    square.setFillColor(sf::Color::Red);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    square.setPosition(200.f, 0.f);
    square.setFillColor(sf::Color(0, 255, 0, 128));
    KVCore::layerTarget(KVCore::ExtraLayer1)->draw(square);
    // A screen drawing into its own texture still reaches the window through
    // the layer numbers that are no layer.
    sf::RenderTexture redirected;
    ASSERT_TRUE(redirected.create(64, 64));
    KVCore::setCurrentTarget(&redirected);
    square.setFillColor(sf::Color::Yellow);
    for (int layer : {-1, 1, 8}) {
        square.setPosition(static_cast<float>(layer + 1) * 50.f, 380.f);
        KVCore::layerTarget(layer)->draw(square);
    }
    KVCore::setCurrentTarget(nullptr);
    sf::Image shot = shotOfFrame("frame.png");

    EXPECT_EQ(shot.getSize(), sf::Vector2u(640, 480));
    EXPECT_EQ(shot.getPixel(50, 50), sf::Color::Red);
    EXPECT_EQ(shot.getPixel(400, 300), sf::Color::Blue);
    const sf::Color blend = shot.getPixel(250, 50);
    EXPECT_NEAR(blend.g, 128, 2);
    EXPECT_NEAR(blend.b, 127, 2);
    for (unsigned x : {10u, 110u, 460u})
        EXPECT_EQ(shot.getPixel(x, 400), sf::Color::Yellow) << x;
    EXPECT_EQ(KVCore::consoleLines().back().text, "Saved screenshot to frame.png");

    // The second extra layer is a black backdrop over the frame.
    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    square.setPosition(0.f, 0.f);
    KVCore::layerTarget(KVCore::ExtraLayer2)->draw(square);
    shot = shotOfFrame("backdrop.png");
    EXPECT_EQ(shot.getPixel(50, 50), sf::Color::Yellow);
    EXPECT_EQ(shot.getPixel(400, 300), sf::Color::Black);

    // The next frame starts with clean layers.
    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    shot = shotOfFrame("next.png");
    EXPECT_EQ(shot.getPixel(50, 50), sf::Color::Blue);
    EXPECT_EQ(shot.getPixel(250, 50), sf::Color::Blue);
}

// A frame over a picture, the first after the window was made again at
// another size, has its layers again: the GUI stays over the world drawn
// after it, across the whole new size.
TEST_F(FrameComposition, AFrameOverAPictureFollowsANewWindowSize)
{
    KVCore::beginFrame();
    KVCore::endFrame(1);
    ASSERT_TRUE(KVCore::createWindow(800, 600, 32, true));

    sf::Image blue;
    blue.create(800, 600, sf::Color::Blue);
    sf::Texture background;
    ASSERT_TRUE(background.loadFromImage(blue));
    KVCore::beginFrame(background);
    sf::RectangleShape square({50.f, 50.f});
    square.setPosition(700.f, 500.f);
    square.setFillColor(sf::Color::Red);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    square.setFillColor(sf::Color::Green);
    KVCore::currentTarget()->draw(square);
    const sf::Image shot = shotOfFrame("resized.png");

    ASSERT_EQ(shot.getSize(), sf::Vector2u(800, 600));
    EXPECT_EQ(shot.getPixel(720, 520), sf::Color::Red);
    EXPECT_EQ(shot.getPixel(100, 100), sf::Color::Blue);
}

// With the counter switched on, every frame shows its rate at the top right,
// and a hint asked for during a frame shows in that frame, at its place.
TEST_F(FrameComposition, TheFpsCounterAndTheFramesHintsShow)
{
    ASSERT_TRUE(test::loadEngineFonts());
    KVCore::setUpOverlay();
    KVCore::clearScreenMessages();
    KVCore::settings().displayFPS = true;
    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    KVCore::showHint("test", {300.f, 200.f}, 1.f, "Mow the lawn");
    const sf::Image shot = shotOfFrame("overlay.png");
    KVCore::settings().displayFPS = false;
    KVCore::ageHints(5.f);

    EXPECT_GT(pixelsWhere(shot, {480, 15, 160, 40}, isWhite), 30);
    EXPECT_GT(pixelsWhere(shot, {300, 200, 150, 30}, isNotBlue), 500);
    EXPECT_EQ(pixelsWhere(shot, {0, 0, 400, 190}, isNotBlue), 0);
}

// A clip made over the layers holds every layer's drawing inside it.
TEST_F(FrameComposition, ClippedDrawingOverTheLayersStaysInTheClip)
{
    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    KVCore::pushClip({100.f, 50.f}, {200.f, 100.f}, false);
    sf::RectangleShape fill({5000.f, 5000.f});
    fill.setPosition(-1000.f, -1000.f);
    fill.setFillColor(sf::Color::Red);
    KVCore::layerTarget(KVCore::ExtraLayer1)->draw(fill);
    KVCore::popClip();
    sf::RectangleShape square({50.f, 50.f});
    square.setPosition(500.f, 400.f);
    square.setFillColor(sf::Color::Green);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    const sf::Image shot = shotOfFrame("clip.png");
    EXPECT_EQ(shot.getPixel(150, 100), sf::Color::Red);
    EXPECT_EQ(shot.getPixel(50, 100), sf::Color::Blue);
    EXPECT_EQ(shot.getPixel(350, 100), sf::Color::Blue);
    EXPECT_EQ(shot.getPixel(525, 425), sf::Color::Green);
}

// Modes 2 to 4 draw their cursor centred on the pointer; others draw none.
TEST_F(FrameComposition, DrawnCursorsSitOnThePointer)
{
    KVCore::setUpOverlay();
    // The pointer's place, whether or not the window has the focus.
    sf::Mouse::setPosition({320, 240}, *KVCore::window().renderWindow());
    Mouse::pressButton(Mouse::Left, {320, 240});
    Mouse::releaseButton(Mouse::Left, {320, 240});
    for (int mode : {1, 2, 3, 4, 5}) {
        KVCore::clearScreenMessages();
        KVCore::beginFrame();
        KVCore::window().renderWindow()->clear(sf::Color::Blue);
        const sf::Image shot = shotOfFrame("cursor.png", mode);
        const int atPointer = pixelsWhere(shot, {304, 224, 32, 32}, isNotBlue);
        if (mode >= 2 && mode <= 4)
            EXPECT_GT(atPointer, 100) << mode;
        else
            EXPECT_EQ(atPointer, 0) << mode;
        EXPECT_EQ(pixelsWhere(shot, {0, 0, 640, 222}, isNotBlue) + pixelsWhere(shot, {0, 258, 640, 222}, isNotBlue) +
                      pixelsWhere(shot, {338, 0, 302, 480}, isNotBlue),
                  0)
            << mode;
    }
}

// Shade drawn into the multiply layer darkens the frame, lights queued into
// it cut holes in the shade, glow lights brighten; the next frame is clear.
TEST_F(FrameComposition, LightsShadeAndGlowForOneFrame)
{
    const sf::Color grey(100, 100, 100);
    auto lightOf = [](sf::Color colour) {
        sf::Image image;
        image.create(100, 100, colour);
        auto texture = std::make_unique<sf::Texture>();
        texture->loadFromImage(image);
        return texture;
    };
    const auto hole = lightOf(sf::Color::White), glow = lightOf(sf::Color(50, 50, 50));
    auto frame = [&](const std::string& shot, bool lit, sf::Color tint) {
        KVCore::beginFrame();
        KVCore::window().renderWindow()->clear(grey);
        if (lit) {
            sf::RectangleShape shade({320.f, 480.f});
            shade.setFillColor(sf::Color(128, 128, 128));
            KVCore::layerTarget(KVCore::LightMultiplyLayer)->draw(shade);
            KVCore::queueLight(sf::Sprite(*hole), false);
            sf::Sprite glowing(*glow);
            glowing.setPosition(400.f, 0.f);
            KVCore::queueLight(glowing, true);
        }
        KVCore::setLightTint(tint);
        KVCore::requestScreenshot(shot);
        KVCore::endFrame(1);
        KVCore::setLightTint(sf::Color::White);
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(shot));
        return image;
    };
    auto near = [](sf::Color c, int level) { return std::abs(c.r - level) <= 2 && c.r == c.g && c.g == c.b; };

    const sf::Image lit = frame("lit.png", true, sf::Color::White);
    EXPECT_PRED2(near, lit.getPixel(50, 50), 100);
    EXPECT_PRED2(near, lit.getPixel(200, 50), 50);
    EXPECT_PRED2(near, lit.getPixel(450, 50), 150);
    EXPECT_PRED2(near, lit.getPixel(600, 50), 100);
    const sf::Image after = frame("after.png", false, sf::Color::White);
    for (unsigned x : {50u, 200u, 450u, 600u})
        EXPECT_PRED2(near, after.getPixel(x, 50), 100) << x;
    // The tint colours the whole shade layer.
    EXPECT_PRED2(near, frame("tinted.png", false, sf::Color(128, 128, 128)).getPixel(600, 50), 50);
}

// Composing a layer or a light costs a pass over the whole window, so the
// end of a frame composes only what was drawn into this frame.
TEST_F(FrameComposition, OnlyLayersDrawnIntoAreComposed)
{
    ASSERT_TRUE(test::loadEngineFonts());
    KVCore::setUpOverlay();
    KVCore::clearScreenMessages();
    sf::Image image;
    image.create(16, 16, sf::Color::White);
    sf::Texture light;
    ASSERT_TRUE(light.loadFromImage(image));
    const sf::RectangleShape square({10.f, 10.f});
    auto intoLayer = [&square](int layer) { return [&square, layer] { KVCore::layerTarget(layer)->draw(square); }; };
    struct Case {
        const char* what;
        std::function<void()> draw;
        std::uint64_t draws;  // by the end of the frame
    };
    const Case cases[] = {
        {"nothing", [] {}, 0},
        {"the GUI layer", intoLayer(KVCore::GuiLayer), 1},
        {"the first extra layer", intoLayer(KVCore::ExtraLayer1), 1},
        {"the second extra layer", intoLayer(KVCore::ExtraLayer2), 1},
        {"the shade layer", intoLayer(KVCore::LightMultiplyLayer), 1},
        {"the glow layer", intoLayer(KVCore::LightAddLayer), 1},
        {"a shading light", [&light] { KVCore::queueLight(sf::Sprite(light), false); }, 2},
        {"a glowing light", [&light] { KVCore::queueLight(sf::Sprite(light), true); }, 2},
        {"a tint without lights", [] { KVCore::setLightTint(sf::Color(128, 128, 128)); }, 1},
        {"a screen message", [] { KVCore::print("Mown", sf::Color::White); }, 3},
    };
    for (const Case& c : cases) {
        for (const bool drawn : {true, false}) {
            KVCore::beginFrame();
            KVCore::window().renderWindow()->clear(sf::Color::Black);
            if (drawn)
                c.draw();
            platform::resetDrawCount();
            KVCore::endFrame(1);
            const std::uint64_t draws = platform::drawCount();
            KVCore::setLightTint(sf::Color::White);
            KVCore::clearScreenMessages();
            EXPECT_EQ(draws, drawn ? c.draws : 0) << c.what << (drawn ? "" : ", the frame after");
        }
    }
}

// A widget that says where it draws has only that part of the GUI layer
// composed, and the picture is the one a whole composition gives.
TEST_F(FrameComposition, OnlyTheAreaMarkedDrawnIntoIsComposed)
{
    sf::RectangleShape square({50.f, 50.f});
    square.setPosition(100.f, 100.f);
    square.setFillColor(sf::Color(255, 0, 0, 128));
    sf::RectangleShape stray({40.f, 40.f});
    stray.setPosition(300.f, 300.f);
    stray.setFillColor(sf::Color::Green);
    const auto frame = [&](const std::string& file, const std::function<void()>& draw) {
        // The last screenshot's message would be drawn all over the layer.
        KVCore::clearScreenMessages();
        KVCore::beginFrame();
        KVCore::window().renderWindow()->clear(sf::Color::Blue);
        draw();
        return shotOfFrame(file);
    };

    const sf::Image whole = frame("whole.png", [&] { KVCore::layerTarget(KVCore::GuiLayer)->draw(square); });
    // The stray square breaks the promise on purpose: it is left out.
    const sf::Image part = frame("part.png", [&] {
        const KVCore::LayerArea area({100.f, 100.f, 50.f, 50.f});
        KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
        KVCore::layerTarget(KVCore::GuiLayer)->draw(stray);
    });
    for (const unsigned at : {99u, 100u, 125u, 149u, 150u})
        EXPECT_EQ(part.getPixel(at, at), whole.getPixel(at, at)) << at;
    EXPECT_NE(whole.getPixel(125, 125), sf::Color::Blue);
    EXPECT_EQ(part.getPixel(320, 320), sf::Color::Blue);

    // Asked for once without an area, the layer is composed all over; the
    // frame after starts afresh.
    const sf::Image mixed = frame("mixed.png", [&] {
        {
            const KVCore::LayerArea area({100.f, 100.f, 50.f, 50.f});
            KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
        }
        KVCore::layerTarget(KVCore::GuiLayer)->draw(stray);
    });
    EXPECT_EQ(mixed.getPixel(125, 125), whole.getPixel(125, 125));
    EXPECT_EQ(mixed.getPixel(320, 320), sf::Color::Green);
    const sf::Image after = frame("after.png", [&] {
        const KVCore::LayerArea area({100.f, 100.f, 50.f, 50.f});
        KVCore::layerTarget(KVCore::GuiLayer)->draw(stray);
    });
    EXPECT_EQ(after.getPixel(320, 320), sf::Color::Blue);

    // The area is read in the layer's view of the moment: scrolled by 50,
    // the square lands 50 pixels up and left, and is composed there.
    const sf::Image scrolled = frame("scrolled.png", [&] {
        sf::RenderTexture& layer = *KVCore::layerTexture(KVCore::GuiLayer);
        const sf::View normal = layer.getView();
        sf::View view = normal;
        view.move(50.f, 50.f);
        layer.setView(view);
        const KVCore::LayerArea area({100.f, 100.f, 50.f, 50.f});
        KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
        layer.setView(normal);
    });
    EXPECT_EQ(scrolled.getPixel(75, 75), whole.getPixel(125, 125));
    EXPECT_EQ(scrolled.getPixel(125, 125), sf::Color::Blue);
}

// A message standing on screen has only its own box composed: a stray
// square that breaks its promise elsewhere in the layer is left out, as it
// would not be if the message had the layer composed all over.
TEST_F(FrameComposition, AMessageHasOnlyItsBoxComposed)
{
    ASSERT_TRUE(test::loadEngineFonts());
    KVCore::setUpOverlay();
    sf::RectangleShape stray({40.f, 40.f});
    stray.setPosition(300.f, 300.f);
    stray.setFillColor(sf::Color::Green);
    KVCore::placeMessageAnchor();
    KVCore::clearScreenMessages();
    KVCore::print("Lawn mowed", sf::Color::White);
    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    {
        const KVCore::LayerArea area({100.f, 100.f, 50.f, 50.f});
        KVCore::layerTarget(KVCore::GuiLayer)->draw(stray);
    }
    const sf::Image shot = shotOfFrame("message.png");
    KVCore::clearScreenMessages();
    EXPECT_EQ(shot.getPixel(320, 320), sf::Color::Blue);
    const sf::IntRect all({0, 0}, sf::Vector2i(shot.getSize()));
    EXPECT_GT(pixelsWhere(shot, all, isWhite), 20) << "the message is shown";
}

// The game holds the drawing context over its frame loop; the hold makes
// the window's context current, whichever was before, and frames drawn
// under it show as they always do.
TEST_F(FrameComposition, FramesDrawnWhileTheContextIsHeldShowAsAlways)
{
    sf::RenderWindow& win = *KVCore::window().renderWindow();
    ASSERT_TRUE(win.setActive(true));
    const std::uint64_t windowContext = sf::Context::getActiveContextId();
    ASSERT_TRUE(win.setActive(false));
    ASSERT_EQ(sf::Context::getActiveContextId(), 0u);

    const KVCore::ContextHold held;
    EXPECT_EQ(sf::Context::getActiveContextId(), windowContext);
    KVCore::beginFrame();
    win.clear(sf::Color::Blue);
    sf::RenderTexture surface;
    ASSERT_TRUE(surface.create(64, 64));
    surface.clear(sf::Color::Green);
    surface.display();
    win.draw(sf::Sprite(surface.getTexture()));
    sf::RectangleShape square({100.f, 100.f});
    square.setPosition(100.f, 100.f);
    square.setFillColor(sf::Color::Red);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    const sf::Image shot = shotOfFrame("held.png");
    EXPECT_EQ(shot.getPixel(30, 30), sf::Color::Green);
    EXPECT_EQ(shot.getPixel(150, 150), sf::Color::Red);
    EXPECT_EQ(shot.getPixel(400, 300), sf::Color::Blue);
}

// The display-mode dialog makes the window anew, often at the same size:
// the layers must reach the new window as they did the old one.
TEST_F(FrameComposition, LayersReachAWindowMadeAnew)
{
    sf::RectangleShape square({100.f, 100.f});
    square.setFillColor(sf::Color::Red);
    KVCore::beginFrame();
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    KVCore::endFrame(1);

    ASSERT_TRUE(KVCore::createWindow(640, 480, 32, true));
    KVCore::endFrame(1);  // before the layers are made again
    KVCore::beginFrame();
    KVCore::window().renderWindow()->clear(sf::Color::Blue);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    const sf::Image shot = shotOfFrame("again.png");
    EXPECT_EQ(shot.getPixel(50, 50), sf::Color::Red);
    EXPECT_EQ(shot.getPixel(400, 300), sf::Color::Blue);
}

// A dialog's frozen picture is the frame it opened over, GUI layer
// included, even though composing that layer left the layer's own drawing
// surface in use.
TEST_F(FrameComposition, AFrozenPictureHoldsTheFrameItWasTakenOver)
{

    KVCore::beginFrame();
    sf::RenderWindow& win = *KVCore::window().renderWindow();
    win.clear(sf::Color::Blue);
    sf::RenderTexture surface;
    ASSERT_TRUE(surface.create(64, 64));
    surface.clear(sf::Color::Green);
    surface.display();
    win.draw(sf::Sprite(surface.getTexture()));
    surface.clear(sf::Color::Black);
    sf::RectangleShape square({100.f, 100.f});
    square.setPosition(100.f, 100.f);
    square.setFillColor(sf::Color::Red);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    const kv::FrozenBackground frozen(false);
    KVCore::endFrame(1);

    frozen.beginFrame();
    const sf::Image shot = shotOfFrame("frozen.png");
    EXPECT_EQ(shot.getPixel(30, 30), sf::Color::Green);
    EXPECT_EQ(shot.getPixel(150, 150), sf::Color::Red);
    EXPECT_EQ(shot.getPixel(400, 300), sf::Color::Blue);

    // Dimmed, as a dialog shows it: three quarters of a dark grey over all of it.
    KVCore::beginFrame();
    win.clear(sf::Color::Blue);
    KVCore::layerTarget(KVCore::GuiLayer)->draw(square);
    const kv::FrozenBackground dimmed(true);
    KVCore::endFrame(1);
    dimmed.beginFrame();
    const sf::Image dim = shotOfFrame("dimmed.png");
    const auto mixed = [](int under) { return (under * (255 - kv::dimAlpha) + kv::dimGrey * kv::dimAlpha) / 255; };
    for (const auto& [at, under] : {std::pair{sf::Vector2u(150, 150), sf::Color::Red},
                                    std::pair{sf::Vector2u(400, 300), sf::Color::Blue}}) {
        const sf::Color c = dim.getPixel(at.x, at.y);
        EXPECT_NEAR(c.r, mixed(under.r), 2) << at.x;
        EXPECT_NEAR(c.g, mixed(under.g), 2) << at.x;
        EXPECT_NEAR(c.b, mixed(under.b), 2) << at.x;
    }
}

// A screen that draws the whole window (an editor) has nothing of the
// screen below drawn under it each frame; a dialog has the frozen picture.
TEST_F(FrameComposition, AWholeScreenLoopHasNoPictureUnderIt)
{
    const auto drawsAtPassStart = [](kv::ModalLoop& loop) {
        platform::resetDrawCount();
        EXPECT_TRUE(loop.beginPass());
        const std::uint64_t draws = platform::drawCount();
        loop.finish();
        loop.endPass();
        return draws;
    };
    kv::ModalLoop dialog("Dialog", false);
    EXPECT_EQ(drawsAtPassStart(dialog), 1u);
    kv::ModalLoop editor("Editor", kv::ModalLoop::WholeScreen());
    EXPECT_EQ(drawsAtPassStart(editor), 0u);
}

} // namespace

namespace {

// While loading, each print shows the whole console at once.
TEST(LoadingConsole, EveryPrintRedrawsTheFullScreenConsole)
{
    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    {
        test::ScopedEnv answerBoxes{"KELVANE_MESSAGEBOX", "ok"};
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Text::init());
        const std::string box = testing::internal::GetCapturedStderr();
        EXPECT_NE(box.find("Text::init: Unable to read standard font from zavi3\\fonts\\Roboto-Regular.ttf"),
                  std::string::npos)
            << box;
    }
    fs::create_directories("zavi3/fonts");
    fs::copy_file(test::built::runFolder() + "/zavi3/fonts/Roboto-Regular.ttf", "zavi3/fonts/Roboto-Regular.ttf");
    fs::copy_file(test::built::runFolder() + "/zavi3/fonts/RobotoMono-Regular.ttf", "zavi3/fonts/RobotoMono-Regular.ttf");
    fs::copy_file(test::built::runFolder() + "/zavi3/fonts/UAV-OSD-Sans-Mono.ttf", "zavi3/fonts/UAV-OSD-Sans-Mono.ttf");
    ASSERT_TRUE(Text::init());

    RealWindow window;
    ASSERT_TRUE(window.open);
    KVCore::beginFrame();

    KVCore::clearScreenMessages();
    for (char c : std::string("mow"))
        Keyboard::appendTypedText(c);
    KVCore::updateCommandLine();
    Keyboard::clearTickInput();
    KVCore::setLoadingFlag(true);
    KVCore::print("Loading sound samples...");
    KVCore::requestScreenshot("loading.png");
    KVCore::print("Loaded 12 samples", sf::Color::Green);
    KVCore::setLoadingFlag(false);
    Keyboard::addPressedKey(sf::Keyboard::Return);
    KVCore::updateCommandLine();
    Keyboard::clearTickInput();

    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile("loading.png"));
    // The panel covers the screen; both lines stand above the command line.
    EXPECT_EQ(shot.getPixel(320, 100), sf::Color(32, 32, 32));
    EXPECT_EQ(shot.getPixel(9, 9), sf::Color(48, 48, 48));
    EXPECT_EQ(shot.getPixel(631, 471), sf::Color(16, 16, 16));
    const auto grey = [](sf::Color c) { return c.r > 150 && c.r == c.g && c.g == c.b; };
    EXPECT_GT(pixelsWhere(shot, {20, 437, 200, 25}, grey), 20) << "the typed command";
    int greenRows = 0, greyRows = 0;
    for (unsigned y = 300; y < 430; ++y) {
        bool green = false, grey = false;
        for (unsigned x = 16; x < 300; ++x) {
            const sf::Color c = shot.getPixel(x, y);
            green |= c.g > 200 && c.r < 80;
            grey |= c.r > 150 && c.r == c.g && c.g == c.b;
        }
        greenRows += green;
        greyRows += grey;
    }
    EXPECT_GT(greenRows, 5);
    EXPECT_GT(greyRows, 5);
    // Kept as on-screen messages too, with the screenshot note.
    EXPECT_EQ(KVCore::screenMessages().size(), 3u);
}

} // namespace

namespace {

// The engine core started on the stand-in window from the built engine data,
// and taken down again.
class CoreStartup : public ::testing::Test {
protected:
    CoreStartup()
    {
        fs::create_directory_symlink(fs::path(test::built::runFolder()) / "zavi3", temp.root() / "zavi3");
        InternalTextures::releaseTextures();
    }
    ~CoreStartup() override
    {
        KVCore::shutdown();
        KVCore::setDirectDraw(true);
        KVCore::settings() = KVCore::EngineSettings{};
    }

    // The printed messages drawn over a blue picture of the given size.
    static sf::Image drawMessages(sf::Vector2u size)
    {
        sf::RenderTexture target;
        if (!target.create(size.x, size.y))
            return {};
        target.clear(sf::Color::Blue);
        KVCore::setCurrentTarget(&target);
        KVCore::drawScreenMessages();
        KVCore::setCurrentTarget(nullptr);
        target.display();
        return target.getTexture().copyToImage();
    }

    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    test::FakeWindowScope fake;
    test::ScopedEnv answerBoxes{"KELVANE_MESSAGEBOX", "ok"};
};

// Printed messages stand near the bottom left of the screen, or of the
// emulated screen when the settings give both of its sides.
TEST_F(CoreStartup, MessagesStandAtTheBottomLeftOfTheScreenShown)
{
    struct Case {
        const char* video;  // null: the first run, without a settings file
        sf::Vector2u view;
        bool emulating;
    };
    const Case cases[] = {
        {"emulatedWidth=640\nemulatedHeight=480", {640, 480}, true},
        {"emulatedWidth=640\nemulatedHeight=0", {800, 600}, false},
        {"emulatedWidth=0\nemulatedHeight=480", {800, 600}, false},
        {nullptr, {1024, 768}, false},
    };
    for (const Case& c : cases) {
        const std::string name = c.video ? c.video : "first run";
        fs::remove("zavi3.ini");
        if (c.video)
            test::writeFile("zavi3.ini",
                            std::string("[info]\nversion=1\n[video]\nwidth=800\nheight=600\nwindow=yes\n") + c.video);
        ASSERT_TRUE(KVCore::init()) << name;
        EXPECT_EQ(KVCore::emulationActive(), c.emulating) << name;
        EXPECT_EQ(KVCore::viewSize(), sf::Vector2f(c.view)) << name;
        EXPECT_GT(InternalTextures::indexOf("CheckBox_Checked"), 0) << name;

        KVCore::clearScreenMessages();
        KVCore::print("Lawn mowed");
        const sf::Image image = drawMessages(c.view);
        const int bottom = static_cast<int>(c.view.y) - 90;
        EXPECT_GT(pixelsWhere(image, {10, bottom - 50, 150, 50}, isWhite), 20) << name;
        // On a half-transparent black box.
        EXPECT_EQ(image.getPixel(6, static_cast<unsigned>(bottom - 25)), sf::Color(0, 0, 127)) << name;
        EXPECT_EQ(pixelsWhere(image, {0, 0, static_cast<int>(c.view.x), bottom - 55}, isNotBlue), 0) << name;
        KVCore::shutdown();
    }
}

// The messages are laid out once and drawn from that while they stand: one
// more message, an anchor moved by a new window and no message at all are
// each drawn as they are now.
TEST_F(CoreStartup, MessagesAreDrawnAsTheyAreNow)
{
    ASSERT_TRUE(KVCore::init());
    KVCore::clearScreenMessages();
    KVCore::print("Lawn mowed");
    const sf::IntRect whole(0, 0, 1024, 768);
    const int oneLine = pixelsWhere(drawMessages({1024, 768}), whole, isWhite);
    EXPECT_GT(oneLine, 20);

    KVCore::print("Lawn mowed");
    const sf::Image two = drawMessages({1024, 768});
    EXPECT_NEAR(pixelsWhere(two, whole, isWhite), 2 * oneLine, oneLine / 4) << "a second line";
    const sf::Image again = drawMessages({1024, 768});
    ASSERT_EQ(again.getSize(), sf::Vector2u(1024, 768));
    ASSERT_EQ(two.getSize(), sf::Vector2u(1024, 768));
    EXPECT_TRUE(std::equal(two.getPixelsPtr(), two.getPixelsPtr() + 1024 * 768 * 4, again.getPixelsPtr()));

    ASSERT_TRUE(KVCore::createWindow(800, 600, 32, true));
    KVCore::placeMessageAnchor();
    const sf::Image moved = drawMessages({800, 600});
    const int bottom = 600 - 90;
    EXPECT_NEAR(pixelsWhere(moved, {0, bottom - 80, 800, 80}, isWhite), 2 * oneLine, oneLine / 4);
    EXPECT_EQ(pixelsWhere(moved, {0, 0, 800, bottom - 80}, isNotBlue), 0);
    EXPECT_EQ(pixelsWhere(moved, {0, bottom, 800, 90}, isNotBlue), 0);

    KVCore::print("Hedge trimmed", sf::Color::Red);
    const auto isRed = [](sf::Color c) { return c.r > 200 && c.g < 60 && c.b < 60; };
    EXPECT_GT(pixelsWhere(drawMessages({800, 600}), {0, bottom - 80, 800, 80}, isRed), 20) << "in its own colour";

    KVCore::clearScreenMessages();
    EXPECT_EQ(pixelsWhere(drawMessages({800, 600}), {0, 0, 800, 600}, isNotBlue), 0);
}

// Start-up takes the window and the emulated screen from the settings file:
// a side of 0, or one larger than the desktop, means the desktop's size, and
// emulation needs both of its sides.  Taking the core down twice saves once.
TEST_F(CoreStartup, TheWindowAndTheEmulationComeFromTheFile)
{
    struct Case {
        const char* video;
        sf::Vector2u window;
        bool windowed;
        sf::Vector2f view;  // what is drawn on
        int savedWidth;     // 0: the desktop size
    };
    const Case cases[] = {
        {"width=800\nheight=600", {800, 600}, true, {800, 600}, 800},
        {"width=0\nheight=600", {1920, 1080}, true, {1920, 1080}, 0},
        {"width=800\nheight=0", {1920, 1080}, true, {1920, 1080}, 0},
        {"width=5000\nheight=600", {1920, 1080}, true, {1920, 1080}, 0},
        {"width=800\nheight=2000", {1920, 1080}, true, {1920, 1080}, 0},
        // As wide or as high as the desktop still fits.
        {"width=1920\nheight=1000", {1920, 1000}, true, {1920, 1000}, 1920},
        {"width=1000\nheight=1080", {1000, 1080}, true, {1000, 1080}, 1000},
        {"width=nan\nheight=600", {1920, 1080}, true, {1920, 1080}, 0},
        {"width=800\nheight=600\nwindow=no", {800, 600}, false, {800, 600}, 800},
        {"width=800\nheight=600\nemulatedWidth=1024\nemulatedHeight=768", {800, 600}, true, {1024, 768}, 800},
        {"width=1920\nheight=1080\nemulatedWidth=1024\nemulatedHeight=768", {1920, 1080}, true, {1365, 768}, 0},
        {"width=800\nheight=600\nemulatedWidth=5000\nemulatedHeight=768", {800, 600}, true, {800, 600}, 800},
        {"width=800\nheight=600\nemulatedWidth=0x400\nemulatedHeight=768", {800, 600}, true, {800, 600}, 800},
    };
    for (const Case& c : cases) {
        // The first of two equal keys counts.
        test::writeFile("zavi3.ini", std::string("[info]\nversion=1\n[video]\n") + c.video + "\nwindow=yes\n");
        ASSERT_TRUE(KVCore::init()) << c.video;
        EXPECT_EQ(fake.window.size(), c.window) << c.video;
        EXPECT_EQ(KVCore::isWindowed(), c.windowed) << c.video;
        EXPECT_EQ(sf::Vector2f(std::floor(KVCore::viewSize().x), KVCore::viewSize().y), c.view) << c.video;
        KVCore::shutdown();
        EXPECT_FALSE(KVCore::initialised()) << c.video;
        KVCore::loadSettings();
        EXPECT_EQ(KVCore::settings().width, c.savedWidth) << c.video;

        fs::remove("zavi3.ini");
        KVCore::shutdown();
        EXPECT_FALSE(fs::exists("zavi3.ini")) << c.video << ": a second shutdown saved again";
    }
}

// A driver without shaders cannot draw the game's shadows: the core says so
// and does not start.
TEST_F(CoreStartup, NoShadersNoStart)
{
    fake.window.shaders = false;
    EXPECT_FALSE(KVCore::init());
    EXPECT_FALSE(KVCore::initialised());
    ASSERT_FALSE(KVCore::consoleLines().empty());
    EXPECT_EQ(KVCore::consoleLines().back().text, "KVCore::init: ");
}

// Without its fonts the core can show no text: it says so in a box and
// does not start.
TEST_F(CoreStartup, NoFontsNoStart)
{
    fs::remove(temp.root() / "zavi3");
    fs::create_directory(temp.root() / "zavi3");
    for (const char* kept : {"Shaders", "textures"})
        fs::create_directory_symlink(fs::path(test::built::runFolder()) / "zavi3" / kept, temp.root() / "zavi3" / kept);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(KVCore::init());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(KVCore::initialised());
    EXPECT_NE(said.find("KVCore::init: loadFonts failed."), std::string::npos) << said;
    EXPECT_TRUE(test::loadEngineFonts());
}

// Closing the game's window takes the core down, which keeps the settings.
TEST_F(CoreStartup, ClosingTheWindowShutsDownAndSavesTheSettings)
{
    ASSERT_TRUE(KVCore::init());
    ASSERT_TRUE(Audio::initialised());
    ASSERT_FALSE(fs::exists(KVCore::settingsFileName));
    int exitCode = -1;
    KVCore::setExitHandler([&](int code) { exitCode = code; });
    KVCore::setCloseConfirmation(false);
    fake.window.closeRequest();
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(KVCore::initialised());
    EXPECT_FALSE(KVCore::pollerStarted());
    EXPECT_FALSE(Audio::initialised());
    EXPECT_TRUE(fs::exists(KVCore::settingsFileName));
}

// The key names shown in hints and menus come with the core and go with it;
// a screen's drawing target left over from before is not where the new core
// draws.
TEST_F(CoreStartup, KeyNamesComeWithTheCore)
{
    Keyboard::clearKeyNameTable();
    sf::RenderTexture leftOver;
    ASSERT_TRUE(leftOver.create(8, 8));
    KVCore::setCurrentTarget(&leftOver);
    ASSERT_TRUE(KVCore::init());
    EXPECT_NE(KVCore::currentTarget(), &leftOver);
    EXPECT_EQ(Keyboard::getKeyName(sf::Keyboard::S), "S");
    EXPECT_EQ(Keyboard::getKeyName(sf::Keyboard::Escape), "Escape");
    KVCore::shutdown();
    EXPECT_EQ(Keyboard::getKeyName(sf::Keyboard::S), "");
    Keyboard::buildKeyNameTable();
}

} // namespace
