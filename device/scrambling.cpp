#include "device/scrambling.h"

#include <utility>

namespace {
uchar nibbleSwap(uchar value)
{
    return uchar((value << 4) | (value >> 4));
}

quint64 toNumber(const uchar *bytes)
{
    quint64 number = 0;
    for (int i = 0; i < 8; ++i)
        number = (number << 8) | bytes[i];
    return number;
}

void fromNumber(quint64 number, uchar *bytes)
{
    for (int i = 7; i >= 0; --i) {
        bytes[i] = uchar(number & 0xFF);
        number >>= 8;
    }
}

void swapPairs(uchar *bytes)
{
    std::swap(bytes[0], bytes[5]);
    std::swap(bytes[1], bytes[4]);
    std::swap(bytes[2], bytes[7]);
    std::swap(bytes[3], bytes[6]);
}
} // namespace

namespace Scrambling {

uchar checksum(const uchar *bytes)
{
    uint sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += bytes[i];
    return uchar(~sum);
}

void encrypt(uchar *bytes, const uchar *code)
{
    swapPairs(bytes);
    for (int i = 1; i <= 6; ++i)
        bytes[i] ^= code[i];
    const quint64 number = toNumber(bytes);
    fromNumber((number << 3) | (number >> 61), bytes);
    for (int j = 0; j < 8; ++j)
        bytes[j] = uchar(bytes[j] + nibbleSwap(uchar(key[j])));
}

void decipher(uchar *bytes, const uchar *code)
{
    for (int j = 0; j < 8; ++j)
        bytes[j] = uchar(bytes[j] - nibbleSwap(uchar(key[j])));
    const quint64 number = toNumber(bytes);
    fromNumber((number >> 3) | (number << 61), bytes);
    for (int i = 1; i <= 6; ++i)
        bytes[i] ^= code[i];
    swapPairs(bytes);
}

} // namespace Scrambling
