// Pelsys in this process, driven by messages as a user would: open images
// and browse them, extract and open files, drop files and save them as a new
// image, build an image from a folder, and the commands that must not write.
#include "browser/NodeFiles.h"
#include "browser/app/LeftView.h"
#include "browser/app/MainFrame.h"
#include "browser/app/PelsysApp.h"
#include "browser/app/PelsysView.h"
#include "browser/tests/FreeSpaceIs.h"
#include "browser/tests/ImageBytes.h"
#include "framework/CmdUI.h"
#include "framework/OleDataSource.h"
#include "resources/pelsys/resource.h"
#include "testsupport/WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

CPelsysApp theApp;

using zavotest::RemoveTree;

namespace {

std::vector<std::string> g_messages;
std::vector<std::pair<std::string, std::string>> g_opened;
int g_openResult = 42;
int g_yesNo = IDNO;  // the answer to every yes/no question

int RecordMessage(LPCTSTR text, LPCTSTR, UINT type)
{
    g_messages.push_back(text);
    return (type & MB_TYPEMASK) == MB_YESNO ? g_yesNo : IDOK;
}

// A message of the program naming a file and the reason of a failure.
std::string Failure(UINT format, const std::string& file, UINT reason)
{
    CString f, r, text;
    f.LoadString(format);
    r.LoadString(reason);
    text.Format(f, file.c_str(), (LPCTSTR)r);
    return (LPCTSTR)text;
}

std::string Text(UINT id, const std::string& file)
{
    CString f, text;
    f.LoadString(id);
    text.Format(f, file.c_str());
    return (LPCTSTR)text;
}

HINSTANCE RecordOpen(HWND, LPCTSTR file, LPCTSTR parameters)
{
    g_opened.emplace_back(file, parameters ? parameters : "");
    return (HINSTANCE)(INT_PTR)g_openResult;
}

// Answers the next dialog of this thread that shows, from inside its modal loop.
std::function<void(HWND)> g_answer;
int g_dialogsSeen = 0;

BOOL CALLBACK FindDialog(HWND h, LPARAM lp)
{
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") || !IsWindowVisible(h))
        return TRUE;
    *(HWND*)lp = h;
    return FALSE;
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, (LPARAM)&dlg);
    if (!dlg)
        return;
    ++g_dialogsSeen;
    if (g_answer) {
        auto answer = g_answer;
        g_answer = nullptr;
        answer(dlg);
    } else {
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    }
}

struct FindChild {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND h, LPARAM lp)
{
    FindChild* f = (FindChild*)lp;
    if (GetDlgCtrlID(h) != f->id)
        return TRUE;
    f->found = h;
    return FALSE;
}

HWND FindChildById(HWND parent, int id)
{
    FindChild f = {id, NULL};
    EnumChildWindows(parent, FindChildProc, (LPARAM)&f);
    return f.found;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempDir()
{
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    return tmp;
}

std::set<std::string> g_folders;

std::string Folder(const std::string& name)
{
    std::string dir = TempDir() + "pelsys_" + std::to_string(GetCurrentProcessId()) + "_" + name;
    CreateDirectoryA(dir.c_str(), NULL);
    g_folders.insert(dir);
    return dir;
}

std::string Slurp(const std::string& path)
{
    Bytes b = ReadBytes(path.c_str());
    return std::string(b.begin(), b.end());
}

void Spit(const std::string& path, const std::string& data)
{
    WriteBytes(path.c_str(), Bytes(data.begin(), data.end()));
}

void Pump() { zavotest::PumpApp(theApp); }

// A hand-built drop of the paths, as the shell sends it.
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& p : paths)
        size += p.size() + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    DROPFILES* df = (DROPFILES*)GlobalLock(h);
    df->pFiles = sizeof(DROPFILES);
    char* at = (char*)(df + 1);
    for (const std::string& p : paths) {
        memcpy(at, p.c_str(), p.size());
        at += p.size() + 1;
    }
    GlobalUnlock(h);
    return (HDROP)h;
}

const std::vector<TestEntry> kSample = {
    TestEntry::Folder("boot", {TestEntry::File("menu.lst", "title one\n"), TestEntry::File("big.bin", std::string(3000, 'x'))}),
    TestEntry::File("readme.txt", "hello"),
    TestEntry::Folder("empty"),
};

// ZAVO_TEST_SKINNED=1 runs every case with the program's skin.
bool Skinned()
{
    const char* on = getenv("ZAVO_TEST_SKINNED");
    return on && strcmp(on, "1") == 0;
}

std::string BinDir()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.rfind('\\'));
}

class PelsysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Skinned()) {
            // once per process, from the program folder, before the first window
            static bool started = false;
            if (!started) {
                started = true;
                _putenv("ZAVO_NO_SKIN=");
                theApp.m_strAppPath = BinDir().c_str();
                theApp.StartSkin();
            }
            ASSERT_TRUE(theApp.m_hSkinLib);
        } else {
            _putenv("ZAVO_NO_SKIN=1");
        }
        _putenv("ZAVO_NO_MSGBOX=1");
        CMainFrame::s_pfnMessageBox = RecordMessage;
        CMainFrame::s_pfnShellOpen = RecordOpen;
        g_messages.clear();
        g_opened.clear();
        g_yesNo = IDNO;
        theApp.SetRegistryKey("Zavo System");
        theApp.RegisterTemplate();
        CCommandLineInfo info;
        ASSERT_TRUE(theApp.RunCommandLine(info));
        frame = theApp.GetMainFrame();
        ASSERT_TRUE(frame);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        Pump();
        list = frame->GetListView();
        ASSERT_TRUE(list && frame->GetLeftView());
        timer = SetTimer(NULL, 0, 50, AnswerTimer);
    }
    void TearDown() override
    {
        KillTimer(NULL, timer);
        if (theApp.m_pMainWnd)
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = NULL;
        Pump();
        SetCurrentDirectoryA(TempDir().c_str());  // a file dialog may have left us in one
        for (const std::string& dir : g_folders)
            RemoveTree(dir);
        for (const auto& opened : g_opened)
            DeleteFileA(opened.second.empty() ? opened.first.c_str() : opened.second.substr(11).c_str());
    }

    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }
    CTreeCtrl& Tree() { return frame->GetLeftView()->GetTreeCtrl(); }
    std::string ItemText(HTREEITEM item)
    {
        char text[256] = "";
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof(text);
        ::SendMessage(Tree().m_hWnd, TVM_GETITEMA, 0, (LPARAM)&tv);
        return text;
    }
    HTREEITEM Child(HTREEITEM parent, const std::string& name)
    {
        HTREEITEM item = (HTREEITEM)::SendMessage(Tree().m_hWnd, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent);
        for (; item; item = (HTREEITEM)::SendMessage(Tree().m_hWnd, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item))
            if (ItemText(item) == name)
                return item;
        return NULL;
    }
    HTREEITEM Root() { return (HTREEITEM)::SendMessage(Tree().m_hWnd, TVM_GETNEXTITEM, TVGN_ROOT, 0); }
    void Select(HTREEITEM item)
    {
        ::SendMessage(Tree().m_hWnd, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
        Pump();
    }
    int Rows() { return list->GetListCtrl().GetItemCount(); }
    std::string RowText(int row, int col) { return (LPCTSTR)list->GetListCtrl().GetItemText(row, col); }
    int Row(const std::string& name)
    {
        for (int r = 0; r < Rows(); ++r)
            if (RowText(r, CPelsysView::COL_NAME) == name)
                return r;
        return -1;
    }
    std::set<std::string> RowNames()
    {
        std::set<std::string> names;
        for (int r = 0; r < Rows(); ++r)
            names.insert(RowText(r, CPelsysView::COL_NAME));
        return names;
    }
    // A double click on the row, as the list control reports it.
    void DoubleClick(int row)
    {
        NMITEMACTIVATE act = {};
        act.hdr.hwndFrom = list->m_hWnd;
        act.hdr.idFrom = GetDlgCtrlID(list->m_hWnd);
        act.hdr.code = NM_DBLCLK;
        act.iItem = row;
        ::SendMessage(::GetParent(list->m_hWnd), WM_NOTIFY, act.hdr.idFrom, (LPARAM)&act);
        Pump();
    }
    void SelectRows(std::initializer_list<int> rows)
    {
        list->GetListCtrl().SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            list->GetListCtrl().SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    void Drop(const std::vector<std::string>& paths)
    {
        list->SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(paths), 0);
        Pump();
    }
    std::string WriteImage(const std::string& name, const Bytes& bytes)
    {
        std::string path = Folder("img") + "\\" + name;
        WriteBytes(path.c_str(), bytes);
        return path;
    }

    CMainFrame* frame = NULL;
    CPelsysView* list = NULL;
    UINT_PTR timer = 0;
};

TEST_F(PelsysTest, OpensPlainGzipAndZipImagesReadOnlyWithFoldersFilesAndSizes)
{
    Bytes plain = RomfsBytes::Make("SampleVol", kSample);
    Bytes zip = MakeZip({ZipMember{"menu.zmn", plain, 8}, ZipMember{"other", Bytes(10, 'o'), 8}});
    for (const auto& image : {WriteImage("menu.zmn", plain), WriteImage("menu.gz", MakeGzip(plain)),
                              WriteImage("menu.zip", zip)}) {
        SCOPED_TRACE(image);
        ASSERT_TRUE(frame->OpenImageFile(image.c_str()));
        EXPECT_TRUE(frame->IsReadOnly());
        char title[MAX_PATH] = "";
        frame->GetWindowText(title, sizeof(title));
        EXPECT_EQ(title, image);
        EXPECT_EQ(Rows(), 0);
        ASSERT_EQ(ItemText(Root()), "SampleVol");
        HTREEITEM boot = Child(Root(), "boot");
        ASSERT_TRUE(boot);
        EXPECT_TRUE(Child(Root(), "empty"));
        EXPECT_FALSE(Child(Root(), "readme.txt"));  // files have no tree item

        Select(Root());
        EXPECT_EQ(RowNames(), (std::set<std::string>{"boot", "readme.txt", "empty"}));
        EXPECT_EQ(RowText(Row("boot"), CPelsysView::COL_SIZE), "");
        Select(boot);
        ASSERT_EQ(RowNames(), (std::set<std::string>{"menu.lst", "big.bin"}));
        char size[64];
        StrFormatByteSizeA(3000, size, sizeof(size));
        EXPECT_EQ(RowText(Row("big.bin"), CPelsysView::COL_SIZE), size);
        EXPECT_EQ(RowText(Row("big.bin"), CPelsysView::COL_TIME).size(), 19u);
        Select(Child(Root(), "empty"));
        EXPECT_EQ(Rows(), 0);
    }
    EXPECT_TRUE(g_messages.empty());
}

// Skinned, the frame and both panes run through the skin library; unskinned it is not loaded.
TEST_F(PelsysTest, WindowsAreSkinnedOnlyWhenTheSkinRuns)
{
    HMODULE skin = GetModuleHandleA((BinDir() + "\\ozSkin.dll").c_str());
    if (!Skinned()) {
        EXPECT_EQ(skin, (HMODULE)NULL);
        return;
    }
    ASSERT_TRUE(skin);
    for (HWND wnd : {frame->m_hWnd, Tree().m_hWnd, list->m_hWnd}) {
        MEMORY_BASIC_INFORMATION info = {};
        ASSERT_TRUE(VirtualQuery((void*)GetWindowLongPtrA(wnd, GWLP_WNDPROC), &info, sizeof(info)));
        char cls[64] = "";
        GetClassNameA(wnd, cls, sizeof(cls));
        EXPECT_EQ((HMODULE)info.AllocationBase, skin) << cls;
    }
}

TEST_F(PelsysTest, DoubleClickExtractsIntoTempAndOpensOrShowsTheFile)
{
    ASSERT_TRUE(frame->OpenImageFile(WriteImage("menu.zmn", RomfsBytes::Make("V", kSample)).c_str()));
    Select(Child(Root(), "boot"));
    DoubleClick(Row("menu.lst"));
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].first, TempDir() + "menu.lst");
    EXPECT_EQ(g_opened[0].second, "");
    EXPECT_EQ(Slurp(g_opened[0].first), "title one\n");

    // no program for the type: the file is shown selected in a folder window
    g_openResult = 2;
    DoubleClick(Row("big.bin"));
    g_openResult = 42;
    ASSERT_EQ(g_opened.size(), 3u);
    EXPECT_EQ(g_opened[2].first, "explorer.exe");
    EXPECT_EQ(g_opened[2].second, "/e,/select," + TempDir() + "big.bin");
    EXPECT_EQ(Slurp(TempDir() + "big.bin"), std::string(3000, 'x'));

    // a folder row selects its tree item, which lists it
    Select(Root());
    DoubleClick(Row("boot"));
    EXPECT_EQ(RowNames(), (std::set<std::string>{"menu.lst", "big.bin"}));
    EXPECT_EQ(frame->GetOpenedNode()->m_strName, CString("big.bin"));
}

TEST_F(PelsysTest, HostileNamesExtractInsideTemp)
{
    std::string tag = std::to_string(GetCurrentProcessId());
    std::vector<TestEntry> hostile = {
        TestEntry::File("..\\..\\evil" + tag + ".txt", "1"), TestEntry::File("C:evil" + tag, "2"),
        TestEntry::File("../up" + tag, "3"), TestEntry::File("..", "4"), TestEntry::File("CON", "5")};
    ASSERT_TRUE(frame->OpenImageFile(WriteImage("bad.zmn", RomfsBytes::Make("V", hostile)).c_str()));
    Select(Root());
    ASSERT_GE(Rows(), 4);
    for (int r = 0; r < Rows(); ++r)
        DoubleClick(r);
    ASSERT_EQ((int)g_opened.size(), Rows());
    for (const auto& opened : g_opened) {
        SCOPED_TRACE(opened.first);
        std::string path = opened.first;
        ASSERT_EQ(path.compare(0, TempDir().size(), TempDir()), 0);
        std::string name = path.substr(TempDir().size());
        EXPECT_EQ(name.find_first_of("\\/:"), std::string::npos);
        EXPECT_NE(name, "..");
        EXPECT_EQ(Slurp(path).size(), 1u);
        DeleteFileA(path.c_str());
    }
    EXPECT_FALSE(Exists(TempDir() + "..\\..\\evil" + tag + ".txt"));
}

TEST_F(PelsysTest, SaveCommandAndUnhandledEditCommandsLeaveTheImageAlone)
{
    Bytes bytes = RomfsBytes::Make("V", kSample);
    std::string image = WriteImage("keep.zmn", bytes);
    ASSERT_TRUE(theApp.OpenDocumentFile(image.c_str()));
    g_dialogsSeen = 0;
    // what Ctrl+S sends: the document's own save command
    Command(ID_FILE_SAVE);
    EXPECT_EQ(g_dialogsSeen, 0);
    EXPECT_TRUE(ReadBytes(image.c_str()) == bytes);

    Pump();
    CToolBarCtrl& bar = frame->GetToolBar().GetToolBarCtrl();
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(::SendMessage(bar.m_hWnd, TB_ISBUTTONENABLED, id, 0)) << id;
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_SAVE_NEWFS, ID_NEWFS_FROM_DIR, ID_APP_ABOUT})
        EXPECT_TRUE(::SendMessage(bar.m_hWnd, TB_ISBUTTONENABLED, id, 0)) << id;

    // the true-colour toolbar: eight 16 x 16 images in each of its three lists
    for (UINT msg : {TB_GETIMAGELIST, TB_GETHOTIMAGELIST, TB_GETDISABLEDIMAGELIST}) {
        HIMAGELIST images = (HIMAGELIST)::SendMessage(bar.m_hWnd, msg, 0, 0);
        ASSERT_TRUE(images) << msg;
        EXPECT_EQ(ImageList_GetImageCount(images), 8);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, 16);
        EXPECT_EQ(cy, 16);
    }
    EXPECT_GE(frame->GetToolBar().GetImages().GetDepth(), 24);
    EXPECT_EQ(::SendMessage(bar.m_hWnd, TB_BUTTONCOUNT, 0, 0), 10);
}

TEST_F(PelsysTest, FailedOpenKeepsTheShownImageAndNothingPointsAtFreedNodes)
{
    std::string good = WriteImage("good.zmn", RomfsBytes::Make("Good", kSample));
    ASSERT_TRUE(frame->OpenImageFile(good.c_str()));
    Select(Child(Root(), "boot"));
    std::string bad = WriteImage("bad.gz", MakeGzip(Bytes(600, 'z')));
    EXPECT_FALSE(frame->OpenImageFile(bad.c_str()));
    EXPECT_EQ(g_messages, std::vector<std::string>{Failure(IDS_OPEN_FAILED, bad, IDS_REASON_NOT_IMAGE)});
    char title[MAX_PATH] = "";
    frame->GetWindowText(title, sizeof(title));
    EXPECT_EQ(title, good);
    EXPECT_TRUE(frame->IsReadOnly());
    EXPECT_EQ(ItemText(Root()), "Good");
    // the rows still work
    DoubleClick(Row("menu.lst"));
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(Slurp(g_opened[0].first), "title one\n");

    // New and drop, twice: each drop lands in the image New made
    std::string dir = Folder("drops");
    Spit(dir + "\\one.txt", "1");
    for (int i = 0; i < 2; ++i) {
        Command(ID_FILE_NEW);
        EXPECT_FALSE(frame->IsReadOnly());
        EXPECT_EQ(Rows(), 0);
        Drop({dir + "\\one.txt"});
        ASSERT_EQ(Rows(), 1);
        EXPECT_EQ(list->GetRowNode(0)->m_pParent, frame->GetImageFs().GetTree().GetRoot());
        DoubleClick(0);
    }
    EXPECT_EQ(g_opened.size(), 3u);
}

TEST_F(PelsysTest, DropsAddFilesOnceRefuseFoldersAndOpenedImages)
{
    std::string dir = Folder("src");
    Spit(dir + "\\a.txt", "alpha");
    Spit(dir + "\\b.bin", std::string(5000, 'b'));
    CreateDirectoryA((dir + "\\sub").c_str(), NULL);
    Command(ID_FILE_NEW);
    Drop({dir + "\\a.txt", dir + "\\sub", dir + "\\b.bin", dir + "\\a.txt"});
    EXPECT_EQ(RowNames(), (std::set<std::string>{"a.txt", "b.bin"}));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].find("Sorry, Directory doesn't support yet!"), 0u);
    EXPECT_EQ(RowText(Row("b.bin"), CPelsysView::COL_SIZE), "4.88 KB");

    // with a file row selected, files go into that row's folder
    SelectRows({Row("a.txt")});
    Spit(dir + "\\c.txt", "c");
    Drop({dir + "\\c.txt"});
    ASSERT_GE(Row("c.txt"), 0);
    EXPECT_EQ(list->GetRowNode(Row("c.txt"))->m_pParent, frame->GetImageFs().GetTree().GetRoot());

    // Delete removes exactly the selected rows
    SelectRows({Row("a.txt"), Row("c.txt")});
    list->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(RowNames(), std::set<std::string>{"b.bin"});
    Drop({dir + "\\a.txt"});  // a deleted row comes back
    EXPECT_EQ(RowNames(), (std::set<std::string>{"a.txt", "b.bin"}));

    g_messages.clear();
    ASSERT_TRUE(frame->OpenImageFile(WriteImage("ro.zmn", RomfsBytes::Make("V", kSample)).c_str()));
    Select(Root());
    int rows = Rows();
    Drop({dir + "\\a.txt"});
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(g_messages, std::vector<std::string>{
                              "This is a read-only fs, please create a new viturl fs to add new files.     "});
    g_messages.clear();
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{"This function is only for new created virtual fs.     "});
}

// The member names and bytes of a zip, read with the zip library.
std::map<std::string, std::string> ReadZip(const std::string& path)
{
    std::map<std::string, std::string> members;
    unzFile z = unzOpen(path.c_str());
    if (!z)
        return members;
    for (int rc = unzGoToFirstFile(z); rc == UNZ_OK; rc = unzGoToNextFile(z)) {
        char name[256] = "";
        unz_file_info info;
        unzGetCurrentFileInfo(z, &info, name, sizeof(name), NULL, 0, NULL, 0);
        std::string data(info.uncompressed_size, '\0');
        unzOpenCurrentFile(z);
        unzReadCurrentFile(z, &data[0], (unsigned)data.size());
        unzCloseCurrentFile(z);
        members[name] = data;
    }
    unzClose(z);
    return members;
}

// Answers the save dialog with the path and the state of its compress box.
void AnswerSave(const std::string& path, bool compress)
{
    g_answer = [path, compress](HWND dlg) {
        HWND box = FindChildById(dlg, IDC_COMPRESS);
        if (box && !compress)
            SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
        SetDlgItemTextA(dlg, 0x480, path.c_str());
        SetDlgItemTextA(dlg, 0x47C, path.c_str());
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    };
}

TEST_F(PelsysTest, SavesDroppedFilesAsAnImageAndAsAZip)
{
    std::string dir = Folder("save");
    Spit(dir + "\\a.txt", "alpha");
    Spit(dir + "\\b.bin", std::string(70000, 'b'));
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{"No file to process, quit.     "});
    g_messages.clear();
    Command(ID_FILE_NEW);
    Drop({dir + "\\a.txt", dir + "\\b.bin"});
    ASSERT_EQ(Rows(), 2);

    std::string out = Folder("out");
    // a new name without a dot gets ".zmn"
    AnswerSave(out + "\\plain", false);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{"file created!     "});
    std::string volume;
    Files files;
    ASSERT_TRUE(ParseRomfs(ReadBytes((out + "\\plain.zmn").c_str()), volume, files));
    EXPECT_EQ(volume, "DemoRomfs");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(std::string(files["a.txt"].begin(), files["a.txt"].end()), "alpha");
    EXPECT_EQ(files["b.bin"].size(), 70000u);

    g_messages.clear();
    AnswerSave(out + "\\zipped.zmn", true);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{"zipped file created!     \n"});
    EXPECT_FALSE(Exists(out + "\\zipped.zmn"));
    auto members = ReadZip(out + "\\zipped.zmn.zip");
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members.begin()->first, "zipped.zmn");
    EXPECT_EQ(members.begin()->second, Slurp(out + "\\plain.zmn"));
}

TEST_F(PelsysTest, SaveFailuresNameTheFileAndTheReason)
{
    std::string dir = Folder("save");
    Spit(dir + "\\a.txt", "alpha");
    Spit(dir + "\\b.bin", "beta");
    Command(ID_FILE_NEW);
    Drop({dir + "\\a.txt", dir + "\\b.bin"});
    ASSERT_EQ(Rows(), 2);
    std::string out = Folder("out");

    // a zip that cannot be written keeps the plain image, and says where it is
    CreateDirectoryA((out + "\\menu.zmn.zip").c_str(), NULL);
    g_messages.clear();
    AnswerSave(out + "\\menu.zmn", true);
    Command(ID_SAVE_NEWFS);
    CString zipFailed, reason;
    zipFailed.LoadString(IDS_ZIP_FAILED);
    reason.LoadString(IDS_REASON_CANNOT_WRITE);
    CString want;
    want.Format(zipFailed, (out + "\\menu.zmn.zip").c_str(), (LPCTSTR)reason, (out + "\\menu.zmn").c_str());
    EXPECT_EQ(g_messages, std::vector<std::string>{(LPCTSTR)want});
    EXPECT_TRUE(Exists(out + "\\menu.zmn"));

    // a dropped file gone before the save is named by its path
    DeleteFileA((dir + "\\b.bin").c_str());
    g_messages.clear();
    AnswerSave(out + "\\second.zmn", false);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages,
              std::vector<std::string>{Failure(IDS_EXTRACT_FAILED, dir + "\\b.bin", IDS_REASON_CANNOT_READ)});
    EXPECT_FALSE(Exists(out + "\\second.zmn"));
}

TEST_F(PelsysTest, BuildsFromAFolderAndKeepsTheFieldsInTheProfile)
{
    std::string src = Folder("tree");
    CreateDirectoryA((src + "\\sub").c_str(), NULL);
    Spit(src + "\\top.txt", "top");
    Spit(src + "\\sub\\inner.bin", std::string(1000, 'i'));
    std::string out = Folder("built") + "\\built.zmn";
    auto answerBuild = [](const std::string& dir, const std::string& file, const std::string& volume) {
        g_answer = [=](HWND dlg) {
            SetDlgItemTextA(dlg, IDC_DIR_EDIT, dir.c_str());
            SetDlgItemTextA(dlg, IDC_FILE_EDIT, file.c_str());
            SetDlgItemTextA(dlg, IDC_VOLUME_EDIT, volume.c_str());
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
        };
    };
    // an empty field keeps the dialog open (the timer then cancels it)
    answerBuild(src, "", "Vol");
    Command(ID_NEWFS_FROM_DIR);
    ASSERT_EQ(g_messages.size(), 1u);
    CString fill;
    fill.LoadString(IDS_FILL_ALL_FIELDS);
    EXPECT_EQ(g_messages[0], (LPCTSTR)fill);

    g_messages.clear();
    answerBuild(src, out, "ExactlyFifteen!");
    Command(ID_NEWFS_FROM_DIR);
    ASSERT_EQ(g_messages.size(), 1u);  // the question; the recorder answers no
    EXPECT_FALSE(frame->IsReadOnly());
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(out.c_str()));
    EXPECT_EQ(fs.GetTree().GetRoot()->m_strName, CString("ExactlyFifteen!"));
    CFsNode* sub = NULL;
    for (CFsNode* n = fs.GetTree().GetRoot()->m_pChild; n; n = n->m_pNext)
        if (n->m_strName == "sub")
            sub = n;
    ASSERT_TRUE(sub && sub->m_pChild);
    CString target = (Folder("x") + "\\inner.bin").c_str();
    ASSERT_EQ(fs.Extract(sub->m_pChild, target, TRUE), 0);
    EXPECT_EQ(Slurp((LPCTSTR)target), std::string(1000, 'i'));

    // a file that cannot be read fails the build and the image built before stays
    std::string built = Slurp(out);
    g_yesNo = IDYES;  // replace the image built before
    {
        HANDLE locked = CreateFileA((src + "\\locked.bin").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        g_messages.clear();
        answerBuild(src, out, "Locked");
        Command(ID_NEWFS_FROM_DIR);
        CloseHandle(locked);
        EXPECT_EQ(g_messages, (std::vector<std::string>{Text(IDS_REPLACE_ASK, out),
                                                        Failure(IDS_BUILD_FAILED_FILE, src, IDS_REASON_CANNOT_READ)}));
        EXPECT_EQ(Slurp(out), built);
        DeleteFileA((src + "\\locked.bin").c_str());
    }

    // a source folder that does not exist fails before any question; the
    // fields come back next time
    g_messages.clear();
    answerBuild(src + "\\missing", out, "Again");
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(g_messages,
              std::vector<std::string>{Failure(IDS_BUILD_FAILED_FILE, src + "\\missing", IDS_REASON_CANNOT_READ)});
    EXPECT_EQ(Slurp(out), built);
    EXPECT_EQ(theApp.GetProfileString("DumpDir", "dir"), CString((src + "\\missing").c_str()));
    EXPECT_EQ(theApp.GetProfileString("DumpDir", "volume"), CString("Again"));
    std::string shown;
    g_answer = [&shown](HWND dlg) {
        char text[300] = "";
        GetDlgItemTextA(dlg, IDC_VOLUME_EDIT, text, sizeof(text));
        shown = text;
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    };
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(shown, "Again");
}

TEST_F(PelsysTest, VolumeNamesLongerThanFifteenBytesAreRefused)
{
    std::string src = Folder("vol");
    Spit(src + "\\f", "f");
    std::string out = Folder("volout") + "\\v.zmn";
    for (const std::string& volume : {std::string("SixteenBytesLong"), std::string(8, '\xb0') + std::string(8, '\xa1')}) {
        g_messages.clear();
        g_answer = [&](HWND dlg) {
            SetDlgItemTextA(dlg, IDC_DIR_EDIT, src.c_str());
            SetDlgItemTextA(dlg, IDC_FILE_EDIT, out.c_str());
            // past the edit's own limit, as a paste of a double-byte name can
            SendDlgItemMessageA(dlg, IDC_VOLUME_EDIT, EM_LIMITTEXT, 64, 0);
            SetDlgItemTextA(dlg, IDC_VOLUME_EDIT, volume.c_str());
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
        };
        Command(ID_NEWFS_FROM_DIR);
        CString tooLong;
        tooLong.LoadString(IDS_VOLUME_TOO_LONG);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0], (LPCTSTR)tooLong);
        EXPECT_FALSE(Exists(out));
    }
}

TEST_F(PelsysTest, DraggedRowsBecomeADropBlockOfTempFiles)
{
    ASSERT_TRUE(frame->OpenImageFile(WriteImage("drag.zmn", RomfsBytes::Make("V", kSample)).c_str()));
    Select(Root());
    CStringArray paths;
    EXPECT_EQ(list->ExtractSelectionToTemp(paths), 0);
    SelectRows({Row("readme.txt"), Row("boot")});
    EXPECT_EQ(list->ExtractSelectionToTemp(paths), 1);
    ASSERT_EQ(paths.GetSize(), 1);  // the folder row drags nothing
    EXPECT_EQ(std::string((LPCTSTR)paths[0]), TempDir() + "readme.txt");
    const std::vector<BYTE>& block = list->GetDropBlock();
    ASSERT_GE(block.size(), 20u + paths[0].GetLength() + 2);
    EXPECT_EQ(block.size() % 32, 0u);
    HDROP drop = (HDROP)GlobalAlloc(GMEM_FIXED, block.size());
    memcpy((void*)drop, block.data(), block.size());
    char name[MAX_PATH] = "";
    EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0), 1u);
    DragQueryFileA(drop, 0, name, sizeof(name));
    EXPECT_EQ(std::string(name), TempDir() + "readme.txt");
    GlobalFree(drop);
    EXPECT_EQ(Slurp(name), "hello");
    DeleteFileA(name);

    // the data object of the drag hands out copies of the block as CF_HDROP
    HGLOBAL cached = GlobalAlloc(GMEM_MOVEABLE, block.size());
    memcpy(GlobalLock(cached), block.data(), block.size());
    GlobalUnlock(cached);
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, cached);
    FORMATETC format = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    FORMATETC text = {CF_TEXT, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(source.GetDataObject()->QueryGetData(&format), S_OK);
    EXPECT_NE(source.GetDataObject()->QueryGetData(&text), S_OK);
    for (int i = 0; i < 2; ++i) {
        STGMEDIUM medium = {};
        ASSERT_EQ(source.GetDataObject()->GetData(&format, &medium), S_OK);
        ASSERT_NE(medium.hGlobal, cached);
        EXPECT_EQ(DragQueryFileA((HDROP)medium.hGlobal, 0xFFFFFFFF, NULL, 0), 1u);
        ReleaseStgMedium(&medium);
    }
}

}  // namespace

namespace {

int StartCalls(const std::string& folder, std::string* args)
{
    HMODULE h = GetModuleHandleA((folder + "\\ozSkin.dll").c_str());
    if (!h)
        return -1;
    auto calls = (int(__cdecl*)())(void*)GetProcAddress(h, "StartCalls");
    auto argsOf = (const char*(__cdecl*)())(void*)GetProcAddress(h, "StartArgs");
    if (args && argsOf)
        *args = argsOf();
    return calls ? calls() : -1;
}

TEST(PelsysStartup, SkinComesOnlyFromTheProgramFolderUnlessSwitchedOff)
{
    std::string root = BinDir() + "\\skintest";
    theApp.m_strAppPath = (root + "\\true").c_str();
    _putenv("ZAVO_NO_SKIN=1");
    theApp.StartSkin();
    EXPECT_EQ(theApp.m_hSkinLib, (HMODULE)NULL);

    _putenv("ZAVO_NO_SKIN=");
    theApp.m_strAppPath = (root + "\\none").c_str();
    theApp.StartSkin();
    EXPECT_EQ(theApp.m_hSkinLib, (HMODULE)NULL);

    theApp.m_strAppPath = (root + "\\true").c_str();
    theApp.StartSkin();
    ASSERT_NE(theApp.m_hSkinLib, (HMODULE)NULL);
    std::string args;
    EXPECT_EQ(StartCalls(root + "\\true", &args), 1);
    EXPECT_EQ(args, root + "\\true\\ThemeUI.dll|NormalBlue.ini");
}

}  // namespace

namespace {

// Run by the pelsys_dbcs_volume test under the Chinese code page.
TEST_F(PelsysTest, DoubleByteVolumeNamesCountInBytes)
{
    if (GetACP() != 936)
        GTEST_SKIP() << "needs the Chinese code page";
    std::string src = Folder("dbcs");
    Spit(src + "\\f", "f");
    std::string out = Folder("dbcsout") + "\\v.zmn";
    const std::string middle = "\xd6\xd0";  // one double-byte character
    std::string fifteen, sixteen;
    for (int i = 0; i < 7; ++i)
        fifteen += middle;
    fifteen += "A";
    sixteen = fifteen.substr(0, 14) + middle;
    CString tooLong;
    tooLong.LoadString(IDS_VOLUME_TOO_LONG);
    for (const std::string& volume : {sixteen, fifteen}) {
        g_messages.clear();
        g_answer = [&](HWND dlg) {
            SetDlgItemTextA(dlg, IDC_DIR_EDIT, src.c_str());
            SetDlgItemTextA(dlg, IDC_FILE_EDIT, out.c_str());
            SetDlgItemTextA(dlg, IDC_VOLUME_EDIT, volume.c_str());
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
        };
        Command(ID_NEWFS_FROM_DIR);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0] == (LPCTSTR)tooLong, volume.size() == 16);
    }
    CImageFs fs;
    ASSERT_TRUE(fs.OpenImage(out.c_str()));
    EXPECT_EQ(std::string((LPCTSTR)fs.GetTree().GetRoot()->m_strName), fifteen);
}

void AnswerBuild(const std::string& dir, const std::string& file, const std::string& volume)
{
    g_answer = [=](HWND dlg) {
        SetDlgItemTextA(dlg, IDC_DIR_EDIT, dir.c_str());
        SetDlgItemTextA(dlg, IDC_FILE_EDIT, file.c_str());
        SetDlgItemTextA(dlg, IDC_VOLUME_EDIT, volume.c_str());
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    };
}

TEST_F(PelsysTest, OpenFailuresNameTheFileAndTheReason)
{
    Bytes plain = RomfsBytes::Make("Vol", kSample);
    std::string missing = Folder("img") + "\\missing.zmn";
    std::string cut = WriteImage("cut.zmn", Bytes(plain.begin(), plain.begin() + plain.size() / 2));
    std::string cutGz = WriteImage("cut.gz", MakeGzip(Bytes(plain.begin(), plain.begin() + plain.size() / 2)));
    std::string text = WriteImage("notes.zmn", Bytes(2000, 'n'));
    Bytes loop = plain;  // the first entry, "boot" at 96, is its own next entry
    RomfsBytes::PatchWord(loop, 96, 96 | (RomfsBytes::WordAt(plain, 96) & 15));
    std::string looped = WriteImage("loop.zmn", loop);
    Bytes gz = MakeGzip(plain);
    std::string nine = WriteImage("nine.gz", Bytes(gz.begin(), gz.begin() + 9));
    for (const auto& c : {std::make_pair(missing, IDS_REASON_CANNOT_READ), std::make_pair(cut, IDS_REASON_TRUNCATED),
                          std::make_pair(cutGz, IDS_REASON_TRUNCATED), std::make_pair(text, IDS_REASON_NOT_IMAGE),
                          std::make_pair(looped, IDS_REASON_DAMAGED), std::make_pair(nine, IDS_REASON_TRUNCATED)}) {
        g_messages.clear();
        EXPECT_FALSE(frame->OpenImageFile(c.first.c_str()));
        EXPECT_EQ(g_messages, std::vector<std::string>{Failure(IDS_OPEN_FAILED, c.first, c.second)});
    }
}

TEST_F(PelsysTest, BuildFailuresNameTheFileAndTheReason)
{
    std::string src = Folder("tree");
    Spit(src + "\\a.txt", "a");
    std::string bad = Folder("built") + "\\menu?.zmn";
    AnswerBuild(src, bad, "Vol");
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(g_messages, std::vector<std::string>{Failure(IDS_BUILD_FAILED_FILE, bad, IDS_REASON_NAME)});
    g_messages.clear();
    std::string nowhere = Folder("built") + "\\no such folder\\menu.zmn";
    AnswerBuild(src, nowhere, "Vol");
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(g_messages, std::vector<std::string>{Failure(IDS_BUILD_FAILED_FILE, nowhere, IDS_REASON_CANNOT_WRITE)});
}

// A target drive without room for the image is named, whether the image is
// built from a folder or from dropped files.
TEST_F(PelsysTest, AFullTargetDriveIsNamedAsTheTarget)
{
    std::string src = Folder("tree");
    Spit(src + "\\a.txt", std::string(5000, 'a'));
    std::string out = Folder("built") + "\\menu.zmn";
    FreeSpaceIs full(4000);
    AnswerBuild(src, out, "Vol");
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(g_messages, std::vector<std::string>{Failure(IDS_BUILD_FAILED_FILE, out, IDS_REASON_NO_SPACE)});
    EXPECT_FALSE(Exists(out));

    g_messages.clear();
    Command(ID_FILE_NEW);
    Drop({src + "\\a.txt"});
    std::string saved = Folder("saved") + "\\dropped.zmn";
    AnswerSave(saved, false);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{Failure(IDS_BUILD_FAILED_FILE, saved, IDS_REASON_NO_SPACE)});
    EXPECT_FALSE(Exists(saved));
}

TEST_F(PelsysTest, CompressedSaveAsksBeforeReplacingTheZip)
{
    std::string dir = Folder("save");
    Spit(dir + "\\a.txt", "alpha");
    Command(ID_FILE_NEW);
    Drop({dir + "\\a.txt"});
    std::string out = Folder("out");
    std::string zip = out + "\\menu.zmn.zip";
    Spit(zip, "an older zip");

    // No keeps the dialog open (the timer then cancels it) and the zip
    AnswerSave(out + "\\menu.zmn", true);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{Text(IDS_REPLACE_ASK, zip)});
    EXPECT_EQ(Slurp(zip), "an older zip");
    EXPECT_FALSE(Exists(out + "\\menu.zmn"));

    g_messages.clear();
    g_yesNo = IDYES;
    AnswerSave(out + "\\menu.zmn", true);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, (std::vector<std::string>{Text(IDS_REPLACE_ASK, zip), "zipped file created!     \n"}));
    auto members = ReadZip(zip);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members.begin()->first, "menu.zmn");

    // an uncompressed save leaves the zip alone and asks nothing
    g_messages.clear();
    std::string before = Slurp(zip);
    AnswerSave(out + "\\menu.zmn", false);
    Command(ID_SAVE_NEWFS);
    EXPECT_EQ(g_messages, std::vector<std::string>{"file created!     "});
    EXPECT_EQ(Slurp(zip), before);
}

// A plain image whose one file, "zeros", holds `size` zero bytes (a sparse file).
std::string ZeroFileImage(const std::string& path, uint32_t size)
{
    WriteBytes(path.c_str(), RomfsBytes::ZeroFileHead("Zeros", size));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    LARGE_INTEGER end;
    end.QuadPart = 128 + (LONGLONG)size;
    SetFilePointerEx(h, end, NULL, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    return path;
}

// A large file shows its progress; Cancel stops it and leaves no copy.
TEST_F(PelsysTest, LargeFileExtractsWithProgressAndCancel)
{
    const uint32_t size = 512u << 20;
    ASSERT_TRUE(frame->OpenImageFile(ZeroFileImage(Folder("img") + "\\zeros.zmn", size).c_str()));
    Select(Root());
    ASSERT_EQ(RowNames(), std::set<std::string>{"zeros"});
    std::string text;
    bool hadBar = false;
    g_answer = [&](HWND dlg) {
        hadBar = FindChildById(dlg, IDC_INFLATE_PROGRESS) != NULL;
        char line[128] = "";
        GetDlgItemTextA(dlg, IDC_INFLATE_TEXT, line, sizeof(line));
        text = line;
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
    };
    DoubleClick(Row("zeros"));
    EXPECT_TRUE(hadBar);
    CString extracting;
    extracting.LoadString(IDS_EXTRACTING);
    EXPECT_EQ(text, (LPCTSTR)extracting);
    EXPECT_TRUE(g_opened.empty());
    EXPECT_TRUE(g_messages.empty());
    EXPECT_FALSE(Exists(TempDir() + "zeros"));
    EXPECT_TRUE(frame->IsWindowEnabled());
}

// The copies made to open files go with the program, as inflated images do.
TEST_F(PelsysTest, OpenedFilesLeaveTheTempFolderWithTheProgram)
{
    ASSERT_TRUE(frame->OpenImageFile(WriteImage("m.zmn", RomfsBytes::Make("V", kSample)).c_str()));
    Select(Root());
    DoubleClick(Row("readme.txt"));
    ASSERT_EQ(g_opened.size(), 1u);
    std::string copy = g_opened[0].first;
    EXPECT_EQ(Slurp(copy), "hello");
    frame->DestroyWindow();
    theApp.m_pMainWnd = NULL;
    Pump();
    EXPECT_FALSE(Exists(copy));
}

// A name too long to extract is shortened in the message, whose box then fits the screen.
TEST_F(PelsysTest, ExtractFailureOfALongNameFitsTheScreen)
{
    std::string name = std::string(300, 'n') + ".txt";
    ASSERT_TRUE(frame->OpenImageFile(WriteImage("long.zmn", RomfsBytes::Make("V", {TestEntry::File(name, "x")})).c_str()));
    Select(Root());
    DoubleClick(Row(name));
    std::string shown = (LPCTSTR)ShortenForMessage(name.c_str(), 64);
    ASSERT_EQ(g_messages, std::vector<std::string>{Failure(IDS_EXTRACT_FAILED, shown, IDS_REASON_CANNOT_WRITE)});
    int width = 0;
    g_answer = [&width](HWND box) {
        RECT r;
        GetWindowRect(box, &r);
        width = r.right - r.left;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    MessageBoxA(frame->m_hWnd, g_messages[0].c_str(), "Pelsys", MB_OK | MB_ICONSTOP);
    EXPECT_GT(width, 0);
    EXPECT_LT(width, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(PelsysTest, BuildOverTheShownImageAsksAndTheTreeFollows)
{
    std::string first = Folder("first"), second = Folder("second");
    Spit(first + "\\old.txt", "old");
    CreateDirectoryA((second + "\\newdir").c_str(), NULL);
    Spit(second + "\\newdir\\new.txt", "new");
    std::string out = Folder("built") + "\\shown.zmn";
    AnswerBuild(first, out, "First");
    Command(ID_NEWFS_FROM_DIR);
    ASSERT_TRUE(frame->OpenImageFile(out.c_str()));
    ASSERT_EQ(ItemText(Root()), "First");
    std::string before = Slurp(out);

    // No keeps the file and the tree
    g_messages.clear();
    AnswerBuild(second, out, "Second");
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(g_messages, std::vector<std::string>{Text(IDS_REPLACE_ASK, out)});
    EXPECT_EQ(Slurp(out), before);
    EXPECT_EQ(ItemText(Root()), "First");

    // Yes replaces it, and the tree shows the new image without a question
    g_messages.clear();
    g_yesNo = IDYES;
    AnswerBuild(second, out, "Second");
    Command(ID_NEWFS_FROM_DIR);
    EXPECT_EQ(g_messages, std::vector<std::string>{Text(IDS_REPLACE_ASK, out)});
    EXPECT_NE(Slurp(out), before);
    EXPECT_EQ(ItemText(Root()), "Second");
    EXPECT_TRUE(Child(Root(), "newdir"));
    Select(Root());
    EXPECT_EQ(RowNames(), std::set<std::string>{"newdir"});
    EXPECT_TRUE(frame->IsReadOnly());
}

// A large image shows its progress; Cancel stops it and keeps the image shown.
TEST_F(PelsysTest, LargeImageInflatesWithProgressAndCancel)
{
    std::string good = WriteImage("good.zmn", RomfsBytes::Make("Good", kSample));
    ASSERT_TRUE(frame->OpenImageFile(good.c_str()));
    Bytes head = RomfsBytes::Make("Large", {TestEntry::File("f", "x")});
    const uint32_t size = 192u << 20;
    RomfsBytes::PatchWord(head, 8, size);
    std::string large = Folder("img") + "\\large.gz";
    {
        gzFile gz = gzopen(large.c_str(), "wb1");
        ASSERT_TRUE(gz);
        gzwrite(gz, head.data(), (unsigned)head.size());
        std::vector<char> zeros(1 << 20, 0);
        for (uint32_t done = (uint32_t)head.size(); done < size; done += (uint32_t)zeros.size())
            gzwrite(gz, zeros.data(), (unsigned)std::min<size_t>(zeros.size(), size - done));
        ASSERT_EQ(gzclose(gz), Z_OK);
    }
    bool hadBar = false;
    g_answer = [&hadBar](HWND dlg) {
        hadBar = FindChildById(dlg, IDC_INFLATE_PROGRESS) != NULL;
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
    };
    EXPECT_FALSE(frame->OpenImageFile(large.c_str()));
    EXPECT_TRUE(hadBar);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(ItemText(Root()), "Good");
    char title[MAX_PATH] = "";
    frame->GetWindowText(title, sizeof(title));
    EXPECT_EQ(title, good);
}

}  // namespace
