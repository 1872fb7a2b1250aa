#include "framework/Archive.h"
#include "framework/MemFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
std::vector<BYTE> Bytes(CMemFile& f)
{
    std::vector<BYTE> out((size_t)f.GetLength());
    f.SeekToBegin();
    f.Read(out.data(), (UINT)out.size());
    return out;
}
}  // namespace

TEST(CArchive, StoresMfcByteLayout)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << (BYTE)0x01 << (WORD)0x0302 << (int)-2 << (unsigned)0x07060504u << CString("ab")
           << (ULONGLONG)0x0102030405060708ULL << true;
    }
    std::vector<BYTE> expect = {0x01, 0x02, 0x03, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x05, 0x06, 0x07,
                                0x02, 'a', 'b', 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x01};
    EXPECT_EQ(expect, Bytes(f));
}

TEST(CArchive, StringLengthPrefixes)
{
    const int lengths[] = {0, 1, 254, 255, 0xFFFD, 0xFFFE, 70000};
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store, 128);  // many buffer refills
        for (int n : lengths)
            ar << CString('s', n);
    }
    std::vector<BYTE> b = Bytes(f);
    EXPECT_EQ(0x00, b[0]);
    EXPECT_EQ(0x01, b[1]);
    EXPECT_EQ(0xFE, b[3]);            // 254 in one byte
    EXPECT_EQ(0xFF, b[3 + 1 + 254]);  // 255: 0xFF + WORD
    EXPECT_EQ(0xFF, b[3 + 1 + 254 + 1]);
    EXPECT_EQ(0x00, b[3 + 1 + 254 + 2]);

    f.SeekToBegin();
    CArchive ar(&f, CArchive::load, 128);
    for (int n : lengths) {
        CString s;
        ar >> s;
        EXPECT_EQ(n, s.GetLength());
        EXPECT_EQ(n, (int)s.SpanIncluding("s").GetLength());
    }
    EXPECT_FALSE(ar.IsFailed());
    CString extra("x");
    ar >> extra;
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_TRUE(extra.IsEmpty());
}

TEST(CArchive, RoundTripThroughAFile)
{
    TempDir dir;
    CString path = dir / "doc.bin";
    {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&f, CArchive::store);
        ar << 3.5 << 1.25f << (short)-3 << 'c' << (LONGLONG)-5 << CString("name\r\n\x1a");
        ar.WriteString("line one\r\nline two\nlast");
        EXPECT_TRUE(ar.Close());
    }
    CFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    double d = 0;
    float fl = 0;
    short sh = 0;
    char c = 0;
    LONGLONG ll = 0;
    CString s;
    ar >> d >> fl >> sh >> c >> ll >> s;
    EXPECT_EQ(3.5, d);
    EXPECT_EQ(1.25f, fl);
    EXPECT_EQ(-3, sh);
    EXPECT_EQ('c', c);
    EXPECT_EQ(-5, ll);
    EXPECT_STREQ(s, "name\r\n\x1a");
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_STREQ(line, "line one");
    char buf[64];
    EXPECT_STREQ(ar.ReadString(buf, sizeof buf), "line two\n");
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_STREQ(line, "last");
    EXPECT_FALSE(ar.ReadString(line));
    EXPECT_EQ(nullptr, ar.ReadString(buf, sizeof buf));
    EXPECT_FALSE(ar.IsFailed());
}

TEST(CArchive, DamagedLengthsFailWithoutHugeAllocations)
{
    // a length of 0xFFFFFFF0 with 3 bytes behind it
    BYTE data[] = {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'};
    CMemFile f(data, sizeof data);
    CArchive ar(&f, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_TRUE(s.IsEmpty());
    int i = 7;
    ar >> i;
    EXPECT_EQ(0, i);
}

TEST(CArchive, ReadsUtf16Strings)
{
    BYTE data[] = {0xFF, 0xFE, 0xFF, 0x02, 'H', 0, 'i', 0};
    CMemFile f(data, sizeof data);
    CArchive ar(&f, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_FALSE(ar.IsFailed());
    EXPECT_STREQ(s, "Hi");
}

TEST(CMemFile, GrowsSeeksAndDetaches)
{
    CMemFile f(16);
    std::string text(1000, 'm');
    ASSERT_TRUE(f.Write(text.data(), (UINT)text.size()));
    EXPECT_EQ(1000u, f.GetLength());
    EXPECT_EQ(1010u, f.Seek(10, CFile::end));
    ASSERT_TRUE(f.Write("!", 1));  // the gap reads as zeros
    EXPECT_EQ(1011u, f.GetLength());
    BYTE b[11];
    f.Seek(1000, CFile::begin);
    EXPECT_EQ(11u, f.Read(b, 20));
    EXPECT_EQ(0, b[5]);
    EXPECT_EQ('!', b[10]);
    EXPECT_EQ((ULONGLONG)-1, f.Seek(-1, CFile::begin));
    ASSERT_TRUE(f.SetLength(4));
    EXPECT_EQ(4u, f.GetPosition());
    BYTE* p = f.Detach();
    EXPECT_EQ('m', p[3]);
    free(p);
    EXPECT_EQ(0u, f.GetLength());

    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile g(fixed, sizeof fixed);
    EXPECT_EQ(4u, g.GetLength());
    g.SeekToEnd();
    EXPECT_FALSE(g.Write("x", 1));  // a caller's buffer does not grow
}
