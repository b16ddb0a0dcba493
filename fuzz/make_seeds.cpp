// Writes the seed corpus for each fuzz target: well-formed files made by the
// game's own savers, so fuzzing starts from inputs that get past the tags.
// Usage: make_seeds CORPUS_ROOT

#include "FuzzSeeds.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_seeds CORPUS_ROOT\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const fuzz::Seed& seed : fuzz::allSeeds()) {
        const std::filesystem::path dir = root / seed.target;
        std::filesystem::create_directories(dir);
        std::ofstream(dir / seed.name, std::ios::binary).write(seed.bytes.data(),
                                                               static_cast<std::streamsize>(seed.bytes.size()));
    }
    return 0;
}
