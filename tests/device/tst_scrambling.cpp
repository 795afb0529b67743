#include <QRandomGenerator>
#include <QTest>

#include "device/hid_thread.h"
#include "device/scrambling.h"

namespace {
const QByteArray shippedCode = QByteArray::fromHex("0034313832363300");

uchar *bytes(QByteArray &array)
{
    return reinterpret_cast<uchar *>(array.data());
}
} // namespace

class tst_Scrambling : public QObject
{
    Q_OBJECT

private slots:
    void checksum_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("expected");
        QTest::newRow("dpi stage 2") << QByteArray::fromHex("0b020000000000") << 0xF2;
        QTest::newRow("dpi set 6") << QByteArray::fromHex("11060800000000") << 0xE0;
        QTest::newRow("start") << QByteArray::fromHex("03010f8a4d0000") << 0x15;
        QTest::newRow("get dpi set") << QByteArray::fromHex("91000000000000") << 0x6E;
        QTest::newRow("zero") << QByteArray(7, '\0') << 0xFF;
        QTest::newRow("sum wraps") << QByteArray::fromHex("ffffffffffffff") << 0x06;
        QTest::newRow("sum is 256") << QByteArray::fromHex("80800000000000") << 0xFF;
    }
    void checksum()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, expected);
        Hid_Thread link;
        QCOMPARE(int(Scrambling::checksum(bytes(frame))), expected);
        QCOMPARE(int(link.hidCS(bytes(frame))), expected);
    }

    void knownVectors_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("scrambled");
        QTest::newRow("zeros, no code") << QByteArray(8, '\0') << QByteArray(8, '\0')
                                        << QByteArray::fromHex("6556b447573714d6");
        QTest::newRow("byte 0 moves to 5 and rotates") << QByteArray::fromHex(
            "0100000000000000") << QByteArray(8, '\0') << QByteArray::fromHex("6556b447573f14d6");
        QTest::newRow("zeros, shipped code")
            << QByteArray(8, '\0') << shippedCode << QByteArray::fromHex("66f73d08e8e8acd6");
        QTest::newRow("start command") << QByteArray::fromHex("03010f8a4d000015") << shippedCode
                                       << QByteArray::fromHex("681fd508f0e4dc4e");
        QTest::newRow("mixed") << QByteArray::fromHex("00112233445566ff") << shippedCode
                               << QByteArray::fromHex("10dc263870e715e8");
    }
    void knownVectors()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, scrambled);
        Hid_Thread link;
        QByteArray buffer = plain;
        link.USBDataEncryption(bytes(buffer), bytes(code));
        QCOMPARE(buffer.toHex(), scrambled.toHex());
        link.USBDataDecipher(bytes(buffer), bytes(code));
        QCOMPARE(buffer.toHex(), plain.toHex());
    }

    void roundTripsForManyInputs()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 20000; ++round) {
            QByteArray plain(8, '\0');
            QByteArray code(8, '\0');
            for (int i = 0; i < 8; ++i) {
                plain[i] = char(random.bounded(256));
                code[i] = char(random.bounded(256));
            }
            QByteArray buffer = plain;
            Scrambling::encrypt(bytes(buffer), bytes(code));
            QByteArray back = buffer;
            Scrambling::decipher(bytes(back), bytes(code));
            QCOMPARE(back, plain);
            // Bytes 0 and 7 of the code take no part.
            QByteArray otherEnds = code;
            otherEnds[0] = char(~code[0]);
            otherEnds[7] = char(~code[7]);
            QByteArray again = plain;
            Scrambling::encrypt(bytes(again), bytes(otherEnds));
            QCOMPARE(again, buffer);
        }
    }

    void differentCodesScrambleDifferently()
    {
        QByteArray plain = QByteArray::fromHex("0000112233440000");
        QByteArray codeA = shippedCode;
        QByteArray codeB = QByteArray::fromHex("0034313832363400");
        QByteArray a = plain;
        QByteArray b = plain;
        Scrambling::encrypt(bytes(a), bytes(codeA));
        Scrambling::encrypt(bytes(b), bytes(codeB));
        QVERIFY(a != b);
        QVERIFY(a != plain);
    }
};

QTEST_GUILESS_MAIN(tst_Scrambling)
#include "tst_scrambling.moc"
