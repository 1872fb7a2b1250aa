#include "browser/GzMemberReader.h"
#include "browser/tests/ImageBytes.h"
#include "framework/MemFile.h"
#include "framework/tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// Reads the whole decompressed data forwards in chunks; false on -1.
bool ReadAll(GzMemberReader& r, Bytes& out, UINT chunk = 10000)
{
    out.clear();
    Bytes buf(chunk);
    for (DWORD at = 0;;) {
        int n = r.ReadAt(buf.data(), at, chunk);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out.insert(out.end(), buf.begin(), buf.begin() + n);
        at += n;
    }
}

class Reader : public ::testing::Test {
protected:
    CString Put(const Bytes& b, LPCTSTR name = "in.bin")
    {
        CString p = dir / name;
        EXPECT_TRUE(WriteBytes(p, b));
        return p;
    }
    TempDir dir;
    Bytes data = TestData(200000, 7);
};
}  // namespace

TEST_F(Reader, GzipWithExtraNameAndCommentReadsItsDeflateData)
{
    for (uint8_t flags : {0x00, 0x04, 0x08, 0x18, 0x1C}) {
        GzMemberReader r;
        ASSERT_EQ(r.Open(Put(MakeGzip(data, flags))), (LONGLONG)data.size()) << int(flags);
        Bytes out;
        ASSERT_TRUE(ReadAll(r, out)) << int(flags);
        EXPECT_TRUE(out == data) << int(flags);
    }
}

TEST_F(Reader, RefusesGzipHeaderCrcAndReservedFlags)
{
    for (uint8_t flags : {0x02, 0x20, 0x40, 0x80}) {
        GzMemberReader r;
        Bytes g = MakeGzip(data, 0x08);
        g[3] |= flags;
        EXPECT_EQ(r.Open(Put(g)), 0);
        EXPECT_EQ(r.GetError(), GzMemberReader::ERR_BAD_HEADER);
        EXPECT_FALSE(r.IsCompressed());
    }
    Bytes g = MakeGzip(data);
    g[2] = 7;
    GzMemberReader r;
    EXPECT_EQ(r.Open(Put(g)), 0);
    EXPECT_EQ(r.GetError(), GzMemberReader::ERR_BAD_HEADER);
}

// Bytes in memory read as the same bytes in a file do.
TEST_F(Reader, ReadsFromAFileTheCallerOpened)
{
    for (const Bytes& container : {MakeGzip(data), MakeZip({{"a.zmn", data}}), Bytes(600, 'p')}) {
        Bytes copy = container;
        CMemFile memory(copy.data(), (UINT)copy.size());
        GzMemberReader fromFile, fromMemory;
        LONGLONG size = fromFile.Open(Put(container));
        EXPECT_EQ(fromMemory.Open(memory), size);
        Bytes a, b;
        EXPECT_EQ(ReadAll(fromFile, a), ReadAll(fromMemory, b));
        EXPECT_TRUE(a == b);
        fromMemory.Close();
        BYTE headFile[GzMemberReader::PROBE_SIZE], headMemory[GzMemberReader::PROBE_SIZE];
        EXPECT_EQ(GzMemberReader::Probe(headFile, dir / "in.bin"), GzMemberReader::Probe(headMemory, memory));
        fromFile.Close();
    }
}

TEST_F(Reader, PlainFileIsNoContainerAndNoError)
{
    GzMemberReader r;
    EXPECT_EQ(r.Open(Put(Bytes{'-', 'r', 'o', 'm', '1', 'f', 's', '-'})), 0);
    EXPECT_EQ(r.GetError(), 0);
    EXPECT_EQ(r.Open(Put(Bytes{})), 0);
    EXPECT_EQ(r.Open(dir / "missing"), 0);
    BYTE head[GzMemberReader::PROBE_SIZE];
    EXPECT_FALSE(GzMemberReader::Probe(head, dir / "in.bin"));
}

TEST_F(Reader, ZipReadsFirstDeflatedMemberOnly)
{
    Bytes other = TestData(5000, 9);
    GzMemberReader r;
    ASSERT_EQ(r.Open(Put(MakeZip({{"a.zmn", data}, {"b", other}}))), (LONGLONG)data.size());
    Bytes out;
    ASSERT_TRUE(ReadAll(r, out));
    EXPECT_TRUE(out == data);
    BYTE head[GzMemberReader::PROBE_SIZE];
    ASSERT_TRUE(GzMemberReader::Probe(head, dir / "in.bin"));
    EXPECT_EQ(memcmp(head, data.data(), sizeof(head)), 0);
}

TEST_F(Reader, RefusesStoredEncryptedDescriptorAndOverlongZipMembers)
{
    ZipMember stored{"a", data, 0, 0}, crypt{"a", data, 8, 1}, desc{"a", data, 8, 8};
    for (const ZipMember& m : {stored, crypt, desc}) {
        GzMemberReader r;
        EXPECT_EQ(r.Open(Put(MakeZip({m}))), 0);
        EXPECT_EQ(r.GetError(), GzMemberReader::ERR_BAD_HEADER);
    }
    Bytes z = MakeZip({{"a", data}});
    // compressed size, little-endian: past the end
    z[18] = 0xFF;
    z[19] = 0xFF;
    z[20] = 0xFF;
    z[21] = 0x00;
    GzMemberReader r;
    EXPECT_EQ(r.Open(Put(z)), 0);
    EXPECT_EQ(r.GetError(), GzMemberReader::ERR_HEADER_CUT);
}

TEST_F(Reader, GzipCutInsideItsHeaderIsACutHeader)
{
    Bytes g = MakeGzip(data, 0x1C);
    for (size_t cut : {11, 14, 18, 20, 24}) {
        GzMemberReader r;
        EXPECT_EQ(r.Open(Put(Bytes(g.begin(), g.begin() + cut))), 0) << cut;
        EXPECT_EQ(r.GetError(), GzMemberReader::ERR_HEADER_CUT) << cut;
        EXPECT_FALSE(r.IsCompressed()) << cut;
    }
}

TEST_F(Reader, BackwardReadBeyondTheWindowDecodesAgain)
{
    GzMemberReader r;
    ASSERT_GT(r.Open(Put(MakeGzip(data))), 0);
    BYTE a[100], b[100], c[100];
    ASSERT_EQ(r.ReadAt(a, 0, 100), 100);
    ASSERT_EQ(r.ReadAt(b, 40000, 100), 100);
    ASSERT_EQ(r.ReadAt(c, 10, 100), 100);
    EXPECT_EQ(memcmp(a, &data[0], 100), 0);
    EXPECT_EQ(memcmp(b, &data[40000], 100), 0);
    EXPECT_EQ(memcmp(c, &data[10], 100), 0);
    // within the window: no restart needed, same bytes
    ASSERT_EQ(r.ReadAt(b, 100000, 100), 100);
    ASSERT_EQ(r.ReadAt(c, 100000 - 30000, 100), 100);
    EXPECT_EQ(memcmp(b, &data[100000], 100), 0);
    EXPECT_EQ(memcmp(c, &data[70000], 100), 0);
    // a read past the end gives what is left, then nothing
    EXPECT_EQ(r.ReadAt(a, (DWORD)data.size() - 40, 100), 40);
    EXPECT_EQ(r.ReadAt(a, (DWORD)data.size(), 100), 0);
}

TEST_F(Reader, TruncatedDeflateDataEndsWithAnErrorAtEveryCut)
{
    Bytes g = MakeGzip(data, 0);
    Bytes z = MakeZip({{"a", data}});
    for (size_t cut = 10; cut + 8 < g.size(); cut += 997) {
        // gzip: the trailer stays, the deflate data are cut short
        Bytes t(g.begin(), g.begin() + cut);
        t.insert(t.end(), g.end() - 8, g.end());
        GzMemberReader r;
        ASSERT_GT(r.Open(Put(t)), 0) << cut;
        Bytes out;
        EXPECT_FALSE(ReadAll(r, out)) << cut;
        EXPECT_EQ(r.GetError(), GzMemberReader::ERR_TRUNCATED) << cut;
        // zip: the member's compressed size says less than the data
        Bytes y = z;
        uint32_t csize = (uint32_t)(cut - 10);
        y[18] = csize & 0xFF;
        y[19] = (csize >> 8) & 0xFF;
        y[20] = (csize >> 16) & 0xFF;
        y[21] = 0;
        r.Close();  // Windows keeps an open file from being rewritten
        ASSERT_GT(r.Open(Put(y)), 0) << cut;
        EXPECT_FALSE(ReadAll(r, out)) << cut;
        EXPECT_EQ(r.GetError(), GzMemberReader::ERR_TRUNCATED) << cut;
    }
}

TEST_F(Reader, CrcAndSizeMismatchesAreErrors)
{
    Bytes g = MakeGzip(data, 0);
    struct {
        size_t at;
        int delta;
    } lies[] = {{g.size() - 8, 1}, {g.size() - 4, 1}, {g.size() - 4, -1}, {g.size() - 2, 1}};
    for (auto lie : lies) {
        Bytes t = g;
        t[lie.at] += lie.delta;
        GzMemberReader r;
        r.Open(Put(t));
        Bytes out;
        EXPECT_FALSE(ReadAll(r, out)) << lie.at << " " << lie.delta;
        EXPECT_NE(r.GetError(), 0);
    }
    Bytes z = MakeZip({{"a", data}});
    z[14] ^= 1;  // CRC
    GzMemberReader r;
    ASSERT_GT(r.Open(Put(z)), 0);
    Bytes out;
    EXPECT_FALSE(ReadAll(r, out));
    z[14] ^= 1;
    z[22] ^= 1;  // uncompressed size
    r.Close();
    ASSERT_GT(r.Open(Put(z)), 0);
    EXPECT_FALSE(ReadAll(r, out));
}

#ifndef _WIN32
// Containers made by other tools than ours.
TEST_F(Reader, ReadsGzipAndZipMadeByTheSystemTools)
{
    CString src = Put(data, "menu.zmn");
    CString cmd;
    cmd.Format("cd '%s' && gzip -9 -c menu.zmn > menu.gz && zip -q -9 menu.zip menu.zmn && "
               "python3 -c \"import zipfile; z=zipfile.ZipFile('py.zip','w',zipfile.ZIP_DEFLATED); "
               "z.write('menu.zmn'); z.close()\"",
               (LPCTSTR)dir.Path());
    ASSERT_EQ(system(cmd), 0);
    for (LPCTSTR name : {"menu.gz", "menu.zip", "py.zip"}) {
        GzMemberReader r;
        ASSERT_EQ(r.Open(dir / name), (LONGLONG)data.size()) << name;
        Bytes out;
        ASSERT_TRUE(ReadAll(r, out, 32768)) << name;
        EXPECT_TRUE(out == data) << name;
    }
}
#endif
