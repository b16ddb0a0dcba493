#pragma once
// The tool's commands and the file kinds it can describe.  Each format's
// source file registers its own, so the tool grows with the formats.
//   namespace { const bool registered = tool::registerCommand({...}); }

#include "Json.hpp"

#include <functional>
#include <string>
#include <vector>

namespace tool {

// Exit codes: 0 done, 1 a file was refused, 2 wrong usage.
constexpr int exitOk = 0;
constexpr int exitRefused = 1;
constexpr int exitUsage = 2;

struct Command {
    std::string name;
    std::string arguments;   // shown by --help, e.g. "IN.til OUT.png"
    std::string summary;
    std::size_t argumentCount;
    std::function<int(const std::vector<std::string>& args)> run;
};

// How a file announces its kind: most formats start with a length-prefixed
// tag, the Talvex ones with a 32-byte zero-padded tag.
enum class TagStyle { LengthPrefixed, Fixed32 };

struct FileKind {
    std::string kind;         // "tileset", "map", ...
    std::string tag;
    std::string extension;    // ".map", ...; empty when only the tag tells
    TagStyle style;
    bool ignoreCase;
    // Loads the file; fills the JSON object's fields after "kind".  False
    // with the file's error text when it is refused.
    std::function<bool(const std::string& path, Json& out, std::string& error)> describe;
    // Loads the file; false with its error text when it is refused.
    std::function<bool(const std::string& path, std::string& error)> check;
};

bool registerCommand(Command command);
bool registerFileKind(FileKind kind);

const std::vector<Command>& commands();
// The kind whose tag the file starts with; failing that (a damaged or
// missing file), the kind its extension names in any letter case, so that its
// loader says what is wrong.  Null when neither tells.
const FileKind* detectFileKind(const std::string& path);

// Writes an error line and returns exitRefused.
int refuse(const std::string& error);

} // namespace tool
