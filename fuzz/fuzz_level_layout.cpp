// Level layouts and legends as text from anywhere.  The input is tried as a
// legend and as a layout in the game's own legend; a layout that compiles
// must come back through its decompiled text as the very same map, and a
// refused one must say where, inside the text, and leave the map alone.
#include "world/LevelLayout.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

const TileLegend& gameLegend()
{
    static const TileLegend legend = [] {
        std::ifstream in(KV_LEVEL_LEGEND, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        TileLegend loaded;
        TextError error;
        if (!loaded.load(text, error))
            std::abort();
        return loaded;
    }();
    return legend;
}

int lineCount(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TileLegend& legend = gameLegend();

    TileLegend parsed = legend;
    TextError error;
    if (!parsed.load(text, error)) {
        if (error.line < 1 || error.line > lineCount(text) || error.column < 1 || error.message.empty() ||
            parsed.entries().size() != legend.entries().size())
            std::abort();
    }

    Map map;
    map.title = "before";
    map.cells[17] = 4242;
    if (!LevelLayout::compile(text, legend, map, error)) {
        if (error.line < 1 || error.line > lineCount(text) + 1 || error.column < 1 || error.message.empty() ||
            map.title != "before" || map.cells[17] != 4242)
            std::abort();
        return 0;
    }
    Map again;
    if (!LevelLayout::compile(LevelLayout::decompile(map, legend), legend, again, error))
        std::abort();
    if (again.cells != map.cells || again.title != map.title || again.author != map.author ||
        again.timeLimit != map.timeLimit || again.cloudCount != map.cloudCount ||
        again.playerStartX != map.playerStartX || again.playerStartY != map.playerStartY)
        std::abort();
    return 0;
}
