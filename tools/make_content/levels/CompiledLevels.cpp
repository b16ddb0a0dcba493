// The levels: every content/levels/*.txt layout, compiled with the game's
// own legend into maps/<name>.map, in name order.  game.ini must list
// exactly these maps, in the same order, each with one of the level tunes.

#include "Content.hpp"

#include "storage/IniFile.hpp"
#include "world/LevelLayout.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

const std::vector<std::string> levelTunes{"level1.xm", "level2.xm", "level3.xm", "level4.xm"};

void checkLevelList(const content::Context& context, const std::vector<std::string>& maps)
{
    const content::fs::path path = context.source("base/game.ini");
    IniFile ini;
    if (!ini.load(path.string()))
        throw std::runtime_error(ini.lastError);
    const auto has = [&](const std::string& name) {
        return std::any_of(ini.sections.begin(), ini.sections.end(),
                           [&](const IniFile::Section& s) { return s.name == name; });
    };
    const std::string where = path.string() + ": ";
    if (!has("info"))
        throw std::runtime_error(where + "no [info] section");
    ini.selectSection("info");
    if (ini.getInt("MapsCount", -1) != static_cast<int>(maps.size()))
        throw std::runtime_error(where + "MapsCount is " + ini.getString("MapsCount") + " but content/levels holds " +
                                 std::to_string(maps.size()) + " levels");
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const std::string section = "map" + std::to_string(i);
        if (!has(section))
            throw std::runtime_error(where + "no [" + section + "] for " + maps[i]);
        ini.selectSection(section);
        if (ini.getString("map") != maps[i])
            throw std::runtime_error(where + "[" + section + "] plays " + ini.getString("map") + ", expected " +
                                     maps[i]);
        const std::string tune = ini.getString("music");
        if (std::find(levelTunes.begin(), levelTunes.end(), tune) == levelTunes.end())
            throw std::runtime_error(where + "[" + section + "] music " + tune + " is not one of the level tunes");
    }
}

void makeLevels(const content::Context& context)
{
    const content::fs::path legendPath = context.source("base/maps/legend.txt");
    TileLegend legend;
    TextError error;
    if (!legend.load(content::readTextFile(legendPath), error))
        throw std::runtime_error(error.describe(legendPath.string()));

    std::vector<content::fs::path> layouts;
    for (const auto& entry : content::fs::directory_iterator(context.source("levels")))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            layouts.push_back(entry.path());
    std::sort(layouts.begin(), layouts.end());
    if (layouts.empty())
        throw std::runtime_error("no level layouts in " + context.source("levels").string());

    // Everything is compiled and checked before any map is written.
    std::vector<std::pair<std::string, Map>> levels;
    for (const content::fs::path& layout : layouts) {
        Map map;
        if (!LevelLayout::compile(content::readTextFile(layout), legend, map, error))
            throw std::runtime_error(error.describe(layout.string()));
        levels.emplace_back(layout.stem().string() + ".map", std::move(map));
    }
    std::vector<std::string> names;
    for (const auto& level : levels)
        names.push_back(level.first);
    checkLevelList(context, names);

    for (auto& [name, map] : levels)
        if (!map.save(context.output("maps\\" + name).string()))
            throw std::runtime_error(map.lastError);
}

const bool registered = content::registerPart({"levels", makeLevels});

} // namespace
