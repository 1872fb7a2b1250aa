// Opens a menu image in Pelsys's main frame in this process, as the open
// command does, until the folder tree is filled; best of three runs.
#include "browser/app/MainFrame.h"
#include "browser/app/PelsysApp.h"
#include "browser/app/LeftView.h"

#include <commctrl.h>

#include <cstdio>

CPelsysApp theApp;

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: pelsys_bench <image>\n");
        return 2;
    }
    _putenv("ZAVO_NO_SKIN=1");
    theApp.RegisterTemplate();
    CCommandLineInfo info;
    if (!theApp.RunCommandLine(info) || !theApp.GetMainFrame())
        return 1;
    CMainFrame* frame = theApp.GetMainFrame();
    frame->ShowWindow(SW_SHOW);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        if (!frame->OpenImageFile(argv[1]))
            return 1;
        QueryPerformanceCounter(&t1);
        double s = double(t1.QuadPart - t0.QuadPart) / freq.QuadPart;
        int items = (int)::SendMessage(frame->GetLeftView()->m_hWnd, TVM_GETCOUNT, 0, 0);
        printf("run %d: open %.3f s, %d nodes, %d tree items\n", run + 1, s,
               frame->GetImageFs().GetTree().GetCount(), items);
        if (s < best)
            best = s;
    }
    printf("best %.3f\n", best);
    frame->DestroyWindow();
    return 0;
}
