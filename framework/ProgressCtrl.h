#pragma once
#include "framework/Wnd.h"

class FW_API CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE32, nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const
    {
        PBRANGE r;
        ::SendMessage(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&r);
        nLower = r.iLow;
        nUpper = r.iHigh;
    }
    int GetPos() const { return (int)::SendMessage(m_hWnd, PBM_GETPOS, 0, 0); }
    int SetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_SETPOS, nPos, 0); }
    int OffsetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_DELTAPOS, nPos, 0); }
    int SetStep(int nStep) { return (int)::SendMessage(m_hWnd, PBM_SETSTEP, nStep, 0); }
    int StepIt() { return (int)::SendMessage(m_hWnd, PBM_STEPIT, 0, 0); }
    COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBARCOLOR, 0, clrBar); }
    COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBKCOLOR, 0, clrNew); }
};
