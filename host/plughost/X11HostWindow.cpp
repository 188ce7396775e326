#include "host/plughost/X11HostWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace plughost {
namespace {

// A host outlives the errors of its X connection (a window the plug-in destroyed, say), and
// the end of the server: it then only has nothing more to show.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

int ignoreIoError(Display*) {
    return 0;
}

void keepRunning(Display*, void*) {}

unsigned channelOf(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long value = (pixel & mask) >> shift;
    return bits >= 8 ? unsigned(value >> (bits - 8))
                     : unsigned((value * 255 + ((1ul << bits) - 1) / 2) / ((1ul << bits) - 1));
}

} // namespace

bool savePng(const Picture& picture, const std::string& path, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        error = "cannot encode " + path;
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(std::size_t(picture.width) * 3);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            row[std::size_t(x) * 3] = png_byte(p >> 16);
            row[std::size_t(x) * 3 + 1] = png_byte(p >> 8);
            row[std::size_t(x) * 3 + 2] = png_byte(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

X11HostWindow::~X11HostWindow() {
    destroyWindow();
    if (connection != nullptr) {
        XCloseDisplay(connection);
    }
}

bool X11HostWindow::connect(std::string& error) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == 0) {
        error = "no X display (DISPLAY is not set)";
        return false;
    }
    // A busy server turns a connection away now and then; it takes the same one a moment later.
    for (int attempt = 0; attempt < 6 && connection == nullptr; ++attempt) {
        connection = XOpenDisplay(nullptr);
        if (connection == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1 << attempt));
        }
    }
    if (connection == nullptr) {
        error = std::string("cannot open the X display ") + name;
        return false;
    }
    XSetErrorHandler(ignoreError);
    XSetIOErrorHandler(ignoreIoError);
    XSetIOErrorExitHandler(connection, keepRunning, nullptr);
    return true;
}

bool X11HostWindow::create(int x, int y, int width, int height, std::uint32_t background,
                           std::string& error) {
    const int screen = DefaultScreen(connection);
    window = XCreateSimpleWindow(connection, RootWindow(connection, screen), x, y, unsigned(width),
                                 unsigned(height), 0, 0, background);
    XStoreName(connection, window, "plughost");
    XSelectInput(connection, window, StructureNotifyMask | ExposureMask);
    XMapWindow(connection, window);
    // Until the server reports the window mapped, or a generous while.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        XEvent event{};
        if (XCheckTypedWindowEvent(connection, window, MapNotify, &event)) {
            drainEvents();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    error = "the X server did not show the host window";
    return false;
}

int X11HostWindow::childCount() {
    if (window == 0) {
        return 0;
    }
    XSync(connection, False);
    ::Window rootReturn = 0, parentReturn = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(connection, window, &rootReturn, &parentReturn, &children, &count)) {
        return 0;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return int(count);
}

bool X11HostWindow::grab(Picture& picture) {
    if (window == 0) {
        return false;
    }
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(connection, window, &attributes)) {
        return false;
    }
    XImage* image = XGetImage(connection, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    const Visual* visual = attributes.visual;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.resize(std::size_t(picture.width) * std::size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            picture.pixels[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)] =
                (channelOf(p, visual->red_mask) << 16) | (channelOf(p, visual->green_mask) << 8) |
                channelOf(p, visual->blue_mask);
        }
    }
    XDestroyImage(image);
    return true;
}

void X11HostWindow::destroyWindow() {
    if (connection != nullptr && window != 0) {
        XDestroyWindow(connection, window);
        XSync(connection, False);
        drainEvents();
    }
    window = 0;
}

void X11HostWindow::drainEvents() {
    while (XPending(connection) > 0) {
        XEvent event{};
        XNextEvent(connection, &event);
    }
}

} // namespace plughost
