// Device contexts: the drawing state (selected objects, colours, modes, pen position, clip) over
// a surface, which is either the bitmap selected into a memory context or a window's buffer.
#pragma once

#include "platform/api/Gdi.h"
#include "platform/raster/Objects.h"

#include <memory>

namespace platform::raster {

struct DeviceContext {
    bool memory = false;
    HWND window = nullptr;                  // window contexts: the window drawn on
    std::shared_ptr<Surface> windowSurface; // window contexts: the window's buffer
    Bitmap* bitmap = nullptr;               // memory contexts: the selected bitmap
    Pen* pen = nullptr;
    Brush* brush = nullptr;
    Font* font = nullptr;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    POINT position{0, 0};
    int mapMode = MM_TEXT;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int polyFillMode = ALTERNATE;
    bool clipped = false; // when set, drawing stays inside clip as well as the surface
    RECT clip{0, 0, 0, 0};

    Surface* surface() const { return bitmap ? &bitmap->surface : windowSurface.get(); }
    // The rectangle drawing may change: the surface, narrowed by the clip.
    RECT drawable() const;
};

// Creates a context with the default objects selected (and, for a memory context, the stock
// one-bit bitmap); the result is registered.
DeviceContext* createContext(bool memory);
DeviceContext* findContext(HDC dc);
void destroyContext(DeviceContext* dc);
int liveContextCount();

inline HDC handleOf(DeviceContext* dc) {
    return reinterpret_cast<HDC>(dc);
}

// Writes pixels through a context's drawable rectangle.
class Canvas {
public:
    explicit Canvas(DeviceContext& dc);

    bool valid() const { return surface_ != nullptr; }
    bool mono() const { return surface_->mono(); }
    std::uint32_t value(COLORREF color) const { return surface_->deviceValue(color); }
    void plot(int x, int y, std::uint32_t value) {
        if (x >= area_.left && x < area_.right && y >= area_.top && y < area_.bottom) {
            surface_->row(y)[x] = value;
        }
    }
    // Pixels x0 .. x1 - 1 of row y.
    void span(int x0, int x1, int y, std::uint32_t value);
    const RECT& area() const { return area_; }
    Surface& surface() { return *surface_; }

private:
    Surface* surface_;
    RECT area_;
};

} // namespace platform::raster
