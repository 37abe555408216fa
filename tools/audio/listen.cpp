// reedgunner-listen BANK ENTRY OUT.wav: plays entry ENTRY of the sound bank
// file BANK (ENTRY -1: BANK is a music file) through the game's own sound
// module on the headless backend, and writes what the mixer put out, in the
// output's format (22050 Hz mono, 8 bits for a ".8b" file, else 16), to
// OUT.wav.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "aud/aud.h"
#include "engine/config.h"
#include "platform/sound.h"
#include "sys/backend.h"
#include "sys/program_options.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) {
        out.push_back(static_cast<uint8_t>((value >> (8 * i)) & 0xFF));
    }
}

std::vector<uint8_t> Wave(const std::vector<uint8_t>& pcm, uint32_t bits) {
    std::vector<uint8_t> out;
    const uint32_t bytes = bits / 8;
    const uint32_t size = static_cast<uint32_t>(pcm.size());
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put(out, 36 + size, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put(out, 16, 4);
    Put(out, 1, 2);
    Put(out, 1, 2);
    Put(out, 22050, 4);
    Put(out, 22050 * bytes, 4);
    Put(out, bytes, 2);
    Put(out, bits, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put(out, size, 4);
    out.insert(out.end(), pcm.begin(), pcm.end());
    return out;
}

const ProgramOptions kOptions = {
    .name = "reedgunner-listen",
    .usage = "BANK ENTRY OUT.wav",
    .help =
        "Plays one entry of a sound bank (.16b or .8b) through the game's sound module\n"
        "on the headless mixer and writes what was mixed to OUT.wav. ENTRY -1 plays a\n"
        "music file.\n"
        "\n"
        "  --help     show this help and exit\n"
        "  --version  show the version and exit\n",
    .negativeNumbers = true,
};

}  // namespace

int main(int argc, char** argv) {
    if (const int status = SysProgramOptions(argc, argv, kOptions); status >= 0) {
        return status;
    }
    if (argc != 4) {
        return SysUsageError(kOptions, "BANK, ENTRY and OUT.wav are needed");
    }
    const std::filesystem::path bank = std::filesystem::absolute(argv[1]);
    char* end = nullptr;
    const long entry = std::strtol(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0' || entry < -1 || entry >= kBankEntries) {
        std::fprintf(stderr, "ENTRY must be -1 to %d\n", kBankEntries - 1);
        return 2;
    }
    const std::string ext = bank.extension().string();
    if (ext != ".16b" && ext != ".8b") {
        std::fprintf(stderr, "%s: a bank or music file ends in .16b or .8b\n", argv[1]);
        return 2;
    }
    // The module's log goes to a folder of its own, not over the player's log.
    const std::filesystem::path logs = std::filesystem::temp_directory_path() / "reedgunner-listen";
    std::filesystem::create_directories(logs);
    setenv("XDG_STATE_HOME", logs.c_str(), 1);

    SysSetHeadless(true);
    dataDir = bank.parent_path().string() + "/";
    eightBitSound = ext == ".8b" ? 1 : 0;
    const std::string name = bank.stem().string();
    if (SoundInit() == 0) {
        std::fprintf(stderr, "the headless sound output will not open\n");
        return 1;
    }
    AUD_keep_mixed(true);
    bool played = false;
    if (entry == -1) {
        PlayMusic(name.c_str());
        played = MusicIsPlaying() != 0;
        WaitMusic();
    } else if (SoundSeek(name.c_str(), static_cast<int>(entry), 0) != 0) {
        SoundPlay(0);
        played = IsSoundPlaying(0) != 0;
        WaitSound(0);
    }
    std::vector<uint8_t> mixed = AUD_take_mixed();
    SoundExit();
    if (!played) {
        std::fprintf(stderr, "%s entry %ld did not play (see %s/pellmar/PELLMAR.TXT)\n", argv[1],
                     entry, logs.c_str());
        return 1;
    }
    FILE* out = std::fopen(argv[3], "wb");
    std::vector<uint8_t> wave = Wave(mixed, eightBitSound != 0 ? 8 : 16);
    if (out == nullptr || std::fwrite(wave.data(), 1, wave.size(), out) != wave.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%s: %.2f s\n", argv[3],
                static_cast<double>(mixed.size()) / (eightBitSound != 0 ? 1 : 2) / 22050.0);
    return 0;
}
