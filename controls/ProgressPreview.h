// Shows the chunk colour of a progress bar as a rounded, shaded bar.
#pragma once
#include <windows.h>
#include "framework/DC.h"
#include "framework/Static.h"

class CProgressPreview : public CStatic {
public:
    CProgressPreview();
    virtual ~CProgressPreview();

    void SetBkColor(COLORREF crColor);
    void SetChunkColor(COLORREF crColor) { m_crChunk = crColor; }
    COLORREF GetChunkColor() const { return m_crChunk; }
    // Draws the bar again into the memory image and repaints.
    void Redraw();
    // Saves columns 3 and 4 of the bar as a 2-pixel-wide PNG (the chunk picture).
    BOOL SaveImage(LPCTSTR lpszPath);

    // The bar in rect: shaded rows, lightened top half, rounded corners.
    static void DrawBar(CDC* pDC, const CRect& rect, COLORREF crChunk, COLORREF crBack);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL MakeImage();
    void FreeImage();

    CDC m_memDC;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    COLORREF m_crBack;
    COLORREF m_crChunk;
    CRect m_rcClient;
};
