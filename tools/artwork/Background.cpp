#include "tools/artwork/Noise.h"
#include "tools/artwork/Painters.h"
#include "tools/artwork/Shapes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace artwork {

namespace {

constexpr int rimWidth = 6;
constexpr Rgb light{244, 246, 248};

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Brushed face with a soft light from above; rim and wells are shaded on top of it so the
// grain runs through everything, as on a real front plate.
void paintFace(Canvas& canvas, const Design& design) {
    const NoiseField streaks = brushed(design.width, design.height, design.seed, 40);
    const NoiseField fine = grain(design.width, design.height, design.seed ^ 0x5EEDull);
    for (int y = 0; y < design.height; ++y) {
        const double fromTop = static_cast<double>(y) / (design.height - 1);
        const double lighting = 1.045 - 0.075 * fromTop;
        for (int x = 0; x < design.width; ++x) {
            const double fromCentre = (x + 0.5) / design.width - 0.5;
            const double sideFall = 1 - 0.05 * fromCentre * fromCentre;
            const double texture = 1 + 0.022 * streaks.at(x, y) + 0.012 * fine.at(x, y);
            canvas.set(x, y, scale(design.palette.face, lighting * sideFall * texture));
        }
    }
}

void paintHardRim(Canvas& canvas, const Design& design) {
    const Rgb rim = design.palette.rim;
    for (int y = 0; y < design.height; ++y) {
        for (int x = 0; x < design.width; ++x) {
            const int edge = std::min({x, y, design.width - 1 - x, design.height - 1 - y});
            if (edge >= rimWidth) {
                continue;
            }
            // Keep the face's grain: take the pixel's brightness relative to the face colour.
            const Rgb here = canvas.get(x, y);
            const double grainFactor =
                (here.r + here.g + here.b) /
                (design.palette.face.r + design.palette.face.g + design.palette.face.b);
            // A rounded profile: brightest half way across the rim.
            const double profile =
                0.82 + 0.22 * std::sin(3.14159265358979 * (edge + 0.5) / rimWidth);
            canvas.set(x, y, scale(rim, grainFactor * profile));
        }
    }
    const Box outer{0, 0, static_cast<double>(design.width), static_cast<double>(design.height)};
    raise(canvas, outer, 0, 0.35, 0.35);
    // The face plate sits in the frame, a step higher than it.
    const Box plate = outer.inset(rimWidth);
    raise(canvas, plate, 1.5, 0.22, 0.3);
    const Box shadow = plate.moved(1, 1);
    for (int y = 0; y < design.height; ++y) {
        for (int x = 0; x < design.width; ++x) {
            const double cast = coverage(shadow, 1.5, x, y) * (1 - coverage(plate, 1.5, x, y));
            canvas.shade(x, y, 1 - 0.35 * cast);
        }
    }
}

// A dark border that fades into the face, like a vignette pressed into a moulded case.
void paintSoftRim(Canvas& canvas, const Design& design) {
    const double reach = 11;
    for (int y = 0; y < design.height; ++y) {
        for (int x = 0; x < design.width; ++x) {
            const double dx = std::min(x + 0.5, design.width - 0.5 - x);
            const double dy = std::min(y + 0.5, design.height - 0.5 - y);
            // Rounded corners: distance from a corner circle where both edges are near.
            const double r = reach;
            double edge = std::min(dx, dy);
            if (dx < r && dy < r) {
                edge = r - std::hypot(r - dx, r - dy);
            }
            const double t = smoothstep(0, reach, std::max(edge, 0.0));
            const double fall = 1 - std::pow(1 - t, 1.6);
            const Rgb here = canvas.get(x, y);
            const Rgb rimTone =
                scale(design.palette.rim,
                      (here.r + here.g + here.b) /
                          (design.palette.face.r + design.palette.face.g + design.palette.face.b));
            canvas.set(x, y, mix(rimTone, here, fall));
            // A faint lit ridge where the slope meets the flat.
            const double ridge = std::exp(-std::pow((edge - reach + 1.5) / 1.2, 2));
            const bool upper = dy <= dx ? y < design.height / 2 : x < design.width / 2;
            canvas.blend(x, y, upper ? light : scale(design.palette.rim, 0.8),
                         (upper ? 0.22 : 0.12) * ridge);
        }
    }
}

// Text cut into the plate: a light edge below and the ink above it.
void engrave(Canvas& canvas, Typeface& face, const std::string& text, const TextStyle& style,
             double x, int baseline, Rgb ink, double opacity) {
    face.draw(canvas, text, style, x, baseline + 1, light, 0.55 * opacity);
    face.draw(canvas, text, style, x, baseline, ink, opacity);
}

void paintTitle(Canvas& canvas, const Design& design, Fonts& fonts, int baseline, double left,
                double right) {
    const TextStyle titleStyle{.size = 23, .tracking = 3.2, .align = Align::left};
    const Palette& p = design.palette;
    // A small accent bar before the title, the one spot of colour on the plate.
    const double capHeight = fonts.title->capHeight(titleStyle.size);
    const Box bar{left, baseline - capHeight, left + 4, static_cast<double>(baseline)};
    fillBox(canvas, bar, 0.8, p.accent);
    raise(canvas, bar, 0.8, 0.25, 0.25);
    const double titleLeft = left + 10;
    engrave(canvas, *fonts.title, design.title, titleStyle, titleLeft, baseline, p.ink, 0.92);

    // The tagline shares the title's baseline at the right; on a narrow plate it goes under
    // the title instead.
    TextStyle taglineStyle{.size = 10.5, .tracking = 1.1, .align = Align::right};
    const double titleRight = titleLeft + fonts.title->width(design.title, titleStyle);
    const auto fits = [&] {
        return titleRight + 12 + fonts.tagline->width(design.tagline, taglineStyle) <= right;
    };
    while (!fits() && taglineStyle.tracking > 0.55) {
        taglineStyle.tracking -= 0.1;
    }
    if (fits()) {
        engrave(canvas, *fonts.tagline, design.tagline, taglineStyle, right, baseline, p.ink, 0.68);
    } else {
        taglineStyle.size = 9.5;
        taglineStyle.tracking = 1.5;
        taglineStyle.align = Align::left;
        engrave(canvas, *fonts.tagline, design.tagline, taglineStyle, titleLeft + 1, baseline + 13,
                p.ink, 0.68);
    }
}

RecessLook wellLook() {
    RecessLook look;
    look.floorShade = 1.0;
    look.wallShadow = 0.32;
    look.outline = 0.3;
    look.lipHighlight = 0.55;
    look.highlight = light;
    return look;
}

void paintSection(Canvas& canvas, const Design& design, Fonts& fonts, const Section& section,
                  const Box& box) {
    const Palette& p = design.palette;
    // The well's floor is the darker well colour over the same grain.
    const double ratio = (p.well.r + p.well.g + p.well.b) / (p.face.r + p.face.g + p.face.b);
    shadeBox(canvas, box, 2.5, ratio);
    // Light falls into the well from above: its floor darkens a little towards the bottom.
    for (int y = static_cast<int>(box.y0); y < static_cast<int>(box.y1); ++y) {
        const double depth = (y - box.y0) / (box.y1 - box.y0);
        for (int x = static_cast<int>(box.x0); x < static_cast<int>(box.x1); ++x) {
            canvas.shade(x, y, 1 + (0.02 - 0.05 * depth) * coverage(box, 2.5, x, y));
        }
    }
    recess(canvas, box, 2.5, wellLook());

    std::string heading;
    for (char c : section.title) {
        heading += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    // Letter-spaced capitals, closed up as far as a narrow well needs.
    TextStyle headingStyle{.size = 9.5, .tracking = 1.6, .align = Align::centre};
    const double room = box.x1 - box.x0 - 8;
    while (headingStyle.tracking > 0.45 && fonts.heading->width(heading, headingStyle) > room) {
        headingStyle.tracking -= 0.1;
    }
    while (headingStyle.size > 8 && fonts.heading->width(heading, headingStyle) > room) {
        headingStyle.size -= 0.25;
    }
    const double centre = (box.x0 + box.x1) / 2;
    const int baseline = static_cast<int>(box.y0) + 13;
    engrave(canvas, *fonts.heading, heading, headingStyle, centre, baseline, p.accent, 0.95);
    // A hair line under the heading, engraved, leaving room at the well's walls.
    const int ruleRow = baseline + 5;
    for (int x = static_cast<int>(box.x0) + 5; x < static_cast<int>(box.x1) - 5; ++x) {
        canvas.shade(x, ruleRow, 0.82);
        canvas.blend(x, ruleRow + 1, light, 0.35);
    }
}

RecessLook seatLook(double outline) {
    RecessLook look;
    look.floorShade = 1.0;
    look.wallShadow = 0.0;
    look.outline = outline;
    look.lipHighlight = 0.5;
    look.highlight = light;
    return look;
}

// Scale marks beside a slider: eleven steps, the ends and the middle longer. Row 5 of the
// handle is its centre line, so the marks sit level with it at each step.
void paintTicks(Canvas& canvas, const Design& design, int left) {
    const Palette& p = design.palette;
    const int travel = trackHeight - handleHeight - 1;
    for (int i = 0; i <= 10; ++i) {
        const int row = design.sliderTop + 5 + static_cast<int>(std::lround(i * travel / 10.0));
        const bool major = i % 5 == 0;
        const int length = major ? 4 : 2;
        for (int k = 0; k < length; ++k) {
            for (int x : {left - 3 - k, left + trackWidth + 2 + k}) {
                canvas.blend(x, row, p.ink, major ? 0.62 : 0.45);
                canvas.blend(x, row + 1, light, 0.35);
            }
        }
    }
}

void paintSlot(Canvas& canvas, const Design& design, Fonts& fonts, int slot) {
    const Palette& p = design.palette;
    const int left = sliderLeft(slot);
    const double top = design.sliderTop;
    // The track bitmap covers the slider's rectangle; its seat is the ring round it.
    const Box seat{left - 1.0, top - 1, left + trackWidth + 1.0, top + trackHeight + 1};
    recess(canvas, seat, 0, seatLook(0.45));
    paintTicks(canvas, design, left);

    const TextStyle labelStyle{.size = 9.5, .tracking = 0.25, .align = Align::centre};
    const double labelCentre = left + trackWidth / 2.0;
    const double cap = fonts.label->capHeight(labelStyle.size);
    const double gapTop = top + trackHeight + 1;
    const double gapBottom = design.displayTop - 1;
    const int baseline = static_cast<int>(std::lround((gapTop + gapBottom + cap) / 2));
    engrave(canvas, *fonts.label, design.slots[static_cast<size_t>(slot)].label, labelStyle,
            labelCentre, baseline, p.ink, 0.9);

    // The display paints its own white box with a border over columns left .. left + 30 and
    // rows top .. top + 14; the seat gives it a pressed-in frame one pixel outside that.
    const int dl = displayLeft(slot);
    const Box displaySeat{dl - 1.0, design.displayTop - 1.0, dl + displayWidth + 2.0,
                          design.displayTop + displayHeight + 2.0};
    canvas.fillRect(dl, design.displayTop, dl + displayWidth + 1,
                    design.displayTop + displayHeight + 1, {232, 232, 228});
    recess(canvas, displaySeat, 0, seatLook(0.2));
}

} // namespace

Canvas paintBackground(const Design& design, Fonts& fonts) {
    Canvas canvas(design.width, design.height);
    paintFace(canvas, design);
    if (design.softRim) {
        paintSoftRim(canvas, design);
    } else {
        paintHardRim(canvas, design);
    }

    const int slots = static_cast<int>(design.slots.size());
    // The wells reach four pixels beyond the outer displays; between two sections they meet
    // in the three columns between neighbouring displays.
    const double firstColumn = displayLeft(0) - 5.0;
    const double lastColumn = displayLeft(slots - 1) + displayWidth + 6.0;
    const int titleBaseline = design.sections.empty() ? 31 : 34;
    paintTitle(canvas, design, fonts, titleBaseline, firstColumn, lastColumn);

    for (const Section& section : design.sections) {
        const int last = section.firstSlot + section.slotCount - 1;
        const double x0 =
            section.firstSlot == 0 ? firstColumn : displayLeft(section.firstSlot) - 1.0;
        const double x1 = last == slots - 1 ? lastColumn : displayLeft(last) + displayWidth + 2.0;
        const Box box{x0, 46, x1, design.displayTop + displayHeight + 6.0};
        paintSection(canvas, design, fonts, section, box);
    }
    if (design.sections.empty()) {
        // One engraved line under the title instead of section frames.
        const int row = design.sliderTop - 9;
        for (int x = static_cast<int>(firstColumn); x < static_cast<int>(lastColumn); ++x) {
            canvas.shade(x, row, 0.84);
            canvas.blend(x, row + 1, light, 0.4);
        }
    }
    for (int slot = 0; slot < slots; ++slot) {
        paintSlot(canvas, design, fonts, slot);
    }
    return canvas;
}

} // namespace artwork
