#include "framework/Wnd.h"
#include "framework/WinState.h"
#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/Font.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/DataExchange.h"
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif
#include <mutex>
#include <exception>
#include <stdio.h>
#include <set>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// Messages whose default handling reflects them to the control that sent them.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_pfnSuper(NULL), m_pfnSuperW(NULL), m_nModalResult(0) {}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this && !(m_nFlags & WF_TEMPORARY)) {
        DestroyWindow();
        if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
            Detach();  // never leave the map pointing at a dead object
    }
}

// ---- handle map ----

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    AfxThreadState* s = AfxGetThreadState();
    auto it = s->permWnd.find(hWnd);
    return it == s->permWnd.end() ? NULL : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWnd* p = FromHandlePermanent(hWnd);
    if (p != NULL)
        return p;
    AfxThreadState* s = AfxGetThreadState();
    p = AfxFindTemp(s->tempWnd, hWnd);
    if (p != NULL)
        return p;
    p = new CWnd;
    p->m_hWnd = hWnd;
    p->m_nFlags |= WF_TEMPORARY;
    AfxAddTemp(s, s->tempWnd, hWnd, p);
    return p;
}

void CWnd::DeleteTempMap()
{
    AfxThreadState* s = AfxGetThreadState();
    AfxSweepTemps(s, s->tempWnd, [](CWnd* p) { p->m_hWnd = NULL; });
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    AfxThreadState* s = AfxGetThreadState();
    s->permWnd[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL) {
        AfxThreadState* s = AfxGetThreadState();
        auto it = s->permWnd.find(hWnd);
        if (it != s->permWnd.end() && it->second == this)
            s->permWnd.erase(it);
    }
    m_hWnd = NULL;
    return hWnd;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldW = (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    WNDPROC old = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (old != AfxWndProc) {
        m_pfnSuper = old;
        m_pfnSuperW = oldW;
    }
    m_nFlags |= WF_SUBCLASSED;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == NULL)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    m_pfnSuperW = NULL;
    m_nFlags &= ~WF_SUBCLASSED;
    return Detach();
}

// ---- window classes and creation ----

namespace {
std::mutex g_classLock;
std::set<std::string>& ClassNames()
{
    static std::set<std::string> names;
    return names;
}
}  // namespace

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wc;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wc))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    char name[96];
    wsprintf(name, "ZavoFw:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle,
             (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    std::lock_guard<std::mutex> lock(g_classLock);
    auto it = ClassNames().insert(name).first;
    WNDCLASS wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = it->c_str();
    AfxRegisterClass(&wc);
    return it->c_str();
}

static LPCTSTR DefaultClass()
{
    static LPCTSTR s_name = NULL;
    std::lock_guard<std::mutex> lock(g_classLock);
    if (s_name == NULL) {
        WNDCLASS wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = AFX_WND_CLASS;
        AfxRegisterClass(&wc);
        s_name = AFX_WND_CLASS;
    }
    return s_name;
}

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* s = AfxGetThreadState();
    if (code == HCBT_CREATEWND && s->pWndInit != NULL) {
        CWnd* pWndInit = s->pWndInit;
        HWND hWnd = (HWND)wParam;
        s->pWndInit = NULL;
        if (pWndInit->Attach(hWnd)) {
            pWndInit->PreSubclassWindow();
            WNDPROC old = (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
            if (old != AfxWndProc) {
                pWndInit->m_pfnSuperW = (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
                ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
                pWndInit->m_pfnSuper = old;
            }
        }
    }
    return ::CallNextHookEx(s->hHookOldCbt, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AfxThreadState* s = AfxGetThreadState();
    if (s->hHookOldCbt == NULL)
        s->hHookOldCbt = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    s->pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AfxThreadState* s = AfxGetThreadState();
    if (s->hHookOldCbt != NULL) {
        ::UnhookWindowsHookEx(s->hHookOldCbt);
        s->hHookOldCbt = NULL;
    }
    if (s->pWndInit != NULL) {
        s->pWndInit = NULL;
        return FALSE;  // the hook never saw the window
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = DefaultClass();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                 cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // the window was never ours: clean up as if destroyed
    return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : NULL, (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    lpParam);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    bool bPermanent = FromHandlePermanent(m_hWnd) == this;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // An attached window that is not ours to subclass never passes its
    // WM_NCDESTROY through us: take it out of the map here. (A subclassed one
    // was detached there, and its object may be gone: test the map, not this.)
    if (bPermanent) {
        if (FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd))
            Detach();
    } else if (m_hWnd == hWnd) {
        m_hWnd = NULL;  // a temporary or foreign wrapper
    }
    return bResult;
}

void CWnd::PostNcDestroy() {}

// ---- the window procedure ----

// A destroyed main window ends the thread's loop, whatever its class (a
// dialog program's main window is no frame).
static void AfxForgetThreadWindow(CWnd* pWnd)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == NULL)
        return;
    if (pThread->m_pActiveWnd == pWnd)
        pThread->m_pActiveWnd = NULL;
    if (pThread->m_pMainWnd == pWnd) {
        pThread->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
}

namespace {
// Nothing may unwind through the system's window procedure: the failure is
// reported and answered so that the system does not take the message as done.
LRESULT AfxHandleWndProcException(HWND hWnd, UINT nMsg, const char* pszWhat)
{
    char szLine[256];
    _snprintf(szLine, sizeof(szLine) - 1, "exception in window procedure, message 0x%04X: %s\n",
              nMsg, pszWhat != NULL ? pszWhat : "unknown");
    szLine[sizeof(szLine) - 1] = 0;
    ::OutputDebugStringA(szLine);
    fputs(szLine, stderr);
    fflush(stderr);
    if (nMsg == WM_CREATE)
        return -1;  // the window is destroyed, its creation fails
    if (nMsg == WM_PAINT)
        ::ValidateRect(hWnd, NULL);  // else the same paint comes back for ever
    return 0;
}
}  // namespace

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* s = AfxGetThreadState();
    MSG oldState = s->lastSent;
    s->lastSent.hwnd = hWnd;
    s->lastSent.message = nMsg;
    s->lastSent.wParam = wParam;
    s->lastSent.lParam = lParam;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (const std::exception& e) {
        lResult = AfxHandleWndProcException(hWnd, nMsg, e.what());
    } catch (...) {
        lResult = AfxHandleWndProcException(hWnd, nMsg, NULL);
    }
    if (nMsg == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        AfxForgetThreadWindow(pWnd);
        WNDPROC cur = (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
        if (cur == AfxWndProc && pWnd->m_pfnSuper != NULL)
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
        pWnd->m_pfnSuper = NULL;
        pWnd->m_pfnSuperW = NULL;
        pWnd->Detach();
        s->lastSent = oldState;
        pWnd->PostNcDestroy();  // may delete pWnd
        return lResult;
    }
    s->lastSent = oldState;
    return lResult;
}

BOOL AfxIsHeldInput(HWND hWnd, UINT nMsg)
{
    const bool bKey = nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST;
    const bool bMouse = nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST;
    // a window with the capture keeps its mouse messages, as with the system's input
    if (hWnd == NULL || (!bKey && !bMouse) || (bMouse && ::GetCapture() == hWnd))
        return FALSE;
    HWND hRoot = ::GetAncestor(hWnd, GA_ROOT);
    return hRoot != NULL && !::IsWindowEnabled(hRoot);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // other message loops (the system's dialogs and boxes) dispatch posted input too
    if (AfxIsHeldInput(hWnd, nMsg))
        return 0;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

// A double-byte character reaches an ANSI procedure as two WM_CHAR bytes.
// System controls take them one by one as two unknown characters, so the
// lead byte waits and the whole character goes to their Unicode procedure.
LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper == NULL)
        return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
    if (nMsg == WM_CHAR && m_pfnSuperW != NULL && wParam <= 0xFF) {
        AfxThreadState* s = AfxGetThreadState();
        const BYTE lead = s->hWndLeadByte == m_hWnd ? s->chLeadByte : 0;
        s->chLeadByte = 0;
        s->hWndLeadByte = NULL;
        if (lead != 0) {
            const char pair[2] = {(char)lead, (char)wParam};
            WCHAR wch = 0;
            if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pair, 2, &wch, 1) == 1)
                return ::CallWindowProcW(m_pfnSuperW, m_hWnd, nMsg, wch, lParam);
            ::CallWindowProc(m_pfnSuper, m_hWnd, nMsg, lead, lParam);
        } else if (::IsDBCSLeadByte((BYTE)wParam)) {
            s->chLeadByte = (BYTE)wParam;
            s->hWndLeadByte = m_hWnd;
            return 0;
        }
    }
    return ::CallWindowProc(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& m = AfxGetThreadState()->lastSent;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &AfxGetThreadState()->lastSent;
}

MSG CWnd::SetCurrentMessage(const MSG& msg)
{
    MSG& cur = AfxGetThreadState()->lastSent;
    const MSG old = cur;
    cur = msg;
    return old;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    (void)pMsg;
    return FALSE;
}

namespace {
typedef void (CWnd::*PMSGW_vv)();
typedef BOOL (CWnd::*PMSGW_bv)();
typedef UINT (CWnd::*PMSGW_wv)();
typedef LRESULT (CWnd::*PMSGW_lwl)(WPARAM, LPARAM);
typedef int (CWnd::*PMSGW_is)(LPCREATESTRUCT);
typedef void (CWnd::*PMSGW_vwii)(UINT, int, int);
typedef void (CWnd::*PMSGW_vii)(int, int);
typedef void (CWnd::*PMSGW_vwp)(UINT, CPoint);
typedef void (CWnd::*PMSGW_vwww)(UINT, UINT, UINT);
typedef void (CWnd::*PMSGW_vt)(UINT_PTR);
typedef BOOL (CWnd::*PMSGW_bD)(CDC*);
typedef HBRUSH (CWnd::*PMSGW_hDWw)(CDC*, CWnd*, UINT);
typedef HBRUSH (CWnd::*PMSGW_hDw)(CDC*, UINT);
typedef void (CWnd::*PMSGW_vis)(int, void*);
typedef void (CWnd::*PMSGW_vs)(void*);
typedef void (CWnd::*PMSGW_vW)(CWnd*);
typedef void (CWnd::*PMSGW_vWp)(CWnd*, CPoint);
typedef void (CWnd::*PMSGW_vwwx)(UINT, UINT, CScrollBar*);
typedef BOOL (CWnd::*PMSGW_bWww)(CWnd*, UINT, UINT);
typedef void (CWnd::*PMSGW_vbw)(BOOL, UINT);
typedef void (CWnd::*PMSGW_vwWb)(UINT, CWnd*, BOOL);
typedef BOOL (CWnd::*PMSGW_bwsp)(UINT, short, CPoint);
typedef void (CWnd::*PMSGW_vwl)(UINT, LPARAM);
typedef void (CWnd::*PMSGW_vMwb)(CMenu*, UINT, BOOL);
typedef void (CWnd::*PMSGW_vh)(HDROP);
typedef LRESULT (CWnd::*PMSGW_lp)(CPoint);
typedef void (CWnd::*PMSGW_vb)(BOOL);
typedef void (CWnd::*PMSGW_vwwh)(UINT, UINT, HMENU);
typedef int (CWnd::*PMSGW_iwWw)(CWnd*, UINT, UINT);

template <class T>
T Cast(AFX_PMSG p) { return reinterpret_cast<T>(p); }

bool IsCtlColor(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

const AFX_MSGMAP_ENTRY* FindWndEntry(const AFX_MSGMAP* pMap, UINT message)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
        if (message < 0xC000) {
            const AFX_MSGMAP_ENTRY* p = CCmdTarget::FindMessageEntry(pMap->lpEntries, message, 0, 0);
            if (p != NULL)
                return p;
        } else {
            for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
                if (p->nMessage == 0xC000 && *(const UINT*)p->nSig == message)
                    return p;
            }
        }
    }
    return NULL;
}
}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult) *pResult = lResult;
        return TRUE;
    }
    UINT nLookup = message;
    UINT nCtlType = 0;
    if (IsCtlColor(message)) {
        nCtlType = message - WM_CTLCOLORMSGBOX;
        nLookup = WM_CTLCOLOR;
    } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX &&
               message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
        nCtlType = message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX;
        nLookup = WM_REFLECT_BASE + WM_CTLCOLOR;
    }
    const AFX_MSGMAP_ENTRY* e = FindWndEntry(GetMessageMap(), nLookup);
    if (e == NULL)
        return FALSE;
    AFX_PMSG pfn = e->pfn;
    UINT_PTR nSig = e->nMessage == 0xC000 ? (UINT_PTR)AfxSig_lwl : e->nSig;
    CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (nSig) {
    case AfxSig_vv: (this->*Cast<PMSGW_vv>(pfn))(); break;
    case AfxSig_bv: lResult = (this->*Cast<PMSGW_bv>(pfn))(); break;
    case AfxSig_wv: lResult = (this->*Cast<PMSGW_wv>(pfn))(); break;
    case AfxSig_lwl: lResult = (this->*Cast<PMSGW_lwl>(pfn))(wParam, lParam); break;
    case AfxSig_is: lResult = (this->*Cast<PMSGW_is>(pfn))((LPCREATESTRUCT)lParam); break;
    case AfxSig_vwii:
        (this->*Cast<PMSGW_vwii>(pfn))((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vii: (this->*Cast<PMSGW_vii>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam)); break;
    case AfxSig_vwp: (this->*Cast<PMSGW_vwp>(pfn))((UINT)wParam, pt); break;
    case AfxSig_vwww:
        (this->*Cast<PMSGW_vwww>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vt: (this->*Cast<PMSGW_vt>(pfn))((UINT_PTR)wParam); break;
    case AfxSig_bD: lResult = (this->*Cast<PMSGW_bD>(pfn))(CDC::FromHandle((HDC)wParam)); break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(this->*Cast<PMSGW_hDWw>(pfn))(CDC::FromHandle((HDC)wParam),
                                                          CWnd::FromHandle((HWND)lParam), nCtlType);
        break;
    case AfxSig_hDw:
        lResult = (LRESULT)(this->*Cast<PMSGW_hDw>(pfn))(CDC::FromHandle((HDC)wParam), nCtlType);
        break;
    case AfxSig_vis:
        (this->*Cast<PMSGW_vis>(pfn))((int)wParam, (void*)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vs:
        (this->*Cast<PMSGW_vs>(pfn))((void*)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vW: (this->*Cast<PMSGW_vW>(pfn))(CWnd::FromHandle((HWND)wParam)); break;
    case AfxSig_vWp: (this->*Cast<PMSGW_vWp>(pfn))(CWnd::FromHandle((HWND)wParam), pt); break;
    case AfxSig_vwwx:
        (this->*Cast<PMSGW_vwwx>(pfn))(LOWORD(wParam), (short)HIWORD(wParam),
                                       (CScrollBar*)CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_bWww:
        lResult = (this->*Cast<PMSGW_bWww>(pfn))(CWnd::FromHandle((HWND)wParam), LOWORD(lParam),
                                                 HIWORD(lParam));
        break;
    case AfxSig_vbw: (this->*Cast<PMSGW_vbw>(pfn))((BOOL)wParam, (UINT)lParam); break;
    case AfxSig_vwWb:
        (this->*Cast<PMSGW_vwWb>(pfn))(LOWORD(wParam), CWnd::FromHandle((HWND)lParam),
                                       (BOOL)HIWORD(wParam));
        break;
    case AfxSig_bwsp: {
        lResult = (this->*Cast<PMSGW_bwsp>(pfn))(LOWORD(wParam), (short)HIWORD(wParam), pt);
        break;
    }
    case AfxSig_vwl: (this->*Cast<PMSGW_vwl>(pfn))((UINT)wParam, lParam); break;
    case AfxSig_vMwb:
        (this->*Cast<PMSGW_vMwb>(pfn))(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam),
                                       (BOOL)HIWORD(lParam));
        break;
    case AfxSig_vh: (this->*Cast<PMSGW_vh>(pfn))((HDROP)wParam); break;
    case AfxSig_lp: lResult = (this->*Cast<PMSGW_lp>(pfn))(pt); break;
    case AfxSig_vb: (this->*Cast<PMSGW_vb>(pfn))((BOOL)wParam); break;
    case AfxSig_vwwh:
        (this->*Cast<PMSGW_vwwh>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_iwWw:
        lResult = (this->*Cast<PMSGW_iwWw>(pfn))(CWnd::FromHandle((HWND)wParam), LOWORD(lParam),
                                                 HIWORD(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult) *pResult = lResult;
    return TRUE;
}

// ---- commands, notifications, reflection ----

namespace {
// Records whether an update handler disabled the command.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};
}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        if (nID == 0)
            return FALSE;
        // A menu item or accelerator: a disabled command is not carried out.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (m_hWnd != NULL && AfxGetThreadState()->hWndLockoutNotify == m_hWnd)
            return TRUE;
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT lr = 0;
        if (pChild != NULL && pChild != this &&
            pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &lr))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)pNMHDR->idFrom;
    int nCode = (int)pNMHDR->code;
    if (m_hWnd != NULL && AfxGetThreadState()->hWndLockoutNotify == m_hWnd)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(hWndCtrl);
    if (pChild != NULL && pChild != this &&
        pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, (int)MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (!OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
            return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT lDummy = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult ? pResult : &lDummy;
        notify.pNMHDR = pNMHDR;
        return OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        LRESULT lr = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lr) || lr == 0)
            return FALSE;  // a NULL brush means: let the parent decide
        if (pResult) *pResult = lr;
        return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& m = AfxGetThreadState()->lastSent;
    return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != NULL;
         hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* p = FromHandlePermanent(hChild);
            if (p != NULL)
                AfxCallWndProc(p, hChild, message, wParam, lParam);
        } else {
            ::SendMessage(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hChild) != NULL) {
            CWnd tmp;
            tmp.m_hWnd = hChild;
            tmp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            tmp.m_hWnd = NULL;
        }
    }
}

// ---- modal loop ----

BOOL CWnd::ContinueModal()
{
    // A window destroyed without EndModalLoop also ends the loop.
    return (m_nFlags & WF_CONTINUEMODAL) && m_hWnd != NULL && ::IsWindow(m_hWnd);
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    (void)dwFlags;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    CModalTempScope temps;  // the caller's wrappers outlive the loop's idle
    MSG msg;
    LONG lIdleCount = 0;
    bool bIdle = true;
    while (ContinueModal()) {
        if (bIdle && !::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            HWND hWndParent = ::GetParent(m_hWnd);
            if (hWndParent != NULL)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = false;
            temps.Sweep();
            continue;
        }
        if (!AfxPumpMessage()) {
            // the outer loop ends with the code the program gave
            ::PostQuitMessage((int)AfxGetCurrentMessage()->wParam);
            m_nModalResult = -1;
            break;
        }
        bIdle = true;
        lIdleCount = 0;
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

// ---- command state of child controls ----

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != NULL;
         hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        CWnd wndTemp;
        wndTemp.m_hWnd = hChild;
        state.m_pOther = &wndTemp;
        state.m_nID = (UINT)::GetDlgCtrlID(hChild);
        CWnd* pPerm = FromHandlePermanent(hChild);
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable && (::SendMessage(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
            // only push buttons are commands; check boxes and radios keep their state
            DWORD dwStyle = (DWORD)::GetWindowLongPtr(hChild, GWL_STYLE) & 0x0F;
            if (dwStyle != BS_PUSHBUTTON && dwStyle != BS_DEFPUSHBUTTON)
                bDisable = FALSE;
        } else if (bDisable && pPerm == NULL) {
            bDisable = FALSE;
        }
        if (!(pPerm != NULL && pPerm->OnCmdMsg(0, (int)MAKELONG(0xFFFF, WM_COMMAND | WM_REFLECT_BASE), &state, NULL)))
            state.DoUpdate(pTarget, bDisable);
        wndTemp.m_hWnd = NULL;
    }
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    HWND hParent;
    while ((::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) && (hParent = ::GetParent(h)) != NULL)
        h = hParent;
    return FromHandle(h);
}

CWnd* CWnd::GetParentFrame() const
{
    for (HWND h = ::GetParent(m_hWnd); h != NULL; h = ::GetParent(h)) {
        CWnd* p = FromHandlePermanent(h);
        if (p != NULL && p->IsFrameWnd())
            return p;
    }
    return NULL;
}

// ---- thin wrappers needing more than one call ----

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    std::vector<char> buf((size_t)n + 2);
    ::GetWindowText(m_hWnd, buf.data(), n + 1);
    rString = buf.data();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND h = ::GetDlgItem(m_hWnd, nID);
    if (h == NULL)
        return 0;
    CWnd tmp;
    tmp.m_hWnd = h;
    tmp.GetWindowText(rString);
    tmp.m_hWnd = NULL;
    return rString.GetLength();
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWnd, nIndex);
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew)
        return FALSE;
    ::SetWindowLongPtr(hWnd, nIndex, (LONG_PTR)dwNew);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)(pFont ? pFont->m_hObject : NULL), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : NULL); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT rcDlg, rcArea;
    ::GetWindowRect(m_hWnd, &rcDlg);
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hCenter = ::GetParent(m_hWnd);
    if (hCenter != NULL && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter)) {
        ::GetWindowRect(hCenter, &rcArea);
        if (GetStyle() & WS_CHILD)
            ::ScreenToClient(hCenter, (LPPOINT)&rcArea), ::ScreenToClient(hCenter, ((LPPOINT)&rcArea) + 1);
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
    }
    int w = rcDlg.right - rcDlg.left, h = rcDlg.bottom - rcDlg.top;
    int x = (rcArea.left + rcArea.right) / 2 - w / 2;
    int y = (rcArea.top + rcArea.bottom) / 2 - h / 2;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Setting a control's value notifies this window (EN_CHANGE...): those
// notifications are dropped while the exchange runs, so a handler cannot
// read fields not filled yet.
namespace {
class CNotifyLockout {
public:
    explicit CNotifyLockout(HWND hWnd)
        : m_pState(AfxGetThreadState()), m_hWndOld(m_pState->hWndLockoutNotify)
    {
        m_pState->hWndLockoutNotify = hWnd;
    }
    ~CNotifyLockout() { m_pState->hWndLockoutNotify = m_hWndOld; }
    CNotifyLockout(const CNotifyLockout&) = delete;
    CNotifyLockout& operator=(const CNotifyLockout&) = delete;

private:
    AfxThreadState* m_pState;
    HWND m_hWndOld;
};
}  // namespace

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CNotifyLockout lockout(m_hWnd);
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

// ---- default handlers ----

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnClose() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }

BOOL PASCAL CWnd::GrayCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor, HBRUSH hbrGray, COLORREF clrText)
{
    if (hDC == NULL || hbrGray == NULL)
        return FALSE;
    if (nCtlColor == CTLCOLOR_EDIT && hWnd != NULL) {
        // Only a read-only edit takes the dialog colour.
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & ES_READONLY))
            return FALSE;
    } else if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX || nCtlColor == CTLCOLOR_SCROLLBAR) {
        return FALSE;
    }
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, clrText == COLORREF(-1) ? ::GetSysColor(COLOR_WINDOWTEXT) : clrText);
    return TRUE;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != NULL && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS != NULL && lpDIS->CtlType != ODT_MENU && ReflectLastMsg(lpDIS->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS != NULL && lpMIS->CtlType != ODT_MENU) {
        HWND hItem = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hItem != NULL && ReflectLastMsg(hItem))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCIS)
{
    LRESULT lResult = 0;
    if (lpCIS != NULL && ReflectLastMsg(lpCIS->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDIS)
{
    if (lpDIS != NULL && ReflectLastMsg(lpDIS->hwndItem))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnCancelMode() { Default(); }
