#include "platform/resources/BmpDecoder.h"

#include <cstdint>

namespace platform::resources {
namespace {

std::uint32_t read32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t read16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

} // namespace

std::optional<raster::Surface> decodeBmp(const unsigned char* data, std::size_t size) {
    constexpr std::size_t fileHeader = 14;
    if (!data || size < fileHeader + 12 || data[0] != 'B' || data[1] != 'M') {
        return std::nullopt;
    }
    const std::uint32_t pixelOffset = read32(data + 10);
    const unsigned char* info = data + fileHeader;
    const std::uint32_t infoSize = read32(info);
    if (infoSize < 40 || fileHeader + infoSize > size) {
        return std::nullopt;
    }
    const std::int32_t width = std::int32_t(read32(info + 4));
    const std::int32_t rawHeight = std::int32_t(read32(info + 8));
    const int bits = read16(info + 14);
    const std::uint32_t compression = read32(info + 16);
    std::uint32_t colorsUsed = read32(info + 32);
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -std::int64_t(rawHeight) : rawHeight;
    // Uncompressed only (bit fields are accepted for 32 bits in the usual order).
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
        (compression != 0 && !(compression == 3 && bits == 32))) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return std::nullopt;
    }
    const unsigned char* palette = info + infoSize;
    if (bits <= 8) {
        if (colorsUsed == 0 || colorsUsed > (1u << bits)) {
            colorsUsed = 1u << bits;
        }
        if (std::size_t(palette - data) + std::size_t(colorsUsed) * 4 > size) {
            return std::nullopt;
        }
    }
    const std::size_t stride = ((std::size_t(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * std::size_t(height) > size - pixelOffset) {
        return std::nullopt;
    }
    raster::Surface surface(width, int(height), 32);
    for (int y = 0; y < height; ++y) {
        const std::size_t sourceRow = topDown ? std::size_t(y) : std::size_t(height - 1 - y);
        const unsigned char* row = data + pixelOffset + sourceRow * stride;
        std::uint32_t* out = surface.row(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t index = 0;
            switch (bits) {
            case 24:
                out[x] = std::uint32_t(row[3 * x]) | std::uint32_t(row[3 * x + 1]) << 8 |
                         std::uint32_t(row[3 * x + 2]) << 16;
                continue;
            case 32:
                out[x] = read32(row + 4 * x) & 0xFFFFFF;
                continue;
            case 8:
                index = row[x];
                break;
            case 4:
                index = (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F;
                break;
            default:
                index = (row[x / 8] >> (7 - x % 8)) & 1;
                break;
            }
            if (index >= colorsUsed) {
                index = 0;
            }
            out[x] = read32(palette + 4 * index) & 0xFFFFFF;
        }
    }
    return surface;
}

} // namespace platform::resources
