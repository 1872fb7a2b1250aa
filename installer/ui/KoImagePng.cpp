// PNG through libpng. Plain C style: nothing with a destructor lives across the
// setjmp.
#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "installer/ui/KoImage.h"
#include "installer/ui/KoMemStream.h"

namespace {

void PngRead(png_structp png, png_bytep data, png_size_t len)
{
    auto *s = (CKoMemStream *)png_get_io_ptr(png);
    if (s->Read(data, 1, len) != len)
        png_error(png, "Read Error");
}

void PngError(png_structp png, png_const_charp text)
{
    auto *img = (CKoImage *)png_get_error_ptr(png);
    img->Fail(text);
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Palette images without transparency keep their indices (2 bits widened to 4).
bool KeepsPalette(png_structp png, png_infop info)
{
    int type = png_get_color_type(png, info);
    return type == PNG_COLOR_TYPE_PALETTE &&
           !png_get_valid(png, info, PNG_INFO_tRNS);
}

void StorePaletteRow(CKoImage *img, const png_byte *src, uint32_t y,
                     int depth)
{
    uint32_t w = img->GetWidth();
    for (uint32_t x = 0; x < w; ++x) {
        int per = 8 / depth, shift = (per - 1 - (int)(x % per)) * depth;
        img->SetPixelIndex((int32_t)x, (int32_t)y,
                           (uint8_t)((src[x / per] >> shift) & ((1 << depth) - 1)));
    }
}

void StoreColourRow(CKoImage *img, const png_byte *src, uint32_t y,
                    int channels)
{
    uint8_t *dst = img->GetBits(y);
    for (uint32_t x = 0; x < img->GetWidth(); ++x) {
        memcpy(dst + x * 3, src + x * channels, 3);
        if (channels == 4)
            img->AlphaSet((int32_t)x, (int32_t)y, src[x * channels + 3]);
    }
}

}  // namespace

bool KoDecodePng(CKoImage &image, CKoMemStream &stream)
{
    CKoImage *img = &image;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, img, PngError, PngWarning);
    if (!png)
        return img->Fail("Failed to create PNG structure");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return img->Fail("Failed to initialize PNG info structure");
    }
    png_bytep volatile row = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        free(row);
        png_destroy_read_struct(&png, &info, nullptr);
        img->Destroy();
        return false;
    }
    png_set_read_fn(png, &stream, PngRead);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info),
                height = png_get_image_height(png, info);
    int depth = png_get_bit_depth(png, info);
    bool palette = KeepsPalette(png, info);
    if (!palette) {
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_bgr(png);
    }
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    int channels = png_get_channels(png, info);
    if (!img->Create(width, height, palette ? (uint32_t)depth : 24, KO_TYPE_PNG))
        png_error(png, img->GetLastError());
    if (palette) {
        png_colorp entries = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &entries, &count);
        for (int i = 0; i < count; ++i)
            img->SetPaletteColor((uint32_t)i, entries[i].red, entries[i].green,
                                 entries[i].blue);
    }
    if (channels == 4 && !img->AlphaCreate())
        png_error(png, "can't allocate memory");
    size_t rowBytes = png_get_rowbytes(png, info);
    row = (png_bytep)malloc(rowBytes * (passes > 1 ? height : 1));
    if (!row)
        png_error(png, "can't allocate memory");
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_bytep dst = row + (passes > 1 ? y * rowBytes : 0);
            png_read_row(png, dst, nullptr);
            if (pass + 1 < passes)
                continue;
            if (palette)
                StorePaletteRow(img, dst, height - 1 - y, depth);
            else
                StoreColourRow(img, dst, height - 1 - y, channels);
        }
    }
    free(row);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}
