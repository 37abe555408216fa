// What composing a frame costs: the blitters on page-sized graphics, in pixels
// per second, and a full-screen reveal's copying (the headless virtual clock
// makes its pauses nearly free).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/blit.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/transitions.h"
#include "gdl/gdl_internal.h"
#include "platform/graphics.h"
#include "sys/backend.h"

namespace {

constexpr int64_t kPagePixels = 640 * 480;

// The headless display, a 640 by 480 sprite with a transparent pixel in every
// five and a depth map that hides about a third of the screen. Each benchmark
// brings them up and takes them down again (TearDownPages).
void SetUpPages() {
    SysSetHeadless(true);
    static char instance;
    GDL_setAppInstance(&instance);
    if (GraphicsInit() != 1) {
        std::abort();
    }
    for (int slot : {kSpriteSlot, kDepthMapSlot}) {
        GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        g = GraphicSlot{640 * 480, 640, 480, 0, 0, static_cast<uint8_t*>(GDL_malloc(640 * 480))};
        for (int i = 0; i < 640 * 480; ++i) {
            g.data[i] = slot == kSpriteSlot ? static_cast<uint8_t>(i % 5 == 0 ? 0 : i % 251 + 1)
                                            : static_cast<uint8_t>(i % 3 == 0 ? 200 : 10);
        }
    }
    std::memset(backPage->pixels, 1, static_cast<size_t>(backPage->bytesPerLine) * 480);
}

void TearDownPages() {
    ResetGraphicBanks();
    GraphicsExit();
    SysSetHeadless(false);
}

void BM_BlitGraphic(benchmark::State& state) {
    SetUpPages();
    for (auto _ : state) {
        BlitGraphic(kSpriteSlot, 0, 0, backPage);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPagePixels);
    TearDownPages();
}
BENCHMARK(BM_BlitGraphic);

void BM_BlitGraphicLayer(benchmark::State& state) {
    SetUpPages();
    for (auto _ : state) {
        BlitGraphicLayer(kSpriteSlot, 0, 0, 100);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPagePixels);
    TearDownPages();
}
BENCHMARK(BM_BlitGraphicLayer);

// Items are target pixels: the scaled size, cut to the screen.
void BM_ScaleGraphic(benchmark::State& state) {
    SetUpPages();
    const auto percent = static_cast<int32_t>(state.range(0));
    const auto mirror = static_cast<int32_t>(state.range(1));
    // Mirrored, the anchor is the right edge: place the sprite at the same spot.
    const int32_t x = mirror ? 640 * percent / 100 : 0;
    for (auto _ : state) {
        ScaleGraphic(kSpriteSlot, x, 0, 100, percent, mirror);
        benchmark::ClobberMemory();
    }
    const int64_t width = std::min<int64_t>(640, 640 * percent / 100);
    const int64_t height = std::min<int64_t>(480, 480 * percent / 100);
    state.SetItemsProcessed(state.iterations() * width * height);
    TearDownPages();
}
BENCHMARK(BM_ScaleGraphic)->ArgsProduct({{30, 50, 100, 150}, {0, 1}});

void BM_BlockWipeTopLeft(benchmark::State& state) {
    SetUpPages();
    for (auto _ : state) {
        BlockWipeTopLeft();
    }
    state.SetItemsProcessed(state.iterations() * kPagePixels);
    TearDownPages();
}
BENCHMARK(BM_BlockWipeTopLeft);

void BM_BlockWipeSpiral(benchmark::State& state) {
    SetUpPages();
    for (auto _ : state) {
        BlockWipeSpiral();
    }
    state.SetItemsProcessed(state.iterations() * kPagePixels);
    TearDownPages();
}
BENCHMARK(BM_BlockWipeSpiral);

void BM_DissolveScreen(benchmark::State& state) {
    SetUpPages();
    for (auto _ : state) {
        DissolveArea(0, 0, 640, 480);
    }
    state.SetItemsProcessed(state.iterations() * kPagePixels);
    TearDownPages();
}
BENCHMARK(BM_DissolveScreen);

// The software window's repaint after a palette change (the hunt's dawn and
// dusk): the whole picture converted and scaled into a window at a whole
// scale, four bytes a pixel. Pixels per second are the picture's.
void BM_RepaintWholeWindow(benchmark::State& state) {
    const auto scale = static_cast<int32_t>(state.range(0));
    const int32_t width = kGdlWidth * scale, height = kGdlHeight * scale;
    std::vector<uint8_t> shown(static_cast<size_t>(kPagePixels));
    for (size_t i = 0; i < shown.size(); ++i) {
        shown[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
    }
    uint32_t colours[256];
    for (uint32_t i = 0; i < 256; ++i) {
        colours[i] = 0xFF000000u | i * 0x010101u;
    }
    std::vector<uint32_t> window(static_cast<size_t>(width) * height);
    const GDL_Rect view = {0, 0, width, height};
    const GDL_Rect all = {0, 0, kGdlWidth, kGdlHeight};
    for (auto _ : state) {
        GdlScalePicture(shown.data(), colours, view, all, reinterpret_cast<uint8_t*>(window.data()),
                        width * 4, 4);
        benchmark::DoNotOptimize(window.data());
    }
    state.SetItemsProcessed(state.iterations() * kPagePixels);
}
BENCHMARK(BM_RepaintWholeWindow)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace
