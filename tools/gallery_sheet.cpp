// The gallery's shared sheet code: captions, sprite layout and the PNG writer.
#include "gallery_sheet.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

#include "engine/graphics.h"
#include "platform/graphics.h"

bool WritePng(const std::string& path, const Sheet& sheet) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, sheet.width, sheet.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < sheet.height; y++) {
        png_write_row(png, &sheet.rgb[static_cast<size_t>(y) * sheet.width * 3]);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

int WriteSheet(const std::string& out, const std::string& name, const Sheet& sheet) {
    std::string png = out + "/" + name + ".png";
    if (!WritePng(png, sheet)) {
        std::fprintf(stderr, "%s: cannot write\n", png.c_str());
        return 1;
    }
    std::printf("%s\n", png.c_str());
    return 0;
}

namespace {

constexpr int kLabelScale = 2;

// Digits 0-9 and a few letters as 3x5 bitmaps, for slot numbers and captions.
const char* Glyph(char ch) {
    switch (ch) {
        case '0':
            return "111101101101111";
        case '1':
            return "010110010010111";
        case '2':
            return "111001111100111";
        case '3':
            return "111001111001111";
        case '4':
            return "101101111001001";
        case '5':
            return "111100111001111";
        case '6':
            return "111100111101111";
        case '7':
            return "111001010010010";
        case '8':
            return "111101111101111";
        case '9':
            return "111101111001111";
        case 'x':
            return "000101010101000";
        default:
            return "000000000000000";
    }
}

}  // namespace

void Label(Sheet& sheet, int x, int y, const std::string& text) {
    for (char ch : text) {
        const char* g = Glyph(ch);
        for (int r = 0; r < 5; r++) {
            for (int c = 0; c < 3; c++) {
                if (g[r * 3 + c] == '1') {
                    for (int dy = 0; dy < kLabelScale; dy++) {
                        for (int dx = 0; dx < kLabelScale; dx++) {
                            sheet.Put(x + c * kLabelScale + dx, y + r * kLabelScale + dy, 240, 230,
                                      200);
                        }
                    }
                }
            }
        }
        x += 4 * kLabelScale;
    }
}

void Blit(Sheet& sheet, const Bank& bank, const Sprite& s, int x, int y, int zoom) {
    for (int j = 0; j < s.height * zoom; j++) {
        for (int i = 0; i < s.width * zoom; i++) {
            uint8_t p = s.pixels[static_cast<size_t>(j / zoom) * s.width + i / zoom];
            if (p == 0) {
                uint8_t v = ((i / 6 + j / 6) & 1) ? 96 : 72;
                sheet.Put(x + i, y + j, v, v, v);
            } else {
                sheet.Put(x + i, y + j, bank.palette[p][0], bank.palette[p][1], bank.palette[p][2]);
            }
        }
    }
}

Sheet BankSheet(const Bank& bank) {
    constexpr int kWidth = 1280, kGap = 12, kCaption = 14;
    int x = kGap, y = kGap, rowHeight = 0;
    int zoom = 2;
    for (const Sprite& s : bank.sprites) {
        if (s.width > 300 || s.height > 200) {
            zoom = 1;
        }
    }
    std::vector<std::pair<int, int>> places;
    for (const Sprite& s : bank.sprites) {
        int w = std::max(s.width * zoom, 60);
        if (x + w + kGap > kWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kGap + kCaption;
            rowHeight = 0;
        }
        places.emplace_back(x, y);
        x += w + kGap;
        rowHeight = std::max(rowHeight, s.height * zoom);
    }
    Sheet sheet{kWidth, y + rowHeight + kGap + kCaption, {}};
    sheet.rgb.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 40);
    for (size_t i = 0; i < bank.sprites.size(); i++) {
        const Sprite& s = bank.sprites[i];
        auto [px, py] = places[i];
        Label(sheet, px, py,
              std::to_string(s.slot) + " " + std::to_string(s.width) + "x" +
                  std::to_string(s.height));
        Blit(sheet, bank, s, px, py + kCaption, zoom);
    }
    return sheet;
}

Bank TakeSlots(int start, int count) {
    Bank bank;
    for (int i = 0; i < 256; i++) {
        bank.palette[i][0] = gamePalette[i].red;
        bank.palette[i][1] = gamePalette[i].green;
        bank.palette[i][2] = gamePalette[i].blue;
    }
    for (int slot = start; slot < start + count; slot++) {
        const GraphicSlot& g = Graphic[slot];
        if (g.data == nullptr) {
            continue;
        }
        bank.sprites.push_back({slot, g.width, g.height, g.xoff, g.yoff,
                                std::vector<uint8_t>(g.data, g.data + g.width * g.height)});
    }
    return bank;
}

Sheet PageSheet(const GDL_Surface* page) {
    Sheet sheet{640, 480, {}};
    sheet.rgb.resize(640 * 480 * 3);
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            uint8_t p = page->pixels[y * page->bytesPerLine + x];
            sheet.Put(x, y, backgroundPalette[p * 3], backgroundPalette[p * 3 + 1],
                      backgroundPalette[p * 3 + 2]);
        }
    }
    return sheet;
}
