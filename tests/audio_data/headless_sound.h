#pragma once
#include <string>
#include <utility>

#include "engine/config.h"
#include "platform/sound.h"
#include "support/temp_dir.h"
#include "sys/backend.h"

// A scratch test with the sound module open on the headless output, reading
// banks from `soundDir`.
class HeadlessSoundTest : public ScratchTest {
protected:
    explicit HeadlessSoundTest(std::string soundDir = std::string())
        : soundDir(std::move(soundDir)) {}

    void SetUp() override {
        ScratchTest::SetUp();
        SysSetHeadless(true);
        SoundReset();
        ASSERT_EQ(SoundInit(), 1u);
        dataDir = soundDir.empty() ? dir : soundDir;
    }
    void TearDown() override {
        SoundReset();
        SysSetHeadless(false);
        ScratchTest::TearDown();
    }

private:
    std::string soundDir;  // empty: the scratch folder
};
