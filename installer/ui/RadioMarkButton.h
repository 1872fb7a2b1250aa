// An owner-drawn radio button with a round mark (or icons or bitmaps for the
// two states) that lights up under the pointer.
#pragma once
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/ToolTipCtrl.h"

class CRadioMarkButton : public CButton {
    DECLARE_DYNAMIC(CRadioMarkButton)
public:
    CRadioMarkButton();
    virtual ~CRadioMarkButton();

    BOOL SetBitmaps(UINT nCheckedId, UINT nUncheckedId);
    void SetCheck(int nCheck, BOOL bRedraw = TRUE);
    int GetCheck() const { return m_bChecked ? BST_CHECKED : BST_UNCHECKED; }
    BOOL IsHovered() const { return m_bHover; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT *pResult) override;

protected:
    virtual void PreSubclassWindow() override;

private:
    void DrawMark(HDC hDC, const RECT &mark, BOOL bDisabled, BOOL bPressed);

    DWORD m_dwStyle;
    BOOL m_bHover;
    BOOL m_bChecked;
    int m_nMarkSize;
    COLORREF m_crChecked, m_crUnchecked;
    HICON m_hIconChecked, m_hIconUnchecked;
    SIZE m_iconSize;
    CBitmap m_bmpChecked, m_bmpUnchecked;
    SIZE m_checkedSize, m_uncheckedSize;
    CToolTipCtrl m_toolTip;
};
