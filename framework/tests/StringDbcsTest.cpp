// Runs with the Chinese (GBK, 936) system code page: see review-tests.cmake.
#include "framework/String.h"
#include "framework/RecentFileList.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace {
// GBK characters whose second byte is '\', 'A', 'a' and '|'
const char kBackslash[] = "\xBB\x5C";  // 籠
const char kUpperA[] = "\xB0\x41";
const char kLowerA[] = "\xB0\x61";
const char kBar[] = "\xB0\x7C";
}  // namespace

TEST(CStringDoubleByte, SearchesNeverStopInsideACharacter)
{
    ASSERT_EQ(936u, ::GetACP());
    CString path = CString("C:\\") + kBackslash + "\\" + kBackslash;
    EXPECT_EQ(5, path.ReverseFind('\\'));
    EXPECT_EQ(2, path.Find('\\'));
    EXPECT_EQ(5, path.Find('\\', 3));
    EXPECT_EQ(-1, CString(kBackslash).Find('\\'));
    EXPECT_EQ(-1, CString(kBackslash).Find("\\"));
    EXPECT_EQ(5, path.Find("\\", 3));
    EXPECT_EQ(-1, CString(kBackslash).FindOneOf("\\/"));
    EXPECT_EQ(CString(kBackslash), CString(kBackslash).SpanExcluding("\\"));

    CString tokens = CString(kBar) + "|x";
    int pos = 0;
    EXPECT_EQ(CString(kBar), tokens.Tokenize("|", pos));
    EXPECT_EQ(CString("x"), tokens.Tokenize("|", pos));
}

TEST(CStringDoubleByte, EditsAndCaseChangesKeepCharactersWhole)
{
    ASSERT_EQ(936u, ::GetACP());
    CString s = CString("a") + kUpperA + "b" + kLowerA;
    CString upper = s;
    upper.MakeUpper();
    EXPECT_EQ(CString("A") + kUpperA + "B" + kLowerA, upper);
    CString lower = s;
    lower.MakeLower();
    EXPECT_EQ(CString("a") + kUpperA + "b" + kLowerA, lower);
    EXPECT_NE(0, CString(kUpperA).CompareNoCase(kLowerA));  // two different characters
    EXPECT_EQ(0, (CString("X") + kUpperA).CompareNoCase(CString("x") + kUpperA));

    CString folder = CString("C:\\") + kBackslash + "\\\\";
    folder.TrimRight('\\');
    EXPECT_EQ(CString("C:\\") + kBackslash, folder);
    folder.TrimRight("\\/");
    EXPECT_EQ(CString("C:\\") + kBackslash, folder);

    CString r = CString(kBackslash) + "\\";
    EXPECT_EQ(1, r.Replace('\\', '/'));
    EXPECT_EQ(CString(kBackslash) + "/", r);
    r = CString(kBackslash) + "\\";
    EXPECT_EQ(1, r.Replace("\\", "\\\\"));
    EXPECT_EQ(CString(kBackslash) + "\\\\", r);
    r = CString(kBackslash) + "\\" + kBackslash;
    EXPECT_EQ(1, r.Remove('\\'));
    EXPECT_EQ(CString(kBackslash) + kBackslash, r);
}

TEST(RecentFileList, ShortenedNameCutsNoDoubleByteCharacter)
{
    ASSERT_EQ(936u, ::GetACP());
    CString dir = "C:\\";
    for (int i = 0; i < 12; i++)
        dir += "\xB0\xA1";
    CRecentFileList mru(0, "Recent", "File%d", 2, 21);
    mru.Add(dir + "\\x.kel");
    CString name;
    ASSERT_TRUE(mru.GetDisplayName(name, 0, NULL, 0, FALSE));
    // 12 bytes would end inside the fifth character: four are kept
    EXPECT_EQ(CString("C:\\\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1...\\x.kel"), name);
}
