#include "framework/WinThread.h"
#include "framework/Wnd.h"
#include "framework/WinState.h"
#include "framework/FrameWnd.h"

#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(FALSE), m_hThread(NULL),
      m_nThreadID(::GetCurrentThreadId()), m_ptCursorLast{-1, -1}, m_nMsgLast(0)
{
    ZeroMemory(&m_msgCur, sizeof(m_msgCur));
    AfxThreadState* s = AfxGetThreadState();
    if (s->pThread == NULL)
        s->pThread = this;
}

CWinThread::~CWinThread()
{
    AfxThreadState* s = AfxGetThreadState();
    if (s->pThread == this)
        s->pThread = NULL;
}

BOOL CWinThread::InitInstance() { return FALSE; }
int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }
CWnd* CWinThread::GetMainWnd() { return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd; }

BOOL AfxWalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    if (AfxWalkPreTranslateTree(pMainWnd ? pMainWnd->m_hWnd : NULL, pMsg))
        return TRUE;
    // The main window also sees messages of other top-level windows (accelerators).
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMsg->hwnd != NULL) {
        HWND hTop = pMsg->hwnd;
        while ((::GetWindowLongPtr(hTop, GWL_STYLE) & WS_CHILD) && ::GetParent(hTop))
            hTop = ::GetParent(hTop);
        if (hTop != pMainWnd->m_hWnd && ::IsWindowEnabled(pMainWnd->m_hWnd))
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

// Messages are fetched and dispatched in their Unicode form: the system turns
// a typed character into the system code page for ANSI windows, and system
// controls get it whole (byte by byte they take two unknown characters).
BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageW(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (AfxIsHeldInput(m_msgCur.hwnd, m_msgCur.message))
        return TRUE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves to the same place and blinking carets must not restart idle work.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y &&
            pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

namespace {
BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    try {
        ((std::vector<HWND>*)lParam)->push_back(hWnd);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

// The frame, then each of its descendants with an object of ours, parents
// before their children. The descendants are listed in one call: walking the
// tree a window at a time asks the window system twice for each window, on
// every idle turn.
void IdleUpdate(CWnd* pWnd)
{
    AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    std::vector<HWND> descendants;
    ::EnumChildWindows(pWnd->m_hWnd, CollectWindow, (LPARAM)&descendants);
    for (HWND hChild : descendants) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != NULL)
            AfxCallWndProc(pChild, hChild, WM_IDLEUPDATECMDUI, TRUE, 0);
    }
}

// Every visible top-level frame of the thread, the main window included.
BOOL CALLBACK IdleUpdateFrame(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd != (CWnd*)lParam && ::IsWindowVisible(hWnd) &&
        pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        IdleUpdate(pWnd);
    return TRUE;
}
}  // namespace

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && ::IsWindowVisible(pMainWnd->m_hWnd))
            IdleUpdate(pMainWnd);
        ::EnumThreadWindows(::GetCurrentThreadId(), IdleUpdateFrame, (LPARAM)pMainWnd);
    } else {
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageW(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

CWinThread* AfxGetThread()
{
    return AfxGetThreadState()->pThread;
}

BOOL AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PumpMessage();
    MSG& msg = AfxGetThreadState()->msgCur;
    if (!::GetMessageW(&msg, NULL, 0, 0))
        return FALSE;
    if (AfxIsHeldInput(msg.hwnd, msg.message))
        return TRUE;
    if (msg.message != WM_KICKIDLE && !AfxWalkPreTranslateTree(NULL, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

const MSG* AfxGetCurrentMessage()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? &pThread->m_msgCur : &AfxGetThreadState()->msgCur;
}

BOOL AfxPumpWaitingMessages(HWND hDlg)
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            return FALSE;
        }
        if (hDlg != NULL && ::IsDialogMessageW(hDlg, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}
