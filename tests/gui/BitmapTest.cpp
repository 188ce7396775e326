// Bitmap resources: sharing by reference count, plain and masked drawing, and composition in
// an offscreen context.
#include <gtest/gtest.h>

#include "framework/gui/Bitmap.h"
#include "framework/gui/OffscreenContext.h"
#include "tests/gui/GuiTestSupport.h"

using namespace guitest;
using platform::testing::bitmapPixels;

namespace {

constexpr std::uint32_t key = 0xFFFFFF;

// 8 by 6: a colour ramp with a key-coloured border and a key pixel in the middle.
constexpr int patternId = 3101;
std::uint32_t patternPixel(int x, int y) {
    if (x == 0 || y == 0 || x == 7 || y == 5 || (x == 4 && y == 3)) {
        return key;
    }
    return std::uint32_t(0x200000 * x + 0x002000 * y + 0x40);
}

constexpr int allKeyId = 3102;
constexpr int noKeyId = 3103;
std::uint32_t noKeyPixel(int x, int y) {
    return std::uint32_t(0x102030 + 0x100000 * x + 0x000800 * y);
}

// The background the masked drawings go over: every pixel different and none the key.
std::uint32_t backgroundPixel(int x, int y) {
    return std::uint32_t(0x010101 * ((x * 7 + y * 13) % 200));
}

class BitmapTest : public GuiTest {
protected:
    static void SetUpTestSuite() {
        registerBitmap(patternId, 8, 6, patternPixel);
        registerBitmap(allKeyId, 5, 4, [](int, int) { return key; });
        registerBitmap(noKeyId, 6, 5, noKeyPixel);
    }

    // A 24 by 20 surface painted with the background pattern.
    static void paintBackground(MemorySurface& surface) {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 24; ++x) {
                const std::uint32_t rgb = backgroundPixel(x, y);
                SetPixel(surface.get(), x, y,
                         RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
            }
        }
    }
};

TEST_F(BitmapTest, TheLastReleaseDestroysTheBitmap) {
    MemorySurface surface(24, 20);
    const int objectsBefore = platform::testing::liveObjectCount();
    Bitmap* bitmap = new Bitmap(patternId);
    EXPECT_EQ(bitmap->getReferenceCount(), 1);
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore + 1);
    bitmap->addRef();
    EXPECT_EQ(bitmap->getReferenceCount(), 2);
    bitmap->release();
    EXPECT_EQ(bitmap->getReferenceCount(), 1);
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore + 1);

    // The mask made by a masked draw goes with the image.
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        bitmap->drawMasked(context, Rect(0, 0, 8, 6), Point(0, 0));
    }
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore + 2);
    bitmap->release();
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore);
}

TEST_F(BitmapTest, ALoadedBitmapKnowsItsSizeAndOnlyTheLow16BitsOfTheIdCount) {
    const int ids[] = {patternId, patternId + 0x10000, patternId + 0x7FFF0000};
    for (int id : ids) {
        Bitmap* bitmap = new Bitmap(id);
        EXPECT_NE(bitmap->getHandle(), nullptr) << id;
        EXPECT_EQ(bitmap->getWidth(), 8) << id;
        EXPECT_EQ(bitmap->getHeight(), 6) << id;
        EXPECT_EQ(bitmap->getResourceId(), id);
        bitmap->release();
    }
}

TEST_F(BitmapTest, AMissingResourceGivesAnEmptyBitmapThatDrawsNothing) {
    Bitmap* bitmap = new Bitmap(3999);
    EXPECT_EQ(bitmap->getHandle(), nullptr);
    EXPECT_EQ(bitmap->getWidth(), 0);
    EXPECT_EQ(bitmap->getHeight(), 0);
    MemorySurface surface(24, 20);
    paintBackground(surface);
    const Image before = surface.pixels();
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        bitmap->draw(context, Rect(0, 0, 10, 10), Point(0, 0));
        bitmap->drawMasked(context, Rect(0, 0, 10, 10), Point(0, 0));
    }
    EXPECT_EQ(surface.pixels().pixels, before.pixels);
    EXPECT_EQ(bitmap->getMask(), nullptr);
    bitmap->release();
}

TEST_F(BitmapTest, DrawCopiesABlockOfTheDestinationsSizeFromTheOffset) {
    Bitmap* bitmap = new Bitmap(noKeyId);
    MemorySurface surface(24, 20);
    paintBackground(surface);
    const Rect destination(5, 7, 9, 10); // 4 by 3
    const Point offset(2, 1);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        bitmap->draw(context, destination, offset);
    }
    const Image image = surface.pixels();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool inside = x >= 5 && x < 9 && y >= 7 && y < 10;
            const std::uint32_t expected =
                inside ? noKeyPixel(x - 5 + offset.h, y - 7 + offset.v) : backgroundPixel(x, y);
            ASSERT_EQ(image.at(x, y), expected) << x << "," << y;
        }
    }
    bitmap->release();
}

struct MaskedCase {
    int id;
    int width;
    int height;
    std::uint32_t (*pixel)(int, int);
};

std::uint32_t allKeyPixel(int, int) {
    return key;
}

TEST_F(BitmapTest, MaskedDrawingLeavesTheBackgroundWhereTheImageHasTheKeyColour) {
    const MaskedCase cases[] = {
        {patternId, 8, 6, patternPixel},
        {allKeyId, 5, 4, allKeyPixel},
        {noKeyId, 6, 5, noKeyPixel},
    };
    for (const MaskedCase& c : cases) {
        Bitmap* bitmap = new Bitmap(c.id);
        const Image ownBefore = bitmapPixels(bitmap->getHandle());
        MemorySurface surface(24, 20);
        paintBackground(surface);
        const Rect destination(9, 11, 9 + c.width, 11 + c.height);
        {
            DrawContext context(nullptr, surface.get(), nullptr);
            bitmap->drawMasked(context, destination, Point(0, 0));
        }
        const Image image = surface.pixels();
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 24; ++x) {
                const bool inside = x >= destination.left && x < destination.right &&
                                    y >= destination.top && y < destination.bottom;
                std::uint32_t expected = backgroundPixel(x, y);
                if (inside && c.pixel(x - destination.left, y - destination.top) != key) {
                    expected = c.pixel(x - destination.left, y - destination.top);
                }
                ASSERT_EQ(image.at(x, y), expected) << c.id << " at " << x << "," << y;
            }
        }
        // The image is cleared while it is combined and must come back as it was.
        EXPECT_EQ(bitmapPixels(bitmap->getHandle()).pixels, ownBefore.pixels) << c.id;
        bitmap->release();
    }
}

TEST_F(BitmapTest, TheMaskIsMadeOnceAndDrawingMaskedTwiceGivesTheSamePicture) {
    Bitmap* bitmap = new Bitmap(patternId);
    EXPECT_EQ(bitmap->getMask(), nullptr);
    MemorySurface first(24, 20);
    MemorySurface second(24, 20);
    paintBackground(first);
    paintBackground(second);
    {
        DrawContext context(nullptr, first.get(), nullptr);
        bitmap->drawMasked(context, Rect(3, 3, 11, 9), Point(0, 0));
    }
    HBITMAP mask = bitmap->getMask();
    ASSERT_NE(mask, nullptr);
    const Image maskPixels = bitmapPixels(mask);
    EXPECT_EQ(maskPixels.at(0, 0), 0xFFFFFFu); // key: 1
    EXPECT_EQ(maskPixels.at(4, 3), 0xFFFFFFu);
    EXPECT_EQ(maskPixels.at(2, 2), 0x000000u);
    const int contextsBefore = platform::testing::liveContextCount();
    const int objectsBefore = platform::testing::liveObjectCount();
    {
        DrawContext context(nullptr, second.get(), nullptr);
        bitmap->drawMasked(context, Rect(3, 3, 11, 9), Point(0, 0));
    }
    EXPECT_EQ(bitmap->getMask(), mask);
    EXPECT_EQ(second.pixels().pixels, first.pixels().pixels);
    // The scratch bitmaps and memory contexts of a masked draw are all gone afterwards.
    EXPECT_EQ(platform::testing::liveContextCount(), contextsBefore);
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore);
    bitmap->release();
}

TEST_F(BitmapTest, AMaskedDrawCanShowPartOfTheImage) {
    // A smaller destination shows the top-left part of the image, as a plain draw does.
    Bitmap* bitmap = new Bitmap(patternId);
    MemorySurface surface(24, 20);
    paintBackground(surface);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        bitmap->drawMasked(context, Rect(2, 2, 6, 5), Point(0, 0));
    }
    const Image image = surface.pixels();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 5;
            std::uint32_t expected = backgroundPixel(x, y);
            if (inside && patternPixel(x - 2, y - 2) != key) {
                expected = patternPixel(x - 2, y - 2);
            }
            ASSERT_EQ(image.at(x, y), expected) << x << "," << y;
        }
    }
    bitmap->release();
}

struct OffscreenCase {
    int width;
    int height;
    Color color;
    std::uint32_t rgb;
};

TEST_F(BitmapTest, ANewOffscreenContextIsEntirelyItsBackgroundColour) {
    const OffscreenCase cases[] = {
        {16, 160, colorBlack, 0x000000},
        {10, 10, colorGreen, 0x00FF00},
        {1, 1, colorRed, 0xFF0000},
        {30, 2, {12, 34, 56, 0}, 0x0C2238},
    };
    for (const OffscreenCase& c : cases) {
        OffscreenContext offscreen(nullptr, c.width, c.height, c.color);
        EXPECT_EQ(offscreen.getWidth(), c.width);
        EXPECT_EQ(offscreen.getHeight(), c.height);
        const Image image = bitmapPixels(offscreen.getBitmap());
        ASSERT_EQ(image.width, c.width);
        ASSERT_EQ(image.height, c.height);
        EXPECT_EQ(countColor(image, 0, 0, c.width, c.height, c.rgb), c.width * c.height)
            << c.width << "x" << c.height;
    }
}

TEST_F(BitmapTest, OffscreenCompositionReachesTheTargetInOneCopy) {
    Bitmap* body = new Bitmap(noKeyId);
    Bitmap* handle = new Bitmap(patternId);
    MemorySurface surface(24, 20, RGB(0, 0, 255));
    const int contextsBefore = platform::testing::liveContextCount();
    const int objectsBefore = platform::testing::liveObjectCount();
    {
        OffscreenContext offscreen(nullptr, 10, 12, colorBlack);
        body->draw(offscreen, Rect(0, 0, 6, 5), Point(0, 0));
        handle->drawMasked(offscreen, Rect(1, 4, 9, 10), Point(0, 0));
        DrawContext target(nullptr, surface.get(), nullptr);
        offscreen.blitTo(target, Rect(7, 3, 17, 15), Point(0, 0));
    }
    EXPECT_EQ(platform::testing::liveContextCount(), contextsBefore);
    // The handle's mask stays with the handle.
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore + 1);
    const Image image = surface.pixels();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
            std::uint32_t expected = 0x0000FF;
            if (x >= 7 && x < 17 && y >= 3 && y < 15) {
                const int ox = x - 7;
                const int oy = y - 3;
                expected = 0x000000;
                if (ox < 6 && oy < 5) {
                    expected = noKeyPixel(ox, oy);
                }
                if (ox >= 1 && ox < 9 && oy >= 4 && oy < 10 &&
                    patternPixel(ox - 1, oy - 4) != key) {
                    expected = patternPixel(ox - 1, oy - 4);
                }
            }
            ASSERT_EQ(image.at(x, y), expected) << x << "," << y;
        }
    }
    body->release();
    handle->release();
}

TEST_F(BitmapTest, TheSecondOffscreenFormTakesItsSizeAndPictureFromTheBitmap) {
    MemorySurface surface(4, 4);
    DrawContext context(nullptr, surface.get(), nullptr);
    Bitmap* bitmap = new Bitmap(noKeyId);
    {
        OffscreenContext offscreen(&context, bitmap);
        EXPECT_EQ(offscreen.getWidth(), 6);
        EXPECT_EQ(offscreen.getHeight(), 5);
        const Image image = bitmapPixels(offscreen.getBitmap());
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x) {
                ASSERT_EQ(image.at(x, y), noKeyPixel(x, y));
            }
        }
    }
    {
        OffscreenContext offscreen(&context, nullptr);
        EXPECT_EQ(offscreen.getWidth(), 20);
        EXPECT_EQ(offscreen.getHeight(), 20);
        const Image image = bitmapPixels(offscreen.getBitmap());
        EXPECT_EQ(countColor(image, 1, 1, 20, 20, 0x000000), 19 * 19);
    }
    bitmap->release();
}

} // namespace
