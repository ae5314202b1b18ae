#pragma once
// The SQLCipher file format every connection pins right after the key. SQLCipher 4 makes
// and expects a format of its own by default, so books made on SQLCipher 3 would not open
// there, nor books made there on SQLCipher 3; pinned to the format of version 3, they open
// on both. SQLCipher 3 knows no such setting and passes over it.
// Plain C++, so that the build-time tool, which links no Qt, can include it too.

namespace platform {
inline constexpr const char *kPinCipherFormat = "PRAGMA cipher_compatibility = 3;";
} // namespace platform
