// sarvenid.exe on the drives of the Wine prefix.
#include <gtest/gtest.h>

#include <string>
#include <windows.h>

namespace {

struct Result {
    DWORD code = 0xDEAD;
    std::string out, err;
};

std::string ReadBack(HANDLE h)
{
    std::string s;
    SetFilePointer(h, 0, nullptr, FILE_BEGIN);
    char buf[4096];
    DWORD n;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n)
        s.append(buf, n);
    return s;
}

HANDLE TempFile(SECURITY_ATTRIBUTES* sa)
{
    char dir[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "sv", 0, name);
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, sa,
                       CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

Result RunSarvenid(const std::string& args)
{
    std::string cmd = "\"" + std::string(ZAVO_BINARY_DIR) + "\\bin\\sarvenid.exe\" " + args;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE out = TempFile(&sa), err = TempFile(&sa);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi = {};
    Result r;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 60000);
        GetExitCodeProcess(pi.hProcess, &r.code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    r.out = ReadBack(out);
    r.err = ReadBack(err);
    CloseHandle(out);
    CloseHandle(err);
    return r;
}

}  // namespace

TEST(SarvenidWine, FlushesTheFixedDrives)
{
    const Result r = RunSarvenid("");
    // Flushing a volume may need rights the prefix lacks: then the drive's
    // line ends with a failed line and the code says so.
    EXPECT_TRUE(r.code == 0 || r.code == 2) << r.code << "\n"
                                            << r.out << r.err;
    EXPECT_EQ(0u, r.out.find("syncing disks...\r\n")) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("C:\\ ")) << r.out;
    if (r.code == 0) {
        EXPECT_NE(std::string::npos, r.out.find("C:\\ done")) << r.out;
        EXPECT_EQ("", r.err);
    } else {
        EXPECT_NE(std::string::npos, r.err.find("failed: ")) << r.err;
    }
}

TEST(SarvenidWine, NamedDriveWithMountPoints)
{
    const Result r = RunSarvenid("c: /m");
    EXPECT_TRUE(r.code == 0 || r.code == 2) << r.code << "\n"
                                            << r.out << r.err;
    EXPECT_EQ(0u, r.out.find("syncing disks...\r\nc:\\ ")) << r.out;
}

TEST(SarvenidWine, VersionAndUsage)
{
    Result r = RunSarvenid("/V");
    EXPECT_EQ(0u, r.code);
    EXPECT_EQ("sarvenid version 0.02\r\n", r.out);
    r = RunSarvenid("/x");
    EXPECT_EQ(1u, r.code);
    EXPECT_EQ(0u, r.err.find("sarvenid: unknown option \"/x\".\r\n\r\nsarvenid version 0.02\r\n")) << r.err;
    EXPECT_EQ("", r.out);
}
