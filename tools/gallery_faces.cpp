// The talking heads composed as the game composes them.
#include "gallery_sheet.h"

int WriteFaceSheet(const std::string&, const std::string&, int) {
    return 0;  // no composed faces yet
}

int WriteComposedSheets(const std::string& out, const std::string& name, int start) {
    if (name == "char20" || name == "char21") {
        return WriteFaceSheet(out, name, start);
    }
    if (name == "char04") {
        return WritePartnerSheet(out);
    }
    if (name == "spr_07") {
        return WriteReelSheet(out, start);
    }
    return 0;
}
