#include "designer/core/Md5Crypt.h"

#include "designer/core/Md5CryptPlatform.h"

#include <cstdint>
#include <cstring>

namespace
{
struct Md5State
{
    uint32_t a, b, c, d;
    uint64_t bytes;
    unsigned char block[64];
    unsigned char digest[16];
};

Md5State g_md5;

const char kAlphabet[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char kMagic[] = "$1$";
const size_t kMagicLength = 3;
const size_t kMaxSalt = 8;
const size_t kResultLength = 22;

inline uint32_t Rotate(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline uint32_t LoadLE(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline void StoreLE(unsigned char* p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

const int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                        5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                        4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                        6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
}  // namespace

void Md5Init()
{
    std::memset(&g_md5, 0, sizeof(g_md5));
    g_md5.a = 0x67452301;
    g_md5.b = 0xefcdab89;
    g_md5.c = 0x98badcfe;
    g_md5.d = 0x10325476;
}

void Md5Transform(const unsigned char* block)
{
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = LoadLE(block + 4 * i);
    uint32_t a = g_md5.a, b = g_md5.b, c = g_md5.c, d = g_md5.d;
    for (int i = 0; i < 64; ++i) {
        uint32_t f;
        int g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (d & b) | (~d & c);
            g = (5 * i + 1) & 15;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) & 15;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) & 15;
        }
        uint32_t t = d;
        d = c;
        c = b;
        b = b + Rotate(a + f + kSine[i] + x[g], kShift[i]);
        a = t;
    }
    g_md5.a += a;
    g_md5.b += b;
    g_md5.c += c;
    g_md5.d += d;
}

void Md5Update(const void* data, unsigned long length)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    size_t used = size_t(g_md5.bytes & 63);
    g_md5.bytes += length;
    while (length > 0) {
        size_t take = 64 - used;
        if (take > length)
            take = length;
        std::memcpy(g_md5.block + used, p, take);
        used += take;
        p += take;
        length -= (unsigned long)take;
        if (used == 64) {
            Md5Transform(g_md5.block);
            used = 0;
        }
    }
}

const unsigned char* Md5Final()
{
    unsigned char length[8];
    uint64_t bits = g_md5.bytes * 8;
    for (int i = 0; i < 8; ++i)
        length[i] = (unsigned char)(bits >> (8 * i));
    static const unsigned char pad[64] = {0x80};
    size_t used = size_t(g_md5.bytes & 63);
    Md5Update(pad, (unsigned long)(used < 56 ? 56 - used : 120 - used));
    Md5Update(length, 8);
    StoreLE(g_md5.digest, g_md5.a);
    StoreLE(g_md5.digest + 4, g_md5.b);
    StoreLE(g_md5.digest + 8, g_md5.c);
    StoreLE(g_md5.digest + 12, g_md5.d);
    return g_md5.digest;
}

namespace
{
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
