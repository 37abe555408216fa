// The payout reels: the strip whole and the eight reel windows stopped on each picture.
#include "gallery_sheet.h"

int WriteReelSheet(const std::string&, int) {
    return 0;  // no reel sheet yet
}
