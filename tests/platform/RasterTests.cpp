// Which pixels lines, outlines and fills cover.
#include "tests/platform/MemoryCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const COLORREF black = RGB(0, 0, 0);
const COLORREF red = RGB(255, 0, 0);

struct ShapeCase {
    const char* name;
    int style;
    int width;
    std::function<void(HDC)> draw;
    std::vector<std::string> expected;
};

class PixelRules : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PixelRules, CoverExactlyThesePixels) {
    const ShapeCase& c = GetParam();
    MemoryCanvas canvas(int(c.expected[0].size()), int(c.expected.size()));
    SelectedTools tools(canvas.dc, CreatePen(c.style, c.width, black), CreateSolidBrush(red));
    c.draw(canvas.dc);
    EXPECT_EQ(canvas.rows(), c.expected);
}

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PixelRules,
    ::testing::Values(
        ShapeCase{"LineExcludesItsEndPoint",
                  PS_SOLID,
                  1,
                  [](HDC dc) { line(dc, 1, 1, 6, 1); },
                  {"........", ".#####..", "........"}},
        ShapeCase{"SteepLinesRoundTiesByTheirDirection",
                  PS_SOLID,
                  1,
                  [](HDC dc) {
                      line(dc, 1, 0, 3, 5);
                      line(dc, 6, 5, 4, 0);
                  },
                  {".#......", ".#..#...", "..#..#..", "..#..#..", "...#..#.", "......#."}},
        ShapeCase{"ClosedPolylineCoversAllFourEdges",
                  PS_SOLID,
                  1,
                  [](HDC dc) {
                      const POINT box[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}};
                      Polyline(dc, box, 5);
                  },
                  {".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."}},
        ShapeCase{"DottedLineRunsThreeOnThreeOff",
                  PS_DOT,
                  1,
                  [](HDC dc) {
                      SetBkMode(dc, TRANSPARENT);
                      line(dc, 0, 0, 14, 0);
                  },
                  {"###...###...##."}},
        ShapeCase{"DottedPatternContinuesAcrossPolylineSegments",
                  PS_DOT,
                  1,
                  [](HDC dc) {
                      SetBkMode(dc, TRANSPARENT);
                      const POINT path[] = {{0, 0}, {4, 0}, {4, 4}};
                      Polyline(dc, path, 3);
                  },
                  {"###..", ".....", "....#", "....#", "....."}},
        ShapeCase{"OpaqueDottedLineFillsItsGapsWithTheBackground",
                  PS_DOT,
                  1,
                  [](HDC dc) {
                      SetBkMode(dc, OPAQUE);
                      SetBkColor(dc, RGB(0, 0, 255));
                      line(dc, 0, 0, 9, 0);
                  },
                  {"###BBB###."}},
        ShapeCase{"WidePenHasRoundEnds",
                  PS_SOLID,
                  3,
                  [](HDC dc) { line(dc, 2, 2, 7, 2); },
                  {"..........", "..######..", ".########.", "..######..", ".........."}},
        ShapeCase{"EvenWidePenLiesAboveAndLeftOfTheLine",
                  PS_SOLID,
                  2,
                  [](HDC dc) { line(dc, 2, 2, 6, 2); },
                  {"........", ".######.", ".######.", "........"}},
        ShapeCase{"DottedWidePenDrawsSolid",
                  PS_DOT,
                  2,
                  [](HDC dc) { line(dc, 1, 1, 9, 1); },
                  {"##########", "##########", "..........", ".........."}},
        ShapeCase{"FillRectExcludesRightAndBottom",
                  PS_SOLID,
                  1,
                  [](HDC dc) {
                      HBRUSH brush = CreateSolidBrush(red);
                      RECT r{1, 1, 4, 3};
                      FillRect(dc, &r, brush);
                      DeleteObject(brush);
                  },
                  {".....", ".RRR.", ".RRR.", "....."}},
        ShapeCase{"RectangleOutlinesInsideItsBox",
                  PS_SOLID,
                  1,
                  [](HDC dc) { Rectangle(dc, 1, 1, 6, 5); },
                  {".......", ".#####.", ".#RRR#.", ".#RRR#.", ".#####.", "......."}},
        ShapeCase{"RectangleWithoutPenIsOnePixelSmaller",
                  PS_NULL,
                  1,
                  [](HDC dc) { Rectangle(dc, 1, 1, 6, 5); },
                  {".......", ".RRRR..", ".RRRR..", ".RRRR..", ".......", "......."}},
        ShapeCase{"PolygonFillTakesLeftAndTopEdgesOnly",
                  PS_NULL,
                  1,
                  [](HDC dc) {
                      const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
                      Polygon(dc, square, 4);
                  },
                  {".......", ".RRRR..", ".RRRR..", ".RRRR..", ".......", "......."}},
        ShapeCase{
            "AlternateFillLeavesTheOverlapOfAStarEmpty",
            PS_NULL,
            1,
            [](HDC dc) {
                const POINT star[] = {{0, 2}, {8, 2}, {8, 4}, {4, 4},
                                      {4, 0}, {6, 0}, {6, 6}, {0, 6}};
                Polygon(dc, star, 8);
            },
            {"....RR..", "....RR..", "RRRR..RR", "RRRR..RR", "RRRRRR..", "RRRRRR..", "........"}},
        ShapeCase{"EllipseFitsItsBoxRightAndBottomExcluded",
                  PS_SOLID,
                  1,
                  [](HDC dc) { Ellipse(dc, 1, 1, 8, 8); },
                  {".........", "...###...", "..#RRR#..", ".#RRRRR#.", ".#RRRRR#.", ".#RRRRR#.",
                   "..#RRR#..", "...###...", "........."}},
        ShapeCase{"EllipseWithoutPenFillsTheSamePixels",
                  PS_NULL,
                  1,
                  [](HDC dc) { Ellipse(dc, 1, 1, 8, 8); },
                  {".........", "...RRR...", "..RRRRR..", ".RRRRRRR.", ".RRRRRRR.", ".RRRRRRR.",
                   "..RRRRR..", "...RRR...", "........."}},
        ShapeCase{"EllipseOfOnePixelDrawsNothing",
                  PS_SOLID,
                  1,
                  [](HDC dc) { Ellipse(dc, 1, 1, 2, 2); },
                  {"...", "...", "..."}},
        ShapeCase{"ArcRunsCounterClockwiseFromStartToEnd",
                  PS_SOLID,
                  1,
                  [](HDC dc) { Arc(dc, 1, 1, 8, 8, 8, 4, 4, 0); },
                  {".........", ".....#...", "......#..", ".......#.", ".......#.", ".........",
                   ".........", ".........", "........."}},
        ShapeCase{"ArcRunsClockwiseWhenAskedTo",
                  PS_SOLID,
                  1,
                  [](HDC dc) {
                      SetArcDirection(dc, AD_CLOCKWISE);
                      Arc(dc, 1, 1, 8, 8, 4, 0, 8, 4);
                  },
                  {".........", ".....#...", "......#..", ".......#.", ".......#.", ".........",
                   ".........", ".........", "........."}},
        ShapeCase{"FullArcWhenBothRaysAreOne",
                  PS_SOLID,
                  1,
                  [](HDC dc) { Arc(dc, 1, 1, 6, 6, 6, 3, 6, 3); },
                  {".......", "..###..", ".#...#.", ".#...#.", ".#...#.", "..###..", "......."}},
        ShapeCase{"NullPenDrawsNoLine",
                  PS_NULL,
                  1,
                  [](HDC dc) { line(dc, 0, 1, 5, 1); },
                  {".....", ".....", "....."}}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST(Pie, FillsOnlyItsSectorInsideTheEllipse) {
    MemoryCanvas sector(20, 20);
    MemoryCanvas whole(20, 20);
    {
        SelectedTools tools(sector.dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(red));
        Pie(sector.dc, 2, 2, 18, 18, 18, 10, 10, 2); // from the right ray to the upper one
    }
    {
        SelectedTools tools(whole.dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(red));
        Ellipse(whole.dc, 2, 2, 18, 18);
    }
    int filled = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (GetPixel(sector.dc, x, y) == red) {
                ++filled;
                EXPECT_GE(x, 9) << x << ", " << y;
                EXPECT_LE(y, 10) << x << ", " << y;
                EXPECT_EQ(GetPixel(whole.dc, x, y), red) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(filled, 40);
}

TEST(SetPixel, ReturnsTheColourSetAndFailsOutside) {
    MemoryCanvas canvas(4, 4);
    EXPECT_EQ(SetPixel(canvas.dc, 1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc, 1, 2), RGB(1, 2, 3));
    EXPECT_EQ(SetPixel(canvas.dc, 4, 0, red), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc, -1, 0, red), CLR_INVALID);
    EXPECT_EQ(SetPixel(nullptr, 0, 0, red), CLR_INVALID);
}

TEST(DrawingOnMonochrome, ColoursBecomeTheNearerOfBlackAndWhite) {
    MemoryCanvas canvas(3, 1, RGB(255, 255, 255), 1);
    EXPECT_EQ(SetPixel(canvas.dc, 0, 0, RGB(200, 200, 200)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(canvas.dc, 1, 0, RGB(100, 20, 20)), RGB(0, 0, 0));
    EXPECT_EQ(canvas.rows(), std::vector<std::string>{".#."});
}

TEST(PenPosition, MoveToReportsThePreviousAndLineToMovesIt) {
    MemoryCanvas canvas(8, 8);
    POINT previous{-1, -1};
    MoveToEx(canvas.dc, 3, 4, nullptr);
    LineTo(canvas.dc, 6, 4);
    MoveToEx(canvas.dc, 0, 0, &previous);
    EXPECT_EQ(previous.x, 6);
    EXPECT_EQ(previous.y, 4);
}

TEST(MapMode, TextModeMapsDeviceUnitsOneToOne) {
    MemoryCanvas canvas(4, 4);
    EXPECT_EQ(GetMapMode(canvas.dc), MM_TEXT);
    EXPECT_EQ(SetMapMode(canvas.dc, MM_TEXT), MM_TEXT);
    POINT size{14, 12};
    EXPECT_TRUE(DPtoLP(canvas.dc, &size, 1));
    EXPECT_EQ(size.x, 14);
    EXPECT_EQ(size.y, 12);
    EXPECT_EQ(SetMapMode(canvas.dc, 99), 0);
}

} // namespace
