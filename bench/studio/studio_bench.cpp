// Whole-page edits of a large project on the design canvas: nudging every
// element, undo, a zoom step and deselecting by a click on the empty page,
// each with its redraw; then the memory that 100 nudges (100 undo steps)
// take. The project comes from make_project.py. Prints ms per step and MB,
// and first where opening spends its time, each part on a list of its own.
// With BENCH_DUMP=<folder> it writes the canvas as BMPs after each step and
// at 200 %, to compare the pixels across versions.
#include <windows.h>
#include <malloc.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <string>

#include "designer/app/MainFrame.h"
#include "designer/app/ProjectFile.h"
#include "designer/app/ZavomgrDoc.h"
#include "designer/core/XmlDocument.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "framework/ScopedHandle.h"
#include "designer/model/UIControlList.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/app/ZavomgrView.h"
#include "designer/app/ZavomgrApp.h"
#include "framework/WinThread.h"
#include "bench/WindowShot.h"
#include "imaging/xImage.h"

CZavomgrApp theApp;

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)f.QuadPart;
}

// Address space in use: what a 32-bit process runs out of.
double UsedMegabytes()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    ::GlobalMemoryStatusEx(&status);
    return (double)(status.ullTotalVirtual - status.ullAvailVirtual) / (1024.0 * 1024.0);
}

// Bytes in use on the C library's heap, where the snapshots live.
double HeapMegabytes()
{
    HANDLE heap = (HANDLE)_get_heap_handle();
    PROCESS_HEAP_ENTRY entry = {};
    double bytes = 0;
    ::HeapLock(heap);
    while (::HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            bytes += entry.cbData;
    ::HeapUnlock(heap);
    return bytes / (1024.0 * 1024.0);
}

// Until the queue is empty and the idle work (command states) is done.
void Settle()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        if (!AfxPumpMessage())
            return;
    }
    for (LONG n = 0; theApp.OnIdle(n); ++n) {
    }
}

// One user step: the change, its redraw and the idle work after it.
template <class Step>
double Time(Step step)
{
    const double t0 = Now();
    step();
    const double t1 = Now();
    Settle();
    ::GdiFlush();
    if (getenv("BENCH_SPLIT"))
        printf("  (step %.1f ms, idle %.1f ms)\n", t1 - t0, Now() - t1);
    return Now() - t0;
}

void Report(const char* what, double ms) { printf("%-34s %9.1f ms\n", what, ms); }

// With BENCH_DUMP set: the canvas as it shows now with its scroll bars, read
// back from the window, as <folder>\studio_<n>_<name>.bmp.
void Dump(CWnd& canvas, const char* name)
{
    const char* folder = getenv("BENCH_DUMP");
    if (folder == NULL)
        return;
    static int s_nFrame = 0;
    char path[MAX_PATH];
    snprintf(path, sizeof(path), "%s\\studio_%02d_%s.bmp", folder, s_nFrame++, name);
    SaveWindowShot(canvas.m_hWnd, true, path);
}

// With BENCH_DUMP set: the whole-page steps again at 200 %, scrolled to the
// middle of the page, each frame dumped; then back to 100 %.
void DumpAtDoubleZoom(CViewCanvas& canvas)
{
    if (getenv("BENCH_DUMP") == NULL)
        return;
    canvas.SetZoom(2.0);
    Settle();
    Dump(canvas, "zoom200");
    canvas.SetHScrollPos(500);
    canvas.SetVScrollPos(400);
    canvas.Redraw();
    Settle();
    Dump(canvas, "zoom200_scrolled");
    canvas.SelectAll();
    Settle();
    Dump(canvas, "zoom200_select_all");
    canvas.SendMessage(WM_KEYDOWN, VK_ADD, 1);
    Settle();
    Dump(canvas, "zoom201_selected");
    canvas.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 1);
    Settle();
    Dump(canvas, "zoom200_back");
    canvas.DeselectAll();
    canvas.Redraw();
    Settle();
    Dump(canvas, "zoom200_deselected");
    canvas.SetZoom(1.0);
    Settle();
    Dump(canvas, "zoom100");
}

// Draws every element of the list at zoom 1 into a page-size memory bitmap.
void DrawAll(CUIControlList& list)
{
    HDC hScreen = ::GetDC(NULL);
    CScopedMemDC mem(::CreateCompatibleDC(hScreen));
    CScopedBitmap bitmap(::CreateCompatibleBitmap(hScreen, 1024, 768));
    ::ReleaseDC(NULL, hScreen);
    CScopedSelect select(mem, bitmap);
    CDC dc;
    dc.Attach(mem);
    for (int i = 0; i < list.GetCount(); ++i)
        list.GetAt(i)->DrawOnCanvas(&dc, 1.0, -1);
    dc.Detach();
    ::GdiFlush();
}

// The parts of opening, each alone: the markup parse, making the elements,
// reading the whole project, the first drawing (which reads the pictures),
// a later drawing, and the wallpaper. Run after the open, so with the
// pictures the open decoded kept.
void ProfileOpening(const std::string& bytes, const char* wallpaper, int nElements)
{
    printf("where opening goes:\n");
    double t = Now();
    CString text;
    ProjectText::ToSystemText(bytes, text);
    CXmlDocument xml;
    xml.SetDoc(text);
    Report("  parse the markup", Now() - t);
    t = Now();
    {
        CUIControlList made;
        for (int i = 0; i < nElements; ++i) {
            CUIControl* p = i < nElements / 2       ? (CUIControl*)new CUIButton
                            : i < nElements * 3 / 4 ? (CUIControl*)new CUIStatic
                            : i < nElements - 1     ? (CUIControl*)new CUIPicture
                                                    : (CUIControl*)new CUIProgress;
            made.Add(p);
        }
    }
    Report(("  make " + std::to_string(nElements) + " new elements").c_str(), Now() - t);
    CUIControlList list;
    CProjectSettings settings;
    int code = 0;
    CString error;
    t = Now();
    CProjectFile::Read(bytes, list, settings, code, error);
    Report("  read the project (parse, make)", Now() - t);
    t = Now();
    DrawAll(list);
    Report("  first drawing (reads pictures)", Now() - t);
    t = Now();
    DrawAll(list);
    Report("  next drawing", Now() - t);
    t = Now();
    {
        CViewCanvas canvas;
        canvas.SetList(&list);
        canvas.SetWallpaper(wallpaper);
    }
    Report("  wallpaper (read, fit the page)", Now() - t);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: studio_bench <project.kel> [nudges]\n");
        return 2;
    }
    _putenv("ZAVO_NO_MSGBOX=1");
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    char exe[MAX_PATH];
    ::GetModuleFileNameA(NULL, exe, MAX_PATH);
    *strrchr(exe, '\\') = '\0';
    theApp.m_strAppPath = exe;
    theApp.RegisterTemplate();
    CCommandLineInfo info;
    if (!theApp.RunCommandLine(info) || !theApp.m_pMainWnd) {
        fprintf(stderr, "the studio did not start\n");
        return 1;
    }
    CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd);
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    CString wallpaper(argv[1]);
    wallpaper = wallpaper.Left(wallpaper.ReverseFind('\\') + 1) + "wallpaper.png";
    const double tOpen = Now();
    if (!theApp.OpenDocumentFile(argv[1])) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const double tRead = Now();
    Settle();
    if (getenv("BENCH_SPLIT"))
        printf("  (open %.1f ms, first paint and idle %.1f ms)\n", tRead - tOpen, Now() - tRead);
    CZavomgrView* view = frame->GetZavomgrView();
    CViewCanvas& canvas = view->GetCanvas();
    CUIControlList& list = *canvas.GetList();
    printf("%d elements, project file %u bytes\n", list.GetCount(), (unsigned)bytes.size());
    Report("open the project", Now() - tOpen);
    // the whole save, from the markup to the file written, beside the project
    CString savedPath(argv[1]);
    savedPath = savedPath.Left(savedPath.ReverseFind('\\') + 1) + "Saved.kel";
    const double tSave = Now();
    if (!view->GetDocument()->OnSaveDocument(savedPath))
        fprintf(stderr, "cannot save %s\n", (LPCTSTR)savedPath);
    Report("save the project", Now() - tSave);
    // after the open, which it would speed up: decoded pictures are kept
    ProfileOpening(bytes, wallpaper, list.GetCount());
    // what saving writes right after opening, to compare across versions
    if (const char* saved = getenv("BENCH_SAVE_AS"))
        view->GetDocument()->OnSaveDocument(saved);

    Dump(canvas, "opened");
    Report("select all (Ctrl+A)", Time([&] { canvas.SelectAll(); }));
    Dump(canvas, "select_all");
    Report("nudge all (arrow key)", Time([&] { canvas.SendMessage(WM_KEYDOWN, VK_RIGHT, 1); }));
    Dump(canvas, "nudge");
    Report("undo", Time([&] { canvas.Undo(); }));
    Dump(canvas, "undo");
    Report("zoom step (+)", Time([&] { canvas.SendMessage(WM_KEYDOWN, VK_ADD, 1); }));
    Dump(canvas, "zoom_step");
    Report("zoom back (-)", Time([&] { canvas.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 1); }));
    Dump(canvas, "zoom_back");
    Report("undo snapshot alone", Time([&] { list.SaveUndo(); }));
    // the same snapshot back: every body compared, no element remade
    Report("undo restore alone", Time([&] { list.Undo(); }));
    Report("redraw alone", Time([&] { canvas.Redraw(); }));
    Dump(canvas, "redraw");
    Report("deselect (click on empty page)", Time([&] {
               CPoint empty = canvas.PageToClient(1010, 760);
               canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(empty.x, empty.y));
               canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(empty.x, empty.y));
           }));
    Dump(canvas, "deselect");
    DumpAtDoubleZoom(canvas);

    canvas.SelectAll();
    list.ClearUndo();
    Settle();
    const int nudges = argc > 2 ? atoi(argv[2]) : 100;
    const double before = UsedMegabytes(), heapBefore = HeapMegabytes();
    const double tNudges = Now();
    for (int i = 0; i < nudges; ++i) {
        canvas.SendMessage(WM_KEYDOWN, i % 2 ? VK_LEFT : VK_RIGHT, 1);
        Settle();
    }
    const double nudgeTime = (Now() - tNudges) / nudges;
    const double after = UsedMegabytes(), heapAfter = HeapMegabytes();
    printf("%-34s %9.1f ms\n", ("nudge all, mean of " + std::to_string(nudges)).c_str(), nudgeTime);
    printf("%-34s %9.2f MB address space, %.2f MB heap (%d undo steps; project file %.2f MB)\n",
           ("memory of " + std::to_string(nudges) + " nudges").c_str(), after - before, heapAfter - heapBefore,
           list.GetUndoCount(), bytes.size() / (1024.0 * 1024.0));
    const double tUndo = Now();
    for (int i = 0; i < 10; ++i) {
        canvas.Undo();
        Settle();
    }
    Report("undo, mean of 10", (Now() - tUndo) / 10);
    list.SetModified(FALSE);
    frame->DestroyWindow();
    return 0;
}
