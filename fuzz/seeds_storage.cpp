#include "FuzzSeeds.hpp"

#include "storage/BinaryFile.hpp"

#include <SFML/Graphics/Image.hpp>

namespace {

const bool registered = fuzz::registerSeeds([] {
    std::vector<fuzz::Seed> seeds;
    seeds.push_back({"fuzz_inifile", "settings.ini",
                     "\n[info]\nversion=1\n\n[video]\n; comment\nwidth=1024\nwindow=True\nsoundAttenuation=0.010000\n"});
    // The first byte picks the readers; the rest is the file.
    seeds.push_back({"fuzz_binaryfile", "fields.bin", "\x05" + fuzz::savedBytes([](const std::string& path) {
        BinaryFile f;
        if (!f.create(path))
            return false;
        f.writeHeader("ZAVI3 Script Console History");
        f.writeStdString("mow the lawn");
        sf::Image image;
        image.create(3, 2, sf::Color::Magenta);
        f.writeImage(image);
        return f.close();
    })});
    return seeds;
});

} // namespace
