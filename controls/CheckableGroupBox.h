// CCheckableGroupBox: a group box with a check box (or radio button) in its
// caption that enables the controls inside its frame only while it is on.
// CGroupLine: a static caption followed by an etched line.
#pragma once

#include <windows.h>

#include "framework/Button.h"
#include "framework/Static.h"
#include "framework/String.h"

class CCheckableGroupBox : public CButton {
    DECLARE_DYNAMIC(CCheckableGroupBox)
public:
    enum { TITLE_ID = 0xFFFF };

    CCheckableGroupBox();
    virtual ~CCheckableGroupBox();

    // BS_AUTOCHECKBOX or BS_AUTORADIOBUTTON make the title; other values only
    // pad the caption.
    void SetTitleStyle(UINT nType);
    void SetCheck(int nCheck);
    // The title's state, or -1 without a title window.
    int GetCheck() const;
    void SetGroupId(UINT nId) { m_nGroupId = nId; }
    UINT GetGroupId() const { return m_nGroupId; }
    CButton& GetTitle() { return m_title; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enables the siblings inside the frame by the title's state; inner boxes
    // then apply their own state.
    void UpdateContents();
    void OnTitleClicked();

    CButton m_title;
    UINT m_nGroupId;
};

class CGroupLine : public CStatic {
    DECLARE_DYNAMIC(CGroupLine)
public:
    CGroupLine();
    virtual ~CGroupLine();

    CString m_strCaption;

protected:
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hDC);
};
