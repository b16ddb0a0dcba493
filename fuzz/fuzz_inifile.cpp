// INI parsing and every typed getter over arbitrary text.
#include "FuzzInput.hpp"

#include "storage/IniFile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::writeInput(data, size);
    IniFile ini;
    if (!ini.load(path))
        return 0;
    for (const IniFile::Section& section : IniFile(ini).sections) {
        ini.selectSection(section.name);
        for (const auto& entry : section.entries) {
            ini.getInt(entry.first, 7);
            ini.getFloat(entry.first, 0.5f);
            ini.getBool(entry.first, true);
            ini.getString(entry.first, "default");
        }
    }
    return 0;
}
