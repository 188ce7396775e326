// Switches and buttons: the image each value shows, the bands of the multi-position switches,
// the buttons' tracking inside and outside, the rocker's halves, and the Alt reset.
#include "framework/gui/controls/FilmstripButton.h"
#include "framework/gui/controls/HorizontalSwitch.h"
#include "framework/gui/controls/MomentaryButton.h"
#include "framework/gui/controls/RockerSwitch.h"
#include "framework/gui/controls/ToggleButton.h"
#include "framework/gui/controls/VerticalSwitch.h"
#include "tests/controls_more/ControlsTestSupport.h"

using namespace controlstest;

namespace {

class SwitchesAndButtonsTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        strip = makeCoordinateBitmap(7201, 40, 120);
        // Redraw on every report, as the editors do, so that "changed" means changed.
        listener.onChange = [&](Control* control) { control->drawIfChanged(*context); };
    }
    void TearDown() override {
        strip->release();
        ControlsTest::TearDown();
    }
    Bitmap* strip = nullptr;
};

TEST_F(SwitchesAndButtonsTest, VerticalSwitchBandsComeFromTheImageHeight) {
    // Four positions over an image height of 40: bands of 10 pixels from the control's top,
    // whatever the control's own height.
    auto* sw =
        attach(new VerticalSwitch(Rect(10, 20, 50, 100), &listener, 0, 40, 4, strip, Point(0, 0)));
    const struct {
        int dy;
        float expected;
    } cases[] = {{-5, 0.0f},        {0, 0.0f},         {9, 0.0f},
                 {10, 1.0f / 3.0f}, {19, 1.0f / 3.0f}, {20, 2.0f / 3.0f},
                 {29, 2.0f / 3.0f}, {30, 1.0f},        {75, 1.0f}};
    for (const auto& c : cases) {
        drag(*sw, {Point(20, 20 + c.dy)});
        EXPECT_FLOAT_EQ(sw->getValue(), c.expected) << "dy " << c.dy;
    }
}

TEST_F(SwitchesAndButtonsTest, HorizontalSwitchBandsIncludeTheirRightEdge) {
    auto* sw =
        attach(new HorizontalSwitch(Rect(10, 20, 90, 50), &listener, 0, 30, 4, strip, Point(0, 0)));
    const struct {
        int dx;
        float expected;
    } cases[] = {{-3, 0.0f},        {0, 0.0f},         {10, 0.0f},
                 {11, 1.0f / 3.0f}, {20, 1.0f / 3.0f}, {21, 2.0f / 3.0f},
                 {30, 2.0f / 3.0f}, {31, 1.0f},        {70, 1.0f}};
    for (const auto& c : cases) {
        drag(*sw, {Point(10 + c.dx, 30)});
        EXPECT_FLOAT_EQ(sw->getValue(), c.expected) << "dx " << c.dx;
    }
}

TEST_F(SwitchesAndButtonsTest, SwitchFollowsTheCursorUntilReleased) {
    auto* sw =
        attach(new VerticalSwitch(Rect(10, 20, 50, 60), &listener, 0, 40, 4, strip, Point(0, 0)));
    drag(*sw, {Point(20, 21), Point(20, 45), Point(20, 46), Point(20, 0)});
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f, 2.0f / 3.0f, 0.0f}));
}

TEST_F(SwitchesAndButtonsTest, SwitchShowsTheImageOfItsPosition) {
    // Three positions of 10 pixels; the offset is not used for the source.
    auto* sw =
        attach(new VerticalSwitch(Rect(10, 20, 30, 30), &listener, 0, 10, 3, strip, Point(3, 4)));
    auto* horizontal =
        attach(new HorizontalSwitch(Rect(40, 20, 60, 30), &listener, 0, 10, 3, strip, Point(3, 4)));
    const struct {
        float value;
        int position;
    } cases[] = {{0.0f, 0}, {0.49f, 0}, {0.5f, 1}, {0.99f, 1}, {1.0f, 2}, {7.0f, 2}, {-1.0f, 0}};
    for (const auto& c : cases) {
        sw->setValue(c.value);
        sw->draw(*context);
        horizontal->setValue(c.value);
        horizontal->draw(*context);
        EXPECT_EQ(shownAt(10, 20), Point(0, c.position * 10)) << "value " << c.value;
        EXPECT_EQ(shownAt(40, 20), Point(0, c.position * 10)) << "value " << c.value;
    }
}

TEST_F(SwitchesAndButtonsTest, SwitchOfOnePositionAlwaysShowsItAndEveryPressSetsOne) {
    auto* sw =
        attach(new VerticalSwitch(Rect(10, 20, 30, 30), &listener, 0, 10, 1, strip, Point(0, 0)));
    sw->setValue(0.7f);
    sw->draw(*context);
    EXPECT_EQ(shownAt(10, 20), Point(0, 0));
    drag(*sw, {Point(10, 20)});
    EXPECT_EQ(sw->getValue(), 1.0f);
}

TEST_F(SwitchesAndButtonsTest, AltClickResetsASwitchToItsDefaultWithoutTracking) {
    VerticalSwitch* vertical =
        attach(new VerticalSwitch(Rect(10, 20, 50, 60), &listener, 0, 40, 4, strip, Point(0, 0)));
    HorizontalSwitch* horizontal = attach(
        new HorizontalSwitch(Rect(60, 20, 100, 60), &listener, 0, 40, 4, strip, Point(0, 0)));
    for (Control* sw : {static_cast<Control*>(vertical), static_cast<Control*>(horizontal)}) {
        listener.values.clear();
        EXPECT_EQ(sw->getDefaultValue(), 0.0f);
        sw->setValue(2.0f / 3.0f);
        sw->setDrawnValue(2.0f / 3.0f);
        platform::testing::resetInput();
        platform::testing::setSleepFree(true);
        platform::testing::setInput(held(Point(sw->getSize().left + 35, 55), false, false, true));
        sw->onMouseDown(*context, Point(sw->getSize().left + 35, 55));
        EXPECT_EQ(sw->getValue(), 0.0f);
        EXPECT_EQ(listener.values, std::vector<float>{0.0f});
        EXPECT_EQ(platform::testing::cursorPolls(), 0u);
    }
}

TEST_F(SwitchesAndButtonsTest, ToggleButtonFlipsAtOnceAndShowsOnForAnyValueButZero) {
    auto* button = attach(new ToggleButton(Rect(10, 10, 30, 30), &listener, 0, strip));
    button->setValue(0.5f);
    button->draw(*context);
    EXPECT_EQ(shownAt(10, 10), Point(0, 60)) << "half the bitmap's height down";

    click(*button, Point(15, 15));
    EXPECT_EQ(button->getValue(), 1.0f) << "0.5 has the integer part 0, so it counts as off";
    EXPECT_EQ(shownAt(10, 10), Point(0, 60)) << "drawn at once";
    click(*button, Point(15, 15));
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(shownAt(10, 10), Point(0, 0));
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(SwitchesAndButtonsTest, ToggleButtonWithoutABitmapStillToggles) {
    auto* button = attach(new ToggleButton(Rect(10, 10, 30, 30), &listener, 0, nullptr));
    const Image before = picture();
    click(*button, Point(15, 15));
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(picture().pixels, before.pixels);
}

TEST_F(SwitchesAndButtonsTest, FilmstripButtonFlipsOnlyWhenReleasedOverIt) {
    struct Case {
        std::vector<Point> path;
        float atRelease;
        std::vector<float> heard;
    };
    const Point inside(20, 20), outside(60, 20), onEdge(30, 30);
    const Case cases[] = {
        {{inside}, 1.0f, {1.0f}},
        {{inside, outside}, 0.0f, {1.0f, 0.0f}},
        {{inside, outside, onEdge}, 1.0f, {1.0f, 0.0f, 1.0f}},
        {{outside, outside}, 0.0f, {0.0f}}, // the first pass reports the unchanged value once
    };
    for (const Case& c : cases) {
        auto* button =
            attach(new FilmstripButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)));
        listener.values.clear();
        drag(*button, c.path);
        EXPECT_EQ(button->getValue(), c.atRelease);
        EXPECT_EQ(listener.values, c.heard);
        frame->detachView(button);
        delete button;
    }
}

TEST_F(SwitchesAndButtonsTest, FilmstripButtonPressedWithNothingHeldFlipsAtOnce) {
    auto* button =
        attach(new FilmstripButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)));
    button->setValue(1.0f);
    button->setDrawnValue(1.0f);
    click(*button, Point(15, 15));
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(listener.values, std::vector<float>{0.0f});
}

TEST_F(SwitchesAndButtonsTest, FilmstripButtonDrawLimitsTheValue) {
    auto* button =
        attach(new FilmstripButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(5, 5)));
    const struct {
        float value, stored;
        int row;
    } cases[] = {{0.0f, 0.0f, 0}, {0.3f, 0.3f, 20}, {4.0f, 1.0f, 20}, {-2.0f, 0.0f, 0}};
    for (const auto& c : cases) {
        button->setValue(c.value);
        button->draw(*context);
        EXPECT_EQ(button->getValue(), c.stored);
        EXPECT_EQ(shownAt(10, 10), Point(0, c.row)) << "value " << c.value;
    }
}

TEST_F(SwitchesAndButtonsTest, MomentaryButtonIsOnWhileHeldAndAlwaysEndsOff) {
    struct Case {
        std::vector<Point> path;
        std::vector<float> heard;
    };
    const Case cases[] = {
        {{Point(20, 20), Point(21, 21)}, {1.0f, 0.0f}},
        {{Point(20, 20), Point(60, 60)}, {1.0f, 0.0f, 0.0f}},
        {{Point(60, 60)}, {0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        auto* button =
            attach(new MomentaryButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)));
        listener.values.clear();
        drag(*button, c.path);
        EXPECT_EQ(button->getValue(), 0.0f);
        EXPECT_EQ(listener.values, c.heard);
        frame->detachView(button);
        delete button;
    }
    auto* button =
        attach(new MomentaryButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)));
    listener.values.clear();
    click(*button, Point(15, 15));
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(SwitchesAndButtonsTest, MomentaryButtonTakesItsImagesRelativeToTheOffset) {
    auto* button =
        attach(new MomentaryButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(2, 3)));
    button->setValue(0.0f);
    button->draw(*context);
    EXPECT_EQ(shownAt(10, 10), Point(2, 3));
    button->setValue(9.0f);
    button->draw(*context);
    EXPECT_EQ(shownAt(10, 10), Point(2, 23));
    EXPECT_EQ(button->getValue(), 1.0f);
}

TEST_F(SwitchesAndButtonsTest, RockerSwitchRegionsAndTheSpringBack) {
    // 41 pixels wide: the left half is columns 10..30, the right half 30..51, and the dividing
    // column 30 belongs to the left.
    struct Case {
        std::vector<Point> path;
        std::vector<float> heard;
    };
    const Case cases[] = {
        {{Point(15, 20)}, {-1.0f, 0.0f}},
        {{Point(30, 20)}, {-1.0f, 0.0f}},
        {{Point(31, 20)}, {1.0f, 0.0f}},
        {{Point(51, 30)}, {1.0f, 0.0f}},
        {{Point(15, 20), Point(45, 20), Point(80, 20)}, {-1.0f, 1.0f, 0.0f, 0.0f}},
        {{Point(20, 31)}, {0.0f}}, // below the switch: the value at the press, unchanged
    };
    for (const Case& c : cases) {
        auto* rocker =
            attach(new RockerSwitch(Rect(10, 10, 51, 30), &listener, 0, 20, strip, Point(0, 0)));
        rocker->setValue(0.0f);
        rocker->setDrawnValue(0.0f);
        listener.values.clear();
        drag(*rocker, c.path);
        EXPECT_EQ(rocker->getValue(), 0.0f);
        EXPECT_EQ(listener.values, c.heard) << "press at " << c.path[0].h << "," << c.path[0].v;
        frame->detachView(rocker);
        delete rocker;
    }
}

TEST_F(SwitchesAndButtonsTest, RockerSwitchPressedWithNothingHeldReportsItsSideThenRest) {
    auto* rocker =
        attach(new RockerSwitch(Rect(10, 10, 51, 30), &listener, 0, 20, strip, Point(0, 0)));
    click(*rocker, Point(45, 15));
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(SwitchesAndButtonsTest, RockerSwitchImages) {
    auto* rocker =
        attach(new RockerSwitch(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(1, 2)));
    const struct {
        float value;
        int row;
    } cases[] = {{-1.0f, 2}, {0.0f, 22}, {1.0f, 42}, {0.5f, 2}};
    for (const auto& c : cases) {
        rocker->setValue(c.value);
        rocker->draw(*context);
        EXPECT_EQ(shownAt(10, 10), Point(1, c.row)) << "value " << c.value;
    }
}

TEST_F(SwitchesAndButtonsTest, ControlsThatDoNotAcceptTheMouseIgnorePresses) {
    Control* controls[] = {
        new ToggleButton(Rect(10, 10, 30, 30), &listener, 0, strip),
        new FilmstripButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)),
        new MomentaryButton(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)),
        new VerticalSwitch(Rect(10, 10, 30, 30), &listener, 0, 20, 2, strip, Point(0, 0)),
        new HorizontalSwitch(Rect(10, 10, 30, 30), &listener, 0, 20, 2, strip, Point(0, 0)),
        new RockerSwitch(Rect(10, 10, 30, 30), &listener, 0, 20, strip, Point(0, 0)),
    };
    for (Control* control : controls) {
        attach(control);
        control->setAcceptsMouse(false);
        drag(*control, {Point(25, 25)});
        click(*control, Point(25, 25));
        EXPECT_EQ(control->getValue(), 0.0f);
    }
    EXPECT_TRUE(listener.values.empty());
}

} // namespace
