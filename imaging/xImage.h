// CxImage: the studio's image object. Pixels are kept as 32-bit BGRA rows,
// top row first; the bit depth is the one the image was read or created with.
#pragma once

#include <windows.h>
#include <vector>

enum ENUM_CXIMAGE_FORMATS {
    CXIMAGE_FORMAT_UNKNOWN = 0,
    CXIMAGE_FORMAT_BMP = 1,
    CXIMAGE_FORMAT_GIF = 2,
    CXIMAGE_FORMAT_JPG = 3,
    CXIMAGE_FORMAT_PNG = 4,
    CXIMAGE_FORMAT_ICO = 5
};

class CxImage {
public:
    explicit CxImage(DWORD imagetype = 0);
    CxImage(const CxImage& src);
    CxImage& operator=(const CxImage& src);
    virtual ~CxImage();

    // Reading: FALSE and an empty image on failure. A type other than 0 must
    // match the data's own signature.
    bool Load(const char* filename, DWORD imagetype = 0);
    bool LoadResource(HRSRC hRes, DWORD imagetype = 0, HMODULE hModule = NULL);
    bool Decode(const BYTE* buffer, DWORD size, DWORD imagetype);
    // Recent decodes and PNG files written are kept and given out again for
    // the same bytes; this drops them.
    static void ForgetDecodedPictures();

    bool Save(const char* filename, DWORD imagetype);
    // The bytes Save writes, into memory; false for an empty image.
    bool Encode(std::vector<BYTE>& out, DWORD imagetype);
    // A JPEG file of 32-bit BGRA rows, top row first, as Encode writes a picture of them.
    static bool EncodeJpegRows(const DWORD* rows, DWORD w, DWORD h, int quality, std::vector<BYTE>& out);
    void SetJpegQuality(BYTE q) { m_jpegQuality = q ? q : 1; }
    BYTE GetJpegQuality() const { return m_jpegQuality; }
    // zlib's level for PNG files, 0 (stored, unfiltered: for files read back
    // soon) to 9; -1 the library's default.
    void SetPngCompression(int level) { m_pngLevel = level < -1 ? -1 : level > 9 ? 9
                                                                                 : level; }

    bool CreateFromHBITMAP(HBITMAP hbmp, HPALETTE hpal = NULL);
    HBITMAP MakeBitmap(HDC hdc = NULL) const;

    // Stretched drawing; cx or cy -1 take the image's own size. Alpha is ignored.
    long Draw(HDC hdc, long x = 0, long y = 0, long cx = -1, long cy = -1,
              RECT* pClipRect = NULL, bool bSmooth = false) const;
    long Draw(HDC hdc, const RECT& rect, RECT* pClipRect = NULL, bool bSmooth = false) const;
    // Transparent drawing: blends by the image's alpha channel.
    long Draw2(HDC hdc, long x = 0, long y = 0, long cx = -1, long cy = -1) const;
    long Draw2(HDC hdc, const RECT& rect) const;

    // Scales the picture into cx x cy keeping its proportions, centred on bg.
    bool Thumbnail(long cx, long cy, RGBQUAD canvascolor, CxImage* iDst = NULL);
    bool Copy(const CxImage& src, bool copypixels = true, bool copyselection = true,
              bool copyalpha = true);
    // Exchanges everything with other, without copying the pixels.
    void Swap(CxImage& other);
    bool Light(long brightness, long contrast = 0);

    DWORD GetWidth() const { return m_width; }
    DWORD GetHeight() const { return m_height; }
    bool IsValid() const { return m_width != 0 && m_height != 0; }
    DWORD GetBpp() const { return m_bpp; }
    DWORD GetType() const { return m_type; }
    // Size of the image as a packed DIB of its bit depth (header, palette, rows).
    DWORD GetSize() const;
    DWORD GetPaletteSize() const;
    bool HasAlpha() const { return m_hasAlpha; }

    bool IncreaseBpp(DWORD nbit);
    void* Create(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype = 0);
    bool Flip();
    void Destroy();

    // Pixel access for callers and tests; (0, 0) is the top-left pixel.
    RGBQUAD GetPixelColor(long x, long y) const;
    void SetPixelColor(long x, long y, RGBQUAD c);
    const BYTE* GetBits() const { return m_pixels.empty() ? NULL : &m_pixels[0]; }
    const char* GetLastError() const { return m_error; }

private:
    // Decode without the cache of recent pictures; found is the data's type.
    bool DecodeFresh(const BYTE* buffer, DWORD size, DWORD found);
    bool DecodePlainBmp(const BYTE* buffer, DWORD size);
    bool DecodePlainPng(const BYTE* buffer, DWORD size);
    // Decodes a larger file through a view of it; false when it was not read that way.
    bool LoadMapped(const char* filename, DWORD imagetype, bool& decoded);
    // Keeps the PNG bytes just written from this image (taken) with their pixels.
    void KeepEncodedPng(std::vector<BYTE>& encoded) const;
    bool DrawPixels(HDC hdc, long x, long y, long cx, long cy, RECT* clip, bool smooth, bool blend) const;
    void SetError(const char* text);

    DWORD m_width;
    DWORD m_height;
    DWORD m_bpp;
    DWORD m_type;
    bool m_hasAlpha;
    BYTE m_jpegQuality;
    int m_pngLevel;
    std::vector<BYTE> m_pixels;
    char m_error[64];
};
