#include <QElapsedTimer>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
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

// Every command slot with the line it logs when the link cannot be taken; run calls the slot
// with outputs set to 0x33 and tells whether they are all still 0x33 afterwards.
struct FailCase
{
    const char *line;
    std::function<bool(Hid_Thread &)> run;
};

bool untouched(std::initializer_list<uchar> outputs)
{
    return std::all_of(outputs.begin(), outputs.end(), [](uchar b) { return b == 0x33; });
}

bool untouched(const QByteArray &block)
{
    return block == QByteArray(block.size(), 0x33);
}

QList<FailCase> everyCommand()
{
    using L = Hid_Thread;
    auto set = [](std::function<void(Hid_Thread &, uchar *)> call) {
        return [call](Hid_Thread &l) {
            QByteArray b(512, 0x33);
            call(l, data(b));
            return true;
        };
    };
    auto block = [](int length, std::function<void(Hid_Thread &, uchar *)> call) {
        return [length, call](Hid_Thread &l) {
            QByteArray b(length, 0x33);
            call(l, data(b));
            return untouched(b);
        };
    };
    return {
        {"cmd Failed 00",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33, d = 0x33;
                l.hid_00H_GetSecrecyCode(a, b, c, d);
                return untouched({a, b, c, d});
            }},
        {"cmd Failed 01", set([](L &l, uchar *) { l.hid_01H_SetReportRate(1); })},
        {"cmd Failed 02", set([](L &l, uchar *) { l.hid_02H_SetCurrentProfile(1); })},
        {"cmd Failed 03", set([](L &l, uchar *) { l.hid_03H_SetKeyboardoption(1, 2, 3, 4); })},
        {"cmd Failed 04", set([](L &l, uchar *) { l.hid_04H_SetGunData(1, 2, 3, 4, 5); })},
        {"cmd Failed 07", set([](L &l, uchar *) { l.hid_07H_SetControlIndicatorLight(1, 2); })},
        {"cmd Failed 08", set([](L &l, uchar *) { l.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); })},
        {"cmd Failed 0D", set([](L &l, uchar *b) { l.hid_0DH_SetKeyMatrix(b); })},
        {"cmd Failed 0E", set([](L &l, uchar *b) { l.hid_0EH_SetKeyOnOff(b); })},
        {"cmd Failed 0E", set([](L &l, uchar *) { l.hid_0EH_SetXYSensitive(1, 2); })},
        {"cmd Failed 09", set([](L &l, uchar *) { l.hid_09H_SetKeyboardMode(1); })},
        {"cmd Failed 11", set([](L &l, uchar *b) { l.hid_11H_SetMacroKey(1, b); })},
        {"cmd Failed 12", set([](L &l, uchar *b) { l.hid_12H_SetUserPicture(1, 2, b); })},
        {"cmd Failed 13", set([](L &l, uchar *) { l.hid_13H_SetRecoveryData(); })},
        {"cmd Failed 14", set([](L &l, uchar *) { l.hid_14H_SetColor(1, 2, 3, 4); })},
        {"cmd Failed",
            [](L &l) {
                QString v = "before";
                l.hid_80H_GetFWVersion(v);
                return v == "before";
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33;
                l.hid_81H_GetReportRate(a);
                return untouched({a});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33;
                l.hid_82H_GetCurrentProfile(a);
                return untouched({a});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33, d = 0x33;
                l.hid_83H_GetKeyboardoption(a, b, c, d);
                return untouched({a, b, c, d});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33, d = 0x33;
                l.hid_84H_GetButtonSensitivity(a, b, c, d);
                return untouched({a, b, c, d});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33, d = 0x33, e = 0x33;
                l.hid_88H_GetLEDType(a, b, c, d, e);
                return untouched({a, b, c, d, e});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33;
                l.hid_89H_GetKeyboardMode(a);
                return untouched({a});
            }},
        {"cmd Failed", block(512, [](L &l, uchar *b) { l.hid_8DH_GetKeyMatrix(b); })},
        {"cmd Failed", block(21, [](L &l, uchar *b) { l.hid_8EH_GetKeyOnOff(b); })},
        {"cmd Failed", block(192, [](L &l, uchar *b) { l.hid_91H_GetMacroKey(1, b); })},
        {"cmd Failed", block(512, [](L &l, uchar *b) { l.hid_92H_GetUserPicture(1, b); })},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33;
                l.hid_94H_GetColor(1, a, b, c);
                return untouched({a, b, c});
            }},
        {"cmd Failed 03", set([](L &l, uchar *) { l.hid_03H_SetFunctionOption(1, 2, 3, 4); })},
        {"cmd Failed 07", set([](L &l, uchar *) { l.hid_07H_SetLEDInstructFunction(1, 2, 3, 4); })},
        {"cmd Failed 0B", set([](L &l, uchar *) { l.hid_0BH_SetCurrentDPIStage(1); })},
        {"cmd Failed 0D", set([](L &l, uchar *) { l.hid_0DH_SetRGBLedEffect(1, 2, 3); })},
        {"cmd Failed 10", set([](L &l, uchar *b) { l.hid_10H_SetLED8StageColor(1, b); })},
        {"cmd Failed 11", set([](L &l, uchar *b) { l.hid_11H_SetDPISet(1, b); })},
        {"cmd Failed 12", set([](L &l, uchar *b) { l.hid_12H_SetKeyMatrix(b, 1); })},
        {"cmd Failed 13", set([](L &l, uchar *b) { l.hid_13H_SetMacroKey(1, b); })},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33;
                l.hid_83H_GetFunctionOption(a, b, c);
                return untouched({a, b, c});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33;
                const bool ok = l.hid_87H_GetLEDInstructFunction(1, a, b, c);
                return !ok && untouched({a, b, c});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33;
                l.hid_8BH_GetCurrentDPIStage(a);
                return untouched({a});
            }},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33, b = 0x33, c = 0x33;
                l.hid_8DH_GetRGBLedEffect(a, b, c);
                return untouched({a, b, c});
            }},
        {"cmd Failed", block(24, [](L &l, uchar *b) { l.hid_90H_GetLED8StageColor(1, b); })},
        {"cmd Failed",
            [](L &l) {
                uchar a = 0x33;
                QByteArray b(8, 0x33);
                const bool ok = l.hid_91H_GetDPISet(a, data(b));
                return !ok && untouched({a}) && untouched(b);
            }},
        {"cmd Failed", block(64, [](L &l, uchar *b) { l.hid_92H_GetKeyMatrix(b); })},
        {"cmd Failed", block(128, [](L &l, uchar *b) { l.hid_93H_GetMacroKey(1, b); })},
    };
}

QMutex loggedMutex;
QStringList logged;

void collectDebugLines(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg)
        return;
    QMutexLocker lock(&loggedMutex);
    logged << text;
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
        // An answer followed by a block travels plain and is taken as it is.
        QCOMPARE(stages, device->mouse().dpiMaxStage);

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

    void everyCommandLogsItsLineWhenTheLinkIsHeld()
    {
        // A pool write of 512 one-byte reports holds the link about 4 s; meanwhile every command,
        // each from its own thread, gives up after its 255 polling steps (about 2 s).
        Hid_Thread link;
        DeviceRecord slow = DeviceTesting::keyboardRecord();
        slow.reportLength = 1;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard, {slow});
        QByteArray matrix = block(512, 0x21);
        link.hid_0DH_SetKeyMatrix(data(matrix));
        QVERIFY(!link.isLinkFree());

        const QList<FailCase> cases = everyCommand();
        QCOMPARE(cases.size(), 43);
        QList<int> kept(cases.size(), -1);
        QList<QThread *> threads;
        {
            QMutexLocker lock(&loggedMutex);
            logged.clear();
        }
        const QtMessageHandler previous = qInstallMessageHandler(collectDebugLines);
        for (int i = 0; i < cases.size(); ++i)
            threads << QThread::create([&, i] { kept[i] = cases.at(i).run(link) ? 1 : 0; });
        for (QThread *thread : threads)
            thread->start();
        for (QThread *thread : threads)
            thread->wait();
        qDeleteAll(threads);
        qInstallMessageHandler(previous);
        const bool stillHeld = !link.isLinkFree();
        link.waitForPoolTransfer();

        QVERIFY2(stillHeld, "the write ended before the waiting commands gave up");
        QStringList expected;
        for (const FailCase &failCase : cases)
            expected << failCase.line;
        QStringList seen = logged;
        expected.sort();
        seen.sort();
        QCOMPARE(seen, expected);
        QCOMPARE(kept, QList<int>(cases.size(), 1));
        // Only the write that held the link reached the device.
        QCOMPARE(device->calls(Op::FeatureOut).size(), 1);
        QCOMPARE(device->keyboard().keyMatrix, block(512, 0x21));
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
