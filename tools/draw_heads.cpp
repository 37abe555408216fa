// char20 (Wilma the game warden) and char21 (Sheriff Jones), the talking
// heads; and jail, the jail picture with the depth map the sheriff stands on.
#include <cstdio>

#include "heads.h"
#include "jail.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const char* dir = argv[1];
    for (auto [figure, name] : {std::pair{&kWarden, "char20.256"}, {&kSheriff, "char21.256"}}) {
        std::vector<Picture> bank = BuildHeadBank(*figure);
        if (bank.empty() || !WriteBank(OutPath(dir, name), MasterPalette(), bank, true)) {
            std::fprintf(stderr, "%s: not made\n", name);
            return 1;
        }
    }
    return WriteBank(OutPath(dir, "jail.256"), MasterPalette(), JailBank(), true) ? 0 : 1;
}
