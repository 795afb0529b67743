#include "support/device_testing.h"

#include <QSettings>
#include <QStringList>
#include <QTest>

namespace DeviceTesting {

QList<DeviceRecord> shippedRecords()
{
    QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
    return DeviceTable::readRecords(table, {});
}

DeviceRecord keyboardRecord()
{
    return shippedRecords().value(0);
}

DeviceRecord mouseRecord()
{
    return shippedRecords().value(1);
}

std::shared_ptr<VirtualHidBackend> attachVirtual(
    Hid_Thread &link, VirtualHidBackend::Attached attached, const QList<DeviceRecord> &records)
{
    auto device = VirtualHidBackend::installInto(link, attached);
    link.enumerateDevices(records);
    device->clearCalls();
    return device;
}

QList<QByteArray> bytesOf(const QList<VirtualHidBackend::Call> &calls)
{
    QList<QByteArray> bytes;
    for (const VirtualHidBackend::Call &call : calls)
        bytes << call.bytes;
    return bytes;
}

double gapMs(const VirtualHidBackend::Call &before, const VirtualHidBackend::Call &after)
{
    return double(after.startNs - before.endNs) / 1e6;
}

namespace {
using Op = VirtualHidBackend::Operation;

QString opName(Op op)
{
    switch (op) {
    case Op::Enumerate:
        return QStringLiteral("enumerate");
    case Op::Open:
        return QStringLiteral("open");
    case Op::Close:
        return QStringLiteral("close");
    case Op::FeatureOut:
        return QStringLiteral("feature-out");
    case Op::FeatureIn:
        return QStringLiteral("feature-in");
    case Op::Out:
        return QStringLiteral("out");
    case Op::In:
        return QStringLiteral("in");
    }
    return {};
}

QString checkSequence(const QList<VirtualHidBackend::Call> &calls, const QList<Op> &expected)
{
    QStringList seen;
    QStringList wanted;
    for (const auto &call : calls)
        seen << opName(call.operation) + (call.ok ? QString() : QStringLiteral("!"));
    for (Op op : expected)
        wanted << opName(op);
    if (seen != wanted)
        return QStringLiteral("calls %1, expected %2").arg(seen.join(' '), wanted.join(' '));
    return {};
}

QString checkGap(const char *what, double gap, double floor, double slack)
{
    if (gap < floor || gap > floor + slack)
        return QStringLiteral("%1: %2 ms, expected %3 ms (+%4)")
            .arg(what)
            .arg(gap, 0, 'f', 3)
            .arg(floor)
            .arg(slack);
    return {};
}
} // namespace

QString checkWrite(const QList<VirtualHidBackend::Call> &calls, const QByteArray &feature,
    int reports, int reportLength, const QByteArray &block, bool pause)
{
    QList<Op> expected {Op::Open, Op::Close, Op::Open, Op::FeatureOut};
    for (int i = 0; i < reports; ++i)
        expected << Op::Close << Op::Open << Op::Out;
    expected << Op::Close;
    QString error = checkSequence(calls, expected);
    if (!error.isEmpty())
        return error;
    const auto &featureOut = calls.at(3);
    if (featureOut.bytes.toHex() != feature.toHex())
        return QStringLiteral("feature report %1, expected %2")
            .arg(featureOut.bytes.toHex(' '), feature.toHex(' '));
    QByteArray carried;
    const int chunk = qMin(int(block.size()), reportLength);
    for (int i = 0; i < reports; ++i) {
        const QByteArray &report = calls.at(6 + 3 * i).bytes;
        if (report.size() != reportLength + 1)
            return QStringLiteral("report %1 has %2 bytes").arg(i).arg(report.size());
        if (report.at(0) != 0)
            return QStringLiteral("report %1 has report id %2").arg(i).arg(int(report.at(0)));
        const int used = qMin(chunk, int(block.size()) - int(carried.size()));
        if (report.mid(1 + used) != QByteArray(reportLength - used, '\0'))
            return QStringLiteral("report %1 is not padded with zeros").arg(i);
        carried += report.mid(1, used);
    }
    if (carried != block)
        return QStringLiteral("block %1, expected %2").arg(carried.toHex(' '), block.toHex(' '));
    const auto &close = calls.last();
    const double pauseMs = pause ? 128.0 : 0.0;
    if (reports == 0)
        return checkGap(
            "feature report to close", gapMs(featureOut, close), pauseMs, timingSlackMs);
    error = checkGap(
        "feature report to first report", gapMs(featureOut, calls.at(6)), pauseMs, timingSlackMs);
    for (int i = 0; error.isEmpty() && i + 1 < reports; ++i)
        error = checkGap(
            "between reports", gapMs(calls.at(6 + 3 * i), calls.at(9 + 3 * i)), 8.0, timingSlackMs);
    if (error.isEmpty())
        error = checkGap("last report to close", gapMs(calls.at(6 + 3 * (reports - 1)), close),
            8.0 + pauseMs, timingSlackMs);
    return error;
}

QString checkRead(
    const QList<VirtualHidBackend::Call> &calls, const QByteArray &feature, int reports)
{
    QList<Op> expected {
        Op::Open, Op::Close, Op::Open, Op::FeatureOut, Op::Close, Op::Open, Op::FeatureIn};
    for (int i = 0; i < reports; ++i)
        expected << Op::Close << Op::Open << Op::In;
    expected << Op::Close;
    const QString error = checkSequence(calls, expected);
    if (!error.isEmpty())
        return error;
    if (calls.at(3).bytes.toHex() != feature.toHex())
        return QStringLiteral("feature report %1, expected %2")
            .arg(calls.at(3).bytes.toHex(' '), feature.toHex(' '));
    return {};
}

QByteArray pattern(int length, int seed)
{
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i)
        block[i] = char((i * 7 + seed) | 1);
    return block;
}

uchar *bytes(QByteArray &array)
{
    return reinterpret_cast<uchar *>(array.data());
}

VirtualHidBackend::Counters countersOf(const VirtualHidBackend &device)
{
    return device.attached() == VirtualHidBackend::Attached::Keyboard ? device.keyboardCounters()
                                                                      : device.mouseCounters();
}

namespace {
QByteArray rowName(VirtualHidBackend::Attached device, const char *command)
{
    return (device == VirtualHidBackend::Attached::Keyboard ? "keyboard " : "mouse ")
        + QByteArray(command);
}
} // namespace

void addWriteColumns()
{
    QTest::addColumn<VirtualHidBackend::Attached>("device");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("feature");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("reports");
    QTest::addColumn<bool>("pause");
    QTest::addColumn<bool>("pool");
    QTest::addColumn<bool>("sleepAfter");
}

QTestData &addWriteRow(VirtualHidBackend::Attached device, const char *command, const char *feature,
    const QByteArray &block, int reports, bool pause, bool pool, bool sleepAfter)
{
    return QTest::newRow(rowName(device, command).constData())
        << device << QString(command) << QByteArray::fromHex(feature) << block << reports << pause
        << pool << sleepAfter;
}

void verifyWriteRow(Hid_Thread &link, VirtualHidBackend &device, const RunSet &run)
{
    QFETCH(QString, command);
    QFETCH(QByteArray, feature);
    QFETCH(QByteArray, block);
    QFETCH(int, reports);
    QFETCH(bool, pause);
    QFETCH(bool, pool);
    QFETCH(bool, sleepAfter);

    const int reportLength = link.devices().at(link.currentDeviceId()).reportLength;
    const qint64 calledNs = device.elapsedNs();
    run(link, command, block);
    const qint64 returnedNs = device.elapsedNs();
    link.waitForPoolTransfer();
    const qint64 idleNs = device.elapsedNs();
    QVERIFY(link.isLinkFree());

    const auto calls = device.calls();
    QCOMPARE(checkWrite(calls, feature, reports, reportLength, block, pause), QString());
    // Every transfer runs on the link's worker; the slot returns at once.
    QVERIFY(calls.at(3).thread != QThread::currentThreadId());
    const double slotMs = double(returnedNs - calledNs) / 1e6;
    QVERIFY2(slotMs < 20.0, qPrintable(QString::number(slotMs)));
    if (pause)
        QVERIFY2(
            returnedNs < calls.last().startNs, "a set command returns before its transfer ends");
    // The 8 ms rest keeps the link after the transfer, or, for the writes whose rest used to run
    // beside their transfer on the caller's thread, from the command's start.
    const double sleptMs = sleepAfter ? 8.0 : 0.0;
    const double restMs
        = double(idleNs - (pool ? calls.first().startNs : calls.last().endNs)) / 1e6;
    QVERIFY2(restMs >= sleptMs, qPrintable(QString::number(restMs)));
    const auto counters = countersOf(device);
    QCOMPARE(counters.badChecksums, 0);
    QCOMPARE(counters.unknownCommands, 0);
    QCOMPARE(counters.strayReports, 0);
}

void addReadColumns()
{
    QTest::addColumn<VirtualHidBackend::Attached>("device");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("feature");
    QTest::addColumn<int>("reports");
    QTest::addColumn<QString>("answered");
    QTest::addColumn<QString>("absent");
}

void addReadRow(VirtualHidBackend::Attached device, const char *command, const char *feature,
    int reports, const QString &answered, const QString &absent)
{
    QTest::newRow(rowName(device, command).constData())
        << device << QString(command) << QByteArray::fromHex(feature) << reports << answered
        << absent;
}

void verifyReadRow(Hid_Thread &link, VirtualHidBackend &device, const RunGet &run)
{
    using Fault = VirtualHidBackend::Fault;
    QFETCH(QString, command);
    QFETCH(QByteArray, feature);
    QFETCH(int, reports);
    QFETCH(QString, answered);
    QFETCH(QString, absent);

    const int reportLength = link.devices().at(link.currentDeviceId()).reportLength;
    device.clearCalls();
    QCOMPARE(run(link, command), answered);
    QVERIFY(link.isLinkFree());
    QCOMPARE(checkRead(device.calls(), feature, reports), QString());
    for (const auto &read : device.calls(VirtualHidBackend::Operation::In))
        QCOMPARE(read.bytes.size(), reportLength);
    QCOMPARE(countersOf(device).badChecksums, 0);
    QCOMPARE(countersOf(device).unknownCommands, 0);

    for (Fault fault : {Fault::FeatureInFails, Fault::FeatureOutFails, Fault::Unplugged}) {
        device.clearFaults();
        device.setFault(fault);
        QCOMPARE(run(link, command), absent);
        QVERIFY(link.isLinkFree());
    }
    // A failed open cleared the path: without a new discovery the command fails at once.
    device.clearFaults();
    device.clearCalls();
    QCOMPARE(run(link, command), absent);
    QVERIFY(device.calls().isEmpty());
}

} // namespace DeviceTesting
