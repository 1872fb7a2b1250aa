// Typed text under the Chinese system code page (see review-tests.cmake):
// characters typed into the framework's windows arrive in code page 936.
// Runs alone: the keys go to the foreground window.
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "ReviewTestRes.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const wchar_t kTypedW[] = L"\x542F\x52A8\x83DC\x5355 \x00FC"
                          L"ber";  // "启动菜单 über"
const char kTypedA[] = "\xC6\xF4\xB6\xAF\xB2\xCB\xB5\xA5 \xA8\xB9"
                       "ber";

class CCharLog : public CWnd {
public:
    std::string m_bytes;
    afx_msg void OnChar(UINT nChar, UINT, UINT) { m_bytes += (char)nChar; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCharLog, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CTypingDlg : public CDialog {
public:
    CTypingDlg() : CDialog(IDD_MODELESS) {}
    CEdit m_subclassed;
    BOOL OnInitDialog() override
    {
        m_subclassed.SubclassDlgItem(IDC_FIRST, this);
        return CDialog::OnInitDialog();
    }
};

// Keys sent as input arrive a little later than posted messages.
void PumpPosted()
{
    const DWORD start = ::GetTickCount();
    MSG peek;
    while (::GetTickCount() - start < 250) {
        while (::PeekMessageW(&peek, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        ::Sleep(5);
    }
}

// Keys as an input method sends them: one Unicode key event per character.
void SendUnicodeKeys(HWND hFocus, const wchar_t* text)
{
    ::SetForegroundWindow(::GetAncestor(hFocus, GA_ROOT));
    ::SetFocus(hFocus);
    PumpPosted();
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
    PumpPosted();
}

void PostCharsW(HWND hWnd, const wchar_t* text)
{
    for (const wchar_t* p = text; *p; ++p)
        ::PostMessageW(hWnd, WM_CHAR, *p, 1);
    PumpPosted();
}

// The two bytes of each character, as an ANSI sender posts them.
void PostCharsA(HWND hWnd, const char* text)
{
    for (const char* p = text; *p; ++p)
        ::PostMessageA(hWnd, WM_CHAR, (BYTE)*p, 1);
    PumpPosted();
}

std::string TextOf(HWND hWnd)
{
    char buf[256] = "";
    ::GetWindowTextA(hWnd, buf, sizeof(buf));
    return buf;
}

}  // namespace

TEST(TypedTextDbcs, DialogEditsPlainAndSubclassedGetWholeCharacters)
{
    ASSERT_EQ(936u, ::GetACP());
    CWinApp app("FwTypingApp");
    CTypingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_MODELESS));
    dlg.ShowWindow(SW_SHOW);
    for (int id : {IDC_SECOND, IDC_FIRST}) {
        SCOPED_TRACE(id == IDC_FIRST ? "subclassed edit" : "plain edit");
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, id);
        ::SetWindowTextA(hEdit, "");
        SendUnicodeKeys(hEdit, kTypedW);
        EXPECT_EQ(kTypedA, TextOf(hEdit));
        ::SetWindowTextA(hEdit, "");
        PostCharsW(hEdit, kTypedW);
        EXPECT_EQ(kTypedA, TextOf(hEdit));
        ::SetWindowTextA(hEdit, "");
        PostCharsA(hEdit, kTypedA);
        EXPECT_EQ(kTypedA, TextOf(hEdit));
    }
    dlg.DestroyWindow();
}

TEST(TypedTextDbcs, CreatedEditAndAnsiWindowGetTheCodePageBytes)
{
    CWinApp app("FwTypingApp");
    CCharLog log;
    ASSERT_TRUE(log.CreateEx(0, NULL, "typing", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, NULL, NULL));
    SendUnicodeKeys(log.m_hWnd, kTypedW);
    EXPECT_EQ(kTypedA, log.m_bytes);  // an ANSI window takes each character as its two bytes

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 24), &log, 100));
    SendUnicodeKeys(edit.m_hWnd, kTypedW);
    EXPECT_EQ(kTypedA, TextOf(edit.m_hWnd));
    log.DestroyWindow();
}
