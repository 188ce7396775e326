#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/gui/Bitmap.h"
#include "framework/gui/controls/HorizontalSlider.h"
#include "framework/gui/controls/VerticalSlider.h"
#include "tests/controls/ControlFixture.h"

namespace {

using controltest::leftAt;
using controltest::releasedAt;

constexpr std::uint32_t bodyColor = 0x202830;
constexpr std::uint32_t handleColor = 0x4070B0;
constexpr std::uint32_t white = 0xFFFFFF;
// The one key-coloured pixel of the handle, away from the column the tests scan.
constexpr int holeX = 10;
constexpr int holeY = 6;

// The editors' geometry: track 16 x 160 at (31, 79), handle 14 x 12 one pixel in from the
// track's left edge, travel from row 79 to row 226, dragged from the bottom.
constexpr int left = 31;
constexpr int top = 79;
constexpr int minimumPosition = 79;
constexpr int maximumPosition = 226;
constexpr int range = maximumPosition - minimumPosition; // 147
constexpr int scanColumn = left + 1 + 3;

float plainValueAt(int row, int grip) {
    const float fromTop = static_cast<float>(double(row - minimumPosition - grip) / range);
    return static_cast<float>(1.0 - fromTop);
}

class SliderTest : public controltest::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        guitest::registerBitmap(129, 16, 160, [](int, int) { return bodyColor; });
        guitest::registerBitmap(130, 14, 12, [](int x, int y) {
            return x == holeX && y == holeY ? white : handleColor;
        });
        body = new Bitmap(129);
        handle = new Bitmap(130);
        slider =
            new VerticalSlider(Rect(left, top, left + 16, top + 160), &listener, 7, minimumPosition,
                               maximumPosition, handle, body, Point(0, 0), styleOriginBottom);
        slider->setHandleOffset(Point(1, 0));
        frame->attachView(slider);
    }
    void TearDown() override {
        FrameTest::TearDown(); // the frame destroys the slider
        body->release();
        handle->release();
    }

    // The first row from the top of the track where the scanned column shows the handle.
    int drawnHandleTop() {
        const platform::testing::Image image = picture();
        for (int y = top; y < top + 160; ++y) {
            if (image.at(scanColumn, y) == handleColor) {
                return y;
            }
        }
        return -1;
    }

    void showValue(float value) {
        slider->setValue(value);
        drawNow(*slider);
    }

    controltest::RedrawingListener listener;
    Bitmap* body = nullptr;
    Bitmap* handle = nullptr;
    VerticalSlider* slider = nullptr;
};

TEST_F(SliderTest, DrawsTheHandleWhereTheValuePutsIt) {
    struct Case {
        float value;
        int row;
    };
    // 0.3 lands on 181, not 182: 1 - 0.3 is rounded to a float before it meets the range.
    for (const Case& c : {Case{1.0f, 79}, Case{0.0f, 226}, Case{0.5f, 152}, Case{0.3f, 181}}) {
        showValue(c.value);
        EXPECT_EQ(drawnHandleTop(), c.row) << "value " << c.value;
        EXPECT_EQ(slider->getHandlePosition(), c.row) << "value " << c.value;
        EXPECT_EQ(slider->getDrawnValue(), c.value);
    }
}

TEST_F(SliderTest, ValuesBeyondTheRangeStayOnTheTrack) {
    for (float value : {-3.0f, 4.0f, 1.0e30f, -1.0e30f, NAN}) {
        showValue(value);
        // Whole, at the nearer end, where the next press can grip it.
        const int row = slider->getHandlePosition();
        EXPECT_TRUE(row == top || row == maximumPosition) << value << ": " << row;
        EXPECT_EQ(drawnHandleTop(), row) << value;
    }
}

TEST_F(SliderTest, AGripBelowTheHandleTopMovesByTheRoundingStep) {
    showValue(0.5f);
    drag({leftAt(35, 157), releasedAt(35, 157)});

    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(listener.values[0], plainValueAt(157, 5));
    EXPECT_NE(listener.values[0], 0.5f);
    // 1 minus the value is just below 73 / 147: the redraw truncates to 72.
    EXPECT_EQ(slider->getHandlePosition(), 151);
    EXPECT_EQ(drawnHandleTop(), 151);
}

TEST_F(SliderTest, DraggingKeepsTheGripUnderTheCursorAndStopsAtTheEnds) {
    showValue(0.5f);
    drag({leftAt(35, 157), leftAt(35, 100), leftAt(35, -500), leftAt(35, 2000),
          releasedAt(35, 2000)});

    ASSERT_EQ(listener.values.size(), 4u);
    EXPECT_EQ(listener.values[1], plainValueAt(100, 5));
    EXPECT_EQ(listener.values[2], 1.0f);
    EXPECT_EQ(listener.values[3], 0.0f);
    EXPECT_EQ(slider->getValue(), 0.0f);
    EXPECT_EQ(slider->getHandlePosition(), maximumPosition);
}

TEST_F(SliderTest, TheValueFromRow100IsDrawnAtRow95) {
    showValue(0.5f);
    drag({leftAt(35, 157), leftAt(35, 100), releasedAt(35, 100)});
    EXPECT_EQ(slider->getValue(), plainValueAt(100, 5));
    EXPECT_EQ(drawnHandleTop(), 95);
}

TEST_F(SliderTest, OnlyPressesOnTheHandleGripIt) {
    struct Case {
        int x;
        int y;
        bool grips;
    };
    // The handle is drawn from column 32, but the hit test runs from the control's left edge
    // over the handle's width, edges included; rows 152 to 164 for a handle at 152.
    const Case cases[] = {
        {left, 152, true}, {left + 14, 158, true}, {left + 15, 158, false}, {35, 164, true},
        {35, 165, false},  {35, 151, false},       {35, 200, false}, // on the body, below the
                                                                     // handle
    };
    for (const Case& c : cases) {
        showValue(0.5f);
        listener.values.clear();
        // The cursor moves 20 rows down before the release: a grip moves the handle.
        drag({leftAt(c.x, c.y), leftAt(c.x, c.y + 20), releasedAt(c.x, c.y + 20)});
        EXPECT_EQ(!listener.values.empty(), c.grips) << c.x << "," << c.y;
        EXPECT_EQ(slider->getValue() != 0.5f, c.grips) << c.x << "," << c.y;
    }
}

TEST_F(SliderTest, ShiftFromTheStartMovesATenthOfTheWay) {
    showValue(0.5f);
    drag({leftAt(35, 157, true), leftAt(35, 187, true), releasedAt(35, 187)});

    ASSERT_EQ(listener.values.size(), 2u);
    const float plain = plainValueAt(187, 5);
    EXPECT_FLOAT_EQ(listener.values[1], 0.5f + (plain - 0.5f) / 10.0f);
}

TEST_F(SliderTest, ShiftMidDragAnchorsAtTheValueReachedAndKeepsThatAnchor) {
    showValue(0.5f);
    drag({leftAt(35, 157), leftAt(35, 187), leftAt(35, 217, true), leftAt(35, 200),
          leftAt(35, 157, true), releasedAt(35, 157)});

    ASSERT_EQ(listener.values.size(), 5u);
    const float anchor = plainValueAt(187, 5);
    EXPECT_EQ(listener.values[1], anchor);
    EXPECT_FLOAT_EQ(listener.values[2], anchor + (plainValueAt(217, 5) - anchor) / 10.0f);
    // Shift released: plain again.
    EXPECT_EQ(listener.values[3], plainValueAt(200, 5));
    // Shift pressed again: the button state equals the one last anchored, so the anchor stays.
    EXPECT_FLOAT_EQ(listener.values[4], anchor + (plainValueAt(157, 5) - anchor) / 10.0f);
}

TEST_F(SliderTest, AFineDragFromANotANumberValueReportsNumbers) {
    showValue(NAN);
    drag({leftAt(35, 79 + 5, true), leftAt(35, 120, true), releasedAt(35, 120)});
    ASSERT_FALSE(listener.values.empty());
    for (float value : listener.values) {
        EXPECT_FALSE(std::isnan(value));
    }
}

TEST_F(SliderTest, AnyOtherButtonStateEndsTheDrag) {
    showValue(0.5f);
    controltest::InputState withControl = leftAt(35, 120);
    withControl.control = true;
    drag({leftAt(35, 157), withControl, leftAt(35, 100), releasedAt(35, 100)});
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(slider->getValue(), plainValueAt(157, 5));
}

TEST_F(SliderTest, AltClickReturnsToTheDefaultValueWithoutTracking) {
    struct Case {
        float defaultValue;
    };
    for (const Case& c : {Case{0.75f}, Case{0.5f}}) {
        showValue(0.2f);
        listener.values.clear();
        slider->setDefaultValue(c.defaultValue);
        // Far from the handle: the reset does not look at the press position.
        platform::testing::pressMouse(window(), 40, 90, platform::testing::Button::left, false,
                                      false, true);
        ASSERT_EQ(listener.values.size(), 1u);
        EXPECT_EQ(listener.values[0], c.defaultValue);
        EXPECT_EQ(slider->getValue(), c.defaultValue);
        platform::testing::resetInput();
    }
}

TEST_F(SliderTest, AltClickOnTheDefaultValueTellsNobody) {
    showValue(0.5f);
    platform::testing::pressMouse(window(), 40, 90, platform::testing::Button::left, false, false,
                                  true);
    EXPECT_TRUE(listener.values.empty());
}

TEST_F(SliderTest, RightButtonAndRefusedMouseDoNothing) {
    showValue(0.5f);
    platform::testing::pressMouse(window(), 35, 157, platform::testing::Button::right);
    EXPECT_TRUE(listener.values.empty());
    platform::testing::resetInput();

    slider->setAcceptsMouse(false);
    drag({leftAt(35, 157), leftAt(35, 100), releasedAt(35, 100)});
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(slider->getValue(), 0.5f);
}

TEST_F(SliderTest, TheKeyColourShowsTheBodyUnlessTheHandleIsOpaque) {
    showValue(1.0f);
    const int x = left + 1 + holeX;
    const int y = top + holeY;
    EXPECT_EQ(picture().at(x, y), bodyColor);
    slider->setTransparentHandle(false);
    drawNow(*slider);
    EXPECT_EQ(picture().at(x, y), white);
}

TEST_F(SliderTest, TheDragYieldsTheProcessorAtEveryPoll) {
    platform::testing::setTickCount(1000);
    showValue(0.5f);
    const std::uint64_t pollsBefore = platform::testing::cursorPolls();
    drag({leftAt(35, 157), leftAt(35, 150), leftAt(35, 140), leftAt(35, 130), releasedAt(35, 130)});
    const std::uint64_t polls = platform::testing::cursorPolls() - pollsBefore;
    EXPECT_EQ(polls, 4u);
    // Sleep is free in the tests and moves the clock by what was asked: 1 ms per poll.
    EXPECT_EQ(GetTickCount(), 1000u + polls);
}

TEST_F(SliderTest, HoldsOneReferenceToEachBitmap) {
    EXPECT_EQ(body->getReferenceCount(), 2);
    EXPECT_EQ(handle->getReferenceCount(), 2);
    frame->detachView(slider);
    delete slider;
    EXPECT_EQ(body->getReferenceCount(), 1);
    EXPECT_EQ(handle->getReferenceCount(), 1);
}

// The horizontal slider is the same control turned on its side: a track 160 x 16 at (20, 40),
// the handle (14 wide) travelling from column 20 to 165, value 0 drawn at the left end and a
// drag measured from the left end.
class HorizontalSliderTest : public SliderTest {
protected:
    void SetUp() override {
        SliderTest::SetUp();
        guitest::registerBitmap(131, 160, 16, [](int, int) { return bodyColor; });
        wideBody = new Bitmap(131);
        horizontal = new HorizontalSlider(Rect(20, 40, 180, 56), &listener, 3, 20, 165, handle,
                                          wideBody, Point(0, 0), styleOriginLeft);
        horizontal->setHandleOffset(Point(0, 1));
        frame->attachView(horizontal);
    }
    void TearDown() override {
        SliderTest::TearDown();
        wideBody->release();
    }

    int drawnHandleLeft() {
        const platform::testing::Image image = picture();
        for (int x = 20; x < 180; ++x) {
            if (image.at(x, 40 + 1 + 3) == handleColor) {
                return x;
            }
        }
        return -1;
    }

    Bitmap* wideBody = nullptr;
    HorizontalSlider* horizontal = nullptr;
};

TEST_F(HorizontalSliderTest, DrawsAndDragsAlongTheRow) {
    struct Case {
        float value;
        int column;
    };
    for (const Case& c : {Case{0.0f, 20}, Case{1.0f, 165}, Case{0.5f, 20 + 72}}) {
        horizontal->setValue(c.value);
        drawNow(*horizontal);
        EXPECT_EQ(drawnHandleLeft(), c.column) << c.value;
        EXPECT_EQ(horizontal->getHandlePosition(), c.column) << c.value;
    }
    // Handle at 92: grip it 3 pixels in and drag to the far right.
    drag({leftAt(95, 45), leftAt(1000, 45), releasedAt(1000, 45)});
    EXPECT_EQ(horizontal->getValue(), 1.0f);
    EXPECT_EQ(drawnHandleLeft(), 165);
}

} // namespace
