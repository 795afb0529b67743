#pragma once

#include <QtGlobal>

// The 8-byte frame scrambling and the command checksum; pure functions.
namespace Scrambling {
inline constexpr char key[] = "VeKtusAm";

// Bitwise complement of the 8-bit sum of bytes[0..6].
uchar checksum(const uchar *bytes);
// Scrambles bytes[0..7] in place; code[1..6] is the secrecy code.
void encrypt(uchar *bytes, const uchar *code);
// The exact inverse of encrypt.
void decipher(uchar *bytes, const uchar *code);
} // namespace Scrambling
