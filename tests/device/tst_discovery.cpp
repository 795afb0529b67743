#include <QTest>

#include "device/hidbackend.h"
#include "support/device_testing.h"

namespace {
// Interfaces described by hand; opens succeed for listed paths not marked as failing.
class FakeBackend : public HidBackend
{
public:
    QMap<QPair<quint16, quint16>, QList<HidInterfaceInfo>> devices;
    QSet<QByteArray> failingPaths;
    QList<QPair<quint16, quint16>> enumerated;
    QList<QByteArray> opened;

protected:
    QList<HidInterfaceInfo> doEnumerate(quint16 vid, quint16 pid) override
    {
        enumerated.append({vid, pid});
        return devices.value({vid, pid});
    }
    HidHandle doOpen(const QByteArray &path) override
    {
        opened.append(path);
        if (failingPaths.contains(path))
            return nullptr;
        for (const auto &list : std::as_const(devices))
            for (const auto &info : list)
                if (info.path == path)
                    return reinterpret_cast<HidHandle>(quintptr(1));
        return nullptr;
    }
    int doSendFeatureReport(HidHandle, const uchar *, int length) override { return length; }
    int doGetFeatureReport(HidHandle, uchar *, int length) override { return length; }
    int doWrite(HidHandle, const uchar *, int length) override { return length; }
    int doRead(HidHandle, uchar *, int, int) override { return -1; }
    void doClose(HidHandle) override { }
};

const QPair<quint16, quint16> keyboardIds {0x04d9, 0x8008};
const QPair<quint16, quint16> mouseIds {0x04d9, 0xa1ee};

QList<HidInterfaceInfo> mouseInterfaces()
{
    return {
        {"m-pointer", 0x0001, 0x0002}, {"m-command", 0xff00, 0xff00}, {"m-event", 0xff01, 0xff01}};
}

QList<HidInterfaceInfo> keyboardInterfaces()
{
    return {{"k-command", 0xff01, 0x0001}, {"k-event", 0xff02, 0x0001}};
}

QList<DeviceRecord> namedRecords()
{
    QList<DeviceRecord> records = DeviceTesting::shippedRecords();
    records[0].productName = "Keyboard";
    records[1].productName = "DORNAK SKELDA MOUSE R740";
    return records;
}
} // namespace

class tst_Discovery : public QObject
{
    Q_OBJECT

private slots:
    void keyboardComesBeforeTheMouse()
    {
        auto fake = std::make_shared<FakeBackend>();
        fake->devices[keyboardIds] = keyboardInterfaces();
        fake->devices[mouseIds] = mouseInterfaces();
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices(namedRecords());
        QCOMPARE(link.currentDeviceId(), 0);
        QCOMPARE(link.devices().size(), 1);
        const DeviceEntry entry = link.devices().first();
        QCOMPARE(entry.did, 0);
        QCOMPARE(entry.productName, QString("Keyboard"));
        QCOMPARE(entry.type, 0);
        QCOMPARE(entry.commandPath, QString("k-command"));
        QCOMPARE(entry.eventPath, QString("k-event"));
        QCOMPARE(entry.reportLength, 64);
        // Later records are not even tried.
        QCOMPARE(fake->enumerated, (QList<QPair<quint16, quint16>> {keyboardIds}));
        QVERIFY(fake->opened.isEmpty());
    }

    void mouseAlone()
    {
        auto fake = std::make_shared<FakeBackend>();
        fake->devices[mouseIds] = mouseInterfaces();
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices(namedRecords());
        QCOMPARE(link.currentDeviceId(), 1);
        QCOMPARE(link.devices().size(), 2);
        QVERIFY(link.devices().at(0).commandPath.isEmpty());
        QVERIFY(link.devices().at(0).eventPath.isEmpty());
        QCOMPARE(link.devices().at(1).did, 1);
        QCOMPARE(link.devices().at(1).productName, QString("DORNAK SKELDA MOUSE R740"));
        QCOMPARE(link.devices().at(1).type, 1);
        QCOMPARE(link.devices().at(1).commandPath, QString("m-command"));
        QCOMPARE(link.devices().at(1).eventPath, QString("m-event"));
        QCOMPARE(link.devices().at(1).reportLength, 32);
        QCOMPARE(fake->enumerated, (QList<QPair<quint16, quint16>> {keyboardIds, mouseIds}));
    }

    void bothInterfacesAndBothFieldsAreRequired_data()
    {
        QTest::addColumn<QList<HidInterfaceInfo>>("interfaces");
        QTest::newRow("no event interface")
            << QList<HidInterfaceInfo> {{"m-command", 0xff00, 0xff00}};
        QTest::newRow("no command interface")
            << QList<HidInterfaceInfo> {{"m-event", 0xff01, 0xff01}};
        QTest::newRow("usage page alone")
            << QList<HidInterfaceInfo> {{"m-command", 0xff00, 0x0001}, {"m-event", 0xff01, 0xff01}};
        QTest::newRow("usage alone")
            << QList<HidInterfaceInfo> {{"m-command", 0x0001, 0xff00}, {"m-event", 0xff01, 0xff01}};
        QTest::newRow("event usage page alone")
            << QList<HidInterfaceInfo> {{"m-command", 0xff00, 0xff00}, {"m-event", 0xff01, 0x0002}};
        QTest::newRow("pairs swapped")
            << QList<HidInterfaceInfo> {{"m-command", 0xff00, 0xff01}, {"m-event", 0xff01, 0xff00}};
        QTest::newRow("nothing") << QList<HidInterfaceInfo> {};
    }
    void bothInterfacesAndBothFieldsAreRequired()
    {
        QFETCH(QList<HidInterfaceInfo>, interfaces);
        auto fake = std::make_shared<FakeBackend>();
        fake->devices[mouseIds] = interfaces;
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices(namedRecords());
        QCOMPARE(link.currentDeviceId(), 1);
        QCOMPARE(link.devices().size(), 2);
        for (const DeviceEntry &entry : link.devices()) {
            QVERIFY(entry.commandPath.isEmpty());
            QVERIFY(entry.eventPath.isEmpty());
        }
    }

    void currentDeviceStaysWhenNothingIsFound()
    {
        auto fake = std::make_shared<FakeBackend>();
        fake->devices[keyboardIds] = keyboardInterfaces();
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices(namedRecords());
        QCOMPARE(link.currentDeviceId(), 0);
        fake->devices.clear();
        link.enumerateDevices(namedRecords());
        QCOMPARE(link.currentDeviceId(), 0);
        QCOMPARE(link.devices().size(), 2);
    }

    void currentDeviceAlwaysNamesAnEntry()
    {
        auto fake = std::make_shared<FakeBackend>();
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices({DeviceTesting::keyboardRecord()});
        QCOMPARE(link.devices().size(), 1);
        QCOMPARE(link.currentDeviceId(), 0);
        // An index outside the list is not adopted by a switch either.
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        link.swichCurDevice(7);
        QCOMPARE(link.currentDeviceId(), 0);
        QVERIFY(!link.isLinkStarted());
        QCOMPARE(owner.events, QStringList {"hideWindow"});
    }

    void emptyTableFindsNothing()
    {
        auto fake = std::make_shared<FakeBackend>();
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices({});
        QVERIFY(link.devices().isEmpty());
        QCOMPARE(link.currentDeviceId(), 1);
        uchar rate = 9;
        link.hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(9));
        QVERIFY(link.isLinkFree());
    }

    void failedOpenOfAGoneDeviceClearsThePath_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::newRow("gone from the bus") << false;
        QTest::newRow("still listed, open fails") << true;
    }
    void failedOpenOfAGoneDeviceClearsThePath()
    {
        QFETCH(bool, listed);
        auto fake = std::make_shared<FakeBackend>();
        fake->devices[mouseIds] = mouseInterfaces();
        Hid_Thread link;
        link.setBackend(fake);
        link.enumerateDevices(namedRecords());
        fake->failingPaths.insert("m-command");
        if (!listed)
            fake->devices.remove(mouseIds);
        fake->enumerated.clear();
        link.hid_01H_SetReportRate(1);
        link.waitForPoolTransfer();
        QVERIFY(link.isLinkFree());
        // The interface is looked up once; a listed one is opened once more under its path.
        QCOMPARE(fake->enumerated, (QList<QPair<quint16, quint16>> {mouseIds}));
        QCOMPARE(link.devices().at(1).commandPath.isEmpty(), !listed);
        QCOMPARE(link.devices().at(1).eventPath, QString("m-event"));
        const QList<QByteArray> tried = listed ? QList<QByteArray> {"m-command", "m-command"}
                                               : QList<QByteArray> {"m-command"};
        QCOMPARE(fake->opened, tried);
        // Without a path nothing is opened any more; with one each command tries again.
        link.hid_01H_SetReportRate(1);
        link.waitForPoolTransfer();
        QCOMPARE(fake->opened.size(), listed ? 4 : 1);

        fake->failingPaths.clear();
        fake->devices[mouseIds] = mouseInterfaces();
        link.enumerateDevices(namedRecords());
        QCOMPARE(link.devices().at(1).commandPath, QString("m-command"));
        const int before = int(fake->opened.size());
        link.hid_01H_SetReportRate(1);
        link.waitForPoolTransfer();
        QCOMPARE(fake->opened.size(), before + 2);
    }

    void virtualDeviceIsFoundThroughTheShippedRecords_data()
    {
        QTest::addColumn<int>("attached");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("commandPath");
        QTest::newRow("mouse") << int(VirtualHidBackend::Attached::Mouse) << 1 << 2
                               << "virtual/mouse/command";
        QTest::newRow("keyboard") << int(VirtualHidBackend::Attached::Keyboard) << 0 << 1
                                  << "virtual/keyboard/command";
        QTest::newRow("both") << int(VirtualHidBackend::Attached::Both) << 0 << 1
                              << "virtual/keyboard/command";
        QTest::newRow("none") << int(VirtualHidBackend::Attached::None) << 1 << 2 << "";
    }
    void virtualDeviceIsFoundThroughTheShippedRecords()
    {
        QFETCH(int, attached);
        QFETCH(int, current);
        QFETCH(int, entries);
        QFETCH(QString, commandPath);
        Hid_Thread link;
        DeviceTesting::attachVirtual(link, VirtualHidBackend::Attached(attached));
        QCOMPARE(link.currentDeviceId(), current);
        QCOMPARE(link.devices().size(), entries);
        QCOMPARE(link.devices().at(current).commandPath, commandPath);
    }
};

QTEST_GUILESS_MAIN(tst_Discovery)
#include "tst_discovery.moc"
