// Opens a window with one control of each skinned class and paints it, 50
// times, unskinned and then (in a second process) skinned with NormalBlue.
// Goal: skinned within 1.5 times unskinned.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
const int kRounds = 50;

std::string BinDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    *strrchr(path, '\\') = 0;
    return path;
}

bool StartSkin()
{
    typedef BOOL(__cdecl * StartProc)(const char*, const char*);
    HMODULE skin = LoadLibraryA((BinDir() + "\\ozSkin.dll").c_str());
    StartProc start = skin ? (StartProc)(void*)GetProcAddress(skin, "ThemeStart") : NULL;
    return start && start((BinDir() + "\\ThemeUI.dll").c_str(), "NormalBlue.ini");
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void OpenAndPaint()
{
    HWND host = CreateWindowExA(0, "#32770", "bench", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, 640,
                                420, NULL, NULL, NULL, NULL);
    struct {
        const char* cls;
        DWORD style;
    } controls[] = {{"BUTTON", BS_PUSHBUTTON},
                    {"BUTTON", BS_AUTOCHECKBOX},
                    {"COMBOBOX", CBS_DROPDOWNLIST},
                    {"EDIT", WS_BORDER},
                    {DATETIMEPICK_CLASSA, 0},
                    {MONTHCAL_CLASSA, 0},
                    {"LISTBOX", WS_VSCROLL},
                    {WC_LISTVIEWA, LVS_REPORT},
                    {WC_HEADERA, 0},
                    {WC_TREEVIEWA, 0},
                    {PROGRESS_CLASSA, 0},
                    {STATUSCLASSNAMEA, 0},
                    {UPDOWN_CLASSA, 0},
                    {TRACKBAR_CLASSA, TBS_AUTOTICKS},
                    {WC_TABCONTROLA, 0},
                    {TOOLBARCLASSNAMEA, CCS_NORESIZE}};
    int i = 0;
    for (const auto& c : controls) {
        int x = 10 + (i % 4) * 150, y = 10 + (i / 4) * 90;
        CreateWindowExA(0, c.cls, "Text", WS_CHILD | WS_VISIBLE | c.style, x, y, 140, 80, host, NULL, NULL, NULL);
        ++i;
    }
    UpdateWindow(host);
    RedrawWindow(host, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    DestroyWindow(host);
    Pump();
}
}  // namespace

int main(int argc, char** argv)
{
    bool skinned = argc > 1 && strcmp(argv[1], "skin") == 0;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    if (skinned && !StartSkin()) {
        printf("ozSkin.dll or ThemeUI.dll missing\n");
        return 1;
    }
    OpenAndPaint();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int round = 0; round < kRounds; ++round)
        OpenAndPaint();
    QueryPerformanceCounter(&end);
    double ms = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    printf("%s: %d windows of 16 controls opened and painted in %.1f ms (%.2f ms each)\n",
           skinned ? "skinned" : "unskinned", kRounds, ms, ms / kRounds);
    return 0;
}
