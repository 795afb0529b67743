#include <QApplication>
#include <QtTest>

#include "store/profiles.h"
#include "tst_deviceops_rig.h"

namespace {
QVariantList counting(int count)
{
    QVariantList values;
    for (int i = 0; i < count; ++i)
        values << i;
    return values;
}

QByteArray countingBytes(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(uchar(i)));
    return bytes;
}
} // namespace

class tst_DeviceOpsKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void reportRateOfTheKeyboardIsNotStored();
    void syncFwReadsFivePictures();
    void pictureOption255StoresWithoutSending();
    void pictureIsSentInReportsOfTheKeyboard();
    void keyMatrixStoresKeysAndSendsTheBlock();
    void keyOnOffTravelsBothWays();
    void ledTypeAndColoursAreStoredAndSent();
    void simpleCommandsSendTheirFrames_data();
    void simpleCommandsSendTheirFrames();
    void gettersAnswerFromTheDevice();
    void firmwareVersionText();
    void macroIsReadFromTheDevice();
};

void tst_DeviceOpsKeyboard::reportRateOfTheKeyboardIsNotStored()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    QCOMPARE(rig.view->connectedDeviceId(), 0);
    rig.view->ui_01H_SetReportRate(4);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0104"))});
    QVERIFY(!rig.view->currentProfileSettings()->contains("sensor/reportRate_Z5"));
    QCOMPARE(rig.view->ui_81H_GetReportRate(), QVariant(4));
    QCOMPARE(rig.commands().last(), frame(QByteArray::fromHex("81")));
}

void tst_DeviceOpsKeyboard::syncFwReadsFivePictures()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    auto state = rig.device->keyboard();
    for (int n = 0; n < 6; ++n)
        state.pictures[uchar(n)] = QByteArray(512, char(0x10 + n));
    rig.device->setKeyboard(state);
    rig.view->syncFW();
    const QList<QByteArray> frames = rig.commands();
    QCOMPARE(frames.size(), 5);
    for (int n = 0; n < 5; ++n) {
        QCOMPARE(frames.at(n), frame(QByteArray::fromHex("9200") + char(n)));
        const QVariantList stored = Profiles::readList(
            *rig.view->currentProfileSettings(), QString("userPicture/%1").arg(n));
        QCOMPARE(stored.size(), 512);
        QCOMPARE(stored.first().toInt(), 0x10 + n);
        QCOMPARE(stored.last().toInt(), 0x10 + n);
        QCOMPARE(rig.view->ui_92H_GetUserPicture(uchar(n)).size(), 512);
    }
    QVERIFY(!rig.view->currentProfileSettings()->contains("userPicture/5"));
    QVERIFY(rig.profileFile().contains("[userPicture]\n0=16, 16, 16"));
}

void tst_DeviceOpsKeyboard::pictureOption255StoresWithoutSending()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    rig.view->ui_12H_SetUserPicture(2, 255, counting(512));
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
    QCOMPARE(rig.view->ui_92H_GetUserPicture(2).size(), 512);
    QCOMPARE(rig.view->ui_92H_GetUserPicture(2).at(300).toInt(), 300);
}

void tst_DeviceOpsKeyboard::pictureIsSentInReportsOfTheKeyboard()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    rig.view->ui_12H_SetUserPicture(3, 1, counting(512));
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("1200030801"))});
    const auto reports = rig.device->calls(DeviceOpsRig::Operation::Out);
    QCOMPARE(reports.size(), 8);
    for (const auto &report : reports)
        QCOMPARE(report.bytes.size(), 65);
    QCOMPARE(rig.block(), countingBytes(512));
    QCOMPARE(rig.device->keyboard().pictures.value(3), countingBytes(512));
    QCOMPARE(int(rig.device->keyboard().pictureOptions.value(3)), 1);
    QCOMPARE(rig.view->ui_92H_GetUserPicture(3), counting(512));
}

void tst_DeviceOpsKeyboard::keyMatrixStoresKeysAndSendsTheBlock()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    rig.view->ui_0DH_SetKeyMatrix(counting(512));
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0d000008"))});
    QCOMPARE(rig.block(), countingBytes(512));
    QCOMPARE(rig.device->keyboard().keyMatrix, countingBytes(512));
    QSettings *profile = rig.view->currentProfileSettings();
    QCOMPARE(profile->value("keydefine/0").toList(), (QVariantList {0, 1, 2, 3}));
    QCOMPARE(profile->value("keydefine/125").toList(), (QVariantList {500, 501, 502, 503}));
    QVERIFY(!profile->contains("keydefine/126"));
    QVERIFY(!profile->contains("keydefine_Z5/0"));
    QCOMPARE(rig.view->getKeydefine(5), (QVariantList {20, 21, 22, 23}));
    QVERIFY(rig.profileFile().contains("125=500, 501, 502, 503\n"));
    const QVariantList read = rig.view->ui_8DH_GetKeyMatrix();
    QCOMPARE(read.size(), 512);
    QCOMPARE(read.at(257).toInt(), 1);
    QCOMPARE(rig.commands().last(),
        QByteArray::fromHex("008d000000000000"
                            "00"));
}

void tst_DeviceOpsKeyboard::keyOnOffTravelsBothWays()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    QVariantList keys = counting(21);
    keys << 99;
    rig.view->ui_0EH_SetKeyOnOff(keys);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0e000015"))});
    QCOMPARE(rig.device->keyboard().keyOnOff, countingBytes(21));
    QVERIFY(rig.profileFile().isEmpty());
    QCOMPARE(rig.view->ui_8EH_GetKeyOnOff(), counting(21));
}

void tst_DeviceOpsKeyboard::ledTypeAndColoursAreStoredAndSent()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    rig.view->ui_08H_SetLEDType(9, 1, 2, 3, 4, 5);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("08090102030405"))});
    QCOMPARE(rig.view->ui_88H_GetLEDType(), (QVariantList {1, 2, 3, 4, 5}));
    QVERIFY(rig.profileFile().contains("ledType=1, 2, 3, 4, 5\n"));
    rig.view->ui_14H_SetColor(6, 0xFF, 0x80, 0x00);
    QCOMPARE(rig.commands().last(), frame(QByteArray::fromHex("140006ff8000")));
    QCOMPARE(rig.view->ui_94H_GetColor(6), (QVariantList {255, 128, 0}));
    QVERIFY(rig.view->ui_94H_GetColor(7).isEmpty());
    QVERIFY(rig.profileFile().contains("6=255, 128, 0\n"));
}

void tst_DeviceOpsKeyboard::simpleCommandsSendTheirFrames_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("03H options") << 0 << QByteArray::fromHex("0301020304");
    QTest::newRow("07H indicator") << 1 << QByteArray::fromHex("070203");
    QTest::newRow("09H mode") << 2 << QByteArray::fromHex("0905");
    QTest::newRow("13H recovery") << 3 << QByteArray::fromHex("13ff");
}

void tst_DeviceOpsKeyboard::simpleCommandsSendTheirFrames()
{
    QFETCH(int, which);
    QFETCH(QByteArray, bytes);
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    switch (which) {
    case 0:
        rig.view->ui_03H_SetKeyboardoption(1, 2, 3, 4);
        break;
    case 1:
        rig.view->ui_07H_SetControlIndicatorLight(2, 3);
        break;
    case 2:
        rig.view->ui_09H_SetKeyboardMode(5);
        break;
    default:
        rig.view->ui_13H_SetRecoveryData();
        break;
    }
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(bytes)});
    QVERIFY(rig.profileFile().isEmpty());
}

void tst_DeviceOpsKeyboard::gettersAnswerFromTheDevice()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    auto state = rig.device->keyboard();
    state.profile = 3;
    state.options = QByteArray::fromHex("0a0b0c0d");
    state.buttonSensitivity = QByteArray::fromHex("01020304");
    state.mode = 2;
    rig.device->setKeyboard(state);
    QCOMPARE(rig.view->ui_82H_GetCurrentProfile(), QVariant(3));
    QCOMPARE(rig.view->ui_83H_GetKeyboardoption(), (QVariantList {10, 11, 12, 13}));
    QCOMPARE(rig.view->ui_84H_GetButtonSensitivity(), (QVariantList {1, 2, 3, 4}));
    QCOMPARE(rig.view->ui_89H_GetKeyboardMode(), QVariant(2));
    QCOMPARE(rig.commands(),
        (QList<QByteArray> {frame(QByteArray::fromHex("82")), frame(QByteArray::fromHex("83")),
            frame(QByteArray::fromHex("84")), frame(QByteArray::fromHex("89"))}));
}

void tst_DeviceOpsKeyboard::firmwareVersionText()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    QCOMPARE(rig.view->ui_80H_GetFWVersion(), QString("1.0A"));
    rig.device->setFault(VirtualHidBackend::Fault::FeatureInFails);
    QCOMPARE(rig.view->ui_80H_GetFWVersion(), QString("unknown"));
}

void tst_DeviceOpsKeyboard::macroIsReadFromTheDevice()
{
    DeviceOpsRig rig(DeviceOpsRig::Attached::Keyboard);
    auto state = rig.device->keyboard();
    state.macros[2] = countingBytes(192);
    rig.device->setKeyboard(state);
    QCOMPARE(rig.view->ui_91H_GetMacroKey(2), counting(192));
    QCOMPARE(rig.commands().last(), frame(QByteArray::fromHex("910002")));
}

QTEST_MAIN(tst_DeviceOpsKeyboard)
#include "tst_deviceops_keyboard.moc"
