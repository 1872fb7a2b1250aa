#pragma once
#include "framework/Wnd.h"

class FW_API CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_SETBUDDY, (WPARAM)(pWndBuddy ? pWndBuddy->m_hWnd : NULL), 0)); }
    CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0)); }
    int SetPos(int nPos) { return (int)::SendMessage(m_hWnd, UDM_SETPOS32, 0, nPos); }
    int GetPos() const { return (int)::SendMessage(m_hWnd, UDM_GETPOS32, 0, 0); }
    void SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE32, nLower, nUpper); }
    void GetRange32(int& nLower, int& nUpper) const { ::SendMessage(m_hWnd, UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper); }
    int SetBase(int nBase) { return (int)::SendMessage(m_hWnd, UDM_SETBASE, nBase, 0); }
    BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)::SendMessage(m_hWnd, UDM_SETACCEL, nAccel, (LPARAM)pAccel); }
};
