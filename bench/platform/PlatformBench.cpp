// The two blits on every redraw path of the editors: the background picture copied to the
// window, and a slider handle drawn with its key colour left out.
#include "platform/WinApi.h"

#include <benchmark/benchmark.h>

namespace {

struct Window {
    HWND host;
    HWND child;
    Window(int width, int height) {
        host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                               nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowExA(0, "STATIC", "Window", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                host, nullptr, nullptr, nullptr);
    }
    ~Window() { DestroyWindow(host); }
};

HBITMAP pictureBitmap(HDC like, int width, int height) {
    HBITMAP bitmap = CreateCompatibleBitmap(like, width, height);
    HDC dc = CreateCompatibleDC(like);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool key = (x + y) % 5 == 0;
            SetPixel(dc, x, y, key ? RGB(255, 255, 255) : RGB(x * 7, y * 3, 90));
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// As the toolkit draws a bitmap: a window context, a temporary memory context holding the
// bitmap, one copy.
void copyBitmapToWindow(benchmark::State& state) {
    Window window(350, 290);
    HDC screen = GetDC(window.child);
    HBITMAP background = pictureBitmap(screen, 350, 290);
    ReleaseDC(window.child, screen);
    for (auto _ : state) {
        HDC dc = GetDC(window.child);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, background);
        BitBlt(dc, 0, 0, 350, 290, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(window.child, dc);
        benchmark::ClobberMemory();
    }
    DeleteObject(background);
}
BENCHMARK(copyBitmapToWindow)->Unit(benchmark::kMicrosecond);

// The masked draw as the toolkit's bitmap does it once its mask exists: five memory contexts,
// three new bitmaps and eight blits per call, into an offscreen slider picture.
void maskedDrawOfAHandle(benchmark::State& state) {
    const int w = 14, h = 12;
    Window window(16, 160);
    HDC screen = GetDC(window.child);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP offscreen = CreateCompatibleBitmap(screen, 16, 160);
    HGDIOBJ oldTarget = SelectObject(target, offscreen);
    HBITMAP image = pictureBitmap(screen, w, h);
    ReleaseDC(window.child, screen);

    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    {
        HDC imageDc = CreateCompatibleDC(target);
        HDC maskDc = CreateCompatibleDC(target);
        HGDIOBJ a = SelectObject(imageDc, image);
        HGDIOBJ b = SelectObject(maskDc, mask);
        SetBkColor(imageDc, RGB(255, 255, 255));
        BitBlt(maskDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);
        SelectObject(imageDc, a);
        SelectObject(maskDc, b);
        DeleteDC(imageDc);
        DeleteDC(maskDc);
    }

    for (auto _ : state) {
        HDC imageDc = CreateCompatibleDC(target);
        HGDIOBJ oldImage = SelectObject(imageDc, image);
        POINT size{w, h};
        DPtoLP(imageDc, &size, 1);
        HDC inverseDc = CreateCompatibleDC(target);
        HBITMAP inverse = CreateBitmap(size.x, size.y, 1, 1, nullptr);
        HGDIOBJ oldInverse = SelectObject(inverseDc, inverse);
        HDC maskDc = CreateCompatibleDC(target);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        HDC workDc = CreateCompatibleDC(target);
        HBITMAP work = CreateCompatibleBitmap(target, size.x, size.y);
        HGDIOBJ oldWork = SelectObject(workDc, work);
        HDC saveDc = CreateCompatibleDC(target);
        HBITMAP save = CreateCompatibleBitmap(target, size.x, size.y);
        HGDIOBJ oldSave = SelectObject(saveDc, save);

        BitBlt(saveDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);
        BitBlt(inverseDc, 0, 0, w, h, maskDc, 0, 0, NOTSRCCOPY);
        BitBlt(workDc, 0, 0, w, h, target, 1, 73, SRCCOPY);
        BitBlt(workDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
        BitBlt(imageDc, 0, 0, w, h, inverseDc, 0, 0, SRCAND);
        BitBlt(workDc, 0, 0, w, h, imageDc, 0, 0, SRCPAINT);
        BitBlt(target, 1, 73, w, h, workDc, 0, 0, SRCCOPY);
        BitBlt(imageDc, 0, 0, w, h, saveDc, 0, 0, SRCCOPY);

        SelectObject(inverseDc, oldInverse);
        SelectObject(maskDc, oldMask);
        SelectObject(workDc, oldWork);
        SelectObject(saveDc, oldSave);
        SelectObject(imageDc, oldImage);
        DeleteObject(inverse);
        DeleteObject(work);
        DeleteObject(save);
        DeleteDC(inverseDc);
        DeleteDC(maskDc);
        DeleteDC(workDc);
        DeleteDC(saveDc);
        DeleteDC(imageDc);
        benchmark::ClobberMemory();
    }
    DeleteObject(mask);
    DeleteObject(image);
    SelectObject(target, oldTarget);
    DeleteObject(offscreen);
    DeleteDC(target);
}
BENCHMARK(maskedDrawOfAHandle)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
