// The menu entry, picture, text and progress bar property dialogs run modally
// on an element and driven by messages from a thread timer.
#include "designer/propdlg/ButtonPrpDlg.h"
#include "designer/propdlg/PicturePrpDlg.h"
#include "designer/propdlg/ProgressPrpDlg.h"
#include "designer/propdlg/StaticPrpDlg.h"
#include "designer/app/LangManager.h"
#include "designer/core/ProjectPaths.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "controls/ColorFont.h"
#include "controls/FontDialogEx.h"
#include "controls/SkinStart.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

typedef std::function<void(HWND)> Step;

HWND g_dialog = NULL;
std::vector<Step> g_steps;
size_t g_next = 0;
int g_idleTicks = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_dialog || !IsWindow(g_dialog))
        return;
    if (g_next < g_steps.size()) {
        Step step = g_steps[g_next++];
        step(g_dialog);
    } else if (++g_idleTicks > 5) {
        // A dialog the steps left open is ended so the test cannot hang.
        EndDialog(g_dialog, IDABORT);
    }
}

INT_PTR RunDialog(CDialog& dlg, std::vector<Step> steps)
{
    g_dialog = NULL;
    g_steps = std::move(steps);
    g_next = 0;
    g_idleTicks = 0;
    UINT_PTR timer = SetTimer(NULL, 0, 20, Tick);
    INT_PTR result = dlg.DoModal();
    KillTimer(NULL, timer);
    g_dialog = NULL;
    return result;
}

void Command(HWND dlg, int id)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dlg, id));
}

void Click(HWND dlg, int id)
{
    SendMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0);
}

void SetCheck(HWND dlg, int id, int state)
{
    SendDlgItemMessageA(dlg, id, BM_SETCHECK, state, 0);
    Command(dlg, id);
}

// Clicks the check box title of a checkable group box.
void ClickGroupTitle(HWND dlg, int id)
{
    SendMessageA(GetDlgItem(GetDlgItem(dlg, id), 0xFFFF), BM_CLICK, 0, 0);
}

std::string Text(HWND dlg, int id)
{
    char buf[1024] = "";
    GetDlgItemTextA(dlg, id, buf, sizeof(buf));
    return buf;
}

bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }
bool Visible(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != 0; }

std::string Fixture(const char* name)
{
    return std::string("Z:") + ZAVO_BINARY_DIR + "/designer/theme_fixtures/" + name;
}

// A fresh folder under the temp folder.
std::string TempFolder(const char* name)
{
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof(base), base);
    std::string folder = std::string(base) + "proptypes_" + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

// A 4 x 4 picture of one colour.
std::string WritePicture(const std::string& folder, const char* name, BYTE r, BYTE g, BYTE b)
{
    CxImage image;
    image.Create(4, 4, 24, CXIMAGE_FORMAT_BMP);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.SetPixelColor(x, y, RGBQUAD{b, g, r, 0});
    std::string path = folder + "\\" + name;
    image.Save(path.c_str(), CXIMAGE_FORMAT_BMP);
    return path;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// One file in the folder matching the pattern; empty when none.
std::string FindOne(const std::string& folder, const char* pattern)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    FindClose(h);
    return folder + "\\" + data.cFileName;
}

// The modal parts answer from queues; messages are recorded.
template <class Base>
class Driven : public Base {
public:
    std::vector<UINT> told;
    std::deque<std::string> paths;
    std::vector<int> pickKinds;

    BOOL OnInitDialog() override
    {
        BOOL result = Base::OnInitDialog();
        g_dialog = this->m_hWnd;
        return result;
    }

protected:
    void Tell(UINT nTextID) override { told.push_back(nTextID); }
    BOOL ChoosePath(LPCTSTR, int nKind) override
    {
        pickKinds.push_back(nKind);
        if (paths.empty())
            return FALSE;
        this->m_strPickedFile = paths.front().c_str();
        paths.pop_front();
        return TRUE;
    }
};

template <class Base>
class DrivenEntry : public Driven<Base> {
public:
    std::string templateTitle, templateCommands;
    bool templateChosen = false;
    LOGFONT chosenFont = {};
    COLORREF chosenColor = 0;
    bool fontChosen = false;
    bool buttonsHiddenInFontDialog = false;

protected:
    BOOL ChooseTemplate(CString& strTitle, CString& strCommands) override
    {
        if (!templateChosen)
            return FALSE;
        strTitle = templateTitle.c_str();
        strCommands = templateCommands.c_str();
        return TRUE;
    }
    BOOL RunFontDialog(LOGFONT& lf, COLORREF& crColor) override
    {
        HWND d = this->m_hWnd;
        buttonsHiddenInFontDialog = !Visible(d, IDOK) && !Visible(d, IDCANCEL) && !Visible(d, IDC_PT_APPLY);
        if (!fontChosen)
            return FALSE;
        lf = chosenFont;
        crColor = chosenColor;
        return TRUE;
    }
    BOOL RunColorDialog(COLORREF& crColor) override
    {
        crColor = chosenColor;
        return TRUE;
    }
};

void SetFont(CUIControl& element, UINT nFormat, COLORREF crColor)
{
    CColorFont font("Tahoma");
    font.SetTextFormat(nFormat);
    font.SetColor(crColor);
    element.SetFont(&font);
}

void FillEntry(CUIControl& element)
{
    element.SetTitle("Old title");
    element.SetCaption("Old caption");
    element.SetCmdLine("root (hd0,0)\r\nchainloader +1");
    element.SetShortKey("F1");
    element.SetEnablePass(1);
    element.SetPassword("secret");
    element.SetName("entry1");
    element.SetThemeReloadPending(FALSE);
}

// An entry button on the fixtures' menu theme.
void FillMenuButton(CUIButton& button)
{
    FillEntry(button);
    button.SetThemeFile(Fixture("menu.zmt").c_str());
}

// The element's entry properties in one text.
std::string Snapshot(const CUIControl& e)
{
    CString s;
    s.Format("%s|%s|%s|%s|%s|%s|%s|%s|%d|%d|%u", (LPCTSTR)e.GetTitle(), (LPCTSTR)e.GetCaption(),
             (LPCTSTR)e.GetCmdLine(), (LPCTSTR)e.GetShortKey(), (LPCTSTR)e.GetPassword(), (LPCTSTR)e.GetName(),
             (LPCTSTR)e.GetThemeFile(), (LPCTSTR)e.GetAddPath(), e.GetEnablePass(), e.GetAsMenu(),
             e.GetFont() ? e.GetFont()->GetTextFormat() : 0);
    return s.GetString();
}

}  // namespace

TEST(ButtonPrpDlg, FillsFromTheElementAndAppliesEveryField)
{
    CUIButton button;
    FillMenuButton(button);
    SetFont(button, 37, RGB(0, 0, 255));
    DrivenEntry<CButtonPrpDlg> dlg;
    dlg.SetControl(&button);
    dlg.templateChosen = true;
    dlg.templateTitle = "Boot Windows";
    dlg.templateCommands = "root (hd0,1)\r\nchainloader +1\r\n";
    dlg.fontChosen = true;
    CColorFont arial("Arial");
    dlg.chosenFont = arial.GetLogFontData();
    strcpy(dlg.chosenFont.lfFaceName, "Arial");
    dlg.chosenFont.lfHeight = -20;
    dlg.chosenColor = RGB(255, 0, 0);
    const std::string otherTheme = Fixture("twoini.zmt");
    dlg.paths.push_back(otherTheme);

    std::string shownTitle, shownTheme;
    bool centred = false, passwordEnabled = false, passwordOffAfterBox = true, buttonsBack = false;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                         shownTitle = Text(d, IDC_PT_TITLE);
                                         shownTheme = Text(d, IDC_PT_THEMEFILE);
                                         centred = IsDlgButtonChecked(d, IDC_PT_CENTER) == BST_CHECKED;
                                         passwordEnabled = Enabled(d, IDC_PT_PASSWORD);
                                         Command(d, IDC_PT_TEMPLATE);
                                         SetDlgItemTextA(d, IDC_PT_CAPTION, "New caption");
                                         SetDlgItemTextA(d, IDC_PT_SHORTKEY, "F5");
                                         SetDlgItemTextA(d, IDC_PT_PASSWORD, "");
                                         SetCheck(d, IDC_PT_PASSMODE, BST_UNCHECKED);
                                         passwordOffAfterBox = !Enabled(d, IDC_PT_PASSWORD);
                                         Click(d, IDC_PT_RIGHT);
                                         Command(d, IDC_PT_THEMEPICK);
                                         Command(d, IDC_PT_FONT);
                                         buttonsBack = Visible(d, IDOK) && Visible(d, IDC_PT_APPLY);
                                         // the right radio again: the font dialog left the format alone
                                         Click(d, IDC_PT_RIGHT);
                                         Command(d, IDC_PT_APPLY);
                                     },
                                     [](HWND d) { Command(d, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("Old title", shownTitle);
    EXPECT_EQ(Fixture("menu.zmt"), shownTheme);
    EXPECT_TRUE(centred);
    EXPECT_TRUE(passwordEnabled);
    EXPECT_TRUE(passwordOffAfterBox);
    EXPECT_TRUE(dlg.buttonsHiddenInFontDialog);
    EXPECT_TRUE(buttonsBack);
    EXPECT_TRUE(dlg.told.empty());
    ASSERT_EQ(1u, dlg.pickKinds.size());
    EXPECT_EQ(CUIControlPrpDlg::PICK_THEME, dlg.pickKinds[0]);
    EXPECT_EQ(dlg.GetPickFolder(), CEntryPrpDlg::GetThemesFolder() + "\\Button\\");

    EXPECT_EQ(CString("Boot Windows"), button.GetTitle());
    EXPECT_EQ(CString("root (hd0,1)\r\nchainloader +1\r\n"), button.GetCmdLine());
    EXPECT_EQ(CString("New caption"), button.GetCaption());
    EXPECT_EQ(CString(""), button.GetName());
    EXPECT_EQ(CString(otherTheme.c_str()), button.GetThemeFile());
    EXPECT_EQ(CString("F5"), button.GetShortKey());
    EXPECT_EQ(0, button.GetEnablePass());
    EXPECT_EQ(CString(""), button.GetPassword());
    EXPECT_TRUE(button.IsThemeReloadPending());
    ASSERT_TRUE(button.GetFont() != NULL);
    EXPECT_EQ(38u, button.GetFont()->GetTextFormat());
    EXPECT_STREQ("Arial", button.GetFont()->GetLogFontData().lfFaceName);
    EXPECT_EQ(-20, button.GetFont()->GetLogFontData().lfHeight);
    EXPECT_EQ(RGB(255, 0, 0), button.GetFont()->GetColor());
}

TEST(ButtonPrpDlg, RefusedValuesWriteNothingAndCancelDropsTheReloadMark)
{
    CUIButton button;
    FillMenuButton(button);
    button.SetThemeReloadPending(TRUE);
    const std::string before = Snapshot(button);
    DrivenEntry<CButtonPrpDlg> dlg;
    dlg.SetControl(&button);
    bool openAfterOk = false;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                         // password box on, no password
                                         SetDlgItemTextA(d, IDC_PT_PASSWORD, "");
                                         SetDlgItemTextA(d, IDC_PT_CAPTION, "Changed");
                                         Command(d, IDC_PT_APPLY);
                                         // a title longer than the field takes
                                         SetDlgItemTextA(d, IDC_PT_PASSWORD, "pw");
                                         SetDlgItemTextA(d, IDC_PT_TITLE, std::string(300, 't').c_str());
                                         Command(d, IDC_PT_APPLY);
                                         // no shortcut; OK keeps the dialog open
                                         SetDlgItemTextA(d, IDC_PT_TITLE, "T");
                                         SetDlgItemTextA(d, IDC_PT_SHORTKEY, "");
                                         Command(d, IDOK);
                                     },
                                     [&](HWND d) {
                                         openAfterOk = IsWindowVisible(d) != 0;
                                         Command(d, IDCANCEL);
                                     }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ((std::vector<UINT>{IDS_PT_INCOMPLETE, IDS_PT_TOOLONG, IDS_PT_INCOMPLETE}), dlg.told);
    EXPECT_FALSE(dlg.GetApplySucceeded());
    EXPECT_FALSE(button.IsThemeReloadPending());
    EXPECT_EQ(before, Snapshot(button));

    // The same dialog object runs again and is filled anew.
    std::string shownCaption;
    result = RunDialog(dlg, {[&](HWND d) {
                           shownCaption = Text(d, IDC_PT_CAPTION);
                           Command(d, IDCANCEL);
                       }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("Old caption", shownCaption);
}

TEST(PicturePrpDlg, PictureAloneOrWithTheMenuEntryPart)
{
    const std::string folder = TempFolder("picture");
    const std::string red = WritePicture(folder, "red.bmp", 200, 0, 0);
    const std::string blue = WritePicture(folder, "blue.bmp", 0, 0, 200);
    CEntryPrpDlg::SetThemesFolder(folder.c_str());
    CUIPicture picture;
    FillEntry(picture);
    picture.SetAsMenu(TRUE);
    picture.SetThemeFile("");
    DrivenEntry<CPicturePrpDlg> dlg;
    dlg.SetControl(&picture);
    dlg.paths.push_back(red);
    dlg.paths.push_back(blue);

    bool groupChecked = false, titleEnabled = false, titleDisabledWhenOff = false, captureOn = false;
    BOOL asMenuAfterFirst = TRUE;
    CString titleAfterFirst;
    std::string shownHover, madeHover;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                         groupChecked = IsDlgButtonChecked(d, IDC_PT_ASMENU) == BST_CHECKED;
                                         titleEnabled = Enabled(d, IDC_PT_TITLE);
                                         captureOn = Enabled(d, IDC_PT_CAPTURE);
                                         ClickGroupTitle(d, IDC_PT_ASMENU);
                                         titleDisabledWhenOff = !Enabled(d, IDC_PT_TITLE);
                                         SetDlgItemTextA(d, IDC_PT_TITLE, "Changed");
                                         // no picture yet: only the as-menu flag is written
                                         Command(d, IDC_PT_APPLY);
                                         asMenuAfterFirst = picture.GetAsMenu();
                                         titleAfterFirst = picture.GetTitle();
                                     },
                                     [&](HWND d) {
                                         // as-menu on again with an empty title: refused, nothing written
                                         ClickGroupTitle(d, IDC_PT_ASMENU);
                                         SetDlgItemTextA(d, IDC_PT_TITLE, "");
                                         Command(d, IDC_PT_THEMEPICK);
                                         Command(d, IDC_PT_APPLY);
                                     },
                                     [&](HWND d) {
                                         SetDlgItemTextA(d, IDC_PT_TITLE, "Picture entry");
                                         Command(d, IDC_PT_HOVERPICK);
                                         shownHover = Text(d, IDC_PT_HOVERFILE);
                                         Command(d, IDC_PT_MAKEHOVER);
                                         madeHover = Text(d, IDC_PT_HOVERFILE);
                                         Click(d, IDC_PT_RIGHT);
                                         Command(d, IDOK);
                                     }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(groupChecked);
    EXPECT_TRUE(titleEnabled);
    EXPECT_TRUE(titleDisabledWhenOff);
    EXPECT_TRUE(captureOn);
    EXPECT_FALSE(asMenuAfterFirst);
    EXPECT_EQ(CString("Old title"), titleAfterFirst);
    EXPECT_EQ((std::vector<UINT>{IDS_PT_NOPICTURE, IDS_PT_INCOMPLETE}), dlg.told);
    EXPECT_EQ((std::vector<int>{CUIControlPrpDlg::PICK_PICTURE, CUIControlPrpDlg::PICK_PICTURE}), dlg.pickKinds);
    EXPECT_EQ(blue, shownHover);

    const std::string hoverFolder = folder + "\\Pictures\\HoverPic";
    const std::string hover = FindOne(hoverFolder, "Hotscreen_*.png");
    ASSERT_FALSE(hover.empty());
    EXPECT_EQ(hover, madeHover);
    CxImage made;
    ASSERT_TRUE(made.Load(hover.c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_GT(made.GetPixelColor(1, 1).rgbRed, 200);  // the picture brightened

    EXPECT_TRUE(picture.GetAsMenu());
    EXPECT_EQ(CString("Picture entry"), picture.GetTitle());
    EXPECT_EQ(CString(red.c_str()), picture.GetThemeFile());
    EXPECT_EQ(CString(hover.c_str()), picture.GetAddPath());
    EXPECT_EQ(CString(""), picture.GetName());
    EXPECT_EQ(54u, picture.GetFont()->GetTextFormat());
    EXPECT_TRUE(picture.IsThemeReloadPending());
    DeleteFileA(hover.c_str());
    RemoveDirectoryA(hoverFolder.c_str());
    RemoveDirectoryA((folder + "\\Pictures").c_str());
    DeleteFileA(red.c_str());
    DeleteFileA(blue.c_str());
    RemoveDirectoryA(folder.c_str());
    CEntryPrpDlg::SetThemesFolder(NULL);
}

TEST(PicturePrpDlg, UnreadablePicturesAreRefusedAndChangeNothing)
{
    const std::string folder = TempFolder("unreadable");
    const std::string red = WritePicture(folder, "red.bmp", 200, 0, 0);
    const std::string empty = folder + "\\empty.png", text = folder + "\\text.png", cut = folder + "\\cut.png";
    CxImage redImage;
    ASSERT_TRUE(redImage.Load(red.c_str(), CXIMAGE_FORMAT_BMP));
    ASSERT_TRUE(redImage.Save(cut.c_str(), CXIMAGE_FORMAT_PNG));
    std::string png;
    {
        std::ifstream in(cut.c_str(), std::ios::binary);
        png.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::ofstream(cut.c_str(), std::ios::binary) << png.substr(0, png.size() / 2);
    std::ofstream(empty.c_str(), std::ios::binary).close();
    std::ofstream(text.c_str(), std::ios::binary) << "a text file";
    CEntryPrpDlg::SetThemesFolder(folder.c_str());
    CUIPicture picture;
    FillEntry(picture);
    picture.SetAsMenu(FALSE);
    picture.SetThemeFile(red.c_str());
    picture.SetAddPath(red.c_str());
    DrivenEntry<CPicturePrpDlg> dlg;
    dlg.SetControl(&picture);
    for (const std::string* bad : {&cut, &empty, &text}) {
        dlg.paths.push_back(*bad);
        dlg.paths.push_back(*bad);
    }
    std::vector<std::string> shown;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                   for (int i = 0; i < 3; ++i) {
                                       Command(d, IDC_PT_THEMEPICK);
                                       Command(d, IDC_PT_HOVERPICK);
                                       shown.push_back(Text(d, IDC_PT_THEMEFILE) + "|" + Text(d, IDC_PT_HOVERFILE));
                                   }
                                   Command(d, IDOK);
                               }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::vector<UINT>(6, IDS_PT_UNREADABLE), dlg.told);
    EXPECT_EQ(std::vector<std::string>(3, red + "|" + red), shown);
    EXPECT_EQ(CString(red.c_str()), picture.GetThemeFile());
    EXPECT_EQ(CString(red.c_str()), picture.GetAddPath());
    for (const std::string* file : {&red, &cut, &empty, &text})
        DeleteFileA(file->c_str());
    RemoveDirectoryA(folder.c_str());
    CEntryPrpDlg::SetThemesFolder(NULL);
}

// The pixels of a control as it shows on the screen, one COLORREF each, row by row.
struct Shot {
    int cx = 0, cy = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[(size_t)y * cx + x]; }
    // The box around the pixels inside the border that are not the face colour.
    RECT Drawn() const
    {
        RECT r = {cx, cy, 0, 0};
        for (int y = 2; y < cy - 2; ++y)
            for (int x = 2; x < cx - 2; ++x)
                if (At(x, y) != GetSysColor(COLOR_BTNFACE)) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }
    bool AnyColoured() const
    {
        for (COLORREF c : pixels)
            if (GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c)) return true;
        return false;
    }
};

Shot TakeShot(HWND h)
{
    RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Shot shot;
    RECT r;
    GetClientRect(h, &r);
    shot.cx = r.right;
    shot.cy = r.bottom;
    HDC dc = GetDC(h);
    for (int y = 0; y < shot.cy; ++y)
        for (int x = 0; x < shot.cx; ++x)
            shot.pixels.push_back(GetPixel(dc, x, y) & 0xFFFFFF);
    ReleaseDC(h, dc);
    return shot;
}

// The capture button lies flat until the pointer is over it, moves its icon
// when pressed and greys it when disabled.
TEST(PicturePrpDlg, CaptureButtonLightsUnderThePointer)
{
    CUIPicture picture;
    FillEntry(picture);
    DrivenEntry<CPicturePrpDlg> dlg;
    dlg.SetControl(&picture);
    Shot idle, hovered, pressed, disabled;
    RunDialog(dlg, {[&](HWND d) {
                  SetCursorPos(0, 0);
                  idle = TakeShot(GetDlgItem(d, IDC_PT_CAPTURE));
                  HWND button = GetDlgItem(d, IDC_PT_CAPTURE);
                  RECT r;
                  GetWindowRect(button, &r);
                  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
                  hovered = TakeShot(button);
                  SendMessageA(button, BM_SETSTATE, TRUE, 0);
                  pressed = TakeShot(button);
                  SendMessageA(button, BM_SETSTATE, FALSE, 0);
                  EnableWindow(button, FALSE);
                  SetCursorPos(0, 0);
                  disabled = TakeShot(button);
                  Command(d, IDCANCEL);
              }});
    ASSERT_GT(idle.cx, 4);
    ASSERT_GT(idle.cy, 4);
    const COLORREF face = GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    EXPECT_EQ(face, idle.At(idle.cx / 2, 0));
    EXPECT_EQ(face, idle.At(idle.cx / 2, idle.cy - 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF, hovered.At(hovered.cx / 2, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF, hovered.At(hovered.cx / 2, hovered.cy - 1));
    RECT at = idle.Drawn(), down = pressed.Drawn();
    ASSERT_LT(at.left, at.right) << "no icon drawn";
    EXPECT_EQ(at.left + 1, down.left);
    EXPECT_EQ(at.top + 1, down.top);
    EXPECT_TRUE(idle.AnyColoured());
    EXPECT_FALSE(disabled.AnyColoured());
}

TEST(StaticPrpDlg, TextAppliesWithEmptyThemeAndNameAndChecksTheEntryPart)
{
    CUIStatic text;
    FillEntry(text);
    text.SetThemeFile("leftover.zmt");
    text.SetAsMenu(FALSE);
    SetFont(text, 38, RGB(0, 128, 0));
    DrivenEntry<CStaticPrpDlg> dlg;
    dlg.SetControl(&text);
    dlg.chosenColor = RGB(10, 20, 30);
    bool rightChecked = false, fontButtonOff = false, passwordOffWithGroup = false, passwordOnWithGroup = false,
         passwordOffWithoutMode = false;
    CString titleAfterRefusal;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                   rightChecked = IsDlgButtonChecked(d, IDC_PT_RIGHT) == BST_CHECKED;
                                   fontButtonOff = !Enabled(d, IDC_PT_FONT);
                                   passwordOffWithGroup = !Enabled(d, IDC_PT_PASSWORD);
                                   ClickGroupTitle(d, IDC_PT_ASMENU);
                                   passwordOnWithGroup = Enabled(d, IDC_PT_PASSWORD);
                                   SetCheck(d, IDC_PT_PASSMODE, BST_UNCHECKED);
                                   ClickGroupTitle(d, IDC_PT_ASMENU);
                                   ClickGroupTitle(d, IDC_PT_ASMENU);
                                   passwordOffWithoutMode = !Enabled(d, IDC_PT_PASSWORD);
                                   SetCheck(d, IDC_PT_PASSMODE, BST_CHECKED);
                                   SetDlgItemTextA(d, IDC_PT_COMMANDS, "");
                                   SetDlgItemTextA(d, IDC_PT_TITLE, "Refused");
                                   Command(d, IDC_PT_APPLY);
                                   titleAfterRefusal = text.GetTitle();
                                   SetDlgItemTextA(d, IDC_PT_COMMANDS, "reboot");
                                   SetDlgItemTextA(d, IDC_PT_CAPTION, "Hello");
                                   Command(d, IDC_PT_COLOR);
                                   SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_PT_CENTER, BN_CLICKED), 0);
                                   Command(d, IDOK);
                               }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(rightChecked);
    EXPECT_TRUE(fontButtonOff);
    EXPECT_TRUE(passwordOffWithGroup);
    EXPECT_TRUE(passwordOnWithGroup);
    EXPECT_TRUE(passwordOffWithoutMode);
    EXPECT_EQ(CString("Old title"), titleAfterRefusal);
    EXPECT_EQ((std::vector<UINT>{IDS_PT_INCOMPLETE}), dlg.told);
    EXPECT_TRUE(text.GetAsMenu());
    EXPECT_EQ(CString("Refused"), text.GetTitle());
    EXPECT_EQ(CString("reboot"), text.GetCmdLine());
    EXPECT_EQ(CString("Hello"), text.GetCaption());
    EXPECT_EQ(CString(""), text.GetThemeFile());
    EXPECT_EQ(CString(""), text.GetName());
    EXPECT_EQ(37u, text.GetFont()->GetTextFormat());
    EXPECT_EQ(RGB(10, 20, 30), text.GetFont()->GetColor());
    EXPECT_TRUE(text.IsThemeReloadPending());
}

namespace {

// The shown texts of the dialog that are wider than their controls leave
// room for (a group box's check title shows only its box).
void CollectCutTexts(HWND parent, std::vector<std::string>& cut)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "", text[256] = "";
        GetClassNameA(child, cls, sizeof(cls));
        GetWindowTextA(child, text, sizeof(text));
        const LONG_PTR type = GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK;
        const bool button = _stricmp(cls, "Button") == 0;
        if (!IsWindowVisible(child) || !text[0] || (button && type == BS_OWNERDRAW) ||
            (!button && _stricmp(cls, "Static") != 0))
            continue;
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(child, WM_GETFONT, 0, 0));
        RECT need = {0, 0, 0, 0};
        DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        RECT room;
        GetClientRect(child, &room);
        int margin = 0;
        if (button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON))
            margin = 2 * GetSystemMetrics(SM_CXEDGE) + 2;
        else if (button && type == BS_GROUPBOX)
            margin = 2 * metrics.tmAveCharWidth;
        else if (button)
            margin = GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth / 2;
        if (need.right + margin > room.right)
            cut.push_back(std::to_string(GetDlgCtrlID(child)) + " " + text);
    }
}

// Opens the dialog under the English language file and lists its cut texts.
template <class Dialog>
std::vector<std::string> CutEnglishTexts(CUIControl& element)
{
    const std::string folder = TempFolder("english");
    CreateDirectoryA((folder + "\\language").c_str(), NULL);
    std::ifstream in(ZAVO_SOURCE_DIR "/language/english.lng", std::ios::binary);
    std::ofstream(folder + "\\language\\zavomgr.lng", std::ios::binary) << in.rdbuf();
    CLangManager english;
    english.InitFrom((folder + "\\").c_str(), "Settings");
    EXPECT_TRUE(english.IsLoaded());
    CUIControlPrpDlg::SetLangManager(&english);
    FillEntry(element);
    element.SetAsMenu(TRUE);
    Driven<Dialog> dlg;
    dlg.SetControl(&element);
    std::vector<std::string> cut;
    RunDialog(dlg, {[&](HWND d) {
                  CollectCutTexts(d, cut);
                  Command(d, IDCANCEL);
              }});
    CUIControlPrpDlg::SetLangManager(NULL);
    return cut;
}

}  // namespace

TEST(EntryPrpDlg, EnglishTextsFitTheirControls)
{
    CUIButton button;
    EXPECT_EQ(std::vector<std::string>(), CutEnglishTexts<CButtonPrpDlg>(button));
    CUIPicture picture;
    EXPECT_EQ(std::vector<std::string>(), CutEnglishTexts<CPicturePrpDlg>(picture));
    CUIStatic text;
    EXPECT_EQ(std::vector<std::string>(), CutEnglishTexts<CStaticPrpDlg>(text));
}

// A chunk file stored relative is written in the project's folder, whatever
// the current folder is, and stays relative in the element.
TEST(ProgressPrpDlg, RelativeChunkFileIsWrittenInTheProjectFolder)
{
    const std::string project = TempFolder("chunk_project"), current = TempFolder("chunk_current");
    char oldCurrent[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, oldCurrent);
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    CProjectPaths::SetProjectFolder(project.c_str());
    CUIProgress bar;
    bar.SetAsMenu(TRUE);
    bar.SetAddPath("chunk.png");
    Driven<CProgressPrpDlg> dlg;
    dlg.SetControl(&bar);
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                   dlg.GetColorButton().SetColor(RGB(0, 200, 0));
                                   Command(d, IDC_PT_MAKECHUNK);
                                   Command(d, IDC_PT_APPLY);
                                   Command(d, IDOK);
                               }});
    SetCurrentDirectoryA(oldCurrent);
    CProjectPaths::SetProjectFolder("");
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(FileExists(project + "\\chunk.png"));
    EXPECT_FALSE(FileExists(current + "\\chunk.png"));
    EXPECT_EQ(CString("chunk.png"), bar.GetAddPath());
    DeleteFileA((project + "\\chunk.png").c_str());
    DeleteFileA((current + "\\chunk.png").c_str());
    RemoveDirectoryA(project.c_str());
    RemoveDirectoryA(current.c_str());
}

TEST(ProgressPrpDlg, ThemeOverlayAndChunkReachTheElementOnlyThroughApply)
{
    const std::string folder = TempFolder("progress");
    CEntryPrpDlg::SetThemesFolder(folder.c_str());
    CUIProgress bar;
    const std::string theme = Fixture("progress.zmt");
    bar.SetThemeFile(theme.c_str());
    bar.SetAsMenu(FALSE);
    bar.SetChunkColor(RGB(0, 0, 255));
    bar.SetAddPath("");
    bar.SetThemeReloadPending(FALSE);
    Driven<CProgressPrpDlg> dlg;
    dlg.SetControl(&bar);
    std::string upper = theme;
    for (char& c : upper)
        c = (char)toupper((unsigned char)c);
    dlg.paths.push_back(upper);
    dlg.paths.push_back(Fixture("menu.zmt"));

    bool applyOffAtStart = false, applyOffSameTheme = false, applyOnOtherTheme = false,
         applyOffAfterApply = false;
    std::string shownSame, shownOther, chunkFirst, chunkSecond;
    int barMax = 0, barPos = 0;
    INT_PTR result = RunDialog(dlg, {[&](HWND d) {
                                         applyOffAtStart = !Enabled(d, IDC_PT_APPLY);
                                         barMax = dlg.GetBarPreview().GetRangeSize();
                                         barPos = dlg.GetBarPreview().GetPos();
                                         Command(d, IDC_PT_THEMEPICK);
                                         applyOffSameTheme = !Enabled(d, IDC_PT_APPLY);
                                         shownSame = Text(d, IDC_PT_BARTHEME);
                                         Command(d, IDC_PT_THEMEPICK);
                                         applyOnOtherTheme = Enabled(d, IDC_PT_APPLY);
                                         shownOther = Text(d, IDC_PT_BARTHEME);
                                         ClickGroupTitle(d, IDC_PT_OVERLAY);
                                         SendMessageA(d, MSG_COLOR_ACCEPTED, RGB(255, 0, 0), IDC_PT_COLOR);
                                         dlg.GetColorButton().SetColor(RGB(255, 0, 0));
                                         Command(d, IDC_PT_MAKECHUNK);
                                         chunkFirst = dlg.GetChunkFile().GetString();
                                         Command(d, IDC_PT_MAKECHUNK);
                                         chunkSecond = dlg.GetChunkFile().GetString();
                                     },
                                     [&](HWND d) {
                                         Command(d, IDC_PT_APPLY);
                                         applyOffAfterApply = !Enabled(d, IDC_PT_APPLY);
                                         Command(d, IDOK);
                                     }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(applyOffAtStart);
    EXPECT_EQ(20, barMax);
    EXPECT_EQ(5, barPos);
    EXPECT_TRUE(applyOffSameTheme);
    EXPECT_EQ(theme, shownSame);
    EXPECT_TRUE(applyOnOtherTheme);
    EXPECT_EQ(Fixture("menu.zmt"), shownOther);
    EXPECT_EQ(dlg.GetPickFolder(), CString((folder + "\\Progress\\").c_str()));
    EXPECT_EQ(RGB(255, 0, 0), dlg.GetColorPreview().GetChunkColor());
    ASSERT_FALSE(chunkFirst.empty());
    EXPECT_EQ(chunkFirst, chunkSecond);
    EXPECT_EQ(0u, chunkFirst.find(folder + "\\Pictures\\Chunks\\chunk_"));
    EXPECT_TRUE(FileExists(chunkFirst));
    EXPECT_TRUE(applyOffAfterApply);
    EXPECT_TRUE(dlg.told.empty());

    EXPECT_TRUE(bar.GetAsMenu());
    EXPECT_EQ(RGB(255, 0, 0), bar.GetChunkColor());
    EXPECT_EQ(CString(chunkFirst.c_str()), bar.GetAddPath());
    EXPECT_EQ(CString(Fixture("menu.zmt").c_str()), bar.GetThemeFile());
    EXPECT_TRUE(bar.IsThemeReloadPending());

    // Cancel after changes leaves the element as it was; OK with Apply off writes nothing.
    bar.SetThemeReloadPending(FALSE);
    dlg.paths.push_back(theme);
    result = RunDialog(dlg, {[&](HWND d) {
                           Command(d, IDC_PT_THEMEPICK);
                           ClickGroupTitle(d, IDC_PT_OVERLAY);
                           Command(d, IDCANCEL);
                       }});
    EXPECT_EQ(IDCANCEL, result);
    result = RunDialog(dlg, {[&](HWND d) { Command(d, IDOK); }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(bar.GetAsMenu());
    EXPECT_EQ(CString(Fixture("menu.zmt").c_str()), bar.GetThemeFile());
    EXPECT_FALSE(bar.IsThemeReloadPending());

    DeleteFileA(chunkFirst.c_str());
    RemoveDirectoryA((folder + "\\Pictures\\Chunks").c_str());
    RemoveDirectoryA((folder + "\\Pictures").c_str());
    RemoveDirectoryA(folder.c_str());
    CEntryPrpDlg::SetThemesFolder(NULL);
}

namespace {

// The system's font dialog of this thread: the dialog with the face list.
HWND FindFontDialog()
{
    struct Finder {
        static BOOL CALLBACK Each(HWND hWnd, LPARAM lParam)
        {
            if (IsWindowVisible(hWnd) && GetDlgItem(hWnd, cmb1) != NULL && GetDlgItem(hWnd, cmb3) != NULL) {
                *(HWND*)lParam = hWnd;
                return FALSE;
            }
            return TRUE;
        }
    };
    HWND hFound = NULL;
    EnumThreadWindows(GetCurrentThreadId(), &Finder::Each, (LPARAM)&hFound);
    return hFound;
}

struct FontDialogLook {
    std::string face, size;
    int style = -1;  // in the style list: regular, italic, bold, bold italic
};

// Opens the element dialog's font dialog, reads its face, style and size
// and answers OK without a change; then OK in the element dialog.
template <class TDialog>
FontDialogLook OpenFontDialogAndConfirm(TDialog& dlg)
{
    FontDialogLook look;
    bool seen = false;
    int waits = 0;
    Step readAndConfirm = [&](HWND) {
        HWND hFont = FindFontDialog();
        if (hFont == NULL) {
            if (++waits < 200)
                --g_next;  // not up yet: this step again on the next tick
            return;
        }
        look.face = Text(hFont, cmb1);
        look.style = (int)SendDlgItemMessageA(hFont, cmb2, CB_GETCURSEL, 0, 0);
        look.size = Text(hFont, cmb3);
        seen = true;
        Command(hFont, IDOK);
    };
    // OK in the element dialog once the font dialog has gone
    Step confirm = [&](HWND d) {
        if (FindFontDialog() != NULL && ++waits < 200) {
            --g_next;
            return;
        }
        Command(d, IDOK);
        if (IsWindowVisible(d))
            Command(d, IDCANCEL);  // OK refused: the dialog must not stay open
    };
    INT_PTR result = RunDialog(dlg, {[](HWND d) { Command(d, IDC_PT_FONT); }, readAndConfirm, confirm});
    EXPECT_TRUE(dlg.told.empty());
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(seen) << "no font dialog";
    return look;
}

void ExpectSameFont(const LOGFONT& want, const CColorFont* pFont)
{
    ASSERT_TRUE(pFont != NULL);
    const LOGFONT& got = pFont->GetLogFontData();
    EXPECT_STREQ(want.lfFaceName, got.lfFaceName);
    EXPECT_EQ(want.lfHeight, got.lfHeight);
    EXPECT_EQ(want.lfWeight, got.lfWeight);
    EXPECT_EQ(want.lfItalic, got.lfItalic);
}

}  // namespace

// The font dialog starts at the element's face, size and style, and OK
// without a change leaves the element's font as it was: a face the system's
// list does not have (none of the prefix's fonts is Courier New), and a
// height between two whole points.
TEST(EntryFontDialog, StartsAtTheElementsFontAndOkWithoutAChangeKeepsIt)
{
    struct Case {
        const char* face;
        LONG height;
        LONG weight;
        BYTE italic;
        const char* size;
        int style;
    } cases[] = {
        {"Tahoma", -16, FW_BOLD, 0, "12", 2},
        {"Tahoma", -14, FW_NORMAL, 0, "11", 0},
        {"Courier New", -20, FW_NORMAL, 1, "15", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
        CUIButton button;
        FillMenuButton(button);
        CColorFont font(c.face);
        LOGFONT lf = font.GetLogFontData();
        lstrcpynA(lf.lfFaceName, c.face, LF_FACESIZE);
        lf.lfHeight = c.height;
        lf.lfWeight = c.weight;
        lf.lfItalic = c.italic;
        font.SetLogFont(lf);
        font.SetColor(RGB(0, 0, 255));
        button.SetFont(&font);
        Driven<CButtonPrpDlg> dlg;
        dlg.SetControl(&button);
        FontDialogLook look = OpenFontDialogAndConfirm(dlg);
        EXPECT_EQ(c.face, look.face);
        EXPECT_EQ(c.size, look.size);
        EXPECT_EQ(c.style, look.style);
        ExpectSameFont(lf, button.GetFont());
        EXPECT_EQ(RGB(0, 0, 255), button.GetFont()->GetColor());
    }
}

// The owner-drawn preview and colour buttons seen on the screen right after
// their dialog came up, plain and then skinned as the studio starts its skin.
// Runs last: the skin stays on in this process once started.
namespace {

// The window's pixels as the screen shows them.
std::vector<COLORREF> ScreenPixels(HWND hWnd)
{
    std::vector<COLORREF> pixels;
    RECT rc;
    if (hWnd == NULL || !GetWindowRect(hWnd, &rc))
        return pixels;
    UpdateWindow(GetAncestor(hWnd, GA_ROOT));
    HDC screen = GetDC(NULL);
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(NULL, screen);
    return pixels;
}

// The colour at the middle of a colour button's swatch (its left part).
COLORREF SwatchColour(HWND hButton, const std::vector<COLORREF>& pixels)
{
    RECT rc;
    GetWindowRect(hButton, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const size_t at = size_t(height / 2) * width + width / 4;
    return at < pixels.size() ? pixels[at] : CLR_INVALID;
}

struct OwnerDrawnLook {
    std::vector<COLORREF> preview;
    COLORREF fontColour = CLR_INVALID, chunkColour = CLR_INVALID;
};

OwnerDrawnLook LookAtOwnerDrawnButtons()
{
    OwnerDrawnLook look;
    CUIButton entry;
    FillMenuButton(entry);
    SetFont(entry, 37, RGB(0, 0, 255));
    Driven<CButtonPrpDlg> entryDlg;
    entryDlg.SetControl(&entry);
    int waits = 0;
    RunDialog(entryDlg,
              {[&](HWND d) { look.preview = ScreenPixels(GetDlgItem(d, IDC_PT_THEMEPREVIEW)); },
               [](HWND d) { Command(d, IDC_PT_FONT); },
               [&](HWND) {
                   HWND hFont = FindFontDialog();
                   if (hFont == NULL) {
                       if (++waits < 200)
                           --g_next;
                       return;
                   }
                   HWND hColour = GetDlgItem(hFont, CFontDialogEx::IDC_COLOR_BUTTON);
                   look.fontColour = SwatchColour(hColour, ScreenPixels(hColour));
                   Command(hFont, IDCANCEL);
               },
               [](HWND d) { Command(d, IDCANCEL); }});

    CUIProgress bar;
    bar.SetThemeFile(Fixture("progress.zmt").c_str());
    bar.SetAsMenu(TRUE);  // the overlay group enables the colour button
    bar.SetChunkColor(RGB(255, 0, 0));
    Driven<CProgressPrpDlg> barDlg;
    barDlg.SetControl(&bar);
    RunDialog(barDlg, {[&](HWND d) {
                  HWND hColour = barDlg.GetColorButton().m_hWnd;
                  look.chunkColour = SwatchColour(hColour, ScreenPixels(hColour));
                  Command(d, IDCANCEL);
              }});
    return look;
}

}  // namespace

TEST(SkinnedOwnerDrawn, PreviewAndColourButtonsDrawAsUnskinnedWhenTheirDialogOpens)
{
    const OwnerDrawnLook plain = LookAtOwnerDrawnButtons();
    ASSERT_FALSE(plain.preview.empty());
    EXPECT_EQ(RGB(0, 0, 255), plain.fontColour);
    EXPECT_EQ(RGB(255, 0, 0), plain.chunkColour);

    char folder[MAX_PATH] = "";
    GetModuleFileNameA(NULL, folder, sizeof(folder));
    *strrchr(folder, '\\') = '\0';
    _putenv("ZAVO_NO_SKIN=");
    HMODULE hSkin = NULL;
    ThemeStartProc pfnStart = NULL;
    ThemeEndProc pfnEnd = NULL;
    ASSERT_TRUE(ZavoStartSkin(folder, hSkin, pfnStart, pfnEnd)) << "no skin in " << folder;

    const OwnerDrawnLook skinned = LookAtOwnerDrawnButtons();
    ASSERT_EQ(plain.preview.size(), skinned.preview.size());
    size_t same = 0;
    for (size_t i = 0; i < plain.preview.size(); ++i)
        same += plain.preview[i] == skinned.preview[i];
    // the preview paints its theme over all of itself, under the skin too
    EXPECT_GT(same * 10, plain.preview.size() * 9) << same << " of " << plain.preview.size();
    EXPECT_EQ(RGB(0, 0, 255), skinned.fontColour);
    EXPECT_EQ(RGB(255, 0, 0), skinned.chunkColour);
}
