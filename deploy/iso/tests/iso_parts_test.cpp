// Name mapping, character sets and pattern matching of the ISO builder.
#include "deploy/iso/iso.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class IsoParts : public ::testing::Test {
protected:
    void SetUp() override
    {
        iso_reset_globals();
        iso_opt.iso_name_max = 193;
        iso_charset_register_all();
        iso_in_cs = iso_out_cs = iso_charset_load("utf8");
    }
    std::string Mapped(const std::string &name, bool dir = false)
    {
        char room[ISO_NAME_ROOM];
        iso_entry e{};
        e.iso_name = room;
        int n = iso_iso9660_file_length(name.c_str(), &e, dir ? 1 : 0);
        EXPECT_EQ(n, (int)strlen(e.iso_name));
        return e.iso_name;
    }
};

}  // namespace

TEST_F(IsoParts, NamesKeepCaseAndDotsWithoutVersion)
{
    EXPECT_EQ(Mapped("readme.txt"), "readme.txt");
    EXPECT_EQ(Mapped("a.b.c"), "a.b.c");
    EXPECT_EQ(Mapped(".profile"), ".profile");
    EXPECT_EQ(Mapped("x/y"), "x_y");
    EXPECT_EQ(Mapped("gr\xC3\xBC\xC3\x9F.txt"), "gr____.txt");
    EXPECT_EQ(Mapped(std::string(200, 'a')), std::string(193, 'a'));
    std::string ext = "." + std::string(119, 'e');
    EXPECT_EQ(Mapped(std::string(150, 'b') + ext), std::string(96, 'b') + ext.substr(0, 97));
    char room[ISO_NAME_ROOM];
    iso_entry dot{};
    dot.iso_name = room;
    EXPECT_EQ(iso_iso9660_file_length("..", &dot, 1), 1);
    EXPECT_EQ(dot.iso_name[0], 1);
}

TEST_F(IsoParts, CharacterSetsConvertAndRegisterOnce)
{
    EXPECT_EQ(iso_charset_load("big5"), nullptr);
    EXPECT_EQ(iso_charset_load("cp950"), nullptr);
    const char_set *gb = iso_charset_load("gb2312"), *gbk = iso_charset_load("cp936");
    ASSERT_TRUE(gb && gbk);
    const unsigned char zhong[] = {0xD6, 0xD0};  // U+4E2D in GBK
    unsigned a = 0, b = 0;
    EXPECT_EQ(gb->to_unicode(gb, zhong, 2, &a), 2);
    EXPECT_EQ(gbk->to_unicode(gbk, zhong, 2, &b), 2);
    EXPECT_EQ(a, 0x4E2Du);
    EXPECT_EQ(a, b);
    unsigned char out[4];
    EXPECT_EQ(gbk->to_bytes(gbk, 0x4E2D, out, 4), 2);
    EXPECT_EQ(out[0], 0xD6);
    EXPECT_EQ(out[1], 0xD0);
    const unsigned char lone[] = {0x81, 0x20};  // a lead byte without its pair
    EXPECT_EQ(gbk->to_unicode(gbk, lone, 2, &a), 1);
    EXPECT_EQ(a, 0x81u);

    const char_set *u8 = iso_charset_load("utf8");
    const unsigned char bad[] = {0xC3, 0x28};
    EXPECT_EQ(u8->to_unicode(u8, bad, 2, &a), CS_NO_MAPPING);
    EXPECT_EQ(a, (unsigned)'?');
    const unsigned char overlong[] = {0xC0, 0xAF};
    EXPECT_EQ(u8->to_unicode(u8, overlong, 2, &a), CS_NO_MAPPING);
    EXPECT_EQ(iso_charset_register(const_cast<char_set *>(u8)), CS_BUSY);
    EXPECT_EQ(iso_charset_register(nullptr), CS_NO_MAPPING);

    const char_set *l1 = iso_charset_load("iso8859-1");
    const unsigned char c1[] = {0x85};
    EXPECT_EQ(l1->to_unicode(l1, c1, 1, &a), CS_NO_MAPPING);
}

TEST_F(IsoParts, JolietNamesUseUcs2AndReplaceReservedCharacters)
{
    unsigned char out[16];
    int len = 0;
    iso_to_joliet_ucs2(out, sizeof(out), "a:b\xC3\xA9", iso_in_cs, &len);
    ASSERT_EQ(len, 8);
    EXPECT_EQ(out[1], 'a');
    EXPECT_EQ(out[3], '_');
    EXPECT_EQ(out[5], 'b');
    EXPECT_EQ(out[6], 0x00);
    EXPECT_EQ(out[7], 0xE9);
    // the output is cut at its size
    iso_to_joliet_ucs2(out, 4, "abcdef", iso_in_cs, &len);
    EXPECT_EQ(len, 4);
    char rr[16];
    int n = iso_convert_rr_name("a/b", rr, sizeof(rr), nullptr);
    EXPECT_EQ(std::string(rr, n), "a_b");
}

TEST_F(IsoParts, PatternsMatchShellStyleAndPathsLiterally)
{
    EXPECT_TRUE(iso_shell_match("*.txt", "a.txt"));
    EXPECT_FALSE(iso_shell_match("*.txt", "d/a.txt"));
    EXPECT_TRUE(iso_shell_match("[a-c]?", "bz"));
    EXPECT_FALSE(iso_shell_match("[!a-c]?", "bz"));
    EXPECT_TRUE(iso_shell_match("a\\*", "a*"));
    EXPECT_FALSE(iso_shell_match("a\\*", "ab"));
    // a Windows folder path is no pattern: its backslashes are separators
    EXPECT_FALSE(iso_shell_match("C:\\work/zavoldr.bin", "C:\\work/zavoldr.bin"));
}
