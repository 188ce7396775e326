#include "framework/gui/Bitmap.h"

#include "framework/effect/Module.h"
#include "framework/gui/Color.h"
#include "framework/gui/DrawContext.h"

namespace {

// A memory device context compatible with the target, with one bitmap selected for the
// length of a scope.
class MemoryContext {
public:
    MemoryContext(HDC target, HBITMAP bitmap) : dc(CreateCompatibleDC(target)) {
        if (dc != nullptr && bitmap != nullptr) {
            previous = SelectObject(dc, bitmap);
        }
    }
    ~MemoryContext() {
        if (dc == nullptr) {
            return;
        }
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
        DeleteDC(dc);
    }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    HDC get() const { return dc; }

private:
    HDC dc;
    HGDIOBJ previous = nullptr;
};

// A bitmap that lives for one scope.
class ScratchBitmap {
public:
    explicit ScratchBitmap(HBITMAP bitmap) : bitmap(bitmap) {}
    ~ScratchBitmap() {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
    }
    ScratchBitmap(const ScratchBitmap&) = delete;
    ScratchBitmap& operator=(const ScratchBitmap&) = delete;

    HBITMAP get() const { return bitmap; }

private:
    HBITMAP bitmap;
};

} // namespace

Bitmap::Bitmap(std::int32_t resourceId) : resourceId(resourceId) {
    image = LoadBitmapA(static_cast<HINSTANCE>(moduleHandle), MAKEINTRESOURCEA(resourceId));
    if (image == nullptr) {
        return;
    }
    BITMAP description{};
    if (GetObjectA(image, sizeof(description), &description) != 0) {
        width = description.bmWidth;
        height = description.bmHeight;
    }
}

Bitmap::~Bitmap() {
    if (image != nullptr) {
        DeleteObject(image);
    }
    if (mask != nullptr) {
        DeleteObject(mask);
    }
}

void Bitmap::addRef() {
    ++referenceCount;
}

void Bitmap::release() {
    if (--referenceCount == 0) {
        delete this;
    }
}

POINT Bitmap::logicalSize(HDC dc) const {
    POINT size{width, height};
    DPtoLP(dc, &size, 1);
    return size;
}

void Bitmap::draw(DrawContext& context, const Rect& destination, const Point& offset) {
    HDC target = context.getDeviceContext();
    if (image == nullptr || target == nullptr) {
        return;
    }
    MemoryContext source(target, image);
    BitBlt(target, destination.left, destination.top, destination.width(), destination.height(),
           source.get(), offset.h, offset.v, SRCCOPY);
}

void Bitmap::makeMask(HDC target) {
    MemoryContext imageContext(target, image);
    const POINT size = logicalSize(imageContext.get());

    HBITMAP oneBit = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    if (oneBit == nullptr) {
        return;
    }
    {
        MemoryContext maskContext(target, oneBit);
        SetMapMode(imageContext.get(), GetMapMode(target));
        // A colour-to-monochrome copy turns the source's background colour into 1 and every
        // other colour into 0.
        COLORREF background = SetBkColor(imageContext.get(), systemColor(colorTransparent));
        BitBlt(maskContext.get(), 0, 0, size.x, size.y, imageContext.get(), 0, 0, SRCCOPY);
        SetBkColor(imageContext.get(), background);
    }
    mask = oneBit;
}

void Bitmap::drawMasked(DrawContext& context, const Rect& destination, const Point& offset) {
    HDC target = context.getDeviceContext();
    if (image == nullptr || target == nullptr) {
        return;
    }
    if (mask == nullptr) {
        makeMask(target);
        if (mask == nullptr) {
            return;
        }
    }

    MemoryContext imageContext(target, image);
    const POINT size = logicalSize(imageContext.get());
    const int w = size.x;
    const int h = size.y;

    ScratchBitmap inverseBitmap(CreateBitmap(w, h, 1, 1, nullptr));
    ScratchBitmap workBitmap(CreateCompatibleBitmap(target, w, h));
    ScratchBitmap saveBitmap(CreateCompatibleBitmap(target, w, h));
    if (inverseBitmap.get() == nullptr || workBitmap.get() == nullptr ||
        saveBitmap.get() == nullptr) {
        return;
    }
    MemoryContext inverseContext(target, inverseBitmap.get());
    MemoryContext maskContext(target, mask);
    MemoryContext workContext(target, workBitmap.get());
    MemoryContext saveContext(target, saveBitmap.get());

    // The block goes where the image's pixel at the offset lands on the destination's
    // top-left corner, so a non-zero offset shows the same part of the image as draw does.
    const int blockLeft = destination.left - offset.h;
    const int blockTop = destination.top - offset.v;

    BitBlt(saveContext.get(), 0, 0, w, h, imageContext.get(), 0, 0, SRCCOPY);
    BitBlt(inverseContext.get(), 0, 0, w, h, maskContext.get(), 0, 0, NOTSRCCOPY);
    BitBlt(workContext.get(), 0, 0, w, h, target, blockLeft, blockTop, SRCCOPY);
    // Mask bits of 1 (key colour) become white in a colour copy and keep the background;
    // bits of 0 become black and clear it.
    BitBlt(workContext.get(), 0, 0, w, h, maskContext.get(), 0, 0, SRCAND);
    // The image is cleared where it has the key colour; its own pixels are put back below.
    BitBlt(imageContext.get(), 0, 0, w, h, inverseContext.get(), 0, 0, SRCAND);
    BitBlt(workContext.get(), 0, 0, w, h, imageContext.get(), 0, 0, SRCPAINT);
    BitBlt(target, destination.left, destination.top, destination.width(), destination.height(),
           workContext.get(), offset.h, offset.v, SRCCOPY);
    BitBlt(imageContext.get(), 0, 0, w, h, saveContext.get(), 0, 0, SRCCOPY);
}
