// Block transfers: raster operations, colour and one-bit conversions, and the masked draw the
// toolkit builds from them.
#include "tests/platform/MemoryCanvas.h"

#include <gtest/gtest.h>

namespace {

const COLORREF white = RGB(255, 255, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF source = RGB(0xF0, 0x0F, 0x55);
const COLORREF target = RGB(0x3C, 0xAA, 0x0F);
const COLORREF pattern = RGB(0x81, 0x42, 0x24);

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected;
};

void PrintTo(const RopCase& c, std::ostream* os) {
    *os << c.name;
}

class RasterOperations : public ::testing::TestWithParam<RopCase> {};

TEST_P(RasterOperations, CombineSourceDestinationAndPattern) {
    MemoryCanvas from(2, 2, source);
    MemoryCanvas to(2, 2, target);
    HBRUSH brush = CreateSolidBrush(pattern);
    HGDIOBJ old = SelectObject(to.dc, brush);
    ASSERT_TRUE(BitBlt(to.dc, 0, 0, 2, 2, from.dc, 0, 0, GetParam().rop));
    SelectObject(to.dc, old);
    DeleteObject(brush);
    EXPECT_EQ(GetPixel(to.dc, 1, 1), GetParam().expected);
}

COLORREF inv(COLORREF c) {
    return ~c & 0xFFFFFF;
}

INSTANTIATE_TEST_SUITE_P(
    Blits, RasterOperations,
    ::testing::Values(
        RopCase{"Copy", SRCCOPY, source}, RopCase{"InvertedCopy", NOTSRCCOPY, inv(source)},
        RopCase{"And", SRCAND, source& target}, RopCase{"Or", SRCPAINT, source | target},
        RopCase{"Xor", SRCINVERT, source ^ target}, RopCase{"Erase", SRCERASE, source& inv(target)},
        RopCase{"NotErase", NOTSRCERASE, inv(source | target)},
        RopCase{"MergePaint", MERGEPAINT, inv(source) | target},
        RopCase{"MergeCopy", MERGECOPY, source& pattern}, RopCase{"PatternCopy", PATCOPY, pattern},
        RopCase{"PatternInvert", PATINVERT, pattern ^ target},
        RopCase{"DestinationInvert", DSTINVERT, inv(target)}, RopCase{"Black", BLACKNESS, black},
        RopCase{"White", WHITENESS, white}),
    [](const ::testing::TestParamInfo<RopCase>& info) { return std::string(info.param.name); });

TEST(Conversions, ColourToOneBitMakesTheSourceBackgroundOne) {
    MemoryCanvas colour(3, 1);
    SetPixel(colour.dc, 0, 0, RGB(10, 20, 30));
    SetPixel(colour.dc, 1, 0, white);
    SetPixel(colour.dc, 2, 0, RGB(254, 255, 255));
    MemoryCanvas mono(3, 1, black, 1);
    SetBkColor(colour.dc, white);
    BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mono.rows(), std::vector<std::string>{"#.#"});
    SetBkColor(colour.dc, RGB(10, 20, 30));
    BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mono.rows(), std::vector<std::string>{".##"});
}

TEST(Conversions, OneBitToColourTakesTheDestinationTextAndBackgroundColours) {
    MemoryCanvas mono(2, 1, black, 1);
    SetPixel(mono.dc, 1, 0, white);
    MemoryCanvas colour(2, 1);
    SetTextColor(colour.dc, RGB(255, 0, 0));
    SetBkColor(colour.dc, RGB(0, 0, 255));
    BitBlt(colour.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(colour.rows(), std::vector<std::string>{"RB"});
}

TEST(Blits, ClipToSourceAndDestination) {
    MemoryCanvas from(3, 3, RGB(255, 0, 0));
    MemoryCanvas to(4, 4);
    BitBlt(to.dc, 2, -1, 3, 3, from.dc, 0, 0, SRCCOPY);
    BitBlt(to.dc, 0, 2, 3, 3, from.dc, 1, 1, SRCCOPY);
    EXPECT_EQ(to.rows(), (std::vector<std::string>{"..RR", "..RR", "RR..", "RR.."}));
}

TEST(Blits, WithinOneBitmapCopyOverlappingBlocksWhole) {
    MemoryCanvas canvas(5, 1);
    SetPixel(canvas.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(canvas.dc, 1, 0, RGB(0, 0, 255));
    BitBlt(canvas.dc, 1, 0, 3, 1, canvas.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.rows(), std::vector<std::string>{"RRB.."});
}

TEST(Blits, NeedASourceWhenTheOperationReadsOne) {
    MemoryCanvas to(2, 2);
    EXPECT_FALSE(BitBlt(to.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(to.dc, 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(GetPixel(to.dc, 0, 0), black);
}

// The toolkit's masked draw: a one-bit mask of the key colour, then AND, OR and copies between
// five memory contexts, so that the image's key-colour pixels leave the target as it was.
class MaskedDraw : public ::testing::Test {
protected:
    static constexpr int w = 4, h = 3;

    void drawMasked(HDC targetDc, HDC imageDc, HBITMAP& mask, int x, int y) {
        if (!mask) {
            HDC maskDc = CreateCompatibleDC(targetDc);
            mask = CreateBitmap(w, h, 1, 1, nullptr);
            HGDIOBJ old = SelectObject(maskDc, mask);
            SetMapMode(imageDc, GetMapMode(targetDc));
            const COLORREF previous = SetBkColor(imageDc, white);
            BitBlt(maskDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);
            SetBkColor(imageDc, previous);
            SelectObject(maskDc, old);
            DeleteDC(maskDc);
        }
        HDC inverseDc = CreateCompatibleDC(targetDc);
        HBITMAP inverse = CreateBitmap(w, h, 1, 1, nullptr);
        HGDIOBJ oldInverse = SelectObject(inverseDc, inverse);
        HDC maskDc = CreateCompatibleDC(targetDc);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        HDC workDc = CreateCompatibleDC(targetDc);
        HBITMAP work = CreateCompatibleBitmap(targetDc, w, h);
        HGDIOBJ oldWork = SelectObject(workDc, work);
        HDC saveDc = CreateCompatibleDC(targetDc);
        HBITMAP save = CreateCompatibleBitmap(targetDc, w, h);
        HGDIOBJ oldSave = SelectObject(saveDc, save);

        BitBlt(saveDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);
        BitBlt(inverseDc, 0, 0, w, h, maskDc, 0, 0, NOTSRCCOPY);
        BitBlt(workDc, 0, 0, w, h, targetDc, x, y, SRCCOPY);
        BitBlt(workDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
        BitBlt(imageDc, 0, 0, w, h, inverseDc, 0, 0, SRCAND);
        BitBlt(workDc, 0, 0, w, h, imageDc, 0, 0, SRCPAINT);
        BitBlt(targetDc, x, y, w, h, workDc, 0, 0, SRCCOPY);
        BitBlt(imageDc, 0, 0, w, h, saveDc, 0, 0, SRCCOPY);

        SelectObject(inverseDc, oldInverse);
        SelectObject(maskDc, oldMask);
        SelectObject(workDc, oldWork);
        SelectObject(saveDc, oldSave);
        DeleteObject(inverse);
        DeleteObject(work);
        DeleteObject(save);
        DeleteDC(inverseDc);
        DeleteDC(maskDc);
        DeleteDC(workDc);
        DeleteDC(saveDc);
    }
};

TEST_F(MaskedDraw, LeavesKeyPixelsOfTheTargetAndRestoresTheImage) {
    MemoryCanvas target(6, 5, RGB(0, 0, 255));
    SetPixel(target.dc, 2, 2, RGB(0, 255, 0));
    MemoryCanvas image(w, h, RGB(255, 0, 0));
    SetPixel(image.dc, 0, 0, white);
    SetPixel(image.dc, 1, 1, white);
    SetPixel(image.dc, 3, 2, black);
    const auto before = image.rows();
    const int objects = platform::testing::liveObjectCount();
    HBITMAP mask = nullptr;
    drawMasked(target.dc, image.dc, mask, 1, 1);
    EXPECT_EQ(target.rows(),
              (std::vector<std::string>{"BBBBBB", "BBRRRB", "BRGRRB", "BRRR#B", "BBBBBB"}));
    EXPECT_EQ(image.rows(), before);
    // Drawn again with the kept mask: the same picture, and nothing left behind but the mask.
    drawMasked(target.dc, image.dc, mask, 1, 1);
    EXPECT_EQ(target.rows()[2], "BRGRRB");
    EXPECT_EQ(platform::testing::liveObjectCount(), objects + 1);
    DeleteObject(mask);
}

TEST_F(MaskedDraw, OfAnImageAllInTheKeyColourChangesNothing) {
    MemoryCanvas target(5, 4, RGB(0, 0, 255));
    SetPixel(target.dc, 2, 2, RGB(0, 255, 0));
    const auto before = target.rows();
    MemoryCanvas image(w, h, white);
    HBITMAP mask = nullptr;
    drawMasked(target.dc, image.dc, mask, 1, 1);
    EXPECT_EQ(target.rows(), before);
    DeleteObject(mask);
}

} // namespace
