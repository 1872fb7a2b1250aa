// CCaptureInfoBox: the screen capture's hint box, a read-only edit control
// showing white text on its bitmap. A mouse move over it sends it to the
// other top corner of the screen.
#pragma once

#include <windows.h>

#include "framework/Edit.h"
#include "framework/Geometry.h"
#include "framework/ScopedHandle.h"

class CDC;

class CCaptureInfoBox : public CEdit {
public:
    CCaptureInfoBox();
    virtual ~CCaptureInfoBox();

    // The background bitmap of the given resource; FALSE (no bitmap, the
    // box keeps its own size) when it is missing.
    BOOL LoadBackground(UINT nIDBitmap);
    CSize GetBitmapSize() const { return m_sizeBitmap; }
    BOOL IsAtLeftCorner() const { return m_bCorner; }
    // Moves the box to the other top corner of a screen of the given width.
    void ToggleCorner(int nScreenWidth);
    // Colours of the box for the parent's WM_CTLCOLOR handler.
    HBRUSH CtlColor(CDC* pDC);

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    CScopedBitmap m_hBitmap;
    CScopedBrush m_hBrush;
    CSize m_sizeBitmap;
    BOOL m_bCorner;
};
