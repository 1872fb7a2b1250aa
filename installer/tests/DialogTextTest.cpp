#include "installer/DialogText.h"

#include <gtest/gtest.h>

TEST(DialogText, BootIniTakesBootDirOnlyWhenItNamesADriveRoot)
{
    EXPECT_EQ(CString("D:\\Boot.ini"), BootIniFromBootDir("D:\\"));
    EXPECT_EQ(CString("C:\\Boot.ini"), BootIniFromBootDir(""));
    EXPECT_EQ(CString("C:\\Boot.ini"), BootIniFromBootDir("D:\\WINDOWS\\"));
    EXPECT_EQ(CString("C:\\Boot.ini"), BootIniFromBootDir("\\\\server\\"));
    EXPECT_EQ(CString("C:\\Boot.ini"), BootIniFromBootDir("D:"));

    EXPECT_TRUE(IsDriveRootedPath("c:\\boot.ini"));
    EXPECT_FALSE(IsDriveRootedPath("boot.ini"));
    EXPECT_FALSE(IsDriveRootedPath("C:boot.ini"));
    EXPECT_FALSE(IsDriveRootedPath("\\\\srv\\share\\boot.ini"));
    EXPECT_FALSE(IsDriveRootedPath("C:\\"));
}

TEST(DialogText, FileSystemWordsByTypeByte)
{
    const CString ext = "Extended", unk = "Unknown";
    EXPECT_EQ(CString("FAT16"), FileSystemText(0x06, ext, unk));
    EXPECT_EQ(CString("Extended"), FileSystemText(0x05, ext, unk));
    EXPECT_EQ(CString("Extended(INT13h-EXT)"), FileSystemText(0x0F, ext, unk));
    EXPECT_EQ(CString("Extended(H)"), FileSystemText(0x1F, ext, unk));
    EXPECT_EQ(CString("FAT32(H)"), FileSystemText(0x1C, ext, unk));
    EXPECT_EQ(CString("Linux Ext2/Ext3"), FileSystemText(0x83, ext, unk));
    EXPECT_EQ(CString("Unknown"), FileSystemText(0x00, ext, unk));
    EXPECT_EQ(CString("Unknown"), FileSystemText(0xEE, ext, unk));
}

// The rich edit gives CR LF back: an untouched LF text compares equal to the
// field, and an edited one keeps the field's own line ends.
TEST(DialogText, EditorLineEndsFollowTheField)
{
    const CString field = "title a\nkernel x\n";
    const CString shown = FieldTextToEditor(field);
    EXPECT_EQ(CString("title a\r\nkernel x\r\n"), shown);
    EXPECT_EQ(field, EditorTextToField(shown, field));
    EXPECT_EQ(CString("title b\nroot\n"), EditorTextToField("title b\r\nroot\r", field));

    const CString crlf = "a\r\nb";
    EXPECT_EQ(crlf, EditorTextToField(FieldTextToEditor(crlf), crlf));
    EXPECT_EQ(CString("x\r\ny"), EditorTextToField("x\ny", crlf));
    EXPECT_EQ(CString("one line"), EditorTextToField("one line", ""));
}
