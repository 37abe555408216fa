// The hunt's sprite bank as the game loads it: the numbering, the birds'
// geometry that the hit test and the off-screen parking rely on, and each
// duck's own colours.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "data/data_art.h"
#include "engine/blit.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/page_fixture.h"
#include "platform/graphics.h"

namespace {

const char* const kNames[8] = {"mallard hen",    "mallard drake",   "pintail hen",
                               "pintail drake",  "redhead hen",     "redhead drake",
                               "canvasback hen", "canvasback drake"};

// The first frame of a kind of bird (species * 2 + sex, as kNames) in a pose.
int Bird(int kind, int pose) {
    return kBirdSlot + BirdPicture(kind / 2, kind % 2, pose);
}

// Share of a bird's pixels in each broad colour class.
enum ColourClass {
    kGreen,
    kBlue,
    kWhite,
    kBlack,
    kRufous,
    kDarkBrown,
    kBrown,
    kBuff,
    kGrey,
    kPaleGrey,
    kClasses
};

ColourClass Classify(uint8_t index) {
    int r = gamePalette[index].red, g = gamePalette[index].green, b = gamePalette[index].blue;
    int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (g > r + 25 && g > b + 10) {
        return kGreen;
    }
    if (b > r + 40) {
        return kBlue;
    }
    if (lo > 178 && hi - lo < 40) {
        return kWhite;
    }
    if (hi < 56) {
        return kBlack;
    }
    if (r > g + 60 && r > b + 80) {
        return kRufous;
    }
    if (r > b + 28 && r >= g) {
        return hi < 112 ? kDarkBrown : (hi < 168 ? kBrown : kBuff);
    }
    return hi < 160 ? kGrey : kPaleGrey;
}

using Signature = std::array<double, kClasses>;

Signature SignatureOf(int slot) {
    Signature s{};
    const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
    int total = 0;
    for (int i = 0; i < g.width * g.height; i++) {
        if (g.data[i] != 0) {
            s[Classify(g.data[i])] += 1;
            total++;
        }
    }
    for (double& v : s) {
        v /= std::max(total, 1);
    }
    return s;
}

double Distance(const Signature& a, const Signature& b) {
    double d = 0;
    for (int i = 0; i < kClasses; i++) {
        d += (a[i] - b[i]) * (a[i] - b[i]);
    }
    return d;
}

class SpritesTest : public DataTest {};

TEST_F(SpritesTest, BankLoadsAtItsSlotAndEverySpriteSitsOnItsAnchor) {
    ASSERT_EQ(LoadGraphics(kSpriteSlot, "sprites"), kSpriteGraphics) << LogText();
    ExpectMasterPalette();
    // Decoys: their anchor is the waterline, where PlaceDecoys puts a cell.
    for (int slot = kDecoySlot; slot < kDecoySlot + kDecoyKinds; slot++) {
        const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        EXPECT_LT(g.yoff, 0) << "slot " << slot;
        EXPECT_GT(g.yoff + g.height, 0) << "a reflection below the waterline, slot " << slot;
        EXPECT_GE(g.width, 60) << "slot " << slot;
        EXPECT_LE(std::abs(2 * g.xoff + g.width), 24) << "centred, slot " << slot;
    }
    // Birds: the body covers the anchor, and a flock parked off the screen draws nothing.
    PutDepthMap(0);
    Fill(backPage, 7);
    for (int slot = kBirdSlot; slot < kBirdSlot + kBirdGraphics; slot++) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        ASSERT_GE(g.xoff, -60);
        ASSERT_LE(g.xoff + g.width, 60);
        ASSERT_LE(g.yoff, 0);
        ASSERT_GE(g.yoff + g.height, 0);
        // The body covers the anchor, so a shot at it hits.
        int covered = 0;
        for (int dy = -4; dy <= 4; dy++) {
            for (int dx = -4; dx <= 4; dx++) {
                int x = dx - g.xoff, y = dy - g.yoff;
                covered +=
                    x >= 0 && y >= 0 && x < g.width && y < g.height && g.data[y * g.width + x] != 0;
            }
        }
        EXPECT_GE(covered, 60);
        // A flock parked at x = 700 draws nothing, either way round.
        ScaleGraphic(slot, 700, 200, 119, 100, 0);
        ScaleGraphic(slot, 700, 200, 119, 100, 1);
    }
    const std::vector<uint8_t> page = Snapshot(backPage);
    EXPECT_EQ(std::count(page.begin(), page.end(), 7), 640 * 480);
}

TEST_F(SpritesTest, EachDuckKeepsItsOwnColours) {
    ASSERT_EQ(LoadGraphics(kSpriteSlot, "sprites"), kSpriteGraphics);
    // Each pose and tilt over a wing beat (the wings are much alike in every
    // duck; what tells them apart is the body and head), then each kind's mean.
    std::array<std::vector<Signature>, 8> beats;
    std::array<Signature, 8> mean{};
    for (int kind = 0; kind < 8; kind++) {
        for (int pose = 0; pose < kBirdPoses; pose++) {
            for (int tilt = 0; tilt < 3; tilt++) {
                Signature beat{};
                for (int wing = 0; wing < 4; wing++) {
                    Signature s = SignatureOf(Bird(kind, pose) + tilt * 4 + wing);
                    for (int c = 0; c < kClasses; c++) {
                        beat[c] += s[c] / 4;
                        mean[kind][c] += s[c] / 60;
                    }
                }
                beats[kind].push_back(beat);
            }
        }
    }
    // The field marks a hunter goes by.
    EXPECT_GT(mean[1][kGreen], 0.04) << "the drake mallard's green head";
    EXPECT_GT(mean[7][kWhite], 0.2) << "the drake canvasback's white body";
    EXPECT_GT(mean[7][kRufous], 0.03) << "the drake canvasback's chestnut head";
    EXPECT_GT(mean[3][kWhite], 0.1) << "the drake pintail's white breast";
    EXPECT_GT(mean[5][kRufous], 0.04) << "the drake redhead's head";
    EXPECT_GT(mean[5][kBlack], 0.06) << "the drake redhead's black breast";
    for (int hen = 0; hen < 8; hen += 2) {
        EXPECT_GT(mean[hen][kDarkBrown] + mean[hen][kBrown] + mean[hen][kBuff], 0.25)
            << kNames[hen];
        EXPECT_LT(mean[hen][kGreen] + mean[hen][kRufous], 0.02) << kNames[hen];
    }
    // And each beat looks more like its own kind than like any other.
    for (int kind = 0; kind < 8; kind++) {
        for (size_t b = 0; b < beats[kind].size(); b++) {
            int nearest = 0;
            for (int other = 1; other < 8; other++) {
                if (Distance(beats[kind][b], mean[other]) <
                    Distance(beats[kind][b], mean[nearest])) {
                    nearest = other;
                }
            }
            EXPECT_EQ(nearest, kind) << kNames[kind] << " pose " << b / 3 << " tilt " << b % 3
                                     << " looks like a " << kNames[nearest];
        }
    }
    // The drake pintail's long tail reaches furthest back of all in level flight.
    for (int kind = 0; kind < 8; kind++) {
        if (kind != 3) {
            EXPECT_LT(Graphic[static_cast<size_t>(Bird(3, 2) + 5)].xoff + 5,
                      Graphic[static_cast<size_t>(Bird(kind, 2) + 5)].xoff)
                << kNames[kind];
        }
    }
}

}  // namespace
