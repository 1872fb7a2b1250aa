#include "framework/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CString, CopiesShareUntilOneIsWritten)
{
    CString a("shared text");
    CString b = a;
    EXPECT_EQ((LPCTSTR)a, (LPCTSTR)b);  // one buffer
    b.SetAt(0, 'S');
    EXPECT_STREQ(a, "shared text");
    EXPECT_STREQ(b, "Shared text");

    CString c = a;
    c += "!";
    c.MakeUpper();
    CString d = a;
    d.Replace("text", "words");
    CString e = a;
    e.GetBuffer(0)[0] = 'X';
    e.ReleaseBuffer();
    EXPECT_STREQ(a, "shared text");
    EXPECT_STREQ(c, "SHARED TEXT!");
    EXPECT_STREQ(d, "shared words");
    EXPECT_STREQ(e, "Xhared text");
}

TEST(CString, LockedBufferIsNeverShared)
{
    CString a("locked");
    LPTSTR p = a.LockBuffer();
    CString b = a;
    p[0] = 'L';
    EXPECT_STREQ(b, "locked");
    EXPECT_STREQ(a, "Locked");
    a.UnlockBuffer();
    CString c = a;
    EXPECT_EQ((LPCTSTR)a, (LPCTSTR)c);
}

TEST(CString, ConstructionAndComparison)
{
    EXPECT_STREQ(CString('x', 3), "xxx");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_TRUE(CString((LPCTSTR)NULL).IsEmpty());
    EXPECT_STREQ(CString(), "");
    CString s("Abc");
    EXPECT_TRUE(s == "Abc");
    EXPECT_TRUE("Abc" == s);
    EXPECT_TRUE(s != CString("abc"));
    EXPECT_TRUE(s < "b" && "b" > s && s <= "Abc" && s >= "Abc");
    EXPECT_EQ(0, s.CompareNoCase("aBC"));
    EXPECT_LT(s.Compare("Abd"), 0);
    EXPECT_GT(s.CompareNoCase("ab"), 0);
    EXPECT_TRUE(CString("a") == 'a');
    EXPECT_STREQ('<' + s + '>' + "." + CString("!"), "<Abc>.!");
    EXPECT_STREQ("pre" + s, "preAbc");
}

TEST(CString, AppendToItself)
{
    CString s("ab");
    s += s;
    s += (LPCTSTR)s;
    EXPECT_STREQ(s, "abababab");
    for (int i = 0; i < 1000; ++i)
        s += 'x';
    EXPECT_EQ(1008, s.GetLength());
    s = (LPCTSTR)s + 1000;  // assigning a tail of its own buffer
    EXPECT_STREQ(s, "xxxxxxxx");
}

TEST(CString, FormatOfAnyLength)
{
    CString s;
    s.Format("%d-%s-%05.1f", 42, "x", 3.14159);
    EXPECT_STREQ(s, "42-x-003.1");
    std::string big(10000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(10002, s.GetLength());
    EXPECT_EQ('q', s[5000]);
    EXPECT_EQ(']', s[10001]);
    s.AppendFormat("%c%u", '#', 7u);
    EXPECT_STREQ(s.Right(3), "]#7");
    // arguments taken from the string being formatted
    CString t("self");
    t.Format("%s+%s", (LPCTSTR)t, (LPCTSTR)t);
    EXPECT_STREQ(t, "self+self");
    CString u(big.c_str());
    u.Format("%s.", (LPCTSTR)u);
    EXPECT_EQ(10001, u.GetLength());
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, MidLeftRightClampOutOfRange)
{
    CString s("hello");
    EXPECT_STREQ(s.Mid(1, 3), "ell");
    EXPECT_STREQ(s.Mid(3), "lo");
    EXPECT_STREQ(s.Mid(5), "");
    EXPECT_STREQ(s.Mid(10), "");
    EXPECT_STREQ(s.Mid(-2, 3), "hel");
    EXPECT_STREQ(s.Mid(2, 100), "llo");
    EXPECT_STREQ(s.Mid(1, -1), "");
    EXPECT_STREQ(s.Left(2), "he");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Left(99), "hello");
    EXPECT_STREQ(s.Right(3), "llo");
    EXPECT_STREQ(s.Right(0), "");
    EXPECT_STREQ(s.Right(99), "hello");
    EXPECT_STREQ(s.SpanIncluding("leh"), "hell");
    EXPECT_STREQ(s.SpanExcluding("lo"), "he");
}

TEST(CString, FindVariants)
{
    CString s("a\\b\\c.txt");
    EXPECT_EQ(1, s.Find('\\'));
    EXPECT_EQ(3, s.Find('\\', 2));
    EXPECT_EQ(-1, s.Find('\\', 4));
    EXPECT_EQ(-1, s.Find('a', 100));
    EXPECT_EQ(-1, s.Find('a', -1));
    EXPECT_EQ(5, s.Find(".txt"));
    EXPECT_EQ(-1, s.Find(".txt", 6));
    EXPECT_EQ(0, s.Find(""));
    EXPECT_EQ(3, s.ReverseFind('\\'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(-1, s.ReverseFind('\0'));
    EXPECT_EQ(1, s.FindOneOf("\\."));
    EXPECT_EQ(-1, s.FindOneOf("qyz"));
    EXPECT_EQ(-1, s.FindOneOf(""));
}

TEST(CString, ReplaceRemoveInsertDelete)
{
    CString s("aaa");
    EXPECT_EQ(1, s.Replace("aa", "b"));  // no overlapping matches
    EXPECT_STREQ(s, "ba");
    s = "x.y.z";
    EXPECT_EQ(2, s.Replace(".", "::"));
    EXPECT_STREQ(s, "x::y::z");
    EXPECT_EQ(2, s.Replace("::", ""));
    EXPECT_STREQ(s, "xyz");
    EXPECT_EQ(0, s.Replace("", "q"));
    EXPECT_EQ(0, s.Replace("nope", "q"));
    EXPECT_EQ(1, s.Replace('y', 'Y'));
    EXPECT_STREQ(s, "xYz");
    s = "b-a-n-a-n-a";
    EXPECT_EQ(5, s.Remove('-'));
    EXPECT_STREQ(s, "banana");
    EXPECT_EQ(7, s.Insert(0, '['));
    EXPECT_EQ(8, s.Insert(100, ']'));
    EXPECT_EQ(10, s.Insert(4, "--"));
    EXPECT_STREQ(s, "[ban--ana]");
    EXPECT_EQ(8, s.Delete(4, 2));
    EXPECT_EQ(7, s.Delete(7, 5));
    EXPECT_EQ(7, s.Delete(50));
    EXPECT_STREQ(s, "[banana");
    s.MakeReverse();
    EXPECT_STREQ(s, "ananab[");
    EXPECT_STREQ(CString("MiXeD").MakeLower(), "mixed");
}

TEST(CString, Trim)
{
    CString s(" \t x y \r\n");
    CString l = s, r = s;
    l.TrimLeft();
    r.TrimRight();
    EXPECT_STREQ(l, "x y \r\n");
    EXPECT_STREQ(r, " \t x y");
    EXPECT_STREQ(s.Trim(), "x y");
    CString q("\"\"quoted\"");
    q.Trim('"');
    EXPECT_STREQ(q, "quoted");
    CString p("--==x==--");
    p.TrimLeft("-=");
    EXPECT_STREQ(p, "x==--");
    p.TrimRight("-");
    EXPECT_STREQ(p, "x==");
    CString all("   ");
    EXPECT_TRUE(all.Trim().IsEmpty());
}

TEST(CString, Tokenize)
{
    CString s(";a;;bc;");
    int pos = 0;
    EXPECT_STREQ(s.Tokenize(";", pos), "a");
    EXPECT_STREQ(s.Tokenize(";", pos), "bc");
    EXPECT_STREQ(s.Tokenize(";", pos), "");
    EXPECT_EQ(-1, pos);
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s;
    LPTSTR p = s.GetBuffer(100);
    strcpy(p, "written through the buffer");
    s.ReleaseBuffer();
    EXPECT_EQ(26, s.GetLength());
    p = s.GetBuffer(0);
    p[7] = 0;
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "written");
    s.GetBuffer(10);
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "wri");
    p = s.GetBufferSetLength(5);
    memcpy(p, "abcde", 5);
    s.ReleaseBuffer(5);
    EXPECT_STREQ(s, "abcde");
    CString e;
    e.GetBuffer(0);
    e.ReleaseBuffer();
    EXPECT_TRUE(e.IsEmpty());
    e.GetBuffer(4);
    e.ReleaseBuffer(100);  // longer than the buffer: cut to it
    EXPECT_LE(e.GetLength(), 4);
}
