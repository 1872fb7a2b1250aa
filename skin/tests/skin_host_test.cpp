// A host program that binds ozSkin.dll by name as the studio does. Every
// test case runs in its own process: a skin, once started, stays.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "skin/engine/SkinApi.h"
#include "skin/tests/SkinHostSupport.h"

// Built twice: with a comctl32 version 6 manifest and without.
#ifdef SKIN_HOST_MANIFEST
#define HOST_SUITE SkinHostV6
#else
#define HOST_SUITE SkinHost
#endif
#define HOST_TEST_(suite, name) TEST(suite, name)
#define HOST_TEST(name) HOST_TEST_(HOST_SUITE, name)

namespace {

// The compiler keeps an imported function's address once read: calls that
// must see a patched import table go through these, one read each.
#define FRESH __attribute__((noinline))
FRESH DWORD SysColor(int index)
{
    return GetSysColor(index);
}
FRESH HBRUSH SysColorBrush(int index) { return GetSysColorBrush(index); }
FRESH BOOL DeleteGdi(HGDIOBJ object) { return DeleteObject(object); }
FRESH FARPROC ProcAddress(HMODULE module, const char* name) { return GetProcAddress(module, name); }
FRESH HMODULE ModuleHandle(const char* name) { return GetModuleHandleA(name); }
FRESH HMODULE Load(const char* name) { return LoadLibraryA(name); }
FRESH HMODULE LoadEx(const char* name, DWORD flags) { return LoadLibraryExA(name, NULL, flags); }
FRESH ATOM Register(const WNDCLASSA* wc) { return RegisterClassA(wc); }
FRESH HANDLE Thread(LPTHREAD_START_ROUTINE start, void* parameter)
{
    return CreateThread(NULL, 0, start, parameter, 0, NULL);
}

using skinhost::BinDir;
using skinhost::PackagesDir;

struct Skin {
    HMODULE module = NULL;
    ThemeStartProc start = NULL;
    ThemeEndProc end = NULL;
    Skin()
    {
        module = LoadLibraryA((BinDir() + "\\ozSkin.dll").c_str());
        start = (ThemeStartProc)(void*)GetProcAddress(module, "ThemeStart");
        end = (ThemeEndProc)(void*)GetProcAddress(module, "ThemeEnd");
    }
    BOOL Start(const std::string& path, const char* ini = "NormalBlue.ini") { return start(path.c_str(), ini); }
    BOOL StartThemeUI() { return Start(BinDir() + "\\ThemeUI.dll"); }
    BOOL StartSolid() { return Start(PackagesDir() + "\\SolidPackage.dll", "Solid.ini"); }
};

HMODULE AllocationBase(const void* address)
{
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(address, &info, sizeof(info)))
        return NULL;
    return (HMODULE)info.AllocationBase;
}

HMODULE ProcedureModule(HWND hwnd)
{
    LONG_PTR proc = IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    return AllocationBase((const void*)proc);
}

// The import address table entry of dll!function in module, read from its headers.
void* ImportEntry(HMODULE module, const char* dll, const char* function)
{
    BYTE* base = (BYTE*)module;
    IMAGE_NT_HEADERS* nt = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR_MAGIC, nt->OptionalHeader.Magic);  // PE32 or PE32+, as the process
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return NULL;
    for (IMAGE_IMPORT_DESCRIPTOR* d = (IMAGE_IMPORT_DESCRIPTOR*)(base + dir.VirtualAddress); d->Name; ++d) {
        if (_stricmp((const char*)base + d->Name, dll) != 0)
            continue;
        IMAGE_THUNK_DATA* names =
            (IMAGE_THUNK_DATA*)(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
        IMAGE_THUNK_DATA* iat = (IMAGE_THUNK_DATA*)(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++iat) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* byName = (IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData);
            if (strcmp((const char*)byName->Name, function) == 0)
                return (void*)(UINT_PTR)iat->u1.Function;
        }
    }
    return NULL;
}

// Asked before the skin starts: afterwards GetProcAddress gives the replacements.
FRESH void* RealFunction(const char* dll, const char* function)
{
    return (void*)GetProcAddress(GetModuleHandleA(dll), function);
}

HMODULE ProcedureModule(HWND hwnd);

HWND MakeWindow(const char* className, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = NULL)
{
    return CreateWindowExA(0, className, "", style, 0, 0, 200, 100, parent, NULL, GetModuleHandleA(NULL), NULL);
}

FRESH COLORREF FilledPixel(HBRUSH brush)
{
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r = {0, 0, 4, 4};
    FillRect(dc, &r, brush);
    COLORREF pixel = GetPixel(dc, 1, 1);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    return pixel;
}

std::vector<UINT> g_log;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_log.push_back(msg);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::vector<UINT> RecordWindowLife()
{
    g_log.clear();
    HWND hwnd = MakeWindow("SkinRecording");
    SendMessageA(hwnd, WM_SETTEXT, 0, (LPARAM) "text");
    SetWindowPos(hwnd, NULL, 10, 10, 150, 90, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(hwnd, WM_USER + 5, 1, 2);
    DestroyWindow(hwnd);
    return g_log;
}

DWORD WINAPI ThreadMakingAButton(LPVOID result)
{
    HWND hwnd = MakeWindow("Button");
    *static_cast<HMODULE*>(result) = ProcedureModule(hwnd);
    DestroyWindow(hwnd);
    return 7;
}

// Registered names are found by trying every registered format's number.
bool ClipboardFormatRegistered(const char* name)
{
    for (UINT format = 0xC000; format <= 0xFFFF; ++format) {
        char seen[64] = "";
        if (GetClipboardFormatNameA(format, seen, sizeof(seen)) > 0 && strcmp(seen, name) == 0)
            return true;
    }
    return false;
}
}  // namespace

HOST_TEST(LoadingRefusesBadPackagesAndEndChangesNothing)
{
    Skin skin;
    ASSERT_TRUE(skin.start && skin.end);
    EXPECT_EQ(skin.end(), FALSE);
    const DWORD window = SysColor(COLOR_WINDOW);
    void* realGetSysColor = RealFunction("user32", "GetSysColor");
    EXPECT_EQ(skin.Start(""), FALSE);
    EXPECT_EQ(skin.Start(BinDir() + "\\no_such_package.dll"), FALSE);
    EXPECT_EQ(skin.Start(BinDir() + "\\ThemeUI.dll", "NoSuchScheme.ini"), FALSE);
    EXPECT_EQ(SysColor(COLOR_WINDOW), window);
    EXPECT_EQ(ImportEntry(ModuleHandle(NULL), "USER32.dll", "GetSysColor"), realGetSysColor);
    EXPECT_EQ(skin.StartThemeUI(), TRUE);
    EXPECT_NE(ImportEntry(ModuleHandle(NULL), "USER32.dll", "GetSysColor"), realGetSysColor);
    EXPECT_EQ(skin.end(), FALSE);
    EXPECT_NE(ImportEntry(ModuleHandle(NULL), "USER32.dll", "GetSysColor"), realGetSysColor);
}

HOST_TEST(LoadingRegistersTheImageClipboardFormats)
{
    Skin skin;
    ASSERT_TRUE(skin.module);
    EXPECT_TRUE(ClipboardFormatRegistered("Vorlex ToolBar Image"));
    EXPECT_TRUE(ClipboardFormatRegistered("Alpha Bitmap Image"));
}

HOST_TEST(ColoursComeFromTheThemeAndAFailedReloadRestoresTheSystem)
{
    Skin skin;
    const DWORD systemWindow = SysColor(COLOR_WINDOW);
    void* realGetSysColor = RealFunction("user32", "GetSysColor");
    void* realFillRect = RealFunction("user32", "FillRect");
    ASSERT_EQ(skin.StartSolid(), TRUE);
    EXPECT_EQ(SysColor(COLOR_WINDOW), RGB(4, 5, 6));
    EXPECT_EQ(SysColor(COLOR_BTNFACE), RGB(11, 12, 13));
    HBRUSH brush = SysColorBrush(COLOR_WINDOW);
    EXPECT_EQ(FilledPixel(brush), RGB(4, 5, 6));
    EXPECT_EQ(FilledPixel((HBRUSH)(COLOR_WINDOW + 1)), RGB(4, 5, 6));
    EXPECT_FALSE(DeleteGdi(brush));
    EXPECT_EQ(FilledPixel(brush), RGB(4, 5, 6));

    // A failed reload: system colours and the host's import table come back.
    EXPECT_EQ(skin.Start(PackagesDir() + "\\missing.dll"), FALSE);
    EXPECT_EQ(SysColor(COLOR_WINDOW), systemWindow);
    EXPECT_EQ(ImportEntry(ModuleHandle(NULL), "USER32.dll", "GetSysColor"), realGetSysColor);
    EXPECT_EQ(ImportEntry(ModuleHandle(NULL), "USER32.dll", "FillRect"), realFillRect);
}

HOST_TEST(EveryModuleButTheExcludedIsPatched)
{
    Skin skin;
    HMODULE shell32 = Load("shell32.dll");
    HMODULE comctl32 = Load("comctl32.dll");
    HMODULE zavofw = ModuleHandle("zavofw.dll");
    HMODULE gdi32 = ModuleHandle("gdi32.dll");
    ASSERT_TRUE(shell32 && comctl32 && zavofw && gdi32);
    void* real = RealFunction("user32", "DefWindowProcA");
    void* realGetSysColor = RealFunction("user32", "GetSysColor");
    void* realDrawEdge = RealFunction("user32", "DrawEdge");
    void* realGetProcAddress = RealFunction("kernel32", "GetProcAddress");
    ASSERT_EQ(ImportEntry(shell32, "user32.dll", "GetSysColor"), realGetSysColor);
    ASSERT_EQ(ImportEntry(shell32, "user32.dll", "DrawEdge"), realDrawEdge);
    ASSERT_EQ(ImportEntry(gdi32, "kernel32.dll", "GetProcAddress"), realGetProcAddress);
    ASSERT_EQ(skin.StartSolid(), TRUE);
    EXPECT_NE(ImportEntry(ModuleHandle(NULL), "USER32.dll", "DefWindowProcA"), real);
    EXPECT_NE(ImportEntry(zavofw, "USER32.dll", "DefWindowProcA"), real);
    // System libraries lead to the skin's colour and edge functions too.
    EXPECT_EQ(AllocationBase(ImportEntry(shell32, "user32.dll", "GetSysColor")), skin.module);
    EXPECT_EQ(AllocationBase(ImportEntry(shell32, "user32.dll", "DrawEdge")), skin.module);
    if (void* entry = ImportEntry(comctl32, "user32.dll", "GetSysColor"))
        EXPECT_EQ(AllocationBase(entry), skin.module);
    // The excluded ones keep the system's functions.
    EXPECT_EQ(ImportEntry(gdi32, "kernel32.dll", "GetProcAddress"), realGetProcAddress);

    // A library loaded later is patched; loaded as data it is not touched.
    std::string gorvanel = BinDir() + "\\Gorvanel.dll";
    HMODULE data = LoadEx(gorvanel.c_str(), LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(data != NULL);
    FreeLibrary(data);
    HMODULE later = Load(gorvanel.c_str());
    ASSERT_TRUE(later != NULL);
    EXPECT_NE(ImportEntry(later, "USER32.dll", "DefWindowProcA"), real);
    HMODULE help = Load("hhctrl.ocx");
    ASSERT_TRUE(help != NULL);
    void* helpEntry = ImportEntry(help, "user32.dll", "GetSysColor");
    ASSERT_TRUE(helpEntry != NULL);
    EXPECT_EQ(AllocationBase(helpEntry), skin.module);
    // An excluded library loaded later is left as the system made it.
    HMODULE wininet = Load("wininet.dll");
    ASSERT_TRUE(wininet != NULL);
    EXPECT_EQ(ImportEntry(wininet, "kernel32.dll", "GetProcAddress"), realGetProcAddress);
}

HOST_TEST(ThemeFunctionsFromThePseudoHandleAndTheRealModule)
{
    Skin skin;
    HMODULE realUx = Load("uxtheme.dll");
    ASSERT_TRUE(realUx != NULL);
    FARPROC realOpen = ProcAddress(realUx, "OpenThemeData");
    ASSERT_EQ(skin.StartSolid(), TRUE);
    HMODULE pseudo = ModuleHandle("UXTHEME.DLL");
    EXPECT_EQ((UINT_PTR)pseudo, 0x021FFFF1u);
    typedef HANDLE(WINAPI * OpenFn)(HWND, LPCWSTR);
    typedef HRESULT(WINAPI * ColorFn)(HANDLE, int, int, int, COLORREF*);
    typedef BOOL(WINAPI * SysBoolFn)(HANDLE, int);
    typedef COLORREF(WINAPI * SysColorFn)(HANDLE, int);
    OpenFn open = (OpenFn)(void*)ProcAddress(pseudo, "OpenThemeData");
    ASSERT_TRUE(open != NULL);
    EXPECT_EQ(AllocationBase((void*)open), skin.module);
    EXPECT_EQ(ProcAddress(realUx, "OpenThemeData"), realOpen);
    EXPECT_EQ(AllocationBase((void*)ProcAddress(realUx, "OpenThemeData")), realUx);
    // A name the skin does not replace comes from the real module.
    FARPROC other = ProcAddress(pseudo, "GetThemeFont");
    if (other != NULL)
        EXPECT_EQ(AllocationBase((void*)other), realUx);

    HANDLE theme = open(NULL, L"Button");
    ASSERT_TRUE(theme != NULL);
    ColorFn color = (ColorFn)(void*)ProcAddress(pseudo, "GetThemeColor");
    COLORREF c = 0;
    EXPECT_EQ(color((HANDLE)0x1234, 1, 1, 3803, &c), E_FAIL);
    SysBoolFn sysBool = (SysBoolFn)(void*)ProcAddress(pseudo, "GetThemeSysBool");
    EXPECT_EQ(sysBool(NULL, 5999), FALSE);
    SysColorFn sysColor = (SysColorFn)(void*)ProcAddress(pseudo, "GetThemeSysColor");
    EXPECT_EQ(sysColor(NULL, 1601 + COLOR_WINDOW), RGB(4, 5, 6));
    EXPECT_EQ(sysColor(NULL, 12), COLORREF(-1));

    // After a failed reload the old handle is no theme class any more.
    EXPECT_EQ(skin.Start(PackagesDir() + "\\missing.dll"), FALSE);
    EXPECT_EQ(color(theme, 1, 1, 3803, &c), E_FAIL);
}

HOST_TEST(NewWindowsGetTheSkinsProcedure)
{
    Skin skin;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_PAGESCROLLER_CLASS};
    InitCommonControlsEx(&icc);
    void* realDefWindowProc = RealFunction("user32", "DefWindowProcA");
    ASSERT_EQ(skin.StartThemeUI(), TRUE);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = ModuleHandle(NULL);
    wc.lpszClassName = "SkinUnknownClass";
    ASSERT_TRUE(Register(&wc));
    // Registered with the replacement as procedure, the class gets the real one.
    WNDCLASSA back = {};
    ASSERT_TRUE(GetClassInfoA(wc.hInstance, "SkinUnknownClass", &back));
    EXPECT_EQ((void*)back.lpfnWndProc, realDefWindowProc);

    HWND top = MakeWindow("SkinUnknownClass");
    ASSERT_TRUE(top != NULL);
    EXPECT_EQ(ProcedureModule(top), skin.module);
    for (const char* name : {"Button", "Edit", "ListBox", "SysTreeView32", "msctls_progress32"}) {
        HWND child = MakeWindow(name, WS_CHILD, top);
        ASSERT_TRUE(child != NULL) << name;
        EXPECT_EQ(ProcedureModule(child), skin.module) << name;
    }
    for (const char* name : {"tooltips_class32", "SysPager"}) {
        HWND child = MakeWindow(name, name[0] == 't' ? WS_POPUP : WS_CHILD, top);
        ASSERT_TRUE(child != NULL) << name;
        EXPECT_NE(ProcedureModule(child), skin.module) << name;
    }
    DestroyWindow(top);
}

HOST_TEST(ThreadsMadeByCreateThreadGetSkinnedWindows)
{
    Skin skin;
    ASSERT_EQ(skin.StartThemeUI(), TRUE);
    HMODULE module = NULL;
    HANDLE thread = Thread(ThreadMakingAButton, &module);
    ASSERT_TRUE(thread != NULL);
    WaitForSingleObject(thread, 10000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(module, skin.module);
}

HOST_TEST(ADisabledSkinPassesMessagesUnchanged)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = ModuleHandle(NULL);
    wc.lpszClassName = "SkinRecording";
    ASSERT_TRUE(Register(&wc));
    std::vector<UINT> plain = RecordWindowLife();
    Skin skin;
    ASSERT_EQ(skin.Start(PackagesDir() + "\\missing.dll"), FALSE);
    std::vector<UINT> passive = RecordWindowLife();
    EXPECT_EQ(passive, plain);
}

HOST_TEST(ExitWithSkinnedWindowsOpenGivesZero)
{
    if (getenv("SKIN_HOST_CHILD") != NULL) {
        Skin skin;
        ASSERT_EQ(skin.StartThemeUI(), TRUE);
        HWND top = MakeWindow("Static", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        for (const char* name : {"Button", "Edit", "ListBox", "ComboBox"})
            MakeWindow(name, WS_CHILD | WS_VISIBLE, top);
        UpdateWindow(top);
        return;  // the process ends with them open
    }
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, sizeof(exe));
    std::string cmd = std::string("\"") + exe + "\" --gtest_filter=" + info->test_suite_name() + "." + info->name();
    SetEnvironmentVariableA("SKIN_HOST_CHILD", "1");
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    SetEnvironmentVariableA("SKIN_HOST_CHILD", NULL);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 999;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);
}
