// Palettes: each surface's own table, the palette the display shows, fades,
// and the colour translation switch.
#include <algorithm>
#include <cstring>

#include "gdl/gdl.h"
#include "gdl/gdl_internal.h"

namespace {

// What the display shows; black until a palette is realised.
GDL_PaletteEntry shown[256];
int32_t blitTranslate = 1;

// The part of [first, first + count) that lies in the table; false when none does.
bool ClipRange(int32_t count, int32_t first, int32_t* from, int32_t* to) {
    const int64_t begin = std::max<int64_t>(first, 0);
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, 256);
    if (end <= begin) {
        return false;
    }
    *from = static_cast<int32_t>(begin);
    *to = static_cast<int32_t>(end);
    return true;
}

uint8_t Scale(uint8_t component, int32_t intensity) {
    return static_cast<uint8_t>(component * intensity / 255);
}

}  // namespace

const GDL_PaletteEntry* GdlShownPalette() {
    return shown;
}

void GdlResetPalette() {
    std::memset(shown, 0, sizeof(shown));
    blitTranslate = 1;
}

void GDL_setPalette(GDL_Surface* surface, const GDL_PaletteEntry* entries, int32_t count,
                    int32_t first) {
    int32_t from, to;
    if (surface == nullptr || entries == nullptr || !ClipRange(count, first, &from, &to)) {
        GdlSetResult(GDL_ERR_BAD_ARGUMENT);
        return;
    }
    // entries[0] belongs to index `first`, even when `first` is negative.
    for (int32_t i = from; i < to; ++i) {
        surface->palette[i] = entries[i - first];
        surface->palette[i].reserved = 0;
    }
}

void GDL_fadePalette(GDL_Surface* surface, const GDL_PaletteEntry* entries, int32_t count,
                     int32_t first, int32_t intensity) {
    int32_t from, to;
    if (surface == nullptr || entries == nullptr || !ClipRange(count, first, &from, &to)) {
        GdlSetResult(GDL_ERR_BAD_ARGUMENT);
        return;
    }
    intensity = std::clamp(intensity, 0, 255);
    for (int32_t i = from; i < to; ++i) {
        const GDL_PaletteEntry& entry = entries[i - first];
        surface->palette[i] = {Scale(entry.blue, intensity), Scale(entry.green, intensity),
                               Scale(entry.red, intensity), 0};
    }
}

void GDL_realizePalette(GDL_Surface* surface, int32_t count, int32_t first, int32_t waitRetrace) {
    (void)waitRetrace;  // the window shows the change at its next refresh anyway
    int32_t from, to;
    if (surface == nullptr || !ClipRange(count, first, &from, &to)) {
        GdlSetResult(GDL_ERR_BAD_ARGUMENT);
        return;
    }
    // One palette for the whole display, whichever 8-bit surface brings it.
    std::copy(surface->palette + from, surface->palette + to, shown + from);
}

int32_t GDL_setBlitTranslate(int32_t flag) {
    // Every surface is 8-bit with the same palette, so copies never translate;
    // the flag is only remembered.
    const int32_t previous = blitTranslate;
    blitTranslate = flag;
    return previous;
}
