// Bitmap resources registered by a library and found by module and id.
#include "platform/Resources.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
}
void put16(std::vector<unsigned char>& out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

// A BMP file of the given pixels (0x00RRGGBB, rows from the top), 24 bits or 8 with a palette.
std::vector<unsigned char> bmp(int width, int height, const std::vector<std::uint32_t>& pixels,
                               int bits, bool topDown = false) {
    std::vector<std::uint32_t> palette;
    if (bits == 8) {
        for (auto p : pixels) {
            bool known = false;
            for (auto q : palette) {
                known = known || q == p;
            }
            if (!known) {
                palette.push_back(p);
            }
        }
    }
    const int stride = ((width * bits + 31) / 32) * 4;
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size()) * 4;
    std::vector<unsigned char> out{'B', 'M'};
    put32(out, offset + std::uint32_t(stride * height));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(topDown ? -height : height));
    put16(out, 1);
    put16(out, std::uint16_t(bits));
    put32(out, 0);
    put32(out, std::uint32_t(stride * height));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, std::uint32_t(palette.size()));
    put32(out, 0);
    for (auto p : palette) {
        put32(out, p);
    }
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::vector<unsigned char> line;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[std::size_t(y) * width + x];
            if (bits == 24) {
                line.push_back(static_cast<unsigned char>(p));
                line.push_back(static_cast<unsigned char>(p >> 8));
                line.push_back(static_cast<unsigned char>(p >> 16));
            } else {
                std::size_t index = 0;
                while (palette[index] != p) {
                    ++index;
                }
                line.push_back(static_cast<unsigned char>(index));
            }
        }
        line.resize(std::size_t(stride), 0);
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

HINSTANCE module(std::uintptr_t value) {
    return reinterpret_cast<HINSTANCE>(value);
}

const std::vector<std::uint32_t> picture = {0xFF0000, 0x00FF00, 0x0000FF,
                                            0x123456, 0xFFFFFF, 0x000000};

struct BmpCase {
    const char* name;
    int bits;
    bool topDown;
};

void PrintTo(const BmpCase& c, std::ostream* os) {
    *os << c.name;
}

class BitmapResources : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BitmapResources, LoadWithTheirSizeAndPixels) {
    const auto data = bmp(3, 2, picture, GetParam().bits, GetParam().topDown);
    registerBitmapResource(module(0x5000), 128, data.data(), data.size());
    HBITMAP bitmap = LoadBitmapA(module(0x5000), MAKEINTRESOURCEA(128));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof description, &description), int(sizeof description));
    EXPECT_EQ(description.bmWidth, 3);
    EXPECT_EQ(description.bmHeight, 2);
    EXPECT_EQ(platform::testing::bitmapPixels(bitmap).pixels, picture);
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(Formats, BitmapResources,
                         ::testing::Values(BmpCase{"TrueColour", 24, false},
                                           BmpCase{"Palette", 8, false},
                                           BmpCase{"TrueColourTopDown", 24, true}),
                         [](const ::testing::TestParamInfo<BmpCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(BitmapResourceLookup, AnUnloadedModuleLeavesOnlyTheOthersBitmaps) {
    const auto data = bmp(3, 2, picture, 24);
    registerBitmapResource(module(0x9000), 128, data.data(), data.size());
    registerBitmapResource(module(0x9000), 129, data.data(), data.size());
    registerBitmapResource(module(0x9001), 128, data.data(), data.size());
    unregisterBitmapResources(module(0x9000));
    EXPECT_EQ(LoadBitmapA(module(0x9000), MAKEINTRESOURCEA(128)), nullptr);
    EXPECT_EQ(LoadBitmapA(module(0x9000), MAKEINTRESOURCEA(129)), nullptr);
    HBITMAP kept = LoadBitmapA(module(0x9001), MAKEINTRESOURCEA(128));
    EXPECT_NE(kept, nullptr);
    DeleteObject(kept);
}

TEST(BitmapResourceLookup, NeedsTheModuleAndTheId) {
    const auto data = bmp(3, 2, picture, 24);
    registerBitmapResource(module(0x6000), 129, data.data(), data.size());
    EXPECT_EQ(LoadBitmapA(module(0x6001), MAKEINTRESOURCEA(129)), nullptr);
    EXPECT_EQ(LoadBitmapA(module(0x6000), MAKEINTRESOURCEA(130)), nullptr);
    EXPECT_EQ(LoadBitmapA(module(0x6000), "BITMAP129"), nullptr);
    // Only the low 16 bits of an id name the resource.
    HBITMAP bitmap = LoadBitmapA(module(0x6000), MAKEINTRESOURCEA(129 + 0x10000));
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
}

TEST(BitmapResourceLookup, EachLoadIsANewBitmap) {
    const auto data = bmp(3, 2, picture, 24);
    registerBitmapResource(module(0x7000), 128, data.data(), data.size());
    HBITMAP a = LoadBitmapA(module(0x7000), MAKEINTRESOURCEA(128));
    HBITMAP b = LoadBitmapA(module(0x7000), MAKEINTRESOURCEA(128));
    EXPECT_NE(a, b);
    DeleteObject(a);
    EXPECT_EQ(platform::testing::bitmapPixels(b).width, 3);
    DeleteObject(b);
}

TEST(BitmapResourceLookup, DamagedDataLoadsNothing) {
    auto data = bmp(3, 2, picture, 24);
    const std::vector<unsigned char> truncated(data.begin(), data.end() - 4);
    registerBitmapResource(module(0x8000), 128, truncated.data(), truncated.size());
    EXPECT_EQ(LoadBitmapA(module(0x8000), MAKEINTRESOURCEA(128)), nullptr);
    data[0] = 'X';
    registerBitmapResource(module(0x8000), 129, data.data(), data.size());
    EXPECT_EQ(LoadBitmapA(module(0x8000), MAKEINTRESOURCEA(129)), nullptr);
    registerBitmapResource(module(0x8000), 130, data.data(), 10);
    EXPECT_EQ(LoadBitmapA(module(0x8000), MAKEINTRESOURCEA(130)), nullptr);
}

} // namespace
