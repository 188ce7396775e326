#include "tools/gallery/GalleryFrame.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/FontTable.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/AnimatedKnob.h"
#include "framework/gui/controls/ChoiceMenu.h"
#include "framework/gui/controls/DigitDisplay.h"
#include "framework/gui/controls/FilmstripButton.h"
#include "framework/gui/controls/FilmstripView.h"
#include "framework/gui/controls/HorizontalSlider.h"
#include "framework/gui/controls/HorizontalSwitch.h"
#include "framework/gui/controls/Knob.h"
#include "framework/gui/controls/LevelMeter.h"
#include "framework/gui/controls/LoopAnimation.h"
#include "framework/gui/controls/MomentaryButton.h"
#include "framework/gui/controls/PopupImage.h"
#include "framework/gui/controls/RockerSwitch.h"
#include "framework/gui/controls/TextField.h"
#include "framework/gui/controls/ToggleButton.h"
#include "framework/gui/controls/ValueDisplay.h"
#include "framework/gui/controls/VerticalSlider.h"
#include "framework/gui/controls/VerticalSwitch.h"
#include "tools/gallery/Caption.h"
#include "tools/gallery/GalleryArt.h"
#include "tools/gallery/GalleryLayout.h"

namespace gallery {
namespace {

constexpr Color textColor{0xc9, 0xd1, 0xd9, 0};
constexpr Color dimColor{0x7d, 0x85, 0x90, 0};
constexpr Color amberColor{0xf2, 0xa9, 0x3b, 0};
constexpr Color wellColor{0x13, 0x16, 0x1a, 0};
constexpr Color edgeColor{0x38, 0x3f, 0x49, 0};

const char* const tileNames[columns * rows] = {
    "VerticalSlider", "HorizontalSlider", "ValueDisplay", "TextField",       "ChoiceMenu",
    "Knob",           "AnimatedKnob",     "ToggleButton", "FilmstripButton", "MomentaryButton",
    "VerticalSwitch", "HorizontalSwitch", "RockerSwitch", "FilmstripView",   "LoopAnimation",
    "DigitDisplay",   "PopupImage",       "LevelMeter",
};

enum Tile {
    tileVerticalSlider,
    tileHorizontalSlider,
    tileValueDisplay,
    tileTextField,
    tileChoiceMenu,
    tileKnob,
    tileAnimatedKnob,
    tileToggleButton,
    tileFilmstripButton,
    tileMomentaryButton,
    tileVerticalSwitch,
    tileHorizontalSwitch,
    tileRockerSwitch,
    tileFilmstripView,
    tileLoopAnimation,
    tileDigitDisplay,
    tilePopupImage,
    tileLevelMeter,
};

// A rectangle of the given size centred in the tile's upper part, moved by (dx, dy).
Rect centred(int tile, int width, int height, int dx = 0, int dy = 0) {
    const int left = centreX(tile) - width / 2 + dx, top = centreY(tile) - height / 2 + dy;
    return Rect(left, top, left + width, top + height);
}

void decibels(float value, char* text) {
    if (value <= 0.0f) {
        std::snprintf(text, 256, "-inf dB");
    } else {
        std::snprintf(text, 256, "%.1f dB", 20.0 * std::log10(value));
    }
}

void styleDisplay(ValueDisplay* display) {
    display->setFontId(fontSmall);
    display->setTextColor(amberColor);
    display->setBackgroundColor(wellColor);
    display->setBorderColor(edgeColor);
}

// Every bitmap is loaded once here; the controls keep their own references.
struct Art {
    Art() {
        for (int id = artBackground; id <= artMeterUnlitHorizontal; ++id) {
            bitmaps[id - artBackground] = new Bitmap(id);
        }
    }
    ~Art() {
        for (Bitmap* bitmap : bitmaps) {
            bitmap->release();
        }
    }
    Bitmap* operator[](int id) const { return bitmaps[id - artBackground]; }
    Bitmap* bitmaps[artMeterUnlitHorizontal - artBackground + 1] = {};
};

} // namespace

Frame* makeGalleryFrame(void* parentWindow) {
    registerGalleryArt();
    const Art art;
    auto* frame = new Frame(Rect(0, 0, frameWidth, frameHeight), parentWindow, nullptr);
    frame->setBackgroundBitmap(art[artBackground]);

    frame->attachView(new Caption(Rect(margin + 14, 12, 400, 36), "The toolkit's controls",
                                  fontLarge, textColor, alignLeft));
    frame->attachView(new Caption(Rect(360, 12, frameWidth - margin, 36),
                                  "each drawn by the headless platform layer", fontSmall, dimColor,
                                  alignRight));
    for (int i = 0; i < columns * rows; ++i) {
        const Rect tile = tileRect(i);
        frame->attachView(
            new Caption(Rect(tile.left, tile.bottom - captionHeight, tile.right, tile.bottom),
                        tileNames[i], fontSmall, dimColor, alignCenter));
    }

    {
        const Rect size = centred(tileVerticalSlider, 24, 96);
        auto* slider = new VerticalSlider(size, nullptr, 0, size.top, size.top + 96 - 12 - 1,
                                          art[artVerticalHandle], art[artVerticalBody], Point(0, 0),
                                          styleOriginBottom);
        slider->setHandleOffset(Point(1, 0));
        slider->setValue(0.7f);
        frame->attachView(slider);
    }
    {
        const Rect size = centred(tileHorizontalSlider, 100, 24);
        auto* slider = new HorizontalSlider(size, nullptr, 0, size.left, size.left + 100 - 12 - 1,
                                            art[artHorizontalHandle], art[artHorizontalBody],
                                            Point(0, 0), styleOriginLeft);
        slider->setHandleOffset(Point(0, 1));
        slider->setValue(0.35f);
        frame->attachView(slider);
    }
    {
        auto* display = new ValueDisplay(centred(tileValueDisplay, 88, 22), nullptr, style3DIn);
        styleDisplay(display);
        display->setValueConverter(&decibels);
        display->setValue(0.5f);
        frame->attachView(display);
    }
    {
        auto* field =
            new TextField(centred(tileTextField, 88, 22), nullptr, 0, "Init", nullptr, style3DIn);
        styleDisplay(field);
        field->setTextColor(textColor);
        frame->attachView(field);
    }
    {
        auto* menu = new ChoiceMenu(centred(tileChoiceMenu, 88, 22), nullptr, 0,
                                    art[artChoiceBackground], nullptr, styleMarkCurrent);
        menu->setFontId(fontSmall);
        menu->setTextColor(textColor);
        for (const char* entry : {"Sine", "Triangle", "-", "Square", "Saw"}) {
            menu->addEntry(entry);
        }
        menu->setCurrentEntry(1);
        frame->attachView(menu);
    }
    {
        auto* knob = new Knob(centred(tileKnob, knobSize, knobSize), nullptr, 0,
                              art[artKnobBackground], art[artKnobHandle], Point(0, 0));
        knob->setValue(0.62f);
        frame->attachView(knob);
    }
    {
        auto* knob = new AnimatedKnob(centred(tileAnimatedKnob, knobSize, knobSize), nullptr, 0,
                                      knobFrames, knobSize, art[artKnobFilmstrip], Point(0, 0));
        knob->setValue(0.4f);
        frame->attachView(knob);
    }
    {
        auto* button =
            new ToggleButton(centred(tileToggleButton, 56, 28), nullptr, 0, art[artToggle]);
        button->setValue(1.0f);
        frame->attachView(button);
    }
    {
        auto* button = new FilmstripButton(centred(tileFilmstripButton, 64, 26), nullptr, 0, 26,
                                           art[artFilmstripButton], Point(0, 0));
        button->setValue(1.0f);
        frame->attachView(button);
    }
    frame->attachView(new MomentaryButton(centred(tileMomentaryButton, 64, 26), nullptr, 0, 26,
                                          art[artMomentaryButton], Point(0, 0)));
    {
        auto* sw = new VerticalSwitch(centred(tileVerticalSwitch, 28, 48), nullptr, 0, 48, 3,
                                      art[artVerticalSwitch], Point(0, 0));
        sw->setValue(0.5f);
        frame->attachView(sw);
    }
    {
        auto* sw = new HorizontalSwitch(centred(tileHorizontalSwitch, 88, 22), nullptr, 0, 22, 4,
                                        art[artHorizontalSwitch], Point(0, 0));
        sw->setValue(2.0f / 3.0f);
        frame->attachView(sw);
    }
    frame->attachView(new RockerSwitch(centred(tileRockerSwitch, 56, 28), nullptr, 0, 28,
                                       art[artRocker], Point(0, 0)));
    {
        auto* view = new FilmstripView(centred(tileFilmstripView, 88, 40), nullptr, 0,
                                       waveformCount, 40, art[artWaveforms], Point(0, 0));
        view->setValue(0.25f);
        frame->attachView(view);
    }
    {
        auto* loop =
            new LoopAnimation(centred(tileLoopAnimation, spinnerSize, spinnerSize), nullptr, 0,
                              spinnerFrames, spinnerSize, art[artSpinner], Point(0, 0));
        loop->start();
        for (int i = 0; i < 3; ++i) {
            loop->nextFrame();
        }
        frame->attachView(loop);
    }
    {
        const Rect size = centred(tileDigitDisplay, 3 * 18, digitHeight);
        const std::int32_t xs[] = {size.left + 1, size.left + 19, size.left + 37};
        const std::int32_t ys[] = {size.top, size.top, size.top};
        frame->attachView(new DigitDisplay(size, nullptr, 0, 128, 3, xs, ys, digitWidth,
                                           digitHeight, art[artDigits]));
    }
    {
        auto* meter = new LevelMeter(centred(tileLevelMeter, meterWidth, meterHeight, -12, -8),
                                     art[artMeterLit], art[artMeterUnlit], meterSteps, 0);
        meter->setValue(0.78f);
        frame->attachView(meter);
        meter = new LevelMeter(centred(tileLevelMeter, meterWidth, meterHeight, 12, -8),
                               art[artMeterLit], art[artMeterUnlit], meterSteps, 0);
        meter->setValue(0.93f);
        frame->attachView(meter);
        meter = new LevelMeter(
            centred(tileLevelMeter, horizontalMeterWidth, horizontalMeterHeight, 0, 38),
            art[artMeterLitHorizontal], art[artMeterUnlitHorizontal], horizontalMeterSteps,
            styleHorizontal);
        meter->setValue(0.55f);
        frame->attachView(meter);
    }
    {
        // Shown, as after a click on its badge: the card covers the tile and takes the clicks.
        auto* popup = new PopupImage(centred(tilePopupImage, 20, 20), nullptr, 0, art[artPopupCard],
                                     centred(tilePopupImage, 100, 88), Point(0, 0));
        frame->attachView(popup);
        HWND window = frame->getWindowHandle();
        HDC dc = GetDC(window);
        {
            DrawContext context(frame, dc, window);
            popup->onMouseDown(context, Point(centreX(tilePopupImage), centreY(tilePopupImage)));
        }
        ReleaseDC(window, dc);
    }
    return frame;
}

} // namespace gallery
