// Times the menu package list on a folder: the items, then every thumbnail.
// Usage: packlist_bench FOLDER [RUNS [HOLD_MS]] (HOLD_MS keeps the window up to be looked at)
#include "deploy/ThemePackList.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
typedef std::chrono::steady_clock Clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_ALLINPUT);
}

class BenchWindow : public CWnd {
public:
    BenchWindow() { CreateEx(0, AfxRegisterWndClass(0), "packlist bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, NULL, NULL); }
    ~BenchWindow() { DestroyWindow(); }
};
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: packlist_bench FOLDER [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? atoi(argv[2]) : 3;
    BenchWindow parent;
    CThemePackList list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 640, 480), &parent, 100);
    double bestItems = 1e9, bestAll = 1e9;
    for (int run = 1; run <= runs; ++run) {
        Clock::time_point start = Clock::now();
        if (!list.ScanFolder(argv[1])) {
            fprintf(stderr, "scan failed\n");
            return 1;
        }
        const double scan = Seconds(start);
        const int count = list.GetPackageCount();
        while (list.GetItemCount() < count && list.IsLoading())
            Pump();
        const double items = Seconds(start);
        while (list.IsLoading())
            Pump();
        const double all = Seconds(start);
        printf("run %d: %d packages, scan %.3f s, items %.3f s, all thumbnails %.3f s\n", run, count, scan, items, all);
        bestItems = items < bestItems ? items : bestItems;
        bestAll = all < bestAll ? all : bestAll;
    }
    printf("best: items %.3f s (goal 0.5 s), all thumbnails %.3f s (goal 2 s)\n", bestItems, bestAll);
    fflush(stdout);
    const Clock::time_point shown = Clock::now();
    const double hold = argc > 3 ? atoi(argv[3]) / 1000.0 : 0;
    while (Seconds(shown) < hold)
        Pump();
    return 0;
}
