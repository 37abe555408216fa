#include "hunt/judgement.h"

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "hunt/characters.h"
#include "hunt/clubs.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kClubWithoutRules = 3;
constexpr int32_t kGoalsAtClub3 = 6;  // every kind at least this often

int32_t Killed(uint8_t mask) {
    int32_t total = 0;
    for (int32_t kind = 0; kind < kKindsOfBird; ++kind) {
        if ((mask & (1u << kind)) != 0) {
            total += hunt.kills[static_cast<size_t>(kind)].count;
        }
    }
    return total;
}

void DrawMoney(int32_t y, int32_t h) {
    CopyPageRect(workPage, backPage, 442, y, 192, h);
    textTarget = backPage;
    DrawFontTextf(0, 566, 437, "%d", player->money);
    CopyPageRect(backPage, displaySurface, 442, y, 192, h);
}

// Switches away from the hunt to the screen its day ended in.
void LeaveHunt(int32_t screen) {
    hunt.nextScreen = screen;
    SwitchScreen(static_cast<uint32_t>(screen));
}

}  // namespace

int32_t FindBreaches(std::array<Breach, kMostBreaches>* out) {
    int32_t n = 0;
    auto add = [&](bool holds, int32_t first, int32_t fine, int32_t sentence) {
        if (holds) {
            // The second number of each pair once she has already spoken.
            (*out)[static_cast<size_t>(n)] = {n == 0 ? first : first + 1, fine, sentence};
            ++n;
        }
    };
    add(hunt.shotFired && !hunt.hasLicense, kLicenceComment, kLicenceFine, 1);
    add(hunt.bagged > hunt.bagLimit, kBagLimitComment, kBagLimitFine, 1);
    add(hunt.earlyShot != 0, kEarlyComment, kHoursFine, 0);
    add(hunt.lateShot != 0, kLateComment, kHoursFine, 0);
    for (const SpeciesRule& rule : ClubInfo(hunt.club).rules) {
        add(rule.kindMask != 0 && Killed(rule.kindMask) > rule.most, rule.comment, kSpeciesFine, 0);
    }
    return n;
}

int32_t ScreenAfterHunt(int32_t said) {
    if (!hunt.shotFired) {
        return kScreenMain;
    }
    if (hunt.jailState != kJailFree) {
        return kScreenJail;
    }
    if (said) {
        return kScreenMain;
    }
    if (hunt.club == kClubWithoutRules) {
        for (const KillCount& kill : hunt.kills) {
            if (kill.count < kGoalsAtClub3) {
                return kScreenMain;
            }
        }
    }
    return kScreenGoals;
}

void ExitWaterfowl() {
    Trace("ExitWaterfowl");
    if (hunt.dayOver) {
        LeaveHunt(hunt.nextScreen);  // judged already; only the switch is left
        return;
    }
    hunt.dayOver = 1;
    if (hunt.jailState != kJailFree) {
        LeaveHunt(kScreenJail);
        return;
    }
    ShowMoneyPanel();
    std::array<Breach, kMostBreaches> breaches{};
    const int32_t count = FindBreaches(&breaches);
    for (int32_t i = 0; i < count; ++i) {
        const Breach& breach = breaches[static_cast<size_t>(i)];
        DoWilmaComment(breach.comment);
        if (breach.sentence) {
            hunt.jailState = 1 + Random() % 3;  // drawn before the fine, as the game has it
        }
        PayFine(breach.fine);
        if (hunt.jailState == kJailUnpaidFine) {
            LeaveHunt(kScreenJail);
            return;
        }
    }
    LeaveHunt(ScreenAfterHunt(count > 0));
}

void PayFine(int32_t dollars) {
    if (player == nullptr || player->money < 0) {
        return;
    }
    for (int32_t i = 0; i < dollars; ++i) {
        player->money -= 1;
        if (player->money < 0) {
            player->money = 0;
            hunt.jailState = kJailUnpaidFine;
            return;
        }
        SoundPlay(kFineDollarSound);
        DrawMoney(424, 52);
        WaitSound(kFineDollarSound);
    }
}

void ShowMoneyPanel() {
    RestoreImage(hunt.gunIconSave.data(), workPage, 442, 421, kGunIconW, kGunIconH);
    RestoreImage(hunt.shellIconSave.data(), workPage, 528, 421, kShellIconW, kShellIconH);
    BlitGraphic(kMoneyPanelIcon, 442, 424, workPage);
    if (player != nullptr) {
        DrawMoney(421, 55);
    }
}
