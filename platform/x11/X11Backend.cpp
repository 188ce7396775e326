#include "platform/x11/X11Backend.h"
#include "platform/api/Kernel.h"
#include "platform/x11/ErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <thread>

namespace platform::x11 {
namespace {

// Resource ids of X servers never have their top three bits set; a larger value is a pointer.
constexpr std::uintptr_t largestResourceId = 0x1FFFFFFF;
// How long one pointer query answers the polls.
constexpr auto pointerQueryLife = std::chrono::microseconds(1000);
// How often a drag's cursor polls put the dragged window's picture.
constexpr auto dragPutInterval = std::chrono::milliseconds(15);
constexpr int connectAttempts = 6;

GC gcOf(void* gc) {
    return static_cast<GC>(gc);
}

Visual* visualOf(void* visual) {
    return static_cast<Visual*>(visual);
}

// The modifier bit that Alt sets: the one its keys are mapped to (Mod1 on nearly every server).
unsigned findAltMask(Display* display) {
    unsigned mask = Mod1Mask;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (map == nullptr) {
        return mask;
    }
    const KeyCode altLeft = XKeysymToKeycode(display, XK_Alt_L);
    const KeyCode altRight = XKeysymToKeycode(display, XK_Alt_R);
    for (int modifier = Mod1MapIndex; modifier <= Mod5MapIndex; ++modifier) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            const KeyCode code = map->modifiermap[modifier * map->max_keypermod + k];
            if (code != 0 && (code == altLeft || code == altRight)) {
                mask = 1u << modifier;
                modifier = Mod5MapIndex + 1;
                break;
            }
        }
    }
    XFreeModifiermap(map);
    return mask;
}

int maskShift(unsigned long mask) {
    return mask == 0 ? 0 : std::countr_zero(mask);
}

int maskBits(unsigned long mask) {
    return std::popcount(mask);
}

// One 8-bit channel scaled into a mask of the visual.
unsigned long channelInto(unsigned channel, unsigned long mask) {
    const int bits = maskBits(mask);
    const unsigned long value = bits >= 8 ? (channel << (bits - 8)) : (channel >> (8 - bits));
    return (value << maskShift(mask)) & mask;
}

// A busy server turns a connection away now and then (the socket's queue is full); it takes
// the same one a moment later.
Display* openDisplay() {
    for (int attempt = 0; attempt < connectAttempts; ++attempt) {
        if (Display* opened = XOpenDisplay(nullptr)) {
            return opened;
        }
        if (std::getenv("DISPLAY") == nullptr) {
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1 << attempt));
    }
    return nullptr;
}

} // namespace

X11Backend& x11Backend() {
    static X11Backend instance;
    return instance;
}

bool X11Backend::connect() {
    if (display != nullptr) {
        return !connectionLost(display);
    }
    display = openDisplay();
    if (display == nullptr) {
        return false;
    }
    watchConnection(display);
    ErrorTrap trap(display);
    const int screen = DefaultScreen(display);
    root = RootWindow(display, screen);
    visual = DefaultVisual(display, screen);
    depth = DefaultDepth(display, screen);
    altMask = findAltMask(display);
    queriedOnce = false;
    return true;
}

void X11Backend::closeIfUnused() {
    if (display == nullptr || !hosted.empty() || pumpDepth > 0) {
        return;
    }
    pending.clear();
    {
        ErrorTrap trap(display);
        XCloseDisplay(display);
    }
    forgetConnection(display);
    display = nullptr;
    root = 0;
    visual = nullptr;
    queriedOnce = false;
    std::vector<std::uint32_t>().swap(picture);
    std::vector<std::uint32_t>().swap(converted);
}

bool X11Backend::acceptsParent(std::uintptr_t parent) {
    if (parent == 0 || parent > largestResourceId || !connect()) {
        return false;
    }
    bool exists = false;
    {
        ErrorTrap trap(display);
        XWindowAttributes attributes{};
        exists = XGetWindowAttributes(display, parent, &attributes) != 0 && trap.succeeded();
    }
    if (!exists) {
        closeIfUnused();
    }
    return exists;
}

X11Backend::Hosted* X11Backend::find(const windowing::Window* window) {
    for (Hosted& h : hosted) {
        if (h.window == window) {
            return &h;
        }
    }
    return nullptr;
}

const X11Backend::Hosted* X11Backend::find(const windowing::Window* window) const {
    for (const Hosted& h : hosted) {
        if (h.window == window) {
            return &h;
        }
    }
    return nullptr;
}

X11Backend::Hosted* X11Backend::findById(unsigned long id) {
    for (Hosted& h : hosted) {
        if (h.id == id) {
            return &h;
        }
    }
    return nullptr;
}

bool X11Backend::hosts(const windowing::Window& window) const {
    const windowing::Window* top = &window;
    while (top->parent != nullptr) {
        top = top->parent;
    }
    return find(top) != nullptr;
}

void X11Backend::windowCreated(windowing::Window& window) {
    if (window.nativeParent == 0 || !connect()) {
        return;
    }
    ErrorTrap trap(display);
    const auto parent = static_cast<::Window>(window.nativeParent);
    XSetWindowAttributes attributes{};
    // No background: the server leaves exposed parts as they are until we put our picture,
    // so nothing flashes.
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, DefaultScreen(display));
    attributes.event_mask =
        ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    const unsigned long mask = CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask;
    const ::Window id =
        XCreateWindow(display, parent, window.x, window.y, unsigned(std::max(window.width(), 1)),
                      unsigned(std::max(window.height(), 1)), 0, depth, InputOutput,
                      visualOf(visual), mask, &attributes);
    GC gc = XCreateGC(display, id, 0, nullptr);
    int originX = 0, originY = 0;
    ::Window child = 0;
    XTranslateCoordinates(display, parent, root, 0, 0, &originX, &originY, &child);
    if (window.visible()) {
        XMapWindow(display, id);
    }
    if (!trap.succeeded()) {
        // The window stays one of memory only; nothing of it reaches the server.
        XFreeGC(display, gc);
        XDestroyWindow(display, id);
        trap.succeeded();
        return;
    }
    Hosted made;
    made.window = &window;
    made.id = id;
    made.parent = parent;
    made.gc = gc;
    made.parentOrigin = POINT{originX, originY};
    hosted.push_back(made);
    // Screen coordinates are the root window's: a hosted window's position is kept there.
    window.x += originX;
    window.y += originY;
}

void X11Backend::windowDestroyed(windowing::Window& window) {
    Hosted* h = find(&window);
    if (h == nullptr) {
        return;
    }
    {
        ErrorTrap trap(display);
        // The context outlives the window on the server, and its record lives in Xlib's memory
        // even on a connection that is lost.
        XFreeGC(display, gcOf(h->gc));
        if (!h->gone && !connectionLost(display)) {
            XDestroyWindow(display, h->id);
            XFlush(display);
        }
    }
    const HWND handle = windowing::handleOf(&window);
    pending.erase(std::remove_if(pending.begin(), pending.end(),
                                 [&](const MSG& m) { return m.hwnd == handle; }),
                  pending.end());
    hosted.erase(hosted.begin() + (h - hosted.data()));
    closeIfUnused();
}

void X11Backend::windowChanged(windowing::Window& window) {
    Hosted* h = find(&window);
    if (h == nullptr || h->gone || connectionLost(display)) {
        return;
    }
    ErrorTrap trap(display);
    XMoveResizeWindow(display, h->id, window.x - h->parentOrigin.x, window.y - h->parentOrigin.y,
                      unsigned(std::max(window.width(), 1)),
                      unsigned(std::max(window.height(), 1)));
    if (window.visible()) {
        XMapWindow(display, h->id);
    } else {
        XUnmapWindow(display, h->id);
    }
    XFlush(display);
}

void X11Backend::windowDrawn(windowing::Window& window) {
    windowing::Window* top = &window;
    while (top->parent != nullptr) {
        top = top->parent;
    }
    Hosted* h = find(top);
    if (h != nullptr && !h->gone && !connectionLost(display)) {
        put(*h);
    }
}

const std::uint32_t* X11Backend::pixelsFor(Hosted& h, int& width, int& height) {
    windowing::Window& window = *h.window;
    width = window.width();
    height = window.height();
    const raster::Surface& surface = *window.surface;
    if (window.children.empty()) {
        return surface.pixels.data();
    }
    // Children are drawn into a copy at their places, bottom to top, as the screen shows them.
    picture.assign(surface.pixels.begin(), surface.pixels.end());
    struct Placed {
        const windowing::Window* window;
        int x, y;
    };
    std::vector<Placed> stack;
    for (const windowing::Window* child : window.children) {
        stack.push_back({child, child->x, child->y});
    }
    for (std::size_t i = 0; i < stack.size(); ++i) {
        const Placed placed = stack[i];
        if (!placed.window->visible()) {
            continue;
        }
        const raster::Surface& s = *placed.window->surface;
        for (int y = std::max(0, -placed.y); y < s.height && placed.y + y < height; ++y) {
            for (int x = std::max(0, -placed.x); x < s.width && placed.x + x < width; ++x) {
                picture[std::size_t(placed.y + y) * std::size_t(width) +
                        std::size_t(placed.x + x)] = s.row(y)[x];
            }
        }
        for (const windowing::Window* grandchild : placed.window->children) {
            stack.push_back({grandchild, placed.x + grandchild->x, placed.y + grandchild->y});
        }
    }
    return picture.data();
}

void X11Backend::put(Hosted& h) {
    int width = 0, height = 0;
    const std::uint32_t* pixels = pixelsFor(h, width, height);
    if (width <= 0 || height <= 0) {
        return;
    }
    const std::size_t total = std::size_t(width) * std::size_t(height);
    if (!h.exposed && h.shown.size() == total &&
        std::equal(pixels, pixels + total, h.shown.begin())) {
        return;
    }
    h.shown.assign(pixels, pixels + total);
    h.exposed = false;
    h.putTime = std::chrono::steady_clock::now();
    ErrorTrap trap(display);
    XImage* image = XCreateImage(display, visualOf(visual), unsigned(depth), ZPixmap, 0, nullptr,
                                 unsigned(width), unsigned(height), 32, 0);
    if (image == nullptr) {
        return;
    }
    // Our pixels are 32-bit words in this machine's byte order; Xlib swaps them for a server
    // of the other order.
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    const Visual* v = visualOf(visual);
    const bool ourLayout = image->bits_per_pixel == 32 && v->red_mask == 0xFF0000 &&
                           v->green_mask == 0xFF00 && v->blue_mask == 0xFF;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (ourLayout && depth == 24) {
        image->bytes_per_line = width * 4;
        image->data = reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels));
    } else if (ourLayout) {
        // A visual with alpha: every pixel opaque.
        converted.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            converted[i] = pixels[i] | 0xFF000000u;
        }
        image->bytes_per_line = width * 4;
        image->data = reinterpret_cast<char*>(converted.data());
    } else {
        // Any other true-colour layout, pixel by pixel.
        const std::size_t bytes = std::size_t(image->bytes_per_line) * std::size_t(height);
        converted.assign((bytes + 3) / 4, 0);
        image->data = reinterpret_cast<char*>(converted.data());
        image->byte_order = ImageByteOrder(display);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p =
                    pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
                XPutPixel(image, x, y,
                          channelInto((p >> 16) & 0xFF, v->red_mask) |
                              channelInto((p >> 8) & 0xFF, v->green_mask) |
                              channelInto(p & 0xFF, v->blue_mask));
            }
        }
    }
    XPutImage(display, h.id, gcOf(h.gc), image, 0, 0, 0, 0, unsigned(width), unsigned(height));
    image->data = nullptr; // the pixels are not Xlib's to free
    XDestroyImage(image);
    XFlush(display);
}

void X11Backend::queryPointer() {
    const auto now = std::chrono::steady_clock::now();
    if (queriedOnce && now - queried < pointerQueryLife) {
        return;
    }
    if (display == nullptr || connectionLost(display)) {
        pointerMask = 0;
        return;
    }
    ErrorTrap trap(display);
    ::Window rootReturn = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (XQueryPointer(display, root, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)) {
        pointerRoot = POINT{rootX, rootY};
        pointerMask = mask;
    }
    queried = now;
    queriedOnce = true;
}

SHORT X11Backend::asyncKeyState(int key) {
    queryPointer();
    unsigned bit = 0;
    switch (key) {
    case VK_LBUTTON:
        bit = Button1Mask;
        break;
    case VK_MBUTTON:
        bit = Button2Mask;
        break;
    case VK_RBUTTON:
        bit = Button3Mask;
        break;
    case VK_SHIFT:
    case 0xA0: // left and right shift
    case 0xA1:
        bit = ShiftMask;
        break;
    case VK_CONTROL:
    case 0xA2:
    case 0xA3:
        bit = ControlMask;
        break;
    case VK_MENU:
    case 0xA4:
    case 0xA5:
        bit = altMask;
        break;
    default:
        break;
    }
    return (pointerMask & bit) != 0 ? SHORT(0x8000) : SHORT(0);
}

POINT X11Backend::cursorPosition() {
    // A new position each time: a drag reads the cursor and then the buttons, once per pass.
    queriedOnce = false;
    queryPointer();
    if (pressed != nullptr) {
        Hosted* h = find(windowing::findWindow(pressed));
        if (h != nullptr && !h->gone && !connectionLost(display) &&
            std::chrono::steady_clock::now() - h->putTime >= dragPutInterval) {
            put(*h);
        }
    }
    return pointerRoot;
}

void X11Backend::queueButton(Hosted& h, bool press, unsigned button, unsigned state, int x, int y,
                             int rootX, int rootY) {
    // Where the press says the window is on the root window: the host may have moved it.
    windowing::Window& window = *h.window;
    const POINT relative{window.x - h.parentOrigin.x, window.y - h.parentOrigin.y};
    window.x = rootX - x;
    window.y = rootY - y;
    h.parentOrigin = POINT{window.x - relative.x, window.y - relative.y};

    UINT message = 0;
    unsigned held = state;
    switch (button) {
    case Button1:
        message = press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        held = press ? (held | Button1Mask) : (held & ~unsigned(Button1Mask));
        break;
    case Button2:
        message = press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        held = press ? (held | Button2Mask) : (held & ~unsigned(Button2Mask));
        break;
    case Button3:
        message = press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        held = press ? (held | Button3Mask) : (held & ~unsigned(Button3Mask));
        break;
    default:
        return; // the wheel and extra buttons mean nothing to the editors
    }
    WPARAM keys = 0;
    keys |= (held & Button1Mask) ? MK_LBUTTON : 0;
    keys |= (held & Button2Mask) ? MK_MBUTTON : 0;
    keys |= (held & Button3Mask) ? MK_RBUTTON : 0;
    keys |= (held & ShiftMask) ? MK_SHIFT : 0;
    keys |= (held & ControlMask) ? MK_CONTROL : 0;
    MSG m{};
    m.hwnd = windowing::handleOf(&window);
    m.message = message;
    m.wParam = keys;
    m.lParam = MAKELPARAM(WORD(std::int16_t(x)), WORD(std::int16_t(y)));
    m.time = GetTickCount();
    m.pt = POINT{rootX, rootY};
    pending.push_back(m);
}

void X11Backend::readEvents() {
    if (display == nullptr || connectionLost(display)) {
        return;
    }
    ErrorTrap trap(display);
    while (!connectionLost(display) && XPending(display) > 0) {
        XEvent event{};
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose: {
            Hosted* h = findById(event.xexpose.window);
            if (h != nullptr && !h->gone) {
                const RECT area{event.xexpose.x, event.xexpose.y,
                                event.xexpose.x + event.xexpose.width,
                                event.xexpose.y + event.xexpose.height};
                windowing::invalidate(h->window, &area, false);
                h->exposed = true;
            }
            break;
        }
        case ButtonPress:
        case ButtonRelease: {
            Hosted* h = findById(event.xbutton.window);
            if (h != nullptr && !h->gone) {
                queueButton(*h, event.type == ButtonPress, event.xbutton.button,
                            event.xbutton.state, event.xbutton.x, event.xbutton.y,
                            event.xbutton.x_root, event.xbutton.y_root);
            }
            break;
        }
        case DestroyNotify: {
            // Only our own windows report this to us: the host destroyed a parent.
            if (Hosted* h = findById(event.xdestroywindow.window)) {
                h->gone = true;
            }
            break;
        }
        default:
            break;
        }
    }
    if (connectionLost(display)) {
        // The server is gone: every window inside it goes as if its parent had been destroyed.
        for (Hosted& h : hosted) {
            h.gone = true;
        }
    }
}

bool X11Backend::nextEvent(MSG& message) {
    if (pumpDepth == 0) {
        readEvents();
    }
    if (pending.empty()) {
        return false;
    }
    message = pending.front();
    pending.pop_front();
    return true;
}

void X11Backend::destroyGoneWindows() {
    std::vector<HWND> gone;
    for (const Hosted& h : hosted) {
        if (h.gone) {
            gone.push_back(windowing::handleOf(h.window));
        }
    }
    for (HWND handle : gone) {
        if (windowing::Window* w = windowing::findWindow(handle)) {
            windowing::destroyWindow(w);
        }
    }
}

void X11Backend::paintInvalidWindows() {
    std::vector<HWND> tops;
    for (const Hosted& h : hosted) {
        if (!h.gone) {
            tops.push_back(windowing::handleOf(h.window));
        }
    }
    for (HWND top : tops) {
        // Each window that needs it once per pump, parents before children.
        std::vector<HWND> order{top};
        for (std::size_t i = 0; i < order.size(); ++i) {
            windowing::Window* w = windowing::findWindow(order[i]);
            if (w == nullptr) {
                continue;
            }
            for (windowing::Window* child : w->children) {
                order.push_back(windowing::handleOf(child));
            }
        }
        for (HWND handle : order) {
            windowing::Window* w = windowing::findWindow(handle);
            if (w != nullptr && w->invalid && w->visible() && w->procedure != nullptr) {
                w->procedure(handle, WM_PAINT, 0, 0);
            }
        }
    }
}

void X11Backend::pump() {
    if (display == nullptr) {
        return;
    }
    ++pumpDepth;
    readEvents();
    if (pumpDepth == 1) {
        destroyGoneWindows();
        while (!pending.empty()) {
            const MSG m = pending.front();
            pending.pop_front();
            if (windowing::Window* w = windowing::findWindow(m.hwnd)) {
                if (w->procedure != nullptr) {
                    pressed = m.hwnd;
                    w->procedure(m.hwnd, m.message, m.wParam, m.lParam);
                    pressed = nullptr;
                }
            }
            // What the delivered message started may have let more events in.
            readEvents();
            destroyGoneWindows();
        }
    }
    paintInvalidWindows();
    --pumpDepth;
    closeIfUnused();
}

} // namespace platform::x11
