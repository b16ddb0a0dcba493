#include "storage/SafeFile.hpp"


std::string SafeFile::tempPathFor(std::string_view target, bool keepExtension)
{
    const std::size_t cut = target.find_last_of("\\/");
    const std::size_t nameStart = cut == std::string_view::npos ? 0 : cut + 1;
    std::string_view name = target.substr(nameStart);
    std::string_view extension;
    const std::size_t dot = name.find_last_of('.');
    if (keepExtension && dot != std::string_view::npos && dot > 0) {
        extension = name.substr(dot);
        name = name.substr(0, dot);
    }
    std::string temp(target.substr(0, nameStart));
    temp += '.';
    temp += name;
    temp += ".tmp";
    temp += extension;
    return temp;
}

SafeFile::~SafeFile()
{
    discard();
}

bool SafeFile::open(std::string_view target, Mode mode)
{
    discard();
    target_.assign(target);
    temp_ = tempPathFor(target);
    failed_ = false;
    file_ = platform::openFile(temp_, mode == Mode::Binary ? "wb" : "w");
    if (!file_) {
        target_.clear();
        temp_.clear();
        return false;
    }
    return true;
}

bool SafeFile::write(const void* data, std::size_t size)
{
    if (!file_ || failed_) {
        failed_ = true;
        return false;
    }
    if (size == 0)
        return true;
    if (std::fwrite(data, 1, size, file_.get()) != size) {
        failed_ = true;
        return false;
    }
    return true;
}

bool SafeFile::commit()
{
    if (!file_)
        return false;
    if (failed_ || std::fflush(file_.get()) != 0 || std::ferror(file_.get())) {
        discard();
        return false;
    }
    if (!platform::flushToDisk(file_.get())) {
        discard();
        return false;
    }
    std::FILE* raw = file_.release();
    const bool closed = std::fclose(raw) == 0;
    const std::string temp = temp_;
    const std::string target = target_;
    temp_.clear();
    target_.clear();
    failed_ = false;
    if (!closed || !platform::renameFile(temp, target)) {
        platform::removeFile(temp);
        return false;
    }
    return true;
}

void SafeFile::discard()
{
    if (file_) {
        file_.reset();
        platform::removeFile(temp_);
    }
    temp_.clear();
    target_.clear();
    failed_ = false;
}
