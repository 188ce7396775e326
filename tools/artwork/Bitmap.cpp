#include "tools/artwork/Bitmap.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace artwork {

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
// 72 pixels per inch, the usual value of paint programs.
constexpr std::int32_t pixelsPerMetre = 2835;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

std::vector<std::uint8_t> headers(const Canvas& canvas, int bitsPerPixel,
                                  std::uint32_t paletteEntries) {
    const std::uint32_t imageSize = rowBytes(canvas.width(), bitsPerPixel) * canvas.height();
    const std::uint32_t offset = fileHeaderSize + infoHeaderSize + paletteEntries * 4;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, infoHeaderSize);
    put32(out, static_cast<std::uint32_t>(canvas.width()));
    put32(out, static_cast<std::uint32_t>(canvas.height())); // positive: bottom-up
    put16(out, 1);                                           // planes
    put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, paletteEntries);
    put32(out, 0); // all colours important
    return out;
}

std::uint32_t packed(Rgb8 c) {
    return (static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) | c.b;
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const Canvas& canvas) {
    std::vector<std::uint8_t> out = headers(canvas, 24, 0);
    const std::uint32_t stride = rowBytes(canvas.width(), 24);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb8 c = quantize(canvas.get(x, y));
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(canvas.width()) * 3; pad < stride;
             ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp8(const Canvas& canvas) {
    std::map<std::uint32_t, std::uint8_t> palette;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            palette.emplace(packed(quantize(canvas.get(x, y))), 0);
            if (palette.size() > 256) {
                return {};
            }
        }
    }
    std::vector<std::uint8_t> out = headers(canvas, 8, 256);
    std::uint8_t next = 0;
    for (auto& [colour, index] : palette) {
        index = next++;
        // RGBQUAD: blue, green, red, reserved.
        out.push_back(static_cast<std::uint8_t>(colour));
        out.push_back(static_cast<std::uint8_t>(colour >> 8));
        out.push_back(static_cast<std::uint8_t>(colour >> 16));
        out.push_back(0);
    }
    out.resize(out.size() + (256 - palette.size()) * 4, 0);
    const std::uint32_t stride = rowBytes(canvas.width(), 8);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            out.push_back(palette.at(packed(quantize(canvas.get(x, y)))));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(canvas.width()); pad < stride; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace artwork
