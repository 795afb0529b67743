#include "device/devicetable.h"

namespace {
quint16 readHex16(QSettings &table, const QString &key)
{
    bool ok = false;
    const uint value = table.value(key).toString().toUInt(&ok, 16);
    return ok ? quint16(value) : 0;
}
} // namespace

namespace DeviceTable {

QList<DeviceRecord> readRecords(QSettings &table, const QStringList &productNames)
{
    QList<DeviceRecord> records;
    for (int n = 0; n < table.value("common/total", 0).toInt(); ++n) {
        const QString group = QString::number(n) + '/';
        DeviceRecord record;
        bool ok = false;
        const int type = table.value(group + "type").toString().toInt(&ok, 16);
        record.type = table.contains(group + "type") ? (ok ? type : 0) : -1;
        record.vid = readHex16(table, group + "vid");
        record.pid = readHex16(table, group + "pid");
        record.usagePage = readHex16(table, group + "usagePage");
        record.usage = readHex16(table, group + "usage");
        record.usagePage2 = readHex16(table, group + "usagePage2");
        record.usage2 = readHex16(table, group + "usage2");
        record.productName = productNames.value(n);
        record.reportLength = table.value(group + "reportLength", 0).toUInt();
        records.append(record);
    }
    return records;
}

bool readIsEncode(QSettings &table)
{
    return table.value("common/isEncode", false).toBool();
}

QList<DeviceRecord> shippedRecords(const QStringList &productNames)
{
    QSettings table(QString::fromLatin1(resourcePath), QSettings::IniFormat);
    return readRecords(table, productNames);
}

bool shippedIsEncode()
{
    QSettings table(QString::fromLatin1(resourcePath), QSettings::IniFormat);
    return readIsEncode(table);
}

} // namespace DeviceTable
