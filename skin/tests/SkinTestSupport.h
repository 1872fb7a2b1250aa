// Pixel canvases, in-memory bitmaps and loaded theme contexts for the window tests.
#pragma once

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemePackage.h"
#include "skin/theme/ThemeSchema.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace skintest {
// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3)) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_dc = CreateCompatibleDC(NULL);
        m_old = SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    void Fill(COLORREF colour)
    {
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        uint32_t v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // True when every pixel of the rectangle has the colour.
    bool All(const RECT& r, COLORREF colour) const
    {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (At(x, y) != colour)
                    return false;
            }
        }
        return true;
    }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                n += At(x, y) == colour;
        }
        return n;
    }
    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width, m_height;
    HBITMAP m_bitmap;
    uint32_t* m_bits = nullptr;
    HDC m_dc;
    HGDIOBJ m_old;
};

inline RECT Rect(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

// The address of a rectangle for calls that take a pointer.
inline const RECT* Ptr(const RECT& r) { return &r; }

// A 32-bit top-down DIB of pixel(x, y) -> 0xAARRGGBB.
inline HBITMAP MakeBitmap32(int w, int h, const std::function<uint32_t(int, int)>& pixel)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    uint32_t* p = static_cast<uint32_t*>(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            p[y * w + x] = pixel(x, y);
    }
    return bitmap;
}

// A 24-bit bitmap of pixel(x, y) -> COLORREF.
inline HBITMAP MakeBitmap24(int w, int h, const std::function<COLORREF(int, int)>& pixel)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    BYTE* p = static_cast<BYTE*>(bits);
    int stride = ((w * 3 + 3) / 4) * 4;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            COLORREF c = pixel(x, y);
            p[y * stride + x * 3] = GetBValue(c);
            p[y * stride + x * 3 + 1] = GetGValue(c);
            p[y * stride + x * 3 + 2] = GetRValue(c);
        }
    }
    return bitmap;
}

inline uint32_t Argb(COLORREF c, BYTE a = 255) { return uint32_t(a) << 24 | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

inline std::string PackageDir() { return std::string(ZAVO_BINARY_DIR) + "/skin/packages"; }

// A package, its schema and metrics wired into one context, as the engine will.
struct LoadedTheme {
    CVZRSkinContext context;
    CVZRThemePackage package{&context};
    std::unique_ptr<CVZRThemeSchema> schema;
    CVZRSkinSystemMetrics metrics{&context};
    bool ok = false;

    LoadedTheme(const std::string& path, const char* ini)
    {
        context.m_pPackage = &package;
        context.m_pMetrics = &metrics;
        if (!package.Open(path.c_str(), ini))
            return;
        schema.reset(package.CreateSchema());
        context.m_pSchema = schema.get();
        ok = schema && schema->ParseSchemaText(&package) == 0;
        if (ok)
            metrics.Refresh();
    }
};

struct SolidEntry {
    std::string cls, part;
    int state;
    COLORREF colour;
};

inline std::vector<SolidEntry> ReadSolidTable()
{
    std::vector<SolidEntry> out;
    std::ifstream in(PackageDir() + "/solid_colours.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        SolidEntry e;
        int r, g, b;
        fields >> e.cls >> e.part >> e.state >> r >> g >> b;
        e.colour = RGB(r, g, b);
        out.push_back(e);
    }
    return out;
}
}  // namespace skintest
