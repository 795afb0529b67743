#include <QElapsedTimer>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

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
        link.waitForPoolTransfer();
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
        // Both ran on the link's one worker, never on the caller's thread.
        QVERIFY(calls.at(3).thread != QThread::currentThreadId());
        QCOMPARE(calls.at(secondOpen + 3).thread, calls.at(3).thread);
    }

    void commandsIssuedDuringAWriteRunAfterItInOrder()
    {
        // Work queued while a write is on its way runs after it, each command whole and in turn.
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        uchar rate = 0x42;
        uchar stage = 0x43;
        uchar dpi[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        uchar read[8] = {};
        uchar maxStage = 0;
        bool dpiOk = false;
        QString version = "before";
        bool timerRanInside = false;
        bool inside = true;
        QTimer::singleShot(0, this, [&] { timerRanInside = inside; });
        QElapsedTimer clock;
        clock.start();
        link.hid_11H_SetDPISet(6, dpi);
        const qint64 setMs = clock.elapsed();
        link.hid_0BH_SetCurrentDPIStage(3);
        link.hid_81H_GetReportRate(rate);
        link.hid_8BH_GetCurrentDPIStage(stage);
        dpiOk = link.hid_91H_GetDPISet(maxStage, read);
        link.hid_80H_GetFWVersion(version);
        link.hid_14H_SetColor(1, 2, 3, 4);
        inside = false;
        link.waitForPoolTransfer();
        QCoreApplication::processEvents();

        QVERIFY2(setMs < 20, qPrintable(QString::number(setMs)));
        QVERIFY2(!timerRanInside, "a command processed the caller's events");
        QCOMPARE(rate, device->mouse().reportRate);
        QCOMPARE(stage, uchar(3));
        QVERIFY(dpiOk);
        QCOMPARE(maxStage, device->mouse().dpiMaxStage);
        QCOMPARE(
            QByteArray(reinterpret_cast<char *>(read), 8), QByteArray::fromHex("0102030405060708"));
        QCOMPARE(version, QString("1.0A"));
        QStringList codes;
        for (const QByteArray &frame : DeviceTesting::bytesOf(device->calls(Op::FeatureOut)))
            codes << frame.mid(1, 1).toHex();
        QCOMPARE(codes, QStringList({"11", "0b", "81", "8b", "91", "80", "14"}));
        // Every transfer whole: no command starts before the previous one closed.
        const auto calls = device->calls();
        for (int i = 1; i < calls.size(); ++i)
            QVERIFY(calls.at(i).startNs >= calls.at(i - 1).endNs);
    }

    void getterOnAStalledLinkGivesUpAndLaterWritesStillArrive()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFault(Fault::Stalls);
        QByteArray dpi = QByteArray::fromHex("0102030405060708");
        link.hid_11H_SetDPISet(6, data(dpi));
        uchar rate = 0x42;
        QElapsedTimer clock;
        clock.start();
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        link.hid_81H_GetReportRate(rate);
        const qint64 waitedMs = clock.elapsed();
        QCOMPARE(rate, uchar(0x42));
        QVERIFY2(waitedMs >= Hid_Thread::stallMs, qPrintable(QString::number(waitedMs)));
        QVERIFY2(waitedMs < Hid_Thread::stallMs + 1000, qPrintable(QString::number(waitedMs)));
        // A write issued meanwhile waits its turn and logs nothing.
        link.hid_0BH_SetCurrentDPIStage(5);
        QVERIFY(!link.isLinkFree());
        device->clearFaults();
        link.waitForPoolTransfer();

        QCOMPARE(device->mouse().dpiSet, dpi);
        QCOMPARE(device->mouse().dpiStage, uchar(5));
        QStringList codes;
        for (const QByteArray &frame : DeviceTesting::bytesOf(device->calls(Op::FeatureOut)))
            codes << frame.mid(1, 1).toHex();
        // The getter that gave up never went out.
        QCOMPARE(codes, QStringList({"11", "0b"}));
    }

    void consecutiveWaitingWritesOfOneKindKeepOnlyTheNewest()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFault(Fault::Stalls);
        QByteArray a = QByteArray::fromHex("0101010101010101");
        QByteArray b = QByteArray::fromHex("0202020202020202");
        QByteArray c = QByteArray::fromHex("0303030303030303");
        QByteArray d = QByteArray::fromHex("0404040404040404");
        QByteArray colours(24, 0x11);
        QByteArray macro1(128, 0x21);
        QByteArray macro2(128, 0x22);
        QByteArray macro3(128, 0x23);
        link.hid_11H_SetDPISet(6, data(a));
        // Running, held by the stall: a running write is never replaced.
        QTRY_VERIFY(!device->calls(Op::Open).isEmpty());
        link.hid_11H_SetDPISet(6, data(b));
        link.hid_11H_SetDPISet(6, data(c));
        link.hid_0BH_SetCurrentDPIStage(1);
        link.hid_0BH_SetCurrentDPIStage(2);
        link.hid_11H_SetDPISet(6, data(d));
        link.hid_11H_SetDPISet(5, data(a)); // another stage count is another write
        link.hid_10H_SetLED8StageColor(1, data(colours));
        link.hid_10H_SetLED8StageColor(2, data(colours)); // another type
        link.hid_13H_SetMacroKey(1, data(macro1));
        link.hid_13H_SetMacroKey(2, data(macro2)); // another slot
        link.hid_13H_SetMacroKey(2, data(macro3));
        link.hid_01H_SetReportRate(1);
        link.hid_02H_SetCurrentProfile(1); // never merged
        link.hid_02H_SetCurrentProfile(2);
        device->clearFaults();
        link.waitForPoolTransfer();

        QStringList frames;
        for (const QByteArray &frame : DeviceTesting::bytesOf(device->calls(Op::FeatureOut)))
            frames << frame.mid(1, 3).toHex();
        QCOMPARE(frames,
            QStringList({"110608", "110608", "0b0200", "110608", "110508", "100118", "100204",
                "130180", "130280", "010100", "020100", "020200"}));
        QCOMPARE(link.mergedWrites(), 3);
        QCOMPARE(device->mouse().dpiSet, a);
        QCOMPARE(device->mouse().dpiStage, uchar(2));
        QCOMPARE(device->mouse().macros.value(1), macro1);
        QCOMPARE(device->mouse().macros.value(2), macro3);
        const auto outs = device->calls(Op::Out);
        QCOMPARE(outs.at(1).bytes.mid(1, 8), c);
    }

    void writeFaultsEndWithTheLinkFree_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("pathKept");
        QTest::newRow("unplugged") << int(Fault::Unplugged) << false;
        // Still listed: the path is looked up again and kept, the open tried once more.
        QTest::newRow("open fails") << int(Fault::OpenFails) << true;
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
        link.waitForPoolTransfer();
        QCOMPARE(device->mouse().macros.value(2), macro);
    }

    void scrambledFramesOnTheWire()
    {
        Hid_Thread link;
        link.setEncode(true);
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setScrambling(true);
        // The handshake takes the default code, the one the device holds.
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.chkDeviceIsEnCode();
        link.waitForPoolTransfer();
        QCOMPARE(link.secrecyCode(), QByteArray::fromHex("0034313832363300"));
        device->clearCalls();
        QByteArray dpi = QByteArray::fromHex("0102030405060708");
        link.hid_11H_SetDPISet(6, data(dpi));
        link.hid_0EH_SetXYSensitive(3, 4);
        link.waitForPoolTransfer();

        const auto features = device->calls(Op::FeatureOut);
        QCOMPARE(features.size(), 2);
        QByteArray expected = QByteArray::fromHex("0011060800000000e0");
        QByteArray code = link.secrecyCode();
        Scrambling::encrypt(data(expected) + 1, data(code));
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
        link.waitForPoolTransfer();
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

    void everyCommandLogsItsLineOnceTheLinkIsShutDown()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard);
        link.shutdown();

        const QList<FailCase> cases = everyCommand();
        QCOMPARE(cases.size(), 43);
        QList<int> kept(cases.size(), -1);
        {
            QMutexLocker lock(&loggedMutex);
            logged.clear();
        }
        const QtMessageHandler previous = qInstallMessageHandler(collectDebugLines);
        for (int i = 0; i < cases.size(); ++i)
            kept[i] = cases.at(i).run(link) ? 1 : 0;
        qInstallMessageHandler(previous);

        QStringList expected;
        for (const FailCase &failCase : cases)
            expected << failCase.line;
        QCOMPARE(logged, expected);
        QCOMPARE(kept, QList<int>(cases.size(), 1));
        QVERIFY(device->calls().isEmpty());
    }

    void shutdownDrainsWithinItsBoundAndWaitsForTheRunningTransfer()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFault(Fault::Stalls);
        QByteArray dpi = QByteArray::fromHex("0102030405060708");
        link.hid_11H_SetDPISet(6, data(dpi));
        link.hid_0BH_SetCurrentDPIStage(4);
        link.hid_0EH_SetXYSensitive(3, 4);
        std::unique_ptr<QThread> unstall(QThread::create([&] {
            QThread::msleep(Hid_Thread::drainMs + 500);
            device->clearFaults();
        }));
        unstall->start();
        {
            QMutexLocker lock(&loggedMutex);
            logged.clear();
        }
        const QtMessageHandler previous = qInstallMessageHandler(collectDebugLines);
        QElapsedTimer clock;
        clock.start();
        link.shutdown();
        const qint64 tookMs = clock.elapsed();
        qInstallMessageHandler(previous);
        unstall->wait();

        // The writes still waiting at the bound never reached the device and say so.
        QCOMPARE(logged, QStringList({"cmd Failed 0B", "cmd Failed 0E"}));
        QVERIFY2(tookMs >= Hid_Thread::drainMs + 400, qPrintable(QString::number(tookMs)));
        QCOMPARE(device->mouse().dpiSet, dpi);
        QCOMPARE(device->calls(Op::FeatureOut).size(), 1);
        QCOMPARE(device->calls().last().operation, Op::Close);
    }

    void releaseLinkFreesAGetterWaitingOnAStuckLink()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFault(Fault::Stalls);
        link.hid_01H_SetReportRate(2);
        uchar stage = 0x43;
        qint64 waitedMs = -1;
        std::unique_ptr<QThread> getter(QThread::create([&] {
            QElapsedTimer clock;
            clock.start();
            link.hid_8BH_GetCurrentDPIStage(stage);
            waitedMs = clock.elapsed();
        }));
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        getter->start();
        QTest::qWait(200);
        QVERIFY(getter->isRunning());
        link.releaseLink();
        QVERIFY(getter->wait(1000));
        QVERIFY2(waitedMs < Hid_Thread::stallMs, qPrintable(QString::number(waitedMs)));
        QCOMPARE(stage, uchar(0x43));
        device->clearFaults();
        link.waitForPoolTransfer();
        QCOMPARE(device->mouse().reportRate, uchar(2));
    }
};

QTEST_GUILESS_MAIN(tst_Transport)
#include "tst_transport.moc"
