#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTestData>
#include <QVariant>

#include <functional>
#include <memory>

#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "device/virtualhidbackend.h"

namespace DeviceTesting {

// The records of the shipped device table, as the program reads them: keyboard, then mouse.
DeviceRecord keyboardRecord();
DeviceRecord mouseRecord();
QList<DeviceRecord> shippedRecords();

// Installs a virtual device into link and runs discovery with the shipped records.
std::shared_ptr<VirtualHidBackend> attachVirtual(Hid_Thread &link,
    VirtualHidBackend::Attached attached = VirtualHidBackend::Attached::Mouse,
    const QList<DeviceRecord> &records = shippedRecords());

// Whole reports of one kind as the device saw them.
QList<QByteArray> bytesOf(const QList<VirtualHidBackend::Call> &calls);

// Milliseconds between the end of one call and the start of the next.
double gapMs(const VirtualHidBackend::Call &before, const VirtualHidBackend::Call &after);

// Empty when calls are exactly one write command: feature report, then
// reports output reports of reportLength + 1 bytes carrying block, with the
// 128 ms pauses around the block (when pause) and 8 ms after each report.
// Timing is checked from the device's timestamps, upward tolerance only.
QString checkWrite(const QList<VirtualHidBackend::Call> &calls, const QByteArray &feature,
    int reports, int reportLength, const QByteArray &block, bool pause);
// Empty when calls are exactly one read command with reports input reports.
QString checkRead(
    const QList<VirtualHidBackend::Call> &calls, const QByteArray &feature, int reports);

inline constexpr double timingSlackMs = 60.0;

// A block of length bytes, none of them zero, that differs with seed.
QByteArray pattern(int length, int seed);
uchar *bytes(QByteArray &array);
VirtualHidBackend::Counters countersOf(const VirtualHidBackend &device);

// A table of set commands: the device, the command's name, its feature report, its block, the
// number of output reports, the pauses, whether it runs on the pool and sleeps 8 ms after.
void addWriteColumns();
QTestData &addWriteRow(VirtualHidBackend::Attached device, const char *command, const char *feature,
    const QByteArray &block, int reports, bool pause, bool pool, bool sleepAfter);
// Sends the current row's command through run on link, whose device is attached, and checks
// the frame, the block, the pauses, the thread of the transfer and when the slot returned.
using RunSet = std::function<void(Hid_Thread &, const QString &, const QByteArray &)>;
void verifyWriteRow(Hid_Thread &link, VirtualHidBackend &device, const RunSet &run);

// A table of getters: the device, the command's name, its feature report, the number of input
// reports, what run describes after an answer and after a failed transfer.
void addReadColumns();
void addReadRow(VirtualHidBackend::Attached device, const char *command, const char *feature,
    int reports, const QString &answered, const QString &absent);
// Runs the current row's getter: the answer and its frame, then the presets and copy rules
// after each transfer fault, and that a path cleared by a failed open fails at once.
using RunGet = std::function<QString(Hid_Thread &, const QString &)>;
void verifyReadRow(Hid_Thread &link, VirtualHidBackend &device, const RunGet &run);

} // namespace DeviceTesting

// Records what the handshake asks of the program, in order.
class RecordingLinkOwner : public LinkOwner
{
public:
    explicit RecordingLinkOwner(Hid_Thread *link = nullptr)
        : link(link)
    {
    }

    void startUI() override { events << QStringLiteral("startUI"); }
    void enableView() override { events << QStringLiteral("enableView"); }
    void clearHidBusy() override
    {
        events << QStringLiteral("clearHidBusy");
        if (link)
            link->releaseLink();
    }
    QVariant secrecyCodeSetting(int did) const override
    {
        askedSecrecyFor << did;
        return secrecyValue;
    }
    void deviceDetected() override { events << QStringLiteral("deviceDetected"); }
    void hideWindow() override { events << QStringLiteral("hideWindow"); }

    Hid_Thread *link = nullptr;
    QVariant secrecyValue;
    QStringList events;
    mutable QList<int> askedSecrecyFor;
};
