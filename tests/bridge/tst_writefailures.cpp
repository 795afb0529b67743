#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

#include "store/profiles.h"
#include "support/readonlyfolder.h"
#include "tst_deviceops_rig.h"

using skelda::test::ReadOnlyFolder;

namespace {
using Slot = std::function<void(myQQuickView &)>;
using Read = std::function<QVariant(myQQuickView &)>;

QVariantList filled(int count, int value)
{
    return QVariantList(count, value);
}

QList<uchar> codesOf(const QList<QByteArray> &frames)
{
    QList<uchar> codes;
    for (const QByteArray &f : frames)
        codes << uchar(f.at(1));
    return codes;
}
} // namespace

class tst_WriteFailures : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unsavedChangeIsToldAndNotSent_data();
    void unsavedChangeIsToldAndNotSent();
    void oneNoticePerRunOfFailures();
    void factoryResetThatCannotWriteIsTold();
    void scrollSwapSendsNothingWithoutItsReads_data();
    void scrollSwapSendsNothingWithoutItsReads();
    void pictureReadThatFailsKeepsTheStoredPicture();
};

void tst_WriteFailures::init()
{
    skelda::test::WorkFolder probe;
    ReadOnlyFolder readOnly(probe.filePath("modules/setting"));
    QFile file(probe.filePath("modules/setting/probe"));
    if (file.open(QIODevice::WriteOnly))
        QSKIP("this system writes into read-only folders");
}

void tst_WriteFailures::unsavedChangeIsToldAndNotSent_data()
{
    QTest::addColumn<Slot>("change");
    QTest::addColumn<Read>("read");
    QTest::addColumn<int>("command");

    QTest::newRow("dpi set") << Slot([](myQQuickView &v) {
        v.ui_11H_SetDPISet(6, filled(8, 0x31), filled(8, 5000));
    }) << Read([](myQQuickView &v) { return QVariant(v.ui_91H_GetDPISet()); })
                             << 0x11;
    QTest::newRow("report rate") << Slot([](myQQuickView &v) { v.ui_01H_SetReportRate(3); })
                                 << Read([](myQQuickView &v) { return v.ui_81H_GetReportRate(); })
                                 << 0x01;
    QTest::newRow("dpi stage") << Slot([](myQQuickView &v) {
        v.ui_0BH_SetCurrentDPIStage(4);
    }) << Read([](myQQuickView &v) { return v.currentProfileSettings()->value("sensor/stage_Z5"); })
                               << 0x0B;
    QTest::newRow("lighting") << Slot([](myQQuickView &v) {
        v.ui_0DH_SetRGBLedEffect(2, 3, 1, {2, 1, 1});
    }) << Read([](myQQuickView &v) { return QVariant(v.ui_8DH_GetRGBLedEffect()); })
                              << 0x0D;
    QTest::newRow("stage colours")
        << Slot([](myQQuickView &v) { v.ui_10H_SetLED8StageColor(1, filled(24, 7)); })
        << Read([](myQQuickView &v) { return QVariant(v.ui_90H_GetLED8StageColor(1)); }) << 0x10;
    QTest::newRow("buttons") << Slot([](myQQuickView &v) {
        v.ui_12H_SetKeyMatrix(filled(64, 1));
    }) << Read([](myQQuickView &v) { return v.currentProfileSettings()->value("keydefine_Z5/3"); })
                             << 0x12;
    QTest::newRow("wheel direction")
        << Slot([](myQQuickView &v) { v.setScrollPinSwap(true); })
        << Read([](myQQuickView &v) { return QVariant(v.getScrollPinSwap()); }) << 0x83;
}

void tst_WriteFailures::unsavedChangeIsToldAndNotSent()
{
    QFETCH(Slot, change);
    QFETCH(Read, read);
    QFETCH(int, command);
    DeviceOpsRig rig;
    rig.folder.copyShipped("setting/p1.bin");
    rig.view->currentProfileSettings()->sync();
    const QByteArray stored = rig.profileFile();
    QVERIFY(!stored.isEmpty());
    const QVariant before = read(*rig.view);
    QSignalSpy told(rig.view.get(), &myQQuickView::settingsNotSaved);
    ReadOnlyFolder readOnly(rig.folder.filePath("modules/setting"));
    change(*rig.view);
    QCOMPARE(told.size(), 1);
    QVERIFY(!rig.view->settingsSaved());
    QCOMPARE(read(*rig.view), before);
    QVERIFY(!codesOf(rig.commands()).contains(uchar(command)));
    readOnly.release();
    QCOMPARE(rig.profileFile(), stored);

    change(*rig.view);
    QVERIFY(rig.view->settingsSaved());
    QVERIFY(codesOf(rig.commands()).contains(uchar(command)));
    QVERIFY(rig.profileFile() != stored);
    QCOMPARE(told.size(), 1);
}

void tst_WriteFailures::oneNoticePerRunOfFailures()
{
    DeviceOpsRig rig;
    QSignalSpy told(rig.view.get(), &myQQuickView::settingsNotSaved);
    ReadOnlyFolder readOnly(rig.folder.filePath("modules/setting"));
    for (int value : {1, 2, 3})
        rig.view->setXYSensitive(0, value);
    rig.view->ui_11H_SetDPISelect(filled(8, 1));
    QCOMPARE(told.size(), 1);
    QCOMPARE(rig.view->getXYSensitive(0), QVariant(4));
    readOnly.release();
    rig.view->setXYSensitive(0, 5);
    QCOMPARE(told.size(), 1);
    QCOMPARE(rig.view->getXYSensitive(0).toInt(), 5);
    ReadOnlyFolder again(rig.folder.filePath("modules/setting"));
    rig.view->setXYSensitive(0, 6);
    QCOMPARE(told.size(), 2);
    QCOMPARE(rig.view->getXYSensitive(0).toInt(), 5);
}

void tst_WriteFailures::factoryResetThatCannotWriteIsTold()
{
    DeviceOpsRig rig;
    rig.folder.copyShipped("setting/pD.bin");
    rig.view->setXYSensitive(0, 9);
    const QByteArray stored = rig.profileFile();
    QSignalSpy told(rig.view.get(), &myQQuickView::settingsNotSaved);
    {
        ReadOnlyFolder readOnly(rig.folder.filePath("modules/setting"));
        rig.view->resetProfile(0);
        QCOMPARE(told.size(), 1);
    }
    QCOMPARE(rig.profileFile(), stored);
    QCOMPARE(rig.view->getXYSensitive(0).toInt(), 9);
    rig.view->resetProfile(0);
    QVERIFY(rig.view->settingsSaved());
    QCOMPARE(rig.profileFile(), rig.folder.readFile("modules/setting/pD.bin"));
}

void tst_WriteFailures::scrollSwapSendsNothingWithoutItsReads_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("answers fail") << int(VirtualHidBackend::Fault::FeatureInFails);
    QTest::newRow("requests fail") << int(VirtualHidBackend::Fault::FeatureOutFails);
    QTest::newRow("unplugged") << int(VirtualHidBackend::Fault::Unplugged);
}

void tst_WriteFailures::scrollSwapSendsNothingWithoutItsReads()
{
    QFETCH(int, fault);
    DeviceOpsRig rig;
    VirtualHidBackend::MouseState state = rig.device->mouse();
    state.reportRate = 0x04;
    state.functionOption1 = 0x12;
    state.functionOption2 = 0x34;
    rig.device->setMouse(state);
    rig.device->setFault(VirtualHidBackend::Fault(fault));
    rig.view->setScrollPinSwap(true);
    rig.device->clearFaults();
    rig.link.waitForPoolTransfer();
    // The profile keeps the choice; the device keeps its rate and options.
    QVERIFY(rig.view->getScrollPinSwap());
    QCOMPARE(int(rig.device->mouse().reportRate), 0x04);
    QCOMPARE(int(rig.device->mouse().functionOption1), 0x12);
    QCOMPARE(int(rig.device->mouse().functionOption2), 0x34);
    QVERIFY(!codesOf(rig.commands()).contains(uchar(0x03)));
}

void tst_WriteFailures::pictureReadThatFailsKeepsTheStoredPicture()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
    rig.link.enumerateDevices(DeviceTable::readRecords(table, {"keyboard", "mouse"}));
    QCOMPARE(rig.view->connectedDeviceId(), 0);
    rig.view->ui_12H_SetUserPicture(2, 255, filled(512, 9));
    const QByteArray stored = rig.profileFile();
    rig.device->setFault(VirtualHidBackend::Fault::BulkReadFails);
    rig.view->syncFW();
    QCOMPARE(rig.profileFile(), stored);
    const QVariantList picture = rig.view->ui_92H_GetUserPicture(2);
    QCOMPARE(picture.size(), 512);
    QCOMPARE(picture.last().toInt(), 9);
}

QTEST_MAIN(tst_WriteFailures)
#include "tst_writefailures.moc"
