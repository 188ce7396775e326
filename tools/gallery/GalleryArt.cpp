#include "tools/gallery/GalleryArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/effect/Module.h"
#include "platform/Resources.h"
#include "tools/gallery/GalleryLayout.h"
#include "tools/gallery/Palette.h"

namespace gallery {
namespace {

namespace p = palette;
constexpr double pi = 3.14159265358979323846;

void put(int id, const Canvas& canvas) {
    const std::vector<unsigned char> file = canvas.bmp();
    registerBitmapResource(static_cast<HINSTANCE>(moduleHandle), id, file.data(), file.size());
}

// A ring's coverage between two radii, limited to the clockwise angle from the top.
void arc(Canvas& canvas, int oy, double cx, double cy, double radius, double width, double from,
         double to, Rgb color) {
    for (int y = 0; y < knobSize; ++y) {
        for (int x = 0; x < knobSize; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double angle = std::atan2(dx, -dy) * 180 / pi; // 0 at the top, clockwise
            if (angle < from || angle > to) {
                continue;
            }
            const double distance = std::fabs(std::hypot(dx, dy) - radius) - width / 2;
            const double coverage = std::clamp(0.5 - distance, 0.0, 1.0);
            if (coverage > 0) {
                canvas.set(x, oy + y, mix(canvas.at(x, oy + y), color, coverage));
            }
        }
    }
}

Canvas background() {
    Canvas c(frameWidth, frameHeight, 0);
    c.verticalGradient(0, 0, frameWidth, frameHeight, p::backdropTop, p::backdropBottom);
    c.line(margin, headerHeight - 12.5, frameWidth - margin, headerHeight - 12.5, 1, p::tileEdge);
    c.roundRect(margin, 14, margin + 6, 34, 2, p::amber);
    for (int i = 0; i < columns * rows; ++i) {
        const Rect t = tileRect(i);
        c.roundRect(t.left - 0.5, t.top - 0.5, t.right + 0.5, t.bottom + 0.5, 7, p::tileEdge);
        c.roundRect(t.left + 0.5, t.top + 0.5, t.right - 0.5, t.bottom - 0.5, 6, p::tile);
        c.shape(
            [&](double x, double y) {
                return std::max(
                    roundedBox(x, y, t.left + 0.5, t.top + 0.5, t.right - 0.5, t.bottom - 0.5, 6),
                    double(t.bottom - captionHeight) - y);
            },
            p::captionStrip, t.left, t.bottom - captionHeight, t.right, t.bottom);
    }
    // The digit display's bezel, and the popup image's "i" badge under its card.
    const int digits = 15;
    c.roundRect(centreX(digits) - 33, centreY(digits) - 19, centreX(digits) + 33,
                centreY(digits) + 19, 5, p::well);
    const int popup = 16;
    c.disc(centreX(popup), centreY(popup), 10, p::teal);
    c.line(centreX(popup), centreY(popup) - 1, centreX(popup), centreY(popup) + 5, 2.4, p::well);
    c.disc(centreX(popup), centreY(popup) - 5, 1.5, p::well);
    return c;
}

Canvas verticalBody() {
    Canvas c(24, 96, p::tile);
    for (int y = 8; y <= 88; y += 8) {
        const double w = (y - 8) % 40 == 0 ? 6 : 4;
        c.line(1, y + 0.5, 1 + w, y + 0.5, 1, p::steelLight);
        c.line(23 - w, y + 0.5, 23, y + 0.5, 1, p::steelLight);
    }
    c.roundRect(9.5, 5, 14.5, 91, 2.5, p::well);
    return c;
}

Canvas verticalHandle() {
    Canvas c(22, 12, p::well);
    c.roundRect(0.5, 0.5, 21.5, 11.5, 3, p::capShade);
    c.roundRect(1, 1, 21, 6.5, 2.5, p::cap);
    c.line(3, 6, 19, 6, 2, p::amber);
    c.keyUntouched();
    return c;
}

Canvas horizontalBody() {
    Canvas c(100, 24, p::tile);
    for (int x = 8; x <= 92; x += 7) {
        const double h = (x - 8) % 28 == 0 ? 6 : 4;
        c.line(x + 0.5, 1, x + 0.5, 1 + h, 1, p::steelLight);
        c.line(x + 0.5, 23 - h, x + 0.5, 23, 1, p::steelLight);
    }
    c.roundRect(5, 9.5, 95, 14.5, 2.5, p::well);
    return c;
}

Canvas horizontalHandle() {
    Canvas c(12, 22, p::well);
    c.roundRect(0.5, 0.5, 11.5, 21.5, 3, p::capShade);
    c.roundRect(1, 1, 11, 11, 2.5, p::cap);
    c.line(6, 3, 6, 19, 2, p::amber);
    c.keyUntouched();
    return c;
}

Canvas choiceBackground() {
    Canvas c(88, 22, p::tile);
    c.roundRect(0.5, 0.5, 87.5, 21.5, 4, p::tileEdge);
    c.roundRect(1.5, 1.5, 86.5, 20.5, 3.5, p::well);
    c.line(70.5, 4, 70.5, 18, 1, p::tileEdge);
    c.shape(
        [](double x, double y) {
            // A small triangle pointing down.
            return std::max(8.5 - y, (std::fabs(x - 79) - (13.5 - y) * 0.8) * 0.78);
        },
        p::amber, 72, 6, 86, 16);
    return c;
}

Canvas knobBackground() {
    Canvas c(knobSize, knobSize, p::tile);
    const double m = knobSize / 2.0;
    c.disc(m, m, 27.5, p::tileEdge);
    c.disc(m, m, 26.5, p::well);
    for (int i = 0; i <= 10; ++i) {
        const double a = (-135 + 27 * i) * pi / 180;
        c.line(m + 20.5 * std::sin(a), m - 20.5 * std::cos(a), m + 25.5 * std::sin(a),
               m - 25.5 * std::cos(a), 1, i % 5 == 0 ? p::text : p::steelLight);
    }
    c.disc(m, m, 17.5, p::steel);
    c.disc(m, m - 1, 16, rgb(0x48, 0x50, 0x5b));
    c.disc(m, m, 14, p::steel);
    return c;
}

Canvas knobHandle() {
    Canvas c(10, 10, p::well);
    c.disc(5, 5, 4.2, p::amber);
    c.disc(4.3, 4.2, 1.6, rgb(0xff, 0xd9, 0x9a));
    c.keyUntouched();
    return c;
}

Canvas knobFilmstrip() {
    Canvas c(knobSize, knobSize * knobFrames, p::tile);
    const double m = knobSize / 2.0;
    for (int k = 0; k < knobFrames; ++k) {
        const int oy = k * knobSize;
        const double t = double(k) / (knobFrames - 1);
        c.disc(m, oy + m, 27.5, p::tileEdge);
        c.disc(m, oy + m, 26.5, p::well);
        arc(c, oy, m, m, 22, 4, -135, 135, p::steel);
        arc(c, oy, m, m, 22, 4, -135, -135 + 270 * t, p::teal);
        c.disc(m, oy + m, 16.5, rgb(0x48, 0x50, 0x5b));
        c.disc(m, oy + m + 0.8, 15, p::steel);
        const double a = (-135 + 270 * t) * pi / 180;
        c.line(m + 5 * std::sin(a), oy + m - 5 * std::cos(a), m + 13 * std::sin(a),
               oy + m - 13 * std::cos(a), 2.6, p::cap);
    }
    return c;
}

Canvas toggle() {
    Canvas c(56, 56, p::tile);
    for (int on = 0; on < 2; ++on) {
        const int oy = on * 28;
        c.roundRect(3.5, oy + 4.5, 52.5, oy + 23.5, 9.5, on ? rgb(0x2a, 0x8f, 0x83) : p::well);
        c.roundRect(4.5, oy + 5.5, 51.5, oy + 22.5, 8.5, on ? p::teal : p::steel, on ? 0.85 : 1);
        c.disc(on ? 42 : 14, oy + 14, 7.5, rgb(0x1a, 0x1d, 0x22), 0.5);
        c.disc(on ? 42 : 14, oy + 13.5, 7, on ? rgb(0xf4, 0xf7, 0xf9) : p::capShade);
    }
    return c;
}

void powerGlyph(Canvas& c, double cx, double cy, Rgb color) {
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double angle = std::atan2(dx, -dy) * 180 / pi;
            if (std::fabs(angle) < 40) {
                continue;
            }
            const double d = std::fabs(std::hypot(dx, dy) - 6) - 1.1;
            const double coverage = std::clamp(0.5 - d, 0.0, 1.0);
            if (coverage > 0) {
                c.set(x, y, mix(c.at(x, y), color, coverage));
            }
        }
    }
    c.line(cx, cy - 8, cx, cy - 1, 2.2, color);
}

Canvas filmstripButton() {
    Canvas c(64, 52, p::tile);
    for (int on = 0; on < 2; ++on) {
        const int oy = on * 26;
        c.roundRect(2.5, oy + 2.5, 61.5, oy + 23.5, 6, p::well);
        c.roundRect(3.5, oy + 3.5, 60.5, oy + 22.5, 5, on ? p::amber : p::steel);
        c.roundRect(4.5, oy + 4, 59.5, oy + 12, 4.5, on ? rgb(0xf7, 0xc2, 0x72) : p::steelLight,
                    0.45);
        powerGlyph(c, 32, oy + 14, on ? rgb(0x3a, 0x24, 0x08) : p::dimText);
    }
    return c;
}

Canvas momentaryButton() {
    Canvas c(64, 52, p::tile);
    for (int on = 0; on < 2; ++on) {
        const int oy = on * 26;
        c.roundRect(2.5, oy + 2.5, 61.5, oy + 23.5, 6, p::well);
        if (on) {
            c.roundRect(3.5, oy + 3.5, 60.5, oy + 22.5, 5, rgb(0x2e, 0x34, 0x3c));
            c.roundRect(3.5, oy + 3.5, 60.5, oy + 7, 3, rgb(0x1c, 0x20, 0x25), 0.8);
            c.disc(32, oy + 14, 4, p::teal);
            c.disc(32, oy + 14, 8, p::teal, 0.18);
        } else {
            c.roundRect(3.5, oy + 3.5, 60.5, oy + 22.5, 5, p::steel);
            c.roundRect(4.5, oy + 4, 59.5, oy + 12, 4.5, p::steelLight, 0.5);
            c.disc(32, oy + 13, 4, p::well);
        }
    }
    return c;
}

Canvas verticalSwitch() {
    Canvas c(28, 3 * 48, p::tile);
    for (int k = 0; k < 3; ++k) {
        const int oy = k * 48;
        for (int mark = 0; mark < 3; ++mark) {
            const double y = oy + 10 + 14 * mark;
            c.line(2, y, 6, y, 1.4, mark == k ? p::amber : p::steelLight);
        }
        c.roundRect(11, oy + 4, 17, oy + 44, 3, p::well);
        const double y = oy + 10 + 14 * k;
        c.roundRect(8, y - 6, 24, y + 6, 3, rgb(0x14, 0x17, 0x1b), 0.6);
        c.roundRect(7.5, y - 6.5, 22.5, y + 5.5, 3, p::capShade);
        c.roundRect(8, y - 6, 22, y - 0.5, 2.5, p::cap);
        c.line(10, y - 0.5, 20, y - 0.5, 1.6, p::amber);
    }
    return c;
}

Canvas horizontalSwitch() {
    Canvas c(88, 4 * 22, p::tile);
    for (int k = 0; k < 4; ++k) {
        const int oy = k * 22;
        c.roundRect(4, oy + 8.5, 84, oy + 13.5, 2.5, p::well);
        for (int mark = 0; mark < 4; ++mark) {
            c.disc(11 + 22 * mark, oy + 11, 1.6, mark == k ? p::amber : p::steelLight);
        }
        const double x = 11 + 22 * k;
        c.roundRect(x - 8, oy + 3, x + 9, oy + 20, 3.5, rgb(0x14, 0x17, 0x1b), 0.6);
        c.roundRect(x - 8.5, oy + 2.5, x + 8.5, oy + 19.5, 3.5, p::capShade);
        c.roundRect(x - 8, oy + 3, x + 8, oy + 11, 3, p::cap);
        c.line(x, oy + 6, x, oy + 16, 1.6, p::amber);
    }
    return c;
}

Canvas rocker() {
    Canvas c(56, 3 * 28, p::tile);
    for (int k = 0; k < 3; ++k) {
        const int oy = k * 28;
        c.roundRect(2.5, oy + 2.5, 53.5, oy + 25.5, 6, p::well);
        const Rgb left = k == 0 ? rgb(0x2e, 0x34, 0x3c) : p::steel;
        const Rgb right = k == 2 ? rgb(0x2e, 0x34, 0x3c) : p::steel;
        c.roundRect(3.5, oy + 3.5, 28, oy + 24.5, 5, left);
        c.roundRect(28, oy + 3.5, 52.5, oy + 24.5, 5, right);
        c.fillRect(27, oy + 4, 29, oy + 24, rgb(0x1c, 0x20, 0x25));
        if (k != 0) {
            c.roundRect(4.5, oy + 4, 27, oy + 11, 4, p::steelLight, 0.45);
        }
        if (k != 2) {
            c.roundRect(29, oy + 4, 51.5, oy + 11, 4, p::steelLight, 0.45);
        }
        const Rgb minus = k == 0 ? p::amber : p::cap, plus = k == 2 ? p::amber : p::cap;
        c.line(10.5, oy + 14, 20.5, oy + 14, 2.2, minus);
        c.line(35.5, oy + 14, 45.5, oy + 14, 2.2, plus);
        c.line(40.5, oy + 9, 40.5, oy + 19, 2.2, plus);
    }
    return c;
}

double waveform(int kind, double t) {
    switch (kind) {
    case 0:
        return std::sin(2 * pi * t);
    case 1:
        return 1 - 4 * std::fabs(std::fmod(t + 0.25, 1.0) - 0.5);
    case 2:
        return std::fmod(t, 1.0) < 0.5 ? 0.85 : -0.85;
    case 3:
        return 1 - 2 * std::fmod(t + 0.5, 1.0);
    default: {
        const int n = int(t * 24);
        std::uint32_t h = std::uint32_t(n) * 2654435761u;
        h ^= h >> 13;
        return (double(h % 1000) / 500.0 - 1.0) * 0.9;
    }
    }
}

Canvas waveforms() {
    Canvas c(88, 40 * waveformCount, p::tile);
    for (int k = 0; k < waveformCount; ++k) {
        const int oy = k * 40;
        c.roundRect(1.5, oy + 1.5, 86.5, oy + 38.5, 5, p::well);
        c.line(6, oy + 20, 82, oy + 20, 1, p::steel);
        double px = 8, py = oy + 20 - 12 * waveform(k, 0);
        for (int i = 1; i <= 144; ++i) {
            const double t = i / 144.0 * 2;
            const double x = 8 + 72 * (i / 144.0), y = oy + 20 - 12 * waveform(k, t);
            const bool jump = std::fabs(y - py) > 6 && k != 4;
            c.line(px, py, jump ? px : x, y, 1.8, p::teal);
            if (jump) {
                c.line(px, y, x, y, 1.8, p::teal);
            }
            px = x;
            py = y;
        }
    }
    return c;
}

Canvas spinner() {
    Canvas c(spinnerSize, spinnerSize * spinnerFrames, p::tile);
    const double m = spinnerSize / 2.0;
    for (int k = 0; k < spinnerFrames; ++k) {
        const int oy = k * spinnerSize;
        for (int i = 0; i < 12; ++i) {
            const double a = i * 2 * pi / 12;
            const int age = (k - i + 12) % 12;
            const double strength = std::max(0.15, 1.0 - age / 7.0);
            c.disc(m + 14 * std::sin(a), oy + m - 14 * std::cos(a), 2.2 + 1.2 * strength,
                   mix(p::steel, p::amber, strength));
        }
    }
    return c;
}

// Which of the seven segments (a to g) each digit lights.
constexpr unsigned char segmentsOfDigit[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                               0x6D, 0x7D, 0x07, 0x7F, 0x6F};

Canvas digits() {
    Canvas c(digitWidth, digitHeight * 10, p::well);
    for (int d = 0; d < 10; ++d) {
        const double oy = d * digitHeight;
        struct Segment {
            double x0, y0, x1, y1;
        };
        const Segment segments[7] = {
            {4, oy + 2.5, 12, oy + 2.5},      {13.5, oy + 4, 13.5, oy + 11.5},
            {13.5, oy + 14.5, 13.5, oy + 22}, {4, oy + 23.5, 12, oy + 23.5},
            {2.5, oy + 14.5, 2.5, oy + 22},   {2.5, oy + 4, 2.5, oy + 11.5},
            {4, oy + 13, 12, oy + 13},
        };
        for (int s = 0; s < 7; ++s) {
            const bool lit = (segmentsOfDigit[d] >> s) & 1;
            const Segment& g = segments[s];
            if (lit) {
                c.line(g.x0, g.y0, g.x1, g.y1, 5, p::segmentLit, 0.18);
            }
            c.line(g.x0, g.y0, g.x1, g.y1, 2.4, lit ? p::segmentLit : p::segmentDark);
        }
    }
    return c;
}

Canvas popupCard() {
    Canvas c(100, 88, p::tile);
    c.roundRect(0.5, 0.5, 99.5, 87.5, 6, p::teal);
    c.roundRect(1.5, 1.5, 98.5, 86.5, 5, rgb(0x2f, 0x36, 0x40));
    c.roundRect(1.5, 1.5, 98.5, 16, 5, p::teal);
    c.fillRect(2, 10, 98, 16, p::teal);
    c.disc(10, 8.5, 3, p::well);
    c.roundRect(17, 6.5, 60, 10.5, 2, p::well, 0.7);
    for (int i = 0; i < 3; ++i) {
        c.roundRect(8, 23 + 8 * i, i == 2 ? 62 : 90, 26 + 8 * i, 1.5, p::dimText, 0.8);
    }
    c.roundRect(8, 50, 92, 80, 3, p::well);
    double px = 10, py = 65;
    for (int i = 1; i <= 80; ++i) {
        const double x = 10 + i, y = 65 - 11 * std::sin(i / 80.0 * 2 * pi) * std::exp(-i / 60.0);
        c.line(px, py, x, y, 1.6, p::amber);
        px = x;
        py = y;
    }
    return c;
}

Rgb meterColor(double level) {
    return level > 0.86 ? p::red : (level > 0.65 ? p::yellow : p::green);
}

Canvas meter(bool lit) {
    Canvas c(meterWidth, meterHeight, p::well);
    const double step = double(meterHeight) / meterSteps;
    for (int s = 0; s < meterSteps; ++s) {
        const double bottom = meterHeight - s * step;
        const Rgb color = meterColor((s + 0.5) / meterSteps);
        c.roundRect(1, bottom - step + 1, meterWidth - 1, bottom - 0.5, 1,
                    lit ? color : mix(p::well, color, 0.18));
    }
    return c;
}

Canvas horizontalMeter(bool lit) {
    Canvas c(horizontalMeterWidth, horizontalMeterHeight, p::well);
    const double step = double(horizontalMeterWidth) / horizontalMeterSteps;
    for (int s = 0; s < horizontalMeterSteps; ++s) {
        const Rgb color = meterColor((s + 0.5) / horizontalMeterSteps);
        c.roundRect(s * step + 0.5, 1, (s + 1) * step - 0.5, horizontalMeterHeight - 1, 1,
                    lit ? color : mix(p::well, color, 0.18));
    }
    return c;
}

} // namespace

void registerGalleryArt() {
    put(artBackground, background());
    put(artVerticalBody, verticalBody());
    put(artVerticalHandle, verticalHandle());
    put(artHorizontalBody, horizontalBody());
    put(artHorizontalHandle, horizontalHandle());
    put(artChoiceBackground, choiceBackground());
    put(artKnobBackground, knobBackground());
    put(artKnobHandle, knobHandle());
    put(artKnobFilmstrip, knobFilmstrip());
    put(artToggle, toggle());
    put(artFilmstripButton, filmstripButton());
    put(artMomentaryButton, momentaryButton());
    put(artVerticalSwitch, verticalSwitch());
    put(artHorizontalSwitch, horizontalSwitch());
    put(artRocker, rocker());
    put(artWaveforms, waveforms());
    put(artSpinner, spinner());
    put(artDigits, digits());
    put(artPopupCard, popupCard());
    put(artMeterLit, meter(true));
    put(artMeterUnlit, meter(false));
    put(artMeterLitHorizontal, horizontalMeter(true));
    put(artMeterUnlitHorizontal, horizontalMeter(false));
}

} // namespace gallery
