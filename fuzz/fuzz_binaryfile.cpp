// Every field reader of BinaryFile over arbitrary bytes, in an order the
// input itself chooses.
#include "FuzzInput.hpp"

#include "storage/BinaryFile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string path = fuzz::writeInput(data + 1, size - 1);
    BinaryFile file;
    if (!file.open(path))
        return 0;
    std::uint8_t plan = data[0];
    for (int step = 0; step < 8 && file.good(); ++step, plan = static_cast<std::uint8_t>(plan * 37 + 11)) {
        switch (plan % 7) {
        case 0: file.readHeader("ZAVI3 Script Console History"); break;
        case 1: file.readStdString(); break;
        case 2: file.readOldStdString(); break;
        case 3: file.readFixedString(static_cast<std::uint16_t>(plan * 5)); break;
        case 4: file.readImage(plan & 8); break;
        case 5: file.readOldImage(plan & 16); break;
        default: file.readValue<std::int32_t>(); break;
        }
    }
    return 0;
}
