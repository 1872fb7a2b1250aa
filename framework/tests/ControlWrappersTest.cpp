#include "framework/Wnd.h"
#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/ListBox.h"
#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/Button.h"
#include "framework/RichEditCtrl.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum { IDC_LV = 10,
       IDC_TREE = 11,
       IDC_ODLIST = 12,
       IDC_COMBO = 13,
       IDC_LB = 14,
       IDC_BUTTON = 15 };

class CParent : public CWnd {
public:
    std::vector<std::string> m_log;
    int m_nLastRange = 0;
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLISTVIEW* p = (NMLISTVIEW*)pNMHDR;
        if ((p->uNewState & LVIS_SELECTED) && !(p->uOldState & LVIS_SELECTED))
            m_log.push_back("lv:selected " + std::to_string(p->iItem));
        *pResult = 0;
    }
    afx_msg void OnTreeSel(NMHDR*, LRESULT*) { m_log.push_back("parent:tree"); }
    afx_msg void OnButton() { m_log.push_back("parent:button"); }
    afx_msg void OnRange(UINT nID) { m_nLastRange = (int)nID; }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID % 2 == 0); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParent, CWnd)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LV, &CParent::OnItemChanged)
    ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, &CParent::OnTreeSel)
    ON_BN_CLICKED(IDC_BUTTON, &CParent::OnButton)
    ON_COMMAND_RANGE(400, 409, &CParent::OnRange)
    ON_UPDATE_COMMAND_UI_RANGE(400, 409, &CParent::OnUpdateRange)
END_MESSAGE_MAP()

// Handles its own selection change; the parent never hears of it.
class CSelfTree : public CTreeCtrl {
public:
    int m_nSelChanged = 0;
    afx_msg void OnSelChanged(NMHDR*, LRESULT* pResult)
    {
        ++m_nSelChanged;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, &CSelfTree::OnSelChanged)
END_MESSAGE_MAP()

// Sees its clicks and item changes first and lets the parent have them too
// unless told to keep them.
class CSharingButton : public CButton {
public:
    BOOL m_bKeep = FALSE;
    int m_nClicks = 0;
    afx_msg BOOL OnClicked()
    {
        ++m_nClicks;
        return m_bKeep;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSharingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CSharingButton::OnClicked)
END_MESSAGE_MAP()

class CSharingList : public CListCtrl {
public:
    int m_nChanges = 0;
    afx_msg BOOL OnChanged(NMHDR*, LRESULT*)
    {
        ++m_nChanges;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSharingList, CListCtrl)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, &CSharingList::OnChanged)
END_MESSAGE_MAP()

class COwnerList : public CListBox {
public:
    int m_nMeasured = 0, m_nDrawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        ++m_nMeasured;
        lpMIS->itemHeight = 21;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        ++m_nDrawn;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
};

bool MakeParent(CParent& p)
{
    return p.CreateEx(0, NULL, "controls", WS_POPUP, 0, 0, 400, 300, NULL, NULL) != FALSE;
}

}  // namespace

TEST(ControlNotifications, ParentMapsNotificationsControlsKeepReflectedOnesAndOwnerDraw)
{
    CParent parent;
    ASSERT_TRUE(MakeParent(parent));
    CSharingList lv;
    ASSERT_TRUE(lv.Create(LVS_REPORT | WS_VISIBLE, CRect(0, 0, 150, 100), &parent, IDC_LV));
    lv.InsertColumn(0, "name", LVCFMT_LEFT, 100);
    lv.InsertItem(0, "zero");
    lv.InsertItem(1, "one");
    lv.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(1u, parent.m_log.size());
    EXPECT_EQ("lv:selected 1", parent.m_log[0]);
    EXPECT_GE(lv.m_nChanges, 1);  // the list saw it first and passed it on

    CSharingButton btn;
    ASSERT_TRUE(btn.Create("b", WS_VISIBLE | BS_PUSHBUTTON, CRect(300, 200, 350, 220), &parent, IDC_BUTTON));
    btn.SendMessage(BM_CLICK);
    btn.m_bKeep = TRUE;
    btn.SendMessage(BM_CLICK);
    EXPECT_EQ(2, btn.m_nClicks);
    ASSERT_EQ(2u, parent.m_log.size());  // only the first click reached the parent
    EXPECT_EQ("parent:button", parent.m_log[1]);
    parent.m_log.erase(parent.m_log.begin() + 1);

    CSelfTree tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES, CRect(160, 0, 300, 100), &parent, IDC_TREE));
    HTREEITEM hA = tree.InsertItem("a");
    HTREEITEM hB = tree.InsertItem("b");
    ASSERT_TRUE(hA != NULL && hB != NULL);
    tree.SendMessage(TVM_SELECTITEM, TVGN_CARET, (LPARAM)hB);
    EXPECT_GE(tree.m_nSelChanged, 1);
    EXPECT_EQ(1u, parent.m_log.size());  // nothing reached the parent's handler

    COwnerList list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                            CRect(0, 110, 150, 250), &parent, IDC_ODLIST));
    EXPECT_GE(list.m_nMeasured, 1);
    EXPECT_EQ(21, (int)list.SendMessage(LB_GETITEMHEIGHT, 0));
    list.AddString("first");
    list.AddString("second");
    parent.ShowWindow(SW_SHOWNA);
    list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_GE(list.m_nDrawn, 2);
    parent.DestroyWindow();
}

TEST(ControlNotifications, CommandRangeAndItsUpdateRangeReachOneHandler)
{
    CParent parent;
    ASSERT_TRUE(MakeParent(parent));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT id = 400; id <= 403; id++)
        menu.AppendMenu(MF_STRING, id, "item");
    menu.AppendMenu(MF_STRING, 410, "outside");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = menu.GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = menu.GetMenuItemID((int)state.m_nIndex);
        state.DoUpdate(&parent, TRUE);
    }
    EXPECT_FALSE(menu.GetMenuState(400, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(401, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(402, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(410, MF_BYCOMMAND) & MF_GRAYED);

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(402, 0), 0);
    EXPECT_EQ(402, parent.m_nLastRange);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(403, 0), 0);  // disabled by its update handler
    EXPECT_EQ(402, parent.m_nLastRange);
    parent.DestroyWindow();
}

TEST(ControlText, LongItemTextsComeBackWhole)
{
    CParent parent;
    ASSERT_TRUE(MakeParent(parent));
    std::string longText(3000, 'x');
    longText += "end";

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(0, CRect(0, 0, 100, 100), &parent, IDC_TREE));
    HTREEITEM h = tree.InsertItem(longText.c_str());
    EXPECT_EQ(CString(longText.c_str()), tree.GetItemText(h));
    EXPECT_EQ(CString(), tree.GetItemText(NULL));

    CListCtrl lv;
    ASSERT_TRUE(lv.Create(LVS_REPORT, CRect(0, 0, 100, 100), &parent, IDC_LV));
    lv.InsertColumn(0, "c", LVCFMT_LEFT, 50);
    lv.InsertColumn(1, "d", LVCFMT_LEFT, 50);
    lv.InsertItem(0, "row");
    lv.SetItemText(0, 1, longText.c_str());
    EXPECT_EQ(CString(longText.c_str()), lv.GetItemText(0, 1));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, IDC_COMBO));
    combo.AddString(longText.c_str());
    CString s = "old";
    combo.GetLBText(0, s);
    EXPECT_EQ(CString(longText.c_str()), s);
    combo.GetLBText(5, s);
    EXPECT_TRUE(s.IsEmpty());

    CListBox lb;
    ASSERT_TRUE(lb.Create(LBS_HASSTRINGS, CRect(0, 0, 100, 100), &parent, IDC_LB));
    lb.AddString(longText.c_str());
    s = "old";
    lb.GetText(0, s);
    EXPECT_EQ(CString(longText.c_str()), s);
    lb.GetText(-1, s);
    EXPECT_TRUE(s.IsEmpty());
    parent.DestroyWindow();
}

// The limit is kept (Wine's control does not enforce it on input); the text
// comes back with CR LF line ends.
TEST(RichEditCtrl, KeepsLimitAndGivesTextBackWithCrLf)
{
    ASSERT_TRUE(AfxInitRichEdit());
    CParent parent;
    ASSERT_TRUE(MakeParent(parent));
    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 100), &parent, 20));
    edit.LimitText(314);
    EXPECT_EQ(314, edit.GetLimitText());

    edit.ReplaceSel("ab\ncd\r\nef");
    EXPECT_EQ(CString("ab\r\ncd\r\nef"), edit.GetText());
    edit.SetWindowText("");
    EXPECT_TRUE(edit.GetText().IsEmpty());
    edit.SetWindowText("\xd6\xd0\xce\xc4 x");  // DBCS text round trip in the system code page
    EXPECT_EQ(CString("\xd6\xd0\xce\xc4 x").GetLength(), edit.GetText().GetLength());
}
