#include "framework/String.h"
#include "framework/Sys.h"

#include <gtest/gtest.h>

TEST(CString, LoadStringFromTheResourceModule)
{
    CString s;
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_STREQ(s, "short text");
    EXPECT_TRUE(s.LoadString(102));  // longer than the first try's buffer
    EXPECT_EQ(300, s.GetLength());
    EXPECT_EQ(CString('L', 300), s);
    EXPECT_FALSE(s.LoadString(999));
    EXPECT_TRUE(s.IsEmpty());
    HINSTANCE old = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("zavofw.dll"));  // holds no strings
    EXPECT_FALSE(s.LoadString(101));
    AfxSetResourceHandle(old);
    EXPECT_TRUE(s.LoadString(101));
}
