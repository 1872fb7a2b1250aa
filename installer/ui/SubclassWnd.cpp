#include "installer/ui/SubclassWnd.h"

IMPLEMENT_DYNAMIC(CSubclassWnd, CObject)

namespace {

// Window handle to the newest hook on it.
CMapPtrToPtr &HookMap()
{
    static CMapPtrToPtr map;
    return map;
}

CSubclassWnd *Head(HWND hWnd)
{
    void *p = NULL;
    return HookMap().Lookup(hWnd, p) ? static_cast<CSubclassWnd *>(p) : NULL;
}

}  // namespace

CSubclassWnd::CSubclassWnd()
    : m_hWnd(NULL), m_pOldWndProc(NULL), m_pNext(NULL) {}

CSubclassWnd::~CSubclassWnd()
{
    if (m_hWnd)
        SubclassWindow((HWND)NULL);
}

BOOL CSubclassWnd::SubclassWindow(CWnd *pWnd)
{
    return SubclassWindow(pWnd ? pWnd->GetSafeHwnd() : (HWND)NULL);
}

BOOL CSubclassWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd) {
        Unlink();
        return TRUE;
    }
    if (m_hWnd)
        Unlink();
    CSubclassWnd *head = Head(hWnd);
    m_hWnd = hWnd;
    m_pNext = head;
    if (head) {
        m_pOldWndProc = head->m_pOldWndProc;
    } else {
        m_pOldWndProc =
            (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)HookWndProc);
    }
    HookMap().SetAt(hWnd, this);
    return TRUE;
}

void CSubclassWnd::Unlink()
{
    if (!m_hWnd)
        return;
    CSubclassWnd *head = Head(m_hWnd);
    if (head == this) {
        if (m_pNext) {
            HookMap().SetAt(m_hWnd, m_pNext);
        } else {
            HookMap().RemoveKey(m_hWnd);
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pOldWndProc);
        }
    } else {
        for (CSubclassWnd *p = head; p; p = p->m_pNext) {
            if (p->m_pNext == this) {
                p->m_pNext = m_pNext;
                break;
            }
        }
    }
    m_hWnd = NULL;
    m_pNext = NULL;
    m_pOldWndProc = NULL;
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pNext)
        return m_pNext->WindowProc(message, wParam, lParam);
    return ::CallWindowProc(m_pOldWndProc, m_hWnd, message, wParam, lParam);
}

LRESULT CSubclassWnd::Default()
{
    const MSG *m = CWnd::GetCurrentMessage();
    return CSubclassWnd::WindowProc(m->message, m->wParam, m->lParam);
}

LRESULT CALLBACK CSubclassWnd::HookWndProc(HWND hWnd, UINT message,
                                           WPARAM wParam, LPARAM lParam)
{
    MSG current = {};
    current.hwnd = hWnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    const MSG saved = CWnd::SetCurrentMessage(current);
    LRESULT result = 0;
    try {
        CSubclassWnd *head = Head(hWnd);
        if (message == WM_NCDESTROY) {
            WNDPROC original = head ? head->m_pOldWndProc : (WNDPROC)::DefWindowProc;
            while ((head = Head(hWnd)) != NULL)
                head->SubclassWindow((HWND)NULL);
            result = ::CallWindowProc(original, hWnd, message, wParam, lParam);
        } else if (head) {
            result = head->WindowProc(message, wParam, lParam);
        } else {
            result = ::DefWindowProc(hWnd, message, wParam, lParam);
        }
    } catch (...) {
        result = 0;
    }
    CWnd::SetCurrentMessage(saved);
    return result;
}
