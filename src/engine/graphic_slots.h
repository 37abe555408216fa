#pragma once
// Who holds which numbers of the graphic table. Each bank is loaded at its
// first slot by its owner and freed from there; the game addresses the
// pictures by these numbers, and the tools that draw the banks lay their
// entries out by them.
#include <cstdint>

// "pointers", loaded at start: a pointer shape's number is its slot.
constexpr int32_t kPointerSlot = 0;
constexpr int32_t kPointerShapes = 8;  // the fewest the game starts with
constexpr int32_t kArrowPointer = 0;
constexpr int32_t kButtonPointer = 1;  // over a button
constexpr int32_t kBusyPointer = 2;
constexpr int32_t kNarrowPointer = 3;     // always drawn 22 pixels wide
constexpr int32_t kCrosshairPointer = 7;  // the hunt's, over the marsh

// "icons", loaded at start for every screen: slots 10 to 30.
constexpr int32_t kIconsSlot = 10;
constexpr int32_t kIconsCount = 21;
constexpr int32_t kMoneyPanelIcon = 13;
constexpr int32_t kDecoyIcon = 16;
constexpr int32_t kLicenceIcon = 17;
constexpr int32_t kCallIcon = 18;      // + call 0 to 2
constexpr int32_t kShellIcon = 21;     // the box of shells
constexpr int32_t kStoreGunIcon = 22;  // + gun 0 to 2: the store's list of belongings
constexpr int32_t kHuntGunIcon = 25;   // + gun 0 to 2: the hunt's icon bar

// The current screen's own bank ("spr_02", "spr_03", "spr_04", "spr_07"),
// one at a time.
constexpr int32_t kScreenBankSlot = 31;
// In the roster's: the name card, the music-off mark and the volume knob.
constexpr int32_t kNamePanel = 36;
constexpr int32_t kMusicOffMark = 37;
constexpr int32_t kVolumeKnob = 38;
// In the payout screen's: the reel strip, three coins (33 to 35) and the
// picture that covers them.
constexpr int32_t kReelStrip = 31;
constexpr int32_t kFirstCoin = 33;
constexpr int32_t kCoverPicture = 36;

// The hunt's scene bank "scn_%02d": the picture, the 160 by 120 decoy map and
// the 640 by 480 depth map that the depth-tested blitters read.
constexpr int32_t kSceneSlot = 97;
constexpr int32_t kDecoyMapSlot = 98;
constexpr int32_t kDepthMapSlot = 99;
constexpr int32_t kSceneGraphics = 3;

// "jail": the picture, then the sheriff's depth map in 99.
constexpr int32_t kJailSlot = 98;
// "spr_08": 100 after going broke, 101 after an unpaid fine.
constexpr int32_t kGameOverSlot = 100;

// "char04", the partner in the blind: his figure, the mouth shut and open, the
// eyes open and blinking, all drawn at the figure's anchor (203 to 206 unused).
constexpr int32_t kPartnerSlot = 200;
constexpr int32_t kPartnerGraphics = 9;
constexpr int32_t kPartnerFigure = 200;
constexpr int32_t kPartnerMouthShut = 201;
constexpr int32_t kPartnerMouthOpen = 202;
constexpr int32_t kPartnerEyesOpen = 207;
constexpr int32_t kPartnerEyesBlink = 208;

// A talking head "char%02d": twelve graphics from 210, counted from there: the
// head, four eye overlays (1 to 4), three mouths (5 to 7), the second overlay
// and its alternative (8, 10), an unused one and the head's rectangle.
constexpr int32_t kHeadSlot = 210;
constexpr int32_t kHeadGraphics = 12;
constexpr int32_t kHeadFirstOverlay = 4;  // the eyes drawn with the head before speech
constexpr int32_t kHeadQuietMouth = 5;    // + 0 to 2 while the voice is loud
constexpr int32_t kHeadSecondOverlay = 8;
constexpr int32_t kHeadSecondOverlayAlt = 10;
constexpr int32_t kHeadRectGraphic = 11;  // the area redrawn at each step

// "sprites", the hunt's: 672 graphics, 300 to 971.
constexpr int32_t kSpriteSlot = 300;
constexpr int32_t kSpriteGraphics = 672;

// Close birds, 300 to 939: per species and sex five poses (steep descent to
// steep climb) of sixteen frames, tilt * 4 + wing and then four falling ones.
constexpr int32_t kBirdSlot = kSpriteSlot;
constexpr int32_t kBirdGraphics = 640;
constexpr int32_t kBirdPoses = 5;
constexpr int32_t kBirdFrames = 16;
constexpr int32_t kFallingFrame = 12;
// The first frame of a pose, counted from kBirdSlot.
constexpr int32_t BirdPicture(int32_t species, int32_t sex, int32_t pose) {
    return species * 160 + sex * 80 + pose * kBirdFrames;
}

// Far flocks: two formations of four wing frames, 948 to 955.
constexpr int32_t kFarFlockSlot = 948;
constexpr int32_t kFarFlockGraphics = 8;
// Decoys on the water: drake mallard, hen mallard, drake canvasback.
constexpr int32_t kDecoySlot = 956;
constexpr int32_t kDecoyKinds = 3;

// The retriever, 960 to 971, all drawn at the dog's anchor.
constexpr int32_t kDogLeapingOut = 960;
constexpr int32_t kDogLandingBeyond = 961;  // down beyond the bank, after the bird
constexpr int32_t kDogLeapingBack = 962;
constexpr int32_t kDogLandingNear = 963;  // down on our side with the bird
// The bird in its mouth on the way back, in 962 and 963.
constexpr int32_t DogCarrying(int32_t species, int32_t sex) {
    return 964 + species * 2 + sex;
}
constexpr int32_t kDogPictures = 12;

static_assert(kBirdSlot + kBirdGraphics <= kFarFlockSlot);
static_assert(DogCarrying(3, 1) == kSpriteSlot + kSpriteGraphics - 1);
