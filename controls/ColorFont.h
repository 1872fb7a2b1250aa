// The studio's text font: a font made from a full LOGFONT, with a text colour,
// a DrawText format and an optional bound device context.
#pragma once
#include <windows.h>
#include "framework/Font.h"
#include "framework/String.h"

class CDC;

class CColorFont : public CFont {
public:
    // Height -14, weight 400; the Microsoft YaHei face when it is installed,
    // otherwise lpszFaceName (cut to LF_FACESIZE - 1 characters).
    explicit CColorFont(LPCTSTR lpszFaceName);
    explicit CColorFont(const LOGFONT& lf);
    virtual ~CColorFont();

    // Replaces the whole LOGFONT and remakes the font.
    BOOL SetLogFont(const LOGFONT& lf);
    const LOGFONT& GetLogFontData() const { return m_logFont; }
    // Copies the stored LOGFONT; returns its size.
    int GetLogFont(LOGFONT* pLogFont) const;

    // With a bound DC also sets its text colour and returns the colour it had;
    // otherwise returns crColor.
    COLORREF SetColor(COLORREF crColor);
    COLORREF GetColor() const { return m_crColor; }

    void BindDC(HDC hDC) { m_hBoundDC = hDC; }
    HDC GetBoundDC() const { return m_hBoundDC; }

    // The DrawText format the font's users draw with (DT_CENTER at first).
    UINT GetTextFormat() const { return m_nTextFormat; }
    void SetTextFormat(UINT nFormat) { m_nTextFormat = nFormat; }

    // Draws the text into the rectangle in this font, its colour and its
    // text format; the background stays as it is.
    void DrawText(CDC* pDC, const CString& strText, LPRECT lpRect);

    // The face chosen for a requested one: YaHei when installed.
    static CString ChooseFaceName(LPCTSTR lpszFaceName);
    static void InitLogFont(LOGFONT& lf, LPCTSTR lpszFaceName);

private:
    BOOL Remake();

    LOGFONT m_logFont;
    COLORREF m_crColor;
    HDC m_hBoundDC;
    UINT m_nTextFormat;
};
