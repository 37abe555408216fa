#pragma once
// Builds .256 files byte by byte for the tests: banks raw or run-length
// encoded, damaged ones and backgrounds.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace test_banks {

struct Picture {
    int16_t width = 0;
    int16_t height = 0;
    int16_t xoff = 0;
    int16_t yoff = 0;
    std::vector<uint8_t> pixels;  // width * height
};

inline void PutU16(std::string& out, uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

inline void PutU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>(value >> (8 * i));
    }
}

// A palette whose entry i is (i, 255 - i, i / 2); entry 0 is (0, 255, 0), not black.
inline std::array<uint8_t, 768> TestPalette() {
    std::array<uint8_t, 768> palette{};
    for (int i = 0; i < 256; ++i) {
        palette[3 * i] = static_cast<uint8_t>(i);
        palette[3 * i + 1] = static_cast<uint8_t>(255 - i);
        palette[3 * i + 2] = static_cast<uint8_t>(i / 2);
    }
    return palette;
}

inline std::string Header(int16_t count, bool encoded,
                          const std::array<uint8_t, 768>& palette = TestPalette()) {
    std::string out = "P256";
    PutU16(out, static_cast<uint16_t>(count));
    out += static_cast<char>(encoded ? 1 : 0);
    out += '\0';
    out.append(reinterpret_cast<const char*>(palette.data()), palette.size());
    return out;
}

// The 16-byte record header with an explicit size.
inline std::string RecordHeader(uint32_t size, int16_t width, int16_t height, int16_t xoff = 0,
                                int16_t yoff = 0) {
    std::string out;
    PutU32(out, size);
    PutU16(out, static_cast<uint16_t>(width));
    PutU16(out, static_cast<uint16_t>(height));
    PutU16(out, static_cast<uint16_t>(xoff));
    PutU16(out, static_cast<uint16_t>(yoff));
    PutU32(out, 0xDEADBEEF);  // the data pointer's place, never read
    return out;
}

// Row by row: repeats of 3 or more and every value of 0xC0 up become runs.
inline std::string EncodeRuns(const Picture& picture) {
    std::string out;
    for (int row = 0; row < picture.height; ++row) {
        const uint8_t* line = picture.pixels.data() + row * picture.width;
        int column = 0;
        while (column < picture.width) {
            uint8_t value = line[column];
            int length = 1;
            while (column + length < picture.width && line[column + length] == value &&
                   length < 63) {
                ++length;
            }
            if (length >= 3 || value >= 0xC0) {
                out += static_cast<char>(0xC0 | length);
                out += static_cast<char>(value);
                column += length;
            } else {
                out += static_cast<char>(value);
                ++column;
            }
        }
    }
    return out;
}

inline std::string Record(const Picture& picture, bool encoded) {
    std::string data =
        encoded ? EncodeRuns(picture) : std::string(picture.pixels.begin(), picture.pixels.end());
    return RecordHeader(static_cast<uint32_t>(data.size()), picture.width, picture.height,
                        picture.xoff, picture.yoff) +
           data;
}

inline std::string Bank(const std::vector<Picture>& pictures, bool encoded,
                        const std::array<uint8_t, 768>& palette = TestPalette()) {
    std::string out = Header(static_cast<int16_t>(pictures.size()), encoded, palette);
    for (const Picture& picture : pictures) {
        out += Record(picture, encoded);
    }
    return out;
}

// A picture of one colour.
inline Picture Solid(int16_t width, int16_t height, uint8_t colour, int16_t xoff = 0,
                     int16_t yoff = 0) {
    return {width, height, xoff, yoff,
            std::vector<uint8_t>(static_cast<size_t>(width) * static_cast<size_t>(height), colour)};
}

// A picture whose pixel (x, y) is (x * 7 + y * 13 + seed) % 256.
inline Picture Pattern(int16_t width, int16_t height, int seed = 1, int16_t xoff = 0,
                       int16_t yoff = 0) {
    Picture picture{width, height, xoff, yoff, {}};
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels[static_cast<size_t>(y * width + x)] =
                static_cast<uint8_t>((x * 7 + y * 13 + seed) % 256);
        }
    }
    return picture;
}

// A background: 480 rows of 640 pixels, the first `rows` of them written.
inline std::string Background(const std::vector<uint8_t>& pixels, int rows = 480,
                              const std::array<uint8_t, 768>& palette = TestPalette()) {
    std::string out = Header(1, false, palette) + RecordHeader(640 * 480, 640, 480);
    out.append(reinterpret_cast<const char*>(pixels.data()), static_cast<size_t>(rows) * 640);
    return out;
}

}  // namespace test_banks
