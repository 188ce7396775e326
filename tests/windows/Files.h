// The files the Windows tests pass between the two builds: float WAV audio and BMP pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace windows_tests {

struct Audio {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved
};

bool writeFloatWav(const std::string& path, const Audio& audio);
// 32-bit float WAV only; other chunks are skipped. False on anything else.
bool readFloatWav(const std::string& path, Audio& audio);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows from the top

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Uncompressed 24- or 32-bit BMP files, rows in either order.
bool readBmp(const std::string& path, Picture& picture);

} // namespace windows_tests
