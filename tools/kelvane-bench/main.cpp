// kelvane-bench: times the game's screens in a real window and prints the
// figures as one JSON object and a table.  See --help.

#include "FramePlot.hpp"
#include "FrameStats.hpp"
#include "Options.hpp"
#include "Report.hpp"
#include "Runs.hpp"
#include "ScriptedWindow.hpp"

#include "engine/AppInfo.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/KVCore.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "game/GameResources.hpp"
#include "platform/ChildProcess.hpp"
#include "platform/Paths.hpp"
#include "platform/Memory.hpp"
#include "platform/Roots.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>

namespace fs = std::filesystem;

namespace {

// A folder of its own for what the engine writes (settings, the level with
// its clouds), so the run folder is read and never changed.
struct ScratchFolder {
    fs::path path;
    ScratchFolder()
    {
        std::random_device random;
        path = fs::temp_directory_path() / ("kelvane-bench-" + std::to_string(random()));
        fs::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string rendererName()
{
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return name ? name : "unknown";
}

} // namespace

int main(int argc, char** argv)
{
    // As the game does.
    platform::returnLargeBlocksWhenFreed();
    bench::Options options;
    options.runFolder = KV_RUN_FOLDER;
    options.game = KV_GAME;
    std::string optionError;
    if (!bench::parseOptions({argv + 1, argv + argc}, options, optionError)) {
        std::cerr << "kelvane-bench: " << optionError << "\n" << bench::usage;
        return 2;
    }
    if (options.help) {
        std::cout << bench::usage;
        return 0;
    }
    options.plot = fs::absolute(options.plot);
    if (!options.json.empty())
        options.json = fs::absolute(options.json);
    if (!options.screenshot.empty()) {
        options.screenshot = fs::absolute(options.screenshot);
        // Only a picture of this run counts.
        std::error_code ec;
        fs::remove(options.screenshot, ec);
    }
    options.runFolder = fs::absolute(options.runFolder);

    const bool quick = options.quick;
    const int startupRuns = quick ? 3 : 5;
    const int loadRuns = quick ? 3 : 5;
    const double idleSeconds = quick ? 3.0 : 10.0;
    const std::size_t frames = quick ? 200 : 600;
    const std::size_t gameFrames = quick ? 300 : 1200;
    const std::size_t logicFrames = quick ? 3000 : 20000;

    bench::Report report;
    std::string error;

    // The game started as a player starts it, before this process holds a
    // window of its own.
    std::vector<double> startups;
    for (int i = 0; i < startupRuns; ++i) {
        std::string why;
        const std::optional<double> ms =
            platform::millisecondsUntilSaid(options.game, {"--first-frame-then-quit"}, "first frame shown", 30000, why);
        if (ms)
            startups.push_back(*ms);
        else if (error.empty())
            error = why;
    }

    const ScratchFolder scratch;
    fs::current_path(scratch.path);
    platform::useFallbackDataFolder(options.runFolder);

    KVCore::AppInfo& app = KVCore::appInfo();
    app.appName = "Kelvane";
    app.appVersion = KELVANE_VERSION;
    auto scripted = std::make_unique<bench::ScriptedWindow>(KVCore::makeSfmlWindowBackend());
    bench::ScriptedWindow& window = *scripted;
    window.antialiasing = options.antialiasing;
    KVCore::setWindowBackend(std::move(scripted));
    if (!KVCore::init() || !Game::gameStartup()) {
        std::cerr << "kelvane-bench: the engine did not start in " << options.runFolder << "\n";
        return 1;
    }
    bench::Level level;
    if (!bench::chooseLargestLevel(level, error)) {
        std::cerr << "kelvane-bench: " << error << "\n";
        return 1;
    }
    auto time = std::make_unique<bench::SteppedTime>();
    bench::SteppedTime& steppedTime = *time;
    bench::Bench b{window, steppedTime, level, quick ? 30u : 60u, frames, gameFrames, {}, options.screenshot.string()};

    // The player's settings first, in real time.
    const std::optional<double> idleMenu = bench::idleMainMenu(b, idleSeconds);
    const std::optional<double> idlePaused = bench::idlePausedGame(b, idleSeconds);

    // Then as fast as it goes, each frame a 60th of a second of play.
    KVCore::setFrameRateLimit(0);
    KVCore::setVerticalSync(false);
    KVCore::setTimeSource(std::move(time));
    window.stepTime(&steppedTime);
    const std::string renderer = rendererName();
    // What the driver grants is what the floor is made of: under a software
    // renderer each sample is another pass over the window.
    const unsigned askedSamples =
        options.antialiasing.value_or(static_cast<unsigned>(std::max(KVCore::settings().antialiasingLevel, 0)));
    const unsigned grantedSamples = window.renderWindow() ? window.renderWindow()->getSettings().antialiasingLevel : 0;
    const sf::Vector2u windowSize = window.size();

    const std::optional<bench::FrameSummary> floor = bench::summarise(bench::runFloor(b));
    const std::optional<bench::FrameSummary> menu = bench::summarise(bench::runMainMenu(b));
    const std::optional<bench::FrameSummary> editor = bench::summarise(bench::runMapEditor(b));
    const bench::GameRunFigures game = bench::runGame(b);
    const std::optional<bench::FrameSummary> play = bench::summarise(game.frameTimesMs);
    const std::optional<double> levelLoad = bench::timeLevelLoad(b, loadRuns);
    window.stepTime(nullptr);
    const std::optional<double> logic = bench::timeRulesOfPlay(b, logicFrames);

    std::string plotError;
    const bool plotted = bench::writeFramePlot(
        game.frameTimesMs,
        "Game frames: " + level.title + ", " + std::to_string(bench::benchClouds) + " clouds, " + renderer,
        options.plot, plotError);
    Game::gameShutdown();

    const auto ratio = [&](const std::optional<bench::FrameSummary>& s) -> std::optional<double> {
        if (!s || !floor)
            return std::nullopt;
        return bench::ratioToFloor(s->medianMs, floor->medianMs);
    };
    const auto medianOf = [](const std::optional<bench::FrameSummary>& s) {
        return s ? std::optional<double>(s->medianMs) : std::nullopt;
    };
    const std::optional<bench::FrameSummary> startup = bench::summarise(startups);

    report.add({"floorFrameMs", "", medianOf(floor), 3, "ms", ""});
    report.add({"gameFrameMs", "median", medianOf(play), 3, "ms", ""});
    report.add({"gameFrameMs", "p95", play ? std::optional<double>(play->p95Ms) : std::nullopt, 3, "ms", "< 16.7"});
    report.add({"gameFrameRatio", "", ratio(play), 2, "", "<= 4"});
    report.add({"menuFrameRatio", "", ratio(menu), 2, "", "<= 2"});
    report.add({"editorFrameRatio", "", ratio(editor), 2, "", "<= 3"});
    report.add({"drawCallsPerGameFrame", "", game.drawCallsPerFrame, 1, "", "< 60"});
    report.add({"startupMs", "", medianOf(startup), 0, "ms", "< 600"});
    report.add({"levelLoadMs", "", levelLoad, 1, "ms", "< 50"});
    report.add({"peakRssMiB", "", game.peakRssMiB, 1, "MiB", "< 150"});
    report.add({"logicUsPerFrame", "", logic, 2, "us", ""});
    report.add({"allocsPerGameFrame", "", game.allocationsPerFrame, 2, "", "0"});
    report.add({"idleMenuCpuPercent", "", idleMenu, 1, "%", "< 15"});
    report.add({"idlePausedCpuPercent", "", idlePaused, 1, "%", "< 15"});
    report.add({"menuFrameMs", "", medianOf(menu), 3, "ms", ""});
    report.add({"editorFrameMs", "", medianOf(editor), 3, "ms", ""});
    report.note("mode", quick ? "quick" : "full");
    report.note("idleSeconds", std::to_string(static_cast<int>(idleSeconds)));
    report.note("frames", std::to_string(frames) + " floor, menu and editor; " + std::to_string(gameFrames) +
                              " game; " + std::to_string(logicFrames) + " rules of play");
    report.note("level", level.path + " (" + level.title + ", " + std::to_string(level.grassCells) +
                             " grass cells, " + std::to_string(bench::benchClouds) + " clouds)");
    report.note("window", std::to_string(windowSize.x) + "x" + std::to_string(windowSize.y));
    report.note("renderer", renderer);
    report.note("antialiasing",
                "asked " + std::to_string(askedSamples) + ", granted " + std::to_string(grantedSamples));
    report.note("plot", plotted ? options.plot.string() : "not written: " + plotError);

    const std::string json = bench::toJson(report);
    std::cout << json << "\n" << bench::toTable(report);
    if (!options.json.empty()) {
        const fs::path temporary = options.json.string() + ".writing";
        std::ofstream out(temporary);
        out << json;
        out.close();
        std::error_code ec;
        if (out)
            fs::rename(temporary, options.json, ec);
        if (!out || ec) {
            fs::remove(temporary, ec);
            std::cerr << "kelvane-bench: cannot write " << options.json << "\n";
            return 1;
        }
    }
    if (!b.error.empty() && error.empty())
        error = b.error;
    const bool pictured = options.screenshot.empty() || fs::exists(options.screenshot);
    if (!pictured)
        std::cerr << "kelvane-bench: no picture of the last game frame in " << options.screenshot << "\n";
    const std::vector<std::string> missing = report.missing();
    for (const std::string& key : missing)
        std::cerr << "kelvane-bench: no figure for " << key << "\n";
    if (!error.empty())
        std::cerr << "kelvane-bench: " << error << "\n";
    return missing.empty() && plotted && pictured ? 0 : 1;
}
