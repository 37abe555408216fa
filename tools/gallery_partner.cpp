// The partner in the blind as he talks: the figure, then the mouth shut or
// open, then the eyes open or blinking, all four ways side by side.
#include <algorithm>

#include "engine/graphic_slots.h"
#include "gallery_sheet.h"

namespace {

constexpr int kZoom = 2;

const Sprite* Find(const Bank& bank, int slot) {
    for (const Sprite& s : bank.sprites) {
        if (s.slot == slot) {
            return &s;
        }
    }
    return nullptr;
}

// Draws s with its anchor at (x, y), zoomed; transparent pixels leave the sheet.
void Compose(Sheet& sheet, const Bank& bank, const Sprite& s, int x, int y) {
    for (int j = 0; j < s.height * kZoom; j++) {
        for (int i = 0; i < s.width * kZoom; i++) {
            uint8_t p = s.pixels[static_cast<size_t>(j / kZoom) * s.width + i / kZoom];
            if (p != 0) {
                sheet.Put(x + s.xoff * kZoom + i, y + s.yoff * kZoom + j, bank.palette[p][0],
                          bank.palette[p][1], bank.palette[p][2]);
            }
        }
    }
}

}  // namespace

int WritePartnerSheet(const std::string& out) {
    Bank bank = TakeSlots(kPartnerSlot, kPartnerGraphics);
    const Sprite* figure = Find(bank, kPartnerFigure);
    if (figure == nullptr) {
        return 1;
    }
    constexpr int kGap = 16, kCaption = 16;
    int cellW = figure->width * kZoom + kGap, cellH = figure->height * kZoom + kCaption + kGap;
    Sheet sheet{cellW * 4 + kGap, cellH + kGap, {}};
    sheet.rgb.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 40);
    const int mouths[2] = {kPartnerMouthShut, kPartnerMouthOpen},
              eyes[2] = {kPartnerEyesOpen, kPartnerEyesBlink};
    for (int k = 0; k < 4; k++) {
        int left = kGap + k * cellW, top = kGap + kCaption;
        // A plain dawn backdrop behind the figure's rectangle.
        for (int j = 0; j < figure->height * kZoom; j++) {
            for (int i = 0; i < figure->width * kZoom; i++) {
                sheet.Put(left + i, top + j, 196, 168, 150);
            }
        }
        int ax = left - figure->xoff * kZoom, ay = top - figure->yoff * kZoom;
        Compose(sheet, bank, *figure, ax, ay);
        for (int slot : {mouths[k & 1], eyes[k >> 1]}) {
            if (const Sprite* s = Find(bank, slot)) {
                Compose(sheet, bank, *s, ax, ay);
            }
        }
        Label(sheet, left, kGap / 2,
              std::to_string(kPartnerFigure) + " " + std::to_string(mouths[k & 1]) + " " +
                  std::to_string(eyes[k >> 1]));
    }
    return WriteSheet(out, "char04_talking", sheet);
}
