// Window classes, windows and their slots, the window tree, painting and messages, as the
// toolkit's frame uses them.
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::testing::windowPicture;

struct Logged {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Logged> logged;

// Paints a red square at (2, 2) on WM_PAINT after the default erase, and hands every message
// on to the default procedure, as the frame does.
LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    logged.push_back({window, message, wParam, lParam});
    if (message == WM_PAINT && GetWindowLongPtrA(window, GWLP_USERDATA) == 1) {
        RECT update{};
        if (GetUpdateRect(window, &update, FALSE)) {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            RECT square{2, 2, 6, 6};
            FillRect(dc, &square, red);
            DeleteObject(red);
            EndPaint(window, &paint);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int count(UINT message, HWND window = nullptr) {
    int n = 0;
    for (const Logged& l : logged) {
        n += l.message == message && (!window || l.window == window) ? 1 : 0;
    }
    return n;
}

HINSTANCE const module = reinterpret_cast<HINSTANCE>(std::uintptr_t(0x4242));
const char* const className = "Plugin00004242";

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        logged.clear();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.hInstance = module;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = className;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        EXPECT_TRUE(UnregisterClassA(className, module));
        EXPECT_TRUE(platform::testing::allWindows().empty());
    }
    HWND child(int x = 0, int y = 0, int w = 40, int h = 30, HWND parent = nullptr) {
        return CreateWindowExA(0, className, "Window", WS_CHILD | WS_VISIBLE, x, y, w, h,
                               parent ? parent : host, nullptr, module, nullptr);
    }
    HWND host = nullptr;
};

TEST_F(Windows, ClassesAreOnePerModuleAndName) {
    WNDCLASSA again{};
    again.lpfnWndProc = recordingProcedure;
    again.hInstance = module;
    again.lpszClassName = "plugin00004242"; // names compare without regard to case
    EXPECT_EQ(RegisterClassA(&again), 0);
    again.hInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t(0x4343));
    EXPECT_NE(RegisterClassA(&again), 0);
    EXPECT_TRUE(UnregisterClassA("plugin00004242", again.hInstance));
    EXPECT_FALSE(UnregisterClassA("plugin00004242", again.hInstance));
}

TEST_F(Windows, AClassWithWindowsCannotBeUnregistered) {
    HWND window = child();
    EXPECT_FALSE(UnregisterClassA(className, module));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(window);
}

TEST_F(Windows, CreationNeedsAClassAndAParentForChildren) {
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", WS_CHILD, 0, 0, 1, 1, host, nullptr, module, nullptr),
        nullptr);
    EXPECT_EQ(
        CreateWindowExA(0, className, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, module, nullptr),
        nullptr);
    EXPECT_EQ(CreateWindowExA(0, className, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr,
                              reinterpret_cast<HINSTANCE>(std::uintptr_t(0x9999)), nullptr),
              nullptr);
}

TEST_F(Windows, CreationSendsTheCreateMessagesWithTheCreateRecord) {
    HWND window = child(5, 6, 40, 30);
    ASSERT_NE(window, nullptr);
    ASSERT_GE(logged.size(), 2u);
    EXPECT_EQ(logged[0].message, UINT(WM_NCCREATE));
    EXPECT_EQ(logged[1].message, UINT(WM_CREATE));
    EXPECT_EQ(GetParent(window), host);
    char title[16] = {};
    EXPECT_EQ(GetWindowTextA(window, title, sizeof title), 6);
    EXPECT_STREQ(title, "Window");
    DestroyWindow(window);
}

TEST_F(Windows, SlotsKeepUserDataAndProcedure) {
    HWND window = child();
    int owner = 0;
    EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner)), 0);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&owner));
    EXPECT_EQ(GetWindowLongA(window, GWL_USERDATA), LONG(reinterpret_cast<LONG_PTR>(&owner)));
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&recordingProcedure));
    SetWindowLongA(window, GWL_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 77);
    DestroyWindow(window);
}

TEST_F(Windows, DestroyingAParentDestroysItsChildrenAfterTellingEach) {
    HWND parent = child(0, 0, 100, 100);
    HWND inner = child(1, 1, 10, 10, parent);
    HWND innermost = child(1, 1, 5, 5, inner);
    logged.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(inner));
    EXPECT_FALSE(IsWindow(innermost));
    std::vector<HWND> destroyed;
    for (const Logged& l : logged) {
        if (l.message == WM_DESTROY) {
            destroyed.push_back(l.window);
        }
    }
    EXPECT_EQ(destroyed, (std::vector<HWND>{parent, inner, innermost}));
    EXPECT_EQ(count(WM_NCDESTROY), 3);
    EXPECT_FALSE(DestroyWindow(parent));
}

TEST_F(Windows, GeometryIsInScreenCoordinates) {
    HWND window = child(10, 20, 40, 30);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.left, 110);
    EXPECT_EQ(rect.top, 70);
    EXPECT_EQ(rect.right, 150);
    EXPECT_EQ(rect.bottom, 100);
    POINT p{3, 4};
    MapWindowPoints(window, host, &p, 1);
    EXPECT_EQ(p.x, 13);
    EXPECT_EQ(p.y, 24);
    POINT screen{115, 75};
    ScreenToClient(window, &screen);
    EXPECT_EQ(screen.x, 5);
    EXPECT_EQ(screen.y, 5);
    EXPECT_EQ(GetSystemMetrics(SM_CYDLGFRAME), 3);
    DestroyWindow(window);
}

TEST_F(Windows, SizeChangesWithoutMoving) {
    HWND window = child(10, 20, 40, 30);
    ASSERT_TRUE(SetWindowPos(window, nullptr, 99, 99, 60, 35, SWP_NOMOVE | SWP_NOZORDER));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 110);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 35);
    EXPECT_EQ(count(WM_SIZE, window), 2);
    EXPECT_EQ(windowPicture(window).width, 60);
    DestroyWindow(window);
}

TEST_F(Windows, BringingToTopPutsAChildAboveItsSiblings) {
    HWND a = child(0, 0, 10, 10);
    HWND b = child(0, 0, 10, 10);
    SetWindowLongPtrA(a, GWLP_USERDATA, 1);
    platform::testing::paint(a);
    EXPECT_NE(windowPicture(host).colorAt(3, 3), RGB(255, 0, 0)); // b covers a
    BringWindowToTop(a);
    EXPECT_EQ(windowPicture(host).colorAt(3, 3), RGB(255, 0, 0));
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(Windows, ANewWindowAsksToBePaintedAndTheDefaultErasesWithTheClassBrush) {
    HWND window = child(10, 10, 20, 20);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.right, 20);
    EXPECT_EQ(update.bottom, 20);
    EXPECT_GT(platform::testing::pumpMessages(), 0);
    EXPECT_EQ(count(WM_PAINT, window), 1);
    EXPECT_EQ(count(WM_ERASEBKGND, window), 1);
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(windowPicture(window).colorAt(0, 0), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(window);
}

TEST_F(Windows, PaintingIsClippedToTheUpdateRectangle) {
    HWND window = child(0, 0, 20, 20);
    SetWindowLongPtrA(window, GWLP_USERDATA, 1);
    platform::testing::pumpMessages();
    HBRUSH black = CreateSolidBrush(0);
    HDC dc = GetDC(window);
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, black);
    ReleaseDC(window, dc);
    DeleteObject(black);
    RECT part{0, 0, 4, 4};
    InvalidateRect(window, &part, FALSE);
    SendMessageA(window, WM_PAINT, 0, 0);
    const auto picture = windowPicture(window);
    EXPECT_EQ(picture.colorAt(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(picture.colorAt(4, 4), RGB(0, 0, 0));
    DestroyWindow(window);
}

TEST_F(Windows, APictureHoldsTheChildrenAtTheirPlaces) {
    HWND window = child(10, 20, 20, 20);
    SetWindowLongPtrA(window, GWLP_USERDATA, 1);
    platform::testing::paint(window);
    const auto picture = windowPicture(host);
    ASSERT_EQ(picture.width, 300);
    EXPECT_EQ(picture.colorAt(12, 22), RGB(255, 0, 0));
    EXPECT_EQ(picture.colorAt(11, 21), GetSysColor(COLOR_BTNFACE));
    ShowWindow(window, SW_HIDE);
    EXPECT_NE(windowPicture(host).colorAt(12, 22), RGB(255, 0, 0));
    DestroyWindow(window);
}

TEST_F(Windows, PostedMessagesComeBeforePaintAndAreDispatchedInOrder) {
    HWND window = child();
    PostMessageA(window, WM_USER + 1, 1, 2);
    PostMessageA(window, WM_USER + 2, 3, 4);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, UINT(WM_USER + 1));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, UINT(WM_USER + 1));
    ASSERT_TRUE(PeekMessageA(&message, window, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(message.lParam, 4);
    DispatchMessageA(&message);
    EXPECT_EQ(count(WM_USER + 2, window), 1);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, UINT(WM_PAINT));
    DestroyWindow(window);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
}

TEST_F(Windows, MessagesToADestroyedWindowAreDropped) {
    HWND window = child();
    PostMessageA(window, WM_USER, 0, 0);
    DestroyWindow(window);
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
}

TEST_F(Windows, MousePressesArriveWithTheirPosition) {
    HWND window = child(10, 10, 50, 50);
    platform::testing::pressMouse(window, 7, 9);
    ASSERT_EQ(count(WM_LBUTTONDOWN, window), 1);
    const Logged& press = logged.back();
    EXPECT_EQ(LOWORD(press.lParam), 7);
    EXPECT_EQ(HIWORD(press.lParam), 9);
    EXPECT_TRUE(press.wParam & MK_LBUTTON);
    EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 117);
    platform::testing::releaseMouse(window, 7, 9);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
    platform::testing::pressMouse(window, 1, 2, platform::testing::Button::right);
    EXPECT_EQ(count(WM_RBUTTONDOWN, window), 1);
    platform::testing::resetInput();
    DestroyWindow(window);
}

} // namespace
