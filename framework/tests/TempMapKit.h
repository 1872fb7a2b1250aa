// Live handles of the five kinds that get temporary wrappers, for tests of
// when those wrappers are freed.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/Wnd.h"
#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/ImageList.h"
#include "framework/WinState.h"
#include <memory>
#include <vector>

// A flag of no meaning to the library: set on a temporary CWnd, it tells that
// wrapper from a new one made for the same window.
const UINT kTestMark = 0x40000000;

class CHandleSet {
public:
    explicit CHandleSet(int n)
    {
        for (int i = 0; i < n; ++i) {
            m_wnds.push_back(::CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 4, 4, NULL, NULL, NULL, NULL));
            m_dcs.push_back(::CreateCompatibleDC(NULL));
            m_brushes.push_back(::CreateSolidBrush(RGB(i, 1, 2)));
            m_menus.push_back(::CreateMenu());
            m_lists.push_back(ImageList_Create(4, 4, ILC_COLOR, 1, 1));
        }
    }
    ~CHandleSet()
    {
        for (HWND h : m_wnds)
            ::DestroyWindow(h);
        for (HDC h : m_dcs)
            ::DeleteDC(h);
        for (HBRUSH h : m_brushes)
            ::DeleteObject(h);
        for (HMENU h : m_menus)
            ::DestroyMenu(h);
        for (HIMAGELIST h : m_lists)
            ImageList_Destroy(h);
    }
    bool Made() const
    {
        for (size_t i = 0; i < m_wnds.size(); ++i) {
            if (!m_wnds[i] || !m_dcs[i] || !m_brushes[i] || !m_menus[i] || !m_lists[i])
                return false;
        }
        return true;
    }
    // The wrapper of every handle, as FromHandle gives it now.
    std::vector<const void*> Wrap() const
    {
        std::vector<const void*> v;
        for (size_t i = 0; i < m_wnds.size(); ++i) {
            v.push_back(CWnd::FromHandle(m_wnds[i]));
            v.push_back(CDC::FromHandle(m_dcs[i]));
            v.push_back(CGdiObject::FromHandle(m_brushes[i]));
            v.push_back(CMenu::FromHandle(m_menus[i]));
            v.push_back(CImageList::FromHandle(m_lists[i]));
        }
        return v;
    }
    // Every wrapper still names its handle.
    bool WrappersHoldTheirHandles() const
    {
        for (size_t i = 0; i < m_wnds.size(); ++i) {
            if (CWnd::FromHandle(m_wnds[i])->m_hWnd != m_wnds[i] || CDC::FromHandle(m_dcs[i])->m_hDC != m_dcs[i] ||
                CGdiObject::FromHandle(m_brushes[i])->m_hObject != m_brushes[i] ||
                CMenu::FromHandle(m_menus[i])->m_hMenu != m_menus[i] ||
                CImageList::FromHandle(m_lists[i])->m_hImageList != m_lists[i])
                return false;
        }
        return true;
    }
    HWND Wnd(size_t i) const { return m_wnds[i]; }

private:
    std::vector<HWND> m_wnds;
    std::vector<HDC> m_dcs;
    std::vector<HBRUSH> m_brushes;
    std::vector<HMENU> m_menus;
    std::vector<HIMAGELIST> m_lists;
    CHandleSet(const CHandleSet&);
    CHandleSet& operator=(const CHandleSet&);
};

// Frees every temporary wrapper, as the idle time outside modal loops does.
inline void DeleteAllTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

// The temporary CWnd of hWnd, marked so that a later call tells whether it is
// still the same one.
inline CWnd* MarkedTempWnd(HWND hWnd)
{
    CWnd* p = CWnd::FromHandle(hWnd);
    p->m_nFlags |= kTestMark;
    return p;
}

inline bool IsMarked(HWND hWnd) { return (CWnd::FromHandle(hWnd)->m_nFlags & kTestMark) != 0; }

// The work of one idle pass of a modal loop under test: checks that the
// wrappers got before the loop are still the ones it got, then makes a new
// set of wrappers for the loop to free.
class CIdleWrapperWork {
public:
    CIdleWrapperWork(int nPerPass, int nPasses) : m_held(1), m_nPerPass(nPerPass), m_nPasses(nPasses) {}
    // Before the loop: the held wrappers, marked; gives the count of wrappers then.
    size_t Hold()
    {
        DeleteAllTempMaps();
        m_heldWrappers = m_held.Wrap();
        MarkedTempWnd(m_held.Wnd(0));
        return AfxGetTempWrapperCount();
    }
    bool HandlesMade() const { return m_held.Made(); }
    // One idle pass; false once the last pass is done.
    bool Pass(int nPass)
    {
        m_bHeldKept = m_bHeldKept && m_held.Wrap() == m_heldWrappers && IsMarked(m_held.Wnd(0));
        if (nPass == m_nPasses)
            return false;
        m_made.emplace_back(new CHandleSet(m_nPerPass));
        m_made.back()->Wrap();
        return m_made.back()->Made();
    }
    bool HeldKept() const
    {
        return m_bHeldKept && m_held.Wrap() == m_heldWrappers && m_held.WrappersHoldTheirHandles() &&
               IsMarked(m_held.Wnd(0));
    }

private:
    CHandleSet m_held;
    std::vector<const void*> m_heldWrappers;
    std::vector<std::unique_ptr<CHandleSet>> m_made;
    const int m_nPerPass, m_nPasses;
    bool m_bHeldKept = true;
};
