// The draw context's pixel rules, its text placement, what it leaves selected in the device
// context, and the input queries that mouse tracking relies on.
#include <gtest/gtest.h>

#include "framework/gui/DrawContext.h"
#include "framework/gui/FontTable.h"
#include "tests/gui/GuiTestSupport.h"

using namespace guitest;
using platform::testing::InputState;

namespace {

constexpr std::uint32_t black = 0x000000;
constexpr std::uint32_t white = 0xFFFFFF;
constexpr std::uint32_t red = 0xFF0000;
constexpr std::uint32_t green = 0x00FF00;

class DrawContextTest : public GuiTest {};

struct FillCase {
    Rect rect;
};

TEST_F(DrawContextTest, FillRectLeavesTheOutlinePixelsFree) {
    const FillCase cases[] = {{{0, 0, 10, 10}}, {{3, 4, 8, 6}}, {{5, 5, 6, 6}}, {{2, 9, 17, 19}}};
    for (const FillCase& c : cases) {
        MemorySurface surface(20, 20);
        {
            DrawContext context(nullptr, surface.get(), nullptr);
            context.setFillColor(colorRed);
            context.fillRect(c.rect);
        }
        const Image image = surface.pixels();
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool inside =
                    x > c.rect.left && x < c.rect.right && y > c.rect.top && y < c.rect.bottom;
                ASSERT_EQ(image.at(x, y), inside ? red : black)
                    << x << "," << y << " of " << c.rect.left << "," << c.rect.top;
            }
        }
    }
}

TEST_F(DrawContextTest, DrawRectCoversAllFourEdgesAndNothingOfTheFill) {
    const Rect rect(2, 3, 12, 9);
    MemorySurface surface(16, 16);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        context.setFillColor(colorGreen);
        context.fillRect(rect);
        context.setLineColor(colorWhite);
        context.drawRect(rect);
    }
    const Image image = surface.pixels();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool within =
                x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
            const bool edge =
                within && (x == rect.left || x == rect.right || y == rect.top || y == rect.bottom);
            ASSERT_EQ(image.at(x, y), edge ? white : (within ? green : black)) << x << "," << y;
        }
    }
}

TEST_F(DrawContextTest, LinesLeaveOutTheirEndPixel) {
    MemorySurface surface(16, 8);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        context.moveTo(Point(2, 3));
        context.lineTo(Point(12, 3));
    }
    const Image image = surface.pixels();
    EXPECT_EQ(countColor(image, 2, 3, 12, 4, white), 10);
    EXPECT_EQ(image.at(12, 3), black);
    EXPECT_EQ(image.at(1, 3), black);
    EXPECT_EQ(countColor(image, 0, 0, 16, 8, white), 10);
}

TEST_F(DrawContextTest, LineWidthAndDottedStyleReachThePen) {
    MemorySurface wide(20, 10);
    {
        DrawContext context(nullptr, wide.get(), nullptr);
        context.setLineWidth(3);
        context.moveTo(Point(2, 5));
        context.lineTo(Point(18, 5));
    }
    EXPECT_EQ(countColor(wide.pixels(), 8, 0, 9, 10, white), 3);

    MemorySurface dotted(40, 4);
    {
        DrawContext context(nullptr, dotted.get(), nullptr);
        context.setLineStyle(lineDotted);
        EXPECT_EQ(context.getLineStyle(), lineDotted);
        context.moveTo(Point(0, 1));
        context.lineTo(Point(40, 1));
    }
    const int lit = countColor(dotted.pixels(), 0, 1, 40, 2, white);
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 40);
}

TEST_F(DrawContextTest, EllipsesKeepTheirRectangleRules) {
    const Rect rect(2, 2, 14, 10);
    MemorySurface outline(16, 12);
    {
        DrawContext context(nullptr, outline.get(), nullptr);
        context.drawEllipse(rect);
    }
    // The outline touches all four edges of the rectangle, right and bottom included.
    const Bounds drawn = boundsOfNot(outline.pixels(), black);
    EXPECT_EQ(drawn.left, 2);
    EXPECT_EQ(drawn.top, 2);
    EXPECT_EQ(drawn.right, 14);
    EXPECT_EQ(drawn.bottom, 10);

    MemorySurface filled(16, 12);
    {
        DrawContext context(nullptr, filled.get(), nullptr);
        context.setFillColor(colorRed);
        context.fillEllipse(rect);
    }
    // The fill stays inside the outline's rectangle and draws no outline of its own.
    const Image image = filled.pixels();
    const Bounds inside = boundsOfNot(image, black);
    EXPECT_GE(inside.left, 3);
    EXPECT_GE(inside.top, 3);
    EXPECT_LE(inside.right, 13);
    EXPECT_LE(inside.bottom, 9);
    EXPECT_EQ(countColor(image, 0, 0, 16, 12, white), 0);
    EXPECT_GT(countColor(image, 0, 0, 16, 12, red), 0);
}

TEST_F(DrawContextTest, PolygonsFillWithoutOutlineAndPolylinesDrawOne) {
    const Point triangle[] = {{2, 2}, {17, 2}, {2, 17}};
    MemorySurface filled(20, 20);
    {
        DrawContext context(nullptr, filled.get(), nullptr);
        context.setFillColor(colorGreen);
        context.fillPolygon(triangle, 3);
    }
    EXPECT_EQ(countColor(filled.pixels(), 0, 0, 20, 20, white), 0);
    EXPECT_EQ(filled.pixels().at(5, 5), green);

    MemorySurface lines(20, 20);
    {
        DrawContext context(nullptr, lines.get(), nullptr);
        context.drawPolyline(triangle, 3);
    }
    const Image image = lines.pixels();
    EXPECT_EQ(image.at(2, 2), white);
    EXPECT_EQ(image.at(10, 2), white);
    EXPECT_EQ(image.at(5, 5), black);
}

TEST_F(DrawContextTest, DrawPixelSetsOnePixel) {
    MemorySurface surface(8, 8);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        context.drawPixel(Point(3, 4), colorMagenta);
    }
    const Image image = surface.pixels();
    EXPECT_EQ(image.at(3, 4), 0xFF00FFu);
    EXPECT_EQ(countColor(image, 0, 0, 8, 8, black), 63);
}

struct AlignmentCase {
    std::int32_t alignment;
    const char* name;
};

TEST_F(DrawContextTest, TextIsPlacedByItsAlignment) {
    const Rect box(10, 4, 110, 24);
    const AlignmentCase cases[] = {
        {alignLeft, "left"}, {5, "unknown"}, {alignCenter, "centre"}, {alignRight, "right"}};
    Bounds found[4];
    for (int i = 0; i < 4; ++i) {
        MemorySurface surface(120, 28);
        {
            DrawContext context(nullptr, surface.get(), nullptr);
            context.selectFont(fontNormal);
            context.drawText("Hg", box, false, cases[i].alignment);
        }
        found[i] = boundsOfNot(surface.pixels(), black);
        ASSERT_LE(found[i].left, found[i].right) << cases[i].name << ": nothing drawn";
        // One line, vertically centred: the ink sits around the middle of the box.
        EXPECT_GE(found[i].top, box.top) << cases[i].name;
        EXPECT_LT(found[i].bottom, box.bottom) << cases[i].name;
        EXPECT_NEAR((found[i].top + found[i].bottom) / 2.0, (box.top + box.bottom) / 2.0, 4.0)
            << cases[i].name;
    }
    // Left alignment starts one pixel in from the box's left edge; any unknown value does
    // the same.
    EXPECT_GE(found[0].left, box.left + 1);
    EXPECT_LE(found[0].left, box.left + 3);
    EXPECT_EQ(found[1].left, found[0].left);
    EXPECT_EQ(found[1].right, found[0].right);
    const int width = found[0].right - found[0].left;
    EXPECT_NEAR((found[2].left + found[2].right) / 2.0, (box.left + box.right) / 2.0, 2.0);
    EXPECT_LE(found[3].right, box.right - 1);
    EXPECT_GE(found[3].right, box.right - 3);
    EXPECT_EQ(found[3].right - found[3].left, width);
}

TEST_F(DrawContextTest, OpaqueTextFillsItsCellsAndLeavesTheModeTransparent) {
    MemorySurface surface(60, 20);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        context.setFillColor(colorBlue);
        context.setTextColor(colorYellow);
        context.selectFont(fontBold);
        context.drawText("ab", Rect(0, 0, 60, 20), true, alignLeft);
        EXPECT_EQ(GetBkMode(surface.get()), TRANSPARENT);
    }
    const Image image = surface.pixels();
    EXPECT_GT(countColor(image, 0, 0, 60, 20, 0x0000FF), 0);
    EXPECT_GT(countColor(image, 0, 0, 60, 20, 0xFFFF00), 0);
}

TEST_F(DrawContextTest, TextIsClippedToItsRectangle) {
    MemorySurface surface(60, 20);
    {
        DrawContext context(nullptr, surface.get(), nullptr);
        context.selectFont(fontLarge);
        context.drawText("WWWWWWWW", Rect(5, 2, 25, 18), false, alignLeft);
    }
    const Bounds drawn = boundsOfNot(surface.pixels(), black);
    EXPECT_GE(drawn.left, 5);
    EXPECT_LE(drawn.right, 24);
    EXPECT_GE(drawn.top, 2);
    EXPECT_LE(drawn.bottom, 17);
}

TEST_F(DrawContextTest, TheDeviceContextGetsItsObjectsBackAndNothingLeaks) {
    MemorySurface surface(10, 10);
    HDC dc = surface.get();
    HPEN priorPen = CreatePen(PS_SOLID, 1, 0x123456);
    HBRUSH priorBrush = CreateSolidBrush(0x654321);
    SelectObject(dc, priorPen);
    SelectObject(dc, priorBrush);
    HGDIOBJ priorFont = GetCurrentObject(dc, OBJ_FONT);
    SetBkMode(dc, OPAQUE);
    const int objectsBefore = platform::testing::liveObjectCount();
    {
        DrawContext context(nullptr, dc, nullptr);
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        EXPECT_EQ(GetTextColor(dc), 0xFFFFFFu);
        EXPECT_EQ(GetBkColor(dc), 0x000000u);
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), priorPen);
        EXPECT_NE(GetCurrentObject(dc, OBJ_BRUSH), priorBrush);
        for (int i = 0; i < 3; ++i) {
            context.setLineColor(colorRed);
            context.setLineWidth(2 + i);
            context.setLineStyle(lineDotted);
            context.setFillColor(colorGreen);
            context.selectFont(fontSmall);
            context.selectFont(fontSymbol, 20);
        }
        EXPECT_EQ(GetBkColor(dc), 0x00FF00u);
        // Only the last pen, brush and font are alive besides what was there before.
        EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore + 3);
        EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), priorFont);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), priorPen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), priorBrush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), priorFont);
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(priorPen);
    DeleteObject(priorBrush);
}

TEST_F(DrawContextTest, AContextWithoutDeviceContextOnlyStoresItsSettings) {
    const int objectsBefore = platform::testing::liveObjectCount();
    {
        DrawContext context(nullptr, nullptr, nullptr);
        EXPECT_EQ(context.getDeviceContext(), nullptr);
        EXPECT_EQ(context.getLineColor(), colorWhite);
        EXPECT_EQ(context.getFillColor(), colorBlack);
        EXPECT_EQ(context.getTextColor(), colorWhite);
        EXPECT_EQ(context.getLineWidth(), 1);
        context.setFillColor(colorRed);
        context.setLineColor(colorBlue);
        context.setLineWidth(4);
        context.setTextColor(colorCyan);
        context.selectFont(fontLarge);
        EXPECT_EQ(context.getFillColor(), colorRed);
        EXPECT_EQ(context.getLineColor(), colorBlue);
        EXPECT_EQ(context.getLineWidth(), 4);
        EXPECT_EQ(context.getTextColor(), colorCyan);
        EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore);
    }
    EXPECT_EQ(platform::testing::liveObjectCount(), objectsBefore);
}

struct ButtonCase {
    InputState input;
    std::int32_t expected;
};

InputState held(bool left, bool middle, bool right, bool shift, bool control, bool alt) {
    InputState state;
    state.left = left;
    state.middle = middle;
    state.right = right;
    state.shift = shift;
    state.control = control;
    state.alt = alt;
    return state;
}

TEST_F(DrawContextTest, ButtonStateCombinesButtonsAndModifiers) {
    const ButtonCase cases[] = {
        {held(false, false, false, false, false, false), 0},
        {held(true, false, false, false, false, false), 1},
        {held(true, false, false, true, false, false), 9},
        {held(true, false, false, false, false, true), 33},
        {held(false, false, true, false, false, false), 4},
        {held(false, true, false, false, false, false), 2},
        {held(false, false, false, false, true, false), 16},
        {held(true, true, true, true, true, true), 63},
    };
    DrawContext context(nullptr, nullptr, nullptr);
    for (const ButtonCase& c : cases) {
        platform::testing::setInput(c.input);
        EXPECT_EQ(context.getButtonState(), c.expected);
    }
}

TEST_F(DrawContextTest, MousePositionIsInTheWindowsClientCoordinates) {
    HostWindow host(200, 100, 120, 80);
    InputState state;
    state.cursor = POINT{150, 95};
    platform::testing::setInput(state);
    DrawContext context(nullptr, nullptr, host.get());
    Point where(-1, -1);
    context.getMousePosition(where);
    EXPECT_EQ(where, Point(30, 15));

    state.cursor = POINT{100, 60}; // left of and above the window
    platform::testing::setInput(state);
    context.getMousePosition(where);
    EXPECT_EQ(where, Point(-20, -20));
}

} // namespace
