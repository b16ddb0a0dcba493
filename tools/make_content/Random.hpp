#pragma once
// The generator's only source of chance: a small, fully specified generator
// (SplitMix64), so the same seed gives the same content on every machine and
// library version.  Give each picture or sound a seed of its own, so that
// changing one leaves the others as they were.

#include <cstdint>
#include <string_view>

namespace content {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    // A seed from a name: "tiles/daisies" always gives the same numbers.
    explicit Random(std::string_view name) : state_(hash(name)) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, 1)
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // [0, n) for n above 0
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    // [low, high], both included
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return uniform() < p; }

    // FNV-1a, for seeds from names.
    static constexpr std::uint64_t hash(std::string_view text)
    {
        std::uint64_t h = 0xCBF29CE484222325ull;
        for (char c : text) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001B3ull;
        }
        return h;
    }

private:
    std::uint64_t state_;
};

} // namespace content
