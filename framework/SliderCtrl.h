#pragma once
#include "framework/Wnd.h"

class FW_API CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetPos() const { return (int)::SendMessage(m_hWnd, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { ::SendMessage(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    int GetRangeMin() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
    void GetRange(int& nMin, int& nMax) const
    {
        nMin = GetRangeMin();
        nMax = GetRangeMax();
    }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        ::SendMessage(m_hWnd, TBM_SETRANGEMIN, FALSE, nMin);
        ::SendMessage(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax);
    }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }
    int SetPageSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
    int SetLineSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
    void SetTicFreq(int nFreq) { ::SendMessage(m_hWnd, TBM_SETTICFREQ, nFreq, 0); }
    void ClearTics(BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_CLEARTICS, bRedraw, 0); }
    UINT GetNumTics() const { return (UINT)::SendMessage(m_hWnd, TBM_GETNUMTICS, 0, 0); }
    DWORD* GetTicArray() const { return (DWORD*)::SendMessage(m_hWnd, TBM_GETPTICS, 0, 0); }
    int GetTicPos(int nTic) const { return (int)::SendMessage(m_hWnd, TBM_GETTICPOS, nTic, 0); }
    void GetThumbRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
    void GetChannelRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
    void GetSelection(int& nMin, int& nMax) const
    {
        nMin = (int)::SendMessage(m_hWnd, TBM_GETSELSTART, 0, 0);
        nMax = (int)::SendMessage(m_hWnd, TBM_GETSELEND, 0, 0);
    }
    void SetSelection(int nMin, int nMax)
    {
        ::SendMessage(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
        ::SendMessage(m_hWnd, TBM_SETSELEND, TRUE, nMax);
    }
    int GetPageSize() const { return (int)::SendMessage(m_hWnd, TBM_GETPAGESIZE, 0, 0); }
    int GetLineSize() const { return (int)::SendMessage(m_hWnd, TBM_GETLINESIZE, 0, 0); }
};
