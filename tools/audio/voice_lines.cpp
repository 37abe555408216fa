#include "voice_lines.h"

#include <array>

namespace {

// clang-format off
constexpr std::array kLines = {
    // The partner. 15 and 24 to 26 are never asked for but the bank holds them.
    VoiceLine{4, 1, "Say partner, you came out here without a gun?"},
    VoiceLine{4, 2, "Hard to hunt ducks with no shotgun. Better stop by the store."},
    VoiceLine{4, 3, "You forgot your gun! Guess we are just watching birds today."},
    VoiceLine{4, 4, "No shells in the box. That gun won't do much good empty."},
    VoiceLine{4, 5, "You better buy some shells before the next hunt."},
    VoiceLine{4, 6, "We are plumb out of shells, partner."},
    VoiceLine{4, 7, "A duck call would sure bring them in closer."},
    VoiceLine{4, 8, "If you had a call, we could talk those birds right down."},
    VoiceLine{4, 9, "Get yourself a duck call at the store. Makes all the difference."},
    VoiceLine{4, 10, "Whoa! You're shooting without a license. The warden won't like that."},
    VoiceLine{4, 11, "You're missing an awful lot. Lead them a little more."},
    VoiceLine{4, 12, "Ducks like company. Some decoys would help."},
    VoiceLine{4, 13, "Without decoys, they just fly right on by."},
    VoiceLine{4, 14, "Next time bring decoys. Ducks land where other ducks are."},
    VoiceLine{4, 15, "Nice morning for it, isn't it?"},
    VoiceLine{4, 16, "We brought decoys. Why not put them out on the water?"},
    VoiceLine{4, 17, "Nice shot!"},
    VoiceLine{4, 18, "Got him!"},
    VoiceLine{4, 19, "Good one!"},
    VoiceLine{4, 20, "Careful, you're over the limit on that kind."},
    VoiceLine{4, 21, "Hold up. That's one too many of those."},
    VoiceLine{4, 22, "Check the regulations. Too many of that species."},
    VoiceLine{4, 23, "Easy now. The warden counts every one of those."},
    VoiceLine{4, 24, "Pass me the thermos, would you?"},
    VoiceLine{4, 25, "Cold out here this morning."},
    VoiceLine{4, 26, "Listen. Hear them out there?"},
    VoiceLine{4, 27, "Here they come!"},
    VoiceLine{4, 28, "Get down!"},
    VoiceLine{4, 29, "Take them!"},
    VoiceLine{4, 30, "That's more than the bag limit. We better quit."},
    VoiceLine{4, 31, "Partner, you're over your limit."},
    VoiceLine{4, 32, "Too many birds. The warden will be checking."},
    VoiceLine{4, 33, "You're empty!"},
    VoiceLine{4, 34, "That was your last shell."},
    VoiceLine{4, 35, "No more shells in the box."},
    VoiceLine{4, 36, "Hey, it's not legal shooting time yet!"},
    VoiceLine{4, 37, "Too early! Shooting hours haven't started."},
    VoiceLine{4, 38, "Shooting hours are over. Put that gun down."},
    VoiceLine{4, 39, "It's too late to shoot. Shooting time is done."},
    VoiceLine{4, 40, "Why not try that duck call of yours?"},
    VoiceLine{4, 41, "Give them a toot on the call."},
    // Wilma, the game warden. The second of each pair comes when she has
    // already spoken that day; 9, 10, 13, 14 and 16 are not used by the game.
    VoiceLine{20, 1, "Good morning. I heard shots before legal shooting hours. That will cost you."},
    VoiceLine{20, 2, "And you also fired before shooting hours opened."},
    VoiceLine{20, 3, "Evening. You kept shooting after legal hours. That's a fine."},
    VoiceLine{20, 4, "You also shot after the close of legal hours."},
    VoiceLine{20, 5, "You took too many hen mallards. This club protects the hens."},
    VoiceLine{20, 6, "And you're over the limit on hen mallards."},
    VoiceLine{20, 7, "Too many pintails in your bag. I have to write you up."},
    VoiceLine{20, 8, "You also went over on pintails."},
    VoiceLine{20, 9, "You have too many redheads there."},
    VoiceLine{20, 10, "And too many redheads as well."},
    VoiceLine{20, 11, "That's too many canvasbacks. They are strictly limited here."},
    VoiceLine{20, 12, "You're also over the limit on canvasbacks."},
    VoiceLine{20, 13, "Let me see your birds, please."},
    VoiceLine{20, 14, "Everything looks in order. Have a good day."},
    VoiceLine{20, 15, "Hunting without a license is against the law. I'm writing you a fine."},
    VoiceLine{20, 16, "Be sure to carry your license at all times."},
    VoiceLine{20, 17, "You shot more birds than the daily bag limit allows."},
    VoiceLine{20, 18, "And on top of that, you're over the bag limit."},
    // Sheriff Jones: three wordings of a jail sentence, then jail for fines
    // that could not be paid.
    VoiceLine{21, 1, "Game law violations. You'll spend the next three days in the county jail."},
    VoiceLine{21, 2, "You broke the hunting laws, son. Thirty days, and I hope you learn something."},
    VoiceLine{21, 3, "The judge gave you a week behind bars. Let's go."},
    VoiceLine{21, 4, "You couldn't pay your fines. So you'll work them off in my jail."},
};

constexpr std::array kSpeakers = {
    // character, name, voice, rate, pitch, range, low cut, high cut
    Speaker{4, "the partner", "en-us+m3", 168, 42, 60, 120, 5000},
    Speaker{20, "Wilma, the game warden", "en-us+f4", 150, 58, 45, 180, 7000},
    Speaker{21, "Sheriff Jones", "en-us+m7", 128, 18, 30, 70, 3800},
};
// clang-format on

static_assert(kLines.size() == 41 + 18 + 4);

}  // namespace

std::span<const VoiceLine> VoiceLines() {
    return kLines;
}

std::span<const Speaker> Speakers() {
    return kSpeakers;
}

int CommentCount(int character) {
    int count = 0;
    for (const VoiceLine& line : kLines) {
        if (line.character == character) {
            count++;
        }
    }
    return count;
}

const char* CommentText(int character, int comment) {
    for (const VoiceLine& line : kLines) {
        if (line.character == character && line.comment == comment) {
            return line.text;
        }
    }
    return nullptr;
}
