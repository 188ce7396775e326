#include "tests/platform/wine/CrossCheckDrawing.h"
#include "platform/WinApi.h"

#include <cstring>

namespace {

const COLORREF white = RGB(255, 255, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF red = RGB(255, 0, 0);
const COLORREF blue = RGB(0, 0, 255);
const COLORREF green = RGB(0, 160, 0);

// A memory context over a bitmap cleared to one colour.
struct Picture {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    int width;
    int height;

    Picture(int w, int h, int bits = 32, COLORREF clear = white)
        : dc(CreateCompatibleDC(nullptr)), bitmap(CreateBitmap(w, h, 1, UINT(bits), nullptr)),
          previous(SelectObject(dc, bitmap)), width(w), height(h) {
        HBRUSH brush = CreateSolidBrush(clear);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Picture() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void write(std::FILE* out, const char* name) const {
        std::fprintf(out, "picture %s %d %d\n", name, width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                std::fprintf(out, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
            }
            std::fprintf(out, "\n");
        }
    }
    void writeBox(std::FILE* out, const char* name, COLORREF background) const {
        int left = width, top = height, right = -1, bottom = -1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (GetPixel(dc, x, y) != background) {
                    left = x < left ? x : left;
                    right = x > right ? x : right;
                    top = y < top ? y : top;
                    bottom = y > bottom ? y : bottom;
                }
            }
        }
        std::fprintf(out, "box %s %d %d %d %d\n", name, left, top, right + 1, bottom + 1);
    }
};

// Selects a pen and a brush for the life of the object.
struct Tools {
    HDC dc;
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
    Tools(HDC dc, HPEN pen, HBRUSH brush)
        : dc(dc), pen(pen), brush(brush), oldPen(SelectObject(dc, pen)),
          oldBrush(SelectObject(dc, brush)) {}
    ~Tools() {
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
};

HPEN pen(int style, int width, COLORREF color) {
    LOGPEN logical{};
    logical.lopnStyle = UINT(style);
    logical.lopnWidth.x = width;
    logical.lopnColor = color;
    return CreatePenIndirect(&logical);
}

HBRUSH brush(COLORREF color) {
    LOGBRUSH logical{};
    logical.lbStyle = BS_SOLID;
    logical.lbColor = color;
    return CreateBrushIndirect(&logical);
}

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x0 == x1 && y0 == y1 ? x1 : x1, y1);
}

void lines(std::FILE* out) {
    {
        Picture p(40, 40);
        Tools t(p.dc, pen(PS_SOLID, 1, black), brush(white));
        // Each octant and its reverse, and ties of the Bresenham walk.
        const int ends[][4] = {
            {2, 2, 20, 9},    {20, 12, 2, 5},   {3, 14, 9, 36},   {14, 36, 8, 14}, {38, 2, 22, 8},
            {22, 14, 38, 8},  {36, 16, 30, 38}, {24, 38, 30, 16}, {2, 30, 12, 35}, {12, 38, 2, 33},
            {16, 16, 24, 24}, {24, 30, 16, 22}, {26, 20, 36, 20}, {36, 24, 26, 24}};
        for (const auto& e : ends) {
            line(p.dc, e[0], e[1], e[2], e[3]);
        }
        p.write(out, "lines-octants");
    }
    {
        Picture p(30, 20);
        Tools t(p.dc, pen(PS_SOLID, 1, blue), brush(white));
        const POINT star[] = {{2, 2}, {27, 4}, {5, 17}, {15, 1}, {24, 18}, {2, 2}};
        Polyline(p.dc, star, 6);
        p.write(out, "polyline-star");
    }
    for (int opaque = 0; opaque < 2; ++opaque) {
        Picture p(40, 24);
        Tools t(p.dc, pen(PS_DOT, 1, black), brush(white));
        SetBkMode(p.dc, opaque ? OPAQUE : TRANSPARENT);
        SetBkColor(p.dc, red);
        line(p.dc, 1, 1, 38, 1);
        line(p.dc, 1, 4, 1, 22);
        line(p.dc, 4, 4, 20, 20);
        const POINT path[] = {{6, 3}, {30, 3}, {30, 20}, {8, 20}};
        Polyline(p.dc, path, 4);
        p.write(out, opaque ? "dotted-opaque" : "dotted-transparent");
    }
    for (int width = 2; width <= 5; ++width) {
        Picture p(40, 30);
        Tools t(p.dc, pen(PS_SOLID, width, green), brush(white));
        line(p.dc, 5, 5, 30, 5);
        line(p.dc, 5, 12, 5, 25);
        line(p.dc, 12, 12, 34, 25);
        char name[32];
        std::snprintf(name, sizeof name, "wide-pen-%d", width);
        p.write(out, name);
    }
}

void fills(std::FILE* out) {
    {
        Picture p(20, 20);
        HBRUSH b = brush(red);
        RECT r{3, 4, 15, 11};
        FillRect(p.dc, &r, b);
        RECT reversed{18, 18, 16, 16};
        FillRect(p.dc, &reversed, b);
        DeleteObject(b);
        SetPixel(p.dc, 1, 1, blue);
        SetPixel(p.dc, 18, 1, green);
        p.write(out, "fillrect-setpixel");
    }
    for (int nullPen = 0; nullPen < 2; ++nullPen) {
        Picture p(30, 30);
        Tools t(p.dc, pen(nullPen ? PS_NULL : PS_SOLID, 1, black), brush(red));
        Rectangle(p.dc, 2, 2, 12, 10);
        const POINT triangle[] = {{15, 2}, {28, 12}, {16, 14}};
        Polygon(p.dc, triangle, 3);
        const POINT square[] = {{3, 16}, {12, 16}, {12, 26}, {3, 26}};
        Polygon(p.dc, square, 4);
        const POINT bow[] = {{15, 16}, {28, 28}, {28, 16}, {15, 28}};
        Polygon(p.dc, bow, 4);
        p.write(out, nullPen ? "rectangle-polygon-nullpen" : "rectangle-polygon");
    }
    {
        // The outline the toolkit's drawRect draws: a closed five-point polyline.
        Picture p(20, 20);
        Tools t(p.dc, pen(PS_SOLID, 1, black), brush(white));
        const POINT box[] = {{2, 3}, {15, 3}, {15, 12}, {2, 12}, {2, 3}};
        Polyline(p.dc, box, 5);
        p.write(out, "polyline-box");
    }
}

void ellipses(std::FILE* out) {
    const int boxes[][4] = {{1, 1, 11, 11},  {13, 1, 24, 8},   {26, 1, 33, 14},
                            {1, 14, 20, 38}, {22, 16, 38, 34}, {2, 2, 3, 3}};
    for (int variant = 0; variant < 3; ++variant) {
        Picture p(40, 40);
        const int style = variant == 1 ? PS_NULL : PS_SOLID;
        const int width = variant == 2 ? 3 : 1;
        Tools t(p.dc, pen(style, width, black), brush(red));
        for (const auto& b : boxes) {
            Ellipse(p.dc, b[0], b[1], b[2], b[3]);
        }
        const char* names[] = {"ellipse", "ellipse-nullpen", "ellipse-wide"};
        p.write(out, names[variant]);
    }
    {
        Picture p(40, 40);
        Tools t(p.dc, pen(PS_SOLID, 1, blue), brush(white));
        Arc(p.dc, 2, 2, 18, 18, 18, 10, 10, 2);    // a quarter, counter-clockwise
        Arc(p.dc, 20, 2, 38, 16, 20, 9, 38, 9);    // the upper half
        Arc(p.dc, 2, 20, 18, 38, 10, 38, 2, 29);   // a quarter at the lower left
        Arc(p.dc, 20, 20, 38, 38, 30, 20, 30, 20); // whole
        p.write(out, "arcs");
    }
    for (int nullPen = 0; nullPen < 2; ++nullPen) {
        Picture p(40, 40);
        Tools t(p.dc, pen(nullPen ? PS_NULL : PS_SOLID, 1, black), brush(green));
        Pie(p.dc, 2, 2, 18, 18, 18, 10, 10, 2);
        Pie(p.dc, 20, 2, 38, 16, 20, 9, 38, 9);
        Pie(p.dc, 2, 20, 18, 38, 2, 20, 18, 38);
        Pie(p.dc, 20, 20, 38, 38, 38, 38, 20, 38);
        p.write(out, nullPen ? "pies-nullpen" : "pies");
    }
}

// Source with every colour combination the operations distinguish, destination across it.
void fillPattern(HDC dc, int w, int h, bool source) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            COLORREF c;
            if (source) {
                c = (x / 3 + y / 3) % 3 == 0 ? white : ((x / 3) % 2 ? RGB(200, 40, 90) : black);
            } else {
                c = y < h / 2 ? RGB(30, 120, 250) : RGB(250, 250, 10);
            }
            SetPixel(dc, x, y, c);
        }
    }
}

void blits(std::FILE* out) {
    const struct {
        const char* name;
        DWORD rop;
    } operations[] = {
        {"srccopy", SRCCOPY},         {"notsrccopy", NOTSRCCOPY}, {"srcand", SRCAND},
        {"srcpaint", SRCPAINT},       {"srcinvert", SRCINVERT},   {"srcerase", SRCERASE},
        {"notsrcerase", NOTSRCERASE}, {"mergepaint", MERGEPAINT}, {"mergecopy", MERGECOPY},
        {"patcopy", PATCOPY},         {"patinvert", PATINVERT},   {"dstinvert", DSTINVERT},
        {"blackness", BLACKNESS},     {"whiteness", WHITENESS}};
    Picture source(12, 12);
    fillPattern(source.dc, 12, 12, true);
    for (const auto& op : operations) {
        Picture p(16, 16);
        fillPattern(p.dc, 16, 16, false);
        HBRUSH b = brush(RGB(90, 200, 60));
        HGDIOBJ old = SelectObject(p.dc, b);
        BitBlt(p.dc, 2, 3, 12, 12, source.dc, 0, 0, op.rop);
        SelectObject(p.dc, old);
        DeleteObject(b);
        char name[40];
        std::snprintf(name, sizeof name, "blit-%s", op.name);
        p.write(out, name);
    }
    {
        // Clipping at the edges of source and destination.
        Picture p(16, 16);
        BitBlt(p.dc, -3, 10, 12, 12, source.dc, 0, 0, SRCCOPY);
        BitBlt(p.dc, 10, -2, 12, 12, source.dc, 4, 0, SRCCOPY);
        p.write(out, "blit-clipped");
    }
    {
        // Colour to one bit: the source's background colour becomes 1, all else 0.
        Picture mono(12, 12, 1);
        SetBkColor(source.dc, white);
        BitBlt(mono.dc, 0, 0, 12, 12, source.dc, 0, 0, SRCCOPY);
        mono.write(out, "to-mono-white-key");
        SetBkColor(source.dc, RGB(200, 40, 90));
        BitBlt(mono.dc, 0, 0, 12, 12, source.dc, 0, 0, SRCCOPY);
        mono.write(out, "to-mono-pink-key");
        SetBkColor(source.dc, white);
        // One bit to colour: 0 takes the destination's text colour, 1 its background colour.
        Picture p(12, 12);
        SetTextColor(p.dc, red);
        SetBkColor(p.dc, blue);
        BitBlt(p.dc, 0, 0, 12, 12, mono.dc, 0, 0, SRCCOPY);
        p.write(out, "from-mono-copy");
        fillPattern(p.dc, 12, 12, false);
        SetTextColor(p.dc, black);
        SetBkColor(p.dc, white);
        BitBlt(p.dc, 0, 0, 12, 12, mono.dc, 0, 0, SRCAND);
        p.write(out, "from-mono-and");
        Picture inverse(12, 12, 1);
        BitBlt(inverse.dc, 0, 0, 12, 12, mono.dc, 0, 0, NOTSRCCOPY);
        inverse.write(out, "mono-notsrccopy");
    }
    {
        // A memory context starts with a one-bit bitmap: what is made compatible with it is
        // one bit deep too.
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP made = CreateCompatibleBitmap(dc, 5, 5);
        BITMAP description{};
        GetObjectA(made, sizeof description, &description);
        std::fprintf(out, "value compatible-with-new-memory-dc-bits %d\n",
                     int(description.bmBitsPixel));
        DeleteObject(made);
        DeleteDC(dc);
    }
}

// The masked draw of the toolkit's bitmaps, step by step: key-colour pixels of the image leave
// the target as it was.
void maskedDraw(std::FILE* out) {
    const int w = 14, h = 12;
    Picture target(24, 20);
    fillPattern(target.dc, 24, 20, false);
    for (int x = 0; x < 24; ++x) {
        SetPixel(target.dc, x, 7, black);
    }
    Picture image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool key = (x < 2 || x > 11 || y == 0 || y == 11) && !(x == 6 && y == 0);
            SetPixel(image.dc, x, y, key ? white : RGB(10 * x, 20 * y, 128));
        }
    }
    // The mask: key colour to 1.
    HDC maskDc = CreateCompatibleDC(target.dc);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetMapMode(image.dc, GetMapMode(target.dc));
    const COLORREF oldBk = SetBkColor(image.dc, white);
    BitBlt(maskDc, 0, 0, w, h, image.dc, 0, 0, SRCCOPY);
    SetBkColor(image.dc, oldBk);

    HDC inverseDc = CreateCompatibleDC(target.dc);
    HBITMAP inverse = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldInverse = SelectObject(inverseDc, inverse);
    HDC workDc = CreateCompatibleDC(target.dc);
    HBITMAP work = CreateCompatibleBitmap(target.dc, w, h);
    HGDIOBJ oldWork = SelectObject(workDc, work);
    HDC saveDc = CreateCompatibleDC(target.dc);
    HBITMAP save = CreateCompatibleBitmap(target.dc, w, h);
    HGDIOBJ oldSave = SelectObject(saveDc, save);

    const int x = 5, y = 3;
    BitBlt(saveDc, 0, 0, w, h, image.dc, 0, 0, SRCCOPY);
    BitBlt(inverseDc, 0, 0, w, h, maskDc, 0, 0, NOTSRCCOPY);
    BitBlt(workDc, 0, 0, w, h, target.dc, x, y, SRCCOPY);
    BitBlt(workDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
    BitBlt(image.dc, 0, 0, w, h, inverseDc, 0, 0, SRCAND);
    BitBlt(workDc, 0, 0, w, h, image.dc, 0, 0, SRCPAINT);
    BitBlt(target.dc, x, y, w, h, workDc, 0, 0, SRCCOPY);
    BitBlt(image.dc, 0, 0, w, h, saveDc, 0, 0, SRCCOPY);

    target.write(out, "masked-draw-target");
    image.write(out, "masked-draw-image-restored");

    SelectObject(maskDc, oldMask);
    SelectObject(inverseDc, oldInverse);
    SelectObject(workDc, oldWork);
    SelectObject(saveDc, oldSave);
    DeleteObject(mask);
    DeleteObject(inverse);
    DeleteObject(work);
    DeleteObject(save);
    DeleteDC(maskDc);
    DeleteDC(inverseDc);
    DeleteDC(workDc);
    DeleteDC(saveDc);
}

HFONT arial(int size, int weight) {
    LOGFONTA logical{};
    logical.lfHeight = -size;
    logical.lfWeight = weight;
    logical.lfCharSet = ANSI_CHARSET;
    logical.lfOutPrecision = OUT_STRING_PRECIS;
    logical.lfClipPrecision = CLIP_STROKE_PRECIS;
    logical.lfQuality = DEFAULT_QUALITY;
    logical.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(logical.lfFaceName, "Arial");
    return CreateFontIndirectA(&logical);
}

void text(std::FILE* out) {
    const struct {
        const char* name;
        const char* text;
        int size;
        int weight;
        UINT align;
        RECT rect;
    } cases[] = {
        {"text-left", "50 %", 12, FW_NORMAL, DT_LEFT, {11, 4, 70, 20}},
        {"text-center", "50 %", 12, FW_NORMAL, DT_CENTER, {10, 4, 70, 20}},
        {"text-right", "50 %", 12, FW_NORMAL, DT_RIGHT, {10, 4, 70, 20}},
        {"text-bold-center", "100 %", 12, FW_BOLD, DT_CENTER, {10, 4, 70, 20}},
        {"text-large-center", "Delay", 18, FW_NORMAL, DT_CENTER, {4, 2, 76, 30}},
        {"text-clipped", "Resonance", 14, FW_NORMAL, DT_CENTER, {20, 6, 50, 16}},
    };
    for (const auto& c : cases) {
        Picture p(80, 32, 32, black);
        HFONT font = arial(c.size, c.weight);
        HGDIOBJ old = SelectObject(p.dc, font);
        SetBkMode(p.dc, TRANSPARENT);
        SetTextColor(p.dc, white);
        RECT r = c.rect;
        DrawTextA(p.dc, c.text, -1, &r, c.align | DT_SINGLELINE | DT_VCENTER);
        SelectObject(p.dc, old);
        DeleteObject(font);
        p.writeBox(out, c.name, black);
    }
    {
        // Opaque text fills its cell with the background colour.
        Picture p(80, 32, 32, black);
        HFONT font = arial(12, FW_NORMAL);
        HGDIOBJ old = SelectObject(p.dc, font);
        SetBkMode(p.dc, OPAQUE);
        SetBkColor(p.dc, blue);
        SetTextColor(p.dc, white);
        RECT r{10, 4, 70, 28};
        DrawTextA(p.dc, "12.5", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        SelectObject(p.dc, old);
        DeleteObject(font);
        p.writeBox(out, "text-opaque-cell", black);
    }
}

} // namespace

void drawCrossCheckCases(std::FILE* out) {
    lines(out);
    fills(out);
    ellipses(out);
    blits(out);
    maskedDraw(out);
    text(out);
}
