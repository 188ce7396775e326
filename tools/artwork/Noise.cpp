#include "tools/artwork/Noise.h"

#include <algorithm>
#include <cmath>

namespace artwork {

std::uint64_t Random::next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::signedUnit() {
    // 53 random bits give an exactly representable fraction.
    return static_cast<double>(next() >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

NoiseField grain(int width, int height, std::uint64_t seed) {
    Random random(seed);
    NoiseField field{width, height, std::vector<double>(static_cast<size_t>(width) * height)};
    for (double& v : field.values) {
        v = random.signedUnit();
    }
    return field;
}

// Running mean over a window along one row, wrapping around so the ends look like the middle.
static void smearRow(double* row, int width, int window) {
    std::vector<double> source(row, row + width);
    double sum = 0;
    for (int i = -window / 2; i < window - window / 2; ++i) {
        sum += source[static_cast<size_t>((i + width) % width)];
    }
    for (int x = 0; x < width; ++x) {
        row[x] = sum / window;
        const int leaving = (x - window / 2 + width) % width;
        const int entering = (x + window - window / 2) % width;
        sum += source[static_cast<size_t>(entering)] - source[static_cast<size_t>(leaving)];
    }
}

NoiseField brushed(int width, int height, std::uint64_t seed, int streakLength) {
    NoiseField field = grain(width, height, seed);
    const int window = std::clamp(streakLength, 1, width);
    for (int y = 0; y < height; ++y) {
        double* row = field.values.data() + static_cast<size_t>(y) * width;
        // Two passes of a box give a smooth, tapered streak.
        smearRow(row, width, window);
        smearRow(row, width, window);
    }
    // Neighbouring rows share a little of each other, as a brush leaves wider scratches too.
    std::vector<double> smoothed(field.values.size());
    for (int y = 0; y < height; ++y) {
        const int above = std::max(y - 1, 0);
        const int below = std::min(y + 1, height - 1);
        for (int x = 0; x < width; ++x) {
            smoothed[static_cast<size_t>(y) * width + x] =
                0.6 * field.at(x, y) + 0.2 * field.at(x, above) + 0.2 * field.at(x, below);
        }
    }
    field.values = std::move(smoothed);
    // Normalise to a standard deviation of about 0.5, so amplitudes read the same for any
    // streak length.
    double sumSquares = 0;
    for (double v : field.values) {
        sumSquares += v * v;
    }
    const double rms = std::sqrt(sumSquares / static_cast<double>(field.values.size()));
    if (rms > 0) {
        for (double& v : field.values) {
            v *= 0.5 / rms;
        }
    }
    return field;
}

} // namespace artwork
