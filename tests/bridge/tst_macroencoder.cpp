#include <QtTest>

#include "bridge/keynametable.h"
#include "bridge/macroencoder.h"
#include "bridge/view_deviceblocks.h"

using namespace MacroEncoder;

namespace {

QByteArray hexOf(const QList<uchar> &bytes)
{
    QByteArray raw;
    for (uchar b : bytes)
        raw.append(char(b));
    return raw.toHex(' ');
}

QString down(const QString &name)
{
    return name + downTag;
}
QString up(const QString &name)
{
    return name + upTag;
}
QString delay(const QString &ms)
{
    return ms + delayTag;
}

} // namespace

class tst_MacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { KeyNameTable::build(); }
    void tagsAreTenCharacters();
    void mouse_data();
    void mouse();
    void keyboard_data();
    void keyboard();
    void otherDevicesDropDelays();
    void withoutLookupNothingIsKnown();
    void repeatCount_data();
    void repeatCount();
    void blockFromBytes_data();
    void blockFromBytes();
    void blockFromValues_data();
    void blockFromValues();
};

void tst_MacroEncoder::tagsAreTenCharacters()
{
    QCOMPARE(downTag.size(), 10);
    QCOMPARE(upTag.size(), 10);
    QCOMPARE(delayTag.size(), 10);
}

void tst_MacroEncoder::mouse_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("worked example")
        << QStringList {down("A"), delay("50"), up("A")} << QByteArray("00 01 05 04 81 04 00 00");
    QTest::newRow("empty") << QStringList() << QByteArray("00 01 00 00");
    QTest::newRow("first line delay")
        << QStringList {delay("100")} << QByteArray("00 01 00 01 00 05 00 00");
    QTest::newRow("delay after delay") << QStringList {down("A"), delay("20"), delay("300")}
                                       << QByteArray("00 01 02 04 00 01 00 0f 00 00");
    QTest::newRow("medium delay") << QStringList {down("A"), delay("3000")}
                                  << QByteArray("00 01 01 04 96 01 00 00");
    QTest::newRow("fold keeps release bit")
        << QStringList {up("B"), delay("1270")} << QByteArray("00 01 ff 05 00 00");
    QTest::newRow("fold rounds up to 10 ms")
        << QStringList {down("A"), delay("5")} << QByteArray("00 01 01 04 00 00");
    QTest::newRow("fold rounds half up")
        << QStringList {down("A"), delay("45")} << QByteArray("00 01 05 04 00 00");
    QTest::newRow("1271 is medium")
        << QStringList {down("A"), delay("1271")} << QByteArray("00 01 01 04 40 01 00 00");
    QTest::newRow("5100 is medium")
        << QStringList {down("A"), delay("5100")} << QByteArray("00 01 01 04 ff 01 00 00");
    QTest::newRow("5101 is long") << QStringList {down("A"), delay("5101")}
                                  << QByteArray("00 01 01 04 00 01 00 ff 00 00");
    QTest::newRow("first line short delay")
        << QStringList {delay("10")} << QByteArray("00 01 00 01 00 01 00 00");
    QTest::newRow("longest delay is kept at 16 bits")
        << QStringList {delay("2000000")} << QByteArray("00 01 00 01 ff ff 00 00");
    QTest::newRow("unknown names") << QStringList {down("Ctrl"), up("a"), down(""), down("Int'l 3")}
                                   << QByteArray("00 01 00 00");
    QTest::newRow("delay after unknown key is not folded into the repeat count")
        << QStringList {down("Nope"), delay("50")} << QByteArray("00 01 00 01 00 03 00 00");
    QTest::newRow("delay after unknown key folds into the key before")
        << QStringList {down("A"), down("Nope"), delay("50")} << QByteArray("00 01 05 04 00 00");
    QTest::newRow("delay after an untagged line folds into the key before")
        << QStringList {down("A"), "A", delay("50")} << QByteArray("00 01 05 04 00 00");
    QTest::newRow("a folded delay is never replaced") << QStringList {down("A"), delay("50"),
        down("Nope"), delay("70")} << QByteArray("00 01 05 04 00 01 00 04 00 00");
    QTest::newRow("delay records never take a fold") << QStringList {down("A"), delay("3000"),
        down("Nope"), delay("50")} << QByteArray("00 01 01 04 96 01 00 01 00 03 00 00");
    QTest::newRow("zero delay line blocks the fold") << QStringList {
        down("A"), delay("0"), delay("50")} << QByteArray("00 01 01 04 00 01 00 03 00 00");
    QTest::newRow("zero, text and negative delays") << QStringList {down("A"), delay("0"),
        delay("x"), delay("-40"), down("B")} << QByteArray("00 01 01 04 01 05 00 00");
    QTest::newRow("lines without a tag")
        << QStringList {"A   [Down]", "A", "", "[Down]", "A    [down]", "1" + delayTag + " "}
        << QByteArray("00 01 00 00");
    QTest::newRow("arrows and mouse buttons")
        << QStringList {down(QString::fromUtf8("\u25BA")), down("MS-L"), up("MS-B5"), down("KP 0")}
        << QByteArray("00 01 01 4f 01 f0 81 f4 01 62 00 00");
    QTest::newRow("two keys with delays") << QStringList {down("L Ctrl"), delay("30"), down("C"),
        delay("30"), up("C"), delay("30"), up("L Ctrl")}
                                          << QByteArray("00 01 03 e0 03 06 83 06 81 e0 00 00");
}

void tst_MacroEncoder::mouse()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, hex);
    QCOMPARE(hexOf(encode(lines, mouseDevice, &KeyNameTable::code)), hex);
}

void tst_MacroEncoder::keyboard_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("3000 ms") << QStringList {delay("3000")}
                             << QByteArray("00 01 7f 00 01 2c 00 00");
    QTest::newRow("after a key is never folded")
        << QStringList {down("A"), delay("50")} << QByteArray("00 01 01 04 7f 00 00 05 00 00");
    QTest::newRow("below 10 ms") << QStringList {delay("5")}
                                 << QByteArray("00 01 7f 00 00 00 00 00");
    QTest::newRow("longest") << QStringList {delay("1000000")}
                             << QByteArray("00 01 7f 00 ff ff 00 00");
    QTest::newRow("keys") << QStringList {down("Esc"), up("Esc")}
                          << QByteArray("00 01 01 29 81 29 00 00");
}

void tst_MacroEncoder::keyboard()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, hex);
    QCOMPARE(hexOf(encode(lines, keyboardDevice, &KeyNameTable::code)), hex);
}

void tst_MacroEncoder::otherDevicesDropDelays()
{
    const QStringList lines {down("A"), delay("50"), delay("3000"), up("A")};
    QCOMPARE(hexOf(encode(lines, -1, &KeyNameTable::code)), QByteArray("00 01 01 04 81 04 00 00"));
    QCOMPARE(hexOf(encode(lines, 2, &KeyNameTable::code)), QByteArray("00 01 01 04 81 04 00 00"));
}

void tst_MacroEncoder::withoutLookupNothingIsKnown()
{
    QCOMPARE(hexOf(encode({down("A")}, mouseDevice, KeyLookup())), QByteArray("00 01 00 00"));
}

void tst_MacroEncoder::repeatCount_data()
{
    QTest::addColumn<uint>("repeat");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("1") << 1u << QByteArray("00 01 00 00");
    QTest::newRow("300") << 300u << QByteArray("01 2c 00 00");
    QTest::newRow("65535") << 65535u << QByteArray("ff ff 00 00");
    QTest::newRow("65536 keeps 16 bits") << 65536u << QByteArray("00 00 00 00");
}

void tst_MacroEncoder::repeatCount()
{
    QFETCH(uint, repeat);
    QFETCH(QByteArray, hex);
    QList<uchar> bytes = encode({}, mouseDevice, &KeyNameTable::code);
    setRepeat(bytes, repeat);
    QCOMPARE(hexOf(bytes), hex);
    QList<uchar> tiny;
    setRepeat(tiny, repeat);
    QCOMPARE(tiny.size(), 2);
}

void tst_MacroEncoder::blockFromBytes_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::newRow("short") << 5 << 128;
    QTest::newRow("exact") << 128 << 128;
    QTest::newRow("long") << 200 << 128;
    QTest::newRow("keyboard") << 200 << 192;
    QTest::newRow("empty") << 0 << 192;
}

void tst_MacroEncoder::blockFromBytes()
{
    QFETCH(int, count);
    QFETCH(int, size);
    QList<uchar> bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(uchar(i + 1));
    const QByteArray result = block(bytes, size);
    QCOMPARE(result.size(), size);
    for (int i = 0; i < size; ++i)
        QCOMPARE(uchar(result.at(i)), i < count ? uchar(i + 1) : uchar(0));
}

void tst_MacroEncoder::blockFromValues_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("numbers") << QVariantList {1, 2, 255} << QByteArray::fromHex("0102ff00");
    QTest::newRow("cut to 8 bits")
        << QVariantList {256, 513, -1} << QByteArray::fromHex("0001ff00");
    // The platform rounds a fractional number to the nearest integer.
    QTest::newRow("texts") << QVariantList {"7", "x", QVariant(), 3.9}
                           << QByteArray::fromHex("0700000400");
}

void tst_MacroEncoder::blockFromValues()
{
    QFETCH(QVariantList, values);
    QFETCH(QByteArray, head);
    const QByteArray result = DeviceBlocks::fromList(values, mouseBlockSize);
    QCOMPARE(result.size(), 128);
    QCOMPARE(result.left(head.size()).toHex(' '), head.toHex(' '));
    QCOMPARE(result.mid(head.size()), QByteArray(128 - head.size(), '\0'));
}

QTEST_MAIN(tst_MacroEncoder)
#include "tst_macroencoder.moc"
