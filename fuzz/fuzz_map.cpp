// "Kelvane Map File" files of every version; an accepted map then has every
// cell grass-formatted, which must always land on a formatted grass tile.
#include "FuzzInput.hpp"

#include "world/Map.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Map map;
    map.title = "before";
    map.cells[17] = 4242;
    if (!map.load(fuzz::writeInput(data, size))) {
        // A refused file leaves the map as it was.
        if (map.title != "before" || map.cells[17] != 4242 || map.loaded || map.lastError.empty())
            std::abort();
        return 0;
    }
    const auto loadedCells = map.cells;
    for (std::int16_t y = 0; y < Map::height; ++y)
        for (std::int16_t x = 0; x < Map::width; ++x)
            if (!map.autoFormatGrassTile(x, y))
                std::abort();
    for (std::size_t i = 0; i < map.cells.size(); ++i) {
        const std::uint16_t before = loadedCells[i], after = map.cells[i];
        if (Map::isGrassFamily(before) ? (after < 960 || after > 1006) : after != before)
            std::abort();
    }
    return 0;
}
