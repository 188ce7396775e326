// A draw context over a memory bitmap of its own: a control composes its picture here and
// copies it to the window in one step, so the screen never shows a half-drawn control.
#pragma once

#include <cstdint>

#include "framework/gui/DrawContext.h"

class Bitmap;

class OffscreenContext : public DrawContext {
public:
    // A width by height bitmap compatible with the frame's window, every pixel in the
    // background colour. The memory context keeps its own defaults for background mode, text
    // colour and font until they are set through the context.
    OffscreenContext(Frame* frame, std::int32_t width, std::int32_t height, Color background);
    // A bitmap compatible with the given context, of the background bitmap's size with the
    // background drawn in, or 20 by 20 filled black without one.
    OffscreenContext(DrawContext* context, Bitmap* background);
    ~OffscreenContext() override;

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    HBITMAP getBitmap() const { return memoryBitmap; }

    // Copies a block of the destination's size from the bitmap at the offset to the
    // destination's top-left corner in the target.
    void blitTo(DrawContext& target, const Rect& destination, const Point& offset);

private:
    HBITMAP memoryBitmap = nullptr;
    HGDIOBJ priorBitmap = nullptr; // what the memory context started with
    std::int32_t height;
    std::int32_t width;
    bool ownsBitmap = false;
    Color backgroundColor = colorBlack;
};
