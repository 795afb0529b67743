#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "bridge/myqquickview.h"
#include "bridge/pointermappings.h"
#include "bridge/privatesessionbus.h"
#include "bridge/systempointer_linux.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;
namespace Map = PointerMappings::GSettings;

// The GNOME backend against GSettings itself: the installed mouse peripheral schema, the
// keyfile backend in a temporary configuration home and a session bus of the test's own.
// Each value is read back by a separate gsettings process, as the desktop would see it.
class tst_PointerGSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void speedStepReachesTheSchema_data();
    void speedStepReachesTheSchema();
    void doubleClickReachesTheSchema_data();
    void doubleClickReachesTheSchema();
    void accelerationIsTheProfile_data();
    void accelerationIsTheProfile();
    void wheelLinesChangeNothing();
    void startAppliesTheProfile();

private:
    // Every key of every schema, one line each.
    QStringList everything();
    QString read(const QString &key);
    QProcessEnvironment environment() const;

    PrivateSessionBus bus;
    QTemporaryDir configHome;
    QStringList before;
};

QProcessEnvironment tst_PointerGSettings::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GSETTINGS_BACKEND", "keyfile");
    env.insert("XDG_CONFIG_HOME", configHome.path());
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    return env;
}

QStringList tst_PointerGSettings::everything()
{
    QProcess gsettings;
    gsettings.setProcessEnvironment(environment());
    gsettings.start("gsettings", {"list-recursively"});
    if (!gsettings.waitForFinished(30000) || gsettings.exitCode() != 0)
        return {};
    QStringList lines = QString::fromUtf8(gsettings.readAllStandardOutput()).split('\n');
    lines.sort();
    return lines;
}

QString tst_PointerGSettings::read(const QString &key)
{
    QProcess gsettings;
    gsettings.setProcessEnvironment(environment());
    gsettings.start("gsettings", {"get", Map::schema, key});
    gsettings.waitForFinished(10000);
    return QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed();
}

void tst_PointerGSettings::initTestCase()
{
    if (QStandardPaths::findExecutable("gsettings").isEmpty())
        QSKIP("gsettings is not installed");
    const QString error = bus.start();
    if (!error.isEmpty())
        QSKIP(qPrintable(error));
    QVERIFY(configHome.isValid());
    // GLib reads these once, at its first use in this process.
    const QProcessEnvironment env = environment();
    for (const char *name : {"GSETTINGS_BACKEND", "XDG_CONFIG_HOME", "DBUS_SESSION_BUS_ADDRESS"})
        qputenv(name, env.value(name).toUtf8());
    if (!LinuxPointer::gnomeSchemaInstalled())
        QSKIP("the GNOME mouse peripheral schema is not installed");
}

void tst_PointerGSettings::cleanupTestCase()
{
    SystemPointer::install(nullptr);
}

void tst_PointerGSettings::init()
{
    SystemPointer::install(LinuxPointer::makeGSettings());
    before = everything();
    QVERIFY(before.size() > 10);
}

void tst_PointerGSettings::cleanup()
{
    SystemPointer::install(nullptr);
}

// The lines of `after` that differ from `before`, as "old -> new".
static QStringList changes(const QStringList &before, const QStringList &after)
{
    QStringList changed;
    for (int n = 0; n < qMax(before.size(), after.size()); ++n) {
        if (before.value(n) != after.value(n))
            changed.append(before.value(n) + " -> " + after.value(n));
    }
    return changed;
}

void tst_PointerGSettings::speedStepReachesTheSchema_data()
{
    QTest::addColumn<uint>("step");
    for (uint step = 0; step < PointerMappings::speedSteps; ++step)
        QTest::addRow("step %u", step) << step;
}

void tst_PointerGSettings::speedStepReachesTheSchema()
{
    QFETCH(uint, step);
    WorkFolder folder;
    myQQuickView view;
    // Start from another value so that every step is a change.
    view.setCursorSpeed(step == 5 ? 6 : 5);
    const QStringList start = everything();
    view.setCursorSpeed(step);
    const double value = read("speed").toDouble();
    QCOMPARE(Map::speed.step(value), step);
    QVERIFY(value >= -1.0 && value <= 1.0);
    const QStringList changed = changes(start, everything());
    QCOMPARE(changed.size(), 1);
    QVERIFY2(
        changed.first().startsWith(QString(Map::schema) + " speed "), qPrintable(changed.first()));
}

void tst_PointerGSettings::doubleClickReachesTheSchema_data()
{
    QTest::addColumn<uint>("step");
    QTest::addColumn<QString>("milliseconds");
    QTest::newRow("slowest") << 0u << "900";
    QTest::newRow("middle") << 5u << "550";
    QTest::newRow("fastest of the dial") << 11u << "130";
}

void tst_PointerGSettings::doubleClickReachesTheSchema()
{
    QFETCH(uint, step);
    QFETCH(QString, milliseconds);
    WorkFolder folder;
    myQQuickView view;
    const QString was = read("double-click");
    view.setDoubleClickSpeed(step);
    QCOMPARE(read("double-click"), milliseconds);
    QCOMPARE(PointerMappings::Windows::doubleClickStep(milliseconds.toUInt()), step);
    const QString key = QString(Map::schema) + " double-click ";
    QCOMPARE(changes(before, everything()), QStringList {key + was + " -> " + key + milliseconds});
}

void tst_PointerGSettings::accelerationIsTheProfile_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("profile");
    QTest::newRow("off from the default") << false << "'flat'";
    QTest::newRow("on") << true << "'adaptive'";
    QTest::newRow("off") << false << "'flat'";
}

void tst_PointerGSettings::accelerationIsTheProfile()
{
    QFETCH(bool, on);
    QFETCH(QString, profile);
    WorkFolder folder;
    myQQuickView view;
    const QString was = read("accel-profile");
    // The schema's 'default' lets libinput accelerate a mouse.
    QCOMPARE(view.getAcceleration(), was != "'flat'");
    view.setAcceleration(on);
    QCOMPARE(read("accel-profile"), profile);
    QCOMPARE(view.getAcceleration(), on);
    const QString key = QString(Map::schema) + " accel-profile ";
    QCOMPARE(changes(before, everything()), QStringList {key + was + " -> " + key + profile});
}

void tst_PointerGSettings::wheelLinesChangeNothing()
{
    WorkFolder folder;
    myQQuickView view;
    view.setVerticalScrollLines(9);
    QCOMPARE(view.getVerticalScrollLines(), 9u);
    QCOMPARE(view.hasSystemScrollLines(), false);
    QCOMPARE(everything(), before);
}

void tst_PointerGSettings::startAppliesTheProfile()
{
    WorkFolder folder;
    folder.writeFile(
        "modules/setting/p1.bin", "[sensor]\ncursorSpeed_Z5=2\ndoubleClickSpeed_Z5=4\n");
    myQQuickView view;
    view.initUI();
    QCOMPARE(Map::speed.step(read("speed").toDouble()), 2u);
    QCOMPARE(read("double-click"), "620");
    // Changed in the desktop's settings meanwhile: the same step sent again leaves it.
    QProcess gsettings;
    gsettings.setProcessEnvironment(environment());
    gsettings.start("gsettings", {"set", Map::schema, "double-click", "333"});
    QVERIFY(gsettings.waitForFinished(10000));
    view.setDoubleClickSpeed(4);
    QCOMPARE(read("double-click"), "333");
    view.setDoubleClickSpeed(3);
    QCOMPARE(read("double-click"), "690");
}

QTEST_MAIN(tst_PointerGSettings)
#include "tst_pointer_gsettings_linux.moc"
