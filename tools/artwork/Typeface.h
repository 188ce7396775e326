#pragma once

#include "tools/artwork/Canvas.h"

#include <memory>
#include <string>
#include <string_view>

namespace artwork {

enum class Align { left, centre, right };

// How a line of text is set: size in pixels per em, extra space after every letter, and the
// anchor that x names.
struct TextStyle {
    double size = 11;
    double tracking = 0;
    Align align = Align::left;
};

// One font file, found by its exact family and style through fontconfig and rasterised with
// FreeType. There is no substitution: a missing face is an error rather than a look-alike, so
// the artwork never depends on which other fonts happen to be installed.
class Typeface {
public:
    static std::unique_ptr<Typeface> open(const std::string& family, const std::string& style);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    double width(std::string_view text, const TextStyle& style);
    // Height of a capital above the baseline, for centring labels optically.
    double capHeight(double size);
    double ascent(double size);
    double descent(double size);

    // Draws UTF-8 text with its baseline on row baseline and its anchor at x.
    void draw(Canvas& canvas, std::string_view text, const TextStyle& style, double x, int baseline,
              Rgb colour, double opacity = 1.0);

    const std::string& file() const { return file_; }

private:
    struct Library;
    static std::shared_ptr<Library> sharedLibrary();
    Typeface(std::shared_ptr<Library> library, void* face, std::string file);
    bool setSize(double size);

    std::shared_ptr<Library> library_;
    void* face_;
    std::string file_;
};

} // namespace artwork
