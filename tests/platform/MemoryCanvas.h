// A memory context over a small colour bitmap, and its pixels as rows of characters, so that
// expected pictures can be written out in the tests.
#pragma once

#include "platform/WinApi.h"
#include "platform/testing/Testing.h"

#include <map>
#include <string>
#include <vector>

struct MemoryCanvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    int width;
    int height;

    MemoryCanvas(int w, int h, COLORREF clear = RGB(255, 255, 255), int bits = 32)
        : dc(CreateCompatibleDC(nullptr)), bitmap(CreateBitmap(w, h, 1, UINT(bits), nullptr)),
          previous(SelectObject(dc, bitmap)), width(w), height(h) {
        HBRUSH brush = CreateSolidBrush(clear);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemoryCanvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    // '.' white, '#' black, 'R' red, 'G' green, 'B' blue, '?' anything else.
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                row.push_back(letter(GetPixel(dc, x, y)));
            }
            out.push_back(row);
        }
        return out;
    }
    static char letter(COLORREF c) {
        switch (c) {
        case RGB(255, 255, 255):
            return '.';
        case RGB(0, 0, 0):
            return '#';
        case RGB(255, 0, 0):
            return 'R';
        case RGB(0, 255, 0):
            return 'G';
        case RGB(0, 0, 255):
            return 'B';
        default:
            return '?';
        }
    }
    // The smallest rectangle holding every pixel that is not the given colour (empty when none).
    RECT inkBox(COLORREF background) const {
        RECT box{width, height, 0, 0};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (GetPixel(dc, x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }
};

// Selects a pen and a brush for the life of the object and deletes them afterwards.
struct SelectedTools {
    HDC dc;
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
    SelectedTools(HDC dc, HGDIOBJ pen, HGDIOBJ brush)
        : dc(dc), pen(pen), brush(brush), oldPen(SelectObject(dc, pen)),
          oldBrush(SelectObject(dc, brush)) {}
    ~SelectedTools() {
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
};
