// Map files in the tool: describing and checking them, and drawing the field
// into a picture.

#include "Registry.hpp"

#include "world/Map.hpp"

#include <iostream>

namespace {

bool describeMap(const std::string& path, tool::Json& out, std::string& error)
{
    Map map;
    if (!map.load(path)) {
        error = map.lastError;
        return false;
    }
    out.key("version").value(map.fileVersion)
        .key("title").value(map.title)
        .key("author").value(map.author)
        .key("timeLimit").value(map.timeLimit)
        .key("cloudCount").value(map.cloudCount)
        .key("playerStartX").value(map.playerStartX)
        .key("playerStartY").value(map.playerStartY);
    out.key("cells").beginArray();
    for (int y = 0; y < Map::height; ++y) {
        out.beginArray();
        for (int x = 0; x < Map::width; ++x)
            out.value(map.cell(x, y));
        out.endArray();
    }
    out.endArray();
    return true;
}

bool checkMap(const std::string& path, std::string& error)
{
    Map map;
    if (map.load(path))
        return true;
    error = map.lastError;
    return false;
}

int renderMap(const std::vector<std::string>& args)
{
    Map map;
    if (!map.load(args[0]))
        return tool::refuse(map.lastError);
    // The game plays on with black tiles when its tileset is missing; so do
    // we, but say so.
    if (map.tilesetPath.empty())
        std::cerr << "warning: " << map.tileset.lastError << " (tiles drawn black)\n";
    if (!saveImageFile(map.renderField(), args[1]))
        return tool::refuse("Unable to create " + args[1]);
    return tool::exitOk;
}

const bool registered =
    tool::registerFileKind({"map", Map::fileTag, ".map", tool::TagStyle::LengthPrefixed, false, describeMap, checkMap}) &&
    tool::registerCommand({"render-map", "IN.map OUT.png",
                           "Draws a map's 800 by 512 field with the game's tileset (tiles\\kelvane.til in the "
                           "data folder).",
                           2, renderMap});

} // namespace
