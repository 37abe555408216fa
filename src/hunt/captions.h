#pragma once
// Captions: with the Captions setting on, the words of whatever a character
// says are shown in a box while the recording plays. The words come from
// "captions.txt" beside the sound banks, made from the same table as the
// recordings. Lines starting with '#' are notes; every other line is
//     CHARACTER COMMENT TEXT
// (comment k of character c is entry k - 1 of the bank "char%02d"), printable
// ASCII, one space after each number, each line ending in '\n'.
#include <cstdint>
#include <string_view>

// The most characters of one caption, and the largest file read.
constexpr int kCaptionMostText = 160;
constexpr uint32_t kCaptionMostFileBytes = 64 * 1024;

// Where a caption box sits on the page.
struct CaptionBox {
    int32_t x, y, w, h;
};

// Takes the text of a captions file as the table. False, with the table left
// empty and *badLine the first line at fault, when any line is damaged.
bool ParseCaptions(std::string_view text, int* badLine);

// The words of a comment, or null. The first call reads captions.txt; a missing
// or damaged file leaves one log line and no captions.
const char* CaptionText(int character, int comment);

// The box a caption takes: one to three lines of the interface font, centred
// across the top of the screen, above every speaker's face and clear of the
// hunt's panel. False when there is nothing to show.
bool CaptionLayout(int character, int comment, CaptionBox* box);

// For a comment the caller waits out: with the setting on, puts the caption up
// on the back page and the display, keeping what lay under it on both.
void RaiseCaption(int character, int comment);
// Puts back what lay under the raised caption, pixel for pixel, on both pages.
void LowerCaption();

// The hunt's short remarks play while the hunt runs on. A remark's caption
// stays up while sound `sound` plays; a newer remark replaces it.
void StartRemarkCaption(int character, int comment, int sound);
// In an animation step, before the flocks are drawn: a caption whose remark
// has ended or been replaced comes off the back page (the flocks then draw over
// the clean marsh).
void EraseRemarkCaption();
// After the flocks are drawn and before the pointer: draws the caption over
// them into the back page and shows what changed. `step` says the flocks were
// redrawn.
void DrawRemarkCaption(bool step);
// The whole page was redrawn: nothing of the caption is on it any more.
void ForgetRemarkCaption();
// The box of the remark caption on the page, if one is up.
bool RemarkCaptionBox(CaptionBox* box);

// Forgets the table, any caption up and the file's reading, as at start.
void ResetCaptions();
