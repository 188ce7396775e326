#include "framework/gui/FontTable.h"

namespace {

constexpr std::uint8_t variableSwiss = 0x22;
constexpr std::uint8_t defaultDecorative = 0x50;

constexpr FontDescription fontTable[fontCount] = {
    {"Arial", 12, 700, variableSwiss},      {"Arial", 18, 400, variableSwiss},
    {"Arial", 14, 400, variableSwiss},      {"Arial", 12, 400, variableSwiss},
    {"Arial", 11, 400, variableSwiss},      {"Small Fonts", 9, 400, variableSwiss},
    {"Symbol", 13, 400, defaultDecorative},
};

} // namespace

FontDescription lookupFont(std::int32_t id, std::int32_t size) {
    if (id < 0 || id >= fontCount) {
        id = fontBold;
    }
    FontDescription font = fontTable[id];
    if (size != 0) {
        font.size = size;
    }
    return font;
}
