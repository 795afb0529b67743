#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <memory>

#include "device/linkflags.h"
#include "device/scrambling.h"
#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;
using Op = VirtualHidBackend::Operation;

namespace {
QByteArray block(int length, char fill)
{
    return QByteArray(length, fill);
}

uchar *data(QByteArray &array)
{
    return reinterpret_cast<uchar *>(array.data());
}

// Index of the n-th call of one operation in the whole log.
int indexOf(const QList<VirtualHidBackend::Call> &calls, Op operation, int nth)
{
    for (int i = 0; i < calls.size(); ++i)
        if (calls.at(i).operation == operation && nth-- == 0)
            return i;
    return -1;
}
} // namespace

class tst_Transport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        isEncode = false;
        std::fill(std::begin(secrecyCode), std::end(secrecyCode), uchar(0));
    }

    void secondCommandWaitsForAPoolTransfer_data()
    {
        QTest::addColumn<QString>("first");
        QTest::newRow("0BH then 01H") << "0BH";
        QTest::newRow("03H then 01H") << "03H";
        QTest::newRow("0DH keyboard then 01H") << "0DH";
    }
    void secondCommandWaitsForAPoolTransfer()
    {
        QFETCH(QString, first);
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(
            link, first == "0DH" ? Attached::Keyboard : Attached::Mouse);
        QByteArray matrix = block(512, 0x21);
        if (first == "0BH")
            link.hid_0BH_SetCurrentDPIStage(2);
        else if (first == "03H")
            link.hid_03H_SetFunctionOption(1, 4, 0, 0);
        else
            link.hid_0DH_SetKeyMatrix(data(matrix));
        link.hid_01H_SetReportRate(8);
        QVERIFY(link.isLinkFree());

        const auto calls = device->calls();
        const int firstClose = indexOf(calls, Op::Close, first == "0DH" ? 9 : 1);
        const int secondOpen = indexOf(calls, Op::FeatureOut, 1) - 3;
        QVERIFY(firstClose >= 0 && secondOpen > 0);
        QCOMPARE(secondOpen, firstClose + 1);
        QVERIFY(calls.at(secondOpen).startNs >= calls.at(firstClose).endNs);
        // The second command started only after the whole first transfer, pauses included.
        const double firstSpanMs = double(calls.at(firstClose).startNs - calls.at(3).endNs) / 1e6;
        QVERIFY2(firstSpanMs >= (first == "0DH" ? 256.0 + 64.0 : 128.0),
            qPrintable(QString::number(firstSpanMs)));
        QCOMPARE(calls.at(3).bytes.at(1),
            char(first == "0BH"      ? 0x0B
                    : first == "03H" ? 0x03
                                     : 0x0D));
        QCOMPARE(calls.at(secondOpen + 3).bytes, QByteArray::fromHex("0001080000000000f6"));
        QVERIFY(calls.at(3).thread != QThread::currentThreadId());
        QCOMPARE(calls.at(secondOpen + 3).thread, QThread::currentThreadId());
    }

    void commandWaitingForTheLinkFailsAfterItsPollingSteps()
    {
        // A direct write lets queued work run while it holds the link; those commands cannot get
        // it.
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        uchar rate = 0x42;
        uchar stage = 0x43;
        uchar dpi[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        bool dpiOk = true;
        QString version = "before";
        bool echoKept = false;
        QElapsedTimer innerClock;
        qint64 innerMs = 0;
        QTimer::singleShot(0, this, [&] {
            innerClock.start();
            link.hid_0BH_SetCurrentDPIStage(3);
            innerMs = innerClock.elapsed();
            link.hid_81H_GetReportRate(rate);
            link.hid_8BH_GetCurrentDPIStage(stage);
            dpiOk = link.hid_91H_GetDPISet(stage, dpi);
            link.hid_80H_GetFWVersion(version);
            uchar echo[4] = {1, 2, 3, 4};
            link.hid_00H_GetSecrecyCode(echo[0], echo[1], echo[2], echo[3]);
            echoKept
                = QByteArray(reinterpret_cast<char *>(echo), 4) == QByteArray::fromHex("01020304");
            link.hid_14H_SetColor(1, 2, 3, 4);
        });
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 0B");
        for (int i = 0; i < 4; ++i)
            QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 14");
        link.hid_11H_SetDPISet(6, dpi);
        QVERIFY(link.isLinkFree());
        QVERIFY2(innerMs >= Hid_Thread::pollSteps * Hid_Thread::pollIntervalMs,
            qPrintable(QString::number(innerMs)));
        QVERIFY2(innerMs < Hid_Thread::pollSteps * Hid_Thread::pollIntervalMs + 1500,
            qPrintable(QString::number(innerMs)));
        QCOMPARE(rate, uchar(0x42));
        QCOMPARE(stage, uchar(0x43));
        QVERIFY(!dpiOk);
        QCOMPARE(
            QByteArray(reinterpret_cast<char *>(dpi), 8), QByteArray::fromHex("0102030405060708"));
        QCOMPARE(version, QString("before"));
        QVERIFY(echoKept);
        // Only the outer command reached the device, whole.
        QCOMPARE(device->calls(Op::FeatureOut).size(), 1);
        QCOMPARE(device->calls(Op::Out).size(), 1);
        QCOMPARE(device->mouse().dpiSet, QByteArray::fromHex("0102030405060708"));
    }

    void writeFaultsEndWithTheLinkFree_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("pathKept");
        QTest::newRow("unplugged") << int(Fault::Unplugged) << false;
        QTest::newRow("open fails") << int(Fault::OpenFails) << false;
        QTest::newRow("feature report fails") << int(Fault::FeatureOutFails) << true;
        QTest::newRow("bulk write fails") << int(Fault::BulkWriteFails) << true;
        QTest::newRow("read never answers") << int(Fault::ReadNeverAnswers) << true;
        QTest::newRow("wrong echo") << int(Fault::WrongEcho) << true;
    }
    void writeFaultsEndWithTheLinkFree()
    {
        QFETCH(int, fault);
        QFETCH(bool, pathKept);
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        const auto before = device->mouse();
        device->setFault(Fault(fault));
        QByteArray macro = block(128, 0x5A);
        QElapsedTimer clock;
        clock.start();
        link.hid_13H_SetMacroKey(2, data(macro));
        link.hid_0BH_SetCurrentDPIStage(4);
        link.waitForPoolTransfer();
        QVERIFY(link.isLinkFree());
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(link.devices().at(1).commandPath.isEmpty(), !pathKept);

        const auto after = device->mouse();
        const bool written
            = Fault(fault) == Fault::ReadNeverAnswers || Fault(fault) == Fault::WrongEcho;
        QCOMPARE(after.macros.value(2), written ? macro : QByteArray());
        const bool stageWritten = written || Fault(fault) == Fault::BulkWriteFails;
        QCOMPARE(after.dpiStage, stageWritten ? uchar(4) : before.dpiStage);
        if (Fault(fault) == Fault::BulkWriteFails) {
            // The transfer stops at the first failed report: no pause, no further reports.
            const auto outs = device->calls(Op::Out);
            QCOMPARE(outs.size(), 1);
            QVERIFY(!outs.first().ok);
        }

        device->clearFaults();
        link.enumerateDevices(DeviceTesting::shippedRecords());
        QVERIFY(!link.devices().at(1).commandPath.isEmpty());
        link.hid_13H_SetMacroKey(2, data(macro));
        QCOMPARE(device->mouse().macros.value(2), macro);
    }

    void scrambledFramesOnTheWire()
    {
        isEncode = true;
        const QByteArray code = "418263";
        for (int k = 0; k < 6; ++k)
            secrecyCode[k + 1] = uchar(code.at(k));
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QByteArray dpi = QByteArray::fromHex("0102030405060708");
        link.hid_11H_SetDPISet(6, data(dpi));
        link.hid_0EH_SetXYSensitive(3, 4);

        const auto features = device->calls(Op::FeatureOut);
        QCOMPARE(features.size(), 2);
        QByteArray expected = QByteArray::fromHex("0011060800000000e0");
        Scrambling::encrypt(data(expected) + 1, secrecyCode);
        QCOMPARE(features.at(0).bytes.toHex(), expected.toHex());
        // The block is never scrambled.
        QCOMPARE(device->calls(Op::Out).at(0).bytes.mid(1, 8), dpi);
        QCOMPARE(device->mouse().dpiSet, dpi);
        QCOMPARE(device->mouse().xSensitivity, uchar(3));
        QCOMPARE(device->mouseCounters().badChecksums, 0);

        // Answers without a block come back scrambled and are unscrambled; blocks are plain.
        uchar rate = 0;
        link.hid_81H_GetReportRate(rate);
        QCOMPARE(rate, device->mouse().reportRate);
        uchar stages = 0;
        QByteArray back(8, '\0');
        QVERIFY(link.hid_91H_GetDPISet(stages, data(back)));
        QCOMPARE(back, dpi);

        // A device with another secrecy code does not understand the frames.
        device->setSecrecyCode("000000");
        link.hid_0BH_SetCurrentDPIStage(5);
        link.waitForPoolTransfer();
        QVERIFY(device->mouseCounters().badChecksums > 0);
    }

    void plainFramesWhenScramblingIsOff()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        link.hid_0EH_SetXYSensitive(3, 4);
        QCOMPARE(
            device->calls(Op::FeatureOut).at(0).bytes, QByteArray::fromHex("000e030400000000ea"));
    }

    void destroyingTheLinkWaitsForItsPoolTransfer()
    {
        auto device = std::make_shared<VirtualHidBackend>(Attached::Keyboard);
        {
            auto link = std::make_unique<Hid_Thread>();
            link->setBackend(device);
            link->enumerateDevices(DeviceTesting::shippedRecords());
            QByteArray picture = block(512, 0x3C);
            link->hid_12H_SetUserPicture(1, 0, data(picture));
        }
        QCOMPARE(device->calls(Op::Out).size(), 8);
        QCOMPARE(device->keyboard().pictures.value(1), block(512, 0x3C));
        QCOMPARE(device->calls().last().operation, Op::Close);
    }

    void releaseLinkFreesAHeldLink()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        QTimer::singleShot(0, this, [&] { link.releaseLink(); });
        // The outer command holds the link; the bridge's clearHidBusy may free it meanwhile.
        link.hid_01H_SetReportRate(2);
        QVERIFY(link.isLinkFree());
        QCOMPARE(device->mouse().reportRate, uchar(2));
    }
};

QTEST_GUILESS_MAIN(tst_Transport)
#include "tst_transport.moc"
