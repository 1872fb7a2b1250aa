#include "framework/Dialog.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/Edit.h"
#include "framework/ListBox.h"
#include "framework/ComboBox.h"
#include "framework/DC.h"
#include "ReviewTestRes.h"
#include <gtest/gtest.h>
#include <thread>

namespace {

class CCountingEdit : public CEdit {
public:
    int m_nChars = 0, m_nKeys = 0, m_nChanges = 0;
    afx_msg void OnChar(UINT nChar, UINT nRep, UINT nFlags)
    {
        ++m_nChars;
        CEdit::OnChar(nChar, nRep, nFlags);
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRep, UINT nFlags)
    {
        ++m_nKeys;
        CEdit::OnKeyDown(nChar, nRep, nFlags);
    }
    afx_msg void OnChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_CONTROL_REFLECT(EN_CHANGE, &CCountingEdit::OnChange)
END_MESSAGE_MAP()

class CReviewDlg : public CDialog {
public:
    CReviewDlg() : CDialog(IDD_MODELESS) {}
    CCountingEdit m_edit;
    CListBox m_list;
    int m_nRadio = 2, m_nCombo = 1, m_nList = 0;
    int m_nParentChanges = 0;
    BOOL OnInitDialog() override
    {
        m_edit.SubclassDlgItem(IDC_FIRST, this);
        CComboBox* pCombo = (CComboBox*)GetDlgItem(IDC_COMBO);
        pCombo->AddString("red");
        pCombo->AddString("green");
        ::SendDlgItemMessage(m_hWnd, IDC_LIST, LB_ADDSTRING, 0, (LPARAM) "a");
        ::SendDlgItemMessage(m_hWnd, IDC_LIST, LB_ADDSTRING, 0, (LPARAM) "b");
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_CBIndex(pDX, IDC_COMBO, m_nCombo);
        DDX_LBIndex(pDX, IDC_LIST, m_nList);
    }
    afx_msg void OnFirstChanged() { ++m_nParentChanges; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReviewDlg, CDialog)
    ON_EN_CHANGE(IDC_FIRST, &CReviewDlg::OnFirstChanged)
END_MESSAGE_MAP()

void PumpPosted()
{
    ::PostMessage(NULL, WM_NULL, 0, 0);  // a marker: the pump stops after it
    MSG peek;
    while (::PeekMessage(&peek, NULL, 0, 0, PM_NOREMOVE)) {
        bool bLast = peek.hwnd == NULL && peek.message == WM_NULL;
        if (!AfxPumpMessage() || bLast)
            break;
    }
}

}  // namespace

TEST(ModelessDialog, SubclassedItemDataExchangeKeysAndBackgroundColour)
{
    CWinApp app("FwReviewApp");
    app.SetDialogBkColor(RGB(244, 244, 244));
    CReviewDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_MODELESS));
    EXPECT_FALSE(dlg.IsModal());
    HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_FIRST);
    EXPECT_EQ(&dlg.m_edit, CWnd::FromHandlePermanent(hEdit));
    EXPECT_EQ(&dlg.m_list, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_LIST)));

    // data went out on creation, comes back after the user's changes
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_RADIO3));
    EXPECT_EQ(1, (int)dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
    EXPECT_EQ(0, dlg.m_list.GetCurSel());
    ::SendMessage(::GetDlgItem(dlg.m_hWnd, IDC_RADIO1), BM_CLICK, 0, 0);
    dlg.m_list.SetCurSel(1);
    dlg.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_EQ(0, dlg.m_nCombo);
    EXPECT_EQ(1, dlg.m_nList);

    // the subclassed edit sees its own messages and its reflected change
    // notification; the dialog does not get the notification
    ::SendMessage(hEdit, WM_CHAR, 'z', 1);
    CString text;
    dlg.m_edit.GetWindowText(text);
    EXPECT_EQ(CString("z"), text);
    EXPECT_EQ(1, dlg.m_edit.m_nChars);
    EXPECT_GE(dlg.m_edit.m_nChanges, 1);
    EXPECT_EQ(0, dlg.m_nParentChanges);

    // the message pump gives the dialog its keys first: Tab moves between
    // controls and never reaches the edit, a letter does
    ::PostMessage(hEdit, WM_KEYDOWN, VK_TAB, 1);
    PumpPosted();
    EXPECT_EQ(0, dlg.m_edit.m_nKeys);
    ::PostMessage(hEdit, WM_KEYDOWN, 'A', 1);
    PumpPosted();
    EXPECT_EQ(1, dlg.m_edit.m_nKeys);

    // background colour of the application's dialogs; edits keep theirs
    HDC hDC = ::GetDC(dlg.m_hWnd);
    EXPECT_EQ((LRESULT)app.m_hDlgBkBrush, dlg.SendMessage(WM_CTLCOLORDLG, (WPARAM)hDC, (LPARAM)dlg.m_hWnd));
    EXPECT_EQ(RGB(244, 244, 244), ::GetBkColor(hDC));
    EXPECT_NE((LRESULT)app.m_hDlgBkBrush, dlg.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)hEdit));
    ::ReleaseDC(dlg.m_hWnd, hDC);

    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_EQ(NULL, dlg.m_edit.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hEdit));
}

TEST(WndHandleMap, AttachAndDetachLeaveTheWindowToItsOwner)
{
    HWND h = ::CreateWindowEx(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(h != NULL);
    {
        CWnd w, other;
        ASSERT_TRUE(w.Attach(h));
        EXPECT_EQ(&w, CWnd::FromHandle(h));
        EXPECT_FALSE(other.Attach(h));  // one object per handle
        EXPECT_FALSE(w.Attach(h));
        EXPECT_EQ(h, w.Detach());
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(h));
    }  // a detached object leaves the window alone
    EXPECT_TRUE(::IsWindow(h));
    {
        CWnd w;
        ASSERT_TRUE(w.Attach(h));
    }  // an attached one takes it along
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(h));

    CWnd w;
    EXPECT_FALSE(w.SubclassDlgItem(IDC_FIRST, NULL));
    EXPECT_FALSE(w.Attach(NULL));
}

TEST(WndHandleMap, EachThreadHasItsOwnMapAndFreesItsWrappersOnExit)
{
    CWnd mine;
    ASSERT_TRUE(mine.CreateEx(0, NULL, "main", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    HWND h = mine.m_hWnd;
    CWnd* pSeen = &mine;
    bool bOwnWindow = false;
    std::thread worker([&] {
        pSeen = CWnd::FromHandlePermanent(h);  // the main thread's object is not here
        CWnd* pTemp = CWnd::FromHandle(h);
        bOwnWindow = pTemp != &mine && pTemp->m_hWnd == h;
        HDC hDC = ::GetDC(h);
        CDC::FromHandle(hDC);
        CGdiObject::FromHandle(::GetStockObject(BLACK_PEN));
        ::ReleaseDC(h, hDC);
        CWnd own;
        bOwnWindow = bOwnWindow && own.CreateEx(0, NULL, "worker", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
        own.DestroyWindow();
    });  // the thread's temporary wrappers go with it
    worker.join();
    EXPECT_EQ(NULL, pSeen);
    EXPECT_TRUE(bOwnWindow);
    EXPECT_EQ(&mine, CWnd::FromHandlePermanent(h));
    EXPECT_EQ(&mine, CWnd::FromHandle(h));
    mine.DestroyWindow();
}
