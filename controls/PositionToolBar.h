// The dockable "Ctrl Position" bar: left, top, width and height of the selected
// element in four number fields with spin buttons.
#pragma once
#include "framework/ToolBar.h"
#include "framework/Font.h"
#include "framework/Static.h"
#include "framework/Edit.h"
#include "framework/SpinButtonCtrl.h"

class CPositionToolBar : public CToolBar {
public:
    enum { FIELD_LEFT = 188,
           FIELD_TOP = 189,
           FIELD_WIDTH = 190,
           FIELD_HEIGHT = 191,
           SPIN_LEFT = 192,
           CAPTION_LEFT = 196,
           TOOLBAR_ID = 187 };

    CPositionToolBar();
    virtual ~CPositionToolBar();

    void SetRanges(int nMaxLeft, int nMaxTop, int nMaxWidth, int nMaxHeight, BOOL bInit);
    void SetPosition(int nLeft, int nTop);
    void SetSize(int nWidth, int nHeight);

    // The frame's reading of a typed value: the field's number clamped to its
    // spin's range, then limited so that value + nOther stays within the maximum;
    // the field shows the result with its whole text selected.
    int TakeValue(UINT nFieldID, int nOther);

    CEdit* GetField(UINT nFieldID);
    CSpinButtonCtrl* GetSpin(UINT nFieldID);

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nMaxLeft, m_nMaxTop, m_nMaxWidth, m_nMaxHeight;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

private:
    CFont m_font;
    CStatic m_captions[4];
    CEdit m_fields[4];
    CSpinButtonCtrl m_spins[4];

    BOOL CreateControls();
};
