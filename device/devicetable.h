#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>

// One group of the embedded device table.
struct DeviceRecord
{
    qint32 type = -1;
    quint16 vid = 0;
    quint16 pid = 0;
    // Each pair compares as one 32-bit value, as hid_device_info lays it out.
    quint16 usagePage = 0;
    quint16 usage = 0;
    quint16 usagePage2 = 0;
    quint16 usage2 = 0;
    QString productName;
    quint32 reportLength = 0;
};

// One element of the link's device list.
struct DeviceEntry
{
    qint32 did = 0;
    QString productName;
    qint32 type = -1;
    QString commandPath;
    QString eventPath;
    qint32 reportLength = 0;
};

namespace DeviceTable {
inline constexpr const char *resourcePath = ":/DevInfo.ini";

// Records 0 .. common/total-1; a record without a product name gets an empty one.
QList<DeviceRecord> readRecords(QSettings &table, const QStringList &productNames);
bool readIsEncode(QSettings &table);
// The same, read from the table built into the program.
QList<DeviceRecord> shippedRecords(const QStringList &productNames = {});
bool shippedIsEncode();
} // namespace DeviceTable
