// The engine and the skin object base, linked into the test program: the
// class map, the window map through creation and destruction, the object's
// references, the host's state messages, subclass chains and the colour table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "framework/Wnd.h"
#include "skin/engine/SkinEngine.h"
#include "skin/hooks/ApiHookTable.h"
#include "skin/objects/SkinObject.h"
#include "skin/support/ColorTable.h"
#include "skin/support/SysServices.h"

namespace {

std::string SolidPackage()
{
    return std::string(ZAVO_BINARY_DIR) + "/skin/packages/SolidPackage.dll";
}

int g_deleted = 0;

class CCountedSkinObject : public CVZRSkinObject {
    DECLARE_DYNCREATE(CCountedSkinObject)
public:
    ~CCountedSkinObject() override { ++g_deleted; }
};
IMPLEMENT_DYNCREATE(CCountedSkinObject, CVZRSkinObject)

HWND MakeWindow(const char* className, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = NULL)
{
    return CreateWindowExA(0, className, "", style, 0, 0, 200, 100, parent, NULL, GetModuleHandleA(NULL), NULL);
}

void RegisterWindowClass(const char* name, WNDPROC proc, int extra = 0)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extra;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

LRESULT CALLBACK DestroyOnUser(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER) {
        DestroyWindow(hwnd);
        return g_deleted;  // still 0: the message being handled holds the object
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND g_tab = NULL;

LRESULT CALLBACK SheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 116)
        return (LRESULT)g_tab;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int g_hostCalls = 0;
WNDPROC g_hostPrev = NULL;

LRESULT CALLBACK HostSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1)
        ++g_hostCalls;
    return CallWindowProcA(g_hostPrev, hwnd, msg, wParam, lParam);
}

int g_originalCalls = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1)
        ++g_originalCalls;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class CStateWnd : public CWnd {
public:
    LRESULT m_answer = 1;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_SKINFRAMEWORK_QUERYSTATE)
            return m_answer;
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

int g_refuse = 0;
HHOOK g_refusingHook = NULL;

LRESULT CALLBACK RefusingHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_refuse)
        return 1;
    return CallNextHookEx(g_refusingHook, code, wParam, lParam);
}

char g_ansiText[32] = "";
WCHAR g_wideText[32] = L"";

LRESULT CALLBACK AnsiTextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETTEXT)
        lstrcpynA(g_ansiText, reinterpret_cast<LPCSTR>(lParam), 32);
    if (msg == WM_USER)
        return wParam + lParam;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK WideTextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETTEXT)
        lstrcpynW(g_wideText, reinterpret_cast<LPCWSTR>(lParam), 32);
    if (msg == WM_USER)
        return wParam + lParam;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A procedure in allocated memory that jumps to another, as some toolkits make them.
WNDPROC MakeThunk(WNDPROC target)
{
    unsigned char* code =
        static_cast<unsigned char*>(VirtualAlloc(NULL, 32, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    unsigned char* p = code;
#ifdef _WIN64
    *p++ = 0x48;  // mov rax, target
#endif
    *p++ = 0xB8;
    UINT_PTR address = reinterpret_cast<UINT_PTR>(target);
    memcpy(p, &address, sizeof(address));
    p += sizeof(address);
    *p++ = 0xFF;  // jmp rax / eax
    *p++ = 0xE0;
    FlushInstructionCache(GetCurrentProcess(), code, 32);
    return reinterpret_cast<WNDPROC>(code);
}

int g_ownCallsA = 0;
int g_ownCallsB = 0;

LRESULT CALLBACK OwnProcA(HWND, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_SKINFRAMEWORK_QUERYSTATE)
        ++g_ownCallsA;
    return 7;
}

LRESULT CALLBACK OwnProcB(HWND, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_SKINFRAMEWORK_QUERYSTATE)
        ++g_ownCallsB;
    return 8;
}
}  // namespace

TEST(SkinEngine, ClassMapChoosesObjectsWithoutRegardToCase)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine != NULL);
    EXPECT_EQ(engine->FindClassEntry("BUTTON"), engine->FindClassEntry("button"));
    EXPECT_EQ(engine->FindClassEntry("TCheckBox"), engine->FindClassEntry("Button"));
    EXPECT_EQ(engine->FindClassEntry("ComboLBox"), engine->FindClassEntry("ListBox"));
    ASSERT_TRUE(engine->FindClassEntry("SysPager") != NULL);
    EXPECT_TRUE(engine->FindClassEntry("SysPager")->pClass == NULL);
    EXPECT_TRUE(engine->FindClassEntry("NoSuchClass") == NULL);

    engine->SetAutoAttach(FALSE);
    HWND hwnd = MakeWindow("Static");
    ASSERT_TRUE(hwnd != NULL);
    EXPECT_TRUE(engine->AttachSkinObject(hwnd, "SysPager", NULL, FALSE) == NULL);
    EXPECT_TRUE(engine->AttachSkinObject(hwnd, "tooltips_class32", NULL, FALSE) == NULL);
    EXPECT_TRUE(engine->AttachSkinObject(hwnd, "ime", NULL, FALSE) == NULL);
    EXPECT_TRUE(engine->AttachSkinObject(hwnd, "Internet Explorer_Server", NULL, FALSE) == NULL);
    EXPECT_TRUE(engine->AttachSkinObject(hwnd, "WindowsForms10.BUTTON.app", NULL, TRUE) == NULL);
    CVZRSkinObject* forms = engine->AttachSkinObject(hwnd, "WindowsForms10.BUTTON.app", NULL, FALSE);
    ASSERT_TRUE(forms != NULL);
    EXPECT_TRUE(forms->IsWindowsForms());
    // The same window again: its object, no second subclass.
    EXPECT_EQ(engine->AttachSkinObject(hwnd, "Button", NULL, FALSE), forms);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC), SkinObjectWindowProc);
    EXPECT_NE(forms->GetPrevWndProc(), SkinObjectWindowProc);
    DestroyWindow(hwnd);
    EXPECT_EQ(engine->GetSkinObjectCount(), 0u);
}

TEST(SkinEngine, AReusedHandlesStaleEntryGoesFirst)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    engine->RegisterSkinObjectClass("SkinCounted", RUNTIME_CLASS(CCountedSkinObject));
    RegisterWindowClass("SkinCounted", DefWindowProcA);
    HWND hwnd = MakeWindow("SkinCounted");
    CVZRSkinObject* first = engine->FindSkinObject(hwnd);
    ASSERT_TRUE(first != NULL);
    // As if the window had gone without its object seeing it and the handle came back.
    first->DetachHook(FALSE);
    CVZRSkinObject* second = engine->AttachSkinObject(hwnd, "SkinCounted", NULL, TRUE);
    EXPECT_EQ(g_deleted, 1);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(engine->FindSkinObject(hwnd), second);
    EXPECT_EQ(second->GetRefCount(), 1);
    DestroyWindow(hwnd);
    EXPECT_EQ(g_deleted, 2);
}

TEST(SkinEngine, DestroyedInsideAMessageTheObjectGoesAfterTheOuterReturns)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    engine->RegisterSkinObjectClass("SkinNested", RUNTIME_CLASS(CCountedSkinObject));
    RegisterWindowClass("SkinNested", DestroyOnUser);
    HWND hwnd = MakeWindow("SkinNested");
    ASSERT_TRUE(engine->FindSkinObject(hwnd) != NULL);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(engine->FindSkinObject(hwnd) == NULL);
    EXPECT_EQ(g_deleted, 1);
}

TEST(SkinEngine, APageInASheetIsKind6AndInAWizardKind2)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    RegisterWindowClass("SkinSheet", SheetProc, DLGWINDOWEXTRA);
    HWND sheet = MakeWindow("SkinSheet");
    g_tab = MakeWindow("Static", WS_CHILD, sheet);
    UINT_PTR record[3] = {(UINT_PTR)sheet, 0, 0};
    SetWindowLongPtrA(sheet, DWLP_USER, (LONG_PTR)record);
    CREATESTRUCTA cs = {};
    cs.hwndParent = sheet;
    cs.style = WS_CHILD | DS_CONTROL;
    HWND page = MakeWindow("Static", WS_CHILD, sheet);
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(page, &cs, engine), kFramePropertyPage);
    // A dialog inside a page is part of the page.
    engine->DetachSkinObject(page, FALSE);
    ASSERT_TRUE(engine->AttachSkinObject(page, "#32770", &cs, FALSE) != NULL);
    HWND inner = MakeWindow("Static", WS_CHILD, page);
    CREATESTRUCTA innerCs = cs;
    innerCs.hwndParent = page;
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(inner, &innerCs, engine), kFramePropertyPage);
    record[2] = 0x20;  // a wizard's header flags
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(page, &cs, engine), kFrameDialog);
    record[2] = 0;
    cs.style = WS_CHILD;
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(page, &cs, engine), kFrameDialog);
    cs.style = WS_CHILD | DS_CONTROL;
    record[0] = 0;  // not the sheet's record
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(page, &cs, engine), kFrameDialog);
    // A record that is not readable memory is not read.
    void* reserved = VirtualAlloc(NULL, 4096, MEM_RESERVE, PAGE_NOACCESS);
    SetWindowLongPtrA(sheet, DWLP_USER, (LONG_PTR)reserved);
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(page, &cs, engine), kFrameDialog);
    g_tab = NULL;
    EXPECT_EQ(CVZRSkinEngine::GetDialogFrameKind(page, NULL, engine), kFrameDialog);
    DestroyWindow(sheet);
    VirtualFree(reserved, 0, MEM_RELEASE);
}

TEST(SkinEngine, AFrameworkWindowStaysUnskinnedUntilItsAnswerIsZero)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    CStateWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "state", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    CVZRSkinObject* object = engine->FindSkinObject(wnd.m_hWnd);
    ASSERT_TRUE(object != NULL);
    EXPECT_TRUE(object->IsInactive());
    wnd.m_answer = 0;
    SendMessageA(wnd.m_hWnd, WM_SKINFRAMEWORK_UPDATESTATE, 0, 0);
    EXPECT_FALSE(object->IsInactive());
    wnd.m_answer = 1;
    SendMessageA(wnd.m_hWnd, WM_SKINFRAMEWORK_UPDATESTATE, 0, 0);
    EXPECT_TRUE(object->IsInactive());
    wnd.DestroyWindow();
}

TEST(SkinEngine, AHostSubclassSurvivesADetach)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    RegisterWindowClass("SkinCounting", CountingProc);
    HWND hwnd = MakeWindow("SkinCounting");
    ASSERT_EQ((WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC), SkinObjectWindowProc);
    g_hostPrev = (WNDPROC)SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)HostSubclass);
    engine->DetachSkinObject(hwnd, FALSE);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC), HostSubclass);
    SendMessageA(hwnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(g_hostCalls, 1);
    EXPECT_EQ(g_originalCalls, 1);
    // Detached while on top, the previous procedure goes back.
    HWND other = MakeWindow("SkinCounting");
    engine->DetachSkinObject(other, FALSE);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(other, GWLP_WNDPROC), CountingProc);
    DestroyWindow(other);
    DestroyWindow(hwnd);
}

TEST(SkinEngine, ARefusedCreationLeavesNoEntry)
{
    g_refusingHook = SetWindowsHookExA(WH_CBT, RefusingHook, NULL, GetCurrentThreadId());
    CVZRSkinEngine* engine = GetSkinEngine();  // its hook comes after the refusing one
    g_refuse = 1;
    EXPECT_TRUE(MakeWindow("Button") == NULL);
    EXPECT_EQ(engine->GetSkinObjectCount(), 0u);
    g_refuse = 0;
    HWND hwnd = MakeWindow("Button");
    EXPECT_TRUE(engine->FindSkinObject(hwnd) != NULL);
    DestroyWindow(hwnd);
    UnhookWindowsHookEx(g_refusingHook);
}

TEST(SkinEngine, StateChangeDropsWindowsThatAreGoneAndTellsTheRest)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    engine->SetAutoAttach(FALSE);
    HWND hwnd = MakeWindow("Static");
    ASSERT_TRUE(engine->AttachSkinObject(hwnd, "Button", NULL, FALSE) != NULL);
    // A handle whose window went without WM_NCDESTROY reaching the object.
    HWND gone = MakeWindow("Static");
    ASSERT_TRUE(engine->AttachSkinObject(gone, "Button", NULL, FALSE) != NULL);
    SetWindowLongPtrA(gone, GWLP_WNDPROC, (LONG_PTR)DefWindowProcA);
    DestroyWindow(gone);
    EXPECT_EQ(engine->GetSkinObjectCount(), 2u);
    engine->OnSkinStateChange(FALSE, FALSE);
    EXPECT_EQ(engine->GetSkinObjectCount(), 1u);
    EXPECT_TRUE(engine->FindSkinObject(hwnd) != NULL);
    engine->DetachAll(TRUE);
    EXPECT_EQ(engine->GetSkinObjectCount(), 0u);
    EXPECT_NE((WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC), SkinObjectWindowProc);
    DestroyWindow(hwnd);
}

TEST(SkinEngine, APaletteDisplayGetsNoSkinAndNoHooks)
{
    CVZRColorTable::SetDepthForTest(8);
    CVZRSkinEngine* engine = GetSkinEngine();
    EXPECT_FALSE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    EXPECT_FALSE(CVZRApiHookTable::Instance().IsInstalled());
    EXPECT_TRUE(engine->GetSchema() == NULL);
    // New windows still get (passive) objects.
    HWND hwnd = MakeWindow("Button");
    EXPECT_TRUE(engine->FindSkinObject(hwnd) != NULL);
    DestroyWindow(hwnd);
    CVZRColorTable::SetDepthForTest(32);
    EXPECT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    EXPECT_TRUE(CVZRApiHookTable::Instance().IsInstalled());
}

// Threads that take the lock in turn lose no update made under it.
TEST(SkinSpinLock, ThreadsTakingItInTurnLoseNoUpdate)
{
    CVZRSpinLock lock;
    long counter = 0;
    const int kThreads = 4, kRounds = 200000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                CVZRScopedSpinLock hold(lock);
                counter = counter + 1;
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ((long)kThreads * kRounds, counter);
}

TEST(SkinColorTable, PassesColoursThroughAndKeepsOverrides)
{
    CVZRColorTable& table = CVZRColorTable::Instance();
    EXPECT_EQ(table.GetColor(0x123456), 0x123456u);
    EXPECT_EQ(table.GetColor(63), 63u);
    table.SetOverride(40, RGB(1, 2, 3));
    table.RefreshColors();
    EXPECT_EQ(table.GetColor(40), RGB(1, 2, 3));
    EXPECT_EQ(table.GetColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(CVZRColorTable::Blend(RGB(200, 0, 100), RGB(0, 200, 100), 50), RGB(100, 100, 100));
    EXPECT_EQ(CVZRColorTable::Blend(RGB(255, 0, 0), RGB(0, 0, 0), 215), RGB(55, 0, 0));
    CVZRColorTable::SetDepthForTest(8);
    EXPECT_TRUE(CVZRColorTable::IsLowColor(NULL));
    CVZRColorTable::SetDepthForTest(0);
}

TEST(SkinColorTable, TakesTheTreeViewBorderOfAThemedApplication)
{
    // Before the first theme call of the process, which binds the library.
    CVZRUxThemeBinding::SetModuleNameForTest("ThemedStandIn.dll");
    CVZRColorTable& table = CVZRColorTable::Instance();
    EXPECT_EQ(table.GetColor(57), RGB(1, 99, 201));
    table.RefreshColors();
    EXPECT_EQ(table.GetColor(57), RGB(1, 99, 201));
}

TEST(SkinEngine, AReorderRedrawsBorderedFramesAndThe9xRulesFollowTheFlag)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    RegisterWindowClass("SkinPlainProc", CountingProc);
    HWND framed = MakeWindow("SkinPlainProc", WS_OVERLAPPEDWINDOW);
    HWND bare = MakeWindow("SkinPlainProc", WS_POPUP);
    // Wine sends no reorder events: the procedure is called as the system would.
    SkinWinEventProc(NULL, 0x8004, framed, 0, 0, 0, 0);
    SkinWinEventProc(NULL, 0x8004, bare, 0, 0, 0, 0);
    EXPECT_TRUE(KillTimer(framed, kNonClientResetTimer));
    EXPECT_FALSE(KillTimer(bare, kNonClientResetTimer));

    CVZRSkinObject* object = engine->FindSkinObject(framed);
    ASSERT_TRUE(object != NULL);
    EXPECT_TRUE(object->HandledInDefProc(WM_NCPAINT));  // the program's own procedure
    EXPECT_FALSE(object->HandledInDefProc(WM_TIMER));
    engine->SetWin9x(TRUE);
    EXPECT_TRUE(object->HandledInDefProc(WM_NCPAINT));  // below the system's addresses
    engine->SetWin9x(FALSE);
    HWND button = MakeWindow("Button", WS_CHILD, framed);
    EXPECT_FALSE(engine->FindSkinObject(button)->HandledInDefProc(WM_NCPAINT));  // a system procedure
    DestroyWindow(framed);
    DestroyWindow(bare);
}

TEST(SkinEngine, MessagesReachThePreviousProcedureInTheWindowsCharacterSet)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    RegisterWindowClass("SkinAnsiText", AnsiTextProc);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WideTextProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = L"SkinWideText";
    RegisterClassW(&wc);
    RegisterWindowClass("SkinThunkText", MakeThunk(AnsiTextProc));
    HWND ansi = MakeWindow("SkinAnsiText");
    HWND wide = CreateWindowExW(0, L"SkinWideText", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    HWND thunk = MakeWindow("SkinThunkText");
    for (HWND hwnd : {ansi, wide, thunk}) {
        ASSERT_TRUE(engine->FindSkinObject(hwnd) != NULL);
        ASSERT_EQ(IsWindowUnicode(hwnd) ? (WNDPROC)GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                        : (WNDPROC)GetWindowLongPtrA(hwnd, GWLP_WNDPROC),
                  SkinObjectWindowProc);
        EXPECT_EQ(SendMessageA(hwnd, WM_USER, 40, 2), 42);
    }
    // Code of the program is called as it is; a procedure in allocated memory through the system.
    EXPECT_TRUE(engine->FindSkinObject(ansi)->CallsPrevDirectly());
    EXPECT_TRUE(engine->FindSkinObject(wide)->CallsPrevDirectly());
    EXPECT_FALSE(engine->FindSkinObject(thunk)->CallsPrevDirectly());

    const WCHAR summer[] = {0x00E9, 't', 0x00E9, 0};
    SendMessageW(ansi, WM_SETTEXT, 0, (LPARAM)summer);
    EXPECT_STREQ(g_ansiText, "\xE9t\xE9");
    SendMessageA(wide, WM_SETTEXT, 0, (LPARAM) "\xE9t\xE9");
    EXPECT_EQ(std::wstring(g_wideText), std::wstring(summer));
    g_ansiText[0] = 0;
    SendMessageW(thunk, WM_SETTEXT, 0, (LPARAM)summer);
    EXPECT_STREQ(g_ansiText, "\xE9t\xE9");
    DestroyWindow(ansi);
    DestroyWindow(wide);
    DestroyWindow(thunk);
}

TEST(SkinEngine, AProgramProcedureCalledThroughCallWindowProcHandlesItsMessagesEveryTime)
{
    CVZRSkinEngine* engine = GetSkinEngine();
    ASSERT_TRUE(engine->LoadSkin(SolidPackage().c_str(), "Solid.ini"));
    RegisterWindowClass("SkinPlainProc", CountingProc);
    HWND hwnd = MakeWindow("SkinPlainProc");
    ASSERT_TRUE(engine->FindSkinObject(hwnd) != NULL);
    // Through the replaced CallWindowProcA: the skin answers the state query
    // itself unless a procedure of the program gets it.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CallWindowProcA(OwnProcA, hwnd, WM_SKINFRAMEWORK_QUERYSTATE, 0, 0), 7);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CallWindowProcA(OwnProcB, hwnd, WM_SKINFRAMEWORK_QUERYSTATE, 0, 0), 8);
    EXPECT_EQ(CallWindowProcA(OwnProcA, hwnd, WM_SKINFRAMEWORK_QUERYSTATE, 0, 0), 7);
    EXPECT_EQ(g_ownCallsA, 4);
    EXPECT_EQ(g_ownCallsB, 3);
    DestroyWindow(hwnd);
}
