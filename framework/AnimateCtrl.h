// Animation control (comctl32's SysAnimate32) playing AVI clips.
#pragma once
#include "framework/Wnd.h"

class FW_API CAnimateCtrl : public CWnd {
    DECLARE_DYNAMIC(CAnimateCtrl)
public:
    CAnimateCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // A file path, or a resource ("AVI" type) of a registered module.
    BOOL Open(LPCTSTR lpszFileName);
    BOOL Open(UINT nID);
    BOOL Close() { return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, 0, 0); }
    BOOL Play(UINT nFrom, UINT nTo, UINT nRep) { return (BOOL)::SendMessage(m_hWnd, ACM_PLAY, nRep, MAKELPARAM(nFrom, nTo)); }
    BOOL Stop() { return (BOOL)::SendMessage(m_hWnd, ACM_STOP, 0, 0); }
    BOOL Seek(UINT nTo) { return (BOOL)::SendMessage(m_hWnd, ACM_PLAY, 1, MAKELPARAM(nTo, nTo)); }
    BOOL IsPlaying() const { return (BOOL)::SendMessage(m_hWnd, ACM_ISPLAYING, 0, 0); }
};
