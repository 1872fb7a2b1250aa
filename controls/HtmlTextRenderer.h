// Draws a text with a small set of HTML tags (B I U STRIKE SUB SUP CENTER BIG
// SMALL FONT CODE A BR HR) and thirteen entities, word-wrapped into a rectangle.
#pragma once
#include <windows.h>
#include "framework/DC.h"
#include "framework/Geometry.h"
#include "framework/String.h"

class CColorFont;

class CHtmlTextRenderer {
public:
    CHtmlTextRenderer();
    virtual ~CHtmlTextRenderer();

    // The text to draw and the host font (its LOGFONT and colour).
    void SetText(LPCTSTR lpszText) { m_strText = lpszText ? lpszText : ""; }
    const CString& GetText() const { return m_strText; }
    void SetFont(const LOGFONT& lf, COLORREF crColor);
    void SetFont(const CColorFont& font);
    void SetTransparent(BOOL bTransparent) { m_bTransparent = bTransparent; }
    void SetMargins(int nLeft, int nRight)
    {
        m_nLeftMargin = nLeft;
        m_nRightMargin = nRight;
    }

    // Draws the text into rect of pDC; an empty text leaves the target untouched.
    void Draw(CDC* pDC, const CRect& rect);
    // Lays out one run from the line top on; returns the x where its last line
    // ends and moves rect.top to the next free line position.
    int DrawLine(CDC* pDC, LPCTSTR lpszRun, CRect& rect, int nIndent);
    // The next word (up to and including a blank) with entities decoded; a line
    // feed ends it with a blank and sets bLineBreak.
    static CString GetNextWord(LPCTSTR& lpszPos, BOOL& bLineBreak);
    // The character of an entity code (2 to 14); a blank for any other code.
    static TCHAR DecodeEntity(BYTE nCode);
    // Entity codes are fixed by the table order; kept for the hosts' start-up.
    static void InitEntityCodes() {}
    // The text with "\r\n" escapes turned into line breaks and entities into
    // their two-byte form (a marker byte 0x01 and the code).
    static CString PrepareText(const CString& strText);

protected:
    // Draws one finished line; tests see every line here.
    virtual void OutputLine(CDC* pDC, int x, int y, const CString& strLine);

private:
    struct RunState;
    void ResetState(int nTop);
    LPCTSTR ApplyTag(LPCTSTR p, RunState& state, CString& strRun);
    void ReadFontAttributes(LPCTSTR p, LPCTSTR pEnd, RunState& state);
    void DrawRun(CDC* pDC, const CString& strRun, RunState& state);
    // Draws the prepared text into a w x h area at the origin of pDC.
    void DrawRuns(CDC* pDC, const CString& strText, int w, int h);

    CString m_strText;
    LOGFONT m_hostFont;
    COLORREF m_crHostColor;
    BOOL m_bTransparent;
    int m_nLeftMargin;
    int m_nRightMargin;
    int m_nLineTop;
    int m_nBold, m_nItalic, m_nUnderline, m_nStrikeOut, m_nCenter, m_nSubscript, m_nSuperscript;
    int m_nPendingRules;
    int m_nRuleThickness;
    BOOL m_bLineBreak;
};
