#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "device/hidtrace.h"
#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;

namespace {
QStringList traceLines(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// The operation and what follows it, without the time stamp.
QStringList withoutTimes(const QStringList &lines)
{
    QStringList rest;
    for (const QString &line : lines)
        rest << line.section(' ', 1);
    return rest;
}
} // namespace

class tst_Trace : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { HidTrace::setFile(QString()); }

    void everyCallIsOneLine()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("trace.txt");
        HidTrace::setFile(fileName);
        Hid_Thread link;
        auto device = VirtualHidBackend::installInto(link, Attached::Mouse);
        device->setMouse([] {
            VirtualHidBackend::MouseState state;
            state.dpiMaxStage = 6;
            state.dpiSet = QByteArray::fromHex("0102030405060708");
            return state;
        }());
        link.enumerateDevices(DeviceTesting::shippedRecords());
        uchar stages = 0;
        uchar dpi[8] = {};
        QVERIFY(link.hid_91H_GetDPISet(stages, dpi));
        uchar colours[4] = {0xaa, 0xbb, 0xcc, 0xdd};
        link.hid_10H_SetLED8StageColor(2, colours);
        link.waitForPoolTransfer();

        const QStringList lines = traceLines(fileName);
        const QRegularExpression shape(
            "^\\d+\\.\\d{3} (enumerate|open|close|feature-out|feature-in|out|in)( .*)?$");
        for (const QString &line : lines)
            QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
        const QString readData = "in 01 02 03 04 05 06 07 08" + QString(" 00").repeated(24);
        const QString colourReport = "out 00 aa bb cc dd" + QString(" 00").repeated(28);
        QCOMPARE(withoutTimes(lines),
            (QStringList {"enumerate 04d9:8008 failed", "enumerate 04d9:a1ee",
                "open virtual/mouse/command", "close", "open virtual/mouse/command",
                "feature-out 00 91 00 00 00 00 00 00 6e", "close", "open virtual/mouse/command",
                "feature-in 00 91 06 00 00 00 00 00 68", "close", "open virtual/mouse/command",
                readData, "close", "open virtual/mouse/command", "close",
                "open virtual/mouse/command", "feature-out 00 10 02 04 00 00 00 00 e9", "close",
                "open virtual/mouse/command", colourReport, "close"}));
        double previous = -1;
        for (const QString &line : lines) {
            const double ms = line.section(' ', 0, 0).toDouble();
            QVERIFY(ms >= previous);
            previous = ms;
        }
    }

    void failuresAreMarked()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("trace.txt");
        HidTrace::setFile(fileName);
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFault(Fault::ReadNeverAnswers);
        uchar matrix[64] = {};
        link.hid_92H_GetKeyMatrix(matrix);
        device->clearFaults();
        device->setFault(Fault::OpenFails);
        link.hid_01H_SetReportRate(1);
        link.waitForPoolTransfer();
        const QStringList rest = withoutTimes(traceLines(fileName));
        QVERIFY(rest.contains("in failed"));
        QCOMPARE(rest.last(), QString("open virtual/mouse/command failed"));
    }

    void switchedOff()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("trace.txt");
        HidTrace::setFile(fileName);
        HidTrace::setFile(QString());
        Hid_Thread link;
        DeviceTesting::attachVirtual(link, Attached::Mouse);
        link.hid_01H_SetReportRate(1);
        link.waitForPoolTransfer();
        QVERIFY(traceLines(fileName).isEmpty());
        QVERIFY(!HidTrace::enabled());
    }
};

QTEST_GUILESS_MAIN(tst_Trace)
#include "tst_trace.moc"
