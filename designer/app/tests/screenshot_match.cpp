// Finds the studio's expected texts in a screenshot of its main window: the
// top-level menu items (menu 117 of the program, translated from section
// "Menu" of the language file the way the studio does it) drawn with the
// system's menu font, and the window title drawn with the caption font.
// Each text is rendered here on the expected background and searched in the
// window's top rows: every glyph pixel, smoothed edges included, must match
// exactly, and no pixel of the rendering's background may be glyph-coloured
// in the screenshot. Where the background differs from the expected one
// (a shaded caption) only the solid glyph pixels are compared.
//
//   screenshot_match <shot.bmp> <Zavomgr.exe> <language file> <title>
//
// Exit code 0 when every text was found, 1 when one is missing, 2 on errors.
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

const UINT kMenuId = 117;

struct Image {
    int w = 0, h = 0;
    std::vector<DWORD> px;  // 0x00RRGGBB, top row first
    DWORD At(int x, int y) const { return px[(size_t)y * w + x] & 0xFFFFFF; }
};

DWORD PixelOf(COLORREF c)
{
    return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
}

bool ReadBitmap(HBITMAP bmp, Image& img)
{
    BITMAP bm;
    if (!GetObject(bmp, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    img.w = bm.bmWidth;
    img.h = bm.bmHeight;
    img.px.assign((size_t)img.w * img.h, 0);
    HDC dc = GetDC(NULL);
    int rows = GetDIBits(dc, bmp, 0, img.h, img.px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    return rows == img.h;
}

bool LoadShot(const char* path, Image& img)
{
    HBITMAP bmp = (HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bmp) return false;
    bool ok = ReadBitmap(bmp, img);
    DeleteObject(bmp);
    return ok;
}

// A text drawn on its own, cropped to its ink, with the pixels sorted into
// solid glyph pixels, smoothed edge pixels (with their value) and plain
// background pixels.
struct Rendering {
    int w = 0, h = 0;
    std::vector<POINT> ink, paper;
    std::vector<std::pair<POINT, DWORD>> edge;
};

Rendering Render(const std::wstring& text, const LOGFONTW& lf, COLORREF fg, COLORREF bg, UINT fmt)
{
    Rendering r;
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT calc = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &calc, fmt | DT_CALCRECT);
    int w = calc.right + 8, h = calc.bottom + 8;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bmp && bits) {
        HGDIOBJ oldBmp = SelectObject(dc, bmp);
        RECT all = {0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(bg);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fg);
        RECT at = {4, 4, w, h};
        DrawTextW(dc, text.c_str(), -1, &at, fmt);
        GdiFlush();
        const DWORD* p = (const DWORD*)bits;
        DWORD fgPx = PixelOf(fg), bgPx = PixelOf(bg);
        int x0 = w, y0 = h, x1 = -1, y1 = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((p[y * w + x] & 0xFFFFFF) != bgPx) {
                    if (x < x0) x0 = x;
                    if (y < y0) y0 = y;
                    if (x > x1) x1 = x;
                    if (y > y1) y1 = y;
                }
        if (x1 >= 0) {
            r.w = x1 - x0 + 1;
            r.h = y1 - y0 + 1;
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    DWORD v = p[y * w + x] & 0xFFFFFF;
                    POINT pt = {x - x0, y - y0};
                    if (v == fgPx)
                        r.ink.push_back(pt);
                    else if (v == bgPx)
                        r.paper.push_back(pt);
                    else
                        r.edge.push_back(std::make_pair(pt, v));
                }
        }
        SelectObject(dc, oldBmp);
        DeleteObject(bmp);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    DeleteDC(dc);
    return r;
}

// Top-left corner of the rendering in rows [0, maxY) of the shot, or false.
// bEdges: smoothed edge pixels must match too (same background).
bool Find(const Image& shot, const Rendering& r, DWORD fgPx, int maxY, bool bEdges, POINT& where)
{
    size_t nCompared = r.ink.size() + (bEdges ? r.edge.size() : 0);
    if (nCompared < (bEdges ? 8u : 30u)) return false;
    int lastY = (maxY < shot.h ? maxY : shot.h) - r.h;
    for (int y = 0; y <= lastY; ++y)
        for (int x = 0; x + r.w <= shot.w; ++x) {
            bool match = true;
            for (const POINT& p : r.ink)
                if (shot.At(x + p.x, y + p.y) != fgPx) {
                    match = false;
                    break;
                }
            if (match && bEdges)
                for (const auto& e : r.edge)
                    if (shot.At(x + e.first.x, y + e.first.y) != e.second) {
                        match = false;
                        break;
                    }
            if (match)
                for (const POINT& p : r.paper)
                    if (shot.At(x + p.x, y + p.y) == fgPx) {
                        match = false;
                        break;
                    }
            if (match) {
                where.x = x;
                where.y = y;
                return true;
            }
        }
    return false;
}

std::wstring Widen(const std::string& s)
{
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, NULL, 0);
    std::wstring w((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    w.resize((size_t)n - 1);
    return w;
}

// The language file's text for a key of section "Menu", with "Global" as the
// fallback; empty when neither has it.
std::string LookupMenuText(const std::string& lng, const std::string& key)
{
    static const char kMissing[] = "\x01missing";
    char buf[1024];
    for (const char* section : {"Menu", "Global"}) {
        GetPrivateProfileStringA(section, key.c_str(), kMissing, buf, sizeof(buf), lng.c_str());
        if (strcmp(buf, kMissing) != 0) return buf;
    }
    return std::string();
}

// Top-level items of the program's menu as the studio shows them.
std::vector<std::wstring> MenuBarTexts(const char* exe, const std::string& lng)
{
    std::vector<std::wstring> texts;
    HMODULE mod = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HMENU menu = mod ? LoadMenuW(mod, MAKEINTRESOURCEW(kMenuId)) : NULL;
    int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; ++i) {
        WCHAR own[256] = L"";
        GetMenuStringW(menu, (UINT)i, own, 256, MF_BYPOSITION);
        if (!own[0]) continue;
        HMENU sub = GetSubMenu(menu, i);
        char key[32];
        if (sub)
            wsprintfA(key, "%up", GetMenuItemID(sub, 0));
        else
            wsprintfA(key, "%u", GetMenuItemID(menu, i));
        std::string translated = LookupMenuText(lng, key);
        texts.push_back(translated.empty() ? std::wstring(own) : Widen(translated));
    }
    if (menu) DestroyMenu(menu);
    if (mod) FreeLibrary(mod);
    return texts;
}

std::string Narrow(const std::wstring& w)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, NULL, 0, NULL, NULL);
    std::string s((size_t)n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, NULL, NULL);
    s.resize((size_t)n - 1);
    return s;
}

// Searches one text in any of the given drawings; reports the result.
bool Expect(const Image& shot, const std::wstring& text, const LOGFONTW& lf,
            const std::vector<std::pair<COLORREF, COLORREF>>& colours,
            const std::vector<UINT>& formats, int maxY, const char* what)
{
    for (const auto& c : colours)
        for (UINT fmt : formats) {
            Rendering r = Render(text, lf, c.first, c.second, fmt);
            POINT at;
            if (Find(shot, r, PixelOf(c.first), maxY, true, at) ||
                Find(shot, r, PixelOf(c.first), maxY, false, at)) {
                printf("found %s \"%s\" at %ld,%ld (%dx%d)\n", what, Narrow(text).c_str(), at.x, at.y, r.w, r.h);
                return true;
            }
        }
    printf("MISSING %s \"%s\"\n", what, Narrow(text).c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: screenshot_match shot.bmp Zavomgr.exe zavomgr.lng title\n");
        return 2;
    }
    Image shot;
    if (!LoadShot(argv[1], shot)) {
        fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    char lng[MAX_PATH];
    if (!GetFullPathNameA(argv[3], MAX_PATH, lng, NULL)) return 2;
    std::vector<std::wstring> items = MenuBarTexts(argv[2], lng);
    if (items.empty()) {
        fprintf(stderr, "no menu %u in %s\n", kMenuId, argv[2]);
        return 2;
    }
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return 2;
    // caption, menu bar and frame, with room to spare
    int maxY = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) +
               4 * GetSystemMetrics(SM_CYFRAME) + 24;
    bool ok = true;
    std::vector<std::pair<COLORREF, COLORREF>> menuColours = {
        {GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_MENU)}};
    for (const std::wstring& item : items)
        ok &= Expect(shot, item, ncm.lfMenuFont, menuColours,
                     {DT_SINGLELINE | DT_NOCLIP, DT_SINGLELINE | DT_NOCLIP | DT_HIDEPREFIX}, maxY,
                     "menu item");
    std::vector<std::pair<COLORREF, COLORREF>> captionColours = {
        {GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_ACTIVECAPTION)},
        {GetSysColor(COLOR_INACTIVECAPTIONTEXT), GetSysColor(COLOR_INACTIVECAPTION)}};
    ok &= Expect(shot, Widen(argv[4]), ncm.lfCaptionFont, captionColours,
                 {DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX}, maxY, "title");
    return ok ? 0 : 1;
}
