#include "skin/draw/SkinPaintDC.h"

#include "framework/Wnd.h"

#include <cstring>

CVZRSkinPaintDC::CVZRSkinPaintDC(HWND window) : m_hWnd(window)
{
    memset(&m_ps, 0, sizeof(m_ps));
    const MSG* msg = CWnd::GetCurrentMessage();
    if (msg && msg->hwnd == window && (msg->message == WM_PAINT || msg->message == WM_PRINTCLIENT) && msg->wParam) {
        DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(msg->wParam));
        if (type == OBJ_DC || type == OBJ_MEMDC) {
            Attach(reinterpret_cast<HDC>(msg->wParam));
            return;
        }
    }
    HDC dc = window ? ::BeginPaint(window, &m_ps) : NULL;
    if (dc) {
        m_bBeginPaint = true;
        Attach(dc);
    }
}

CVZRSkinPaintDC::~CVZRSkinPaintDC()
{
    if (m_hDC)
        RestoreSelections();
    if (m_bBeginPaint)
        ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
