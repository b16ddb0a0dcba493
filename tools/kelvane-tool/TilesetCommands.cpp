// Tileset files in the tool: describing and checking them, the Talvex
// import and tile sheets.

#include "Registry.hpp"

#include "world/Tileset.hpp"

#include <iostream>

namespace {

bool describeTileset(const std::string& path, tool::Json& out, std::string& error)
{
    Tileset tileset;
    if (!tileset.load(path)) {
        error = tileset.lastError;
        return false;
    }
    out.key("description").value(tileset.description);
    out.key("tiles").beginArray();
    for (int i = 0; i < Tileset::tileCount; ++i) {
        const Tile& tile = tileset.tiles[static_cast<std::size_t>(i)];
        out.beginObject()
            .key("index").value(i)
            .key("description").value(tile.description)
            .key("type").value(static_cast<int>(tile.type))
            .key("typeName").value(Tileset::getTypeName(tile.type))
            .endObject();
    }
    out.endArray();
    return true;
}

bool checkTileset(const std::string& path, std::string& error)
{
    Tileset tileset;
    if (tileset.load(path))
        return true;
    error = tileset.lastError;
    return false;
}

int saveTileset(Tileset& tileset, const std::string& path)
{
    if (!tileset.save(path))
        return tool::refuse(tileset.lastError);
    return tool::exitOk;
}

int importTalvexTileset(const std::vector<std::string>& args)
{
    Tileset tileset;
    if (!tileset.importTalvexTileset(args[0]))
        return tool::refuse(tileset.lastError);
    return saveTileset(tileset, args[1]);
}

int exportTilesheet(const std::vector<std::string>& args)
{
    Tileset tileset;
    if (!tileset.load(args[0]))
        return tool::refuse(tileset.lastError);
    if (!tileset.exportTilesheet(args[1]))
        return tool::refuse(tileset.lastError);
    return tool::exitOk;
}

int importTilesheet(const std::vector<std::string>& args)
{
    Tileset tileset;
    if (!tileset.load(args[0]) || !tileset.importTilesheet(args[1]))
        return tool::refuse(tileset.lastError);
    return saveTileset(tileset, args[2]);
}

const bool registered =
    tool::registerFileKind({"tileset", Tileset::fileTag, ".til", tool::TagStyle::LengthPrefixed, false, describeTileset,
                            checkTileset}) &&
    tool::registerCommand({"import-talvex-tileset", "IN OUT.til",
                           "Converts a Talvex tileset (version 6) into a Kelvane tileset.", 2, importTalvexTileset}) &&
    tool::registerCommand({"export-tilesheet", "IN.til OUT.png",
                           "Writes a tileset's 1024 tiles as one 1024 by 1024 picture.", 2, exportTilesheet}) &&
    tool::registerCommand({"import-tilesheet", "IN.til SHEET.png OUT.til",
                           "Replaces a tileset's pictures with the cells of a 1024 by 1024 sheet; descriptions "
                           "and types stay.",
                           3, importTilesheet});

} // namespace
