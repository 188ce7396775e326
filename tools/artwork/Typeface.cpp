#include "tools/artwork/Typeface.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace artwork {

struct Typeface::Library {
    FT_Library handle = nullptr;
    ~Library() {
        if (handle != nullptr) {
            FT_Done_FreeType(handle);
        }
    }
};

static FT_Face asFace(void* face) {
    return static_cast<FT_Face>(face);
}

// Code points of a UTF-8 text; malformed bytes are taken as Latin-1, which our own texts
// never contain.
static std::vector<char32_t> decode(std::string_view text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = lead;
        if (lead >= 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else if (lead >= 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if (lead >= 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        }
        if (extra > 0 && i + extra >= text.size()) {
            out.push_back(lead);
            ++i;
            continue;
        }
        for (int k = 1; k <= extra; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

// Lists, without substitution, the files of exactly this family and style and takes the first
// in path order: where two packages carry the same family (say, two generations of it), the
// choice does not depend on the order fontconfig happened to scan them.
static std::string findFile(const std::string& family, const std::string& style) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(style.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::vector<std::string> files;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* value = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &value) == FcResultMatch) {
            files.emplace_back(reinterpret_cast<const char*>(value));
        }
    }
    if (fonts != nullptr) {
        FcFontSetDestroy(fonts);
    }
    std::sort(files.begin(), files.end());
    return files.empty() ? std::string() : files.front();
}

std::unique_ptr<Typeface> Typeface::open(const std::string& family, const std::string& style) {
    if (FcInit() == FcFalse) {
        return nullptr;
    }
    const std::string file = findFile(family, style);
    if (file.empty()) {
        std::fprintf(stderr, "artwork: font \"%s\" %s is not installed\n", family.c_str(),
                     style.c_str());
        return nullptr;
    }
    std::shared_ptr<Library> library = sharedLibrary();
    if (!library) {
        return nullptr;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library->handle, file.c_str(), 0, &face) != 0) {
        return nullptr;
    }
    return std::unique_ptr<Typeface>(new Typeface(library, face, file));
}

std::shared_ptr<Typeface::Library> Typeface::sharedLibrary() {
    static std::weak_ptr<Library> current;
    std::shared_ptr<Typeface::Library> library = current.lock();
    if (!library) {
        library = std::make_shared<Typeface::Library>();
        if (FT_Init_FreeType(&library->handle) != 0) {
            return nullptr;
        }
        current = library;
    }
    return library;
}

Typeface::Typeface(std::shared_ptr<Library> library, void* face, std::string file)
    : library_(std::move(library)), face_(face), file_(std::move(file)) {}

Typeface::~Typeface() {
    FT_Done_Face(asFace(face_));
}

bool Typeface::setSize(double size) {
    return FT_Set_Char_Size(asFace(face_), 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72,
                            72) == 0;
}

// Light hinting snaps stems to rows only, so letters can sit at fractional columns and the
// spacing stays that of the design.
static constexpr FT_Int32 loadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;

template <typename Glyph>
static double layout(FT_Face face, std::string_view text, const TextStyle& style, Glyph glyph) {
    double pen = 0;
    FT_UInt previous = 0;
    const std::vector<char32_t> codes = decode(text);
    for (size_t i = 0; i < codes.size(); ++i) {
        const FT_UInt index = FT_Get_Char_Index(face, codes[i]);
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern) == 0) {
                pen += static_cast<double>(kern.x) / 64.0;
            }
        }
        if (FT_Load_Glyph(face, index, loadFlags) != 0) {
            continue;
        }
        glyph(pen);
        pen += static_cast<double>(face->glyph->linearHoriAdvance) / 65536.0;
        if (i + 1 < codes.size()) {
            pen += style.tracking;
        }
        previous = index;
    }
    return pen;
}

double Typeface::width(std::string_view text, const TextStyle& style) {
    if (!setSize(style.size)) {
        return 0;
    }
    return layout(asFace(face_), text, style, [](double) {});
}

double Typeface::capHeight(double size) {
    if (!setSize(size)) {
        return 0;
    }
    FT_Face face = asFace(face_);
    if (FT_Load_Char(face, 'H', FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) {
        return size * 0.7;
    }
    return static_cast<double>(face->glyph->metrics.horiBearingY) / 64.0;
}

double Typeface::ascent(double size) {
    FT_Face face = asFace(face_);
    return size * face->ascender / face->units_per_EM;
}

double Typeface::descent(double size) {
    FT_Face face = asFace(face_);
    return -size * face->descender / face->units_per_EM;
}

void Typeface::draw(Canvas& canvas, std::string_view text, const TextStyle& style, double x,
                    int baseline, Rgb colour, double opacity) {
    double start = x;
    if (style.align != Align::left) {
        const double w = width(text, style);
        start -= style.align == Align::centre ? w / 2 : w;
    }
    if (!setSize(style.size)) {
        return;
    }
    FT_Face face = asFace(face_);
    layout(face, text, style, [&](double pen) {
        FT_GlyphSlot slot = face->glyph;
        const double position = start + pen;
        const double column = std::floor(position);
        const auto shift = static_cast<FT_Pos>(std::lround((position - column) * 64));
        FT_Outline_Translate(&slot->outline, shift, 0);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
            return;
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = static_cast<int>(column) + slot->bitmap_left;
        const int top = baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const double cover = line[col] / 255.0;
                canvas.blend(left + static_cast<int>(col), top + static_cast<int>(row), colour,
                             opacity * cover);
            }
        }
    });
}

} // namespace artwork
