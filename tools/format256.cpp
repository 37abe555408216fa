#include "format256.h"

#include "file_out.h"

#include <cstdio>

namespace {

void Put16(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

// The loader's row buffer holds 640 pixels; sizes are signed 16-bit.
bool Fits(const Picture& p) {
    return p.width > 0 && p.height > 0 && p.width <= 640 && p.height <= 32767 && p.xoff >= -32768 &&
           p.xoff <= 32767 && p.yoff >= -32768 && p.yoff <= 32767 &&
           p.pixels.size() == static_cast<size_t>(p.width) * p.height;
}

}  // namespace

std::vector<uint8_t> EncodeRle(const Picture& picture) {
    std::vector<uint8_t> out;
    for (int y = 0; y < picture.height; y++) {
        const uint8_t* row = &picture.pixels[static_cast<size_t>(y) * picture.width];
        int x = 0;
        while (x < picture.width) {
            int run = 1;
            while (x + run < picture.width && run < 63 && row[x + run] == row[x]) {
                run++;
            }
            // A lone pixel below 0xC0 is cheaper as a literal; from 0xC0 up it
            // can only be stored as a run.
            if (run == 1 && row[x] < 0xC0) {
                out.push_back(row[x]);
            } else {
                out.push_back(static_cast<uint8_t>(0xC0 | run));
                out.push_back(row[x]);
            }
            x += run;
        }
    }
    return out;
}

bool WriteBank(const std::string& path, const Palette& palette,
               const std::vector<Picture>& pictures, bool rle) {
    if (pictures.empty() || pictures.size() > 975) {
        std::fprintf(stderr, "%s: %zu graphics will not load\n", path.c_str(), pictures.size());
        return false;
    }
    std::vector<uint8_t> out;
    out.insert(out.end(), {'R', 'G', '2', '6'});  // not read by the game
    Put16(out, static_cast<int>(pictures.size()));
    out.push_back(rle ? 1 : 0);
    out.push_back(0);
    for (const Rgb& entry : palette) {
        out.insert(out.end(), {entry.r, entry.g, entry.b});
    }
    for (size_t i = 0; i < pictures.size(); i++) {
        const Picture& p = pictures[i];
        if (!Fits(p)) {
            std::fprintf(stderr, "%s: graphic %zu (%d x %d) does not fit the format\n",
                         path.c_str(), i, p.width, p.height);
            return false;
        }
        std::vector<uint8_t> data = rle ? EncodeRle(p) : p.pixels;
        Put32(out, static_cast<uint32_t>(data.size()));
        Put16(out, p.width);
        Put16(out, p.height);
        Put16(out, p.xoff);
        Put16(out, p.yoff);
        Put32(out, 0);  // where the loader keeps its data pointer
        out.insert(out.end(), data.begin(), data.end());
    }
    return WriteBytes(path, out);
}

bool WriteBackground(const std::string& path, const Palette& palette, const Picture& picture) {
    if (picture.width != 640 || picture.height != 480) {
        std::fprintf(stderr, "%s: a background is 640 x 480, not %d x %d\n", path.c_str(),
                     picture.width, picture.height);
        return false;
    }
    return WriteBank(path, palette, {picture}, false);
}
