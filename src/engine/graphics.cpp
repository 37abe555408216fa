#include "engine/graphics.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/config.h"
#include "engine/files.h"
#include "engine/log.h"
#include "platform/graphics.h"

std::array<GraphicSlot, kGraphicSlots> Graphic{};
std::array<GDL_PaletteEntry, 256> gamePalette{};
std::array<uint8_t, 768> backgroundPalette{};
std::array<uint8_t, kLineBufferSize> lineBuffer{};

namespace {

uint16_t ReadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

int16_t ReadI16(const uint8_t* bytes) {
    return static_cast<int16_t>(ReadU16(bytes));
}

uint32_t ReadU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

std::string DataPath(const char* name) {
    return dataDir + name + ".256";
}

// The bank being read: its handle and how many bytes are left, so that no
// record can ask for more than the file holds.
struct BankFile {
    FileHandle handle;
    uint32_t left;
};

bool ReadExactly(BankFile& file, void* buffer, uint32_t count) {
    if (count > file.left) {
        return false;
    }
    uint32_t got = FileRead(file.handle, buffer, count);
    file.left -= got;
    return got == count;
}

void FreeSlot(GraphicSlot& slot) {
    if (slot.data != nullptr) {
        GDL_free(slot.data);
        slot.data = nullptr;
    }
}

// Decodes run-length rows into `out` (width * height bytes). False when the
// data ends before the last row is full, a run's value byte included.
bool DecodeRuns(const uint8_t* in, uint32_t size, int width, int height, uint8_t* out) {
    uint32_t at = 0;
    for (int row = 0; row < height; ++row) {
        int filled = 0;
        while (filled < width) {
            if (at >= size) {
                return false;
            }
            uint8_t byte = in[at++];
            if (byte >= 0xC0) {
                if (at >= size) {
                    return false;
                }
                int count = byte & 0x3F;
                std::memset(lineBuffer.data() + filled, in[at++], static_cast<size_t>(count));
                filled += count;  // may pass width by up to 62: the excess is dropped
            } else {
                lineBuffer[static_cast<size_t>(filled++)] = byte;
            }
        }
        std::memcpy(out + static_cast<size_t>(row) * static_cast<size_t>(width), lineBuffer.data(),
                    static_cast<size_t>(width));
    }
    return true;
}

// Reads slot i's record header and pixels. Logs and returns false on failure,
// leaving the slot empty.
bool LoadSlot(BankFile& file, const char* path, int i, bool encoded) {
    GraphicSlot& slot = Graphic[static_cast<size_t>(i)];
    uint8_t header[kRecordHeaderSize];
    if (!ReadExactly(file, header, kRecordHeaderSize)) {
        LogPrintf("ERROR: LoadGraphics: file=%s ends inside Graphic[%d]", path, i);
        return false;
    }
    slot.size = ReadU32(header);
    slot.width = ReadI16(header + 4);
    slot.height = ReadI16(header + 6);
    slot.xoff = ReadI16(header + 8);
    slot.yoff = ReadI16(header + 10);
    slot.data = nullptr;

    // Rows are decoded through lineBuffer and the blitters mirror through it,
    // so no graphic may be wider than the screen.
    if (slot.width <= 0 || slot.height <= 0 || slot.width > kScreenWidth) {
        LogPrintf("ERROR: LoadGraphics: file=%s, Graphic[%d] has bad size %dx%d", path, i,
                  slot.width, slot.height);
        return false;
    }
    const uint32_t bytes = static_cast<uint32_t>(slot.width) * static_cast<uint32_t>(slot.height);
    if (slot.size > file.left) {
        LogPrintf("ERROR: LoadGraphics: file=%s ends inside Graphic[%d]", path, i);
        return false;
    }

    if (!encoded) {
        if (slot.size != bytes) {
            LogPrintf("ERROR: LoadGraphics: file=%s, Graphic[%d] size=%u is not %dx%d", path, i,
                      slot.size, slot.width, slot.height);
            return false;
        }
        auto* data = static_cast<uint8_t*>(GDL_malloc(bytes));
        if (data == nullptr) {
            LogPrintf("ERROR: Out of memory! LoadGraphics: file=%s, data=%d, size=%d", path, i,
                      static_cast<int>(bytes));
            return false;
        }
        if (!ReadExactly(file, data, bytes)) {
            GDL_free(data);
            LogPrintf("ERROR: LoadGraphics: file=%s ends inside Graphic[%d]", path, i);
            return false;
        }
        slot.data = data;
        return true;
    }

    // A zero size cannot hold a row; the decoder reports it below.
    auto* packed = static_cast<uint8_t*>(GDL_malloc(std::max<uint32_t>(slot.size, 1)));
    if (packed == nullptr) {
        LogPrintf("ERROR! Out of memory! LoadGraphics: file=%s, size=%d", path,
                  static_cast<int>(slot.size));
        return false;
    }
    if (!ReadExactly(file, packed, slot.size)) {
        GDL_free(packed);
        LogPrintf("ERROR: LoadGraphics: file=%s ends inside Graphic[%d]", path, i);
        return false;
    }
    auto* data = static_cast<uint8_t*>(GDL_malloc(bytes));
    if (data == nullptr) {
        GDL_free(packed);
        LogPrintf("ERROR! Out of memory! LoadGraphics: file=%s, data=%d, size=%d", path, i,
                  static_cast<int>(bytes));
        return false;
    }
    bool whole = DecodeRuns(packed, slot.size, slot.width, slot.height, data);
    GDL_free(packed);
    if (!whole) {
        GDL_free(data);
        LogPrintf("ERROR: LoadGraphics: file=%s, Graphic[%d] run-length data ends early", path, i);
        return false;
    }
    slot.data = data;
    return true;
}

// Shared by both background loaders: 480 rows of 640 bytes into `page`.
// Returns 1, or 0 (logged) when the file is missing or short.
uint32_t ReadBackground(const char* name, GDL_Surface* page, bool keepPalette) {
    const std::string path = DataPath(name);
    FileHandle handle = FileOpen(path.c_str());
    if (handle == INVALID_FILE) {
        LogPrintf("ERROR: LoadBackground: %s not found!", path.c_str());
        return 0;
    }
    BankFile file{handle, FileSize(handle)};
    uint8_t header[kBankHeaderSize];
    uint8_t record[kRecordHeaderSize];
    if (!ReadExactly(file, header, kBankHeaderSize) ||
        !ReadExactly(file, record, kRecordHeaderSize)) {
        FileClose(handle);
        LogPrintf("ERROR: LoadBackground: %s is too short", path.c_str());
        return 0;
    }
    if (page == nullptr || page->pixels == nullptr) {
        FileClose(handle);
        LogPrintf("ERROR: LoadBackground: %s has no page to load into", path.c_str());
        return 0;
    }
    const int rows = std::min(kScreenHeight, page->maxY + 1);
    const size_t columns = static_cast<size_t>(std::min(kScreenWidth, page->maxX + 1));
    int row = 0;
    for (; row < kScreenHeight; ++row) {
        if (!ReadExactly(file, lineBuffer.data(), kScreenWidth)) {
            break;
        }
        if (row < rows) {
            std::memcpy(page->pixels + static_cast<ptrdiff_t>(row) * page->bytesPerLine,
                        lineBuffer.data(), columns);
        }
    }
    FileClose(handle);
    if (keepPalette) {
        std::memcpy(backgroundPalette.data(), header + 8, backgroundPalette.size());
    }
    if (row < kScreenHeight) {
        // The rows read stay on the page; the rest keep what they held.
        LogPrintf("ERROR: LoadBackground: %s is short, %d of 480 rows", path.c_str(), row);
        return 0;
    }
    return 1;
}

void BlitWhole(GDL_Surface* destination, GDL_Surface* source) {
    GDL_bitBlt(destination, source, 0, 0, kScreenWidth, kScreenHeight, 0, 0, 0);
}

}  // namespace

int32_t LoadGraphics(int32_t start, const char* name) {
    Trace("LoadGraphics( %d, %s)", start, name);
    const std::string path = DataPath(name);
    FileHandle handle = FileOpen(path.c_str());
    if (handle == INVALID_FILE) {
        LogPrintf("ERROR: LoadGraphics: %s not found!", path.c_str());
        return 0;
    }
    BankFile file{handle, FileSize(handle)};
    uint8_t header[kBankHeaderSize];
    if (!ReadExactly(file, header, kBankHeaderSize)) {
        FileClose(handle);
        LogPrintf("ERROR: LoadGraphics: file=%s is too short for its header", path.c_str());
        return 0;
    }
    const int32_t count = ReadI16(header + 4);
    const bool encoded = header[6] != 0;

    // The palette is taken before the range check, so even a refused bank sets it.
    for (size_t i = 0; i < gamePalette.size(); ++i) {
        const uint8_t* rgb = header + 8 + 3 * i;
        gamePalette[i] =
            i == 0 ? GDL_PaletteEntry{0, 0, 0, 0} : GDL_PaletteEntry{rgb[2], rgb[1], rgb[0], 0};
    }

    if (start < 0 || count < 0 || int64_t{start} + count > maxGraphic) {
        FileClose(handle);
        LogPrintf("ERROR: LoadGraphics: file=%s start=%d, number=%d", path.c_str(), start, count);
        return 0;
    }
    for (int32_t i = start; i < start + count; ++i) {
        GraphicSlot& slot = Graphic[static_cast<size_t>(i)];
        if (slot.data != nullptr) {
            LogPrintf("ERROR: LoadGraphics: file=%s, Graphic[%d].data not NULL", path.c_str(), i);
            FreeSlot(slot);
        }
        if (!LoadSlot(file, path.c_str(), i, encoded)) {
            FileClose(handle);
            return 0;
        }
    }
    FileClose(handle);
    Trace("... read %d graphics", count);
    return count;
}

void FreeGraphics(int32_t start, int32_t count) {
    Trace("FreeGraphics( %d, %d)", start, count);
    if (start < 0 || int64_t{start} + count > maxGraphic) {
        LogPrintf("ERROR FreeGraphics( %d, %d ) exceeds maximum", start, count);
        return;
    }
    for (int32_t i = start; i < start + count; ++i) {
        FreeSlot(Graphic[static_cast<size_t>(i)]);
    }
}

uint32_t LoadBackground(const char* name) {
    Trace("LoadBackground( %s )", name);
    return ReadBackground(name, workPage, true);
}

uint32_t LoadBackground2(const char* name) {
    Trace("LoadBackground2( %s )", name);
    return ReadBackground(name, backPage, false);
}

void CopyWorkPage() {
    BlitWhole(backPage, workPage);
}

void ShowBackPage() {
    BlitWhole(displaySurface, backPage);
}

void CopyPageRect(GDL_Surface* source, GDL_Surface* destination, int32_t x, int32_t y, int32_t w,
                  int32_t h) {
    // Far-off rectangles are cut to the 32-bit range; the copy clips the rest.
    auto edge = [](int64_t value) {
        return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    };
    GDL_bitBlt(destination, source, x, y, edge(int64_t{x} + w), edge(int64_t{y} + h), x, y, 0);
}

int64_t CopyChangedRows(GDL_Surface* source, GDL_Surface* destination, int32_t x, int32_t y,
                        int32_t w, int32_t h) {
    if (source == nullptr || destination == nullptr || source->pixels == nullptr ||
        destination->pixels == nullptr) {
        return 0;
    }
    // Compared within both pages; the copy itself clips as CopyPageRect does.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(
        {int64_t{x} + w, int64_t{source->maxX} + 1, int64_t{destination->maxX} + 1});
    const int64_t bottom = std::min<int64_t>(
        {int64_t{y} + h, int64_t{source->maxY} + 1, int64_t{destination->maxY} + 1});
    if (left >= right || top >= bottom) {
        return 0;
    }
    const auto width = static_cast<size_t>(right - left);
    int64_t copied = 0;
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* from = source->pixels + row * source->bytesPerLine + left;
        const uint8_t* to = destination->pixels + row * destination->bytesPerLine + left;
        if (std::memcmp(from, to, width) != 0) {
            GDL_bitBlt(destination, source, static_cast<int32_t>(left), static_cast<int32_t>(row),
                       static_cast<int32_t>(right), static_cast<int32_t>(row + 1),
                       static_cast<int32_t>(left), static_cast<int32_t>(row), 0);
            copied += static_cast<int64_t>(width);
        }
    }
    return copied;
}

void ResetGraphicBanks() {
    for (GraphicSlot& slot : Graphic) {
        FreeSlot(slot);
        slot = GraphicSlot{};
    }
    gamePalette.fill(GDL_PaletteEntry{0, 0, 0, 0});
    backgroundPalette.fill(0);
    lineBuffer.fill(0);
}
