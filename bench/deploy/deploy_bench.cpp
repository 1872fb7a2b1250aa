// Times the deploy wizard's ISO build of a source folder: from Finish to the
// question that follows a good image. deploy_bench <menus folder> <source> <image>
#include "deploy/DepWizard.h"
#include "designer/app/ZavomgrApp.h"
#include "resources/zavomgr/resource.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <thread>

CZavomgrApp theApp;

namespace {

std::atomic<DWORD> g_boxTime(0);
std::atomic<bool> g_stop(false);

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (pid == GetCurrentProcessId() && strcmp(cls, "#32770") == 0 && GetDlgItem(hwnd, 0xFFFF) &&
        IsWindowVisible(hwnd)) {
        *(HWND*)param = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Notes when the first message box shows and answers No (or OK).
void AnswerBoxes()
{
    while (!g_stop) {
        HWND box = NULL;
        EnumWindows(FindBox, (LPARAM)&box);
        if (box) {
            DWORD zero = 0;
            g_boxTime.compare_exchange_strong(zero, GetTickCount());
            const int answer = GetDlgItem(box, IDNO) ? IDNO : IDOK;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)GetDlgItem(box, answer));
            Sleep(200);
        }
        Sleep(5);
    }
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: deploy_bench <menus folder> <source folder> <image>\n");
        return 2;
    }
    InitCommonControls();
    theApp.m_strMenusPath = argv[1];
    CDepWizStep1 step1;
    CDepWizStep2 step2;
    CDepWizard wizard(IDS_DEPWIZ_CAPTION, NULL, 0);
    wizard.AddPage(&step1);
    wizard.AddPage(&step2);
    wizard.m_psh.dwFlags |= PSH_WIZARD;
    wizard.m_psh.dwFlags &= ~PSH_HASHELP;
    if (!wizard.Create())
        return 1;
    Pump();
    for (int i = 0; i < 500 && step1.m_packList.IsLoading(); ++i) {
        Sleep(10);
        Pump();
    }
    // the first package as the default menu
    NMITEMACTIVATE nm = {};
    nm.hdr.hwndFrom = step1.m_packList.m_hWnd;
    nm.hdr.idFrom = IDC_DW_PACKLIST;
    nm.hdr.code = NM_DBLCLK;
    nm.iItem = 0;
    SendMessageA(step1.m_hWnd, WM_NOTIFY, IDC_DW_PACKLIST, (LPARAM)&nm);
    SendMessageA(wizard.m_hWnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    Pump();
    SetDlgItemTextA(step2.m_hWnd, IDC_DW_ISOSOURCE, argv[2]);
    SetDlgItemTextA(step2.m_hWnd, IDC_DW_ISOTARGET, argv[3]);
    DeleteFileA(argv[3]);

    std::thread answerer(AnswerBoxes);
    const DWORD start = GetTickCount();
    SendMessageA(wizard.m_hWnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    Pump();
    g_stop = true;
    answerer.join();
    const DWORD end = g_boxTime ? (DWORD)g_boxTime : GetTickCount();
    WIN32_FILE_ATTRIBUTE_DATA data;
    const bool made = GetFileAttributesExA(argv[3], GetFileExInfoStandard, &data) != FALSE;
    printf("wizard: %.2f s, image %s\n", (end - start) / 1000.0, made ? "made" : "MISSING");
    wizard.DestroyWindow();
    Pump();
    return made ? 0 : 1;
}
