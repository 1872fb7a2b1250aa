// Full redraw of the design canvas: a 1024 x 768 page with a wallpaper, the
// grid, the margins and 50 elements, at zoom 1 and 2. Prints ms per frame.
// With BENCH_DUMP=<folder> it also writes each zoom's frame there as BMPs
// (drawn off screen, and read back from the window after the painted ones),
// to compare the pixels across versions.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/canvas/ViewCanvas.h"
#include "framework/ScopedHandle.h"
#include "imaging/xImage.h"
#include "bench/WindowShot.h"

namespace {

class BenchCanvas : public CViewCanvas {
public:
    using CDesignCanvas::PaintClient;
};

class Host : public CWnd {
public:
    Host(int w, int h, CUIControlList* pList)
    {
        CreateEx(0, AfxRegisterWndClass(0), "canvas bench", WS_POPUP | WS_VISIBLE, 0, 0, w, h, NULL, NULL);
        canvas.Create(CRect(0, 0, w, h), this, pList);
    }
    BenchCanvas canvas;
};

std::string MakeWallpaper()
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "canvas_bench_wallpaper.bmp";
    CxImage image;
    image.Create(1024, 768, 24, CXIMAGE_FORMAT_BMP);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            RGBQUAD q = {(BYTE)(x / 4), (BYTE)(y / 3), (BYTE)((x + y) / 8), 0};
            image.SetPixelColor(x, y, q);
        }
    image.Save(path.c_str(), CXIMAGE_FORMAT_BMP);
    return path;
}

void FillList(CUIControlList& list)
{
    list.SetPaperSize(1024, 768);
    for (int i = 0; i < 50; ++i) {
        CUIControl* p = NULL;
        switch (i % 4) {
        case 0: p = new CUIButton; break;
        case 1: p = new CUIPicture; break;
        case 2: p = new CUIStatic; break;
        default: p = new CUIProgress; break;
        }
        double x = 20 + (i % 8) * 125, y = 20 + (i / 8) * 110;
        p->SetRect(x, y, x + 110, y + (i % 4 == 3 ? 20 : 60));
        p->SetSelected(i % 10 == 0);
        list.Add(p);
    }
}

double Milliseconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return (double)(b.QuadPart - a.QuadPart) * 1000.0 / (double)f.QuadPart;
}

void Measure(Host& host, double zoom, int frames)
{
    BenchCanvas& canvas = host.canvas;
    canvas.SetZoom(zoom);
    canvas.SetHScrollPos(zoom > 1 ? 300 : 0);
    canvas.SetVScrollPos(zoom > 1 ? 200 : 0);
    LARGE_INTEGER f, t0, t1, t2, t3;
    ::QueryPerformanceFrequency(&f);
    for (int i = 0; i < 3; ++i)  // warm up: fonts, themes, pictures
        canvas.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    // each frame alone too: on a busy machine the fastest and the median say
    // more than the mean
    std::vector<double> each;
    ::QueryPerformanceCounter(&t0);
    for (int i = 0; i < frames; ++i) {
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        canvas.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GdiFlush();
        ::QueryPerformanceCounter(&b);
        each.push_back(Milliseconds(a, b, f));
    }
    ::QueryPerformanceCounter(&t1);
    std::sort(each.begin(), each.end());
    if (const char* folder = getenv("BENCH_DUMP")) {
        // the last frame painted on screen, read back from the window
        char path[MAX_PATH];
        snprintf(path, sizeof(path), "%s\\canvas_zoom%.0f_screen.bmp", folder, zoom * 100);
        SaveWindowShot(canvas.m_hWnd, false, path);
    }
    {
        CRect rc;
        canvas.GetClientRect(&rc);
        HDC hScreen = ::GetDC(NULL);
        CDC mem;
        mem.Attach(::CreateCompatibleDC(hScreen));
        CScopedBitmap bmp(::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height()));
        ::ReleaseDC(NULL, hScreen);
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ::QueryPerformanceCounter(&t2);
        for (int i = 0; i < frames; ++i)
            canvas.PaintClient(&mem);
        ::GdiFlush();
        ::QueryPerformanceCounter(&t3);
        ::SelectObject(mem, old);
        if (const char* folder = getenv("BENCH_DUMP")) {
            char path[MAX_PATH];
            snprintf(path, sizeof(path), "%s\\canvas_zoom%.0f.bmp", folder, zoom * 100);
            CxImage frame;
            if (!frame.CreateFromHBITMAP(bmp) || !frame.Save(path, CXIMAGE_FORMAT_BMP))
                fprintf(stderr, "cannot write %s\n", path);
        }
    }
    printf("zoom %.0f%%: %.2f ms per frame on screen (WM_PAINT; fastest %.2f, median %.2f), %.2f ms per frame off "
           "screen, %d frames\n",
           zoom * 100, Milliseconds(t0, t1, f) / frames, each.front(), each[each.size() / 2],
           Milliseconds(t2, t3, f) / frames, frames);
}

}  // namespace

int main()
{
    CUIControlList list;
    FillList(list);
    Host host(1024, 768, &list);
    host.canvas.SetWallpaper(MakeWallpaper().c_str());
    host.canvas.SetGridVisible(TRUE);
    host.canvas.SetMarginsVisible(TRUE);
    host.canvas.SetShowNumbers(TRUE);
    Measure(host, 1.0, 60);
    Measure(host, 2.0, 60);
    return 0;
}
