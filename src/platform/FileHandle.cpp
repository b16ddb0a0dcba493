#include "platform/FileSystem.hpp"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::uint64_t> regularFileSize(std::FILE* file)
{
    struct stat info {};
    if (!file || ::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

bool flushToDisk(std::FILE* file)
{
    return file && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

} // namespace platform
