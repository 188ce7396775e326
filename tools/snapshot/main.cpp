// Draws each plug-in's editor headless and writes it as PNG:
//
//   snapshot OUTDIR
//
// writes OUTDIR/<name>.png, the editor as a new instance shows it (program 0), and
// OUTDIR/<name>-half.png, with every parameter at 0.5, for tarvik, ombrel and quisel.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "tools/snapshot/EditorPicture.h"

namespace {

bool write(const platform::testing::Image& picture, const std::filesystem::path& path) {
    if (picture.width == 0 || !platform::testing::savePng(picture, path.string())) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", path.string().c_str());
        return false;
    }
    std::printf("%s (%d x %d)\n", path.string().c_str(), picture.width, picture.height);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: snapshot OUTDIR\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    bool ok = true;
    for (const snapshot::EditorPlugin& plugin : snapshot::editorPlugins()) {
        std::unique_ptr<EffectBase> effect(plugin.make(snapshot::quietHost()));
        if (effect == nullptr) {
            std::fprintf(stderr, "snapshot: cannot make %s\n", plugin.name);
            ok = false;
            continue;
        }
        const std::string name = plugin.name;
        ok = write(snapshot::pictureOfEditor(*effect), folder / (name + ".png")) && ok;
        snapshot::setAllParameters(*effect, 0.5f);
        ok = write(snapshot::pictureOfEditor(*effect), folder / (name + "-half.png")) && ok;
    }
    return ok ? 0 : 1;
}
