// What one control redraw costs on the software backend: a plain and a masked handle copy, an
// offscreen composition of a slider-sized picture, and a whole frame paint.
#include <benchmark/benchmark.h>

#include <vector>

#include "framework/effect/Module.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/Frame.h"
#include "framework/gui/OffscreenContext.h"
#include "platform/Resources.h"
#include "platform/WinApi.h"
#include "platform/testing/Testing.h"

namespace {

constexpr int bodyId = 3401;
constexpr int handleId = 3402;
constexpr int backgroundId = 3403;

std::vector<unsigned char> solidBmp(int width, int height, bool keyNotch) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + std::size_t(rowBytes) * height, 0);
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = (value >> (8 * i)) & 0xFF;
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = &file[54 + std::size_t(y) * rowBytes + x * 3];
            const bool key = keyNotch && y > height / 3 && y < height * 2 / 3;
            pixel[0] = key ? 255 : std::uint8_t(x * 9);
            pixel[1] = key ? 255 : std::uint8_t(y * 3);
            pixel[2] = key ? 255 : 90;
        }
    }
    return file;
}

void registerBitmaps() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    const auto body = solidBmp(16, 160, false);
    const auto handle = solidBmp(14, 12, true);
    const auto background = solidBmp(340, 300, false);
    auto module = static_cast<HINSTANCE>(moduleHandle);
    registerBitmapResource(module, bodyId, body.data(), body.size());
    registerBitmapResource(module, handleId, handle.data(), handle.size());
    registerBitmapResource(module, backgroundId, background.data(), background.size());
}

void BM_HandleDraw(benchmark::State& state) {
    registerBitmaps();
    Bitmap* handle = new Bitmap(handleId);
    OffscreenContext target(nullptr, 16, 160, colorBlack);
    for (auto _ : state) {
        handle->draw(target, Rect(1, 70, 15, 82), Point(0, 0));
    }
    handle->release();
}
BENCHMARK(BM_HandleDraw);

void BM_HandleDrawMasked(benchmark::State& state) {
    registerBitmaps();
    Bitmap* handle = new Bitmap(handleId);
    OffscreenContext target(nullptr, 16, 160, colorBlack);
    for (auto _ : state) {
        handle->drawMasked(target, Rect(1, 70, 15, 82), Point(0, 0));
    }
    handle->release();
}
BENCHMARK(BM_HandleDrawMasked);

// The whole of one slider redraw: offscreen context, body, masked handle, copy out.
void BM_SliderComposition(benchmark::State& state) {
    registerBitmaps();
    Bitmap* body = new Bitmap(bodyId);
    Bitmap* handle = new Bitmap(handleId);
    OffscreenContext window(nullptr, 340, 300, colorBlack);
    for (auto _ : state) {
        OffscreenContext offscreen(nullptr, 16, 160, colorBlack);
        body->draw(offscreen, Rect(0, 0, 16, 160), Point(0, 0));
        handle->drawMasked(offscreen, Rect(1, 70, 15, 82), Point(0, 0));
        offscreen.blitTo(window, Rect(31, 79, 47, 239), Point(0, 0));
    }
    body->release();
    handle->release();
}
BENCHMARK(BM_SliderComposition);

// A paint message of an editor-sized frame with only its background.
void BM_FramePaint(benchmark::State& state) {
    registerBitmaps();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.lpszClassName = "GuiBenchHost";
    RegisterClassA(&windowClass);
    HWND host = CreateWindowExA(0, "GuiBenchHost", "Host", WS_POPUP | WS_VISIBLE, 0, 0, 340, 300,
                                nullptr, nullptr, nullptr, nullptr);
    Bitmap* background = new Bitmap(backgroundId);
    {
        Frame frame(Rect(0, 0, 340, 300), host, nullptr);
        frame.setBackgroundBitmap(background);
        for (auto _ : state) {
            platform::testing::paint(frame.getWindowHandle());
        }
    }
    background->release();
    DestroyWindow(host);
}
BENCHMARK(BM_FramePaint);

} // namespace

BENCHMARK_MAIN();
