#pragma once

#include "tools/artwork/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

// A titled group of neighbouring sliders, by screen position.
struct Section {
    std::string title;
    int firstSlot = 0;
    int slotCount = 0;
};

// What one slider's slot shows: its painted label and, for the preview only, the value the
// editor shows at the default and how its display formats it.
struct Slot {
    std::string label;
    double previewValue = 0.5;
    double displayScale = 1.0;
    bool percent = false;
};

struct Palette {
    Rgb face;    // the panel's own colour
    Rgb rim;     // the frame round the face
    Rgb ink;     // titles and labels
    Rgb accent;  // the title's mark and section headings
    Rgb well;    // floor of the recessed sections
    Rgb groove;  // the slider track
    Rgb cap;     // the slider handle
    Rgb capMark; // the handle's centre line
};

// Everything that differs between the three plug-ins' pictures. The geometry of the sliders
// and displays follows the editor: slot k's slider starts at column 31 + 34 k, its display at
// 23 + 34 k.
struct Design {
    std::string id;      // folder name under plugins/
    std::string title;   // painted across the top
    std::string tagline; // the small line beside the title
    int width = 0;
    int height = 0;
    int sliderTop = 0;
    int displayTop = 0;
    bool softRim = false;
    std::uint64_t seed = 0;
    Palette palette;
    std::vector<Slot> slots;
    std::vector<Section> sections; // empty: the sliders stand on the bare face
};

// Bitmap sizes the editor's layout is computed from.
inline constexpr int trackWidth = 16;
inline constexpr int trackHeight = 160;
inline constexpr int handleWidth = 14;
inline constexpr int handleHeight = 12;
inline constexpr int slotPitch = trackWidth + 18;
inline constexpr int displayWidth = 30;
inline constexpr int displayHeight = 14;

inline int sliderLeft(int slot) {
    return 31 + slot * slotPitch;
}
inline int displayLeft(int slot) {
    return 23 + slot * slotPitch;
}

const std::vector<Design>& designs();

} // namespace artwork
