#include <QApplication>
#include <QDirIterator>
#include <QQuickItem>
#include <QtTest>

#include <thread>

#include "app/traynotices.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtualhidbackend.h"
#include "store/profiles.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;
using Operation = VirtualHidBackend::Operation;

namespace {
const QByteArray startCommand = QByteArray::fromHex("0003010f8a4d000015");
// What a profile change sends with the shipped pages: rate, lighting, axes, stage colours, DPI.
const QList<uchar> profileCodes {0x01, 0x0D, 0x0E, 0x10, 0x11};

enum class Moment { Idle, PoolTransfer, MacroWrite, NoNotice };

QMap<QString, QByteArray> settingsFiles()
{
    QMap<QString, QByteArray> files;
    QDirIterator it("./modules", QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.fileName().endsWith(".bin") && file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(), file.readAll());
    }
    return files;
}
} // namespace

Q_DECLARE_METATYPE(Moment)

class tst_Replug : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startSendsTheWholeProfile();
    void returnAfterUnplug_data();
    void returnAfterUnplug();
    void transientOpenFailureKeepsTheLink();
    void threeQuickBursts();
    void hiddenWindowStaysHiddenOnReturn();
    void unplugWhileWaitingIsQuiet();

private:
    QList<QByteArray> frames() const;
    int count(const QByteArray &frame) const;
    int countCode(uchar code) const;
    bool sentProfile() const;
    bool settled() const;
    void startWithMouse();
    void verifyBack();

    WorkFolder *folder = nullptr;
    Widget *window = nullptr;
    std::shared_ptr<VirtualHidBackend> device;
};

void tst_Replug::init()
{
    folder = new WorkFolder(WorkFolder::ShippedSettings);
    window = new Widget;
    device = VirtualHidBackend::installInto(window->link(), VirtualHidBackend::Attached::Mouse);
}

void tst_Replug::cleanup()
{
    window->link().waitForPoolTransfer();
    delete window;
    window = nullptr;
    device.reset();
    delete folder;
    folder = nullptr;
}

QList<QByteArray> tst_Replug::frames() const
{
    QList<QByteArray> sent;
    for (const auto &call : device->calls(Operation::FeatureOut))
        if (call.ok)
            sent << call.bytes;
    return sent;
}

int tst_Replug::count(const QByteArray &frame) const
{
    return int(frames().count(frame));
}

int tst_Replug::countCode(uchar code) const
{
    int n = 0;
    for (const QByteArray &f : frames())
        n += uchar(f.at(1)) == code ? 1 : 0;
    return n;
}

bool tst_Replug::sentProfile() const
{
    for (uchar code : profileCodes)
        if (countCode(code) == 0)
            return false;
    return true;
}

bool tst_Replug::settled() const
{
    return window->link().isLinkFree() && sentProfile();
}

void tst_Replug::startWithMouse()
{
    window->show();
    window->checkDevice();
    QVERIFY(window->link().isDeviceReady());
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
    window->link().waitForPoolTransfer();
    QTRY_VERIFY(window->isVisible());
    device->clearCalls();
}

// One handshake, one start sequence and the whole profile since the calls were cleared;
// the link is free and the window back.
void tst_Replug::verifyBack()
{
    QTRY_VERIFY_WITH_TIMEOUT(window->link().isDeviceReady(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
    window->link().waitForPoolTransfer();
    QCOMPARE(countCode(0x00), 1);
    QCOMPARE(count(startCommand), 1);
    QVERIFY(window->link().isLinkStarted());
    QTRY_VERIFY(window->isVisible());
}

void tst_Replug::startSendsTheWholeProfile()
{
    window->show();
    window->checkDevice();
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
    window->link().waitForPoolTransfer();
    const QList<QByteArray> atStart = frames();
    QCOMPARE(uchar(atStart.at(0).at(1)), uchar(0x00));
    QCOMPARE(atStart.at(1), startCommand);
    // The same blocks as a profile change back and forth.
    device->clearCalls();
    QObject *root = window->bridge()->rootObject();
    QMetaObject::invokeMethod(root, "profileSelected", Q_ARG(QVariant, 1));
    QMetaObject::invokeMethod(root, "profileSelected", Q_ARG(QVariant, 0));
    QMetaObject::invokeMethod(root, "profileClosed");
    window->link().waitForPoolTransfer();
    // The switch to profile 1 is undone by the one back to 0; from there on the frames match.
    const QList<QByteArray> switched = frames();
    QCOMPARE(uchar(switched.value(0).at(1)), uchar(0x02));
    QCOMPARE(atStart.mid(2), switched.mid(1));
    QList<uchar> startCodes;
    for (const QByteArray &f : atStart.mid(2))
        startCodes << uchar(f.at(1));
    QCOMPARE(startCodes.value(0), uchar(0x02));
    for (uchar code : profileCodes)
        QVERIFY(startCodes.contains(code));
}

void tst_Replug::returnAfterUnplug_data()
{
    QTest::addColumn<Moment>("moment");
    QTest::addColumn<int>("awayMs");
    QTest::newRow("idle, back after 1 s") << Moment::Idle << 1000;
    // Long enough for the look that finds nothing and the one after it.
    QTest::newRow("idle, back after 5 s") << Moment::Idle << 5000;
    QTest::newRow("during a pool transfer") << Moment::PoolTransfer << 1000;
    QTest::newRow("during a 13H macro write") << Moment::MacroWrite << 1000;
    QTest::newRow("gone without a notice, found by the next change") << Moment::NoNotice << 1000;
}

void tst_Replug::returnAfterUnplug()
{
    QFETCH(Moment, moment);
    QFETCH(int, awayMs);
    startWithMouse();
    QMap<QString, QByteArray> stored = settingsFiles();
    const QString gone = TrayNotices::text(TrayNotices::Notice::MouseDisconnected, "English").text;

    std::thread unplugger;
    if (moment == Moment::Idle) {
        device->unplug();
    } else if (moment == Moment::NoNotice) {
        // Off the bus with no device-change notice at all: the next command finds out.
        device->setFault(VirtualHidBackend::Fault::Unplugged);
        window->bridge()->ui_0BH_SetCurrentDPIStage(2);
        // The change is kept; the mouse gets it with the profile when it is back.
        stored = settingsFiles();
    } else {
        // Off the GUI thread, as a cable is pulled: once the command is on the wire.
        const uchar code = moment == Moment::PoolTransfer ? 0x12 : 0x13;
        unplugger = std::thread([this, code] {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 5000) {
                bool onWire = false;
                for (const auto &call : device->calls(Operation::FeatureOut))
                    onWire = onWire || uchar(call.bytes.at(1)) == code;
                if (onWire)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            device->unplug();
        });
        // Straight to the link: these blocks are not stored, so the files must stay as they are.
        uchar block[512];
        std::fill(std::begin(block), std::end(block), uchar(0x5A));
        if (moment == Moment::PoolTransfer)
            window->link().hid_12H_SetUserPicture(0, 1, block);
        else
            window->link().hid_13H_SetMacroKey(1, block);
        unplugger.join();
    }
    QTRY_VERIFY(!window->link().isDeviceReady());
    QTRY_VERIFY(window->isHidden());
    QVERIFY(!window->link().isLinkStarted());
    QTRY_VERIFY(window->link().isLinkFree());
    QCOMPARE(window->shownNotices().count(gone), 1);

    QTest::qWait(awayMs);
    device->clearCalls();
    if (moment == Moment::NoNotice)
        device->clearFaults();
    else
        device->plug();
    verifyBack();
    QCOMPARE(window->shownNotices().count(gone), 1);
    QCOMPARE(window->shownNotices().last(), QString("Detect Mouse!"));
    QCOMPARE(settingsFiles(), stored);
    if (moment == Moment::NoNotice)
        QCOMPARE(int(device->mouse().dpiStage), 2);

    const QVariantList values {800, 1600, 2400, 3200, 4000, 4800, 250, 250};
    window->bridge()->ui_11H_SetDPISet(6, {7, 15, 23, 31, 39, 47, 1, 1}, values);
    window->link().waitForPoolTransfer();
    QCOMPARE(device->mouse().dpiSet, QByteArray::fromHex("070f171f272f0101"));
}

void tst_Replug::transientOpenFailureKeepsTheLink()
{
    startWithMouse();
    const QString gone = TrayNotices::text(TrayNotices::Notice::MouseDisconnected, "English").text;
    device->failNextOpens(1);
    window->bridge()->ui_01H_SetReportRate(3);
    window->link().waitForPoolTransfer();
    QCOMPARE(int(device->mouse().reportRate), 3);
    const auto opens = device->calls(Operation::Open);
    // One failed open, one look for the interface, then every open works under its path.
    QVERIFY(opens.size() >= 2);
    QVERIFY(!opens.at(0).ok);
    for (int i = 1; i < opens.size(); ++i)
        QVERIFY(opens.at(i).ok);
    QCOMPARE(device->calls(Operation::Enumerate).size(), 1);
    // A loss found on the worker would arrive as a queued notice.
    QCoreApplication::sendPostedEvents();
    QVERIFY(window->link().isDeviceReady());
    QVERIFY(window->link().isLinkStarted());
    QVERIFY(window->isVisible());
    QVERIFY(!window->shownNotices().contains(gone));
    QCOMPARE(countCode(0x00), 0);
    QVERIFY(window->link().isLinkFree());
    window->bridge()->ui_0BH_SetCurrentDPIStage(1);
    window->link().waitForPoolTransfer();
    QCOMPARE(int(device->mouse().dpiStage), 1);
    QSettings profile("./modules/setting/p1.bin", QSettings::IniFormat);
    QCOMPARE(profile.value(Profiles::Key::reportRate).toInt(), 3);
    QCOMPARE(profile.value(Profiles::Key::dpiStage).toInt(), 1);
}

void tst_Replug::threeQuickBursts()
{
    startWithMouse();
    const QMap<QString, QByteArray> stored = settingsFiles();
    for (int burst = 0; burst < 3; ++burst) {
        device->unplug();
        QTest::qWait(150);
        device->plug();
        QTest::qWait(250);
    }
    device->clearCalls();
    // One check after the last notice settles it all.
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 20000);
    verifyBack();
    // A check still pending from the bursts would shake hands once more.
    QTRY_VERIFY_WITH_TIMEOUT(!window->deviceCheckTimer().isActive(), 5000);
    window->link().waitForPoolTransfer();
    QCOMPARE(countCode(0x00), 1);
    QCOMPARE(settingsFiles(), stored);
    window->bridge()->ui_01H_SetReportRate(3);
    window->link().waitForPoolTransfer();
    QCOMPARE(int(device->mouse().reportRate), 3);
}

void tst_Replug::hiddenWindowStaysHiddenOnReturn()
{
    startWithMouse();
    window->hide();
    device->unplug();
    QTRY_VERIFY(!window->link().isDeviceReady());
    device->clearCalls();
    device->plug();
    QTRY_VERIFY_WITH_TIMEOUT(window->link().isDeviceReady(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
    // A restore would be a posted event.
    QCoreApplication::sendPostedEvents();
    QVERIFY(window->isHidden());
}

void tst_Replug::unplugWhileWaitingIsQuiet()
{
    // No mouse at start: nothing is lost, so nothing is told but the wait.
    device->unplug();
    window->checkDevice();
    QVERIFY(!window->link().isDeviceReady());
    device->plug();
    device->unplug();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window->shownNotices().size(), 1);
}

QTEST_MAIN(tst_Replug)
#include "tst_replug.moc"
