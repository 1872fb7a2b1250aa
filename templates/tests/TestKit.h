// Helpers of the library's window tests: a driver that runs steps from a
// timer while a modal loop runs, files, list items and message boxes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A step returns false to be tried again at the next tick; after 300 ticks
// the abort step ends the dialog so that a failing test cannot hang.
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

inline void WriteFile(const char* path, const char* text)
{
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(nullptr, f) << path;
    std::fputs(text, f);
    std::fclose(f);
}

inline std::string ReadFile(const char* path)
{
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return "<missing>";
    char buf[256];
    size_t n = std::fread(buf, 1, sizeof(buf), f);
    std::fclose(f);
    return std::string(buf, n);
}

inline std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

// Item texts of a list control, sorted.
inline std::vector<std::string> ListItems(HWND hList)
{
    std::vector<std::string> items;
    for (int i = 0; i < ListView_GetItemCount(hList); ++i) {
        char sz[MAX_PATH] = "";
        ListView_GetItemText(hList, i, 0, sz, MAX_PATH);
        items.push_back(sz);
    }
    std::sort(items.begin(), items.end());
    return items;
}

inline int FindItem(HWND hList, const char* name)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = name;
    return (int)::SendMessageA(hList, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
}

inline bool SelectItem(HWND hList, const char* name)
{
    int i = FindItem(hList, name);
    if (i >= 0)
        ListView_SetItemState(hList, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return i >= 0;
}

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

// A dialog box of this thread owned by hOwner (a message box, a browser), or NULL.
inline HWND FindOwnedBox(HWND hOwner)
{
    std::pair<HWND, HWND> find(hOwner, NULL);
    if (hOwner != NULL)
        ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnedBoxProc, (LPARAM)&find);
    return find.second;
}

// Steps that wait for a box owned by hOwner, keep its text and caption and
// close it with nCommand, then wait until it is gone.
inline std::vector<CDialogDriver::Step> AnswerBox(const HWND& hOwner, std::string* text, std::string* caption,
                                                  int nCommand)
{
    return {
        [&hOwner, text, caption, nCommand] {
            HWND hBox = FindOwnedBox(hOwner);
            if (hBox == NULL)
                return false;
            if (text)
                *text = WindowText(::GetDlgItem(hBox, 0xFFFF));
            if (caption)
                *caption = WindowText(hBox);
            ::PostMessageA(hBox, WM_COMMAND, nCommand, 0);
            return true;
        },
        [&hOwner] { return FindOwnedBox(hOwner) == NULL; }};
}

inline std::vector<CDialogDriver::Step> operator+(std::vector<CDialogDriver::Step> a,
                                                  const std::vector<CDialogDriver::Step>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
