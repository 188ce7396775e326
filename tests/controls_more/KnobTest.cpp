// Knobs: where the handle sits for a value, which value a point stands for (the active arc,
// the dead zone at the bottom and the centre), the drag that follows the cursor for as long as
// anything is held, the Alt reset, and the filmstrip frames of the animated knob.
#include <cmath>

#include "framework/gui/controls/AnimatedKnob.h"
#include "framework/gui/controls/Knob.h"
#include "tests/controls_more/ControlsTestSupport.h"

using namespace controlstest;

namespace {

class KnobTest : public ControlsTest {};

// Without a handle the inset is 5: the circle's centre is at (25, 25) of a 50-pixel knob and
// its radius is 20.
TEST_F(KnobTest, HandlePositionFollowsTheValueOverTheActiveArc) {
    struct Case {
        float minimum, maximum, value;
        Point expected;
    };
    const Case cases[] = {
        {0.0f, 1.0f, 0.0f, Point(10, 39)},   // lower left
        {0.0f, 1.0f, 1.0f, Point(39, 39)},   // lower right
        {0.0f, 1.0f, 0.5f, Point(24, 5)},    // the top, one pixel left of centre by truncation
        {-1.0f, 1.0f, -1.0f, Point(10, 39)}, // the minimum of any range is the lower left
        {0.5f, 0.5f, 0.5f, Point(10, 39)},   // no range: the minimum's place, not garbage
        {0.5f, 0.5f, 3.0f, Point(10, 39)},
    };
    for (const Case& c : cases) {
        Knob knob(Rect(0, 0, 50, 50), &listener, 0, nullptr, nullptr, Point(0, 0));
        knob.setMin(c.minimum);
        knob.setMax(c.maximum);
        knob.setValue(c.value);
        Point where;
        knob.pointForValue(where);
        EXPECT_EQ(where, c.expected)
            << "range " << c.minimum << ".." << c.maximum << ", value " << c.value;
    }
}

TEST_F(KnobTest, ValueForPointCoversTheArcTheDeadZoneAndTheCentre) {
    struct Case {
        Point point;
        float expected;
        const char* what;
    };
    const Case cases[] = {
        {Point(25, 10), 0.5f, "straight above the centre"},
        {Point(45, 25), 5.0f / 6.0f, "straight right"},
        {Point(5, 25), 1.0f / 6.0f, "straight left"},
        {Point(25, 25), 0.5f, "the exact centre counts as straight up"},
        {Point(25, 45), 1.0f, "straight below snaps to the maximum"},
        {Point(24, 45), 0.0f, "just left of straight below snaps to the minimum"},
        {Point(30, 45), 1.0f, "right of straight below, in the dead zone"},
        {Point(10, 40), 0.0f, "the lower left end of the arc"},
        {Point(40, 40), 1.0f, "the lower right end of the arc"},
        {Point(200, 25), 5.0f / 6.0f, "far outside the knob still by its angle"},
    };
    Knob knob(Rect(0, 0, 50, 50), &listener, 0, nullptr, nullptr, Point(0, 0));
    for (const Case& c : cases) {
        EXPECT_NEAR(knob.valueForPoint(c.point), c.expected, 1e-5) << c.what;
    }
    // The value is only computed, not stored.
    EXPECT_EQ(knob.getValue(), 0.0f);
}

TEST_F(KnobTest, ValueForPointScalesToTheRange) {
    Knob knob(Rect(0, 0, 50, 50), &listener, 0, nullptr, nullptr, Point(0, 0));
    knob.setMin(-2.0f);
    knob.setMax(2.0f);
    EXPECT_NEAR(knob.valueForPoint(Point(25, 10)), 0.0f, 1e-5);
    EXPECT_EQ(knob.valueForPoint(Point(25, 45)), 2.0f);
    EXPECT_EQ(knob.valueForPoint(Point(24, 45)), -2.0f);
}

TEST_F(KnobTest, HandleInsetIsHalfTheHandleWidth) {
    Bitmap* handle = makeBitmap(7101, 15, 15, [](int, int) { return 0x102030u; });
    Knob knob(Rect(0, 0, 50, 50), &listener, 0, nullptr, handle, Point(0, 0));
    EXPECT_EQ(knob.getInset(), 7);
    AnimatedKnob animated(Rect(0, 0, 50, 50), &listener, 0, 3, 10, handle, Point(0, 0));
    EXPECT_EQ(animated.getInset(), 0);
    handle->release();
}

TEST_F(KnobTest, DrawPutsTheMaskedHandleOverTheBackground) {
    // A 10 by 10 yellow handle with a key-coloured top-left corner: inset 5, like the cases above.
    Bitmap* handle = makeBitmap(
        7102, 10, 10, [](int x, int y) { return x < 3 && y < 3 ? 0xFFFFFFu : 0xFFD000u; });
    Bitmap* background = makeBitmap(7103, 60, 60, [](int, int) { return 0x203040u; });
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, background, handle, Point(5, 5)));
    knob->draw(*context);
    const Image shown = picture();
    // Value 0: centre (10, 39) inside the knob, so the handle's corner is at (20 + 5, 20 + 34).
    EXPECT_EQ(shown.at(25 + 5, 54 + 5), 0xFFD000u);
    EXPECT_EQ(shown.at(25, 54), 0x203040u) << "the key colour lets the background through";
    EXPECT_EQ(shown.at(40, 25), 0x203040u);
    EXPECT_EQ(knob->getDrawnValue(), 0.0f);
    handle->release();
    background->release();
}

TEST_F(KnobTest, WithoutAHandleNothingIsDrawn) {
    Bitmap* background = makeBitmap(7104, 60, 60, [](int, int) { return 0x203040u; });
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, background, nullptr, Point(0, 0)));
    const Image before = picture();
    knob->draw(*context);
    EXPECT_EQ(picture().pixels, before.pixels);
    background->release();
}

TEST_F(KnobTest, DragFollowsTheAngleAroundTheCentre) {
    // The cursor is taken as the handle's corner, the inverse of the drawing offset, so the
    // centre of the turn lies at window (40, 40), the inset up and left of the middle.
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, nullptr, nullptr, Point(0, 0)));
    drag(*knob, {Point(40, 25), Point(60, 40), Point(40, 60), Point(39, 60)});
    ASSERT_EQ(listener.values.size(), 4u);
    EXPECT_NEAR(listener.values[0], 0.5f, 1e-5);
    EXPECT_NEAR(listener.values[1], 5.0f / 6.0f, 1e-5);
    EXPECT_EQ(listener.values[2], 1.0f);
    EXPECT_EQ(listener.values[3], 0.0f);
    EXPECT_EQ(knob->getValue(), 0.0f);
}

TEST_F(KnobTest, DragReportsOnlyValuesThatDifferFromTheDrawnOne) {
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, nullptr, nullptr, Point(0, 0)));
    listener.onChange = [&](Control* control) { control->drawIfChanged(*context); };
    drag(*knob, {Point(40, 25), Point(40, 23), Point(60, 40)});
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_NEAR(listener.values[1], 5.0f / 6.0f, 1e-5);
}

TEST_F(KnobTest, AModifierStillHeldAfterTheButtonKeepsTheDragGoing) {
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, nullptr, nullptr, Point(0, 0)));
    InputState shiftOnly = released(Point(60, 40));
    shiftOnly.shift = true;
    platform::testing::scriptInput({held(Point(40, 25)), shiftOnly, released(Point(20, 40))});
    knob->onMouseDown(*context, Point(40, 25));
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_NEAR(knob->getValue(), 5.0f / 6.0f, 1e-5) << "the release point is not taken";
}

TEST_F(KnobTest, AnyButtonAndShiftOrControlDrag) {
    for (int variant = 0; variant < 3; ++variant) {
        auto* knob =
            attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, nullptr, nullptr, Point(0, 0)));
        InputState start = held(Point(60, 40), variant == 1, variant == 2);
        if (variant == 0) {
            start.left = false;
            start.right = true;
        }
        platform::testing::scriptInput({start, released(Point(60, 40))});
        knob->onMouseDown(*context, Point(60, 40));
        EXPECT_NEAR(knob->getValue(), 5.0f / 6.0f, 1e-5) << "variant " << variant;
    }
}

TEST_F(KnobTest, AltClickResetsToTheDefaultOnlyWhenThatDiffersFromWhatIsDrawn) {
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, nullptr, nullptr, Point(0, 0)));
    knob->setDefaultValue(0.25f);
    knob->setValue(0.9f);
    knob->setDrawnValue(0.9f);
    platform::testing::setInput(held(Point(65, 45), false, false, true));
    knob->onMouseDown(*context, Point(65, 45));
    EXPECT_EQ(knob->getValue(), 0.25f);
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(platform::testing::cursorPolls(), 0u) << "no tracking";

    knob->setDrawnValue(0.25f);
    knob->onMouseDown(*context, Point(65, 45));
    EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(KnobTest, IgnoresPressesWhenItDoesNotAcceptTheMouse) {
    auto* knob =
        attach(new Knob(Rect(20, 20, 70, 70), &listener, 0, nullptr, nullptr, Point(0, 0)));
    knob->setAcceptsMouse(false);
    drag(*knob, {Point(65, 45)});
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(knob->getValue(), 0.0f);
}

TEST_F(KnobTest, AnimatedKnobShowsTheFrameOfTheValueAndNeverLeavesTheFilmstrip) {
    // Three frames of 10 pixels; the top-left pixel tells the row copied from.
    Bitmap* strip = makeCoordinateBitmap(7105, 20, 30);
    auto* knob =
        attach(new AnimatedKnob(Rect(10, 10, 30, 20), &listener, 0, 3, 10, strip, Point(0, 0)));
    const struct {
        float value;
        int frame;
    } cases[] = {{0.0f, 0}, {0.5f, 1},  {0.99f, 1}, {1.0f, 2},
                 {1.5f, 2}, {40.0f, 2}, {-0.5f, 0}, {0.05f, 0}};
    for (const auto& c : cases) {
        knob->setValue(c.value);
        knob->draw(*context);
        EXPECT_EQ(shownAt(10, 10), Point(0, c.frame * 10)) << "value " << c.value;
        EXPECT_EQ(shownAt(29, 19), Point(19, c.frame * 10 + 9)) << "value " << c.value;
    }
    strip->release();
}

} // namespace
