// Runs test steps from a thread timer while a modal loop (ours or the
// system's) runs. A step returns false to be tried again at the next tick;
// after too many ticks the abort step ends the dialog so a failing test
// cannot hang.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>

class CDriver {
public:
    typedef std::function<bool()> Step;
    CDriver(std::vector<Step> steps, std::function<void()> abort)
        : m_steps(std::move(steps)), m_abort(std::move(abort))
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(NULL, 0, 30, Tick);
    }
    ~CDriver()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pCurrent = NULL;
    }
    bool Finished() const { return m_nNext == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CDriver* d = s_pCurrent;
        if (d == NULL || d->m_bBusy)
            return;
        d->m_bBusy = true;
        if (++d->m_nTicks > 300) {
            d->m_abort();
        } else if (d->m_nNext < d->m_steps.size() && d->m_steps[d->m_nNext]()) {
            ++d->m_nNext;
        }
        d->m_bBusy = false;
    }
    static inline CDriver* s_pCurrent = NULL;
    std::vector<Step> m_steps;
    std::function<void()> m_abort;
    size_t m_nNext = 0;
    int m_nTicks = 0;
    bool m_bBusy = false;
    UINT_PTR m_nTimer = 0;
};
