// A small editor picture put together from the toolkit's parts, painted in a headless window:
// a background bitmap, a bordered swatch, a label, a masked handle over the background and a
// meter composed offscreen. The picture is saved for a look and checked pixel by pixel where
// each part has to show.
#include <gtest/gtest.h>

#include <string>

#include "framework/gui/Bitmap.h"
#include "framework/gui/FontTable.h"
#include "framework/gui/OffscreenContext.h"
#include "framework/gui/controls/Control.h"
#include "tests/gui/GuiTestSupport.h"

using namespace guitest;

namespace {

constexpr int backgroundId = 3301;
constexpr int handleId = 3302;
constexpr int width = 160;
constexpr int height = 100;

// Bands of blue getting lighter from top to bottom.
std::uint32_t backgroundPixel(int, int y) {
    return std::uint32_t(0x203040 + y);
}

// A 14 by 12 handle: a yellow bar with a key-coloured notch cut into its middle rows.
std::uint32_t handlePixel(int x, int y) {
    if (y >= 5 && y <= 6 && x >= 3 && x <= 10) {
        return 0xFFFFFF;
    }
    return y < 6 ? 0xFFD000 : 0xB09000;
}

class Swatch : public View {
public:
    Swatch(const Rect& size, Color fill) : View(size), fill(fill) {}
    void draw(DrawContext& context) override {
        ++draws;
        context.setFillColor(fill);
        context.fillRect(size);
        context.setLineColor(colorWhite);
        context.drawRect(size);
    }
    int draws = 0;

private:
    Color fill;
};

class Label : public View {
public:
    Label(const Rect& size, const char* text) : View(size), text(text) {}
    void draw(DrawContext& context) override {
        context.setFillColor(colorBlack);
        context.fillRect(size);
        context.selectFont(fontBold);
        context.setTextColor(colorYellow);
        context.drawText(text, size, false, alignCenter);
    }

private:
    const char* text;
};

class Handle : public View {
public:
    Handle(const Rect& size, Bitmap* bitmap) : View(size), bitmap(bitmap) { bitmap->addRef(); }
    ~Handle() override { bitmap->release(); }
    void draw(DrawContext& context) override { bitmap->drawMasked(context, size, Point(0, 0)); }

private:
    Bitmap* bitmap;
};

// A vertical bar whose filled height follows the value, composed offscreen.
class Meter : public Control {
public:
    explicit Meter(const Rect& size) : Control(size, nullptr, 0) {}
    void draw(DrawContext& context) override {
        ++draws;
        OffscreenContext offscreen(frame, size.width(), size.height(), colorGrey);
        const int filled = int(value * float(size.height() - 2));
        offscreen.setFillColor(colorGreen);
        offscreen.setLineColor(colorGreen);
        if (filled > 0) {
            const Rect bar(1, size.height() - 1 - filled, size.width() - 1, size.height() - 1);
            offscreen.fillRect(bar);
            offscreen.drawRect(bar);
        }
        offscreen.blitTo(context, size, Point(0, 0));
        drawnValue = value;
    }
    int draws = 0;
};

class DemoFrameTest : public GuiTest {
protected:
    static void SetUpTestSuite() {
        registerBitmap(backgroundId, width, height, backgroundPixel);
        registerBitmap(handleId, 14, 12, handlePixel);
    }

    static void save(const Image& image, const std::string& name) {
        const std::string path = std::string(GUI_TEST_OUTPUT_DIR) + "/" + name;
        EXPECT_TRUE(platform::testing::savePng(image, path)) << path;
    }
};

TEST_F(DemoFrameTest, TheDemonstrationFramePaintsEveryPartWhereItBelongs) {
    HostWindow host(width, height);
    Bitmap* background = new Bitmap(backgroundId);
    Bitmap* handleBitmap = new Bitmap(handleId);
    Frame frame(Rect(0, 0, width, height), host.parent(), nullptr);
    frame.setBackgroundBitmap(background);
    auto* swatch = new Swatch(Rect(10, 10, 40, 30), colorRed);
    auto* meter = new Meter(Rect(130, 10, 146, 90));
    frame.attachView(swatch);
    frame.attachView(new Label(Rect(50, 10, 120, 30), "Demo"));
    frame.attachView(new Handle(Rect(20, 60, 34, 72), handleBitmap));
    frame.attachView(meter);
    meter->setValue(0.5f);
    handleBitmap->release();

    platform::testing::paint(frame.getWindowHandle());
    const Image picture = platform::testing::windowPicture(frame.getWindowHandle());
    save(picture, "demo_frame.png");
    ASSERT_EQ(picture.width, width);
    ASSERT_EQ(picture.height, height);

    // Background where no view is.
    EXPECT_EQ(picture.at(0, 0), backgroundPixel(0, 0));
    EXPECT_EQ(picture.at(100, 80), backgroundPixel(100, 80));
    // Swatch: white outline on all four edges, red inside.
    EXPECT_EQ(picture.at(10, 10), 0xFFFFFFu);
    EXPECT_EQ(picture.at(40, 30), 0xFFFFFFu);
    EXPECT_EQ(picture.at(40, 20), 0xFFFFFFu);
    EXPECT_EQ(countColor(picture, 11, 11, 40, 30, 0xFF0000), 29 * 19);
    EXPECT_EQ(picture.at(41, 20), backgroundPixel(41, 20));
    // Label: yellow text inside a black box, centred.
    const int yellow = countColor(picture, 51, 11, 120, 30, 0xFFFF00);
    EXPECT_GT(yellow, 20);
    EXPECT_EQ(countColor(picture, 51, 11, 60, 30, 0xFFFF00), 0);
    EXPECT_EQ(countColor(picture, 111, 11, 120, 30, 0xFFFF00), 0);
    // Handle: its colours, and the background through the notch.
    EXPECT_EQ(picture.at(20, 60), 0xFFD000u);
    EXPECT_EQ(picture.at(33, 71), 0xB09000u);
    for (int y = 65; y <= 66; ++y) {
        for (int x = 23; x <= 30; ++x) {
            EXPECT_EQ(picture.at(x, y), backgroundPixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(picture.at(22, 65), 0xFFD000u);
    // Meter: grey frame, green lower half.
    EXPECT_EQ(picture.at(130, 10), 0x7F7F7Fu);
    EXPECT_EQ(picture.at(138, 20), 0x7F7F7Fu);
    EXPECT_EQ(picture.at(138, 85), 0x00FF00u);
    EXPECT_EQ(countColor(picture, 131, 11, 145, 89, 0x00FF00), 14 * 39);

    // An idle pass after a value change redraws the meter and nothing else.
    const int swatchDraws = swatch->draws;
    meter->setValue(1.0f);
    frame.idle();
    EXPECT_EQ(swatch->draws, swatchDraws);
    const Image after = platform::testing::windowPicture(frame.getWindowHandle());
    save(after, "demo_frame_after_idle.png");
    EXPECT_EQ(countColor(after, 131, 11, 145, 89, 0x00FF00), 14 * 78);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(after.at(x, y), picture.at(x, y)) << x << "," << y;
        }
    }
    background->release();
}

} // namespace
