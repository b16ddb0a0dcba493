#pragma once
// A colour ramp: colours at positions from 0 to 1, blended smoothly between,
// for skies, sunsets and glows.

#include "art/Colour.hpp"

#include <initializer_list>
#include <vector>

namespace pictures {

class Ramp {
public:
    struct Stop {
        float at;
        art::Colour colour;
    };

    // Stops in rising order of position.
    Ramp(std::initializer_list<Stop> stops) : stops_(stops) {}

    art::Colour operator()(float t) const;

private:
    std::vector<Stop> stops_;
};

} // namespace pictures
