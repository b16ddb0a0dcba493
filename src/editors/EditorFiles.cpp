#include "editors/EditorFiles.hpp"

#include "gui/Dialogs.hpp"
#include "gui/FileSelector.hpp"
#include "platform/FileSystem.hpp"
#include "storage/AssetPaths.hpp"

namespace Editors {

std::optional<std::string> choosePathToSave(const std::string& title, const std::string& startFolder,
                                            const std::string& extensions)
{
    std::optional<std::string> path = kv::selectFileToSave(title, startFolder, extensions);
    if (path && platform::fileExists(*path) && !kv::confirm("Overwrite existing file?"))
        return std::nullopt;
    return path;
}

std::string editorFolder(const std::string& folder)
{
    std::string path = folder;
    resolveAssetPath(path);
    return path;
}

} // namespace Editors
