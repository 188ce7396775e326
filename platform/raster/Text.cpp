#include "platform/raster/Text.h"
#include "platform/api/User.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace platform::raster {

FontFace& faceOf(DeviceContext& dc) {
    Font* font = dc.font ? dc.font : static_cast<Font*>(stockObject(SYSTEM_FONT));
    if (!font->face) {
        font->face = FontFace::forRequest(font->logical);
    }
    return *font->face;
}

SIZE measureText(FontFace& face, const char* text, int length) {
    SIZE size{0, face.height()};
    for (int i = 0; i < length; ++i) {
        size.cx += face.advance(static_cast<unsigned char>(text[i]));
    }
    return size;
}

void drawTextRun(DeviceContext& dc, int x, int y, const char* text, int length, const RECT* clip,
                 int underlineIndex) {
    Canvas canvas(dc);
    if (!canvas.valid()) {
        return;
    }
    FontFace& face = faceOf(dc);
    RECT area = canvas.area();
    if (clip) {
        area.left = std::max(area.left, clip->left);
        area.top = std::max(area.top, clip->top);
        area.right = std::min(area.right, clip->right);
        area.bottom = std::min(area.bottom, clip->bottom);
    }
    if (area.left >= area.right || area.top >= area.bottom) {
        return;
    }
    auto put = [&](int px, int py, std::uint32_t value) {
        if (px >= area.left && px < area.right && py >= area.top && py < area.bottom) {
            canvas.plot(px, py, value);
        }
    };
    const SIZE size = measureText(face, text, length);
    if (dc.bkMode == OPAQUE) {
        const std::uint32_t back = canvas.value(dc.bkColor);
        for (int row = std::max(y, int(area.top));
             row < std::min(y + int(size.cy), int(area.bottom)); ++row) {
            canvas.span(std::max(x, int(area.left)), std::min(x + int(size.cx), int(area.right)),
                        row, back);
        }
    }
    const std::uint32_t ink = canvas.value(dc.textColor);
    const int baseline = y + face.ascent();
    int penX = x;
    for (int i = 0; i < length; ++i) {
        const Glyph& glyph = face.glyph(static_cast<unsigned char>(text[i]));
        const int gx = penX + glyph.left, gy = baseline - glyph.top;
        for (int row = 0; row < glyph.height; ++row) {
            const std::uint8_t* cover = glyph.coverage.data() + std::size_t(row) * glyph.width;
            for (int col = 0; col < glyph.width; ++col) {
                if (cover[col]) {
                    put(gx + col, gy + row, ink);
                }
            }
        }
        if (i == underlineIndex) {
            for (int col = 0; col < glyph.advance; ++col) {
                put(penX + col, baseline + 1, ink);
            }
        }
        penX += glyph.advance;
    }
}

namespace {

// Removes the mnemonic prefixes: "&&" stands for "&", "&x" for an underlined x.
std::string stripPrefixes(const char* text, int length, int& underline) {
    std::string out;
    underline = -1;
    for (int i = 0; i < length; ++i) {
        if (text[i] == '&' && i + 1 < length) {
            ++i;
            if (text[i] != '&') {
                underline = int(out.size());
            }
        } else if (text[i] == '&') {
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

int drawText(DeviceContext& dc, const char* text, int length, RECT* rect, UINT format) {
    if (!text || !rect) {
        return 0;
    }
    if (length < 0) {
        length = int(std::strlen(text));
    }
    FontFace& face = faceOf(dc);

    // Lines: one when single-line, else the text split at line breaks (no word wrapping).
    std::vector<std::string> lines;
    std::vector<int> underlines;
    auto addLine = [&](const char* start, int count) {
        int underline = -1;
        std::string line = (format & DT_NOPREFIX) ? std::string(start, std::size_t(count))
                                                  : stripPrefixes(start, count, underline);
        lines.push_back(std::move(line));
        underlines.push_back(underline);
    };
    if (format & DT_SINGLELINE) {
        addLine(text, length);
    } else {
        int start = 0;
        for (int i = 0; i <= length; ++i) {
            if (i == length || text[i] == '\n') {
                int end = i;
                if (end > start && text[end - 1] == '\r') {
                    --end;
                }
                addLine(text + start, end - start);
                start = i + 1;
            }
        }
    }

    const int lineHeight = face.height();
    const int totalHeight = lineHeight * int(lines.size());
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            y = rect->top + (rect->bottom - rect->top) / 2 - lineHeight / 2;
        } else if (format & DT_BOTTOM) {
            y = rect->bottom - lineHeight;
        }
    }

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const std::string& line : lines) {
            widest = std::max(widest, int(measureText(face, line.data(), int(line.size())).cx));
        }
        rect->right = rect->left + widest;
        rect->bottom = rect->top + totalHeight;
        return totalHeight;
    }

    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const SIZE size = measureText(face, line.data(), int(line.size()));
        int x = rect->left;
        if (format & DT_CENTER) {
            x = (rect->left + rect->right - size.cx) / 2;
        } else if (format & DT_RIGHT) {
            x = rect->right - size.cx;
        }
        drawTextRun(dc, x, y, line.data(), int(line.size()), clip, underlines[i]);
        y += lineHeight;
    }
    if (format & (DT_VCENTER | DT_BOTTOM)) {
        return y - rect->top;
    }
    return totalHeight;
}

} // namespace platform::raster
