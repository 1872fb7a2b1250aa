#pragma once
// A chain of hooks on one window's procedure, kept apart from the framework's
// window map, so that several objects can watch the same window.
#include "framework/Framework.h"
#include "framework/Wnd.h"

class CSubclassWnd : public CObject {
    DECLARE_DYNAMIC(CSubclassWnd)
public:
    CSubclassWnd();
    ~CSubclassWnd() override;

    virtual BOOL SubclassWindow(CWnd *pWnd);
    virtual BOOL SubclassWindow(HWND hWnd);  // NULL unhooks
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL IsHooked() const { return m_hWnd != NULL; }
    HWND GetHwnd() const { return m_hWnd; }
    LRESULT Default();

protected:
    HWND m_hWnd;
    WNDPROC m_pOldWndProc;
    CSubclassWnd *m_pNext;

private:
    void Unlink();
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam,
                                        LPARAM lParam);
};
