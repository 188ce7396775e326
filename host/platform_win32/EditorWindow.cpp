#include "host/platform_win32/EditorWindow.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace plughost {

namespace {

constexpr const char* hostWindowClass = "plughostEditorWindow";
constexpr DWORD hostWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK hostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Closing is plughost's decision, made after the editor has been closed.
    if (message == WM_CLOSE) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerHostClass() {
    WNDCLASSA existing{};
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, hostWindowClass, &existing)) {
        return true;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = hostWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = hostWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

void put16(unsigned char* bytes, std::uint16_t value) {
    bytes[0] = static_cast<unsigned char>(value);
    bytes[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// 24-bit BMP, rows bottom-up as the format stores them; pixels given top-down as 0x00RRGGBB.
bool writeBmp(const std::string& path, int width, int height, const std::uint32_t* pixels) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    unsigned char header[54] = {};
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, 54 + imageBytes);
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, static_cast<std::uint32_t>(width));
    put32(header + 22, static_cast<std::uint32_t>(height));
    put16(header + 26, 1);
    put16(header + 28, 24);
    put32(header + 34, imageBytes);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header;
    std::vector<unsigned char> row(rowBytes, 0);
    for (int y = height - 1; y >= 0 && written; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
            row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<unsigned char>(pixel);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(pixel >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(pixel >> 16);
        }
        written = std::fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    return std::fclose(file) == 0 && written;
}

BOOL CALLBACK countChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) {
        return TRUE;
    }
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "IME") != 0 && std::strcmp(name, "Default IME") != 0) {
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(name);
    }
    return TRUE;
}

} // namespace

bool EditorWindow::open(vsthost::PluginInstance& instance, std::string& error) {
    plugin = &instance;
    const AEffect& record = *instance.record();
    if ((record.flags & effFlagsHasEditor) == 0) {
        error = "the plug-in has no editor (no effFlagsHasEditor)";
        return false;
    }
    ERect* rectangle = nullptr;
    instance.dispatch(effEditGetRect, 0, 0, &rectangle);
    if (rectangle == nullptr || rectangle->right <= rectangle->left ||
        rectangle->bottom <= rectangle->top) {
        error = "the editor reports no rectangle (effEditGetRect)";
        return false;
    }
    clientWidth = rectangle->right - rectangle->left;
    clientHeight = rectangle->bottom - rectangle->top;
    if (!registerHostClass()) {
        error = "cannot register the host window's class";
        return false;
    }
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, hostWindowStyle, FALSE, 0);
    window = CreateWindowExA(0, hostWindowClass, "plughost", hostWindowStyle, 40, 40,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        error = "cannot create the host window";
        return false;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    instance.dispatch(effEditOpen, 0, 0, window);
    editorOpen = true;
    if (childWindowCount() == 0) {
        error = "the editor made no window inside the host's (effEditOpen)";
        return false;
    }
    return true;
}

void EditorWindow::closeEditor() {
    if (editorOpen && plugin != nullptr && plugin->record() != nullptr) {
        plugin->dispatch(effEditClose);
    }
    editorOpen = false;
}

void EditorWindow::close() {
    closeEditor();
    if (window != nullptr) {
        DestroyWindow(window);
        window = nullptr;
        pumpOnce();
    }
}

void EditorWindow::pumpOnce() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (editorOpen && plugin != nullptr && plugin->record() != nullptr) {
        plugin->dispatch(effEditIdle);
    }
}

POINT EditorWindow::clientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

int EditorWindow::childWindowCount() const {
    int count = 0;
    if (window != nullptr) {
        EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

bool EditorWindow::saveClientArea(const std::string& path, std::string& error) const {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = clientWidth;
    format.bmiHeader.biHeight = -clientHeight; // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(window);
    if (screen == nullptr) {
        error = "cannot get the window's device context";
        return false;
    }
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    bool copied = false;
    if (section != nullptr && memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, section);
        copied = BitBlt(memory, 0, 0, clientWidth, clientHeight, screen, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, previous);
    }
    bool saved = false;
    if (copied) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(clientWidth) * clientHeight);
        const auto* source = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = source[i] & 0x00FFFFFFu;
        }
        saved = writeBmp(path, clientWidth, clientHeight, pixels.data());
        if (!saved) {
            error = "cannot write " + path;
        }
    } else {
        error = "cannot copy the window's client area";
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (section != nullptr) {
        DeleteObject(section);
    }
    ReleaseDC(window, screen);
    return saved;
}

std::vector<std::string> remainingWindows() {
    std::vector<std::string> classes;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&classes));
    return classes;
}

bool editorClassRegistered(HMODULE module) {
    char name[40];
    std::snprintf(name, sizeof name, "Plugin%08" PRIxPTR, reinterpret_cast<std::uintptr_t>(module));
    WNDCLASSA found{};
    return GetClassInfoA(module, name, &found) != 0;
}

} // namespace plughost
