// Fixtures of the toolkit tests: bitmap resources made on the spot, a stand-in for the host's
// window, a view that records what the frame asks of it, a minimal effect and editor, and a
// few ways of looking at pixels.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/effect/ExtendedEffect.h"
#include "framework/effect/GuiEditor.h"
#include "framework/effect/Module.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/Frame.h"
#include "framework/gui/View.h"
#include "platform/Resources.h"
#include "platform/WinApi.h"
#include "platform/testing/Testing.h"

namespace guitest {

using platform::testing::Image;
using PixelFunction = std::function<std::uint32_t(int x, int y)>; // 0x00RRGGBB

// A 24-bit BMP file, rows stored bottom-up as the format has them.
inline std::vector<unsigned char> makeBmp(int width, int height, const PixelFunction& pixel) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t dataSize = std::uint32_t(rowBytes * height);
    const std::uint32_t fileSize = 54 + dataSize;
    std::vector<unsigned char> file(fileSize, 0);
    auto put16 = [&](std::size_t at, std::uint32_t value) {
        file[at] = value & 0xFF;
        file[at + 1] = (value >> 8) & 0xFF;
    };
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, value >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + std::size_t(height - 1 - y) * rowBytes];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixel(x, y);
            row[x * 3] = rgb & 0xFF;
            row[x * 3 + 1] = (rgb >> 8) & 0xFF;
            row[x * 3 + 2] = (rgb >> 16) & 0xFF;
        }
    }
    return file;
}

inline void registerBitmap(int id, int width, int height, const PixelFunction& pixel) {
    const std::vector<unsigned char> file = makeBmp(width, height, pixel);
    registerBitmapResource(static_cast<HINSTANCE>(moduleHandle), id, file.data(), file.size());
}

// The window a host hands to an editor: a plain top-level window at a known screen position,
// or a child of another one.
class HostWindow {
public:
    explicit HostWindow(int width = 400, int height = 300, int x = 0, int y = 0,
                        HWND parent = nullptr) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = &DefWindowProcA;
            windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            windowClass.lpszClassName = "GuiTestHost";
            registered = RegisterClassA(&windowClass) != 0;
        }
        handle = CreateWindowExA(0, "GuiTestHost", "Host",
                                 (parent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE, x, y,
                                 width, height, parent, nullptr, nullptr, nullptr);
    }
    ~HostWindow() {
        if (handle != nullptr && IsWindow(handle)) {
            DestroyWindow(handle);
        }
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return handle; }
    void* parent() const { return handle; }

private:
    HWND handle = nullptr;
};

// A memory device context over a colour bitmap, cleared to one colour.
class MemorySurface {
public:
    MemorySurface(int width, int height, COLORREF fill = 0) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemorySurface() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    HDC get() const { return dc; }
    Image pixels() const { return platform::testing::contextPixels(dc); }

private:
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

// Pixels of the image inside the rectangle (right and bottom excluded) that have the colour.
inline int countColor(const Image& image, int left, int top, int right, int bottom,
                      std::uint32_t rgb) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += image.at(x, y) == rgb ? 1 : 0;
        }
    }
    return count;
}

// The smallest rectangle around the pixels that differ from the background colour, with
// right and bottom inclusive; left > right when there are none.
struct Bounds {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
};

inline Bounds boundsOfNot(const Image& image, std::uint32_t background) {
    Bounds bounds;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) != background) {
                bounds.left = std::min(bounds.left, x);
                bounds.right = std::max(bounds.right, x);
                bounds.top = std::min(bounds.top, y);
                bounds.bottom = std::max(bounds.bottom, y);
            }
        }
    }
    return bounds;
}

// A view that writes into a shared log what the frame asks of it.
class RecordingView : public View {
public:
    RecordingView(const Rect& size, std::string name, std::vector<std::string>& log)
        : View(size), name(std::move(name)), log(log) {}
    ~RecordingView() override { log.push_back(name + ".destroyed"); }

    void draw(DrawContext&) override { log.push_back(name + ".draw"); }
    void onMouseDown(DrawContext&, const Point& where) override {
        log.push_back(name + ".press " + std::to_string(where.h) + "," + std::to_string(where.v));
    }
    void drawIfChanged(DrawContext&) override { log.push_back(name + ".changed"); }
    void endEditing() override { log.push_back(name + ".endEditing"); }

private:
    std::string name;
    std::vector<std::string>& log;
};

class TestEffect : public ExtendedEffect {
public:
    explicit TestEffect(audioMasterCallback host) : ExtendedEffect(host, 1, 1) {}
    void process(float**, float**, std::int32_t) override {}
};

// An editor that keeps the contract of derived editors: its destructor closes its frame.
class TestEditor : public GuiEditor {
public:
    explicit TestEditor(EffectBase* effect, const Rect& size = Rect(0, 0, 200, 100))
        : GuiEditor(effect), size(size) {
        rect.top = std::int16_t(size.top);
        rect.left = std::int16_t(size.left);
        rect.bottom = std::int16_t(size.bottom);
        rect.right = std::int16_t(size.right);
    }
    ~TestEditor() override {
        if (closesInDestructor) {
            close();
        }
    }

    std::int32_t open(void* parent) override {
        GuiEditor::open(parent);
        frame = new Frame(size, parent, this);
        return 1;
    }
    void close() override {
        delete frame;
        frame = nullptr;
    }
    void update() override { ++updates; }
    void idle() override {
        ++idles;
        GuiEditor::idle();
    }

    void setLastIdleTime(std::uint32_t time) { lastIdleTime = time; }
    std::uint32_t getLastIdleTime() const { return lastIdleTime; }
    bool isUpdatePending() const { return updatePending != 0; }
    void* getParentWindow() const { return parentWindow; }

    Rect size;
    int updates = 0;
    int idles = 0;
    // Off only to show what the base class does when a derived editor breaks the contract.
    bool closesInDestructor = true;
};

// Every test starts and ends with released input and the real clock.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override { platform::testing::resetInput(); }
    void TearDown() override { platform::testing::resetInput(); }
};

} // namespace guitest
