// A thread with a message loop: idle processing, PreTranslateMessage, pump.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/CmdTarget.h"

class CWnd;

class FW_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd();

private:
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
};

FW_API CWinThread* AfxGetThread();
// One message through the current thread's pump; FALSE on WM_QUIT.
FW_API BOOL AfxPumpMessage();
// The message AfxPumpMessage took last (WM_QUIT with its code once it failed).
FW_API const MSG* AfxGetCurrentMessage();
// Handles every message waiting in this thread's queue, dialog keys going to
// hDlg (may be NULL), then returns TRUE. A WM_QUIT is posted again for the
// main loop and ends the pumping with FALSE.
FW_API BOOL AfxPumpWaitingMessages(HWND hDlg);
// Offers a message to the windows from pMsg->hwnd up to hWndStop.
FW_API BOOL AfxWalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
