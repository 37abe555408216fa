// The talking heads composed as the game composes them, and the payout reels.
#include "gallery_sheet.h"

int WriteComposedSheets(const std::string&, const std::string&, int) {
    return 0;  // nothing composed yet
}
