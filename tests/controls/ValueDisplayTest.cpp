#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "framework/effect/PercentText.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/FontTable.h"
#include "framework/gui/controls/ValueDisplay.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using platform::testing::Image;

std::string textOf(ValueDisplay& display) {
    char text[valueTextCapacity];
    display.makeText(text);
    return text;
}

TEST(ValueDisplayText, OwnFormatAndPercent) {
    struct Case {
        float value;
        bool percent;
        const char* text;
    };
    const Case cases[] = {
        {0.5f, false, "0.50"},   {12.345f, false, "12.35"},
        {-0.5f, false, "-0.50"}, {0.5f, true, "50%"},
        {1.0f, true, "100%"},    {0.29f, true, "28%"},
        {0.0f, true, "0%"},      {-0.255f, true, "-25%"},
        {NAN, true, "0%"},       {1.0e30f, true, "2147483647%"},
    };
    for (const Case& c : cases) {
        ValueDisplay display(Rect(0, 0, 30, 14), nullptr, 0);
        display.setValue(c.value);
        if (c.percent) {
            display.setValueConverter(percentText);
        }
        EXPECT_EQ(textOf(display), c.text) << c.value;
    }
}

TEST(ValueDisplayText, AConverterThatWritesNothingGivesAnEmptyText) {
    ValueDisplay display(Rect(0, 0, 30, 14), nullptr, 0);
    display.setValueConverter([](float, char*) {});
    EXPECT_EQ(textOf(display), "");
}

// Drawing: a 40 x 20 surface in grey, the display at (2, 2, 32, 16).
class ValueDisplayDrawing : public ::testing::Test {
protected:
    static constexpr std::uint32_t grey = 0x808080;
    const Rect r{2, 2, 32, 16};

    Image drawn(ValueDisplay& display) {
        guitest::MemorySurface surface(40, 20, RGB(0x80, 0x80, 0x80));
        {
            DrawContext context(nullptr, surface.get(), nullptr);
            display.draw(context);
        }
        return surface.pixels();
    }

    // Pixels strictly inside the box (the fill's area) that are not of the colour.
    int inkInside(const Image& image, std::uint32_t fill) {
        int count = 0;
        for (int y = r.top + 1; y < r.bottom; ++y) {
            for (int x = r.left + 1; x < r.right; ++x) {
                count += image.at(x, y) != fill ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(ValueDisplayDrawing, PlainStyleIsABlackBoxWithABorderAndWhiteText) {
    ValueDisplay display(r, nullptr, 0);
    display.setValue(0.5f);
    const Image image = drawn(display);
    // Border on all four edges, inclusive, and nothing drawn outside it.
    for (int x = r.left; x <= r.right; ++x) {
        EXPECT_EQ(image.at(x, r.top), 0u);
        EXPECT_EQ(image.at(x, r.bottom), 0u);
    }
    EXPECT_EQ(image.at(r.left - 1, 8), grey);
    EXPECT_EQ(image.at(r.right + 1, 8), grey);
    // White text inside; anti-aliased edges are greys, but the stems reach white.
    EXPECT_GT(guitest::countColor(image, r.left + 1, r.top + 1, r.right, r.bottom, 0xFFFFFF), 5);
    EXPECT_EQ(display.getDrawnValue(), 0.5f);
}

TEST_F(ValueDisplayDrawing, ShadowTextSitsOnePixelRightAndDown) {
    ValueDisplay plain(r, nullptr, 0);
    ValueDisplay shadowed(r, nullptr, styleShadowText);
    plain.setValue(0.5f);
    shadowed.setValue(0.5f);
    const Image withoutShadow = drawn(plain);
    const Image withShadow = drawn(shadowed);
    int reddish = 0;
    for (int y = r.top + 1; y < r.bottom; ++y) {
        for (int x = r.left + 1; x < r.right; ++x) {
            const std::uint32_t p = withShadow.at(x, y);
            const int red = (p >> 16) & 0xFF;
            const int green = (p >> 8) & 0xFF;
            if (red > green + 60) {
                ++reddish;
                // Every shadow pixel belongs to the text moved by (1, 1).
                EXPECT_NE(withoutShadow.at(x - 1, y - 1), 0u) << x << "," << y;
            }
        }
    }
    EXPECT_GT(reddish, 5);
}

TEST_F(ValueDisplayDrawing, ThreeDEdgesReplaceTheBorder) {
    struct Case {
        std::int32_t style;
        std::uint32_t topLeft;
        std::uint32_t bottomRight;
    };
    constexpr std::uint32_t blue = 0x0000FF;   // background colour
    constexpr std::uint32_t yellow = 0xFFFF00; // border colour
    for (const Case& c : {Case{style3DIn, blue, yellow}, Case{style3DOut, yellow, blue},
                          Case{style3DIn | style3DOut, blue, yellow}}) {
        ValueDisplay display(r, nullptr, c.style);
        display.setBackgroundColor(colorBlue);
        display.setBorderColor(colorYellow);
        display.setValueConverter([](float, char* text) { text[0] = 0; });
        const Image image = drawn(display);
        for (int y = r.top; y <= r.bottom; ++y) {
            EXPECT_EQ(image.at(r.left, y), c.topLeft) << c.style << " left " << y;
        }
        for (int x = r.left; x <= r.right; ++x) {
            EXPECT_EQ(image.at(x, r.top), c.topLeft) << c.style << " top " << x;
        }
        for (int y = r.top + 1; y <= r.bottom; ++y) {
            EXPECT_EQ(image.at(r.right, y), c.bottomRight) << c.style << " right " << y;
        }
        for (int x = r.left + 1; x <= r.right; ++x) {
            EXPECT_EQ(image.at(x, r.bottom), c.bottomRight) << c.style << " bottom " << x;
        }
        EXPECT_EQ(inkInside(image, blue), 0) << c.style;
    }
}

TEST_F(ValueDisplayDrawing, AnEmptyTextLeavesTheBoxEmpty) {
    ValueDisplay display(r, nullptr, 0);
    display.setValueConverter([](float, char*) {});
    EXPECT_EQ(inkInside(drawn(display), 0x000000), 0);
}

TEST_F(ValueDisplayDrawing, ABackgroundBitmapReplacesTheBox) {
    guitest::registerBitmap(140, 30, 14, [](int, int) { return 0x336699u; });
    Bitmap* background = new Bitmap(140);
    {
        ValueDisplay display(r, background, 0);
        EXPECT_EQ(background->getReferenceCount(), 2);
        display.setValueConverter([](float, char*) {});
        const Image image = drawn(display);
        EXPECT_EQ(image.at(r.left, r.top), 0x336699u);
        EXPECT_EQ(image.at(r.right - 1, r.bottom - 1), 0x336699u);
    }
    EXPECT_EQ(background->getReferenceCount(), 1);
    background->release();
}

// The appearance setters force the next drawIfChanged to repaint only when what is seen
// changes; the value stays as it was.
TEST(ValueDisplayRedraw, SettersForceARepaintOnlyForAVisibleChange) {
    struct Case {
        const char* what;
        void (*change)(ValueDisplay&);
        bool forces;
    };
    const Case cases[] = {
        {"same font", [](ValueDisplay& d) { d.setFontId(fontNormal); }, false},
        {"other font", [](ValueDisplay& d) { d.setFontId(fontSmall); }, true},
        {"text colour alpha only",
         [](ValueDisplay& d) {
             d.setTextColor(Color{255, 255, 255, 9});
         },
         false},
        {"text colour", [](ValueDisplay& d) { d.setTextColor(colorBlack); }, true},
        {"background colour", [](ValueDisplay& d) { d.setBackgroundColor(colorWhite); }, true},
        {"same border colour", [](ValueDisplay& d) { d.setBorderColor(colorBlack); }, false},
        {"border colour", [](ValueDisplay& d) { d.setBorderColor(colorRed); }, true},
        {"shadow colour", [](ValueDisplay& d) { d.setTextShadowColor(colorBlue); }, true},
        {"same alignment", [](ValueDisplay& d) { d.setAlignment(alignCenter); }, false},
        {"alignment", [](ValueDisplay& d) { d.setAlignment(alignLeft); }, true},
        {"background offset", [](ValueDisplay& d) { d.setBackgroundOffset(Point(3, 3)); }, false},
        {"converter", [](ValueDisplay& d) { d.setValueConverter(percentText); }, false},
    };
    for (const Case& c : cases) {
        for (float value : {0.25f, 3.0e9f}) {
            ValueDisplay display(Rect(0, 0, 30, 14), nullptr, 0);
            display.setValue(value);
            display.setDrawnValue(value); // as if just drawn
            c.change(display);
            EXPECT_EQ(display.getDrawnValue() != value, c.forces) << c.what << " at " << value;
            EXPECT_EQ(display.getValue(), value) << c.what;
        }
    }
}

TEST(ValueDisplayRedraw, AlphaOnlyChangeIsStoredAllTheSame) {
    ValueDisplay display(Rect(0, 0, 30, 14), nullptr, 0);
    display.setTextColor(Color{255, 255, 255, 9});
    EXPECT_EQ(display.getTextColor().alpha, 9);
}

} // namespace
