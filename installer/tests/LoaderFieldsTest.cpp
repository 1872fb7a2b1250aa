#include "installer/BootLoaderInfo.h"
#include "installer/LoaderFields.h"
#include "installer/tests/InstallerTestFiles.h"
#include "installer/tests/ScriptedUi.h"

#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace installer_test;

namespace {
Bytes Pattern(size_t n)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = (unsigned char)(0x41 + i % 26);
    return b;
}
}  // namespace

TEST(LoaderFields, TessuTextStaysWithinItsField)
{
    Bytes s = Pattern(512);
    memcpy(&s[192], "12345678901234567890", 21);
    EXPECT_STREQ(ReadLoaderField(CBootLoaderInfo::TYPE_TESSU, s.data()).GetString(), "12345678901234567890");
    Bytes edited = s;
    ASSERT_TRUE(WriteLoaderField(CBootLoaderInfo::TYPE_TESSU, edited.data(), "abcde"));
    EXPECT_EQ(std::string((char*)&edited[192], 6), std::string("abcde\0", 6));
    EXPECT_TRUE(std::equal(s.begin() + 198, s.end(), edited.begin() + 198));  // old bytes from the seventh on

    Bytes full = s;
    ASSERT_TRUE(WriteLoaderField(CBootLoaderInfo::TYPE_TESSU, full.data(), std::string(314, 'm').c_str()));
    EXPECT_EQ(full[505], 'm');
    EXPECT_EQ(full[506], s[506]);  // no terminator past the field
    EXPECT_EQ(ReadLoaderField(CBootLoaderInfo::TYPE_TESSU, full.data()).GetLength(), 314);
    Bytes over = s;
    EXPECT_FALSE(WriteLoaderField(CBootLoaderInfo::TYPE_TESSU, over.data(), std::string(315, 'm').c_str()));
    EXPECT_EQ(over, s);
}

TEST(LoaderFields, ZavoPresetKeepsItsTerminatorInside)
{
    Bytes s = Pattern(1024);
    s[1022] = 0x55, s[1023] = 0xAA;
    Bytes e = s;
    ASSERT_TRUE(WriteLoaderField(CBootLoaderInfo::TYPE_ZAVO, e.data(), std::string(317, 'z').c_str()));
    EXPECT_EQ(e[704 + 317], 0);
    EXPECT_EQ(e[1022], 0x55);
    EXPECT_EQ(ReadLoaderField(CBootLoaderInfo::TYPE_ZAVO, e.data()).GetLength(), 317);
    Bytes f = s;
    EXPECT_FALSE(WriteLoaderField(CBootLoaderInfo::TYPE_ZAVO, f.data(), std::string(318, 'z').c_str()));
    EXPECT_EQ(f, s);
}

TEST(LoaderFields, Grub2ParameterIsAHexNumber)
{
    Bytes s(1024, 0);
    s[532] = 0x80;
    EXPECT_STREQ(ReadLoaderField(CBootLoaderInfo::TYPE_GRUB2, s.data()).GetString(), "FFFFFF80");
    ASSERT_TRUE(WriteLoaderField(CBootLoaderInfo::TYPE_GRUB2, s.data(), "1"));
    EXPECT_EQ(Bytes(s.begin() + 532, s.begin() + 536), (Bytes{1, 0, 0, 0}));
    ASSERT_TRUE(WriteLoaderField(CBootLoaderInfo::TYPE_GRUB2, s.data(), "deadBEEF"));
    EXPECT_EQ(Bytes(s.begin() + 532, s.begin() + 536), (Bytes{0xEF, 0xBE, 0xAD, 0xDE}));
    const Bytes before = s;
    for (const char* bad : {"", "xyz", "1 2", "123456789", "-1"})
        EXPECT_FALSE(WriteLoaderField(CBootLoaderInfo::TYPE_GRUB2, s.data(), bad)) << bad;
    EXPECT_EQ(s, before);
    EXPECT_FALSE(WriteLoaderField(CBootLoaderInfo::TYPE_NTLDR, s.data(), "1"));
}

TEST(LoaderFields, EditorWritesOnlyAChangedText)
{
    TempFolder dir;
    const std::string path = dir / "TESSU.SYS";
    Bytes file = Pattern(140800);
    memcpy(&file[192], "old menu", 9);
    ASSERT_TRUE(WriteFile(path, file));

    ScriptedUi cancel;
    EXPECT_TRUE(EditLoaderParameters(path.c_str(), CBootLoaderInfo::TYPE_TESSU, cancel));
    ASSERT_EQ(cancel.editedFrom.size(), 1u);
    EXPECT_EQ(cancel.editedFrom[0], "old menu");
    EXPECT_EQ(ReadFile(path), file);

    ScriptedUi edit;
    edit.edits.push_back("new");
    EXPECT_TRUE(EditLoaderParameters(path.c_str(), CBootLoaderInfo::TYPE_TESSU, edit));
    Bytes expected = file;
    memcpy(&expected[192], "new", 4);
    EXPECT_EQ(ReadFile(path), expected);

    ScriptedUi none;
    EXPECT_TRUE(EditLoaderParameters(path.c_str(), CBootLoaderInfo::TYPE_NTLDR, none));
    EXPECT_TRUE(none.editedFrom.empty());
}

TEST(LoaderFields, RefusedValueIsSaidAndOfferedAgain)
{
    TempFolder dir;
    const std::string path = dir / "G2LDR";
    Bytes file(1024, 0);
    file[532] = 0x80;
    ASSERT_TRUE(WriteFile(path, file));
    ScriptedUi ui;
    ui.edits = {"xyz", "2A"};
    EXPECT_TRUE(EditLoaderParameters(path.c_str(), CBootLoaderInfo::TYPE_GRUB2, ui));
    EXPECT_EQ(ui.editedFrom, (std::vector<std::string>{"FFFFFF80", "xyz"}));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], PromptText(NULL, "Loader Value Invalid").GetString());
    const Bytes written = ReadFile(path);
    EXPECT_EQ(Bytes(written.begin() + 532, written.begin() + 536), (Bytes{0x2A, 0, 0, 0}));

    EXPECT_TRUE(LoaderFieldAccepts(CBootLoaderInfo::TYPE_GRUB2, "deadBEEF"));
    EXPECT_FALSE(LoaderFieldAccepts(CBootLoaderInfo::TYPE_GRUB2, "1 2"));
    EXPECT_FALSE(LoaderFieldAccepts(CBootLoaderInfo::TYPE_NTLDR, "1"));
}

TEST(LoaderFields, ShortOrLockedFileIsLeftAlone)
{
    TempFolder dir;
    const std::string path = dir / "ZAVO.SYS";
    ASSERT_TRUE(WriteFile(path, Pattern(600)));  // the preset field lies past the end
    ScriptedUi ui;
    ui.edits.push_back("menu");
    EXPECT_FALSE(EditLoaderParameters(path.c_str(), CBootLoaderInfo::TYPE_ZAVO, ui));
    EXPECT_EQ(ReadFile(path), Pattern(600));
    EXPECT_EQ(ui.shown, (std::vector<std::string>{PromptText(NULL, "Loader Too Short").GetString()}));
    EXPECT_TRUE(ui.editedFrom.empty());
#ifdef _WIN32
    // held open without sharing by another program
    const std::string locked = dir / "LOCKED.SYS";
    ASSERT_TRUE(WriteFile(locked, Pattern(512)));
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ScriptedUi refused;
    refused.edits.push_back("menu");
    EXPECT_FALSE(EditLoaderParameters(locked.c_str(), CBootLoaderInfo::TYPE_TESSU, refused));
    CloseHandle(holder);
    ASSERT_EQ(refused.shown.size(), 1u);
    EXPECT_EQ(refused.shown[0].find("open " + locked + " in R/W mode faild with: 0x"), 0u);
    EXPECT_EQ(ReadFile(locked), Pattern(512));
#endif
}

// The file opens and reads, but the changed sectors do not reach it: the
// full device reads as zeros and refuses writes (Wine's Z: is the Unix root).
TEST(LoaderFields, FailedWriteBackIsReported)
{
#ifdef _WIN32
    const char* full = "Z:\\dev\\full";
#else
    const char* full = "/dev/full";
#endif
    ScriptedUi ui;
    ui.edits.push_back("new menu");
    EXPECT_FALSE(EditLoaderParameters(full, CBootLoaderInfo::TYPE_TESSU, ui));
    ASSERT_EQ(ui.editedFrom.size(), 1u);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], PromptText(NULL, "Write Failed").GetString());
    EXPECT_EQ(ui.styles[0], IInstallerUi::STYLE_OK_INFO);
}
