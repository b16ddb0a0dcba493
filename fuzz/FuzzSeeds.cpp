#include "FuzzSeeds.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fuzz {
namespace {

std::vector<std::function<std::vector<Seed>()>>& makers()
{
    static std::vector<std::function<std::vector<Seed>()>> list;
    return list;
}

} // namespace

bool registerSeeds(std::function<std::vector<Seed>()> maker)
{
    makers().push_back(std::move(maker));
    return true;
}

std::vector<Seed> allSeeds()
{
    std::vector<Seed> seeds;
    for (const auto& make : makers())
        for (Seed& s : make())
            seeds.push_back(std::move(s));
    return seeds;
}

std::string savedBytes(const std::function<bool(const std::string& path)>& save)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kelvane-seed-" + std::to_string(::getpid()) + ".bin")).string();
    if (!save(path))
        return {};
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

} // namespace fuzz
