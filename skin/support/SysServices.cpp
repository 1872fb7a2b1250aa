#include "skin/support/SysServices.h"

#include "skin/support/GuardedCall.h"

#include <cstring>

namespace {
typedef HRESULT(CALLBACK* DllGetVersionFn)(SkinDllVersionInfo*);

DWORD PackVersion(const SkinDllVersionInfo& v) { return (v.dwMajorVersion << 16) | (v.dwMinorVersion & 0xFFFF); }
}  // namespace

const OSVERSIONINFOA& CVZROSVersion::Get()
{
    static OSVERSIONINFOA info = [] {
        OSVERSIONINFOA v;
        memset(&v, 0, sizeof(v));
        v.dwOSVersionInfoSize = sizeof(v);
        GetVersionExA(&v);
        return v;
    }();
    return info;
}

bool CVZROSVersion::IsWin95()
{
    const OSVERSIONINFOA& v = Get();
    return v.dwPlatformId == 1 && v.dwMajorVersion == 4 && v.dwMinorVersion < 10;
}

bool CVZROSVersion::IsWin9x() { return Get().dwPlatformId == 1; }

bool CVZROSVersion::IsWin2000OrGreater()
{
    const OSVERSIONINFOA& v = Get();
    return v.dwPlatformId >= 2 && v.dwMajorVersion >= 5;
}

DWORD GetComCtlVersion()
{
    static DWORD version = [] {
        CVZRLoadedModule comctl("COMCTL32.DLL");
        DWORD v = comctl.GetVersion();
        return v ? v : DWORD(0x40000);
    }();
    return version;
}

BOOL CVZRLoadedModule::Init(LPCSTR name)
{
    Release();
    m_strName = name;
    m_hModule = GetModuleHandleA(name);
    if (m_hModule) {
        m_kind = kFound;
        return TRUE;
    }
    m_hModule = LoadLibraryA(name);
    m_kind = m_hModule ? kLoaded : kNone;
    return m_hModule != NULL;
}

void CVZRLoadedModule::Release()
{
    if (m_kind == kLoaded && m_hModule)
        FreeLibrary(m_hModule);
    m_hModule = NULL;
    m_kind = kNone;
    m_strName.Empty();
    memset(&m_version, 0, sizeof(m_version));
}

DWORD CVZRLoadedModule::GetVersion()
{
    if (!m_version.cbSize && m_hModule) {
        m_version.cbSize = sizeof(m_version);
        DllGetVersionFn fn = reinterpret_cast<DllGetVersionFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_hModule, "DllGetVersion")));
        if (!fn || FAILED(fn(&m_version))) {
            m_version.dwMajorVersion = 0;
            m_version.dwMinorVersion = 0;
        }
    }
    return PackVersion(m_version);
}

BOOL CVZRLoadedModule::GetProcAddress(FARPROC* out, LPCSTR name, DWORD minVersion)
{
    *out = NULL;
    if (!m_hModule)
        return FALSE;
    if (minVersion && GetVersion() < minVersion)
        return FALSE;
    *out = ::GetProcAddress(m_hModule, name);
    return *out != NULL;
}

CVZRMonitorInfo& CVZRMonitorInfo::Instance()
{
    static CVZRMonitorInfo info;
    return info;
}

CVZRMonitorInfo::CVZRMonitorInfo()
{
    HMODULE user = GetModuleHandleA("User32.dll");
    if (!user)
        return;
    m_getSystemMetrics = reinterpret_cast<GetMetricsFn>(reinterpret_cast<void*>(::GetProcAddress(user, "GetSystemMetrics")));
    m_fromWindow = reinterpret_cast<FromWindowFn>(reinterpret_cast<void*>(::GetProcAddress(user, "MonitorFromWindow")));
    m_fromRect = reinterpret_cast<FromRectFn>(reinterpret_cast<void*>(::GetProcAddress(user, "MonitorFromRect")));
    m_fromPoint = reinterpret_cast<FromPointFn>(reinterpret_cast<void*>(::GetProcAddress(user, "MonitorFromPoint")));
    m_getMonitorInfo = reinterpret_cast<GetInfoFn>(reinterpret_cast<void*>(::GetProcAddress(user, "GetMonitorInfoA")));
    if (!m_getSystemMetrics || !m_fromWindow || !m_fromRect || !m_fromPoint || !m_getMonitorInfo) {
        m_getSystemMetrics = NULL;
        m_fromWindow = NULL;
        m_fromRect = NULL;
        m_fromPoint = NULL;
        m_getMonitorInfo = NULL;
    }
}

RECT CVZRMonitorInfo::GetWorkArea(HMONITOR monitor) const
{
    RECT area = {0, 0, 0, 0};
    if (monitor && m_getMonitorInfo) {
        MONITORINFO info;
        memset(&info, 0, sizeof(info));
        info.cbSize = 40;
        if (m_getMonitorInfo(monitor, &info))
            return info.rcWork;
    }
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT CVZRMonitorInfo::GetWorkAreaOfWindow(HWND window) const
{
    return GetWorkArea(m_fromWindow ? m_fromWindow(window, 0) : NULL);
}

RECT CVZRMonitorInfo::GetWorkAreaOfPoint(POINT pt) const
{
    return GetWorkArea(m_fromPoint ? m_fromPoint(pt, 0) : NULL);
}

RECT CVZRMonitorInfo::GetWorkAreaOfCursor() const
{
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    return GetWorkAreaOfPoint(pt);
}

namespace {
typedef HANDLE(WINAPI* OpenThemeDataFn)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* CloseThemeDataFn)(HANDLE);
typedef BOOL(WINAPI* IsThemedFn)();
typedef HRESULT(WINAPI* GetThemeColorFn)(HANDLE, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* GetCurrentThemeNameFn)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

enum Slot {
    kOpenThemeData,
    kCloseThemeData,
    kIsThemeActive,
    kIsAppThemed,
    kGetThemeColor,
    kGetCurrentThemeName,
    kSlotCount = 52
};
const char* const kSlotNames[] = {"OpenThemeData", "CloseThemeData", "IsThemeActive",
                                  "IsAppThemed", "GetThemeColor", "GetCurrentThemeName"};

CString& ModuleName()
{
    static CString name("UXTHEME.DLL");
    return name;
}

// One table for watching wrappers, one for the others.
struct ThemeTable {
    HMODULE module;
    DWORD comctlVersion;
    FARPROC slots[kSlotCount];
    ThemeTable() : module(NULL), comctlVersion(GetComCtlVersion())
    {
        memset(slots, 0, sizeof(slots));
        if (!ModuleName().IsEmpty())
            module = LoadLibraryA(ModuleName());
    }
    void Watch()
    {
        HMODULE now = ModuleName().IsEmpty() ? NULL : GetModuleHandleA(ModuleName());
        if (now != module) {
            memset(slots, 0, sizeof(slots));
            module = now;
        }
    }
    FARPROC Bind(Slot slot)
    {
        if (!slots[slot] && module)
            slots[slot] = ::GetProcAddress(module, kSlotNames[slot]);
        return slots[slot];
    }
};

ThemeTable& Table(bool watch)
{
    static ThemeTable watching, plain;
    return watch ? watching : plain;
}

template <typename T>
T Bound(bool watch, Slot slot)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(Table(watch).Bind(slot)));
}

// fn() run guarded: a fault inside the theme library gives onFault.
template <typename R, typename F>
R Guarded(R onFault, F fn)
{
    R result = onFault;
    auto call = [&] { result = fn(); };
    return SkinGuarded(call) ? result : onFault;
}
}  // namespace

void CVZRUxThemeBinding::SetModuleNameForTest(LPCSTR name) { ModuleName() = name ? name : ""; }

HTHEME_ CVZRUxThemeBinding::OpenThemeData(HWND window, LPCWSTR classList)
{
    CloseThemeData();
    if (m_watch)
        Table(true).Watch();
    OpenThemeDataFn fn = Bound<OpenThemeDataFn>(m_watch, kOpenThemeData);
    m_hTheme = fn ? Guarded<HTHEME_>(NULL, [&] { return fn(window, classList); }) : NULL;
    return m_hTheme;
}

HRESULT CVZRUxThemeBinding::CloseThemeData()
{
    HRESULT result = 0;
    if (m_hTheme) {
        CloseThemeDataFn fn = Bound<CloseThemeDataFn>(m_watch, kCloseThemeData);
        if (fn)
            result = Guarded<HRESULT>(E_FAIL, [&] { return fn(m_hTheme); });
    }
    m_hTheme = NULL;
    return result;
}

bool CVZRUxThemeBinding::IsAppThemed()
{
    if (!m_hTheme)
        return false;
    IsThemedFn fn = Bound<IsThemedFn>(m_watch, kIsAppThemed);
    return fn && Guarded<BOOL>(FALSE, fn);
}

bool CVZRUxThemeBinding::IsThemeActive()
{
    if (m_watch && !m_hTheme)
        Table(true).Watch();
    IsThemedFn fn = Bound<IsThemedFn>(m_watch, kIsThemeActive);
    return fn && Guarded<BOOL>(FALSE, fn);
}

HRESULT CVZRUxThemeBinding::GetThemeColor(int part, int state, int property, COLORREF* colour)
{
    GetThemeColorFn fn = Bound<GetThemeColorFn>(m_watch, kGetThemeColor);
    return fn ? Guarded<HRESULT>(E_FAIL, [&] { return fn(m_hTheme, part, state, property, colour); }) : E_FAIL;
}

HRESULT CVZRUxThemeBinding::GetCurrentThemeName(LPWSTR fileName, int fileSize, LPWSTR colourName, int colourSize,
                                                LPWSTR sizeName, int sizeSize)
{
    if (m_watch)
        Table(true).Watch();
    GetCurrentThemeNameFn fn = Bound<GetCurrentThemeNameFn>(m_watch, kGetCurrentThemeName);
    return fn ? Guarded<HRESULT>(E_FAIL, [&] { return fn(fileName, fileSize, colourName, colourSize, sizeName, sizeSize); })
              : E_FAIL;
}
