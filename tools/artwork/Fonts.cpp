#include "tools/artwork/Fonts.h"

#include <fontconfig/fontconfig.h>

namespace artwork {

Fonts::~Fonts() {
    if (searched_) {
        FcFini();
    }
}

bool Fonts::load() {
    searched_ = true;
    title = Typeface::open("Liberation Sans", "Bold");
    heading = Typeface::open("Liberation Sans", "Bold");
    label = Typeface::open("Liberation Sans", "Regular");
    tagline = Typeface::open("Liberation Sans Narrow", "Regular");
    display = Typeface::open("Liberation Sans", "Regular");
    return title && heading && label && tagline && display;
}

} // namespace artwork
