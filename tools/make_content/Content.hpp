#pragma once
// The content generator's shared ground: where sources are read and the game
// data folder is written, and the list of parts that make it.
//
// Each part (tiles, sprites, pictures, sounds, music, levels, files) lives in
// a folder of its own and registers itself:
//   namespace { const bool registered = content::registerPart({"tiles", makeTiles}); }
// A part throws std::runtime_error with a readable message when it cannot
// make its files; the generator then stops with exit status 1.
//
// Everything a part writes must be the same bytes on every run and machine:
// draw random numbers only from content::Random with fixed seeds, never
// from rand(), the clock or the order of a directory listing.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace content {

namespace fs = std::filesystem;

struct Context {
    fs::path sources;  // content/ of the source tree
    fs::path fonts;    // /usr/share/fonts/truetype or a copy of it
    fs::path out;      // the data folder being made, normally run/base

    // A font below the fonts folder, e.g. "roboto/unhinted/RobotoTTF/Roboto-Black.ttf";
    // throws when it is missing.
    fs::path font(std::string_view relative) const;
    // A source file below content/; throws when it is missing.
    fs::path source(std::string_view relative) const;
    // A file in the data folder, its folders created.  Takes the game's
    // backslash paths ("sprites\\mowerIdle.spr") as well as slashes.
    fs::path output(std::string_view relative) const;
};

struct Part {
    std::string name;
    std::function<void(const Context&)> make;
};

bool registerPart(Part part);
// Sorted by name, so the parts run in the same order whatever the link order.
std::vector<Part> parts();

// Whole file as bytes; throws when it cannot be read.
std::string readTextFile(const fs::path& path);
// Writes bytes; throws when it cannot.
void writeFile(const fs::path& path, std::string_view bytes);

} // namespace content
