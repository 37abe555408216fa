// The capture as a paletted PNG without libpng, for the browser build: the
// picture data goes in stored (uncompressed) deflate blocks, which any PNG
// reader takes; the server compresses what it sends anyway.
#include <algorithm>
#include <array>
#include <cstddef>

#include "gdl/gdl_host.h"
#include "gdl/gdl_internal.h"

namespace {

std::array<uint32_t, 256> CrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

void Put32(std::vector<uint8_t>* out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out->push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Length, type, data and the CRC of type and data.
void Chunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& data) {
    static const std::array<uint32_t, 256> table = CrcTable();
    Put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data.begin(), data.end());
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = start; i < out->size(); ++i) {
        crc = table[(crc ^ (*out)[i]) & 0xFF] ^ (crc >> 8);
    }
    Put32(out, crc ^ 0xFFFFFFFFu);
}

}  // namespace

bool GDL_encodePng(const GDL_Capture& capture, std::vector<uint8_t>* out) {
    if (out == nullptr || capture.indices.size() != static_cast<size_t>(kGdlWidth) * kGdlHeight) {
        return false;
    }
    out->assign({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    std::vector<uint8_t> header;
    Put32(&header, kGdlWidth);
    Put32(&header, kGdlHeight);
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit indices, no interlace
    Chunk(out, "IHDR", header);
    std::vector<uint8_t> palette;
    for (const GDL_PaletteEntry& entry : capture.palette) {
        palette.insert(palette.end(), {entry.red, entry.green, entry.blue});
    }
    Chunk(out, "PLTE", palette);
    // Each row: filter 0, then its indices.
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(kGdlWidth + 1) * kGdlHeight);
    for (int32_t y = 0; y < kGdlHeight; ++y) {
        raw.push_back(0);
        const uint8_t* row = capture.indices.data() + static_cast<size_t>(y) * kGdlWidth;
        raw.insert(raw.end(), row, row + kGdlWidth);
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    constexpr size_t kBlock = 65535;
    for (size_t at = 0; at < raw.size(); at += kBlock) {
        const size_t length = std::min(kBlock, raw.size() - at);
        const auto len = static_cast<uint16_t>(length);
        zlib.push_back(at + length == raw.size() ? 1 : 0);  // the last block, stored
        zlib.insert(zlib.end(), {static_cast<uint8_t>(len), static_cast<uint8_t>(len >> 8),
                                 static_cast<uint8_t>(~len), static_cast<uint8_t>(~len >> 8)});
        zlib.insert(zlib.end(), raw.begin() + static_cast<ptrdiff_t>(at),
                    raw.begin() + static_cast<ptrdiff_t>(at + length));
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(&zlib, (b << 16) | a);
    Chunk(out, "IDAT", zlib);
    Chunk(out, "IEND", {});
    return true;
}
