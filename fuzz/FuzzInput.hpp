#pragma once
// The loaders read files, so each fuzz input is written to one scratch file
// per process and loaded from there.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz {

inline std::string writeInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("kelvane-fuzz-" + std::to_string(::getpid()) + ".bin")).string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

} // namespace fuzz
