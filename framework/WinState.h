// Per-thread state of the window classes (inside the library only).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <unordered_map>
#include <unordered_set>

class CWnd;
class CDC;
class CGdiObject;
class CMenu;
class CImageList;
class CWinThread;

struct AfxThreadState {
    std::unordered_map<HWND, CWnd*> permWnd;
    std::unordered_map<HWND, CWnd*> tempWnd;
    std::unordered_map<HDC, CDC*> tempDC;
    std::unordered_set<CDC*> selectingDC;  // CDCs holding objects they selected
    std::unordered_map<HGDIOBJ, CGdiObject*> tempGdi;
    std::unordered_map<HMENU, CMenu*> tempMenu;
    std::unordered_map<HIMAGELIST, CImageList*> tempImageList;
    CWnd* pWndInit = nullptr;  // the object the next created window belongs to
    HHOOK hHookOldCbt = nullptr;
    MSG lastSent = {};  // message being handled, for Default()
    MSG msgCur = {};    // message being pumped
    CWinThread* pThread = nullptr;
    int nDisablePumpCount = 0;
    BYTE chLeadByte = 0;  // first byte of a double-byte WM_CHAR pair
    HWND hWndLeadByte = nullptr;
    HWND hWndLockoutNotify = nullptr;  // window whose data exchange is running
    bool bOpenNotTried = false;        // the last open stopped at "Save changes?"
    ~AfxThreadState();
};

AfxThreadState* AfxGetThreadState();
void AfxDeleteTempMaps();
