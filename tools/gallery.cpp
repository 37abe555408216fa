// reedgunner-gallery OUTDIR [FILE ...]: renders the game's picture and font
// files into PNG contact sheets, one per file, so that anyone can look at them.
// With no files it renders every .256 file and fonts.dat of the data directory.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

// A font as the game holds it after loading: glyph strip of palette indices.
struct FontView {
    int rowPixels, height;
    std::vector<uint16_t> offsets, advances;
    std::vector<uint8_t> bitmap;
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

// The glyph strip in rows, then the palette of the font's colours.
Sheet FontSheet(const std::vector<FontView>& fonts, const Bank& palette) {
    constexpr int kWidth = 1000;
    int height = 10;
    for (const FontView& f : fonts) {
        height += (f.height + 6) * 7 + 20;
    }
    Sheet sheet{kWidth, height, {}};
    sheet.rgb.assign(static_cast<size_t>(kWidth) * height * 3, 0);
    int y = 10;
    for (size_t n = 0; n < fonts.size(); n++) {
        const FontView& f = fonts[n];
        Label(sheet, 10, y, std::to_string(n));
        y += 16;
        // Every character 32 to 127 drawn as the game draws text, on three
        // backgrounds: light, mid and dark.
        const uint8_t backs[3][3] = {{236, 224, 196}, {150, 108, 62}, {22, 16, 10}};
        int lineH = f.height + 6;
        for (int band = 0; band < 6; band++) {
            const uint8_t* back = backs[band / 2];
            for (int j = 0; j < lineH; j++) {
                for (int i = 0; i < kWidth; i++) {
                    sheet.Put(i, y + j, back[0], back[1], back[2]);
                }
            }
            int pen = 10;
            int first = 32 + (band % 2) * 48;
            for (int ch = first; ch < first + 48 && ch < 128; ch++) {
                int w = f.offsets[ch + 1] - f.offsets[ch];
                for (int r = 0; r < f.height; r++) {
                    for (int c = 0; c < w; c++) {
                        uint8_t p =
                            f.bitmap[static_cast<size_t>(r) * f.rowPixels + f.offsets[ch] + c];
                        if (p != 0) {
                            sheet.Put(pen + c, y + 3 + r, palette.palette[p][0],
                                      palette.palette[p][1], palette.palette[p][2]);
                        }
                    }
                }
                pen += f.advances[ch] + 4;
            }
            y += lineH;
        }
        y += 20;
    }
    return sheet;
}

}  // namespace

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    std::fclose(file);
    return bytes;
}

int Get16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int16_t>(b[at] | b[at + 1] << 8);
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

bool LoadBank(const std::string& path, int start, Bank& bank) {
    std::vector<uint8_t> b = ReadAll(path);
    if (b.size() < 776) {
        return false;
    }
    int count = Get16(b, 4);
    bool rle = b[6] != 0;
    for (int i = 0; i < 256; i++) {
        for (int k = 0; k < 3; k++) {
            bank.palette[i][k] = i == 0 ? 0 : b[8 + i * 3 + k];
        }
    }
    size_t at = 776;
    for (int n = 0; n < count; n++) {
        if (at + 16 > b.size()) {
            return false;
        }
        Sprite s{start + n,        Get16(b, at + 4),  Get16(b, at + 6),
                 Get16(b, at + 8), Get16(b, at + 10), {}};
        uint32_t size = Get32(b, at);
        at += 16;
        if (s.width <= 0 || s.height <= 0 || at + size > b.size()) {
            return false;
        }
        s.pixels.assign(static_cast<size_t>(s.width) * s.height, 0);
        size_t in = at;
        for (int y = 0; y < s.height; y++) {
            if (!rle) {
                std::copy_n(&b[in], s.width, &s.pixels[static_cast<size_t>(y) * s.width]);
                in += s.width;
                continue;
            }
            int x = 0;
            while (x < s.width && in < at + size) {
                int count = 1, value = b[in++];
                if (value >= 0xC0) {
                    count = value & 0x3F;
                    value = in < at + size ? b[in++] : 0;
                }
                for (int k = 0; k < count && x < s.width; k++) {
                    s.pixels[static_cast<size_t>(y) * s.width + x++] = static_cast<uint8_t>(value);
                }
            }
        }
        at += size;
        bank.sprites.push_back(std::move(s));
    }
    return true;
}

bool LoadFontFile(const std::string& path, const Bank& palette, std::vector<FontView>& fonts) {
    std::vector<uint8_t> b = ReadAll(path);
    if (b.size() < 516) {
        return false;
    }
    int count = Get16(b, 0);
    size_t at = 516;
    for (int n = 0; n < count; n++) {
        if (at + 618 > b.size() || Get32(b, at) != 0x14643) {
            return false;
        }
        int bytesPerRow = Get16(b, at + 24), height = Get16(b, at + 26);
        FontView f{bytesPerRow * 2, height, {}, {}, {}};
        for (int ch = 0; ch < 129; ch++) {
            f.offsets.push_back(static_cast<uint16_t>(Get16(b, at + 38 + ch * 2)));
            f.advances.push_back(static_cast<uint16_t>(Get16(b, at + 296 + ch * 2)));
        }
        uint8_t map[16] = {};
        for (int c = 1; c < 16; c++) {
            const uint8_t* e = &b[at + 554 + c * 4];
            for (int i = 1; i < 256; i++) {
                if (palette.palette[i][0] == e[2] && palette.palette[i][1] == e[1] &&
                    palette.palette[i][2] == e[0]) {
                    map[c] = static_cast<uint8_t>(i);
                    break;
                }
            }
        }
        at += 618;
        if (at + static_cast<size_t>(bytesPerRow) * height > b.size()) {
            return false;
        }
        for (size_t i = 0; i < static_cast<size_t>(bytesPerRow) * height; i++) {
            f.bitmap.push_back(map[b[at + i] >> 4]);
            f.bitmap.push_back(map[b[at + i] & 15]);
        }
        at += static_cast<size_t>(bytesPerRow) * height;
        fonts.push_back(std::move(f));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [FILE ...]\n", argv[0]);
        return 2;
    }
    std::string out = argv[1];
    std::filesystem::create_directories(out);
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
    int failures = 0;
    for (const std::string& file : files) {
        std::filesystem::path path(file);
        std::string name = path.stem().string();
        Sheet sheet;
        if (path.filename() == "fonts.dat") {
            Bank palette;
            std::vector<FontView> fonts;
            std::string bank = (path.parent_path() / "icons.256").string();
            if (!LoadBank(bank, 0, palette) || !LoadFontFile(file, palette, fonts)) {
                std::fprintf(stderr, "%s: cannot load\n", file.c_str());
                failures++;
                continue;
            }
            sheet = FontSheet(fonts, palette);
        } else {
            Bank bank;
            if (!LoadBank(file, StartSlot(name), bank)) {
                std::fprintf(stderr, "%s: cannot load\n", file.c_str());
                failures++;
                continue;
            }
            if (bank.sprites.size() == 1 && bank.sprites[0].width == 640) {
                sheet = Sheet{640, 480, {}};
                sheet.rgb.resize(640 * 480 * 3);
                Blit(sheet, bank, bank.sprites[0], 0, 0);
            } else {
                sheet = BankSheet(bank);
            }
        }
        std::string png = out + "/" + name + ".png";
        if (!WritePng(png, sheet)) {
            std::fprintf(stderr, "%s: cannot write\n", png.c_str());
            failures++;
            continue;
        }
        std::printf("%s\n", png.c_str());
    }
    return failures == 0 ? 0 : 1;
}
