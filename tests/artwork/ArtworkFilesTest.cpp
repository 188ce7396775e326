#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t le16(const Bytes& b, size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

struct Pixel {
    std::uint8_t r, g, b;
};

// The parts of a Windows bitmap file the editor's loader relies on.
struct BitmapFile {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitsPerPixel = 0;
    std::vector<Pixel> pixels; // top row first
};

// Parses an uncompressed bottom-up bitmap; a malformed one fails the calling test.
void parse(const Bytes& file, BitmapFile& out) {
    ASSERT_GE(file.size(), 54u);
    ASSERT_EQ(file[0], 'B');
    ASSERT_EQ(file[1], 'M');
    ASSERT_EQ(le32(file, 2), file.size()) << "bfSize";
    ASSERT_EQ(le32(file, 14), 40u) << "BITMAPINFOHEADER";
    out.width = static_cast<std::int32_t>(le32(file, 18));
    out.height = static_cast<std::int32_t>(le32(file, 22));
    ASSERT_GT(out.height, 0) << "rows bottom-up";
    ASSERT_EQ(le16(file, 26), 1) << "planes";
    out.bitsPerPixel = le16(file, 28);
    ASSERT_EQ(le32(file, 30), 0u) << "BI_RGB";
    const std::uint32_t colours = le32(file, 46);
    const std::uint32_t paletteEntries = out.bitsPerPixel == 8 ? (colours == 0 ? 256 : colours) : 0;
    ASSERT_LE(paletteEntries, 256u);
    const std::uint32_t offset = le32(file, 10);
    ASSERT_EQ(offset, 54 + paletteEntries * 4);
    const std::uint32_t stride = ((out.width * out.bitsPerPixel + 31) / 32) * 4;
    ASSERT_EQ(file.size(), offset + static_cast<size_t>(stride) * out.height);
    ASSERT_TRUE(out.bitsPerPixel == 8 || out.bitsPerPixel == 24);

    out.pixels.clear();
    for (std::int32_t y = 0; y < out.height; ++y) {
        const size_t row = offset + static_cast<size_t>(out.height - 1 - y) * stride;
        for (std::int32_t x = 0; x < out.width; ++x) {
            if (out.bitsPerPixel == 24) {
                const size_t at = row + static_cast<size_t>(x) * 3;
                out.pixels.push_back({file[at + 2], file[at + 1], file[at]});
            } else {
                const std::uint8_t index = file[row + static_cast<size_t>(x)];
                ASSERT_LT(index, paletteEntries);
                const size_t at = 54 + static_cast<size_t>(index) * 4;
                out.pixels.push_back({file[at + 2], file[at + 1], file[at]});
            }
        }
    }
}

struct Case {
    const char* plugin;
    const char* file;
    int width;
    int height;
    int bitsPerPixel;
};

// The background's size is the editor's size; track and handle set the slider geometry.
const Case cases[] = {
    {"tarvik", "background.bmp", 350, 290, 24}, {"tarvik", "track.bmp", 16, 160, 8},
    {"tarvik", "handle.bmp", 14, 12, 8},        {"ombrel", "background.bmp", 285, 290, 24},
    {"ombrel", "track.bmp", 16, 160, 8},        {"ombrel", "handle.bmp", 14, 12, 8},
    {"quisel", "background.bmp", 215, 270, 24}, {"quisel", "track.bmp", 16, 160, 8},
    {"quisel", "handle.bmp", 14, 12, 8},
};

std::filesystem::path committed(const Case& c) {
    return std::filesystem::path(SOURCE_ROOT) / "plugins" / c.plugin / "resources" / c.file;
}

std::string name(const Case& c) {
    return std::string(c.plugin) + "/" + c.file;
}

TEST(ArtworkFiles, HaveTheEditorsSizesAndDepths) {
    for (const Case& c : cases) {
        SCOPED_TRACE(name(c));
        BitmapFile bitmap;
        parse(readFile(committed(c)), bitmap);
        EXPECT_EQ(bitmap.width, c.width);
        EXPECT_EQ(bitmap.height, c.height);
        EXPECT_EQ(bitmap.bitsPerPixel, c.bitsPerPixel);
    }
}

// Masked drawing leaves white pixels out; the handle must be drawn whole.
TEST(ArtworkFiles, HandlesHaveNoKeyColouredPixel) {
    for (const Case& c : cases) {
        if (std::string(c.file) != "handle.bmp") {
            continue;
        }
        SCOPED_TRACE(name(c));
        BitmapFile bitmap;
        parse(readFile(committed(c)), bitmap);
        ASSERT_EQ(bitmap.pixels.size(), 14u * 12u);
        for (const Pixel& p : bitmap.pixels) {
            EXPECT_FALSE(p.r == 255 && p.g == 255 && p.b == 255);
        }
    }
}

TEST(ArtworkFiles, GeneratorReproducesThemByteForByte) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("artwork_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(out);
    const std::string command =
        std::string("\"") + ARTWORK_PROGRAM + "\" --out \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const Case& c : cases) {
        SCOPED_TRACE(name(c));
        const Bytes drawn = readFile(out / "plugins" / c.plugin / "resources" / c.file);
        ASSERT_FALSE(drawn.empty());
        EXPECT_TRUE(drawn == readFile(committed(c)))
            << "regenerate with the regenerate_artwork target";
    }
    std::filesystem::remove_all(out);
}

} // namespace
