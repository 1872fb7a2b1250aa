// Runs steps from a thread timer while a modal dialog's own loop runs; a step
// returns false to be tried again at the next tick. After too many ticks the
// abort step ends the dialog so that a failing test cannot hang.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CDialogDriver {
public:
    typedef std::function<bool()> Step;
    CDialogDriver(std::vector<Step> steps, std::function<void()> abort)
        : m_steps(std::move(steps)), m_abort(std::move(abort))
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(NULL, 0, 30, Tick);
    }
    ~CDialogDriver()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pCurrent = NULL;
    }
    bool Finished() const { return m_nNext == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CDialogDriver* d = s_pCurrent;
        if (d == NULL || d->m_bBusy)
            return;
        d->m_bBusy = true;
        if (++d->m_nTicks > 300)
            d->m_abort();
        else if (d->m_nNext < d->m_steps.size() && d->m_steps[d->m_nNext]())
            ++d->m_nNext;
        d->m_bBusy = false;
    }
    static inline CDialogDriver* s_pCurrent = NULL;
    std::vector<Step> m_steps;
    std::function<void()> m_abort;
    size_t m_nNext = 0;
    int m_nTicks = 0;
    bool m_bBusy = false;
    UINT_PTR m_nTimer = 0;
};

inline BOOL CALLBACK FindOwnedBoxProc(HWND hWnd, LPARAM lParam)
{
    auto* f = reinterpret_cast<std::pair<HWND, HWND>*>(lParam);
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (hWnd != f->first && ::GetWindow(hWnd, GW_OWNER) == f->first && lstrcmpA(szClass, "#32770") == 0) {
        f->second = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A message box of this thread owned by hOwner, or NULL.
inline HWND FindOwnedMessageBox(HWND hOwner)
{
    std::pair<HWND, HWND> find(hOwner, NULL);
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnedBoxProc, (LPARAM)&find);
    return find.second;
}

inline std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

// The static text of a message box (its prompt).
inline std::string MessageBoxText(HWND hBox)
{
    return WindowText(::GetDlgItem(hBox, 0xFFFF));
}
