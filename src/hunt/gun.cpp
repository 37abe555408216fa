#include "hunt/gun.h"

#include <cmath>
#include <cstdlib>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "hunt/comments.h"
#include "hunt/flights.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"

namespace {

constexpr int32_t kGunIconX = 442, kGunIconY = 421;
constexpr int32_t kLowestShot = 400;  // clicks from here to the panel fire nothing
constexpr int32_t kHitReach = 20;     // the anchor +-19 pixels, whatever the bird's size
constexpr int32_t kGameBagPose = 1;   // the game bag shows each bird in a shallow descent
constexpr int32_t kDogStartX = 400, kDogStartY = 480, kDogStep = 9;

uint16_t& Box() {
    return player->items[kItemShells];
}

bool OwnsGun(int32_t gun) {
    return gun >= 0 && gun < kGunCount && hunt.gunOwned[static_cast<size_t>(gun)] != 0;
}

// The bird of flock f is downed: the day's tally, the game bag and the fall.
void DownBird(Flock& flock) {
    const int32_t species = flock.species;
    const int32_t sex = flock.sex;
    hunt.retriever.species = species;
    hunt.retriever.sex = sex;
    const int32_t code = BagCode(species, sex);
    GameBagEntry* entry = nullptr;
    for (int i = 0; i < kGameBagKinds && entry == nullptr; ++i) {
        if (hunt.gameBag[static_cast<size_t>(i)].code == code) {
            entry = &hunt.gameBag[static_cast<size_t>(i)];
            entry->count += 1;
        }
    }
    for (int i = 0; i < kGameBagKinds && entry == nullptr; ++i) {
        if (hunt.gameBag[static_cast<size_t>(i)].count == 0) {
            entry = &hunt.gameBag[static_cast<size_t>(i)];
            *entry = GameBagEntry{BirdPicture(species, sex, kGameBagPose), code, 1, species, sex};
        }
    }
    KillCount& kill = hunt.kills[static_cast<size_t>(KindIndex(species, sex))];
    kill.count += 1;
    kill.lastMinute = hunt.dayMinute;
    hunt.hitThisShot = 1;
    hunt.bagged += 1;
    flock.hit = 1;
    flock.tilt = 0;
    flock.graphicBase += kFallingFrame;
    flock.frame = 0;
    flock.ay = 20.0;
    flock.ax /= 2.0;
    if (flock.vy < 0.0) {
        flock.vy *= flock.ay;
    }
    hunt.lastHitSpecies = species;
    hunt.lastHitSex = sex;
}

// One step of the dog's leap: the arc follows a sine of its height.
void Leap(RetrieverState& dog, int32_t dx) {
    const double angle = (dog.y - 240) / 2.78 / 57.295;
    dog.x += dx;
    dog.y += static_cast<int32_t>(dog.step * std::sin(angle) * 12.0);
}

}  // namespace

void SwitchGun(int32_t) {
    if (action != kActionRightPress || !hunt.hasGun || player == nullptr) {
        return;
    }
    hunt.scoreDirty = 1;
    Box() = static_cast<uint16_t>(Box() + hunt.loadedShells);
    hunt.loadedShells = 0;
    hunt.gunEmpty = 1;
    hunt.hasShells = Box() != 0;
    for (int i = 1; i <= kGunCount; ++i) {
        const int32_t next = (hunt.currentGun + i) % kGunCount;
        if (OwnsGun(next)) {
            hunt.currentGun = next;
            break;
        }
    }
    SoundPlay(kIconSound);
    HideCursor();
    RestoreImage(hunt.gunIconSave.data(), workPage, kGunIconX, kGunIconY, kGunIconW, kGunIconH);
    BlitGraphic(kHuntGunIcon + hunt.currentGun, 442, 422, workPage);
    CopyPageRect(workPage, backPage, kGunIconX, kGunIconY, kGunIconW, kGunIconH);
    CopyPageRect(backPage, displaySurface, kGunIconX, kGunIconY, kGunIconW, kGunIconH);
    ShowCursor();
    AlertDucks(0);
}

void LoadShell(int32_t) {
    if (!hunt.hasShells || player == nullptr) {
        return;
    }
    hunt.scoreDirty = 1;
    if (action != kActionLeftPress) {
        return;
    }
    const int32_t capacity = OwnsGun(hunt.currentGun) ? hunt.currentGun + 1 : 0;
    if (capacity > hunt.loadedShells && Box() != 0) {
        hunt.loadedShells += 1;
        hunt.gunEmpty = 0;
        Box() = static_cast<uint16_t>(Box() - 1);
        SoundPlay(kShellLoadSound);
        hunt.hasShells = Box() != 0;
    } else {
        SoundPlay(kRefusalSound);
    }
    AlertDucks(1);
}

void ShootGun() {
    Trace("ShootGun");
    if (pointerY < kLowestShot) {
        if (hunt.loadedShells == 0) {
            hunt.gunEmpty = 1;
        } else {
            SoundPlay(kShotSound);
            if (hunt.dayMinute < hunt.beginMinute) {
                hunt.earlyShot = 1;
            }
            if (hunt.dayMinute > hunt.endMinute) {
                hunt.lateShot = 1;
            }
            hunt.scoreDirty = 1;
            hunt.loadedShells -= 1;
            hunt.shotFired = 1;
            for (Flock& flock : flocks) {
                flock.shotAt += 1;
                const int32_t dx = std::abs(pointerX - flock.x);
                const int32_t dy = std::abs(pointerY - flock.y);
                // The lower-numbered flock wins; one bird a shell.
                if (!flock.hit && !hunt.hitThisShot && flock.kind == kFlightClose &&
                    dx < kHitReach && dy < kHitReach) {
                    DownBird(flock);
                }
            }
        }
    }
    if (!hunt.hitThisShot) {
        hunt.missCount += 1;
    }
    CommentAfterShot();
    hunt.hitThisShot = 0;
}

void StartRetriever(RetrieverState& dog) {
    dog.graphic = kDogLeapingOut;
    dog.x = kDogStartX;
    dog.y = kDogStartY;
    dog.depth = 120;
    dog.step = -kDogStep;
}

int32_t StepRetriever(int32_t state, RetrieverState& dog) {
    if (state == kDogGoingOut) {
        if (dog.y < 600) {
            Leap(dog, -4);
            if (dog.y < 260) {
                dog.step = kDogStep;
                dog.graphic = kDogLandingBeyond;
                dog.depth = 105;
            }
            return state;
        }
        dog.graphic = kDogLeapingBack;
        dog.x = kDogStartX;
        dog.y = kDogStartY;
        dog.depth = 105;
        dog.step = -kDogStep;
        dog.carried = DogCarrying(dog.species, dog.sex);
        return kDogComingBack;
    }
    if (state == kDogComingBack) {
        if (dog.y < 700) {
            Leap(dog, 4);
            if (dog.y < 260) {
                dog.step = kDogStep;
                dog.graphic = kDogLandingNear;
                dog.depth = 120;
            }
            return state;
        }
        return kDogIdle;
    }
    return state;
}

void DrawDog(int32_t state, const RetrieverState& dog) {
    BlitGraphicLayer(dog.graphic, dog.x, dog.y, dog.depth);
    if (state == kDogComingBack) {
        BlitGraphicLayer(dog.carried, dog.x, dog.y, dog.depth);
    }
}

void Retriever() {
    Trace("Retriever");
    StartRetriever(hunt.retriever);
    hunt.retrieverState = kDogGoingOut;
}

void EraseRetriever() {
    CopyPageRect(workPage, backPage, kDogAreaX, kDogAreaY, kDogAreaW, kDogAreaH);
}

void DrawRetriever() {
    DrawDog(hunt.retrieverState, hunt.retriever);
}

void MoveRetriever() {
    CopyPageRect(backPage, displaySurface, kDogAreaX, kDogAreaY, kDogAreaW, kDogAreaH);
    hunt.retrieverState = StepRetriever(hunt.retrieverState, hunt.retriever);
}
