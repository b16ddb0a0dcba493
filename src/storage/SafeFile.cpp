#include "storage/SafeFile.hpp"


std::string SafeFile::tempPathFor(std::string_view target)
{
    std::string temp(target);
    temp += ".tmp";
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
