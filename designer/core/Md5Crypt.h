// MD5 digest (RFC 1321, computed by libmd) on one module-level state, and the "$1$" MD5-crypt
// password hash of the boot loader's password command.
#pragma once

// One digest at a time: Md5Init, any number of Md5Update, then Md5Final.
void Md5Init();
void Md5Update(const void* data, unsigned long length);
// The 16-byte digest; valid until the next Md5Init.
const unsigned char* Md5Final();

// check == 0: `hash` holds "$1$" and a salt (up to 8 characters, ended by '$'
// or the end of the text); a '$', the 22 result characters and a zero are
// written after the salt, so the buffer needs 3 + salt + 24 bytes (37 will do).
// Returns 0 on success.
// check != 0: returns 0 when `hash` is exactly the hash of `password` with
// the stored salt, non-zero otherwise. Passwords of any length are hashed.
int Md5Crypt(const char* password, char* hash, int check);

// A hash with a new random one-character salt, 27 characters, into `out`
// (37 bytes, zeroed first).
void MakeMd5CryptPassword(const char* password, char* out);
// 0 when `password` matches `hash`.
int CheckMd5CryptPassword(const char* password, const char* hash);
