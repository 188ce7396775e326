// Text: the faces requested names find, metrics, and where DrawTextA puts a line (measured by
// boxes, not glyph pixels).
#include "platform/raster/FontFaces.h"
#include "tests/platform/MemoryCanvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const COLORREF black = RGB(0, 0, 0);
const COLORREF white = RGB(255, 255, 255);

LOGFONTA request(const char* face, int height, int weight = FW_NORMAL) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfOutPrecision = OUT_STRING_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

struct FaceCase {
    const char* requested;
    const char* fileContains;
};

void PrintTo(const FaceCase& c, std::ostream* os) {
    *os << c.requested;
}

class FaceMatching : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceMatching, FindsAnInstalledFace) {
    auto face = platform::raster::FontFace::forRequest(request(GetParam().requested, -12));
    EXPECT_NE(face->path().find(GetParam().fileContains), std::string::npos) << face->path();
}

INSTANTIATE_TEST_SUITE_P(Faces, FaceMatching,
                         ::testing::Values(FaceCase{"Arial", "LiberationSans-Regular"},
                                           FaceCase{"arial", "LiberationSans-Regular"},
                                           FaceCase{"Small Fonts", "LiberationSans"},
                                           FaceCase{"Symbol", "DejaVuSans"},
                                           FaceCase{"Courier New", "LiberationMono"}));

TEST(FaceMatching, BoldArialFindsTheBoldFace) {
    auto face = platform::raster::FontFace::forRequest(request("Arial", -12, FW_BOLD));
    EXPECT_NE(face->path().find("LiberationSans-Bold"), std::string::npos) << face->path();
}

TEST(FaceMatching, SymbolShowsGreekForLatinLetters) {
    auto symbol = platform::raster::FontFace::forRequest(request("Symbol", -13));
    auto arial = platform::raster::FontFace::forRequest(request("Arial", -13));
    // 'p' of the symbol encoding is pi, which is wider than a Latin p.
    EXPECT_NE(symbol->glyph('p').coverage, arial->glyph('p').coverage);
    EXPECT_GT(symbol->glyph('p').width, 0);
}

class TextOutput : public ::testing::Test {
protected:
    TextOutput() : canvas(80, 30, black) {
        LOGFONTA logical = request("Arial", -12);
        font = CreateFontIndirectA(&logical);
        old = SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, white);
    }
    ~TextOutput() override {
        SelectObject(canvas.dc, old);
        DeleteObject(font);
    }
    SIZE extent(const char* text) {
        SIZE size{};
        GetTextExtentPoint32A(canvas.dc, text, int(std::strlen(text)), &size);
        return size;
    }
    MemoryCanvas canvas;
    HFONT font;
    HGDIOBJ old;
};

TEST_F(TextOutput, NegativeHeightIsTheCharacterHeight) {
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &metrics));
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12);
    EXPECT_EQ(metrics.tmAscent, 11);
    EXPECT_EQ(metrics.tmDescent, 3);
}

struct AlignCase {
    const char* name;
    UINT format;
};

void PrintTo(const AlignCase& c, std::ostream* os) {
    *os << c.name;
}

class Alignment : public TextOutput, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(Alignment, PlacesTheLineInItsRectangle) {
    const char* text = "50 %";
    RECT r{10, 2, 70, 28};
    const int height =
        DrawTextA(canvas.dc, text, -1, &r, GetParam().format | DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(height, 0);
    const SIZE size = extent(text);
    int x = 10;
    if (GetParam().format & DT_CENTER) {
        x = (10 + 70 - size.cx) / 2;
    } else if (GetParam().format & DT_RIGHT) {
        x = 70 - size.cx;
    }
    const int y = 2 + (28 - 2) / 2 - size.cy / 2;
    const RECT ink = canvas.inkBox(black);
    // The glyphs lie in the cell, with a pixel of side bearing at most on each side.
    EXPECT_GE(ink.left, x);
    EXPECT_LE(ink.left, x + 2);
    EXPECT_LE(ink.right, x + size.cx);
    EXPECT_GE(ink.right, x + size.cx - 2);
    EXPECT_GE(ink.top, y);
    EXPECT_LE(ink.bottom, y + size.cy);
}

INSTANTIATE_TEST_SUITE_P(Text, Alignment,
                         ::testing::Values(AlignCase{"Left", DT_LEFT},
                                           AlignCase{"Center", DT_CENTER},
                                           AlignCase{"Right", DT_RIGHT}),
                         [](const ::testing::TestParamInfo<AlignCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(TextOutput, IsClippedToTheRectangle) {
    MemoryCanvas unclipped(80, 30, black);
    HGDIOBJ previous = SelectObject(unclipped.dc, font);
    SetBkMode(unclipped.dc, TRANSPARENT);
    SetTextColor(unclipped.dc, white);
    const RECT clip{20, 10, 40, 18};
    RECT r = clip;
    DrawTextA(unclipped.dc, "Resonance", -1, &r,
              DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    r = clip;
    DrawTextA(canvas.dc, "Resonance", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    SelectObject(unclipped.dc, previous);
    int inside = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            const POINT p{x, y};
            const COLORREF expected = PtInRect(&clip, p) ? GetPixel(unclipped.dc, x, y) : black;
            EXPECT_EQ(GetPixel(canvas.dc, x, y), expected) << x << ", " << y;
            inside += PtInRect(&clip, p) && expected == white ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 0);
}

TEST_F(TextOutput, WithoutClippingSpillsOutOfTheRectangle) {
    RECT r{30, 10, 40, 18};
    DrawTextA(canvas.dc, "Resonance", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    const RECT ink = canvas.inkBox(black);
    EXPECT_LT(ink.left, 30);
    EXPECT_GT(ink.right, 40);
}

TEST_F(TextOutput, OpaqueModeFillsTheCell) {
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    RECT r{0, 0, 80, 30};
    DrawTextA(canvas.dc, "12.5", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    const SIZE size = extent("12.5");
    const RECT ink = canvas.inkBox(black);
    EXPECT_EQ(ink.right - ink.left, size.cx);
    EXPECT_EQ(ink.bottom - ink.top, size.cy);
    EXPECT_EQ(GetPixel(canvas.dc, ink.left, ink.top), RGB(0, 0, 255));
}

TEST_F(TextOutput, AmpersandUnderlinesTheNextCharacterAndTwoMakeOne) {
    RECT prefixed{0, 0, 80, 30};
    DrawTextA(canvas.dc, "A&B", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.right, extent("AB").cx);
    RECT r{0, 0, 80, 30};
    DrawTextA(canvas.dc, "x&&y", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right, extent("x&y").cx);
    RECT kept{0, 0, 80, 30};
    DrawTextA(canvas.dc, "x&y", -1, &kept, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(kept.right, extent("x&y").cx);
}

TEST_F(TextOutput, EmptyTextDrawsNothing) {
    RECT r{0, 0, 80, 30};
    DrawTextA(canvas.dc, "", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    const RECT ink = canvas.inkBox(black);
    EXPECT_GE(ink.left, ink.right);
}

TEST_F(TextOutput, TheBoldFaceIsHeavier) {
    auto inkPixels = [&](HDC dc) {
        int n = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 80; ++x) {
                n += GetPixel(dc, x, y) == white ? 1 : 0;
            }
        }
        return n;
    };
    RECT r{0, 0, 80, 30};
    DrawTextA(canvas.dc, "100 %", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    const int normal = inkPixels(canvas.dc);
    MemoryCanvas boldCanvas(80, 30, black);
    LOGFONTA logical = request("Arial", -12, FW_BOLD);
    HFONT bold = CreateFontIndirectA(&logical);
    HGDIOBJ previous = SelectObject(boldCanvas.dc, bold);
    SetBkMode(boldCanvas.dc, TRANSPARENT);
    SetTextColor(boldCanvas.dc, white);
    DrawTextA(boldCanvas.dc, "100 %", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(inkPixels(boldCanvas.dc), normal + 10);
    SelectObject(boldCanvas.dc, previous);
    DeleteObject(bold);
}

} // namespace
