// Shows the hand pointer of a pointer theme archive over the control and hands
// its arrow pointer to the parent dialog.
#pragma once
#include <windows.h>
#include "framework/Static.h"

// Implemented by the dialog that shows the arrow pointer of a pointer theme.
class ICursorPreviewSink {
public:
    virtual ~ICursorPreviewSink() {}
    virtual void SetCursorPreview(HCURSOR hCursor) = 0;
};

class CCursorPreview : public CStatic {
public:
    enum { KEY_COLOR = 0x420000 };

    CCursorPreview();
    virtual ~CCursorPreview();

    // Reads "cursor.bmp" and "hand.bmp" of the archive; the pointers stay as
    // they were when the archive cannot be opened or an entry is missing.
    BOOL LoadCursors(LPCTSTR lpszArchivePath);
    HCURSOR GetHandCursor() const { return m_hHand; }
    HCURSOR GetArrowCursor() const { return m_hArrow; }

    // A pointer from a bitmap: pixels of crKey are transparent.
    static HCURSOR MakePointer(HBITMAP hBitmap, COLORREF crKey, int nHotX, int nHotY);

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    void Replace(HCURSOR& hTarget, HCURSOR hNew);

    HCURSOR m_hHand;
    HCURSOR m_hArrow;
};
