// Our three editor-equipped effects, and what their editors look like, drawn headless.
#pragma once

#include <string>
#include <vector>

#include "framework/effect/EffectBase.h"
#include "platform/testing/Testing.h"

namespace snapshot {

struct EditorPlugin {
    const char* name; // lower case, as the plug-in's folder
    // Registers the plug-in's bitmaps with this program's module handle and makes the
    // editor-equipped effect. All three register under the same handle here, so the
    // bitmaps are those of the plug-in made last.
    EffectBase* (*make)(audioMasterCallback host);
};

const std::vector<EditorPlugin>& editorPlugins();

// A host callback that answers the version query and nothing else.
audioMasterCallback quietHost();

// Opens the effect's editor in a host window of the editor's size, paints it and returns its
// picture; the editor is closed again. An empty image when the editor does not open.
platform::testing::Image pictureOfEditor(EffectBase& effect);

// Sets every parameter of the effect to the value.
void setAllParameters(EffectBase& effect, float value);

} // namespace snapshot
