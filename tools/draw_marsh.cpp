// The hunt's scene banks, scn_01 to scn_04, one per club, each loaded at
// graphic 97: the scene (97), the decoy map (98: 160 x 120 cells, 117 where a
// decoy may float) and the depth map (99: one depth per screen pixel).
#include <algorithm>
#include <cstdio>
#include <string>

#include "marsh.h"

namespace {

constexpr uint8_t kOpenWater = 117;
constexpr int kFirstDecoyRow = 66;  // above it decoys are too small to draw
constexpr int kLastDecoyRow = 104;  // below it lies the panel

bool OpenWater(const Marsh& m, int x0, int y0, int x1, int y1) {
    if (x0 < 0 || y0 < 0 || x1 >= 640 || y1 >= kPanelTop) {
        return false;
    }
    for (int y = y0; y <= y1; y++) {
        for (int x = x0; x <= x1; x++) {
            if (m.GroundAt(x, y) != Ground::Water || m.DepthAt(x, y) >= kDecoyLayer) {
                return false;
            }
        }
    }
    return true;
}

Picture DepthPicture(Marsh& m) {
    Picture p{640, 480, 0, 0, std::vector<uint8_t>(640 * 480)};
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            p.pixels[static_cast<size_t>(y) * 640 + x] = m.DepthAt(x, y);
        }
    }
    return p;
}

}  // namespace

std::vector<uint8_t> DecoyMap(const Marsh& m) {
    std::vector<uint8_t> map(160 * 120, 0);
    for (int cy = kFirstDecoyRow; cy <= kLastDecoyRow; cy++) {
        // The size the hunt draws a decoy at on this row, and the room it needs
        // round its anchor (the cell's corner) so no reed or bank crosses it.
        int size = (cy * 16 - 940) * 25 / 245;
        int side = 2 + size * 40 / 100, up = 2 + size * 32 / 100, down = 2 + size * 12 / 100;
        for (int cx = 0; cx < 160; cx++) {
            int x = cx * 4, y = cy * 4;
            if (OpenWater(m, x - side, y - up, x + 3 + side, y + 3 + down)) {
                map[static_cast<size_t>(cy) * 160 + cx] = kOpenWater;
            }
        }
    }
    return map;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    for (int club = 0; club < 4; club++) {
        Marsh m;
        PaintClub(m, club);
        cairo_surface_flush(m.paint.surface);
        Picture scene = Quantize(m.paint, 0, 0, 640, 480, false, 6);
        Picture decoys{160, 120, 0, 0, DecoyMap(m)};
        int open =
            static_cast<int>(std::count(decoys.pixels.begin(), decoys.pixels.end(), kOpenWater));
        if (open < 300) {
            std::fprintf(stderr, "draw_marsh: club %d has room for decoys in %d cells only\n", club,
                         open);
            return 1;
        }
        std::string name = "scn_0" + std::to_string(club + 1) + ".256";
        if (!WriteBank(OutPath(argv[1], name.c_str()), MasterPalette(),
                       {scene, decoys, DepthPicture(m)}, true)) {
            return 1;
        }
    }
    return 0;
}
