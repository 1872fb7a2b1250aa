#include "framework/Menu.h"
#include "framework/Wnd.h"
#include "framework/WinState.h"
#include "framework/WinApp.h"
#include <vector>

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    AfxThreadState* s = AfxGetThreadState();
    CMenu* p = AfxFindTemp(s->tempMenu, hMenu);
    if (p != NULL)
        return p;
    p = new CMenu;
    p->m_hMenu = hMenu;
    AfxAddTemp(s, s->tempMenu, hMenu, p);
    return p;
}

void CMenu::DeleteTempMap()
{
    AfxThreadState* s = AfxGetThreadState();
    AfxSweepTemps(s, s->tempMenu, [](CMenu* p) { p->m_hMenu = NULL; });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL || m_hMenu != NULL)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    m_hMenu = NULL;
    return h;
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenu(hInst, lpszResourceName));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int n = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
    std::vector<char> buf((size_t)(n > 0 ? n : 0) + 1);
    if (n > 0)
        ::GetMenuString(m_hMenu, nIDItem, buf.data(), n + 1, nFlags);
    rString = buf.data();
    return n;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : NULL, lpRect);
}
