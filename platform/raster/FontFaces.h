// Font faces for text output: the face fontconfig matches to a requested Windows face name,
// loaded with FreeType at the requested size, with its rendered glyphs cached.
#pragma once

#include "platform/api/Gdi.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::raster {

struct Glyph {
    int left = 0; // from the pen position to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int height = 0;
    int advance = 0;                    // whole pixels
    std::vector<std::uint8_t> coverage; // width * height, 0 or 1
};

class FontFace {
public:
    // The face for a request; never null (an unusable request gives a face without glyphs).
    static std::shared_ptr<FontFace> forRequest(const LOGFONTA& request);

    FontFace(const std::string& path, int index, int pixelsPerEm, bool bold, bool italic,
             bool symbolMapping);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int height() const { return ascent_ + descent_; }
    int internalLeading() const { return ascent_ + descent_ - pixelsPerEm_; }
    int averageWidth() const { return averageWidth_; }
    int maximumWidth() const { return maximumWidth_; }
    bool bold() const { return bold_; }
    const std::string& path() const { return path_; }

    // The glyph of a character of the Windows ANSI code page.
    const Glyph& glyph(unsigned char character);
    int advance(unsigned char character) { return glyph(character).advance; }

private:
    std::uint32_t codePoint(unsigned char character) const;

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string path_;
    int pixelsPerEm_;
    bool bold_;
    bool syntheticBold_ = false;
    bool symbolMapping_;
    int ascent_ = 0;
    int descent_ = 0;
    int averageWidth_ = 0;
    int maximumWidth_ = 0;
    std::array<std::unique_ptr<Glyph>, 256> glyphs_;
};

// The fontconfig pattern a Windows face name is looked up under.
std::string fontconfigFamily(const char* faceName, BYTE pitchAndFamily);

} // namespace platform::raster
