#include "designer/model/ThemedButton.h"
#include "controls/ColorFont.h"
#include "controls/OffscreenDC.h"
#include "framework/ResourceList.h"
#include "imaging/xImage.h"

#include <string.h>

#include <list>
#include <mutex>

int LoadBuiltInThemePicture(CThemePicture& picture, UINT nID, int nLeft, int nTop, int nRight, int nBottom)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), "CTRL_IMGS");
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(nID), "CTRL_IMGS");
    if (hRes == NULL)
        return -1;
    // every new entry starts with the same few pictures: each is decoded once
    // and copied after
    struct Decoded {
        HRSRC hRes;
        int margins[4];
        CThemePicture picture;
        BOOL bLoaded;
    };
    static std::mutex s_lock;
    static std::list<Decoded> s_decoded;
    const int margins[4] = {nLeft, nTop, nRight, nBottom};
    std::lock_guard<std::mutex> hold(s_lock);
    for (const Decoded& d : s_decoded) {
        if (d.hRes == hRes && memcmp(d.margins, margins, sizeof(margins)) == 0) {
            picture = d.picture;
            return d.bLoaded ? 1 : 0;
        }
    }
    Decoded d = {hRes, {nLeft, nTop, nRight, nBottom}, CThemePicture(), FALSE};
    d.picture.SetMargins(nLeft, nTop, nRight, nBottom);
    d.bLoaded = d.picture.LoadResource(hRes);
    s_decoded.push_back(d);
    picture = d.picture;
    return d.bLoaded ? 1 : 0;
}

BEGIN_MESSAGE_MAP(CThemedButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEHOVER, &CThemedButton::OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, &CThemedButton::OnMouseLeave)
END_MESSAGE_MAP()

CThemedButton::CThemedButton()
    : CThemeImageReader(CThemeSettings::MENU_THEME), m_pFont(new CColorFont("Tahoma")),
      m_bTracking(FALSE), m_bHover(FALSE)
{
}

CThemedButton::~CThemedButton()
{
    delete m_pFont;
}

BOOL CThemedButton::LoadThemeImage(int index, const unsigned char* data, unsigned size,
                                   int left, int top, int right, int bottom)
{
    m_images[index].SetMargins(left, top, right, bottom);
    return m_images[index].LoadMemory(data, size, CXIMAGE_FORMAT_UNKNOWN);
}

BOOL CThemedButton::LoadDefaultTheme()
{
    static const UINT kIds[CThemeSettings::IMAGE_COUNT] = {139, 138, 140, 137};
    m_settings.m_nClipLeft = m_settings.m_nClipTop = m_settings.m_nClipRight = m_settings.m_nClipBottom = 3;
    BOOL bAll = TRUE;
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        int nResult = LoadBuiltInThemePicture(m_images[i], kIds[i], 3, 3, 3, 3);
        if (nResult == 0)
            return FALSE;
        // A missing picture is skipped, but the load is not reported as whole.
        if (nResult < 0)
            bAll = FALSE;
    }
    return bAll;
}

void CThemedButton::SetTextFont(const CColorFont& font)
{
    CColorFont* pNew = new CColorFont(font.GetLogFontData());
    pNew->SetTextFormat(font.GetTextFormat());
    pNew->SetColor(font.GetColor());
    delete m_pFont;
    m_pFont = pNew;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CThemedButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

BOOL CThemedButton::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CThemedButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        Invalidate(FALSE);
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::TrackMouseEvent(&tme);
    }
    CButton::OnMouseMove(nFlags, point);
}

LRESULT CThemedButton::OnMouseHover(WPARAM, LPARAM)
{
    m_bHover = TRUE;
    Invalidate(TRUE);
    return 0;
}

LRESULT CThemedButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate(FALSE);
    return 0;
}

void CThemedButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pTarget = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect client = lpDrawItemStruct->rcItem;
    COffscreenDC dc(pTarget, &client);
    CDC* pDC = dc.IsValid() ? (CDC*)&dc : pTarget;
    pDC->FillSolidRect(&client, pTarget->GetBkColor());

    UINT nState = lpDrawItemStruct->itemState;
    BOOL bSmooth = m_settings.m_bAntiAlias;
    CRect text = client;
    if ((nState & ODS_FOCUS) || m_bHover) {
        m_images[HOVER].Draw(pDC, client, 0, bSmooth);
        if (nState & ODS_SELECTED) {
            m_images[SELECTED].Draw(pDC, client, 0, bSmooth);
            text.left += 5;
        }
    } else {
        m_images[(nState & ODS_DISABLED) ? DISABLED : NORMAL].Draw(pDC, client, 0, bSmooth);
    }

    CString strText;
    GetWindowText(strText);
    CScopedSelect select(pDC, m_pFont);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor((nState & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : m_pFont->GetColor());
    pDC->DrawText(strText, &text, m_pFont->GetTextFormat());
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}
