// The figures of the hunt that are not birds: the partner in the blind talks
// through overlays that must sit exactly on his face, and the retriever and the
// bird it carries must stay inside the box the hunt erases behind the dog, on
// every step of its leap out and back.
#include <algorithm>

#include "data/data_art.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "hunt/characters.h"
#include "hunt/gun.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"

namespace {

ScreenRect Placed(int slot, int x, int y) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
    return {x + g.xoff, y + g.yoff, g.width, g.height};
}

int Opaque(const std::vector<uint8_t>& px) {
    return static_cast<int>(std::count_if(px.begin(), px.end(), [](uint8_t p) { return p != 0; }));
}

TEST_F(DataTest, PartnerTalksWithOverlaysOnHisFace) {
    ASSERT_EQ(LoadGraphics(kPartnerSlot, "char04"), kPartnerGraphics) << LogText();
    ScreenRect figure = Placed(kPartnerFigure, kPartnerX, kPartnerY);
    EXPECT_LT(figure.y, 420 - 80) << "head and shoulders rise above the blind's edge";
    EXPECT_LE(figure.y + figure.h, 420) << "the area he redraws stays off the panel";
    EXPECT_GT(Opaque(Pixels(kPartnerFigure)), figure.w * figure.h / 2);
    std::vector<uint8_t> base = Pixels(kPartnerFigure);
    for (auto [pair, alternative] : {std::pair{kPartnerMouthShut, kPartnerMouthOpen},
                                     std::pair{kPartnerEyesOpen, kPartnerEyesBlink}}) {
        SCOPED_TRACE("overlays " + std::to_string(pair));
        ScreenRect a = Placed(pair, kPartnerX, kPartnerY),
                   b = Placed(alternative, kPartnerX, kPartnerY);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.w, b.w);
        EXPECT_EQ(a.h, b.h);
        EXPECT_GE(a.x, figure.x);
        EXPECT_GE(a.y, figure.y);
        EXPECT_LE(a.x + a.w, figure.x + figure.w);
        EXPECT_LE(a.y + a.h, figure.y + figure.h);
        // The resting overlay is the figure itself, pixel for pixel; the other
        // one differs (an open mouth, shut eyes).
        std::vector<uint8_t> rest = Pixels(pair), other = Pixels(alternative);
        int same = 0, changed = 0;
        for (int j = 0; j < a.h; j++) {
            for (int i = 0; i < a.w; i++) {
                size_t o = static_cast<size_t>(j) * a.w + i;
                size_t f =
                    static_cast<size_t>(a.y - figure.y + j) * figure.w + (a.x - figure.x + i);
                same += rest[o] == base[f];
                changed += rest[o] != other[o];
            }
        }
        EXPECT_EQ(same, a.w * a.h);
        EXPECT_GT(changed, 6);
    }
}

struct DogStep {
    int graphic, x, y, state;
};

// The dog's path as the hunt moves it: out over the berm, back with the bird.
std::vector<DogStep> RetrieverPath() {
    RetrieverState dog{};
    StartRetriever(dog);
    std::vector<DogStep> steps;
    for (int32_t state = kDogGoingOut; state != kDogIdle && steps.size() < 200;
         state = StepRetriever(state, dog)) {
        steps.push_back({dog.graphic, dog.x, dog.y, state});
    }
    return steps;
}

// The birds the dog may carry back.
constexpr int kFirstBird = DogCarrying(0, 0), kLastBird = DogCarrying(3, 1);

TEST_F(DataTest, RetrieverStaysInsideTheErasedBoxWithTheBirdInItsMouth) {
    ASSERT_EQ(LoadGraphics(kSpriteSlot, "sprites"), kSpriteGraphics) << LogText();
    std::vector<DogStep> path = RetrieverPath();
    ASSERT_GT(path.size(), 20u);
    ASSERT_LT(path.size(), 200u);
    for (int slot = kDogLeapingOut; slot < kDogLeapingOut + kDogPictures; slot++) {
        EXPECT_GT(Opaque(Pixels(slot)), slot < kFirstBird ? 3000 : 600)
            << "slot " << slot << " is drawn";
    }
    for (const DogStep& s : path) {
        std::vector<int> shown = {s.graphic};
        for (int bird = kFirstBird; s.state == kDogComingBack && bird <= kLastBird; bird++) {
            shown.push_back(bird);
        }
        for (int slot : shown) {
            ScreenRect r = Placed(slot, s.x, s.y);
            if (r.y >= 480) {
                continue;  // wholly below the screen: nothing is drawn
            }
            SCOPED_TRACE("slot " + std::to_string(slot) + " at " + std::to_string(s.x) + "," +
                         std::to_string(s.y));
            EXPECT_GE(r.x, kDogAreaX);
            EXPECT_LE(r.x + r.w, kDogAreaX + kDogAreaW);
            EXPECT_GE(r.y, kDogAreaY);
        }
    }
    // The bird it carries lies over the dog's pixels and centred on the dog,
    // not floating beside it.
    for (int dog : {kDogLeapingBack, kDogLandingNear}) {
        const GraphicSlot& d = Graphic[static_cast<size_t>(dog)];
        std::vector<uint8_t> dogPx = Pixels(dog);
        for (int bird = kFirstBird; bird <= kLastBird; bird++) {
            SCOPED_TRACE("dog " + std::to_string(dog) + " bird " + std::to_string(bird));
            const GraphicSlot& b = Graphic[static_cast<size_t>(bird)];
            std::vector<uint8_t> birdPx = Pixels(bird);
            int over = 0, all = 0;
            long sumX = 0, sumY = 0;
            for (int j = 0; j < b.height; j++) {
                for (int i = 0; i < b.width; i++) {
                    if (birdPx[static_cast<size_t>(j) * b.width + i] == 0) {
                        continue;
                    }
                    all++;
                    int dx = b.xoff + i - d.xoff, dy = b.yoff + j - d.yoff;
                    sumX += dx;
                    sumY += dy;
                    if (dx < 0 || dy < 0 || dx >= d.width || dy >= d.height ||
                        dogPx[static_cast<size_t>(dy) * d.width + dx] == 0) {
                        continue;
                    }
                    over++;
                }
            }
            ASSERT_GT(all, 0);
            EXPECT_GT(over, all / 4);
            EXPECT_GT(sumX / all, 0);
            EXPECT_LT(sumX / all, d.width);
            EXPECT_GT(sumY / all, 0);
            EXPECT_LT(sumY / all, d.height * 2 / 3) << "up at the head, not down by the paws";
        }
    }
}

}  // namespace
