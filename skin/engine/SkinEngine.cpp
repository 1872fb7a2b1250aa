#include "skin/engine/SkinEngine.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/hooks/ApiHookTable.h"
#include "skin/hooks/ModuleEnumerator.h"
#include "skin/objects/SkinObject.h"
#include "skin/objects/SkinObjectFrame.h"
#include "skin/support/ColorTable.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemePackage.h"
#include "skin/theme/ThemeSchema.h"

namespace {

const DWORD kEventObjectReorder = 0x8004;
const DWORD kWinEventOutOfContext = 0;
const UINT kPsmGetTabControl = WM_USER + 116;
const DWORD kWizardFlags = 0x01002020;

CVZRSkinEngine* g_pEngine = NULL;

// Deletes the engine when the library's statics go.
struct CEngineOwner {
    ~CEngineOwner()
    {
        CVZRSkinEngine* engine = g_pEngine;
        g_pEngine = NULL;
        delete engine;
    }
} g_engineOwner;

DWORD ThreadHookSlot()
{
    static DWORD slot = ::TlsAlloc();
    return slot;
}

HHOOK ThreadHook()
{
    DWORD slot = ThreadHookSlot();
    return slot == TLS_OUT_OF_INDEXES ? NULL : static_cast<HHOOK>(::TlsGetValue(slot));
}

std::string UpperKey(LPCSTR name)
{
    std::string key = name ? name : "";
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    }
    return key;
}

// Readable committed memory of at least size bytes from address on.
bool IsReadable(const void* address, size_t size)
{
    MEMORY_BASIC_INFORMATION info;
    if (address == NULL || ::VirtualQuery(address, &info, sizeof(info)) == 0)
        return false;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0)
        return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if ((info.Protect & readable) == 0)
        return false;
    const char* end = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    return static_cast<const char*>(address) + size <= end;
}

BOOL CALLBACK PostToBroadcastWindow(HWND hwnd, LPARAM)
{
    char name[128] = "";
    ::GetClassNameA(hwnd, name, sizeof(name));
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (strstr(name, ".NET-BroadcastEventWindow") != NULL && pid == ::GetCurrentProcessId())
        ::PostMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

CVZRSkinEngine* GetSkinEngine()
{
    if (g_pEngine == NULL) {
        try {
            g_pEngine = new CVZRSkinEngine;
        } catch (...) {
            g_pEngine = NULL;
        }
    }
    return g_pEngine;
}

CVZRSkinEngine* PeekSkinEngine()
{
    return g_pEngine;
}

CVZRSkinEngine::CVZRSkinEngine()
    : m_comCtlVersion(0x40000), m_bWin9x(FALSE), m_bEnabled(FALSE), m_bAutoAttach(TRUE), m_bThreadHook(TRUE),
      m_hWinEventHook(NULL), m_hLastWindow(NULL), m_pLastObject(NULL), m_pfnSetWinEventHook(NULL),
      m_pfnUnhookWinEvent(NULL)
{
    m_pMetrics.reset(new CVZRSkinSystemMetrics(&m_context));
    m_pPackage.reset(new CVZRThemePackage(&m_context));
    m_context.m_pMetrics = m_pMetrics.get();
    m_context.m_pPackage = m_pPackage.get();
    RegisterSkinObjectClasses();
    m_windows.reserve(199);
    m_context.m_applyOptions = kApplyMetrics | kApplyFrames | kApplyColors;
    CVZRApiHookTable::Instance();
    m_comCtlVersion = ::GetComCtlVersion();
    m_bWin9x = CVZROSVersion::IsWin9x();
    HMODULE user32 = ::GetModuleHandleA("USER32");
    if (user32 != NULL) {
        m_pfnSetWinEventHook =
            reinterpret_cast<SetWinEventHookFn>(reinterpret_cast<void*>(::GetProcAddress(user32, "SetWinEventHook")));
        m_pfnUnhookWinEvent =
            reinterpret_cast<UnhookWinEventFn>(reinterpret_cast<void*>(::GetProcAddress(user32, "UnhookWinEvent")));
    }
    if (m_pfnSetWinEventHook && m_pfnUnhookWinEvent)
        m_hWinEventHook = m_pfnSetWinEventHook(kEventObjectReorder, kEventObjectReorder, NULL,
                                               reinterpret_cast<void*>(SkinWinEventProc), ::GetCurrentProcessId(), 0,
                                               kWinEventOutOfContext);
    InstallThreadHook();
}

CVZRSkinEngine::~CVZRSkinEngine()
{
    ClearThemeClasses();
    m_pPackage->Close();
    m_context.m_colorFilters.clear();
    m_context.m_pSchema = NULL;
    m_pSchema.reset();
    DetachAll(TRUE);
    if (CVZRApiHookTable* table = CVZRApiHookTable::Peek())
        table->UninstallHooks();
    if (m_hWinEventHook && m_pfnUnhookWinEvent && ::GetModuleHandleA("USER32"))
        m_pfnUnhookWinEvent(m_hWinEventHook);
    // Metrics and package go with their owners, after every object that reads them.
}

void CVZRSkinEngine::InstallThreadHook()
{
    DWORD slot = ThreadHookSlot();
    if (slot == TLS_OUT_OF_INDEXES || ::TlsGetValue(slot) != NULL)
        return;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, CbtHookProc, NULL, ::GetCurrentThreadId());
    ::TlsSetValue(slot, hook);
}

void SkinThreadEnded()
{
    DWORD slot = ThreadHookSlot();
    if (slot == TLS_OUT_OF_INDEXES)
        return;
    HHOOK hook = static_cast<HHOOK>(::TlsGetValue(slot));
    if (hook != NULL) {
        ::UnhookWindowsHookEx(hook);
        ::TlsSetValue(slot, NULL);
    }
}

LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ::CallNextHookEx(ThreadHook(), code, wParam, lParam);
    // A nonzero answer of the rest of the chain refuses the creation.
    if (code != HCBT_CREATEWND || result != 0)
        return result;
    try {
        CVZRSkinEngine* engine = PeekSkinEngine();
        if (engine != NULL && engine->GetAutoAttach()) {
            HWND hwnd = reinterpret_cast<HWND>(wParam);
            char name[51] = "";
            ::GetClassNameA(hwnd, name, sizeof(name));
            CBT_CREATEWNDA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
            engine->AttachSkinObject(hwnd, name, create ? create->lpcs : NULL, TRUE);
        }
    } catch (...) {
    }
    return result;
}

void CALLBACK SkinWinEventProc(HANDLE, DWORD event, HWND hwnd, LONG idObject, LONG, DWORD, DWORD)
{
    try {
        CVZRSkinEngine* engine = PeekSkinEngine();
        if (event != kEventObjectReorder || idObject != 0 || engine == NULL || !engine->IsEnabled() ||
            (engine->GetSkinOptions() & kApplyFrames) == 0)
            return;
        if (engine->FindSkinObject(hwnd) == NULL)
            return;
        LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        if ((style & 0x00F00000) != 0)
            ::SetTimer(hwnd, kNonClientResetTimer, 1000, NULL);
    } catch (...) {
    }
}

CVZRThemeClass* CVZRSkinEngine::LookupThemeClass(LPCSTR className)
{
    return m_context.LookupThemeClass(className);
}

void CVZRSkinEngine::ClearThemeClasses()
{
    m_context.ClearThemeClasses();
}

BOOL CVZRSkinEngine::IsThemeClass(const void* handle) const
{
    return m_context.OwnsThemeClass(handle);
}

BOOL CVZRSkinEngine::GetSysBool(int id)
{
    if (m_pSchema == NULL)
        return FALSE;
    return LookupThemeClass("SYSMETRICS")->GetBool(0, 0, id, FALSE);
}

COLORREF CVZRSkinEngine::GetSysColorOfId(int id)
{
    if (id < 1601 || id > 1631)
        return COLORREF(-1);
    return m_pMetrics->GetColor(id - 1601);
}

CVZRSkinObject* CVZRSkinEngine::LookupLocked(HWND hwnd)
{
    if (hwnd != NULL && hwnd == m_hLastWindow)
        return m_pLastObject;
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return NULL;
    m_hLastWindow = hwnd;
    m_pLastObject = it->second;
    return it->second;
}

CVZRSkinObject* CVZRSkinEngine::FindSkinObject(HWND hwnd)
{
    CVZRScopedSpinLock lock(m_mapLock);
    return LookupLocked(hwnd);
}

CVZRSkinObject* CVZRSkinEngine::AcquireSkinObject(HWND hwnd)
{
    CVZRScopedSpinLock lock(m_mapLock);
    CVZRSkinObject* object = LookupLocked(hwnd);
    if (object != NULL)
        object->AddRef();
    return object;
}

size_t CVZRSkinEngine::GetSkinObjectCount()
{
    CVZRScopedSpinLock lock(m_mapLock);
    return m_windows.size();
}

void CVZRSkinEngine::DetachSkinObject(HWND hwnd, BOOL bAuto)
{
    CVZRSkinObject* object = NULL;
    {
        CVZRScopedSpinLock lock(m_mapLock);
        auto it = m_windows.find(hwnd);
        if (it == m_windows.end())
            return;
        object = it->second;
        m_windows.erase(it);
        ForgetLastLocked();
        if (m_windows.empty())
            std::unordered_map<HWND, CVZRSkinObject*>().swap(m_windows);
    }
    try {
        object->DetachHook(bAuto);
    } catch (...) {
    }
    object->Release();
}

std::vector<std::pair<HWND, CVZRSkinObject*>> CVZRSkinEngine::SnapshotObjects()
{
    std::vector<std::pair<HWND, CVZRSkinObject*>> objects;
    CVZRScopedSpinLock lock(m_mapLock);
    objects.reserve(m_windows.size());
    for (auto& entry : m_windows) {
        entry.second->AddRef();
        objects.push_back(entry);
    }
    return objects;
}

void CVZRSkinEngine::DetachAll(BOOL bDetach)
{
    std::vector<std::pair<HWND, CVZRSkinObject*>> objects;
    {
        CVZRScopedSpinLock lock(m_mapLock);
        objects.assign(m_windows.begin(), m_windows.end());  // the map's references move here
        std::unordered_map<HWND, CVZRSkinObject*>().swap(m_windows);
        ForgetLastLocked();
    }
    for (auto& entry : objects) {
        if (bDetach) {
            try {
                entry.second->DetachHook(FALSE);
            } catch (...) {
            }
        }
        entry.second->Release();
    }
}

void CVZRSkinEngine::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    ::EnumWindows(PostToBroadcastWindow, 0);
    for (auto& entry : SnapshotObjects()) {
        if (::IsWindow(entry.first)) {
            try {
                entry.second->OnSkinStateChange(bPrevState, bNewState);
            } catch (...) {
            }
        } else if (FindSkinObject(entry.first) == entry.second) {
            DetachSkinObject(entry.first, FALSE);
        }
        entry.second->Release();
    }
}

int CVZRSkinEngine::GetDialogFrameKind(HWND hwnd, LPCREATESTRUCTA lpcs, CVZRSkinEngine* engine)
{
    if (lpcs == NULL)
        return kFrameDialog;
    HWND parent = lpcs->hwndParent ? lpcs->hwndParent : ::GetParent(hwnd);
    if (parent == NULL || (lpcs->style & (DS_CONTROL | WS_CHILD)) != (DS_CONTROL | WS_CHILD))
        return kFrameDialog;
    // A dialog inside a page is part of that page.
    if (CVZRSkinObject* parentObject = engine ? engine->AcquireSkinObject(parent) : NULL) {
        CVZRSkinObjectFrame* frame = dynamic_cast<CVZRSkinObjectFrame*>(parentObject);
        bool inPage = frame && frame->m_frameKind == kFramePropertyPage;
        parentObject->Release();
        if (inPage)
            return kFramePropertyPage;
    }
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(parent, kPsmGetTabControl, 0, 0));
    if (tab == NULL || !::IsWindow(tab))
        return kFrameDialog;
    // The sheet's record, in pointer-sized slots: its window first, its header
    // flags third (in the slot's low 32 bits).
    const UINT_PTR* record = reinterpret_cast<const UINT_PTR*>(::GetWindowLongPtrA(parent, DWLP_USER));
    if (!IsReadable(record, 3 * sizeof(UINT_PTR)))
        return kFrameDialog;
    if (reinterpret_cast<HWND>(record[0]) != parent)
        return kFrameDialog;
    return (static_cast<DWORD>(record[2]) & kWizardFlags) == 0 ? kFramePropertyPage : kFrameDialog;
}

CVZRSkinObject* CVZRSkinEngine::AttachSkinObject(HWND hwnd, LPCSTR className, LPCREATESTRUCTA lpcs, BOOL bAuto)
{
    if (hwnd == NULL || className == NULL)
        return NULL;
    if (CVZRSkinObject* existing = FindSkinObject(hwnd)) {
        // Still subclassed by the skin: the same window. Otherwise the handle
        // was reused after a destruction the object never saw.
        if (::GetPropA(hwnd, kSkinPrevProcProp) != NULL)
            return existing;
        DetachSkinObject(hwnd, bAuto);
    }
    CVZRSkinObject* object = NULL;
    BOOL windowsForms = FALSE;
    if (strcmp(className, "tooltips_class32") == 0 || _stricmp(className, "IME") == 0)
        return NULL;
    if (_stricmp(className, "#32770") == 0) {
        object = CreateFrameObject(GetDialogFrameKind(hwnd, lpcs, this));
    } else if (strstr(className, "WindowsForms") != NULL) {
        if (bAuto)
            return NULL;
        windowsForms = TRUE;
        const char* first = strchr(className, '.');
        const char* second = first ? strchr(first + 1, '.') : NULL;
        if (second != NULL) {
            std::string inner(first + 1, second);
            object = CreateSkinObject(FindClassEntry(inner.c_str()));
        }
        if (object == NULL)
            object = CreateFrameObject(kFrameWindow);
    } else if (const CVZRSkinClassEntry* entry = FindClassEntry(className)) {
        object = CreateSkinObject(entry);
    } else if (strstr(className, "Internet Explorer") == NULL) {
        object = CreateFrameObject(kFrameWindow);
    }
    if (object == NULL)
        return NULL;
    object->SetEngine(this);
    if (windowsForms)
        object->SetWindowsForms(TRUE);
    CVZRSkinObject* replaced = NULL;
    {
        CVZRScopedSpinLock lock(m_mapLock);
        CVZRSkinObject*& slot = m_windows[hwnd];
        if (slot != object)
            replaced = slot;
        slot = object;
        ForgetLastLocked();
    }
    if (replaced != NULL)
        replaced->Release();
    try {
        object->AttachHook(hwnd, reinterpret_cast<LPCREATESTRUCT>(lpcs), bAuto);
    } catch (...) {
    }
    return object;
}

CVZRSkinObject* CVZRSkinEngine::CreateSkinObject(const CVZRSkinClassEntry* entry)
{
    if (entry == NULL || entry->pClass == NULL)
        return NULL;
    try {
        return static_cast<CVZRSkinObject*>(entry->pClass->CreateObject());
    } catch (...) {
        return NULL;
    }
}

const CVZRSkinClassEntry* CVZRSkinEngine::FindClassEntry(LPCSTR className) const
{
    auto it = m_classMap.find(UpperKey(className));
    return it == m_classMap.end() ? NULL : it->second.get();
}

void CVZRSkinEngine::RegisterSkinObjectClass(LPCSTR name, CRuntimeClass* pClass)
{
    std::string key = UpperKey(name);
    if (m_classMap.count(key) == 0)
        m_classMap[key] = std::make_shared<CVZRSkinClassEntry>(CVZRSkinClassEntry{pClass});
}

void CVZRSkinEngine::RegisterAlias(LPCSTR alias, LPCSTR target)
{
    std::string key = UpperKey(alias);
    auto it = m_classMap.find(UpperKey(target));
    if (it != m_classMap.end() && m_classMap.count(key) == 0)
        m_classMap[key] = it->second;
}

BOOL CVZRSkinEngine::OpenPackage(LPCSTR path, LPCSTR iniName)
{
    ClearThemeClasses();
    m_pPackage->Close();
    if (!m_pPackage->Open(path, iniName))
        return FALSE;
    m_pSchema.reset(m_pPackage->CreateSchema());
    m_context.m_pSchema = m_pSchema.get();
    return m_pSchema != NULL && m_pSchema->ParseSchemaText(m_pPackage.get()) >= 0;
}

BOOL CVZRSkinEngine::LoadSkin(LPCSTR path, LPCSTR iniName)
{
    // Theme classes cache the schema's properties: they go with it, on every path.
    ClearThemeClasses();
    m_context.m_pSchema = NULL;
    m_pSchema.reset();
    CVZRApiHookTable::Instance().UninstallHooks();
    BOOL previous = m_bEnabled;
    CVZRColorTable& colours = CVZRColorTable::Instance();
    BOOL ok = FALSE;
    try {
        ok = !CVZRColorTable::IsLowColor(NULL) && IsModuleEnumerationAvailable() &&
             OpenPackage(path ? path : "", iniName ? iniName : "");
    } catch (...) {
        ok = FALSE;
    }
    if (ok) {
        m_bEnabled = TRUE;
        CVZRApiHookTable::Instance().InstallHooks();
        m_pMetrics->Refresh();
        m_pSchema->ReloadMetrics();
        colours.RefreshColors();
        OnSkinStateChange(previous, TRUE);
        return TRUE;
    }
    m_bEnabled = FALSE;
    ClearThemeClasses();
    m_context.m_pSchema = NULL;
    m_pSchema.reset();
    m_pPackage->Close();
    m_pMetrics->Refresh();
    colours.RefreshColors();
    OnSkinStateChange(previous, FALSE);
    return FALSE;
}

void CVZRSkinEngine::SetSkinOptions(DWORD options)
{
    m_context.m_applyOptions = options;
    if (!m_bEnabled)
        return;
    CVZRApiHookTable::Instance().UninstallHooks();
    CVZRApiHookTable::Instance().InstallHooks();
    m_pMetrics->Refresh();
    if (m_pSchema)
        m_pSchema->ReloadMetrics();
    CVZRColorTable::Instance().RefreshColors();
    OnSkinStateChange(TRUE, TRUE);
}
