#include <QApplication>
#include <QtTest>

#include "bridge/dialogs.h"
#include "bridge/macroencoder.h"
#include "bridge/myqquickview.h"
#include "support/device_testing.h"
#include "support/workfolder.h"
#include "tst_deviceops_rig.h"

using skelda::test::WorkFolder;
using Attached = VirtualHidBackend::Attached;

namespace {

class RecordingDialogs : public Dialogs
{
public:
    RecordingDialogs() { Dialogs::install(this); }
    ~RecordingDialogs() override { Dialogs::install(nullptr); }
    void warning(const QString &title, const QString &text) override
    {
        warnings.append({title, text});
    }
    QList<QStringList> warnings;
};

QVariantList values(int count, int offset = 0)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list.append(i + offset);
    return list;
}

QByteArray bytesOf(const QVariantList &list, int size)
{
    QByteArray raw(size, '\0');
    for (int i = 0; i < qMin(size, int(list.size())); ++i)
        raw[i] = char(list.at(i).toInt() & 0xFF);
    return raw;
}

void writeMacro(const QStringList &lines, int repeat)
{
    QSettings file("modules/macro/m.bin", QSettings::IniFormat);
    file.setValue("config/total", int(lines.size()));
    file.setValue("config/repeat", repeat);
    for (int i = 0; i < lines.size(); ++i)
        file.setValue(QString("macro/%1").arg(i), lines.at(i));
}

} // namespace

class tst_MacroSend : public QObject
{
    Q_OBJECT

private slots:
    void sendMacroDataPacksOneBlock_data();
    void sendMacroDataPacksOneBlock();
    void indexesAboveElevenSendNothing_data();
    void indexesAboveElevenSendNothing();
    void elementsPast128AreNeverWritten();
    void mouseMacroCarriesTheRepeatCount();
    void tooLongMouseMacroWarnsAndIsCut();
    void keyboardMacroKeepsRepeatOne();
    void tooLongKeyboardMacroUsesTheMessageTexts();
    void missingDeviceStillAnswersTrue();
    void withoutLinkNothingHappens();
    void refusedNamesSendNothing();
};

void tst_MacroSend::sendMacroDataPacksOneBlock_data()
{
    QTest::addColumn<bool>("gun");
    QTest::addColumn<QVariant>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("macroId");
    QTest::newRow("macro 0, five bytes") << false << QVariant(0) << 5 << 1;
    QTest::newRow("gun 11, full block") << true << QVariant(11) << 128 << 12;
    QTest::newRow("index as text") << false << QVariant("4") << 20 << 5;
    QTest::newRow("index cut to 8 bits") << true << QVariant(259) << 3 << 4;
}

void tst_MacroSend::sendMacroDataPacksOneBlock()
{
    QFETCH(bool, gun);
    QFETCH(QVariant, index);
    QFETCH(int, count);
    QFETCH(int, macroId);
    DeviceOpsRig rig(Attached::Mouse);
    const QVariantList data = values(count, 0x70);
    const QVariant result
        = gun ? rig.view->sendGunData(data, index) : rig.view->sendMacroData(data, index);
    rig.link.waitForPoolTransfer();
    QCOMPARE(result, QVariant(true));
    const QByteArray block = bytesOf(data, 128);
    QCOMPARE(DeviceTesting::checkWrite(rig.device->calls(),
                 frame(QByteArray::fromHex("13") + char(macroId) + char(0x80)), 4, 32, block, true),
        QString());
    QCOMPARE(rig.device->mouse().macros.value(uchar(macroId)).toHex(' '), block.toHex(' '));
}

void tst_MacroSend::indexesAboveElevenSendNothing_data()
{
    QTest::addColumn<QVariant>("index");
    QTest::newRow("12") << QVariant(12);
    QTest::newRow("255") << QVariant(255);
    QTest::newRow("-1") << QVariant(-1);
}

void tst_MacroSend::indexesAboveElevenSendNothing()
{
    QFETCH(QVariant, index);
    DeviceOpsRig rig(Attached::Mouse);
    QCOMPARE(rig.view->sendMacroData(values(5), index), QVariant(true));
    QCOMPARE(rig.view->sendGunData(values(5), index), QVariant(true));
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
}

void tst_MacroSend::elementsPast128AreNeverWritten()
{
    DeviceOpsRig rig(Attached::Mouse);
    const QVariantList data = values(1000, 1);
    QCOMPARE(rig.view->sendMacroData(data, 2), QVariant(true));
    rig.link.waitForPoolTransfer();
    QCOMPARE(DeviceTesting::checkWrite(rig.device->calls(), frame(QByteArray::fromHex("130380")), 4,
                 32, bytesOf(data, 128), true),
        QString());
}

void tst_MacroSend::mouseMacroCarriesTheRepeatCount()
{
    DeviceOpsRig rig(Attached::Mouse);
    RecordingDialogs dialogs;
    writeMacro(
        {"A" + MacroEncoder::downTag, "50" + MacroEncoder::delayTag, "A" + MacroEncoder::upTag},
        300);
    rig.view->ui_13H_SetMacroKey(3, "m");
    rig.link.waitForPoolTransfer();
    QByteArray block = QByteArray::fromHex("012c0504810400 00");
    block.resize(128, '\0');
    QCOMPARE(DeviceTesting::checkWrite(
                 rig.device->calls(), frame(QByteArray::fromHex("130380")), 4, 32, block, true),
        QString());
    QVERIFY(dialogs.warnings.isEmpty());
}

void tst_MacroSend::tooLongMouseMacroWarnsAndIsCut()
{
    DeviceOpsRig rig(Attached::Mouse);
    RecordingDialogs dialogs;
    QStringList lines;
    for (int i = 0; i < 70; ++i)
        lines << QString(QChar('A' + i % 26)) + MacroEncoder::downTag;
    writeMacro(lines, 2);
    rig.view->ui_13H_SetMacroKey(QString("1"), "m");
    rig.link.waitForPoolTransfer();
    QCOMPARE(dialogs.warnings.size(), 1);
    QCOMPARE(dialogs.warnings.at(0),
        (QStringList {"MACRO", "Out of memory,\nsome command line has been cut."}));
    QByteArray block("\x00\x02", 2);
    for (int i = 0; i < 63; ++i)
        block.append(char(0x01)).append(char(0x04 + i % 26));
    QCOMPARE(block.size(), 128);
    QCOMPARE(DeviceTesting::checkWrite(
                 rig.device->calls(), frame(QByteArray::fromHex("130180")), 4, 32, block, true),
        QString());
}

void tst_MacroSend::keyboardMacroKeepsRepeatOne()
{
    DeviceOpsRig rig(Attached::Keyboard);
    RecordingDialogs dialogs;
    QCOMPARE(rig.view->connectedDeviceId(), 0);
    writeMacro({"Esc" + MacroEncoder::downTag, "3000" + MacroEncoder::delayTag}, 9);
    rig.view->ui_11H_SetMacroKey(2, "m");
    rig.link.waitForPoolTransfer();
    QByteArray block = QByteArray::fromHex("000101297f00012c0000");
    block.resize(192, '\0');
    QCOMPARE(DeviceTesting::checkWrite(
                 rig.device->calls(), frame(QByteArray::fromHex("11000203")), 3, 64, block, true),
        QString());
    QCOMPARE(rig.device->keyboard().macros.value(2).toHex(' '), block.toHex(' '));
    QVERIFY(dialogs.warnings.isEmpty());
}

void tst_MacroSend::tooLongKeyboardMacroUsesTheMessageTexts()
{
    DeviceOpsRig rig(Attached::Keyboard);
    RecordingDialogs dialogs;
    rig.view->setMessageTexts({"Title %1", "Body"});
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << "Z" + MacroEncoder::upTag;
    writeMacro(lines, 4);
    rig.view->ui_11H_SetMacroKey(1, "m");
    rig.link.waitForPoolTransfer();
    QCOMPARE(dialogs.warnings, (QList<QStringList> {{"Title %1", "Body"}}));
    QByteArray block("\x00\x01", 2);
    for (int i = 0; i < 95; ++i)
        block.append(char(0x81)).append(char(0x1D));
    QCOMPARE(DeviceTesting::checkWrite(
                 rig.device->calls(), frame(QByteArray::fromHex("11000103")), 3, 64, block, true),
        QString());

    rig.view->setMessageTexts({});
    rig.view->ui_11H_SetMacroKey(1, "m");
    rig.link.waitForPoolTransfer();
    QCOMPARE(dialogs.warnings.last(), (QStringList {QString(), QString()}));
}

void tst_MacroSend::missingDeviceStillAnswersTrue()
{
    DeviceOpsRig rig(Attached::Mouse);
    rig.device->setFault(VirtualHidBackend::Fault::Unplugged);
    QCOMPARE(rig.view->sendMacroData(values(4), 0), QVariant(true));
    writeMacro({"A" + MacroEncoder::downTag}, 1);
    rig.view->ui_13H_SetMacroKey(1, "m");
    rig.link.waitForPoolTransfer();
    QVERIFY(!rig.device->mouse().macros.contains(1));
}

void tst_MacroSend::withoutLinkNothingHappens()
{
    WorkFolder folder;
    RecordingDialogs dialogs;
    myQQuickView view;
    QCOMPARE(view.sendMacroData(values(4), 0), QVariant(true));
    QCOMPARE(view.sendGunData(values(4), 0), QVariant(true));
    writeMacro({"A" + MacroEncoder::downTag, "50" + MacroEncoder::delayTag}, 1);
    view.ui_13H_SetMacroKey(1, "m");
    view.ui_11H_SetMacroKey(1, "m");
    // Without a link no device is known, so its delays are left out.
    const QList<uchar> encoded
        = view.macroIncode({"A" + MacroEncoder::downTag, "50" + MacroEncoder::delayTag});
    QCOMPARE(encoded, (QList<uchar> {0x00, 0x01, 0x01, 0x04, 0x00, 0x00}));
    QVERIFY(dialogs.warnings.isEmpty());
}

void tst_MacroSend::refusedNamesSendNothing()
{
    DeviceOpsRig rig(Attached::Mouse);
    rig.view->ui_13H_SetMacroKey(1, "../m");
    rig.view->ui_13H_SetMacroKey(1, "");
    rig.view->ui_11H_SetMacroKey(1, "a/b");
    rig.link.waitForPoolTransfer();
    QVERIFY(rig.device->calls().isEmpty());
}

QTEST_MAIN(tst_MacroSend)
#include "tst_macrosend.moc"
