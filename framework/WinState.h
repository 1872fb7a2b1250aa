// Per-thread state of the window classes (inside the library only; tests
// read the count of temporary wrappers).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/FwDefs.h"
#include <unordered_map>
#include <unordered_set>

class CWnd;
class CDC;
class CGdiObject;
class CMenu;
class CImageList;
class CWinThread;

// A wrapper FromHandle made, numbered in the order of making.
template <class T>
struct AfxTempEntry {
    T* p;
    ULONGLONG nMade;
};
template <class H, class T>
using AfxTempMap = std::unordered_map<H, AfxTempEntry<T>>;

struct AfxThreadState {
    std::unordered_map<HWND, CWnd*> permWnd;
    AfxTempMap<HWND, CWnd> tempWnd;
    AfxTempMap<HDC, CDC> tempDC;
    std::unordered_set<CDC*> selectingDC;  // CDCs holding objects they selected
    AfxTempMap<HGDIOBJ, CGdiObject> tempGdi;
    AfxTempMap<HMENU, CMenu> tempMenu;
    AfxTempMap<HIMAGELIST, CImageList> tempImageList;
    ULONGLONG nTempMade = 0;  // wrappers made so far
    // Wrappers numbered up to this outlive a sweep: the running modal loop's
    // caller may still hold them.
    ULONGLONG nTempKept = 0;
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

// Frees the temporary wrappers of the thread, but inside a modal loop only
// those made since that loop began.
void AfxDeleteTempMaps();
// Wrappers the temporary maps of the thread hold (tests watch it).
FW_API size_t AfxGetTempWrapperCount();

template <class H, class T>
T* AfxFindTemp(AfxTempMap<H, T>& map, H h)
{
    auto it = map.find(h);
    return it == map.end() ? nullptr : it->second.p;
}

template <class H, class T>
void AfxAddTemp(AfxThreadState* s, AfxTempMap<H, T>& map, H h, T* p)
{
    map[h] = AfxTempEntry<T>{p, ++s->nTempMade};
}

// forget(p) takes the borrowed handle out of the wrapper before it is deleted.
template <class H, class T, class Forget>
void AfxSweepTemps(const AfxThreadState* s, AfxTempMap<H, T>& map, Forget forget)
{
    for (auto it = map.begin(); it != map.end();) {
        if (it->second.nMade <= s->nTempKept) {
            ++it;
            continue;
        }
        T* p = it->second.p;
        it = map.erase(it);
        forget(p);
        delete p;
    }
}

// Held by a modal loop while it runs: the sweeps keep what was made before
// it began, and Sweep at the loop's idle frees what the loop made.
class CModalTempScope {
public:
    CModalTempScope();
    ~CModalTempScope();
    void Sweep();

private:
    AfxThreadState* m_pState;
    ULONGLONG m_nOuterKept;
    ULONGLONG m_nSwept;  // nTempMade at the last sweep
    CModalTempScope(const CModalTempScope&);
    CModalTempScope& operator=(const CModalTempScope&);
};
