#include "tiles/Tiled.hpp"

#include "tiles/Curves.hpp"

#include <map>
#include <memory>
#include <vector>

namespace tiles {

namespace {

constexpr int side = tileSize * detail;

template <typename T> using Samples = std::shared_ptr<const std::vector<T>>;

template <typename T, typename F> Samples<T> sampled(std::map<std::string, Samples<T>>& cache, const std::string& name, const F& f)
{
    Samples<T>& found = cache[name];
    if (!found) {
        auto values = std::make_shared<std::vector<T>>();
        values->reserve(static_cast<std::size_t>(side * side));
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                values->push_back(f((static_cast<float>(x) + 0.5f) / detail, (static_cast<float>(y) + 0.5f) / detail));
        found = values;
    }
    return found;
}

std::size_t index(float x, float y)
{
    const int i = std::min(static_cast<int>(wrapped(x, tileSize) * detail), side - 1);
    const int j = std::min(static_cast<int>(wrapped(y, tileSize) * detail), side - 1);
    return static_cast<std::size_t>(j * side + i);
}

} // namespace

art::Paint tiledPaint(const std::string& name, const art::Paint& paint)
{
    static std::map<std::string, Samples<art::Colour>> cache;
    const Samples<art::Colour> samples = sampled<art::Colour>(cache, name, paint);
    return [samples](float x, float y) { return (*samples)[index(x, y)]; };
}

Field tiledField(const std::string& name, const Field& field)
{
    static std::map<std::string, Samples<float>> cache;
    const Samples<float> samples = sampled<float>(cache, name, field);
    return [samples](float x, float y) { return (*samples)[index(x, y)]; };
}

} // namespace tiles
