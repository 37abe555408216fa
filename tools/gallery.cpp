// reedgunner-gallery OUTDIR [FILE ...]: renders the game's picture and font
// files into PNG contact sheets, one per bank, background and font, so that
// anyone can look at them. With no files it renders every .256 file and fonts.dat of the data
// directory. Everything goes through the game's own loaders on the headless display: banks through
// LoadGraphics, backgrounds through LoadBackground, fonts through LoadFonts and DrawFontText.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/config.h"
#include "engine/fonts.h"
#include "engine/graphics.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "sound_page.h"
#include "sys/backend.h"

namespace {

struct Sprite {
    int slot;
    int width, height, xoff, yoff;
    std::vector<uint8_t> pixels;
};

struct Sheet {
    int width, height;
    std::vector<uint8_t> rgb;
    void Put(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return;
        }
        size_t i = (static_cast<size_t>(y) * width + x) * 3;
        rgb[i] = r;
        rgb[i + 1] = g;
        rgb[i + 2] = b;
    }
};

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

}  // namespace

namespace {

// What a loaded file gives the sheets: sprites numbered by slot and a palette.
struct Bank {
    std::vector<Sprite> sprites;
    uint8_t palette[256][3] = {};
};

// The first slot each bank goes to in the game.
int StartSlot(const std::string& name) {
    if (name == "pointers") {
        return 0;
    }
    if (name == "icons") {
        return 10;
    }
    return 31;
}

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

// Transparent pixels show as a grey checkerboard; `zoom` magnifies small art.
void Blit(Sheet& sheet, const Bank& bank, const Sprite& s, int x, int y, int zoom = 1) {
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

// Lays the graphics out in rows, each captioned with its slot and size.
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

// The pictures of the game's slots start to start + count - 1, with gamePalette.
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

// A page of the display as the player would see it, in backgroundPalette.
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

// One font drawn by DrawFontText onto the back page: every character on the
// dark colour, then samples on the dialog frame, button and dark colours.
Sheet FontSheet(int font) {
    GDL_Surface* page = backPage;
    for (int y = 0; y < 480; y++) {
        std::fill_n(page->pixels + y * page->bytesPerLine, 640, uint8_t{254});
    }
    textTarget = page;
    int line = GetFont(font)->height + 4;
    std::string all[3];
    for (int ch = 32; ch < 128; ch++) {
        all[(ch - 32) / 32] += static_cast<char>(ch);
    }
    const std::vector<std::pair<uint8_t, std::string>> rows = {
        {254, all[0]},
        {254, all[1]},
        {254, all[2]},
        {230, "Exit Talmadge Reed Gunner?"},
        {230, "No room for new game!"},
        {217, "Yes  No  Okay  Cancel  Resume"},
        {217, "Debug On   Debug Off"},
        {35, "Talmadge              1024"},
        {253, "Bob Whitaker             15"},
        {254, "3 Mallard Drakes   1 Pintail Hen"},
        {254, "4 drakes & 4 hens of any 1 species. $14"},
        {254, "Daily Bag Limit:   6 ducks   6:45 am"},
    };
    int y = 8;
    for (const auto& [band, text] : rows) {
        if (y + line > 480) {
            break;
        }
        for (int j = 0; j < line; j++) {
            std::fill_n(page->pixels + (y + j) * page->bytesPerLine + 4, 632, band);
        }
        DrawFontText(font, 10, y + 2, text.c_str());
        y += line + 4;
    }
    return PageSheet(page);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [FILE ...]\n", argv[0]);
        return 2;
    }
    std::string out = argv[1];
    std::filesystem::create_directories(out);
    // The loaders' log goes next to the sheets, not over the player's log.
    setenv("XDG_STATE_HOME", out.c_str(), 1);
    std::vector<std::string> files(argv + 2, argv + argc);
    if (files.empty()) {
        for (const auto& entry : std::filesystem::directory_iterator(REEDGUNNER_DATA_DIR)) {
            std::string ext = entry.path().extension().string();
            if (ext == ".256" || entry.path().filename() == "fonts.dat") {
                files.push_back(entry.path().string());
            }
        }
        std::sort(files.begin(), files.end());
    }
    static char instance;
    SysSetHeadless(true);
    GDL_setAppInstance(&instance);
    if (GraphicsInit() == 0) {
        std::fprintf(stderr, "the headless display will not start\n");
        return 1;
    }
    int failures = 0;
    for (const std::string& file : files) {
        std::filesystem::path path(file);
        dataDir = path.parent_path().string() + "/";
        std::string name = path.stem().string();
        Sheet sheet;
        bool loaded = false;
        if (path.filename() == "fonts.dat") {
            // As the game does: the title's palette first, the fonts matched to
            // it; then a sheet for each font.
            if (LoadBackground("bkg_01") == 0) {
                std::fprintf(stderr, "%s: its colours come from bkg_01.256 beside it\n",
                             file.c_str());
            }
            loaded = LoadFonts("fonts.dat") != 0;
            for (int font = 0; loaded && font < kFontSlots && GetFont(font) != nullptr; font++) {
                std::string png = out + "/fonts_" + std::to_string(font) + ".png";
                if (!WritePng(png, FontSheet(font))) {
                    std::fprintf(stderr, "%s: cannot write\n", png.c_str());
                    failures++;
                    continue;
                }
                std::printf("%s\n", png.c_str());
            }
            FreeFonts();
            if (loaded) {
                continue;
            }
        } else if (path.extension() != ".256") {
            loaded = false;
        } else if (name.rfind("bkg_", 0) == 0) {
            loaded = LoadBackground(name.c_str()) != 0;
            if (loaded) {
                sheet = PageSheet(workPage);
            }
        } else {
            int start = StartSlot(name);
            int count = LoadGraphics(start, name.c_str());
            loaded = count > 0;
            if (loaded) {
                sheet = BankSheet(TakeSlots(start, count));
            }
            FreeGraphics(start, count);
        }
        if (!loaded) {
            std::fprintf(stderr, "%s: cannot load (see %s/pellmar/PELLMAR.TXT)\n", file.c_str(),
                         out.c_str());
            failures++;
            continue;
        }
        std::string png = out + "/" + name + ".png";
        if (!WritePng(png, sheet)) {
            std::fprintf(stderr, "%s: cannot write\n", png.c_str());
            failures++;
            continue;
        }
        std::printf("%s\n", png.c_str());
    }
    failures += WriteSoundPage(out, REEDGUNNER_DATA_DIR "/");
    GraphicsExit();
    return failures == 0 ? 0 : 1;
}
