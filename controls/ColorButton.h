// A push button showing a colour swatch and a drop-down arrow; a click opens
// a colour picker popup under it. Reports go to the parent window with the
// colour in wParam and the button's id in lParam.
#pragma once
#include <windows.h>
#include "framework/Button.h"
#include "framework/Font.h"
#include "framework/ScopedHandle.h"
#include "framework/ToolTipCtrl.h"

#define MSG_COLOR_CHANGED (WM_USER + 1001)
#define MSG_COLOR_DROPDOWN (WM_USER + 1002)
#define MSG_COLOR_CLOSEUP (WM_USER + 1003)
#define MSG_COLOR_ACCEPTED (WM_USER + 1004)
#define MSG_COLOR_CANCELLED (WM_USER + 1005)

#ifndef CLR_DEFAULT
#define CLR_DEFAULT 0xFF000000L
#endif

class CColorButton : public CButton {
    DECLARE_DYNCREATE(CColorButton)
public:
    CColorButton();

    COLORREF GetColor() const { return m_crColor; }
    void SetColor(COLORREF crColor);
    COLORREF GetDefaultColor() const { return m_crDefault; }
    void SetDefaultColor(COLORREF crColor) { m_crDefault = crColor; }
    void SetDefaultText(LPCTSTR lpszText) { m_strDefaultText = lpszText; }
    void SetCustomText(LPCTSTR lpszText) { m_strCustomText = lpszText; }
    void SetTrackSelection(BOOL bTrack) { m_bTrackSelection = bTrack; }
    BOOL GetTrackSelection() const { return m_bTrackSelection; }
    BOOL IsPopupOpen() const { return m_bPopupOpen; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnClicked();
    void NotifyParent(UINT message, COLORREF crColor);

    COLORREF m_crColor;
    COLORREF m_crDefault;
    CString m_strDefaultText;
    CString m_strCustomText;
    BOOL m_bPopupOpen;
    BOOL m_bTrackSelection;
};

// The popup of the colour button: 40 named colours in 8 columns, an optional
// automatic box on top and an optional more box below. Frees itself.
class CColorPickerPopup : public CWnd {
public:
    enum { ColorCount = 40,
           Columns = 8 };

    CColorPickerPopup(CPoint ptTopLeft, COLORREF crInitial, CColorButton* pOwner,
                      LPCTSTR lpszDefaultText, LPCTSTR lpszCustomText);
    BOOL Create(CPoint ptTopLeft);

    static COLORREF GetTableColor(int nIndex);
    static LPCTSTR GetTableName(int nIndex);
    // The cell under a client point (a colour index or PICK_CUSTOM,
    // PICK_DEFAULT, PICK_NONE), and the client rectangle of a cell.
    int HitTest(CPoint pt) const;
    CRect GetCellRect(int nCell) const;
    int GetHotCell() const { return m_nHot; }
    int GetChosenCell() const { return m_nChosen; }
    COLORREF GetChosenColor() const { return m_crChosen; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void PostNcDestroy() override;

private:
    void Layout(CPoint ptTopLeft);
    void CreateToolTips();
    void ChooseInitialCell();
    void SetHot(int nCell);
    void MoveKey(UINT nChar);
    void End(BOOL bAccept);
    void OnPaint();
    void DrawCell(CDC& dc, int nCell);
    void DrawBoxEdges(CDC& dc, const CRect& rc, int nCell);
    void DrawTextBox(CDC& dc, int nCell);

    int m_nRows;
    int m_nBoxSize;
    int m_nMargin;
    int m_nHot;
    int m_nChosen;
    CString m_strDefaultText;
    CString m_strCustomText;
    CRect m_rcCustom;
    CRect m_rcDefault;
    CRect m_rcWindow;
    CFont m_font;
    TGdiHandle<HPALETTE> m_hPalette;
    COLORREF m_crInitial;
    COLORREF m_crChosen;
    CToolTipCtrl m_toolTip;
    CColorButton* m_pOwner;
    BOOL m_bColorDialogOpen;
    BOOL m_bEnded;
    BOOL m_bCreating;
};
