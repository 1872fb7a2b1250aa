// The system's random source for the password salt.
#pragma once

namespace Md5CryptPlatform {
// A random number from the system's cryptographic source.
unsigned int RandomNumber();
}  // namespace Md5CryptPlatform
