#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVariantList>

// Byte blocks the device operations send, built from the values the pages pass.
namespace DeviceBlocks {
// Zero-filled block of `size` bytes; element i converted to an integer and cut
// to 8 bits. Missing elements stay 0, elements past the block are ignored.
QByteArray fromList(const QVariantList &values, int size);
// A QVariant argument: unsigned conversion, cut to 8 bits.
uchar byteOf(const QVariant &value);
// The 64-byte button matrix: a type byte 0x0F (the pages' "Auto Run" and
// "Fire Mode") goes out as 0x00; 0x0F elsewhere is kept.
QByteArray keyMatrix(const QVariantList &values);
// The 24-byte stage colour block; type 2 packs the first eight bytes as
// nibble pairs into bytes 0..3, low nibble first.
QByteArray stageColors(int type, const QVariantList &values);
// Bytes as a list of integers, as the getters hand them to the pages.
QVariantList toList(const uchar *bytes, int size);
// The block as the device commands take it.
inline uchar *data(QByteArray &block)
{
    return reinterpret_cast<uchar *>(block.data());
}
// Reads a Size-byte block with a device command (its block last, after args);
// zeros when there is no link or the command leaves the block untouched.
template<int Size, typename Link, typename Read, typename... Args>
QVariantList read(Link *link, Read command, Args... args)
{
    uchar block[Size] = {};
    if (link)
        (link->*command)(args..., block);
    return toList(block, Size);
}
} // namespace DeviceBlocks
