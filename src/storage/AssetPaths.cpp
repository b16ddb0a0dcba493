#include "storage/AssetPaths.hpp"

#include "platform/Paths.hpp"
#include "platform/TextCase.hpp"

bool modFolderGiven = false;
std::string modFolder;

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isBaseSwitch(const char* argument)
{
    if (!argument || argument[0] != '-')
        return false;
    static const char expected[] = "-base";
    for (std::size_t i = 0; i < sizeof expected; ++i) {
        if (platform::lowerAscii(argument[i]) != expected[i])
            return false;  // also stops at the argument's terminator
    }
    return true;
}

} // namespace

void scanModFolderArgument(int argc, const char* const* argv)
{
    modFolderGiven = false;
    modFolder.clear();
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i) {
        if (!isBaseSwitch(argv[i]))
            continue;
        if (i + 1 >= argc || !argv[i + 1] || argv[i + 1][0] == '\0')
            continue;  // no folder after it: treated as absent
        modFolder = argv[i + 1];
        modFolderGiven = true;
    }
}

std::string withTrailingSeparator(std::string_view folder)
{
    std::string result(folder);
    if (result.empty() || !isSeparator(result.back()))
        result += '\\';
    return result;
}

std::string joinPath(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    std::string result(folder);
    if (!isSeparator(result.back()))
        result += '\\';
    result += name;
    return result;
}

void resolveAssetPath(std::string& path)
{
    if (platform::isAbsolutePath(path))
        return;
    const bool useMod = modFolderGiven && !modFolder.empty();
    path = withTrailingSeparator(useMod ? std::string_view(modFolder)
                                        : std::string_view(baseDataFolder)) + path;
}

std::string resolvedAssetPath(std::string_view path)
{
    std::string result(path);
    resolveAssetPath(result);
    return result;
}

std::string resolveMusicPath(std::string_view name)
{
    if (platform::isAbsolutePath(name))
        return std::string(name);
    std::string path = joinPath(musicFolder, name);
    resolveAssetPath(path);
    return path;
}

std::string kvDataPath(std::string_view name)
{
    return joinPath(kvDataFolder, name);
}

std::string getFileName(std::string_view path)
{
    const std::size_t last = path.find_last_of("\\/");
    if (last == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(last + 1));
}
