#include "hunt/captions.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "platform/graphics.h"
#include "platform/sound.h"

namespace {

constexpr const char* kCaptionFile = "captions.txt";
constexpr int kMostCharacter = 99;  // banks are "char%02d"
constexpr int kMostComment = kBankEntries;

// The box: above every speaker's face and clear of the hunt's panel, in the
// dialogs' frame colour with the interface font.
constexpr int32_t kTop = 8;
constexpr int kFont = 0;
constexpr int32_t kLineHeight = 24;  // the interface font's cell
constexpr int32_t kPadX = 12;
constexpr int32_t kPadY = 5;
constexpr int32_t kMostTextWidth = 600;
constexpr int kMostLines = 3;
constexpr uint32_t kBoxColour = 230;

struct Caption {
    int character;
    int comment;
    std::string text;
};

struct Layout {
    CaptionBox box{};
    int lines = 0;
    std::array<std::string, kMostLines> line;
};

// A remark the hunt runs on through; serial tells one remark from the next.
struct Remark {
    int character = 0;
    int comment = 0;
    int sound = -1;
    uint32_t serial = 0;
};

std::vector<Caption> captions;
bool fileRead = false;

bool raised = false;
CaptionBox raisedBox{};
std::vector<uint8_t> underBack;
std::vector<uint8_t> underDisplay;

Remark wanted;
bool wanting = false;
uint32_t lastSerial = 0;
bool remarkUp = false;
uint32_t upSerial = 0;
uint32_t triedSerial = 0;  // the remark last laid out, shown or not
Layout upLayout;
bool presentDue = false;
CaptionBox presentBox{};

// A decimal number of one to three digits followed by one space, within [low, high].
bool ReadNumber(std::string_view line, size_t* at, int low, int high, int* out) {
    int value = 0;
    size_t digits = 0;
    while (*at < line.size() && line[*at] >= '0' && line[*at] <= '9' && digits < 3) {
        value = value * 10 + (line[*at] - '0');
        ++*at;
        ++digits;
    }
    if (digits == 0 || *at >= line.size() || line[*at] != ' ' || value < low || value > high) {
        return false;
    }
    ++*at;
    *out = value;
    return true;
}

bool ReadLine(std::string_view line, Caption* out) {
    size_t at = 0;
    if (!ReadNumber(line, &at, 0, kMostCharacter, &out->character) ||
        !ReadNumber(line, &at, 1, kMostComment, &out->comment)) {
        return false;
    }
    const std::string_view text = line.substr(at);
    if (text.empty() || text.size() > static_cast<size_t>(kCaptionMostText)) {
        return false;
    }
    for (char c : text) {
        if (c < 32 || c > 126) {
            return false;
        }
    }
    out->text.assign(text);
    return true;
}

void ReadCaptionFile() {
    fileRead = true;
    const std::string path = dataDir + kCaptionFile;
    const FileHandle file = FileOpen(path.c_str());
    if (file == INVALID_FILE) {
        LogPrintf("ERROR: %s is missing; no captions", kCaptionFile);
        return;
    }
    const uint32_t size = FileSize(file);
    std::string text;
    if (size <= kCaptionMostFileBytes) {
        text.resize(size);
        text.resize(size != 0 ? FileRead(file, text.data(), size) : 0);
    }
    FileClose(file);
    if (size > kCaptionMostFileBytes) {
        LogPrintf("ERROR: %s is larger than %u bytes; no captions", kCaptionFile,
                  kCaptionMostFileBytes);
        return;
    }
    int badLine = 0;
    if (text.size() != size || !ParseCaptions(text, &badLine)) {
        LogPrintf("ERROR: %s line %d is damaged; no captions", kCaptionFile, badLine);
    }
}

// Breaks the words into lines no wider than `limit`; a word too wide for a
// line of its own is broken where it reaches the edge, and what does not fit
// in the lines is left out. True when every word went in whole.
bool WrapText(std::string_view text, int32_t limit, Layout* layout) {
    layout->lines = 0;
    bool whole = true;
    std::string line;
    auto fits = [limit](const std::string& s) { return FontTextWidth(kFont, s.c_str()) <= limit; };
    auto finish = [&] {
        if (layout->lines < kMostLines) {
            layout->line[static_cast<size_t>(layout->lines++)] = line;
        } else {
            whole = false;
        }
        line.clear();
    };
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        const std::string word(text.substr(at, end - at));
        at = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::string joined = line.empty() ? word : line + ' ' + word;
        if (fits(joined)) {
            line = joined;
            continue;
        }
        if (!line.empty()) {
            finish();
        }
        if (fits(word)) {
            line = word;
            continue;
        }
        whole = false;
        for (char c : word) {
            if (!line.empty() && !fits(line + c)) {
                finish();
            }
            line += c;
        }
    }
    if (!line.empty()) {
        finish();
    }
    return whole;
}

bool MakeLayout(int character, int comment, Layout* layout) {
    const char* text = CaptionText(character, comment);
    if (text == nullptr || GetFont(kFont) == nullptr) {
        return false;
    }
    // As few lines as the widest box allows, then as even as they go: the
    // narrowest limit that still needs no more lines.
    if (WrapText(text, kMostTextWidth, layout) && layout->lines > 1) {
        const int lines = layout->lines;
        int32_t low = kMostTextWidth / lines;
        int32_t high = kMostTextWidth;
        Layout trial;
        while (low < high) {
            const int32_t mid = (low + high) / 2;
            if (WrapText(text, mid, &trial) && trial.lines <= lines) {
                high = mid;
            } else {
                low = mid + 1;
            }
        }
        WrapText(text, high, layout);
    }
    int32_t widest = 0;
    for (int i = 0; i < layout->lines; ++i) {
        widest =
            std::max(widest, FontTextWidth(kFont, layout->line[static_cast<size_t>(i)].c_str()));
    }
    if (widest == 0) {
        return false;
    }
    const int32_t w = widest + 2 * kPadX;
    layout->box = {(kScreenWidth - w) / 2, kTop, w, layout->lines * kLineHeight + 2 * kPadY};
    return true;
}

void DrawCaption(const Layout& layout, GDL_Surface* page) {
    GDL_Surface* previous = textTarget;
    textTarget = page;
    const CaptionBox& b = layout.box;
    DrawPanel(b.x, b.y, b.w, b.h, kBoxColour);
    for (int i = 0; i < layout.lines; ++i) {
        const char* line = layout.line[static_cast<size_t>(i)].c_str();
        DrawFontText(kFont, b.x + (b.w - FontTextWidth(kFont, line)) / 2,
                     b.y + kPadY + i * kLineHeight, line);
    }
    textTarget = previous;
}

void Present(const CaptionBox& b) {
    CopyPageRect(backPage, displaySurface, b.x, b.y, b.w, b.h);
}

// A remark is over once its sound has stopped.
void FollowRemark() {
    if (wanting && IsSoundPlaying(wanted.sound) == 0) {
        wanting = false;
    }
}

}  // namespace

bool ParseCaptions(std::string_view text, int* badLine) {
    captions.clear();
    std::vector<Caption> read;
    int number = 0;
    size_t at = 0;
    *badLine = 0;
    while (at < text.size()) {
        ++number;
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            *badLine = number;  // cut short
            return false;
        }
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line[0] == '#') {
            continue;
        }
        Caption caption;
        if (!ReadLine(line, &caption)) {
            *badLine = number;
            return false;
        }
        for (const Caption& c : read) {
            if (c.character == caption.character && c.comment == caption.comment) {
                *badLine = number;
                return false;
            }
        }
        read.push_back(std::move(caption));
    }
    if (read.empty()) {
        *badLine = number + 1;  // nothing to show is not a captions file
        return false;
    }
    captions = std::move(read);
    return true;
}

const char* CaptionText(int character, int comment) {
    if (!fileRead) {
        ReadCaptionFile();
    }
    for (const Caption& c : captions) {
        if (c.character == character && c.comment == comment) {
            return c.text.c_str();
        }
    }
    return nullptr;
}

bool CaptionLayout(int character, int comment, CaptionBox* box) {
    Layout layout;
    if (!MakeLayout(character, comment, &layout)) {
        return false;
    }
    *box = layout.box;
    return true;
}

void RaiseCaption(int character, int comment) {
    LowerCaption();
    Layout layout;
    if (showCaptions == 0 || backPage == nullptr || !MakeLayout(character, comment, &layout)) {
        return;
    }
    const CaptionBox& b = layout.box;
    underBack.resize(static_cast<size_t>(b.w) * b.h);
    underDisplay.resize(underBack.size());
    SaveImage(backPage, underBack.data(), b.x, b.y, b.w, b.h);
    SaveImage(displaySurface, underDisplay.data(), b.x, b.y, b.w, b.h);
    DrawCaption(layout, backPage);
    Present(b);
    raised = true;
    raisedBox = b;
}

void LowerCaption() {
    if (!raised) {
        return;
    }
    raised = false;
    if (backPage == nullptr || displaySurface == nullptr) {
        return;
    }
    const CaptionBox& b = raisedBox;
    RestoreImage(underBack.data(), backPage, b.x, b.y, b.w, b.h);
    RestoreImage(underDisplay.data(), displaySurface, b.x, b.y, b.w, b.h);
}

void StartRemarkCaption(int character, int comment, int sound) {
    // Followed with the setting off too: the same looks at the sound either
    // way, so captions never change the game's timing.
    wanted = {character, comment, sound, ++lastSerial};
    wanting = true;
}

void EraseRemarkCaption() {
    FollowRemark();
    if (!remarkUp || (wanting && wanted.serial == upSerial)) {
        return;
    }
    const CaptionBox& b = upLayout.box;
    CopyPageRect(workPage, backPage, b.x, b.y, b.w, b.h);
    remarkUp = false;
    presentDue = true;
    presentBox = b;
}

void DrawRemarkCaption(bool step) {
    FollowRemark();
    if (wanting && !remarkUp && wanted.serial != triedSerial && showCaptions != 0) {
        triedSerial = wanted.serial;
        if (MakeLayout(wanted.character, wanted.comment, &upLayout)) {
            remarkUp = true;
            upSerial = wanted.serial;
            DrawCaption(upLayout, backPage);
            Present(upLayout.box);
        }
    } else if (remarkUp && step) {
        // The flocks drew over it; what changed is shown with them.
        DrawCaption(upLayout, backPage);
    }
    if (presentDue) {
        Present(presentBox);
        presentDue = false;
    }
}

void ForgetRemarkCaption() {
    wanting = remarkUp = presentDue = false;
}

bool RemarkCaptionBox(CaptionBox* box) {
    if (remarkUp) {
        *box = upLayout.box;
    }
    return remarkUp;
}

void ResetCaptions() {
    ForgetRemarkCaption();
    captions.clear();
    fileRead = false;
    raised = false;
}
