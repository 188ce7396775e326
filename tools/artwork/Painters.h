#pragma once

#include "tools/artwork/Canvas.h"
#include "tools/artwork/Design.h"
#include "tools/artwork/Fonts.h"

namespace artwork {

// The editor's background: face, rim, title, sections, slider seats and labels.
Canvas paintBackground(const Design& design, Fonts& fonts);

// The slider track, trackWidth x trackHeight: a groove the handle runs in.
Canvas paintTrack(const Design& design);

// The slider handle, handleWidth x handleHeight. Masked drawing leaves pure white out, so no
// pixel of it comes near white: the whole cap is always drawn.
Canvas paintHandle(const Design& design);

// The brightest a handle channel may be; kept well below white so that a display with fewer
// colour bits does not round a highlight up to the key colour either.
inline constexpr double handleCeiling = 232;

} // namespace artwork
