#include "engine/fonts.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "engine/builtin_font.h"
#include "engine/config.h"
#include "engine/files.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"

namespace {

constexpr uint32_t kFontSignature = 0x14643;
constexpr int32_t kFileHeaderSkip = 514;  // after the count, not read
constexpr uint32_t kRecordHeader = 618;   // record bytes before the bitmap

std::array<ColorFont*, kFontSlots> fontTable = {};
int16_t fontCount = 0;
int textColor = 3;

uint16_t Get16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

uint32_t Get32(const uint8_t* in) {
    return static_cast<uint32_t>(Get16(in)) | static_cast<uint32_t>(Get16(in + 2)) << 16;
}

// Reads one font record's bitmap-less part after its signature into `font`.
// Returns false (with its log line) when the record cannot be a font.
bool ReadFontHeader(FileHandle file, const char* path, ColorFont* font) {
    // The whole record header; its signature was read and checked already.
    uint8_t record[kRecordHeader] = {};
    if (FileRead(file, record + 4, kRecordHeader - 4) != kRecordHeader - 4) {
        LogPrintf("ERROR: LoadFonts: %s is cut short", path);
        return false;
    }
    const uint16_t bytesPerRow = Get16(record + 24);
    font->height = Get16(record + 26);
    font->byte37 = record[37];
    for (int ch = 0; ch < kFontChars; ++ch) {
        font->offsets[ch] = Get16(record + 38 + 2 * ch);
        font->advances[ch] = Get16(record + 296 + 2 * ch);
    }
    for (int j = 0; j < 16; ++j) {
        std::memcpy(font->colours[j], record + 554 + 4 * j, 3);
    }
    std::memset(font->colours[0], 0, 3);

    // The unpacked rows are 2B pixels apart only when B is a multiple of 8.
    if (bytesPerRow % 8 != 0 || font->height == 0) {
        LogPrintf("ERROR: LoadFonts: %s has a font of %d bytes by %d rows", path, bytesPerRow,
                  font->height);
        return false;
    }
    font->rowPixels = static_cast<uint16_t>(2 * bytesPerRow);
    for (int ch = 0; ch < kFontChars - 1; ++ch) {
        if (font->offsets[ch] > font->offsets[ch + 1]) {
            LogPrintf("ERROR: LoadFonts: %s: glyph offsets go back at character %d", path, ch);
            return false;
        }
    }
    if (font->offsets[kFontChars - 1] > font->rowPixels) {
        LogPrintf("ERROR: LoadFonts: %s: glyphs reach beyond the bitmap", path);
        return false;
    }
    return true;
}

// Reads and unpacks the 4-bit bitmap that follows the header.
bool ReadFontBitmap(FileHandle file, const char* path, ColorFont* font) {
    const uint32_t packedBytes = static_cast<uint32_t>(font->rowPixels / 2) * font->height;
    const uint32_t position = FileSeek(file, 0, 1);
    if (position > FileSize(file) || FileSize(file) - position < packedBytes) {
        LogPrintf("ERROR: LoadFonts: %s is cut short", path);
        return false;
    }
    auto* packed = static_cast<uint8_t*>(GDL_malloc(packedBytes));
    font->bitmap = static_cast<uint8_t*>(GDL_malloc(2u * packedBytes));
    if ((packed == nullptr && packedBytes > 0) || (font->bitmap == nullptr && packedBytes > 0)) {
        LogPrintf("ERROR: font buffer = NULL");
        GDL_free(packed);
        return false;
    }
    bool complete = FileRead(file, packed, packedBytes) == packedBytes;
    if (!complete) {
        LogPrintf("ERROR: LoadFonts: %s is cut short", path);
    } else {
        for (uint32_t i = 0; i < packedBytes; ++i) {
            font->bitmap[2 * i] = packed[i] >> 4;
            font->bitmap[2 * i + 1] = packed[i] & 0x0F;
        }
    }
    GDL_free(packed);
    return complete;
}

// Draws a cell of width x height pixels with its top-left at (x, y), clipped to
// the surface; pixel(col, row) gives each one's colour, or -1 to leave it.
template <typename Pixel>
void DrawClipped(GDL_Surface* surface, int x, int y, int width, int height, Pixel pixel) {
    if (surface == nullptr || surface->pixels == nullptr) {
        return;
    }
    const int left = std::max(0, -x);
    const int top = std::max(0, -y);
    const int right = std::min(width, surface->maxX + 1 - x);
    const int bottom = std::min(height, surface->maxY + 1 - y);
    for (int r = top; r < bottom; ++r) {
        uint8_t* row = surface->pixels + static_cast<ptrdiff_t>(y + r) * surface->bytesPerLine + x;
        for (int c = left; c < right; ++c) {
            const int value = pixel(c, r);
            if (value >= 0) {
                row[c] = static_cast<uint8_t>(value);
            }
        }
    }
}

}  // namespace

uint32_t LoadFonts(const char* name) {
    char path[4352];
    std::snprintf(path, sizeof path, "%s%s", dataDir.c_str(), name);
    FileHandle file = FileOpen(path);
    if (file == INVALID_FILE) {
        LogPrintf("ERROR: Unable to load font file: %s", path);
        return 0;
    }
    uint8_t countBytes[2] = {};
    if (FileRead(file, countBytes, 2) != 2) {
        LogPrintf("ERROR: LoadFonts: %s is cut short", path);
        FileClose(file);
        return 0;
    }
    fontCount = static_cast<int16_t>(Get16(countBytes));
    if (fontCount < 0 || fontCount > kFontSlots) {
        LogPrintf("ERROR: LoadFonts: %s holds %d fonts", path, fontCount);
        FileClose(file);
        return 0;
    }
    FileSeek(file, kFileHeaderSkip, 1);

    for (int i = 0; i < fontCount; ++i) {
        uint8_t signature[4] = {};
        if (FileRead(file, signature, 4) != 4) {
            LogPrintf("ERROR: LoadFonts: %s is cut short", path);
            FileClose(file);
            return 0;
        }
        if (Get32(signature) != kFontSignature) {
            LogPrintf("ERROR: LoadFonts: signature wrong: %x", Get32(signature));
            FileClose(file);
            return 0;
        }
        FreeFont(i);
        auto* font = static_cast<ColorFont*>(GDL_malloc(sizeof(ColorFont)));
        if (font == nullptr) {
            LogPrintf("ERROR! Out of memory! Unable to allocate color font");
            FileClose(file);
            return 0;
        }
        std::memset(font, 0, sizeof *font);
        fontTable[i] = font;
        if (!ReadFontHeader(file, path, font) || !ReadFontBitmap(file, path, font)) {
            FreeFont(i);  // a half-read font is never left to draw with
            FileClose(file);
            return 0;
        }
        for (int ch = 0; ch < kFontChars - 1; ++ch) {
            font->widths[ch] = static_cast<uint16_t>(font->offsets[ch + 1] - font->offsets[ch]);
        }
    }
    FileClose(file);
    RemapFonts();
    return 1;
}

void RemapFonts() {
    for (int f = 0; f < kRemappedFonts; ++f) {
        ColorFont* font = fontTable[f];
        if (font == nullptr) {
            continue;
        }
        uint8_t map[16] = {};
        for (int j = 1; j < 16; ++j) {
            map[j] = FindColor(backgroundPalette.data(), font->colours[j][2], font->colours[j][1],
                               font->colours[j][0]);
        }
        const size_t pixels = static_cast<size_t>(font->rowPixels) * font->height;
        for (size_t p = 0; p < pixels; ++p) {
            font->bitmap[p] = map[font->bitmap[p] & 0x0F];
        }
    }
}

uint8_t FindColor(const uint8_t* palette, int red, int green, int blue) {
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    auto scan = [palette](int r, int g, int b, int t) -> int {
        for (int i = 1; i < 256; ++i) {
            const uint8_t* e = palette + 3 * i;
            if (std::abs(e[0] - r) <= t && std::abs(e[1] - g) <= t && std::abs(e[2] - b) <= t) {
                return i;
            }
        }
        return 0;
    };
    for (int t = 0; t < 64; ++t) {
        int found = scan(clamp(red + t), clamp(green + t), clamp(blue + t), t);
        if (found == 0) {
            found = scan(clamp(red - t), clamp(green - t), clamp(blue - t), t);
        }
        if (found != 0) {
            return static_cast<uint8_t>(found);
        }
    }
    return 255;
}

void DrawFontText(int font, int x, int y, const char* text) {
    if (text == nullptr) {
        return;
    }
    if (font > kMaxDrawFont || font < 0) {
        LogPrintf("ERROR font = %d", font);
        return;
    }
    const ColorFont* f = fontTable[font];
    if (f == nullptr) {
        return;
    }
    int pen = x;
    for (const char* c = text; *c != '\0'; ++c) {
        const int ch = static_cast<unsigned char>(*c);
        if (ch > 127) {
            continue;
        }
        const uint8_t* glyph = f->bitmap + f->offsets[ch];
        DrawClipped(textTarget, pen, y, f->widths[ch], f->height, [glyph, f](int col, int row) {
            const uint8_t value = glyph[row * f->rowPixels + col];
            return value != 0 ? value : -1;  // 0 is transparent
        });
        pen += f->advances[ch];
    }
}

void DrawFontTextf(int font, int x, int y, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    DrawFontText(font, x, y, text);
}

int32_t FontTextWidth(int font, const char* text) {
    const ColorFont* f = GetFont(font);
    if (f == nullptr || text == nullptr) {
        return 0;
    }
    int32_t width = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const int ch = static_cast<unsigned char>(*c);
        if (ch <= 127) {
            width += f->advances[ch];
        }
    }
    return width;
}

const ColorFont* GetFont(int font) {
    return font >= 0 && font < kFontSlots ? fontTable[font] : nullptr;
}

void FreeFont(int font) {
    if (font < 0 || font >= kFontSlots || fontTable[font] == nullptr) {
        return;
    }
    GDL_free(fontTable[font]->bitmap);
    GDL_free(fontTable[font]);
    fontTable[font] = nullptr;
}

void FreeFonts() {
    // Every slot, whatever count the file claimed.
    for (int f = 0; f < kFontSlots; ++f) {
        FreeFont(f);
    }
}

void SelectTextFont(int) {}

void SetTextColor(int colour) {
    textColor = colour;
}

void DrawText(int x, int y, const char* text, GDL_Surface* surface) {
    if (text == nullptr) {
        return;
    }
    int pen = x;
    for (const char* c = text; *c != '\0'; ++c) {
        const int ch = static_cast<unsigned char>(*c);
        if (ch < kBuiltinFirstChar || ch > 127) {
            continue;  // the built-in font has nothing to draw there
        }
        const uint8_t* rows = kBuiltinGlyphs[ch - kBuiltinFirstChar];
        const int width = BuiltinCharWidth(ch);
        const int colour = textColor;
        DrawClipped(surface, pen, y, width, kBuiltinHeight, [rows, colour](int col, int row) {
            return (rows[row] & (0x80 >> col)) != 0 ? colour : -1;
        });
        pen += width;
    }
}

void StatusPrintf(const char* format, ...) {
    if (debugLog == 0) {
        return;
    }
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    GDL_Surface* previous = GDL_makeCurrent(displaySurface);
    GDL_setColor(254);
    GDL_fillRect(0, 0, 640, 20);
    GDL_makeCurrent(previous);
    DrawText(10, 0, text, displaySurface);
}

void ResetFonts() {
    FreeFonts();
    fontCount = 0;
    textColor = 3;
}
