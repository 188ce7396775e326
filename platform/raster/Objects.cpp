#include "platform/raster/Objects.h"
#include "platform/raster/FontFaces.h"

#include <cstring>
#include <unordered_set>

namespace platform::raster {
namespace {

std::unordered_set<GdiObject*>& liveObjects() {
    static auto* objects = new std::unordered_set<GdiObject*>; // outlives every user
    return *objects;
}

template <typename T> T* makeStock(std::unique_ptr<T> object) {
    object->stock = true;
    T* raw = object.get();
    liveObjects().insert(object.release());
    return raw;
}

Brush* stockBrush(UINT style, COLORREF color) {
    auto brush = std::make_unique<Brush>();
    brush->logical.lbStyle = style;
    brush->logical.lbColor = color;
    return makeStock(std::move(brush));
}

Pen* stockPen(int style, COLORREF color) {
    LOGPEN logical{};
    logical.lopnStyle = UINT(style);
    logical.lopnWidth.x = 1;
    logical.lopnColor = color;
    Pen* pen = makePen(logical);
    pen->stock = true;
    return pen;
}

Font* stockFont(const char* face, int height, int pitchAndFamily) {
    auto font = std::make_unique<Font>();
    font->logical.lfHeight = height;
    font->logical.lfWeight = FW_NORMAL;
    font->logical.lfPitchAndFamily = BYTE(pitchAndFamily);
    std::strncpy(font->logical.lfFaceName, face, LF_FACESIZE - 1);
    return makeStock(std::move(font));
}

struct StockTable {
    GdiObject* objects[20] = {};
    Bitmap* bitmap = nullptr;
    StockTable() {
        objects[WHITE_BRUSH] = stockBrush(BS_SOLID, RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(192, 192, 192));
        objects[GRAY_BRUSH] = stockBrush(BS_SOLID, RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(64, 64, 64));
        objects[BLACK_BRUSH] = stockBrush(BS_SOLID, RGB(0, 0, 0));
        objects[NULL_BRUSH] = stockBrush(BS_NULL, 0);
        objects[WHITE_PEN] = stockPen(PS_SOLID, RGB(255, 255, 255));
        objects[BLACK_PEN] = stockPen(PS_SOLID, RGB(0, 0, 0));
        objects[NULL_PEN] = stockPen(PS_NULL, 0);
        objects[OEM_FIXED_FONT] = stockFont("Courier New", 12, FIXED_PITCH | FF_MODERN);
        objects[ANSI_FIXED_FONT] = stockFont("Courier New", 12, FIXED_PITCH | FF_MODERN);
        objects[ANSI_VAR_FONT] = stockFont("Arial", 12, VARIABLE_PITCH | FF_SWISS);
        objects[SYSTEM_FONT] = stockFont("Arial", 16, VARIABLE_PITCH | FF_SWISS);
        objects[DEVICE_DEFAULT_FONT] = stockFont("Arial", 16, VARIABLE_PITCH | FF_SWISS);
        objects[SYSTEM_FIXED_FONT] = stockFont("Courier New", 16, FIXED_PITCH | FF_MODERN);
        objects[DEFAULT_GUI_FONT] = stockFont("Arial", -11, VARIABLE_PITCH | FF_SWISS);
        bitmap = makeStock(std::make_unique<Bitmap>(1, 1, 1));
    }
};

StockTable& stock() {
    static StockTable table;
    return table;
}

} // namespace

HGDIOBJ registerObject(std::unique_ptr<GdiObject> object) {
    GdiObject* raw = object.release();
    liveObjects().insert(raw);
    return raw;
}

GdiObject* findObject(HGDIOBJ handle) {
    auto& objects = liveObjects();
    auto* object = static_cast<GdiObject*>(handle);
    return objects.count(object) ? object : nullptr;
}

void destroyObject(GdiObject* object) {
    liveObjects().erase(object);
    delete object;
}

void releaseSelection(GdiObject* object) {
    if (object && --object->selections <= 0 && object->deletePending) {
        destroyObject(object);
    }
}

GdiObject* stockObject(int index) {
    if (index < 0 || index >= 20) {
        return nullptr;
    }
    return stock().objects[index];
}

Bitmap* stockBitmap() {
    return stock().bitmap;
}

Pen* makePen(const LOGPEN& logical) {
    auto pen = std::make_unique<Pen>();
    pen->logical = logical;
    pen->style = int(logical.lopnStyle & PS_STYLE_MASK);
    pen->width = logical.lopnWidth.x < 0 ? -logical.lopnWidth.x : logical.lopnWidth.x;
    if (pen->width == 0) {
        pen->width = 1;
    }
    pen->color = logical.lopnColor;
    if (pen->style > PS_INSIDEFRAME) {
        pen->style = PS_SOLID;
    }
    // Styled pens exist only one pixel wide; wider ones draw solid.
    if (pen->width > 1 && pen->style >= PS_DASH && pen->style <= PS_DASHDOTDOT) {
        pen->style = PS_SOLID;
    }
    return static_cast<Pen*>(registerObject(std::move(pen)));
}

int liveObjectCount() {
    int count = 0;
    for (GdiObject* object : liveObjects()) {
        count += object->stock ? 0 : 1;
    }
    return count;
}

} // namespace platform::raster
