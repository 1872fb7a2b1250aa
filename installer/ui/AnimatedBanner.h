// The main dialog's top banner: a background picture with a faint picture
// moving across it from left to right, over and over.
#pragma once
#include "framework/Static.h"
#include "installer/ui/KoImage.h"
#include "installer/ui/SkinFont.h"

class CAnimatedBanner : public CStatic {
    DECLARE_DYNAMIC(CAnimatedBanner)
public:
    enum { TIMER_ID = 2008,
           TIMER_MS = 100 };

    CAnimatedBanner();
    virtual ~CAnimatedBanner();

    // A BMP resource; starts the timer.
    BOOL SetMovingImage(UINT nResId, LPCTSTR lpszResType);
    // A PNG resource.
    BOOL SetBackground(UINT nResId, LPCTSTR lpszResType);
    int GetMovingHeight() const { return (int)m_moving.GetHeight(); }
    int GetBackgroundHeight() const { return (int)m_background.GetHeight(); }
    int GetMovingX() const { return m_x; }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Step(HDC hDC);

    CString m_strCaption;
    CKoImage m_background;
    CKoImage m_moving;
    int m_x;
    CSkinFont m_font;
};
