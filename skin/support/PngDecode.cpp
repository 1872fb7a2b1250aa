#include "skin/support/PngDecode.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

namespace {
struct Source {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

// What the C part hands back; only plain data lives across libpng's longjmp.
struct Result {
    uint8_t* rows;
    png_bytep* table;
    uint32_t width, height;
    int channels;
    size_t rowBytes;
    uint8_t background[3];
};

void ReadData(png_structp png, png_bytep out, png_size_t length)
{
    Source* src = static_cast<Source*>(png_get_io_ptr(png));
    if (length > src->size - src->pos)
        png_error(png, "short read");
    memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReportBackground(png_structp png, png_infop info, png_color_16p bg, Result* r)
{
    int type = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        if (png_get_PLTE(png, info, &palette, &count) && bg->index < count) {
            r->background[0] = palette[bg->index].red;
            r->background[1] = palette[bg->index].green;
            r->background[2] = palette[bg->index].blue;
        }
        return;
    }
    auto scale = [depth](unsigned v) -> uint8_t {
        if (depth == 16)
            return uint8_t(v >> 8);
        unsigned max = (1u << depth) - 1;
        return uint8_t(max ? (v & max) * 255 / max : 0);
    };
    if (type & PNG_COLOR_MASK_COLOR) {
        r->background[0] = scale(bg->red);
        r->background[1] = scale(bg->green);
        r->background[2] = scale(bg->blue);
    } else {
        r->background[0] = r->background[1] = r->background[2] = scale(bg->gray);
    }
}

// libpng's part: no C++ object with a destructor lives in this frame.
bool Decode(Source* src, Result* r)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, kPngMaxSide, kPngMaxSide);
    png_set_read_fn(png, src, ReadData);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);

    int type = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    if (depth == 16)
        png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (depth < 8 && !(type & PNG_COLOR_MASK_PALETTE))
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_color_16p background = nullptr;
    if (png_get_bKGD(png, info, &background)) {
        png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        ReportBackground(png, info, background, r);
    }
    double gamma = 0;
    if (png_get_gAMA(png, info, &gamma))
        png_set_gamma(png, 2.2, gamma);
    png_read_update_info(png, info);

    r->width = png_get_image_width(png, info);
    r->height = png_get_image_height(png, info);
    r->channels = png_get_channels(png, info);
    r->rowBytes = png_get_rowbytes(png, info);
    if ((r->channels != 3 && r->channels != 4) || png_get_bit_depth(png, info) != 8 || !r->width || !r->height ||
        r->rowBytes != size_t(r->width) * size_t(r->channels) || r->rowBytes > kPngMaxBytes / r->height)
        png_error(png, "unexpected layout");
    r->rows = static_cast<uint8_t*>(malloc(r->rowBytes * r->height));
    r->table = static_cast<png_bytep*>(malloc(sizeof(png_bytep) * r->height));
    if (!r->rows || !r->table)
        png_error(png, "out of memory");
    for (uint32_t y = 0; y < r->height; ++y)
        r->table[y] = r->rows + size_t(y) * r->rowBytes;
    png_read_image(png, r->table);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}
}  // namespace

bool DecodePng(const void* data, size_t size, DecodedPng& out)
{
    out = DecodedPng();
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (!bytes || size < 8 || png_sig_cmp(bytes, 0, 8) != 0)
        return false;
    Source src = {bytes, size, 8};
    Result r;
    memset(&r, 0, sizeof(r));
    r.background[0] = r.background[1] = r.background[2] = 127;
    bool ok = Decode(&src, &r);
    if (ok) {
        out.rows.assign(r.rows, r.rows + r.rowBytes * r.height);
        out.width = r.width;
        out.height = r.height;
        out.channels = r.channels;
        memcpy(out.background, r.background, 3);
    }
    free(r.rows);
    free(r.table);
    return ok;
}
