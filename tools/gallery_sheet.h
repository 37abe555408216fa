#pragma once
// Shared by the gallery's sheets: an RGB sheet, sprites taken from the game's
// graphic slots, captions, and the PNG writer.
#include <cstdint>
#include <string>
#include <vector>

#include "gdl/gdl.h"

struct Sprite {
    int slot;
    int width, height, xoff, yoff;
    std::vector<uint8_t> pixels;
};

struct Sheet {
    int width, height;
    std::vector<uint8_t> rgb;
    void Put(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return;
        }
        size_t i = (static_cast<size_t>(y) * width + x) * 3;
        rgb[i] = r;
        rgb[i + 1] = g;
        rgb[i + 2] = b;
    }
};

// What a loaded file gives the sheets: sprites numbered by slot and a palette.
struct Bank {
    std::vector<Sprite> sprites;
    uint8_t palette[256][3] = {};
};

bool WritePng(const std::string& path, const Sheet& sheet);
// Digits, spaces and "x" in a small bitmap face, light on dark.
void Label(Sheet& sheet, int x, int y, const std::string& text);
// Transparent pixels show as a grey checkerboard; `zoom` magnifies small art.
void Blit(Sheet& sheet, const Bank& bank, const Sprite& s, int x, int y, int zoom = 1);
// Lays the graphics out in rows, each captioned with its slot and size.
Sheet BankSheet(const Bank& bank);
// The pictures of the game's slots start to start + count - 1, with gamePalette.
Bank TakeSlots(int start, int count);
// A page of the display as the player would see it, in backgroundPalette.
Sheet PageSheet(const GDL_Surface* page);
// Writes the sheet to out/name.png and prints the path; 1 on failure, else 0.
int WriteSheet(const std::string& out, const std::string& name, const Sheet& sheet);

// Sheets made by the hunt's and the characters' modules; each returns the
// number of sheets it could not make.
// One preview of each marsh as the hunt composes it (written first).
int WriteMarshPreviews(const std::string& out);
// The sprite bank, already loaded at 300, as sheets the eye can take in.
int WriteSpriteSheets(const std::string& out);
// A character bank or the payout bank, already loaded at `start`: the composed
// faces, the reel windows.
int WriteComposedSheets(const std::string& out, const std::string& name, int start);
// The composed faces of a talking head (gallery_faces.cpp).
int WriteFaceSheet(const std::string& out, const std::string& name, int start);
// The reel strip and the reel windows of the payout screen (gallery_reels.cpp).
int WriteReelSheet(const std::string& out, int start);
// The partner, loaded at 200, composed as he talks (gallery_partner.cpp).
int WritePartnerSheet(const std::string& out);
