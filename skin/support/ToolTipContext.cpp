#include "skin/support/ToolTipContext.h"

#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/support/ColorTable.h"
#include "skin/support/SysServices.h"

#include <algorithm>
#include <cstddef>
#include <vector>

IMPLEMENT_DYNAMIC(CVZRToolTipContextToolTip, CToolTipCtrl)

static_assert(offsetof(CVZRToolInfoEx, secondRect) == offsetof(TOOLINFOA, lParam) + sizeof(LPARAM),
              "the second rectangle follows the tool information up to its lParam");

namespace {
const char kClassName[] = "VZRToolTipContext";
const int kDefaultCursorHeight = 21;
const int kMaxCursorHeight = 127;
const int kMargin = 3;
const int kNewerStyle = 5;
const COLORREF kNewerStyleText = 0x4C4C4C;

CVZRToolTipContextToolTip* g_visible = NULL;
HHOOK g_mouseHook = NULL;

bool ButtonHeld()
{
    return GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
}

bool IsRelayed(UINT message)
{
    return (message >= 0x200 && message <= 0x209) || (message >= 0xA0 && message <= 0xA9);
}

// Rows of the cursor below its hot spot that show anything.
int CursorVisibleHeight()
{
    ICONINFO info = {};
    HCURSOR cursor = GetCursor();
    if (!cursor || !GetIconInfo(cursor, &info))
        return kDefaultCursorHeight;
    CScopedBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bm = {};
    if (!mask || !GetObjectA(mask, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return kDefaultCursorHeight;
    int height = colour ? bm.bmHeight : bm.bmHeight / 2;
    int stride = (bm.bmWidth + 31) / 32 * 4;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } bi = {};
    bi.header.biSize = sizeof(bi.header);
    bi.header.biWidth = bm.bmWidth;
    bi.header.biHeight = -bm.bmHeight;
    bi.header.biPlanes = 1;
    bi.header.biBitCount = 1;
    std::vector<BYTE> rows((size_t)stride * bm.bmHeight);
    CClientDC screen(NULL);
    if (!GetDIBits(screen, mask, 0, bm.bmHeight, rows.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS))
        return kDefaultCursorHeight;
    int lowest = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            bool andBit = rows[(size_t)y * stride + x / 8] & (0x80 >> (x % 8));
            bool xorBit = !colour && (rows[(size_t)(y + height) * stride + x / 8] & (0x80 >> (x % 8)));
            if (!andBit || xorBit)
                lowest = y;
        }
    }
    if (lowest < 0)
        return kDefaultCursorHeight;
    return std::min(std::max(lowest + 1 - (int)info.yHotspot, 0), kMaxCursorHeight);
}
}  // namespace

CVZRToolTipContextToolTip::CVZRToolTipContextToolTip()
    : m_initialDelay(GetDoubleClickTime()), m_reshowDelay(GetDoubleClickTime() / 5)
{
}

CVZRToolTipContextToolTip::~CVZRToolTipContextToolTip()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CVZRToolTipContextToolTip::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(NULL), kClassName, &wc)) {
        wc.style = CS_SAVEBITS | CS_DROPSHADOW;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, NULL, WS_POPUP | dwStyle, 0, 0, 0, 0,
                    pParentWnd ? pParentWnd->m_hWnd : NULL, NULL);
}

CVZRToolTipContextToolTip* CVZRToolTipContextToolTip::GetVisible() { return g_visible; }

bool CVZRToolTipContextToolTip::IsMouseHooked() { return g_mouseHook != NULL; }

int CVZRToolTipContextToolTip::Find(HWND owner, UINT_PTR id) const
{
    for (size_t i = 0; i < m_tools.size(); ++i) {
        if (m_tools[i].owner == owner && m_tools[i].id == id)
            return (int)i;
    }
    return -1;
}

int CVZRToolTipContextToolTip::ToolAtCursor(bool pressing) const
{
    if (!pressing && ButtonHeld())
        return -1;
    POINT cursor;
    if (!GetCursorPos(&cursor))
        return -1;
    HWND under = WindowFromPoint(cursor);
    for (size_t i = 0; i < m_tools.size(); ++i) {
        const Tool& tool = m_tools[i];
        if (!::IsWindow(tool.owner))
            continue;
        RECT r;
        bool byWindow = (tool.flags & TTF_IDISHWND) != 0;
        if (byWindow) {
            if (!::GetWindowRect((HWND)tool.id, &r))
                continue;
        } else {
            r = tool.rect;
            MapWindowPoints(tool.owner, NULL, reinterpret_cast<POINT*>(&r), 2);
        }
        if (PtInRect(&r, cursor) && (byWindow || under == tool.owner))
            return (int)i;
    }
    return -1;
}

void CVZRToolTipContextToolTip::KillPending()
{
    if (m_pendingId != kNone && m_hWnd)
        ::KillTimer(m_hWnd, kToolTipPendingTimer);
    m_pendingOwner = NULL;
    m_pendingId = kNone;
}

void CVZRToolTipContextToolTip::Relay(const MSG* msg)
{
    if (!msg || !IsRelayed(msg->message) || !m_bActive)
        return;
    // The press itself holds the button: its tool is the one under the cursor all the same.
    bool press = msg->message == WM_LBUTTONDOWN;
    int index = ToolAtCursor(press);
    HWND owner = index >= 0 ? m_tools[index].owner : NULL;
    UINT_PTR id = index >= 0 ? m_tools[index].id : kNone;
    if (press) {
        m_clickedOwner = owner;
        m_clickedId = id;
        KillPending();
        Hide();
        return;
    }
    if (index >= 0 && owner == m_clickedOwner && id == m_clickedId)
        return;
    // While a button is held no tool is found: the clicked one is kept.
    if (!ButtonHeld()) {
        m_clickedOwner = NULL;
        m_clickedId = kNone;
    }
    if (m_pendingId != kNone && (m_pendingOwner != owner || m_pendingId != id))
        KillPending();
    if (IsShowing() && (m_shownOwner != owner || m_shownId != id))
        Hide();
    if (index < 0 || IsShowing() || m_pendingId != kNone)
        return;
    if (GetTickCount() - m_lastHide >= m_reshowDelay) {
        m_pendingOwner = owner;
        m_pendingId = id;
        ::SetTimer(m_hWnd, kToolTipPendingTimer, m_initialDelay, NULL);
    } else {
        Show(index);
    }
}

CString CVZRToolTipContextToolTip::TextOf(const Tool& tool) const
{
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = tool.flags;
    ::SendMessageA(tool.owner, WM_NOTIFY, tool.id, (LPARAM)&info);
    if (info.lpszText && !IS_INTRESOURCE(info.lpszText))
        return CString(info.lpszText);
    return CString(info.szText);
}

void CVZRToolTipContextToolTip::Show(int index)
{
    const Tool& tool = m_tools[index];
    m_strShownText = TextOf(tool);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    CClientDC screen(NULL);
    CScopedSelect selected(screen, font);
    RECT text = {0, 0, m_maxWidth > 0 ? m_maxWidth : 10000, 0};
    CString shown = m_strTitle.IsEmpty() ? m_strShownText : m_strTitle + "\n" + m_strShownText;
    ::DrawTextA(screen, shown, -1, &text, DT_CALCRECT | DT_NOPREFIX | (m_maxWidth > 0 ? DT_WORDBREAK : 0));
    int width = text.right + 2 * kMargin + 2;
    int height = text.bottom + 2 * kMargin + 2;
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    int x = cursor.x;
    if (GetWindowLongA(tool.owner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        x -= width;
    int y = cursor.y + CursorVisibleHeight();
    RECT work = CVZRMonitorInfo::Instance().GetWorkAreaOfCursor();
    x = std::max(std::min(x, (int)work.right - width), (int)work.left);
    if (y + height > work.bottom)
        y = cursor.y - height;
    y = std::max(y, (int)work.top);
    m_shownOwner = tool.owner;
    m_shownId = tool.id;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    g_visible = this;
    if (!g_mouseHook)
        g_mouseHook = SetWindowsHookExA(WH_MOUSE, MouseHook, NULL, GetCurrentThreadId());
}

void CVZRToolTipContextToolTip::Hide()
{
    if (g_visible == this) {
        g_visible = NULL;
        if (g_mouseHook) {
            UnhookWindowsHookEx(g_mouseHook);
            g_mouseHook = NULL;
        }
    }
    if (m_shownId == kNone)
        return;
    m_shownOwner = NULL;
    m_shownId = kNone;
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    m_lastHide = GetTickCount();
}

LRESULT CALLBACK CVZRToolTipContextToolTip::MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    HHOOK hook = g_mouseHook;
    CVZRToolTipContextToolTip* tip = g_visible;
    if (code == HC_ACTION && tip && (wParam == WM_MOUSEMOVE || wParam == WM_NCMOUSEMOVE)) {
        const MOUSEHOOKSTRUCT* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (mouse->hwnd != tip->m_shownOwner && mouse->hwnd != tip->m_hWnd) {
            MSG msg = {};
            msg.hwnd = mouse->hwnd;
            msg.message = WM_MOUSEMOVE;
            msg.pt = mouse->pt;
            ::SendMessageA(tip->m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)&msg);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CVZRToolTipContextToolTip::AddToolEntry(const TOOLINFOA* info)
{
    if (!info || info->cbSize < TTTOOLINFOA_V1_SIZE)
        return FALSE;
    Tool tool;
    tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
    if (!tool.callback && info->lpszText) {
        if (IS_INTRESOURCE(info->lpszText))
            tool.text.LoadString(LOWORD((UINT_PTR)info->lpszText));
        else
            tool.text = info->lpszText;
    }
    tool.flags = info->uFlags;
    tool.owner = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.hasSecondRect = info->cbSize == TTTOOLINFOA_V2_SIZE;
    tool.secondRect = RECT();
    if (tool.hasSecondRect)
        tool.secondRect = reinterpret_cast<const CVZRToolInfoEx*>(info)->secondRect;
    m_tools.push_back(tool);
    return TRUE;
}

bool CVZRToolTipContextToolTip::GetSecondRect(HWND owner, UINT_PTR id, RECT* rect) const
{
    int index = Find(owner, id);
    if (index < 0 || !m_tools[size_t(index)].hasSecondRect)
        return false;
    *rect = m_tools[size_t(index)].secondRect;
    return true;
}

LRESULT CVZRToolTipContextToolTip::DeleteToolEntry(const TOOLINFOA* info)
{
    if (!info)
        return 0;
    int index = Find(info->hwnd, info->uId);
    if (index < 0)
        return 0;
    if (m_shownOwner == info->hwnd && m_shownId == info->uId)
        Hide();
    if (m_clickedOwner == info->hwnd && m_clickedId == info->uId) {
        m_clickedOwner = NULL;
        m_clickedId = kNone;
    }
    if (m_pendingOwner == info->hwnd && m_pendingId == info->uId)
        KillPending();
    m_tools.erase(m_tools.begin() + index);
    return 0;
}

COLORREF CVZRToolTipContextToolTip::TextColour() const
{
    if (m_textColor != CLR_INVALID)
        return m_textColor;
    const CVZRColorTable& colours = CVZRColorTable::Instance();
    return colours.GetStyle() == kNewerStyle ? kNewerStyleText : colours.GetColor(COLOR_INFOTEXT);
}

void CVZRToolTipContextToolTip::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (!dc)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    CScopedSelect font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, TextColour());
    InflateRect(&client, -(kMargin + 1), -(kMargin + 1));
    CString shown = m_strTitle.IsEmpty() ? m_strShownText : m_strTitle + "\n" + m_strShownText;
    ::DrawTextA(dc, shown, -1, &client, DT_NOPREFIX | (m_maxWidth > 0 ? DT_WORDBREAK : 0));
    EndPaint(m_hWnd, &ps);
}

LRESULT CVZRToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOLA:
        return AddToolEntry(reinterpret_cast<const TOOLINFOA*>(lParam));
    case TTM_DELTOOLA:
        return DeleteToolEntry(reinterpret_cast<const TOOLINFOA*>(lParam));
    case TTM_UPDATETIPTEXTA: {
        const TOOLINFOA* info = reinterpret_cast<const TOOLINFOA*>(lParam);
        int index = info ? Find(info->hwnd, info->uId) : -1;
        if (index >= 0) {
            Tool& tool = m_tools[index];
            tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
            tool.text = !tool.callback && info->lpszText && !IS_INTRESOURCE(info->lpszText) ? info->lpszText : "";
        }
        return 0;
    }
    case TTM_GETTOOLCOUNT:
        return (LRESULT)m_tools.size();
    case TTM_ACTIVATE:
        m_bActive = (BOOL)wParam;
        if (!m_bActive) {
            KillPending();
            Hide();
        }
        return 0;
    case TTM_RELAYEVENT:
        Relay(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        int old = m_maxWidth;
        m_maxWidth = (int)lParam;
        return old;
    }
    case TTM_SETTITLEA:
        m_strTitle = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        return TRUE;
    case TTM_SETTIPTEXTCOLOR:
        m_textColor = (COLORREF)wParam;
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_RESHOW)
            m_reshowDelay = LOWORD(lParam);
        else if (wParam == TTDT_INITIAL)
            m_initialDelay = LOWORD(lParam);
        return 0;
    case TTM_POP:
        KillPending();
        Hide();
        return 0;
    case TTM_WINDOWFROMPOINT: {
        const POINT* pt = reinterpret_cast<const POINT*>(lParam);
        HWND window = pt ? WindowFromPoint(*pt) : NULL;
        if (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) &&
            ::SendMessageA(window, kToolTipUseParentMessage, 0, 0) == 1)
            window = ::GetParent(window);
        return (LRESULT)window;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam != kToolTipPendingTimer)
            break;
        ::KillTimer(m_hWnd, kToolTipPendingTimer);
        if (m_pendingId != kNone) {
            int index = ToolAtCursor();
            bool still = index >= 0 && m_tools[index].owner == m_pendingOwner && m_tools[index].id == m_pendingId;
            m_pendingOwner = NULL;
            m_pendingId = kNone;
            if (still)
                Show(index);
        }
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        // A tip destroyed while shown must not leave the hook or the pointer behind.
        KillPending();
        Hide();
        if (g_visible == this)
            g_visible = NULL;
        break;
    default:
        break;
    }
    return CToolTipCtrl::WindowProc(message, wParam, lParam);
}
