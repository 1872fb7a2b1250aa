// Times the menu package of a 1024 x 768 project with 20 menu entries, 5
// pictures, 3 texts and a progress bar, step by step.
//   genmenu_bench <work folder>
#include "designer/genmenu/GenMenuDlg.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/app/ZavomgrApp.h"
#include "imaging/xImage.h"

#include <cstdio>
#include <string>
#include <vector>

CZavomgrApp theApp;

namespace {

const char* const kStepNames[] = {"work folder", "wallpaper render", "element blocks", "JPEG wallpaper",
                                  "pointers", "kelmenu.ini", "keep copy", "romfs image", "gzip",
                                  "preview", "description", "zip", "replace zip"};

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return (double)c.QuadPart / (double)f.QuadPart;
}

class TimedGenMenuDlg : public CGenMenuDlg {
public:
    std::vector<double> marks;
    std::vector<int> steps;

protected:
    BOOL StepDone(int nStep, BOOL bOk) override
    {
        marks.push_back(Now());
        steps.push_back(nStep);
        return bOk;
    }
    void PlayResultSound(BOOL) override {}
};

// A gradient picture of the given size saved as BMP.
bool WritePicture(const std::string& path, int cx, int cy, int seed)
{
    HDC dc = CreateCompatibleDC(NULL);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    DWORD* px = (DWORD*)bits;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            px[y * cx + x] = RGB((x * 255 / cx + seed * 40) & 255, (y * 255 / cy) & 255, ((x ^ y) + seed) & 255);
    CxImage image;
    bool ok = image.CreateFromHBITMAP(bitmap) && image.Save(path.c_str(), 1);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    _putenv("ZAVO_NO_MSGBOX=1");
    const std::string work = argv[1];
    CreateDirectoryA(work.c_str(), NULL);
    const std::string wallpaper = work + "\\wallpaper.bmp";
    if (!WritePicture(wallpaper, 1024, 768, 0)) return 1;

    CUIControlList list;
    list.SetPaperSize(1024, 768);
    for (int i = 0; i < 20; ++i) {
        CUIButton* entry = new CUIButton;
        double x = 60.0 + (i / 10) * 300.0, y = 80.0 + (i % 10) * 44.0;
        entry->SetRect(x, y, x + 260.0, y + 36.0);
        CString caption;
        caption.Format("Entry %d", i + 1);
        entry->SetCaption(caption);
        entry->SetTitle(caption);
        entry->SetCmdLine("kernel /boot/vmlinuz\r\ninitrd /boot/initrd\r\nboot");
        if (i % 5 == 0) {
            entry->SetPassword("pass");
            entry->SetEnablePass(1);
        }
        list.Add(entry);
    }
    for (int i = 0; i < 5; ++i) {
        CString path;
        path.Format("%s\\picture%d.bmp", work.c_str(), i);
        if (!WritePicture((LPCTSTR)path, 128, 96, i + 1)) return 1;
        CUIPicture* picture = new CUIPicture;
        picture->SetRect(700.0 + (i % 2) * 150.0, 60.0 + (i / 2) * 120.0, 828.0 + (i % 2) * 150.0,
                         156.0 + (i / 2) * 120.0);
        picture->SetImageFile(path);
        list.Add(picture);
    }
    for (int i = 0; i < 3; ++i) {
        CUIStatic* text = new CUIStatic;
        text->SetRect(60.0, 560.0 + i * 30.0, 660.0, 586.0 + i * 30.0);
        text->SetCaption("Use the arrow keys to choose an entry and Enter to start it");
        list.Add(text);
    }
    CUIProgress* progress = new CUIProgress;
    progress->SetRect(60.0, 700.0, 964.0, 720.0);
    list.Add(progress);

    CViewCanvas canvas;
    canvas.SetList(&list);
    canvas.SetWallpaper(wallpaper.c_str(), TRUE);
    canvas.SetDefaultEntry(1);
    canvas.SetTimeout(10);

    double best = 1e9;
    std::vector<double> bestSteps(13, 0.0);
    for (int run = 0; run < 3; ++run) {
        TimedGenMenuDlg dlg;
        dlg.m_pControlList = &list;
        dlg.m_pCanvas = &canvas;
        dlg.m_strMenusFolder = (work + "\\Kel Menus").c_str();
        dlg.m_strName = "Bench";
        dlg.m_strDescription = "20 entries, 5 pictures, 3 texts and a progress bar";
        double start = Now();
        BOOL ok = dlg.Generate();
        double total = Now() - start;
        if (!ok) {
            fprintf(stderr, "generation failed: %s\n", (LPCTSTR)dlg.GetErrorText());
            return 1;
        }
        printf("run %d: %.3f s\n", run + 1, total);
        if (total < best) {
            best = total;
            double last = start;
            for (size_t i = 0; i < dlg.marks.size(); ++i) {
                bestSteps[dlg.steps[i]] = dlg.marks[i] - last;
                last = dlg.marks[i];
            }
        }
    }
    printf("best: %.3f s (goal at most 0.1 s)\n", best);
    for (int i = 0; i < 13; ++i)
        if (bestSteps[i] > 0) printf("  %-17s %7.1f ms\n", kStepNames[i], bestSteps[i] * 1000.0);
    printf("  (the work folder is made while the page is rendered, the JPEG wallpaper encoded while the\n"
           "  elements are drawn, the romfs image and its gzip made while the preview is drawn: the lines\n"
           "  of those steps show what was left to wait for)\n");
    return 0;
}
