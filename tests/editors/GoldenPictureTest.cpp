// Each editor as a new instance draws it, against the committed picture. The displays' text
// comes from the system's font rasteriser, whose output differs slightly between FreeType
// versions and font packages: inside the displays the test compares how much ink there is and
// where, outside them it compares pixels.
//
// To renew the pictures after an intended change: build the snapshot tool and run
//   <build>/tools/snapshot/snapshot /tmp/pictures
// then copy /tmp/pictures/<name>.png into tests/editors/golden/ and look at them first.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "tests/editors/EditorFixture.h"

namespace {

using platform::testing::Image;

Image readPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    Image image;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        return image;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr) == 0) {
        return image;
    }
    image.width = int(png.width);
    image.height = int(png.height);
    image.pixels.resize(std::size_t(image.width) * image.height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = (std::uint32_t(bytes[i * 3]) << 16) |
                          (std::uint32_t(bytes[i * 3 + 1]) << 8) | bytes[i * 3 + 2];
    }
    return image;
}

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16}) {
        const int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
        largest = d > largest ? d : largest;
    }
    return largest;
}

// Darkness of a pixel, 0 for white; the displays print black on white.
double inkOf(std::uint32_t rgb) {
    const double luminance =
        0.299 * ((rgb >> 16) & 0xFF) + 0.587 * ((rgb >> 8) & 0xFF) + 0.114 * (rgb & 0xFF);
    return 255.0 - luminance;
}

struct Ink {
    double amount = 0;
    double centreX = 0;
    double centreY = 0;
};

Ink inkInside(const Image& image, const Rect& r) {
    Ink ink;
    for (int y = r.top + 1; y < r.bottom; ++y) {
        for (int x = r.left + 1; x < r.right; ++x) {
            const double i = inkOf(image.at(x, y));
            ink.amount += i;
            ink.centreX += i * x;
            ink.centreY += i * y;
        }
    }
    if (ink.amount > 0) {
        ink.centreX /= ink.amount;
        ink.centreY /= ink.amount;
    }
    return ink;
}

class GoldenPictureTest : public editortest::EditorTest {};

TEST_P(GoldenPictureTest, TheNewEditorLooksAsCommitted) {
    const std::string name = GetParam();
    const Image golden = readPng(std::string(EDITOR_GOLDEN_DIR) + "/" + name + ".png");
    ASSERT_GT(golden.width, 0) << "no golden picture for " << name;

    const Image actual = snapshot::pictureOfEditor(*effect);
    platform::testing::savePng(actual, std::string(EDITOR_TEST_OUTPUT_DIR) + "/" + name + ".png");
    ASSERT_EQ(actual.width, golden.width);
    ASSERT_EQ(actual.height, golden.height);

    // The displays' rectangles, to tell text from artwork.
    ASSERT_EQ(open(), 1);
    std::vector<Rect> displays;
    for (ValueDisplay* display : displaysLeftToRight()) {
        displays.push_back(display->getSize());
    }
    close();
    auto inDisplay = [&](int x, int y) {
        for (const Rect& r : displays) {
            // The text may spill over the border where it is wider than the box.
            if (x >= r.left - 2 && x <= r.right + 2 && y >= r.top && y <= r.bottom) {
                return true;
            }
        }
        return false;
    };

    int differing = 0;
    int outside = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (inDisplay(x, y)) {
                continue;
            }
            ++outside;
            differing += channelDifference(actual.at(x, y), golden.at(x, y)) > 12 ? 1 : 0;
        }
    }
    // A handle one row off already changes several hundred pixels.
    EXPECT_LE(differing, outside / 1000) << name << ": " << differing << " pixels differ";

    for (std::size_t k = 0; k < displays.size(); ++k) {
        const Ink expected = inkInside(golden, displays[k]);
        const Ink drawn = inkInside(actual, displays[k]);
        ASSERT_GT(expected.amount, 0) << name << " display " << k;
        EXPECT_NEAR(drawn.amount / expected.amount, 1.0, 0.25) << name << " display " << k;
        EXPECT_NEAR(drawn.centreX, expected.centreX, 1.5) << name << " display " << k;
        EXPECT_NEAR(drawn.centreY, expected.centreY, 1.5) << name << " display " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Plugins, GoldenPictureTest,
                         ::testing::Values("tarvik", "ombrel", "quisel"), editortest::pluginName);

} // namespace
