#include "skin/objects/SkinObject.h"

#include "skin/draw/SkinSystemMetrics.h"
#include "skin/engine/SkinEngine.h"
#include "skin/hooks/RealApi.h"

UINT WM_SKINFRAMEWORK_UPDATESTATE = ::RegisterWindowMessageA("WM_SKINFRAMEWORK_UPDATESTATE");
UINT WM_SKINFRAMEWORK_QUERYSTATE = ::RegisterWindowMessageA("WM_SKINFRAMEWORK_QUERYSTATE");

const char kSkinPrevProcProp[] = "ozSkin.PrevProc";

IMPLEMENT_DYNCREATE(CVZRSkinObject, CWnd)

const AFX_MSGMAP* CVZRSkinObject::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* CVZRSkinObject::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP messageMap = {NULL, &entries[0]};
    return &messageMap;
}

namespace {

HMODULE AllocationBase(const void* address)
{
    MEMORY_BASIC_INFORMATION info;
    if (address == NULL || ::VirtualQuery(address, &info, sizeof(info)) == 0)
        return NULL;
    return static_cast<HMODULE>(info.AllocationBase);
}

bool IsSystemProcedure(WNDPROC proc)
{
    HMODULE base = AllocationBase(reinterpret_cast<const void*>(proc));
    if (base == NULL)
        return false;
    return base == ::GetModuleHandleA("COMCTL32.DLL") || base == RealApi().hUser32;
}

// Puts the framework's record of the message being handled back on every path.
class CCurrentMessageScope {
public:
    CCurrentMessageScope(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        MSG m = {};
        m.hwnd = hwnd;
        m.message = msg;
        m.wParam = wParam;
        m.lParam = lParam;
        m.time = ::GetMessageTime();
        DWORD pos = ::GetMessagePos();
        m.pt.x = (short)LOWORD(pos);
        m.pt.y = (short)HIWORD(pos);
        m_saved = CWnd::SetCurrentMessage(m);
    }
    ~CCurrentMessageScope() { CWnd::SetCurrentMessage(m_saved); }

private:
    MSG m_saved;
};

class CObjectReference {
public:
    explicit CObjectReference(CVZRSkinObject* object) : m_pObject(object) {}
    ~CObjectReference()
    {
        if (m_pObject)
            m_pObject->Release();
    }

private:
    CVZRSkinObject* m_pObject;
};

LRESULT CallProc(BOOL unicode, WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (proc == NULL)
        return 0;
    return unicode ? RealApi().CallWindowProcW(proc, hwnd, msg, wParam, lParam)
                   : RealApi().CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

// The code page the system turns typed characters into for ANSI windows: the
// keyboard layout's.
UINT InputCodePage()
{
    UINT cp = 0;
    const LCID lcid = MAKELCID(LOWORD((UINT_PTR)::GetKeyboardLayout(0)), SORT_DEFAULT);
    if (::GetLocaleInfoW(lcid, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, (LPWSTR)&cp,
                         sizeof(cp) / sizeof(WCHAR)) == 0 ||
        cp == 0)
        cp = CP_ACP;
    return cp;
}

// Code in a loaded image: a procedure that can be called as it is. The
// system's handles for procedures of the other character set are not.
bool IsImageCode(WNDPROC proc)
{
    MEMORY_BASIC_INFORMATION info;
    if (proc == NULL || ::VirtualQuery(reinterpret_cast<const void*>(proc), &info, sizeof(info)) == 0)
        return false;
    const DWORD executable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return info.State == MEM_COMMIT && info.Type == MEM_IMAGE && (info.Protect & executable) != 0;
}

LRESULT PassUnskinned(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC prev = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kSkinPrevProcProp));
    BOOL unicode = ::IsWindowUnicode(hwnd);
    if (msg == WM_NCDESTROY)
        ::RemovePropA(hwnd, kSkinPrevProcProp);
    return CallProc(unicode, prev, hwnd, msg, wParam, lParam);
}

}  // namespace

CVZRSkinObject::CVZRSkinObject()
    : m_pfnPrevProc(NULL), m_pEngine(NULL), m_bWindowsForms(FALSE), m_dwSysProcThreshold(0x70000000),
      m_bInactive(FALSE), m_bUnicode(FALSE), m_pfnPrevProcW(NULL), m_chLeadByte(0), m_bDirectPrev(FALSE),
      m_pKnownProc(NULL), m_bKnownProcAnswer(false), m_nRefs(1)
{
    m_contexts.reserve(4);  // kept: a message pushes and pops without allocating
}

CVZRSkinObject::~CVZRSkinObject()
{
    m_hWnd = NULL;  // never in the handle map: the window is not ours to destroy
}

void CVZRSkinObject::OnFinalRelease()
{
    delete this;
}

LONG CVZRSkinObject::AddRef()
{
    return ::InterlockedIncrement(&m_nRefs);
}

LONG CVZRSkinObject::Release()
{
    LONG left = ::InterlockedDecrement(&m_nRefs);
    if (left == 0)
        OnFinalRelease();
    return left;
}

void CVZRSkinObject::OnSkinStateChange(BOOL bPrevState, BOOL bNewState)
{
    (void)bPrevState;
    (void)bNewState;
    ReloadMetrics();
}

void CVZRSkinObject::ReloadMetrics() {}

void CVZRSkinObject::OnSkinAttach(LPCREATESTRUCT lpcs, BOOL bAuto)
{
    (void)lpcs;
    (void)bAuto;
    m_bInactive = FALSE;
    if (CWnd::FromHandlePermanent(m_hWnd) != NULL)
        m_bInactive = ::SendMessageA(m_hWnd, WM_SKINFRAMEWORK_QUERYSTATE, 0, 0) != 0;
    ReloadMetrics();
}

void CVZRSkinObject::OnSkinDetach(BOOL bAuto)
{
    (void)bAuto;
}

BOOL CVZRSkinObject::HandleSubclassMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (IsPassThroughMessage(msg) || HandledInDefProc(msg))
        return FALSE;
    return OnWndMsg(msg, wParam, lParam, &result);
}

BOOL CVZRSkinObject::SubclassIgnores(UINT msg)
{
    // The state query is a side effect of IsPassThroughMessage.
    return msg != WM_SKINFRAMEWORK_UPDATESTATE && HandledInDefProc(msg);
}

BOOL CVZRSkinObject::HandleDefProcMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (IsPassThroughMessage(msg))
        return FALSE;
    if (msg == WM_SKINFRAMEWORK_QUERYSTATE) {
        result = 0;
        return TRUE;
    }
    return OnWndMsg(msg, wParam, lParam, &result);
}

BOOL CVZRSkinObject::HandledInDefProc(UINT msg)
{
    if (msg == WM_TIMER)
        return FALSE;
    if (m_bWindowsForms && (msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC))
        return FALSE;
    if (m_dwSysProcThreshold == 0)
        return FALSE;
    if (m_pEngine == NULL || !m_pEngine->IsWin9x())
        return TRUE;
    DWORD prev = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_pfnPrevProc));
    if (prev >= m_dwSysProcThreshold && m_pfnPrevProc != AfxWndProc)
        return FALSE;
    return TRUE;
}

BOOL CVZRSkinObject::IsPassThroughMessage(UINT msg)
{
    switch (msg) {
    case WM_ACTIVATE:
    case WM_SETCURSOR:
    case WM_NOTIFY:
    case WM_COMMAND:
        return TRUE;
    default:
        break;
    }
    if (msg == WM_SKINFRAMEWORK_UPDATESTATE)
        m_bInactive = ::SendMessageA(m_hWnd, WM_SKINFRAMEWORK_QUERYSTATE, 0, 0) != 0;
    return FALSE;
}

void CVZRSkinObject::AttachHook(HWND hwnd, LPCREATESTRUCT lpcs, BOOL bAuto)
{
    m_hWnd = hwnd;
    m_bUnicode = ::IsWindowUnicode(hwnd);
    m_pfnPrevProcW = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    m_chLeadByte = 0;
    LONG_PTR skinProc = reinterpret_cast<LONG_PTR>(SkinObjectWindowProc);
    if (m_bUnicode) {
        m_pfnPrevProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
        ::SetPropA(hwnd, kSkinPrevProcProp, reinterpret_cast<HANDLE>(m_pfnPrevProc));
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, skinProc);
    } else {
        m_pfnPrevProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        ::SetPropA(hwnd, kSkinPrevProcProp, reinterpret_cast<HANDLE>(m_pfnPrevProc));
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, skinProc);
    }
    if (IsSystemProcedure(m_pfnPrevProc))
        m_dwSysProcThreshold = 0;
    m_bDirectPrev = IsImageCode(m_pfnPrevProc);
    OnSkinAttach(lpcs, bAuto);
}

void CVZRSkinObject::DetachHook(BOOL bAuto)
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        // Only while the skin's procedure is on top: a host subclass above it
        // keeps calling it, and it then passes on through the window property.
        LONG_PTR current =
            m_bUnicode ? ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) : ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
        if (current == reinterpret_cast<LONG_PTR>(SkinObjectWindowProc)) {
            if (m_bUnicode)
                ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevProc));
            else
                ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevProc));
            ::RemovePropA(m_hWnd, kSkinPrevProcProp);
        }
    }
    OnSkinDetach(bAuto);
}

LRESULT CVZRSkinObject::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    CVZRMessageContext context = {0, kContextWindowProc, NULL, NULL};
    {
        CVZRScopedSpinLock lock(m_contextLock);
        if (!m_contexts.empty())
            context = m_contexts.back();
    }
    switch (context.kind) {
    case kContextWindowProc:
        if (msg == WM_CHAR && !m_bUnicode)
            return PassCharToPrev(wParam, lParam);
        return CallPrevWindowProc(msg, wParam, lParam);
    case kContextCallWindowProc: {
        typedef LRESULT(WINAPI * Fn)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
        Fn fn = reinterpret_cast<Fn>(context.unhooked);
        return fn ? fn(reinterpret_cast<WNDPROC>(context.userData), m_hWnd, msg, wParam, lParam) : 0;
    }
    case kContextDefWindowProc:
    case kContextDefMDIChildProc:
    case kContextDefDlgProc: {
        typedef LRESULT(WINAPI * Fn)(HWND, UINT, WPARAM, LPARAM);
        Fn fn = reinterpret_cast<Fn>(context.unhooked);
        return fn ? fn(m_hWnd, msg, wParam, lParam) : 0;
    }
    case kContextDefFrameProc: {
        typedef LRESULT(WINAPI * Fn)(HWND, HWND, UINT, WPARAM, LPARAM);
        Fn fn = reinterpret_cast<Fn>(context.unhooked);
        return fn ? fn(m_hWnd, static_cast<HWND>(context.userData), msg, wParam, lParam) : 0;
    }
    default:
        return 0;
    }
}

void CVZRSkinObject::EnterMessageContext(UINT msg, int kind, void* userData, FARPROC unhookedFunction)
{
    AddRef();
    PushMessageContext(msg, kind, userData, unhookedFunction);
}

LONG CVZRSkinObject::LeaveMessageContext()
{
    PopMessageContext();
    return Release();
}

void CVZRSkinObject::PushMessageContext(UINT msg, int kind, void* userData, FARPROC unhookedFunction)
{
    CVZRMessageContext context = {msg, kind, unhookedFunction, userData};
    CVZRScopedSpinLock lock(m_contextLock);
    m_contexts.push_back(context);
}

void CVZRSkinObject::PopMessageContext()
{
    CVZRScopedSpinLock lock(m_contextLock);
    if (!m_contexts.empty())
        m_contexts.pop_back();
}

UINT CVZRSkinObject::GetCurrentMessage()
{
    CVZRScopedSpinLock lock(m_contextLock);
    return m_contexts.empty() ? 0 : m_contexts.back().message;
}

bool CVZRSkinObject::RecallProcedure(const void* proc, bool& answer)
{
    CVZRScopedSpinLock lock(m_contextLock);
    if (proc == NULL || proc != m_pKnownProc)
        return false;
    answer = m_bKnownProcAnswer;
    return true;
}

void CVZRSkinObject::RememberProcedure(const void* proc, bool answer)
{
    CVZRScopedSpinLock lock(m_contextLock);
    m_pKnownProc = proc;
    m_bKnownProcAnswer = answer;
}

LRESULT CVZRSkinObject::CallDefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    EnterMessageContext(msg, kContextWindowProc, NULL, NULL);
    LRESULT result = DefWindowProc(msg, wParam, lParam);
    LeaveMessageContext();
    return result;
}

// The system hands a typed character to an ANSI procedure in the bytes of the
// keyboard layout's code page, a double-byte one as two WM_CHAR messages. The
// system's controls below take each byte alone as an unknown character ("?"),
// so the lead byte waits and the whole character goes on to the previous
// procedure's Unicode form, as do other characters outside ASCII.
LRESULT CVZRSkinObject::PassCharToPrev(WPARAM wParam, LPARAM lParam)
{
    const BYTE lead = m_chLeadByte;
    m_chLeadByte = 0;
    const UINT cp = InputCodePage();
    if (m_pfnPrevProcW == NULL || wParam > 0xFF || (lead == 0 && wParam < 0x80))
        return CallProc(FALSE, m_pfnPrevProc, m_hWnd, WM_CHAR, wParam, lParam);
    if (lead == 0 && ::IsDBCSLeadByteEx(cp, (BYTE)wParam)) {
        m_chLeadByte = (BYTE)wParam;
        return 0;
    }
    char bytes[2] = {(char)lead, (char)wParam};
    const char* first = lead != 0 ? bytes : bytes + 1;
    const int count = lead != 0 ? 2 : 1;
    WCHAR wch = 0;
    if (::MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, first, count, &wch, 1) == 1)
        return CallProc(TRUE, m_pfnPrevProcW, m_hWnd, WM_CHAR, wch, lParam);
    if (lead != 0)
        CallProc(FALSE, m_pfnPrevProc, m_hWnd, WM_CHAR, lead, lParam);
    return CallProc(FALSE, m_pfnPrevProc, m_hWnd, WM_CHAR, wParam, lParam);
}

LRESULT CVZRSkinObject::CallPrevWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_bDirectPrev)
        return m_pfnPrevProc(m_hWnd, msg, wParam, lParam);
    return CallProc(m_bUnicode, m_pfnPrevProc, m_hWnd, msg, wParam, lParam);
}

CVZRThemeClass* CVZRSkinObject::LookupThemeClass()
{
    return m_pEngine ? m_pEngine->LookupThemeClass(m_strThemeClass) : NULL;
}

CVZRSkinSystemMetrics* CVZRSkinObject::GetMetrics()
{
    return m_pEngine ? m_pEngine->GetMetrics() : NULL;
}

COLORREF CVZRSkinObject::GetColor(int index)
{
    CVZRSkinSystemMetrics* metrics = GetMetrics();
    return metrics ? metrics->GetColor(index) : RealApi().GetSysColor(index);
}

LRESULT CALLBACK SkinObjectWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CVZRSkinEngine* engine = PeekSkinEngine();
    CVZRSkinObject* object = engine ? engine->AcquireSkinObject(hwnd) : NULL;
    if (object == NULL)
        return PassUnskinned(hwnd, msg, wParam, lParam);
    CObjectReference hold(object);
    // Saved first: a detached object is not asked again.
    WNDPROC prev = object->GetPrevWndProc();
    BOOL unicode = object->IsUnicode();
    BOOL direct = object->CallsPrevDirectly();
    if (!engine->IsEnabled()) {
        if (msg == WM_NCDESTROY)
            engine->DetachSkinObject(hwnd, TRUE);
        return direct ? prev(hwnd, msg, wParam, lParam) : CallProc(unicode, prev, hwnd, msg, wParam, lParam);
    }
    CCurrentMessageScope current(hwnd, msg, wParam, lParam);
    // An inactive window is asked again too: else it could never come back.
    if (msg == WM_SKINFRAMEWORK_UPDATESTATE && object->IsInactive())
        object->IsPassThroughMessage(msg);
    if (msg == WM_NCDESTROY) {
        engine->DetachSkinObject(hwnd, TRUE);
    } else if (!object->IsInactive() && !object->SubclassIgnores(msg)) {
        LRESULT result = 0;
        BOOL handled = FALSE;
        // held above for the whole call: the context needs no reference of its own
        object->PushMessageContext(msg, kContextWindowProc, NULL, NULL);
        try {
            handled = object->HandleSubclassMessage(msg, wParam, lParam, result);
        } catch (...) {
            handled = FALSE;
        }
        object->PopMessageContext();
        if (handled)
            return result;
    }
    if (msg == WM_CHAR && !unicode && prev == object->GetPrevWndProc())
        return object->PassCharToPrev(wParam, lParam);
    return direct ? prev(hwnd, msg, wParam, lParam) : CallProc(unicode, prev, hwnd, msg, wParam, lParam);
}
