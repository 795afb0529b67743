#include <QCoreApplication>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include "device/hid_thread.h"
#include "device/virtualcontrol.h"
#include "device/virtualhidbackend.h"
#include "support/device_testing.h"

using Attached = VirtualHidBackend::Attached;
using Fault = VirtualHidBackend::Fault;
using Op = VirtualHidBackend::Operation;

// How the device goes away under a started link.
enum class Loss { CableNotice, SilentBeforeCommand, SilentDuringTransfer, NotStarted };
Q_DECLARE_METATYPE(Loss)

namespace {
QString ask(const QString &server, const QByteArray &lines, int answers)
{
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(2000))
        return QStringLiteral("no connection");
    socket.write(lines);
    socket.flush();
    QByteArray received;
    QElapsedTimer clock;
    clock.start();
    while (received.count('\n') < answers && clock.elapsed() < 5000) {
        QCoreApplication::processEvents();
        socket.waitForReadyRead(20);
        received += socket.readAll();
    }
    return QString::fromUtf8(received);
}
// A link on the virtual mouse whose owner records what the link asks of the window.
struct OwnedLink
{
    OwnedLink()
    {
        link.setOwner(&owner);
        device = DeviceTesting::attachVirtual(link);
    }
    // Starts the link on the attached mouse, as a finished handshake does.
    bool start()
    {
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        link.swichCurDevice(uint(link.currentDeviceId()));
        return link.isLinkStarted();
    }
    Hid_Thread link;
    RecordingLinkOwner owner {&link};
    std::shared_ptr<VirtualHidBackend> device;
};
} // namespace

class tst_VirtualPlug : public QObject
{
    Q_OBJECT

private slots:
    void unplugTakesTheDeviceOffTheBus();
    void plugBringsItBackWithItsState();
    void openHandleDiesOnUnplug();
    void linkHearsEveryChange();
    void linkStopsListeningWhenItGoes();
    void lossIsToldOnce_data();
    void lossIsToldOnce();
    void oneFailedOpenIsTriedAgain_data();
    void oneFailedOpenIsTriedAgain();
    void controlAnswersCommands_data();
    void controlAnswersCommands();
    void controlStartsFromTheEnvironment();
};

void tst_VirtualPlug::unplugTakesTheDeviceOffTheBus()
{
    VirtualHidBackend device(Attached::Mouse);
    QVERIFY(!device.enumerate(VirtualHidBackend::vendorId, VirtualHidBackend::mouseProductId)
                 .isEmpty());
    device.unplug();
    QVERIFY(!device.isPlugged());
    QVERIFY(
        device.enumerate(VirtualHidBackend::vendorId, VirtualHidBackend::mouseProductId).isEmpty());
    QVERIFY(!device.open(VirtualHidBackend::mouseCommandPath));
}

void tst_VirtualPlug::plugBringsItBackWithItsState()
{
    Hid_Thread link;
    auto device = DeviceTesting::attachVirtual(link);
    link.hid_01H_SetReportRate(3);
    device->unplug();
    device->plug();
    QVERIFY(device->isPlugged());
    link.enumerateDevices(DeviceTesting::shippedRecords());
    QVERIFY(!link.devices().value(1).commandPath.isEmpty());
    uchar rate = 0;
    QVERIFY(link.readReportRate(rate));
    QCOMPARE(int(rate), 3);
}

void tst_VirtualPlug::openHandleDiesOnUnplug()
{
    VirtualHidBackend device(Attached::Mouse);
    HidHandle handle = device.open(VirtualHidBackend::mouseCommandPath);
    QVERIFY(handle);
    const uchar command[9] = {0, 0x81, 0, 0, 0, 0, 0, 0, 0x7E};
    QCOMPARE(device.sendFeatureReport(handle, command, 9), 9);
    device.unplug();
    QCOMPARE(device.sendFeatureReport(handle, command, 9), -1);
    device.close(handle);
}

void tst_VirtualPlug::linkHearsEveryChange()
{
    Hid_Thread link;
    auto device = DeviceTesting::attachVirtual(link);
    QSignalSpy changes(&link, &Hid_Thread::devicesChanged);
    device->unplug();
    device->plug();
    // Told through the event loop, so a change from another thread arrives on the link's own.
    QVERIFY(changes.isEmpty());
    QTRY_COMPARE(changes.size(), 2);
}

void tst_VirtualPlug::linkStopsListeningWhenItGoes()
{
    auto device = std::make_shared<VirtualHidBackend>(Attached::Mouse);
    {
        Hid_Thread link;
        link.setBackend(device);
    }
    device->unplug();
    QCoreApplication::processEvents();
    Hid_Thread first;
    Hid_Thread second;
    first.setBackend(device);
    second.setBackend(std::make_shared<VirtualHidBackend>(Attached::Mouse));
    QSignalSpy heard(&first, &Hid_Thread::devicesChanged);
    device->plug();
    QTRY_COMPARE(heard.size(), 1);
}

void tst_VirtualPlug::lossIsToldOnce_data()
{
    QTest::addColumn<Loss>("loss");
    QTest::addColumn<int>("told");
    QTest::newRow("unplugged, presence checked") << Loss::CableNotice << 1;
    QTest::newRow("gone without notice, next command") << Loss::SilentBeforeCommand << 1;
    QTest::newRow("gone in the middle of a block") << Loss::SilentDuringTransfer << 1;
    QTest::newRow("link not started") << Loss::NotStarted << 0;
}

void tst_VirtualPlug::lossIsToldOnce()
{
    QFETCH(Loss, loss);
    QFETCH(int, told);
    OwnedLink rig;
    Hid_Thread &link = rig.link;
    const auto device = rig.device;
    if (loss != Loss::NotStarted)
        QVERIFY(rig.start());
    link.waitForPoolTransfer();
    device->clearCalls();
    QSignalSpy lost(&link, &Hid_Thread::deviceLost);
    QByteArray macro(128, char(0x5A));
    switch (loss) {
    case Loss::CableNotice:
        device->unplug();
        link.checkPresence();
        link.hid_01H_SetReportRate(2);
        break;
    case Loss::SilentBeforeCommand:
    case Loss::NotStarted:
        device->setFault(Fault::Unplugged);
        link.hid_01H_SetReportRate(2);
        link.hid_0BH_SetCurrentDPIStage(3);
        break;
    case Loss::SilentDuringTransfer: {
        // The interface is open when the block breaks off: only a look at the bus tells why.
        std::thread puller([&device] {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 5000 && device->calls(Op::FeatureOut).isEmpty())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            device->setFault(Fault::Unplugged);
        });
        link.hid_13H_SetMacroKey(1, reinterpret_cast<uchar *>(macro.data()));
        puller.join();
        break;
    }
    }
    link.waitForPoolTransfer();
    QVERIFY(link.isLinkFree());
    QTRY_COMPARE(lost.size(), told);
    // Emitted on the worker: a receiver on the GUI thread must connect it queued.
    if (told)
        QVERIFY(link.devices().at(1).commandPath.isEmpty());
    link.hid_01H_SetReportRate(3);
    // The spy counts on the worker as the signal goes out.
    link.waitForPoolTransfer();
    QCOMPARE(lost.size(), told);
    QVERIFY(device->mouse().reportRate != 3);
}

void tst_VirtualPlug::oneFailedOpenIsTriedAgain_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<bool>("reached");
    QTest::newRow("one failed open") << 1 << true;
    QTest::newRow("two failed opens") << 2 << false;
}

void tst_VirtualPlug::oneFailedOpenIsTriedAgain()
{
    QFETCH(int, failures);
    QFETCH(bool, reached);
    OwnedLink rig;
    Hid_Thread &link = rig.link;
    const auto device = rig.device;
    QVERIFY(rig.start());
    link.waitForPoolTransfer();
    device->clearCalls();
    QSignalSpy lost(&link, &Hid_Thread::deviceLost);
    device->failNextOpens(failures);
    link.hid_01H_SetReportRate(2);
    link.waitForPoolTransfer();
    QCOMPARE(device->mouse().reportRate == 2, reached);
    QList<Op> opened;
    for (const auto &call : device->calls())
        if (call.operation == Op::Open || call.operation == Op::Enumerate)
            opened << call.operation;
    // The failed open, a look for the interface, and one more open under the path found.
    QCOMPARE(opened.mid(0, 3), QList<Op>({Op::Open, Op::Enumerate, Op::Open}));
    // Still on the bus: nothing is lost and the path stays for the next command.
    QVERIFY(!link.devices().at(1).commandPath.isEmpty());
    link.hid_01H_SetReportRate(4);
    link.waitForPoolTransfer();
    QCOMPARE(int(device->mouse().reportRate), 4);
    QCOMPARE(lost.size(), 0);
}

void tst_VirtualPlug::controlAnswersCommands_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<bool>("plugged");
    QTest::newRow("unplug") << QByteArray("unplug\n") << "ok\n" << false;
    QTest::newRow("unplug, state") << QByteArray("unplug\nstate\n") << "ok\nunplugged\n" << false;
    QTest::newRow("unplug, plug") << QByteArray("unplug\nplug\nstate\n") << "ok\nok\nplugged\n"
                                  << true;
    QTest::newRow("spaces and case") << QByteArray("  UNPLUG \r\n") << "ok\n" << false;
    QTest::newRow("unknown word") << QByteArray("eject\n") << "unknown\n" << true;
    QTest::newRow("blank lines skipped") << QByteArray("\n\nstate\n") << "plugged\n" << true;
}

void tst_VirtualPlug::controlAnswersCommands()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, answers);
    QFETCH(bool, plugged);
    QTemporaryDir dir;
    auto device = std::make_shared<VirtualHidBackend>(Attached::Mouse);
    VirtualDeviceControl control(device);
    const QString name = dir.filePath("control");
    QVERIFY(control.listen(name));
    QCOMPARE(ask(name, lines, int(answers.count('\n'))), answers);
    QCOMPARE(device->isPlugged(), plugged);
}

void tst_VirtualPlug::controlStartsFromTheEnvironment()
{
    // Tests run with SKELDA_VIRTUAL_DEVICE=none: a virtual bus with nothing on it.
    if (!std::dynamic_pointer_cast<VirtualHidBackend>(HidBackend::processDefault()))
        QSKIP("needs SKELDA_VIRTUAL_DEVICE, as the test run sets it");
    QTemporaryDir dir;
    qputenv(VirtualDeviceControl::environmentVariable, QByteArray());
    QVERIFY(!VirtualDeviceControl::startFromEnvironment(nullptr));
    qputenv(VirtualDeviceControl::environmentVariable, dir.filePath("c").toUtf8());
    std::unique_ptr<VirtualDeviceControl> control(
        VirtualDeviceControl::startFromEnvironment(nullptr));
    QVERIFY(control);
    QCOMPARE(ask(dir.filePath("c"), "state\n", 1), QString("plugged\n"));
    qunsetenv(VirtualDeviceControl::environmentVariable);
}

QTEST_MAIN(tst_VirtualPlug)
#include "tst_virtualplug.moc"
