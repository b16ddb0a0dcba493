// "Kelvane Sprite" files: the loader, then the packing of what it accepted.
#include "SpriteFuzz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::checkSpriteLoader(data, size, [](Sprite& s, const std::string& path) { return s.load(path); });
}
