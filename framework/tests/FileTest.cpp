#include "framework/File.h"
#include "framework/FileFind.h"
#include "framework/Sys.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {
void WriteFile(const CString& path, const std::string& bytes)
{
    CFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    ASSERT_TRUE(f.Write(bytes.data(), (UINT)bytes.size()));
}

std::string ReadAll(const CString& path)
{
    CFile f;
    if (!f.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return "<missing>";
    std::string s((size_t)f.GetLength(), '\0');
    UINT n = f.Read(&s[0], (UINT)s.size());
    s.resize(n);
    return s;
}

std::vector<std::string> List(LPCTSTR pattern)
{
    std::vector<std::string> names;
    CFileFind ff;
    BOOL more = ff.FindFile(pattern);
    while (more) {
        more = ff.FindNextFile();
        names.push_back((LPCTSTR)ff.GetFileName());
    }
    return names;
}
}  // namespace

TEST(CFile, BinaryRoundTripKeepsControlBytes)
{
    TempDir dir;
    CString path = dir / "bin.dat";
    std::string bytes = "a\r\nb\nc\rd\x1a"
                        "e";
    bytes += '\0';
    bytes += "\xff\x0d\x0a";
    WriteFile(path, bytes);
    EXPECT_EQ(bytes, ReadAll(path));

    CFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeReadWrite));
    EXPECT_EQ((ULONGLONG)bytes.size(), f.GetLength());
    EXPECT_EQ(3u, f.Seek(3, CFile::begin));
    char c = 0;
    EXPECT_EQ(1u, f.Read(&c, 1));
    EXPECT_EQ('b', c);
    EXPECT_EQ(bytes.size() - 2, f.Seek(-2, CFile::end));
    EXPECT_EQ(bytes.size() - 1, f.Seek(1, CFile::current));
    EXPECT_EQ(1u, f.Read(&c, 1));
    EXPECT_EQ('\x0a', c);
    EXPECT_EQ(0u, f.Read(&c, 1));  // at the end
    EXPECT_EQ((ULONGLONG)-1, f.Seek(-100, CFile::begin));
    EXPECT_EQ(bytes.size(), f.SeekToEnd());
    ASSERT_TRUE(f.Write("++", 2));
    EXPECT_EQ(bytes.size() + 2, f.GetPosition());
    ASSERT_TRUE(f.SetLength(4));
    EXPECT_EQ(4u, f.GetLength());
    EXPECT_EQ(4u, f.GetPosition());
    f.SeekToBegin();
    EXPECT_EQ(0u, f.GetPosition());
    EXPECT_TRUE(f.Flush());
    EXPECT_STREQ(f.GetFileName(), "bin.dat");
    EXPECT_STREQ(f.GetFileTitle(), "bin");
    EXPECT_STREQ(f.GetFilePath(), path);
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(0u, f.Read(&c, 1));
    EXPECT_FALSE(f.Write("x", 1));
    EXPECT_EQ(std::string("a\r\nb"), ReadAll(path));
}

TEST(CFile, OpenFlagsCreateTruncateAndKeep)
{
    TempDir dir;
    CString path = dir / "f.txt";
    WriteFile(path, "original");
    {
        CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_EQ(8u, f.GetLength());
        f.SeekToEnd();
        f.Write("+", 1);
    }
    EXPECT_EQ("original+", ReadAll(path));
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, f.GetLength());
    }
    EXPECT_EQ("", ReadAll(path));
    CFile r;
    ASSERT_TRUE(r.Open(path, CFile::modeRead));
    EXPECT_FALSE(r.Write("x", 1));  // read-only handle
    EXPECT_NE(0u, r.GetLastError());
}

TEST(CFile, OpenFailureFillsTheRecord)
{
    TempDir dir;
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(dir / "missing.bin", CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, e.m_lOsError);
    char msg[256];
    EXPECT_TRUE(e.GetErrorMessage(msg, sizeof msg));
    EXPECT_NE('\0', msg[0]);
    EXPECT_FALSE(f.Open(dir / "nodir\\x.bin", CFile::modeCreate | CFile::modeWrite, &e));
    EXPECT_EQ(CFileException::badPath, e.m_cause);
    EXPECT_FALSE(f.Open(dir.Path(), CFile::modeRead, &e));  // a folder
    EXPECT_EQ(CFileException::accessDenied, e.m_cause);
    EXPECT_FALSE(f.IsOpen());
}

TEST(CFile, StatusRenameRemove)
{
    TempDir dir;
    CString a = dir / "a.bin", b = dir / "b.bin";
    WriteFile(a, std::string(1234, 'z'));
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(a, st));
    EXPECT_EQ(1234u, st.m_size);
    EXPECT_EQ(0, st.m_attribute & CFile::directory);
    CTimeSpan age = CTime::GetCurrentTime() - st.m_mtime;
    EXPECT_LT(age.GetTotalSeconds(), 600);
    EXPECT_GT(age.GetTotalSeconds(), -600);
    ASSERT_TRUE(CFile::GetStatus(dir.Path(), st));
    EXPECT_NE(0, st.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(dir / "none", st));

    WriteFile(b, "other");
    EXPECT_FALSE(CFile::Rename(a, b));  // never replaces
    EXPECT_EQ("other", ReadAll(b));
    EXPECT_TRUE(CFile::Remove(b));
    EXPECT_TRUE(CFile::Rename(a, b));
    EXPECT_FALSE(FwFileExists(a));
    EXPECT_EQ(1234u, ReadAll(b).size());
    EXPECT_FALSE(CFile::Remove(a));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, FwGetLastError());
}

TEST(CFileFind, DotsFirstThenMatchingNames)
{
    TempDir dir;
    for (LPCTSTR name : {"one.txt", "two.TXT", "noext", "three.dat", "x.txt.bak"})
        WriteFile(dir / name, name);
    ASSERT_TRUE(FwCreateDirectory(dir / "sub.txt"));

    std::vector<std::string> all = List(dir / "*.*");
    std::string joined;
    for (const std::string& n : all)
        joined += n + "|";
    ASSERT_EQ(8u, all.size()) << joined;
    EXPECT_EQ(".", all[0]);
    EXPECT_EQ("..", all[1]);
    std::set<std::string> rest(all.begin() + 2, all.end());
    EXPECT_EQ((std::set<std::string>{"one.txt", "two.TXT", "noext", "three.dat", "x.txt.bak", "sub.txt"}), rest);
    EXPECT_EQ(8u, List(dir / "*").size());

    std::vector<std::string> txt = List(dir / "*.txt");
    EXPECT_EQ((std::set<std::string>{"one.txt", "two.TXT", "sub.txt"}),
              std::set<std::string>(txt.begin(), txt.end()));
    EXPECT_EQ(std::vector<std::string>{"three.dat"}, List(dir / "t?ree.*"));
    EXPECT_EQ(std::vector<std::string>{"noext"}, List(dir / "noext.*"));
    EXPECT_EQ(std::vector<std::string>{"three.dat"}, List(dir / "three.dat"));
    EXPECT_TRUE(List(dir / "*.none").empty());
    EXPECT_TRUE(List(dir / "missing\\*.*").empty());
}

TEST(CFileFind, EntryDetails)
{
    TempDir dir;
    WriteFile(dir / "data.bin", std::string(300, 'd'));
    ASSERT_TRUE(FwCreateDirectory(dir / "folder"));
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile(dir / "*.*"));
    int files = 0, folders = 0, dots = 0;
    BOOL more = TRUE;
    while (more) {
        more = ff.FindNextFile();
        EXPECT_STREQ(ff.GetRoot(), FwGetFullPathName(dir.Path()));
        EXPECT_STREQ(ff.GetFilePath(), FwGetFullPathName(dir.Path()) + FwPathSeparator() + ff.GetFileName());
        if (ff.IsDots()) {
            ++dots;
            EXPECT_TRUE(ff.IsDirectory());
        } else if (ff.IsDirectory()) {
            ++folders;
            EXPECT_STREQ(ff.GetFileName(), "folder");
        } else {
            ++files;
            EXPECT_EQ(300u, ff.GetLength());
            EXPECT_STREQ(ff.GetFileTitle(), "data");
            EXPECT_FALSE(ff.IsReadOnly());
            CTime t;
            EXPECT_TRUE(ff.GetLastWriteTime(t));
            EXPECT_LT((CTime::GetCurrentTime() - t).GetTotalSeconds(), 600);
        }
    }
    EXPECT_EQ(1, files);
    EXPECT_EQ(1, folders);
    EXPECT_EQ(2, dots);
    ff.Close();
    EXPECT_FALSE(ff.FindNextFile());
}

TEST(Sys, DirectoriesCopyAndTempFiles)
{
    TempDir dir;
    CString sub = dir / "sub";
    EXPECT_TRUE(FwCreateDirectory(sub));
    EXPECT_FALSE(FwCreateDirectory(sub));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, FwGetLastError());
    EXPECT_TRUE(FwDirectoryExists(sub));
    EXPECT_NE(0u, FwGetFileAttributes(sub) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, FwGetFileAttributes(dir / "nothing"));

    CString src = dir / "src.bin", dst = sub + "\\dst.bin";  // '\' works on both builds
    std::string bytes(100000, '\x1a');
    bytes[500] = '\r';
    WriteFile(src, bytes);
    EXPECT_TRUE(FwCopyFile(src, dst, TRUE));
    EXPECT_EQ(bytes, ReadAll(dst));
    EXPECT_FALSE(FwCopyFile(src, dst, TRUE));
    WriteFile(src, "new");
    EXPECT_TRUE(FwCopyFile(src, dst, FALSE));
    EXPECT_EQ("new", ReadAll(dst));
    EXPECT_FALSE(FwCopyFile(src, src, FALSE));  // never truncates the source
    EXPECT_EQ("new", ReadAll(src));
    EXPECT_FALSE(FwCopyFile(dir / "none", dst, FALSE));

    EXPECT_EQ(0, FwAccess(src, 0));
    EXPECT_EQ(0, FwAccess(src, 6));
    EXPECT_EQ(-1, FwAccess(dir / "none", 0));

    EXPECT_FALSE(FwRemoveDirectory(sub));  // not empty
    EXPECT_EQ((DWORD)ERROR_DIR_NOT_EMPTY, FwGetLastError());
    EXPECT_FALSE(FwDeleteFile(sub));
    EXPECT_TRUE(FwDeleteFile(dst));
    EXPECT_TRUE(FwRemoveDirectory(sub));

    CString t1, t2;
    UINT n1 = FwGetTempFileName(dir.Path(), "PREFIX", t1);
    EXPECT_NE(0u, FwGetTempFileName(dir.Path(), "PREFIX", t2));
    EXPECT_NE(0u, n1);
    EXPECT_NE(t1, t2);
    EXPECT_TRUE(FwFileExists(t1));
    CString name = t1.Mid(dir.Path().GetLength() + 1);
    EXPECT_EQ(0, name.Left(3).CompareNoCase("PRE"));
    EXPECT_EQ(0, name.Right(4).CompareNoCase(".tmp"));
    EXPECT_EQ(0u, ReadAll(t1).size());
    EXPECT_FALSE(FwFormatSystemMessage(ERROR_FILE_NOT_FOUND).IsEmpty());
    EXPECT_NE('\n', FwFormatSystemMessage(ERROR_ACCESS_DENIED).Right(1)[0]);
}

TEST(Sys, CurrentDirectoryAndFullPaths)
{
    TempDir dir;
    CString old = FwGetCurrentDirectory();
    ASSERT_FALSE(old.IsEmpty());
    ASSERT_TRUE(FwSetCurrentDirectory(dir.Path()));
    CString here = FwGetCurrentDirectory();
    WriteFile("rel.txt", "r");
    EXPECT_TRUE(FwFileExists(dir / "rel.txt"));
    EXPECT_STREQ(FwGetFullPathName("a\\..\\rel.txt"), here + FwPathSeparator() + "rel.txt");
    EXPECT_EQ(std::vector<std::string>{"rel.txt"}, List("*.txt"));
    ASSERT_TRUE(FwSetCurrentDirectory(old));
    EXPECT_FALSE(FwSetCurrentDirectory(dir / "none"));
    CString tmp = FwGetTempPath();
    EXPECT_TRUE(tmp.Right(1) == "\\" || tmp.Right(1) == "/");
}
