#pragma once
// The file questions the three editors share: where a save goes, and the
// picture files they import and export.

#include <optional>
#include <string>

namespace Editors {

// The picture formats an editor offers: those the engine can both read and
// write, PNG first so a name typed without extension becomes a PNG.
inline constexpr const char* imageExtensions = "png;bmp;tga;jpg";

// The save selector titled as given, starting in the folder; a file that
// is already there is overwritten only after "Overwrite existing file?".
// Nothing when the user cancels either question.
std::optional<std::string> choosePathToSave(const std::string& title, const std::string& startFolder,
                                            const std::string& extensions);

// A content folder such as "maps\" as the selectors start in it: in the
// mod folder when one is active, else in the base folder.
std::string editorFolder(const std::string& folder);

} // namespace Editors
