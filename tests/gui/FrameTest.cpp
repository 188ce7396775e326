// Views and the frame: backing stores, what a paint, a press and an idle pass reach, the view
// list, the window class, the window's end, the host-window mode and the geometry operations.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

#include "framework/gui/Bitmap.h"
#include "framework/gui/Frame.h"
#include "framework/gui/OffscreenContext.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/RecordingHost.h"

using namespace guitest;
using platform::testing::Button;
using platform::testing::paint;
using platform::testing::pressMouse;
using Log = std::vector<std::string>;

namespace {

constexpr int backgroundId = 3201;

class FrameTest : public GuiTest {
protected:
    static void SetUpTestSuite() {
        registerBitmap(backgroundId, 200, 100, [](int, int) { return 0x336699; });
    }

    bool classRegistered() {
        WNDCLASSA found{};
        return GetClassInfoA(static_cast<HINSTANCE>(moduleHandle), Frame::windowClassName(),
                             &found) != 0;
    }

    Log log;
};

struct BackingCase {
    int width;
    int height;
    bool kept;
};

TEST_F(FrameTest, ABackingStoreSmallerThanTheViewIsRefused) {
    const BackingCase cases[] = {
        {9, 20, false}, {10, 19, false}, {10, 20, true}, {11, 25, true}, {0, 0, false},
    };
    OffscreenContext previous(nullptr, 40, 40, colorBlack);
    for (const BackingCase& c : cases) {
        View view(Rect(5, 5, 15, 25));
        view.setBackingStore(&previous);
        OffscreenContext store(nullptr, c.width > 0 ? c.width : 1, c.height > 0 ? c.height : 1,
                               colorBlack);
        view.setBackingStore(&store);
        EXPECT_EQ(view.getBackingStore(), c.kept ? &store : &previous)
            << c.width << "x" << c.height;
        view.setBackingStore(nullptr);
        EXPECT_EQ(view.getBackingStore(), c.kept ? &store : &previous);
    }
}

TEST_F(FrameTest, RedrawNowDrawsOnlyThroughAFrame) {
    RecordingView loose(Rect(0, 0, 10, 10), "loose", log);
    loose.redrawNow();
    EXPECT_TRUE(log.empty());

    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    auto* view = new RecordingView(Rect(0, 0, 10, 10), "view", log);
    frame.attachView(view);
    EXPECT_EQ(view->getFrame(), &frame);
    view->redrawNow();
    EXPECT_EQ(log, Log({"view.draw"}));
}

TEST_F(FrameTest, ANewFrameOwnsAVisibleChildWindowOfItsSize) {
    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    HWND window = frame.getWindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(frame.isOpen());
    EXPECT_TRUE(frame.isFirstPaintPending());
    EXPECT_FALSE(frame.isHostWindowMode());
    EXPECT_EQ(GetParent(window), host.get());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&frame));
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 200);
    EXPECT_EQ(bounds.bottom - bounds.top, 100);
    char title[32] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Window");
}

TEST_F(FrameTest, WithoutAParentWindowTheFrameHasNoWindowAndDrawsNothing) {
    Frame frame(Rect(0, 0, 50, 50), nullptr, nullptr);
    EXPECT_TRUE(frame.isOpen());
    EXPECT_EQ(frame.getWindowHandle(), nullptr);
    EXPECT_FALSE(frame.createWindow());
    frame.attachView(new RecordingView(Rect(0, 0, 10, 10), "view", log));
    frame.redrawView(nullptr);
    frame.redrawView(frame.getView(0));
    frame.idle();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(frame.isFirstPaintPending());
    EXPECT_FALSE(classRegistered());
}

TEST_F(FrameTest, TheWindowClassIsNamedAfterTheModuleHandle) {
    const char* name = Frame::windowClassName();
    ASSERT_EQ(std::strncmp(name, "Plugin", 6), 0);
    const char* digits = name + 6;
    EXPECT_GE(std::strlen(digits), 8u);
    for (const char* c = digits; *c != 0; ++c) {
        EXPECT_TRUE(std::isdigit(*c) || (*c >= 'a' && *c <= 'f')) << name;
    }
    EXPECT_EQ(std::strtoull(digits, nullptr, 16), reinterpret_cast<std::uintptr_t>(moduleHandle));
}

TEST_F(FrameTest, TwoFramesShareOneRegistrationOfTheClass) {
    HostWindow host;
    EXPECT_FALSE(classRegistered());
    auto* first = new Frame(Rect(0, 0, 20, 20), host.parent(), nullptr);
    EXPECT_TRUE(classRegistered());
    auto* second = new Frame(Rect(0, 0, 20, 20), host.parent(), nullptr);
    EXPECT_TRUE(classRegistered());
    delete first;
    EXPECT_TRUE(classRegistered());
    EXPECT_NE(second->getWindowHandle(), nullptr);
    delete second;
    EXPECT_FALSE(classRegistered());
}

struct PressCase {
    int x;
    int y;
    Button button;
    Log expected;
};

TEST_F(FrameTest, APressGoesToTheTopmostViewUnderIt) {
    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    frame.attachView(new RecordingView(Rect(0, 0, 50, 50), "a", log));
    frame.attachView(new RecordingView(Rect(30, 30, 80, 80), "b", log));
    const PressCase cases[] = {
        {40, 40, Button::left, {"b.press 40,40"}},
        {30, 30, Button::left, {"b.press 30,30"}},
        {10, 10, Button::left, {"a.press 10,10"}},
        {50, 20, Button::left, {"a.press 50,20"}},
        {80, 80, Button::right, {"b.press 80,80"}},
        {90, 90, Button::left, {}},
        {40, 40, Button::middle, {}},
    };
    for (const PressCase& c : cases) {
        log.clear();
        pressMouse(frame.getWindowHandle(), c.x, c.y, c.button);
        platform::testing::releaseMouse(frame.getWindowHandle(), c.x, c.y, c.button);
        EXPECT_EQ(log, c.expected) << c.x << "," << c.y;
    }
}

TEST_F(FrameTest, AnExclusiveViewTakesEveryPressAndEveryIdleRedraw) {
    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    auto* a = new RecordingView(Rect(0, 0, 50, 50), "a", log);
    auto* b = new RecordingView(Rect(60, 0, 120, 50), "b", log);
    frame.attachView(a);
    frame.attachView(b);
    ASSERT_TRUE(frame.setExclusiveView(a));
    paint(frame.getWindowHandle());
    log.clear();

    pressMouse(frame.getWindowHandle(), 70, 10);
    EXPECT_TRUE(log.empty());
    pressMouse(frame.getWindowHandle(), 10, 10);
    EXPECT_EQ(log, Log({"a.press 10,10"}));
    log.clear();
    frame.idle();
    EXPECT_EQ(log, Log({"a.changed"}));

    EXPECT_FALSE(frame.setExclusiveView(b));
    EXPECT_EQ(frame.getExclusiveView(), a);
    EXPECT_TRUE(frame.setExclusiveView(nullptr));
    EXPECT_EQ(frame.getExclusiveView(), nullptr);
    EXPECT_TRUE(frame.setExclusiveView(b));
    EXPECT_EQ(frame.getExclusiveView(), b);
}

TEST_F(FrameTest, AnExclusiveViewThatIsNotAttachedIsDrawnOnTopAndNotDestroyed) {
    RecordingView overlay(Rect(0, 0, 200, 100), "overlay", log);
    {
        HostWindow host;
        Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
        frame.attachView(new RecordingView(Rect(0, 0, 50, 50), "a", log));
        frame.attachView(new RecordingView(Rect(60, 0, 120, 50), "b", log));
        frame.setExclusiveView(&overlay);
        paint(frame.getWindowHandle());
        EXPECT_EQ(log, Log({"a.draw", "b.draw", "overlay.draw"}));
        log.clear();
    }
    EXPECT_EQ(log, Log({"a.destroyed", "b.destroyed"}));
    log.clear();
}

TEST_F(FrameTest, APressOutsideTheEditingViewEndsItsEditingAndIsThenDispatched) {
    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    auto* field = new RecordingView(Rect(0, 0, 50, 20), "field", log);
    frame.attachView(field);
    frame.attachView(new RecordingView(Rect(0, 40, 50, 60), "other", log));

    frame.setEditingView(field);
    pressMouse(frame.getWindowHandle(), 50, 20); // on the edge: inside
    EXPECT_EQ(log, Log({"field.press 50,20"}));
    EXPECT_EQ(frame.getEditingView(), field);

    log.clear();
    pressMouse(frame.getWindowHandle(), 10, 50);
    EXPECT_EQ(log, Log({"field.endEditing", "other.press 10,50"}));
    EXPECT_EQ(frame.getEditingView(), nullptr);

    log.clear();
    pressMouse(frame.getWindowHandle(), 100, 90);
    EXPECT_TRUE(log.empty());
}

TEST_F(FrameTest, IdleRedrawsChangedViewsOnlyAfterTheFirstPaint) {
    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    frame.attachView(new RecordingView(Rect(0, 0, 50, 50), "a", log));
    frame.attachView(new RecordingView(Rect(60, 0, 120, 50), "b", log));
    frame.idle();
    EXPECT_TRUE(log.empty());

    paint(frame.getWindowHandle());
    EXPECT_FALSE(frame.isFirstPaintPending());
    EXPECT_EQ(log, Log({"a.draw", "b.draw"}));
    log.clear();
    frame.idle();
    EXPECT_EQ(log, Log({"a.changed", "b.changed"}));
}

TEST_F(FrameTest, RedrawViewDrawsTheViewOrElseTheWholeFrame) {
    HostWindow host;
    Frame frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    auto* a = new RecordingView(Rect(0, 0, 50, 50), "a", log);
    frame.attachView(a);
    frame.attachView(new RecordingView(Rect(60, 0, 120, 50), "b", log));
    RecordingView stranger(Rect(0, 0, 5, 5), "stranger", log);

    frame.redrawView(a);
    EXPECT_EQ(log, Log({"a.draw"}));
    EXPECT_TRUE(frame.isFirstPaintPending());
    log.clear();
    frame.redrawView(&stranger);
    EXPECT_EQ(log, Log({"a.draw", "b.draw"}));
    EXPECT_FALSE(frame.isFirstPaintPending());
    log.clear();
    frame.redrawView(nullptr);
    EXPECT_EQ(log, Log({"a.draw", "b.draw"}));
}

TEST_F(FrameTest, TheViewArrayGrowsByTenAndDetachKeepsTheOrder) {
    Frame frame(Rect(0, 0, 200, 100), nullptr, nullptr);
    EXPECT_EQ(frame.getViewCapacity(), 0);
    View* views[21];
    for (int i = 0; i < 21; ++i) {
        views[i] = new RecordingView(Rect(i, 0, i + 1, 1), std::to_string(i), log);
        ASSERT_TRUE(frame.attachView(views[i]));
        const int expectedCapacity = i < 10 ? 10 : (i < 20 ? 20 : 30);
        EXPECT_EQ(frame.getViewCapacity(), expectedCapacity) << "after " << i + 1;
    }
    EXPECT_EQ(frame.getViewCount(), 21);
    EXPECT_FALSE(frame.attachView(nullptr));
    EXPECT_EQ(frame.getViewCount(), 21);

    EXPECT_TRUE(frame.detachView(views[5]));
    EXPECT_TRUE(frame.detachView(views[20]));
    EXPECT_TRUE(frame.detachView(views[5])); // no longer attached: nothing happens
    ASSERT_EQ(frame.getViewCount(), 19);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(frame.getView(i), views[i < 5 ? i : i + 1]);
    }
    // A detached view still names its frame and is the caller's again.
    EXPECT_EQ(views[5]->getFrame(), &frame);
    delete views[5];
    delete views[20];
}

TEST_F(FrameTest, DestroyingTheFrameEndsEditingThenDestroysItsViewsAndWindow) {
    HostWindow host;
    Bitmap* background = new Bitmap(backgroundId);
    auto* frame = new Frame(Rect(0, 0, 200, 100), host.parent(), nullptr);
    auto* field = new RecordingView(Rect(0, 0, 50, 20), "field", log);
    frame->attachView(field);
    frame->attachView(new RecordingView(Rect(0, 40, 50, 60), "other", log));
    frame->setEditingView(field);
    frame->setBackgroundBitmap(background);
    EXPECT_EQ(background->getReferenceCount(), 2);
    HWND window = frame->getWindowHandle();

    delete frame;
    EXPECT_EQ(log, Log({"field.endEditing", "field.destroyed", "other.destroyed"}));
    EXPECT_EQ(background->getReferenceCount(), 1);
    EXPECT_FALSE(IsWindow(window));
    background->release();
}

TEST_F(FrameTest, TheBackgroundBitmapIsHeldByReference) {
    Bitmap* first = new Bitmap(backgroundId);
    Bitmap* second = new Bitmap(backgroundId);
    {
        Frame frame(Rect(0, 0, 200, 100), nullptr, nullptr);
        frame.setBackgroundBitmap(first);
        EXPECT_EQ(first->getReferenceCount(), 2);
        frame.setBackgroundBitmap(first); // the same one again must survive
        EXPECT_EQ(first->getReferenceCount(), 2);
        frame.setBackgroundBitmap(second);
        EXPECT_EQ(first->getReferenceCount(), 1);
        EXPECT_EQ(second->getReferenceCount(), 2);
        frame.setBackgroundBitmap(nullptr);
        EXPECT_EQ(second->getReferenceCount(), 1);
        frame.setBackgroundBitmap(second);
    }
    EXPECT_EQ(second->getReferenceCount(), 1);
    first->release();
    second->release();
}

TEST_F(FrameTest, WhenTheHostDestroysItsWindowTheFrameStopsDrawing) {
    auto* host = new HostWindow;
    Frame frame(Rect(0, 0, 200, 100), host->parent(), nullptr);
    frame.attachView(new RecordingView(Rect(0, 0, 50, 50), "a", log));
    paint(frame.getWindowHandle());
    log.clear();
    delete host; // takes the frame's child window with it

    EXPECT_FALSE(frame.isOpen());
    EXPECT_EQ(frame.getWindowHandle(), nullptr);
    frame.idle();
    frame.redrawView(nullptr);
    {
        DrawContext context(&frame, nullptr, nullptr);
        frame.drawIfChanged(context);
    }
    EXPECT_TRUE(log.empty());
    std::int32_t x = 0;
    std::int32_t y = 0;
    Rect rect;
    EXPECT_FALSE(frame.getWindowPosition(x, y));
    EXPECT_FALSE(frame.getWindowRect(rect));
    EXPECT_FALSE(frame.resizeWindow(300, 200));
    // The class is still held by this frame until it goes.
    EXPECT_TRUE(classRegistered());
}

TEST_F(FrameTest, AFrameWhoseWindowWasDestroyedStillLetsGoOfTheClass) {
    {
        auto* host = new HostWindow;
        Frame frame(Rect(0, 0, 20, 20), host->parent(), nullptr);
        delete host;
    }
    EXPECT_FALSE(classRegistered());
}

TEST_F(FrameTest, GeometryIsReadFromTheWindowsAroundTheFrame) {
    HostWindow outer(400, 300, 50, 40);
    HostWindow inner(220, 120, 10, 20, outer.get());
    Frame frame(Rect(0, 0, 200, 100), inner.parent(), nullptr);

    std::int32_t x = -1;
    std::int32_t y = -1;
    ASSERT_TRUE(frame.getWindowPosition(x, y));
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 40);
    Rect rect;
    ASSERT_TRUE(frame.getWindowRect(rect));
    EXPECT_EQ(rect, Rect(60, 60, 280, 180));

    EXPECT_FALSE(frame.resizeWindow(200, 100));
    ASSERT_TRUE(frame.resizeWindow(250, 150));
    EXPECT_EQ(frame.getSize(), Rect(0, 0, 250, 150));
    RECT bounds{};
    GetWindowRect(frame.getWindowHandle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 250);
    EXPECT_EQ(bounds.bottom - bounds.top, 150);
    // The host's window grows by the margin it had around the frame, without moving; the
    // outermost window, with far more room around its content, stays as it was.
    GetWindowRect(inner.get(), &bounds);
    EXPECT_EQ(bounds.left, 60);
    EXPECT_EQ(bounds.top, 60);
    EXPECT_EQ(bounds.right - bounds.left, 270);
    EXPECT_EQ(bounds.bottom - bounds.top, 170);
    GetWindowRect(outer.get(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 400);
    EXPECT_EQ(bounds.bottom - bounds.top, 300);
}

class HostWindowModeTest : public FrameTest {
protected:
    RecordingHost host;
    TestEffect effect{host.callback()};
    TestEditor* editor = new TestEditor(&effect);
};

TEST_F(HostWindowModeTest, TheRecordDescribesTheWindowAndNothingElse) {
    const char longTitle[] = "A title much longer than the record can hold, so that it has to be "
                             "cut at one hundred and twenty seven characters and terminated there "
                             "by the frame";
    ASSERT_GT(std::strlen(longTitle), 127u);
    const struct {
        const char* title;
        std::size_t expectedLength;
    } cases[] = {{"Editor", 6}, {longTitle, 127}, {nullptr, 0}};
    for (const auto& c : cases) {
        Frame frame(Rect(10, 20, 110, 70), c.title, editor, 7);
        EXPECT_FALSE(frame.isOpen());
        EXPECT_TRUE(frame.isHostWindowMode());
        EXPECT_EQ(frame.getWindowHandle(), nullptr);
        const VstWindow& record = frame.getHostWindow();
        EXPECT_EQ(std::strlen(record.title), c.expectedLength);
        if (c.title != nullptr) {
            EXPECT_EQ(std::strncmp(record.title, c.title, c.expectedLength), 0);
        }
        EXPECT_EQ(record.xPos, 10);
        EXPECT_EQ(record.yPos, 20);
        EXPECT_EQ(record.width, 100);
        EXPECT_EQ(record.height, 50);
        EXPECT_EQ(record.style, 7);
        EXPECT_EQ(record.parent, nullptr);
        EXPECT_EQ(record.userHandle, nullptr);
        EXPECT_EQ(record.winHandle, nullptr);
        for (char byte : record.future) {
            ASSERT_EQ(byte, 0);
        }
    }
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(HostWindowModeTest, TheHostOpensAndClosesTheWindowThatHoldsTheFrame) {
    HostWindow hostWindow;
    host.answer(audioMasterOpenWindow, reinterpret_cast<std::intptr_t>(hostWindow.get()));
    auto* frame = new Frame(Rect(10, 20, 110, 70), "Editor", editor, 0);
    const Point where(300, 200);
    EXPECT_TRUE(frame->openHostWindow(&where));
    ASSERT_EQ(host.callsOf(audioMasterOpenWindow).size(), 1u);
    EXPECT_EQ(host.callsOf(audioMasterOpenWindow)[0].ptr, &frame->getHostWindow());
    EXPECT_EQ(frame->getHostWindow().xPos, 300);
    EXPECT_EQ(frame->getHostWindow().yPos, 200);
    EXPECT_TRUE(frame->isOpen());
    ASSERT_NE(frame->getWindowHandle(), nullptr);
    EXPECT_EQ(GetParent(frame->getWindowHandle()), hostWindow.get());

    // Asked again while open, it only brings the window forward.
    EXPECT_FALSE(frame->openHostWindow(nullptr));
    EXPECT_EQ(host.callsOf(audioMasterOpenWindow).size(), 1u);

    EXPECT_TRUE(frame->closeHostWindow());
    ASSERT_EQ(host.callsOf(audioMasterCloseWindow).size(), 1u);
    EXPECT_EQ(host.callsOf(audioMasterCloseWindow)[0].ptr, &frame->getHostWindow());
    EXPECT_FALSE(frame->closeHostWindow());
    delete frame;
    EXPECT_EQ(host.callsOf(audioMasterCloseWindow).size(), 1u);
}

TEST_F(HostWindowModeTest, AnOpenHostWindowIsClosedWhenTheFrameGoes) {
    HostWindow hostWindow;
    host.answer(audioMasterOpenWindow, reinterpret_cast<std::intptr_t>(hostWindow.get()));
    auto* frame = new Frame(Rect(0, 0, 100, 50), "Editor", editor, 0);
    ASSERT_TRUE(frame->openHostWindow(nullptr));
    EXPECT_EQ(frame->getHostWindow().xPos, 0);
    delete frame;
    EXPECT_EQ(host.callsOf(audioMasterCloseWindow).size(), 1u);
    EXPECT_FALSE(classRegistered());
}

TEST_F(HostWindowModeTest, AHostThatOpensNoWindowLeavesTheFrameClosed) {
    Frame frame(Rect(0, 0, 100, 50), "Editor", editor, 0);
    EXPECT_FALSE(frame.openHostWindow(nullptr));
    EXPECT_FALSE(frame.isOpen());
    EXPECT_EQ(host.callsOf(audioMasterOpenWindow).size(), 1u);
    EXPECT_FALSE(frame.closeHostWindow());
    EXPECT_TRUE(host.callsOf(audioMasterCloseWindow).empty());
}

TEST_F(HostWindowModeTest, AChildWindowFrameHasNoHostWindowMode) {
    HostWindow hostWindow;
    Frame frame(Rect(0, 0, 100, 50), hostWindow.parent(), editor);
    EXPECT_FALSE(frame.openHostWindow(nullptr));
    EXPECT_FALSE(frame.closeHostWindow());
    EXPECT_TRUE(host.calls.empty());
}

} // namespace
