// Drawing objects (pens, brushes, fonts, bitmaps) and the table of live ones, through which
// every handle is checked before use.
#pragma once

#include "platform/api/Gdi.h"
#include "platform/raster/Surface.h"

#include <memory>

namespace platform::raster {

class FontFace;
struct DeviceContext;

struct GdiObject {
    explicit GdiObject(DWORD type) : type(type) {}
    virtual ~GdiObject() = default;

    DWORD type;
    bool stock = false;
    int selections = 0;         // device contexts that have it selected
    bool deletePending = false; // deleted while selected: goes when the last one lets it go
};

struct Pen : GdiObject {
    Pen() : GdiObject(OBJ_PEN) {}
    LOGPEN logical{};
    int style = PS_SOLID; // effective style (dotted styles of wide pens become solid)
    int width = 1;
    COLORREF color = 0;
};

struct Brush : GdiObject {
    Brush() : GdiObject(OBJ_BRUSH) {}
    LOGBRUSH logical{};
    bool null() const { return logical.lbStyle == BS_NULL; }
};

struct Font : GdiObject {
    Font() : GdiObject(OBJ_FONT) {}
    LOGFONTA logical{};
    std::shared_ptr<FontFace> face; // resolved on first use
};

struct Bitmap : GdiObject {
    Bitmap(int width, int height, int bitsPerPixel, std::uint32_t fill = 0)
        : GdiObject(OBJ_BITMAP), surface(width, height, bitsPerPixel, fill) {}
    Surface surface;
    DeviceContext* selectedInto = nullptr;
};

// Registers a new object and returns its handle value.
HGDIOBJ registerObject(std::unique_ptr<GdiObject> object);
// The live object behind a handle, or none.
GdiObject* findObject(HGDIOBJ handle);
template <typename T> T* findObjectAs(HGDIOBJ handle, DWORD type) {
    GdiObject* object = findObject(handle);
    return object && object->type == type ? static_cast<T*>(object) : nullptr;
}
// Deletes an object for good (no checks).
void destroyObject(GdiObject* object);
// A selection ended: completes a pending deletion.
void releaseSelection(GdiObject* object);

GdiObject* stockObject(int index);
Bitmap* stockBitmap(); // the 1x1 one-bit bitmap every new memory context starts with
Pen* makePen(const LOGPEN& logical);

int liveObjectCount();

template <typename H> H handleOf(GdiObject* object) {
    return reinterpret_cast<H>(object);
}

} // namespace platform::raster
