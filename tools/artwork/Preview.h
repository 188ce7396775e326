#pragma once

#include "tools/artwork/Canvas.h"
#include "tools/artwork/Design.h"
#include "tools/artwork/Fonts.h"

namespace artwork {

// The editor as it will look: the background with a track, a handle and a value display at
// each slider's place, every slider at its default value. The controls follow the editor's
// geometry, so a misplaced seat or label shows at once.
Canvas composePreview(const Design& design, Fonts& fonts, const Canvas& background,
                      const Canvas& track, const Canvas& handle);

} // namespace artwork
