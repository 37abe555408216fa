// make_captions OUTDIR: writes OUTDIR/captions.txt, the words of every comment
// the characters speak, from the same table their voices are spoken from, so a
// caption never drifts from its recording.
//
// The file is plain text. Lines starting with '#' are notes; every other line
// is one comment:
//     CHARACTER COMMENT TEXT
// CHARACTER is the bank number ("char%02d"), COMMENT is 1-based (entry
// COMMENT - 1 of the bank), each followed by one space; TEXT runs to the end of
// the line, printable ASCII only. Lines end with a single '\n'.
#include <cstdio>
#include <cstring>
#include <string>

#include "voice_lines.h"

namespace {

// The game shows at most this many characters of one caption.
constexpr size_t kMostText = 160;

bool Printable(const char* text) {
    const size_t length = std::strlen(text);
    if (length == 0 || length > kMostText) {
        return false;
    }
    for (size_t i = 0; i < length; i++) {
        if (text[i] < 32 || text[i] > 126) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::string out =
        "# What the characters say: CHARACTER COMMENT TEXT, one comment a line.\n"
        "# Comment k of a character is entry k - 1 of its sound bank \"char%02d\".\n";
    for (const VoiceLine& line : VoiceLines()) {
        if (!Printable(line.text)) {
            std::fprintf(stderr, "comment %d of character %d cannot be a caption\n", line.comment,
                         line.character);
            return 1;
        }
        out += std::to_string(line.character) + ' ' + std::to_string(line.comment) + ' ' +
               line.text + '\n';
    }
    const std::string path = std::string(argv[1]) + "/captions.txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
