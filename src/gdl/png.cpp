// The capture as a paletted PNG, through libpng.
#include <png.h>

#include <csetjmp>

#include "gdl/gdl_host.h"
#include "gdl/gdl_internal.h"

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

}  // namespace

bool GDL_encodePng(const GDL_Capture& capture, std::vector<uint8_t>* out) {
    if (out == nullptr || capture.indices.size() != static_cast<size_t>(kGdlWidth) * kGdlHeight) {
        return false;
    }
    out->clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, kGdlWidth, kGdlHeight, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = {capture.palette[i].red, capture.palette[i].green, capture.palette[i].blue};
    }
    png_set_PLTE(png, info, colours, 256);
    png_write_info(png, info);
    for (int32_t y = 0; y < kGdlHeight; ++y) {
        png_write_row(png, capture.indices.data() + static_cast<size_t>(y) * kGdlWidth);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
