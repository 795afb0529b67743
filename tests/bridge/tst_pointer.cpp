#include <QApplication>
#include <QtTest>

#include <memory>

#include "bridge/myqquickview.h"
#include "bridge/systempointer.h"
#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/virtualhidbackend.h"
#include "store/profiles.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

namespace {

// Records every request with the arguments it would pass to the system.
class RecordingPointer : public SystemPointer
{
public:
    struct Request
    {
        unsigned action = 0;
        unsigned uiParam = 0;
        QList<int> pvParam; // the array, or the value passed in place of a pointer
    };

    QList<Request> requests;
    MouseArray mouse {6, 10, 1};
    bool failGet = false;
    bool failSet = false;
    QString profileValueAtCall; // what the profile held when the system was asked
    std::function<QString()> probe;

    bool getMouse(MouseArray &values) override
    {
        requests.append({0x0003, 0, {}});
        if (failGet)
            return false;
        values = mouse;
        return true;
    }
    bool setMouse(const MouseArray &values) override
    {
        requests.append({0x0004, 0, {values[0], values[1], values[2]}});
        if (failSet)
            return false;
        mouse = values;
        return true;
    }
    bool setWheelScrollLines(unsigned lines) override { return record(0x0069, lines, {}); }
    bool setDoubleClickTime(unsigned milliseconds) override
    {
        return record(0x0020, milliseconds, {});
    }
    bool setMouseSpeed(unsigned speed) override { return record(0x0071, 0, {int(speed)}); }
    bool hasWheelScrollLines() const override { return wheelLines; }
    bool wheelLines = true;

    QList<unsigned> actions() const
    {
        QList<unsigned> list;
        for (const Request &request : requests)
            list.append(request.action);
        return list;
    }

private:
    bool record(unsigned action, unsigned uiParam, QList<int> pv)
    {
        if (probe)
            profileValueAtCall = probe();
        requests.append({action, uiParam, pv});
        return !failSet;
    }
};

} // namespace

class tst_Pointer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cursorSpeedMapsToSystemSpeed_data();
    void cursorSpeedMapsToSystemSpeed();
    void doubleClickSpeedMapsToMilliseconds_data();
    void doubleClickSpeedMapsToMilliseconds();
    void scrollLinesPassUnchanged_data();
    void scrollLinesPassUnchanged();
    void profileIsWrittenBeforeTheSystemCall();
    void failedSystemCallsKeepTheProfileAndLog_data();
    void failedSystemCallsKeepTheProfileAndLog();
    void gettersReadTheProfileNotTheSystem();
    void accelerationChangesOnlyTheThirdElement_data();
    void accelerationChangesOnlyTheThirdElement();
    void accelerationWithoutReadDoesNotWrite();
    void accelerationWriteFailureIsLogged();
    void getAccelerationReadsTheSystem();
    void scrollSwapFlipsBitSix_data();
    void scrollSwapFlipsBitSix();
    void scrollSwapWithoutLinkKeepsOnlyTheProfile();
    void repeatedStepLeavesTheSystemAlone_data();
    void repeatedStepLeavesTheSystemAlone();
    void profileSwitchAppliesAgain();
    void profileResetAppliesAgain();
    void failedStepIsTriedAgain();
    void startAppliesTheStoredSteps();
    void startSkipsValuesTheProfileLacks();
    void scrollLinesNoteFollowsTheSystem();

private:
    RecordingPointer *pointer = nullptr;
};

void tst_Pointer::init()
{
    auto fake = std::make_unique<RecordingPointer>();
    pointer = fake.get();
    SystemPointer::install(std::move(fake));
}

void tst_Pointer::cleanup()
{
    SystemPointer::install(nullptr);
    pointer = nullptr;
}

void tst_Pointer::cursorSpeedMapsToSystemSpeed_data()
{
    QTest::addColumn<uint>("step");
    QTest::addColumn<int>("speed");
    QTest::newRow("0") << 0u << 1;
    QTest::newRow("1") << 1u << 2;
    QTest::newRow("5") << 5u << 10;
    QTest::newRow("7") << 7u << 14;
    QTest::newRow("10") << 10u << 20;
    QTest::newRow("11") << 11u << 22;
}

void tst_Pointer::cursorSpeedMapsToSystemSpeed()
{
    QFETCH(uint, step);
    QFETCH(int, speed);
    WorkFolder folder;
    myQQuickView view;
    view.setCursorSpeed(step);
    QCOMPARE(pointer->requests.size(), 1);
    QCOMPARE(pointer->requests.at(0).action, 0x0071u);
    QCOMPARE(pointer->requests.at(0).uiParam, 0u);
    QCOMPARE(pointer->requests.at(0).pvParam, QList<int> {speed});
    QCOMPARE(view.getCursorSpeed(), step);
    QVERIFY(folder.readFile("modules/setting/p1.bin")
                .contains("cursorSpeed_Z5=" + QByteArray::number(step) + "\n"));
}

void tst_Pointer::doubleClickSpeedMapsToMilliseconds_data()
{
    QTest::addColumn<uint>("step");
    QTest::addColumn<uint>("ms");
    QTest::newRow("0") << 0u << 900u;
    QTest::newRow("5") << 5u << 550u;
    QTest::newRow("10") << 10u << 200u;
    QTest::newRow("11") << 11u << 130u;
    QTest::newRow("12") << 12u << 60u;
}

void tst_Pointer::doubleClickSpeedMapsToMilliseconds()
{
    QFETCH(uint, step);
    QFETCH(uint, ms);
    WorkFolder folder;
    myQQuickView view;
    view.setDoubleClickSpeed(step);
    QCOMPARE(pointer->requests.size(), 1);
    QCOMPARE(pointer->requests.at(0).action, 0x0020u);
    QCOMPARE(pointer->requests.at(0).uiParam, ms);
    QVERIFY(pointer->requests.at(0).pvParam.isEmpty());
    QCOMPARE(view.getDoubleClickSpeed(), step);
}

void tst_Pointer::scrollLinesPassUnchanged_data()
{
    QTest::addColumn<uint>("lines");
    QTest::newRow("1") << 1u;
    QTest::newRow("3") << 3u;
    QTest::newRow("100") << 100u;
    QTest::newRow("whole page") << 1000u;
}

void tst_Pointer::scrollLinesPassUnchanged()
{
    QFETCH(uint, lines);
    WorkFolder folder;
    myQQuickView view;
    view.setVerticalScrollLines(lines);
    QCOMPARE(pointer->requests.size(), 1);
    QCOMPARE(pointer->requests.at(0).action, 0x0069u);
    QCOMPARE(pointer->requests.at(0).uiParam, lines);
    QVERIFY(pointer->requests.at(0).pvParam.isEmpty());
    QCOMPARE(view.getVerticalScrollLines(), lines);
}

void tst_Pointer::profileIsWrittenBeforeTheSystemCall()
{
    WorkFolder folder;
    myQQuickView view;
    pointer->probe
        = [&folder] { return QString::fromLatin1(folder.readFile("modules/setting/p1.bin")); };
    view.setCursorSpeed(3);
    QVERIFY(pointer->profileValueAtCall.contains("cursorSpeed_Z5=3"));
    view.setVerticalScrollLines(12);
    QVERIFY(pointer->profileValueAtCall.contains("verticalScrollLines_Z5=12"));
    view.setDoubleClickSpeed(4);
    QVERIFY(pointer->profileValueAtCall.contains("doubleClickSpeed_Z5=4"));
}

void tst_Pointer::failedSystemCallsKeepTheProfileAndLog_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("line");
    QTest::newRow("speed") << 0 << "setCursorSpeed Failed";
    QTest::newRow("lines") << 1 << "setVerticalScrollLines Failed";
    QTest::newRow("double") << 2 << "setDoubleClickSpeed Failed";
}

void tst_Pointer::failedSystemCallsKeepTheProfileAndLog()
{
    QFETCH(int, which);
    QFETCH(QString, line);
    WorkFolder folder;
    myQQuickView view;
    pointer->failSet = true;
    QTest::ignoreMessage(QtDebugMsg, qPrintable(line));
    if (which == 0) {
        view.setCursorSpeed(9);
        QCOMPARE(view.getCursorSpeed(), 9u);
    } else if (which == 1) {
        view.setVerticalScrollLines(9);
        QCOMPARE(view.getVerticalScrollLines(), 9u);
    } else {
        view.setDoubleClickSpeed(9);
        QCOMPARE(view.getDoubleClickSpeed(), 9u);
    }
}

void tst_Pointer::gettersReadTheProfileNotTheSystem()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.getCursorSpeed(), 0u);
    QCOMPARE(view.getVerticalScrollLines(), 0u);
    QCOMPARE(view.getDoubleClickSpeed(), 0u);
    QCOMPARE(view.getScrollPinSwap(), false);
    QVERIFY(pointer->requests.isEmpty());
    view.setCursorSpeed(6);
    view.ui_02H_SetCurrentProfile(1);
    QCOMPARE(view.getCursorSpeed(), 0u);
}

void tst_Pointer::accelerationChangesOnlyTheThirdElement_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("off") << false << 1 << 0;
    QTest::newRow("on") << true << 0 << 1;
    QTest::newRow("on again") << true << 2 << 1;
}

void tst_Pointer::accelerationChangesOnlyTheThirdElement()
{
    QFETCH(bool, on);
    QFETCH(int, before);
    QFETCH(int, after);
    WorkFolder folder;
    myQQuickView view;
    pointer->mouse = {6, 10, before};
    view.setAcceleration(on);
    QCOMPARE(pointer->requests.size(), 2);
    QCOMPARE(pointer->requests.at(0).action, 0x0003u);
    QCOMPARE(pointer->requests.at(1).action, 0x0004u);
    QCOMPARE(pointer->requests.at(1).uiParam, 0u);
    QCOMPARE(pointer->requests.at(1).pvParam, (QList<int> {6, 10, after}));
    QVERIFY(!folder.readFile("modules/setting/p1.bin").contains("ccel"));
}

void tst_Pointer::accelerationWithoutReadDoesNotWrite()
{
    WorkFolder folder;
    myQQuickView view;
    pointer->failGet = true;
    QTest::ignoreMessage(QtDebugMsg, "setAcceleration Failed");
    view.setAcceleration(true);
    QCOMPARE(pointer->requests.size(), 1);
    QCOMPARE(pointer->requests.at(0).action, 0x0003u);
}

void tst_Pointer::accelerationWriteFailureIsLogged()
{
    WorkFolder folder;
    myQQuickView view;
    pointer->failSet = true;
    QTest::ignoreMessage(QtDebugMsg, "setAcceleration Failed");
    view.setAcceleration(false);
    QCOMPARE(pointer->requests.size(), 2);
}

void tst_Pointer::getAccelerationReadsTheSystem()
{
    WorkFolder folder;
    myQQuickView view;
    pointer->mouse = {6, 10, 1};
    QCOMPARE(view.getAcceleration(), true);
    pointer->mouse = {6, 10, 0};
    QCOMPARE(view.getAcceleration(), false);
    pointer->mouse = {0, 0, 2};
    QCOMPARE(view.getAcceleration(), true);
    pointer->failGet = true;
    QTest::ignoreMessage(QtDebugMsg, "getAcceleration Failed");
    QCOMPARE(view.getAcceleration(), false);
}

void tst_Pointer::scrollSwapFlipsBitSix_data()
{
    QTest::addColumn<bool>("swap");
    QTest::addColumn<int>("option1");
    QTest::addColumn<int>("sent");
    QTest::newRow("on from 0x81") << true << 0x81 << 0xC1;
    QTest::newRow("off from 0xC1") << false << 0xC1 << 0x81;
    QTest::newRow("on stays on") << true << 0x40 << 0x40;
    QTest::newRow("off from 0xFF") << false << 0xFF << 0xBF;
}

void tst_Pointer::scrollSwapFlipsBitSix()
{
    QFETCH(bool, swap);
    QFETCH(int, option1);
    QFETCH(int, sent);
    WorkFolder folder;
    Hid_Thread link;
    auto device = VirtualHidBackend::installInto(link, VirtualHidBackend::Attached::Mouse);
    QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
    link.enumerateDevices(DeviceTable::readRecords(table, {"keyboard", "mouse"}));
    VirtualHidBackend::MouseState state = device->mouse();
    state.functionType = 0x05;
    state.functionOption1 = uchar(option1);
    state.functionOption2 = 0x33;
    state.reportRate = 0x02;
    device->setMouse(state);
    myQQuickView view;
    view.hid = &link;
    device->clearCalls();
    view.setScrollPinSwap(swap);
    link.waitForPoolTransfer();
    QCOMPARE(view.getScrollPinSwap(), swap);
    QByteArray setCommand;
    for (const auto &call : device->calls(VirtualHidBackend::Operation::FeatureOut)) {
        if (uchar(call.bytes.at(1)) == 0x03)
            setCommand = call.bytes;
    }
    // Type and option 2 come back unchanged, the report rate fills byte 3.
    QCOMPARE(setCommand.mid(0, 8),
        QByteArray::fromHex("00030502") + char(sent) + QByteArray::fromHex("33 00 00"));
    QCOMPARE(int(device->mouse().functionOption1), sent);
    QCOMPARE(int(device->mouse().functionOption2), 0x33);
    QCOMPARE(int(device->mouse().functionType), 0x05);
}

void tst_Pointer::scrollSwapWithoutLinkKeepsOnlyTheProfile()
{
    WorkFolder folder;
    myQQuickView view;
    view.setScrollPinSwap(true);
    QCOMPARE(view.getScrollPinSwap(), true);
    QVERIFY(folder.readFile("modules/setting/p1.bin").contains("scrollswap=true"));
    view.setScrollPinSwap(false);
    QCOMPARE(view.getScrollPinSwap(), false);
}

void tst_Pointer::repeatedStepLeavesTheSystemAlone_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<uint>("action");
    QTest::newRow("speed") << 0 << 0x0071u;
    QTest::newRow("lines") << 1 << 0x0069u;
    QTest::newRow("double") << 2 << 0x0020u;
}

// A value changed meanwhile in the desktop's own settings stays until the user picks
// another one here: the scroll field re-sends its value on every loss of focus.
void tst_Pointer::repeatedStepLeavesTheSystemAlone()
{
    QFETCH(int, which);
    QFETCH(uint, action);
    WorkFolder folder;
    myQQuickView view;
    const auto set = [&](uint value) {
        if (which == 0)
            view.setCursorSpeed(value);
        else if (which == 1)
            view.setVerticalScrollLines(value);
        else
            view.setDoubleClickSpeed(value);
    };
    set(4);
    set(4);
    QCOMPARE(pointer->actions(), QList<unsigned> {action});
    set(7);
    set(4);
    QCOMPARE(pointer->actions(), (QList<unsigned> {action, action, action}));
}

void tst_Pointer::profileSwitchAppliesAgain()
{
    WorkFolder folder;
    myQQuickView view;
    view.setCursorSpeed(4);
    view.ui_02H_SetCurrentProfile(1);
    view.setCursorSpeed(4);
    view.ui_02H_SetCurrentProfile(0);
    view.setCursorSpeed(4);
    QCOMPARE(pointer->requests.size(), 3);
    QCOMPARE(pointer->requests.at(2).pvParam, QList<int> {8});
}

void tst_Pointer::profileResetAppliesAgain()
{
    WorkFolder folder(WorkFolder::ShippedSettings);
    myQQuickView view;
    view.setDoubleClickSpeed(5);
    view.resetProfile(0);
    view.setDoubleClickSpeed(view.getDoubleClickSpeed());
    QCOMPARE(pointer->actions(), (QList<unsigned> {0x0020, 0x0020}));
    QCOMPARE(pointer->requests.at(1).uiParam, 550u);
}

void tst_Pointer::failedStepIsTriedAgain()
{
    WorkFolder folder;
    myQQuickView view;
    pointer->failSet = true;
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    view.setVerticalScrollLines(6);
    pointer->failSet = false;
    view.setVerticalScrollLines(6);
    QCOMPARE(pointer->requests.size(), 2);
}

void tst_Pointer::startAppliesTheStoredSteps()
{
    WorkFolder folder(WorkFolder::ShippedSettings);
    folder.writeFile("modules/setting/p1.bin",
        "[sensor]\ncursorSpeed_Z5=8\ndoubleClickSpeed_Z5=2\nverticalScrollLines_Z5=1000\n");
    myQQuickView view;
    view.initUI();
    QCOMPARE(pointer->actions(), (QList<unsigned> {0x0071, 0x0069, 0x0020}));
    QCOMPARE(pointer->requests.at(0).pvParam, QList<int> {16});
    QCOMPARE(pointer->requests.at(1).uiParam, 1000u);
    QCOMPARE(pointer->requests.at(2).uiParam, 760u);
    // The documents' own send of the same steps changes nothing more.
    view.setCursorSpeed(view.getCursorSpeed());
    QCOMPARE(pointer->requests.size(), 3);
    // A second start (the mouse plugged in again) applies them once more.
    view.initUI();
    QCOMPARE(pointer->requests.size(), 6);
}

void tst_Pointer::startSkipsValuesTheProfileLacks()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p1.bin", "[sensor]\ndoubleClickSpeed_Z5=3\n");
    myQQuickView view;
    view.initUI();
    QCOMPARE(pointer->actions(), QList<unsigned> {0x0020});
    QVERIFY(!folder.readFile("modules/setting/p1.bin").contains("cursorSpeed"));
}

void tst_Pointer::scrollLinesNoteFollowsTheSystem()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.hasSystemScrollLines(), true);
    pointer->wheelLines = false;
    QCOMPARE(view.hasSystemScrollLines(), false);
}

QTEST_MAIN(tst_Pointer)
#include "tst_pointer.moc"
