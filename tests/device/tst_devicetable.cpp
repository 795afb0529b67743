#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "device/devicetable.h"

namespace {
QString describe(const DeviceRecord &r)
{
    return QStringLiteral("%1 %2:%3 %4/%5 %6/%7 %8 '%9'")
        .arg(r.type)
        .arg(r.vid, 4, 16, QLatin1Char('0'))
        .arg(r.pid, 4, 16, QLatin1Char('0'))
        .arg(r.usagePage, 4, 16, QLatin1Char('0'))
        .arg(r.usage, 4, 16, QLatin1Char('0'))
        .arg(r.usagePage2, 4, 16, QLatin1Char('0'))
        .arg(r.usage2, 4, 16, QLatin1Char('0'))
        .arg(r.reportLength)
        .arg(r.productName);
}
} // namespace

class tst_DeviceTable : public QObject
{
    Q_OBJECT

private slots:
    void shippedTable()
    {
        QFile file(DeviceTable::resourcePath);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(file.readLine().trimmed(), QByteArray("; type 0: Keyboard, type 1: Mouse"));

        QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
        const QList<DeviceRecord> records
            = DeviceTable::readRecords(table, {"keyboard", "DORNAK SKELDA MOUSE R740"});
        QCOMPARE(records.size(), 2);
        QCOMPARE(describe(records.at(0)), "0 04d9:8008 ff01/0001 ff02/0001 64 'keyboard'");
        QCOMPARE(describe(records.at(1)),
            "1 04d9:a1ee ff00/ff00 ff01/ff01 32 'DORNAK SKELDA MOUSE R740'");
        QVERIFY(!DeviceTable::readIsEncode(table));
    }

    void parsing_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<bool>("encode");
        QTest::newRow("no total") << QByteArray("[0]\ntype=1\n") << QStringList {} << QStringList {}
                                  << false;
        QTest::newRow("missing keys take defaults")
            << QByteArray("[common]\ntotal=1\nisEncode=true\n") << QStringList {"only"}
            << QStringList {"-1 0000:0000 0000/0000 0000/0000 0 'only'"} << true;
        QTest::newRow("hexadecimal without prefix, decimal length")
            << QByteArray("[common]\ntotal=1\n[0]\ntype=a\nvid=04D9\npid=A1EE\nusagePage=ff00\n"
                          "usage=1\nusagePage2=FF01\nusage2=ff01\nreportLength=64\n")
            << QStringList {"m"} << QStringList {"10 04d9:a1ee ff00/0001 ff01/ff01 64 'm'"}
            << false;
        QTest::newRow("values that do not parse give 0")
            << QByteArray("[common]\ntotal=1\n[0]\ntype=zz\nvid=g4d9\npid=-1\nusagePage=\n"
                          "reportLength=forty\n")
            << QStringList {} << QStringList {"0 0000:0000 0000/0000 0000/0000 0 ''"} << false;
        QTest::newRow("kept in 16 bits")
            << QByteArray("[common]\ntotal=1\n[0]\nvid=1ffff\n") << QStringList {}
            << QStringList {"-1 ffff:0000 0000/0000 0000/0000 0 ''"} << false;
        QTest::newRow("fewer names than records")
            << QByteArray("[common]\ntotal=2\n[0]\ntype=0\n[1]\ntype=1\n") << QStringList {"k"}
            << QStringList {"0 0000:0000 0000/0000 0000/0000 0 'k'",
                   "1 0000:0000 0000/0000 0000/0000 0 ''"}
            << false;
    }
    void parsing()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, names);
        QFETCH(QStringList, records);
        QFETCH(bool, encode);
        QTemporaryDir dir;
        QFile file(dir.filePath("table.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
        file.close();
        QSettings table(file.fileName(), QSettings::IniFormat);
        QStringList described;
        for (const DeviceRecord &record : DeviceTable::readRecords(table, names))
            described << describe(record);
        QCOMPARE(described, records);
        QCOMPARE(DeviceTable::readIsEncode(table), encode);
    }
};

QTEST_GUILESS_MAIN(tst_DeviceTable)
#include "tst_devicetable.moc"
