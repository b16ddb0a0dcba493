// Sprites in kelvane-tool: describing and checking "Kelvane Sprite" files and
// Talvex sprites, and turning a Talvex sprite into one of ours.

#include "Registry.hpp"

#include "world/Sprite.hpp"

#include <iostream>

namespace {

void describeSprite(const Sprite& sprite, tool::Json& out)
{
    out.key("description").value(sprite.description);
    out.key("frames").beginArray();
    for (const SpriteFrame& frame : sprite.frames) {
        out.beginObject()
            .key("width").value(frame.image.getSize().x)
            .key("height").value(frame.image.getSize().y)
            .key("displayTime").value(static_cast<int>(frame.displayTime))
            .key("sourcePath").value(frame.sourcePath)
            .endObject();
    }
    out.endArray();
    out.key("textureWidth").value(sprite.textureSize().x);
    out.key("textureHeight").value(sprite.textureSize().y);
    out.key("box").beginArray()
        .value(static_cast<double>(sprite.boxLeft))
        .value(static_cast<double>(sprite.boxTop))
        .value(static_cast<double>(sprite.boxRight))
        .value(static_cast<double>(sprite.boxBottom))
        .endArray();
}

bool describeLoaded(const std::string& path, tool::Json& out, std::string& error)
{
    Sprite sprite;
    if (!sprite.load(path)) {
        error = sprite.lastError;
        return false;
    }
    describeSprite(sprite, out);
    return true;
}

bool describeTalvex(const std::string& path, tool::Json& out, std::string& error)
{
    Sprite sprite;
    if (!sprite.importTalvexSprite(path)) {
        error = sprite.lastError;
        return false;
    }
    describeSprite(sprite, out);
    return true;
}

int importTalvexSprite(const std::vector<std::string>& args)
{
    Sprite sprite;
    if (!sprite.importTalvexSprite(args[0]) || !sprite.save(args[1]))
        return tool::refuse(sprite.lastError);
    std::cout << args[1] << ": " << sprite.frames.size() << " frames\n";
    return tool::exitOk;
}

const bool registered =
    tool::registerFileKind({"sprite", Sprite::fileTag, ".spr", tool::TagStyle::LengthPrefixed, false, describeLoaded,
                            [](const std::string& path, std::string& error) {
                                tool::Json unused;
                                return describeLoaded(path, unused, error);
                            }}) &&
    tool::registerFileKind({"talvex-sprite", Sprite::talvexTag, "", tool::TagStyle::Fixed32, true, describeTalvex,
                            [](const std::string& path, std::string& error) {
                                tool::Json unused;
                                return describeTalvex(path, unused, error);
                            }}) &&
    tool::registerCommand({"import-talvex-sprite", "IN OUT.spr",
                           "Converts a Talvex sprite into a Kelvane sprite file.", 2, importTalvexSprite});

} // namespace
