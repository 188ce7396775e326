// Points, rectangles, colours and the font table: the plain values every other part passes.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/gui/Color.h"
#include "framework/gui/FontTable.h"
#include "framework/gui/Point.h"
#include "framework/gui/Rect.h"

namespace {

struct InsideCase {
    Point point;
    bool inside;
};

TEST(GeometryTest, EveryEdgeOfARectangleCountsAsInside) {
    const Rect rect(10, 20, 30, 40);
    const InsideCase cases[] = {
        {{10, 20}, true},  {{30, 40}, true},  {{30, 20}, true},  {{10, 40}, true},
        {{20, 30}, true},  {{31, 30}, false}, {{20, 41}, false}, {{9, 30}, false},
        {{20, 19}, false}, {{31, 41}, false},
    };
    for (const InsideCase& c : cases) {
        EXPECT_EQ(c.point.isInside(rect), c.inside) << c.point.h << "," << c.point.v;
    }
}

TEST(GeometryTest, AReversedRectangleContainsNothing) {
    const Rect reversed(10, 20, 5, 8);
    EXPECT_FALSE(Point(7, 10).isInside(reversed));
    EXPECT_FALSE(Point(10, 20).isInside(reversed));
}

struct SetCase {
    std::int32_t x1, y1, x2, y2;
    Rect expected;
};

TEST(GeometryTest, SetOrdersTheCornersWhateverOrderTheyComeIn) {
    const SetCase cases[] = {
        {10, 20, 5, 8, {5, 8, 10, 20}}, {5, 8, 10, 20, {5, 8, 10, 20}},
        {5, 20, 10, 8, {5, 8, 10, 20}}, {-3, 4, -7, -1, {-7, -1, -3, 4}},
        {2, 2, 2, 2, {2, 2, 2, 2}},
    };
    for (const SetCase& c : cases) {
        Rect rect(100, 100, 100, 100);
        rect.set(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(rect, c.expected) << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2;
    }
}

TEST(GeometryTest, ARectangleBuiltFromFourValuesKeepsThem) {
    const Rect rect(10, 20, 5, 8);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 5);
    EXPECT_EQ(rect.bottom, 8);
    EXPECT_EQ(rect.width(), -5);
    EXPECT_EQ(rect.height(), -12);
}

TEST(GeometryTest, OffsetMovesAllFourEdges) {
    Rect rect(1, 2, 11, 22);
    rect.offset(5, -2);
    EXPECT_EQ(rect, Rect(6, 0, 16, 20));
    EXPECT_EQ(rect.width(), 10);
    EXPECT_EQ(rect.height(), 20);
}

TEST(GeometryTest, ThePointCallSetsBothCoordinates) {
    Point point(1, 2);
    point(-5, 7);
    EXPECT_EQ(point, Point(-5, 7));
}

struct ColorCase {
    Color a;
    Color b;
    bool differ;
};

TEST(GeometryTest, ColoursDifferOnlyInRedGreenOrBlue) {
    const ColorCase cases[] = {
        {colorTransparent, colorWhite, false}, {{1, 2, 3, 0}, {1, 2, 3, 255}, false},
        {{1, 2, 3, 0}, {0, 2, 3, 0}, true},    {{1, 2, 3, 0}, {1, 0, 3, 0}, true},
        {{1, 2, 3, 0}, {1, 2, 0, 0}, true},    {colorBlack, colorGrey, true},
    };
    for (const ColorCase& c : cases) {
        EXPECT_EQ(c.a != c.b, c.differ);
    }
}

TEST(GeometryTest, TheSystemFormOfAColourDropsAlpha) {
    EXPECT_EQ(systemColor({0x12, 0x34, 0x56, 0x78}), 0x563412u);
    EXPECT_EQ(systemColor(colorYellow), 0x00FFFFu);
    EXPECT_EQ(systemColor(colorBlue), 0xFF0000u);
}

TEST(GeometryTest, TheNamedColoursHaveTheirValues) {
    struct Named {
        Color color;
        std::uint8_t red, green, blue;
    };
    const Named named[] = {
        {colorTransparent, 255, 255, 255},
        {colorBlack, 0, 0, 0},
        {colorWhite, 255, 255, 255},
        {colorGrey, 127, 127, 127},
        {colorRed, 255, 0, 0},
        {colorGreen, 0, 255, 0},
        {colorBlue, 0, 0, 255},
        {colorYellow, 255, 255, 0},
        {colorMagenta, 255, 0, 255},
        {colorCyan, 0, 255, 255},
    };
    for (const Named& n : named) {
        EXPECT_EQ(n.color.red, n.red);
        EXPECT_EQ(n.color.green, n.green);
        EXPECT_EQ(n.color.blue, n.blue);
        EXPECT_EQ(n.color.alpha, 0);
    }
}

struct FontCase {
    std::int32_t id;
    std::int32_t size;
    const char* face;
    std::int32_t expectedSize;
    std::int32_t weight;
    std::uint8_t pitchAndFamily;
};

TEST(GeometryTest, FontLookupFallsBackToBoldAndToTheTableSize) {
    const FontCase cases[] = {
        {fontBold, 0, "Arial", 12, 700, 0x22},    {fontLarge, 0, "Arial", 18, 400, 0x22},
        {fontMedium, 0, "Arial", 14, 400, 0x22},  {fontNormal, 0, "Arial", 12, 400, 0x22},
        {fontSmall, 0, "Arial", 11, 400, 0x22},   {fontTiny, 0, "Small Fonts", 9, 400, 0x22},
        {fontSymbol, 0, "Symbol", 13, 400, 0x50}, {fontSymbol, 20, "Symbol", 20, 400, 0x50},
        {7, 0, "Arial", 12, 700, 0x22},           {-1, 0, "Arial", 12, 700, 0x22},
        {100, 30, "Arial", 30, 700, 0x22},        {fontSmall, -4, "Arial", -4, 400, 0x22},
    };
    for (const FontCase& c : cases) {
        const FontDescription font = lookupFont(c.id, c.size);
        EXPECT_STREQ(font.face, c.face) << c.id;
        EXPECT_EQ(font.size, c.expectedSize) << c.id;
        EXPECT_EQ(font.weight, c.weight) << c.id;
        EXPECT_EQ(font.pitchAndFamily, c.pitchAndFamily) << c.id;
    }
}

} // namespace
