#include "framework/gui/Frame.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>

#include "framework/effect/ExtendedEffect.h"
#include "framework/effect/GuiEditor.h"
#include "framework/effect/Module.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#ifndef _WIN32
#include "platform/NativeEvents.h"
#endif

namespace {

constexpr std::int32_t viewArrayStep = 10;

// Frames of this library that hold the window class; registered at the first, unregistered
// when the last lets go. Only the user-interface thread touches it.
int windowClassUsers = 0;

bool acquireWindowClass(WNDPROC procedure) {
    if (windowClassUsers == 0) {
        WNDCLASSA windowClass{};
        windowClass.style = 0;
        windowClass.lpfnWndProc = procedure;
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = 0;
        windowClass.hInstance = static_cast<HINSTANCE>(moduleHandle);
        windowClass.hIcon = nullptr;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszMenuName = nullptr;
        windowClass.lpszClassName = Frame::windowClassName();
        RegisterClassA(&windowClass);
    }
    ++windowClassUsers;
    return true;
}

ExtendedEffect* hostWindowEffect(GuiEditor* editor) {
    return editor != nullptr ? dynamic_cast<ExtendedEffect*>(editor->getEffect()) : nullptr;
}

} // namespace

const char* Frame::windowClassName() {
    // At least eight digits: on 64-bit builds the whole handle, so that no two libraries can
    // end up with one name.
    static char name[32] = {};
    if (name[0] == 0) {
        std::snprintf(name, sizeof(name), "Plugin%08" PRIxPTR,
                      reinterpret_cast<std::uintptr_t>(moduleHandle));
    }
    return name;
}

Frame::Frame(const Rect& size, void* parentWindow, GuiEditor* editor)
    : View(size), editor(editor), parentWindow(static_cast<HWND>(parentWindow)), open(true) {
    createWindow();
}

Frame::Frame(const Rect& size, const char* title, GuiEditor* editor, std::int32_t style)
    : View(size), editor(editor), hostWindowMode(true) {
    if (title != nullptr) {
        std::strncpy(hostWindow.title, title, sizeof(hostWindow.title) - 1);
    }
    hostWindow.xPos = std::int16_t(size.left);
    hostWindow.yPos = std::int16_t(size.top);
    hostWindow.width = std::int16_t(size.width());
    hostWindow.height = std::int16_t(size.height());
    hostWindow.style = style;
}

Frame::~Frame() {
    if (editingView != nullptr) {
        editingView->endEditing();
        editingView = nullptr;
    }
    for (std::int32_t i = 0; i < viewCount; ++i) {
        delete views[i];
    }
    delete[] views;
    views = nullptr;
    viewCount = 0;
    capacity = 0;
    if (background != nullptr) {
        background->release();
        background = nullptr;
    }
    if (window != nullptr) {
        // Cleared first, so that the messages of the window's destruction find no frame.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        window = nullptr;
    }
    releaseWindowClass();
    if (hostWindowMode) {
        closeHostWindow();
    }
}

void Frame::releaseWindowClass() {
    if (!holdsWindowClass) {
        return;
    }
    holdsWindowClass = false;
    if (--windowClassUsers == 0) {
        UnregisterClassA(windowClassName(), static_cast<HINSTANCE>(moduleHandle));
    }
}

bool Frame::createWindow() {
    if (parentWindow == nullptr) {
        return false;
    }
    if (!holdsWindowClass) {
        holdsWindowClass = acquireWindowClass(&Frame::windowProcedure);
    }
    window = CreateWindowExA(0, windowClassName(), "Window", WS_CHILD | WS_VISIBLE, 0, 0,
                             size.width(), size.height(), parentWindow, nullptr,
                             static_cast<HINSTANCE>(moduleHandle), nullptr);
    if (window != nullptr) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    // A window that could not be made is not reported: the frame then only draws nothing.
    return true;
}

LRESULT CALLBACK Frame::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Frame* frame = reinterpret_cast<Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT: {
        RECT update{};
        if (frame != nullptr && GetUpdateRect(window, &update, FALSE)) {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            {
                DrawContext context(frame, dc, window);
                frame->draw(context);
            }
            EndPaint(window, &paint);
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (frame != nullptr) {
            HDC dc = GetDC(window);
            {
                DrawContext context(frame, dc, window);
                const Point where(LOWORD(lParam), HIWORD(lParam));
                frame->onMouseDown(context, where);
            }
            ReleaseDC(window, dc);
            // A close the host asked for during a drag: here no control is on the stack any
            // more (unless the frame's own idle delivered this press; the editor's idle then
            // closes). The window is gone after it.
            GuiEditor* editor = frame->getEditor();
            if (editor != nullptr && !frame->deliveringEvents && editor->closeIfRequested()) {
                return 0;
            }
        }
        break;
    case WM_DESTROY:
        if (frame != nullptr) {
            frame->open = false;
            frame->parentWindow = nullptr;
            // The handle is dead from here on and may be given to another window later.
            frame->window = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Frame::draw(DrawContext& context) {
    firstPaintPending = false;
    if (background != nullptr) {
        background->draw(context, Rect(0, 0, background->getWidth(), background->getHeight()),
                         Point(0, 0));
    }
    for (std::int32_t i = 0; i < viewCount; ++i) {
        views[i]->draw(context);
    }
    if (exclusiveView != nullptr) {
        exclusiveView->draw(context);
    }
}

void Frame::onMouseDown(DrawContext& context, const Point& where) {
    if (editingView != nullptr && !where.isInside(editingView->getSize())) {
        editingView->endEditing();
        editingView = nullptr;
    }
    if (exclusiveView != nullptr) {
        if (where.isInside(exclusiveView->getSize())) {
            exclusiveView->onMouseDown(context, where);
        }
        return;
    }
    // The view attached last lies on top.
    for (std::int32_t i = viewCount - 1; i >= 0; --i) {
        if (where.isInside(views[i]->getSize())) {
            views[i]->onMouseDown(context, where);
            return;
        }
    }
}

void Frame::drawIfChanged(DrawContext& context) {
    if (!open) {
        return;
    }
    if (exclusiveView != nullptr) {
        exclusiveView->drawIfChanged(context);
        return;
    }
    for (std::int32_t i = 0; i < viewCount; ++i) {
        views[i]->drawIfChanged(context);
    }
}

void Frame::redrawView(View* view) {
    if (window == nullptr) {
        return;
    }
    bool attached = false;
    for (std::int32_t i = 0; i < viewCount && !attached; ++i) {
        attached = views[i] == view;
    }
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return;
    }
    {
        DrawContext context(this, dc, window);
        if (attached) {
            view->draw(context);
        } else {
            draw(context);
        }
    }
    ReleaseDC(window, dc);
}

void Frame::idle() {
#ifndef _WIN32
    // No system message loop serves the window here: the editor's idle delivers its events.
    if (window != nullptr) {
        const bool outerDelivery = deliveringEvents;
        deliveringEvents = true;
        pumpNativeEvents(window);
        deliveringEvents = outerDelivery;
    }
#endif
    if (!open || firstPaintPending || window == nullptr) {
        return;
    }
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return;
    }
    {
        DrawContext context(this, dc, window);
        drawIfChanged(context);
    }
    ReleaseDC(window, dc);
}

bool Frame::attachView(View* view) {
    if (view == nullptr) {
        return false;
    }
    if (viewCount == capacity) {
        const std::int32_t grown = capacity + viewArrayStep;
        View** larger = new (std::nothrow) View*[std::size_t(grown)];
        if (larger == nullptr) {
            return false;
        }
        for (std::int32_t i = 0; i < viewCount; ++i) {
            larger[i] = views[i];
        }
        delete[] views;
        views = larger;
        capacity = grown;
    }
    views[viewCount++] = view;
    view->frame = this;
    return true;
}

bool Frame::detachView(View* view) {
    for (std::int32_t i = 0; i < viewCount; ++i) {
        if (views[i] == view) {
            for (std::int32_t j = i + 1; j < viewCount; ++j) {
                views[j - 1] = views[j];
            }
            --viewCount;
            break;
        }
    }
    return true;
}

View* Frame::getView(std::int32_t index) const {
    return index >= 0 && index < viewCount ? views[index] : nullptr;
}

bool Frame::setExclusiveView(View* view) {
    if (view != nullptr && exclusiveView != nullptr && view != exclusiveView) {
        return false;
    }
    exclusiveView = view;
    return true;
}

void Frame::setBackgroundBitmap(Bitmap* bitmap) {
    // The new reference is taken first, so that setting the same bitmap again cannot
    // destroy it in between.
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
    if (background != nullptr) {
        background->release();
    }
    background = bitmap;
}

bool Frame::getWindowPosition(std::int32_t& x, std::int32_t& y) {
    if (!open || window == nullptr) {
        return false;
    }
    HWND outer = GetParent(GetParent(window));
    if (outer == nullptr) {
        return false;
    }
    RECT bounds{};
    GetWindowRect(outer, &bounds);
    POINT corner{bounds.left, bounds.top};
    MapWindowPoints(nullptr, GetParent(outer), &corner, 1);
    x = corner.x;
    y = corner.y;
    return true;
}

bool Frame::getWindowRect(Rect& rect) {
    if (!open || window == nullptr) {
        return false;
    }
    HWND parent = GetParent(window);
    if (parent == nullptr) {
        return false;
    }
    RECT bounds{};
    GetWindowRect(parent, &bounds);
    POINT corner{bounds.left, bounds.top};
    MapWindowPoints(nullptr, GetParent(GetParent(parent)), &corner, 1);
    rect = Rect(corner.x, corner.y, corner.x + (bounds.right - bounds.left),
                corner.y + (bounds.bottom - bounds.top));
    return true;
}

bool Frame::resizeWindow(std::int32_t width, std::int32_t height) {
    if (!open || window == nullptr) {
        return false;
    }
    if (width == size.width() && height == size.height()) {
        return false;
    }
    size.right = size.left + width;
    size.bottom = size.top + height;

    // Each enclosing window grows by what it had around the one inside it, until a window
    // has more than a border's worth around it (a host's own layout) or the difference
    // settles at the dialog frame.
    const int limit = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    int dx = 0;
    int dy = 0;
    HWND current = window;
    while (dx != limit && current != nullptr) {
        HWND parent = GetParent(current);
        RECT inner{};
        RECT outer{};
        GetWindowRect(current, &inner);
        if (parent != nullptr) {
            GetWindowRect(parent, &outer);
        }
        SetWindowPos(current, HWND_TOP, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
        dx = (outer.right - outer.left) - (inner.right - inner.left);
        dy = (outer.bottom - outer.top) - (inner.bottom - inner.top);
        if (dx > 80 || dy > 80) {
            return true;
        }
        current = parent;
    }
    if (current != nullptr) {
        SetWindowPos(current, HWND_TOP, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
    }
    return true;
}

bool Frame::openHostWindow(const Point* where) {
    if (!hostWindowMode) {
        return false;
    }
    if (open) {
        if (window != nullptr) {
            HWND outer = GetParent(GetParent(window));
            if (outer != nullptr) {
                BringWindowToTop(outer);
            }
        }
        return false;
    }
    if (where != nullptr) {
        hostWindow.xPos = std::int16_t(where->h);
        hostWindow.yPos = std::int16_t(where->v);
    }
    ExtendedEffect* effect = hostWindowEffect(editor);
    parentWindow =
        effect != nullptr ? static_cast<HWND>(effect->askHostOpenWindow(&hostWindow)) : nullptr;
    if (parentWindow != nullptr && createWindow()) {
        open = true;
    }
    return open;
}

bool Frame::closeHostWindow() {
    if (!hostWindowMode || !open || parentWindow == nullptr) {
        return false;
    }
    if (ExtendedEffect* effect = hostWindowEffect(editor)) {
        effect->askHostCloseWindow(&hostWindow);
    }
    parentWindow = nullptr;
    return true;
}

void Frame::forgetEditor() {
    editor = nullptr;
    // An edit box still open would report to the editor's listener part as it closes.
    editingView = nullptr;
}
