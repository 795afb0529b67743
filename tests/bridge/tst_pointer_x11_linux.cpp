#include <QApplication>
#include <QtTest>

#include "app/privatexserver.h"
#include "bridge/myqquickview.h"
#include "bridge/pointermappings.h"
#include "bridge/systempointer_linux.h"
#include "support/workfolder.h"

#include "bridge/xinputtestdevices.h"

using skelda::test::WorkFolder;
namespace Map = PointerMappings::XInput;

// The plain X11 backend against a private Xvfb: the mouse and a touchpad as XInput 2
// pointer devices carrying libinput's properties, and the core pointer control.
class tst_PointerX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void speedReachesOnlyTheMouse_data();
    void speedReachesOnlyTheMouse();
    void accelerationIsTheMouseProfile_data();
    void accelerationIsTheMouseProfile();
    void withoutLibinputTheCorePointerAccelerates_data();
    void withoutLibinputTheCorePointerAccelerates();
    void withoutLibinputSpeedStaysInTheProfile();
    void doubleClickAndLinesStayInTheProfile();
    void chosenForAPlainXSession();

private:
    PrivateXServer server;
    std::unique_ptr<XInputTestDevices> devices;
    int mouse = -1;
    int touchpad = -1;
    LinuxPointer::MouseIdentity identity;
};

void tst_PointerX11::initTestCase()
{
    const QString error = server.start();
    if (!error.isEmpty())
        QSKIP(qPrintable(error));
    qputenv("DISPLAY", server.display().toLocal8Bit());
    devices = std::make_unique<XInputTestDevices>(server.display());
    QVERIFY(devices->isOpen());
    const QList<LinuxPointer::MouseIdentity> mice = LinuxPointer::mouseIdentities();
    QVERIFY(!mice.isEmpty());
    identity = mice.first();
    mouse = devices->addPointer("skelda test mouse");
    touchpad = devices->addPointer("skelda test touchpad");
    QVERIFY(mouse > 0 && touchpad > 0);
}

void tst_PointerX11::init()
{
    devices->dressAsLibinput(mouse, identity.vendor, identity.product);
    devices->dressAsLibinput(touchpad, 0x06cb, 0xcd7e);
    devices->setSpeed(touchpad, 0.25f);
    devices->setCorePointer(3, 1, 5);
    SystemPointer::install(LinuxPointer::makeX11(LinuxPointer::mouseIdentities()));
}

void tst_PointerX11::cleanup()
{
    SystemPointer::install(nullptr);
}

void tst_PointerX11::speedReachesOnlyTheMouse_data()
{
    QTest::addColumn<uint>("step");
    for (uint step = 0; step < PointerMappings::speedSteps; ++step)
        QTest::addRow("step %u", step) << step;
}

void tst_PointerX11::speedReachesOnlyTheMouse()
{
    QFETCH(uint, step);
    WorkFolder folder;
    myQQuickView view;
    view.setCursorSpeed(step);
    const float speed = devices->speed(mouse);
    QCOMPARE(speed, float(Map::speed.value(step)));
    QCOMPARE(Map::speed.step(speed), step);
    QCOMPARE(devices->speed(touchpad), 0.25f);
    QCOMPARE(devices->profile(mouse), QByteArray::fromHex("010000"));
    QCOMPARE(devices->profile(touchpad), QByteArray::fromHex("010000"));
    QCOMPARE(devices->corePointer(), (std::array<int, 3> {3, 1, 5}));
}

void tst_PointerX11::accelerationIsTheMouseProfile_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QByteArray>("profile");
    QTest::newRow("off: flat") << false << QByteArray::fromHex("000100");
    QTest::newRow("on: adaptive") << true << QByteArray::fromHex("010000");
}

void tst_PointerX11::accelerationIsTheMouseProfile()
{
    QFETCH(bool, on);
    QFETCH(QByteArray, profile);
    WorkFolder folder;
    myQQuickView view;
    view.setAcceleration(!on);
    view.setAcceleration(on);
    QCOMPARE(devices->profile(mouse), profile);
    QCOMPARE(view.getAcceleration(), on);
    QCOMPARE(devices->profile(touchpad), QByteArray::fromHex("010000"));
    QCOMPARE(devices->speed(mouse), 0.0f);
    QCOMPARE(devices->corePointer(), (std::array<int, 3> {3, 1, 5}));
}

void tst_PointerX11::withoutLibinputTheCorePointerAccelerates_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("numerator");
    QTest::newRow("off") << false << 1;
    QTest::newRow("on") << true << 2;
}

void tst_PointerX11::withoutLibinputTheCorePointerAccelerates()
{
    QFETCH(bool, on);
    QFETCH(int, numerator);
    devices->removeProperty(mouse, "libinput Accel Speed");
    WorkFolder folder;
    myQQuickView view;
    view.setAcceleration(on);
    // The threshold stays.
    QCOMPARE(devices->corePointer(), (std::array<int, 3> {numerator, 1, 5}));
    QCOMPARE(view.getAcceleration(), on);
    QCOMPARE(devices->profile(mouse), QByteArray::fromHex("010000"));
    QCOMPARE(devices->profile(touchpad), QByteArray::fromHex("010000"));
}

void tst_PointerX11::withoutLibinputSpeedStaysInTheProfile()
{
    devices->removeProperty(mouse, "Device Product ID");
    WorkFolder folder;
    myQQuickView view;
    view.setCursorSpeed(9);
    QCOMPARE(view.getCursorSpeed(), 9u);
    QCOMPARE(devices->speed(mouse), 0.0f);
    QCOMPARE(devices->speed(touchpad), 0.25f);
    QCOMPARE(devices->corePointer(), (std::array<int, 3> {3, 1, 5}));
}

void tst_PointerX11::doubleClickAndLinesStayInTheProfile()
{
    WorkFolder folder;
    myQQuickView view;
    view.setDoubleClickSpeed(2);
    view.setVerticalScrollLines(12);
    QCOMPARE(view.getDoubleClickSpeed(), 2u);
    QCOMPARE(view.getVerticalScrollLines(), 12u);
    QCOMPARE(view.hasSystemScrollLines(), false);
    QCOMPARE(devices->speed(mouse), 0.0f);
    QCOMPARE(devices->corePointer(), (std::array<int, 3> {3, 1, 5}));
}

void tst_PointerX11::chosenForAPlainXSession()
{
    QProcessEnvironment env;
    env.insert("DISPLAY", server.display());
    env.insert("XDG_CURRENT_DESKTOP", "XFCE");
    const LinuxPointer::Session session = LinuxPointer::Session::probe(env);
    QVERIFY(session.x11Display);
    QCOMPARE(LinuxPointer::choose(session), LinuxPointer::Backend::X11);
}

QTEST_MAIN(tst_PointerX11)
#include "tst_pointer_x11_linux.moc"
