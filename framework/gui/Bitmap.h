// A bitmap resource of the plug-in library, shared by reference count. It draws either as a
// plain copy or with the key colour left out, so that a handle can move over a body without
// a box around it.
#pragma once

#include <cstdint>

#include "framework/gui/Point.h"
#include "framework/gui/Rect.h"
#include "platform/WinApi.h"

class DrawContext;

class Bitmap {
public:
    // Loads the resource (the id's low 16 bits) from this library. A missing resource gives a
    // bitmap without an image and of size 0 by 0, which draws nothing. The count starts at 1,
    // the creator's reference.
    explicit Bitmap(std::int32_t resourceId);

    std::int32_t getResourceId() const { return resourceId; }
    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    HBITMAP getHandle() const { return image; }
    HBITMAP getMask() const { return mask; }
    std::int32_t getReferenceCount() const { return referenceCount; }

    // Every holder of a pointer adds a reference when it stores it and releases it when it
    // drops it; the last release destroys the bitmap.
    void addRef();
    void release();

    // Copies a block of the destination's size from the image at the source offset to the
    // destination's top-left corner.
    void draw(DrawContext& context, const Rect& destination, const Point& offset);
    // As draw, but the image's pixels of colorTransparent leave the target as it was. The
    // mask is made at the first masked draw and kept, so the key colour is fixed then.
    void drawMasked(DrawContext& context, const Rect& destination, const Point& offset);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

private:
    ~Bitmap(); // only release destroys

    void makeMask(HDC target);
    POINT logicalSize(HDC dc) const;

    std::int32_t resourceId;
    HBITMAP image = nullptr; // owned
    HBITMAP mask = nullptr;  // owned, one bit per pixel
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t referenceCount = 1;
};
