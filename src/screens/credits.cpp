#include "screens/credits.h"

#include <algorithm>

#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/sound.h"

namespace {

constexpr int32_t kRowHeight = 22;
constexpr int32_t kScrollStep = 3;
constexpr uint32_t kStepMs = 60;
constexpr uint32_t kEndingEvents = GDL_EVENT_KEYDOWN | GDL_EVENT_MOUSEDOWN;

// Headings in font 2, names in font 1.
const std::vector<std::string> kCreditsLines = {
    "2 Talmadge Reed Gunner",
    "1 A day on the marsh",
    "2 Design",
    "1 The Reed Gunner team",
    "2 Programming",
    "1 Game shell and screens",
    "1 Hunt, flights and judgement",
    "1 Engine and display",
    "1 Sound and music",
    "2 Art",
    "1 Marshes and skies",
    "1 Ducks and decoys",
    "1 The retriever",
    "1 Faces and talking heads",
    "1 Store shelves and icons",
    "2 Sound",
    "1 Duck calls and shots",
    "1 Voices of the blind",
    "1 Music for the menus",
    "2 Characters",
    "1 Wilma, the game warden",
    "1 Sheriff Jones",
    "1 Your partner in the blind",
    "1 A very good dog",
    "2 Hunting Clubs",
    "1 Public Grounds",
    "1 Al's Duck Club",
    "1 Green Club",
    "1 Millionaire Club",
    "2 Ducks",
    "1 Mallard",
    "1 Pintail",
    "1 Redhead",
    "1 Canvasback",
    "2 Testing",
    "1 Everyone who sat in the blind",
    "1 before dawn and stayed till dusk",
    "1 and kept their powder dry",
    "2 Regulations",
    "1 Read them before you shoot",
    "1 Carry your licence",
    "1 Mind the bag limit",
    "1 Shoot only in legal hours",
    "2 Special Thanks",
    "1 The marsh keepers",
    "1 The early risers",
    "1 The families of the team",
    "1 Every duck that got away",
    "2 Safety",
    "1 Always know your target",
    "1 and what lies beyond it",
    "2 Conservation",
    "1 Leave the marsh as you found it",
    "2 Thank You",
    "1 for playing",
    "1 Talmadge Reed Gunner",
    "1 Good hunting!",
    "",
};

// A line that can be drawn: a font digit, a space and some text.
bool Drawable(const std::string& line) {
    return line.size() > 2 && line[0] >= '0' && line[0] <= '9' && line[1] == ' ';
}

int Font(const std::string& line) {
    return line[0] - '0';
}

const char* Text(const std::string& line) {
    return line.c_str() + 2;
}

// The credits drawn once, centred line under line, on a surface of their own.
GDL_Surface* DrawCreditsSurface(const std::vector<std::string>& lines, int32_t* width) {
    int32_t widest = 1;
    int32_t tallest = kRowHeight;
    for (const std::string& line : lines) {
        widest = std::max(widest, FontTextWidth(Font(line), Text(line)));
        if (const ColorFont* font = GetFont(Font(line)); font != nullptr) {
            tallest = std::max(tallest, static_cast<int32_t>(font->height));
        }
    }
    *width = (widest + 7) / 8 * 8 + 16;
    // The last line's glyphs may reach below its row.
    const int32_t height =
        kRowHeight * std::max<int32_t>(static_cast<int32_t>(lines.size()) - 1, 0) + tallest;
    GDL_PixelFormat format{};
    GDL_getPixelFormat(displaySurface, &format);
    GDL_Surface* surface = GDL_createMemorySurface(*width, height, 8, &format);
    if (surface == nullptr) {
        GDL_fatalError(GDL_errorMsg(GDL_result()));
    }
    GDL_Surface* previous = GDL_makeCurrent(surface);
    GDL_setColor(0);
    GDL_clearDevice();
    GDL_makeCurrent(previous);

    textTarget = surface;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int font = Font(lines[i]);
        const int32_t x = std::max((*width - FontTextWidth(font, Text(lines[i]))) / 2, 0);
        DrawFontText(font, x, kRowHeight * static_cast<int32_t>(i), Text(lines[i]));
    }
    textTarget = backPage;
    return surface;
}

}  // namespace

const std::vector<std::string>& CreditsLines() {
    return kCreditsLines;
}

void Credits() {
    RollCredits(kCreditsLines);
}

void RollCredits(const std::vector<std::string>& all) {
    std::vector<std::string> lines;
    std::copy_if(all.begin(), all.end(), std::back_inserter(lines), Drawable);
    int32_t width = 0;
    GDL_Surface* credits = DrawCreditsSurface(lines, &width);
    const int32_t total = credits->maxY + 1;

    LoadBackground("bkg_03");
    ShadeWorkPage();
    CopyWorkPage();
    ShowBackPage();
    PlayMusic("credits");

    const int32_t x0 = (kScreenWidth - width) / 2;
    int32_t y = kScreenHeight - 2;
    int32_t top = 0;
    const int32_t steps = (total + kScreenHeight) / kScrollStep;
    GDL_flushEvents(kEndingEvents);
    uint32_t lastStep = TimerCount();
    for (int32_t made = 0; made < steps;) {
        const uint32_t now = TimerCount();
        if (now - lastStep > kStepMs) {
            lastStep = now;
            ++made;
            int32_t visible = kScreenHeight - 1 - y;
            if (top + visible > total) {
                visible = total - top;
            }
            CopyPageRect(workPage, backPage, x0, 0, width, kScreenHeight);
            if (visible > 0) {
                GDL_transBlt(backPage, credits, 0, top, width, top + visible, x0, y, 0, 1);
            }
            CopyPageRect(backPage, displaySurface, x0, 0, width, kScreenHeight);
            if (y == 0) {
                top += kScrollStep;
            }
            y = std::max(y - kScrollStep, 0);
        }
        // Rest until the next step; a key or click ends the credits and is
        // left in the queue.
        if (GDL_waitEvent(kEndingEvents, true, lastStep + kStepMs + 1) != 0) {
            StopMusic();
            GDL_destroySurface(credits);
            return;
        }
    }
    // The last step can leave up to three rows of the last line at the top:
    // the picture is whole again while the music ends.
    CopyPageRect(workPage, backPage, x0, 0, width, kScreenHeight);
    CopyPageRect(backPage, displaySurface, x0, 0, width, kScreenHeight);
    WaitMusic();
    StopMusic();
    GDL_destroySurface(credits);
}
