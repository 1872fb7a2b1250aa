// CImageObject: one image drawn into any rectangle as a nine-slice picture:
// corners at their own size, edges stretched along one axis, the centre in both.
#pragma once

#include <string>

#include "designer/model/ImageEx.h"

class CDC;

// A number that is new after every change of what holds it; a copy gets a
// new one too.
class CChangeStamp {
public:
    CChangeStamp() : m_n(Next()) {}
    CChangeStamp(const CChangeStamp&) : m_n(Next()) {}
    CChangeStamp& operator=(const CChangeStamp&)
    {
        m_n = Next();
        return *this;
    }
    void Touch() { m_n = Next(); }
    LONG Get() const { return m_n; }

private:
    static LONG Next();
    LONG m_n;
};

class CImageObject {
public:
    CImageObject();
    virtual ~CImageObject();

    // Border widths in image pixels; set before a load. All 0: drawn whole.
    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);

    // Each loads the whole image and cuts the slices; FALSE when either fails.
    BOOL LoadResource(HRSRC hRes);
    BOOL LoadFile(LPCTSTR lpszPath);
    BOOL LoadMemory(const BYTE* pData, DWORD dwSize, DWORD dwImageType);

    // FALSE (and nothing drawn) when no image is loaded; dwReserved is not read.
    BOOL Draw(CDC* pDC, const RECT& rect, DWORD dwReserved = 0, BOOL bSmooth = FALSE);
    // TRUE when Draw draws nothing outside the rectangle.
    BOOL StaysInside(const RECT& rect) const;
    // TRUE when Draw sets every pixel of the rectangle.
    BOOL Covers(const RECT& rect) const { return m_bAllSlices && StaysInside(rect); }
    // Changes with every load, margin change and copy.
    LONG GetChangeStamp() const { return m_stamp.Get(); }

protected:
    BOOL CutSlices();
    // The nine slices into the rectangle.
    void DrawSlices(HDC hdc, const RECT& rect, BOOL bSmooth) const;

    enum { TOP_LEFT,
           TOP_RIGHT,
           BOTTOM_RIGHT,
           BOTTOM_LEFT,
           TOP,
           RIGHT,
           BOTTOM,
           LEFT,
           CENTRE,
           SLICES };

    CImageEx m_slices[SLICES];
    CImageEx m_whole;
    BOOL m_bWhole;
    BOOL m_bValid;
    int m_nTop;
    int m_nBottom;
    int m_nLeft;
    int m_nRight;
    int m_nWidth;
    int m_nHeight;
    CChangeStamp m_stamp;
    // Set by CutSlices: every slice has pixels, and a key of the image and
    // its margins, shared by every holder of the same picture.
    BOOL m_bAllSlices = FALSE;
    std::string m_contentKey;
};
