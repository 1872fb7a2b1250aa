// A tooltip window of the library's own: it keeps its tools, answers the
// tooltip-control messages, shows the tip under the cursor after a delay and
// follows the mouse with a thread mouse hook while the tip is shown.
#pragma once

#include "framework/String.h"
#include "framework/ToolTipCtrl.h"

#include <vector>

const UINT_PTR kToolTipPendingTimer = 1;
// A child window that answers this with 1 lets its parent stand for it.
const UINT kToolTipUseParentMessage = 10824;

// The extended tool record: the tool information up to its lParam, its size field
// TTTOOLINFOA_V2_SIZE (44 on 32-bit), followed by a second tool rectangle.
struct CVZRToolInfoEx {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    RECT secondRect;
};

class CVZRToolTipContextToolTip : public CToolTipCtrl {
    DECLARE_DYNAMIC(CVZRToolTipContextToolTip)
public:
    CVZRToolTipContextToolTip();
    ~CVZRToolTipContextToolTip() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0) override;

    // The tooltip that shows a tip now, if any.
    static CVZRToolTipContextToolTip* GetVisible();
    static bool IsMouseHooked();
    bool IsShowing() const { return m_shownId != kNone; }
    bool IsPending() const { return m_pendingId != kNone; }
    int GetTipWidthLimit() const { return m_maxWidth; }
    // The second rectangle of the tool of that owner and id; false when it has none.
    bool GetSecondRect(HWND owner, UINT_PTR id, RECT* rect) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Tool {
        CString text;
        bool callback;
        UINT flags;
        HWND owner;
        UINT_PTR id;
        RECT rect;
        bool hasSecondRect;
        RECT secondRect;
    };
    static const UINT_PTR kNone = (UINT_PTR)-1;

    int Find(HWND owner, UINT_PTR id) const;
    // The tool under the cursor, -1 for none (always while a button is held,
    // unless pressing).
    int ToolAtCursor(bool pressing = false) const;
    void Relay(const MSG* msg);
    void Show(int index);
    void Hide();
    void KillPending();
    CString TextOf(const Tool& tool) const;
    COLORREF TextColour() const;
    void Paint();
    LRESULT AddToolEntry(const TOOLINFOA* info);
    LRESULT DeleteToolEntry(const TOOLINFOA* info);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);

    std::vector<Tool> m_tools;
    int m_maxWidth = -1;
    CString m_strTitle;
    UINT m_initialDelay;
    UINT m_reshowDelay;
    BOOL m_bActive = TRUE;
    HWND m_shownOwner = NULL;
    UINT_PTR m_shownId = kNone;
    HWND m_clickedOwner = NULL;
    UINT_PTR m_clickedId = kNone;
    HWND m_pendingOwner = NULL;
    UINT_PTR m_pendingId = kNone;
    DWORD m_lastHide = 0;
    COLORREF m_textColor = CLR_INVALID;
    CString m_strShownText;
};
