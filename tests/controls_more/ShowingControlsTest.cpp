// The controls that mainly show something: the filmstrip view's frames, the loop animation's
// stepping and its click, the digit display's splitting and range, the popup image with the
// frame's exclusive view, and the level meter's quantisation and fall.
#include "framework/gui/controls/DigitDisplay.h"
#include "framework/gui/controls/FilmstripView.h"
#include "framework/gui/controls/LevelMeter.h"
#include "framework/gui/controls/LoopAnimation.h"
#include "framework/gui/controls/PopupImage.h"
#include "tests/controls_more/ControlsTestSupport.h"

using namespace controlstest;

namespace {

class ShowingControlsTest : public ControlsTest {};

TEST_F(ShowingControlsTest, FilmstripViewShowsTheNearestImage) {
    Bitmap* strip = makeCoordinateBitmap(7301, 30, 60);
    auto* view =
        attach(new FilmstripView(Rect(10, 10, 30, 20), nullptr, 0, 5, 10, strip, Point(2, 3)));
    const struct {
        float value, stored;
        int image;
    } cases[] = {{0.0f, 0.0f, 0},     {0.1f, 0.1f, 0}, {0.125f, 0.125f, 1}, {0.5f, 0.5f, 2},
                 {0.875f, 0.875f, 4}, {1.7f, 1.0f, 4}, {-3.0f, -3.0f, 0}};
    for (const auto& c : cases) {
        view->setValue(c.value);
        view->draw(*context);
        EXPECT_EQ(shownAt(10, 10), Point(2, 3 + c.image * 10)) << "value " << c.value;
        EXPECT_EQ(view->getValue(), c.stored);
        EXPECT_EQ(view->getDrawnValue(), c.stored);
    }
    strip->release();
}

TEST_F(ShowingControlsTest, LoopAnimationStepsAndWraps) {
    LoopAnimation loop(Rect(10, 10, 30, 20), &listener, 0, 4, 10, nullptr, Point(0, 0));
    std::vector<float> forward;
    for (int i = 0; i < 4; ++i) {
        loop.nextFrame();
        forward.push_back(loop.getValue());
    }
    EXPECT_EQ(forward, (std::vector<float>{10.0f, 20.0f, 0.0f, 10.0f}))
        << "the last image is never reached going forward";

    loop.setValue(0.0f);
    std::vector<float> backward;
    for (int i = 0; i < 5; ++i) {
        loop.previousFrame();
        backward.push_back(loop.getValue());
    }
    EXPECT_EQ(backward, (std::vector<float>{29.0f, 19.0f, 9.0f, 29.0f, 19.0f}));
}

TEST_F(ShowingControlsTest, LoopAnimationDrawsOnlyWhileRunning) {
    Bitmap* strip = makeCoordinateBitmap(7302, 30, 60);
    auto* loop =
        attach(new LoopAnimation(Rect(10, 10, 30, 20), &listener, 0, 4, 10, strip, Point(1, 2)));
    const Image before = picture();
    loop->setValue(20.0f);
    loop->draw(*context);
    EXPECT_EQ(picture().pixels, before.pixels);
    EXPECT_EQ(loop->getDrawnValue(), -1.0f) << "a stopped animation leaves the drawn value";

    loop->start();
    EXPECT_TRUE(loop->isRunning());
    loop->draw(*context);
    EXPECT_EQ(shownAt(10, 10), Point(1, 22));
    EXPECT_EQ(loop->getDrawnValue(), 20.0f);
    strip->release();
}

TEST_F(ShowingControlsTest, LoopAnimationClickStartsWithAReportAndStopsWithout) {
    Bitmap* strip = makeCoordinateBitmap(7303, 30, 60);
    auto* loop =
        attach(new LoopAnimation(Rect(10, 10, 30, 20), &listener, 0, 4, 10, strip, Point(0, 0)));
    loop->setValue(20.0f);
    loop->setDrawnValue(0.0f);
    click(*loop, Point(15, 15));
    EXPECT_TRUE(loop->isRunning());
    EXPECT_EQ(loop->getValue(), 0.0f);
    EXPECT_EQ(listener.values, std::vector<float>{0.0f});
    loop->drawIfChanged(*context);
    EXPECT_EQ(shownAt(10, 10), Point(0, 0)) << "the next idle pass shows image 0";

    loop->nextFrame();
    loop->drawIfChanged(*context);
    EXPECT_EQ(shownAt(10, 10), Point(0, 10));
    click(*loop, Point(15, 15));
    EXPECT_FALSE(loop->isRunning());
    EXPECT_EQ(shownAt(10, 10), Point(0, 0)) << "stopping shows image 0 at once";
    EXPECT_EQ(listener.values.size(), 1u);
    strip->release();
}

class DigitDisplayTest : public ShowingControlsTest {
protected:
    void SetUp() override {
        ShowingControlsTest::SetUp();
        digits = makeCoordinateBitmap(7304, 8, 100);
    }
    void TearDown() override {
        digits->release();
        ShowingControlsTest::TearDown();
    }
    DigitDisplay* make(int count, int initial = 0) {
        const std::int32_t xs[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
        const std::int32_t ys[] = {10, 10, 10, 10, 10, 10, 10, 10, 10};
        return attach(
            new DigitDisplay(Rect(0, 0, 5, 5), nullptr, 0, initial, count, xs, ys, 8, 10, digits));
    }
    // The digit drawn at each place, read back from where it was copied from.
    std::vector<int> shown(int count) const {
        std::vector<int> result;
        const Image image = picture();
        for (int i = 0; i < count; ++i) {
            result.push_back(sourceOf(image.at(10 + 10 * i, 10)).v / 10);
        }
        return result;
    }
    Bitmap* digits = nullptr;
};

TEST_F(DigitDisplayTest, SplitsTheValueIntoDigitsWithinItsRange) {
    const struct {
        float value;
        std::vector<int> digits;
    } cases[] = {{42.9f, {0, 4, 2}},  {1500.0f, {9, 9, 9}}, {-5.0f, {0, 0, 0}},
                 {999.0f, {9, 9, 9}}, {7.0f, {0, 0, 7}},    {-0.9f, {0, 0, 0}}};
    DigitDisplay* display = make(3);
    EXPECT_EQ(display->getMax(), 999.0f);
    EXPECT_EQ(display->getMin(), 0.0f);
    for (const auto& c : cases) {
        display->setValue(c.value);
        display->draw(*context);
        EXPECT_EQ(shown(3), c.digits) << "value " << c.value;
    }
}

TEST_F(DigitDisplayTest, AtMostSevenDigits) {
    DigitDisplay* display = make(9, 1234567);
    EXPECT_EQ(display->getDigitCount(), 7);
    EXPECT_EQ(display->getMax(), 9999999.0f);
    display->draw(*context);
    EXPECT_EQ(shown(7), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(picture().at(80, 10), picture().at(80, 30)) << "no eighth digit is drawn";
}

TEST_F(DigitDisplayTest, TheRangeIsNeverOneTheDigitsCannotShow) {
    DigitDisplay* display = make(3, 42);
    display->setMax(50.0f);
    EXPECT_EQ(display->getMax(), 999.0f) << "a smaller maximum would make a divisor 0";
    display->setMin(-3.0f);
    EXPECT_EQ(display->getMin(), 0.0f) << "a negative minimum would give negative digits";
    display->setValue(-40.0f);
    display->draw(*context);
    EXPECT_EQ(shown(3), (std::vector<int>{0, 0, 0}));

    display->setMin(100.0f);
    display->setValue(5.0f);
    display->draw(*context);
    EXPECT_EQ(shown(3), (std::vector<int>{1, 0, 0}));

    // A larger maximum fills the places from higher powers of ten, and caps each at 9.
    display->setMin(0.0f);
    display->setMax(5000.0f);
    display->setValue(4321.0f);
    display->draw(*context);
    EXPECT_EQ(shown(3), (std::vector<int>{8, 6, 4}));
}

TEST_F(DigitDisplayTest, NormalizedValue) {
    DigitDisplay* display = make(3);
    const struct {
        float value, normalized;
    } cases[] = {{499.5f, 0.5f}, {2000.0f, 1.0f}, {-1.0f, 0.0f}, {0.0f, 0.0f}};
    for (const auto& c : cases) {
        display->setValue(c.value);
        EXPECT_FLOAT_EQ(display->getNormalizedValue(), c.normalized) << "value " << c.value;
    }
}

class PopupImageTest : public ShowingControlsTest {
protected:
    void SetUp() override {
        ShowingControlsTest::SetUp();
        image = makeCoordinateBitmap(7305, 100, 100);
        background = makeBitmap(7306, 300, 200, [](int, int) { return 0x112233u; });
        frame->setBackgroundBitmap(background);
        popup = attach(new PopupImage(Rect(10, 10, 20, 20), &listener, 0, image,
                                      Rect(50, 50, 150, 150), Point(0, 0)));
    }
    void TearDown() override {
        ShowingControlsTest::TearDown();
        image->release();
        background->release();
    }
    void pressFrame(const Point& where) {
        platform::testing::setInput(released(where));
        frame->onMouseDown(*context, where);
    }
    Bitmap* image = nullptr;
    Bitmap* background = nullptr;
    PopupImage* popup = nullptr;
};

TEST_F(PopupImageTest, ClickShowsTheImageAsTheExclusiveViewAndAClickOnItHidesIt) {
    popup->draw(*context);
    EXPECT_NE(shownAt(50, 50), Point(0, 0)) << "hidden at first";

    pressFrame(Point(15, 15));
    EXPECT_EQ(popup->getValue(), 1.0f);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    EXPECT_EQ(frame->getExclusiveView(), popup);
    EXPECT_EQ(popup->getSize(), Rect(50, 50, 150, 150));
    EXPECT_EQ(shownAt(50, 50), Point(0, 0));
    EXPECT_EQ(shownAt(149, 149), Point(99, 99));

    pressFrame(Point(15, 15)); // outside the image: nobody gets it
    pressFrame(Point(200, 20));
    EXPECT_EQ(popup->getValue(), 1.0f);
    EXPECT_EQ(listener.values.size(), 1u);

    pressFrame(Point(100, 100));
    EXPECT_EQ(popup->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(frame->getExclusiveView(), nullptr);
    EXPECT_EQ(popup->getSize(), Rect(10, 10, 20, 20));
    EXPECT_EQ(picture().at(100, 100), 0x112233u) << "the frame is painted over the image";
}

TEST_F(PopupImageTest, WhenTheFrameRefusesTheValueStaysHiddenAndNothingIsReported) {
    Control other(Rect(200, 100, 250, 150), nullptr, 0);
    ASSERT_TRUE(frame->setExclusiveView(&other));
    click(*popup, Point(15, 15));
    EXPECT_EQ(popup->getValue(), 0.0f);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(popup->getSize(), Rect(10, 10, 20, 20));

    // Once the frame is free, the same click shows it, and the next one restores the right
    // rectangle.
    frame->setExclusiveView(nullptr);
    click(*popup, Point(15, 15));
    EXPECT_EQ(popup->getValue(), 1.0f);
    click(*popup, Point(100, 100));
    EXPECT_EQ(popup->getValue(), 0.0f);
    EXPECT_EQ(popup->getSize(), Rect(10, 10, 20, 20));
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(PopupImageTest, DoesNothingWhenItDoesNotAcceptTheMouse) {
    popup->setAcceptsMouse(false);
    pressFrame(Point(15, 15));
    EXPECT_EQ(popup->getValue(), 0.0f);
    EXPECT_EQ(frame->getExclusiveView(), nullptr);
}

class LevelMeterTest : public ShowingControlsTest {
protected:
    static constexpr std::uint32_t unlitColor = 0x400000;
    void SetUp() override {
        ShowingControlsTest::SetUp();
        litVertical = makeCoordinateBitmap(7307, 10, 100);
        litHorizontal = makeCoordinateBitmap(7308, 100, 10);
        unlit = makeBitmap(7309, 100, 100, [](int, int) { return unlitColor; });
    }
    void TearDown() override {
        ShowingControlsTest::TearDown();
        litVertical->release();
        litHorizontal->release();
        unlit->release();
    }
    // Lit pixels along the meter's middle line.
    int litRows() const {
        const Image image = picture();
        int lit = 0;
        for (int y = 10; y < 110; ++y) {
            lit += image.at(15, y) != unlitColor ? 1 : 0;
        }
        return lit;
    }
    int litColumns() const {
        const Image image = picture();
        int lit = 0;
        for (int x = 30; x < 130; ++x) {
            lit += image.at(x, 155) != unlitColor ? 1 : 0;
        }
        return lit;
    }
    Bitmap* litVertical = nullptr;
    Bitmap* litHorizontal = nullptr;
    Bitmap* unlit = nullptr;
};

TEST_F(LevelMeterTest, LightsWholeStepsInBothOrientations) {
    auto* vertical = attach(new LevelMeter(Rect(10, 110, 20, 10), litVertical, unlit, 10, 0));
    auto* horizontal =
        attach(new LevelMeter(Rect(30, 150, 130, 160), litHorizontal, unlit, 10, styleHorizontal));
    EXPECT_EQ(vertical->getLitRect(), Rect(10, 10, 20, 110)) << "edges put in order";
    const struct {
        float value;
        int lit;
    } cases[] = {{0.44f, 40}, {0.46f, 50}, {1.0f, 100}, {0.04f, 0}, {0.05f, 10}};
    for (const auto& c : cases) {
        for (LevelMeter* meter : {vertical, horizontal}) {
            meter->setValue(c.value);
            meter->setDrawnValue(c.value); // no fall in this test
            meter->draw(*context);
        }
        EXPECT_EQ(litRows(), c.lit) << "vertical, value " << c.value;
        EXPECT_EQ(litColumns(), c.lit) << "horizontal, value " << c.value;
    }
    // The lit part grows from the bottom, and from the left, with the bitmap in place.
    vertical->setValue(0.44f);
    vertical->setDrawnValue(0.44f);
    vertical->draw(*context);
    EXPECT_EQ(shownAt(10, 70), Point(0, 60));
    EXPECT_EQ(picture().at(10, 69), unlitColor);
    EXPECT_EQ(shownAt(30, 155), Point(0, 5));
}

TEST_F(LevelMeterTest, AFallingLevelDropsByTheFallStepPerRedraw) {
    for (std::int32_t style : {0, styleHorizontal}) {
        auto* meter =
            attach(new LevelMeter(style == 0 ? Rect(10, 10, 20, 110) : Rect(30, 150, 130, 160),
                                  style == 0 ? litVertical : litHorizontal, unlit, 10, style));
        meter->setFallStep(0.1f);
        meter->setValue(0.8f);
        meter->draw(*context);
        std::vector<int> lit;
        for (int pass = 0; pass < 3; ++pass) {
            meter->setValue(0.2f);
            meter->draw(*context);
            lit.push_back(style == 0 ? litRows() : litColumns());
            EXPECT_EQ(meter->getDrawnValue(), meter->getValue());
        }
        EXPECT_EQ(lit, (std::vector<int>{70, 60, 50})) << "style " << style;
        EXPECT_NEAR(meter->getValue(), 0.5f, 1e-5);
        meter->setValue(0.9f);
        meter->draw(*context);
        EXPECT_EQ(style == 0 ? litRows() : litColumns(), 90) << "a rise shows at once";
    }
}

TEST_F(LevelMeterTest, HoldsTheValueInItsRange) {
    auto* meter = attach(new LevelMeter(Rect(10, 10, 20, 110), litVertical, unlit, 10, 0));
    meter->setValue(1.5f);
    meter->draw(*context);
    EXPECT_EQ(meter->getValue(), 1.0f);
    meter->setValue(-0.5f);
    meter->draw(*context);
    EXPECT_EQ(meter->getValue(), 0.0f) << "the default fall step of 1 lets it drop at once";
}

TEST_F(LevelMeterTest, WithoutALitBitmapNothingIsDrawn) {
    auto* meter = attach(new LevelMeter(Rect(10, 10, 20, 110), nullptr, unlit, 10, 0));
    const Image before = picture();
    meter->setValue(0.5f);
    meter->draw(*context);
    EXPECT_EQ(picture().pixels, before.pixels);
}

} // namespace
