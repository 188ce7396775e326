// The windowing calls under their Windows names, over the common window code and the active
// backend.
#include "platform/api/Gdi.h"
#include "platform/api/Kernel.h"
#include "platform/api/User.h"
#include "platform/raster/DeviceContext.h"
#include "platform/windowing/Backend.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <cstring>

using namespace platform::windowing;
namespace raster = platform::raster;

namespace {

Window* window(HWND handle) {
    Window* found = findWindow(handle);
    if (!found) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return found;
}

// Stand-ins for the brushes of system colours; they are not deleted.
HBRUSH systemBrush(int index) {
    static HBRUSH brushes[31] = {};
    if (index < 0 || index > 30) {
        return nullptr;
    }
    if (!brushes[index]) {
        brushes[index] = CreateSolidBrush(GetSysColor(index));
        if (auto* object = raster::findObject(brushes[index])) {
            object->stock = true;
        }
    }
    return brushes[index];
}

struct Cursor {
    int id;
};
Cursor arrowCursor{32512};

HWND focusWindow = nullptr;
HWND captureWindow = nullptr;

HDC windowContext(Window* w, const RECT* clip) {
    raster::DeviceContext* dc = raster::createContext(false);
    dc->window = handleOf(w);
    dc->windowSurface = w->surface;
    dc->clipped = clip != nullptr;
    if (clip) {
        dc->clip = *clip;
    }
    return raster::handleOf(dc);
}

HDC screenContext() {
    static std::shared_ptr<platform::raster::Surface> screen =
        std::make_shared<platform::raster::Surface>(0, 0, 32);
    raster::DeviceContext* dc = raster::createContext(false);
    dc->windowSurface = screen;
    return raster::handleOf(dc);
}

} // namespace

// ---- classes

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (!windowClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return registerClass(*windowClass);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE module) {
    return unregisterClass(className, module) ? TRUE : FALSE;
}

BOOL GetClassInfoA(HINSTANCE module, LPCSTR className, LPWNDCLASSA windowClass) {
    WindowClass* found = findClass(className, module);
    if (!found || !windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *windowClass = found->description;
    windowClass->lpszClassName = className;
    return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE module, LPCSTR name) {
    // Only the system's cursors exist; any of them is the arrow here.
    if (module || !IS_INTRESOURCE(name) || !name) {
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(&arrowCursor);
}

HCURSOR SetCursor(HCURSOR cursor) {
    static HCURSOR current = nullptr;
    HCURSOR previous = current;
    current = cursor;
    return previous;
}

DWORD GetSysColor(int index) {
    switch (index) {
    case COLOR_SCROLLBAR:
        return RGB(200, 200, 200);
    case COLOR_BACKGROUND:
        return RGB(0, 0, 0);
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
        return RGB(0, 0, 0);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
        return RGB(160, 160, 160);
    case COLOR_GRAYTEXT:
        return RGB(109, 109, 109);
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    default:
        return RGB(192, 192, 192);
    }
}

HBRUSH GetSysColorBrush(int index) {
    return systemBrush(index);
}

// ---- windows

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE module,
                     LPVOID parameter) {
    return handleOf(createWindow(exStyle, className, windowName, style, x, y, width, height, parent,
                                 menu, module, parameter));
}

BOOL DestroyWindow(HWND handle) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    // The focus leaves a window that is destroyed, or whose ancestor is, with WM_KILLFOCUS.
    for (Window* f = findWindow(focusWindow); f; f = f->parent) {
        if (f == w) {
            const HWND lost = focusWindow;
            focusWindow = nullptr;
            SendMessageA(lost, WM_KILLFOCUS, 0, 0);
            break;
        }
    }
    if (!findWindow(handle)) {
        return TRUE;
    }
    if (captureWindow == handle) {
        captureWindow = nullptr;
    }
    return destroyWindow(w) ? TRUE : FALSE;
}

BOOL IsWindow(HWND handle) {
    return findWindow(handle) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND handle) {
    for (Window* w = findWindow(handle); w; w = w->parent) {
        if (!w->visible()) {
            return FALSE;
        }
        if (!w->parent) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ShowWindow(HWND handle, int command) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    const BOOL wasVisible = w->visible() ? TRUE : FALSE;
    if (command == SW_HIDE) {
        w->style &= ~DWORD(WS_VISIBLE);
    } else {
        w->style |= WS_VISIBLE;
        if (!wasVisible) {
            invalidate(w, nullptr, true);
        }
    }
    backend().windowChanged(*w);
    return wasVisible;
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = findWindow(handle);
    if (!w) {
        return 0;
    }
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_ERASEBKGND: {
        const HBRUSH brush = w->windowClass ? w->windowClass->description.hbrBackground : nullptr;
        if (!brush) {
            return 0;
        }
        RECT client{0, 0, w->width(), w->height()};
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    case WM_GETTEXTLENGTH:
        return LRESULT(w->text.size());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam) {
            return 0;
        }
        const std::size_t n = std::min(std::size_t(wParam) - 1, w->text.size());
        std::memcpy(reinterpret_cast<char*>(lParam), w->text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    default:
        return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC procedure, HWND handle, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    return procedure ? procedure(handle, message, wParam, lParam) : 0;
}

LONG_PTR SetWindowLongPtrA(HWND handle, int index, LONG_PTR value) {
    Window* w = window(handle);
    if (!w) {
        return 0;
    }
    LONG_PTR previous = 0;
    switch (index) {
    case GWLP_USERDATA:
        previous = w->userData;
        w->userData = value;
        break;
    case GWLP_WNDPROC:
        previous = reinterpret_cast<LONG_PTR>(w->procedure);
        if (value) {
            w->procedure = reinterpret_cast<WNDPROC>(value);
        }
        break;
    case GWLP_ID:
        previous = w->id;
        w->id = value;
        break;
    case GWL_STYLE:
        previous = LONG_PTR(w->style);
        w->style = DWORD(value);
        backend().windowChanged(*w);
        break;
    case GWL_EXSTYLE:
        previous = LONG_PTR(w->exStyle);
        w->exStyle = DWORD(value);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    return previous;
}

LONG_PTR GetWindowLongPtrA(HWND handle, int index) {
    Window* w = window(handle);
    if (!w) {
        return 0;
    }
    switch (index) {
    case GWLP_USERDATA:
        return w->userData;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->procedure);
    case GWLP_ID:
        return w->id;
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->module);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent);
    case GWL_STYLE:
        return LONG_PTR(w->style);
    case GWL_EXSTYLE:
        return LONG_PTR(w->exStyle);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

// The 32-bit slots keep the low 32 bits, as they do on 64-bit Windows.
LONG SetWindowLongA(HWND handle, int index, LONG value) {
    return LONG(SetWindowLongPtrA(handle, index, LONG_PTR(value)));
}

LONG GetWindowLongA(HWND handle, int index) {
    return LONG(GetWindowLongPtrA(handle, index));
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
    return findWindow(handle)
               ? BOOL(SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)))
               : FALSE;
}

int GetWindowTextA(HWND handle, LPSTR buffer, int size) {
    if (!findWindow(handle) || !buffer || size <= 0) {
        return 0;
    }
    return int(SendMessageA(handle, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

// ---- the window tree

HWND GetParent(HWND handle) {
    Window* w = window(handle);
    return w && w->parent ? handleOf(w->parent) : nullptr;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
    Window* w = window(handle);
    if (!w || !rect) {
        return FALSE;
    }
    const POINT origin = screenOrigin(w);
    *rect = RECT{origin.x, origin.y, origin.x + w->width(), origin.y + w->height()};
    return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
    Window* w = window(handle);
    if (!w || !rect) {
        return FALSE;
    }
    *rect = RECT{0, 0, w->width(), w->height()};
    return TRUE;
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    const bool moved = !(flags & SWP_NOMOVE) && (x != w->x || y != w->y);
    const bool sized = !(flags & SWP_NOSIZE) &&
                       (std::max(width, 0) != w->width() || std::max(height, 0) != w->height());
    if (moved) {
        w->x = x;
        w->y = y;
    }
    if (sized) {
        resize(w, std::max(width, 0), std::max(height, 0));
    }
    if (!(flags & SWP_NOZORDER) && insertAfter == HWND_TOP) {
        raise(w);
    }
    if (flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
    }
    if (flags & SWP_HIDEWINDOW) {
        w->style &= ~DWORD(WS_VISIBLE);
    }
    backend().windowChanged(*w);
    if (sized) {
        SendMessageA(handle, WM_SIZE, 0, MAKELPARAM(w->width(), w->height()));
    }
    if (moved && findWindow(handle)) {
        SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(x, y));
    }
    return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
    if (!SetWindowPos(handle, nullptr, x, y, width, height, SWP_NOZORDER)) {
        return FALSE;
    }
    if (repaint) {
        InvalidateRect(handle, nullptr, TRUE);
    }
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT a{0, 0}, b{0, 0};
    if (from) {
        Window* w = window(from);
        if (!w) {
            return 0;
        }
        a = screenOrigin(w);
    }
    if (to) {
        Window* w = window(to);
        if (!w) {
            return 0;
        }
        b = screenOrigin(w);
    }
    const int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(WORD(dx), WORD(dy));
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
    Window* w = window(handle);
    if (!w || !point) {
        return FALSE;
    }
    const POINT origin = screenOrigin(w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
    Window* w = window(handle);
    if (!w || !point) {
        return FALSE;
    }
    const POINT origin = screenOrigin(w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL BringWindowToTop(HWND handle) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    raise(w);
    backend().windowChanged(*w);
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return 1920;
    case SM_CYSCREEN:
        return 1080;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CYCAPTION:
        return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    default:
        return 0;
    }
}

HWND SetFocus(HWND handle) {
    if (handle && !findWindow(handle)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND previous = focusWindow;
    if (previous == handle) {
        return previous;
    }
    focusWindow = handle;
    if (previous && findWindow(previous)) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
    }
    if (handle && findWindow(handle)) {
        SendMessageA(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND GetFocus() {
    return findWindow(focusWindow) ? focusWindow : nullptr;
}

HWND SetCapture(HWND handle) {
    const HWND previous = captureWindow;
    captureWindow = findWindow(handle) ? handle : nullptr;
    return previous;
}

BOOL ReleaseCapture() {
    captureWindow = nullptr;
    return TRUE;
}

HWND GetCapture() {
    return findWindow(captureWindow) ? captureWindow : nullptr;
}

// ---- painting

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
    if (!handle) {
        for (Window* w : allWindows()) {
            if (!w->parent) {
                invalidate(w, rect, erase != FALSE);
            }
        }
        return TRUE;
    }
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    invalidate(w, rect, erase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND handle, const RECT* rect) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    validate(w, rect);
    return TRUE;
}

BOOL GetUpdateRect(HWND handle, LPRECT rect, BOOL erase) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    if (rect) {
        *rect = w->invalid ? w->update : RECT{0, 0, 0, 0};
    }
    if (w->invalid && erase && w->erasePending) {
        w->erasePending = false;
        HDC dc = windowContext(w, &w->update);
        SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(handle, dc);
    }
    w = findWindow(handle);
    return w && w->invalid ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND handle) {
    Window* w = window(handle);
    if (!w) {
        return FALSE;
    }
    if (w->invalid) {
        SendMessageA(handle, WM_PAINT, 0, 0);
    }
    return TRUE;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    Window* w = window(handle);
    if (!w || !paint) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    const RECT area = w->invalid ? w->update : RECT{0, 0, 0, 0};
    const bool erase = w->invalid && w->erasePending;
    validate(w, nullptr);
    HDC dc = windowContext(w, &area);
    paint->hdc = dc;
    paint->rcPaint = area;
    paint->fErase = TRUE;
    if (erase) {
        // fErase tells the window whether it still has to erase: the default erase did it.
        paint->fErase =
            SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    } else {
        paint->fErase = FALSE;
    }
    return dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
    if (!paint) {
        return FALSE;
    }
    ReleaseDC(handle, paint->hdc);
    return TRUE;
}

HDC GetDC(HWND handle) {
    if (!handle) {
        return screenContext();
    }
    Window* w = window(handle);
    return w ? windowContext(w, nullptr) : nullptr;
}

int ReleaseDC(HWND handle, HDC dc) {
    raster::DeviceContext* found = raster::findContext(dc);
    if (!found || found->memory) {
        return 0;
    }
    raster::destroyContext(found);
    if (Window* w = findWindow(handle)) {
        backend().windowDrawn(*w);
    }
    return 1;
}

HWND WindowFromDC(HDC dc) {
    raster::DeviceContext* found = raster::findContext(dc);
    return found && findWindow(found->window) ? found->window : nullptr;
}

// ---- messages

BOOL PostMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handle && !findWindow(handle)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MSG posted{};
    posted.hwnd = handle;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    posted.time = GetTickCount();
    GetCursorPos(&posted.pt);
    messageQueue().push_back(posted);
    return TRUE;
}

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = window(handle);
    if (!w || !w->procedure) {
        return 0;
    }
    return w->procedure(handle, message, wParam, lParam);
}

namespace {

bool matches(const MSG& m, HWND filter, UINT first, UINT last) {
    if (filter && m.hwnd != filter) {
        bool child = false;
        for (Window* w = findWindow(m.hwnd); w; w = w->parent) {
            child = child || handleOf(w) == filter;
        }
        if (!child) {
            return false;
        }
    }
    return (first == 0 && last == 0) || (m.message >= first && m.message <= last);
}

} // namespace

BOOL PeekMessageA(LPMSG message, HWND handle, UINT first, UINT last, UINT remove) {
    if (!message) {
        return FALSE;
    }
    MSG native{};
    while (backend().nextEvent(native)) {
        messageQueue().push_back(native);
    }
    auto& queue = messageQueue();
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (matches(*it, handle, first, last)) {
            *message = *it;
            if (remove & PM_REMOVE) {
                queue.erase(it);
            }
            return TRUE;
        }
    }
    // Paint requests come after every posted message and stay until the window is validated.
    if ((first == 0 && last == 0) || (WM_PAINT >= first && WM_PAINT <= last)) {
        if (Window* w = windowNeedingPaint(handle ? findWindow(handle) : nullptr)) {
            *message = MSG{};
            message->hwnd = handleOf(w);
            message->message = WM_PAINT;
            message->time = GetTickCount();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetMessageA(LPMSG message, HWND handle, UINT first, UINT last) {
    // Nothing arrives on its own in memory: an empty queue reads as the end of the loop.
    if (!PeekMessageA(message, handle, first, last, PM_REMOVE)) {
        if (message) {
            *message = MSG{};
            message->message = WM_QUIT;
        }
        return FALSE;
    }
    return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* message) {
    return message ? FALSE : FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
    if (!message || !message->hwnd) {
        return 0;
    }
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
    MSG quit{};
    quit.message = WM_QUIT;
    quit.wParam = WPARAM(exitCode);
    messageQueue().push_back(quit);
}

// ---- input

SHORT GetAsyncKeyState(int key) {
    return backend().asyncKeyState(key);
}

SHORT GetKeyState(int key) {
    return backend().asyncKeyState(key);
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) {
        return FALSE;
    }
    *point = backend().cursorPosition();
    return TRUE;
}

// ---- rectangles

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) {
        return FALSE;
    }
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) {
        return FALSE;
    }
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) {
        return FALSE;
    }
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT result, const RECT* a, const RECT* b) {
    if (!result || !a || !b) {
        return FALSE;
    }
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(result);
        return FALSE;
    }
    *result = r;
    return TRUE;
}

BOOL UnionRect(LPRECT result, const RECT* a, const RECT* b) {
    if (!result || !a || !b) {
        return FALSE;
    }
    if (IsRectEmpty(a)) {
        *result = *b;
    } else if (IsRectEmpty(b)) {
        *result = *a;
    } else {
        *result = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                       std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return IsRectEmpty(result) ? FALSE : TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
                   point.y < rect->bottom
               ? TRUE
               : FALSE;
}
