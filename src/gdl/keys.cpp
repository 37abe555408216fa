// Keys as the game knows them: the PC keyboard's scan code and the character
// a US keyboard types, looked up by the USB usage number keyboards report.
#include <array>
#include <cstdint>

#include "gdl/gdl_host.h"

namespace {

struct Key {
    uint8_t scan;  // PC scan code, set 1; 0 for keys the game never knew
    char plain;    // character without shift; 0 for none
    char shifted;  // character with shift
};

constexpr int kUsages = 0xE8;

constexpr std::array<Key, kUsages> MakeKeys() {
    std::array<Key, kUsages> keys{};
    // Letters a to z are usages 4 to 29.
    constexpr uint8_t kLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                      0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                      0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    for (int i = 0; i < 26; ++i) {
        keys[4 + i] = {kLetters[i], static_cast<char>('a' + i), static_cast<char>('A' + i)};
    }
    // Digits 1 to 9 and 0 are usages 30 to 39, scan codes 2 to 11.
    constexpr char kDigits[] = "1234567890";
    constexpr char kDigitsShifted[] = "!@#$%^&*()";
    for (int i = 0; i < 10; ++i) {
        keys[30 + i] = {static_cast<uint8_t>(2 + i), kDigits[i], kDigitsShifted[i]};
    }
    keys[0x28] = {0x1C, 13, 13};  // Enter
    keys[0x29] = {0x01, 27, 27};  // Escape
    keys[0x2A] = {0x0E, 8, 8};    // Backspace
    keys[0x2B] = {0x0F, 9, 9};    // Tab
    keys[0x2C] = {0x39, ' ', ' '};
    keys[0x2D] = {0x0C, '-', '_'};
    keys[0x2E] = {0x0D, '=', '+'};
    keys[0x2F] = {0x1A, '[', '{'};
    keys[0x30] = {0x1B, ']', '}'};
    keys[0x31] = {0x2B, '\\', '|'};
    keys[0x33] = {0x27, ';', ':'};
    keys[0x34] = {0x28, '\'', '"'};
    keys[0x35] = {0x29, '`', '~'};
    keys[0x36] = {0x33, ',', '<'};
    keys[0x37] = {0x34, '.', '>'};
    keys[0x38] = {0x35, '/', '?'};
    keys[0x39] = {0x3A, 0, 0};  // Caps Lock
    for (int i = 0; i < 10; ++i) {
        keys[0x3A + i] = {static_cast<uint8_t>(0x3B + i), 0, 0};  // F1 to F10
    }
    keys[0x44] = {0x57, 0, 0};  // F11
    keys[0x45] = {0x58, 0, 0};  // F12
    // The editing and arrow keys type nothing.
    keys[0x49] = {0x52, 0, 0};  // Insert
    keys[0x4A] = {0x47, 0, 0};  // Home
    keys[0x4B] = {0x49, 0, 0};  // Page Up
    keys[0x4C] = {0x53, 0, 0};  // Delete
    keys[0x4D] = {0x4F, 0, 0};  // End
    keys[0x4E] = {0x51, 0, 0};  // Page Down
    keys[0x4F] = {0x4D, 0, 0};  // Right
    keys[0x50] = {0x4B, 0, 0};  // Left
    keys[0x51] = {0x50, 0, 0};  // Down
    keys[0x52] = {0x48, 0, 0};  // Up
    // The keypad: operators type, the rest are the editing keys they share codes with.
    keys[0x54] = {0x35, '/', '/'};
    keys[0x55] = {0x37, '*', '*'};
    keys[0x56] = {0x4A, '-', '-'};
    keys[0x57] = {0x4E, '+', '+'};
    keys[0x58] = {0x1C, 13, 13};
    constexpr uint8_t kPad[10] = {0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x52};
    for (int i = 0; i < 10; ++i) {
        keys[0x59 + i] = {kPad[i], 0, 0};  // keypad 1 to 9, then 0
    }
    keys[0x63] = {0x53, 0, 0};  // keypad point
    keys[0xE0] = {0x1D, 0, 0};  // left Control
    keys[0xE1] = {0x2A, 0, 0};  // left Shift
    keys[0xE2] = {0x38, 0, 0};  // left Alt
    keys[0xE4] = {0x1D, 0, 0};  // right Control
    keys[0xE5] = {0x36, 0, 0};  // right Shift
    keys[0xE6] = {0x38, 0, 0};  // right Alt
    return keys;
}

constexpr std::array<Key, kUsages> kKeys = MakeKeys();
static_assert(kKeys[0x29].scan == 1 && kKeys[0x52].scan == 72, "Escape and Up");

}  // namespace

uint32_t GDL_keyCode(int32_t usbUsage, bool shift, int32_t layoutChar) {
    if (usbUsage < 0 || usbUsage >= kUsages) {
        return 0;
    }
    const Key& key = kKeys[static_cast<size_t>(usbUsage)];
    int32_t character = shift ? key.shifted : key.plain;
    // Another layout's character for a key that types one, when it differs.
    if (layoutChar > ' ' && layoutChar < 127 && key.plain > ' ' && layoutChar != key.plain) {
        character = layoutChar;
        if (shift && character >= 'a' && character <= 'z') {
            character -= 'a' - 'A';
        }
    }
    return static_cast<uint32_t>(static_cast<uint8_t>(character)) |
           (static_cast<uint32_t>(key.scan) << 8);
}
