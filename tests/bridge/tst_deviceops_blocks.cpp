#include <QtTest>

#include "bridge/view_deviceblocks.h"

namespace {
QVariantList counting(int from, int count)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list << from + i;
    return list;
}
} // namespace

class tst_DeviceBlocks : public QObject
{
    Q_OBJECT

private slots:
    void listBecomesABlock_data();
    void listBecomesABlock();
    void variantArgumentsBecomeBytes_data();
    void variantArgumentsBecomeBytes();
    void keyMatrixClearsOnlyTypeBytes_data();
    void keyMatrixClearsOnlyTypeBytes();
    void stageColorsPackOnlyTypeTwo_data();
    void stageColorsPackOnlyTypeTwo();
    void bytesBecomeIntegers();
};

void tst_DeviceBlocks::listBecomesABlock_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("exact") << QVariantList {1, 2, 3, 4, 5, 6, 7, 8} << 8
                           << QByteArray::fromHex("0102030405060708");
    QTest::newRow("short is zero-filled")
        << QVariantList {0x31, 0x59} << 8 << QByteArray::fromHex("3159000000000000");
    QTest::newRow("long is cut") << counting(
        1, 30) << 21 << QByteArray::fromHex("0102030405060708090a0b0c0d0e0f101112131415");
    QTest::newRow("empty") << QVariantList {} << 4 << QByteArray(4, '\0');
    QTest::newRow("cut to 8 bits")
        << QVariantList {256, 257, -1, 0x1ff, 0x80} << 5 << QByteArray::fromHex("0001ffff80");
    QTest::newRow("texts from a reload")
        << QVariantList {"15", "0", "46", "0"} << 4 << QByteArray::fromHex("0f002e00");
    QTest::newRow("not a number") << QVariantList {"x", QVariant(), 7} << 3
                                  << QByteArray::fromHex("000007");
}

void tst_DeviceBlocks::listBecomesABlock()
{
    QFETCH(QVariantList, values);
    QFETCH(int, size);
    QFETCH(QByteArray, block);
    QCOMPARE(DeviceBlocks::fromList(values, size).toHex(' '), block.toHex(' '));
}

void tst_DeviceBlocks::variantArgumentsBecomeBytes_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("byte");
    QTest::newRow("20") << QVariant(20) << 20;
    QTest::newRow("200") << QVariant(200) << 200;
    QTest::newRow("260") << QVariant(260) << 4;
    QTest::newRow("text") << QVariant(QString("100")) << 100;
    QTest::newRow("double") << QVariant(120.0) << 120;
    QTest::newRow("invalid") << QVariant() << 0;
}

void tst_DeviceBlocks::variantArgumentsBecomeBytes()
{
    QFETCH(QVariant, value);
    QFETCH(int, byte);
    QCOMPARE(int(DeviceBlocks::byteOf(value)), byte);
}

void tst_DeviceBlocks::keyMatrixClearsOnlyTypeBytes_data()
{
    QTest::addColumn<QVariantList>("codes");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("auto run") << QVariantList {0x0F, 0x00, 0x2E, 0x00}
                              << QByteArray::fromHex("00002e00");
    QTest::newRow("fire mode") << QVariantList {0x0F, 0x00, 0x05, 0x00}
                               << QByteArray::fromHex("00000500");
    QTest::newRow("0F elsewhere") << QVariantList {0x01, 0x0F, 0xF0, 0x00}
                                  << QByteArray::fromHex("010ff000");
    QTest::newRow("all 0F") << QVariantList {0x0F, 0x0F, 0x0F, 0x0F}
                            << QByteArray::fromHex("000f0f0f");
    QTest::newRow("0x10F cut first")
        << QVariantList {0x10F, 0, 4, 0} << QByteArray::fromHex("00000400");
    QTest::newRow("macro") << QVariantList {0x09, 0x01, 0x01, 0x00}
                           << QByteArray::fromHex("09010100");
}

void tst_DeviceBlocks::keyMatrixClearsOnlyTypeBytes()
{
    QFETCH(QVariantList, codes);
    QFETCH(QByteArray, sent);
    // The same code in every one of the 16 entries.
    QVariantList matrix;
    for (int n = 0; n < 16; ++n)
        matrix += codes;
    const QByteArray block = DeviceBlocks::keyMatrix(matrix);
    QCOMPARE(block.size(), 64);
    for (int n = 0; n < 16; ++n)
        QCOMPARE(block.mid(4 * n, 4).toHex(' '), sent.toHex(' '));
}

void tst_DeviceBlocks::stageColorsPackOnlyTypeTwo_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QByteArray>("block");
    const QVariantList oneToTwentyFour = counting(1, 24);
    QTest::newRow("type 2") << 2 << oneToTwentyFour
                            << QByteArray::fromHex(
                                   "2143658705060708090a0b0c0d0e0f101112131415161718");
    QTest::newRow("type 1") << 1 << oneToTwentyFour
                            << QByteArray::fromHex(
                                   "0102030405060708090a0b0c0d0e0f101112131415161718");
    QTest::newRow("type 0") << 0 << oneToTwentyFour
                            << QByteArray::fromHex(
                                   "0102030405060708090a0b0c0d0e0f101112131415161718");
    QTest::newRow("type 2 high nibbles")
        << 2 << QVariantList {0xAB, 0x0C, 0xFF, 0xFF}
        << QByteArray::fromHex("cbff").append(QByteArray(22, '\0'));
    QTest::newRow("type 2 short") << 2 << QVariantList {1, 2, 3}
                                  << QByteArray::fromHex("2103").append(QByteArray(22, '\0'));
}

void tst_DeviceBlocks::stageColorsPackOnlyTypeTwo()
{
    QFETCH(int, type);
    QFETCH(QVariantList, values);
    QFETCH(QByteArray, block);
    QCOMPARE(DeviceBlocks::stageColors(type, values).toHex(' '), block.toHex(' '));
}

void tst_DeviceBlocks::bytesBecomeIntegers()
{
    const uchar bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    QCOMPARE(DeviceBlocks::toList(bytes, 4), (QVariantList {0, 127, 128, 255}));
    QCOMPARE(DeviceBlocks::toList(bytes, 4).at(3).typeId(), int(QMetaType::Int));
}

QTEST_GUILESS_MAIN(tst_DeviceBlocks)
#include "tst_deviceops_blocks.moc"
