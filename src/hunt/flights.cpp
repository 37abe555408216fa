#include "hunt/flights.h"

#include <array>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "hunt/clubs.h"
#include "hunt/comments.h"
#include "hunt/gun.h"
#include "hunt/hunt.h"
#include "hunt/panel.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"

namespace {

constexpr int32_t kLeftStart = -20;
constexpr int32_t kRightStart = 700;
constexpr int32_t kCallIconX = 370, kCallIconY = 421;

// Close flight by size: groundY and depth for scale 30, 40, ... 100.
constexpr std::array<CloseSize, 8> kSizes = {{
    {273, 65},
    {295, 71},
    {318, 77},
    {347, 84},
    {375, 92},
    {408, 101},
    {440, 110},
    {480, 119},
}};

// Close flight by pose: increments before ax is doubled (mirrored negates ax).
struct PoseRow {
    double ax;
    double ay;
};
constexpr std::array<PoseRow, 5> kPoses = {{
    {12.0, 4.0},   // steep descent
    {24.0, 2.0},   // shallow descent
    {30.0, 0.0},   // level
    {24.0, -2.0},  // shallow climb
    {12.0, -4.0},  // steep climb
}};

int32_t Coin() {
    return Random() % 2;
}

int32_t ScatteredInterest() {
    return -25 - Random() % 75;
}

Flock& At(int32_t f) {
    return flocks[static_cast<size_t>(f)];
}

// The flock's flight is over: the next one, then the partner may speak.
void EndFlight(int32_t f) {
    NewMotion(f);
    CommentAtEnd();
}

// The step shared by far and close flight; `climbAway` when shot at.
void MovementStep(int32_t f, bool climbAway) {
    Flock& flock = At(f);
    flock.vx += flock.ax;
    flock.vy += flock.ay;
    if (climbAway) {
        flock.vy -= 20.0;
    }
    const double scale = flock.scale / 100.0;
    flock.x += static_cast<int32_t>(flock.vx * scale);
    flock.y += static_cast<int32_t>(flock.vy * scale);
    FlockRect(f);
    // A step of more than a pixel is spent at once; slower motion accumulates.
    if (flock.vx * scale > 1.0 || flock.vx * scale < -1.0) {
        flock.vx = 0.0;
    }
    if (flock.vy * scale > 1.0 || flock.vy * scale < -1.0) {
        flock.vy = 0.0;
    }
    if (flock.x < -200 || flock.x > 800 || flock.y < -200) {
        EndFlight(f);
    }
}

// The wing cycle; the close flight bounds it by cycleBound, the rest use all six.
int32_t NextWing(Flock& flock, int32_t bound) {
    if (flock.seqIndex < 0 || flock.seqIndex > 5) {
        flock.seqIndex = 0;
    }
    const int32_t wing = flock.wingSeq[static_cast<size_t>(flock.seqIndex)];
    flock.seqIndex += 1;
    if (flock.seqIndex > bound) {
        flock.seqIndex = 0;
    }
    return wing;
}

bool OwnsCall(int32_t call) {
    return player != nullptr && call >= 0 && call < kCallCount &&
           player->items[static_cast<size_t>(kItemCall1 + call)] != 0;
}

}  // namespace

CloseSize CloseFlightSize(int32_t scale) {
    return kSizes[static_cast<size_t>((scale - 30) / 10)];
}

void FlockRect(int32_t f) {
    Flock& flock = At(f);
    const int32_t g = flock.graphicBase + flock.frame;
    GraphicSlot slot{};
    if (g >= 0 && g < kGraphicSlots) {
        slot = Graphic[static_cast<size_t>(g)];
    }
    const int32_t ox = slot.xoff * flock.scale / 100;
    int32_t x = flock.mirrored ? flock.x - (ox + slot.width) : flock.x + ox;
    flock.rect.x = x / 4 * 4;
    flock.rect.y = flock.y + slot.yoff;
    flock.rect.w = slot.width / 4 * 4 + 4;
    flock.rect.h = slot.height;
}

void InitWaterfowl() {
    Trace("InitWaterfowl");
    for (int32_t f = 0; f < kFlockCount; ++f) {
        Flock& flock = At(f);
        flock.active = 1;
        flock.graphicBase = kBirdSlot;
        flock.frame = 0;
        flock.x = 700;
        flock.y = 200;
        flock.depth = 50;
        flock.scale = 100;
        flock.mirrored = 0;
        FlockRect(f);
        flock.prevRect = flock.rect;
        flock.seqIndex = 0;
        flock.pose = 0;
        flock.wingSeq = {0, 1, 2, 3, 2, 1};
        flock.kind = kFlightClose;
        flock.hit = 0;
    }
    hunt.gameBag = {};
    hunt.loadedShells = hunt.shotFired = hunt.callUsed = hunt.missCount = 0;
    hunt.earlyShot = hunt.lateShot = hunt.retrieverState = 0;
    hunt.prevailingDirection = Coin();
    for (int32_t s = 0; s < kSpeciesCount; ++s) {
        hunt.timesPicked[static_cast<size_t>(s)] = 0;
        hunt.decoyFactor = 50;
        hunt.interest[static_cast<size_t>(s)] = ScatteredInterest();
    }
    hunt.callCount = 0;
    hunt.totalPicks = 100;
}

void NewMotion(int32_t f) {
    Trace("NewMotion(%d)", f);
    PickSpecies(f);
    const int32_t chance = Random() % (hunt.decoyFactor + 21);
    Flock& flock = At(f);
    StatusPrintf("NewMotion: chance=%d, species=%s, sex=%s", chance,
                 speciesNames[static_cast<size_t>(flock.species)],
                 sexNames[static_cast<size_t>(flock.sex)]);
    // Kept as the game has it: the entry looked at is the flock's number, not its species.
    if (chance < 10 && hunt.interest[static_cast<size_t>(f)] > 0) {
        InitFlyClose(f);
    } else if (Random() % 3 == 1) {
        InitFlyFar(f);
    } else {
        InitFlyNot(f);
    }
}

void PickSpecies(int32_t f) {
    Trace("PickSpecies: BEGIN");
    int32_t species = 0;
    int32_t best = -100;
    for (int32_t s = 0; s < kSpeciesCount; ++s) {
        if (hunt.interest[static_cast<size_t>(s)] > best) {
            best = hunt.interest[static_cast<size_t>(s)];
            species = s;
        }
    }
    const Club& club = ClubInfo(hunt.club);
    for (int test = 0; test < 20; ++test) {
        const int32_t ratio = club.speciesRatio[static_cast<size_t>(species)];
        int32_t& picked = hunt.timesPicked[static_cast<size_t>(species)];
        Trace("PickSpecies: timesPicked[%d] = %d, speciesRatio=%d", species, picked, ratio);
        if (ratio * hunt.totalPicks / 100 > picked) {
            hunt.totalPicks += 1;
            picked += 1;
            Trace("okay, species = %d", species);
            break;
        }
        species = Random() % kSpeciesCount;
        Trace("trying again, species now is %d", species);
    }
    Flock& flock = At(f);
    flock.species = species;
    flock.kind = kFlightClose;
    flock.sex = Coin();
    Trace("PickSpecies END: species=%s, sex=%s", speciesNames[static_cast<size_t>(species)],
          sexNames[static_cast<size_t>(flock.sex)]);
}

void InitFlyNot(int32_t f) {
    Trace("InitFlyNot(%d)", f);
    Flock& flock = At(f);
    flock.hit = 0;
    flock.kind = kFlightAbsent;
    flock.shotAt = 0;
    flock.waitTicks = 20 + Random() % 20;
    flock.waitCount = 0;
    flock.motion = FlyNot;
}

void FlyNot(int32_t f) {
    Flock& flock = At(f);
    Trace("FlyNot(%d)", f);
    StatusPrintf("FlyNot: %d / %d", flock.waitCount, flock.waitTicks);
    flock.waitCount += 1;
    if (flock.waitCount > flock.waitTicks) {
        EndFlight(f);
    }
}

void InitFlyFar(int32_t f) {
    Trace("InitFlyFar(%d)", f);
    Flock& flock = At(f);
    if (Random() % 50 == 25) {
        hunt.prevailingDirection ^= 1;
    }
    flock.scale = (Random() % 6 * 5 + 25) * 2;
    flock.frame = Random() % 4;
    const int32_t direction = Random() % 10 == 5 ? Coin() : hunt.prevailingDirection;
    flock.pose = direction;
    flock.mirrored = static_cast<uint8_t>(direction);
    flock.cycleBound = 4;
    flock.ax = direction == 0 ? 15.0 : -15.0;
    flock.ay = 0.005;
    flock.x = direction == 0 ? kLeftStart : kRightStart;
    flock.graphicBase = kFarFlockSlot + 4 * Coin();
    flock.y = Random() % 160;
    flock.depth = flock.y / 4;
    flock.hit = 0;
    flock.kind = kFlightFar;
    flock.shotAt = 0;
    flock.motion = FlyFar;
}

void FlyFar(int32_t f) {
    Trace("FlyFar(%d)", f);
    Flock& flock = At(f);
    flock.frame = NextWing(flock, 5);
    MovementStep(f, flock.shotAt != 0);
    Trace("end of FlyFar");
}

void InitFlyClose(int32_t f) {
    Trace("InitFlyClose(%d)", f);
    Flock& flock = At(f);
    flock.scale = (Random() % 8 * 5 + 15) * 2;
    const CloseSize size = CloseFlightSize(flock.scale);
    flock.groundY = size.groundY;
    flock.mirrored = static_cast<uint8_t>(Random() % 10 == 5 ? Coin() : hunt.prevailingDirection);
    flock.pose = Random() % 5;
    flock.tilt = Random() % 3;
    flock.graphicBase = kBirdSlot + BirdPicture(flock.species, flock.sex, flock.pose);
    flock.frame = Random() % 4;
    flock.cycleBound = 4;
    const PoseRow& pose = kPoses[static_cast<size_t>(flock.pose)];
    flock.ax = flock.mirrored ? -pose.ax : pose.ax;
    flock.ay = pose.ay;
    flock.x = flock.mirrored ? kRightStart : kLeftStart;
    flock.ax *= 2.0;
    flock.y = Random() % (flock.scale * kBandPercent / 100);
    flock.depth = size.depth;
    flock.tiltChance = 4;
    flock.kind = kFlightClose;
    flock.hit = 0;
    flock.shotAt = 0;
    CommentAtStart(f);
    flock.motion = FlyClose;
}

void FlyClose(int32_t f) {
    Flock& flock = At(f);
    Trace("FlyClose(%d)", f);
    Trace("FlyClose: species=%d, sex=%d", flock.species, flock.sex);
    StatusPrintf("FlyClose: species=%s, sex=%s", speciesNames[static_cast<size_t>(flock.species)],
                 sexNames[static_cast<size_t>(flock.sex)]);
    if (flock.hit) {
        flock.frame = NextWing(flock, 5);
        if (flock.groundY < flock.y) {
            // In the water: wipe the bird and send the dog.
            for (const HuntRect& r : {flock.prevRect, flock.rect}) {
                CopyPageRect(workPage, backPage, r.x, r.y, r.w + 8, r.h + 8);
                CopyPageRect(backPage, displaySurface, r.x, r.y, r.w + 8, r.h + 8);
            }
            flock.x = kRightStart;
            Retriever();
            EndFlight(f);
            return;
        }
        MovementStep(f, false);
        return;
    }
    if (Random() % flock.tiltChance == flock.tiltChance / 2) {
        Trace("adding tilt");
        if (Coin() == 0) {
            flock.tilt -= 1;
            if (flock.tilt < 0) {
                flock.tilt = 1;
            }
        } else {
            flock.tilt += 1;
            if (flock.tilt > 2) {
                flock.tilt = 1;
            }
        }
    }
    flock.frame = NextWing(flock, flock.cycleBound) + flock.tilt * 4;
    if (flock.y > flock.scale * kBandPercent / 100) {
        // Kept as the game has it: the turn adds vy * ay * 2.
        flock.ay = -flock.ay;
        flock.y += static_cast<int32_t>(flock.vy * flock.ay * 2.0);
    }
    MovementStep(f, flock.shotAt != 0);
    Trace("end of FlyClose");
}

void ChangeDistances() {
    Trace("ChangeDistances");
    for (int32_t s = 0; s < kSpeciesCount; ++s) {
        const auto i = static_cast<size_t>(s);
        hunt.interest[i] += hunt.alert[i] + hunt.decoyFactor * 2 + (Random() % 4 - 1);
    }
}

void UseDuckCall(int32_t kind) {
    Trace("UseDuckCall(%d)", kind);
    hunt.callCount += 10;
    if (hunt.callCount > 50) {
        // Overcalling: the birds lose their interest.
        for (int32_t& level : hunt.interest) {
            level = ScatteredInterest();
        }
    }
    if (hunt.currentCall == 0) {
        hunt.interest[0] += 15;
    } else if (hunt.currentCall == 2) {
        hunt.interest[3] += 15;
    }
    hunt.callUsed = 1;
}

void AlertDucks(int32_t source) {
    Trace("AlertDucks(%d)", source);
    for (Flock& flock : flocks) {
        if (flock.x >= 10 && flock.x <= 630 && !flock.hit) {
            flock.vy -= 5.0;
        }
    }
}

void DuckCallButton(int32_t) {
    if (!hunt.hasCall) {
        return;
    }
    if (action == kActionRightPress) {
        int32_t call = hunt.currentCall;
        for (int i = 1; i <= kCallCount; ++i) {
            const int32_t next = (hunt.currentCall + i) % kCallCount;
            if (OwnsCall(next)) {
                call = next;
                break;
            }
        }
        hunt.currentCall = call;
        SoundPlay(kIconSound);
        HideCursor();
        RestoreImage(hunt.callIconSave.data(), workPage, kCallIconX, kCallIconY, kCallIconW,
                     kCallIconH);
        BlitGraphic(kCallIcon + call, 371, 422, workPage);
        CopyPageRect(workPage, backPage, kCallIconX, kCallIconY, kCallIconW, kCallIconH);
        CopyPageRect(backPage, displaySurface, kCallIconX, kCallIconY, kCallIconW, kCallIconH);
        ShowCursor();
    } else if (action == kActionLeftPress && OwnsCall(hunt.currentCall)) {
        for (int n = kFirstCallSound; n < kFirstCallSound + kCallSoundCount; ++n) {
            SoundStop(n);
        }
        const int32_t kind = pointerY < 450 ? 1 : 2;
        SoundPlay(kFirstCallSound - 1 + kind + 2 * hunt.currentCall);
        UseDuckCall(kind);
        switch (hunt.currentCall) {
            case 0:
                hunt.alert[0] = 100;
                break;
            case 1:
                hunt.alert[1] = 100;
                break;
            default:
                hunt.alert[2] = 100;
                hunt.alert[3] = 100;
                break;
        }
    }
}
