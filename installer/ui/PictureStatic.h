// A static control that shows a picture from the program's resources, turns
// the pointer into a hand when it is clickable (SS_NOTIFY) and has a tip.
#pragma once
#include "framework/Static.h"
#include "framework/String.h"
#include "installer/ui/KoImage.h"
#include "installer/ui/VistaToolTipCtrl.h"

class CPictureStatic : public CStatic {
    DECLARE_DYNAMIC(CPictureStatic)
public:
    CPictureStatic();
    virtual ~CPictureStatic();

    // Loads the picture of the id and resource type from the program.
    BOOL SetImage(UINT nResId, LPCTSTR lpszResType = "VISTA_IMGS", int nImageType = KO_TYPE_PNG);
    BOOL SetTooltipText(LPCTSTR lpszText);
    const CKoImage &GetImage() const { return m_image; }
    CVistaToolTipCtrl &GetToolTip() { return m_toolTip; }

    virtual BOOL PreTranslateMessage(MSG *pMsg) override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnsureToolTip();

    CKoImage m_image;
    CString m_strTip;
    CVistaToolTipCtrl m_toolTip;
    UINT m_nResId;
    CString m_strResType;
    int m_nImageType;
};
