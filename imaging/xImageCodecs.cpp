// Reading through GDI+, writing PNG with libpng, JPEG with libjpeg, and GIF,
// BMP and ICO with own writers.
#include "imaging/xImage.h"
#include "framework/ScopedHandle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <csetjmp>
#include <list>
#include <map>
#include <mutex>
#include <string>

#include <objidl.h>
#include <gdiplus.h>
#include <png.h>
#include <jpeglib.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

bool GdiplusReady()
{
    static ULONG_PTR token = 0;
    static Status status = [] {
        GdiplusStartupInput in;
        return GdiplusStartup(&token, &in, NULL);
    }();
    return status == Ok;
}

template <class T>
struct ComPtr {
    T* p = NULL;
    ~ComPtr()
    {
        if (p) p->Release();
    }
};

// Names are in the system code page; the C library's narrow calls would read
// them in its own locale.
std::wstring WideName(const char* name)
{
    int n = MultiByteToWideChar(CP_ACP, 0, name, -1, NULL, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, name, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

FILE* OpenNamedFile(const char* name, const wchar_t* mode)
{
    const std::wstring wide = name ? WideName(name) : std::wstring();
    return wide.empty() ? NULL : _wfopen(wide.c_str(), mode);
}

struct GpImageHolder {
    GpBitmap* p = NULL;
    ~GpImageHolder()
    {
        if (p) GdipDisposeImage(p);
    }
};

struct HGlobalHolder {
    HGLOBAL h = NULL;
    ~HGlobalHolder()
    {
        if (h) GlobalFree(h);
    }
};

DWORD DetectType(const BYTE* d, DWORD n)
{
    if (n >= 2 && d[0] == 'B' && d[1] == 'M') return CXIMAGE_FORMAT_BMP;
    if (n >= 4 && memcmp(d, "GIF8", 4) == 0) return CXIMAGE_FORMAT_GIF;
    if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return CXIMAGE_FORMAT_JPG;
    if (n >= 8 && memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) return CXIMAGE_FORMAT_PNG;
    if (n >= 6 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0 && (d[4] | d[5])) return CXIMAGE_FORMAT_ICO;
    return CXIMAGE_FORMAT_UNKNOWN;
}

void Put16(std::vector<BYTE>& o, DWORD v)
{
    o.push_back(v & 255);
    o.push_back((v >> 8) & 255);
}
void Put32(std::vector<BYTE>& o, DWORD v)
{
    Put16(o, v & 0xFFFF);
    Put16(o, v >> 16);
}

void PutInfoHeader(std::vector<BYTE>& o, DWORD w, long h, DWORD bpp, DWORD imageSize)
{
    Put32(o, 40);
    Put32(o, w);
    Put32(o, (DWORD)h);
    Put16(o, 1);
    Put16(o, bpp);
    Put32(o, BI_RGB);
    Put32(o, imageSize);
    Put32(o, 2835);
    Put32(o, 2835);
    Put32(o, 0);
    Put32(o, 0);
}

bool EncodeBmp(const BYTE* px, DWORD w, DWORD h, std::vector<BYTE>& o)
{
    DWORD stride = (w * 3 + 3) & ~3u, image = stride * h;
    o.clear();
    o.push_back('B');
    o.push_back('M');
    Put32(o, 14 + 40 + image);
    Put32(o, 0);
    Put32(o, 14 + 40);
    PutInfoHeader(o, w, (long)h, 24, image);
    const size_t start = o.size();
    o.resize(start + image, 0);
    BYTE* d = &o[start];
    for (DWORD y = h; y-- > 0; d += stride) {
        const BYTE* row = px + (size_t)y * w * 4;
        for (DWORD x = 0; x < w; ++x) {
            d[x * 3] = row[x * 4];
            d[x * 3 + 1] = row[x * 4 + 1];
            d[x * 3 + 2] = row[x * 4 + 2];
        }
    }
    return true;
}

bool EncodeIco(const BYTE* px, DWORD w, DWORD h, std::vector<BYTE>& o)
{
    if (w > 256 || h > 256) return false;
    DWORD maskStride = ((w + 31) / 32) * 4;
    DWORD bytes = 40 + w * h * 4 + maskStride * h;
    o.clear();
    Put16(o, 0);
    Put16(o, 1);
    Put16(o, 1);
    o.push_back((BYTE)(w & 255));
    o.push_back((BYTE)(h & 255));
    o.push_back(0);
    o.push_back(0);
    Put16(o, 1);
    Put16(o, 32);
    Put32(o, bytes);
    Put32(o, 6 + 16);
    PutInfoHeader(o, w, (long)h * 2, 32, w * h * 4 + maskStride * h);
    for (DWORD y = h; y-- > 0;) {
        const BYTE* row = px + (size_t)y * w * 4;
        o.insert(o.end(), row, row + w * 4);
    }
    for (DWORD y = h; y-- > 0;) {
        std::vector<BYTE> mask(maskStride, 0);
        const BYTE* row = px + (size_t)y * w * 4;
        for (DWORD x = 0; x < w; ++x)
            if (row[x * 4 + 3] == 0) mask[x / 8] |= (BYTE)(0x80 >> (x % 8));
        o.insert(o.end(), mask.begin(), mask.end());
    }
    return true;
}

void PngWrite(png_structp png, png_bytep data, png_size_t len)
{
    auto* out = (std::vector<BYTE>*)png_get_io_ptr(png);
    out->insert(out->end(), data, data + len);
}
void PngFlush(png_structp) {}

// Plain C style: nothing with a destructor lives across the setjmp.
bool EncodePng(const BYTE* px, DWORD w, DWORD h, bool alpha, int level, std::vector<BYTE>* o, BYTE* row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, o, PngWrite, PngFlush);
    if (level >= 0) png_set_compression_level(png, level);
    if (level == 0) png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, w, h, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    int channels = alpha ? 4 : 3;
    for (DWORD y = 0; y < h; ++y) {
        const BYTE* s = px + (size_t)y * w * 4;
        for (DWORD x = 0; x < w; ++x) {
            row[x * channels] = s[x * 4 + 2];
            row[x * channels + 1] = s[x * 4 + 1];
            row[x * channels + 2] = s[x * 4];
            if (alpha) row[x * channels + 3] = s[x * 4 + 3];
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};
void JpegExit(j_common_ptr cinfo) { longjmp(((JpegError*)cinfo->err)->jump, 1); }

bool EncodeJpeg(const BYTE* px, DWORD w, DWORD h, int quality, unsigned char** mem,
                unsigned long* memSize, BYTE* row)
{
    jpeg_compress_struct c;
    JpegError err;
    c.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&c);
        return false;
    }
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, mem, memSize);
    c.image_width = w;
    c.image_height = h;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < h) {
        const BYTE* s = px + (size_t)c.next_scanline * w * 4;
        for (DWORD x = 0; x < w; ++x) {
            row[x * 3] = s[x * 4 + 2];
            row[x * 3 + 1] = s[x * 4 + 1];
            row[x * 3 + 2] = s[x * 4];
        }
        JSAMPROW r = row;
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return true;
}

// GIF89a with one image: an exact palette when the picture has at most 255
// colours, else a 6x7x6 colour cube; pixels with alpha below 128 take a
// transparent index.
class LzwWriter {
public:
    LzwWriter(std::vector<BYTE>& out, int minBits) : m_out(out), m_min(minBits) {}
    void Run(const std::vector<BYTE>& idx)
    {
        int clear = 1 << m_min, end = clear + 1;
        Reset();
        Emit(clear);
        int prefix = -1;
        for (BYTE c : idx) {
            if (prefix < 0) {
                prefix = c;
                continue;
            }
            int key = (prefix << 8) | c;
            auto it = m_dict.find(key);
            if (it != m_dict.end()) {
                prefix = it->second;
                continue;
            }
            Emit(prefix);
            if (m_next < 4096) {
                m_dict[key] = m_next++;
                if (m_next > (1 << m_bits) && m_bits < 12) ++m_bits;
            } else {
                Emit(clear);
                Reset();
            }
            prefix = c;
        }
        if (prefix >= 0) Emit(prefix);
        Emit(end);
        if (m_nbits) Byte(m_acc & 255);
        Flush();
        m_out.push_back(0);
    }

private:
    void Reset()
    {
        m_dict.clear();
        m_bits = m_min + 1;
        m_next = (1 << m_min) + 2;
    }
    void Emit(int code)
    {
        m_acc |= (unsigned long)code << m_nbits;
        m_nbits += m_bits;
        while (m_nbits >= 8) {
            Byte(m_acc & 255);
            m_acc >>= 8;
            m_nbits -= 8;
        }
    }
    void Byte(BYTE b)
    {
        m_block.push_back(b);
        if (m_block.size() == 255) Flush();
    }
    void Flush()
    {
        if (m_block.empty()) return;
        m_out.push_back((BYTE)m_block.size());
        m_out.insert(m_out.end(), m_block.begin(), m_block.end());
        m_block.clear();
    }
    std::vector<BYTE>& m_out;
    int m_min, m_bits = 0, m_next = 0, m_nbits = 0;
    unsigned long m_acc = 0;
    std::map<int, int> m_dict;
    std::vector<BYTE> m_block;
};

bool EncodeGif(const BYTE* px, DWORD w, DWORD h, std::vector<BYTE>& out)
{
    if (w > 65535 || h > 65535) return false;
    size_t n = (size_t)w * h;
    std::map<DWORD, int> colours;
    bool transparent = false;
    for (size_t i = 0; i < n; ++i) {
        const BYTE* p = px + i * 4;
        if (p[3] < 128) {
            transparent = true;
            continue;
        }
        if (colours.size() <= 255) colours.emplace(p[0] | (p[1] << 8) | (p[2] << 16), 0);
    }
    std::vector<DWORD> palette;  // 0xRRGGBB... stored as b | g<<8 | r<<16
    bool exact = colours.size() <= 255;
    if (exact) {
        for (auto& c : colours) {
            c.second = (int)palette.size();
            palette.push_back(c.first);
        }
    } else {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back((DWORD)(b * 51) | ((DWORD)(g * 255 / 6) << 8) | ((DWORD)(r * 51) << 16));
    }
    int transIndex = (int)palette.size();
    if (transparent || palette.empty()) palette.push_back(0);
    int bits = 1;
    while ((1u << bits) < palette.size()) ++bits;
    std::vector<BYTE> idx(n);
    for (size_t i = 0; i < n; ++i) {
        const BYTE* p = px + i * 4;
        if (p[3] < 128)
            idx[i] = (BYTE)transIndex;
        else if (exact)
            idx[i] = (BYTE)colours[p[0] | (p[1] << 8) | (p[2] << 16)];
        else
            idx[i] = (BYTE)(((p[2] + 25) / 51) * 42 + ((p[1] * 6 + 127) / 255) * 6 + (p[0] + 25) / 51);
    }
    out.assign((const BYTE*)"GIF89a", (const BYTE*)"GIF89a" + 6);
    Put16(out, w);
    Put16(out, h);
    out.push_back((BYTE)(0x80 | ((bits - 1) << 4) | (bits - 1)));
    out.push_back(0);
    out.push_back(0);
    for (size_t i = 0; i < (1u << bits); ++i) {
        DWORD c = i < palette.size() ? palette[i] : 0;
        out.push_back((c >> 16) & 255);
        out.push_back((c >> 8) & 255);
        out.push_back(c & 255);
    }
    if (transparent) {
        const BYTE gce[] = {0x21, 0xF9, 4, 1, 0, 0, (BYTE)transIndex, 0};
        out.insert(out.end(), gce, gce + sizeof(gce));
    }
    out.push_back(0x2C);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, w);
    Put16(out, h);
    out.push_back(0);
    int minBits = bits < 2 ? 2 : bits;
    out.push_back((BYTE)minBits);
    LzwWriter(out, minBits).Run(idx);
    out.push_back(0x3B);
    return true;
}

}  // namespace

namespace {

// GDI+ takes about a millisecond for even a small picture under Wine, and a
// project draws the same few pictures for many elements: the last decodes of
// small inputs are kept, keyed by their whole bytes. So are the PNG files
// written last, whose pixels are known without decoding them: the menu
// package reads back the pictures it has just written.
struct DecodedPicture {
    std::vector<BYTE> encoded;
    std::vector<BYTE> pixels;
    DWORD width, height, bpp, type;
    bool hasAlpha;
    size_t Bytes() const { return encoded.size() + pixels.size(); }
};

const size_t kCachedInputMax = 64 * 1024;
const size_t kCachedPixelsMax = 256 * 1024;
const size_t kCachedPictures = 16;
const size_t kCachedBytesMax = 24 * 1024 * 1024;

std::mutex g_decodedLock;
std::list<DecodedPicture> g_decoded;  // most recent first

bool Cacheable(DWORD size) { return size <= kCachedInputMax; }

void KeepDecoded(DecodedPicture& kept)
{
    std::lock_guard<std::mutex> hold(g_decodedLock);
    g_decoded.push_front(DecodedPicture());
    g_decoded.front().encoded.swap(kept.encoded);
    g_decoded.front().pixels.swap(kept.pixels);
    g_decoded.front().width = kept.width;
    g_decoded.front().height = kept.height;
    g_decoded.front().bpp = kept.bpp;
    g_decoded.front().type = kept.type;
    g_decoded.front().hasAlpha = kept.hasAlpha;
    size_t total = 0;
    for (const DecodedPicture& d : g_decoded) total += d.Bytes();
    while (g_decoded.size() > 1 && (g_decoded.size() > kCachedPictures || total > kCachedBytesMax)) {
        total -= g_decoded.back().Bytes();
        g_decoded.pop_back();
    }
}

}  // namespace

void CxImage::ForgetDecodedPictures()
{
    std::lock_guard<std::mutex> hold(g_decodedLock);
    g_decoded.clear();
}

bool CxImage::Decode(const BYTE* buffer, DWORD size, DWORD imagetype)
{
    Destroy();
    DWORD found = buffer ? DetectType(buffer, size) : 0;
    if (found == CXIMAGE_FORMAT_UNKNOWN || (imagetype != 0 && imagetype != found)) {
        SetError("unknown or unexpected image format");
        return false;
    }
    {
        std::lock_guard<std::mutex> hold(g_decodedLock);
        for (std::list<DecodedPicture>::iterator it = g_decoded.begin(); it != g_decoded.end(); ++it) {
            if (it->encoded.size() != size || memcmp(&it->encoded[0], buffer, size) != 0) continue;
            m_pixels = it->pixels;
            m_width = it->width;
            m_height = it->height;
            m_bpp = it->bpp;
            m_type = it->type;
            m_hasAlpha = it->hasAlpha;
            g_decoded.splice(g_decoded.begin(), g_decoded, it);
            return true;
        }
    }
    if (!DecodeFresh(buffer, size, found)) return false;
    if (Cacheable(size) && m_pixels.size() <= kCachedPixelsMax) {
        DecodedPicture kept;
        kept.encoded.assign(buffer, buffer + size);
        kept.pixels = m_pixels;
        kept.width = m_width;
        kept.height = m_height;
        kept.bpp = m_bpp;
        kept.type = m_type;
        kept.hasAlpha = m_hasAlpha;
        KeepDecoded(kept);
    }
    return true;
}

// What decoding the PNG just encoded from this image gives: the same colours,
// opaque unless the alpha channel was written, at 24 or 32 bits.
void CxImage::KeepEncodedPng(std::vector<BYTE>& encoded) const
{
    DecodedPicture kept;
    kept.pixels = m_pixels;
    kept.hasAlpha = false;
    for (size_t i = 3; i < kept.pixels.size(); i += 4) {
        if (!m_hasAlpha)
            kept.pixels[i] = 255;
        else if (kept.pixels[i] != 255)
            kept.hasAlpha = true;
    }
    kept.encoded.swap(encoded);
    kept.width = m_width;
    kept.height = m_height;
    kept.bpp = m_hasAlpha ? 32 : 24;
    kept.type = CXIMAGE_FORMAT_PNG;
    KeepDecoded(kept);
}

namespace {
DWORD Le32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }
WORD Le16(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }
}  // namespace

// Plain 24-bit BMP files (the common wallpaper) without GDI+: the same
// pixels, read straight from the rows. False for every other kind of BMP.
bool CxImage::DecodePlainBmp(const BYTE* buffer, DWORD size)
{
    if (size < 54 || Le32(buffer + 14) != 40 || Le16(buffer + 26) != 1 || Le16(buffer + 28) != 24 ||
        Le32(buffer + 30) != 0)
        return false;
    const long width = (long)Le32(buffer + 18), height = (long)Le32(buffer + 22);
    const DWORD offset = Le32(buffer + 10);
    if (width <= 0 || width > 32768 || height == 0 || height < -32768 || height > 32768 || offset < 54)
        return false;
    const DWORD rows = (DWORD)(height < 0 ? -height : height);
    const DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
    if (offset > size || (size - offset) / stride < rows) return false;
    if (!Create((DWORD)width, rows, 24, CXIMAGE_FORMAT_BMP)) return false;
    for (DWORD y = 0; y < rows; ++y) {
        const BYTE* src = buffer + offset + (size_t)(height < 0 ? y : rows - 1 - y) * stride;
        BYTE* dst = &m_pixels[(size_t)y * width * 4];
        for (long x = 0; x < width; ++x, src += 3, dst += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    return true;
}

namespace {

struct PngSource {
    const BYTE* data;
    size_t size, at;
};

void PngRead(png_structp png, png_bytep out, png_size_t len)
{
    PngSource* source = (PngSource*)png_get_io_ptr(png);
    if (len > source->size - source->at) png_error(png, "truncated");
    memcpy(out, source->data + source->at, len);
    source->at += len;
}

void PngQuiet(png_structp, png_const_charp) {}
void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

// 8-bit RGB and RGBA files, not interlaced, without the chunks that change
// colours (gamma, chromaticities, colour profiles, significant bits, a
// transparent colour), read by libpng: the pixels GDI+ gives. False for every
// other kind, and for anything libpng finds wrong. Plain C style across the
// setjmp, as in EncodePng.
bool CxImage::DecodePlainPng(const BYTE* buffer, DWORD size)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, PngFail, PngQuiet);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    PngSource source = {buffer, size, 0};
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, NULL);
        Destroy();
        return false;
    }
    png_set_user_limits(png, 32768, 32768);
    png_set_read_fn(png, &source, PngRead);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, color = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &color, &interlace, NULL, NULL);
    const png_uint_32 colourChunks =
        PNG_INFO_gAMA | PNG_INFO_cHRM | PNG_INFO_sRGB | PNG_INFO_iCCP | PNG_INFO_sBIT | PNG_INFO_tRNS;
    if (depth != 8 || (color != PNG_COLOR_TYPE_RGB && color != PNG_COLOR_TYPE_RGB_ALPHA) ||
        interlace != PNG_INTERLACE_NONE || png_get_valid(png, info, colourChunks) != 0 ||
        !Create(w, h, color == PNG_COLOR_TYPE_RGB ? 24 : 32, CXIMAGE_FORMAT_PNG)) {
        png_destroy_read_struct(&png, &info, NULL);
        Destroy();
        return false;
    }
    png_set_bgr(png);
    if (color == PNG_COLOR_TYPE_RGB) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    for (png_uint_32 y = 0; y < h; ++y) png_read_row(png, &m_pixels[(size_t)y * w * 4], NULL);
    png_read_end(png, NULL);
    png_destroy_read_struct(&png, &info, NULL);
    for (size_t i = 3; i < m_pixels.size(); i += 4)
        if (m_pixels[i] != 255) {
            m_hasAlpha = true;
            break;
        }
    return true;
}

bool CxImage::DecodeFresh(const BYTE* buffer, DWORD size, DWORD found)
{
    if (found == CXIMAGE_FORMAT_BMP && DecodePlainBmp(buffer, size)) return true;
    if (found == CXIMAGE_FORMAT_PNG && DecodePlainPng(buffer, size)) return true;
    if (!GdiplusReady()) {
        SetError("GDI+ unavailable");
        return false;
    }
    HGlobalHolder mem;
    mem.h = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!mem.h) return false;
    void* p = GlobalLock(mem.h);
    if (!p) return false;
    memcpy(p, buffer, size);
    GlobalUnlock(mem.h);
    ComPtr<IStream> stream;
    if (CreateStreamOnHGlobal(mem.h, FALSE, &stream.p) != S_OK) return false;

    GpImageHolder img;
    if (GdipCreateBitmapFromStream(stream.p, &img.p) != Ok) {
        SetError("cannot decode");
        return false;
    }
    UINT w = 0, h = 0;
    PixelFormat fmt = 0;
    GdipGetImageWidth(img.p, &w);
    GdipGetImageHeight(img.p, &h);
    GdipGetImagePixelFormat(img.p, &fmt);
    DWORD bpp = (fmt >> 8) & 0xFF;
    if (!Create(w, h, bpp ? bpp : 24, found)) {
        SetError("bad size");
        return false;
    }
    Rect rect(0, 0, w, h);
    BitmapData data = {};
    data.Width = w;
    data.Height = h;
    data.Stride = w * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = &m_pixels[0];
    if (GdipBitmapLockBits(img.p, &rect, ImageLockModeRead | ImageLockModeUserInputBuf,
                           PixelFormat32bppARGB, &data) != Ok) {
        Destroy();
        SetError("cannot read pixels");
        return false;
    }
    GdipBitmapUnlockBits(img.p, &data);
    for (size_t i = 3; i < m_pixels.size(); i += 4)
        if (m_pixels[i] != 255) {
            m_hasAlpha = true;
            break;
        }
    return true;
}

// A larger file is read through a view of it: its bytes take no fresh memory.
// No one may write it meanwhile; a file open for writing is read as before.
bool CxImage::LoadMapped(const char* filename, DWORD imagetype, bool& decoded)
{
    const std::wstring wide = filename ? WideName(filename) : std::wstring();
    if (wide.empty()) return false;
    CScopedHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, NULL));
    LARGE_INTEGER size;
    if (!file.IsValid() || !::GetFileSizeEx(file, &size) || size.QuadPart <= (LONGLONG)kCachedInputMax ||
        size.QuadPart > 0x7FFFFFFF)
        return false;
    HANDLE mapping = ::CreateFileMappingW(file, NULL, PAGE_READONLY, 0, 0, NULL);
    if (!mapping) return false;
    const BYTE* view = (const BYTE*)::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ::CloseHandle(mapping);
    if (!view) return false;
    decoded = Decode(view, (DWORD)size.QuadPart, imagetype);
    ::UnmapViewOfFile(view);
    return true;
}

bool CxImage::Load(const char* filename, DWORD imagetype)
{
    Destroy();
    bool decoded = false;
    if (LoadMapped(filename, imagetype, decoded)) return decoded;
    CScopedFile f(OpenNamedFile(filename, L"rb"));
    if (!f.IsValid()) {
        SetError("cannot open file");
        return false;
    }
    std::vector<BYTE> data;
    // in one read when the file tells its size, else chunk by chunk
    long length = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    if (length > 0 && fseek(f, 0, SEEK_SET) == 0) {
        data.resize((size_t)length);
        data.resize(fread(&data[0], 1, data.size(), f));
    }
    BYTE chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), f)) > 0) data.insert(data.end(), chunk, chunk + n);
    bool readOk = !ferror(f);
    f.Reset();
    if (!readOk || data.empty()) {
        SetError("cannot read file");
        return false;
    }
    return Decode(&data[0], (DWORD)data.size(), imagetype);
}

bool CxImage::LoadResource(HRSRC hRes, DWORD imagetype, HMODULE hModule)
{
    Destroy();
    if (!hRes) return false;
    HGLOBAL h = ::LoadResource(hModule, hRes);
    DWORD size = SizeofResource(hModule, hRes);
    const BYTE* p = h ? (const BYTE*)LockResource(h) : NULL;
    if (!p || !size) {
        SetError("cannot load resource");
        return false;
    }
    return Decode(p, size, imagetype);
}

bool CxImage::Encode(std::vector<BYTE>& out, DWORD imagetype)
{
    if (!IsValid()) return false;
    const BYTE* px = &m_pixels[0];
    switch (imagetype) {
    case CXIMAGE_FORMAT_BMP: return EncodeBmp(px, m_width, m_height, out);
    case CXIMAGE_FORMAT_ICO: return EncodeIco(px, m_width, m_height, out);
    case CXIMAGE_FORMAT_GIF: return EncodeGif(px, m_width, m_height, out);
    case CXIMAGE_FORMAT_PNG: {
        std::vector<BYTE> row((size_t)m_width * 4);
        out.clear();
        return EncodePng(px, m_width, m_height, m_hasAlpha, m_pngLevel, &out, &row[0]);
    }
    case CXIMAGE_FORMAT_JPG:
        return EncodeJpegRows((const DWORD*)px, m_width, m_height, m_jpegQuality > 100 ? 100 : m_jpegQuality, out);
    }
    return false;
}

bool CxImage::EncodeJpegRows(const DWORD* rows, DWORD w, DWORD h, int quality, std::vector<BYTE>& out)
{
    out.clear();
    if (!rows || w == 0 || h == 0) return false;
    std::vector<BYTE> row((size_t)w * 3);
    unsigned char* mem = NULL;
    unsigned long memSize = 0;
    bool ok = EncodeJpeg((const BYTE*)rows, w, h, quality, &mem, &memSize, &row[0]);
    if (ok && mem) out.assign(mem, mem + memSize);
    free(mem);
    return ok && !out.empty();
}

bool CxImage::Save(const char* filename, DWORD imagetype)
{
    if (!IsValid() || !filename) {
        SetError("nothing to save");
        return false;
    }
    std::vector<BYTE> out;
    if (!Encode(out, imagetype)) {
        SetError("cannot encode");
        return false;
    }
    CScopedFile f(OpenNamedFile(filename, L"wb"));
    if (!f.IsValid()) {
        SetError("cannot create file");
        return false;
    }
    bool ok = fwrite(&out[0], 1, out.size(), f) == out.size();
    ok = f.Close() && ok;
    if (!ok) {
        _wremove(WideName(filename).c_str());
        SetError("cannot write file");
    } else if (imagetype == CXIMAGE_FORMAT_PNG) {
        KeepEncodedPng(out);
    }
    return ok;
}
