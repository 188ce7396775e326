// Draws the cross-check cases with our layer and, through MinGW-w64 and Wine, with Wine's
// implementation of the same calls, and compares the two pictures pixel for pixel (text by the
// box its pixels occupy).
#include "tests/platform/wine/CrossCheckDrawing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Record {
    std::string kind; // picture, box or value
    int width = 0;
    int height = 0;
    std::vector<std::string> rows; // pictures
    std::vector<int> values;       // boxes and values
};

std::map<std::string, Record> parse(const std::string& path) {
    std::map<std::string, Record> records;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind, name;
        if (!(words >> kind >> name)) {
            continue;
        }
        Record record;
        record.kind = kind;
        if (kind == "picture") {
            words >> record.width >> record.height;
            for (int y = 0; y < record.height && std::getline(in, line); ++y) {
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                record.rows.push_back(line);
            }
        } else {
            int value = 0;
            while (words >> value) {
                record.values.push_back(value);
            }
        }
        records[name] = record;
    }
    return records;
}

// Cases where Wine is not followed to the pixel, with the number of pixels (or, for text, the
// distance in pixels of each box edge) that may differ, and why.
struct Allowance {
    int pixels;
    const char* reason;
};
const std::map<std::string, Allowance> allowances = {
    // Wine joins the points of an arc with line segments and ends it at the points where the
    // rays leave the ellipse, and fills a pie as the polygon of those points and the centre; we
    // set the outline pixels (and fill the pixels) whose direction from the centre lies between
    // the rays, so the two differ by a pixel or two at the ends and along the radii.
    {"arcs", {10, "arc ends"}},
    {"pies", {24, "arc ends and the two radii"}},
    {"pies-nullpen", {40, "pie edges along the radii"}},
    // Wide diagonal lines: Wine's body is wider than the pen along slanted directions; ours is
    // the pen's width measured across the line. Horizontal and vertical wide lines match.
    {"wide-pen-2", {30, "slanted wide line"}},
    {"wide-pen-3", {40, "slanted wide line"}},
    {"wide-pen-4", {40, "slanted wide line"}},
    {"wide-pen-5", {60, "slanted wide line"}},
    // Wide ellipse outlines: ours are centred on the one-pixel outline.
    {"ellipse-wide", {220, "wide ellipse outline"}},
    // Glyphs differ between renderers (hinting, emboldening): boxes may move by a few pixels.
    {"text-left", {2, "glyph rendering"}},
    {"text-center", {2, "glyph rendering"}},
    {"text-right", {2, "glyph rendering"}},
    {"text-bold-center", {3, "bold glyph rendering: Wine draws bold Arial 3 pixels wider"}},
    {"text-large-center", {2, "glyph rendering"}},
    {"text-clipped", {2, "glyph rendering"}},
    {"text-opaque-cell", {2, "glyph rendering"}},
};

int allowed(const std::string& name) {
    auto found = allowances.find(name);
    return found == allowances.end() ? 0 : found->second.pixels;
}

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

class WineCrossCheck : public ::testing::Test {
protected:
    void SetUp() override {
#if !defined(QMT_WINE_DRAWING_EXE) || !defined(QMT_WINE64) || !defined(QMT_WINESERVER)
        GTEST_SKIP() << "MinGW-w64 or Wine is not installed";
#else
        if (!fs::exists(QMT_WINE_DRAWING_EXE) || !fs::exists(QMT_WINE64)) {
            GTEST_SKIP() << "the Windows drawing program or Wine is missing";
        }
#endif
    }
};

TEST_F(WineCrossCheck, OurPicturesMatchWines) {
#if defined(QMT_WINE_DRAWING_EXE) && defined(QMT_WINE64) && defined(QMT_WINESERVER)
    char pattern[] = "/tmp/qmt-wine-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path work = pattern;
    const fs::path prefix = work / "prefix";
    const fs::path wineOutput = work / "wine.txt";
    const fs::path nativeOutput = work / "native.txt";

    // A prefix of our own, no display, and the server of that prefix ended afterwards.
    std::ostringstream environment;
    environment << "env -u DISPLAY WINEPREFIX=" << quoted(prefix)
                << " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
    std::ostringstream run;
    run << environment.str() << quoted(QMT_WINE64) << ' ' << quoted(QMT_WINE_DRAWING_EXE)
        << " 'Z:" << wineOutput.string() << "' >" << quoted(work / "wine.log") << " 2>&1";
    const int status = std::system(run.str().c_str());
    std::ostringstream stop;
    stop << environment.str() << quoted(QMT_WINESERVER) << " -k >/dev/null 2>&1; "
         << environment.str() << quoted(QMT_WINESERVER) << " -w >/dev/null 2>&1";
    std::system(stop.str().c_str());

    std::FILE* out = std::fopen(nativeOutput.c_str(), "w");
    ASSERT_NE(out, nullptr);
    drawCrossCheckCases(out);
    std::fclose(out);

    const auto wine = parse(wineOutput.string());
    const auto native = parse(nativeOutput.string());
    std::error_code ignored;
    fs::remove_all(work, ignored);
    ASSERT_EQ(status, 0) << "the drawing program failed under Wine";
    ASSERT_FALSE(wine.empty());
    ASSERT_EQ(wine.size(), native.size());

    for (const auto& [name, ours] : native) {
        SCOPED_TRACE(name);
        auto found = wine.find(name);
        ASSERT_NE(found, wine.end());
        const Record& theirs = found->second;
        ASSERT_EQ(ours.kind, theirs.kind);
        if (ours.kind == "picture") {
            ASSERT_EQ(ours.width, theirs.width);
            ASSERT_EQ(ours.height, theirs.height);
            int differing = 0;
            int firstX = -1, firstY = -1;
            for (int y = 0; y < ours.height; ++y) {
                for (int x = 0; x < ours.width; ++x) {
                    if (ours.rows[y].compare(6 * x, 6, theirs.rows[y], 6 * x, 6) != 0) {
                        if (differing++ == 0) {
                            firstX = x;
                            firstY = y;
                        }
                    }
                }
            }
            EXPECT_LE(differing, allowed(name))
                << differing << " pixels differ, first (" << firstX << ", " << firstY << ")";
        } else if (ours.kind == "box") {
            ASSERT_EQ(ours.values.size(), 4u);
            ASSERT_EQ(theirs.values.size(), 4u);
            for (int i = 0; i < 4; ++i) {
                EXPECT_LE(std::abs(ours.values[i] - theirs.values[i]), allowed(name))
                    << "box edge " << i << ": ours " << ours.values[i] << ", Wine's "
                    << theirs.values[i];
            }
        } else {
            EXPECT_EQ(ours.values, theirs.values);
        }
    }
#endif
}

} // namespace
