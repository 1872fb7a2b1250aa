// The skin engine: one per process. It owns the package, the schema and the
// metrics, gives each new window a skin object (a WH_CBT hook per thread),
// keeps the window-to-object map and tells the objects when the skin changes.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/String.h"
#include "skin/support/SysServices.h"
#include "skin/theme/SkinContext.h"

class CVZRSkinObject;
class CVZRThemeClass;
class CVZRThemePackage;
class CVZRThemeSchema;
class CVZRSkinSystemMetrics;
struct CRuntimeClass;

// One entry of the class map: a skin-object class, or none (window stays unskinned).
struct CVZRSkinClassEntry {
    CRuntimeClass* pClass;
};

class CVZRSkinEngine {
public:
    CVZRSkinEngine();
    virtual ~CVZRSkinEngine();

    virtual CVZRThemeClass* LookupThemeClass(LPCSTR className);
    virtual void OnSkinStateChange(BOOL bPrevState, BOOL bNewState);
    virtual CVZRSkinObject* AttachSkinObject(HWND hwnd, LPCSTR className, LPCREATESTRUCTA lpcs, BOOL bAuto);

    BOOL LoadSkin(LPCSTR path, LPCSTR iniName);
    BOOL OpenPackage(LPCSTR path, LPCSTR iniName);
    void SetSkinOptions(DWORD options);
    DWORD GetSkinOptions() const { return m_context.m_applyOptions; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsWin9x() const { return m_bWin9x; }
    void SetWin9x(BOOL win9x) { m_bWin9x = win9x; }  // tests reach the 9x branches
    DWORD GetComCtlVersion() const { return m_comCtlVersion; }
    BOOL GetAutoAttach() const { return m_bAutoAttach; }
    void SetAutoAttach(BOOL set) { m_bAutoAttach = set; }
    BOOL GetThreadHookFlag() const { return m_bThreadHook; }

    // The calling thread's WH_CBT hook, installed once.
    void InstallThreadHook();

    CVZRSkinObject* FindSkinObject(HWND hwnd);
    // As FindSkinObject, holding one reference for the caller to release.
    CVZRSkinObject* AcquireSkinObject(HWND hwnd);
    void DetachSkinObject(HWND hwnd, BOOL bAuto);
    void DetachAll(BOOL bDetach);
    size_t GetSkinObjectCount();

    // The frame kind a dialog gets: a page of a property sheet or a dialog.
    static int GetDialogFrameKind(HWND hwnd, LPCREATESTRUCTA lpcs, CVZRSkinEngine* engine);
    // The class-map entry of a window class name (case ignored), or null.
    const CVZRSkinClassEntry* FindClassEntry(LPCSTR className) const;

    // Services of the replaced theme functions.
    BOOL IsThemeClass(const void* handle) const;
    BOOL GetSysBool(int id);
    COLORREF GetSysColorOfId(int id);

    CVZRSkinContext* GetContext() { return &m_context; }
    CVZRSkinSystemMetrics* GetMetrics() { return m_pMetrics.get(); }
    CVZRThemePackage* GetPackage() { return m_pPackage.get(); }
    CVZRThemeSchema* GetSchema() { return m_pSchema.get(); }

    // Adds a window class to the class map (a name already there is kept).
    void RegisterSkinObjectClass(LPCSTR name, CRuntimeClass* pClass);

    // Makes the skin object of a class-map entry, a frame of a kind when null.
    static CVZRSkinObject* CreateSkinObject(const CVZRSkinClassEntry* entry);
    static CVZRSkinObject* CreateFrameObject(int frameKind);

private:
    void RegisterSkinObjectClasses();
    void RegisterAlias(LPCSTR alias, LPCSTR target);
    void ClearThemeClasses();
    std::vector<std::pair<HWND, CVZRSkinObject*>> SnapshotObjects();

    DWORD m_comCtlVersion;
    BOOL m_bWin9x;
    BOOL m_bEnabled;
    BOOL m_bAutoAttach;
    BOOL m_bThreadHook;
    CVZRSkinContext m_context;
    std::unique_ptr<CVZRThemeSchema> m_pSchema;
    std::unique_ptr<CVZRSkinSystemMetrics> m_pMetrics;
    std::unique_ptr<CVZRThemePackage> m_pPackage;
    HANDLE m_hWinEventHook;
    CVZRSpinLock m_mapLock;  // held for map work only: nothing is called under it
    std::unordered_map<HWND, CVZRSkinObject*> m_windows;
    // The window looked up last and its object (the same window's messages
    // come in runs); cleared whenever the map changes.
    HWND m_hLastWindow;
    CVZRSkinObject* m_pLastObject;
    CVZRSkinObject* LookupLocked(HWND hwnd);
    void ForgetLastLocked()
    {
        m_hLastWindow = NULL;
        m_pLastObject = NULL;
    }
    std::map<std::string, std::shared_ptr<CVZRSkinClassEntry>> m_classMap;

    typedef HANDLE(WINAPI* SetWinEventHookFn)(DWORD, DWORD, HMODULE, void*, DWORD, DWORD, DWORD);
    typedef BOOL(WINAPI* UnhookWinEventFn)(HANDLE);
    SetWinEventHookFn m_pfnSetWinEventHook;
    UnhookWinEventFn m_pfnUnhookWinEvent;

    CVZRSkinEngine(const CVZRSkinEngine&);
    CVZRSkinEngine& operator=(const CVZRSkinEngine&);
};

// The engine, made on first call on the calling thread.
CVZRSkinEngine* GetSkinEngine();
// The engine when it exists, else null.
CVZRSkinEngine* PeekSkinEngine();

// Unhooks the calling thread's creation hook (its thread data is going).
void SkinThreadEnded();

LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam);
void CALLBACK SkinWinEventProc(HANDLE hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD thread,
                               DWORD time);

// The timer a frame redraws its border by after a z-order change.
const UINT_PTR kNonClientResetTimer = 2765;
