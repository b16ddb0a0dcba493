#include "pictures/Ramp.hpp"

#include <algorithm>

namespace pictures {

art::Colour Ramp::operator()(float t) const
{
    if (stops_.empty())
        return art::transparent;
    if (t <= stops_.front().at)
        return stops_.front().colour;
    for (std::size_t i = 1; i < stops_.size(); ++i) {
        const Stop& a = stops_[i - 1];
        const Stop& b = stops_[i];
        if (t <= b.at) {
            const float span = std::max(b.at - a.at, 1e-6f);
            const float u = (t - a.at) / span;
            // Eased, so the bands of a sky do not show where stops meet.
            return art::mix(a.colour, b.colour, u * u * (3.f - 2.f * u));
        }
    }
    return stops_.back().colour;
}

} // namespace pictures
