// The marsh previews: each club's scene as the hunt composes it, with the
// game's own loaders, blitters and hunt code on the headless pages: the icon
// bar of a player who owns everything, the decoys put out, the clock at the
// club's start, a ladder of close birds at every size along the rows where
// each meets the water, the retriever along its path, the partner and a far
// flock. Beside each, its depth map in false colour with the decoy cells
// marked.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "gallery_sheet.h"
#include "hunt/characters.h"
#include "hunt/clubs.h"
#include "hunt/flights.h"
#include "hunt/gun.h"
#include "hunt/hunt.h"
#include "hunt/panel.h"
#include "platform/graphics.h"
#include "shell/options.h"

namespace {

constexpr uint32_t kPreviewSeed = 1995;  // the decoys land in the same places every time
// The sizes of close flight, 30 to 100 percent.
constexpr int kSizes = 8;
constexpr int SizeScale(int i) {
    return 30 + i * 10;
}

bool Exists(const char* bank) {
    return std::filesystem::exists(dataDir + bank + ".256");
}

bool Has(int slot) {
    return Graphic[static_cast<size_t>(slot)].data != nullptr;
}

// The dog as the hunt draws it at each step of a fetch, from the near bank
// out and back with a drake of `species`.
std::vector<std::pair<int32_t, RetrieverState>> RetrieverPath(int32_t species) {
    RetrieverState dog{};
    dog.species = species;
    dog.sex = 1;
    StartRetriever(dog);
    std::vector<std::pair<int32_t, RetrieverState>> path;
    for (int32_t state = kDogGoingOut; state != kDogIdle; state = StepRetriever(state, dog)) {
        path.emplace_back(state, dog);
    }
    return path;
}

void ComposeMarsh(int club) {
    // Opaque, as the hunt draws it.
    BlitGraphic2(kSceneSlot, 0, 0, kScreenHeight, workPage);
    // The icon bar of a player who owns everything, the best gun in hand.
    PlayerRecord everything{};
    std::fill(std::begin(everything.items), std::end(everything.items), uint16_t{1});
    PlayerRecord* previous = player;
    player = &everything;
    InitInterfaceIcons();
    player = previous;
    SeedRandom(kPreviewSeed + club);
    if (Has(kDecoySlot)) {
        SpreadDecoys();
    }
    CopyWorkPage();
    const Club& info = ClubInfo(club);
    DrawClockHands(info.startHour, info.startMinute);
    // A far flock, one dipping low over the far shore.
    if (Has(kFarFlockSlot) && Has(kFarFlockSlot + 6)) {
        ScaleGraphic(kFarFlockSlot, 120, 60, 60 / 4, 60, 0);
        ScaleGraphic(kFarFlockSlot + 6, 520, 156, 156 / 4, 80, 1);
    }
    // The ladder: each size once along its water line and once in its band.
    for (int i = 0; i < kSizes; i++) {
        int species = i % 4, sex = (i / 4 + i) % 2;
        int x = 40 + i * 78;
        int scale = SizeScale(i);
        CloseSize size = CloseFlightSize(scale);
        int low = scale * kBandPercent / 100;
        int level = kBirdSlot + BirdPicture(species, sex, 2) + 4;
        if (Has(level)) {
            ScaleGraphic(level, x, size.groundY - 4, size.depth, scale, i % 2);
            ScaleGraphic(kBirdSlot + BirdPicture(species, sex, 1) + 5, x + 30, low * 3 / 4,
                         size.depth, scale, i % 2);
        }
    }
    // The retriever: leaping out, beyond the bank, and back with the bird
    // (step 0 is the dog on the near bank; it turns for home at step 11).
    if (Has(kDogLeapingOut)) {
        const auto path = RetrieverPath(club % kSpeciesCount);
        for (size_t i : {size_t{1}, size_t{4}, size_t{7}, size_t{14}, size_t{17}}) {
            if (i < path.size()) {
                DrawDog(path[i].first, path[i].second);
            }
        }
    }
    // The partner in the blind.
    for (int slot : {kPartnerFigure, kPartnerMouthShut, kPartnerEyesOpen}) {
        if (Has(slot)) {
            BlitGraphicLayer(slot, kPartnerX, kPartnerY, kPartnerLayer);
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
    const uint8_t* depth = Graphic[kDepthMapSlot].data;
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
    const uint8_t* map = Graphic[kDecoyMapSlot].data;
    for (int cy = 0; cy < kDecoyMapH; cy++) {
        for (int cx = 0; cx < kDecoyMapW; cx++) {
            if (map[cy * kDecoyMapW + cx] == kOpenWater) {
                sheet.Put(cx * 4 + 1, cy * 4 + 1, 255, 255, 255);
                sheet.Put(cx * 4 + 2, cy * 4 + 1, 255, 255, 255);
            }
        }
    }
    for (int i = 0; i < kSizes; i++) {
        CloseSize size = CloseFlightSize(SizeScale(i));
        int y = std::min(size.groundY, 479);
        for (int x = 0; x < 24; x++) {
            sheet.Put(x, y, 255, 255, 255);
        }
        Label(sheet, 2, y - 12, std::to_string(size.depth));
    }
    return sheet;
}

}  // namespace

int WriteMarshPreviews(const std::string& out) {
    int failures = 0;
    // What is missing today is left out of the picture, not an error.
    int icons = Exists("icons") ? LoadGraphics(kIconsSlot, "icons") : 0;
    int sprites = Exists("sprites") ? LoadGraphics(kSpriteSlot, "sprites") : 0;
    int partner = Exists("char04") ? LoadGraphics(kPartnerSlot, "char04") : 0;
    for (int club = 0; club < kClubCount; club++) {
        char scene[16];
        std::snprintf(scene, sizeof scene, "scn_%02d", ClubInfo(club).scene);
        std::string n = std::to_string(club + 1);
        const GraphicSlot& map = Graphic[kDecoyMapSlot];
        const GraphicSlot& depth = Graphic[kDepthMapSlot];
        if (!Exists(scene) || LoadGraphics(kSceneSlot, scene) != kSceneGraphics ||
            map.width * map.height != kDecoyMapW * kDecoyMapH ||
            depth.width * depth.height != kScreenWidth * kScreenHeight) {
            std::fprintf(stderr, "%s: no scene to preview\n", scene);
            FreeGraphics(kSceneSlot, kSceneGraphics);
            failures++;
            continue;
        }
        ComposeMarsh(club);
        failures += WriteSheet(out, "marsh_" + n + "_preview", PageInGamePalette(backPage));
        failures += WriteSheet(out, "marsh_" + n + "_depth", DepthSheet());
        FreeGraphics(kSceneSlot, kSceneGraphics);
    }
    FreeGraphics(kIconsSlot, icons);
    FreeGraphics(kSpriteSlot, sprites);
    FreeGraphics(kPartnerSlot, partner);
    return failures;
}
