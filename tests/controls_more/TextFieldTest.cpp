// The text field and its edit box: which presses open it, Enter, the loss of the focus and a
// click elsewhere closing it, the listener told only of real changes, the text converter, the
// limits on the text, and a close that the box's own destruction cannot enter twice.
#include <cstring>
#include <string>

#include "framework/gui/FontTable.h"
#include "framework/gui/controls/TextField.h"
#include "platform/testing/Keystrokes.h"
#include "tests/controls_more/ControlsTestSupport.h"


using namespace controlstest;
namespace pt = platform::testing;

namespace {

class TextFieldTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        field = attach(new TextField(Rect(20, 30, 120, 50), &listener, 7, "hello", nullptr, 0));
    }
    // A press on the control through the frame, as the window procedure delivers it.
    void pressAt(const Point& where, bool shift = false, bool control = false, bool alt = false,
                 pt::Button button = pt::Button::left) {
        pt::pressMouse(frame->getWindowHandle(), where.h, where.v, button, shift, control, alt);
        pt::releaseMouse(frame->getWindowHandle(), where.h, where.v, button);
    }
    std::string text() {
        char buffer[TextField::textCapacity];
        field->getText(buffer);
        return buffer;
    }
    std::string boxText() {
        char buffer[1024] = {};
        GetWindowTextA(field->getEditWindow(), buffer, sizeof(buffer));
        return buffer;
    }
    TextField* field = nullptr;
};

TEST_F(TextFieldTest, OnlyALeftClickWithoutModifiersOpensTheBox) {
    struct Case {
        const char* what;
        pt::Button button;
        bool shift, control, alt;
    };
    const Case cases[] = {
        {"right", pt::Button::right, false, false, false},
        {"middle", pt::Button::middle, false, false, false},
        {"left with shift", pt::Button::left, true, false, false},
        {"left with control", pt::Button::left, false, true, false},
        {"left with alt", pt::Button::left, false, false, true},
    };
    for (const Case& c : cases) {
        pressAt(Point(50, 40), c.shift, c.control, c.alt, c.button);
        EXPECT_EQ(field->getEditWindow(), nullptr) << c.what;
        EXPECT_EQ(frame->getEditingView(), nullptr) << c.what;
    }
    pressAt(Point(50, 40));
    ASSERT_NE(field->getEditWindow(), nullptr);
    EXPECT_EQ(frame->getEditingView(), field);
}

TEST_F(TextFieldTest, TheBoxLiesOverTheControlWithItsTextFontAndFocus) {
    pressAt(Point(50, 40));
    HWND box = field->getEditWindow();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetParent(box), frame->getWindowHandle());
    RECT placed{};
    GetWindowRect(box, &placed);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, 101);
    EXPECT_EQ(placed.bottom - placed.top, 21);
    EXPECT_EQ(GetWindowLongPtrA(box, GWL_STYLE), LONG_PTR(0x50000081));
    EXPECT_EQ(boxText(), "hello");
    EXPECT_EQ(GetFocus(), box);
    EXPECT_EQ(SendMessageA(box, EM_GETMARGINS, 0, 0), 0) << "both inner margins are 0";

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA described{};
    ASSERT_EQ(GetObjectA(font, sizeof described, &described), int(sizeof described));
    EXPECT_EQ(described.lfHeight, -lookupFont(fontNormal, 0).size);
    EXPECT_EQ(described.lfWeight, 400);
    EXPECT_EQ(described.lfPitchAndFamily, 0x22);
    EXPECT_STREQ(described.lfFaceName, "Arial");
}

TEST_F(TextFieldTest, EnterKeepsTheTypedTextClosesTheBoxTellsOnceAndRedraws) {
    pressAt(Point(50, 40));
    const int objectsWhileOpen = pt::liveObjectCount();
    pt::typeText("\x01"); // select everything, so typing replaces it
    pt::typeText("world");
    EXPECT_EQ(boxText(), "world");
    EXPECT_EQ(text(), "hello") << "nothing is taken before the box closes";
    ASSERT_TRUE(pt::pressKey(VK_RETURN));

    EXPECT_EQ(field->getEditWindow(), nullptr);
    EXPECT_EQ(frame->getEditingView(), nullptr);
    EXPECT_EQ(text(), "world");
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_LT(pt::liveObjectCount(), objectsWhileOpen) << "the box's font is deleted";
    EXPECT_EQ(field->getDrawnValue(), field->getValue()) << "redrawn as it closed";
    EXPECT_EQ(field->getValue(), 0.0f) << "editing leaves the value alone";
}

TEST_F(TextFieldTest, EnterWithoutTypingTellsNoOne) {
    pressAt(Point(50, 40));
    pt::pressKey(VK_RETURN);
    EXPECT_EQ(field->getEditWindow(), nullptr);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(text(), "hello");
}

TEST_F(TextFieldTest, AClickElsewhereInTheFrameKeepsTheTextAsEnterDoes) {
    pressAt(Point(50, 40));
    pt::pressKey(VK_END);
    pt::typeText(" there");
    pressAt(Point(200, 150));
    EXPECT_EQ(field->getEditWindow(), nullptr);
    EXPECT_EQ(frame->getEditingView(), nullptr);
    EXPECT_EQ(text(), "hello there");
    EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(TextFieldTest, LosingTheFocusClosesTheBox) {
    pressAt(Point(50, 40));
    pt::typeText("x");
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, hostWindow,
                                 nullptr, nullptr, nullptr);
    SetFocus(other);
    EXPECT_EQ(field->getEditWindow(), nullptr);
    EXPECT_EQ(frame->getEditingView(), nullptr);
    EXPECT_EQ(text(), "xhello") << "the caret starts at the front";
    EXPECT_EQ(listener.values.size(), 1u);
    DestroyWindow(other);
}

TEST_F(TextFieldTest, ClosingIsNotEnteredAgainByTheFocusLossOfTheBoxsDestruction) {
    // A listener that closes the field again from inside the report, and counts the reports.
    const int objects = pt::liveObjectCount(), contexts = pt::liveContextCount();
    pressAt(Point(50, 40));
    pt::typeText("a");
    int reports = 0;
    listener.onChange = [&](Control*) {
        ++reports;
        field->endEditing();
    };
    const std::size_t windowsBefore = pt::allWindows().size();
    field->endEditing(); // destroying the focused box sends it WM_KILLFOCUS
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(pt::allWindows().size(), windowsBefore - 1);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(text(), "ahello");
    EXPECT_EQ(pt::liveObjectCount(), objects) << "the font deleted once, nothing left";
    EXPECT_EQ(pt::liveContextCount(), contexts);
}

TEST_F(TextFieldTest, ClicksOnTheOpenBoxGoToTheBoxAndAPressOnTheFieldOpensNothingNew) {
    pressAt(Point(50, 40));
    HWND box = field->getEditWindow();
    pt::pressMouse(box, 5, 5);
    pt::releaseMouse(box, 5, 5);
    EXPECT_EQ(field->getEditWindow(), box);
    // The frame gives a press inside the editing view to the field, which is already open.
    field->onMouseDown(*context, Point(50, 40));
    EXPECT_EQ(field->getEditWindow(), box);
    EXPECT_EQ(frame->getEditingView(), field);
}

void bracket(const char* text, char* shown) {
    std::snprintf(shown, 256, "[%s]", text);
}

TEST_F(TextFieldTest, TheConverterChangesWhatIsShownNotWhatIsStored) {
    Image plain, converted;
    field->draw(*context);
    plain = picture();
    field->setTextConverter(&bracket);
    field->draw(*context);
    converted = picture();
    EXPECT_NE(plain.pixels, converted.pixels);
    EXPECT_EQ(text(), "hello");

    // The same picture as a field whose text really has the brackets.
    field->setTextConverter(nullptr);
    field->setText("[hello]");
    field->draw(*context);
    EXPECT_EQ(picture().pixels, converted.pixels);
}

TEST_F(TextFieldTest, SetTextMarksForRedrawingAndANullTextChangesNothing) {
    field->drawIfChanged(*context);
    field->setText(nullptr);
    EXPECT_EQ(field->getDrawnValue(), field->getValue());
    EXPECT_EQ(text(), "hello");
    field->setText("bye");
    EXPECT_EQ(field->getDrawnValue(), 1.0f) << "value 0, so drawn value 1";
    field->setValue(0.5f);
    field->setText("again");
    EXPECT_EQ(field->getDrawnValue(), 0.0f);
}

TEST_F(TextFieldTest, TextsKeepAtMost255CharactersAndTheBoxGives254Back) {
    const std::string long300(300, 'q');
    TextField made(Rect(0, 0, 10, 10), &listener, 0, long300.c_str(), nullptr, 0);
    char buffer[TextField::textCapacity];
    made.getText(buffer);
    EXPECT_EQ(std::strlen(buffer), 255u);
    field->setText(long300.c_str());
    EXPECT_EQ(text(), std::string(255, 'q'));

    field->setText("");
    pressAt(Point(50, 40));
    pt::typeText(std::string(300, 'z'));
    EXPECT_EQ(boxText().size(), 300u) << "the box itself takes them all";
    pt::pressKey(VK_RETURN);
    EXPECT_EQ(text(), std::string(254, 'z'));
}

TEST_F(TextFieldTest, TheFrameClosesAnOpenBoxWhenItGoes) {
    pressAt(Point(50, 40));
    pt::typeText("k");
    HWND box = field->getEditWindow();
    context.reset();
    ReleaseDC(frame->getWindowHandle(), deviceContext);
    delete frame;
    frame = nullptr;
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(listener.values.size(), 1u) << "the typed text was taken";
    // Stand-ins so that the fixture's teardown has something to release.
    frame = new Frame(Rect(0, 0, 10, 10), hostWindow, nullptr);
    deviceContext = GetDC(frame->getWindowHandle());
}

TEST_F(TextFieldTest, AFieldDestroyedWithItsBoxOpenLeavesNoBoxBehind) {
    pressAt(Point(50, 40));
    HWND box = field->getEditWindow();
    frame->detachView(field);
    frame->setEditingView(nullptr);
    delete field;
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(listener.values.empty());
}

} // namespace

