#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <vector>

#include "controls/FileDialogEx.h"
#include "controls/FontDialogEx.h"

namespace {

// Runs steps from a thread timer while a modal dialog runs; each step returns
// true when done. After the steps (or too many ticks) it calls the closer.
class Driver {
public:
    Driver(std::vector<std::function<bool()>> steps, std::function<void()> close)
        : m_steps(std::move(steps)), m_close(std::move(close))
    {
        s_pDriver = this;
        m_timer = ::SetTimer(NULL, 0, 50, &Driver::Tick);
    }
    ~Driver()
    {
        ::KillTimer(NULL, m_timer);
        s_pDriver = NULL;
    }
    bool Finished() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Driver* d = s_pDriver;
        if (d == NULL || d->m_busy)
            return;
        d->m_busy = true;
        if (++d->m_ticks > 100 || d->m_next == d->m_steps.size())
            d->m_close();
        else if (d->m_steps[d->m_next]())
            ++d->m_next;
        d->m_busy = false;
    }
    static Driver* s_pDriver;
    std::vector<std::function<bool()>> m_steps;
    std::function<void()> m_close;
    size_t m_next = 0;
    int m_ticks = 0;
    bool m_busy = false;
    UINT_PTR m_timer;
};
Driver* Driver::s_pDriver = NULL;

HWND FindListView(HWND hView)
{
    return ::FindWindowEx(hView, NULL, WC_LISTVIEW, NULL);
}

}  // namespace

TEST(FileDialogEx, ShellViewIsSubclassedAndTakesTheViewMode)
{
    CFileDialogEx dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, "All files|*.*||");
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    dlg.m_ofn.lpstrInitialDir = szDir;
    dlg.SetViewMode(CFileDialogEx::ViewLargeIcons);
    HWND hView = NULL;
    DWORD dwListStyle = 0;
    Driver driver({[&] {
                      if (dlg.GetShellView().m_hWnd == NULL)
                          return false;
                      hView = dlg.GetShellView().m_hWnd;
                      HWND hList = FindListView(hView);
                      dwListStyle = hList ? (DWORD)GetWindowLongPtr(hList, GWL_STYLE) : 0;
                      return true;
                  }},
                  [&] {
                      if (dlg.m_hWnd != NULL)
                          ::PostMessage(::GetParent(dlg.m_hWnd), WM_COMMAND, IDCANCEL, 0);
                  });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(hView != NULL);
    EXPECT_EQ((DWORD)LVS_ICON, dwListStyle & LVS_TYPEMASK);
    EXPECT_EQ(NULL, dlg.GetShellView().m_hWnd);  // let go with the dialog
}

TEST(FontDialogEx, ColourButtonReplacesTheColourList)
{
    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -14;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CFontDialogEx dlg(&lf, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK);
    dlg.SetColor(RGB(255, 0, 0));
    bool comboHidden = false, buttonThere = false;
    CRect rcCombo, rcButton;
    char szText[32] = "";
    Driver driver(
        {[&] {
             // a modal dialog shows itself only once its queue first empties
             if (dlg.m_hWnd == NULL || dlg.GetColorButton().m_hWnd == NULL ||
                 !::IsWindowVisible(dlg.m_hWnd))
                 return false;
             HWND hCombo = ::GetDlgItem(dlg.m_hWnd, 1139);
             HWND hButton = ::GetDlgItem(dlg.m_hWnd, 1280);
             comboHidden = hCombo != NULL && !::IsWindowVisible(hCombo);
             buttonThere = hButton != NULL && ::IsWindowVisible(hButton);
             ::GetWindowRect(hCombo, &rcCombo);
             ::GetWindowRect(hButton, &rcButton);
             ::GetWindowTextA(hButton, szText, sizeof(szText));
             return true;
         },
         [&] {
             // Open the picker, step from red to light orange and accept.
             dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1280, BN_CLICKED), (LPARAM)dlg.GetColorButton().m_hWnd);
             HWND hPopup = ::GetCapture();
             if (hPopup == NULL)
                 return true;
             ::SendMessage(hPopup, WM_KEYDOWN, VK_RIGHT, 1);
             ::SendMessage(hPopup, WM_KEYDOWN, VK_RETURN, 1);
             return true;
         },
         [&] {
             dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDOK));
             return true;
         }},
        [&] {
            if (dlg.m_hWnd != NULL)
                ::PostMessage(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(comboHidden);
    EXPECT_TRUE(buttonThere);
    EXPECT_STREQ("COLOR", szText);
    EXPECT_EQ(rcCombo, rcButton);
    EXPECT_EQ(RGB(255, 173, 91), dlg.GetColor());
    EXPECT_EQ(NULL, dlg.GetColorButton().m_hWnd);
}

TEST(FontDialogEx, UnchangedColourIsKept)
{
    CFontDialogEx dlg(NULL, CF_SCREENFONTS | CF_EFFECTS | CF_ENABLEHOOK);
    dlg.m_cf.rgbColors = RGB(0, 0, 255);
    Driver driver({[&] {
                      if (dlg.m_hWnd == NULL || dlg.GetColorButton().m_hWnd == NULL)
                          return false;
                      EXPECT_EQ(RGB(0, 0, 255), dlg.GetColorButton().GetColor());
                      dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDOK));
                      return true;
                  }},
                  [&] {
                      if (dlg.m_hWnd != NULL)
                          ::PostMessage(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
                  });
    dlg.DoModal();
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(RGB(0, 0, 255), dlg.GetColor());
}
