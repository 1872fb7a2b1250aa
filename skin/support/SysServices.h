// Process-wide system services of the skin library: version tests, a module
// holder, monitor functions, a lock, and a wrapper of the visual-style DLL.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/String.h"

struct SkinDllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};

class CVZROSVersion {
public:
    static const OSVERSIONINFOA& Get();
    static bool IsWin95();
    static bool IsWin9x();
    static bool IsWin2000OrGreater();
};

// COMCTL32.DLL's version, major << 16 | minor; 0x40000 without a version function.
DWORD GetComCtlVersion();

class CVZRLoadedModule {
public:
    enum Kind {
        kNone = 0,
        kFound = 1,
        kLoaded = 2
    };
    CVZRLoadedModule() {}
    explicit CVZRLoadedModule(LPCSTR name) { Init(name); }
    ~CVZRLoadedModule() { Release(); }
    BOOL Init(LPCSTR name);
    void Release();
    HMODULE GetHandle() const { return m_hModule; }
    int GetKind() const { return m_kind; }
    // major << 16 | minor from DllGetVersion, asked once; 0 when unknown.
    DWORD GetVersion();
    // Fails when minVersion is given and the module's version is lower.
    BOOL GetProcAddress(FARPROC* out, LPCSTR name, DWORD minVersion = 0);
    template <typename T>
    BOOL GetProc(T* out, LPCSTR name, DWORD minVersion = 0)
    {
        FARPROC p = NULL;
        BOOL ok = GetProcAddress(&p, name, minVersion);
        *out = reinterpret_cast<T>(reinterpret_cast<void*>(p));
        return ok;
    }

private:
    CString m_strName;
    HMODULE m_hModule = NULL;
    int m_kind = kNone;
    SkinDllVersionInfo m_version = {};
    CVZRLoadedModule(const CVZRLoadedModule&);
    CVZRLoadedModule& operator=(const CVZRLoadedModule&);
};

class CVZRMonitorInfo {
public:
    static CVZRMonitorInfo& Instance();
    bool HasMonitorFunctions() const { return m_getMonitorInfo != NULL; }
    RECT GetWorkArea(HMONITOR monitor) const;
    RECT GetWorkAreaOfWindow(HWND window) const;
    RECT GetWorkAreaOfPoint(POINT pt) const;
    RECT GetWorkAreaOfCursor() const;

private:
    CVZRMonitorInfo();
    typedef int(WINAPI* GetMetricsFn)(int);
    typedef HMONITOR(WINAPI* FromWindowFn)(HWND, DWORD);
    typedef HMONITOR(WINAPI* FromRectFn)(LPCRECT, DWORD);
    typedef HMONITOR(WINAPI* FromPointFn)(POINT, DWORD);
    typedef BOOL(WINAPI* GetInfoFn)(HMONITOR, LPMONITORINFO);
    GetMetricsFn m_getSystemMetrics = NULL;
    FromWindowFn m_fromWindow = NULL;
    FromRectFn m_fromRect = NULL;
    FromPointFn m_fromPoint = NULL;
    GetInfoFn m_getMonitorInfo = NULL;
};

class CVZRLock {
public:
    CVZRLock() { InitializeCriticalSection(&m_section); }
    ~CVZRLock() { DeleteCriticalSection(&m_section); }
    void Enter() { EnterCriticalSection(&m_section); }
    void Leave() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
    CVZRLock(const CVZRLock&);
    CVZRLock& operator=(const CVZRLock&);
};

class CVZRScopedLock {
public:
    explicit CVZRScopedLock(CVZRLock& lock) : m_lock(lock) { m_lock.Enter(); }
    ~CVZRScopedLock() { m_lock.Leave(); }

private:
    CVZRLock& m_lock;
    CVZRScopedLock(const CVZRScopedLock&);
    CVZRScopedLock& operator=(const CVZRScopedLock&);
};

// A lock for a few instructions that call nothing out: one interlocked
// exchange when it is free, which a critical section costs several times
// over on every message. Not recursive.
class CVZRSpinLock {
public:
    CVZRSpinLock() : m_state(0) {}
    void Enter()
    {
        // Sleep(0) gives way to threads of the same priority only: a holder of
        // a lower one gets the processor after a few tries.
        for (int tries = 0; m_state.exchange(1, std::memory_order_acquire) != 0; ++tries)
            ::Sleep(tries < 16 ? 0 : 1);
    }
    // A plain store lets go: the skin takes a lock several times per message.
    void Leave() { m_state.store(0, std::memory_order_release); }

private:
    std::atomic<LONG> m_state;
    CVZRSpinLock(const CVZRSpinLock&);
    CVZRSpinLock& operator=(const CVZRSpinLock&);
};

class CVZRScopedSpinLock {
public:
    explicit CVZRScopedSpinLock(CVZRSpinLock& lock) : m_lock(lock) { m_lock.Enter(); }
    ~CVZRScopedSpinLock() { m_lock.Leave(); }

private:
    CVZRSpinLock& m_lock;
    CVZRScopedSpinLock(const CVZRScopedSpinLock&);
    CVZRScopedSpinLock& operator=(const CVZRScopedSpinLock&);
};

typedef HANDLE HTHEME_;

// Calls into UXTHEME.DLL when it is there, "not available" when it is not; a
// fault inside the library gives the same answer.
// The functions are bound by name from the real DLL, never through hooked imports.
class CVZRUxThemeBinding {
public:
    explicit CVZRUxThemeBinding(bool watchModule = false) : m_watch(watchModule) {}
    ~CVZRUxThemeBinding() { CloseThemeData(); }
    HTHEME_ OpenThemeData(HWND window, LPCWSTR classList);
    HRESULT CloseThemeData();
    HTHEME_ GetHandle() const { return m_hTheme; }
    bool IsAppThemed();
    bool IsThemeActive();
    HRESULT GetThemeColor(int part, int state, int property, COLORREF* colour);
    HRESULT GetCurrentThemeName(LPWSTR fileName, int fileSize, LPWSTR colourName, int colourSize, LPWSTR sizeName,
                                int sizeSize);
    // For tests: a module other than UXTHEME.DLL, or none (empty name).
    static void SetModuleNameForTest(LPCSTR name);

private:
    HTHEME_ m_hTheme = NULL;
    bool m_watch;
    CVZRUxThemeBinding(const CVZRUxThemeBinding&);
    CVZRUxThemeBinding& operator=(const CVZRUxThemeBinding&);
};
