#include "palette.h"

#include <cstddef>
#include <vector>

namespace {

// A ramp between key colours, spread evenly over `steps` entries.
struct Ramp {
    int steps;
    std::vector<Rgb> keys;
};

Rgb Lerp(Rgb a, Rgb b, double t) {
    auto mix = [t](int x, int y) { return static_cast<uint8_t>(x + (y - x) * t + 0.5); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Rgb Sample(const Ramp& ramp, int i) {
    if (ramp.steps == 1) {
        return ramp.keys.front();
    }
    double pos = static_cast<double>(i) / (ramp.steps - 1) * (ramp.keys.size() - 1);
    size_t k = static_cast<size_t>(pos);
    if (k + 1 >= ramp.keys.size()) {
        return ramp.keys.back();
    }
    return Lerp(ramp.keys[k], ramp.keys[k + 1], pos - k);
}

constexpr Rgb kOutline = {26, 18, 12};
constexpr Rgb kCreamFace = {255, 246, 222};
constexpr Rgb kGoldFace = {255, 206, 84};

// In the order they fill the free entries, low to high. 247 entries in all.
const std::vector<Ramp>& Ramps() {
    static const std::vector<Ramp> ramps = {
        {14, {{14, 12, 10}, {92, 86, 80}, {172, 166, 158}, {242, 238, 230}}},   // greys
        {16, {{16, 22, 58}, {44, 66, 128}, {104, 146, 204}, {226, 236, 246}}},  // sky
        {16,
         {{66, 46, 98}, {178, 94, 122}, {238, 142, 82}, {252, 206, 116}, {255, 242, 204}}},  // dawn
        {16,
         {{8, 26, 34}, {34, 64, 80}, {84, 122, 138}, {172, 198, 204}, {232, 240, 238}}},    // water
        {16, {{16, 24, 8}, {46, 68, 22}, {96, 118, 42}, {168, 180, 88}, {214, 220, 150}}},  // reeds
        {16, {{42, 30, 14}, {116, 88, 46}, {188, 158, 98}, {238, 220, 166}}},               // straw
        {16, {{30, 16, 8}, {78, 44, 20}, {138, 84, 40}, {196, 138, 78}, {236, 192, 132}}},  // wood
        {14, {{40, 10, 6}, {118, 38, 20}, {188, 78, 38}, {230, 142, 90}}},       // chestnut
        {10, {{6, 30, 20}, {18, 80, 50}, {40, 142, 92}, {124, 204, 152}}},       // mallard green
        {12, {{50, 38, 28}, {108, 84, 60}, {168, 138, 104}, {222, 202, 172}}},   // hen brown
        {12, {{82, 52, 36}, {160, 110, 80}, {220, 170, 130}, {250, 216, 186}}},  // skin
        {12, {{60, 40, 8}, {150, 110, 20}, {222, 180, 60}, {255, 236, 150}}},    // brass
        {12, {{50, 6, 6}, {140, 20, 18}, {210, 52, 40}, {250, 132, 110}}},       // red
        {12, {{120, 100, 70}, {200, 180, 140}, {246, 236, 206}}},                // parchment
        {kTextRampSteps, {kOutline, kCreamFace}},                                // cream text
        {kTextRampSteps, {kOutline, kGoldFace}},                                 // gold text
        {12, {{20, 22, 28}, {60, 66, 78}, {120, 128, 140}, {192, 198, 208}}},    // gun metal
        {11, {{30, 20, 40}, {88, 60, 108}, {162, 132, 182}}},                    // dusk
    };
    return ramps;
}

constexpr bool IsFixed(int i) {
    return i == kTransparent || i == kTextYellow || i == kTextCream || i == kRowSelected ||
           i == kDialogButton || i == kDialogFrame || i >= kRowPlain;
}

struct Built {
    Palette palette{};
    std::array<uint8_t, kTextRampSteps> cream{};
    std::array<uint8_t, kTextRampSteps> gold{};
};

Built Build() {
    Built built;
    Palette& p = built.palette;
    p[kTransparent] = {0, 0, 0};
    p[kTextYellow] = {255, 232, 120};
    p[kTextCream] = {250, 244, 224};
    p[kRowSelected] = {196, 136, 46};
    p[kDialogButton] = {150, 108, 62};
    p[kDialogFrame] = {98, 76, 52};
    p[kRowPlain] = {62, 50, 38};
    p[kDark] = {22, 16, 10};
    p[kWhite] = {255, 255, 255};
    const auto& ramps = Ramps();
    int next = 0;
    for (size_t r = 0; r < ramps.size(); r++) {
        for (int i = 0; i < ramps[r].steps; i++) {
            while (IsFixed(next)) {
                next++;
            }
            if (next > 255) {
                return built;  // the static_assert-like check in the tests catches this
            }
            if (r == 14) {
                built.cream[i] = static_cast<uint8_t>(next);
            } else if (r == 15) {
                built.gold[i] = static_cast<uint8_t>(next);
            }
            p[next++] = Sample(ramps[r], i);
        }
    }
    return built;
}

const Built& Master() {
    static const Built built = Build();
    return built;
}

}  // namespace

const Palette& MasterPalette() {
    return Master().palette;
}
const std::array<uint8_t, kTextRampSteps>& CreamTextRamp() {
    return Master().cream;
}
const std::array<uint8_t, kTextRampSteps>& GoldTextRamp() {
    return Master().gold;
}

uint8_t NearestIndex(int r, int g, int b) {
    // Cached at 6 bits a channel: plenty for ramps 12 to 16 steps long.
    static std::vector<int16_t> cache(1 << 18, -1);
    auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    r = clamp(r);
    g = clamp(g);
    b = clamp(b);
    int key = (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
    if (cache[key] >= 0) {
        return static_cast<uint8_t>(cache[key]);
    }
    int cr = (r & ~3) + 2, cg = (g & ~3) + 2, cb = (b & ~3) + 2;
    const Palette& p = MasterPalette();
    long best = -1;
    int bestIndex = 1;
    for (int i = 1; i < 256; i++) {
        // Weighted by how the eye sees reds and blues at either end.
        long mean = (cr + p[i].r) / 2;
        long dr = cr - p[i].r, dg = cg - p[i].g, db = cb - p[i].b;
        long d = ((512 + mean) * dr * dr >> 8) + 4 * dg * dg + ((767 - mean) * db * db >> 8);
        if (best < 0 || d < best) {
            best = d;
            bestIndex = i;
        }
    }
    cache[key] = static_cast<int16_t>(bestIndex);
    return static_cast<uint8_t>(bestIndex);
}
