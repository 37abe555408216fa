// The marsh previews: each club's scene as the hunt composes it, with the
// game's own loaders and blitters on the headless pages: the icons of a
// player who owns everything, the decoys put out, a ladder of close birds at
// every size along the rows where each meets the water, the retriever along
// its path, the partner and a far flock. Beside each, its depth map in false
// colour with the decoy cells marked.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "gallery_sheet.h"
#include "platform/graphics.h"

namespace {

constexpr uint32_t kPreviewSeed = 1995;  // the decoys land in the same places every time
constexpr int kSizes = 8;
// Close flight by size: scale, the row where it meets the water, its layer.
constexpr int kScale[kSizes] = {30, 40, 50, 60, 70, 80, 90, 100};
constexpr int kGroundY[kSizes] = {273, 295, 318, 347, 375, 408, 440, 480};
constexpr int kDepth[kSizes] = {65, 71, 77, 84, 92, 101, 110, 119};

bool Exists(const char* bank) {
    return std::filesystem::exists(dataDir + bank + ".256");
}

bool Has(int slot) {
    return Graphic[static_cast<size_t>(slot)].data != nullptr;
}

// The hunt's decoy placement, drawn with the preview's fixed seed.
void PlaceDecoys(int kind, int count, int mapValue) {
    const GraphicSlot& map = Graphic[98];
    if (map.data == nullptr) {
        return;
    }
    int placed = 0;
    for (int tries = 0; tries < 101 && placed < count; tries++) {
        int cx = Random() % 160;
        int cy = 59 + Random() % 61;
        int coin = Random() % 2;
        if (map.data[cy * 160 + cx] != mapValue) {
            continue;
        }
        placed++;
        int size = (cy * 16 - 940) * 25 / 245;
        if (size > 10 && Has(955 + kind + coin)) {
            BlitDecoy(955 + kind + coin, cx * 4, cy * 4, size);
        }
    }
}

struct DogStep {
    int graphic, x, y, depth;
};

// The retriever's path as the hunt moves it: out over the bank and down
// beyond it, then back with the bird.
std::vector<DogStep> RetrieverPath() {
    std::vector<DogStep> path;
    int graphic = 960, x = 400, y = 480, depth = 120, step = -9;
    for (int state = 1; state <= 2;) {
        int end = state == 1 ? 600 : 700;
        if (y >= end) {
            if (state == 1) {
                graphic = 962, x = 400, y = 480, depth = 105, step = -9;
            }
            state++;
            continue;
        }
        double angle = (y - 240) / 2.78 / 57.295;
        x += state == 1 ? -4 : 4;
        y += static_cast<int>(step * std::sin(angle) * 12.0);
        if (y < 260) {
            step = 9;
            graphic = state == 1 ? 961 : 963;
            depth = state == 1 ? 105 : 120;
        }
        path.push_back({graphic, x, y, depth});
    }
    return path;
}

void ComposeMarsh(int club) {
    BlitGraphic(97, 0, 0, workPage);
    // The icons of a player who owns everything, the best gun in hand.
    for (auto [slot, x] :
         {std::pair{17, 157}, {16, 297}, {18, 371}, {25, 442}, {27, 442}, {21, 528}}) {
        if (Has(slot)) {
            BlitGraphic(slot, x, 422, workPage);
        }
    }
    SeedRandom(kPreviewSeed + club);
    for (int kind : {1, 2, 1, 2}) {
        PlaceDecoys(kind, 3, 117);
    }
    CopyWorkPage();
    // The clock as the hunt starts: 5:40, 6:15, 4:50, 5:20.
    constexpr int kHour[4][2] = {{122, 457}, {119, 457}, {127, 455}, {125, 456}};
    constexpr int kMinute[4][2] = {{107, 455}, {134, 447}, {107, 440}, {131, 455}};
    GDL_Surface* previous = GDL_makeCurrent(backPage);
    GDL_setColor(254);
    GDL_line(119, 447, kHour[club][0], kHour[club][1]);
    GDL_line(119, 447, kMinute[club][0], kMinute[club][1]);
    GDL_makeCurrent(previous);
    // A far flock, one dipping low over the far shore.
    if (Has(948) && Has(954)) {
        ScaleGraphic(948, 120, 60, 60 / 4, 60, 0);
        ScaleGraphic(954, 520, 156, 156 / 4, 80, 1);
    }
    // The ladder: each size once along its water line and once in its band.
    for (int i = 0; i < kSizes; i++) {
        int species = i % 4, sex = (i / 4 + i) % 2;
        int base = 300 + species * 160 + sex * 80;
        int x = 40 + i * 78;
        int low = kScale[i] * 360 / 100;
        if (Has(base + 2 * 16 + 4)) {
            ScaleGraphic(base + 2 * 16 + 4, x, kGroundY[i] - 4, kDepth[i], kScale[i], i % 2);
            ScaleGraphic(base + 1 * 16 + 5, x + 30, low * 3 / 4, kDepth[i], kScale[i], i % 2);
        }
    }
    // The retriever: leaping out, beyond the bank, and back with the bird.
    std::vector<DogStep> path = RetrieverPath();
    int carried = 964 + (club % 4) * 2 + 1;
    for (size_t i : {size_t{0}, size_t{3}, size_t{6}, size_t{12}, size_t{15}}) {
        if (i >= path.size() || !Has(path[i].graphic)) {
            continue;
        }
        const DogStep& d = path[i];
        BlitGraphicLayer(d.graphic, d.x, d.y, d.depth);
        if (d.graphic >= 962 && Has(carried)) {
            BlitGraphicLayer(carried, d.x, d.y, d.depth);
        }
    }
    // The partner in the blind.
    for (int slot : {200, 201, 207}) {
        if (Has(slot)) {
            BlitGraphicLayer(slot, 300, 470, 105);
        }
    }
}

Sheet PageInGamePalette(const GDL_Surface* page) {
    Sheet sheet{640, 480, std::vector<uint8_t>(640 * 480 * 3)};
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            const GDL_PaletteEntry& c = gamePalette[page->pixels[y * page->bytesPerLine + x]];
            sheet.Put(x, y, c.red, c.green, c.blue);
        }
    }
    return sheet;
}

// Depths in false colour: sky navy, far shore violet, water blue to green by
// nearness, the reed bank orange, the blind red, the panel grey; white dots
// on decoy cells and a tick at each size's water line with its layer.
Sheet DepthSheet() {
    Sheet sheet{640, 480, std::vector<uint8_t>(640 * 480 * 3)};
    const uint8_t* depth = Graphic[99].data;
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            int d = depth[y * 640 + x];
            double t;
            if (d == 0) {
                sheet.Put(x, y, 16, 24, 64);
            } else if (d < 40) {
                sheet.Put(x, y, 60, 60, 140);
            } else if (d < 65) {
                t = (d - 40) / 25.0;
                sheet.Put(x, y, 110 + 40 * t, 60, 150 - 30 * t);
            } else if (d < 100) {
                t = (d - 65) / 35.0;
                sheet.Put(x, y, 30 + 40 * t, 110 + 110 * t, 210 - 110 * t);
            } else if (d < 119) {
                t = (d - 100) / 19.0;
                sheet.Put(x, y, 240, 200 - 90 * t, 40);
            } else if (d == 119) {
                sheet.Put(x, y, 200, 40, 40);
            } else if (d < 255) {
                sheet.Put(x, y, 220, 60, 220);
            } else {
                sheet.Put(x, y, 90, 90, 90);
            }
        }
    }
    const uint8_t* map = Graphic[98].data;
    for (int cy = 0; cy < 120; cy++) {
        for (int cx = 0; cx < 160; cx++) {
            if (map[cy * 160 + cx] == 117) {
                sheet.Put(cx * 4 + 1, cy * 4 + 1, 255, 255, 255);
                sheet.Put(cx * 4 + 2, cy * 4 + 1, 255, 255, 255);
            }
        }
    }
    for (int i = 0; i < kSizes; i++) {
        int y = std::min(kGroundY[i], 479);
        for (int x = 0; x < 24; x++) {
            sheet.Put(x, y, 255, 255, 255);
        }
        Label(sheet, 2, y - 12, std::to_string(kDepth[i]));
    }
    return sheet;
}

}  // namespace

int WriteMarshPreviews(const std::string& out) {
    int failures = 0;
    // What is missing today is left out of the picture, not an error.
    int icons = Exists("icons") ? LoadGraphics(10, "icons") : 0;
    int sprites = Exists("sprites") ? LoadGraphics(300, "sprites") : 0;
    int partner = Exists("char04") ? LoadGraphics(200, "char04") : 0;
    for (int club = 0; club < 4; club++) {
        std::string scene = "scn_0" + std::to_string(club + 1);
        std::string n = std::to_string(club + 1);
        if (!Exists(scene.c_str()) || LoadGraphics(97, scene.c_str()) != 3 ||
            Graphic[98].width * Graphic[98].height != 160 * 120 ||
            Graphic[99].width * Graphic[99].height != 640 * 480) {
            std::fprintf(stderr, "%s: no scene to preview\n", scene.c_str());
            FreeGraphics(97, 3);
            failures++;
            continue;
        }
        ComposeMarsh(club);
        failures += WriteSheet(out, "marsh_" + n + "_preview", PageInGamePalette(backPage));
        failures += WriteSheet(out, "marsh_" + n + "_depth", DepthSheet());
        FreeGraphics(97, 3);
    }
    FreeGraphics(10, icons);
    FreeGraphics(300, sprites);
    FreeGraphics(200, partner);
    return failures;
}
