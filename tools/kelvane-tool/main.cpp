// kelvane-tool: the game's data formats from the command line, for modders'
// build scripts and for tests.  Runs without a display.

#include "Registry.hpp"

#include "platform/Roots.hpp"
#include "storage/AssetPaths.hpp"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <string>
#include <vector>

namespace {

void printHelp(std::ostream& out)
{
    out << "usage: kelvane-tool [-base FOLDER] COMMAND ARGUMENTS\n"
           "       kelvane-tool --help | --version\n\ncommands:\n";
    for (const tool::Command& c : tool::commands())
        out << "  " << c.name << (c.arguments.empty() ? "" : " ") << c.arguments << "\n      " << c.summary << '\n';
    out << "\n-base FOLDER reads game data from a mod folder instead of base\\.\n"
           "Files are named relative to the working folder; game data missing there is read from\n"
           "the installed data (share/kelvane beside the tool's bin/ folder) when there is one.\n"
           "Exit status: 0 done, 1 a file was refused, 2 wrong usage.\n";
}

bool isBaseSwitch(const std::string& arg)
{
    const std::string wanted = "-base";
    return arg.size() == wanted.size() && std::equal(arg.begin(), arg.end(), wanted.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

int info(const std::vector<std::string>& args)
{
    const tool::FileKind* kind = tool::detectFileKind(args[0]);
    if (!kind)
        return tool::refuse(args[0] + " is not a file kelvane-tool knows");
    tool::Json json;
    json.beginObject().key("kind").value(kind->kind);
    std::string error;
    if (!kind->describe(args[0], json, error))
        return tool::refuse(error);
    json.endObject();
    std::cout << json.text() << '\n';
    return tool::exitOk;
}

int check(const std::vector<std::string>& args)
{
    const tool::FileKind* kind = tool::detectFileKind(args[0]);
    if (!kind)
        return tool::refuse(args[0] + " is not a file kelvane-tool knows");
    std::string error;
    if (!kind->check(args[0], error))
        return tool::refuse(error);
    std::cout << args[0] << ": " << kind->kind << " loads\n";
    return tool::exitOk;
}

const bool registered =
    tool::registerCommand({"info", "FILE", "Describes a tileset, map, sprite or saved game as one JSON object.", 1,
                           info}) &&
    tool::registerCommand({"check", "FILE", "Loads a file and reports whether the game accepts it.", 1, check});

} // namespace

int main(int argc, char** argv)
{
    (void)registered;
    platform::setUpRoots(platform::WorkingFolder::Keep);
    scanModFolderArgument(argc, argv);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (isBaseSwitch(arg)) {
            ++i;
            continue;
        }
        args.push_back(arg);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(args.empty() ? std::cerr : std::cout);
        return args.empty() ? tool::exitUsage : tool::exitOk;
    }
    if (args[0] == "--version") {
        std::cout << "kelvane-tool " KELVANE_VERSION "\n";
        return tool::exitOk;
    }
    for (const tool::Command& c : tool::commands()) {
        if (c.name != args[0])
            continue;
        if (args.size() - 1 != c.argumentCount) {
            std::cerr << "usage: kelvane-tool " << c.name << ' ' << c.arguments << '\n';
            return tool::exitUsage;
        }
        return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    std::cerr << "kelvane-tool: unknown command " << args[0] << " (see kelvane-tool --help)\n";
    return tool::exitUsage;
}
