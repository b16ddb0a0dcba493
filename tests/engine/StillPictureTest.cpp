// Still screens hold their picture while nothing can have changed it: the
// rule itself, the engine's facts behind it, and the main menu and the
// pause picture, which read input on held frames as on drawn ones.

#include "engine/StillPicture.hpp"

#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/KVCore.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Screenshot.hpp"
#include "engine/WindowBackend.hpp"
#include "frontend/MenuList.hpp"
#include "frontend/MenuScreen.hpp"
#include "game/GameResources.hpp"
#include "game/GameScreen.hpp"
#include "platform/DrawCount.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Mouse.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace {

TEST(StillPicture, AnythingThatMayHaveChangedThePictureEndsIt)
{
    const KVCore::StillPictureFacts quiet{0.1, false, false, false};
    EXPECT_TRUE(KVCore::pictureStands(quiet));
    const auto with = [&](const std::function<void(KVCore::StillPictureFacts&)>& change) {
        KVCore::StillPictureFacts f = quiet;
        change(f);
        return KVCore::pictureStands(f);
    };
    EXPECT_FALSE(with([](auto& f) { f.eventsSinceShown = true; }));
    EXPECT_FALSE(with([](auto& f) { f.pointerMoved = true; }));
    EXPECT_FALSE(with([](auto& f) { f.overlaysBusy = true; }));
    EXPECT_TRUE(with([](auto& f) { f.secondsSinceShown = KVCore::stillPictureRefreshSeconds - 0.001; }));
    EXPECT_FALSE(with([](auto& f) { f.secondsSinceShown = KVCore::stillPictureRefreshSeconds; }));
}

// The game's window holds a frame for as long as the frame limit gives a
// frame, a 60th of a second without a limit.
TEST(StillPicture, TheRealWindowHoldsAFrameForAFramesTime)
{
    const std::unique_ptr<KVCore::WindowBackend> real = KVCore::makeSfmlWindowBackend();
    const auto heldSeconds = [&real] {
        const auto start = std::chrono::steady_clock::now();
        real->holdFrame();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    EXPECT_GE(heldSeconds(), 1.0 / 60.0 - 0.002);
    real->setFramerateLimit(20);
    EXPECT_GE(heldSeconds(), 1.0 / 20.0 - 0.002);
}

class StillScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        KVCore::setFrameLimitInEffect(30);  // every frame a tick
        KVCore::startPoller();
        KVCore::clearScreenMessages();
        KVCore::clearHints();
    }
    void TearDown() override
    {
        KVCore::clearScreenMessages();
        KVCore::clearHints();
        Frontend::setMenuFrameHook(nullptr);
    }

    // A frame as a screen ends it, shown now.
    void showFrame()
    {
        KVCore::beginFrame();
        KVCore::endFrame(0);
    }

    test::FakeWindowScope fake;
};

TEST_F(StillScreens, TheEnginesFactsFollowInputTimeAndOverlays)
{
    showFrame();
    EXPECT_TRUE(KVCore::lastPictureStands());
    KVCore::holdFrame();
    EXPECT_EQ(fake.window.heldFrames, 1);
    EXPECT_TRUE(KVCore::tickFlag()) << "a held frame still ticks";
    EXPECT_TRUE(KVCore::lastPictureStands());

    // A pointer that moved and came back has changed nothing.
    fake.window.mouse.x += 5;
    EXPECT_FALSE(KVCore::lastPictureStands());
    fake.window.mouse.x -= 5;
    EXPECT_TRUE(KVCore::lastPictureStands());

    fake.window.pressKey(sf::Keyboard::A);
    KVCore::holdFrame();
    EXPECT_FALSE(KVCore::lastPictureStands()) << "an event was read";
    showFrame();
    EXPECT_TRUE(KVCore::lastPictureStands());

    fake.time.advance(KVCore::stillPictureRefreshSeconds);
    EXPECT_FALSE(KVCore::lastPictureStands());
    showFrame();

    KVCore::showHint("hint", {10.f, 10.f}, 1.f, "A hint");
    EXPECT_FALSE(KVCore::lastPictureStands());
    KVCore::clearHints();
    KVCore::settings().displayFPS = true;
    EXPECT_FALSE(KVCore::lastPictureStands());
    KVCore::settings().displayFPS = false;
    EXPECT_TRUE(KVCore::lastPictureStands());
}

// A message does not move while it is on screen: the picture is drawn again
// when one comes and when one goes, and held frames age it by the wall
// clock as drawn ones do, so it goes after the same ten seconds.
TEST_F(StillScreens, AMessageIsHeldOnScreenUntilItGoes)
{
    showFrame();
    KVCore::clearScreenMessages();
    EXPECT_TRUE(KVCore::lastPictureStands()) << "clearing no messages changes nothing";
    KVCore::print("Sound is off", sf::Color::White);
    EXPECT_FALSE(KVCore::lastPictureStands()) << "a message came";
    showFrame();
    EXPECT_TRUE(KVCore::lastPictureStands()) << "the message stands still";

    for (int second = 1; second <= KVCore::screenMessageLifetime; ++second) {
        fake.time.utc.second = 15 + second;
        KVCore::holdFrame();
    }
    ASSERT_EQ(KVCore::screenMessages().size(), 1u);
    EXPECT_EQ(KVCore::screenMessages()[0].age, KVCore::screenMessageLifetime);
    EXPECT_TRUE(KVCore::lastPictureStands());
    fake.time.utc.second = 15 + KVCore::screenMessageLifetime + 1;
    KVCore::holdFrame();
    EXPECT_TRUE(KVCore::screenMessages().empty());
    EXPECT_FALSE(KVCore::lastPictureStands()) << "the message went";
    showFrame();
    EXPECT_TRUE(KVCore::lastPictureStands());

    KVCore::print("Screenshot saved", sf::Color::White);
    showFrame();
    KVCore::clearScreenMessages();
    EXPECT_FALSE(KVCore::lastPictureStands()) << "the messages were cleared";
}

TEST_F(StillScreens, AnIdleMenuIsHeldAndDrawnAgainForInput)
{
    Frontend::MenuList list;
    list.setTitle("Test Menu", "", "");
    for (int i = 0; i < 3; ++i)
        list.addRow("Row", 89, "Hint");
    // A menu opens straight after a frame of the screen before it.
    showFrame();
    int pass = 0;
    std::vector<int> drawnAt;
    int framesBefore = fake.window.frames;
    Frontend::setMenuFrameHook([&](const Frontend::MenuList&) {
        if (fake.window.frames != framesBefore)
            drawnAt.push_back(pass);
        framesBefore = fake.window.frames;
        switch (++pass) {
        case 5: fake.window.mouse.y += 3; break;
        case 8: fake.window.pressKey(sf::Keyboard::Down); break;
        case 12: fake.time.advance(KVCore::stillPictureRefreshSeconds); break;
        case 15: fake.window.pressKey(sf::Keyboard::Escape); break;
        case 40: fake.window.close(); break;
        default: break;
        }
    });
    const sf::Texture background;
    EXPECT_EQ(Frontend::runMenu(list, background), Frontend::menuCancelled);
    // The first pass, then the pass after each change; the key press is read
    // at the end of its pass, so the pass after it draws.
    EXPECT_EQ(drawnAt, (std::vector<int>{1, 5, 9, 12}));
    EXPECT_EQ(list.current(), 1);
    EXPECT_GT(fake.window.heldFrames, 8);
}

TEST_F(StillScreens, ThePausePictureIsHeldAndStillClosesOnAKey)
{
    GameTexture picture;
    picture.texture = std::make_unique<sf::Texture>();
    picture.loaded = true;
    picture.width = picture.height = 64;
    fake.window.afterHold = [&] {
        if (fake.window.heldFrames == 5)
            fake.window.pressKey(sf::Keyboard::Space);
        if (fake.window.heldFrames > 50)
            fake.window.close();
    };
    // The pause comes straight after a frame of play.
    showFrame();
    Game::showPictureScreen(picture);
    EXPECT_EQ(fake.window.frames, 2) << "the picture is drawn once";
    EXPECT_EQ(fake.window.heldFrames, 5) << "closed by the key read on a held frame";
    EXPECT_TRUE(fake.window.isOpen());
}

} // namespace

namespace {

// In a real window the menu is drawn from a picture kept while it looks the
// same: moved over another row, the frame shown is the menu as it is now,
// pixel for pixel as if drawn straight onto the window, and a frame that
// only shows the menu again copies the picture in one draw.  A view that
// does not map one unit to one pixel is drawn straight onto the window.
TEST(MenuPicture, TheFrameShownIsTheMenuAsItIsNow)
{
    ASSERT_TRUE(test::loadEngineFonts());
    test::loadEngineArt();
    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    KVCore::setWindowBackend(KVCore::makeSfmlWindowBackend());
    ASSERT_TRUE(KVCore::createWindow(640, 480, 32, true));
    KVCore::setDirectDraw(false);
    KVCore::startPoller();
    sf::RenderWindow& window = *KVCore::window().renderWindow();

    sf::Image backImage;
    backImage.create(640, 480, sf::Color(30, 120, 40));
    for (unsigned x = 0; x < 640; x += 7)
        backImage.setPixel(x, x * 3 % 480, sf::Color::Yellow);
    sf::Texture background;
    ASSERT_TRUE(background.loadFromImage(backImage));

    // The menu shown until the pointer has chosen the third row and a frame
    // of it was taken, then until a frame drawn for no change at all.
    const auto shown = [&](const std::string& file, std::uint64_t& leastDraws) {
        Frontend::MenuList list;
        list.setTitle("Test Menu", "", "");
        for (const char* row : {"Play", "Options", "Tools"})
            list.addRow(row, 89, "Hint");
        int passes = 0;
        enum { Choosing, Taking, Waiting, Done } phase = Choosing;
        leastDraws = 0;
        Frontend::setMenuFrameHook([&](const Frontend::MenuList& menu) {
            // The draws of the pass before this one.
            const std::uint64_t draws = platform::drawCount();
            platform::resetDrawCount();
            KVCore::clearScreenMessages();
            const sf::FloatRect row = menu.layout(KVCore::viewSize()).rows.at(2);
            if (++passes == 2)
                sf::Mouse::setPosition(window.mapCoordsToPixel({row.left + 40.f, row.top + 5.f}), window);
            if (phase == Choosing && menu.current() == 2) {
                KVCore::requestScreenshot(file);
                phase = Taking;
            } else if (phase == Taking && !KVCore::screenshotPending()) {
                phase = Waiting;
            } else if (phase == Waiting && draws > 0) {
                leastDraws = draws;  // a frame drawn again with nothing changed
                phase = Done;
            }
            if (phase == Done || passes > 3000)
                KVCore::window().close();
        });
        EXPECT_EQ(Frontend::runMenu(list, background), Frontend::menuWindowGone);
        Frontend::setMenuFrameHook(nullptr);
        EXPECT_EQ(list.current(), 2);
        sf::Image shot;
        EXPECT_TRUE(shot.loadFromFile(file));
        return std::pair(shot, list);
    };
    const auto differing = [&](const sf::Image& shot, const Frontend::MenuList& list, const sf::View& view) {
        sf::RenderTexture direct;
        if (!direct.create(640, 480) || shot.getSize() != direct.getSize())
            return -1;
        direct.setView(view);
        KVCore::drawOverView(direct, background, sf::RenderStates(sf::BlendNone));
        list.draw(direct);
        direct.display();
        const sf::Image expected = direct.getTexture().copyToImage();
        int count = 0;
        for (unsigned y = 0; y < 480; ++y)
            for (unsigned x = 0; x < 640; ++x)
                count += shot.getPixel(x, y) != expected.getPixel(x, y);
        return count;
    };

    std::uint64_t leastDraws = 0;
    const auto [plain, plainList] = shown("plain.png", leastDraws);
    EXPECT_EQ(differing(plain, plainList, window.getDefaultView()), 0);
    EXPECT_EQ(leastDraws, 1u) << "the picture copied";

    for (const sf::FloatRect& area : {sf::FloatRect(0.f, 0.f, 480.f, 360.f), sf::FloatRect(50.f, 30.f, 640.f, 480.f)}) {
        ASSERT_TRUE(KVCore::createWindow(640, 480, 32, true));
        KVCore::window().setView(sf::View(area));
        shown("other view.png", leastDraws);
        EXPECT_GT(leastDraws, 1u) << "drawn part by part in a view of " << area.width << " at " << area.left;
    }

    KVCore::stopPoller();
    KVCore::clearScreenMessages();
    KVCore::setDirectDraw(true);
    KVCore::setWindowBackend(nullptr);
}

} // namespace
