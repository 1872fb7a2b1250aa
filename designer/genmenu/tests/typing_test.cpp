// Typed text in the studio's dialogs under the Chinese system code page
// (LC_ALL=zh_CN.UTF-8, code page 936): Unicode key events and WM_CHAR
// messages reach the menu name, the password and an entry's caption as the
// code page's bytes. A menu with a Chinese name becomes a package of that
// name. typing_check.py then checks the password's hash with openssl and
// the package with genmenu_check.py. A click in the quality box focuses it.
// Runs alone: keys and clicks go to the foreground window.
#include "designer/app/GenMD5Dlg.h"
#include "designer/genmenu/GenMenuDlg.h"
#include "designer/propdlg/StaticPrpDlg.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIStatic.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/app/ZavomgrApp.h"
#include "framework/WinThread.h"
#include "resources/zavomgr/resource.h"
#include "testsupport/WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

CZavomgrApp theApp;

namespace {

const wchar_t kMenuNameW[] = L"\x542F\x52A8\x83DC\x5355";  // 启动菜单
const char kMenuNameA[] = "\xC6\xF4\xB6\xAF\xB2\xCB\xB5\xA5";
const wchar_t kPasswordW[] = L"\x00FC"
                             L"ber";  // über
const char kPasswordA[] = "\xA8\xB9"
                          "ber";

std::string OutFolder(const char* name)
{
    std::string path = std::string("Z:") + ZAVO_BINARY_DIR + "/designer/typing_out/" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Keys sent as input arrive a little later than posted messages.
void Pump()
{
    const DWORD start = ::GetTickCount();
    MSG peek;
    while (::GetTickCount() - start < 250) {
        while (::PeekMessageW(&peek, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        ::Sleep(5);
    }
}

void Focus(HWND hEdit)
{
    ::SetForegroundWindow(::GetAncestor(hEdit, GA_ROOT));
    ::SetFocus(hEdit);
    ::SetWindowTextA(hEdit, "");
}

// One Unicode key event per character, as an input method sends them.
void SendKeys(const wchar_t* text)
{
    std::vector<INPUT> keys;
    for (const wchar_t* p = text; *p; ++p) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wScan = *p;
        in.ki.dwFlags = KEYEVENTF_UNICODE;
        keys.push_back(in);
        in.ki.dwFlags |= KEYEVENTF_KEYUP;
        keys.push_back(in);
    }
    ::SendInput((UINT)keys.size(), &keys[0], sizeof(INPUT));
}

void PostChars(HWND hEdit, const wchar_t* text)
{
    for (const wchar_t* p = text; *p; ++p)
        ::PostMessageW(hEdit, WM_CHAR, *p, 1);
}

// Keys from the X server: the text goes through the keyboard layout,
// TranslateMessage and the studio's own message loop, as a user's typing.
std::string TypeOnKeyboard(HWND hEdit, const wchar_t* text)
{
    auto pump = [] {
        MSG peek;
        while (::PeekMessageW(&peek, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
    };
    Focus(hEdit);
    Pump();
    EXPECT_EQ(hEdit, ::GetFocus());
    // Wine misses the first key that xdotool maps anew in a process: one to warm up.
    static bool s_bWarm = false;
    if (!s_bWarm) {
        s_bWarm = zavotest::TypeOnXServer(L"\x00E4", pump);
        Pump();
        ::SetWindowTextA(hEdit, "");
    }
    const bool typed = zavotest::TypeOnXServer(text, pump);
    EXPECT_TRUE(typed) << "xdotool did not type";
    Pump();
    char buf[256] = "";
    ::GetWindowTextA(hEdit, buf, sizeof(buf));
    return buf;
}

std::string Text(HWND hWnd)
{
    char buf[256] = "";
    ::GetWindowTextA(hWnd, buf, sizeof(buf));
    return buf;
}

// Types into a modeless dialog's edit both ways; the text read back each time.
std::vector<std::string> TypeBothWays(HWND hEdit, const wchar_t* text)
{
    std::vector<std::string> seen;
    Focus(hEdit);
    Pump();
    SendKeys(text);
    Pump();
    seen.push_back(Text(hEdit));
    Focus(hEdit);
    PostChars(hEdit, text);
    Pump();
    seen.push_back(Text(hEdit));
    return seen;
}

// For typing_check.py: the password's bytes in hex and the hash made of them.
void RecordPassword(const char* file, const char* password, const std::string& hash)
{
    ::CreateDirectoryA(OutFolder("").c_str(), NULL);
    std::ofstream record(OutFolder(file).c_str(), std::ios::binary);
    for (const char* p = password; *p; ++p) {
        char hex[3];
        sprintf(hex, "%02x", (unsigned char)*p);
        record << hex;
    }
    record << "\n"
           << hash << "\n";
}

// The generate dialog, shown, on an empty 1024 x 768 page.
struct EmptyPageGenerateDialog {
    CUIControlList list;
    CViewCanvas canvas;
    CGenMenuDlg dlg;

    EmptyPageGenerateDialog()
    {
        list.SetPaperSize(1024, 768);
        canvas.SetList(&list);
        dlg.m_pControlList = &list;
        dlg.m_pCanvas = &canvas;
    }
    bool Show()
    {
        if (!dlg.Create(IDD_GENMENU, NULL))
            return false;
        dlg.ShowWindow(SW_SHOW);
        return true;
    }
    ~EmptyPageGenerateDialog() { dlg.DestroyWindow(); }
};
}  // namespace

TEST(TypedText, PasswordHashIsMadeFromTheTypedBytes)
{
    ASSERT_EQ(936u, ::GetACP());
    _putenv("ZAVO_NO_MSGBOX=1");
    CGenMD5Dlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_GENMD5, NULL));
    dlg.ShowWindow(SW_SHOW);
    HWND hPassword = ::GetDlgItem(dlg.m_hWnd, IDC_MD5_PASSWORD);
    EXPECT_EQ(std::vector<std::string>(2, kPasswordA), TypeBothWays(hPassword, kPasswordW));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MD5_MAKE, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_MD5_MAKE));
    const std::string hash = Text(::GetDlgItem(dlg.m_hWnd, IDC_MD5_HASH));
    EXPECT_EQ(0u, hash.find("$1$"));
    dlg.DestroyWindow();
    RecordPassword("password.txt", kPasswordA, hash);
}

TEST(TypedText, EntryCaptionTakesTheTypedText)
{
    CUIStatic text;
    text.SetAsMenu(FALSE);
    CStaticPrpDlg dlg;
    dlg.SetControl(&text);
    ASSERT_TRUE(dlg.Create(IDD_STATICPRP, NULL));
    dlg.ShowWindow(SW_SHOW);
    dlg.InitControls();
    HWND hCaption = ::GetDlgItem(dlg.m_hWnd, IDC_PT_CAPTION);
    std::vector<std::string> seen = TypeBothWays(hCaption, kMenuNameW);
    EXPECT_EQ(std::vector<std::string>(2, kMenuNameA), seen);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PT_APPLY, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_PT_APPLY));
    EXPECT_EQ(CString(kMenuNameA), text.GetCaption());
    dlg.DestroyWindow();
}

TEST(TypedText, MenuWithATypedChineseNameBecomesAPackageOfThatName)
{
    _putenv("ZAVO_NO_MSGBOX=1");
    const std::string menus = OutFolder("Kel Menus");
    ::CreateDirectoryA(OutFolder("").c_str(), NULL);
    ::CreateDirectoryA(menus.c_str(), NULL);
    const std::string zip = menus + "\\" + kMenuNameA + ".zip";
    ::DeleteFileA(zip.c_str());

    CUIControlList list;
    list.SetPaperSize(1024, 768);
    CUIButton* entry = new CUIButton;
    entry->SetRect(100.0, 100.0, 400.0, 140.0);
    entry->SetCaption(kMenuNameA);
    entry->SetTitle("Boot from the hard disk");
    entry->SetCmdLine("chainloader (hd0,0)+1");
    list.Add(entry);
    CViewCanvas canvas;
    canvas.SetList(&list);
    canvas.SetVesaMode(0x117);
    canvas.SetTimeout(0);

    CGenMenuDlg dlg;
    dlg.m_pControlList = &list;
    dlg.m_pCanvas = &canvas;
    dlg.m_strMenusFolder = menus.c_str();
    ASSERT_TRUE(dlg.Create(IDD_GENMENU, NULL));
    dlg.ShowWindow(SW_SHOW);
    HWND hName = ::GetDlgItem(dlg.m_hWnd, IDC_GM_NAME);
    EXPECT_EQ(std::vector<std::string>(2, kMenuNameA), TypeBothWays(hName, kMenuNameW));
    dlg.SetDlgItemText(IDC_GM_DESCRIPTION, "Typed name");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GM_GENERATE, BN_CLICKED),
                    (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_GM_GENERATE));
    EXPECT_TRUE(dlg.GetErrorText().IsEmpty()) << (LPCTSTR)dlg.GetErrorText();
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(zip.c_str()));
    dlg.DestroyWindow();
}

// A click in the picture quality box focuses it: typed digits go there.
TEST(TypedText, ClickedQualityBoxTakesTheTypedDigits)
{
    EmptyPageGenerateDialog page;
    CGenMenuDlg& dlg = page.dlg;
    ASSERT_TRUE(page.Show());
    HWND hName = ::GetDlgItem(dlg.m_hWnd, IDC_GM_NAME);
    HWND hQuality = ::GetDlgItem(dlg.m_hWnd, IDC_GM_QUALITY);
    Focus(hName);
    Pump();
    RECT rc;
    ::GetWindowRect(hQuality, &rc);
    INPUT click[2] = {};
    for (INPUT& in : click) {
        in.type = INPUT_MOUSE;
        in.mi.dx = ((rc.left + rc.right) / 2) * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = ((rc.top + rc.bottom) / 2) * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    click[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    ::SendInput(2, click, sizeof(INPUT));
    Pump();
    EXPECT_EQ(hQuality, ::GetFocus());
    ::SendMessage(hQuality, EM_SETSEL, 0, -1);
    SendKeys(L"42");
    Pump();
    EXPECT_EQ("42", Text(hQuality));
    EXPECT_EQ("", Text(hName));
}

// The same fields typed with the X server's keyboard, with the skin on as
// the studio starts it: the skin's procedure sits on every dialog control.
// Keys that are not in the keyboard's layout (the umlaut, the Chinese
// characters) come as characters of the Unicode keysyms.
namespace {
void StartTheSkin()
{
    if (theApp.m_bSkin)
        return;
    char exe[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, exe, sizeof(exe));
    *strrchr(exe, '\\') = '\0';
    _putenv("ZAVO_NO_SKIN=");
    theApp.m_strAppPath = exe;
    ASSERT_TRUE(theApp.StartSkin()) << "no skin in " << exe;
}

const wchar_t kKeysW[] = L"\x00FC"
                         L"ber\x542F\x52A8";  // über启动
const char kKeysA[] = "\xA8\xB9"
                      "ber\xC6\xF4\xB6\xAF";
const wchar_t kKeyPasswordW[] = L"\x00FC"
                                L"ber1";
const char kKeyPasswordA[] = "\xA8\xB9"
                             "ber1";
}  // namespace

TEST(KeyboardText, GenerateDialogNameTakesTheTypedKeys)
{
    ASSERT_NO_FATAL_FAILURE(StartTheSkin());
    EmptyPageGenerateDialog page;
    CGenMenuDlg& dlg = page.dlg;
    ASSERT_TRUE(page.Show());
    EXPECT_EQ(kKeysA, TypeOnKeyboard(::GetDlgItem(dlg.m_hWnd, IDC_GM_NAME), kKeysW));
}

TEST(KeyboardText, EntryCaptionTakesTheTypedKeys)
{
    ASSERT_NO_FATAL_FAILURE(StartTheSkin());
    CUIStatic text;
    text.SetAsMenu(FALSE);
    CStaticPrpDlg dlg;
    dlg.SetControl(&text);
    ASSERT_TRUE(dlg.Create(IDD_STATICPRP, NULL));
    dlg.ShowWindow(SW_SHOW);
    dlg.InitControls();
    EXPECT_EQ(kKeysA, TypeOnKeyboard(::GetDlgItem(dlg.m_hWnd, IDC_PT_CAPTION), kKeysW));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PT_APPLY, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_PT_APPLY));
    EXPECT_EQ(CString(kKeysA), text.GetCaption());
    dlg.DestroyWindow();
}

TEST(KeyboardText, PasswordHashIsMadeFromTheTypedKeys)
{
    ASSERT_NO_FATAL_FAILURE(StartTheSkin());
    _putenv("ZAVO_NO_MSGBOX=1");
    CGenMD5Dlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_GENMD5, NULL));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(kKeyPasswordA, TypeOnKeyboard(::GetDlgItem(dlg.m_hWnd, IDC_MD5_PASSWORD), kKeyPasswordW));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MD5_MAKE, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_MD5_MAKE));
    const std::string hash = Text(::GetDlgItem(dlg.m_hWnd, IDC_MD5_HASH));
    dlg.DestroyWindow();
    RecordPassword("keys-password.txt", kKeyPasswordA, hash);
}
