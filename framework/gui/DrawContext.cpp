#include "framework/gui/DrawContext.h"

#include <cstring>
#include <new>

#include "framework/gui/FontTable.h"

namespace {

// Shapes drawn "without outline" select the null pen for the one call.
class NullPenScope {
public:
    explicit NullPenScope(HDC dc) : dc(dc), previous(SelectObject(dc, GetStockObject(NULL_PEN))) {}
    ~NullPenScope() {
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
    }
    NullPenScope(const NullPenScope&) = delete;
    NullPenScope& operator=(const NullPenScope&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// The points in the system's form; small lists stay on the stack.
class PointList {
public:
    PointList(const Point* points, std::int32_t count) {
        if (points == nullptr || count <= 0) {
            return;
        }
        data = count <= std::int32_t(sizeof(local) / sizeof(local[0]))
                   ? local
                   : new (std::nothrow) POINT[std::size_t(count)];
        if (data == nullptr) {
            return;
        }
        for (std::int32_t i = 0; i < count; ++i) {
            data[i].x = points[i].h;
            data[i].y = points[i].v;
        }
        size = count;
    }
    ~PointList() {
        if (data != local) {
            delete[] data;
        }
    }
    PointList(const PointList&) = delete;
    PointList& operator=(const PointList&) = delete;

    const POINT* points() const { return data; }
    int count() const { return size; }

private:
    POINT local[32];
    POINT* data = nullptr;
    int size = 0;
};

} // namespace

DrawContext::DrawContext(Frame* frame, HDC deviceContext, HWND window)
    : deviceContext(deviceContext), window(window), frame(frame) {
    if (deviceContext == nullptr) {
        return;
    }
    priorBrush = GetCurrentObject(deviceContext, OBJ_BRUSH);
    priorPen = GetCurrentObject(deviceContext, OBJ_PEN);
    priorFont = GetCurrentObject(deviceContext, OBJ_FONT);
    SetBkMode(deviceContext, TRANSPARENT);
    setLineColor(lineColor);
    setLineStyle(lineStyle);
    setFillColor(fillColor);
    setTextColor(textColor);
}

DrawContext::~DrawContext() {
    if (deviceContext != nullptr) {
        if (priorBrush != nullptr) {
            SelectObject(deviceContext, priorBrush);
        }
        if (priorPen != nullptr) {
            SelectObject(deviceContext, priorPen);
        }
        if (priorFont != nullptr) {
            SelectObject(deviceContext, priorFont);
        }
    }
    if (brush != nullptr) {
        DeleteObject(brush);
    }
    if (pen != nullptr) {
        DeleteObject(pen);
    }
    if (font != nullptr) {
        DeleteObject(font);
    }
}

void DrawContext::setLineColor(Color color) {
    lineColor = color;
    rebuildPen();
}

void DrawContext::setLineStyle(std::int32_t style) {
    lineStyle = style;
    systemPenStyle = style == lineDotted ? PS_DOT : PS_SOLID;
    rebuildPen();
}

void DrawContext::setLineWidth(std::int32_t width) {
    lineWidth = width;
    rebuildPen();
}

void DrawContext::rebuildPen() {
    if (deviceContext == nullptr) {
        return;
    }
    LOGPEN description{};
    description.lopnStyle = UINT(systemPenStyle);
    description.lopnWidth.x = lineWidth;
    description.lopnWidth.y = 0;
    description.lopnColor = systemColor(lineColor);
    HPEN newPen = CreatePenIndirect(&description);
    if (newPen == nullptr) {
        return; // the previous pen stays in use
    }
    SelectObject(deviceContext, newPen);
    if (pen != nullptr) {
        DeleteObject(pen);
    }
    pen = newPen;
}

void DrawContext::setFillColor(Color color) {
    fillColor = color;
    if (deviceContext == nullptr) {
        return;
    }
    SetBkColor(deviceContext, systemColor(color));
    LOGBRUSH description{};
    description.lbStyle = BS_SOLID;
    description.lbColor = systemColor(color);
    description.lbHatch = 0;
    HBRUSH newBrush = CreateBrushIndirect(&description);
    if (newBrush == nullptr) {
        return; // the previous brush stays selected and owned
    }
    SelectObject(deviceContext, newBrush);
    if (brush != nullptr) {
        DeleteObject(brush);
    }
    brush = newBrush;
}

void DrawContext::setTextColor(Color color) {
    textColor = color;
    if (deviceContext != nullptr) {
        SetTextColor(deviceContext, systemColor(color));
    }
}

void DrawContext::selectFont(std::int32_t fontId, std::int32_t size) {
    if (deviceContext == nullptr) {
        return;
    }
    FontDescription found = lookupFont(fontId, size);
    LOGFONTA description{};
    description.lfHeight = -found.size; // a character height, not a cell height
    description.lfWidth = 0;
    description.lfEscapement = 0;
    description.lfOrientation = 0;
    description.lfWeight = found.weight;
    description.lfItalic = 0;
    description.lfUnderline = 0;
    description.lfStrikeOut = 0;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = found.pitchAndFamily;
    std::strncpy(description.lfFaceName, found.face, LF_FACESIZE - 1);
    HFONT newFont = CreateFontIndirectA(&description);
    if (newFont == nullptr) {
        return; // the previous font stays in use
    }
    SelectObject(deviceContext, newFont);
    if (font != nullptr) {
        DeleteObject(font);
    }
    font = newFont;
}

void DrawContext::moveTo(const Point& point) {
    MoveToEx(deviceContext, point.h, point.v, nullptr);
}

void DrawContext::lineTo(const Point& point) {
    LineTo(deviceContext, point.h, point.v);
}

void DrawContext::drawPolyline(const Point* points, std::int32_t count) {
    PointList list(points, count);
    if (list.count() > 0) {
        Polyline(deviceContext, list.points(), list.count());
    }
}

void DrawContext::fillPolygon(const Point* points, std::int32_t count) {
    PointList list(points, count);
    if (list.count() > 0) {
        NullPenScope noOutline(deviceContext);
        Polygon(deviceContext, list.points(), list.count());
    }
}

void DrawContext::drawRect(const Rect& rect) {
    // The path returns to its start, so every corner is drawn although each line leaves out
    // its own end pixel.
    const Point corners[5] = {{rect.left, rect.top},
                              {rect.right, rect.top},
                              {rect.right, rect.bottom},
                              {rect.left, rect.bottom},
                              {rect.left, rect.top}};
    drawPolyline(corners, 5);
}

void DrawContext::fillRect(const Rect& rect) {
    HBRUSH current =
        brush != nullptr ? brush : static_cast<HBRUSH>(GetCurrentObject(deviceContext, OBJ_BRUSH));
    // The system fills exclude the right and bottom edges; moving the top-left corner in by
    // one keeps the outline's pixels free on all four sides.
    RECT area{rect.left + 1, rect.top + 1, rect.right, rect.bottom};
    FillRect(deviceContext, &area, current);
}

void DrawContext::drawEllipse(const Rect& rect) {
    const int startH = rect.left + rect.width() / 2;
    Arc(deviceContext, rect.left, rect.top, rect.right + 1, rect.bottom + 1, startH, rect.top,
        startH, rect.top);
}

void DrawContext::fillEllipse(const Rect& rect) {
    NullPenScope noOutline(deviceContext);
    Ellipse(deviceContext, rect.left + 1, rect.top + 1, rect.right, rect.bottom);
}

void DrawContext::drawArc(const Rect& rect, const Point& start, const Point& end) {
    Arc(deviceContext, rect.left, rect.top, rect.right + 1, rect.bottom + 1, start.h, start.v,
        end.h, end.v);
}

void DrawContext::fillPie(const Rect& rect, const Point& start, const Point& end) {
    NullPenScope noOutline(deviceContext);
    Pie(deviceContext, rect.left + 1, rect.top + 1, rect.right, rect.bottom, start.h, start.v,
        end.h, end.v);
}

void DrawContext::drawPixel(const Point& point, Color color) {
    SetPixel(deviceContext, point.h, point.v, systemColor(color));
}

void DrawContext::drawText(const char* text, const Rect& rect, bool opaque,
                           std::int32_t alignment) {
    if (text == nullptr) {
        return;
    }
    SetBkMode(deviceContext, opaque ? OPAQUE : TRANSPARENT);
    RECT area{rect.left, rect.top, rect.right, rect.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (alignment == alignCenter) {
        format |= DT_CENTER;
    } else if (alignment == alignRight) {
        format |= DT_RIGHT;
    } else {
        format |= DT_LEFT;
        area.left += 1;
    }
    DrawTextA(deviceContext, text, -1, &area, format);
    SetBkMode(deviceContext, TRANSPARENT);
}

std::int32_t DrawContext::getButtonState() {
    // A negative key state means "down at this moment", independent of the message queue.
    std::int32_t state = 0;
    if (GetAsyncKeyState(VK_LBUTTON) < 0) {
        state |= buttonLeft;
    }
    if (GetAsyncKeyState(VK_MBUTTON) < 0) {
        state |= buttonMiddle;
    }
    if (GetAsyncKeyState(VK_RBUTTON) < 0) {
        state |= buttonRight;
    }
    if (GetAsyncKeyState(VK_SHIFT) < 0) {
        state |= modifierShift;
    }
    if (GetAsyncKeyState(VK_CONTROL) < 0) {
        state |= modifierControl;
    }
    if (GetAsyncKeyState(VK_MENU) < 0) {
        state |= modifierAlt;
    }
    return state;
}

void DrawContext::getMousePosition(Point& where) {
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    MapWindowPoints(nullptr, window, &cursor, 1);
    where(cursor.x, cursor.y);
}
