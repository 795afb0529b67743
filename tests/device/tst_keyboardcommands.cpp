#include <QTest>

#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;
using Op = VirtualHidBackend::Operation;

namespace {
using DeviceTesting::bytes;
using DeviceTesting::pattern;

void runSet(Hid_Thread &link, const QString &command, QByteArray block)
{
    block.resize(512, '\0');
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
        QFAIL(qPrintable("unknown command " + command));
}

QString hex(std::initializer_list<uchar> bytes)
{
    QByteArray array;
    for (uchar byte : bytes)
        array.append(char(byte));
    return QString::fromLatin1(array.toHex());
}

// Runs one getter with outputs preset to 0x33 and describes what it handed back.
QString runGet(Hid_Thread &link, const QString &command)
{
    uchar a = 0x33, b = 0x33, c = 0x33, d = 0x33, e = 0x33;
    QByteArray block(512, char(0x33));
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
        return "unknown command " + command;
    return QString::fromLatin1(block.toHex());
}

QString tail(int filled, const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex() + QByteArray(512 - filled, char(0x33)).toHex());
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
} // namespace

class tst_KeyboardCommands : public QObject
{
    Q_OBJECT

private slots:
    void setCommands_data()
    {
        using DeviceTesting::addWriteRow;
        DeviceTesting::addWriteColumns();
        addWriteRow("01H", "0001020000000000fc", {}, 0, true, false, false);
        addWriteRow("02H", "0002030000000000fa", {}, 0, false, false, true);
        addWriteRow("03H options", "0003010203040000f2", {}, 0, false, false, true);
        addWriteRow("04H", "0004010203040500ec", {}, 0, true, false, false);
        addWriteRow("07H", "0007020500000000f1", {}, 0, false, true, true);
        addWriteRow("08H", "0008010203040506e2", {}, 0, true, true, false);
        addWriteRow("09H", "0009020000000000f4", {}, 0, true, true, false);
        addWriteRow("0DH", "000d000008000000ea", pattern(512, 1), 8, true, true, false);
        addWriteRow("0EH on/off", "000e000015000000dc", pattern(21, 2), 1, true, true, false);
        addWriteRow("0EH xy", "000e070900000000e1", {}, 0, true, false, false);
        addWriteRow("11H", "0011000403000000e7", pattern(192, 3), 3, true, true, false);
        addWriteRow("12H", "0012000208070000dc", pattern(512, 4), 8, true, true, false);
        addWriteRow("13H", "0013ff0000000000ed", {}, 0, false, true, true);
        addWriteRow("14H", "001400031020300088", {}, 0, false, true, true);
    }
    void setCommands()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard);
        QCOMPARE(link.currentDeviceId(), 0);
        DeviceTesting::verifyWriteRow(link, *device, runSet);
    }

    void blockOfTheWholeDataAreaToA32ByteDevice()
    {
        Hid_Thread link;
        DeviceRecord narrow = DeviceTesting::keyboardRecord();
        narrow.reportLength = 32;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard, {narrow});
        runSet(link, "0DH", pattern(512, 9));
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

    void setCommandsReachTheDevice()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard);
        for (const char *command :
            {"01H", "02H", "03H options", "04H", "07H", "08H", "09H", "0EH xy", "14H"})
            runSet(link, command, {});
        runSet(link, "0DH", pattern(512, 1));
        runSet(link, "0EH on/off", pattern(21, 2));
        runSet(link, "11H", pattern(192, 3));
        runSet(link, "12H", pattern(512, 4));
        link.waitForPoolTransfer();
        auto k = device->keyboard();
        QCOMPARE(k.reportRate, uchar(2));
        QCOMPARE(k.profile, uchar(3));
        QCOMPARE(k.options, QByteArray::fromHex("01020304"));
        QCOMPARE(k.gunData, QByteArray::fromHex("0102030405"));
        QCOMPARE(k.indicatorEffect, uchar(2));
        QCOMPARE(k.indicatorFrequency, uchar(5));
        QCOMPARE(k.ledType, QByteArray::fromHex("010203040506"));
        QCOMPARE(k.mode, uchar(2));
        QCOMPARE(k.xSensitivity, uchar(7));
        QCOMPARE(k.ySensitivity, uchar(9));
        QCOMPARE(k.colors.value(3), QByteArray::fromHex("102030"));
        QCOMPARE(k.keyMatrix, pattern(512, 1));
        QCOMPARE(k.keyOnOff, pattern(21, 2));
        QCOMPARE(k.macros.value(4), pattern(192, 3));
        QCOMPARE(k.pictures.value(2), pattern(512, 4));
        QCOMPARE(k.pictureOptions.value(2), uchar(7));

        runSet(link, "13H", {});
        link.waitForPoolTransfer();
        k = device->keyboard();
        QCOMPARE(k.recoveries, 1);
        QCOMPARE(k.mode, uchar(0));
        QVERIFY(k.macros.isEmpty());
    }

    void getters_data()
    {
        using DeviceTesting::addReadRow;
        DeviceTesting::addReadColumns();
        addReadRow("82H", "00820000000000007d", 0, "02", "33");
        addReadRow("83H", "00830000000000007c", 0, "0a0b0c0d", "33333333");
        addReadRow("84H", "00840000000000007b", 0, "01020304", "33333333");
        addReadRow("88H", "008800000000000077", 0, "02030405ff", "3333333333");
        addReadRow("89H", "008900000000000076", 0, "04", "33");
        addReadRow("94H", "009400030000000068", 0, "102030", "333333");
        addReadRow("8DH without checksum", "008d00000000000000", 8, tail(512, pattern(512, 1)),
            tail(0, {}));
        addReadRow("8EH", "008e00000000000071", 1, tail(21, pattern(21, 2)), tail(0, {}));
        addReadRow("91H", "00910004000000006a", 3, tail(192, pattern(192, 3)), tail(0, {}));
        addReadRow("92H", "00920002000000006b", 8, tail(512, pattern(512, 4)), tail(0, {}));
    }
    void getters()
    {
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard);
        device->setKeyboard(sampleKeyboard());
        DeviceTesting::verifyReadRow(link, *device,
            [](Hid_Thread &l, const QString &command) { return runGet(l, command.left(3)); });
    }

    void echoPresetFramesTheAnswer()
    {
        // The answer buffer preset is what a failed read hands back; it shows in the outputs.
        Hid_Thread link;
        auto device = DeviceTesting::attachVirtual(link, Attached::Keyboard);
        device->setFault(Fault::FeatureInFails);
        uchar r = 1, g = 2, b = 3;
        link.hid_94H_GetColor(9, r, g, b);
        QCOMPARE(hex({r, g, b}), QString("010203"));
        uchar effect = 5, speed = 6, light = 7, color = 8, direction = 9;
        link.hid_88H_GetLEDType(effect, speed, light, color, direction);
        QCOMPARE(hex({effect, speed, light, color, direction}), QString("0506070809"));
    }
};

QTEST_GUILESS_MAIN(tst_KeyboardCommands)
#include "tst_keyboardcommands.moc"
