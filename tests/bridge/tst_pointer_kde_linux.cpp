#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTemporaryDir>
#include <QtTest>

#include "app/privatexserver.h"
#include "bridge/myqquickview.h"
#include "bridge/pointermappings.h"
#include "bridge/privatesessionbus.h"
#include "bridge/systempointer_linux.h"
#include "support/workfolder.h"

#include "bridge/xinputtestdevices.h"

using skelda::test::WorkFolder;
namespace Map = PointerMappings::Kde;
using ChangedKeys = QHash<QString, QByteArrayList>;

namespace {

// A settings file as a Plasma user has it, with comments, other groups and a localised key.
const QByteArray kdeglobals = "# written by hand\n"
                              "[General]\n"
                              "ColorScheme=BreezeDark\n"
                              "Name[de]=Dunkel\n"
                              "\n"
                              "[KDE]\n"
                              "LookAndFeelPackage=org.kde.breezedark.desktop\n"
                              "SingleClick=false\n"
                              "WheelScrollLines=3\n"
                              "\n"
                              "[Icons]\n"
                              "Theme=breeze-dark\n";

const QByteArray kcminputrc = "[Keyboard]\n"
                              "NumLock=0\n"
                              "\n"
                              "[Mouse]\n"
                              "cursorSize=24\n"
                              "cursorTheme=breeze_cursors\n";

// KWin's input device as its D-Bus interface shows it.
class FakeKwinDevice : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(uint vendor MEMBER vendor)
    Q_PROPERTY(uint product MEMBER product)
    Q_PROPERTY(bool pointer MEMBER pointer)
    Q_PROPERTY(bool touchpad MEMBER touchpad)
    Q_PROPERTY(double pointerAcceleration MEMBER pointerAcceleration)
    Q_PROPERTY(bool pointerAccelerationProfileFlat MEMBER flat)
    Q_PROPERTY(bool pointerAccelerationProfileAdaptive MEMBER adaptive)
public:
    uint vendor = 0;
    uint product = 0;
    bool pointer = true;
    bool touchpad = false;
    double pointerAcceleration = 0.0;
    bool flat = false;
    bool adaptive = true;
};

class FakeKwinManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames MEMBER names)
public:
    QStringList names;
};

// Catches the change notices that programs of the desktop listen to.
class NoticeCatcher : public QObject
{
    Q_OBJECT
public:
    QList<ChangedKeys> configChanges;
    QList<QPair<int, int>> globalChanges;

public slots:
    void configChanged(const QDBusMessage &message)
    {
        configChanges.append(qdbus_cast<ChangedKeys>(message.arguments().value(0)));
    }
    void notifyChange(int type, int argument) { globalChanges.append({type, argument}); }
};

} // namespace

// The Plasma backend against KDE's files in a temporary configuration home, the change
// notices on a session bus of the test's own, the devices of a private X server for a
// Plasma X11 session, and a stand-in for KWin's input devices for Plasma on Wayland.
class tst_PointerKde : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void wheelLinesReplaceOneLine_data();
    void wheelLinesReplaceOneLine();
    void doubleClickJoinsTheGroup();
    void filesAreMadeWhenMissing();
    void lockedSettingsAreLeftAlone_data();
    void lockedSettingsAreLeftAlone();
    void zeroLinesAreRefused();
    void x11SpeedReachesFileAndMouse_data();
    void x11SpeedReachesFileAndMouse();
    void x11AccelerationReachesFileAndMouse();
    void waylandSpeedReachesOnlyTheMouse_data();
    void waylandSpeedReachesOnlyTheMouse();
    void waylandAccelerationIsTheProfile();

private:
    QByteArray file(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &contents) const;
    // Lines of the file that differ from `before`, as "-old" and "+new".
    QStringList changes(const QByteArray &before, const QByteArray &after) const;

    PrivateSessionBus bus;
    PrivateXServer server;
    // KWin answers from a thread of its own, as from a process of its own.
    QThread kwinThread;
    QTemporaryDir configHome;
    std::unique_ptr<XInputTestDevices> devices;
    int mouse = -1;
    int touchpad = -1;
    NoticeCatcher notices;
    FakeKwinManager manager;
    FakeKwinDevice kwinMouse;
    FakeKwinDevice kwinTouchpad;
    LinuxPointer::MouseIdentity identity;
};

QByteArray tst_PointerKde::file(const QString &name) const
{
    QFile f(configHome.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_PointerKde::writeFile(const QString &name, const QByteArray &contents) const
{
    QFile f(configHome.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contents);
}

QStringList tst_PointerKde::changes(const QByteArray &before, const QByteArray &after) const
{
    const QList<QByteArray> old = before.split('\n');
    const QList<QByteArray> now = after.split('\n');
    QStringList changed;
    for (const QByteArray &line : old) {
        if (!now.contains(line))
            changed.append("-" + QString::fromUtf8(line));
    }
    for (const QByteArray &line : now) {
        if (!old.contains(line))
            changed.append("+" + QString::fromUtf8(line));
    }
    return changed;
}

void tst_PointerKde::initTestCase()
{
    QVERIFY(configHome.isValid());
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    const QString error = bus.start();
    if (!error.isEmpty())
        QSKIP(qPrintable(error));
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toLocal8Bit());
    identity = LinuxPointer::mouseIdentities().value(0);

    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<ChangedKeys>();
    QDBusConnection listener = QDBusConnection::connectToBus(bus.address(), "listener");
    QVERIFY(listener.connect({}, "/kdeglobals", "org.kde.kconfig.notify", "ConfigChanged", &notices,
        SLOT(configChanged(QDBusMessage))));
    QVERIFY(listener.connect({}, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange",
        &notices, SLOT(notifyChange(int, int))));

    kwinThread.start();
    for (QObject *object : std::initializer_list<QObject *> {&manager, &kwinMouse, &kwinTouchpad})
        object->moveToThread(&kwinThread);
    QDBusConnection kwin = QDBusConnection::connectToBus(bus.address(), "kwin");
    kwinMouse.vendor = identity.vendor;
    kwinMouse.product = identity.product;
    kwinTouchpad.vendor = 0x06cb;
    kwinTouchpad.product = 0xcd7e;
    kwinTouchpad.touchpad = true;
    manager.names = {"event4", "event7"};
    const auto exported = QDBusConnection::ExportAllProperties;
    QVERIFY(kwin.registerObject("/org/kde/KWin", &manager, exported));
    QVERIFY(kwin.registerObject("/org/kde/KWin/InputDevice/event4", &kwinTouchpad, exported));
    QVERIFY(kwin.registerObject("/org/kde/KWin/InputDevice/event7", &kwinMouse, exported));
    QVERIFY(kwin.registerService("org.kde.KWin"));

    if (server.start().isEmpty()) {
        qputenv("DISPLAY", server.display().toLocal8Bit());
        devices = std::make_unique<XInputTestDevices>(server.display());
        mouse = devices->addPointer("skelda test mouse");
        touchpad = devices->addPointer("skelda test touchpad");
    }
}

void tst_PointerKde::cleanupTestCase()
{
    kwinThread.quit();
    kwinThread.wait();
}

void tst_PointerKde::init()
{
    writeFile("kdeglobals", kdeglobals);
    writeFile("kcminputrc", kcminputrc);
    notices.configChanges.clear();
    notices.globalChanges.clear();
    kwinMouse.pointerAcceleration = 0.0;
    kwinMouse.flat = false;
    kwinMouse.adaptive = true;
    kwinTouchpad.pointerAcceleration = 0.4;
    if (devices) {
        devices->dressAsLibinput(mouse, identity.vendor, identity.product);
        devices->dressAsLibinput(touchpad, 0x06cb, 0xcd7e);
    }
}

void tst_PointerKde::cleanup()
{
    SystemPointer::install(nullptr);
}

void tst_PointerKde::wheelLinesReplaceOneLine_data()
{
    QTest::addColumn<uint>("lines");
    QTest::newRow("1") << 1u;
    QTest::newRow("7") << 7u;
    QTest::newRow("100") << 100u;
    QTest::newRow("one screen") << 1000u;
}

void tst_PointerKde::wheelLinesReplaceOneLine()
{
    QFETCH(uint, lines);
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.hasSystemScrollLines(), true);
    view.setVerticalScrollLines(lines);
    QCOMPARE(changes(kdeglobals, file("kdeglobals")),
        (QStringList {"-WheelScrollLines=3", "+WheelScrollLines=" + QString::number(lines)}));
    QCOMPARE(file("kcminputrc"), kcminputrc);
    QTRY_COMPARE(notices.globalChanges.size(), 1);
    QCOMPARE(notices.globalChanges.first(), qMakePair(3, 0));
    QTRY_COMPARE(notices.configChanges.size(), 1);
    QCOMPARE(notices.configChanges.first(), (ChangedKeys {{"KDE", {"WheelScrollLines"}}}));
}

void tst_PointerKde::doubleClickJoinsTheGroup()
{
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    view.setDoubleClickSpeed(5);
    const QByteArray written = file("kdeglobals");
    QCOMPARE(changes(kdeglobals, written), QStringList {"+DoubleClickInterval=550"});
    // Inside [KDE], after its last entry.
    QVERIFY(written.contains("WheelScrollLines=3\nDoubleClickInterval=550\n\n[Icons]"));
    QTRY_COMPARE(notices.configChanges.size(), 1);
    QCOMPARE(notices.configChanges.first(), (ChangedKeys {{"KDE", {"DoubleClickInterval"}}}));
}

void tst_PointerKde::filesAreMadeWhenMissing()
{
    QFile::remove(configHome.filePath("kdeglobals"));
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    view.setDoubleClickSpeed(10);
    view.setVerticalScrollLines(4);
    QCOMPARE(file("kdeglobals"), "[KDE]\nDoubleClickInterval=200\nWheelScrollLines=4\n");
}

void tst_PointerKde::lockedSettingsAreLeftAlone_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("group") << QByteArray("[KDE][$i]\nWheelScrollLines=3\n");
    QTest::newRow("key") << QByteArray("[KDE]\nWheelScrollLines[$i]=3\n");
    QTest::newRow("file") << QByteArray("[$i]\n[General]\nColorScheme=Breeze\n");
}

void tst_PointerKde::lockedSettingsAreLeftAlone()
{
    QFETCH(QByteArray, contents);
    writeFile("kdeglobals", contents);
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    view.setVerticalScrollLines(8);
    QCOMPARE(view.getVerticalScrollLines(), 8u);
    QCOMPARE(file("kdeglobals"), contents);
}

void tst_PointerKde::zeroLinesAreRefused()
{
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    view.setVerticalScrollLines(0);
    QCOMPARE(file("kdeglobals"), kdeglobals);
}

void tst_PointerKde::x11SpeedReachesFileAndMouse_data()
{
    QTest::addColumn<uint>("step");
    QTest::addColumn<QString>("stored");
    QTest::newRow("slowest") << 0u << "-1";
    QTest::newRow("middle") << 5u << "0";
    QTest::newRow("one above") << 6u << "0.17";
    QTest::newRow("fastest") << 11u << "1";
}

void tst_PointerKde::x11SpeedReachesFileAndMouse()
{
    QFETCH(uint, step);
    QFETCH(QString, stored);
    if (!devices)
        QSKIP("no private X server");
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    view.setCursorSpeed(step);
    QCOMPARE(changes(kcminputrc, file("kcminputrc")),
        QStringList {"+XLbInptPointerAcceleration=" + stored});
    QCOMPARE(Map::speed.step(stored.toDouble()), step);
    QCOMPARE(devices->speed(mouse), float(Map::speed.value(step)));
    QCOMPARE(devices->speed(touchpad), 0.0f);
    QCOMPARE(file("kdeglobals"), kdeglobals);
}

void tst_PointerKde::x11AccelerationReachesFileAndMouse()
{
    if (!devices)
        QSKIP("no private X server");
    SystemPointer::install(LinuxPointer::makeKde({identity}, false));
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.getAcceleration(), true);
    view.setAcceleration(false);
    QCOMPARE(
        changes(kcminputrc, file("kcminputrc")), QStringList {"+XLbInptAccelProfileFlat=true"});
    QCOMPARE(devices->profile(mouse), QByteArray::fromHex("000100"));
    QCOMPARE(devices->profile(touchpad), QByteArray::fromHex("010000"));
    QCOMPARE(view.getAcceleration(), false);
    view.setAcceleration(true);
    QCOMPARE(
        changes(kcminputrc, file("kcminputrc")), QStringList {"+XLbInptAccelProfileFlat=false"});
    QCOMPARE(devices->profile(mouse), QByteArray::fromHex("010000"));
}

void tst_PointerKde::waylandSpeedReachesOnlyTheMouse_data()
{
    x11SpeedReachesFileAndMouse_data();
}

void tst_PointerKde::waylandSpeedReachesOnlyTheMouse()
{
    QFETCH(uint, step);
    SystemPointer::install(LinuxPointer::makeKde({identity}, true));
    WorkFolder folder;
    myQQuickView view;
    view.setCursorSpeed(step);
    QCOMPARE(kwinMouse.pointerAcceleration, Map::speed.value(step));
    QCOMPARE(Map::speed.step(kwinMouse.pointerAcceleration), step);
    QCOMPARE(kwinTouchpad.pointerAcceleration, 0.4);
    QCOMPARE(kwinMouse.flat, false);
    // KWin keeps its devices' settings itself.
    QCOMPARE(file("kcminputrc"), kcminputrc);
    QCOMPARE(file("kdeglobals"), kdeglobals);
}

void tst_PointerKde::waylandAccelerationIsTheProfile()
{
    SystemPointer::install(LinuxPointer::makeKde({identity}, true));
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.getAcceleration(), true);
    view.setAcceleration(false);
    QCOMPARE(kwinMouse.flat, true);
    QCOMPARE(kwinMouse.adaptive, false);
    QCOMPARE(view.getAcceleration(), false);
    QCOMPARE(kwinTouchpad.flat, false);
    QCOMPARE(kwinTouchpad.adaptive, true);
    QCOMPARE(kwinMouse.pointerAcceleration, 0.0);
}

QTEST_MAIN(tst_PointerKde)
#include "tst_pointer_kde_linux.moc"
