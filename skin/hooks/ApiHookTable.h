// The import hooks: 43 slots of KERNEL32, USER32, GDI32 and UXTHEME functions
// whose import-table entries lead to the library's replacements while a skin
// is loaded, and the routing of default-procedure calls to skin objects.
#pragma once

#include <windows.h>

#include <vector>

class CVZRApiHookTable;

const int kHookSlotCount = 43;

class CVZRHookEntry {
public:
    CVZRHookEntry(CVZRApiHookTable* owner, LPCSTR module, LPCSTR function, FARPROC real, FARPROC replacement);
    virtual ~CVZRHookEntry() {}

    CVZRApiHookTable* m_pOwner;
    BOOL m_bInstalled;
    char m_szModule[20];
    char m_szFunction[32];
    FARPROC m_pfnReal;
    FARPROC m_pfnReplacement;
};

class CVZRApiHookTable {
public:
    static CVZRApiHookTable& Instance();
    // The table when it exists, else null (at exit).
    static CVZRApiHookTable* Peek();
    ~CVZRApiHookTable();

    void InstallHooks();
    void UninstallHooks();
    BOOL IsInstalled() const { return m_bInstalled; }
    CVZRHookEntry* AddHook(int slot, LPCSTR module, LPCSTR function, FARPROC replacement);
    FARPROC GetOriginalProc(int slot) const;
    const CVZRHookEntry* GetEntry(int slot) const;
    // The entry of a module and function name (case ignored), or null.
    const CVZRHookEntry* FindEntry(LPCSTR module, LPCSTR function) const;

    BOOL PatchAllModules(LPCSTR module, FARPROC oldProc, FARPROC newProc);
    BOOL PatchModuleImports(LPCSTR module, FARPROC oldProc, FARPROC newProc, HMODULE target);
    void OnModuleLoaded(HMODULE module, DWORD flags);
    // Whether a module's import table may be changed: any loaded module but
    // the excluded ones.
    BOOL IsPatchable(HMODULE module);

    static BOOL RouteDefProcCall(HWND hwnd, FARPROC real, int kind, void* prev, UINT msg, WPARAM* wParam,
                                 LPARAM* lParam, LRESULT* result);

    // The library's own module.
    static HMODULE GetOwnModule();

private:
    CVZRApiHookTable();
    void RefreshExclusions();
    struct Exclusion {
        HMODULE handle;
        const char* name;
        BOOL win9xOnly;
    };
    // The modules to patch, own last; while set, PatchAllModules walks it
    // instead of asking the system for every slot.
    std::vector<HMODULE> ModulesToPatch();
    const std::vector<HMODULE>* m_pBatch = nullptr;

    CVZRHookEntry* m_entries[kHookSlotCount];
    BOOL m_bInstalled;
    std::vector<Exclusion> m_exclusions;
};

// The UxTheme pseudo handle the replaced GetModuleHandleA gives.
const UINT_PTR kUxThemePseudoHandle = 0x021FFFF1;
