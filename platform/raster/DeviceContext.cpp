#include "platform/raster/DeviceContext.h"

#include <algorithm>
#include <unordered_set>

namespace platform::raster {
namespace {

std::unordered_set<DeviceContext*>& liveContexts() {
    static auto* contexts = new std::unordered_set<DeviceContext*>; // outlives every user
    return *contexts;
}

} // namespace

RECT DeviceContext::drawable() const {
    const Surface* s = surface();
    RECT area{0, 0, s ? s->width : 0, s ? s->height : 0};
    if (clipped) {
        area.left = std::max(area.left, clip.left);
        area.top = std::max(area.top, clip.top);
        area.right = std::min(area.right, clip.right);
        area.bottom = std::min(area.bottom, clip.bottom);
        if (area.right < area.left) {
            area.right = area.left;
        }
        if (area.bottom < area.top) {
            area.bottom = area.top;
        }
    }
    return area;
}

DeviceContext* createContext(bool memory) {
    auto* dc = new DeviceContext;
    dc->memory = memory;
    dc->pen = static_cast<Pen*>(stockObject(BLACK_PEN));
    dc->brush = static_cast<Brush*>(stockObject(WHITE_BRUSH));
    dc->font = static_cast<Font*>(stockObject(SYSTEM_FONT));
    dc->pen->selections++;
    dc->brush->selections++;
    dc->font->selections++;
    if (memory) {
        dc->bitmap = stockBitmap();
    }
    liveContexts().insert(dc);
    return dc;
}

DeviceContext* findContext(HDC handle) {
    auto* dc = reinterpret_cast<DeviceContext*>(handle);
    return liveContexts().count(dc) ? dc : nullptr;
}

void destroyContext(DeviceContext* dc) {
    liveContexts().erase(dc);
    releaseSelection(dc->pen);
    releaseSelection(dc->brush);
    releaseSelection(dc->font);
    if (dc->bitmap && !dc->bitmap->stock) {
        dc->bitmap->selectedInto = nullptr;
    }
    delete dc;
}

int liveContextCount() {
    return int(liveContexts().size());
}

Canvas::Canvas(DeviceContext& dc) : surface_(dc.surface()), area_(dc.drawable()) {
    if (surface_ && surface_->pixels.empty()) {
        surface_ = nullptr;
    }
}

void Canvas::span(int x0, int x1, int y, std::uint32_t value) {
    if (y < area_.top || y >= area_.bottom) {
        return;
    }
    x0 = std::max(x0, int(area_.left));
    x1 = std::min(x1, int(area_.right));
    if (x0 < x1) {
        std::fill(surface_->row(y) + x0, surface_->row(y) + x1, value);
    }
}

} // namespace platform::raster
