// The choice menu: its entries (separators, insertion and removal keeping the current entry,
// the limits), the menu it shows (items, check marks, where it opens), choosing, choosing the
// current entry again, and a menu closed without a choice.
#include <string>

#include "framework/gui/controls/ChoiceMenu.h"
#include "platform/testing/MenuScript.h"
#include "tests/controls_more/ControlsTestSupport.h"


using namespace controlstest;
namespace pt = platform::testing;

namespace {

class ChoiceMenuTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        pt::clearMenuScript();
        pt::clearShownMenus();
        // The host window sits at the screen's origin; move it so that screen and window
        // coordinates differ.
        SetWindowPos(hostWindow, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    void TearDown() override {
        pt::clearMenuScript();
        ControlsTest::TearDown();
    }
    ChoiceMenu* make(std::int32_t style = 0, Bitmap* openBackground = nullptr) {
        return attach(
            new ChoiceMenu(Rect(20, 30, 120, 50), &listener, 3, nullptr, openBackground, style));
    }
    void leftClick(ChoiceMenu& menu) {
        pt::setInput(held(Point(150, 90)));
        menu.onMouseDown(*context, Point(50, 40));
        pt::setInput(released(Point(150, 90)));
    }
    static std::string current(ChoiceMenu& menu) {
        char buffer[ChoiceMenu::entryCapacity] = "untouched";
        menu.getCurrentEntry(buffer);
        return buffer;
    }
    static std::vector<std::string> entries(ChoiceMenu& menu) {
        std::vector<std::string> result;
        char buffer[ChoiceMenu::entryCapacity];
        for (std::int32_t i = 0; menu.getEntry(i, buffer); ++i) {
            result.push_back(buffer);
        }
        return result;
    }
};

TEST_F(ChoiceMenuTest, InsertionAndRemovalKeepTheCurrentText) {
    ChoiceMenu* menu = make();
    EXPECT_EQ(menu->getCurrentEntry(nullptr), -1);
    EXPECT_EQ(current(*menu), "untouched") << "no current entry leaves the buffer alone";
    ASSERT_TRUE(menu->addEntry("one"));
    ASSERT_TRUE(menu->addEntry("two", -1));
    ASSERT_TRUE(menu->addEntry("three"));
    EXPECT_EQ(menu->getCurrentEntry(nullptr), 0) << "the first entry added becomes current";
    ASSERT_TRUE(menu->addEntry("zero", 0));
    EXPECT_EQ(entries(*menu), (std::vector<std::string>{"zero", "one", "two", "three"}));
    EXPECT_EQ(menu->getCurrentEntry(nullptr), 1);
    EXPECT_EQ(current(*menu), "one");
    ASSERT_TRUE(menu->addEntry("end", 4)) << "an index equal to the count appends";
    EXPECT_FALSE(menu->addEntry("beyond", 6));
    EXPECT_EQ(menu->getEntryCount(), 5) << "an index above the count changes nothing";

    struct Case {
        std::int32_t currentBefore, removed;
        std::int32_t currentAfter;
    };
    // Of four entries: removing the current one makes the one before it current, and removing
    // entry 0 while it is current leaves none.
    const Case cases[] = {{0, 0, -1}, {1, 1, 0}, {2, 0, 1}, {1, 3, 1}, {3, 3, 2}};
    for (const Case& c : cases) {
        menu->removeAllEntries();
        for (const char* text : {"a", "b", "c", "d"}) {
            menu->addEntry(text);
        }
        ASSERT_TRUE(menu->setCurrentEntry(c.currentBefore));
        ASSERT_TRUE(menu->removeEntry(c.removed));
        EXPECT_EQ(menu->getEntryCount(), 3);
        EXPECT_EQ(menu->getCurrentEntry(nullptr), c.currentAfter)
            << "current " << c.currentBefore << ", removed " << c.removed;
    }
    EXPECT_FALSE(menu->removeEntry(3));
    EXPECT_FALSE(menu->removeEntry(-1));
    menu->removeEntry(0);
    menu->removeEntry(0);
    menu->removeEntry(0);
    EXPECT_EQ(menu->getCurrentEntry(nullptr), -1);
}

TEST_F(ChoiceMenuTest, SeparatorsAreShownAsLinesAndNeverChosenAsCurrent) {
    ChoiceMenu* menu = make();
    menu->addEntry("-");
    EXPECT_EQ(menu->getCurrentEntry(nullptr), 0) << "even a separator, when it comes first";
    menu->removeAllEntries();
    menu->addEntry("left");
    menu->addEntry("-");
    menu->addEntry("right");
    EXPECT_FALSE(menu->setCurrentEntry(1));
    EXPECT_FALSE(menu->setCurrentEntry(3));
    EXPECT_FALSE(menu->setCurrentEntry(-1));
    EXPECT_EQ(menu->getCurrentEntry(nullptr), 0);

    pt::scriptMenuChoice(1); // the separator's place: nothing can be chosen there
    leftClick(*menu);
    const auto shown = pt::shownMenus();
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].items.size(), 3u);
    EXPECT_FALSE(shown[0].items[0].separator);
    EXPECT_EQ(shown[0].items[0].text, "left");
    EXPECT_TRUE(shown[0].items[1].separator);
    EXPECT_EQ(shown[0].items[2].text, "right");
    EXPECT_EQ(shown[0].items[2].command, 2u);
    EXPECT_EQ(menu->getCurrentEntry(nullptr), 0);
    EXPECT_TRUE(listener.values.empty());
}

TEST_F(ChoiceMenuTest, ChoosingMakesTheEntryCurrentAndTellsTheListener) {
    ChoiceMenu* menu = make();
    for (const char* text : {"sine", "square", "saw"}) {
        menu->addEntry(text);
    }
    pt::scriptMenuChoice(2);
    leftClick(*menu);
    EXPECT_EQ(current(*menu), "saw");
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(frame->getEditingView(), nullptr);
    EXPECT_EQ(menu->getOpenMenu(), nullptr);
    EXPECT_EQ(pt::liveMenuCount(), 0);
    EXPECT_EQ(menu->getDrawnValue(), menu->getValue()) << "redrawn";

    pt::scriptMenuChoice(2);
    leftClick(*menu);
    EXPECT_EQ(listener.values.size(), 2u) << "choosing the current entry again still tells";

    const auto shown = pt::shownMenus();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].owner, frame->getWindowHandle());
    EXPECT_EQ(shown[0].flags, 0u);
    EXPECT_EQ(shown[0].x, 100 + 20);
    EXPECT_EQ(shown[0].y, 50 + 50) << "below the control";
    for (const auto& item : shown[1].items) {
        EXPECT_FALSE(item.checked) << "no marks without styleMarkCurrent";
    }
}

TEST_F(ChoiceMenuTest, MarkCurrentAndOpenAtTop) {
    ChoiceMenu* menu = make(styleMarkCurrent | styleOpenAtTop);
    for (const char* text : {"a", "b", "c"}) {
        menu->addEntry(text);
    }
    menu->setCurrentEntry(1);
    pt::scriptMenuDismissal();
    leftClick(*menu);
    const auto shown = pt::shownMenus();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].y, 50 + 30) << "its top at the control's top";
    std::vector<bool> checked;
    for (const auto& item : shown[0].items) {
        checked.push_back(item.checked);
    }
    EXPECT_EQ(checked, (std::vector<bool>{false, true, false}));
}

TEST_F(ChoiceMenuTest, ADismissedMenuTellsNoOneAndItsClickNeverReachesTheFrame) {
    ChoiceMenu* menu = make();
    menu->addEntry("a");
    menu->addEntry("b");
    pt::scriptMenuDismissalByClick(POINT{100 + 200, 50 + 150});
    leftClick(*menu);
    EXPECT_EQ(menu->getCurrentEntry(nullptr), 0);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(frame->getEditingView(), nullptr);
    MSG waiting{};
    EXPECT_FALSE(PeekMessageA(&waiting, frame->getWindowHandle(), WM_LBUTTONDOWN, WM_MBUTTONUP,
                              PM_NOREMOVE));
    EXPECT_EQ(pt::liveMenuCount(), 0);
}

TEST_F(ChoiceMenuTest, OnlyALeftClickWithoutModifiersShowsTheMenu) {
    ChoiceMenu* menu = make();
    menu->addEntry("a");
    const InputState presses[] = {
        [] {
            InputState s;
            s.right = true;
            return s;
        }(),
        held(Point(50, 40), true, false, false),
        held(Point(50, 40), false, true, false),
        held(Point(50, 40), false, false, true),
    };
    for (const InputState& press : presses) {
        pt::setInput(press);
        menu->onMouseDown(*context, Point(50, 40));
    }
    EXPECT_TRUE(pt::shownMenus().empty());
    menu->setAcceptsMouse(false);
    leftClick(*menu);
    EXPECT_TRUE(pt::shownMenus().empty());
}

// Looks at the window's picture when its menu loop starts, while the menu is up.
struct Peek {
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_ENTERMENULOOP) {
            *seen = pt::windowPicture(window).at(25, 35);
        }
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }
    static inline WNDPROC previous = nullptr;
    static inline std::uint32_t* seen = nullptr;
};

TEST_F(ChoiceMenuTest, TheOpenBackgroundIsShownWhileOpenAndReplacedAfterwards) {
    Bitmap* open = makeBitmap(7401, 100, 20, [](int, int) { return 0x2050A0u; });
    ChoiceMenu* menu = make(0, open);
    menu->addEntry("item");
    menu->draw(*context);
    std::uint32_t duringMenu = 0;
    Peek::seen = &duringMenu;
    Peek::previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        frame->getWindowHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Peek::procedure)));
    pt::scriptMenuDismissal();
    leftClick(*menu);
    SetWindowLongPtrA(frame->getWindowHandle(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(Peek::previous));
    EXPECT_EQ(duringMenu, 0x2050A0u);
    EXPECT_EQ(picture().at(25, 35), 0x000000u) << "redrawn in its own look after a dismissal";
    open->release();
}

TEST_F(ChoiceMenuTest, WithoutACurrentEntryAnEmptyTextIsDrawn) {
    ChoiceMenu* empty = make();
    ChoiceMenu* blank =
        attach(new ChoiceMenu(Rect(20, 60, 120, 80), &listener, 0, nullptr, nullptr, 0));
    blank->addEntry("");
    empty->draw(*context);
    blank->draw(*context);
    const Image shown = picture();
    for (int y = 0; y <= 20; ++y) {
        for (int x = 0; x <= 100; ++x) {
            ASSERT_EQ(shown.at(20 + x, 30 + y), shown.at(20 + x, 60 + y)) << x << "," << y;
        }
    }
}

TEST_F(ChoiceMenuTest, EntriesAreLimitedInNumberAndLength) {
    ChoiceMenu* menu = make();
    for (int i = 0; i < ChoiceMenu::maximumEntries; ++i) {
        ASSERT_TRUE(menu->addEntry(std::to_string(i).c_str()));
    }
    EXPECT_FALSE(menu->addEntry("one too many"));
    EXPECT_FALSE(menu->addEntry("one too many", 0));
    EXPECT_EQ(menu->getEntryCount(), 128);
    menu->removeAllEntries();
    EXPECT_EQ(menu->getEntryCount(), 0);
    EXPECT_EQ(menu->getCurrentEntry(nullptr), -1);
    menu->addEntry(std::string(400, 'w').c_str());
    menu->addEntry(nullptr);
    EXPECT_EQ(entries(*menu), (std::vector<std::string>{std::string(255, 'w'), ""}));
}

} // namespace

