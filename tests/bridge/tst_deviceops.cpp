#include <QApplication>
#include <QElapsedTimer>
#include <QtTest>

#include "bridge/dialogs.h"
#include "store/profiles.h"
#include "tst_deviceops_rig.h"

namespace {
QVariantList list(const QByteArray &hex)
{
    QVariantList values;
    for (char byte : QByteArray::fromHex(hex))
        values << int(uchar(byte));
    return values;
}

QVariantList zeros(int count)
{
    return QVariantList(count, 0);
}

class AnsweringDialogs : public Dialogs
{
public:
    bool answer = false;
    int asked = 0;
    QString title;
    QString text;
    bool confirm(const QString &t, const QString &x) override
    {
        ++asked;
        title = t;
        text = x;
        return answer;
    }
};
} // namespace

class tst_DeviceOps : public QObject
{
    Q_OBJECT

private slots:
    void keyMatrixStoresCodesAndSendsKeyboardType();
    void keyMatrixIsSentWithItsPauses();
    void gunKeyMatrixSendsRawAndStoresNothing();
    void stageColorsTypeTwoArePacked();
    void stageColorsTypeOneGoUnpacked();
    void dpiSetStoresValuesAndSendsBytes();
    void dpiSelectSendsNothing();
    void syncDpiReportsTheStageCount();
    void syncDpiWithoutAnswerGivesEight_data();
    void syncDpiWithoutAnswerGivesEight();
    void currentStageIsAskedOnlyWhileVisible();
    void currentStageIsStoredAndSent();
    void updateIsOfferedOnlyWhenPresent();
    void versionComesFromTheBuild();
    void reportRateOfTheMouseIsStored();
    void rgbEffectStoresTheConfigs();
    void xySensitivityArgumentsAreCutToBytes();
    void gunDataIsSent();
    void currentProfileChangesOnlyOnADifferentNumber();
    void currentProfileOutsideTheRangeIsIgnored_data();
    void currentProfileOutsideTheRangeIsIgnored();
    void sensorTypeAndLogoLed();
    void logoLedFailsWithoutAnswer();
    void keyMatrixAndMacroAreReadFromTheDevice();
    void keyIsWrittenEvenWhenTheDeviceIsGone();
    void clearHidBusyFreesTheLink();
    void syncFwDoesNothingForTheMouse();
    void foolProofingAsksWithMessageTexts();
    void foolProofingWithoutTextsAsksWithEmptyTexts();
    void updaterStartsOnlyWhenPresent();
    void everySlotIsSafeWithoutLink();
};

void tst_DeviceOps::keyMatrixStoresCodesAndSendsKeyboardType()
{
    DeviceOpsRig rig;
    QVariantList matrix = zeros(64);
    const QVariantList autoRun = list("0f002e00");
    const QVariantList mouseCode = list("010ff000");
    for (int i = 0; i < 4; ++i) {
        matrix[12 + i] = autoRun.at(i);
        matrix[16 + i] = mouseCode.at(i);
        matrix[28 + i] = list("08000200").at(i);
    }
    rig.view->ui_12H_SetKeyMatrix(matrix);
    QCOMPARE(rig.view->currentProfileSettings()->value("keydefine_Z5/3").toList(), autoRun);
    QCOMPARE(rig.view->currentProfileSettings()->value("keydefine_Z5/4").toList(), mouseCode);
    QVERIFY(rig.profileFile().contains("3=15, 0, 46, 0\n"));
    QVERIFY(rig.profileFile().contains("4=1, 15, 240, 0\n"));
    QVERIFY(rig.profileFile().contains("15=0, 0, 0, 0\n"));
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("12014008"))});
    const QByteArray sent = rig.block();
    QCOMPARE(sent.size(), 64);
    QCOMPARE(sent.mid(12, 4).toHex(' '), QByteArray("00 00 2e 00"));
    QCOMPARE(sent.mid(16, 4).toHex(' '), QByteArray("01 0f f0 00"));
    QCOMPARE(sent.mid(28, 4).toHex(' '), QByteArray("08 00 02 00"));
    QCOMPARE(rig.device->mouse().keyMatrices.value(1), sent);
}

void tst_DeviceOps::keyMatrixIsSentWithItsPauses()
{
    DeviceOpsRig rig;
    rig.view->ui_12H_SetKeyMatrix(zeros(64));
    rig.link.waitForPoolTransfer();
    const auto feature = rig.device->calls(DeviceOpsRig::Operation::FeatureOut);
    const auto reports = rig.device->calls(DeviceOpsRig::Operation::Out);
    QCOMPARE(feature.size(), 1);
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports.at(0).bytes.size(), 33);
    const qint64 ms = 1000000;
    QVERIFY(reports.at(0).startNs - feature.at(0).endNs >= 128 * ms);
    QVERIFY(reports.at(1).startNs - reports.at(0).endNs >= 8 * ms);
}

void tst_DeviceOps::gunKeyMatrixSendsRawAndStoresNothing()
{
    DeviceOpsRig rig;
    QVariantList matrix = zeros(64);
    const QVariantList gun = list("0f002e00");
    for (int i = 0; i < 4; ++i)
        matrix[i] = gun.at(i);
    matrix << 1 << 2 << 3;
    rig.view->ui_12H_SetGunKeyMatrix(matrix);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("12034008"))});
    QCOMPARE(rig.block().left(4).toHex(' '), QByteArray("0f 00 2e 00"));
    QCOMPARE(rig.block().size(), 64);
    QVERIFY(!rig.profileFile().contains("keydefine"));
    QVERIFY(rig.view->currentProfileSettings()->allKeys().isEmpty());
}

void tst_DeviceOps::stageColorsTypeTwoArePacked()
{
    DeviceOpsRig rig;
    QVariantList colours;
    for (int i = 1; i <= 24; ++i)
        colours << i;
    rig.view->ui_10H_SetLED8StageColor(2, colours);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("100204"))});
    QCOMPARE(rig.block().left(4).toHex(' '), QByteArray("21 43 65 87"));
    QCOMPARE(rig.device->mouse().stageColors.value(2).toHex(' '), QByteArray("21 43 65 87"));
    QCOMPARE(rig.view->ui_90H_GetLED8StageColor(2).size(), 24);
    QCOMPARE(rig.view->ui_90H_GetLED8StageColor(2).at(0), QVariant(1u));
}

void tst_DeviceOps::stageColorsTypeOneGoUnpacked()
{
    DeviceOpsRig rig;
    const QVariantList colours = list("ff00000000ff00ff00ffff0000ffffff00ff000000000000");
    rig.view->ui_10H_SetLED8StageColor(1, colours);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("100118"))});
    QCOMPARE(rig.device->mouse().stageColors.value(1).toHex(),
        QByteArray("ff00000000ff00ff00ffff0000ffffff00ff000000000000"));
    const QVariantList stored = rig.view->ui_90H_GetLED8StageColor(1);
    QCOMPARE(stored.size(), 24);
    for (int i = 0; i < 24; ++i) {
        QCOMPARE(stored.at(i).typeId(), int(QMetaType::UInt));
        QCOMPARE(stored.at(i).toInt(), colours.at(i).toInt());
    }
    QVERIFY(rig.view->ui_90H_GetLED8StageColor(0).isEmpty());
}

void tst_DeviceOps::dpiSetStoresValuesAndSendsBytes()
{
    DeviceOpsRig rig;
    const QVariantList values {200, 5000, 5100, 6000, 1600, 800, 250, 250};
    rig.view->ui_11H_SetDPISet(6, list("0131595e0f80808080"), values);
    // Nine elements for an 8-byte block: the ninth is ignored.
    QCOMPARE(rig.commands(), QList<QByteArray> {QByteArray::fromHex("0011060800000000e0")});
    QCOMPARE(rig.block().left(8).toHex(' '), QByteArray("01 31 59 5e 0f 80 80 80"));
    QCOMPARE(rig.view->ui_91H_GetDPISet(), values);
    QVERIFY(rig.profileFile().contains("dpi_Z5=200, 5000, 5100, 6000, 1600, 800, 250, 250\n"));
}

void tst_DeviceOps::dpiSelectSendsNothing()
{
    DeviceOpsRig rig;
    const QVariantList flags {1, 1, 0, 1, 1, 1, 0, 0};
    rig.view->ui_11H_SetDPISelect(flags);
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
    QCOMPARE(rig.view->ui_91H_GetDPISelect(), flags);
    QVERIFY(rig.profileFile().contains("dpi_Select=1, 1, 0, 1, 1, 1, 0, 0\n"));
}

void tst_DeviceOps::syncDpiReportsTheStageCount()
{
    DeviceOpsRig rig;
    auto state = rig.device->mouse();
    state.dpiMaxStage = 4;
    rig.device->setMouse(state);
    QCOMPARE(int(rig.view->ui_91H_SyncDPI()), 4);
    QCOMPARE(rig.commands(), QList<QByteArray> {QByteArray::fromHex("00910000000000006e")});
}

void tst_DeviceOps::syncDpiWithoutAnswerGivesEight_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("unplugged") << int(VirtualHidBackend::Fault::Unplugged);
    QTest::newRow("no answer") << int(VirtualHidBackend::Fault::FeatureInFails);
    QTest::newRow("no block") << int(VirtualHidBackend::Fault::BulkReadFails);
}

void tst_DeviceOps::syncDpiWithoutAnswerGivesEight()
{
    QFETCH(int, fault);
    DeviceOpsRig rig;
    auto state = rig.device->mouse();
    state.dpiMaxStage = 4;
    rig.device->setMouse(state);
    rig.device->setFault(VirtualHidBackend::Fault(fault));
    QCOMPARE(int(rig.view->ui_91H_SyncDPI()), 8);
}

void tst_DeviceOps::currentStageIsAskedOnlyWhileVisible()
{
    DeviceOpsRig rig;
    auto state = rig.device->mouse();
    state.dpiStage = 3;
    rig.device->setMouse(state);
    QCOMPARE(rig.view->ui_8BH_GetCurrentDPIStage(), QVariant(0));
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
    rig.view->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.view.get()));
    QCOMPARE(rig.view->ui_8BH_GetCurrentDPIStage(), QVariant(3));
    QCOMPARE(rig.commands(),
        QList<QByteArray> {QByteArray::fromHex("008b000000000000"
                                               "74")});
    rig.view->hide();
    QCOMPARE(rig.view->ui_8BH_GetCurrentDPIStage(), QVariant(0));
    QCOMPARE(rig.commands().size(), 1);
}

void tst_DeviceOps::currentStageIsStoredAndSent()
{
    DeviceOpsRig rig;
    rig.view->ui_0BH_SetCurrentDPIStage(4);
    QVERIFY(rig.profileFile().contains("stage_Z5=4\n"));
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0b04"))});
    QCOMPARE(int(rig.device->mouse().dpiStage), 4);
    // The next run shows the stage the mouse was put on.
    myQQuickView nextRun;
    QCOMPARE(nextRun.getDPIStage().toInt(), 4);
    nextRun.currentProfileSettings()->remove("sensor/stage_Z5");
    QCOMPARE(nextRun.getDPIStage().toInt(), 0);
}

void tst_DeviceOps::reportRateOfTheMouseIsStored()
{
    DeviceOpsRig rig;
    rig.view->ui_01H_SetReportRate(2);
    QVERIFY(rig.profileFile().contains("reportRate_Z5=2\n"));
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0102"))});
    rig.device->clearCalls();
    auto state = rig.device->mouse();
    state.reportRate = 8;
    rig.device->setMouse(state);
    QCOMPARE(rig.view->ui_81H_GetReportRate(), QVariant(2));
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
    rig.view->ui_02H_SetCurrentProfile(1);
    QCOMPARE(rig.view->ui_81H_GetReportRate(), QVariant(0));
}

void tst_DeviceOps::rgbEffectStoresTheConfigs()
{
    DeviceOpsRig rig;
    rig.view->ui_0DH_SetRGBLedEffect(0, 0, 0, {1, 0, 2});
    QVERIFY(rig.profileFile().contains("ledEffect=1, 0, 2\n"));
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0d000000"))});
    rig.view->ui_0DH_SetRGBLedEffect(3, 18, 2, {3, 2, 2});
    QCOMPARE(rig.commands().last(), frame(QByteArray::fromHex("0d031202")));
    QCOMPARE(rig.view->ui_8DH_GetRGBLedEffect(), (QVariantList {3u, 2u, 2u}));
}

void tst_DeviceOps::xySensitivityArgumentsAreCutToBytes()
{
    DeviceOpsRig rig;
    rig.view->ui_0EH_SetXYSensitive(QString("100"), 260);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0e6404"))});
    QVERIFY(rig.profileFile().isEmpty());
}

void tst_DeviceOps::gunDataIsSent()
{
    DeviceOpsRig rig;
    rig.view->ui_04H_SetGunData(0x34, 0x12, 0, 0, 0);
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("043412"))});
    QCOMPARE(rig.device->mouse().gunData.toHex(), QByteArray("3412000000"));
}

// The index is stored only when it changes; the mouse is told every time.
void tst_DeviceOps::currentProfileChangesOnlyOnADifferentNumber()
{
    DeviceOpsRig rig;
    rig.view->ui_02H_SetCurrentProfile(0);
    QVERIFY(rig.folder.readFile("modules/setting/apConfig.bin").isEmpty());
    QCOMPARE(rig.view->currentProfileIndex(), 0);
    rig.view->ui_02H_SetCurrentProfile(5);
    QCOMPARE(rig.view->currentProfileIndex(), 5);
    QVERIFY(rig.folder.readFile("modules/setting/apConfig.bin").contains("profileNo=5\n"));
    rig.folder.writeFile("modules/setting/apConfig.bin", "[Z5]\nprofileNo=2\n");
    rig.view->ui_02H_SetCurrentProfile(5);
    QCOMPARE(
        rig.folder.readFile("modules/setting/apConfig.bin"), QByteArray("[Z5]\nprofileNo=2\n"));
    QCOMPARE(rig.commands(),
        (QList<QByteArray> {frame(QByteArray::fromHex("0200")), frame(QByteArray::fromHex("0205")),
            frame(QByteArray::fromHex("0205"))}));
}

void tst_DeviceOps::currentProfileOutsideTheRangeIsIgnored_data()
{
    QTest::addColumn<int>("profile");
    QTest::newRow("-1") << -1;
    QTest::newRow("10") << 10;
}

void tst_DeviceOps::currentProfileOutsideTheRangeIsIgnored()
{
    QFETCH(int, profile);
    DeviceOpsRig rig;
    rig.view->ui_02H_SetCurrentProfile(profile);
    QCOMPARE(rig.view->currentProfileIndex(), 0);
    QVERIFY(rig.folder.readFile("modules/setting/apConfig.bin").isEmpty());
    QVERIFY(rig.device->calls().isEmpty());
    rig.view->setXYSensitive(0, 3);
    QCOMPARE(rig.view->getXYSensitive(0).toInt(), 3);
}

void tst_DeviceOps::sensorTypeAndLogoLed()
{
    DeviceOpsRig rig;
    auto state = rig.device->mouse();
    state.functionType = 0x07;
    state.ledInstruct[0] = QByteArray::fromHex("000102");
    rig.device->setMouse(state);
    QCOMPARE(rig.view->getSensorType(), QVariant(7));
    QCOMPARE(rig.view->chkIsLogoLedWork(), true);
    QCOMPARE(rig.commands(),
        (QList<QByteArray> {frame(QByteArray::fromHex("83")), frame(QByteArray::fromHex("8700"))}));
    state.ledInstruct[0] = QByteArray::fromHex("010000");
    rig.device->setMouse(state);
    QCOMPARE(rig.view->chkIsLogoLedWork(), false);
}

void tst_DeviceOps::logoLedFailsWithoutAnswer()
{
    DeviceOpsRig rig;
    rig.device->setFault(VirtualHidBackend::Fault::FeatureInFails);
    QCOMPARE(rig.view->chkIsLogoLedWork(), false);
    QCOMPARE(rig.view->getSensorType(), QVariant(0));
}

void tst_DeviceOps::keyMatrixAndMacroAreReadFromTheDevice()
{
    DeviceOpsRig rig;
    auto state = rig.device->mouse();
    QByteArray matrix(64, '\0');
    matrix[0] = 0x01;
    matrix[2] = char(0xF0);
    matrix[63] = 0x7F;
    state.keyMatrices[1] = matrix;
    QByteArray macro(128, '\0');
    macro[0] = 0x55;
    macro[127] = char(0xAA);
    state.macros[3] = macro;
    rig.device->setMouse(state);
    const QVariantList readMatrix = rig.view->ui_92H_GetKeyMatrix();
    QCOMPARE(readMatrix.size(), 64);
    QCOMPARE(readMatrix.at(2), QVariant(0xF0));
    QCOMPARE(readMatrix.at(63), QVariant(0x7F));
    const QVariantList readMacro = rig.view->ui_93H_GetMacroKey(3);
    QCOMPARE(readMacro.size(), 128);
    QCOMPARE(readMacro.at(0), QVariant(0x55));
    QCOMPARE(readMacro.at(127), QVariant(0xAA));
    QCOMPARE(rig.commands().last(), frame(QByteArray::fromHex("9303")));
}

void tst_DeviceOps::keyIsWrittenEvenWhenTheDeviceIsGone()
{
    DeviceOpsRig rig;
    rig.device->setFault(VirtualHidBackend::Fault::Unplugged);
    rig.view->ui_11H_SetDPISet(6, zeros(8), {400, 800});
    rig.view->ui_12H_SetKeyMatrix(list("0100f000"));
    rig.view->ui_10H_SetLED8StageColor(1, {1});
    QCOMPARE(rig.view->ui_91H_GetDPISet(), (QVariantList {"400", "800"}));
    QCOMPARE(rig.view->currentProfileSettings()->value("keydefine_Z5/0").toList().size(), 4);
    QVERIFY(rig.view->currentProfileSettings()->value("keydefine_Z5/1").toList().isEmpty());
    QCOMPARE(rig.view->ui_90H_GetLED8StageColor(1), (QVariantList {1u}));
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.link.isLinkFree());
}

void tst_DeviceOps::clearHidBusyFreesTheLink()
{
    DeviceOpsRig rig;
    // A write stuck in the device holds the link; a getter waits behind it on another thread.
    rig.device->setFault(VirtualHidBackend::Fault::Stalls);
    rig.view->ui_0BH_SetCurrentDPIStage(1);
    QVariantList matrix;
    std::unique_ptr<QThread> getter(
        QThread::create([&] { matrix = rig.view->ui_92H_GetKeyMatrix(); }));
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
    getter->start();
    QTest::qWait(100);
    QVERIFY(getter->isRunning());
    rig.view->clearHidBusy();
    QVERIFY(getter->wait(1000));
    QCOMPARE(matrix, QVariantList(64, 0));
    rig.device->clearFaults();
    rig.link.waitForPoolTransfer();
    // The stuck write still went out when the device woke; the getter that gave up never did.
    QCOMPARE(rig.commands(), QList<QByteArray> {frame(QByteArray::fromHex("0b01"))});
}

void tst_DeviceOps::syncFwDoesNothingForTheMouse()
{
    DeviceOpsRig rig;
    rig.view->syncFW();
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
    QVERIFY(rig.profileFile().isEmpty());
}

void tst_DeviceOps::foolProofingAsksWithMessageTexts()
{
    DeviceOpsRig rig;
    AnsweringDialogs dialogs;
    Dialogs::install(&dialogs);
    rig.view->setMessageTexts({"0", "1", "2", "3", "Reset", "Really reset?"});
    dialogs.answer = true;
    QCOMPARE(rig.view->getMsgAns_FoolProofing(), true);
    QCOMPARE(dialogs.title, QString("Reset"));
    QCOMPARE(dialogs.text, QString("Really reset?"));
    dialogs.answer = false;
    QCOMPARE(rig.view->getMsgAns_FoolProofing(), false);
    QCOMPARE(dialogs.asked, 2);
    Dialogs::install(nullptr);
}

void tst_DeviceOps::foolProofingWithoutTextsAsksWithEmptyTexts()
{
    DeviceOpsRig rig;
    AnsweringDialogs dialogs;
    Dialogs::install(&dialogs);
    rig.view->setMessageTexts({"0", "1", "2", "3", "only a title"});
    rig.view->getMsgAns_FoolProofing();
    QCOMPARE(dialogs.title, QString("only a title"));
    QCOMPARE(dialogs.text, QString());
    rig.view->setMessageTexts({});
    rig.view->getMsgAns_FoolProofing();
    QCOMPARE(dialogs.title, QString());
    QCOMPARE(dialogs.asked, 2);
    Dialogs::install(nullptr);
}

void tst_DeviceOps::updaterStartsOnlyWhenPresent()
{
    DeviceOpsRig rig;
    QElapsedTimer timer;
    timer.start();
    rig.view->openUpdateExe();
    QVERIFY(timer.elapsed() < 400);
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());

    const QString marker = rig.folder.filePath("started");
    rig.folder.writeFile("update/update.exe", "#!/bin/sh\necho \"$PWD\" > started\n");
    QFile::setPermissions(rig.folder.filePath("update/update.exe"),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    timer.restart();
    rig.view->openUpdateExe();
    QVERIFY(timer.elapsed() >= 500);
    QTRY_VERIFY(QFile::exists(marker));
    QVERIFY(!rig.link.isLinkStarted());
}

void tst_DeviceOps::updateIsOfferedOnlyWhenPresent()
{
    DeviceOpsRig rig;
    QVERIFY(!rig.view->isUpdaterInstalled());
    rig.folder.writeFile("update/update.exe", "#!/bin/sh\n");
    QVERIFY(rig.view->isUpdaterInstalled());
    QFile::remove(rig.folder.filePath("update/update.exe"));
    QDir().mkpath(rig.folder.filePath("update/update.exe"));
    QVERIFY(!rig.view->isUpdaterInstalled());
}

void tst_DeviceOps::versionComesFromTheBuild()
{
    DeviceOpsRig rig;
    QCOMPARE(rig.view->getVersion(), QString(SKELDA_PROJECT_VERSION));
    QVERIFY(QRegularExpression("^\\d+\\.\\d+(\\.\\d+)*$").match(rig.view->getVersion()).hasMatch());
}

void tst_DeviceOps::everySlotIsSafeWithoutLink()
{
    skelda::test::WorkFolder folder;
    myQQuickView view;
    QVERIFY(!view.hid);
    view.syncFW();
    view.clearHidBusy();
    view.ui_01H_SetReportRate(1);
    view.ui_02H_SetCurrentProfile(1);
    view.ui_03H_SetKeyboardoption(1, 2, 3, 4);
    view.ui_04H_SetGunData(1, 2, 3, 4, 5);
    view.ui_07H_SetControlIndicatorLight(1, 2);
    view.ui_08H_SetLEDType(1, 2, 3, 4, 5, 6);
    view.ui_09H_SetKeyboardMode(1);
    view.ui_0DH_SetKeyMatrix(zeros(512));
    view.ui_0EH_SetKeyOnOff(zeros(21));
    view.ui_0EH_SetXYSensitive(20, 40);
    view.ui_12H_SetUserPicture(0, 1, zeros(512));
    view.ui_13H_SetRecoveryData();
    view.ui_14H_SetColor(0, 1, 2, 3);
    QCOMPARE(view.ui_80H_GetFWVersion(), QString());
    QCOMPARE(view.ui_81H_GetReportRate(), QVariant(0));
    QCOMPARE(view.ui_82H_GetCurrentProfile(), QVariant(0));
    QCOMPARE(view.ui_83H_GetKeyboardoption(), zeros(4));
    QCOMPARE(view.ui_84H_GetButtonSensitivity(), zeros(4));
    QCOMPARE(view.ui_88H_GetLEDType(), (QVariantList {2, 3, 4, 5, 6}));
    QCOMPARE(view.ui_89H_GetKeyboardMode(), QVariant(0));
    QCOMPARE(view.ui_8DH_GetKeyMatrix(), zeros(512));
    QCOMPARE(view.ui_8EH_GetKeyOnOff(), zeros(21));
    QCOMPARE(view.ui_91H_GetMacroKey(1), zeros(192));
    QCOMPARE(view.ui_92H_GetUserPicture(0).size(), 512);
    QCOMPARE(view.ui_94H_GetColor(0), (QVariantList {1, 2, 3}));
    QCOMPARE(view.getSensorType(), QVariant(0));
    QCOMPARE(view.chkIsLogoLedWork(), false);
    view.ui_0BH_SetCurrentDPIStage(2);
    view.ui_0DH_SetRGBLedEffect(1, 10, 2, {1, 4, 2});
    view.ui_10H_SetLED8StageColor(2, zeros(24));
    view.ui_11H_SetDPISet(6, zeros(8), zeros(8));
    view.ui_11H_SetDPISelect(zeros(8));
    view.ui_12H_SetKeyMatrix(zeros(64));
    view.ui_12H_SetGunKeyMatrix(zeros(64));
    QCOMPARE(view.ui_8BH_GetCurrentDPIStage(), QVariant(0));
    QCOMPARE(view.ui_8DH_GetRGBLedEffect(), (QVariantList {1u, 4u, 2u}));
    QCOMPARE(view.ui_90H_GetLED8StageColor(2).size(), 24);
    QCOMPARE(int(view.ui_91H_SyncDPI()), 8);
    view.openUpdateExe();
    QCOMPARE(view.ui_91H_GetDPISet().size(), 8);
    QCOMPARE(view.ui_91H_GetDPISelect().size(), 8);
    QCOMPARE(view.ui_92H_GetKeyMatrix(), zeros(64));
    QCOMPARE(view.ui_93H_GetMacroKey(1), zeros(128));
    view.setScrollPinSwap(true);
    QVERIFY(view.getScrollPinSwap());
    // Setters still keep their values in the profile; only the device record is unknown.
    QVERIFY(!view.currentProfileSettings()->contains("sensor/reportRate_Z5"));
    QCOMPARE(view.currentProfileSettings()->value("sensor/stage_Z5").toInt(), 2);
}

QTEST_MAIN(tst_DeviceOps)
#include "tst_deviceops.moc"
