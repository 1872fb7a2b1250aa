// An owner-drawn push button drawn from a bitmap of state cells in nine
// slices, magenta transparent, with hover tracking.
#pragma once
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "installer/ui/SkinFont.h"

class CBitmapPushButton : public CButton {
    DECLARE_DYNAMIC(CBitmapPushButton)
public:
    enum { IMAGE_NORMAL = 0,
           IMAGE_PRESSED = 1,
           IMAGE_DISABLED = 2,
           IMAGE_HOVER = 3 };

    CBitmapPushButton();
    virtual ~CBitmapPushButton();

    // Builds the four state images at the button's size now from cells 0
    // (normal), 1 (pressed), 3 (hover, focus) and 2 (disabled).
    BOOL SetBitmap(UINT nId, int nCells = 5, int nTop = 8, int nBottom = 8, int nLeft = 8,
                   int nRight = 17, BOOL bSideBySide = TRUE);
    // The same from a bitmap already loaded (not taken over).
    BOOL SetBitmap(HBITMAP hBitmap, int nCells, int nTop, int nBottom, int nLeft, int nRight,
                   BOOL bSideBySide);
    void SetTextColour(COLORREF crText);
    BOOL IsHovered() const { return m_bHover; }
    SIZE GetImageSize() const { return m_imageSize; }
    int GetCellCount() const { return m_nCells; }
    RECT GetSlices() const  // left, top, right, bottom
    {
        RECT r = {m_nLeft, m_nTop, m_nRight, m_nBottom};
        return r;
    }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void PreSubclassWindow() override;

private:
    CBitmap m_images[4];
    SIZE m_imageSize;
    BOOL m_bBuilt;
    UINT m_nBitmapId;
    int m_nCells;
    int m_nTop, m_nBottom, m_nLeft, m_nRight;
    BOOL m_bSideBySide;
    COLORREF m_crKey;
    BOOL m_bTracking, m_bHover;
    CSkinFont m_font;
};
