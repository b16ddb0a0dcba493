#pragma once
// The modal file selector: the file-system roots on the left, the folder's
// entries (sub-folders first, then the files the filter lets through) on
// the right, a box for the file name, Up, Ok and Cancel.  Folder entries
// end in "/"; double-clicking one opens it, double-clicking (or selecting)
// a file copies its name into the box.

#include "gui/Button.hpp"
#include "gui/Form.hpp"
#include "gui/Label.hpp"
#include "gui/ListBox.hpp"
#include "gui/TextBox.hpp"

#include <optional>
#include <string>
#include <vector>

namespace kv {

class FileSelector {
public:
    static constexpr std::int32_t fileNameLimit = 256;

    // Builds the widgets and fills the root list.
    void create();
    // The folder part (up to the last "/" or "\") becomes the folder shown,
    // made absolute; the rest the file name.
    void setPath(const std::string& path);
    void setTitle(const std::string& title);
    // One filter entry; a leading "." is added where missing.
    void addExtension(const std::string& extension);
    // True when a file name was given and Ok pressed.
    bool run();
    // The folder joined with the file name.
    std::string getPath() const;

    const std::string& folder() const { return folder_; }
    const std::string& fileName() const { return fileName_; }
    const std::string& title() const { return title_; }
    const std::vector<std::string>& extensions() const { return extensions_; }
    // "Showing all files", or "Showing:" and " *.ext" for each extension.
    std::string filterText() const;
    // The folder's entries as the list shows them.
    std::vector<std::string> listEntries() const;

    // Public so a screen can look at them, as with any toolkit widget.
    Form form;
    Button upButton, okButton, cancelButton;
    ListBox driveList, entryList;
    TextBox fileNameBox;
    Label folderLabel, filterLabel;

private:
    void layout();
    void refresh();
    void goUp();
    void open(const std::string& folder);
    bool passes(const std::string& fileName) const;

    std::string title_ = "Select File";
    std::string folder_;
    std::string fileName_;
    std::vector<std::string> extensions_;
    std::vector<std::string> drives_;
    std::int32_t shownSelection_ = -1;
};

// What the editors call: a selector titled as given, starting in a folder,
// filtered by extensions written in one text ("png;bmp", "map", "png bmp");
// the chosen path, or nothing when cancelled.
std::optional<std::string> selectFileToOpen(const std::string& title, const std::string& startFolder,
                                            const std::string& extensions);
// The same for saving; a name typed without an extension gets the first one.
std::optional<std::string> selectFileToSave(const std::string& title, const std::string& startFolder,
                                            const std::string& extensions);
// The entries of such an extension text.
std::vector<std::string> splitExtensions(const std::string& extensions);

} // namespace kv
