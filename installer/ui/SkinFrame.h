// A dialog's window frame drawn from a theme (theme.ini and its bitmaps):
// caption strip, borders, caption buttons, icon and title, with an optional
// window shape cut by a key colour.
#pragma once
#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/String.h"
#include "installer/ui/SkinGeometry.h"
#include "installer/ui/SubclassWnd.h"

class CSkinFrame : public CSubclassWnd {
    DECLARE_DYNAMIC(CSkinFrame)
public:
    enum { STATE_NORMAL = 0,
           STATE_MAXIMISED = 1,
           STATE_MINIMISED = 2 };

    CSkinFrame();
    ~CSkinFrame() override;

    // FALSE, and nothing loaded, when a border or caption button bitmap is
    // missing or unreadable.
    BOOL LoadTheme(LPCTSTR lpszIniPath);
    // Hooks the window and takes over its system menu, minimise and maximise
    // boxes; only with a loaded theme.
    BOOL Attach(CWnd *pWnd);

    BOOL IsLoaded() const { return m_bLoaded; }
    int GetState() const { return m_nState; }
    const SkinFrameMetrics &GetMetrics() const { return m_metrics; }
    BOOL UsesKeyColour() const { return m_bUsesTran; }
    COLORREF GetKeyColour() const { return m_crKey; }
    // Caption button in window coordinates: 0 close, 1 maximise or restore,
    // 2 minimise; empty when its bitmap is missing.
    SkinRect CaptionButtonRect(int nIndex, int nWindowWidth) const;
    int HitTest(int x, int y) const;  // window coordinates

    void Maximise();
    void Restore();
    void Minimise();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Unload();
    BOOL LoadBitmapKey(LPCTSTR lpszIni, LPCTSTR lpszKey, CBitmap &bitmap);
    void Paint();
    void DrawBorders(CDC *pDC, int width, int height, BOOL bTop, BOOL bSides, BOOL bBottom);
    void DrawCaptionButtons(CDC *pDC, int width);
    void DrawButton(CDC *pDC, CBitmap &bitmap, const SkinRect &rect, int nFrame);
    void DrawIconAndTitle(CDC *pDC, int width);
    HRGN MakeWindowRegion(int width, int height);
    void SetFrameRegion();
    void ShowSystemMenu(int x, int y);
    BOOL OnSystemCommand(UINT nId);
    SkinRect WindowSize() const;

    CString m_strCaption;
    CBitmap m_bmpTop, m_bmpLeft, m_bmpRight, m_bmpBottom;
    int m_nLastHit, m_nHoverHit, m_nPressedHit;
    int m_nDownHit;  // where the left button went down, while it stays there
    SkinSplit m_splitTop, m_splitLeft, m_splitRight, m_splitBottom;
    CBitmap m_bmpMin, m_bmpMax, m_bmpClose, m_bmpRestore;
    SkinRect m_placeMin, m_placeMax, m_placeClose, m_placeRestore;
    int m_nState, m_nStateBeforeMin;
    RECT m_rcSaved;
    BOOL m_bResizable, m_bMinBox, m_bMaxBox;
    SkinFrameMetrics m_metrics;
    int m_nImageCount;
    int m_nTextShift, m_nTextShiftVert;
    COLORREF m_crTitle, m_crInactiveTitle, m_crKey;
    BOOL m_bUsesTran, m_bLoaded, m_bActive;
    BOOL m_bRegionSet;
};
