// Level layouts in the tool: compiling a text layout into a map file with
// the game's legend, and writing any map back out as a layout.

#include "Registry.hpp"

#include "platform/FileSystem.hpp"
#include "storage/AssetPaths.hpp"
#include "world/LevelLayout.hpp"

#include <iostream>
#include <optional>

namespace {

constexpr const char* legendAssetPath = "maps\\legend.txt";

// A layout is read a little past the largest allowed, so an oversized one is
// refused by the compiler with its position rather than cut short.
std::optional<std::string> readText(const std::string& path)
{
    platform::FileHandle file = platform::openFile(path, "rb");
    if (!file)
        return std::nullopt;
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0 && text.size() <= LevelLayout::maxTextSize)
        text.append(buffer, got);
    if (std::ferror(file.get()))
        return std::nullopt;
    return text;
}

bool loadLegend(TileLegend& legend, std::string& error)
{
    const std::string path = resolvedAssetPath(legendAssetPath);
    const std::optional<std::string> text = readText(path);
    if (!text) {
        error = "Unable to open " + path;
        return false;
    }
    TextError bad;
    if (!legend.load(*text, bad)) {
        error = bad.describe(path);
        return false;
    }
    return true;
}

int compileLevel(const std::vector<std::string>& args)
{
    TileLegend legend;
    std::string error;
    if (!loadLegend(legend, error))
        return tool::refuse(error);
    const std::optional<std::string> text = readText(args[0]);
    if (!text)
        return tool::refuse("Unable to open " + args[0]);
    Map map;
    TextError bad;
    if (!LevelLayout::compile(*text, legend, map, bad))
        return tool::refuse(bad.describe(args[0]));
    if (!map.save(args[1]))
        return tool::refuse(map.lastError);
    return tool::exitOk;
}

int decompileLevel(const std::vector<std::string>& args)
{
    TileLegend legend;
    std::string error;
    if (!loadLegend(legend, error))
        return tool::refuse(error);
    Map map;
    if (!map.load(args[0]))
        return tool::refuse(map.lastError);
    std::cout << LevelLayout::decompile(map, legend);
    return tool::exitOk;
}

const bool registered =
    tool::registerCommand({"compile-level", "LAYOUT.txt OUT.map",
                           "Compiles a text level layout into a map with the game's legend (maps\\legend.txt in "
                           "the data folder).",
                           2, compileLevel}) &&
    tool::registerCommand({"decompile-level", "IN.map",
                           "Writes a map as a text level layout in the game's legend.", 1, decompileLevel});

} // namespace
