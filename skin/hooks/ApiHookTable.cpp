#include "skin/hooks/ApiHookTable.h"

#include <cstring>
#include <new>

#include "framework/Wnd.h"
#include "skin/draw/SkinEdge.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/engine/SkinEngine.h"
#include "skin/objects/SkinObjectFrame.h"
#include "skin/hooks/ModuleEnumerator.h"
#include "skin/hooks/RealApi.h"
#include "skin/objects/SkinObject.h"
#include "skin/theme/SchemaTables.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemePackage.h"
#include "skin/theme/ThemeSchema.h"

namespace {

typedef HANDLE HTHEME_T;

enum Slot {
    kLoadLibraryA = 0,
    kLoadLibraryW = 1,
    kLoadLibraryExA = 2,
    kLoadLibraryExW = 3,
    kGetProcAddress = 4,
    kGetModuleHandleA = 5,
    kRegisterClassA = 6,
    kRegisterClassW = 7,
    kGetSysColor = 8,
    kGetSysColorBrush = 9,
    kDrawEdge = 10,
    kDrawFrameControl = 11,
    kSetScrollInfo = 12,
    kSetScrollPos = 13,
    kGetScrollInfo = 14,
    kEnableScrollBar = 15,
    kOpenThemeData = 16,
    kDrawThemeBackground = 17,
    kCloseThemeData = 18,
    kGetThemeColor = 19,
    kIsAppThemed = 20,
    kIsThemeActive = 21,
    kGetCurrentThemeName = 22,
    kGetThemeSysBool = 23,
    kGetThemeSysColor = 24,
    kGetThemePartSize = 25,
    kSystemParametersInfoA = 26,
    kDefWindowProcA = 27,
    kDefWindowProcW = 28,
    kDefMDIChildProcA = 29,
    kDefMDIChildProcW = 30,
    kDefFrameProcA = 31,
    kDefFrameProcW = 32,
    kDefDlgProcA = 33,
    kDefDlgProcW = 34,
    kCallWindowProcA = 35,
    kCallWindowProcW = 36,
    kCreateThread = 37,
    kFillRect = 38,
    kDeleteObject = 39,
    kAdjustWindowRectEx = 40,
    kDrawStateA = 41,
    kDrawStateW = 42
};

const char kKernel32[] = "KERNEL32.DLL";
const char kUser32[] = "USER32.DLL";
const char kGdi32[] = "GDI32.DLL";
const char kUxTheme[] = "UXTHEME.DLL";

struct SlotInfo {
    const char* module;
    const char* function;
};

const SlotInfo kSlots[kHookSlotCount] = {
    {kKernel32, "LoadLibraryA"},
    {kKernel32, "LoadLibraryW"},
    {kKernel32, "LoadLibraryExA"},
    {kKernel32, "LoadLibraryExW"},
    {kKernel32, "GetProcAddress"},
    {kKernel32, "GetModuleHandleA"},
    {kUser32, "RegisterClassA"},
    {kUser32, "RegisterClassW"},
    {kUser32, "GetSysColor"},
    {kUser32, "GetSysColorBrush"},
    {kUser32, "DrawEdge"},
    {kUser32, "DrawFrameControl"},
    {kUser32, "SetScrollInfo"},
    {kUser32, "SetScrollPos"},
    {kUser32, "GetScrollInfo"},
    {kUser32, "EnableScrollBar"},
    {kUxTheme, "OpenThemeData"},
    {kUxTheme, "DrawThemeBackground"},
    {kUxTheme, "CloseThemeData"},
    {kUxTheme, "GetThemeColor"},
    {kUxTheme, "IsAppThemed"},
    {kUxTheme, "IsThemeActive"},
    {kUxTheme, "GetCurrentThemeName"},
    {kUxTheme, "GetThemeSysBool"},
    {kUxTheme, "GetThemeSysColor"},
    {kUxTheme, "GetThemePartSize"},
    {kUser32, "SystemParametersInfoA"},
    {kUser32, "DefWindowProcA"},
    {kUser32, "DefWindowProcW"},
    {kUser32, "DefMDIChildProcA"},
    {kUser32, "DefMDIChildProcW"},
    {kUser32, "DefFrameProcA"},
    {kUser32, "DefFrameProcW"},
    {kUser32, "DefDlgProcA"},
    {kUser32, "DefDlgProcW"},
    {kUser32, "CallWindowProcA"},
    {kUser32, "CallWindowProcW"},
    {kKernel32, "CreateThread"},
    {kUser32, "FillRect"},
    {kGdi32, "DeleteObject"},
    {kUser32, "AdjustWindowRectEx"},
    {kUser32, "DrawStateA"},
    {kUser32, "DrawStateW"},
};

// The system functions of every slot, bound before any patching.
struct RealSlots {
    FARPROC proc[kHookSlotCount];
    RealSlots()
    {
        for (int i = 0; i < kHookSlotCount; ++i) {
            HMODULE module = RealApi().GetModuleHandleA(kSlots[i].module);
            proc[i] = module ? RealApi().GetProcAddress(module, kSlots[i].function) : NULL;
        }
    }
};

const RealSlots& Reals()
{
    static const RealSlots reals;
    return reals;
}
const RealSlots& g_realsAtLoad = Reals();

template <typename T>
T Original(int slot)
{
    CVZRApiHookTable* table = CVZRApiHookTable::Peek();
    FARPROC proc = table ? table->GetOriginalProc(slot) : NULL;
    if (proc == NULL)
        proc = Reals().proc[slot];
    return reinterpret_cast<T>(reinterpret_cast<void*>(proc));
}

CVZRSkinEngine* EnabledEngine()
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    return engine && engine->IsEnabled() ? engine : NULL;
}

UINT_PTR HighestAppAddress()
{
    static const UINT_PTR highest = [] {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        return reinterpret_cast<UINT_PTR>(info.lpMaximumApplicationAddress);
    }();
    return highest;
}

bool IsReadable(const void* address, size_t size)
{
    MEMORY_BASIC_INFORMATION info;
    if (address == NULL || ::VirtualQuery(address, &info, sizeof(info)) == 0 || info.State != MEM_COMMIT ||
        (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0)
        return false;
    return static_cast<const char*>(address) + size <= static_cast<const char*>(info.BaseAddress) + info.RegionSize;
}

// A shared 9x stub (push imm32 ...) stands for the address it pushes; such
// stubs exist only in 32-bit Windows.
FARPROC ResolveStub(FARPROC proc)
{
#ifndef _WIN64
    const unsigned char* p = reinterpret_cast<const unsigned char*>(proc);
    if (proc != NULL && reinterpret_cast<UINT_PTR>(proc) > HighestAppAddress() && IsReadable(p, 5) && p[0] == 0x68)
        return reinterpret_cast<FARPROC>(static_cast<UINT_PTR>(*reinterpret_cast<const DWORD*>(p + 1)));
#endif
    return proc;
}

HMODULE AllocationBase(const void* address)
{
    MEMORY_BASIC_INFORMATION info;
    if (address == NULL || ::VirtualQuery(address, &info, sizeof(info)) == 0)
        return NULL;
    return static_cast<HMODULE>(info.AllocationBase);
}

// The file name of a module after its last backslash.
void ModuleBaseName(HMODULE module, char* out, size_t size)
{
    char path[MAX_PATH] = "";
    out[0] = 0;
    if (::GetModuleFileNameA(module, path, sizeof(path)) == 0)
        return;
    const char* slash = strrchr(path, '\\');
    lstrcpynA(out, slash ? slash + 1 : path, int(size));
}

// The import descriptors of a loaded image of this process's kind (PE32 in a
// 32-bit process, PE32+ in a 64-bit one), and the extent of the image, which
// the loader maps whole: what lies inside it can be read without asking the
// system for each entry.
struct ImportView {
    BYTE* base = NULL;
    size_t size = 0;
    IMAGE_IMPORT_DESCRIPTOR* first = NULL;
    bool Holds(const void* p, size_t n) const
    {
        const BYTE* b = static_cast<const BYTE*>(p);
        return b >= base && n <= size && size_t(b - base) <= size - n;
    }
};

ImportView ImportDirectory(HMODULE module)
{
    ImportView view;
    BYTE* base = reinterpret_cast<BYTE*>(module);
    if (!IsReadable(base, sizeof(IMAGE_DOS_HEADER)))
        return view;
    IMAGE_DOS_HEADER* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0 || dos->e_lfanew > 0x10000)
        return view;
    IMAGE_NT_HEADERS* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (!IsReadable(nt, sizeof(*nt)) || nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC ||
        nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return view;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const size_t size = nt->OptionalHeader.SizeOfImage;
    MEMORY_BASIC_INFORMATION info;
    if (dir.VirtualAddress == 0 || dir.Size == 0 || dir.VirtualAddress >= size ||
        ::VirtualQuery(base, &info, sizeof(info)) == 0 || info.AllocationBase != base || info.Type != MEM_IMAGE)
        return view;
    view.base = base;
    view.size = size;
    view.first = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    return view;
}

struct ThreadStart {
    LPTHREAD_START_ROUTINE routine;
    LPVOID parameter;
};

DWORD WINAPI ThreadStartWrapper(LPVOID block)
{
    ThreadStart start = *static_cast<ThreadStart*>(block);
    delete static_cast<ThreadStart*>(block);
    if (CVZRSkinEngine* engine = PeekSkinEngine())
        engine->InstallThreadHook();
    return start.routine(start.parameter);
}

// ---- replacements ----

HMODULE WINAPI Hook_LoadLibraryA(LPCSTR name)
{
    HMODULE module = Original<HMODULE(WINAPI*)(LPCSTR)>(kLoadLibraryA)(name);
    if (CVZRApiHookTable* table = CVZRApiHookTable::Peek())
        table->OnModuleLoaded(module, 0);
    return module;
}

HMODULE WINAPI Hook_LoadLibraryW(LPCWSTR name)
{
    HMODULE module = Original<HMODULE(WINAPI*)(LPCWSTR)>(kLoadLibraryW)(name);
    if (CVZRApiHookTable* table = CVZRApiHookTable::Peek())
        table->OnModuleLoaded(module, 0);
    return module;
}

HMODULE WINAPI Hook_LoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags)
{
    HMODULE module = Original<HMODULE(WINAPI*)(LPCSTR, HANDLE, DWORD)>(kLoadLibraryExA)(name, file, flags);
    if (CVZRApiHookTable* table = CVZRApiHookTable::Peek())
        table->OnModuleLoaded(module, flags);
    return module;
}

HMODULE WINAPI Hook_LoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags)
{
    HMODULE module = Original<HMODULE(WINAPI*)(LPCWSTR, HANDLE, DWORD)>(kLoadLibraryExW)(name, file, flags);
    if (CVZRApiHookTable* table = CVZRApiHookTable::Peek())
        table->OnModuleLoaded(module, flags);
    return module;
}

FARPROC WINAPI Hook_GetProcAddress(HMODULE module, LPCSTR name)
{
    typedef FARPROC(WINAPI * Fn)(HMODULE, LPCSTR);
    Fn real = Original<Fn>(kGetProcAddress);
    if (reinterpret_cast<UINT_PTR>(name) < 0xFFFF)
        return real(module, name);
    CVZRApiHookTable* table = CVZRApiHookTable::Peek();
    if (reinterpret_cast<UINT_PTR>(module) == kUxThemePseudoHandle) {
        if (const CVZRHookEntry* entry = table ? table->FindEntry(kUxTheme, name) : NULL)
            return entry->m_pfnReplacement;
        // Anything else the program asks of the pseudo handle comes from the real module.
        HMODULE uxtheme = RealApi().LoadLibraryA("uxtheme.dll");
        return uxtheme ? real(uxtheme, name) : NULL;
    }
    char base[MAX_PATH];
    ModuleBaseName(module, base, sizeof(base));
    if (base[0] == 0 || _stricmp(base, "UxTheme.dll") == 0)
        return real(module, name);
    if (const CVZRHookEntry* entry = table ? table->FindEntry(base, name) : NULL)
        return entry->m_pfnReplacement;
    return real(module, name);
}

HMODULE WINAPI Hook_GetModuleHandleA(LPCSTR name)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    if (name != NULL && _stricmp(name, "UxTheme.dll") == 0 && engine && (engine->GetSkinOptions() & kApplyColors))
        return reinterpret_cast<HMODULE>(kUxThemePseudoHandle);
    return Original<HMODULE(WINAPI*)(LPCSTR)>(kGetModuleHandleA)(name);
}

HANDLE WINAPI Hook_CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack, LPTHREAD_START_ROUTINE routine,
                                LPVOID parameter, DWORD flags, LPDWORD id)
{
    typedef HANDLE(WINAPI * Fn)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
    Fn real = Original<Fn>(kCreateThread);
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine == NULL || !engine->GetThreadHookFlag() || routine == NULL)
        return real(security, stack, routine, parameter, flags, id);
    ThreadStart* block = new (std::nothrow) ThreadStart{routine, parameter};
    if (block == NULL)
        return real(security, stack, routine, parameter, flags, id);
    HANDLE thread = real(security, stack, ThreadStartWrapper, block, flags, id);
    if (thread == NULL)
        delete block;
    return thread;
}

LRESULT WINAPI Hook_DefWindowProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefWindowProcW(HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefFrameProcA(HWND, HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefFrameProcW(HWND, HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefMDIChildProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefMDIChildProcW(HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefDlgProcA(HWND, UINT, WPARAM, LPARAM);
LRESULT WINAPI Hook_DefDlgProcW(HWND, UINT, WPARAM, LPARAM);

// The real default procedure a replacement stands for, of one width.
FARPROC RealDefProc(const void* proc, bool wide)
{
    struct Pair {
        const void* hook;
        int slot;
    };
    const Pair ansi[] = {{(const void*)Hook_DefWindowProcA, kDefWindowProcA},
                         {(const void*)Hook_DefFrameProcA, kDefFrameProcA},
                         {(const void*)Hook_DefMDIChildProcA, kDefMDIChildProcA},
                         {(const void*)Hook_DefDlgProcA, kDefDlgProcA}};
    const Pair unicode[] = {{(const void*)Hook_DefWindowProcW, kDefWindowProcW},
                            {(const void*)Hook_DefFrameProcW, kDefFrameProcW},
                            {(const void*)Hook_DefMDIChildProcW, kDefMDIChildProcW},
                            {(const void*)Hook_DefDlgProcW, kDefDlgProcW}};
    for (const Pair& p : wide ? unicode : ansi) {
        if (p.hook == proc)
            return Original<FARPROC>(p.slot);
    }
    return NULL;
}

ATOM WINAPI Hook_RegisterClassA(const WNDCLASSA* wc)
{
    typedef ATOM(WINAPI * Fn)(const WNDCLASSA*);
    Fn real = Original<Fn>(kRegisterClassA);
    FARPROC proc = wc ? RealDefProc(reinterpret_cast<const void*>(wc->lpfnWndProc), false) : NULL;
    if (proc == NULL)
        return real(wc);
    WNDCLASSA copy = *wc;
    copy.lpfnWndProc = reinterpret_cast<WNDPROC>(proc);
    return real(&copy);
}

ATOM WINAPI Hook_RegisterClassW(const WNDCLASSW* wc)
{
    typedef ATOM(WINAPI * Fn)(const WNDCLASSW*);
    Fn real = Original<Fn>(kRegisterClassW);
    FARPROC proc = wc ? RealDefProc(reinterpret_cast<const void*>(wc->lpfnWndProc), true) : NULL;
    if (proc == NULL)
        return real(wc);
    WNDCLASSW copy = *wc;
    copy.lpfnWndProc = reinterpret_cast<WNDPROC>(proc);
    return real(&copy);
}

DWORD WINAPI Hook_GetSysColor(int index)
{
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine && index >= 0 && index <= 30) {
        COLORREF colour = engine->GetMetrics()->GetSkinColor(index);
        if (colour != COLORREF(-1))
            return colour;
    }
    return Original<DWORD(WINAPI*)(int)>(kGetSysColor)(index);
}

HBRUSH WINAPI Hook_GetSysColorBrush(int index)
{
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine && index >= 1 && index <= 30) {
        if (HBRUSH brush = engine->GetMetrics()->GetBrush(index))
            return brush;
    }
    return Original<HBRUSH(WINAPI*)(int)>(kGetSysColorBrush)(index);
}

BOOL WINAPI Hook_DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags)
{
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine == NULL)
        return Original<BOOL(WINAPI*)(HDC, LPRECT, UINT, UINT)>(kDrawEdge)(dc, rect, edge, flags);
    try {
        return SkinDrawEdge(*engine->GetContext(), dc, rect, edge, flags);
    } catch (...) {
        return Original<BOOL(WINAPI*)(HDC, LPRECT, UINT, UINT)>(kDrawEdge)(dc, rect, edge, flags);
    }
}

BOOL WINAPI Hook_DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state)
{
    CVZRSkinEngine* engine = EnabledEngine();
    try {
        if (engine && SkinDrawFrameControl(*engine->GetContext(), dc, rect, type, state))
            return TRUE;
    } catch (...) {
    }
    return Original<BOOL(WINAPI*)(HDC, LPRECT, UINT, UINT)>(kDrawFrameControl)(dc, rect, type, state);
}

int WINAPI Hook_FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    CVZRSkinEngine* engine = EnabledEngine();
    UINT_PTR value = reinterpret_cast<UINT_PTR>(brush);
    if (engine && value >= 1 && value <= 30) {
        if (HBRUSH skin = engine->GetMetrics()->GetBrush(int(value - 1)))
            brush = skin;
    }
    return Original<int(WINAPI*)(HDC, const RECT*, HBRUSH)>(kFillRect)(dc, rect, brush);
}

// Disabled text is drawn once in the skin's grey text colour: the system's
// embossed form adds a copy in the highlight colour, a smear on a light face.
typedef BOOL(WINAPI* DrawStateFn)(HDC, HBRUSH, DRAWSTATEPROC, LPARAM, WPARAM, int, int, int, int, UINT);

BOOL SkinDrawState(int slot, HDC dc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM length, int x, int y,
                   int cx, int cy, UINT flags)
{
    const UINT type = flags & 0x000F;
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine == NULL || !(flags & DSS_DISABLED) || (type != DST_TEXT && type != DST_PREFIXTEXT))
        return Original<DrawStateFn>(slot)(dc, brush, proc, data, length, x, y, cx, cy, flags);
    const COLORREF old = ::SetTextColor(dc, engine->GetMetrics()->GetColor(COLOR_GRAYTEXT));
    BOOL ok = Original<DrawStateFn>(slot)(dc, brush, proc, data, length, x, y, cx, cy, flags & ~DSS_DISABLED);
    ::SetTextColor(dc, old);
    return ok;
}

BOOL WINAPI Hook_DrawStateA(HDC dc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM length, int x, int y,
                            int cx, int cy, UINT flags)
{
    return SkinDrawState(kDrawStateA, dc, brush, proc, data, length, x, y, cx, cy, flags);
}

BOOL WINAPI Hook_DrawStateW(HDC dc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM length, int x, int y,
                            int cx, int cy, UINT flags)
{
    return SkinDrawState(kDrawStateW, dc, brush, proc, data, length, x, y, cx, cy, flags);
}

BOOL WINAPI Hook_DeleteObject(HGDIOBJ object)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    if (engine && engine->GetMetrics()->IsSkinBrush(object))
        return FALSE;
    return Original<BOOL(WINAPI*)(HGDIOBJ)>(kDeleteObject)(object);
}

// The skin object of a window while the skin draws its non-client bars,
// held for the length of one call.
class CSkinnedBars {
public:
    explicit CSkinnedBars(HWND hwnd)
    {
        CVZRSkinEngine* engine = EnabledEngine();
        m_pObject = engine ? engine->AcquireSkinObject(hwnd) : NULL;
        if (m_pObject && !m_pObject->IsInactive())
            m_pFrame = dynamic_cast<CVZRSkinObjectFrame*>(m_pObject);
    }
    ~CSkinnedBars()
    {
        if (m_pObject)
            m_pObject->Release();
    }
    // Any skin object at all, active or not.
    bool HasObject() const { return m_pObject != NULL; }
    // The frame when the skin draws the window's bars, else null.
    CVZRSkinObjectFrame* Frame() const { return m_pFrame && m_pFrame->DrawsNonClientBars() ? m_pFrame : NULL; }

private:
    CVZRSkinObject* m_pObject = NULL;
    CVZRSkinObjectFrame* m_pFrame = NULL;
    CSkinnedBars(const CSkinnedBars&);
    CSkinnedBars& operator=(const CSkinnedBars&);
};

// The system would paint its own bar over the skin's: it sets the values
// without drawing and the skin draws the bar.
int WINAPI Hook_SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    typedef int(WINAPI * Fn)(HWND, int, LPCSCROLLINFO, BOOL);
    Fn real = Original<Fn>(kSetScrollInfo);
    if (!redraw || bar == SB_CTL)
        return real(hwnd, bar, info, redraw);
    CSkinnedBars skinned(hwnd);
    CVZRSkinObjectFrame* frame = skinned.Frame();
    if (frame == NULL)
        return real(hwnd, bar, info, redraw);
    int result = real(hwnd, bar, info, FALSE);
    frame->RedrawNonClientBars(bar);
    return result;
}

int WINAPI Hook_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    typedef int(WINAPI * Fn)(HWND, int, int, BOOL);
    Fn real = Original<Fn>(kSetScrollPos);
    CSkinnedBars skinned(hwnd);
    CVZRSkinObjectFrame* frame = skinned.Frame();
    if (bar == SB_CTL ? !skinned.HasObject() : frame == NULL)
        return real(hwnd, bar, pos, redraw);
    int result = real(hwnd, bar, pos, FALSE);
    if (redraw && bar == SB_CTL)
        ::InvalidateRect(hwnd, NULL, FALSE);
    else if (redraw)
        frame->RedrawNonClientBars(bar);
    return result;
}

BOOL WINAPI Hook_GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    BOOL ok = Original<BOOL(WINAPI*)(HWND, int, LPSCROLLINFO)>(kGetScrollInfo)(hwnd, bar, info);
    // A thumb the skin drags: its tracked position.
    CVZRSkinEngine* engine = PeekSkinEngine();
    if (!ok || !engine || !info || !(info->fMask & SIF_TRACKPOS) || bar == SB_CTL)
        return ok;
    CVZRSkinObject* object = engine->AcquireSkinObject(hwnd);
    if (!object)
        return ok;
    CVZRSkinObjectFrame* frame = dynamic_cast<CVZRSkinObjectFrame*>(object);
    int pos;
    if (frame && frame->GetTrackPos(bar, &pos))
        info->nTrackPos = pos;
    object->Release();
    return ok;
}

BOOL WINAPI Hook_EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    BOOL result = Original<BOOL(WINAPI*)(HWND, UINT, UINT)>(kEnableScrollBar)(hwnd, bar, arrows);
    if (bar == SB_HORZ || bar == SB_VERT || bar == SB_BOTH) {
        CSkinnedBars skinned(hwnd);
        if (CVZRSkinObjectFrame* frame = skinned.Frame())
            frame->RedrawNonClientBars(int(bar));
    }
    return result;
}

CVZRThemeClass* ThemeClassOf(HTHEME_T theme)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    if (engine == NULL || theme == NULL || !engine->IsThemeClass(theme))
        return NULL;
    return static_cast<CVZRThemeClass*>(theme);
}

HTHEME_T WINAPI Hook_OpenThemeData(HWND, LPCWSTR classList)
{
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine == NULL || engine->GetSchema() == NULL || classList == NULL)
        return NULL;
    char name[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, classList, -1, name, sizeof(name), NULL, NULL);
    return engine->LookupThemeClass(name);
}

HRESULT WINAPI Hook_DrawThemeBackground(HTHEME_T theme, HDC dc, int part, int state, const RECT* rect, const RECT*)
{
    CVZRThemeClass* themeClass = ThemeClassOf(theme);
    CVZRSkinEngine* engine = PeekSkinEngine();
    if (themeClass == NULL || engine->GetSchema() == NULL)
        return E_FAIL;
    try {
        return themeClass->DrawBackground(dc, part, state, rect) ? S_OK : E_FAIL;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT WINAPI Hook_CloseThemeData(HTHEME_T)
{
    return S_OK;
}

HRESULT WINAPI Hook_GetThemeColor(HTHEME_T theme, int part, int state, int property, COLORREF* colour)
{
    CVZRThemeClass* themeClass = ThemeClassOf(theme);
    if (themeClass == NULL || colour == NULL || PeekSkinEngine()->GetSchema() == NULL)
        return E_FAIL;
    COLORREF value = themeClass->GetColor(part, state, property, COLORREF(-1));
    if (value == COLORREF(-1))
        return E_FAIL;
    *colour = value;
    return S_OK;
}

BOOL WINAPI Hook_IsThemeActive()
{
    return TRUE;
}

void CopyWide(const char* text, LPWSTR out, int size)
{
    if (out == NULL || size <= 0 || int(strlen(text)) >= size)
        return;
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, out, size);
}

HRESULT WINAPI Hook_GetCurrentThemeName(LPWSTR fileName, int fileSize, LPWSTR colourName, int colourSize, LPWSTR,
                                        int)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    CVZRThemePackage* package = engine ? engine->GetPackage() : NULL;
    if (package == NULL || !package->IsOpen())
        return E_FAIL;
    CopyWide(package->GetPackagePath(), fileName, fileSize);
    if (colourName != NULL) {
        CString colour = package->GetIniName();
        colour.MakeUpper();
        if (colour.Find("METALLIC") > 0)
            colour = "metallic";
        else if (colour.Find("BLUE") > 0)
            colour = "normalcolor";
        else if (colour.Find("HOMESTEAD") > 0)
            colour = "homestead";
        CopyWide(colour, colourName, colourSize);
    }
    return S_OK;
}

BOOL WINAPI Hook_GetThemeSysBool(HTHEME_T, int id)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    return engine ? engine->GetSysBool(id) : FALSE;
}

COLORREF WINAPI Hook_GetThemeSysColor(HTHEME_T, int id)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    return engine ? engine->GetSysColorOfId(id) : COLORREF(-1);
}

HRESULT WINAPI Hook_GetThemePartSize(HTHEME_T theme, HDC, int part, int state, const RECT* rect, int kind, SIZE* size)
{
    CVZRThemeClass* themeClass = ThemeClassOf(theme);
    if (themeClass == NULL || size == NULL || PeekSkinEngine()->GetSchema() == NULL)
        return E_FAIL;
    return themeClass->GetPartSize(part, state, rect, kind, size) ? S_OK : E_FAIL;
}

const int kSysMetricsClassCode = 3;
const int kCaptionFont = 801, kMenuFont = 803, kStatusFont = 804, kIconTitleFont = 806;

BOOL WINAPI Hook_SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni)
{
    BOOL ok = Original<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT)>(kSystemParametersInfoA)(action, param, data, winIni);
    CVZRSkinEngine* engine = EnabledEngine();
    CVZRThemeSchema* schema = engine ? engine->GetSchema() : NULL;
    if (!ok || schema == NULL || data == NULL)
        return ok;
    if (action == SPI_GETICONTITLELOGFONT && param == sizeof(LOGFONTA)) {
        LOGFONTA font;
        if (schema->GetFontProperty(kSysMetricsClassCode, 0, 0, kIconTitleFont, &font) == S_OK)
            *static_cast<LOGFONTA*>(data) = font;
    } else if (action == SPI_GETNONCLIENTMETRICS && param == 340) {
        NONCLIENTMETRICSA* metrics = static_cast<NONCLIENTMETRICSA*>(data);
        LOGFONTA font;
        if (schema->GetFontProperty(kSysMetricsClassCode, 0, 0, kMenuFont, &font) == S_OK)
            metrics->lfMenuFont = font;
        if (schema->GetFontProperty(kSysMetricsClassCode, 0, 0, kStatusFont, &font) == S_OK)
            metrics->lfStatusFont = font;
        if (schema->GetFontProperty(kSysMetricsClassCode, 0, 0, kCaptionFont, &font) == S_OK)
            metrics->lfCaptionFont = font;
    }
    return ok;
}

BOOL WINAPI Hook_AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    BOOL ok = Original<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD)>(kAdjustWindowRectEx)(rect, style, menu, exStyle);
    CVZRSkinEngine* engine = EnabledEngine();
    if (ok && rect && engine && (style & WS_CAPTION) == WS_CAPTION && (engine->GetSkinOptions() & kApplyMetrics)) {
        CVZRSkinSystemMetrics* m = engine->GetMetrics();
        if (exStyle & WS_EX_TOOLWINDOW)
            rect->top += m->GetSystemSmallCaptionHeight() - m->GetSmallCaptionHeight();
        else
            rect->top += m->GetSystemCaptionHeight() - m->GetCaptionHeight();
    }
    return ok;
}

LRESULT RouteOr(HWND hwnd, int slot, int kind, void* prev, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    LRESULT result = 0;
    handled = CVZRApiHookTable::RouteDefProcCall(hwnd, Original<FARPROC>(slot), kind, prev, msg, &wParam, &lParam,
                                                 &result) != FALSE;
    return result;
}

#define DEF_PROC_HOOK(name, slot, kind)                                                                 \
    LRESULT WINAPI Hook_##name(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)                       \
    {                                                                                                   \
        bool handled = false;                                                                           \
        LRESULT result = RouteOr(hwnd, slot, kind, NULL, msg, wParam, lParam, handled);                 \
        if (handled)                                                                                    \
            return result;                                                                              \
        return Original<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM)>(slot)(hwnd, msg, wParam, lParam); \
    }

DEF_PROC_HOOK(DefWindowProcA, kDefWindowProcA, kContextDefWindowProc)
DEF_PROC_HOOK(DefWindowProcW, kDefWindowProcW, kContextDefWindowProc)
DEF_PROC_HOOK(DefMDIChildProcA, kDefMDIChildProcA, kContextDefMDIChildProc)
DEF_PROC_HOOK(DefMDIChildProcW, kDefMDIChildProcW, kContextDefMDIChildProc)
DEF_PROC_HOOK(DefDlgProcA, kDefDlgProcA, kContextDefDlgProc)
DEF_PROC_HOOK(DefDlgProcW, kDefDlgProcW, kContextDefDlgProc)

LRESULT WINAPI Hook_DefFrameProcA(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    LRESULT result = RouteOr(hwnd, kDefFrameProcA, kContextDefFrameProc, client, msg, wParam, lParam, handled);
    if (handled)
        return result;
    return Original<LRESULT(WINAPI*)(HWND, HWND, UINT, WPARAM, LPARAM)>(kDefFrameProcA)(hwnd, client, msg, wParam,
                                                                                        lParam);
}

LRESULT WINAPI Hook_DefFrameProcW(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    LRESULT result = RouteOr(hwnd, kDefFrameProcW, kContextDefFrameProc, client, msg, wParam, lParam, handled);
    if (handled)
        return result;
    return Original<LRESULT(WINAPI*)(HWND, HWND, UINT, WPARAM, LPARAM)>(kDefFrameProcW)(hwnd, client, msg, wParam,
                                                                                        lParam);
}

LRESULT WINAPI Hook_CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    typedef LRESULT(WINAPI * Fn)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
    if (proc != NULL) {
        bool handled = false;
        LRESULT result = RouteOr(hwnd, kCallWindowProcA, kContextCallWindowProc, reinterpret_cast<void*>(proc), msg,
                                 wParam, lParam, handled);
        if (handled)
            return result;
    }
    return Original<Fn>(kCallWindowProcA)(proc, hwnd, msg, wParam, lParam);
}

LRESULT WINAPI Hook_CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    typedef LRESULT(WINAPI * Fn)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
    if (proc != NULL) {
        bool handled = false;
        LRESULT result = RouteOr(hwnd, kCallWindowProcW, kContextCallWindowProc, reinterpret_cast<void*>(proc), msg,
                                 wParam, lParam, handled);
        if (handled)
            return result;
    }
    return Original<Fn>(kCallWindowProcW)(proc, hwnd, msg, wParam, lParam);
}

FARPROC Replacement(int slot)
{
    static const FARPROC table[kHookSlotCount] = {
        (FARPROC)Hook_LoadLibraryA,
        (FARPROC)Hook_LoadLibraryW,
        (FARPROC)Hook_LoadLibraryExA,
        (FARPROC)Hook_LoadLibraryExW,
        (FARPROC)Hook_GetProcAddress,
        (FARPROC)Hook_GetModuleHandleA,
        (FARPROC)Hook_RegisterClassA,
        (FARPROC)Hook_RegisterClassW,
        (FARPROC)Hook_GetSysColor,
        (FARPROC)Hook_GetSysColorBrush,
        (FARPROC)Hook_DrawEdge,
        (FARPROC)Hook_DrawFrameControl,
        (FARPROC)Hook_SetScrollInfo,
        (FARPROC)Hook_SetScrollPos,
        (FARPROC)Hook_GetScrollInfo,
        (FARPROC)Hook_EnableScrollBar,
        (FARPROC)Hook_OpenThemeData,
        (FARPROC)Hook_DrawThemeBackground,
        (FARPROC)Hook_CloseThemeData,
        (FARPROC)Hook_GetThemeColor,
        (FARPROC)Hook_IsThemeActive,
        (FARPROC)Hook_IsThemeActive,
        (FARPROC)Hook_GetCurrentThemeName,
        (FARPROC)Hook_GetThemeSysBool,
        (FARPROC)Hook_GetThemeSysColor,
        (FARPROC)Hook_GetThemePartSize,
        (FARPROC)Hook_SystemParametersInfoA,
        (FARPROC)Hook_DefWindowProcA,
        (FARPROC)Hook_DefWindowProcW,
        (FARPROC)Hook_DefMDIChildProcA,
        (FARPROC)Hook_DefMDIChildProcW,
        (FARPROC)Hook_DefFrameProcA,
        (FARPROC)Hook_DefFrameProcW,
        (FARPROC)Hook_DefDlgProcA,
        (FARPROC)Hook_DefDlgProcW,
        (FARPROC)Hook_CallWindowProcA,
        (FARPROC)Hook_CallWindowProcW,
        (FARPROC)Hook_CreateThread,
        (FARPROC)Hook_FillRect,
        (FARPROC)Hook_DeleteObject,
        (FARPROC)Hook_AdjustWindowRectEx,
        (FARPROC)Hook_DrawStateA,
        (FARPROC)Hook_DrawStateW,
    };
    return table[slot];
}

// Installation order, with the apply option a slot needs (0: always).
struct InstallStep {
    int slot;
    DWORD option;
};
const InstallStep kInstallOrder[] = {
    {kLoadLibraryA, 0},
    {kLoadLibraryW, 0},
    {kLoadLibraryExA, 0},
    {kLoadLibraryExW, 0},
    {kGetProcAddress, 0},
    {kGetModuleHandleA, 0},
    {kCreateThread, 0},
    {kRegisterClassA, 0},
    {kRegisterClassW, 0},
    {kGetSysColor, kApplyColors},
    {kGetSysColorBrush, kApplyColors},
    {kDrawEdge, kApplyColors},
    {kFillRect, kApplyColors},
    {kDeleteObject, kApplyColors},
    {kOpenThemeData, kApplyColors},
    {kDrawThemeBackground, kApplyColors},
    {kCloseThemeData, kApplyColors},
    {kGetThemeColor, kApplyColors},
    {kIsAppThemed, kApplyColors},
    {kIsThemeActive, kApplyColors},
    {kGetCurrentThemeName, kApplyColors},
    {kGetThemeSysBool, kApplyColors},
    {kGetThemeSysColor, kApplyColors},
    {kGetThemePartSize, kApplyColors},
    {kDrawFrameControl, kApplyColors},
    {kDrawStateA, kApplyColors},
    {kDrawStateW, kApplyColors},
    {kSetScrollInfo, kApplyFrames},
    {kSetScrollPos, kApplyFrames},
    {kGetScrollInfo, kApplyFrames},
    {kEnableScrollBar, kApplyFrames},
    {kSystemParametersInfoA, kApplyMetrics},
    {kAdjustWindowRectEx, kApplyMetrics},
    {kDefWindowProcA, 0},
    {kDefWindowProcW, 0},
    {kDefFrameProcA, 0},
    {kDefFrameProcW, 0},
    {kDefDlgProcA, 0},
    {kDefDlgProcW, 0},
    {kDefMDIChildProcA, 0},
    {kDefMDIChildProcW, 0},
    {kCallWindowProcA, 0},
    {kCallWindowProcW, 0},
};

CVZRApiHookTable* g_pTable = NULL;

struct CTableOwner {
    ~CTableOwner()
    {
        CVZRApiHookTable* table = g_pTable;
        g_pTable = NULL;
        delete table;
    }
} g_tableOwner;

}  // namespace

CVZRHookEntry::CVZRHookEntry(CVZRApiHookTable* owner, LPCSTR module, LPCSTR function, FARPROC real,
                             FARPROC replacement)
    : m_pOwner(owner), m_bInstalled(FALSE), m_pfnReal(ResolveStub(real)), m_pfnReplacement(replacement)
{
    lstrcpynA(m_szModule, module, sizeof(m_szModule));
    lstrcpynA(m_szFunction, function, sizeof(m_szFunction));
}

CVZRApiHookTable& CVZRApiHookTable::Instance()
{
    if (g_pTable == NULL)
        g_pTable = new CVZRApiHookTable;
    return *g_pTable;
}

CVZRApiHookTable* CVZRApiHookTable::Peek()
{
    return g_pTable;
}

CVZRApiHookTable::CVZRApiHookTable() : m_bInstalled(FALSE)
{
    for (CVZRHookEntry*& entry : m_entries)
        entry = NULL;
    const Exclusion exclusions[] = {{NULL, "SHLWAPI.DLL", TRUE}, {NULL, "COMCTL32.DLL", TRUE}, {NULL, "KERNEL32.DLL", FALSE}, {NULL, "USER32.DLL", FALSE}, {NULL, "GDI32.DLL", FALSE}, {NULL, "WININET.DLL", FALSE}};
    m_exclusions.assign(exclusions, exclusions + 6);
    Reals();
}

CVZRApiHookTable::~CVZRApiHookTable()
{
    UninstallHooks();
}

HMODULE CVZRApiHookTable::GetOwnModule()
{
    return AllocationBase(reinterpret_cast<const void*>(&CVZRApiHookTable::GetOwnModule));
}

void CVZRApiHookTable::RefreshExclusions()
{
    for (Exclusion& e : m_exclusions) {
        if (e.handle == NULL)
            e.handle = RealApi().GetModuleHandleA(e.name);
    }
}

BOOL CVZRApiHookTable::IsPatchable(HMODULE module)
{
    if (module == NULL || (reinterpret_cast<UINT_PTR>(module) & 3) != 0)
        return FALSE;
    CVZRSkinEngine* engine = PeekSkinEngine();
    bool win9x = engine && engine->IsWin9x();
    for (const Exclusion& e : m_exclusions) {
        if (e.handle == module && (!e.win9xOnly || win9x))
            return FALSE;
    }
    return TRUE;
}

const CVZRHookEntry* CVZRApiHookTable::GetEntry(int slot) const
{
    return slot >= 0 && slot < kHookSlotCount ? m_entries[slot] : NULL;
}

FARPROC CVZRApiHookTable::GetOriginalProc(int slot) const
{
    const CVZRHookEntry* entry = GetEntry(slot);
    return entry ? entry->m_pfnReal : NULL;
}

const CVZRHookEntry* CVZRApiHookTable::FindEntry(LPCSTR module, LPCSTR function) const
{
    for (const CVZRHookEntry* entry : m_entries) {
        if (entry && _stricmp(entry->m_szModule, module) == 0 && _stricmp(entry->m_szFunction, function) == 0)
            return entry;
    }
    return NULL;
}

CVZRHookEntry* CVZRApiHookTable::AddHook(int slot, LPCSTR module, LPCSTR function, FARPROC replacement)
{
    try {
        if (FindEntry(module, function) != NULL || slot < 0 || slot >= kHookSlotCount)
            return NULL;
        FARPROC real = NULL;
        if (_stricmp(module, kUxTheme) != 0) {
            HMODULE handle = RealApi().GetModuleHandleA(module);
            real = handle ? RealApi().GetProcAddress(handle, function) : NULL;
            if (real == NULL) {
                handle = RealApi().LoadLibraryA(module);
                real = handle ? RealApi().GetProcAddress(handle, function) : NULL;
            }
            if (real == NULL)
                return NULL;
        }
        CVZRHookEntry* entry = new CVZRHookEntry(this, module, function, real, replacement);
        m_entries[slot] = entry;
        if (real != NULL)
            entry->m_bInstalled = PatchAllModules(module, entry->m_pfnReal, replacement);
        return entry;
    } catch (...) {
        return NULL;
    }
}

void CVZRApiHookTable::InstallHooks()
{
    if (m_bInstalled)
        return;
    RefreshExclusions();
    CVZRSkinEngine* engine = PeekSkinEngine();
    DWORD options = engine ? engine->GetSkinOptions() : 0;
    const std::vector<HMODULE> modules = ModulesToPatch();
    m_pBatch = &modules;
    for (const InstallStep& step : kInstallOrder) {
        if (step.option == 0 || (options & step.option) != 0)
            AddHook(step.slot, kSlots[step.slot].module, kSlots[step.slot].function, Replacement(step.slot));
    }
    m_pBatch = nullptr;
    m_bInstalled = TRUE;
}

void CVZRApiHookTable::UninstallHooks()
{
    if (!m_bInstalled)
        return;
    const std::vector<HMODULE> modules = ModulesToPatch();
    m_pBatch = &modules;
    for (CVZRHookEntry*& entry : m_entries) {
        if (entry == NULL)
            continue;
        if (entry->m_bInstalled)
            PatchAllModules(entry->m_szModule, entry->m_pfnReplacement, entry->m_pfnReal);
        entry->m_bInstalled = FALSE;
        delete entry;
        entry = NULL;
    }
    m_pBatch = nullptr;
    m_bInstalled = FALSE;
}

std::vector<HMODULE> CVZRApiHookTable::ModulesToPatch()
{
    std::vector<HMODULE> modules;
    HMODULE own = GetOwnModule();
    CVZRModuleEnumerator enumerator(::GetCurrentProcessId());
    for (HMODULE m = enumerator.First(); m != NULL; m = enumerator.Next()) {
        if (m != own && IsPatchable(m))
            modules.push_back(m);
    }
    if (own != NULL)
        modules.push_back(own);
    return modules;
}

BOOL CVZRApiHookTable::PatchAllModules(LPCSTR module, FARPROC oldProc, FARPROC newProc)
{
    if (oldProc == NULL || newProc == NULL)
        return FALSE;
    std::vector<HMODULE> own;
    if (m_pBatch == NULL)
        own = ModulesToPatch();
    const std::vector<HMODULE>& modules = m_pBatch ? *m_pBatch : own;
    BOOL any = FALSE;
    for (HMODULE m : modules) {
        if (PatchModuleImports(module, oldProc, newProc, m))
            any = TRUE;
    }
    return any;
}

BOOL CVZRApiHookTable::PatchModuleImports(LPCSTR module, FARPROC oldProc, FARPROC newProc, HMODULE target)
{
    const ImportView view = ImportDirectory(target);
    if (view.first == NULL)
        return FALSE;
    BYTE* base = view.base;
    IMAGE_IMPORT_DESCRIPTOR* descriptor = view.first;
    const UINT_PTR highest = HighestAppAddress();
    BOOL patched = FALSE;
    // A module may import one DLL through several descriptors: each gets the change.
    for (; view.Holds(descriptor, sizeof(*descriptor)) && descriptor->Name != 0; ++descriptor) {
        const char* name = reinterpret_cast<const char*>(base + descriptor->Name);
        if (descriptor->Name >= view.size || descriptor->FirstThunk == 0 ||
            !view.Holds(name, strnlen(name, view.size - descriptor->Name) + 1) || _stricmp(name, module) != 0)
            continue;
        IMAGE_THUNK_DATA* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; view.Holds(thunk, sizeof(*thunk)) && thunk->u1.Function != 0; ++thunk) {
            const UINT_PTR value = static_cast<UINT_PTR>(thunk->u1.Function);
            bool match = value == reinterpret_cast<UINT_PTR>(oldProc);
            if (!match && value > highest)
                match = ResolveStub(reinterpret_cast<FARPROC>(value)) == oldProc;
            if (!match)
                continue;
            MEMORY_BASIC_INFORMATION info;
            DWORD old = 0;
            if (::VirtualQuery(thunk, &info, sizeof(info)) == 0 ||
                !::VirtualProtect(info.BaseAddress, info.RegionSize, PAGE_READWRITE, &old))
                return patched;
            thunk->u1.Function = reinterpret_cast<UINT_PTR>(newProc);
            DWORD ignored = 0;
            ::VirtualProtect(info.BaseAddress, info.RegionSize, old, &ignored);
            patched = TRUE;
            break;
        }
    }
    return patched;
}

void CVZRApiHookTable::OnModuleLoaded(HMODULE module, DWORD flags)
{
    try {
        RefreshExclusions();
        const DWORD dataFlags = LOAD_LIBRARY_AS_DATAFILE | 0x20 | 0x40;  // image resource, exclusive data file
        if (module == NULL || (flags & dataFlags) != 0 || !m_bInstalled || module == GetOwnModule() ||
            !IsPatchable(module))
            return;
        for (CVZRHookEntry* entry : m_entries) {
            if (entry && entry->m_pfnReal &&
                PatchModuleImports(entry->m_szModule, entry->m_pfnReal, entry->m_pfnReplacement, module))
                entry->m_bInstalled = TRUE;
        }
    } catch (...) {
    }
}

BOOL CVZRApiHookTable::RouteDefProcCall(HWND hwnd, FARPROC real, int kind, void* prev, UINT msg, WPARAM* wParam,
                                        LPARAM* lParam, LRESULT* result)
{
    CVZRSkinEngine* engine = EnabledEngine();
    if (engine == NULL)
        return FALSE;
    CVZRSkinObject* object = engine->AcquireSkinObject(hwnd);
    if (object == NULL)
        return FALSE;
    BOOL handled = FALSE;
    try {
        bool pass = object->IsInactive() || object->GetCurrentMessage() == msg;
        if (!pass && kind == kContextCallWindowProc && object->HandledInDefProc(msg)) {
            // A program's own procedure handles the message itself. The answer
            // is kept per procedure: finding the module costs a system call.
            bool own = false;
            if (!object->RecallProcedure(prev, own)) {
                HMODULE base = AllocationBase(prev);
                own = base != NULL && base != ::GetModuleHandleA("COMCTL32.DLL") && base != RealApi().hUser32;
                object->RememberProcedure(prev, own);
            }
            if (own && (!engine->IsWin9x() || reinterpret_cast<UINT_PTR>(prev) < 0x70000000))
                pass = true;
        }
        if (!pass) {
            MSG m = {};
            m.time = ::GetMessageTime();
            DWORD pos = ::GetMessagePos();
            m.pt.x = (short)LOWORD(pos);
            m.pt.y = (short)HIWORD(pos);
            m.hwnd = hwnd;
            m.message = msg;
            m.wParam = *wParam;
            m.lParam = *lParam;
            MSG saved = CWnd::SetCurrentMessage(m);
            object->PushMessageContext(msg, kind, prev, real);  // held till the end
            try {
                handled = object->HandleDefProcMessage(msg, *wParam, *lParam, *result);
            } catch (...) {
                handled = FALSE;
            }
            object->PopMessageContext();
            CWnd::SetCurrentMessage(saved);
        }
    } catch (...) {
        handled = FALSE;
    }
    object->Release();
    return handled;
}
