#include "designer/core/Md5Crypt.h"

#include "designer/core/Md5CryptPlatform.h"

#include <cstdint>
#include <cstring>

#include <md5.h>

namespace {
struct Md5State {
    MD5_CTX context;
    unsigned char digest[16];
};

Md5State g_md5;

const char kAlphabet[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char kMagic[] = "$1$";
const size_t kMagicLength = 3;
const size_t kMaxSalt = 8;
const size_t kResultLength = 22;
}  // namespace

void Md5Init() { MD5Init(&g_md5.context); }

void Md5Update(const void* data, unsigned long length)
{
    MD5Update(&g_md5.context, static_cast<const uint8_t*>(data), length);
}

const unsigned char* Md5Final()
{
    MD5Final(g_md5.digest, &g_md5.context);
    return g_md5.digest;
}

namespace {
// The published MD5-crypt rounds; result holds 22 characters and a zero.
void ComputeResult(const char* password, const char* salt, size_t saltLength, char* result)
{
    const unsigned long pl = (unsigned long)std::strlen(password);
    unsigned char alt[16];

    Md5Init();
    Md5Update(password, pl);
    Md5Update(salt, (unsigned long)saltLength);
    Md5Update(password, pl);
    std::memcpy(alt, Md5Final(), 16);

    Md5Init();
    Md5Update(password, pl);
    Md5Update(kMagic, (unsigned long)kMagicLength);
    Md5Update(salt, (unsigned long)saltLength);
    for (unsigned long left = pl; left > 0; left -= left > 16 ? 16 : left)
        Md5Update(alt, left > 16 ? 16 : left);
    for (unsigned long i = pl; i != 0; i >>= 1)
        Md5Update((i & 1) ? "" : password, 1);  // "" gives its terminating zero
    unsigned char sum[16];
    std::memcpy(sum, Md5Final(), 16);

    for (int round = 0; round < 1000; ++round) {
        Md5Init();
        if (round & 1)
            Md5Update(password, pl);
        else
            Md5Update(sum, 16);
        if (round % 3)
            Md5Update(salt, (unsigned long)saltLength);
        if (round % 7)
            Md5Update(password, pl);
        if (round & 1)
            Md5Update(sum, 16);
        else
            Md5Update(password, pl);
        std::memcpy(sum, Md5Final(), 16);
    }

    static const int order[5][3] = {{0, 6, 12}, {1, 7, 13}, {2, 8, 14}, {3, 9, 15}, {4, 10, 5}};
    char* out = result;
    for (int g = 0; g < 5; ++g) {
        uint32_t v = (uint32_t(sum[order[g][0]]) << 16) | (uint32_t(sum[order[g][1]]) << 8) | sum[order[g][2]];
        for (int k = 0; k < 4; ++k, v >>= 6)
            *out++ = kAlphabet[v & 63];
    }
    uint32_t v = sum[11];
    for (int k = 0; k < 2; ++k, v >>= 6)
        *out++ = kAlphabet[v & 63];
    *out = '\0';
}
}  // namespace

int Md5Crypt(const char* password, char* hash, int check)
{
    if (!hash || std::strncmp(hash, kMagic, kMagicLength) != 0)
        return 1;
    if (!password)
        password = "";
    const char* salt = hash + kMagicLength;
    size_t saltLength = 0;
    while (saltLength < kMaxSalt && salt[saltLength] && salt[saltLength] != '$')
        ++saltLength;

    char result[kResultLength + 1];
    ComputeResult(password, salt, saltLength, result);

    char* tail = hash + kMagicLength + saltLength;
    if (!check) {
        tail[0] = '$';
        std::memcpy(tail + 1, result, kResultLength + 1);
        return 0;
    }
    if (saltLength == 0 && salt[0] == '\0')
        return 1;
    if (tail[0] != '$')
        return 1;
    if (std::strlen(tail + 1) != kResultLength)
        return 1;
    return std::memcmp(tail + 1, result, kResultLength) == 0 ? 0 : 1;
}

void MakeMd5CryptPassword(const char* password, char* out)
{
    std::memset(out, 0, 37);
    char work[37] = "$1$";
    work[3] = kAlphabet[Md5CryptPlatform::RandomNumber() & 63];
    work[4] = '$';
    Md5Crypt(password, work, 0);
    std::memcpy(out, work, 36);
}

int CheckMd5CryptPassword(const char* password, const char* hash)
{
    if (!hash)
        return 1;
    // Md5Crypt only reads the hash in check mode; a copy keeps it const.
    size_t length = std::strlen(hash);
    if (length > 3 + kMaxSalt + 1 + kResultLength)
        return 1;
    char copy[3 + 8 + 1 + 22 + 1];
    std::memcpy(copy, hash, length + 1);
    return Md5Crypt(password, copy, 1);
}
