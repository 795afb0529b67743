#include <QTest>

#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;
using Op = VirtualHidBackend::Operation;

namespace {
using DeviceTesting::bytes;
using DeviceTesting::pattern;
constexpr Attached Mouse = Attached::Mouse;
constexpr Attached Keyboard = Attached::Keyboard;

void runSet(Hid_Thread &link, Attached device, const QString &command, QByteArray block)
{
    block.resize(512, '\0');
    if (device == Mouse) {
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
            QFAIL(qPrintable("unknown mouse command " + command));
        return;
    }
    if (command == "01H")
        link.hid_01H_SetReportRate(2);
    else if (command == "02H")
        link.hid_02H_SetCurrentProfile(3);
    else if (command == "03H options")
        link.hid_03H_SetKeyboardoption(1, 2, 3, 4);
    else if (command == "04H")
        link.hid_04H_SetGunData(1, 2, 3, 4, 5);
    else if (command == "07H")
        link.hid_07H_SetControlIndicatorLight(2, 5);
    else if (command == "08H")
        link.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6);
    else if (command == "09H")
        link.hid_09H_SetKeyboardMode(2);
    else if (command == "0DH")
        link.hid_0DH_SetKeyMatrix(bytes(block));
    else if (command == "0EH on/off")
        link.hid_0EH_SetKeyOnOff(bytes(block));
    else if (command == "0EH xy")
        link.hid_0EH_SetXYSensitive(7, 9);
    else if (command == "11H")
        link.hid_11H_SetMacroKey(4, bytes(block));
    else if (command == "12H")
        link.hid_12H_SetUserPicture(2, 7, bytes(block));
    else if (command == "13H")
        link.hid_13H_SetRecoveryData();
    else if (command == "14H")
        link.hid_14H_SetColor(3, 0x10, 0x20, 0x30);
    else
        QFAIL(qPrintable("unknown keyboard command " + command));
}

QString hex(std::initializer_list<uchar> bytes)
{
    QByteArray array;
    for (uchar byte : bytes)
        array.append(char(byte));
    return QString::fromLatin1(array.toHex());
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

// The getters' block: as long as the largest answer of the device.
int presetLength(Attached device)
{
    return device == Mouse ? 128 : 512;
}

// Runs one getter with outputs preset to 0x33 and describes what it handed back.
QString runGet(Hid_Thread &link, Attached device, const QString &command)
{
    uchar a = 0x33, b = 0x33, c = 0x33, d = 0x33, e = 0x33;
    QByteArray block(presetLength(device), char(0x33));
    if (device == Mouse) {
        if (command == "00H") {
            uchar code[] = {0x11, 0x22, 0x33, 0x44};
            link.hid_00H_GetSecrecyCode(code[0], code[1], code[2], code[3]);
            return hex({code[0], code[1], code[2], code[3]});
        }
        if (command == "80H") {
            QString version = "preset";
            link.hid_80H_GetFWVersion(version);
            return version;
        }
        if (command == "81H") {
            link.hid_81H_GetReportRate(a);
            return hex({a});
        }
        if (command == "83H") {
            link.hid_83H_GetFunctionOption(a, b, c);
            return hex({a, b, c});
        }
        if (command == "87H") {
            const bool ok = link.hid_87H_GetLEDInstructFunction(2, a, b, c);
            return QString(ok ? "ok " : "failed ") + hex({a, b, c});
        }
        if (command == "8BH") {
            link.hid_8BH_GetCurrentDPIStage(a);
            return hex({a});
        }
        if (command == "8DH") {
            link.hid_8DH_GetRGBLedEffect(a, b, c);
            return hex({a, b, c});
        }
        if (command == "91H") {
            const bool ok = link.hid_91H_GetDPISet(a, bytes(block));
            return QString(ok ? "ok " : "failed ") + hex({a}) + ' ' + hex(block);
        }
        if (command == "90H type 2")
            link.hid_90H_GetLED8StageColor(2, bytes(block));
        else if (command == "90H type 1")
            link.hid_90H_GetLED8StageColor(1, bytes(block));
        else if (command == "92H")
            link.hid_92H_GetKeyMatrix(bytes(block));
        else if (command == "93H")
            link.hid_93H_GetMacroKey(5, bytes(block));
        else
            return "unknown mouse command " + command;
        return hex(block);
    }
    if (command == "82H") {
        link.hid_82H_GetCurrentProfile(a);
        return hex({a});
    }
    if (command == "83H") {
        link.hid_83H_GetKeyboardoption(a, b, c, d);
        return hex({a, b, c, d});
    }
    if (command == "84H") {
        link.hid_84H_GetButtonSensitivity(a, b, c, d);
        return hex({a, b, c, d});
    }
    if (command == "88H") {
        link.hid_88H_GetLEDType(a, b, c, d, e);
        return hex({a, b, c, d, e});
    }
    if (command == "89H") {
        link.hid_89H_GetKeyboardMode(a);
        return hex({a});
    }
    if (command == "94H") {
        link.hid_94H_GetColor(3, a, b, c);
        return hex({a, b, c});
    }
    if (command == "8DH")
        link.hid_8DH_GetKeyMatrix(bytes(block));
    else if (command == "8EH")
        link.hid_8EH_GetKeyOnOff(bytes(block));
    else if (command == "91H")
        link.hid_91H_GetMacroKey(4, bytes(block));
    else if (command == "92H")
        link.hid_92H_GetUserPicture(2, bytes(block));
    else
        return "unknown keyboard command " + command;
    return hex(block);
}

// What the device holds of the state a set command writes.
QString held(const VirtualHidBackend &device, const QString &command)
{
    if (device.attached() == Mouse) {
        const auto m = device.mouse();
        if (command == "01H")
            return hex({m.reportRate});
        if (command.startsWith("03H"))
            return hex({m.functionType, m.reportRate, m.functionOption1, m.functionOption2});
        if (command == "04H")
            return hex(m.gunData);
        if (command == "07H")
            return hex(m.ledInstruct.value(2));
        if (command == "0BH")
            return hex({m.dpiStage});
        if (command == "0DH")
            return hex({m.effect, m.effectOption1, m.effectOption2});
        if (command == "0EH")
            return hex({m.xSensitivity, m.ySensitivity});
        if (command == "10H type 2")
            return hex(m.stageColors.value(2));
        if (command == "10H type 1")
            return hex(m.stageColors.value(1));
        if (command == "11H")
            return hex({m.dpiMaxStage}) + ' ' + hex(m.dpiSet);
        if (command == "12H buttons")
            return hex(m.keyMatrices.value(1));
        if (command == "12H gun")
            return hex(m.keyMatrices.value(3));
        if (command == "13H")
            return hex(m.macros.value(5));
        return "unknown mouse command " + command;
    }
    const auto k = device.keyboard();
    if (command == "01H")
        return hex({k.reportRate});
    if (command == "02H")
        return hex({k.profile});
    if (command == "03H options")
        return hex(k.options);
    if (command == "04H")
        return hex(k.gunData);
    if (command == "07H")
        return hex({k.indicatorEffect, k.indicatorFrequency});
    if (command == "08H")
        return hex(k.ledType);
    if (command == "09H")
        return hex({k.mode});
    if (command == "0DH")
        return hex(k.keyMatrix);
    if (command == "0EH on/off")
        return hex(k.keyOnOff);
    if (command == "0EH xy")
        return hex({k.xSensitivity, k.ySensitivity});
    if (command == "11H")
        return hex(k.macros.value(4));
    if (command == "12H")
        return hex({k.pictureOptions.value(2)}) + ' ' + hex(k.pictures.value(2));
    if (command == "13H")
        return QStringLiteral("recoveries %1 mode %2 macros %3")
            .arg(k.recoveries)
            .arg(k.mode)
            .arg(k.macros.size());
    if (command == "14H")
        return hex(k.colors.value(3));
    return "unknown keyboard command " + command;
}

QString tail(Attached device, int filled, const QByteArray &bytes)
{
    return hex(bytes + QByteArray(presetLength(device) - filled, char(0x33)));
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

VirtualHidBackend::KeyboardState sampleKeyboard()
{
    VirtualHidBackend::KeyboardState k;
    k.profile = 2;
    k.options = QByteArray::fromHex("0a0b0c0d");
    k.buttonSensitivity = QByteArray::fromHex("01020304");
    k.ledType = QByteArray::fromHex("0102030405ff");
    k.mode = 4;
    k.keyMatrix = pattern(512, 1);
    k.keyOnOff = pattern(21, 2);
    k.macros[4] = pattern(192, 3);
    k.pictures[2] = pattern(512, 4);
    k.colors[3] = QByteArray::fromHex("102030");
    return k;
}

std::shared_ptr<VirtualHidBackend> attachSample(Hid_Thread &link, Attached attached)
{
    auto device = DeviceTesting::attachVirtual(link, attached);
    if (attached == Mouse)
        device->setMouse(sampleMouse());
    else
        device->setKeyboard(sampleKeyboard());
    return device;
}
} // namespace

// The set commands and getters of both devices, each row on a link to its own virtual device.
class tst_Commands : public QObject
{
    Q_OBJECT

private slots:
    void setCommands_data()
    {
        using DeviceTesting::addWriteRow;
        // held: what the device stores afterwards; fromSample: it starts with stored data.
        DeviceTesting::addWriteColumns();
        QTest::addColumn<QString>("held");
        QTest::addColumn<bool>("fromSample");
        addWriteRow(Mouse, "01H", "0001040000000000fa", {}, 0, true, false, false) << "04" << false;
        addWriteRow(Mouse, "03H function", "0003010440020000b5", {}, 0, true, true, true)
            << "01044002" << false;
        // The start command is the device's cue to answer, not a function setting.
        addWriteRow(Mouse, "03H start", "0003010f8a4d000015", {}, 0, false, false, true)
            << "00010000" << false;
        addWriteRow(Mouse, "04H", "0004010203040500ec", {}, 0, true, false, false)
            << "0102030405" << false;
        addWriteRow(Mouse, "07H", "0007020908070000de", {}, 0, false, true, false)
            << "090807" << false;
        addWriteRow(Mouse, "0BH", "000b020000000000f2", {}, 0, true, true, false) << "02" << false;
        addWriteRow(Mouse, "0DH", "000d030501000000e9", {}, 0, true, false, false)
            << "030501" << false;
        addWriteRow(Mouse, "0EH", "000e070900000000e1", {}, 0, true, false, false)
            << "0709" << false;
        addWriteRow(Mouse, "10H type 2", "0010020400000000e9", pattern(4, 2), 1, true, false, false)
            << hex(pattern(4, 2)) << false;
        addWriteRow(
            Mouse, "10H type 1", "0010011800000000d6", pattern(24, 1), 1, true, false, false)
            << hex(pattern(24, 1)) << false;
        // The stage count goes out in the frame; the sample device holds 5 stages before.
        addWriteRow(Mouse, "11H", "0011060800000000e0", pattern(8, 21), 1, true, false, false)
            << "06 " + hex(pattern(8, 21)) << true;
        addWriteRow(
            Mouse, "12H buttons", "0012014008000000a4", pattern(64, 12), 2, true, false, false)
            << hex(pattern(64, 12)) << false;
        addWriteRow(Mouse, "12H gun", "0012034008000000a2", pattern(64, 3), 2, true, false, false)
            << hex(pattern(64, 3)) << false;
        addWriteRow(Mouse, "13H", "001305800000000067", pattern(128, 13), 4, true, false, false)
            << hex(pattern(128, 13)) << false;

        addWriteRow(Keyboard, "01H", "0001020000000000fc", {}, 0, true, false, false)
            << "02" << false;
        addWriteRow(Keyboard, "02H", "0002030000000000fa", {}, 0, false, false, true)
            << "03" << false;
        addWriteRow(Keyboard, "03H options", "0003010203040000f2", {}, 0, false, false, true)
            << "01020304" << false;
        addWriteRow(Keyboard, "04H", "0004010203040500ec", {}, 0, true, false, false)
            << "0102030405" << false;
        addWriteRow(Keyboard, "07H", "0007020500000000f1", {}, 0, false, true, true)
            << "0205" << false;
        addWriteRow(Keyboard, "08H", "0008010203040506e2", {}, 0, true, true, false)
            << "010203040506" << false;
        addWriteRow(Keyboard, "09H", "0009020000000000f4", {}, 0, true, true, false)
            << "02" << false;
        addWriteRow(Keyboard, "0DH", "000d000008000000ea", pattern(512, 1), 8, true, true, false)
            << hex(pattern(512, 1)) << false;
        addWriteRow(
            Keyboard, "0EH on/off", "000e000015000000dc", pattern(21, 2), 1, true, true, false)
            << hex(pattern(21, 2)) << false;
        addWriteRow(Keyboard, "0EH xy", "000e070900000000e1", {}, 0, true, false, false)
            << "0709" << false;
        addWriteRow(Keyboard, "11H", "0011000403000000e7", pattern(192, 3), 3, true, true, false)
            << hex(pattern(192, 3)) << false;
        addWriteRow(Keyboard, "12H", "0012000208070000dc", pattern(512, 4), 8, true, true, false)
            << "07 " + hex(pattern(512, 4)) << false;
        // Recovery sets the keyboard back: its mode and macros go.
        addWriteRow(Keyboard, "13H", "0013ff0000000000ed", {}, 0, false, true, true)
            << "recoveries 1 mode 0 macros 0" << true;
        addWriteRow(Keyboard, "14H", "001400031020300088", {}, 0, false, true, true)
            << "102030" << false;
    }
    void setCommands()
    {
        QFETCH(Attached, device);
        QFETCH(QString, command);
        QFETCH(QString, held);
        QFETCH(bool, fromSample);
        Hid_Thread link;
        auto virtualDevice
            = fromSample ? attachSample(link, device) : DeviceTesting::attachVirtual(link, device);
        QCOMPARE(link.devices().at(link.currentDeviceId()).type, device == Mouse ? 1 : 0);
        // Each row's command changes what the device holds, but the start command.
        QVERIFY((::held(*virtualDevice, command) == held) == (command == "03H start"));
        DeviceTesting::verifyWriteRow(
            link, *virtualDevice, [device](Hid_Thread &l, const QString &c, const QByteArray &b) {
                runSet(l, device, c, b);
            });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(::held(*virtualDevice, command), held);
        QCOMPARE(DeviceTesting::countersOf(*virtualDevice).startCommands,
            command == "03H start" ? 1 : 0);
    }

    void blockOfTheWholeDataAreaToA32ByteDevice()
    {
        Hid_Thread link;
        DeviceRecord narrow = DeviceTesting::keyboardRecord();
        narrow.reportLength = 32;
        auto device = DeviceTesting::attachVirtual(link, Keyboard, {narrow});
        runSet(link, Keyboard, "0DH", pattern(512, 9));
        link.waitForPoolTransfer();
        const auto calls = device->calls();
        QCOMPARE(DeviceTesting::checkWrite(calls, QByteArray::fromHex("000d000008000000ea"), 16, 32,
                     pattern(512, 9), true),
            QString());
        const auto reports = device->calls(Op::Out);
        QCOMPARE(reports.size(), 16);
        for (const auto &report : reports)
            QCOMPARE(report.bytes.size(), 33);
        QCOMPARE(device->keyboard().keyMatrix, pattern(512, 9));
    }

    void getters_data()
    {
        using DeviceTesting::addReadRow;
        // absent: what the caller gets when the transfer fails (presets and copy rules).
        DeviceTesting::addReadColumns();
        addReadRow(Mouse, "00H", "000011223344000055", 0, "11223344", "00000000");
        addReadRow(Mouse, "80H", "00800000000000007f", 0, "1.0A", "unknown");
        addReadRow(Mouse, "81H", "00810000000000007e", 0, "08", "33");
        addReadRow(Mouse, "83H", "00830000000000007c", 0, "014002", "000000");
        addReadRow(Mouse, "87H", "008702000000000076", 0, "ok 090807", "failed 333333");
        addReadRow(Mouse, "8BH", "008b00000000000074", 0, "03", "00");
        addReadRow(Mouse, "8DH", "008d00000000000072", 0, "030501", "000000");
        addReadRow(Mouse, "90H type 2", "00900200000000006d", 1, tail(Mouse, 4, pattern(4, 2)),
            tail(Mouse, 0, {}));
        addReadRow(Mouse, "90H type 1", "00900100000000006e", 1, tail(Mouse, 24, pattern(24, 1)),
            tail(Mouse, 0, {}));
        addReadRow(Mouse, "91H", "00910000000000006e", 1, "ok 05 " + tail(Mouse, 8, pattern(8, 11)),
            "failed 33 " + tail(Mouse, 0, {}));
        addReadRow(Mouse, "92H", "00920100000000006c", 2, tail(Mouse, 64, pattern(64, 12)),
            tail(Mouse, 0, {}));
        addReadRow(Mouse, "93H", "009305000000000067", 4, tail(Mouse, 128, pattern(128, 13)),
            tail(Mouse, 0, {}));

        addReadRow(Keyboard, "82H", "00820000000000007d", 0, "02", "33");
        addReadRow(Keyboard, "83H", "00830000000000007c", 0, "0a0b0c0d", "33333333");
        addReadRow(Keyboard, "84H", "00840000000000007b", 0, "01020304", "33333333");
        addReadRow(Keyboard, "88H", "008800000000000077", 0, "02030405ff", "3333333333");
        addReadRow(Keyboard, "89H", "008900000000000076", 0, "04", "33");
        addReadRow(Keyboard, "94H", "009400030000000068", 0, "102030", "333333");
        // 8DH goes out without a checksum.
        addReadRow(Keyboard, "8DH", "008d00000000000000", 8, tail(Keyboard, 512, pattern(512, 1)),
            tail(Keyboard, 0, {}));
        addReadRow(Keyboard, "8EH", "008e00000000000071", 1, tail(Keyboard, 21, pattern(21, 2)),
            tail(Keyboard, 0, {}));
        addReadRow(Keyboard, "91H", "00910004000000006a", 3, tail(Keyboard, 192, pattern(192, 3)),
            tail(Keyboard, 0, {}));
        addReadRow(Keyboard, "92H", "00920002000000006b", 8, tail(Keyboard, 512, pattern(512, 4)),
            tail(Keyboard, 0, {}));
    }
    void getters()
    {
        QFETCH(Attached, device);
        Hid_Thread link;
        auto virtualDevice = attachSample(link, device);
        DeviceTesting::verifyReadRow(link, *virtualDevice,
            [device](Hid_Thread &l, const QString &command) { return runGet(l, device, command); });
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
        auto device = attachSample(link, Mouse);
        device->setFault(Fault(fault));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runGet(link, Mouse, "91H"), "failed 33 " + tail(Mouse, 0, {}));
        QCOMPARE(runGet(link, Mouse, "92H"), tail(Mouse, 0, {}));
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
        auto device = DeviceTesting::attachVirtual(link, Mouse);
        device->setFirmwareVersion(uchar(major), uchar(minor));
        QCOMPARE(runGet(link, Mouse, "80H"), text);
    }

    void noDeviceFailsAtOnce()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::None);
        QElapsedTimer clock;
        clock.start();
        for (const char *command : {"01H", "03H function", "04H", "07H", "0BH", "0DH", "0EH"})
            runSet(link, Mouse, command, {});
        runSet(link, Mouse, "13H", pattern(128, 1));
        link.waitForPoolTransfer();
        QVERIFY(link.isLinkFree());
        // Only the 8 ms sleep after 03H remains; no pause, no report.
        QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(device->calls().isEmpty());
        QCOMPARE(runGet(link, Mouse, "8BH"), "00");
        QCOMPARE(runGet(link, Mouse, "81H"), "33");
    }

    void echoPresetFramesTheAnswer()
    {
        // The answer buffer preset is what a failed read hands back; it shows in the outputs.
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Keyboard);
        device->setFault(Fault::FeatureInFails);
        uchar r = 1, g = 2, b = 3;
        link.hid_94H_GetColor(9, r, g, b);
        QCOMPARE(hex({r, g, b}), QString("010203"));
        uchar effect = 5, speed = 6, light = 7, color = 8, direction = 9;
        link.hid_88H_GetLEDType(effect, speed, light, color, direction);
        QCOMPARE(hex({effect, speed, light, color, direction}), QString("0506070809"));
    }
};

QTEST_GUILESS_MAIN(tst_Commands)
#include "tst_commands.moc"
