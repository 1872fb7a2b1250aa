// Chinese text in the faces the dialogs and banners name is drawn with the
// CJK font's glyphs (the prefix links those faces to it), not empty boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// "启动菜单" in the system code page (GBK)
const char kText[] = "\xC6\xF4\xB6\xAF\xB2\xCB\xB5\xA5";
const int kWidth = 200, kHeight = 40;

std::vector<unsigned> Render(const char* face, int weight)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HFONT font = CreateFontA(-20, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, face);
    HGDIOBJ oldBmp = SelectObject(dc, bmp), oldFont = SelectObject(dc, font);
    RECT r = {0, 0, kWidth, kHeight};
    FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 4, 4, kText, (int)strlen(kText));
    GdiFlush();
    std::vector<unsigned> pixels((unsigned*)bits, (unsigned*)bits + kWidth * kHeight);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(dc);
    for (unsigned& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

int Ink(const std::vector<unsigned>& pixels)
{
    int n = 0;
    for (unsigned p : pixels)
        n += p != 0xFFFFFF;
    return n;
}

// The ink's bounding box: left, top, right, bottom (exclusive).
RECT InkBox(const std::vector<unsigned>& pixels)
{
    RECT box = {kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (pixels[y * kWidth + x] != 0xFFFFFF) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

// Share of the CJK face's ink box whose pixels agree, the two boxes laid on each other.
double Agreement(const std::vector<unsigned>& a, const std::vector<unsigned>& b)
{
    RECT ra = InkBox(a), rb = InkBox(b);
    int w = ra.right - ra.left, h = ra.bottom - ra.top, same = 0;
    if (w <= 0 || h <= 0)
        return 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int bx = rb.left + x, by = rb.top + y;
            bool inkA = a[(ra.top + y) * kWidth + ra.left + x] != 0xFFFFFF;
            bool inkB = bx < kWidth && by < kHeight && b[by * kWidth + bx] != 0xFFFFFF;
            same += inkA == inkB;
        }
    return double(same) / (w * h);
}
}  // namespace

TEST(CjkFont, InterfaceFacesDrawChineseWithTheCjkGlyphs)
{
    ASSERT_EQ(GetACP(), 936u) << "runs in the Chinese code page";
    std::vector<unsigned> cjk = Render("WenQuanYi Micro Hei", FW_NORMAL);
    ASSERT_GT(Ink(cjk), 100) << "the CJK font itself draws";
    for (const char* face : {"Tahoma", "MS Shell Dlg", "Arial"}) {
        // empty boxes have far less ink than the glyphs, and another shape
        std::vector<unsigned> linked = Render(face, FW_NORMAL);
        EXPECT_GT(Agreement(cjk, linked), 0.95) << face << ": ink " << Ink(linked) << " against " << Ink(cjk);
    }
}
