#include "installer/ui/PictureStatic.h"

IMPLEMENT_DYNAMIC(CPictureStatic, CStatic)

CPictureStatic::CPictureStatic()
    : m_image(KO_TYPE_PNG), m_nResId(0), m_strResType("VISTA_IMGS"), m_nImageType(KO_TYPE_PNG) {}

CPictureStatic::~CPictureStatic() {}

BOOL CPictureStatic::SetImage(UINT nResId, LPCTSTR lpszResType, int nImageType)
{
    m_nResId = nResId;
    m_strResType = lpszResType ? lpszResType : "VISTA_IMGS";
    m_nImageType = nImageType;
    const BOOL ok = m_image.LoadResource(nResId, m_strResType, nImageType);
    if (m_hWnd)
        Invalidate();
    return ok;
}

void CPictureStatic::EnsureToolTip()
{
    if (m_toolTip.GetSafeHwnd() || !m_hWnd)
        return;
    m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX);
    m_toolTip.Activate(FALSE);
}

BOOL CPictureStatic::SetTooltipText(LPCTSTR lpszText)
{
    if (!lpszText || !m_hWnd)
        return FALSE;
    m_strTip = lpszText;
    EnsureToolTip();
    if (m_toolTip.GetToolCount() == 0) {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, lpszText, &client, 1);
    }
    m_toolTip.UpdateTipText(lpszText, this, 1);
    m_toolTip.Activate(TRUE);
    return TRUE;
}

BOOL CPictureStatic::PreTranslateMessage(MSG *pMsg)
{
    EnsureToolTip();
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

LRESULT CPictureStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        if (m_nResId)
            m_image.Draw(hDC, 0, 0);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (GetStyle() & SS_NOTIFY) {
            ::SetCursor(::LoadCursor(NULL, IDC_HAND));
            return TRUE;
        }
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
