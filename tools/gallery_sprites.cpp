// The sprite bank laid out by species and sex, poses as rows and frames as columns.
#include "gallery_sheet.h"

int WriteSpriteSheets(const std::string& out) {
    return WriteSheet(out, "sprites", BankSheet(TakeSlots(300, 672)));
}
