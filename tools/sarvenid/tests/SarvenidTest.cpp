#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tools/sarvenid/Sarvenid.h"

namespace {

// A machine of drives, volumes and mount points, seen through the table.
struct FakeMachine {
    bool isNT = true;
    unsigned major = 5;
    std::map<char, unsigned> driveTypes;                          // letter -> type; the mask follows
    std::map<std::string, unsigned> pathTypes;                    // mount folders
    std::map<std::string, std::string> fsNames;                   // root -> "NTFS"...
    std::map<std::string, std::string> volumeNames;               // mount path -> \\?\Volume{..}\ ...
    std::map<std::string, std::vector<std::string>> mountPoints;  // root -> relative folders
    std::map<std::string, uint32_t> findErrors;                   // root -> error of the first call
    std::map<std::string, uint32_t> openErrors;                   // device -> error
    std::map<std::string, uint32_t> flushErrors;                  // device -> error
    uint32_t loadError = 0;

    uint32_t lastError = 0;
    bool loaded = false;
    int frees = 0;
    std::string out, err;
    std::vector<std::string> opened, flushed;
    int openHandles = 0, openFinds = 0;

    struct Find {
        std::vector<std::string> list;
        size_t next;
    };
    std::vector<Find> finds;
    std::vector<std::string> handles;
};

FakeMachine& M(void* ctx) { return *static_cast<FakeMachine*>(ctx); }

std::string Key(const char* path)
{
    std::string k = path;
    if (k.size() >= 2 && k[1] == ':')
        k[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(k[0])));
    return k;
}

void Copy(const std::string& s, char* buf, size_t size)
{
    std::strncpy(buf, s.c_str(), size - 1);
    buf[size - 1] = 0;
}

const SarvenidSystem kFake = {
    nullptr,
    [](void* c, bool& nt, unsigned& major) { nt = M(c).isNT; major = M(c).major; return true; },
    [](void* c) {
        uint32_t mask = 0;
        for (auto& d : M(c).driveTypes)
            mask |= 1u << (d.first - 'A');
        return mask;
    },
    [](void* c, const char* path) -> unsigned {
        const std::string k = Key(path);
        auto p = M(c).pathTypes.find(k);
        if (p != M(c).pathTypes.end())
            return p->second;
        auto d = M(c).driveTypes.find(k[0]);
        return k.size() == 3 && d != M(c).driveTypes.end() ? d->second : 1u;
    },
    [](void* c, const char* root, char* buf, size_t size) {
        auto f = M(c).fsNames.find(Key(root));
        if (f == M(c).fsNames.end())
            return false;
        Copy(f->second, buf, size + 1);
        return true;
    },
    [](void* c) {
        if (M(c).loadError) {
            M(c).lastError = M(c).loadError;
            return false;
        }
        M(c).loaded = true;
        return true;
    },
    [](void* c) { M(c).frees++; },
    [](void* c, const char* root, char* buf, size_t size) -> void* {
        FakeMachine& m = M(c);
        const std::string k = Key(root);
        if (m.findErrors.count(k)) {
            m.lastError = m.findErrors[k];
            return nullptr;
        }
        auto l = m.mountPoints.find(k);
        if (l == m.mountPoints.end() || l->second.empty()) {
            m.lastError = SARVENID_ERROR_NO_MORE_FILES;
            return nullptr;
        }
        m.finds.push_back({l->second, 1});
        m.openFinds++;
        Copy(l->second[0], buf, size);
        return reinterpret_cast<void*>(m.finds.size());
    },
    [](void* c, void* find, char* buf, size_t size) {
        FakeMachine::Find& f = M(c).finds[reinterpret_cast<size_t>(find) - 1];
        if (f.next >= f.list.size()) {
            M(c).lastError = SARVENID_ERROR_NO_MORE_FILES;
            return false;
        }
        Copy(f.list[f.next++], buf, size);
        return true;
    },
    [](void* c, void*) { M(c).openFinds--; },
    [](void* c, const char* mp, char* buf, size_t size) {
        auto v = M(c).volumeNames.find(Key(mp));
        if (v == M(c).volumeNames.end()) {
            M(c).lastError = 87;
            return false;
        }
        Copy(v->second, buf, size);
        return true;
    },
    [](void* c, const char* device) -> void* {
        FakeMachine& m = M(c);
        m.opened.push_back(device);
        if (m.openErrors.count(device)) {
            m.lastError = m.openErrors[device];
            return nullptr;
        }
        m.handles.push_back(device);
        m.openHandles++;
        return reinterpret_cast<void*>(m.handles.size());
    },
    [](void* c, void* h) {
        FakeMachine& m = M(c);
        const std::string device = m.handles[reinterpret_cast<size_t>(h) - 1];
        if (m.flushErrors.count(device)) {
            m.lastError = m.flushErrors[device];
            return false;
        }
        m.flushed.push_back(device);
        return true;
    },
    [](void* c, void*) { M(c).openHandles--; },
    [](void* c) { return M(c).lastError; },
    [](void*, uint32_t code) { return "system text " + std::to_string(code) + ". \r\n"; },
    [](void* c, const std::string& s) { M(c).out += s; },
    [](void*) {},
    [](void* c, const std::string& s) { M(c).err += s; },
};

class SarvenidRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.driveTypes = {{'A', 2}, {'C', 3}, {'D', 5}, {'E', 3}};
        m.fsNames = {{"C:\\", "NTFS"}, {"E:\\", "FAT32"}};
    }

    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "C:\\Tools\\sarvenid.exe");
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(&a[0]);
        SarvenidSystem sys = kFake;
        sys.ctx = &m;
        const int rc = SarvenidMain(static_cast<int>(argv.size()), argv.data(), sys);
        EXPECT_EQ(0, m.openHandles) << "every volume handle closed";
        EXPECT_EQ(0, m.openFinds) << "every enumeration closed";
        EXPECT_EQ(m.loaded ? 1 : 0, m.frees) << "the mount library freed once when loaded";
        return rc;
    }

    static std::string Usage()
    {
        return "sarvenid version 0.02\r\n"
               "      flush local drive buffers on windows nt\r\n"
               "usage:\r\n"
               "sarvenid [/m]                   flushes all local drives\r\n"
               "sarvenid X: [Y:...] [/m]        flushes only the specified drives\r\n"
               "         /m                     searches for mounted devices on ntfs5\r\n\r\n"
               "sarvenid /V                     prints the program's version info\r\n"
               "sarvenid /?                     shows this usage screen\r\n";
    }

    FakeMachine m;
};

}  // namespace

TEST(SarvenidArgs, ProgramNameAndDriveArguments)
{
    EXPECT_EQ("sarvenid", SarvenidProgramName("C:\\Tools\\sarvenid.exe"));
    EXPECT_EQ("run", SarvenidProgramName("a\\b\\run.com"));
    EXPECT_EQ("tool", SarvenidProgramName("tool"));
    EXPECT_EQ("abc", SarvenidProgramName("abc"));
    EXPECT_EQ("", SarvenidProgramName(".exe"));
    EXPECT_EQ("", SarvenidProgramName("dir\\"));
    EXPECT_EQ("", SarvenidProgramName(""));

    for (const char* yes : {"c", "C", "c:", "Z:", "a"})
        EXPECT_TRUE(SarvenidIsDriveArgument(yes)) << yes;
    for (const char* no : {"", "c:\\", "cd", "1:", ":", "-", "/m", "c::"})
        EXPECT_FALSE(SarvenidIsDriveArgument(no)) << no;
}

TEST_F(SarvenidRun, UsageAndVersionOptionsEndAtOnce)
{
    for (const char* opt : {"/?", "-h", "-H", "/h"}) {
        m.err.clear();
        EXPECT_EQ(1, Run({"c:", opt, "/x"})) << opt;
        EXPECT_EQ(Usage(), m.err) << opt;
    }
    EXPECT_TRUE(m.out.empty());

    EXPECT_EQ(0, Run({"/V", "c:"}));
    EXPECT_EQ("sarvenid version 0.02\n", m.out);
    m.out.clear();
    EXPECT_EQ(0, Run({"c:", "-V", "/m"}));
    EXPECT_EQ("sarvenid version 0.02\n", m.out);
    EXPECT_TRUE(m.opened.empty());
    EXPECT_FALSE(m.loaded);
}

TEST_F(SarvenidRun, UnknownOptionsStopBeforeAnyFlush)
{
    for (const char* bad : {"/M", "/v", "c:\\", "-x", "cd", "//", "/mm"}) {
        m.err.clear();
        EXPECT_EQ(1, Run({"c:", "/m", bad, "e:"})) << bad;
        EXPECT_EQ(std::string("sarvenid: unknown option \"") + bad + "\".\r\n\r\n" + Usage(), m.err);
    }
    EXPECT_TRUE(m.out.empty());
    EXPECT_TRUE(m.opened.empty());
}

TEST_F(SarvenidRun, WithoutDrivesFlushesEveryFixedDriveInOrder)
{
    EXPECT_EQ(0, Run({}));
    EXPECT_EQ("syncing disks...\nC:\\ done\nE:\\ done\n", m.out);
    EXPECT_EQ("", m.err);
    EXPECT_EQ(std::vector<std::string>({"\\\\.\\C:", "\\\\.\\E:"}), m.flushed);
}

TEST_F(SarvenidRun, NamedDrivesAreFlushedAsTypedInArgumentOrder)
{
    EXPECT_EQ(0, Run({"e", "/m", "c:", "E:"}));
    EXPECT_EQ("syncing disks...\ne:\\ done\nc:\\ done\nE:\\ done\n", m.out);
    EXPECT_EQ(std::vector<std::string>({"\\\\.\\e:", "\\\\.\\c:", "\\\\.\\E:"}), m.flushed);
}

TEST_F(SarvenidRun, FailedDrivesGiveAFailedLineAndANonZeroCode)
{
    m.openErrors["\\\\.\\c:"] = 5;
    m.flushErrors["\\\\.\\e:"] = 21;
    EXPECT_EQ(SARVENID_EXIT_FLUSH_FAILED, Run({"c", "d:", "e:"}));
    EXPECT_EQ("syncing disks...\nc:\\ d:\\ e:\\ ", m.out);
    EXPECT_EQ("failed: system text 5.\r\n"
              "failed: not a fixed drive\r\n"
              "failed: system text 21.\r\n",
              m.err);
    EXPECT_EQ(std::vector<std::string>({"\\\\.\\c:", "\\\\.\\e:"}), m.opened) << "the CD is not opened";
}

TEST_F(SarvenidRun, MountPointsAreFlushedBeforeTheirDriveAndCyclesStop)
{
    m.volumeNames = {{"C:\\", "\\\\?\\Volume{c}\\"},
                     {"C:\\data\\", "\\\\?\\Volume{a}\\"},
                     {"C:\\data\\b\\", "\\\\?\\Volume{b}\\"},
                     {"C:\\data\\b\\a\\", "\\\\?\\Volume{a}\\"},
                     {"C:\\data\\back\\", "\\\\?\\Volume{c}\\"}};
    m.mountPoints = {{"C:\\", {"data\\"}},
                     {"C:\\data\\", {"b\\", "back\\"}},
                     {"C:\\data\\b\\", {"a\\"}}};
    m.fsNames["C:\\data\\"] = "NTFS";
    m.fsNames["C:\\data\\b\\"] = "NTFS";
    m.pathTypes = {{"C:\\data\\", 3}, {"C:\\data\\b\\", 3}};
    EXPECT_EQ(0, Run({"/m"}));
    EXPECT_EQ("syncing disks...\n"
              "C:\\data\\b\\ (\\Volume{b}\\) done\n"
              "C:\\data\\ (\\Volume{a}\\) done\n"
              "C:\\ done\n"
              "E:\\ done\n",
              m.out);
    EXPECT_EQ("", m.err);
    EXPECT_EQ(std::vector<std::string>({"\\\\.\\Volume{b}", "\\\\.\\Volume{a}", "\\\\.\\C:", "\\\\.\\E:"}),
              m.flushed);
}

TEST_F(SarvenidRun, MountPointsOnlyInMountModeAndOnNtfs)
{
    m.volumeNames = {{"E:\\x\\", "\\\\?\\Volume{x}\\"}, {"C:\\y\\", "\\\\?\\Volume{y}\\"}};
    m.mountPoints = {{"E:\\", {"x\\"}}, {"C:\\", {"y\\"}}};
    m.pathTypes = {{"C:\\y\\", 3}};
    EXPECT_EQ(0, Run({"c:", "e:"}));
    EXPECT_EQ("syncing disks...\nc:\\ done\ne:\\ done\n", m.out);
    m.out.clear();
    EXPECT_EQ(0, Run({"/m", "c:", "e:"}));
    EXPECT_EQ("syncing disks...\nc:\\y\\ (\\Volume{y}\\) done\nc:\\ done\ne:\\ done\n", m.out);
}

TEST_F(SarvenidRun, MountPointErrorsAreReportedAndEndTheEnumeration)
{
    m.findErrors["C:\\"] = 5;
    EXPECT_EQ(SARVENID_EXIT_FLUSH_FAILED, Run({"c:", "-m"}));
    EXPECT_EQ("c:\\ mount points: failed: system text 5.\r\n", m.err);
    EXPECT_EQ("syncing disks...\nc:\\ done\n", m.out);

    m = FakeMachine();
    SetUp();
    m.mountPoints = {{"C:\\", {"gone\\", "later\\"}}};
    m.volumeNames = {{"C:\\later\\", "\\\\?\\Volume{l}\\"}};
    EXPECT_EQ(SARVENID_EXIT_FLUSH_FAILED, Run({"/m", "C"}));
    EXPECT_EQ("C:\\ mount points: failed: system text 87.\r\n", m.err);
    EXPECT_EQ("syncing disks...\nC:\\ done\n", m.out) << "the enumeration stops at the failure";
}

TEST_F(SarvenidRun, VersionChecksAndMountApiFailure)
{
    m.major = 4;
    EXPECT_EQ(1, Run({"c:", "/m"}));
    EXPECT_EQ("the /m option needs windows nt 5 (2000)!\r\n", m.err);
    EXPECT_TRUE(m.out.empty());
    m.err.clear();
    EXPECT_EQ(0, Run({"c:"})) << "NT 4 flushes without /m";

    m = FakeMachine();
    SetUp();
    m.isNT = false;
    EXPECT_EQ(1, Run({"/V"}));
    EXPECT_EQ("i need windows nt to run!\r\n", m.err);

    m = FakeMachine();
    SetUp();
    m.loadError = 127;
    EXPECT_EQ(1, Run({"/m"}));
    EXPECT_EQ("Cannot initialize mount api functions: \r\nsystem text 127.\r\n", m.err);
    EXPECT_TRUE(m.out.empty());
}
