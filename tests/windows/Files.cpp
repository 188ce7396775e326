#include "tests/windows/Files.h"

#include "tests/windows/Processes.h"

#include <cstring>
#include <fstream>

namespace windows_tests {

namespace {

std::uint32_t get32(const std::string& bytes, std::size_t at) {
    return std::uint32_t(static_cast<unsigned char>(bytes[at])) |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint16_t get16(const std::string& bytes, std::size_t at) {
    return std::uint16_t(static_cast<unsigned char>(bytes[at]) |
                         static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void put32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(value >> (8 * i)));
    }
}

void put16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value));
    bytes.push_back(static_cast<char>(value >> 8));
}

} // namespace

bool writeFloatWav(const std::string& path, const Audio& audio) {
    const auto dataBytes = static_cast<std::uint32_t>(audio.samples.size() * 4);
    std::string bytes = "RIFF";
    put32(bytes, 4 + 8 + 16 + 8 + dataBytes);
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, 3);
    put16(bytes, static_cast<std::uint16_t>(audio.channels));
    put32(bytes, static_cast<std::uint32_t>(audio.rate));
    put32(bytes, static_cast<std::uint32_t>(audio.rate * audio.channels * 4));
    put16(bytes, static_cast<std::uint16_t>(audio.channels * 4));
    put16(bytes, 32);
    bytes += "data";
    put32(bytes, dataBytes);
    for (float sample : audio.samples) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &sample, 4);
        put32(bytes, bits);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool readFloatWav(const std::string& path, Audio& audio) {
    const std::string bytes = readFile(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return false;
    }
    bool floatFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = get32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) {
            return false;
        }
        if (bytes.compare(at, 4, "fmt ") == 0 && size >= 16) {
            std::uint16_t tag = get16(bytes, body);
            if (tag == 0xFFFE && size >= 26) {
                tag = get16(bytes, body + 24);
            }
            audio.channels = get16(bytes, body + 2);
            audio.rate = static_cast<int>(get32(bytes, body + 4));
            floatFormat = tag == 3 && get16(bytes, body + 14) == 32;
        } else if (bytes.compare(at, 4, "data") == 0) {
            if (!floatFormat || audio.channels == 0) {
                return false;
            }
            audio.samples.resize(size / 4);
            std::memcpy(audio.samples.data(), bytes.data() + body, audio.samples.size() * 4);
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

bool readBmp(const std::string& path, Picture& picture) {
    const std::string bytes = readFile(path);
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) {
        return false;
    }
    const std::uint32_t offset = get32(bytes, 10);
    const auto width = static_cast<std::int32_t>(get32(bytes, 18));
    const auto height = static_cast<std::int32_t>(get32(bytes, 22));
    const std::uint16_t bits = get16(bytes, 28);
    const std::uint32_t compression = get32(bytes, 30);
    if (width <= 0 || height == 0 || (bits != 24 && bits != 32) ||
        (compression != 0 && compression != 3)) {
        return false;
    }
    const int rows = height < 0 ? -height : height;
    const std::size_t rowBytes = (std::size_t(width) * bits / 8 + 3) & ~std::size_t(3);
    if (offset + rowBytes * std::size_t(rows) > bytes.size()) {
        return false;
    }
    picture.width = width;
    picture.height = rows;
    picture.pixels.assign(std::size_t(width) * std::size_t(rows), 0);
    for (int y = 0; y < rows; ++y) {
        const int stored = height < 0 ? y : rows - 1 - y;
        const std::size_t row = offset + std::size_t(stored) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = row + std::size_t(x) * bits / 8;
            const auto blue = static_cast<unsigned char>(bytes[at]);
            const auto green = static_cast<unsigned char>(bytes[at + 1]);
            const auto red = static_cast<unsigned char>(bytes[at + 2]);
            picture.pixels[std::size_t(y) * width + x] =
                std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
        }
    }
    return true;
}

} // namespace windows_tests
