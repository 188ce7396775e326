#include "platform/raster/FontFaces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <tuple>

namespace platform::raster {
namespace {

FT_Library library() {
    static FT_Library instance = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) {
            lib = nullptr;
        }
        return lib;
    }();
    return instance;
}

bool sameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

struct Match {
    std::string path;
    int index = 0;
    bool bold = false;
};

// Our own fontconfig configuration, loaded once and kept for the life of the process.
FcConfig* fontConfiguration() {
    static FcConfig* config = FcInitLoadConfigAndFonts();
    return config;
}

Match matchFace(const std::string& family, bool bold, bool italic) {
    Match match;
    FcConfig* config = fontConfiguration();
    if (!config) {
        return match;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &result);
    if (found) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file) {
            match.path = reinterpret_cast<const char*>(file);
        }
        int index = 0;
        if (FcPatternGetInteger(found, FC_INDEX, 0, &index) == FcResultMatch) {
            match.index = index;
        }
        int weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(found, FC_WEIGHT, 0, &weight) == FcResultMatch) {
            match.bold = weight >= FC_WEIGHT_DEMIBOLD;
        }
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return match;
}

// Characters 0x80 to 0x9F of the Windows ANSI code page; the rest of it is Latin-1.
const std::uint16_t ansiHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The letters of the Symbol face's encoding: Greek in the places of the Latin letters.
const std::uint16_t symbolUpper[26] = {
    0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399, 0x3D1, 0x39A, 0x39B, 0x39C,
    0x39D, 0x39F, 0x3A0, 0x398, 0x3A1, 0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
const std::uint16_t symbolLower[26] = {
    0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9, 0x3D5, 0x3BA, 0x3BB, 0x3BC,
    0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1, 0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};

} // namespace

std::string fontconfigFamily(const char* faceName, BYTE pitchAndFamily) {
    if (!faceName || !*faceName) {
        switch (pitchAndFamily & 0xF0) {
        case FF_ROMAN:
            return "serif";
        case FF_MODERN:
            return "monospace";
        default:
            return "Arial";
        }
    }
    // Faces that ship with Windows but have no metric-compatible free counterpart that
    // fontconfig knows by their name.
    if (sameName(faceName, "Small Fonts") || sameName(faceName, "MS Sans Serif") ||
        sameName(faceName, "MS Shell Dlg") || sameName(faceName, "MS Shell Dlg 2") ||
        sameName(faceName, "Tahoma") || sameName(faceName, "Verdana") ||
        sameName(faceName, "System")) {
        return "Liberation Sans";
    }
    if (sameName(faceName, "Symbol")) {
        return "DejaVu Sans";
    }
    return faceName;
}

struct FontFace::Impl {
    FT_Face face = nullptr;
};

std::shared_ptr<FontFace> FontFace::forRequest(const LOGFONTA& request) {
    char name[LF_FACESIZE + 1] = {};
    std::memcpy(name, request.lfFaceName, LF_FACESIZE);
    const bool bold = request.lfWeight >= FW_SEMIBOLD;
    const bool italic = request.lfItalic != 0;
    const bool symbol = sameName(name, "Symbol") || request.lfCharSet == SYMBOL_CHARSET;
    const std::string family = fontconfigFamily(name, request.lfPitchAndFamily);

    static std::map<std::tuple<std::string, bool, bool>, Match> matches;
    auto key = std::make_tuple(family, bold, italic);
    auto found = matches.find(key);
    if (found == matches.end()) {
        found = matches.emplace(key, matchFace(family, bold, italic)).first;
    }
    const Match& match = found->second;

    // A positive height asks for the cell height (ascent plus descent), a negative one for the
    // character height, which is the em size.
    int ppem = 16;
    if (request.lfHeight < 0) {
        ppem = -request.lfHeight;
    } else if (request.lfHeight > 0) {
        ppem = request.lfHeight;
        FT_Face probe = nullptr;
        if (library() && !match.path.empty() &&
            FT_New_Face(library(), match.path.c_str(), match.index, &probe) == 0) {
            auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(probe, FT_SFNT_OS2));
            const int cell = os2 && os2->usWinAscent + os2->usWinDescent > 0
                                 ? os2->usWinAscent + os2->usWinDescent
                                 : probe->ascender - probe->descender;
            if (cell > 0) {
                ppem = std::max(1, (request.lfHeight * probe->units_per_EM + cell / 2) / cell);
            }
            FT_Done_Face(probe);
        }
    }
    ppem = std::clamp(ppem, 1, 1000);

    static std::map<std::tuple<std::string, int, int, bool, bool, bool>, std::shared_ptr<FontFace>>
        faces;
    auto faceKey = std::make_tuple(match.path, match.index, ppem, bold, italic, symbol);
    auto& face = faces[faceKey];
    if (!face) {
        face = std::make_shared<FontFace>(match.path, match.index, ppem, bold && !match.bold,
                                          italic, symbol);
        face->bold_ = bold;
    }
    return face;
}

FontFace::FontFace(const std::string& path, int index, int pixelsPerEm, bool emboldened,
                   bool /*italic*/, bool symbolMapping)
    : impl_(std::make_unique<Impl>()), path_(path), pixelsPerEm_(pixelsPerEm), bold_(emboldened),
      syntheticBold_(emboldened), symbolMapping_(symbolMapping) {
    if (!library() || path.empty() ||
        FT_New_Face(library(), path.c_str(), index, &impl_->face) != 0) {
        impl_->face = nullptr;
        ascent_ = pixelsPerEm * 4 / 5;
        descent_ = pixelsPerEm - ascent_;
        return;
    }
    FT_Face face = impl_->face;
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelsPerEm));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const int upem = face->units_per_EM ? face->units_per_EM : 2048;
    const int asc = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    const int desc = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
    ascent_ = (asc * pixelsPerEm + upem / 2) / upem;
    descent_ = (desc * pixelsPerEm + upem / 2) / upem;
    if (os2 && os2->xAvgCharWidth > 0) {
        averageWidth_ = (os2->xAvgCharWidth * pixelsPerEm + upem / 2) / upem;
    } else {
        averageWidth_ = pixelsPerEm / 2;
    }
    maximumWidth_ = int((face->max_advance_width * pixelsPerEm + upem / 2) / upem);
}

FontFace::~FontFace() {
    if (impl_->face) {
        FT_Done_Face(impl_->face);
    }
}

std::uint32_t FontFace::codePoint(unsigned char character) const {
    if (symbolMapping_) {
        if (character >= 'A' && character <= 'Z') {
            return symbolUpper[character - 'A'];
        }
        if (character >= 'a' && character <= 'z') {
            return symbolLower[character - 'a'];
        }
    }
    if (character >= 0x80 && character < 0xA0) {
        return ansiHigh[character - 0x80];
    }
    return character;
}

const Glyph& FontFace::glyph(unsigned char character) {
    auto& slot = glyphs_[character];
    if (slot) {
        return *slot;
    }
    slot = std::make_unique<Glyph>();
    FT_Face face = impl_->face;
    if (!face) {
        slot->advance = pixelsPerEm_ / 2;
        return *slot;
    }
    const FT_UInt index = FT_Get_Char_Index(face, codePoint(character));
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) {
        return *slot;
    }
    if (syntheticBold_) {
        FT_GlyphSlot_Embolden(face->glyph);
    }
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) {
        return *slot;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    slot->left = face->glyph->bitmap_left;
    slot->top = face->glyph->bitmap_top;
    slot->width = int(bitmap.width);
    slot->height = int(bitmap.rows);
    slot->advance = int((face->glyph->linearHoriAdvance + 0x8000) >> 16);
    slot->coverage.resize(std::size_t(slot->width) * std::size_t(slot->height));
    for (int y = 0; y < slot->height; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < slot->width; ++x) {
            slot->coverage[std::size_t(y) * slot->width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        }
    }
    return *slot;
}

} // namespace platform::raster
