// CButtonPrpDlg: the menu entry's property dialog: caption, GRUB title,
// commands, theme, shortcut, password and the caption's font, with a live
// preview of the themed button.
#pragma once

#include "designer/propdlg/EntryPrpDlg.h"
#include "designer/model/ThemedButton.h"

class CButtonPrpDlg : public CEntryPrpDlg {
public:
    CButtonPrpDlg();
    virtual ~CButtonPrpDlg();

    virtual void InitControls() override;
    CThemedButton& GetPreview() { return m_preview; }

protected:
    virtual void OnApply() override;
    virtual void ShowFont() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnThemeButton();
    DECLARE_MESSAGE_MAP()

protected:
    CThemedButton m_preview;
};
