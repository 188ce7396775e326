// The editor's top-level view. It owns the child window that the editor puts into the host's
// window, turns the window's paint and press messages into calls on its views, owns the
// views attached to it, and gives the editor an idle pass that redraws only what changed.
//
// Painting is direct: every paint message draws the background and then every view in attach
// order, whatever the update region. Between paints the editor's idle calls idle(), which
// redraws the controls whose values changed, and only after the first paint.
#pragma once

#include <cstdint>

#include "framework/effect/vst2/Interface.h"
#include "framework/gui/View.h"
#include "platform/WinApi.h"

class Bitmap;
class GuiEditor;

class Frame : public View {
public:
    // A child window of the parent window, made at once. Without a parent window there is no
    // window; the frame still counts as open, and redraws and idle passes draw nothing.
    Frame(const Rect& size, void* parentWindow, GuiEditor* editor);
    // A frame whose window the host provides on openHostWindow, with the given title and
    // window style.
    Frame(const Rect& size, const char* title, GuiEditor* editor, std::int32_t style);
    ~Frame() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, const Point& where) override;
    void drawIfChanged(DrawContext& context) override;

    // Appends the view and makes this its frame; the frame destroys it. False (and nothing
    // changes) when the list cannot grow or no view is given.
    virtual bool attachView(View* view);
    // Removes the view, keeping the order of the others; the caller owns it again.
    virtual bool detachView(View* view);

    bool createWindow();
    HWND getWindowHandle() const { return window; }

    // Draws the view at once, or the whole frame when the view is not attached (or none).
    void redrawView(View* view);
    void idle();

    // False when a view is given while another one is the exclusive view; none clears it.
    bool setExclusiveView(View* view);
    View* getExclusiveView() const { return exclusiveView; }
    void setEditingView(View* view) { editingView = view; }
    View* getEditingView() const { return editingView; }

    void setBackgroundBitmap(Bitmap* bitmap);
    Bitmap* getBackgroundBitmap() const { return background; }

    bool getWindowPosition(std::int32_t& x, std::int32_t& y);
    bool getWindowRect(Rect& rect);
    bool resizeWindow(std::int32_t width, std::int32_t height);

    bool openHostWindow(const Point* where);
    bool closeHostWindow();

    GuiEditor* getEditor() const { return editor; }
    // Cuts the frame off from an editor that is going away: no idle tick, host request or
    // editing callback reaches it any more.
    void forgetEditor();

    bool isOpen() const { return open; }
    bool isFirstPaintPending() const { return firstPaintPending; }
    bool isHostWindowMode() const { return hostWindowMode; }
    const VstWindow& getHostWindow() const { return hostWindow; }
    std::int32_t getViewCount() const { return viewCount; }
    std::int32_t getViewCapacity() const { return capacity; }
    View* getView(std::int32_t index) const;

    // The name of this library's window class ("Plugin" and the module handle in hex).
    static const char* windowClassName();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void releaseWindowClass();

    GuiEditor* editor;
    HWND parentWindow = nullptr;
    Bitmap* background = nullptr; // one reference held
    std::int32_t viewCount = 0;
    std::int32_t capacity = 0;
    View** views = nullptr; // owned, and the views in it
    View* exclusiveView = nullptr;
    View* editingView = nullptr;
    bool firstPaintPending = true;
    bool open = false;
    // While idle hands the window system's events to the window: a close the host asked for
    // during a drag then waits for the idle to return (the frame is still on the stack).
    bool deliveringEvents = false;
    HWND window = nullptr;
    bool hostWindowMode = false;
    VstWindow hostWindow{};
    // Whether this frame holds one count of the window class, apart from whether its window
    // still exists: the system may destroy the window before the frame goes.
    bool holdsWindowClass = false;
};
