#pragma once

#include "tools/artwork/Typeface.h"

#include <memory>

namespace artwork {

// The fixed faces of the artwork. Liberation comes from fonts-liberation, which every build
// machine of ours installs; the display face stands in for the editor's own value font in the
// previews.
struct Fonts {
    std::unique_ptr<Typeface> title;   // Liberation Sans Bold
    std::unique_ptr<Typeface> heading; // Liberation Sans Bold
    std::unique_ptr<Typeface> label;   // Liberation Sans Regular
    std::unique_ptr<Typeface> tagline; // Liberation Sans Narrow Regular
    std::unique_ptr<Typeface> display; // Liberation Sans Regular

    Fonts() = default;
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    // Lets fontconfig go once the faces are found; the opened faces do not need it.
    ~Fonts();

    // False when one of the faces is missing; nothing is drawn then.
    bool load();

private:
    bool searched_ = false;
};

} // namespace artwork
