#include "installer/BootLoaderInfo.h"
#include "installer/InstallerTexts.h"
#include "installer/MenuText.h"
#include "installer/tests/InstallerTestFiles.h"
#include "installer/tests/ScriptedUi.h"

#include <cstring>

using namespace installer_test;

namespace {
Bytes Loader(size_t length, unsigned char first)
{
    Bytes b(length, 0);
    b[0] = first;
    return b;
}

void PutLE32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (unsigned char)(v >> (8 * i));
}

int TypeOf(const Bytes& file, BOOL* supported = NULL)
{
    unsigned char head[CBootLoaderInfo::HEAD_SIZE] = {};
    memcpy(head, file.data(), file.size() < sizeof(head) ? file.size() : sizeof(head));
    BOOL s = FALSE;
    const char* key = NULL;
    const int type = CBootLoaderInfo::Classify(head, file.size(), s, key);
    if (supported)
        *supported = s;
    return type;
}
}  // namespace

TEST(BootLoaderDetect, LengthBoundsDecideSupportAndFamily)
{
    BOOL supported = FALSE;
    EXPECT_EQ(TypeOf(Loader(512, 0xEB), &supported), CBootLoaderInfo::TYPE_X86_BS);
    EXPECT_TRUE(supported);
    EXPECT_EQ(TypeOf(Loader(8191, 0xEB)), CBootLoaderInfo::TYPE_X86_BS);
    EXPECT_EQ(TypeOf(Loader(8192, 0xEB)), CBootLoaderInfo::TYPE_GRLDR);
    EXPECT_EQ(TypeOf(Loader(8191, 0x90), &supported), CBootLoaderInfo::TYPE_UNKNOWN);
    EXPECT_TRUE(supported);
    EXPECT_EQ(TypeOf(Loader(389119, 0xE9), &supported), CBootLoaderInfo::TYPE_NTLDR);
    EXPECT_TRUE(supported);
    EXPECT_EQ(TypeOf(Loader(389120, 0xE9), &supported), CBootLoaderInfo::TYPE_UNKNOWN);
    EXPECT_FALSE(supported);
    EXPECT_EQ(TypeOf(Loader(100, 0x55)), CBootLoaderInfo::TYPE_X86_BS);
}

TEST(BootLoaderDetect, SignaturesTakePrecedenceInOrder)
{
    Bytes b = Loader(8192, 0xE9);
    memcpy(&b[9], "Vesker200", 9);
    EXPECT_EQ(TypeOf(b), CBootLoaderInfo::TYPE_TESSU);
    b[512] = 0xEA;
    PutLE32(b, 592, 0x1BADB002);
    EXPECT_EQ(TypeOf(b), CBootLoaderInfo::TYPE_GRUB2);
    memcpy(&b[516], "ZAVO\0Zavo", 9);
    EXPECT_EQ(TypeOf(b), CBootLoaderInfo::TYPE_ZAVO);

    Bytes rv = Loader(20000, 'R');
    rv[1] = 'V';
    rv[512] = 0xEA;
    PutLE32(rv, 628, 0x1BADB002);
    EXPECT_EQ(TypeOf(rv), CBootLoaderInfo::TYPE_GRUB2);
    PutLE32(rv, 628, 0);
    PutLE32(rv, 632, 0x1BADB002);  // past the ten values
    EXPECT_EQ(TypeOf(rv), CBootLoaderInfo::TYPE_UNKNOWN);
}

TEST(BootLoaderDetect, NamesMustBeShort)
{
    EXPECT_TRUE(IsShortName("LOADER12.BIN"));
    EXPECT_TRUE(IsShortName("NTLDR"));
    EXPECT_TRUE(IsShortName("GRLDR."));
    EXPECT_FALSE(IsShortName("LOADER123.BIN"));
    EXPECT_FALSE(IsShortName("ABCDEFGHIJK"));
    EXPECT_FALSE(IsShortName("A.B.C"));
    EXPECT_FALSE(IsShortName(".BIN"));
    EXPECT_FALSE(IsShortName("LOADER.BINX"));
    EXPECT_FALSE(IsShortName(""));

    TempFolder dir;
    ASSERT_TRUE(WriteFile(dir / "LOADER12.BIN", Loader(8192, 0xE9)));
    ASSERT_TRUE(WriteFile(dir / "LOADER123.BIN", Loader(8192, 0xE9)));
    ScriptedUi ui;
    CBootLoaderInfo info(NULL, &ui);
    EXPECT_TRUE(info.Detect((dir / "LOADER12.BIN").c_str()));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(info.Detect((dir / "LOADER123.BIN").c_str()));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], BuiltinText("BL Installer", "Invalid Name"));
    EXPECT_EQ(info.m_nType, CBootLoaderInfo::TYPE_NTLDR);
    EXPECT_TRUE(info.m_bSupported);
}

TEST(BootLoaderDetect, UnreadableFileGivesErrorAccess)
{
    CBootLoaderInfo info;
    EXPECT_FALSE(info.Detect("no-such-folder\\NTLDR"));
    CString caption;
    ASSERT_TRUE(info.GetCaption(caption));
    EXPECT_STREQ(caption.GetString(), BuiltinText("BL Installer", "Error Access"));
    EXPECT_FALSE(info.m_bSupported);
}
