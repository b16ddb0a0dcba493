#include "engine/Console.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "gui/ScriptConsole.hpp"
#include "storage/BinaryFile.hpp"
#include "storage/IniFile.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("kelvane_settings_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        path = (folder / "zavi3.ini").string();
        KVCore::settings() = KVCore::EngineSettings{};
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        KVCore::settings() = KVCore::EngineSettings{};
    }
    void write(const std::string& text) { std::ofstream(path) << text; }
    // Every value unlike its default.
    static KVCore::EngineSettings allChanged()
    {
        return {.version = 1, .width = 1280, .height = 720, .bpp = 16, .window = true, .antialiasingLevel = 2,
                .fpsLimit = 144, .vsyncEnabled = false, .displayFPS = true, .emulatedWidth = 1024,
                .emulatedHeight = 768, .globalVolume = 7, .soundVolume = 8, .musicVolume = 9,
                .soundAttenuation = 0.5f, .muteInactiveWindow = false, .musicLoadPath = "music\\x",
                .hintsAlpha = 200, .flatButtons = true};
    }
    std::string read()
    {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path folder;
    std::string path;
};

TEST_F(SettingsFile, EveryKeyMissingFromTheFileTakesItsDefault)
{
    // A default file as the game writes it on first start...
    ASSERT_TRUE(KVCore::saveSettings(path));
    const std::string defaults = read();

    // ...is what loading a missing file gives, whatever was set before.
    KVCore::settings() = allChanged();
    ASSERT_TRUE(KVCore::saveSettings(path));
    ASSERT_NE(read(), defaults) << "every value above differs from its default";
    std::filesystem::remove(path);
    KVCore::loadSettings(path);
    EXPECT_FALSE(KVCore::settingsFileExisted());
    ASSERT_TRUE(KVCore::saveSettings(path));
    EXPECT_EQ(read(), defaults);
}

TEST_F(SettingsFile, CheckedValuesAtTheirEdges)
{
    struct Case {
        const char* ini;
        float attenuation;
        int hintsAlpha;
        bool mute;
    };
    // The attenuation must lie strictly between 0 and 1; the hint alpha keeps
    // its low byte; files older than the version key get the default alpha.
    const Case cases[] = {
        {"soundAttenuation=0", 0.01f, 192, true},
        {"soundAttenuation=0.000001", 0.000001f, 192, true},
        {"soundAttenuation=0.999999", 0.999999f, 192, true},
        {"soundAttenuation=1", 0.01f, 192, true},
        {"soundAttenuation=1.5", 0.01f, 192, true},
        {"soundAttenuation=-0.2", 0.01f, 192, true},
        {"soundAttenuation=0.5", 0.5f, 192, true},
        {"[ui]\nhintsAlpha=0", 0.01f, 0, true},
        {"[ui]\nhintsAlpha=255", 0.01f, 255, true},
        {"[ui]\nhintsAlpha=256", 0.01f, 0, true},
        {"[ui]\nhintsAlpha=300", 0.01f, 44, true},
        {"[ui]\nhintsAlpha=-1", 0.01f, 255, true},
        {"muteInactiveWindow=0", 0.01f, 192, false},
        {"muteInactiveWindow=0.001", 0.01f, 192, true},
        {"muteInactiveWindow=loud", 0.01f, 192, true},
        {"soundAttenuation=nan", 0.01f, 192, true},
        {"soundAttenuation=-nan", 0.01f, 192, true},
        {"soundAttenuation=0x1p-2", 0.01f, 192, true},
        {"soundAttenuation=1e-3", 0.001f, 192, true},
    };
    for (const Case& c : cases) {
        write(std::string("[info]\nversion=1\n[audio]\n") + c.ini + "\n");
        KVCore::loadSettings(path);
        EXPECT_TRUE(KVCore::settingsFileExisted());
        EXPECT_FLOAT_EQ(KVCore::settings().soundAttenuation, c.attenuation) << c.ini;
        EXPECT_EQ(KVCore::settings().hintsAlpha, c.hintsAlpha) << c.ini;
        EXPECT_EQ(KVCore::settings().muteInactiveWindow, c.mute) << c.ini;
    }
}

// Whatever a player types into a key, the values the engine is given stay
// usable: what is no number is the key's default, and numbers are held to
// what the display and the audio code can take.
TEST_F(SettingsFile, EveryNumberKeyHoldsForEveryValueAHandEditedFileCanHold)
{
    using S = KVCore::EngineSettings;
    struct Key {
        const char* section;
        const char* name;
        float (*value)(const S&);
    };
    const Key keys[] = {
        {"info", "version", [](const S& s) { return float(s.version); }},
        {"video", "width", [](const S& s) { return float(s.width); }},
        {"video", "height", [](const S& s) { return float(s.height); }},
        {"video", "bpp", [](const S& s) { return float(s.bpp); }},
        {"video", "antialiasingLevel", [](const S& s) { return float(s.antialiasingLevel); }},
        {"video", "fpsLimit", [](const S& s) { return float(s.fpsLimit); }},
        {"video", "emulatedWidth", [](const S& s) { return float(s.emulatedWidth); }},
        {"video", "emulatedHeight", [](const S& s) { return float(s.emulatedHeight); }},
        {"audio", "globalVolume", [](const S& s) { return float(s.globalVolume); }},
        {"audio", "soundVolume", [](const S& s) { return float(s.soundVolume); }},
        {"audio", "musicVolume", [](const S& s) { return float(s.musicVolume); }},
        {"audio", "soundAttenuation", [](const S& s) { return s.soundAttenuation; }},
        {"audio", "muteInactiveWindow", [](const S& s) { return s.muteInactiveWindow ? 1.f : 0.f; }},
        {"ui", "hintsAlpha", [](const S& s) { return float(s.hintsAlpha); }},
    };
    // The other keys hold values unlike their defaults, so a key read from
    // the wrong place shows; the key tested comes first, and the first of
    // two equal keys is the one read.
    const std::string others =
        "[info]\nversion=1\n[video]\nwidth=800\nheight=600\nemulatedWidth=1024\nemulatedHeight=768\n"
        "[audio]\nglobalVolume=50\nsoundAttenuation=0.5\n[ui]\nhintsAlpha=9\n";
    const auto load = [&](const Key& key, const std::string& value) {
        write("[" + std::string(key.section) + "]\n" + key.name + "=" + value + "\n" + others);
        KVCore::loadSettings(path);
        return KVCore::settings();
    };
    const auto defaultOf = [&](const Key& key) {
        write("");
        KVCore::loadSettings(path);
        return key.value(KVCore::settings());
    };

    const char* noNumbers[] = {"nan", "NAN", "inf", "-Infinity", "0x40", "0x1p4", "12abc", "1,5",
                               "1e", "  ", "+", "--1", "\x7f", "5 5", "\xef\xbc\x95"};
    for (const Key& key : keys) {
        const float fallback = defaultOf(key);
        for (const char* value : noNumbers)
            EXPECT_EQ(key.value(load(key, value)), fallback) << key.name << "=" << value;
    }

    const char* numbers[] = {"-2147483648", "-1", "0", "1", "0.5", "1e-3", "100", "101",
                             "4096", "4097", "65536", "2147483647", "+7", "1e30"};
    for (const Key& key : keys) {
        for (const char* value : numbers) {
            const S s = load(key, value);
            const std::string where = std::string(key.name) + "=" + value;
            EXPECT_GE(s.width, 0) << where;
            EXPECT_GE(s.height, 0) << where;
            // No emulation (a side of 0), or one a layer texture can hold.
            const bool noEmulation = s.emulatedWidth == 0 || s.emulatedHeight == 0;
            EXPECT_TRUE(noEmulation || (s.emulatedWidth > 0 && s.emulatedWidth <= 4096 && s.emulatedHeight > 0 &&
                                        s.emulatedHeight <= 4096))
                << where << ": " << s.emulatedWidth << "x" << s.emulatedHeight;
            for (int volume : {s.globalVolume, s.soundVolume, s.musicVolume}) {
                EXPECT_GE(volume, 0) << where;
                EXPECT_LE(volume, 100) << where;
            }
            EXPECT_GT(s.soundAttenuation, 0.f) << where;
            EXPECT_LT(s.soundAttenuation, 1.f) << where;
        }
    }

    // Volumes beyond their range take its nearest end; emulated sides that
    // could not be drawn, or a negative screen size, mean none.
    const std::pair<const char*, float> edges[] = {
        {"globalVolume=-5", 0.f},          {"soundVolume=101", 100.f}, {"musicVolume=2147483647", 100.f},
        {"musicVolume=+40", 40.f},         {"emulatedWidth=4096", 4096.f}, {"emulatedWidth=4097", 0.f},
        {"emulatedHeight=-1", 0.f},        {"width=-1", 0.f},          {"height=-1", 0.f},
    };
    for (const auto& [line, expected] : edges) {
        const std::string text(line);
        const std::string name = text.substr(0, text.find('='));
        const auto key = std::find_if(std::begin(keys), std::end(keys), [&](const Key& k) { return name == k.name; });
        ASSERT_NE(key, std::end(keys)) << line;
        EXPECT_EQ(key->value(load(*key, text.substr(text.find('=') + 1))), expected) << line;
    }
    // Both emulated sides or neither; both screen sides too.
    EXPECT_EQ(load(keys[7], "5000").emulatedWidth, 0);
    EXPECT_EQ(load(keys[2], "-3").width, 0);
}

TEST_F(SettingsFile, FileWithoutVersionResetsHintAlpha)
{
    write("[ui]\nhintsAlpha=20\n[video]\nwidth=800\nwindow=yes\n");
    KVCore::loadSettings(path);
    EXPECT_EQ(KVCore::settings().hintsAlpha, 192);
    EXPECT_EQ(KVCore::settings().width, 800);
    EXPECT_TRUE(KVCore::settings().window);
}

TEST_F(SettingsFile, SavedFileHoldsEveryKeyAndReadsBack)
{
    KVCore::settings() = allChanged();
    KVCore::settings().hintsAlpha = 44;
    ASSERT_TRUE(KVCore::saveSettings(path));
    const std::string text = read();
    EXPECT_EQ(text.rfind("\n[info]\nversion=1\n\n[video]\n; Set either width or height to 0", 0), 0u) << text;
    EXPECT_NE(text.find("\nwindow=True\n"), std::string::npos);
    EXPECT_NE(text.find("\nsoundAttenuation=0.500000\nmuteInactiveWindow=0.000000\nmusicLoadPath=music\\x\n"),
              std::string::npos);
    EXPECT_NE(text.find("[audio]\n; globalVolume, soundVolume and musicVolume range from 0 to 100.\n"),
              std::string::npos);
    EXPECT_NE(text.find("[ui]\n; hintAlpha ranges from 0 to 255.\nhintsAlpha=44\nflatButtons=True\n"),
              std::string::npos);

    // Every value comes back as it was saved.
    auto values = [](const KVCore::EngineSettings& s) {
        return std::tie(s.version, s.width, s.height, s.bpp, s.window, s.antialiasingLevel, s.fpsLimit,
                        s.vsyncEnabled, s.displayFPS, s.emulatedWidth, s.emulatedHeight, s.globalVolume,
                        s.soundVolume, s.musicVolume, s.soundAttenuation, s.muteInactiveWindow, s.musicLoadPath,
                        s.hintsAlpha, s.flatButtons);
    };
    const KVCore::EngineSettings saved = KVCore::settings();
    KVCore::settings() = KVCore::EngineSettings{};
    KVCore::loadSettings(path);
    EXPECT_TRUE(values(KVCore::settings()) == values(saved));
}

TEST(Display, SmallModesAreRaisedAndDesktopSizeIsStoredAsZero)
{
    test::FakeWindowScope fake;
    KVCore::settings() = KVCore::EngineSettings{};
    KVCore::createWindow(320, 200, 32, true);
    EXPECT_EQ(fake.window.size(), sf::Vector2u(640, 480));
    EXPECT_EQ(KVCore::settings().width, 640);
    EXPECT_EQ(KVCore::settings().height, 480);
    EXPECT_TRUE(KVCore::settings().window);
    EXPECT_EQ(KVCore::frameLimitInEffect(), 60u);
    EXPECT_EQ(fake.window.frameLimit, 60u);
    EXPECT_TRUE(fake.window.vsync);
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Switched to windowed display resolution 640 by 480");

    KVCore::createWindow(1920, 1080, 32, false);
    EXPECT_EQ(KVCore::settings().width, 0);
    EXPECT_EQ(KVCore::settings().height, 0);
    EXPECT_FALSE(KVCore::settings().window);
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Switched to fullscreen display resolution 1920 by 1080");
    KVCore::settings() = KVCore::EngineSettings{};
}

// The display-mode dialog makes the window anew: the script console then
// reads its history again, the first window having read it at start-up.
TEST(Display, ANewWindowRereadsTheScriptConsoleHistory)
{
    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    test::FakeWindowScope fake;
    KVCore::createWindow(800, 600, 32, true);
    BinaryFile f;
    ASSERT_TRUE(f.create(KVCore::scriptHistoryFile));
    f.writeHeader("ZAVI3 Script Console History");
    f.writeValue(std::uint32_t{1});
    f.writeValue(std::int32_t{5});
    f.write("mow()", 5);
    ASSERT_TRUE(f.close());

    ASSERT_TRUE(test::loadEngineFonts());
    KVCore::createWindow(800, 600, 32, true);
    EXPECT_EQ(KVCore::scriptConsoleHistory(), std::vector<std::string>{"mow()"});
    EXPECT_EQ(kv::scriptConsole().history, std::vector<std::string>{"mow()"});
    KVCore::settings() = KVCore::EngineSettings{};
}

// Closing a window asks first; closing full screen does not.
TEST(Display, OnlyAWindowAsksBeforeClosing)
{
    test::FakeWindowScope fake;
    test::ScopedEnv answerBoxes{"KELVANE_MESSAGEBOX", "no"};
    KVCore::startPoller();
    for (bool windowed : {false, true}) {
        int exitCode = -1;
        KVCore::setExitHandler([&](int code) { exitCode = code; });
        KVCore::createWindow(800, 600, 32, windowed);
        testing::internal::CaptureStderr();
        fake.window.closeRequest();
        fake.time.advance(0.05);
        KVCore::pollEvents();
        const std::string asked = testing::internal::GetCapturedStderr();
        EXPECT_EQ(asked.empty(), !windowed) << asked;
        EXPECT_EQ(exitCode, windowed ? -1 : 0);
        fake.window.open = true;
        KVCore::startPoller();
    }
    KVCore::settings() = KVCore::EngineSettings{};
}

TEST(Display, EmulationKeepsTheWindowAspect)
{
    test::FakeWindowScope fake;
    KVCore::settings() = KVCore::EngineSettings{};
    fake.window.resize(1920, 1080);
    KVCore::emulateResolution(800, 600, true);
    const sf::View& view = fake.window.view();
    EXPECT_NEAR(view.getSize().x, 1066.67f, 0.01f);
    EXPECT_FLOAT_EQ(view.getSize().y, 600.f);
    EXPECT_NEAR(view.getViewport().left, 0.f, 1e-5);
    EXPECT_NEAR(view.getViewport().top, 0.f, 1e-5);
    EXPECT_NEAR(view.getViewport().width, 1.f, 1e-5);
    EXPECT_NEAR(view.getViewport().height, 1.f, 1e-5);
    EXPECT_EQ(KVCore::emulatedSize(), sf::Vector2f(1066.f, 600.f));
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Emulating display resolution 1066 by 600 (adjusted for aspect)");
    EXPECT_EQ(KVCore::settings().emulatedWidth, 800);
    EXPECT_EQ(KVCore::settings().emulatedHeight, 600);

    // The middle of the window is the middle of the emulated view.
    fake.window.mouse = {960, 540};
    EXPECT_EQ(Mouse::getViewPosition(), sf::Vector2i(533, 300));
    KVCore::stopEmulation();
    EXPECT_FALSE(KVCore::emulationActive());
    EXPECT_EQ(fake.window.view().getSize(), sf::Vector2f(1920.f, 1080.f));

    // Portrait windows keep the emulated width; tiny requests become 640x480.
    fake.window.resize(600, 1000);
    KVCore::emulateResolution(100, 100, false);
    EXPECT_FLOAT_EQ(fake.window.view().getSize().x, 640.f);
    EXPECT_NEAR(fake.window.view().getSize().y, 1066.67f, 0.01f);
    EXPECT_EQ(KVCore::settings().emulatedWidth, 800);
    KVCore::stopEmulation();
    KVCore::settings() = KVCore::EngineSettings{};
}

// Alt+Enter and F11 switch between window and full screen from any screen;
// the view keeps the emulated resolution and the choice is written at once.
TEST(Display, AltEnterAndF11SwitchToFullScreenAndBackKeepingTheView)
{
    test::TempFolder temp;
    test::ScopedWorkingDirectory inTemp{temp.root()};
    ASSERT_TRUE(test::loadEngineFonts());
    test::FakeWindowScope fake;
    KVCore::settings() = KVCore::EngineSettings{};
    KVCore::startPoller();
    const auto press = [&](sf::Keyboard::Key key, bool alt) {
        sf::Event e;
        e.type = sf::Event::KeyPressed;
        e.key = {key, alt, false, false, false};
        fake.window.events.push_back(e);
        fake.time.advance(0.05);
        KVCore::pollEvents();
    };
    const auto storedWindow = [] {
        IniFile ini;
        EXPECT_TRUE(ini.load(KVCore::settingsFileName));
        ini.selectSection("video");
        return ini.getString("window", "missing") == "True";
    };
    fake.window.desktop = {1600, 900, 32};
    KVCore::createWindow(1280, 720, 32, false);
    KVCore::createWindow(1024, 768, 32, true);
    KVCore::emulateResolution(800, 600, false);
    const int created = fake.window.createCount;

    press(sf::Keyboard::Return, false);
    EXPECT_EQ(fake.window.createCount, created) << "Return alone is a key like any other";
    EXPECT_EQ(Keyboard::pressedKeys(), std::vector<std::int32_t>{sf::Keyboard::Return});

    struct Step {
        sf::Keyboard::Key key;
        bool alt;
        bool windowed;
        sf::Vector2u size;
        sf::Vector2f view;
    };
    const Step steps[] = {
        {sf::Keyboard::F11, false, false, {1280, 720}, {1066.67f, 600.f}},
        {sf::Keyboard::Return, true, true, {1024, 768}, {800.f, 600.f}},
        {sf::Keyboard::Return, true, false, {1280, 720}, {1066.67f, 600.f}},
        {sf::Keyboard::F11, true, true, {1024, 768}, {800.f, 600.f}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.size.x));
        press(step.key, step.alt);
        EXPECT_EQ(fake.window.windowed, step.windowed);
        EXPECT_EQ(KVCore::isWindowed(), step.windowed);
        EXPECT_EQ(fake.window.size(), step.size);
        EXPECT_TRUE(KVCore::emulationActive());
        EXPECT_NEAR(fake.window.view().getSize().x, step.view.x, 0.01f);
        EXPECT_FLOAT_EQ(fake.window.view().getSize().y, step.view.y);
        EXPECT_TRUE(Keyboard::pressedKeys().empty()) << "the switch reaches no screen";
        EXPECT_EQ(storedWindow(), step.windowed);
    }
    KVCore::loadSettings();
    EXPECT_EQ(KVCore::settings().emulatedWidth, 800) << "the next start emulates the same";
    EXPECT_EQ(KVCore::settings().emulatedHeight, 600);

    // Without emulation the screens' view becomes the emulated one, and a
    // window of another size is the one full screen gives way to.
    KVCore::stopEmulation();
    KVCore::createWindow(640, 480, 32, true);
    press(sf::Keyboard::F11, false);
    EXPECT_EQ(fake.window.size(), sf::Vector2u(1280, 720));
    EXPECT_FLOAT_EQ(fake.window.view().getSize().y, 480.f);
    EXPECT_EQ(KVCore::settings().emulatedWidth, 640);
    press(sf::Keyboard::F11, false);
    EXPECT_EQ(fake.window.size(), sf::Vector2u(640, 480));
    EXPECT_EQ(fake.window.view().getSize(), sf::Vector2f(640.f, 480.f));
    KVCore::stopEmulation();
    KVCore::settings() = KVCore::EngineSettings{};
}

} // namespace
