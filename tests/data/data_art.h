#pragma once
// Shared by the tests of the generated data: a headless display with the
// game's data directory pointed at the build's generated files. Nothing the
// generated data makes the game do may log an error.
#include <cstdint>
#include <string>
#include <vector>

#include "support/display_test.h"

class DataTest : public DisplayTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The slot's pixels, row after row (empty when the slot is).
    static std::vector<uint8_t> Pixels(int slot);
    // The work page after LoadBackground(name), 640 x 480; empty on failure.
    static std::vector<uint8_t> Background(const char* name);
    // The game's palette is the tools' master palette.
    static void ExpectMasterPalette();
};

// A rectangle on the screen.
struct ScreenRect {
    int x, y, w, h;
};
