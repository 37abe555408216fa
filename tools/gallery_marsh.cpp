// The marsh previews: each club's scene as the hunt composes it.
#include "gallery_sheet.h"

int WriteMarshPreviews(const std::string&) {
    return 0;  // the marshes are not drawn yet
}
