#include "designer/core/Md5Crypt.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {
std::string Hex(const unsigned char* d)
{
    std::string s;
    char b[3];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(b, sizeof b, "%02x", d[i]);
        s += b;
    }
    return s;
}

std::string Digest(const std::string& data, size_t piece)
{
    Md5Init();
    for (size_t i = 0; i < data.size(); i += piece)
        Md5Update(data.data() + i, (unsigned long)std::min(piece, data.size() - i));
    return Hex(Md5Final());
}

std::string Crypt(const char* salt, const std::string& password)
{
    char hash[64] = {};
    std::snprintf(hash, sizeof hash, "$1$%s", salt);
    EXPECT_EQ(0, Md5Crypt(password.c_str(), hash, 0));
    return hash;
}

struct Vector {
    const char* salt;
    const char* password;
    const char* hash;
};

// Made by: openssl passwd -1 -salt <salt> <password>
const Vector kVectors[] = {
    {"a", "", "$1$a$8CfZSfErbeskipdhZHtvu."},
    {"a", "secret", "$1$a$41c8gzdxX5iFFuqkeAdoe0"},
    {"a", "0123456789abcdefghijklmnopqrstuvwxyz0123", "$1$a$/UU7kNb788Wq7Pp9zNJVA0"},
    {"a", "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijk",
     "$1$a$jaGbR9DrO2Avs2aA23R39/"},
    {"/", "secret", "$1$/$GaYRu9qv40WEljoQkQdVC0"},
    {"A", "0123456789abcdefghijklmnopqrstuvwxyz0123", "$1$A$vxY7sPDlD7s42fJ6GLybk."},
    {"z", "", "$1$z$ly81Jna/sALocpLa/0hVV."},
    {".", "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijk",
     "$1$.$twi0d416Foh25V3YCQ.z.."},
    {"abcdefgh", "hello", "$1$abcdefgh$rwnEbRiN0agqVgZBovWNQ/"},
};
}  // namespace

TEST(Md5Digest, MatchesRfc1321VectorsInAnyPieces)
{
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", Digest("", 1));
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", Digest("abc", 1));
    const std::string digits =
        "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
    for (size_t piece : {1, 7, 63, 64, 65, 80})
        EXPECT_EQ("57edf4a22be3c955ac49da2e2107b67a", Digest(digits, piece)) << piece;
    EXPECT_EQ("7707d6ae4e027c70eea2a935c2296f21", Digest(std::string(1000000, 'a'), 4096));
}

TEST(Md5Crypt, MatchesOpensslForShortAndLongPasswords)
{
    for (const Vector& v : kVectors) {
        EXPECT_EQ(v.hash, Crypt(v.salt, v.password)) << v.password;
        EXPECT_EQ(0, CheckMd5CryptPassword(v.password, v.hash)) << v.password;
    }
}

#ifndef _WIN32
TEST(Md5Crypt, MatchesOpensslRunNow)
{
    FILE* probe = popen("openssl version 2>/dev/null", "r");
    char line[128] = {};
    bool have = probe && std::fgets(line, sizeof line, probe);
    if (probe)
        pclose(probe);
    if (!have)
        GTEST_SKIP() << "openssl not found";
    const char* salts[] = {"q", "x9", "Ab.d/", "12345678"};
    for (int length : {1, 15, 16, 17, 31, 32, 33, 36, 64, 200}) {
        std::string password;
        for (int i = 0; i < length; ++i)
            password += char('!' + (i * 7) % 90);
        for (std::string::size_type p; (p = password.find('\'')) != std::string::npos;)
            password[p] = '~';
        for (const char* salt : salts) {
            std::string cmd = std::string("openssl passwd -1 -salt '") + salt + "' '" + password + "'";
            FILE* pipe = popen(cmd.c_str(), "r");
            ASSERT_TRUE(pipe);
            char out[128] = {};
            ASSERT_TRUE(std::fgets(out, sizeof out, pipe));
            pclose(pipe);
            out[std::strcspn(out, "\r\n")] = 0;
            EXPECT_EQ(out, Crypt(salt, password)) << cmd;
        }
    }
}
#endif

TEST(Md5Crypt, SaltEndsAtDollarOrAfterEightCharacters)
{
    char hash[64] = "$1$abcdefghijk";
    ASSERT_EQ(0, Md5Crypt("hello", hash, 0));
    EXPECT_STREQ("$1$abcdefgh$rwnEbRiN0agqVgZBovWNQ/", hash);
    char withDollar[64] = "$1$abcdefgh$whatever";
    ASSERT_EQ(0, Md5Crypt("hello", withDollar, 0));
    EXPECT_STREQ("$1$abcdefgh$rwnEbRiN0agqVgZBovWNQ/", withDollar);
}

TEST(Md5Crypt, CheckRejectsWrongPasswordsAndMalformedHashes)
{
    const char* good = "$1$a$41c8gzdxX5iFFuqkeAdoe0";
    EXPECT_EQ(0, CheckMd5CryptPassword("secret", good));
    EXPECT_NE(0, CheckMd5CryptPassword("Secret", good));
    EXPECT_NE(0, CheckMd5CryptPassword("secret ", good));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", "$1$a$41c8gzdxX5iFFuqkeAdoe0x"));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", "$1$a$41c8gzdxX5iFFuqkeAdoe"));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", "$1$"));
    EXPECT_NE(0, CheckMd5CryptPassword("", "$1$"));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", "$1"));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", ""));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", "$1$abcdefghi41c8gzdxX5iFFuqkeAdoe0"));
    EXPECT_NE(0, CheckMd5CryptPassword("secret", "$2$a$41c8gzdxX5iFFuqkeAdoe0"));
}

TEST(Md5Crypt, MadeHashesHaveOneRandomSaltCharacterAndCheck)
{
    const std::string alphabet = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const std::string longPassword(40, 'p');
    std::set<char> salts;
    for (int i = 0; i < 400; ++i) {
        char out[37];
        std::memset(out, 'X', sizeof out);
        MakeMd5CryptPassword(longPassword.c_str(), out);
        ASSERT_EQ(27u, std::strlen(out));
        EXPECT_EQ(0, std::memcmp(out, "$1$", 3));
        EXPECT_EQ('$', out[4]);
        ASSERT_NE(std::string::npos, alphabet.find(out[3]));
        for (size_t k = 27; k < sizeof out; ++k)
            EXPECT_EQ(0, out[k]);
        salts.insert(out[3]);
        EXPECT_EQ(0, CheckMd5CryptPassword(longPassword.c_str(), out));
        EXPECT_NE(0, CheckMd5CryptPassword("other", out));
    }
    // 400 draws over 64 characters: well over 13 distinct ones unless the source is poor
    EXPECT_GT(salts.size(), 40u);
}
