// The base of everything a frame shows, the frame included: a rectangle in the frame window's
// coordinates, the link to the frame, and the operations through which the frame paints,
// passes presses, asks for redraws of changed state and moves the editing focus. A frame owns
// the views attached to it and destroys them through this class.
#pragma once

#include "framework/gui/Point.h"
#include "framework/gui/Rect.h"

class DrawContext;
class Frame;
class OffscreenContext;

class View {
public:
    explicit View(const Rect& size);
    virtual ~View();

    // Paints the whole view.
    virtual void draw(DrawContext& context);
    // A press inside the view's rectangle; may track the mouse until the button is released.
    virtual void onMouseDown(DrawContext& context, const Point& where);
    // Paints only when what the view shows differs from what it last painted.
    virtual void drawIfChanged(DrawContext& context);
    // The frame calls this when a press lands outside the view that holds the editing focus.
    virtual void endEditing();
    virtual void beginEditing();
    // Kept only when it is at least as large as the view; otherwise the previous one stays.
    virtual void setBackingStore(OffscreenContext* store);

    const Rect& getSize() const { return size; }
    Frame* getFrame() const { return frame; }
    OffscreenContext* getBackingStore() const { return backingStore; }

    // Draws this view at once through its frame; nothing when not attached.
    void redrawNow();

    View(const View&) = delete;
    View& operator=(const View&) = delete;

protected:
    Rect size;
    Frame* frame = nullptr;                   // not owned; set by the frame on attach
    OffscreenContext* backingStore = nullptr; // not owned

    friend class Frame;
};
