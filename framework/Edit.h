#pragma once
#include "framework/Wnd.h"

class FW_API CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        ::SendMessage(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
        if (!bNoScroll) ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
    }
    void GetSel(int& nStartChar, int& nEndChar) const { ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) { ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
    void SetLimitText(UINT nMax) { ::SendMessage(m_hWnd, EM_LIMITTEXT, nMax, 0); }
    void LimitText(int nChars = 0) { ::SendMessage(m_hWnd, EM_LIMITTEXT, nChars, 0); }
    UINT GetLimitText() const { return (UINT)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    void SetPasswordChar(TCHAR ch) { ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, (WPARAM)(BYTE)ch, 0); }
    int GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    int LineIndex(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0); }
    void LineScroll(int nLines, int nChars = 0) { ::SendMessage(m_hWnd, EM_LINESCROLL, nChars, nLines); }
    BOOL CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
    BOOL Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
    void Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
    void SetMargins(UINT nLeft, UINT nRight) { ::SendMessage(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
    DWORD GetMargins() const { return (DWORD)::SendMessage(m_hWnd, EM_GETMARGINS, 0, 0); }
    // Copies line nIndex into lpszBuffer (nMaxLength characters, no terminator added by the control).
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
    {
        if (nMaxLength < 2) return 0;
        *(LPWORD)lpszBuffer = (WORD)nMaxLength;
        return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
    }
    int LineFromChar(int nIndex = -1) const { return (int)::SendMessage(m_hWnd, EM_LINEFROMCHAR, nIndex, 0); }
    int GetFirstVisibleLine() const { return (int)::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
    int CharFromPos(POINT pt) const { return (int)::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
    TCHAR GetPasswordChar() const { return (TCHAR)::SendMessage(m_hWnd, EM_GETPASSWORDCHAR, 0, 0); }
};
