// reedgunner-gallery OUTDIR [FILE ...]: renders the game's picture and font
// files into PNG contact sheets, one per bank, background and font, so that
// anyone can look at them. With no files it renders every .256 file and fonts.dat of the data
// directory. Everything goes through the game's own loaders on the headless display: banks through
// LoadGraphics, backgrounds through LoadBackground, fonts through LoadFonts and DrawFontText.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "gallery_sheet.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "sound_page.h"
#include "sys/backend.h"
#include "sys/paths.h"
#include "sys/program_options.h"

namespace {

// The first slot each bank goes to in the game.
int StartSlot(const std::string& name) {
    if (name == "pointers") {
        return kPointerSlot;
    }
    if (name == "icons") {
        return kIconsSlot;
    }
    if (name.rfind("scn_", 0) == 0 || name == "jail") {
        return name == "jail" ? kJailSlot : kSceneSlot;
    }
    if (name == "sprites") {
        return kSpriteSlot;
    }
    if (name == "spr_08") {
        return kGameOverSlot;
    }
    if (name == "char04") {
        return kPartnerSlot;
    }
    if (name.rfind("char", 0) == 0) {
        return kHeadSlot;
    }
    return kScreenBankSlot;
}

// One font drawn by DrawFontText onto the back page: every character on the
// dark colour, then samples on the dialog frame, button and dark colours.
Sheet FontSheet(int font) {
    GDL_Surface* page = backPage;
    for (int y = 0; y < 480; y++) {
        std::fill_n(page->pixels + y * page->bytesPerLine, 640, uint8_t{254});
    }
    textTarget = page;
    int line = GetFont(font)->height + 4;
    std::string all[3];
    for (int ch = 32; ch < 128; ch++) {
        all[(ch - 32) / 32] += static_cast<char>(ch);
    }
    const std::vector<std::pair<uint8_t, std::string>> rows = {
        {254, all[0]},
        {254, all[1]},
        {254, all[2]},
        {230, "Exit Talmadge Reed Gunner?"},
        {230, "No room for new game!"},
        {217, "Yes  No  Okay  Cancel  Resume"},
        {217, "Debug On   Debug Off"},
        {35, "Talmadge              1024"},
        {253, "Bob Whitaker             15"},
        {254, "3 Mallard Drakes   1 Pintail Hen"},
        {254, "4 drakes & 4 hens of any 1 species. $14"},
        {254, "Daily Bag Limit:   6 ducks   6:45 am"},
    };
    int y = 8;
    for (const auto& [band, text] : rows) {
        if (y + line > 480) {
            break;
        }
        for (int j = 0; j < line; j++) {
            std::fill_n(page->pixels + (y + j) * page->bytesPerLine + 4, 632, band);
        }
        DrawFontText(font, 10, y + 2, text.c_str());
        y += line + 4;
    }
    return PageSheet(page);
}

// The data directory without a trailing '/': an installed gallery's own, else
// the build's.
std::string DataDirectory() {
    return SysProgramDataRoot() + "ReedShot";
}

const ProgramOptions kOptions = {
    .name = "reedgunner-gallery",
    .usage = "OUTDIR [FILE...]",
    .help =
        "Renders the game's picture, font and sound files into PNG contact sheets\n"
        "(and sounds.txt) in OUTDIR, through the game's own loaders: every .256 file\n"
        "and fonts.dat of the data folder, or only the FILEs named.\n"
        "\n"
        "  --help     show this help and exit\n"
        "  --version  show the version and exit\n",
};

}  // namespace

int main(int argc, char** argv) {
    if (const int status = SysProgramOptions(argc, argv, kOptions); status >= 0) {
        return status;
    }
    if (argc < 2) {
        return SysUsageError(kOptions, "no OUTDIR named");
    }
    std::string out = argv[1];
    std::filesystem::create_directories(out);
    // The loaders' log goes next to the sheets, not over the player's log.
    setenv("XDG_STATE_HOME", out.c_str(), 1);
    std::vector<std::string> files(argv + 2, argv + argc);
    if (files.empty()) {
        for (const auto& entry : std::filesystem::directory_iterator(DataDirectory())) {
            std::string ext = entry.path().extension().string();
            if (ext == ".256" || entry.path().filename() == "fonts.dat") {
                files.push_back(entry.path().string());
            }
        }
        std::sort(files.begin(), files.end());
    }
    static char instance;
    SysSetHeadless(true);
    GDL_setAppInstance(&instance);
    if (GraphicsInit() == 0) {
        std::fprintf(stderr, "the headless display will not start\n");
        return 1;
    }
    int failures = 0;
    if (argc == 2) {
        // The marshes come first: they are what a reviewer looks at.
        dataDir = DataDirectory() + "/";
        failures += WriteMarshPreviews(out);
    }
    for (const std::string& file : files) {
        std::filesystem::path path(file);
        dataDir = path.parent_path().string() + "/";
        std::string name = path.stem().string();
        Sheet sheet;
        bool loaded = false;
        if (path.filename() == "fonts.dat") {
            // As the game does: the title's palette first, the fonts matched to
            // it; then a sheet for each font.
            if (LoadBackground("bkg_01") == 0) {
                std::fprintf(stderr, "%s: its colours come from bkg_01.256 beside it\n",
                             file.c_str());
            }
            loaded = LoadFonts("fonts.dat") != 0;
            for (int font = 0; loaded && font < kFontSlots && GetFont(font) != nullptr; font++) {
                failures += WriteSheet(out, "fonts_" + std::to_string(font), FontSheet(font));
            }
            FreeFonts();
            if (loaded) {
                continue;
            }
        } else if (path.extension() != ".256") {
            loaded = false;
        } else if (name.rfind("bkg_", 0) == 0) {
            loaded = LoadBackground(name.c_str()) != 0;
            if (loaded) {
                sheet = PageSheet(workPage);
            }
        } else {
            int start = StartSlot(name);
            int count = LoadGraphics(start, name.c_str());
            loaded = count > 0;
            if (loaded && name == "sprites") {
                // Too many for one sheet: the sprite module lays them out.
                failures += WriteSpriteSheets(out);
                FreeGraphics(start, count);
                continue;
            }
            if (loaded) {
                sheet = BankSheet(TakeSlots(start, count));
                failures += WriteComposedSheets(out, name, start);
            }
            FreeGraphics(start, count);
        }
        if (!loaded) {
            std::fprintf(stderr, "%s: cannot load (see %s/pellmar/PELLMAR.TXT)\n", file.c_str(),
                         out.c_str());
            failures++;
            continue;
        }
        failures += WriteSheet(out, name, sheet);
    }
    failures += WriteSoundPage(out, DataDirectory() + "/");
    GraphicsExit();
    return failures == 0 ? 0 : 1;
}
