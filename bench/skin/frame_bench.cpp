// Live resizing of a skinned 1024 x 768 captioned window with both scroll
// bars: 500 resize steps and 500 full non-client repaints, unskinned and
// skinned with NormalBlue in one run. Goals: a repaint under 2 ms, a resize
// step under 8 ms, the caption corner record built once per caption height.
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/objects/FrameNonClient.h"
#include "skin/theme/DefaultThemeSchema.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemePackage.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {
const int kSteps = 500;

class BenchFrame : public CVZRFrameNonClient {
public:
    explicit BenchFrame(CVZRSkinContext* context) : CVZRFrameNonClient(context) {}
    void Attach(HWND window) { SetFrameWindow(window); }

protected:
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        return DefWindowProcA(GetFrameWindow(), msg, wParam, lParam);
    }
};

LRESULT CALLBACK BenchProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        BenchFrame* made = static_cast<BenchFrame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(made));
        if (made)
            made->Attach(window);
    }
    BenchFrame* frame = reinterpret_cast<BenchFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (frame && frame->HandleNonClientMessage(msg, wParam, lParam, result))
        return result;
    return DefWindowProcA(window, msg, wParam, lParam);
}

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void Run(const char* label, BenchFrame* frame, CVZRDefaultThemeSchema* schema)
{
    HWND window = CreateWindowExA(0, "SkinFrameBench", "Bench", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                  0, 0, 1024, 768, NULL, NULL, GetModuleHandleA(NULL), frame);
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1000, 100, 300};
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    SetScrollInfo(window, SB_HORZ, &info, TRUE);
    Pump();
    double start = Now();
    for (int i = 0; i < kSteps; ++i)
        RedrawWindow(window, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    double repaint = (Now() - start) / kSteps;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1024, 768);
    HGDIOBJ old = SelectObject(memory, bitmap);
    start = Now();
    for (int i = 0; i < kSteps; ++i)
        SendMessageA(window, WM_PRINT, WPARAM(memory), PRF_NONCLIENT);
    double offScreen = (Now() - start) / kSteps;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    start = Now();
    for (int i = 0; i < kSteps; ++i) {
        int grow = i % 40;
        SetWindowPos(window, NULL, 0, 0, 984 + grow, 728 + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(window);
    }
    double step = (Now() - start) / kSteps;
    printf("%-9s full non-client repaint %.3f ms (drawn off-screen %.3f ms), resize step %.3f ms", label, repaint,
           offScreen, step);
    if (schema)
        printf(", caption corner records %u", unsigned(schema->GetCornerCacheSize()));
    printf("\n");
    DestroyWindow(window);
}
}  // namespace

int main()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BenchProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    wc.hIcon = LoadIcon(NULL, IDI_APPLICATION);  // as the programs' windows have
    wc.lpszClassName = "SkinFrameBench";
    RegisterClassA(&wc);
    Run("unskinned", nullptr, nullptr);

    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string package = std::string(path, strrchr(path, '\\')) + "\\ThemeUI.dll";
    CVZRSkinContext context;
    CVZRThemePackage themePackage(&context);
    CVZRSkinSystemMetrics metrics(&context);
    context.m_pPackage = &themePackage;
    context.m_pMetrics = &metrics;
    if (!themePackage.Open(package.c_str(), "NormalBlue.ini")) {
        printf("no theme package at %s\n", package.c_str());
        return 1;
    }
    std::unique_ptr<CVZRThemeSchema> schema(themePackage.CreateSchema());
    context.m_pSchema = schema.get();
    schema->ParseSchemaText(&themePackage);
    metrics.Refresh();
    BenchFrame frame(&context);
    Run("skinned", &frame, static_cast<CVZRDefaultThemeSchema*>(schema.get()));
    return 0;
}
