// One event's drawing on a device context: the current line, fill and text settings, the
// pens, brushes and fonts that realise them, the drawing vocabulary of the toolkit, and the
// two input queries that mouse tracking needs.
//
// The context never owns the device context: whoever obtained it releases it after the
// context is destroyed. Everything the context creates it deletes at its end, after putting
// back the objects the device context had selected when the context took it over.
#pragma once

#include <cstdint>

#include "framework/gui/Color.h"
#include "framework/gui/Point.h"
#include "framework/gui/Rect.h"
#include "platform/WinApi.h"

class Frame;

inline constexpr std::int32_t lineSolid = 0;
inline constexpr std::int32_t lineDotted = 1;

inline constexpr std::int32_t alignLeft = 0;
inline constexpr std::int32_t alignCenter = 1;
inline constexpr std::int32_t alignRight = 2;

// Bits of getButtonState. Controls compare the whole value: 1 is the left button alone, 9 the
// left button with Shift, 33 the left button with Alt.
inline constexpr std::int32_t buttonLeft = 1;
inline constexpr std::int32_t buttonMiddle = 2;
inline constexpr std::int32_t buttonRight = 4;
inline constexpr std::int32_t modifierShift = 8;
inline constexpr std::int32_t modifierControl = 16;
inline constexpr std::int32_t modifierAlt = 32;

class DrawContext {
public:
    // Without a device context (nullptr) the settings are only stored: nothing is selected,
    // remembered or created until a derived context supplies one.
    DrawContext(Frame* frame, HDC deviceContext, HWND window);
    virtual ~DrawContext();

    HDC getDeviceContext() const { return deviceContext; }
    HWND getWindow() const { return window; }
    Frame* getFrame() const { return frame; }

    void setLineColor(Color color);
    void setLineStyle(std::int32_t style);
    void setLineWidth(std::int32_t width);
    void setFillColor(Color color);
    void setTextColor(Color color);
    void selectFont(std::int32_t fontId, std::int32_t size = 0);

    Color getLineColor() const { return lineColor; }
    std::int32_t getLineStyle() const { return lineStyle; }
    std::int32_t getLineWidth() const { return lineWidth; }
    Color getFillColor() const { return fillColor; }
    Color getTextColor() const { return textColor; }

    void moveTo(const Point& point);
    // The end pixel is not drawn.
    void lineTo(const Point& point);
    void drawPolyline(const Point* points, std::int32_t count);
    void fillPolygon(const Point* points, std::int32_t count);
    // Covers columns left..right and rows top..bottom.
    void drawRect(const Rect& rect);
    // Covers columns left+1..right-1 and rows top+1..bottom-1: disjoint from drawRect's pixels.
    void fillRect(const Rect& rect);
    void drawEllipse(const Rect& rect);
    void fillEllipse(const Rect& rect);
    void drawArc(const Rect& rect, const Point& start, const Point& end);
    void fillPie(const Rect& rect, const Point& start, const Point& end);
    void drawPixel(const Point& point, Color color);
    // One line, vertically centred and clipped to the rectangle. alignCenter and alignRight
    // align so; any other value aligns left, one pixel in from the left edge.
    void drawText(const char* text, const Rect& rect, bool opaque, std::int32_t alignment);

    // The buttons and modifier keys held at this moment, also while a drag keeps the message
    // loop from running.
    std::int32_t getButtonState();
    // The cursor in client coordinates of the context's window.
    void getMousePosition(Point& where);

    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

protected:
    void rebuildPen();

    HDC deviceContext;
    HWND window;
    Frame* frame;
    Color textColor = colorWhite;
    std::int32_t lineWidth = 1;
    Color lineColor = colorWhite;
    Color fillColor = colorBlack;
    std::int32_t lineStyle = lineSolid;
    HBRUSH brush = nullptr; // owned
    HPEN pen = nullptr;     // owned
    HFONT font = nullptr;   // owned
    HGDIOBJ priorBrush = nullptr;
    HGDIOBJ priorPen = nullptr;
    HGDIOBJ priorFont = nullptr;
    std::int32_t systemPenStyle = PS_SOLID;
};
