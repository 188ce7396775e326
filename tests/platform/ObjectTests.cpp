// Drawing objects: selection, stock objects, descriptions and deletion.
#include "tests/platform/MemoryCanvas.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Selection, ReturnsThePreviousObjectOfEachKind) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    const HGDIOBJ firstPen = SelectObject(dc, pen);
    const HGDIOBJ firstBrush = SelectObject(dc, brush);
    EXPECT_EQ(firstPen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(firstBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);
    EXPECT_EQ(SelectObject(dc, firstBrush), brush);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    DeleteDC(dc);
}

TEST(Selection, FailsForInvalidHandles) {
    HDC dc = CreateCompatibleDC(nullptr);
    int notAnObject = 0;
    EXPECT_EQ(SelectObject(dc, &notAnObject), nullptr);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(&notAnObject), GetStockObject(BLACK_PEN)),
              nullptr);
    EXPECT_FALSE(DeleteObject(&notAnObject));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(&notAnObject)));
    DeleteDC(dc);
}

TEST(Deletion, OfASelectedObjectWaitsForItsRelease) {
    const int before = platform::testing::liveObjectCount();
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    const HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(platform::testing::liveObjectCount(), before + 1);
    SelectObject(dc, old);
    EXPECT_EQ(platform::testing::liveObjectCount(), before);
    DeleteDC(dc);
}

TEST(Deletion, StockObjectsStay) {
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH)));
    LOGBRUSH logical{};
    EXPECT_EQ(GetObjectA(GetStockObject(NULL_BRUSH), sizeof logical, &logical),
              int(sizeof logical));
    EXPECT_EQ(logical.lbStyle, UINT(BS_NULL));
}

TEST(Descriptions, TellWhatWasCreated) {
    LOGPEN pen{PS_DOT, {1, 0}, RGB(9, 8, 7)};
    HPEN penHandle = CreatePenIndirect(&pen);
    LOGPEN readPen{};
    EXPECT_EQ(GetObjectA(penHandle, sizeof readPen, &readPen), int(sizeof readPen));
    EXPECT_EQ(readPen.lopnStyle, UINT(PS_DOT));
    EXPECT_EQ(readPen.lopnColor, RGB(9, 8, 7));

    LOGFONTA font{};
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    HFONT fontHandle = CreateFontIndirectA(&font);
    LOGFONTA readFont{};
    EXPECT_EQ(GetObjectA(fontHandle, sizeof readFont, &readFont), int(sizeof readFont));
    EXPECT_EQ(readFont.lfHeight, -12);
    EXPECT_STREQ(readFont.lfFaceName, "Arial");

    HBITMAP bitmap = CreateBitmap(13, 7, 1, 1, nullptr);
    BITMAP description{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof description, &description), int(sizeof description));
    EXPECT_EQ(description.bmWidth, 13);
    EXPECT_EQ(description.bmHeight, 7);
    EXPECT_EQ(description.bmBitsPixel, 1);
    EXPECT_EQ(description.bmWidthBytes, 2);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), int(sizeof(BITMAP)));

    DeleteObject(penHandle);
    DeleteObject(fontHandle);
    DeleteObject(bitmap);
}

TEST(CompatibleBitmaps, FollowTheBitmapTheContextHolds) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    auto bits = [](HBITMAP b) {
        BITMAP d{};
        GetObjectA(b, sizeof d, &d);
        return int(d.bmBitsPixel);
    };
    HBITMAP fromScreen = CreateCompatibleBitmap(screen, 4, 4);
    HBITMAP fromFreshMemory = CreateCompatibleBitmap(memory, 4, 4);
    EXPECT_EQ(bits(fromScreen), 32);
    EXPECT_EQ(bits(fromFreshMemory), 1);
    SelectObject(memory, fromScreen);
    HBITMAP fromColourMemory = CreateCompatibleBitmap(memory, 4, 4);
    EXPECT_EQ(bits(fromColourMemory), 32);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(fromScreen);
    DeleteObject(fromFreshMemory);
    DeleteObject(fromColourMemory);
}

TEST(Bitmaps, AreSelectedIntoOneContextAtATime) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    const HGDIOBJ old = SelectObject(a, bitmap);
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);
    SelectObject(a, old);
    EXPECT_NE(SelectObject(b, bitmap), nullptr);
    DeleteDC(a);
    DeleteDC(b);
    DeleteObject(bitmap);
}

TEST(Bitmaps, CreatedFromBitsKeepThem) {
    // Two rows of 3 one-bit pixels, each row padded to 16 bits.
    const unsigned char bits[] = {0xA0, 0x00, 0x40, 0x00};
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 1, bits);
    const auto image = platform::testing::bitmapPixels(bitmap);
    ASSERT_EQ(image.width, 3);
    EXPECT_EQ(image.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.at(1, 0), 0u);
    EXPECT_EQ(image.at(2, 0), 0xFFFFFFu);
    EXPECT_EQ(image.at(1, 1), 0xFFFFFFu);
    DeleteObject(bitmap);
}

TEST(Contexts, AreAllReleased) {
    const int objects = platform::testing::liveObjectCount();
    const int contexts = platform::testing::liveContextCount();
    {
        MemoryCanvas canvas(5, 5);
        SelectedTools tools(canvas.dc, CreatePen(PS_SOLID, 2, 0), CreateSolidBrush(0));
        Ellipse(canvas.dc, 0, 0, 5, 5);
    }
    EXPECT_EQ(platform::testing::liveObjectCount(), objects);
    EXPECT_EQ(platform::testing::liveContextCount(), contexts);
}

TEST(Modes, SettersReturnThePreviousValue) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 1, 1)), RGB(255, 255, 255));
    EXPECT_EQ(SetTextColor(dc, RGB(2, 2, 2)), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(2, 2, 2));
    EXPECT_EQ(SetArcDirection(dc, AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
    DeleteDC(dc);
}

} // namespace
