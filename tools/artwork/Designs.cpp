#include "tools/artwork/Design.h"

namespace artwork {

static Design tarvik() {
    Design d;
    d.id = "tarvik";
    d.title = "TARVIK";
    d.tagline = "ENVELOPE FILTER  +  DELAY";
    d.width = 350;
    d.height = 290;
    d.sliderTop = 79;
    d.displayTop = 255;
    d.seed = 0x7A2B1C0001ull;
    d.palette = {
        .face = {170, 184, 199},
        .rim = {62, 73, 90},
        .ink = {26, 35, 50},
        .accent = {40, 72, 122},
        .well = {144, 159, 177},
        .groove = {44, 48, 55},
        .cap = {118, 138, 164},
        .capMark = {18, 26, 40},
    };
    d.slots = {
        {"Freq", 0.5, 1, false},  {"Res", 0.5, 1, true},      {"Atac", 0.75, 1, true},
        {"Rel", 0.75, 1, true},   {"Mix", 0.75, 1, true},     {"Freq", 0.75, 10, false},
        {"Depth", 0.75, 1, true}, {"Size", 0.75, 500, false}, {"F-Back", 0.75, 1, true},
    };
    d.sections = {{"Filter", 0, 2}, {"Follow", 2, 3}, {"Fluctuate", 5, 2}, {"Delay", 7, 2}};
    return d;
}

static Design ombrel() {
    Design d;
    d.id = "ombrel";
    d.title = "OMBREL";
    d.tagline = "SWEPT RESONATORS";
    d.width = 285;
    d.height = 290;
    d.sliderTop = 79;
    d.displayTop = 255;
    d.seed = 0x0B8E10002ull;
    d.palette = {
        .face = {178, 198, 170},
        .rim = {58, 78, 58},
        .ink = {24, 42, 28},
        .accent = {36, 92, 56},
        .well = {150, 173, 143},
        .groove = {40, 50, 44},
        .cap = {120, 146, 124},
        .capMark = {16, 32, 20},
    };
    d.slots = {
        {"Delay", 0.75, 500, false}, {"FBack", 0.75, 1, true}, {"Depth", 0.75, 1, true},
        {"Freq", 0.5, 1, false},     {"Res", 0.5, 1, true},    {"Freq", 0.75, 10, false},
        {"Depth", 0.75, 1, true},
    };
    d.sections = {{"Delay", 0, 2}, {"Dist", 2, 1}, {"Filter", 3, 2}, {"Sweep", 5, 2}};
    return d;
}

static Design quisel() {
    Design d;
    d.id = "quisel";
    d.title = "QUISEL";
    d.tagline = "MODULATED DELAY";
    d.width = 215;
    d.height = 270;
    d.sliderTop = 60;
    d.displayTop = 238;
    d.softRim = true;
    d.seed = 0x9015E10003ull;
    d.palette = {
        .face = {192, 192, 189},
        .rim = {40, 40, 42},
        .ink = {32, 32, 34},
        .accent = {172, 92, 26},
        .well = {176, 176, 173},
        .groove = {46, 46, 48},
        .cap = {136, 136, 138},
        .capMark = {22, 22, 24},
    };
    d.slots = {
        {"Delay", 0.5, 40, false}, {"FBack", 0.5, 1, true}, {"Freq", 0.75, 10, false},
        {"Depth", 0.75, 1, true},  {"Mix", 0.75, 1, true},
    };
    return d;
}

const std::vector<Design>& designs() {
    static const std::vector<Design> all{tarvik(), ombrel(), quisel()};
    return all;
}

} // namespace artwork
