#include "hunt/comments.h"

#include "engine/config.h"
#include "engine/log.h"
#include "engine/random.h"
#include "hunt/captions.h"
#include "hunt/characters.h"
#include "hunt/clubs.h"
#include "hunt/hunt.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"

namespace {

constexpr int kPartner = 4;

// True (and marks it) when the once-per-hunt remark has not been made yet.
bool FirstTime(int flag) {
    uint8_t& said = hunt.saidOnce[static_cast<size_t>(flag)];
    if (said) {
        return false;
    }
    said = 1;
    return true;
}

// One of the partner's short remarks (sounds 20 to 26), with its caption.
void PlayRemark(int sound) {
    SoundPlay(sound);
    const int entry = kRemarkEntries[static_cast<size_t>(sound - kFirstRemarkSound)];
    StartRemarkCaption(kPartner, entry + 1, sound);
}

bool OneInTen() {
    return Random() % 10 == 5;
}

int32_t BoxShells() {
    return player != nullptr ? player->items[kItemShells] : 0;
}

// The partner's warning after a bird of a kind the club limits: he looks at
// each sex alone (the warden adds them up).
bool SpeciesWarning() {
    if (hunt.lastHitSpecies < 0 || hunt.lastHitSpecies >= kSpeciesCount || hunt.lastHitSex < 0 ||
        hunt.lastHitSex > 1) {
        return false;
    }
    const int32_t last = KindIndex(hunt.lastHitSpecies, hunt.lastHitSex);
    for (const SpeciesRule& rule : ClubInfo(hunt.club).rules) {
        if ((rule.kindMask & (1u << last)) == 0) {
            continue;
        }
        for (int32_t kind = 0; kind < kKindsOfBird; ++kind) {
            if ((rule.kindMask & (1u << kind)) != 0 &&
                hunt.kills[static_cast<size_t>(kind)].count > rule.most) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void CommentAfterShot() {
    Trace("CommentAfterShot");
    if (hunt.shotFired && !hunt.hasLicense && FirstTime(kSaidNoLicence)) {
        DoPartnerVoice(10);
    } else if (hunt.bagged > hunt.bagLimit && FirstTime(kSaidOverLimit)) {
        DoPartnerVoice(30 + Random() % 3);
    } else if (hunt.earlyShot && FirstTime(kSaidEarly)) {
        DoPartnerVoice(36 + Random() % 2);
    } else if (hunt.lateShot && FirstTime(kSaidLate)) {
        DoPartnerVoice(38 + Random() % 2);
    } else if (SpeciesWarning()) {
        DoPartnerVoice(20 + Random() % 4);
        hunt.lastHitSpecies = 100;
    } else if (hunt.hitThisShot) {
        if (Random() % 5 == 3) {
            PlayRemark(kHitRemarkSound + Random() % 3);
        }
        hunt.lastHitSpecies = 100;
    } else if (hunt.gunEmpty && BoxShells() != 0) {
        PlayRemark(kEmptyGunSound);
    } else if (hunt.gunEmpty) {
        DoPartnerVoice(34 + Random() % 2);
    }
}

void CommentAtStart(int32_t f) {
    Trace("CommentAtStart");
    if (hunt.dayMinute > hunt.beginMinute && hunt.bagged < hunt.bagLimit &&
        flocks[static_cast<size_t>(f)].scale >= 50 && OneInTen()) {
        PlayRemark(kCloseRemarkSound + Random() % 3);
    }
}

void CommentAtEnd() {
    Trace("CommentAtEnd");
    // Each condition is tested before its flag, so a remark not due stays unsaid.
    if (!hunt.hasGun && FirstTime(kSaidNoGun)) {
        DoPartnerComment(1 + Random() % 3);
    } else if (BoxShells() == 0 && FirstTime(kSaidNoShells)) {
        DoPartnerComment(4 + Random() % 3);
    } else if (!hunt.hasCall && OneInTen() && FirstTime(kSaidNoCall)) {
        DoPartnerComment(7 + Random() % 3);
    } else if (!hunt.hasDecoys && OneInTen() && FirstTime(kSaidNoDecoys)) {
        DoPartnerComment(12 + Random() % 3);
    } else if (hunt.dayMinute > hunt.beginMinute && hunt.hasDecoys && !hunt.decoysOut &&
               OneInTen() && FirstTime(kSaidDecoysIn)) {
        DoPartnerComment(16);
    } else if (hunt.dayMinute > hunt.beginMinute && hunt.hasCall && !hunt.callUsed &&
               !hunt.saidOnce[kSaidCallUnused] && OneInTen()) {
        hunt.saidOnce[kSaidCallUnused] = 1;
        DoPartnerComment(40 + Random() % 2);
    } else if (hunt.missCount > 10) {
        hunt.missCount = 0;
        DoPartnerComment(11);
    }
}
