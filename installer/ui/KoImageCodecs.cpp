// BMP, ICO and TGA decoders; every size is checked against what is left.
#include <cstdio>
#include <cstring>
#include <vector>

#include "installer/ui/KoImage.h"
#include "installer/ui/KoMemStream.h"

namespace {

const uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

// Little-endian fields of a byte block, bounds-checked.
class FieldReader {
public:
    FieldReader(const uint8_t *p, size_t n) : m_p(p), m_n(n) {}
    uint8_t U8(size_t at) const { return at < m_n ? m_p[at] : 0; }
    uint16_t U16(size_t at) const { return (uint16_t)(U8(at) | U8(at + 1) << 8); }
    uint32_t U32(size_t at) const
    {
        return (uint32_t)U16(at) | (uint32_t)U16(at + 2) << 16;
    }

private:
    const uint8_t *m_p;
    size_t m_n;
};

bool ReadBytes(CKoMemStream &s, void *out, size_t n)
{
    return s.Read(out, 1, n) == n;
}

size_t Remaining(const CKoMemStream &s)
{
    return s.Size() > s.Tell() ? (size_t)(s.Size() - s.Tell()) : 0;
}

// Bytes of one source row, or 0 when it does not fit in 32 bits.
uint64_t SourceRowBytes(uint64_t width, uint32_t bpp)
{
    return (width * bpp + 31) / 32 * 4;
}

uint8_t Expand5(uint32_t v) { return (uint8_t)((v << 3) | (v >> 2)); }

int MaskShift(uint32_t mask)
{
    int s = 0;
    while (mask && !(mask & 1))
        mask >>= 1, ++s;
    return s;
}

uint8_t MaskValue(uint32_t px, uint32_t mask)
{
    if (!mask)
        return 0;
    uint32_t v = (px & mask) >> MaskShift(mask);
    uint32_t max = mask >> MaskShift(mask);
    return (uint8_t)(max ? v * 255 / max : 0);
}

// Rows of 16 or 32 bits to 24 bits.
void ConvertDirectRow(const uint8_t *src, uint8_t *dst, uint32_t width,
                      uint32_t bpp, const uint32_t mask[3])
{
    for (uint32_t x = 0; x < width; ++x) {
        uint32_t px = bpp == 16 ? (uint32_t)(src[x * 2] | src[x * 2 + 1] << 8)
                                : (uint32_t)(src[x * 4] | src[x * 4 + 1] << 8 |
                                             src[x * 4 + 2] << 16 |
                                             (uint32_t)src[x * 4 + 3] << 24);
        dst[x * 3] = MaskValue(px, mask[2]);
        dst[x * 3 + 1] = MaskValue(px, mask[1]);
        dst[x * 3 + 2] = MaskValue(px, mask[0]);
    }
}

bool DecodeRle(CKoImage &img, CKoMemStream &s, bool four)
{
    uint32_t x = 0, y = 0;
    const uint32_t w = img.GetWidth(), h = img.GetHeight();
    for (;;) {
        int count = s.GetC(), value = s.GetC();
        if (count < 0 || value < 0)
            return true;  // short data keeps what was read
        if (count > 0) {
            for (int i = 0; i < count && x < w; ++i, ++x) {
                uint8_t idx =
                    four ? (uint8_t)(i % 2 ? value & 15 : value >> 4) : (uint8_t)value;
                if (y < h)
                    img.SetPixelIndex((int32_t)x, (int32_t)y, idx);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta
            int dx = s.GetC(), dy = s.GetC();
            if (dx < 0 || dy < 0)
                return true;
            x += (uint32_t)dx;
            y += (uint32_t)dy;
        } else {  // absolute run, padded to a word
            int n = value;
            int bytes = four ? (n + 1) / 2 : n;
            uint8_t buf[256];
            if (!ReadBytes(s, buf, (size_t)bytes))
                return true;
            if (bytes % 2)
                s.GetC();
            for (int i = 0; i < n && x < w; ++i, ++x) {
                uint8_t idx = four
                                  ? (uint8_t)(i % 2 ? buf[i / 2] & 15 : buf[i / 2] >> 4)
                                  : buf[i];
                if (y < h)
                    img.SetPixelIndex((int32_t)x, (int32_t)y, idx);
            }
        }
        if (y >= h)
            return true;
    }
}

}  // namespace

namespace {
// Whether the palette and every pixel row of an uncompressed bitmap lie in
// the stream, so that a short file is refused before its image is allocated.
bool UncompressedBmpFits(const CKoMemStream &s, long start, uint32_t offBits, uint64_t width,
                         uint64_t height, uint32_t bpp, uint32_t clrUsed, bool core)
{
    uint64_t colors = bpp <= 8 ? 1u << (bpp <= 1 ? 1 : bpp <= 4 ? 4
                                                                : 8)
                               : 0;
    uint64_t used = clrUsed && clrUsed < colors ? clrUsed : colors;
    uint64_t size = (uint64_t)s.Size();
    uint64_t paletteEnd = (uint64_t)s.Tell() + used * (core ? 3 : 4);
    if (paletteEnd > size)
        return false;
    uint64_t pixels = offBits && (uint64_t)start + offBits < size ? (uint64_t)start + offBits : paletteEnd;
    return height && SourceRowBytes(width, bpp) <= (size - pixels) / height;
}
}  // namespace

bool KoDecodeBmp(CKoImage &img, CKoMemStream &s)
{
    long start = s.Tell();
    uint8_t fh[14];
    if (!ReadBytes(s, fh, sizeof fh) || fh[0] != 'B' || fh[1] != 'M')
        return img.Fail("Not a BMP");
    uint32_t offBits = FieldReader(fh, sizeof fh).U32(10);
    uint8_t ih[124] = {};
    if (!ReadBytes(s, ih, 4))
        return img.Fail("Error reading BMP info");
    FieldReader h(ih, sizeof ih);
    uint32_t headSize = h.U32(0);
    bool core = headSize == 12;
    if (!core && (headSize < 40 || headSize > sizeof ih))
        return img.Fail("Error reading BMP info");
    if (!ReadBytes(s, ih + 4, headSize - 4))
        return img.Fail("Error reading BMP info");
    int64_t width = core ? h.U16(4) : (int32_t)h.U32(4);
    int64_t height = core ? h.U16(6) : (int32_t)h.U32(8);
    uint32_t bpp = core ? h.U16(10) : h.U16(14);
    uint32_t compression = core ? kBiRgb : h.U32(16);
    uint32_t clrUsed = core ? 0 : h.U32(32);
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return img.Fail("Error reading BMP info");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return img.Fail("Error reading BMP info");
    if (compression > kBiBitfields)
        return img.Fail("unknown compression");
    if ((compression == kBiRle8 && bpp != 8) ||
        (compression == kBiRle4 && bpp != 4) ||
        (compression == kBiBitfields && bpp != 16 && bpp != 32) ||
        (topDown && (compression == kBiRle8 || compression == kBiRle4)))
        return img.Fail("compression type not supported");

    uint32_t mask[3] = {0x7C00, 0x03E0, 0x001F};
    if (bpp == 32)
        mask[0] = 0xFF0000, mask[1] = 0xFF00, mask[2] = 0xFF;
    if (compression == kBiBitfields) {
        if (headSize >= 52) {
            for (int i = 0; i < 3; ++i)
                mask[i] = h.U32(40 + 4 * i);
        } else {
            uint8_t m[12];
            if (!ReadBytes(s, m, sizeof m))
                return img.Fail("Error reading BMP info");
            for (int i = 0; i < 3; ++i)
                mask[i] = FieldReader(m, sizeof m).U32(4 * i);
        }
    }
    if (compression != kBiRle8 && compression != kBiRle4 &&
        CKoImage::WithinMemory((uint32_t)width, (uint32_t)height, bpp) &&
        !UncompressedBmpFits(s, start, offBits, (uint64_t)width, (uint64_t)height, bpp, clrUsed, core))
        return img.Fail("Error reading BMP info");
    if (!img.Create((uint32_t)width, (uint32_t)height, bpp, KO_TYPE_BMP))
        return false;

    if (img.GetNumColors()) {
        uint32_t n =
            clrUsed && clrUsed < img.GetNumColors() ? clrUsed : img.GetNumColors();
        size_t entry = core ? 3 : 4;
        std::vector<uint8_t> pal(n * entry);
        if (!ReadBytes(s, pal.data(), pal.size()))
            return img.Fail("Error reading BMP info");
        for (uint32_t i = 0; i < n; ++i)
            img.SetPaletteColor(i, pal[i * entry + 2], pal[i * entry + 1],
                                pal[i * entry]);
    }
    if (offBits && (uint64_t)start + offBits < (uint64_t)s.Size())
        s.Seek(start + (long)offBits, SEEK_SET);

    if (compression == kBiRle8 || compression == kBiRle4) {
        DecodeRle(img, s, compression == kBiRle4);
        return true;
    }
    uint64_t srcRow = SourceRowBytes((uint64_t)width, bpp);
    if (srcRow * (uint64_t)height > Remaining(s))
        return img.Fail("Error reading BMP info");
    std::vector<uint8_t> row((size_t)srcRow);
    for (uint32_t i = 0; i < (uint32_t)height; ++i) {
        uint8_t *dst = img.GetBits(topDown ? (uint32_t)height - 1 - i : i);
        ReadBytes(s, row.data(), row.size());
        if (bpp <= 8 || bpp == 24)
            memcpy(dst, row.data(), img.GetEffWidth());
        else
            ConvertDirectRow(row.data(), dst, (uint32_t)width, bpp, mask);
    }
    return true;
}

namespace {

// One icon image: DIB header, palette, colour rows, then the 1-bit mask.
bool DecodeIconDib(CKoImage &img, const uint8_t *p, size_t n)
{
    FieldReader h(p, n);
    if (n < 40 || h.U32(0) < 40 || h.U32(0) > n)
        return false;
    int32_t width = (int32_t)h.U32(4), height = (int32_t)h.U32(8) / 2;
    uint32_t bpp = h.U16(14), clrUsed = h.U32(32);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return false;
    if (h.U32(16) != kBiRgb)
        return false;
    if (!img.Create((uint32_t)width, (uint32_t)height, bpp, KO_TYPE_ICO))
        return false;
    size_t at = h.U32(0);
    uint32_t colors = img.GetNumColors();
    if (colors) {
        uint32_t used = clrUsed && clrUsed < colors ? clrUsed : colors;
        if (at + used * 4 > n)
            return false;
        for (uint32_t i = 0; i < used; ++i, at += 4)
            img.SetPaletteColor(i, p[at + 2], p[at + 1], p[at]);
    }
    uint64_t xorRow = SourceRowBytes((uint64_t)width, bpp),
             andRow = SourceRowBytes((uint64_t)width, 1);
    uint64_t need = (xorRow + andRow) * (uint64_t)height;
    // Some writers leave the mask out of 32-bit images.
    bool hasMask = at + need <= n;
    if (!hasMask && (bpp != 32 || at + xorRow * (uint64_t)height > n))
        return false;
    bool anyAlpha = false;
    if (bpp == 32) {
        img.AlphaCreate();
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t *src = p + at + (size_t)y * xorRow;
            uint8_t *dst = img.GetBits((uint32_t)y);
            for (int32_t x = 0; x < width; ++x) {
                memcpy(dst + x * 3, src + x * 4, 3);
                img.AlphaSet(x, y, src[x * 4 + 3]);
                anyAlpha = anyAlpha || src[x * 4 + 3];
            }
        }
    } else {
        for (int32_t y = 0; y < height; ++y)
            memcpy(img.GetBits((uint32_t)y), p + at + (size_t)y * xorRow,
                   img.GetEffWidth());
    }
    if (anyAlpha || !hasMask)
        return true;
    img.AlphaCreate();
    const uint8_t *mask = p + at + xorRow * (uint64_t)height;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            img.AlphaSet(x, y,
                         (mask[(size_t)y * andRow + x / 8] >> (7 - x % 8)) & 1 ? 0
                                                                               : 255);
    return true;
}

}  // namespace

bool KoDecodeIco(CKoImage &img, CKoMemStream &s)
{
    long start = s.Tell();
    uint8_t dir[6];
    if (!ReadBytes(s, dir, sizeof dir))
        return false;
    FieldReader d(dir, sizeof dir);
    uint16_t type = d.U16(2), count = d.U16(4);
    if (d.U16(0) != 0 || (type != 1 && type != 2) || count == 0)
        return false;
    img.SetNumFrames(count);
    if (img.GetFrame() >= count)
        return false;
    uint8_t entry[16];
    s.Seek(start + 6 + 16 * (long)img.GetFrame(), SEEK_SET);
    if (!ReadBytes(s, entry, sizeof entry))
        return false;
    FieldReader e(entry, sizeof entry);
    uint32_t bytes = e.U32(8), offset = e.U32(12);
    if ((uint64_t)start + offset + bytes > (uint64_t)s.Size() || bytes < 8)
        return false;
    const uint8_t *p = s.Data() + start + offset;
    static const uint8_t kPngSig[8] = {0x89, 'P', 'N', 'G',
                                       '\r', '\n', 0x1A, '\n'};
    bool ok;
    if (memcmp(p, kPngSig, 8) == 0) {
        CKoMemStream inner(p, bytes);
        ok = KoDecodePng(img, inner);
    } else {
        ok = DecodeIconDib(img, p, bytes);
    }
    img.SetNumFrames(count);
    return ok;
}

namespace {

struct TgaHeader {
    uint8_t idLength, cmapType, imageType;
    uint16_t cmapFirst, cmapLength;
    uint8_t cmapDepth;
    uint16_t width, height;
    uint8_t depth, descriptor;
};

KoRgbQuad TgaColour(const uint8_t *p, uint32_t depth)
{
    if (depth == 15 || depth == 16) {
        uint32_t v = (uint32_t)(p[0] | p[1] << 8);
        return {Expand5(v & 31), Expand5((v >> 5) & 31), Expand5((v >> 10) & 31),
                255};
    }
    return {p[0], p[1], p[2], depth == 32 ? p[3] : (uint8_t)255};
}

// Every pixel of the stream in file order, plain or packed; false when it runs
// short.
bool TgaPixels(CKoMemStream &s, bool packed, uint32_t pixelBytes,
               std::vector<uint8_t> &out)
{
    size_t total = out.size() / pixelBytes, done = 0;
    if (!packed)
        return ReadBytes(s, out.data(), out.size());
    while (done < total) {
        int head = s.GetC();
        if (head < 0)
            return false;
        size_t run = (size_t)(head & 127) + 1;
        if (run > total - done)
            run = total - done;
        uint8_t *dst = out.data() + done * pixelBytes;
        if (head & 128) {
            if (!ReadBytes(s, dst, pixelBytes))
                return false;
            for (size_t i = 1; i < run; ++i)
                memcpy(dst + i * pixelBytes, dst, pixelBytes);
        } else if (!ReadBytes(s, dst, run * pixelBytes)) {
            return false;
        }
        done += run;
    }
    return true;
}

}  // namespace

bool KoDecodeTga(CKoImage &img, CKoMemStream &s)
{
    uint8_t raw[18];
    if (!ReadBytes(s, raw, sizeof raw))
        return img.Fail("Not a TGA");
    FieldReader f(raw, sizeof raw);
    TgaHeader h = {raw[0], raw[1], raw[2], f.U16(3), f.U16(5),
                   raw[7], f.U16(12), f.U16(14), raw[16], raw[17]};
    uint8_t base = h.imageType & 7;
    if (base < 1 || base > 3 || (h.imageType & ~8) != base)
        return img.Fail("Unknown TGA image type");
    if (h.width == 0 || h.height == 0 || h.depth == 0 || h.cmapLength > 256)
        return img.Fail("bad TGA header");
    bool mapped = base == 1, grey = base == 3;
    if ((mapped || grey) && h.depth != 8)
        return img.Fail("bad TGA header");
    if (!mapped && !grey && h.depth != 15 && h.depth != 16 && h.depth != 24 &&
        h.depth != 32)
        return img.Fail("bad TGA header");
    if (mapped && (h.cmapType != 1 || (h.cmapDepth != 15 && h.cmapDepth != 16 &&
                                       h.cmapDepth != 24 && h.cmapDepth != 32)))
        return img.Fail("bad TGA header");
    s.Seek(h.idLength, SEEK_CUR);
    std::vector<uint8_t> cmap;
    if (h.cmapType == 1) {
        cmap.resize((size_t)h.cmapLength * ((h.cmapDepth + 7) / 8));
        if (!ReadBytes(s, cmap.data(), cmap.size()))
            return img.Fail("corrupted TGA");
    }
    uint32_t pixelBytes = (h.depth + 7) / 8;
    uint64_t pixels = (uint64_t)h.width * h.height;
    uint64_t minBytes = h.imageType & 8 ? (pixels + 127) / 128 * (1 + pixelBytes)
                                        : pixels * pixelBytes;
    if (minBytes > Remaining(s))
        return img.Fail("corrupted TGA");
    if (!img.Create(h.width, h.height, mapped || grey ? 8 : 24, KO_TYPE_TGA))
        return img.Fail("TGA Create failed");
    if (grey) {
        for (uint32_t i = 0; i < 256; ++i)
            img.SetPaletteColor(i, (uint8_t)i, (uint8_t)i, (uint8_t)i);
    } else if (mapped) {
        uint32_t entry = (h.cmapDepth + 7) / 8;
        for (uint32_t i = 0; i < h.cmapLength && h.cmapFirst + i < 256; ++i) {
            KoRgbQuad q = TgaColour(&cmap[i * entry], h.cmapDepth);
            img.SetPaletteColor(h.cmapFirst + i, q.red, q.green, q.blue);
        }
    }
    std::vector<uint8_t> px((size_t)h.width * h.height * pixelBytes);
    if (!TgaPixels(s, h.imageType & 8, pixelBytes, px))
        return img.Fail("corrupted TGA");
    if (h.depth == 32)
        img.AlphaCreate();
    bool topDown = h.descriptor & 0x20, rightLeft = h.descriptor & 0x10;
    for (uint32_t row = 0; row < h.height; ++row) {
        int32_t y = (int32_t)(topDown ? h.height - 1 - row : row);
        const uint8_t *src = px.data() + (size_t)row * h.width * pixelBytes;
        for (uint32_t col = 0; col < h.width; ++col) {
            int32_t x = (int32_t)(rightLeft ? h.width - 1 - col : col);
            const uint8_t *p = src + col * pixelBytes;
            if (pixelBytes == 1) {
                img.SetPixelIndex(x, y, p[0]);
            } else {
                KoRgbQuad q = TgaColour(p, h.depth);
                uint8_t *d = img.GetBits((uint32_t)y) + x * 3;
                d[0] = q.blue, d[1] = q.green, d[2] = q.red;
                if (h.depth == 32)
                    img.AlphaSet(x, y, q.reserved);
            }
        }
    }
    return true;
}
