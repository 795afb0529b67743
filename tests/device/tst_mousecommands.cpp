#include <QTest>

#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;

namespace {
using DeviceTesting::bytes;
using DeviceTesting::pattern;

void runSet(Hid_Thread &link, const QString &command, QByteArray block)
{
    block.resize(512, '\0');
    if (command == "01H")
        link.hid_01H_SetReportRate(4);
    else if (command == "03H function")
        link.hid_03H_SetFunctionOption(1, 4, 0x40, 2);
    else if (command == "03H start")
        link.hid_03H_SetKeyboardoption(0x01, 0x0F, 0x8A, 0x4D);
    else if (command == "04H")
        link.hid_04H_SetGunData(1, 2, 3, 4, 5);
    else if (command == "07H")
        link.hid_07H_SetLEDInstructFunction(2, 9, 8, 7);
    else if (command == "0BH")
        link.hid_0BH_SetCurrentDPIStage(2);
    else if (command == "0DH")
        link.hid_0DH_SetRGBLedEffect(3, 5, 1);
    else if (command == "0EH")
        link.hid_0EH_SetXYSensitive(7, 9);
    else if (command == "10H type 2")
        link.hid_10H_SetLED8StageColor(2, bytes(block));
    else if (command == "10H type 1")
        link.hid_10H_SetLED8StageColor(1, bytes(block));
    else if (command == "11H")
        link.hid_11H_SetDPISet(6, bytes(block));
    else if (command == "12H buttons")
        link.hid_12H_SetKeyMatrix(bytes(block), 1);
    else if (command == "12H gun")
        link.hid_12H_SetKeyMatrix(bytes(block), 3);
    else if (command == "13H")
        link.hid_13H_SetMacroKey(5, bytes(block));
    else
        QFAIL(qPrintable("unknown command " + command));
}

QString hex(const uchar *bytes, int length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes), length).toHex());
}

// Runs one getter with outputs preset to 0x33 and describes what it handed back.
QString runGet(Hid_Thread &link, const QString &command)
{
    uchar a = 0x33, b = 0x33, c = 0x33;
    QByteArray block(128, char(0x33));
    if (command == "80H") {
        QString version = "preset";
        link.hid_80H_GetFWVersion(version);
        return version;
    }
    if (command == "81H") {
        link.hid_81H_GetReportRate(a);
        return hex(&a, 1);
    }
    if (command == "83H") {
        link.hid_83H_GetFunctionOption(a, b, c);
        return hex(&a, 1) + hex(&b, 1) + hex(&c, 1);
    }
    if (command == "87H") {
        const bool ok = link.hid_87H_GetLEDInstructFunction(2, a, b, c);
        return QString(ok ? "ok " : "failed ") + hex(&a, 1) + hex(&b, 1) + hex(&c, 1);
    }
    if (command == "8BH") {
        link.hid_8BH_GetCurrentDPIStage(a);
        return hex(&a, 1);
    }
    if (command == "8DH") {
        link.hid_8DH_GetRGBLedEffect(a, b, c);
        return hex(&a, 1) + hex(&b, 1) + hex(&c, 1);
    }
    if (command == "90H type 2") {
        link.hid_90H_GetLED8StageColor(2, bytes(block));
        return QString::fromLatin1(block.toHex());
    }
    if (command == "90H type 1") {
        link.hid_90H_GetLED8StageColor(1, bytes(block));
        return QString::fromLatin1(block.toHex());
    }
    if (command == "91H") {
        const bool ok = link.hid_91H_GetDPISet(a, bytes(block));
        return QString(ok ? "ok " : "failed ") + hex(&a, 1) + ' '
            + QString::fromLatin1(block.toHex());
    }
    if (command == "92H") {
        link.hid_92H_GetKeyMatrix(bytes(block));
        return QString::fromLatin1(block.toHex());
    }
    if (command == "93H") {
        link.hid_93H_GetMacroKey(5, bytes(block));
        return QString::fromLatin1(block.toHex());
    }
    if (command == "00H") {
        uchar d = 0x44;
        a = 0x11, b = 0x22, c = 0x33;
        link.hid_00H_GetSecrecyCode(a, b, c, d);
        return hex(&a, 1) + hex(&b, 1) + hex(&c, 1) + hex(&d, 1);
    }
    return "unknown command " + command;
}

QString tail(int filled, const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex() + QByteArray(128 - filled, char(0x33)).toHex());
}

VirtualHidBackend::MouseState sampleMouse()
{
    VirtualHidBackend::MouseState m;
    m.reportRate = 0x08;
    m.functionType = 0x01;
    m.functionOption1 = 0x40;
    m.functionOption2 = 0x02;
    m.ledInstruct[2] = QByteArray::fromHex("090807");
    m.dpiStage = 3;
    m.effect = 3;
    m.effectOption1 = 5;
    m.effectOption2 = 1;
    m.stageColors[2] = pattern(4, 2);
    m.stageColors[1] = pattern(24, 1);
    m.dpiMaxStage = 5;
    m.dpiSet = pattern(8, 11);
    m.keyMatrices[1] = pattern(64, 12);
    m.macros[5] = pattern(128, 13);
    return m;
}
} // namespace

class tst_MouseCommands : public QObject
{
    Q_OBJECT

private slots:
    void setCommands_data()
    {
        using DeviceTesting::addWriteRow;
        DeviceTesting::addWriteColumns();
        addWriteRow("01H", "0001040000000000fa", {}, 0, true, false, false);
        addWriteRow("03H function", "0003010440020000b5", {}, 0, true, true, true);
        addWriteRow("03H start", "0003010f8a4d000015", {}, 0, false, false, true);
        addWriteRow("04H", "0004010203040500ec", {}, 0, true, false, false);
        addWriteRow("07H", "0007020908070000de", {}, 0, false, true, false);
        addWriteRow("0BH", "000b020000000000f2", {}, 0, true, true, false);
        addWriteRow("0DH", "000d030501000000e9", {}, 0, true, false, false);
        addWriteRow("0EH", "000e070900000000e1", {}, 0, true, false, false);
        addWriteRow("10H type 2", "0010020400000000e9", pattern(4, 2), 1, true, false, false);
        addWriteRow("10H type 1", "0010011800000000d6", pattern(24, 1), 1, true, false, false);
        addWriteRow("11H", "0011060800000000e0", pattern(8, 11), 1, true, false, false);
        addWriteRow("12H buttons", "0012014008000000a4", pattern(64, 12), 2, true, false, false);
        addWriteRow("12H gun", "0012034008000000a2", pattern(64, 3), 2, true, false, false);
        addWriteRow("13H", "001305800000000067", pattern(128, 13), 4, true, false, false);
    }
    void setCommands()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        DeviceTesting::verifyWriteRow(link, *device, runSet);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(device->mouseCounters().startCommands,
            QLatin1String(QTest::currentDataTag()) == "03H start" ? 1 : 0);
    }

    void setCommandsReachTheDevice()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        for (const char *command : {"01H", "03H function", "04H", "07H", "0BH", "0DH", "0EH"})
            runSet(link, command, {});
        runSet(link, "10H type 2", pattern(4, 2));
        runSet(link, "10H type 1", pattern(24, 1));
        runSet(link, "11H", pattern(8, 11));
        runSet(link, "12H buttons", pattern(64, 12));
        runSet(link, "12H gun", pattern(64, 3));
        runSet(link, "13H", pattern(128, 13));
        link.waitForPoolTransfer();

        const auto m = device->mouse();
        QCOMPARE(m.reportRate, uchar(4)); // 03H carries the rate after 01H
        QCOMPARE(m.functionType, uchar(1));
        QCOMPARE(m.functionOption1, uchar(0x40));
        QVERIFY(m.wheelSwapped());
        QCOMPARE(m.functionOption2, uchar(2));
        QCOMPARE(m.gunData, QByteArray::fromHex("0102030405"));
        QCOMPARE(m.ledInstruct.value(2), QByteArray::fromHex("090807"));
        QCOMPARE(m.dpiStage, uchar(2));
        QCOMPARE(m.effect, uchar(3));
        QCOMPARE(m.effectOption1, uchar(5));
        QCOMPARE(m.effectOption2, uchar(1));
        QCOMPARE(m.xSensitivity, uchar(7));
        QCOMPARE(m.ySensitivity, uchar(9));
        QCOMPARE(m.stageColors.value(2), pattern(4, 2));
        QCOMPARE(m.stageColors.value(1), pattern(24, 1));
        QCOMPARE(m.dpiMaxStage, uchar(6));
        QCOMPARE(m.dpiSet, pattern(8, 11));
        QCOMPARE(m.keyMatrices.value(1), pattern(64, 12));
        QCOMPARE(m.keyMatrices.value(3), pattern(64, 3));
        QCOMPARE(m.macros.value(5), pattern(128, 13));
    }

    void getters_data()
    {
        using DeviceTesting::addReadRow;
        // absent: what the caller gets when the transfer fails (presets and copy rules).
        DeviceTesting::addReadColumns();
        addReadRow("00H", "000011223344000055", 0, "11223344", "00000000");
        addReadRow("80H", "00800000000000007f", 0, "1.0A", "unknown");
        addReadRow("81H", "00810000000000007e", 0, "08", "33");
        addReadRow("83H", "00830000000000007c", 0, "014002", "000000");
        addReadRow("87H", "008702000000000076", 0, "ok 090807", "failed 333333");
        addReadRow("8BH", "008b00000000000074", 0, "03", "00");
        addReadRow("8DH", "008d00000000000072", 0, "030501", "000000");
        addReadRow("90H type 2", "00900200000000006d", 1, tail(4, pattern(4, 2)), tail(0, {}));
        addReadRow("90H type 1", "00900100000000006e", 1, tail(24, pattern(24, 1)), tail(0, {}));
        addReadRow("91H", "00910000000000006e", 1, "ok 05 " + tail(8, pattern(8, 11)),
            "failed 33 " + tail(0, {}));
        addReadRow("92H", "00920100000000006c", 2, tail(64, pattern(64, 12)), tail(0, {}));
        addReadRow("93H", "009305000000000067", 4, tail(128, pattern(128, 13)), tail(0, {}));
    }
    void getters()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setMouse(sampleMouse());
        DeviceTesting::verifyReadRow(link, *device, runGet);
    }

    void bulkReadFailureLeavesTheCallersBlock_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("read fails") << int(Fault::BulkReadFails);
        QTest::newRow("read never answers") << int(Fault::ReadNeverAnswers);
    }
    void bulkReadFailureLeavesTheCallersBlock()
    {
        QFETCH(int, fault);
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setMouse(sampleMouse());
        device->setFault(Fault(fault));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runGet(link, "91H"), "failed 33 " + tail(0, {}));
        QCOMPARE(runGet(link, "92H"), tail(0, {}));
        QVERIFY(link.isLinkFree());
        // Two reads bounded at one second each, never more.
        QVERIFY(clock.elapsed() < 2 * Hid_Thread::readTimeoutMs + 1000);
        if (Fault(fault) == Fault::ReadNeverAnswers)
            QVERIFY(clock.elapsed() >= 2 * Hid_Thread::readTimeoutMs);
    }

    void firmwareVersionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.0A") << 0x01 << 0x0A << "1.0A";
        QTest::newRow("no leading zero, lower case") << 0x2b << 0x03 << "2b.03";
        QTest::newRow("zero") << 0x00 << 0x00 << "0.00";
        QTest::newRow("upper") << 0xff << 0xfe << "ff.FE";
    }
    void firmwareVersionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, text);
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Mouse);
        device->setFirmwareVersion(uchar(major), uchar(minor));
        QCOMPARE(runGet(link, "80H"), text);
    }

    void noDeviceFailsAtOnce()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::None);
        QElapsedTimer clock;
        clock.start();
        for (const char *command : {"01H", "03H function", "04H", "07H", "0BH", "0DH", "0EH"})
            runSet(link, command, {});
        runSet(link, "13H", pattern(128, 1));
        link.waitForPoolTransfer();
        QVERIFY(link.isLinkFree());
        // Only the 8 ms sleep after 03H remains; no pause, no report.
        QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(device->calls().isEmpty());
        QCOMPARE(runGet(link, "8BH"), "00");
        QCOMPARE(runGet(link, "81H"), "33");
    }
};

QTEST_GUILESS_MAIN(tst_MouseCommands)
#include "tst_mousecommands.moc"
