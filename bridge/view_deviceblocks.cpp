#include "bridge/view_deviceblocks.h"

namespace DeviceBlocks {

QByteArray fromList(const QVariantList &values, int size)
{
    QByteArray block(size, '\0');
    const int count = qMin(size, int(values.size()));
    for (int i = 0; i < count; ++i)
        block[i] = char(uchar(values.at(i).toInt()));
    return block;
}

uchar byteOf(const QVariant &value)
{
    return uchar(value.toUInt());
}

QByteArray keyMatrix(const QVariantList &values)
{
    QByteArray block = fromList(values, 64);
    for (int i = 0; i < block.size(); i += 4) {
        if (uchar(block.at(i)) == 0x0F)
            block[i] = '\0';
    }
    return block;
}

QByteArray stageColors(int type, const QVariantList &values)
{
    QByteArray block = fromList(values, 24);
    if (type == 2) {
        for (int i = 0; i < 4; ++i) {
            const uchar low = uchar(block.at(2 * i)) & 0x0F;
            const uchar high = uchar(block.at(2 * i + 1));
            block[i] = char(uchar(low | (high << 4)));
        }
    }
    return block;
}

QVariantList toList(const uchar *bytes, int size)
{
    QVariantList list;
    list.reserve(size);
    for (int i = 0; i < size; ++i)
        list.append(int(bytes[i]));
    return list;
}

} // namespace DeviceBlocks
