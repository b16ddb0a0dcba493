#pragma once
// Seed files for the fuzz targets.  Each format adds its own in a
// seeds_*.cpp file through registerSeeds.

#include <functional>
#include <string>
#include <vector>

namespace fuzz {

struct Seed {
    std::string target;  // fuzz target name, e.g. "fuzz_tileset"
    std::string name;
    std::string bytes;
};

bool registerSeeds(std::function<std::vector<Seed>()> maker);
std::vector<Seed> allSeeds();

// The bytes of a file that a saver wrote to a scratch path.
std::string savedBytes(const std::function<bool(const std::string& path)>& save);

} // namespace fuzz
