// CProgressPrpDlg: the progress bar's property dialog: its theme file and an
// optional colour overlay that makes a chunk picture of its own.
#pragma once

#include <windows.h>

#include "designer/propdlg/UIControlPrpDlg.h"
#include "designer/model/ThemedProgressCtrl.h"
#include "controls/ColorButton.h"
#include "controls/ProgressPreview.h"

class CProgressPrpDlg : public CUIControlPrpDlg {
public:
    CProgressPrpDlg();
    virtual ~CProgressPrpDlg();

    virtual void InitControls() override;
    virtual void OnOK() override;
    virtual void OnCancel() override;

    const CString& GetChunkFile() const { return m_strChunkFile; }
    CThemedProgressCtrl& GetBarPreview() { return m_barPreview; }
    CProgressPreview& GetColorPreview() { return m_colorPreview; }
    CColorButton& GetColorButton() { return m_colorButton; }

protected:
    virtual void Tell(UINT nTextID);
    virtual BOOL ChoosePath(LPCTSTR lpszTitle, int nKind);
    virtual void OnApply() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;
    void EnableApply(BOOL bEnable);

    afx_msg void OnThemeButton();
    afx_msg void OnMakeChunkButton();
    afx_msg void OnOverlayBox();
    afx_msg LRESULT OnColorAccepted(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    CString m_strChunkFile;
    CProgressPreview m_colorPreview;
    CColorButton m_colorButton;
    CThemedProgressCtrl m_barPreview;
    DWORD m_dwColorFlags;
    DWORD m_dwFontFlags;
};
