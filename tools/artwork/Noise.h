#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artwork {

// A small fixed generator (splitmix64), so the artwork comes out byte for byte the same with
// any standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in -1 .. 1.
    double signedUnit();

private:
    std::uint64_t state_;
};

// A field of width x height values around 0, roughly -1 .. 1.
struct NoiseField {
    int width = 0;
    int height = 0;
    std::vector<double> values;

    double at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// Fine grain: independent values per pixel.
NoiseField grain(int width, int height, std::uint64_t seed);

// Brushed metal: random streaks smeared along the rows over streakLength pixels, with a
// little correlation between neighbouring rows.
NoiseField brushed(int width, int height, std::uint64_t seed, int streakLength);

} // namespace artwork
