#include <QTest>

#include "device/hidbackend.h"
#include "support/device_testing.h"

// The process default is chosen once, on first use; this binary makes that first use.
class tst_BackendSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("SKELDA_VIRTUAL_DEVICE", " Mouse "); }

    void environmentChoosesTheVirtualDevice()
    {
        const auto chosen = HidBackend::processDefault();
        auto *device = dynamic_cast<VirtualHidBackend *>(chosen.get());
        QVERIFY(device);
        QCOMPARE(device->attached(), VirtualHidBackend::Attached::Mouse);
        QCOMPARE(HidBackend::processDefault(), chosen);
    }

    void linkWithoutItsOwnBackendUsesTheDefault()
    {
        Hid_Thread link;
        RecordingLinkOwner owner(&link);
        link.setOwner(&owner);
        link.enumerateDevices(DeviceTesting::shippedRecords());
        QCOMPARE(link.devices().at(1).commandPath, QString("virtual/mouse/command"));
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.swichCurDevice(1);
        QVERIFY(link.isDeviceReady());
        QCOMPARE(link.backend(), HidBackend::processDefault());
    }
};

QTEST_GUILESS_MAIN(tst_BackendSelection)
#include "tst_backendselection.moc"
