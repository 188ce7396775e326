// Draws the three bitmaps of each plug-in's editor and, on request, a preview of each editor.
//
//   artwork --out ROOT [--preview DIR] [--zoom N] [--detail X Y W H]
//
// writes ROOT/plugins/<name>/resources/{background,track,handle}.bmp and, with --preview,
// DIR/<name>.png, magnified N times; --detail adds DIR/<name>-detail.png, a cut-out of the
// preview for a close look at the slider seats. The output depends only on this program and the
// named fonts, so running it again reproduces the committed files byte for byte.

#include "tools/artwork/Bitmap.h"
#include "tools/artwork/Design.h"
#include "tools/artwork/Fonts.h"
#include "tools/artwork/Painters.h"
#include "tools/artwork/Png.h"
#include "tools/artwork/Preview.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: artwork --out ROOT [--preview DIR] [--zoom N] [--detail X Y W H]\n");
    return 2;
}

bool save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty() || !artwork::writeFile(path.string(), bytes)) {
        std::fprintf(stderr, "artwork: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path root;
    std::filesystem::path previews;
    int zoom = 1;
    int detail[4] = {0, 0, 0, 0};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            return usage();
        }
        if (arg == "--detail" && i + 4 < argc) {
            for (int& v : detail) {
                v = std::atoi(argv[++i]);
            }
        } else if (arg == "--out") {
            root = argv[++i];
        } else if (arg == "--preview") {
            previews = argv[++i];
        } else if (arg == "--zoom") {
            zoom = std::atoi(argv[++i]);
        } else {
            return usage();
        }
    }
    if (root.empty() || zoom < 1) {
        return usage();
    }

    artwork::Fonts fonts;
    if (!fonts.load()) {
        return 1;
    }
    std::error_code error;
    for (const artwork::Design& design : artwork::designs()) {
        const std::filesystem::path folder = root / "plugins" / design.id / "resources";
        std::filesystem::create_directories(folder, error);
        const artwork::Canvas background = artwork::paintBackground(design, fonts);
        const artwork::Canvas track = artwork::paintTrack(design);
        const artwork::Canvas handle = artwork::paintHandle(design);
        if (!save(folder / "background.bmp", artwork::encodeBmp24(background)) ||
            !save(folder / "track.bmp", artwork::encodeBmp8(track)) ||
            !save(folder / "handle.bmp", artwork::encodeBmp8(handle))) {
            return 1;
        }
        if (!previews.empty()) {
            std::filesystem::create_directories(previews, error);
            const artwork::Canvas preview =
                artwork::composePreview(design, fonts, background, track, handle);
            const std::filesystem::path file = previews / (design.id + ".png");
            if (!artwork::writePng(file.string(), preview, zoom)) {
                std::fprintf(stderr, "artwork: cannot write %s\n", file.string().c_str());
                return 1;
            }
            if (detail[2] > 0 && detail[3] > 0) {
                artwork::Canvas cut(detail[2], detail[3]);
                for (int y = 0; y < detail[3]; ++y) {
                    for (int x = 0; x < detail[2]; ++x) {
                        if (preview.contains(detail[0] + x, detail[1] + y)) {
                            cut.set(x, y, preview.get(detail[0] + x, detail[1] + y));
                        }
                    }
                }
                const std::filesystem::path cutFile = previews / (design.id + "-detail.png");
                if (!artwork::writePng(cutFile.string(), cut, zoom)) {
                    return 1;
                }
            }
        }
    }
    return 0;
}
