#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "framework/tests/TempMapKit.h"
#include "framework/tests/WinTestRes.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Runs m_onIdle at the first idle message of each idle time of its modal
// loop, and starts the next idle time at once, until m_onIdle says stop.
class CIdleDlg : public CDialog {
public:
    CIdleDlg() : CDialog(IDD_TEST) {}
    std::function<bool(int)> m_onIdle;  // gets the pass number; false ends the dialog
    std::function<void()> m_onCommand;  // runs for a posted WM_APP
    int m_nPasses = 0;
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount != 0)
            return FALSE;
        if (m_nPasses < 200 && m_onIdle(m_nPasses++))
            PostMessage(WM_NULL);
        else
            EndDialog(IDOK);
        return FALSE;
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM)
    {
        if (m_onCommand)
            m_onCommand();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleDlg, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &CIdleDlg::OnKickIdle)
    ON_MESSAGE(WM_APP, &CIdleDlg::OnApp)
END_MESSAGE_MAP()

}  // namespace

// Many FromHandle calls at each idle of a modal dialog: what one idle made is
// gone by the next, while the wrappers its caller got before DoModal stay.
TEST(ModalTempMaps, IdleOfTheLoopFreesWhatItMadeAndKeepsTheCallersWrappers)
{
    const int kPerPass = 10, kPasses = 12;
    CIdleWrapperWork work(kPerPass, kPasses);
    ASSERT_TRUE(work.HandlesMade());
    const size_t nHeld = work.Hold();
    ASSERT_EQ(5u, nHeld);

    std::vector<size_t> counts;
    CIdleDlg dlg;
    dlg.m_onIdle = [&](int nPass) {
        counts.push_back(AfxGetTempWrapperCount());
        return work.Pass(nPass);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ((size_t)kPasses + 1, counts.size());
    for (size_t i = 0; i < counts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(counts[i], nHeld);
        EXPECT_LT(counts[i], nHeld + 5 * kPerPass);  // the window's own messages make a few
    }
    EXPECT_TRUE(work.HeldKept());

    // the idle time outside the loop frees the rest
    DeleteAllTempMaps();
    EXPECT_EQ(0u, AfxGetTempWrapperCount());
}

// The inner loop frees only what it made: the outer dialog's handler holds a
// wrapper it got before it ran the inner one. The outer loop's idle frees the
// handler's wrappers once the handler is done.
TEST(ModalTempMaps, NestedLoopsEachFreeOnlyWhatWasMadeInside)
{
    DeleteAllTempMaps();
    CHandleSet handles(3);
    ASSERT_TRUE(handles.Made());
    const HWND hBeforeAll = handles.Wnd(0), hOuter = handles.Wnd(1), hInner = handles.Wnd(2);
    CWnd* pBeforeAll = MarkedTempWnd(hBeforeAll);

    std::vector<const char*> faults;
    auto check = [&](bool bOk, const char* what) {
        if (!bOk)
            faults.push_back(what);
    };
    CWnd* pOuter = NULL;
    bool bOuterHandlerRan = false, bInnerRan = false;
    int nSweptPass = -1;
    CIdleDlg outer;
    outer.m_onIdle = [&](int nPass) {
        if (nPass == 0) {
            outer.PostMessage(WM_APP);
            return true;
        }
        if (!bOuterHandlerRan)
            return true;
        if (nSweptPass < 0) {
            nSweptPass = nPass;  // the sweep after this pass frees the handler's wrappers
            return true;
        }
        check(!IsMarked(hOuter), "the outer loop kept the wrapper its handler made");
        check(CWnd::FromHandle(hBeforeAll) == pBeforeAll && IsMarked(hBeforeAll),
              "the outer loop freed a wrapper made before it");
        return false;
    };
    outer.m_onCommand = [&] {
        pOuter = MarkedTempWnd(hOuter);
        CIdleDlg inner;
        inner.m_onIdle = [&](int nPass) {
            bInnerRan = true;
            check(CWnd::FromHandle(hOuter) == pOuter && IsMarked(hOuter),
                  "the inner loop freed the outer handler's wrapper");
            check(CWnd::FromHandle(hBeforeAll) == pBeforeAll && IsMarked(hBeforeAll),
                  "the inner loop freed a wrapper made before both loops");
            if (nPass == 0) {
                MarkedTempWnd(hInner);
                return true;
            }
            check(!IsMarked(hInner), "the inner loop kept the wrapper its idle made");
            return nPass < 2;
        };
        inner.DoModal();
        check(pOuter->m_hWnd == hOuter && CWnd::FromHandle(hOuter) == pOuter && IsMarked(hOuter),
              "the outer handler's wrapper did not outlive the inner loop");
        bOuterHandlerRan = true;
    };
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_TRUE(bInnerRan);
    EXPECT_TRUE(bOuterHandlerRan);
    for (const char* f : faults)
        ADD_FAILURE() << f;
    EXPECT_EQ(pBeforeAll, CWnd::FromHandle(hBeforeAll));
    EXPECT_TRUE(IsMarked(hBeforeAll));
    DeleteAllTempMaps();
}

// Idle work of the application run from inside a modal loop (a wait dialog's
// pump does that) frees the temporary maps too: not what the loop's caller holds.
TEST(ModalTempMaps, ApplicationIdleInsideTheLoopKeepsTheCallersWrappers)
{
    CWinApp app("TempMapTest");
    DeleteAllTempMaps();
    CHandleSet held(1), inside(1);
    ASSERT_TRUE(held.Made() && inside.Made());
    const std::vector<const void*> heldWrappers = held.Wrap();
    MarkedTempWnd(held.Wnd(0));
    bool bHeldKept = false, bInsideFreed = false;
    CIdleDlg dlg;
    dlg.m_onIdle = [&](int) {
        MarkedTempWnd(inside.Wnd(0));
        for (LONG n = 0; app.OnIdle(n); ++n) {
        }
        bHeldKept = held.Wrap() == heldWrappers && IsMarked(held.Wnd(0));
        bInsideFreed = !IsMarked(inside.Wnd(0));
        return false;
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(bHeldKept);
    EXPECT_TRUE(bInsideFreed);
    EXPECT_TRUE(held.WrappersHoldTheirHandles());
    DeleteAllTempMaps();
}
