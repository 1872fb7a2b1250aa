// Element list: z-order, page size, undo snapshots, group selection, the
// clipboard and creation by type.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "controls/ColorFont.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlFactory.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/core/XmlDocument.h"
#include "designer/core/ProjectPaths.h"
#include "framework/DC.h"
#include "imaging/xImage.h"

namespace {

// The list as the project file holds it, plus what the file leaves out:
// the selection of each element.
CString Serialize(const CUIControlList& list)
{
    CXmlDocument doc;
    doc.AddElem("ROOT");
    CString text = list.GetPaperMarkup();
    for (int i = 0; i < list.GetCount(); ++i) {
        list.GetAt(i)->SaveToMarkup(doc);
        text += list.GetAt(i)->IsSelected() ? "S" : "-";
    }
    return text + doc.GetDoc();
}

CUIControl* Make(const char* caption, double left, double top, int group = 0)
{
    CUIControl* p = new CUIButton;
    p->SetCaption(caption);
    p->SetRect(left, top, left + 40.0, top + 20.0);
    p->SetGroup(group);
    return p;
}

CString Order(const CUIControlList& list)
{
    CString s;
    for (int i = 0; i < list.GetCount(); ++i)
        s += list.GetAt(i)->GetCaption();
    return s;
}

class ListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.SetPaperSize(800, 600);
        list.Add(Make("a", 0, 0));
        list.Add(Make("b", 50, 0));
        list.Add(Make("c", 100, 0));
        list.Add(Make("d", 150, 0));
        list.SetModified(FALSE);
    }
    CUIControlList list;
};

TEST_F(ListTest, ZOrderMovesAndTheirEnds)
{
    CUIControl* b = list.GetAt(1);
    list.MoveUp(b);
    EXPECT_STREQ("acbd", Order(list));
    EXPECT_TRUE(list.IsModified());
    list.BringToTop(b);
    EXPECT_STREQ("acdb", Order(list));
    list.MoveUp(b);  // already highest
    EXPECT_STREQ("acdb", Order(list));
    list.SendToBottom(b);
    EXPECT_STREQ("bacd", Order(list));
    list.MoveDown(b);  // already lowest
    EXPECT_STREQ("bacd", Order(list));
    list.MoveDown(list.GetAt(3));
    EXPECT_STREQ("badc", Order(list));
    EXPECT_TRUE(list.GetAt(-1) == NULL);
    EXPECT_TRUE(list.GetAt(4) == NULL);
    list.DeleteAt(9);
    list.Swap(0, 9);
    EXPECT_STREQ("badc", Order(list));
}

TEST_F(ListTest, ContextMenuCommandsReachTheLowestSelectedElement)
{
    list.GetAt(1)->SetSelected(TRUE);
    list.GetAt(2)->SetSelected(TRUE);
    EXPECT_TRUE(list.Broadcast(UICMD_TOP, TRUE, NULL, NULL));
    EXPECT_STREQ("acdb", Order(list));
    EXPECT_TRUE(list.Broadcast(UICMD_DUPLICATE, TRUE, NULL, NULL));
    ASSERT_EQ(5, list.GetCount());
    CUIControl* copy = list.GetAt(4);
    EXPECT_STREQ("c", copy->GetCaption());
    EXPECT_EQ(CRect(110, 10, 150, 30), copy->GetRect());
    EXPECT_TRUE(copy->IsSelected());
    EXPECT_FALSE(list.GetAt(1)->IsSelected());                 // the source was deselected
    EXPECT_TRUE(list.Broadcast(UICMD_CUT, TRUE, NULL, NULL));  // cuts "b"
    EXPECT_STREQ("acdc", Order(list));
    EXPECT_EQ(1, list.GetClipboardCount());

    list.DeselectAll();
    list.SetModified(FALSE);
    EXPECT_FALSE(list.Broadcast(UICMD_CUT, TRUE, NULL, NULL));
    EXPECT_FALSE(list.IsModified());
}

TEST_F(ListTest, SelectingOneGroupMemberSelectsTheGroup)
{
    list.GetAt(0)->SetSelected(TRUE);
    list.GetAt(2)->SetSelected(TRUE);
    list.GroupSelected();
    EXPECT_NE(0, list.GetAt(0)->GetGroup());
    EXPECT_EQ(list.GetAt(0)->GetGroup(), list.GetAt(2)->GetGroup());
    list.DeselectAll();
    list.GetAt(2)->SetSelected(TRUE);
    EXPECT_TRUE(list.GetAt(0)->IsSelected());
    EXPECT_FALSE(list.GetAt(1)->IsSelected());
    list.GetAt(0)->SetSelected(FALSE);
    EXPECT_TRUE(list.GetAt(2)->IsSelected());
    EXPECT_EQ(1, list.CountSelected());
    list.SelectAll();
    list.UngroupSelected();
    EXPECT_EQ(0, list.GetAt(2)->GetGroup());
    list.DeleteSelected();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(ListTest, UndoRestoresTheExactListAcrossAddMoveGroupAndDelete)
{
    std::vector<CString> states;
    states.push_back(Serialize(list));

    list.SaveUndo();
    list.Add(Make("e", 200, 0));
    states.push_back(Serialize(list));

    list.SaveUndo();
    list.GetAt(1)->Offset(5.0, 7.0);
    list.SendToBottom(list.GetAt(3));
    list.SetPaperSize(1024, 768);
    states.push_back(Serialize(list));

    list.SaveUndo();
    list.GetAt(0)->SetSelected(TRUE);
    list.GetAt(4)->SetSelected(TRUE);
    list.GroupSelected();
    list.DeselectAll();
    states.push_back(Serialize(list));

    list.SaveUndo();
    list.GetAt(2)->SetSelected(TRUE);
    list.DeleteSelected();
    EXPECT_EQ(4, list.GetCount());

    EXPECT_EQ(4, list.GetUndoCount());
    for (int i = 3; i >= 0; --i) {
        list.Undo();
        EXPECT_STREQ((LPCTSTR)states[i], (LPCTSTR)Serialize(list)) << "after undo to state " << i;
    }
    EXPECT_EQ(0, list.GetUndoCount());
    list.Undo();
    EXPECT_STREQ((LPCTSTR)states[0], (LPCTSTR)Serialize(list));
}

// Undo keeps the element objects whose markup did not change (their pictures
// are not read again) and makes only the changed ones anew; positions come
// back exactly, fractions included.
TEST_F(ListTest, UndoKeepsUnchangedElementsAndRemakesChangedOnes)
{
    CUIPicture* picture = new CUIPicture;
    picture->SetRect(10.25, 20.1, 60.3, 70.7);
    picture->SetThemeReloadPending(FALSE);
    list.Add(picture);
    std::vector<CUIControl*> before;
    for (int i = 0; i < list.GetCount(); ++i)
        before.push_back(list.GetAt(i));
    const CString start = Serialize(list);

    list.SaveUndo();
    for (int i = 0; i < list.GetCount(); ++i)
        list.GetAt(i)->Offset(1.0 / 3.0, -0.1);
    list.SaveUndo();
    list.GetAt(1)->SetCaption("changed");
    list.GetAt(2)->Offset(5, 5);
    list.Undo();  // back to the nudged state: b's caption, c's place
    EXPECT_EQ(CString("b"), list.GetAt(1)->GetCaption());
    EXPECT_DOUBLE_EQ(100.0 + 1.0 / 3.0, list.GetAt(2)->GetLeft());
    EXPECT_NE(before[1], list.GetAt(1));  // made anew from its markup
    list.Undo();
    EXPECT_STREQ((LPCTSTR)start, (LPCTSTR)Serialize(list));
    EXPECT_DOUBLE_EQ(10.25, picture->GetLeft());
    EXPECT_DOUBLE_EQ(20.1, picture->GetTop());
    EXPECT_DOUBLE_EQ(70.7, picture->GetBottom());
    for (int i : {0, 2, 3, 4})
        EXPECT_EQ(before[(size_t)i], list.GetAt(i)) << i;
    EXPECT_FALSE(picture->IsThemeReloadPending());
}

// Undo notices a change of any one property of the project block, each on
// its own, and brings the old value back.
TEST_F(ListTest, UndoRestoresAChangeOfAnySingleProperty)
{
    typedef void (*Change)(CUIControl*);
    const Change changes[] = {
        [](CUIControl* p) { p->SetCaption("new caption"); },
        [](CUIControl* p) { p->SetName("new name"); },
        [](CUIControl* p) { p->SetTitle("new title"); },
        [](CUIControl* p) { p->SetCmdLine("kernel \\n"); },  // doubles its backslash
        [](CUIControl* p) { p->SetThemeFile("blue.zmt"); },
        [](CUIControl* p) { p->SetShortKey("F9"); },
        [](CUIControl* p) { p->SetQuickGo(!p->GetQuickGo()); },
        [](CUIControl* p) { p->SetAsMenu(!p->GetAsMenu()); },
        [](CUIControl* p) { p->GetFont()->SetColor(p->GetFont()->GetColor() ^ 0x123456); },
        [](CUIControl* p) { p->GetFont()->SetTextFormat(p->GetFont()->GetTextFormat() ^ 0x100); },
        [](CUIControl* p) {
            LOGFONT lf = p->GetFont()->GetLogFontData();
            strcpy(lf.lfFaceName, "Courier New");
            CColorFont font(lf);
            p->SetFont(&font);
        },
        [](CUIControl* p) { p->SetPassword("secret"); },
        [](CUIControl* p) { p->SetEnablePass(1); },
        [](CUIControl* p) { p->SetAddPath("C:\\hover.png"); },
        [](CUIControl* p) { p->SetChunkColor(0xABCDEF); },
        [](CUIControl* p) { p->SetGroup(9); },
        [](CUIControl* p) { p->SetRect(1.0, 2.0, 3.0, 4.0); },
    };
    list.GetAt(1)->SetCmdLine("kernel \\boot");
    const CString start = Serialize(list);
    int n = 0;
    for (Change change : changes) {
        list.SaveUndo();
        change(list.GetAt(1));
        ASSERT_STRNE((LPCTSTR)start, (LPCTSTR)Serialize(list)) << "change " << n;
        list.Undo();
        EXPECT_STREQ((LPCTSTR)start, (LPCTSTR)Serialize(list)) << "change " << n;
        ++n;
    }
}

// An element made anew by undo reads its relative picture from the
// project's folder, not from the current one.
TEST_F(ListTest, UndoRemakesRelativePicturesFromTheProjectFolder)
{
    char temp[MAX_PATH] = "", oldCurrent[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "undo_paths_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), NULL);
    CxImage image;
    ASSERT_TRUE(image.Create(8, 6, 24, CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(image.Save((folder + "\\pic.png").c_str(), CXIMAGE_FORMAT_PNG));
    GetCurrentDirectoryA(MAX_PATH, oldCurrent);
    SetCurrentDirectoryA(temp);
    CProjectPaths::SetProjectFolder(folder.c_str());
    CUIPicture* picture = new CUIPicture;
    picture->SetThemeFile("pic.png");
    picture->SetRect(0.0, 0.0, 8.0, 6.0);
    list.Add(picture);
    list.SaveUndo();
    picture->SetCaption("changed");
    list.Undo();
    CUIControl* remade = list.GetAt(4);
    EXPECT_EQ(CString("pic.png"), remade->GetThemeFile());
    CDC dc;
    dc.Attach(::CreateCompatibleDC(NULL));
    remade->Draw(&dc, 0, 0, 8, 6);
    ::DeleteDC(dc.Detach());
    EXPECT_EQ(8.0, remade->GetDefaultWidth());
    CProjectPaths::SetProjectFolder("");
    SetCurrentDirectoryA(oldCurrent);
    DeleteFileA((folder + "\\pic.png").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(ListTest, GroupsSurviveUndoAndStillSelectTogether)
{
    list.GetAt(1)->SetSelected(TRUE);
    list.GetAt(3)->SetSelected(TRUE);
    list.GroupSelected();
    int group = list.GetAt(1)->GetGroup();
    list.DeselectAll();
    list.SaveUndo();
    list.RemoveAll();
    list.Undo();
    ASSERT_EQ(4, list.GetCount());
    EXPECT_EQ(group, list.GetAt(1)->GetGroup());
    EXPECT_EQ(group, list.GetAt(3)->GetGroup());
    list.GetAt(3)->SetSelected(TRUE);
    EXPECT_TRUE(list.GetAt(1)->IsSelected());
    EXPECT_TRUE(list.GetAt(1)->GetOwner() == &list);
}

TEST_F(ListTest, UndoLimitDropsTheOldestSnapshot)
{
    list.SetUndoLimit(2);
    list.SaveUndo();
    list.Add(Make("e", 0, 0));
    list.SaveUndo();
    list.Add(Make("f", 0, 0));
    list.SaveUndo();
    EXPECT_EQ(2, list.GetUndoCount());
    list.Undo();
    list.Undo();
    EXPECT_STREQ("abcde", Order(list));
    list.Clear();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_FALSE(list.IsModified());
}

TEST_F(ListTest, PasteKeepsEveryPropertyAndGivesNewGroupNumbers)
{
    list.GetAt(0)->SetGroup(7);
    list.GetAt(1)->SetGroup(7);
    list.GetAt(0)->SetCmdLine("root (hd0,0)\r\nkernel \\n");
    list.GetAt(0)->SetPassword("x");
    list.GetAt(0)->SetEnablePass(1);
    list.GetAt(2)->SetChunkColor(0x123456);
    list.GetAt(0)->SetSelected(TRUE);  // selects b too
    list.GetAt(2)->SetSelected(TRUE);
    list.CopySelected();
    ASSERT_EQ(3, list.GetClipboardCount());

    list.DeselectAll();
    list.Paste();
    list.Paste();
    ASSERT_EQ(10, list.GetCount());
    std::set<int> groups;
    for (int paste = 0; paste < 2; ++paste) {
        CUIControl* first = list.GetAt(4 + paste * 3);
        CUIControl* second = list.GetAt(5 + paste * 3);
        CUIControl* third = list.GetAt(6 + paste * 3);
        EXPECT_EQ(first->GetGroup(), second->GetGroup());
        EXPECT_EQ(0, third->GetGroup());
        groups.insert(first->GetGroup());
        const int sources[] = {0, 1, 2};
        CUIControl* pasted[] = {first, second, third};
        for (int k = 0; k < 3; ++k) {
            CUIControl* src = list.GetAt(sources[k]);
            EXPECT_TRUE(pasted[k]->IsSelected());
            EXPECT_TRUE(pasted[k]->GetOwner() == &list);
            std::unique_ptr<CUIControl> back(pasted[k]->Clone());
            back->Offset(-10.0, -10.0);
            back->SetGroup(src->GetGroup());
            back->SetSelected(FALSE);
            CUIControlList one, other;
            one.Add(back.release());
            other.Add(src->Clone());
            other.GetAt(0)->SetGroup(src->GetGroup());
            other.GetAt(0)->SetSelected(FALSE);
            EXPECT_STREQ((LPCTSTR)Serialize(other), (LPCTSTR)Serialize(one));
        }
    }
    EXPECT_EQ(2u, groups.size());
    EXPECT_EQ(0u, groups.count(7));
    EXPECT_EQ(0u, groups.count(0));
}

TEST_F(ListTest, CopyWithNothingSelectedEmptiesTheClipboard)
{
    list.GetAt(0)->SetSelected(TRUE);
    list.CopySelected();
    EXPECT_EQ(1, list.GetClipboardCount());
    list.DeselectAll();
    list.CopySelected();
    EXPECT_EQ(0, list.GetClipboardCount());
    list.Paste();
    EXPECT_EQ(4, list.GetCount());
}

TEST_F(ListTest, ClipboardOutlivesItsListWhenShared)
{
    CUIControlFactory shared;
    {
        CUIControlList source(&shared);
        source.Add(Make("x", 0, 0));
        source.Copy(source.GetAt(0));
    }
    list.SetClipboard(&shared);
    list.Paste();
    ASSERT_EQ(5, list.GetCount());
    EXPECT_STREQ("x", list.GetAt(4)->GetCaption());
    EXPECT_EQ(CRect(10, 10, 50, 30), list.GetAt(4)->GetRect());
    list.SetClipboard(NULL);
}

TEST(Paper, PaperTextIsParsedOnlyInItsExactShape)
{
    CUIControlList list;
    EXPECT_TRUE(list.ParsePaper("paper:800,600;"));
    EXPECT_EQ(CSize(800, 600), list.GetPaperSize());
    EXPECT_FALSE(list.ParsePaper("Paper:1024,768;"));
    EXPECT_FALSE(list.ParsePaper("paper:800;"));
    EXPECT_FALSE(list.ParsePaper("paper:1:2"));
    EXPECT_TRUE(list.ParsePaperValue("PAPER: 1024,768; "));
    EXPECT_EQ(CSize(1024, 768), list.GetPaperSize());
    EXPECT_STREQ("<PAPER>1024,768;</PAPER>", list.GetPaperMarkup());
}

TEST(Walks, OnlyTheLowestProgressBarCounts)
{
    CUIControlList list;
    CUIControl* first = new CUIProgress;
    first->SetRect(0.0, 0.0, 210.0, 20.0);
    CUIControl* second = new CUIProgress;
    second->SetRect(0.0, 0.0, 400.0, 20.0);
    list.Add(new CUIStatic);
    list.Add(first);
    list.Add(second);
    CString style, page;
    list.ExportHtml(style, page, "C:\\");
    EXPECT_EQ(200, list.GetProgressWidth());
    CStringArray lines;
    MenuProgressRecord record = {};
    list.WriteMenuItems(lines, "C:\\", record);
}

TEST(Creation, ByTypeNameInMarkup)
{
    const struct {
        const char* text;
        const char* type;
    } cases[] = {{"button", "button"}, {"Button", "button"}, {"buttons", "button"}, {"picture", "picture"}, {"STATIC", "static"}, {"progress", "progress"}, {"basic", NULL}, {"butt", NULL}, {"", NULL}};
    for (const auto& c : cases) {
        CXmlDocument doc;
        ASSERT_TRUE(doc.SetDoc("<UICONTROL UITYPE=\"x\"><CAPTION>Hi</CAPTION></UICONTROL>"));
        ASSERT_TRUE(doc.FindElem("UICONTROL"));
        std::unique_ptr<CUIControl> p(CUIControlFactory::CreateFromMarkup(doc, c.text));
        if (!c.type) {
            EXPECT_TRUE(p == NULL) << c.text;
            continue;
        }
        ASSERT_TRUE(p != NULL) << c.text;
        EXPECT_STREQ(c.type, p->GetTypeName());
        EXPECT_STREQ("Hi", p->GetCaption());
    }
}

TEST(Creation, ByTypeNameInDefaultStrings)
{
    const char* fields = ":1,2,3,4,cap,name,0,title,cmd,,F1,false,false";
    const char* types[] = {"button", "picture", "static", "progress"};
    for (const char* t : types) {
        std::unique_ptr<CUIControl> p(CUIControlFactory::CreateFromDefaultString(CString(t) + fields));
        ASSERT_TRUE(p != NULL) << t;
        EXPECT_STREQ(t, p->GetTypeName());
        EXPECT_STREQ("cap", p->GetCaption());
    }
    EXPECT_TRUE(CUIControlFactory::CreateFromDefaultString(CString("Button") + fields) == NULL);
    EXPECT_TRUE(CUIControlFactory::CreateFromDefaultString(CString("basic") + fields) == NULL);
    EXPECT_TRUE(CUIControlFactory::CreateFromDefaultString("button:1,2,3") == NULL);
}

}  // namespace
