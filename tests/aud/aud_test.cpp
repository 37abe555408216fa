#include "aud/aud.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "aud/wav_image.h"
#include "support/temp_dir.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

constexpr AudWaveFormat kFormat16{1, 1, 22050, 44100, 2, 16};

std::vector<AudSample> ended;
std::thread::id endThread;

int32_t NoteEnd(AudSample sample) {
    ended.push_back(sample);
    endThread = std::this_thread::get_id();
    return 0;
}

class AudTest : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        SysSetHeadless(true);
        AUD_shutdown();
        ended.clear();
    }
    void TearDown() override {
        AUD_shutdown();
        SysSetHeadless(false);
        unsetenv("SDL_AUDIODRIVER");
        ScratchTest::TearDown();
    }

    // Starts the library with the headless output open; returns the driver.
    AudDriver Open(const AudWaveFormat& format = kFormat16) {
        AUD_startup();
        AudDriver driver = 0;
        EXPECT_EQ(AUD_waveOutOpen(&driver, 0, &format), 0) << AUD_last_error();
        return driver;
    }
    // Opens the output and takes one sample handle on it.
    AudSample OpenSample() { return AUD_allocate_sample_handle(Open()); }

    static bool Load(AudSample sample, const std::string& image) {
        return AUD_set_sample_file(sample, image.data(), static_cast<uint32_t>(image.size())) == 1;
    }

    // Polls the status until the sample is no longer playing; returns the polls.
    static int PollsUntilDone(AudSample sample, int limit = 100000) {
        int polls = 1;
        while (AUD_sample_status(sample) == AUD_SMP_PLAYING && polls < limit) {
            ++polls;
        }
        return polls;
    }
};

TEST_F(AudTest, OutputAndHandles) {
    AudDriver driver = 0;
    EXPECT_NE(AUD_waveOutOpen(&driver, 0, &kFormat16), 0) << "not started yet";
    AUD_startup();
    for (AudWaveFormat bad :
         {AudWaveFormat{3, 1, 22050, 44100, 2, 16}, AudWaveFormat{1, 2, 22050, 88200, 4, 16},
          AudWaveFormat{1, 1, 22050, 22050, 2, 16}, AudWaveFormat{1, 1, 22050, 66150, 3, 24}}) {
        EXPECT_NE(AUD_waveOutOpen(&driver, 0, &bad), 0);
        EXPECT_EQ(driver, 0);
        EXPECT_STRNE(AUD_last_error(), "");
    }
    EXPECT_NE(AUD_waveOutOpen(&driver, 1, &kFormat16), 0) << "only wave device 0";
    EXPECT_EQ(AUD_allocate_sample_handle(1), 0) << "no output yet";
    ASSERT_EQ(AUD_waveOutOpen(&driver, 0, &kFormat16), 0);
    AudDriver second = 0;
    EXPECT_NE(AUD_waveOutOpen(&second, 0, &kFormat16), 0) << "one output only";

    std::vector<AudSample> handles;
    for (int i = 0; i < 16; ++i) {
        AudSample s = AUD_allocate_sample_handle(driver);
        ASSERT_NE(s, 0) << "handle " << i;
        EXPECT_EQ(AUD_sample_status(s), AUD_SMP_DONE) << "a fresh handle is done";
        handles.push_back(s);
    }
    EXPECT_EQ(AUD_allocate_sample_handle(driver), 0) << "the 17th";
    EXPECT_STRNE(AUD_last_error(), "");
    for (AudSample bad : {0, -1, 17, 1000}) {
        EXPECT_EQ(AUD_sample_status(bad), AUD_SMP_FREE);
        AUD_start_sample(bad);  // ignored, not a crash
        EXPECT_EQ(AUD_set_sample_file(bad, "RIFF", 4), 0);
    }
    EXPECT_EQ(AUD_set_preference(AUD_USE_FALLBACK_DEVICE, 1), 0);
    EXPECT_EQ(AUD_set_preference(AUD_USE_FALLBACK_DEVICE, 0), 1);
    EXPECT_EQ(AUD_set_preference(99, 1), 0);
}

TEST_F(AudTest, MixesExactlyAndEndsAtAFixedVirtualMoment) {
    AudSample s = OpenSample();
    // 2205 frames: 100 ms at 22050 Hz.
    auto value = [](int i) { return (i * 37) % 60000 - 30000; };
    ASSERT_TRUE(Load(s, MonoWav(2205, value))) << AUD_last_error();
    AUD_register_EOB_callback(s, NoteEnd);
    AUD_keep_mixed(true);
    AUD_start_sample(s);
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_PLAYING);  // the first read sets the start
    EXPECT_EQ(PollsUntilDone(s), 100) << "one read per virtual ms, 22.05 frames each";
    EXPECT_EQ(ended, std::vector<AudSample>{s}) << "the callback came with the status read";
    for (int i = 0; i < 10; ++i) {
        AUD_ms_count();
    }
    std::vector<int16_t> mixed = Samples16(AUD_take_mixed());
    ASSERT_GE(mixed.size(), 2205u + 200u);
    for (int i = 0; i < 2205; ++i) {
        ASSERT_EQ(mixed[i], value(i)) << "frame " << i;
    }
    for (size_t i = 2205; i < mixed.size(); ++i) {
        ASSERT_EQ(mixed[i], 0) << "silence after the end, frame " << i;
    }
    EXPECT_EQ(ended.size(), 1u) << "one end, one callback";
}

TEST_F(AudTest, VolumesScaleAndTheSumClips) {
    AudDriver driver = Open();
    AudSample a = AUD_allocate_sample_handle(driver);
    AudSample b = AUD_allocate_sample_handle(driver);
    ASSERT_TRUE(Load(a, MonoWav(4000, [](int) { return 20000; })));
    ASSERT_TRUE(Load(b, MonoWav(4000, [](int) { return 20000; })));
    EXPECT_EQ(AUD_sample_volume(a), 127);
    EXPECT_EQ(AUD_digital_master_volume(driver), 127);
    AUD_set_sample_volume(a, 200);
    EXPECT_EQ(AUD_sample_volume(a), 127) << "clamped";
    AUD_keep_mixed(true);
    AUD_start_sample(a);
    AUD_start_sample(b);
    AUD_ms_count();
    AUD_ms_count();
    std::vector<int16_t> mixed = Samples16(AUD_take_mixed());
    ASSERT_FALSE(mixed.empty());
    EXPECT_EQ(mixed.back(), 32767) << "two at 20000 clip at full scale";

    AUD_set_digital_master_volume(driver, -5);
    EXPECT_EQ(AUD_digital_master_volume(driver), 0);
    AUD_ms_count();
    mixed = Samples16(AUD_take_mixed());
    ASSERT_FALSE(mixed.empty());
    EXPECT_EQ(mixed.back(), 0) << "master volume 0 is silence";
}

TEST_F(AudTest, LoopsHaltsAndEnds) {
    AudSample s = OpenSample();
    ASSERT_TRUE(Load(s, MonoWav(2205, [](int) { return 1000; })));
    AUD_register_EOB_callback(s, NoteEnd);
    AUD_set_sample_loop_count(s, 3);
    AUD_start_sample(s);
    EXPECT_EQ(PollsUntilDone(s), 301) << "the first read, then three plays of 100 ms";
    EXPECT_EQ(ended.size(), 1u) << "the callback after the last play only";

    AUD_set_sample_loop_count(s, 0);
    AUD_start_sample(s);
    EXPECT_EQ(PollsUntilDone(s, 5000), 5000) << "0 repeats without end";
    AUD_stop_sample(s);
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_STOPPED);
    uint32_t where = AUD_sample_position(s);
    for (int i = 0; i < 50; ++i) {
        AUD_ms_count();
    }
    EXPECT_EQ(AUD_sample_position(s), where) << "a halted sample stays put";
    AUD_resume_sample(s);
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_PLAYING);
    EXPECT_NE(AUD_sample_position(s), where);
    AUD_end_sample(s);
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_DONE);
    EXPECT_EQ(ended.size(), 1u) << "ending by hand calls no callback";
}

TEST_F(AudTest, EndNoticesWaitForTheMainThreadAndStaleOnesAreDropped) {
    AudSample s = OpenSample();
    std::string image = MonoWav(221, [](int) { return 5; });  // 10 ms
    ASSERT_TRUE(Load(s, image));
    AUD_register_EOB_callback(s, NoteEnd);
    AUD_start_sample(s);
    const uint32_t now = SysPeekMilliseconds();
    SysPump();  // sets the start
    EXPECT_EQ(SysPeekMilliseconds(), now) << "pumping looks at the clock without taking time";
    SysAdvanceVirtualClock(50);
    EXPECT_TRUE(ended.empty()) << "nothing is called while nobody polls";
    SysPump();
    EXPECT_EQ(ended, std::vector<AudSample>{s}) << "the display's event pump delivers";

    // A sample that played out, restarted before anyone polled: no stale end.
    ended.clear();
    AUD_start_sample(s);
    SysAdvanceVirtualClock(50);
    AUD_ms_count();  // mixes it to its end, then delivers
    EXPECT_EQ(ended.size(), 1u);
    ended.clear();
    AUD_start_sample(s);
    SysAdvanceVirtualClock(50);
    AUD_keep_mixed(false);
    // Ended on the virtual output but not yet polled: a restart cancels the notice.
    AUD_start_sample(s);
    EXPECT_TRUE(ended.empty());
    AUD_init_sample(s);
    EXPECT_TRUE(ended.empty()) << "init drops the callback with the data";
    AUD_start_sample(s);
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_DONE) << "no data after init";
}

TEST_F(AudTest, PlaybackRateReconvertsTheFrames) {
    AudSample s = OpenSample();
    ASSERT_TRUE(Load(s, MonoWav(2205, [](int) { return 100; })));
    EXPECT_EQ(AUD_sample_playback_rate(s), 22050);
    AUD_set_sample_playback_rate(s, 11025);
    EXPECT_EQ(AUD_sample_playback_rate(s), 11025);
    AUD_start_sample(s);
    EXPECT_EQ(PollsUntilDone(s), 201) << "the first read, then twice as long at half the rate";
    AUD_set_sample_playback_rate(s, 5);
    EXPECT_EQ(AUD_sample_playback_rate(s), 1000) << "clamped to the lowest rate";
}

TEST_F(AudTest, MsCountIsTheProgramClock) {
    SysUseVirtualClock(500);
    EXPECT_EQ(AUD_ms_count(), 500u);
    EXPECT_EQ(SysMilliseconds(), 501u);
    EXPECT_EQ(AUD_ms_count(), 502u) << "one clock read per call, library up or not";
    Open();
    EXPECT_EQ(AUD_ms_count(), 503u);
}

TEST_F(AudTest, RefusedImageLeavesNothingToPlay) {
    AudSample s = OpenSample();
    ASSERT_TRUE(Load(s, MonoWav(100, [](int) { return 1; })));
    std::string floatImage = WavImage(1, 32, 22050, std::string(400, '\0'), 3);
    EXPECT_FALSE(Load(s, floatImage));
    EXPECT_NE(std::string(AUD_last_error()).find("refused"), std::string::npos);
    AUD_start_sample(s);
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_DONE) << "the former data went too";
    EXPECT_FALSE(Load(s, WavImage(1, 16, 22050, "")));
}

// A wave file made by sox from a known signal mixes to the samples that sox
// itself decodes from it.
TEST_F(AudTest, MixesWhatAnIndependentDecoderReads) {
    if (std::system("command -v sox >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "sox is not installed: no independent decoder to compare with";
    }
    struct Case {
        const char* format;  // sox's options for the file it makes
        int tolerance;       // in 16-bit steps
        size_t edge;         // frames at either end where resamplers may differ more
    };
    // Same format: exact. 8 bits and stereo: SDL and sox round the scaling
    // and the channel average apart by a step. Another rate: two different
    // resamplers, within 0.3 % of full scale away from the ends.
    const Case cases[] = {
        {"-r 22050 -c 1 -b 16 -e signed-integer", 0, 0},
        {"-r 22050 -c 1 -b 8 -e unsigned-integer", 1, 0},
        {"-r 22050 -c 2 -b 16 -e signed-integer", 1, 0},
        {"-r 22050 -c 2 -b 8 -e unsigned-integer", 1, 0},
        {"-r 44100 -c 1 -b 16 -e signed-integer", 100, 64},
        {"-r 11025 -c 2 -b 16 -e signed-integer", 100, 64},
    };
    AudSample s = OpenSample();
    for (const Case& c : cases) {
        std::string make = std::string("sox -D -n ") + c.format +
                           " made.wav synth 0.25 sine 440 sine 1000 vol 0.8";
        ASSERT_EQ(std::system(make.c_str()), 0) << make;
        ASSERT_EQ(std::system("sox -D made.wav -t raw -e signed-integer -b 16 -c 1 -r 22050 "
                              "decoded.raw"),
                  0);
        std::string image = ReadBytes(dir + "made.wav");
        std::string raw = ReadBytes(dir + "decoded.raw");
        std::vector<int16_t> expected = Samples16(std::vector<uint8_t>(raw.begin(), raw.end()));
        ASSERT_GT(expected.size(), 5000u) << c.format;

        ASSERT_TRUE(Load(s, image)) << c.format << ": " << AUD_last_error();
        AUD_keep_mixed(true);
        AUD_start_sample(s);
        PollsUntilDone(s);
        std::vector<int16_t> mixed = Samples16(AUD_take_mixed());
        AUD_keep_mixed(false);
        // A resampler may round the length to the other side by a frame.
        ASSERT_GE(mixed.size() + 1, expected.size()) << c.format;
        int worst = 0;
        size_t worstAt = 0;
        for (size_t i = c.edge; i + c.edge < std::min(mixed.size(), expected.size()); ++i) {
            int diff = std::abs(mixed[i] - expected[i]);
            if (diff > worst) {
                worst = diff;
                worstAt = i;
            }
        }
        EXPECT_LE(worst, c.tolerance) << c.format << ": frame " << worstAt << " mixed "
                                      << mixed[worstAt] << ", sox read " << expected[worstAt];
    }
}

// The real output path on SDL's silent driver: mixing on SDL's audio thread,
// the end callback on ours.
TEST_F(AudTest, DeviceThreadMixesAndTheMainThreadHearsTheEnd) {
    SysSetHeadless(false);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AUD_startup();
    AudDriver driver = 0;
    if (AUD_waveOutOpen(&driver, 0, &kFormat16) != 0) {
        GTEST_SKIP() << "SDL has no dummy audio driver: " << AUD_last_error();
    }
    AudSample s = AUD_allocate_sample_handle(driver);
    ASSERT_TRUE(Load(s, MonoWav(1102, [](int) { return 3; })));  // 50 ms
    AUD_register_EOB_callback(s, NoteEnd);
    AUD_start_sample(s);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ended.empty() && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        SysPump();
    }
    ASSERT_EQ(ended, std::vector<AudSample>{s}) << "the sample played out within 10 s";
    EXPECT_EQ(endThread, std::this_thread::get_id());
    EXPECT_EQ(AUD_sample_status(s), AUD_SMP_DONE);
}

// Pumps the main thread's event calls until `done` holds; false after 10 s.
template <typename F>
bool PumpUntil(F done) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        SysPump();
    }
    return true;
}

// SDL's file-writing driver keeps every buffer the device was handed, the
// silence of a paused device too: the device rests while nothing plays, wakes
// as a sample starts, and the sample reaches the device whole, from a buffer's
// first frame, with nothing before it lost.
TEST_F(AudTest, DeviceRestsInSilenceAndWakesWithTheWholeSound) {
    SysSetHeadless(false);
    const std::string file = dir + "device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);  // a buffer a millisecond
    AUD_startup();
    AudDriver driver = 0;
    const bool opened = AUD_waveOutOpen(&driver, 0, &kFormat16) == 0;
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    if (!opened) {
        GTEST_SKIP() << "SDL has no file-writing audio driver: " << AUD_last_error();
    }
    AudSample s = AUD_allocate_sample_handle(driver);
    AudSample idle = AUD_allocate_sample_handle(driver);
    auto value = [](int i) { return 1000 + (i * 7919) % 20000; };  // never silent
    ASSERT_TRUE(Load(s, MonoWav(2000, value)));
    ASSERT_TRUE(Load(idle, MonoWav(100, [](int) { return 0; })));  // inaudible
    AUD_register_EOB_callback(s, NoteEnd);
    EXPECT_TRUE(PumpUntil(AUD_device_resting)) << "nothing plays: the device rests";

    AUD_start_sample(idle);
    AUD_stop_sample(idle);  // halted, not playing: no reason to stay awake
    AUD_start_sample(s);
    EXPECT_FALSE(AUD_device_resting()) << "a start wakes it at once";
    ASSERT_TRUE(PumpUntil([] { return !ended.empty(); })) << "the sample played out";
    EXPECT_TRUE(PumpUntil(AUD_device_resting)) << "silent again: rests again";
    AUD_resume_sample(idle);
    EXPECT_FALSE(AUD_device_resting()) << "a resumed sample wakes it too";
    AUD_end_sample(idle);
    AUD_shutdown();  // closes the file

    const std::string bytes = ReadBytes(file);
    std::vector<int16_t> frames = Samples16(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    const auto first = std::find_if(frames.begin(), frames.end(), [](int16_t v) { return v != 0; });
    ASSERT_NE(first, frames.end()) << "the sound reached the device";
    const auto at = static_cast<size_t>(first - frames.begin());
    EXPECT_GT(at, 0u) << "the device handed over silence before the start";
    EXPECT_EQ(at % AUD_BUFFER_FRAMES, 0u) << "the sound begins a buffer: nothing clipped";
    ASSERT_GE(frames.size(), at + 2000 + AUD_BUFFER_FRAMES);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(frames[at + i], value(i)) << "frame " << i;
    }
    EXPECT_EQ(frames[at + 2000], 0) << "then silence";
}

std::vector<std::string> told;

void NoteTold(const char* line) {
    told.emplace_back(line);
}

// SDL's file-writing driver as the device, a buffer a millisecond, writing
// to `file`; false (and the test skipped) when SDL has no such driver.
bool OpenDiskDevice(const std::string& file, AudDriver* driver) {
    SysSetHeadless(false);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    AUD_startup();
    told.clear();
    AUD_set_logger(NoteTold);
    return AUD_waveOutOpen(driver, 0, &kFormat16) == 0;
}

TEST_F(AudTest, KeptAwakeTheDeviceNeverRests) {
    AudDriver driver = 0;
    const bool opened = OpenDiskDevice(dir + "awake.raw", &driver);
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    if (!opened) {
        GTEST_SKIP() << "SDL has no file-writing audio driver: " << AUD_last_error();
    }
    AUD_set_preference(AUD_KEEP_DEVICE_AWAKE, 1);
    AUD_set_preference(AUD_CLOSE_DEVICE_AFTER, 1);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        SysPump();
    }
    EXPECT_FALSE(AUD_device_resting()) << "a hundred quiet buffers, and still awake";
    EXPECT_FALSE(AUD_device_closed());
}

// A longer rest closes the device, so SDL's audio thread ends too; the next
// start opens it again and the sound reaches it whole, in its first buffer.
// A device that cannot be opened again is told once, its sounds play out
// silently on the clock (so waits on them end), and every later start tries
// again.
TEST_F(AudTest, ALongRestClosesTheDeviceAndTheNextSoundOpensItAgain) {
    AudDriver driver = 0;
    const bool opened = OpenDiskDevice(dir + "first.raw", &driver);
    if (!opened) {
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
        GTEST_SKIP() << "SDL has no file-writing audio driver: " << AUD_last_error();
    }
    AUD_set_preference(AUD_CLOSE_DEVICE_AFTER, 5);
    AudSample s = AUD_allocate_sample_handle(driver);
    auto value = [](int i) { return 1000 + (i * 7919) % 20000; };  // never silent
    ASSERT_TRUE(Load(s, MonoWav(2000, value)));
    AUD_register_EOB_callback(s, NoteEnd);
    EXPECT_TRUE(PumpUntil(AUD_device_closed)) << "five milliseconds of rest close it";
    EXPECT_TRUE(AUD_device_resting());

    setenv("SDL_DISKAUDIOFILE", (dir + "no/such/folder.raw").c_str(), 1);
    AUD_start_sample(s);
    EXPECT_TRUE(AUD_device_closed()) << "the driver cannot write there";
    EXPECT_FALSE(AUD_device_resting());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rfind("ERROR: the sound device cannot be opened again: ", 0), 0u) << told[0];
    EXPECT_TRUE(PumpUntil([] { return !ended.empty(); })) << "played out on the clock";
    AUD_start_sample(s);
    EXPECT_EQ(told.size(), 1u) << "told once while it stays closed";
    AUD_end_sample(s);

    const std::string second = dir + "second.raw";
    setenv("SDL_DISKAUDIOFILE", second.c_str(), 1);
    ended.clear();
    AUD_start_sample(s);
    EXPECT_FALSE(AUD_device_closed()) << "a later start opens it";
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1], "The sound device is open again.");
    EXPECT_TRUE(PumpUntil([] { return !ended.empty(); })) << "played on the device";
    EXPECT_TRUE(PumpUntil(AUD_device_closed)) << "and closed again after its rest";
    AUD_shutdown();
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");

    // The second file starts when the device opened again.
    const std::string bytes = ReadBytes(second);
    std::vector<int16_t> frames = Samples16(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    const auto first = std::find_if(frames.begin(), frames.end(), [](int16_t v) { return v != 0; });
    ASSERT_NE(first, frames.end()) << "the sound reached the device";
    const auto at = static_cast<size_t>(first - frames.begin());
    EXPECT_LE(at, size_t{AUD_BUFFER_FRAMES}) << "within the first buffer";
    EXPECT_EQ(at % AUD_BUFFER_FRAMES, 0u) << "the sound begins a buffer: nothing clipped";
    ASSERT_GE(frames.size(), at + 2000);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(frames[at + i], value(i)) << "frame " << i;
    }
}

}  // namespace
