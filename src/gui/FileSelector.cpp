#include "gui/FileSelector.hpp"

#include "engine/Display.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/Theme.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "platform/TextCase.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kv {
namespace {

constexpr float formWidth = 800.f;
constexpr float formHeight = 400.f;
constexpr float margin = 10.f;
constexpr float gap = 8.f;
constexpr float driveListWidth = 170.f;
constexpr int upIcon = 104;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool endsWithSeparator(const std::string& s) { return !s.empty() && isSeparator(s.back()); }

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return endsWithSeparator(folder) ? folder + name : folder + "/" + name;
}

// Where the selector starts when it is given no folder: the working
// directory, as relative paths are read from there.  A relative folder gives
// the player's copy when there is one, else the data folder's.
std::string absoluteFolder(const std::string& folder)
{
    const std::string full = platform::fullPath(folder.empty() ? "." : folder);
    return full.empty() ? std::string("/") : full;
}

} // namespace

void FileSelector::create()
{
    const sf::Vector2f view = KVCore::viewSize();
    const sf::Vector2f size(std::min(formWidth, view.x - 2.f * margin), std::min(formHeight, view.y - 2.f * margin));
    const sf::Vector2f at = centredInView(size);
    const float th = Form::titleBarHeight();
    const float ls = standardLineSpacing18();
    form.create(title_, at, size);

    upButton.create("Up", upIcon, {at.x + margin, at.y + th + gap});
    upButton.setTextButton();
    folderLabel.create({at.x + margin + upButton.getWidth() + gap, at.y + th + gap + (upButton.getHeight() - ls) * 0.5f},
                       theme::textColour, folder_);

    makeAffirmativeButton(okButton, "Ok", {}, okCancelWidth());
    makeNegativeButton(cancelButton, "Cancel", cancelIcon, {}, okCancelWidth());
    const float buttonTop = at.y + size.y - margin - okButton.getHeight();
    cancelButton.setPosition({at.x + size.x - margin - cancelButton.getWidth(), buttonTop});
    okButton.setPosition({cancelButton.getPosition().x - gap - okButton.getWidth(), buttonTop});

    const float boxLeft = at.x + margin;
    fileNameBox.create(fileName_, {boxLeft, buttonTop + std::floor((okButton.getHeight() - TextBox::boxHeight()) * 0.5f)},
                       okButton.getPosition().x - gap - boxLeft, fileNameLimit);

    const float filterTop = buttonTop - gap - ls;
    const float listTop = upButton.getPosition().y + upButton.getHeight() + gap;
    const auto rows =
        std::max<std::int32_t>(1, static_cast<std::int32_t>((filterTop - 4.f - listTop - 4.f) / ListBox::lineHeight()));
    driveList.create({at.x + margin, listTop}, rows, driveListWidth);
    const float entriesLeft = at.x + margin + driveListWidth + gap;
    entryList.create({entriesLeft, listTop}, rows, at.x + size.x - margin - entriesLeft);
    filterLabel.create({entriesLeft, filterTop}, theme::textColour, filterText());

    drives_ = platform::driveList();
    for (const std::string& drive : drives_)
        driveList.addItem(drive);
}

void FileSelector::setPath(const std::string& path)
{
    const auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos) {
        folder_ = absoluteFolder({});
        fileName_ = path;
    } else {
        folder_ = absoluteFolder(cut == 0 ? "/" : path.substr(0, cut));
        fileName_ = path.substr(cut + 1);
    }
    fileNameBox.text = fileName_;
    fileNameBox.cursor = static_cast<std::int32_t>(fileName_.size());
}

void FileSelector::setTitle(const std::string& title)
{
    title_ = title;
    form.setTitle(title);
}

void FileSelector::addExtension(const std::string& extension)
{
    if (extension.empty() || extension == ".")
        return;
    extensions_.push_back(extension.front() == '.' ? extension : "." + extension);
    filterLabel.setText(filterText());
}

std::string FileSelector::filterText() const
{
    if (extensions_.empty())
        return "Showing all files";
    std::string text = "Showing:";
    for (const std::string& e : extensions_)
        text += " *" + e;
    return text;
}

std::vector<std::string> FileSelector::listEntries() const
{
    std::vector<std::string> texts;
    for (const ListBox::Item& item : entryList.items)
        texts.push_back(item.text);
    return texts;
}

bool FileSelector::passes(const std::string& fileName) const
{
    if (extensions_.empty())
        return true;
    const std::string name = platform::lowerAscii(fileName);
    return std::any_of(extensions_.begin(), extensions_.end(), [&](const std::string& e) {
        const std::string ext = platform::lowerAscii(e);
        return name.size() > ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
    });
}

void FileSelector::refresh()
{
    if (folder_.empty())
        folder_ = absoluteFolder({});
    // A long folder keeps its end, the part that tells where one is.
    const float room = form.getPosition().x + form.getWidth() - margin - folderLabel.getPosition().x;
    std::string shown = folder_;
    while (shown.size() > 4 && standardTextWidth(shown) > room)
        shown = "..." + shown.substr(std::min<std::size_t>(shown.size(), 4));
    folderLabel.setText(shown);
    entryList.clear();
    shownSelection_ = -1;
    // Hidden entries stay hidden, as in any file manager here.
    const std::vector<platform::DirectoryEntry> entries = platform::listDirectory(folder_);
    for (const platform::DirectoryEntry& e : entries)
        if (e.isDirectory && e.name.front() != '.')
            entryList.addItem(e.name + "/");
    for (const platform::DirectoryEntry& e : entries)
        if (!e.isDirectory && e.name.front() != '.' && passes(e.name))
            entryList.addItem(e.name);
}

void FileSelector::goUp()
{
    std::string folder = folder_;
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.pop_back();
    const auto cut = folder.find_last_of("/\\");
    // The root has no parent and stays where it is.
    if (cut == std::string::npos)
        folder = "/";
    else
        folder = cut == 0 ? "/" : folder.substr(0, cut);
    open(folder);
}

void FileSelector::open(const std::string& folder)
{
    folder_ = absoluteFolder(folder);
    refresh();
}

bool FileSelector::run()
{
    ModalLoop loop(title_);
    waitOutOpeningKeys();
    form.setTitle(title_);
    refresh();
    setFocusedId(fileNameBox.id);

    bool answer = false;
    while (loop.beginPass()) {
        form.update();
        form.draw();
        upButton.update();
        upButton.draw();
        folderLabel.draw();
        driveList.update();
        driveList.draw();
        entryList.update();
        entryList.draw();
        filterLabel.draw();
        fileNameBox.update();
        fileNameBox.draw();
        okButton.update();
        okButton.draw();
        cancelButton.update();
        cancelButton.draw();

        if (upButton.clicked)
            goUp();
        if (driveList.activated >= 0) {
            const auto index = static_cast<std::size_t>(driveList.activated);
            driveList.activated = -1;
            if (index < drives_.size())
                open(drives_[index]);
        }
        if (entryList.activated >= 0 && entryList.activated < entryList.count()) {
            const std::string chosen = entryList.items[static_cast<std::size_t>(entryList.activated)].text;
            entryList.activated = -1;
            if (endsWithSeparator(chosen)) {
                open(joinPath(folder_, chosen.substr(0, chosen.size() - 1)));
            } else {
                fileNameBox.text = chosen;
                fileNameBox.cursor = static_cast<std::int32_t>(chosen.size());
            }
        } else if (entryList.selection != shownSelection_) {
            // A file picked with one click or the arrow keys is taken too.
            shownSelection_ = entryList.selection;
            if (shownSelection_ >= 0) {
                const std::string& picked = entryList.items[static_cast<std::size_t>(shownSelection_)].text;
                if (!endsWithSeparator(picked)) {
                    fileNameBox.text = picked;
                    fileNameBox.cursor = static_cast<std::int32_t>(picked.size());
                }
            }
        }

        if (okButton.clicked) {
            if (fileNameBox.text.empty()) {
                showMessage("Select or enter a filename first");
            } else {
                fileName_ = fileNameBox.text;
                answer = true;
                loop.finish();
            }
        } else if (cancelButton.clicked) {
            loop.finish();
        }
        loop.endPass();
    }
    return answer;
}

std::string FileSelector::getPath() const
{
    if (platform::isAbsolutePath(fileName_))
        return fileName_;
    return joinPath(folder_, fileName_);
}

std::vector<std::string> splitExtensions(const std::string& extensions)
{
    std::vector<std::string> entries;
    std::string current;
    for (char c : extensions + ";") {
        if (c == ';' || c == ',' || c == '|' || std::isspace(static_cast<unsigned char>(c))) {
            if (!current.empty())
                entries.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return entries;
}

namespace {

std::optional<std::string> selectFile(const std::string& title, const std::string& startFolder,
                                      const std::string& extensions, bool saving)
{
    FileSelector selector;
    selector.create();
    selector.setTitle(title);
    const std::string folder = endsWithSeparator(startFolder) || startFolder.empty() ? startFolder : startFolder + "/";
    // Saving starts in the player's copy of a data folder, made for the
    // purpose, as the data folder itself takes no files.
    if (saving && !folder.empty() && !platform::isAbsolutePath(folder))
        platform::toWritablePath(folder);
    selector.setPath(folder);
    for (const std::string& e : splitExtensions(extensions))
        selector.addExtension(e);
    if (!selector.run())
        return std::nullopt;
    std::string path = selector.getPath();
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("/\\");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (saving && !hasExtension && !selector.extensions().empty())
        path += selector.extensions().front();
    return path;
}

} // namespace

std::optional<std::string> selectFileToOpen(const std::string& title, const std::string& startFolder,
                                            const std::string& extensions)
{
    return selectFile(title, startFolder, extensions, false);
}

std::optional<std::string> selectFileToSave(const std::string& title, const std::string& startFolder,
                                            const std::string& extensions)
{
    return selectFile(title, startFolder, extensions, true);
}

} // namespace kv
