#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "tools/lunq/Lunq.h"
#include "tools/lunq/LunqFormat.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;
typedef std::vector<uint8_t> Bytes;

namespace {

const size_t kStubSize = 4384;

Bytes ReadAll(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& p, const Bytes& data)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data.data()), data.size());
}

const Bytes& Stub()
{
    static const Bytes stub = ReadAll(fs::path(ZAVO_BINARY_DIR) / "bin" / "lunqstub.bin");
    return stub;
}

Bytes RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& c : b)
        c = static_cast<uint8_t>(rng());
    return b;
}

// Text-like data: words from a small vocabulary, so it packs well but not trivially.
Bytes CompressibleBytes(size_t n)
{
    static const char* words[] = {"menu ", "title ", "kernel ", "boot\n", "root (hd0,0)\n",
                                  "chainloader ", "/zavo.sys ", "timeout 5\n", "color ", "default "};
    std::mt19937 rng(7);
    Bytes b;
    b.reserve(n);
    while (b.size() < n) {
        const char* w = words[rng() % 10];
        while (*w && b.size() < n)
            b.push_back(static_cast<uint8_t>(*w++));
    }
    return b;
}

// Other trees may run the same tests at the same time: each process has its own folders.
int ProcessId()
{
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

class LunqFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                (std::string("lunq_test_") + info->test_suite_name() + "_" + info->name() + "_" +
                 std::to_string(ProcessId()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const char* name) const { return (m_dir / name).string(); }

    int Run(const char* mode, const std::string& in, const std::string& out)
    {
        std::string args[4] = {"lunq", mode, in, out};
        char* argv[4] = {&args[0][0], &args[1][0], &args[2][0], &args[3][0]};
        return LunqMain(4, argv, Stub());
    }

    int RunCaptured(const char* mode, const std::string& in, const std::string& out,
                    std::string& err)
    {
        ::testing::internal::CaptureStderr();
        const int rc = Run(mode, in, out);
        err = ::testing::internal::GetCapturedStderr();
        return rc;
    }

    size_t FilesInDir() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    fs::path m_dir;
};

}  // namespace

// ---- stub and header ----

TEST(LunqFormat, CarriedStubHasBootSectorShapeAndHeader)
{
    const Bytes& s = Stub();
    ASSERT_EQ(kStubSize, s.size());
    EXPECT_EQ(Bytes({0xE9, 0x4D, 0x00, 0x90, 'N', 'T', 'F', 'S'}), Bytes(s.begin(), s.begin() + 8));
    EXPECT_EQ(0x55, s[0x1FE]);
    EXPECT_EQ(0xAA, s[0x1FF]);
    EXPECT_TRUE(LunqStubUsable(s));
}

TEST(LunqFormat, PatchWritesPayloadAddressAndLengthOnly)
{
    const Bytes patched = LunqPatchStub(Stub(), 0x123456789ull);
    ASSERT_EQ(Stub().size(), patched.size());
    EXPECT_EQ(0x9120u, LunqGetUInt32(&patched[0x264]));
    EXPECT_EQ(0x23456789u, LunqGetUInt32(&patched[0x268]));
    for (size_t i = 0; i < patched.size(); i++) {
        if (i < 0x264 || i >= 0x26C) {
            ASSERT_EQ(Stub()[i], patched[i]) << "offset " << i;
        }
    }
}

TEST(LunqFormat, ParseHeaderChecksMagicAndStubLength)
{
    Bytes h(LUNQ_HEADER_END, 0);
    std::copy_n("LUNQ", 4, h.begin() + 0x260);
    uint64_t len = 0;
    auto parse = [&](uint32_t addr, uint64_t fileSize) {
        LunqPutUInt32(&h[0x264], addr);
        return LunqParseHeader(h.data(), h.size(), fileSize, len);
    };
    EXPECT_EQ(LUNQ_HEADER_OK, parse(0x9120, 5000));
    EXPECT_EQ(4384u, len);
    EXPECT_EQ(LUNQ_HEADER_OK, parse(0x8000 + 5000, 5000)) << "length equal to the size is accepted";
    EXPECT_EQ(LUNQ_HEADER_ILLEGAL, parse(0x8000 + 5001, 5000));
    EXPECT_EQ(LUNQ_HEADER_ILLEGAL, parse(0x7FFF, 5000));
    EXPECT_EQ(LUNQ_HEADER_ILLEGAL, parse(0x80008000u, 0x100000000ull)) << "taken as signed 32 bits";
    EXPECT_EQ(LUNQ_HEADER_NOT_VALID, LunqParseHeader(h.data(), 0x26B, 0x26B, len));
    h[0x263] = 'q';
    EXPECT_EQ(LUNQ_HEADER_NOT_VALID, parse(0x9120, 5000));
}

// ---- images against the host's LZMA tools ----

namespace {

struct NamedInput {
    const char* name;
    Bytes data;
};

std::vector<NamedInput> Inputs()
{
    return {{"empty", Bytes()}, {"one", Bytes(1, 'A')}, {"random", RandomBytes(1 << 20, 1)}, {"text", CompressibleBytes(300000)}};
}

Bytes LzmaPart(const Bytes& image)
{
    return image.size() < kStubSize ? Bytes() : Bytes(image.begin() + kStubSize, image.end());
}

}  // namespace

#ifndef _WIN32
TEST_F(LunqFiles, LzmaPartIsWhatLzmaAloneWritesAndXzReads)
{
    for (const NamedInput& input : Inputs()) {
        SCOPED_TRACE(input.name);
        const std::string in = Path("in"), img = Path("img"), ref = Path("ref.lzma");
        const std::string part = Path("part.lzma"), unxz = Path("unxz");
        WriteAll(in, input.data);
        ASSERT_EQ(0, Run("e", in, img));
        ASSERT_EQ(0, std::system(("lzma_alone e " + in + " " + ref + " >/dev/null 2>&1").c_str()));
        const Bytes image = ReadAll(img);
        ASSERT_EQ(image.size(), kStubSize + ReadAll(ref).size());
        EXPECT_TRUE(LzmaPart(image) == ReadAll(ref));
        EXPECT_EQ(0x9120u, LunqGetUInt32(&image[0x264]));
        EXPECT_EQ(image.size() - kStubSize, LunqGetUInt32(&image[0x268]));
        WriteAll(part, LzmaPart(image));
        ASSERT_EQ(0, std::system(("xz --format=lzma -dc " + part + " > " + unxz).c_str()));
        EXPECT_TRUE(ReadAll(unxz) == input.data);
    }
}
#else
// The reference files were made by the host's lzma_alone at build time.
TEST_F(LunqFiles, LzmaPartIsWhatLzmaAloneWrites)
{
    const fs::path ref = fs::path(ZAVO_BINARY_DIR) / "lunq_ref";
    for (const char* name : {"empty", "one", "random", "text"}) {
        SCOPED_TRACE(name);
        const std::string in = (ref / (std::string(name) + ".bin")).string();
        const Bytes expected = ReadAll(ref / (std::string(name) + ".lzma"));
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(0, Run("e", in, Path("img")));
        EXPECT_TRUE(LzmaPart(ReadAll(Path("img"))) == expected);
    }
}
#endif

TEST_F(LunqFiles, EncodeThenDecodeGivesTheInputBack)
{
    std::vector<NamedInput> inputs = Inputs();
    inputs[3].data = CompressibleBytes(10 << 20);  // past the 8 MB dictionary: the window wraps
    for (const NamedInput& input : inputs) {
        SCOPED_TRACE(input.name);
        const std::string in = Path("in"), img = Path("img"), out = Path("out");
        WriteAll(in, input.data);
        ASSERT_EQ(0, Run("E", in, img));
        const Bytes image = ReadAll(img);
        ASSERT_EQ(0, Run("D", img, out));
        EXPECT_TRUE(ReadAll(out) == input.data);
        EXPECT_TRUE(ReadAll(img) == image) << "decode leaves its input alone";
        EXPECT_EQ(3u, FilesInDir()) << "no temporary file left behind";
    }
}

TEST_F(LunqFiles, DecodeReplacesAnExistingOutput)
{
    WriteAll(Path("in"), Bytes(1000, 'x'));
    WriteAll(Path("out"), Bytes(5000, 'y'));
    ASSERT_EQ(0, Run("e", Path("in"), Path("img")));
    ASSERT_EQ(0, Run("d", Path("img"), Path("out")));
    EXPECT_TRUE(ReadAll(Path("out")) == Bytes(1000, 'x'));
}

TEST_F(LunqFiles, TruncatedOrCorruptedImageFailsAndLeavesNoOutput)
{
    const std::string in = Path("in"), img = Path("img"), bad = Path("bad"), out = Path("out");
    WriteAll(in, CompressibleBytes(200000));
    ASSERT_EQ(0, Run("e", in, img));
    const Bytes image = ReadAll(img);

    struct Case {
        const char* what;
        Bytes bytes;
        int code;
        const char* message;
    };
    std::vector<Case> cases;
    cases.push_back({"shorter than the header", Bytes(image.begin(), image.begin() + 0x266), -1, "not a valid file"});
    cases.push_back({"stub only", Bytes(image.begin(), image.begin() + kStubSize), 1, "Read error"});
    cases.push_back({"half the LZMA header", Bytes(image.begin(), image.begin() + kStubSize + 6), 1, "Read error"});
    cases.push_back({"half the data", Bytes(image.begin(), image.begin() + image.size() / 2), 1, "Decoder error"});
    cases.push_back({"last byte missing", Bytes(image.begin(), image.end() - 1), 1, "Decoder error"});
    Bytes b = image;
    b[0x261] = 'X';
    cases.push_back({"magic", b, -1, "not a valid file"});
    b = image;
    LunqPutUInt32(&b[0x264], 0x8000 + static_cast<uint32_t>(image.size()) + 1);
    cases.push_back({"stub length past the end", b, -1, "illegal"});
    b = image;
    LunqPutUInt32(&b[0x264], 0x7000);
    cases.push_back({"negative stub length", b, -1, "illegal"});
    b = image;
    b[kStubSize] = 0xFF;
    cases.push_back({"property byte", b, 1, "SetDecoderProperties error"});
    b = image;
    std::fill(b.begin() + kStubSize + 13, b.begin() + kStubSize + 200, 0xFF);
    cases.push_back({"data overwritten", b, 1, "Decoder error"});
    b = image;
    LunqPutUInt32(&b[kStubSize + 5], 300000);
    cases.push_back({"size larger than the data", b, 1, "Decoder error"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(bad, c.bytes);
        std::string err;
        EXPECT_EQ(c.code, RunCaptured("d", bad, out, err));
        EXPECT_NE(std::string::npos, err.find(c.message)) << err;
        EXPECT_FALSE(fs::exists(out));
        EXPECT_TRUE(ReadAll(bad) == c.bytes);
        EXPECT_EQ(3u, FilesInDir());
    }
    // A failed decode leaves an existing output as it was.
    WriteAll(out, Bytes(10, 'k'));
    WriteAll(bad, cases[4].bytes);
    std::string err;
    EXPECT_EQ(1, RunCaptured("d", bad, out, err));
    EXPECT_TRUE(ReadAll(out) == Bytes(10, 'k'));
}

TEST_F(LunqFiles, CommandLineErrorsEndWithMessageAndNonZeroCode)
{
    const std::string a = Path("a"), b = Path("b");
    WriteAll(a, Bytes(10, 'a'));
    std::string err;
    EXPECT_NE(0, RunCaptured("x", a, b, err));
    EXPECT_NE(std::string::npos, err.find("Incorrect command")) << err;
    EXPECT_NE(std::string::npos, err.find(" Usage:   lunq <e|d> inputFile outputFile")) << err;
    EXPECT_EQ(1, RunCaptured("encode", a, b, err));
    EXPECT_NE(std::string::npos, err.find("Incorrect command")) << err;
    EXPECT_EQ(1, RunCaptured("", a, b, err));
    EXPECT_TRUE(ReadAll(a) == Bytes(10, 'a'));
    EXPECT_FALSE(fs::exists(b));

    EXPECT_EQ(1, RunCaptured("e", Path("missing"), b, err));
    EXPECT_NE(std::string::npos, err.find("can not open input file")) << err;
    EXPECT_FALSE(fs::exists(b));
    EXPECT_EQ(1, RunCaptured("d", Path("missing"), b, err));
    EXPECT_NE(std::string::npos, err.find("for read failed")) << err;
    EXPECT_EQ(1, RunCaptured("e", a, Path("nofolder/b"), err));
    EXPECT_NE(std::string::npos, err.find("for writing failed")) << err;

#ifndef _WIN32
    // Without a console on the standard input the tool does not wait for a key.
    ASSERT_NE(nullptr, std::freopen("/dev/null", "r", stdin));
    std::string args[2] = {"lunq", "e"};
    char* argv[2] = {&args[0][0], &args[1][0]};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(-1, LunqMain(2, argv, Stub()));
    EXPECT_NE(std::string::npos, ::testing::internal::GetCapturedStderr().find("Usage:"));
#endif
}

TEST_F(LunqFiles, DecodeNeverOverwritesItsInput)
{
    WriteAll(Path("in"), Bytes(100, 'z'));
    ASSERT_EQ(0, Run("e", Path("in"), Path("img")));
    const Bytes image = ReadAll(Path("img"));
    std::string err;
    EXPECT_EQ(1, RunCaptured("d", Path("img"), Path("img"), err));
    EXPECT_NE(std::string::npos, err.find("both input and output")) << err;
    EXPECT_TRUE(ReadAll(Path("img")) == image);
}

TEST_F(LunqFiles, EncodeMayReplaceItsInput)
{
    WriteAll(Path("in"), CompressibleBytes(5000));
    ASSERT_EQ(0, Run("e", Path("in"), Path("in")));
    ASSERT_EQ(0, Run("d", Path("in"), Path("out")));
    EXPECT_TRUE(ReadAll(Path("out")) == CompressibleBytes(5000));
}

TEST_F(LunqFiles, EncodeRefusesADamagedStub)
{
    WriteAll(Path("in"), Bytes(100, 'z'));
    Bytes stub = Stub();
    stub[0x260] = 0;
    std::string args[4] = {"lunq", "e", Path("in"), Path("img")};
    char* argv[4] = {&args[0][0], &args[1][0], &args[2][0], &args[3][0]};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(1, LunqMain(4, argv, stub));
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(fs::exists(Path("img")));
}

#ifdef _WIN32
// lunq.exe itself, as a user runs it.
namespace {

DWORD RunExe(const std::string& args)
{
    const std::string exe = std::string(ZAVO_BINARY_DIR) + "\\bin\\lunq.exe";
    std::string cmd = "\"" + exe + "\" " + args;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &sa, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi = {};
    DWORD code = 0xDEAD;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 60000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(nul);
    return code;
}

}  // namespace

TEST_F(LunqFiles, ExePacksWithItsResourceStubAndUnpacks)
{
    const fs::path ref = fs::path(ZAVO_BINARY_DIR) / "lunq_ref";
    const std::string in = (ref / "text.bin").string();
    ASSERT_EQ(0u, RunExe("e \"" + in + "\" \"" + Path("img") + "\""));
    const Bytes image = ReadAll(Path("img"));
    ASSERT_GT(image.size(), kStubSize);
    EXPECT_TRUE(Bytes(image.begin(), image.begin() + 0x264) ==
                Bytes(Stub().begin(), Stub().begin() + 0x264));
    EXPECT_EQ(0x9120u, LunqGetUInt32(&image[0x264]));
    EXPECT_TRUE(LzmaPart(image) == ReadAll(ref / "text.lzma"));
    ASSERT_EQ(0u, RunExe("d \"" + Path("img") + "\" \"" + Path("out") + "\""));
    EXPECT_TRUE(ReadAll(Path("out")) == ReadAll(in));

    EXPECT_EQ(static_cast<DWORD>(-1), RunExe(""));
    EXPECT_EQ(1u, RunExe("x \"" + Path("img") + "\" \"" + Path("b") + "\""));
    EXPECT_FALSE(fs::exists(Path("b")));
}
#endif
