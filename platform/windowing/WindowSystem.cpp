#include "platform/windowing/WindowSystem.h"
#include "platform/api/Gdi.h"
#include "platform/api/Kernel.h"
#include "platform/windowing/Backend.h"
#include "platform/windowing/EditBox.h"

#include <algorithm>
#include <cctype>
#include <list>
#include <unordered_set>

namespace platform::windowing {
namespace {

std::unordered_set<Window*>& liveWindows() {
    static auto* windows = new std::unordered_set<Window*>; // outlives every user
    return *windows;
}

// Windows in creation order, so that searches run in a stable order.
std::vector<Window*>& windowOrder() {
    static auto* order = new std::vector<Window*>;
    return *order;
}

std::list<WindowClass>& classes() {
    static auto* table = [] {
        auto* builtIn = new std::list<WindowClass>;
        WindowClass statics;
        statics.name = "STATIC";
        statics.system = true;
        statics.description.lpfnWndProc = DefWindowProcA;
        statics.description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        builtIn->push_back(statics);
        WindowClass edit;
        edit.name = "EDIT";
        edit.system = true;
        edit.description.lpfnWndProc = editBoxProcedure;
        edit.description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        builtIn->push_back(edit);
        return builtIn;
    }();
    return *table;
}

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == 0;
}

LRESULT send(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    return window && window->procedure
               ? window->procedure(handleOf(window), message, wParam, lParam)
               : 0;
}

void sendDestroy(Window* window) {
    // The window first, then its children, top-down, as the system does.
    const HWND handle = handleOf(window);
    send(window, WM_DESTROY, 0, 0);
    if (!findWindow(handle)) {
        return;
    }
    std::vector<Window*> children = window->children;
    for (Window* child : children) {
        if (findWindow(handleOf(child)) && !child->destroying) {
            child->destroying = true;
            sendDestroy(child);
        }
    }
}

void freeWindow(Window* window) {
    std::vector<Window*> children = window->children;
    for (Window* child : children) {
        if (findWindow(handleOf(child))) {
            freeWindow(child);
        }
    }
    send(window, WM_NCDESTROY, 0, 0);
    backend().windowDestroyed(*window);
    if (window->parent) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    if (window->windowClass) {
        window->windowClass->windows--;
    }
    auto& queue = messageQueue();
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [&](const MSG& m) { return m.hwnd == handleOf(window); }),
                queue.end());
    liveWindows().erase(window);
    auto& order = windowOrder();
    order.erase(std::remove(order.begin(), order.end(), window), order.end());
    delete window;
}

} // namespace

Window* findWindow(HWND handle) {
    auto* window = reinterpret_cast<Window*>(handle);
    return liveWindows().count(window) ? window : nullptr;
}

std::vector<Window*> allWindows() {
    return windowOrder();
}

WindowClass* findClass(const char* name, HINSTANCE module) {
    if (!name) {
        return nullptr;
    }
    WindowClass* systemMatch = nullptr;
    for (WindowClass& c : classes()) {
        if (!sameName(c.name, name)) {
            continue;
        }
        if (c.system) {
            systemMatch = &c;
        } else if (c.module == module) {
            return &c;
        }
    }
    return systemMatch;
}

ATOM registerClass(const WNDCLASSA& description) {
    if (!description.lpszClassName || IS_INTRESOURCE(description.lpszClassName) ||
        !description.lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (WindowClass& c : classes()) {
        if (!c.system && c.module == description.hInstance &&
            sameName(c.name, description.lpszClassName)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    WindowClass made;
    made.name = description.lpszClassName;
    made.module = description.hInstance;
    made.description = description;
    made.description.lpszClassName = nullptr; // the copy of the name is kept in made.name
    made.description.lpszMenuName = nullptr;
    classes().push_back(made);
    static ATOM nextAtom = 0xC000;
    return nextAtom++;
}

bool unregisterClass(const char* name, HINSTANCE module) {
    for (auto it = classes().begin(); it != classes().end(); ++it) {
        if (!it->system && it->module == module && name && sameName(it->name, name)) {
            if (it->windows > 0) {
                SetLastError(ERROR_CLASS_HAS_WINDOWS);
                return false;
            }
            classes().erase(it);
            return true;
        }
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return false;
}

Window* createWindow(DWORD exStyle, const char* className, const char* name, DWORD style, int x,
                     int y, int width, int height, HWND parentHandle, HMENU menu, HINSTANCE module,
                     void* parameter) {
    WindowClass* windowClass = findClass(className, module);
    if (!windowClass) {
        SetLastError(1407); // the class cannot be found
        return nullptr;
    }
    Window* parent = nullptr;
    std::uintptr_t nativeParent = 0;
    if (parentHandle) {
        parent = findWindow(parentHandle);
        if (!parent && acceptsNativeParent(parentHandle)) {
            // A top-level window here, a child of the native window there.
            nativeParent = reinterpret_cast<std::uintptr_t>(parentHandle);
        } else if (!parent) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    } else if (style & WS_CHILD) {
        SetLastError(1406); // a child window needs a parent
        return nullptr;
    }
    if (x == CW_USEDEFAULT) {
        x = y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = 640;
        height = 480;
    }
    auto* window = new Window;
    window->windowClass = windowClass;
    window->procedure = windowClass->description.lpfnWndProc;
    window->module = module;
    window->style = style;
    window->exStyle = exStyle;
    window->text = name ? name : "";
    window->parent = parent;
    window->nativeParent = nativeParent;
    window->id = (style & WS_CHILD) ? LONG_PTR(reinterpret_cast<std::uintptr_t>(menu)) : 0;
    window->x = x;
    window->y = y;
    window->surface =
        std::make_shared<raster::Surface>(std::max(width, 0), std::max(height, 0), 32,
                                          raster::pixelFromColor(backgroundColor(window)));
    windowClass->windows++;
    liveWindows().insert(window);
    windowOrder().push_back(window);
    if (parent) {
        parent->children.push_back(window);
    }
    invalidate(window, nullptr, true);
    backend().windowCreated(*window);

    const HWND handle = handleOf(window);
    CREATESTRUCTA create{};
    create.lpCreateParams = parameter;
    create.hInstance = module;
    create.hMenu = menu;
    create.hwndParent = parentHandle;
    create.cy = height;
    create.cx = width;
    create.y = y;
    create.x = x;
    create.style = LONG(style);
    create.lpszName = name;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    if (!send(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        if (findWindow(handle)) {
            destroyWindow(window);
        }
        return nullptr;
    }
    if (!findWindow(handle) ||
        send(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        if (findWindow(handle)) {
            destroyWindow(window);
        }
        return nullptr;
    }
    if (!findWindow(handle)) {
        return nullptr;
    }
    send(window, WM_SIZE, 0, MAKELPARAM(window->width(), window->height()));
    if (!findWindow(handle)) {
        return nullptr;
    }
    send(window, WM_MOVE, 0, MAKELPARAM(x, y));
    return findWindow(handle);
}

bool destroyWindow(Window* window) {
    if (window->destroying) {
        return true;
    }
    window->destroying = true;
    const HWND handle = handleOf(window);
    window->style &= ~DWORD(WS_VISIBLE);
    sendDestroy(window);
    if (Window* still = findWindow(handle)) {
        freeWindow(still);
    }
    return true;
}

POINT screenOrigin(const Window* window) {
    POINT origin{0, 0};
    for (const Window* w = window; w; w = w->parent) {
        origin.x += w->x;
        origin.y += w->y;
    }
    return origin;
}

void invalidate(Window* window, const RECT* rect, bool erase) {
    RECT area{0, 0, window->width(), window->height()};
    if (rect) {
        area.left = std::max(area.left, rect->left);
        area.top = std::max(area.top, rect->top);
        area.right = std::min(area.right, rect->right);
        area.bottom = std::min(area.bottom, rect->bottom);
    }
    if (area.left >= area.right || area.top >= area.bottom) {
        return;
    }
    if (window->invalid) {
        window->update.left = std::min(window->update.left, area.left);
        window->update.top = std::min(window->update.top, area.top);
        window->update.right = std::max(window->update.right, area.right);
        window->update.bottom = std::max(window->update.bottom, area.bottom);
    } else {
        window->update = area;
        window->invalid = true;
    }
    window->erasePending = window->erasePending || erase;
}

void validate(Window* window, const RECT* rect) {
    if (!window->invalid) {
        return;
    }
    // The update region is kept as one rectangle: validating part of it leaves it whole unless
    // the part covers it.
    if (!rect || (rect->left <= window->update.left && rect->top <= window->update.top &&
                  rect->right >= window->update.right && rect->bottom >= window->update.bottom)) {
        window->invalid = false;
        window->erasePending = false;
        window->update = RECT{0, 0, 0, 0};
    }
}

void resize(Window* window, int width, int height) {
    const int oldWidth = window->width(), oldHeight = window->height();
    window->surface->resize(width, height, raster::pixelFromColor(backgroundColor(window)));
    if (width > oldWidth) {
        RECT grown{oldWidth, 0, width, height};
        invalidate(window, &grown, true);
    }
    if (height > oldHeight) {
        RECT grown{0, oldHeight, width, height};
        invalidate(window, &grown, true);
    }
    if (window->invalid) {
        window->update.right = std::min(window->update.right, LONG(width));
        window->update.bottom = std::min(window->update.bottom, LONG(height));
        if (window->update.right <= window->update.left ||
            window->update.bottom <= window->update.top) {
            validate(window, nullptr);
        }
    }
}

void raise(Window* window) {
    if (!window->parent) {
        auto& order = windowOrder();
        order.erase(std::remove(order.begin(), order.end(), window), order.end());
        order.push_back(window);
        return;
    }
    auto& siblings = window->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.push_back(window);
}

COLORREF backgroundColor(const Window* window) {
    const HBRUSH brush =
        window->windowClass ? window->windowClass->description.hbrBackground : nullptr;
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= 31) {
        return GetSysColor(int(value - 1));
    }
    if (brush) {
        LOGBRUSH logical{};
        if (GetObjectA(brush, sizeof logical, &logical) == sizeof logical &&
            logical.lbStyle == BS_SOLID) {
            return logical.lbColor;
        }
    }
    return RGB(255, 255, 255);
}

std::deque<MSG>& messageQueue() {
    static auto* queue = new std::deque<MSG>;
    return *queue;
}

Window* windowNeedingPaint(Window* within) {
    std::vector<Window*> candidates = windowOrder();
    for (Window* window : candidates) {
        if (!window->invalid || !window->visible()) {
            continue;
        }
        if (within) {
            bool inside = false;
            for (const Window* w = window; w; w = w->parent) {
                inside = inside || w == within;
            }
            if (!inside) {
                continue;
            }
        }
        return window;
    }
    return nullptr;
}

} // namespace platform::windowing
