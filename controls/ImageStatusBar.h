// The main frame's status bar: the position and size panes (indexes 1 and 2,
// owner-drawn) show a small picture in front of their text.
#pragma once
#include "framework/ScopedHandle.h"
#include "framework/StatusBar.h"

#define IDB_STATUS_POSITION 131
#define IDB_STATUS_SIZE 144

class CImageStatusBar : public CStatusBar {
public:
    CImageStatusBar() {}
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    // A pane picture made ready once: its magenta pixels black, and a mask
    // white where they were, so that two plain copies draw it transparent.
    struct PanePicture {
        BOOL bLoaded = FALSE;
        CScopedBitmap image, mask;
        SIZE size = {0, 0};
    };
    // Draws the picture at its own size; returns its width (0 when missing).
    int DrawPicture(HDC hDC, int x, int y, int nPane, UINT nBitmapId);

    PanePicture m_pictures[2];
};
