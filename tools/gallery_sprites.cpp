// The sprite bank as sheets the eye can take in: one per species and sex
// (poses as rows, frames as columns, every bird at its anchor), the birds at
// the eight sizes of close flight drawn by the game's own ScaleGraphic over
// sky and water, and the rest (far flocks, decoys, retriever).
#include <algorithm>
#include <array>
#include <cstring>

#include "engine/blit.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "gallery_sheet.h"
#include "platform/graphics.h"

namespace {

constexpr std::array<const char*, 4> kSpecies = {"mallard", "pintail", "redhead", "canvasback"};
constexpr std::array<const char*, 2> kSexes = {"hen", "drake"};
constexpr std::array<int, 8> kSizes = {30, 40, 50, 60, 70, 80, 90, 100};

constexpr int kAfterBirds = kBirdSlot + kBirdGraphics;  // far flocks, decoys, the retriever
constexpr int kSpriteEnd = kSpriteSlot + kSpriteGraphics;

int BirdSlot(int species, int sex, int pose, int frame) {
    return kBirdSlot + BirdPicture(species, sex, pose) + frame;
}

// A sheet of one flat colour.
Sheet Blank(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    Sheet sheet{width, height, {}};
    sheet.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < sheet.rgb.size(); i += 3) {
        sheet.rgb[i] = r;
        sheet.rgb[i + 1] = g;
        sheet.rgb[i + 2] = b;
    }
    return sheet;
}

// Draws a slot's opaque pixels with its anchor at (x, y).
void PutSlot(Sheet& sheet, int slot, int x, int y) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
    if (g.data == nullptr) {
        return;
    }
    for (int j = 0; j < g.height; j++) {
        for (int i = 0; i < g.width; i++) {
            uint8_t p = g.data[j * g.width + i];
            if (p != 0) {
                sheet.Put(x + g.xoff + i, y + g.yoff + j, gamePalette[p].red, gamePalette[p].green,
                          gamePalette[p].blue);
            }
        }
    }
}

// Poses as rows, frames 0 to 15 as columns; a faint square marks the
// anchor's hit area, +-20 pixels.
Sheet SpeciesSheet(int species, int sex) {
    constexpr int kCellW = 124, kCellH = 150, kCaption = 14;
    Sheet sheet =
        Blank(kBirdFrames * kCellW + 8, kBirdPoses * (kCellH + kCaption) + 8, 132, 156, 184);
    for (int pose = 0; pose < kBirdPoses; pose++) {
        for (int frame = 0; frame < kBirdFrames; frame++) {
            int x = 4 + frame * kCellW, y = 4 + pose * (kCellH + kCaption);
            int slot = BirdSlot(species, sex, pose, frame);
            Label(sheet, x + 2, y, std::to_string(slot));
            int ax = x + kCellW / 2, ay = y + kCaption + kCellH / 2;
            for (int d = -20; d <= 20; d++) {
                sheet.Put(ax + d, ay - 20, 160, 182, 206);
                sheet.Put(ax + d, ay + 20, 160, 182, 206);
                sheet.Put(ax - 20, ay + d, 160, 182, 206);
                sheet.Put(ax + 20, ay + d, 160, 182, 206);
            }
            PutSlot(sheet, slot, ax, ay);
        }
    }
    return sheet;
}

// The palette entry nearest a colour, for painting backdrops on a page.
uint8_t Nearest(int r, int g, int b) {
    int best = 1;
    long bestD = -1;
    for (int i = 1; i < 256; i++) {
        long dr = r - gamePalette[i].red, dg = g - gamePalette[i].green,
             db = b - gamePalette[i].blue;
        long d = dr * dr + dg * dg + db * db;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

// Fills a page with a dawn sky or open water, darker toward the bottom.
void Backdrop(GDL_Surface* page, bool water) {
    for (int y = 0; y < 480; y++) {
        double t = y / 479.0;
        uint8_t c = water ? Nearest(static_cast<int>(84 - 50 * t), static_cast<int>(118 - 60 * t),
                                    static_cast<int>(132 - 56 * t))
                          : Nearest(static_cast<int>(70 + 130 * t), static_cast<int>(100 + 110 * t),
                                    static_cast<int>(170 + 50 * t));
        std::memset(page->pixels + y * page->bytesPerLine, c, 640);
    }
}

// A page in the game's palette (no background has set the fades' palette).
Sheet PageInGameColours(const GDL_Surface* page) {
    Sheet sheet = Blank(640, 480, 0, 0, 0);
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            uint8_t p = page->pixels[y * page->bytesPerLine + x];
            sheet.Put(x, y, gamePalette[p].red, gamePalette[p].green, gamePalette[p].blue);
        }
    }
    return sheet;
}

Sheet Stack(const std::vector<Sheet>& parts) {
    int width = 0, height = 0;
    for (const Sheet& s : parts) {
        width = std::max(width, s.width);
        height += s.height;
    }
    Sheet sheet = Blank(width, height, 40, 40, 40);
    int y = 0;
    for (const Sheet& s : parts) {
        for (int j = 0; j < s.height; j++) {
            std::memcpy(&sheet.rgb[(static_cast<size_t>(y + j) * width) * 3],
                        &s.rgb[static_cast<size_t>(j) * s.width * 3],
                        static_cast<size_t>(s.width) * 3);
        }
        y += s.height;
    }
    return sheet;
}

// One page: a row per species, the eight sizes left to right, drawn by the
// game's ScaleGraphic (the second row mirrored, as birds flying left are).
Sheet SizesPage(int sex, bool water) {
    Backdrop(backPage, water);
    for (int species = 0; species < 4; species++) {
        int x = 4, y = 64 + species * 118;
        for (int size : kSizes) {
            x += size * 50 / 100;
            bool mirror = (species & 1) != 0;
            ScaleGraphic(BirdSlot(species, sex, 2, 5), x, y, 119, size, mirror ? 1 : 0);
            x += size * 50 / 100 + 8;
        }
    }
    return PageInGameColours(backPage);
}

// Far flocks at their two ends of scale, the decoys at five sizes as
// PlaceDecoys paints them into the water, then every slot after the birds.
Sheet OtherPage() {
    Backdrop(backPage, false);
    for (int set = 0; set < 2; set++) {
        for (int frame = 0; frame < 4; frame++) {
            int slot = kFarFlockSlot + set * 4 + frame;
            ScaleGraphic(slot, 70 + frame * 150, 40 + set * 90, 40, 100, 0);
            ScaleGraphic(slot, 70 + frame * 150, 90 + set * 90, 40, 50, 1);
        }
    }
    Backdrop(workPage, true);
    constexpr std::array<int, 5> kDecoySizes = {11, 30, 55, 80, 98};
    for (int kind = 0; kind < kDecoyKinds; kind++) {
        int x = 20;
        for (int size : kDecoySizes) {
            x += size * 50 / 100;
            BlitDecoy(kDecoySlot + kind, x, 300 + kind * 60, size);
            x += size * 50 / 100 + 12;
        }
    }
    for (int y = 260; y < 480; y++) {
        std::memcpy(backPage->pixels + y * backPage->bytesPerLine,
                    workPage->pixels + y * workPage->bytesPerLine, 640);
    }
    return PageInGameColours(backPage);
}

}  // namespace

int WriteSpriteSheets(const std::string& out) {
    int failures = 0;
    for (int species = 0; species < 4; species++) {
        for (int sex = 0; sex < 2; sex++) {
            failures += WriteSheet(
                out,
                std::string("sprites_") + kSpecies[species] + "_" + (sex == 1 ? "drake" : "hen"),
                SpeciesSheet(species, sex));
        }
    }
    // The scaled blitters read the depth map; an empty one puts everything
    // in front.
    GraphicSlot& depth = Graphic[kDepthMapSlot];
    bool ownDepth = depth.data == nullptr;
    if (ownDepth) {
        depth.data = static_cast<uint8_t*>(GDL_malloc(640 * 480));
        std::memset(depth.data, 0, 640 * 480);
        depth.width = 640;
        depth.height = 480;
    }
    failures += WriteSheet(
        out, "sprites_sizes",
        Stack({SizesPage(1, false), SizesPage(0, false), SizesPage(1, true), SizesPage(0, true)}));
    failures += WriteSheet(
        out, "sprites_other",
        Stack({OtherPage(), BankSheet(TakeSlots(kAfterBirds, kSpriteEnd - kAfterBirds))}));
    if (ownDepth) {
        GDL_free(depth.data);
        depth = GraphicSlot{};
    }
    (void)kSexes;
    return failures;
}
