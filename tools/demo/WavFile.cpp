#include "tools/demo/WavFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

void put32(std::FILE* file, std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    std::fwrite(bytes, 1, 4, file);
}

void put16(std::FILE* file, std::uint16_t value) {
    const unsigned char bytes[2] = {static_cast<unsigned char>(value),
                                    static_cast<unsigned char>(value >> 8)};
    std::fwrite(bytes, 1, 2, file);
}

} // namespace

bool writeFloatWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 4);
    std::fwrite("RIFF", 1, 4, file);
    put32(file, 4 + 26 + 12 + 8 + dataBytes);
    std::fwrite("WAVE", 1, 4, file);
    std::fwrite("fmt ", 1, 4, file);
    put32(file, 18);
    put16(file, 3); // IEEE float
    put16(file, 1);
    put32(file, static_cast<std::uint32_t>(sampleRate));
    put32(file, static_cast<std::uint32_t>(sampleRate) * 4);
    put16(file, 4);
    put16(file, 32);
    put16(file, 0);
    // Float formats carry a fact chunk with the frame count.
    std::fwrite("fact", 1, 4, file);
    put32(file, 4);
    put32(file, static_cast<std::uint32_t>(samples.size()));
    std::fwrite("data", 1, 4, file);
    put32(file, dataBytes);
    for (float s : samples) {
        std::uint32_t bits = 0;
        static_assert(sizeof bits == sizeof s);
        std::memcpy(&bits, &s, sizeof bits);
        put32(file, bits);
    }
    const bool good = std::ferror(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!good || !closed) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}
