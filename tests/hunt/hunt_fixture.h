#pragma once
// The hunt screen on the headless display with small banks of our own: a
// patterned scene with a decoy map and an all-open depth map, a sprite bank of
// 672 small squares and eight pointer shapes. The fresh roster's player is current.
#include <algorithm>
#include <string>
#include <vector>

#include "app/chords.h"
#include "app/screen_table.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/page_fixture.h"
#include "engine/test_banks.h"
#include "engine/timer.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "shell/options.h"
#include "shell/screens.h"

class HuntTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(GraphicsInit(), 1u);
        ResetInput();
        ResetScreens();
        RegisterGameScreens();
        RegisterHiddenChords();
        ResetGraphicBanks();
        ResetHunt();
        ResetRoster();
        std::vector<test_banks::Picture> shapes;
        for (int i = 0; i < kPointerShapes; ++i) {
            shapes.push_back(test_banks::Solid(8, 8, static_cast<uint8_t>(100 + i)));
        }
        WriteBytes("pointers.256", test_banks::Bank(shapes, false));
        ASSERT_EQ(InitMouse(), 1u);
        WriteScene(1, 160, 120);
        std::vector<test_banks::Picture> sprites;
        for (int i = 0; i < kSpriteGraphics; ++i) {
            sprites.push_back(Square(8, static_cast<uint8_t>(150 + i % 50)));
        }
        WriteBytes("sprites.256", test_banks::Bank(sprites, false));
    }
    void TearDown() override {
        cursorInBackPage = 0;
        FreeMouse();
        ResetInput();
        ResetGraphicBanks();
        ResetHunt();
        ResetScreens();
        DisplayTest::TearDown();
    }

    // An n by n square of one colour anchored at its centre.
    static test_banks::Picture Square(int16_t n, uint8_t colour) {
        return test_banks::Solid(n, n, colour, static_cast<int16_t>(-n / 2),
                                 static_cast<int16_t>(-n / 2));
    }

    // The scene pixel at (x, y): never 0.
    static uint8_t ScenePixel(int x, int y) {
        return static_cast<uint8_t>((x * 3 + y * 5) % 251 + 1);
    }

    // "scn_%02d": the patterned scene, a decoy map (open water, 117, from
    // map row 80 down) of the given size, and a depth map open above the panel.
    void WriteScene(int scene, int16_t mapW, int16_t mapH) {
        test_banks::Picture picture{640, 480, 0, 0, std::vector<uint8_t>(640 * 480)};
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                picture.pixels[static_cast<size_t>(y * 640 + x)] = ScenePixel(x, y);
            }
        }
        test_banks::Picture map{mapW, mapH, 0, 0, std::vector<uint8_t>(size_t(mapW * mapH), 5)};
        for (int y = 80; y < mapH; ++y) {
            for (int x = 0; x < mapW; ++x) {
                map.pixels[static_cast<size_t>(y * mapW + x)] = 117;
            }
        }
        // Open everywhere above the panel; the panel hides whatever is drawn behind it.
        test_banks::Picture depth = test_banks::Solid(640, 480, 0);
        std::fill(depth.pixels.begin() + 420 * 640, depth.pixels.end(), uint8_t{255});
        char name[16];
        std::snprintf(name, sizeof name, "scn_%02d.256", scene);
        WriteBytes(name, test_banks::Bank({picture, map, depth}, false));
    }

    void Enter(int club) {
        hunt.club = club;
        SwitchScreen(kScreenHunt);
    }

    // A frame with an animation step due (and a game minute when asked).
    void StepFrame(bool minute = false) {
        hunt.lastStepTime = TimerCount() - 200;
        hunt.lastMinuteTime = minute ? TimerCount() - 500 : TimerCount();
        HuntFrame();
    }
    // A frame with nothing due.
    void QuietFrame() {
        hunt.lastStepTime = TimerCount();
        hunt.lastMinuteTime = hunt.lastStepTime;
        HuntFrame();
    }

    // Flock f as a close bird, not hit, at (x, y), going nowhere.
    static void CloseBird(int f, int32_t x, int32_t y, int32_t species = 0, int32_t sex = 0) {
        Flock& flock = flocks[static_cast<size_t>(f)];
        flock.kind = kFlightClose;
        flock.hit = 0;
        flock.x = x;
        flock.y = y;
        flock.species = species;
        flock.sex = sex;
        flock.shotAt = 0;
        flock.vx = flock.vy = flock.ax = flock.ay = 0.0;
    }
};
