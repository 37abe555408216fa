#include "platform/sound.h"

#include <string>
#include <vector>

#include "aud/aud.h"
#include "aud/wav_image.h"
#include "engine/config.h"
#include "engine/log.h"
#include "platform/sound_numbers.h"
#include "support/temp_dir.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

// A constant tone of `ms` milliseconds at `level`.
std::string Tone(int ms, int level) {
    return MonoWav(ms * 22050 / 1000, [level](int) { return level; });
}

class SoundTest : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        SysSetHeadless(true);
        SoundReset();
        // Bank "sounds.16b" of five tones, entry i at level (i + 1) * 1000, 1 s each.
        std::vector<std::string> entries;
        for (int i = 0; i < 5; ++i) {
            entries.push_back(Tone(1000, (i + 1) * 1000));
        }
        WriteBytes(dir + "sounds.16b", SoundBank(entries));
    }
    void TearDown() override {
        SoundReset();
        SysSetHeadless(false);
        ScratchTest::TearDown();
    }

    // Brings sound up on the headless output, keeping what it mixes.
    void Up() {
        ASSERT_EQ(SoundInit(), 1u);
        AUD_keep_mixed(true);
    }

    // The output's level after a few more milliseconds of mixing.
    static int Level() {
        for (int i = 0; i < 3; ++i) {
            AUD_ms_count();
        }
        std::vector<int16_t> mixed = Samples16(AUD_take_mixed());
        return mixed.empty() ? -99999 : mixed.back();
    }
};

TEST_F(SoundTest, BankEntriesFirstMiddleAndLast) {
    Up();
    const uint32_t entrySize = static_cast<uint32_t>(Tone(1000, 0).size());
    for (int entry : {0, 2, 4}) {
        EXPECT_EQ(SoundSeek("sounds", entry, 14), entrySize) << "entry " << entry;
        SoundPlay(14);
        EXPECT_EQ(Level(), (entry + 1) * 1000) << "entry " << entry << " holds its own bytes";
        SoundStop(14);
    }
    EXPECT_EQ(Level(), 0) << "stopped";

    EXPECT_EQ(SoundSeek("sounds", 5, 14), 0u);
    EXPECT_NE(LogText().find("ERROR: SoundSeek: file overrun. seek=5, entries=5\r\n"),
              std::string::npos);
    SoundPlay(14);
    EXPECT_EQ(IsSoundPlaying(14), 0u) << "the former image was released";
    EXPECT_EQ(SoundSeek("sounds", -1, 14), 0u);
    EXPECT_NE(LogText().find("seek=-1, entries=5"), std::string::npos);

    EXPECT_EQ(SoundSeek("sounds", 0, 27), 0u);
    EXPECT_NE(LogText().find("ERROR: SoundSeek(), too many sounds!\r\n"), std::string::npos);
    EXPECT_EQ(SoundSeek("nosuch", 0, 14), 0u);
    EXPECT_NE(LogText().find("unable to open nosuch\r\n"), std::string::npos);
    EXPECT_EQ(SoundSeek("", 0, 14), 0u);
}

TEST_F(SoundTest, EightBitSettingPicksTheOutputAndTheFiles) {
    eightBitSound = 1;
    Up();
    EXPECT_EQ(SoundSeek("sounds", 0, 14), 0u) << "the .16b set is not read";
    // An 8-bit bank entry, unsigned: 0xC0 is a quarter of full scale up.
    WriteBytes(dir + "sounds.8b", SoundBank({WavImage(1, 8, 22050, std::string(2205, '\xC0'))}));
    EXPECT_NE(SoundSeek("sounds", 0, 14), 0u);
    SoundPlay(14);
    for (int i = 0; i < 3; ++i) {
        AUD_ms_count();
    }
    std::vector<uint8_t> mixed = AUD_take_mixed();
    ASSERT_FALSE(mixed.empty());
    EXPECT_NEAR(mixed.back(), 0xC0, 1) << "8-bit unsigned output, one byte a frame";
    EXPECT_EQ(SoundInit(), 1u) << "a second SoundInit starts over";
    EXPECT_EQ(IsSoundPlaying(14), 0u);
}

TEST_F(SoundTest, HostileBanksAreRefused) {
    Up();
    std::string good = SoundBank({Tone(10, 1), Tone(10, 2), Tone(10, 3)});
    auto withCount = [&](int16_t count) {
        std::string bank = good;
        bank[0] = static_cast<char>(count & 0xFF);
        bank[1] = static_cast<char>((count >> 8) & 0xFF);
        return bank;
    };
    auto withEnd = [&](int index, uint32_t end) {
        std::string bank = good;
        std::string bytes;
        PutU32(bytes, end);
        bank.replace(4 + 4 * index, 4, bytes);
        return bank;
    };
    struct Case {
        std::string bank;
        int entry;
        const char* what;
    };
    const uint32_t one = static_cast<uint32_t>(Tone(10, 1).size());
    const Case cases[] = {
        {withCount(129), 0, "more than 128 entries"},
        {withCount(-1), 0, "a negative count"},
        {withCount(0), 0, "no entries"},
        {withEnd(1, one - 4), 0, "ends decreasing"},
        {withEnd(1, one), 2, "an empty entry"},
        {withEnd(0, 0), 0, "an empty first entry"},
        {withEnd(2, 3 * one + 1), 2, "the last entry one byte beyond the file"},
        {withEnd(2, 0xFFFFFFF0u), 2, "an end near 2^32"},
        {good.substr(0, 515), 0, "a header cut short"},
        {good.substr(0, good.size() - 1), 2, "the file cut short"},
    };
    for (const Case& c : cases) {
        LogReset();
        WriteBytes(dir + "bad.16b", c.bank);
        EXPECT_EQ(SoundSeek("bad", c.entry, 20), 0u) << c.what;
        EXPECT_NE(LogText().find("ERROR"), std::string::npos) << c.what << ": " << LogText();
        SoundPlay(20);
        EXPECT_EQ(IsSoundPlaying(20), 0u) << c.what;
    }
    WriteBytes(dir + "bad.16b", good);
    EXPECT_EQ(SoundSeek("bad", 2, 20), one) << "the intact bank loads";

    // An entry that is not a wave image loads (the game does not look inside)
    // but is refused when played, with a line saying so.
    WriteBytes(dir + "junk.16b", SoundBank({std::string(100, 'x')}));
    EXPECT_EQ(SoundSeek("junk", 0, 21), 100u);
    SoundPlay(21);
    EXPECT_EQ(IsSoundPlaying(21), 0u);
    EXPECT_NE(LogText().find("ERROR: sound 21 cannot be played"), std::string::npos);
}

TEST_F(SoundTest, SeventeenthSoundFindsNoChannel) {
    Up();
    for (int n = 0; n < 17; ++n) {
        ASSERT_NE(SoundSeek("sounds", 0, n), 0u);
    }
    for (int n = 0; n < 16; ++n) {
        SoundPlay(n);
        EXPECT_EQ(IsSoundPlaying(n), 1u) << n;
    }
    EXPECT_EQ(LogText().find("no slot available"), std::string::npos);
    SoundPlay(16);
    EXPECT_EQ(IsSoundPlaying(16), 0u);
    EXPECT_NE(LogText().find("no slot available for 16\r\n"), std::string::npos);
    SoundStop(3);
    SoundPlay(16);
    EXPECT_EQ(IsSoundPlaying(16), 1u) << "a stopped channel is free again";
    StopAllSounds();
    EXPECT_EQ(Level(), 0);
}

TEST_F(SoundTest, EndCallbackFreesTheSlotOnTheMainThread) {
    Up();
    WriteBytes(dir + "sounds.16b", SoundBank({Tone(100, 500), Tone(1000, 700)}));
    SoundSeek("sounds", 0, 0);
    SoundSeek("sounds", 1, 1);
    SoundPlay(0);
    EXPECT_EQ(IsSoundPlaying(0), 1u);
    SysAdvanceVirtualClock(200);
    SysPump();  // the display's event call: mixes to now and delivers the end
    // Channel 0 is free again and sound 1 takes it; stopping the finished
    // sound 0 must not touch it.
    SoundPlay(1);
    SoundStop(0);
    EXPECT_EQ(IsSoundPlaying(1), 1u);
    EXPECT_EQ(Level(), 700);

    SoundPlay(0);
    const uint32_t before = SysMilliseconds();
    WaitSound(0);
    const uint32_t waited = SysMilliseconds() - before;
    EXPECT_GE(waited, 100u);
    EXPECT_LE(waited, 110u) << "a 100 ms sound ends after 100 virtual ms";
    EXPECT_EQ(IsSoundPlaying(0), 0u);
    WaitSound(0);  // returns at once
}

TEST_F(SoundTest, MusicPlaysOnceAndIsReleased) {
    Up();
    WriteBytes(dir + "mainmenu.16b", Tone(300, 1200));
    WriteBytes(dir + "credits.16b", Tone(300, 900));
    PlayMusic("mainmenu");
    EXPECT_EQ(MusicIsPlaying(), 1u);
    EXPECT_EQ(Level(), 1200);
    PlayMusic("credits");
    EXPECT_EQ(Level(), 1200) << "a second PlayMusic changes nothing";
    WaitMusic();
    EXPECT_EQ(MusicIsPlaying(), 0u) << "the end callback cleared the flag";
    EXPECT_EQ(IsSoundPlaying(kMusicSound), 0u);
    PlayMusic("credits");
    EXPECT_EQ(Level(), 900) << "the next music starts";
    StopMusic();
    EXPECT_EQ(MusicIsPlaying(), 0u);
    EXPECT_EQ(Level(), 0);

    PlayMusic("nosuch");
    EXPECT_EQ(MusicIsPlaying(), 0u) << "missing music does not count as playing";
    EXPECT_NE(LogText().find("SoundLoad: unable to load nosuch\r\n"), std::string::npos);
}

TEST_F(SoundTest, MusicWithoutAFreeChannelLeavesRoomForLaterMusic) {
    Up();
    WriteBytes(dir + "mainmenu.16b", Tone(300, 1200));
    // Every channel busy with the interface sounds and the first hunt sounds.
    for (int i = 0; i < kMaxChannels; ++i) {
        const int n = i < kInterfaceSoundCount ? i : i - kInterfaceSoundCount + kFirstHuntSound;
        SoundSeek("sounds", 0, n);
        SoundPlay(n);
    }
    PlayMusic("mainmenu");
    EXPECT_NE(LogText().find("no slot available for " + std::to_string(kMusicSound) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(MusicIsPlaying(), 0u);
    StopAllSounds();
    PlayMusic("mainmenu");
    EXPECT_EQ(MusicIsPlaying(), 1u);
    EXPECT_EQ(Level(), 1200);
}

TEST_F(SoundTest, FreeingOrReloadingStopsEveryCopy) {
    Up();
    SoundSeek("sounds", 0, 3);
    SoundPlay(3);
    SoundPlay(3);
    EXPECT_EQ(Level(), 2000) << "two copies on two channels";
    SoundFree(3);
    EXPECT_EQ(Level(), 0) << "both copies stopped before the image went";

    SoundSeek("sounds", 0, 3);
    SoundPlay(3);
    SoundPlay(3);
    SoundSeek("sounds", 1, 3);
    EXPECT_EQ(Level(), 0) << "reloading stops both copies";
    SoundPlay(3);
    EXPECT_EQ(Level(), 2000) << "the new entry plays";

    SoundLoop(4);  // nothing loaded: nothing happens
    SoundSeek("sounds", 2, 4);
    SoundLoop(4);
    SoundLoop(4);
    EXPECT_EQ(Level(), 2000 + 2 * 3000);
    StopAllSounds();
    EXPECT_EQ(Level(), 0) << "the older copy of a loop stops too";
}

TEST_F(SoundTest, VoiceRequestsWhileTalkingAreDropped) {
    Up();
    PlayVoice("sounds", 1);
    EXPECT_EQ(Level(), 2000);
    PlayVoice("sounds", 3);
    EXPECT_EQ(Level(), 2000) << "the second line is not heard";
    SoundStop(kVoiceSound);
    PlayVoice("sounds", 3);
    EXPECT_EQ(Level(), 4000);
    PlayVoice("sounds", 9);  // overrun while talking: dropped before it is read
    EXPECT_EQ(Level(), 4000);
}

TEST_F(SoundTest, VolumeConversion) {
    EXPECT_EQ(PercentToVolume(100), 127);
    EXPECT_EQ(PercentToVolume(1), 1);
    EXPECT_EQ(PercentToVolume(0), 0);
    EXPECT_EQ(PercentToVolume(250), 127) << "clamped";
    EXPECT_EQ(PercentToVolume(-4), 0) << "clamped";
    EXPECT_EQ(VolumeToPercent(127), 100);
    EXPECT_EQ(VolumeToPercent(1), 0);

    Up();
    SoundSeek("sounds", 4, 0);
    SoundPlay(0);
    SetMasterVolume(50);
    EXPECT_EQ(AUD_digital_master_volume(1), 63);
    EXPECT_EQ(GetMasterVolume(), 49);
    EXPECT_EQ(Level(), 5000 * 127 * 63 / (127 * 127));
    SetSoundVolume(0, 50);
    EXPECT_EQ(GetSoundVolume(0), 49);
    EXPECT_EQ(Level(), 5000 * 63 * 63 / (127 * 127));
    SetMasterVolume(100);
    SetSoundVolume(0, 100);
    EXPECT_EQ(Level(), 5000);

    SoundPause(0);
    EXPECT_EQ(Level(), 0);
    EXPECT_EQ(IsSoundPlaying(0), 0u);
    SoundResume(0);
    EXPECT_EQ(Level(), 5000);
    EXPECT_EQ(GetSoundRate(0), 22050);
    SoundFade(0);
    EXPECT_EQ(IsSoundPlaying(0), 0u) << "faded out and stopped";
    EXPECT_EQ(Level(), 0);
}

// The player's levels scale the effects and the music apart, over each
// sound's own volume; muting silences both and gives the levels back after.
TEST_F(SoundTest, EffectsAndMusicLevelsAndMuting) {
    // The mixer's arithmetic: full volume times the level, truncated.
    const auto at = [](int level, int percent) {
        return level * (127 * 127 * percent / 100) / (127 * 127);
    };
    WriteBytes(dir + "tune.16b", Tone(1000, 2000));
    soundVolume = 50;
    musicVolume = 25;
    Up();  // the settings' levels from the start
    SoundSeek("sounds", 4, 0);
    SoundPlay(0);
    EXPECT_EQ(Level(), at(5000, 50));
    SoundStop(0);
    PlayMusic("tune");
    EXPECT_EQ(Level(), at(2000, 25));
    SoundPlay(0);
    EXPECT_EQ(Level(), at(2000, 25) + at(5000, 50)) << "both at once, each at its level";

    SetSoundLevels(100, 0);  // sounds already playing change at once
    EXPECT_EQ(Level(), 5000);
    SetSoundMuted(true);
    EXPECT_TRUE(SoundMuted());
    EXPECT_EQ(Level(), 0);
    SoundSeek("sounds", 1, 1);
    SoundPlay(1);  // started while muted: silent too
    EXPECT_EQ(Level(), 0);
    SetSoundMuted(false);
    EXPECT_EQ(Level(), 5000 + 2000) << "the effects at 100, the music at 0";
    SetSoundLevels(250, -3);
    EXPECT_EQ(Level(), 5000 + 2000) << "clamped to 100 and 0";
}

TEST_F(SoundTest, SilentModeMakesEveryCallANoOp) {
    WriteBytes(dir + "mainmenu.16b", Tone(300, 1200));
    EXPECT_EQ(SoundIsOn(), 0u);
    EXPECT_EQ(SoundSeek("sounds", 0, 0), 0u);
    EXPECT_EQ(SoundLoad("mainmenu", kMusicSound), 0u);
    SoundPlay(0);
    SoundLoop(0);
    EXPECT_EQ(IsSoundPlaying(0), 0u);
    WaitSound(0);
    PlayMusic("mainmenu");
    EXPECT_EQ(MusicIsPlaying(), 0u);
    WaitMusic();
    StopMusic();
    PlayVoice("sounds", 0);
    SetMasterVolume(50);
    EXPECT_EQ(GetMasterVolume(), 0);
    SoundFade(0);
    SoundStop(0);
    SoundFree(0);
    StopAllSounds();
    SoundExit();
    EXPECT_EQ(LogText(), "") << "silence is not an error";
}

}  // namespace
