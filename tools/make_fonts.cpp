// fonts.dat: font 0 for the interface (a 24-row cell that fits the 24-pixel
// text field, 22-pixel dialog lines and 26-pixel roster rows), font 1 for the
// credits' names and font 2 for their headings, both 22 rows to match the
// credits' line spacing. Glyphs are cream or gold with a dark outline, so they
// read on light parchment and on the dark money boxes alike.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "canvas.h"
#include "fontsdat.h"

namespace {

struct Style {
    const char* file;
    int pixelSize;
    int height;    // rows of the cell
    int baseline;  // row of the baseline within the cell
    const std::array<uint8_t, kTextRampSteps>* ramp;
};

// Coverage of one glyph in a cell-high buffer, pen at column `pad`.
struct Glyph {
    int width = 0;  // columns used, from the pen position
    int advance = 0;
    std::vector<double> cover;  // width * height
};

Glyph Render(FT_Face face, const Style& style, int ch) {
    Glyph g;
    if (ch < 32 || ch > 126) {
        return g;  // control characters and DEL draw nothing and do not move
    }
    if (FT_Load_Char(face, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        std::fprintf(stderr, "no glyph for %d\n", ch);
        std::exit(1);
    }
    FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    // One column of outline on the left; a bearing below zero is clamped.
    int left = std::max(slot->bitmap_left, 0) + 1;
    int top = style.baseline - slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6) + 1;
    g.width = std::max(left + static_cast<int>(bm.width) + 2, ch == ' ' ? 0 : 1);
    if (bm.width == 0) {
        g.width = 0;
        return g;
    }
    g.cover.assign(static_cast<size_t>(g.width) * style.height, 0.0);
    for (unsigned r = 0; r < bm.rows; r++) {
        int y = top + static_cast<int>(r);
        if (y < 0 || y >= style.height) {
            continue;
        }
        for (unsigned c = 0; c < bm.width; c++) {
            g.cover[static_cast<size_t>(y) * g.width + left + c] =
                bm.buffer[r * bm.pitch + c] / 255.0;
        }
    }
    return g;
}

// The face where the glyph covers the pixel, the outline (one pixel round it,
// two towards the lower right for a drop shadow) where it does not.
std::vector<uint8_t> Colourise(const Glyph& g, int height) {
    std::vector<uint8_t> out(g.cover.size(), 0);
    auto cover = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= g.width || y >= height) {
            return 0.0;
        }
        return g.cover[static_cast<size_t>(y) * g.width + x];
    };
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < g.width; x++) {
            double face = cover(x, y);
            double ring = 0;
            for (int dy = -1; dy <= 2; dy++) {
                for (int dx = -1; dx <= 2; dx++) {
                    bool shadow = dx == 2 || dy == 2;
                    if (shadow && (dx < 1 || dy < 1)) {
                        continue;
                    }
                    ring = std::max(ring, cover(x - dx, y - dy));
                }
            }
            if (std::max(face, ring) < 0.3) {
                continue;
            }
            int level = 1 + static_cast<int>(std::lround(std::clamp(face * 1.15, 0.0, 1.0) * 14));
            out[static_cast<size_t>(y) * g.width + x] = static_cast<uint8_t>(level);
        }
    }
    return out;
}

FontData MakeFont(FT_Library library, const Style& style) {
    FT_Face face;
    std::string path = std::string(kFontDir) + style.file;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(1);
    }
    FT_Set_Pixel_Sizes(face, 0, style.pixelSize);
    std::vector<Glyph> glyphs;
    int total = 0;
    for (int ch = 0; ch < 128; ch++) {
        glyphs.push_back(Render(face, style, ch));
        total += glyphs.back().width;
    }
    FT_Done_Face(face);
    FontData font;
    font.height = style.height;
    font.rowPixels = (total + 15) / 16 * 16;
    font.pixels.assign(static_cast<size_t>(font.rowPixels) * font.height, 0);
    const Palette& palette = MasterPalette();
    for (int k = 0; k < kTextRampSteps; k++) {
        font.colours[k + 1] = palette[(*style.ramp)[k]];
    }
    int column = 0;
    for (int ch = 0; ch < 128; ch++) {
        const Glyph& g = glyphs[ch];
        font.offsets[ch] = static_cast<uint16_t>(column);
        font.advances[ch] = static_cast<uint16_t>(g.advance);
        std::vector<uint8_t> colours = Colourise(g, style.height);
        for (int y = 0; y < style.height; y++) {
            for (int x = 0; x < g.width; x++) {
                font.pixels[static_cast<size_t>(y) * font.rowPixels + column + x] =
                    colours[static_cast<size_t>(y) * g.width + x];
            }
        }
        column += g.width;
    }
    font.offsets[128] = static_cast<uint16_t>(column);
    return font;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "FreeType will not start\n");
        return 1;
    }
    const Style interface = {"DejaVuSans-Bold.ttf", 15, 24, 18, &CreamTextRamp()};
    const Style names = {"DejaVuSerif-Bold.ttf", 16, 22, 16, &CreamTextRamp()};
    // Headings are centred on a strip measured in the names' font, so no
    // heading character may be wider than the same character there.
    FontData nameFont = MakeFont(library, names);
    FontData headingFont;
    for (int size = 17; size >= 10; size--) {
        headingFont =
            MakeFont(library, {"DejaVuSansCondensed-Bold.ttf", size, 22, 16, &GoldTextRamp()});
        bool narrower = true;
        for (int ch = 32; ch < 127; ch++) {
            narrower = narrower && headingFont.advances[ch] <= nameFont.advances[ch];
        }
        if (narrower) {
            break;
        }
    }
    std::vector<FontData> fonts = {MakeFont(library, interface), nameFont, headingFont};
    FT_Done_FreeType(library);
    return WriteFontsDat(OutPath(argv[1], "fonts.dat"), fonts) ? 0 : 1;
}
