#include "bank_writer.h"

#include <cstdio>

#include "wav_writer.h"

std::vector<uint8_t> BankImage(const std::vector<std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> out(kBankHeaderSize, 0);
    const size_t count = entries.size() < kBankMaxEntries ? entries.size() : kBankMaxEntries;
    out[0] = static_cast<uint8_t>(count & 0xFF);
    out[1] = static_cast<uint8_t>(count >> 8);
    uint32_t end = 0;
    for (size_t i = 0; i < count; i++) {
        end += static_cast<uint32_t>(entries[i].size());
        for (int b = 0; b < 4; b++) {
            out[4 + i * 4 + b] = static_cast<uint8_t>((end >> (8 * b)) & 0xFF);
        }
        out.insert(out.end(), entries[i].begin(), entries[i].end());
    }
    return out;
}

bool WriteBankSets(const std::string& dir, const std::string& name,
                   const std::vector<synth::Buffer>& sounds) {
    bool ok = true;
    for (int bits : {16, 8}) {
        std::vector<std::vector<uint8_t>> images;
        for (const synth::Buffer& sound : sounds) {
            images.push_back(WavImage(sound, bits));
        }
        std::string path = dir + "/" + name + (bits == 8 ? ".8b" : ".16b");
        ok = WriteBytes(path, BankImage(images)) && ok;
    }
    return ok;
}

bool WriteMusicSets(const std::string& dir, const std::string& name, const synth::Buffer& music) {
    bool ok = WriteBytes(dir + "/" + name + ".16b", WavImage(music, 16));
    return WriteBytes(dir + "/" + name + ".8b", WavImage(music, 8)) && ok;
}
