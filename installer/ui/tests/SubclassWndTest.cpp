#include <gtest/gtest.h>

#include <string>

#include "installer/ui/SubclassWnd.h"

namespace {

const UINT kPing = WM_APP + 1;
const UINT kNested = WM_APP + 2;
std::string g_log;

LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kPing) {
        g_log += "w";
        return 100 + (LRESULT)wParam;
    }
    if (msg == WM_NCDESTROY)
        g_log += "d";
    return ::DefWindowProc(hWnd, msg, wParam, lParam);
}

class CLogHook : public CSubclassWnd {
public:
    explicit CLogHook(char tag) : m_tag(tag) {}
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_NCDESTROY)
            m_sawDestroy = true;
        if (msg == kPing)
            g_log += m_tag;
        if (msg == kNested && wParam == 0) {
            // A message sent while this one is handled must not change what Default
            // passes on.
            ::SendMessage(m_hWnd, kPing, 7, 0);
            return Default();
        }
        if (msg == kNested)
            return (LRESULT)wParam;
        return CSubclassWnd::WindowProc(msg, wParam, lParam);
    }
    char m_tag;
    bool m_sawDestroy = false;
};

class SubclassWndTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc = {};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "ZavoHookTest";
        ::RegisterClass(&wc);
        m_hWnd = ::CreateWindow("ZavoHookTest", "", WS_POPUP, 0, 0, 10, 10, NULL,
                                NULL, wc.hInstance, NULL);
        ASSERT_TRUE(m_hWnd);
        g_log.clear();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    LRESULT Ping(WPARAM w = 0) { return ::SendMessage(m_hWnd, kPing, w, 0); }
    HWND m_hWnd = NULL;
};

TEST_F(SubclassWndTest, NewestHookSeesMessagesFirstAndEitherCanLeave)
{
    CLogHook a('a'), b('b'), c('c');
    a.SubclassWindow(m_hWnd);
    b.SubclassWindow(m_hWnd);
    c.SubclassWindow(m_hWnd);
    EXPECT_EQ(103, Ping(3));
    EXPECT_EQ("cbaw", g_log);

    g_log.clear();
    b.SubclassWindow((HWND)NULL);  // from the middle
    Ping();
    EXPECT_EQ("caw", g_log);
    EXPECT_FALSE(b.IsHooked());

    g_log.clear();
    c.SubclassWindow((HWND)NULL);  // the newest
    Ping();
    EXPECT_EQ("aw", g_log);

    a.SubclassWindow((HWND)NULL);  // the last puts the first procedure back
    EXPECT_EQ((LONG_PTR)PlainProc, ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    g_log.clear();
    Ping();
    EXPECT_EQ("w", g_log);
}

TEST_F(SubclassWndTest, OlderHookLeavingKeepsTheNewerWorking)
{
    CLogHook a('a'), b('b');
    a.SubclassWindow(m_hWnd);
    b.SubclassWindow(m_hWnd);
    a.SubclassWindow((HWND)NULL);
    Ping();
    EXPECT_EQ("bw", g_log);
    b.SubclassWindow((HWND)NULL);
    EXPECT_EQ((LONG_PTR)PlainProc, ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
}

TEST_F(SubclassWndTest, DestroyUnhooksAllBeforeTheWindowSeesIt)
{
    CLogHook a('a'), b('b');
    a.SubclassWindow(m_hWnd);
    b.SubclassWindow(m_hWnd);
    ::DestroyWindow(m_hWnd);
    EXPECT_FALSE(a.IsHooked());
    EXPECT_FALSE(b.IsHooked());
    EXPECT_FALSE(a.m_sawDestroy);
    EXPECT_NE(std::string::npos, g_log.find('d'));
}

TEST_F(SubclassWndTest, DefaultPassesTheOuterMessageAfterANestedSend)
{
    CLogHook a('a'), b('b');
    a.SubclassWindow(m_hWnd);
    b.SubclassWindow(m_hWnd);
    // Each hook sends kPing inside; Default() then hands kNested on, down to the
    // window.
    const UINT before = CWnd::GetCurrentMessage()->message;
    EXPECT_EQ(0, ::SendMessage(m_hWnd, kNested, 0, 0));
    EXPECT_EQ("bawbaw", g_log);
    EXPECT_EQ(before, CWnd::GetCurrentMessage()->message);
}

}  // namespace
