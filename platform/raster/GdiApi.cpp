// The drawing calls under their Windows names, over the device contexts and objects of this
// folder.
#include "platform/api/Gdi.h"
#include "platform/api/Kernel.h"
#include "platform/api/User.h"
#include "platform/raster/Blit.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/Rasterizer.h"
#include "platform/raster/Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace platform::raster;

namespace {

constexpr double pi = 3.14159265358979323846;

DeviceContext* context(HDC dc) {
    DeviceContext* found = findContext(dc);
    if (!found) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return found;
}

RECT ordered(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
}

bool brushPaints(const DeviceContext& dc) {
    return dc.brush && !dc.brush->null();
}

void fillSpans(Canvas& canvas, const std::vector<Span>& spans, std::uint32_t value) {
    for (const Span& span : spans) {
        canvas.span(span.x0, span.x1 + 1, span.y, value);
    }
}

// Angles measured counter-clockwise as the picture shows them (y grows downwards).
double angleOf(double x, double y, double cx, double cy) {
    return std::atan2(cy - y, x - cx);
}

double turn(double from, double to) {
    double d = std::fmod(to - from, 2 * pi);
    return d < 0 ? d + 2 * pi : d;
}

struct ArcRange {
    double cx, cy, start, sweep;
    bool full;
    bool contains(double x, double y) const {
        return full || turn(start, angleOf(x, y, cx, cy)) < sweep - 1e-9;
    }
};

ArcRange arcRange(const DeviceContext& dc, const RECT& box, int xs, int ys, int xe, int ye) {
    ArcRange range{};
    range.cx = (box.left + box.right - 1) / 2.0;
    range.cy = (box.top + box.bottom - 1) / 2.0;
    double a = angleOf(xs, ys, range.cx, range.cy), b = angleOf(xe, ye, range.cx, range.cy);
    if (dc.arcDirection == AD_CLOCKWISE) {
        std::swap(a, b);
    }
    range.start = a;
    range.sweep = turn(a, b);
    range.full = range.sweep < 1e-12;
    if (range.full) {
        range.sweep = 2 * pi;
    }
    return range;
}

// The outline points inside the arc's range, in the order the arc runs through them.
std::vector<POINT> arcPoints(const std::vector<POINT>& outline, const ArcRange& range) {
    std::vector<std::pair<double, POINT>> chosen;
    for (const POINT& p : outline) {
        if (range.contains(p.x, p.y)) {
            chosen.push_back({turn(range.start, angleOf(p.x, p.y, range.cx, range.cy)), p});
        }
    }
    std::sort(chosen.begin(), chosen.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<POINT> points;
    for (auto& [angle, p] : chosen) {
        points.push_back(p);
    }
    return points;
}

void strokePoints(Canvas& canvas, const DeviceContext& dc, const std::vector<POINT>& points) {
    PenStroker pen(canvas, dc);
    for (const POINT& p : points) {
        pen.point(p);
    }
}

// The inclusive box a shape covers; a rectangle or a pie drawn without a pen is one pixel
// smaller on the right and bottom, as the system fills them (an ellipse is not).
RECT shapeBox(const DeviceContext& dc, int left, int top, int right, int bottom, bool rectangle) {
    RECT r = ordered(left, top, right, bottom);
    r.right -= 1;
    r.bottom -= 1;
    if (rectangle && (!dc.pen || dc.pen->style == PS_NULL)) {
        r.right -= 1;
        r.bottom -= 1;
    }
    return r;
}

BOOL drawEllipseLike(HDC handle, int left, int top, int right, int bottom, bool pie, int xs, int ys,
                     int xe, int ye) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return FALSE;
    }
    Canvas canvas(*dc);
    const RECT box = shapeBox(*dc, left, top, right, bottom, pie);
    // A box of one pixel or less across draws nothing.
    if (!canvas.valid() || box.right <= box.left || box.bottom <= box.top) {
        return TRUE;
    }
    const std::vector<POINT> outline = ellipseOutline(box.left, box.top, box.right, box.bottom);
    if (!pie) {
        if (brushPaints(*dc)) {
            fillSpans(canvas, ellipseSpans(box.left, box.top, box.right, box.bottom),
                      canvas.value(dc->brush->logical.lbColor));
        }
        strokePoints(canvas, *dc, outline);
        return TRUE;
    }
    const RECT full{box.left, box.top, box.right + 1, box.bottom + 1};
    const ArcRange range = arcRange(*dc, full, xs, ys, xe, ye);
    if (brushPaints(*dc)) {
        const std::uint32_t value = canvas.value(dc->brush->logical.lbColor);
        for (const Span& span : ellipseSpans(box.left, box.top, box.right, box.bottom)) {
            for (int x = span.x0; x <= span.x1; ++x) {
                if (range.contains(x, span.y)) {
                    canvas.plot(x, span.y, value);
                }
            }
        }
    }
    const std::vector<POINT> arc = arcPoints(outline, range);
    strokePoints(canvas, *dc, arc);
    if (!arc.empty() && !range.full) {
        PenStroker pen(canvas, *dc);
        const POINT centre{LONG(std::lround(range.cx)), LONG(std::lround(range.cy))};
        pen.segment(centre, arc.front());
        pen.segment(centre, arc.back());
    }
    return TRUE;
}

// The brush a FillRect call names: a brush handle, or a system colour index plus one.
bool brushFromHandle(HBRUSH handle, LOGBRUSH& logical) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= 31) {
        logical = LOGBRUSH{BS_SOLID, GetSysColor(int(value - 1)), 0};
        return true;
    }
    Brush* brush = findObjectAs<Brush>(handle, OBJ_BRUSH);
    if (!brush) {
        return false;
    }
    logical = brush->logical;
    return true;
}

} // namespace

// ---- objects

HGDIOBJ GetStockObject(int object) {
    return stockObject(object);
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    DeviceContext* dc = context(handle);
    GdiObject* found = findObject(object);
    if (!dc || !found || found->deletePending) {
        return nullptr;
    }
    auto swapIn = [&](auto*& slot) -> HGDIOBJ {
        using T = std::remove_reference_t<decltype(*slot)>;
        T* previous = slot;
        slot = static_cast<T*>(found);
        found->selections++;
        HGDIOBJ result = previous;
        releaseSelection(previous);
        return result;
    };
    switch (found->type) {
    case OBJ_PEN:
        return swapIn(dc->pen);
    case OBJ_BRUSH:
        return swapIn(dc->brush);
    case OBJ_FONT:
        return swapIn(dc->font);
    case OBJ_BITMAP: {
        auto* bitmap = static_cast<Bitmap*>(found);
        if (!dc->memory) {
            return nullptr;
        }
        if (bitmap == dc->bitmap) {
            return bitmap;
        }
        // A bitmap can be selected into one memory context at a time.
        if (!bitmap->stock && bitmap->selectedInto) {
            return nullptr;
        }
        Bitmap* previous = dc->bitmap;
        if (previous && !previous->stock) {
            previous->selectedInto = nullptr;
        }
        if (!bitmap->stock) {
            bitmap->selectedInto = dc;
        }
        dc->bitmap = bitmap;
        bitmap->selections++;
        HGDIOBJ result = previous;
        if (previous) {
            releaseSelection(previous);
        }
        dc->clipped = false;
        return result;
    }
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* found = findObject(object);
    if (!found) {
        return FALSE;
    }
    if (found->stock) {
        return TRUE;
    }
    if (found->selections > 0) {
        // Still selected: it goes when the last context lets it go.
        found->deletePending = true;
        return TRUE;
    }
    destroyObject(found);
    return TRUE;
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return nullptr;
    }
    switch (type) {
    case OBJ_PEN:
        return dc->pen;
    case OBJ_BRUSH:
        return dc->brush;
    case OBJ_FONT:
        return dc->font;
    case OBJ_BITMAP:
        return dc->bitmap ? static_cast<GdiObject*>(dc->bitmap) : stockBitmap();
    default:
        return nullptr;
    }
}

DWORD GetObjectType(HGDIOBJ object) {
    if (GdiObject* found = findObject(object)) {
        return found->type;
    }
    if (DeviceContext* dc = findContext(static_cast<HDC>(object))) {
        return dc->memory ? OBJ_MEMDC : OBJ_DC;
    }
    return 0;
}

int GetObjectA(HANDLE object, int size, LPVOID buffer) {
    GdiObject* found = findObject(object);
    if (!found) {
        return 0;
    }
    auto give = [&](const void* data, int length) {
        if (!buffer) {
            return length;
        }
        const int n = std::min(size, length);
        if (n <= 0) {
            return 0;
        }
        std::memcpy(buffer, data, std::size_t(n));
        return n;
    };
    switch (found->type) {
    case OBJ_PEN:
        return give(&static_cast<Pen*>(found)->logical, int(sizeof(LOGPEN)));
    case OBJ_BRUSH:
        return give(&static_cast<Brush*>(found)->logical, int(sizeof(LOGBRUSH)));
    case OBJ_FONT:
        return give(&static_cast<Font*>(found)->logical, int(sizeof(LOGFONTA)));
    case OBJ_BITMAP: {
        const Surface& s = static_cast<Bitmap*>(found)->surface;
        BITMAP description{};
        description.bmType = 0;
        description.bmWidth = s.width;
        description.bmHeight = s.height;
        description.bmWidthBytes = ((s.width * s.bitsPerPixel + 15) / 16) * 2;
        description.bmPlanes = 1;
        description.bmBitsPixel = WORD(s.bitsPerPixel);
        description.bmBits = nullptr;
        return give(&description, int(sizeof(BITMAP)));
    }
    default:
        return 0;
    }
}

HPEN CreatePen(int style, int width, COLORREF color) {
    LOGPEN logical{};
    logical.lopnStyle = UINT(style);
    logical.lopnWidth.x = width;
    logical.lopnColor = color;
    return CreatePenIndirect(&logical);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) {
        return nullptr;
    }
    if ((pen->lopnStyle & PS_STYLE_MASK) == PS_NULL) {
        return handleOf<HPEN>(stockObject(NULL_PEN));
    }
    return handleOf<HPEN>(makePen(*pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    LOGBRUSH logical{BS_SOLID, color, 0};
    return CreateBrushIndirect(&logical);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) {
        return nullptr;
    }
    if (brush->lbStyle == BS_NULL) {
        return handleOf<HBRUSH>(stockObject(NULL_BRUSH));
    }
    auto made = std::make_unique<Brush>();
    made->logical = *brush;
    if (made->logical.lbStyle != BS_SOLID) {
        made->logical.lbStyle = BS_SOLID; // hatches and patterns draw as their colour
    }
    return static_cast<HBRUSH>(registerObject(std::move(made)));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (!font) {
        return nullptr;
    }
    auto made = std::make_unique<Font>();
    made->logical = *font;
    made->logical.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(registerObject(std::move(made)));
}

// ---- device contexts

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !findContext(dc)) {
        return nullptr;
    }
    return handleOf(createContext(true));
}

BOOL DeleteDC(HDC handle) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return FALSE;
    }
    destroyContext(dc);
    return TRUE;
}

int GetDeviceCaps(HDC handle, int index) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return 0;
    }
    switch (index) {
    case BITSPIXEL:
        return dc->surface() && dc->surface()->mono() ? 1 : 32;
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
        return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return GetSystemMetrics(SM_CYSCREEN);
    default:
        return 0;
    }
}

int SetBkMode(HDC handle, int mode) {
    DeviceContext* dc = context(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    const int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

int GetBkMode(HDC handle) {
    DeviceContext* dc = context(handle);
    return dc ? dc->bkMode : 0;
}

COLORREF SetBkColor(HDC handle, COLORREF color) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return CLR_INVALID;
    }
    const COLORREF previous = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC handle) {
    DeviceContext* dc = context(handle);
    return dc ? dc->bkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC handle, COLORREF color) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return CLR_INVALID;
    }
    const COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC handle) {
    DeviceContext* dc = context(handle);
    return dc ? dc->textColor : CLR_INVALID;
}

int SetMapMode(HDC handle, int mode) {
    DeviceContext* dc = context(handle);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) {
        return 0;
    }
    const int previous = dc->mapMode;
    dc->mapMode = mode;
    return previous;
}

int GetMapMode(HDC handle) {
    DeviceContext* dc = context(handle);
    return dc ? dc->mapMode : 0;
}

// Logical and device units are the same: drawing always runs in the text mapping mode, the
// only one the toolkit uses; other modes are recorded but do not scale.
BOOL DPtoLP(HDC handle, LPPOINT points, int count) {
    return context(handle) && (points || count == 0) ? TRUE : FALSE;
}

BOOL LPtoDP(HDC handle, LPPOINT points, int count) {
    return context(handle) && (points || count == 0) ? TRUE : FALSE;
}

int SetArcDirection(HDC handle, int direction) {
    DeviceContext* dc = context(handle);
    if (!dc || (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE)) {
        return 0;
    }
    const int previous = dc->arcDirection;
    dc->arcDirection = direction;
    return previous;
}

int GetArcDirection(HDC handle) {
    DeviceContext* dc = context(handle);
    return dc ? dc->arcDirection : 0;
}

int SetPolyFillMode(HDC handle, int mode) {
    DeviceContext* dc = context(handle);
    if (!dc || (mode != ALTERNATE && mode != WINDING)) {
        return 0;
    }
    const int previous = dc->polyFillMode;
    dc->polyFillMode = mode;
    return previous;
}

int GetPolyFillMode(HDC handle) {
    DeviceContext* dc = context(handle);
    return dc ? dc->polyFillMode : 0;
}

// ---- lines and shapes

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return FALSE;
    }
    if (previous) {
        *previous = dc->position;
    }
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC handle, LPPOINT position) {
    DeviceContext* dc = context(handle);
    if (!dc || !position) {
        return FALSE;
    }
    *position = dc->position;
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return FALSE;
    }
    Canvas canvas(*dc);
    PenStroker pen(canvas, *dc);
    pen.segment(dc->position, POINT{x, y});
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
    DeviceContext* dc = context(handle);
    if (!dc || !points || count < 2) {
        return FALSE;
    }
    Canvas canvas(*dc);
    PenStroker pen(canvas, *dc);
    for (int i = 1; i < count; ++i) {
        pen.segment(points[i - 1], points[i]);
    }
    return TRUE;
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
    DeviceContext* dc = context(handle);
    if (!dc || !points || count < 2) {
        return FALSE;
    }
    Canvas canvas(*dc);
    if (brushPaints(*dc)) {
        fillPolygon(canvas, points, count, dc->polyFillMode,
                    canvas.value(dc->brush->logical.lbColor));
    }
    PenStroker pen(canvas, *dc);
    for (int i = 0; i < count; ++i) {
        pen.segment(points[i], points[(i + 1) % count]);
    }
    return TRUE;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return FALSE;
    }
    Canvas canvas(*dc);
    const RECT box = shapeBox(*dc, left, top, right, bottom, true);
    if (box.right < box.left || box.bottom < box.top) {
        return TRUE;
    }
    if (brushPaints(*dc)) {
        const std::uint32_t value = canvas.value(dc->brush->logical.lbColor);
        for (int y = box.top; y <= box.bottom; ++y) {
            canvas.span(box.left, box.right + 1, y, value);
        }
    }
    PenStroker pen(canvas, *dc);
    if (pen.visible()) {
        const POINT corners[4] = {{box.left, box.top},
                                  {box.right, box.top},
                                  {box.right, box.bottom},
                                  {box.left, box.bottom}};
        for (int i = 0; i < 4; ++i) {
            pen.segment(corners[i], corners[(i + 1) % 4]);
        }
    }
    return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return drawEllipseLike(dc, left, top, right, bottom, false, 0, 0, 0, 0);
}

BOOL Arc(HDC handle, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return FALSE;
    }
    Canvas canvas(*dc);
    const RECT r = ordered(left, top, right, bottom);
    if (r.right - 1 < r.left || r.bottom - 1 < r.top) {
        return TRUE;
    }
    const std::vector<POINT> outline = ellipseOutline(r.left, r.top, r.right - 1, r.bottom - 1);
    strokePoints(canvas, *dc, arcPoints(outline, arcRange(*dc, r, xStart, yStart, xEnd, yEnd)));
    return TRUE;
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd) {
    return drawEllipseLike(dc, left, top, right, bottom, true, xStart, yStart, xEnd, yEnd);
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return CLR_INVALID;
    }
    Canvas canvas(*dc);
    const RECT& area = canvas.area();
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) {
        return CLR_INVALID;
    }
    const std::uint32_t value = canvas.value(color);
    canvas.plot(x, y, value);
    return canvas.mono() ? (value ? RGB(255, 255, 255) : 0) : (color & 0xFFFFFF);
}

COLORREF GetPixel(HDC handle, int x, int y) {
    DeviceContext* dc = context(handle);
    if (!dc || !dc->surface()) {
        return CLR_INVALID;
    }
    const Surface& s = *dc->surface();
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) {
        return CLR_INVALID;
    }
    return colorFromPixel(s.row(y)[x]);
}

// ---- text

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int length) {
    DeviceContext* dc = context(handle);
    if (!dc || !text || length < 0) {
        return FALSE;
    }
    drawTextRun(*dc, x, y, text, length, nullptr);
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, LPSIZE size) {
    DeviceContext* dc = context(handle);
    if (!dc || !size || (!text && length > 0) || length < 0) {
        return FALSE;
    }
    *size = measureText(faceOf(*dc), text, length);
    return TRUE;
}

BOOL GetTextMetricsA(HDC handle, LPTEXTMETRICA metrics) {
    DeviceContext* dc = context(handle);
    if (!dc || !metrics) {
        return FALSE;
    }
    FontFace& face = faceOf(*dc);
    const LOGFONTA& logical = dc->font->logical;
    *metrics = TEXTMETRICA{};
    metrics->tmHeight = face.height();
    metrics->tmAscent = face.ascent();
    metrics->tmDescent = face.descent();
    metrics->tmInternalLeading = face.internalLeading();
    metrics->tmAveCharWidth = face.averageWidth();
    metrics->tmMaxCharWidth = face.maximumWidth();
    metrics->tmWeight = logical.lfWeight ? logical.lfWeight : FW_NORMAL;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFF;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = logical.lfItalic;
    metrics->tmPitchAndFamily = BYTE((logical.lfPitchAndFamily & 0xF0) | 0x06);
    metrics->tmCharSet = logical.lfCharSet;
    return TRUE;
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle) {
    DeviceContext* dc = context(handle);
    if (!dc || !rect) {
        return 0;
    }
    LOGBRUSH logical{};
    if (!brushFromHandle(brushHandle, logical)) {
        return 0;
    }
    if (logical.lbStyle == BS_NULL) {
        return 1;
    }
    // A reversed edge pair covers the pixels from the smaller value plus one up to the larger
    // one, as a negative extent does in a block transfer.
    RECT r = *rect;
    if (r.right < r.left) {
        r = RECT{r.right + 1, r.top, r.left + 1, r.bottom};
    }
    if (r.bottom < r.top) {
        r = RECT{r.left, r.bottom + 1, r.right, r.top + 1};
    }
    Canvas canvas(*dc);
    const std::uint32_t value = canvas.value(logical.lbColor);
    for (int y = r.top; y < r.bottom; ++y) {
        canvas.span(r.left, r.right, y, value);
    }
    return 1;
}

int DrawTextA(HDC handle, LPCSTR text, int length, LPRECT rect, UINT format) {
    DeviceContext* dc = context(handle);
    if (!dc) {
        return 0;
    }
    return drawText(*dc, text, length, rect, format);
}

// ---- bitmaps

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1 ||
        (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
        if (!(width >= 0 && height >= 0 && planes == 1 && bitsPerPixel > 0 && bitsPerPixel <= 32)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    if (width == 0 || height == 0) {
        return handleOf<HBITMAP>(stockBitmap());
    }
    if (std::int64_t(width) * height > (std::int64_t(1) << 28)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const bool mono = bitsPerPixel == 1;
    auto bitmap = std::make_unique<Bitmap>(width, height, mono ? 1 : 32);
    if (bits) {
        // Rows of the given bits are padded to a multiple of 16 bits.
        const auto* data = static_cast<const std::uint8_t*>(bits);
        const int stride = ((width * int(bitsPerPixel) + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = data + std::size_t(y) * stride;
            std::uint32_t* out = bitmap->surface.row(y);
            for (int x = 0; x < width; ++x) {
                if (mono) {
                    out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? monoOne : monoZero;
                } else if (bitsPerPixel == 24) {
                    out[x] = std::uint32_t(row[3 * x]) | std::uint32_t(row[3 * x + 1]) << 8 |
                             std::uint32_t(row[3 * x + 2]) << 16;
                } else if (bitsPerPixel == 32) {
                    out[x] = (std::uint32_t(row[4 * x]) | std::uint32_t(row[4 * x + 1]) << 8 |
                              std::uint32_t(row[4 * x + 2]) << 16);
                }
            }
        }
    }
    return static_cast<HBITMAP>(registerObject(std::move(bitmap)));
}

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height) {
    DeviceContext* dc = context(handle);
    if (!dc || width < 0 || height < 0) {
        return nullptr;
    }
    // Compatible with a memory context means of the kind of the bitmap it holds, which is the
    // one-bit stock bitmap until another one is selected.
    const bool mono = dc->memory && dc->bitmap && dc->bitmap->surface.mono();
    return CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int xSource,
            int ySource, DWORD rop) {
    DeviceContext* dst = context(destination);
    if (!dst) {
        return FALSE;
    }
    DeviceContext* src = nullptr;
    if (ropUsesSource(rop)) {
        src = context(source);
        if (!src) {
            return FALSE;
        }
    }
    return blit(*dst, x, y, width, height, src, xSource, ySource, rop) ? TRUE : FALSE;
}

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = context(handle);
    if (!dc || ropUsesSource(rop)) {
        return FALSE;
    }
    return blit(*dc, x, y, width, height, nullptr, 0, 0, rop) ? TRUE : FALSE;
}
