// Shows the filmstrip image at a pixel position that the application steps forward or back,
// for example from its editor's idle: the frame's idle then redraws it because its value
// changed. It never steps by itself. A click starts it, or stops it showing image 0. While it
// is stopped it draws nothing.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class LoopAnimation : public Control {
public:
    // Adds a reference to the bitmap; the images are taken relative to the offset.
    LoopAnimation(const Rect& size, ControlListener* listener, std::int32_t tag,
                  std::int32_t imageCount, std::int32_t imageHeight, Bitmap* bitmap,
                  const Point& offset);
    ~LoopAnimation() override;

    void draw(DrawContext& context) override;
    // Stopped: starts from image 0 and reports. Running: shows image 0 at once and stops,
    // without a report.
    void onMouseDown(DrawContext& context, const Point& where) override;

    virtual void start();
    virtual void stop();
    // One image height on; wraps to 0 before the last image, which forward steps never show.
    virtual void nextFrame();
    // One image height back; from the first image it goes to one pixel above the last
    // image's top.
    virtual void previousFrame();

    bool isRunning() const { return running; }

private:
    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
    std::int32_t imageCount;
    std::int32_t imageHeight;
    bool running = false;
    std::int32_t totalHeight;
};
