#include "framework/gui/OffscreenContext.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/Frame.h"

OffscreenContext::OffscreenContext(Frame* frame, std::int32_t width, std::int32_t height,
                                   Color background)
    : DrawContext(frame, nullptr, nullptr), height(height), width(width),
      backgroundColor(background) {
    HWND screenWindow = frame != nullptr ? frame->getWindowHandle() : nullptr;
    HDC screen = GetDC(screenWindow);
    deviceContext = CreateCompatibleDC(screen);
    memoryBitmap = CreateCompatibleBitmap(screen, width, height);
    if (deviceContext != nullptr && memoryBitmap != nullptr) {
        priorBitmap = SelectObject(deviceContext, memoryBitmap);
    }
    ownsBitmap = true;
    if (screen != nullptr) {
        ReleaseDC(screenWindow, screen);
    }

    // The fill leaves the outline's pixels free and the outline covers them: together every
    // pixel of the bitmap gets the background colour.
    setFillColor(background);
    setLineColor(background);
    fillRect(Rect(0, 0, width, height));
    drawRect(Rect(0, 0, width, height));
}

OffscreenContext::OffscreenContext(DrawContext* context, Bitmap* background)
    : DrawContext(context != nullptr ? context->getFrame() : nullptr, nullptr, nullptr),
      height(background != nullptr ? background->getHeight() : 20),
      width(background != nullptr ? background->getWidth() : 20) {
    HDC compatible = context != nullptr ? context->getDeviceContext() : nullptr;
    deviceContext = CreateCompatibleDC(compatible);
    memoryBitmap = CreateCompatibleBitmap(compatible, width, height);
    if (deviceContext != nullptr && memoryBitmap != nullptr) {
        priorBitmap = SelectObject(deviceContext, memoryBitmap);
    }
    ownsBitmap = true;
    if (background != nullptr) {
        background->draw(*this, Rect(0, 0, width, height), Point(0, 0));
    } else {
        setFillColor(colorBlack);
        fillRect(Rect(0, 0, width, height));
    }
}

OffscreenContext::~OffscreenContext() {
    if (deviceContext != nullptr) {
        // The memory context's own bitmap goes back in first, so that ours is free to delete.
        if (priorBitmap != nullptr) {
            SelectObject(deviceContext, priorBitmap);
        }
        DeleteDC(deviceContext);
        // The draw context's own teardown must not touch the deleted device context.
        deviceContext = nullptr;
    }
    if (ownsBitmap && memoryBitmap != nullptr) {
        DeleteObject(memoryBitmap);
    }
}

void OffscreenContext::blitTo(DrawContext& target, const Rect& destination, const Point& offset) {
    HDC targetDc = target.getDeviceContext();
    if (targetDc == nullptr || deviceContext == nullptr) {
        return;
    }
    BitBlt(targetDc, destination.left, destination.top, destination.width(), destination.height(),
           deviceContext, offset.h, offset.v, SRCCOPY);
}
