// The talking heads composed as the game composes them: every overlay, mouth
// and second overlay drawn with ScaleGraphic at 100 % at the game's anchor
// over the scene the character speaks in, cropped round the face and doubled,
// and one whole screen as the player sees it.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "gallery_sheet.h"
#include "platform/graphics.h"

namespace {

constexpr int kZoom = 2;
constexpr int kMargin = 14;  // shown round the head rectangle
constexpr int kCaption = 14;

struct Speaker {
    int x, y, layer;
    bool restores;  // each lip-sync step puts back the head rectangle first
};

// One picture of the sheet: graphics drawn in order (relative to the bank's
// start), after the backdrop when `fresh`; otherwise over the last picture.
struct Step {
    bool fresh;
    std::vector<int> graphics;
};

// The warden's steps restore the scene and redraw her whole; the sheriff's
// draw only a mouth and a second overlay over what is there.
const std::vector<Step> kWardenSteps = {
    {true, {0}},          {true, {0, 1, 5, 8}}, {true, {0, 2, 5, 8}}, {true, {0, 3, 5, 8}},
    {true, {0, 4, 5, 8}}, {true, {0, 4, 6, 8}}, {true, {0, 4, 7, 8}}, {true, {0, 4, 5, 10}},
};
const std::vector<Step> kSheriffSteps = {
    {true, {0}},     {true, {0, 1}},  {true, {0, 2}},   {true, {0, 3}},   {true, {0, 4}},
    {false, {6, 8}}, {false, {7, 8}}, {false, {5, 10}}, {false, {6, 10}}, {false, {5, 8}},
};

// A zeroed depth map with the panel rows in front of everything, for when no
// scene of the hunt is at hand.
void OwnDepthMap() {
    auto* map = static_cast<uint8_t*>(GDL_malloc(kScreenWidth * kScreenHeight));
    std::memset(map, 0, kScreenWidth * 420);
    std::memset(map + kScreenWidth * 420, 255, kScreenWidth * (kScreenHeight - 420));
    Graphic[kDepthMapSlot] = {kScreenWidth * kScreenHeight, kScreenWidth, kScreenHeight, 0, 0, map};
}

// The backdrop on the work page and a depth map in its slot; returns the
// slots to free afterwards (start, count), or count 0 on failure.
std::pair<int, int> Backdrop(const std::string& name) {
    if (name == "char21") {
        int count = LoadGraphics(kJailSlot, "jail");
        if (count < 2) {
            FreeGraphics(kJailSlot, count);
            return {kJailSlot, 0};
        }
        BlitGraphic(kJailSlot, 0, 0, workPage);
        return {kJailSlot, count};
    }
    if (std::filesystem::exists(dataDir + "scn_01.256")) {
        int count = LoadGraphics(kSceneSlot, "scn_01");
        if (count >= kSceneGraphics) {
            BlitGraphic(kSceneSlot, 0, 0, workPage);
            return {kSceneSlot, count};
        }
        FreeGraphics(kSceneSlot, count);
    }
    // The title's marsh with a dark panel along the bottom.
    if (LoadBackground("bkg_01") == 0) {
        return {kDepthMapSlot, 0};
    }
    for (int y = 420; y < kScreenHeight; y++) {
        std::memset(workPage->pixels + y * workPage->bytesPerLine, 254, kScreenWidth);
    }
    OwnDepthMap();
    return {kDepthMapSlot, 1};
}

Sheet Page() {
    Sheet sheet{kScreenWidth, kScreenHeight, {}};
    sheet.rgb.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight * 3);
    for (int y = 0; y < kScreenHeight; y++) {
        for (int x = 0; x < kScreenWidth; x++) {
            const GDL_PaletteEntry& c =
                gamePalette[backPage->pixels[y * backPage->bytesPerLine + x]];
            sheet.Put(x, y, c.red, c.green, c.blue);
        }
    }
    return sheet;
}

void Draw(const Step& step, int start, const Speaker& who) {
    if (step.fresh) {
        CopyWorkPage();
    }
    for (int g : step.graphics) {
        ScaleGraphic(start + g, who.x, who.y, who.layer, 100, 0);
    }
}

std::string Caption(int start, const Step& step) {
    std::string text;
    for (int g : step.graphics) {
        text += (text.empty() ? "" : " ") + std::to_string(start + g);
    }
    return text;
}

}  // namespace

int WriteFaceSheet(const std::string& out, const std::string& name, int start) {
    const GraphicSlot& rect = Graphic[static_cast<size_t>(start + kHeadRectGraphic)];
    if (Graphic[static_cast<size_t>(start)].data == nullptr || rect.data == nullptr) {
        std::fprintf(stderr, "%s: not a talking head\n", name.c_str());
        return 1;
    }
    bool sheriff = name == "char21";
    const Speaker who = sheriff ? Speaker{325, 479, 119, false} : Speaker{220, 470, 117, true};
    const std::vector<Step>& steps = sheriff ? kSheriffSteps : kWardenSteps;
    auto [freeStart, freeCount] = Backdrop(name);
    if (freeCount == 0) {
        std::fprintf(stderr, "%s: no scene to speak in\n", name.c_str());
        return 1;
    }
    // The head rectangle as the game clamps it, with a margin to see the seams.
    int x0 = std::max(who.x + rect.xoff - kMargin, 0);
    int y0 = std::max(who.y + rect.yoff - kMargin, 0);
    int x1 = std::min(who.x + rect.xoff + rect.width + kMargin, kScreenWidth);
    int y1 = std::min(who.y + rect.yoff + rect.height + kMargin, kScreenHeight);
    int cellW = (x1 - x0) * kZoom + 12, cellH = (y1 - y0) * kZoom + kCaption + 12;
    int columns = std::max(1, 1280 / cellW);
    int rows = (static_cast<int>(steps.size()) + columns - 1) / columns;
    Sheet sheet{columns * cellW + 12, rows * cellH + 12, {}};
    sheet.rgb.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 40);
    for (size_t i = 0; i < steps.size(); i++) {
        Draw(steps[i], start, who);
        Sheet page = Page();
        int cx = 12 + static_cast<int>(i) % columns * cellW;
        int cy = 12 + static_cast<int>(i) / columns * cellH;
        Label(sheet, cx, cy, Caption(start, steps[i]));
        for (int y = 0; y < (y1 - y0) * kZoom; y++) {
            for (int x = 0; x < (x1 - x0) * kZoom; x++) {
                size_t at =
                    (static_cast<size_t>(y0 + y / kZoom) * kScreenWidth + x0 + x / kZoom) * 3;
                sheet.Put(cx + x, cy + kCaption + y, page.rgb[at], page.rgb[at + 1],
                          page.rgb[at + 2]);
            }
        }
    }
    int failures = WriteSheet(out, name + "_faces", sheet);
    // Speaking, as the player sees the whole screen.
    Draw({true, {0, 4, 6, 8}}, start, who);
    failures += WriteSheet(out, name + "_screen", Page());
    FreeGraphics(freeStart, freeCount);
    return failures;
}

int WriteComposedSheets(const std::string& out, const std::string& name, int start) {
    if (name == "char20" || name == "char21") {
        return WriteFaceSheet(out, name, start);
    }
    if (name == "char04") {
        return WritePartnerSheet(out);
    }
    if (name == "spr_07") {
        return WriteReelSheet(out, start);
    }
    return 0;
}
