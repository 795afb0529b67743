#include <QtTest>

#include "bridge/systempointer_linux.h"

using LinuxPointer::Backend;
using LinuxPointer::Session;

Q_DECLARE_METATYPE(LinuxPointer::Backend)

// Which desktop settings a session gets.
class tst_SystemPointerLinux : public QObject
{
    Q_OBJECT

private slots:
    void choiceFollowsTheSession_data();
    void choiceFollowsTheSession();
    void waylandIsSeenFromEitherVariable_data();
    void waylandIsSeenFromEitherVariable();
    void noDisplayGivesNothing();
    void gioLoadsOnlyForGnomeDesktops();
    void mouseIdentitiesComeFromTheDeviceTable();
    void nothingChangesWithoutADesktop();
};

void tst_SystemPointerLinux::choiceFollowsTheSession_data()
{
    QTest::addColumn<QString>("forced");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("kdeSession");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<bool>("x11");
    QTest::addColumn<bool>("schema");
    QTest::addColumn<Backend>("backend");
    QTest::newRow("GNOME on Wayland")
        << ""
        << "GNOME" << false << true << false << true << Backend::GSettings;
    QTest::newRow("GNOME on X11") << ""
                                  << "GNOME" << false << false << true << true
                                  << Backend::GSettings;
    QTest::newRow("Ubuntu's GNOME")
        << ""
        << "ubuntu:GNOME" << false << true << true << true << Backend::GSettings;
    QTest::newRow("Budgie") << ""
                            << "Budgie:GNOME" << false << false << true << true
                            << Backend::GSettings;
    QTest::newRow("GNOME without its schema on X11")
        << ""
        << "GNOME" << false << false << true << false << Backend::X11;
    QTest::newRow("GNOME without its schema on Wayland")
        << ""
        << "GNOME" << false << true << false << false << Backend::ProfileOnly;
    QTest::newRow("Plasma on Wayland") << ""
                                       << "KDE" << false << true << false << true << Backend::Kde;
    QTest::newRow("Plasma on X11") << ""
                                   << "KDE" << true << false << true << false << Backend::Kde;
    QTest::newRow("Plasma known by its session")
        << ""
        << "" << true << false << true << false << Backend::Kde;
    QTest::newRow("XFCE") << ""
                          << "XFCE" << false << false << true << true << Backend::X11;
    QTest::newRow("window manager only") << ""
                                         << "" << false << false << true << false << Backend::X11;
    QTest::newRow("sway") << ""
                          << "sway" << false << true << true << true << Backend::ProfileOnly;
    QTest::newRow("no display") << ""
                                << "" << false << false << false << true << Backend::ProfileOnly;
    QTest::newRow("forced none") << "none"
                                 << "GNOME" << false << false << true << true
                                 << Backend::ProfileOnly;
    QTest::newRow("forced x11") << "x11"
                                << "KDE" << true << false << true << true << Backend::X11;
    QTest::newRow("forced kde") << "kde"
                                << "GNOME" << false << false << true << true << Backend::Kde;
    QTest::newRow("forced gsettings")
        << "gsettings"
        << "" << false << false << false << true << Backend::GSettings;
    QTest::newRow("unknown force ignored")
        << "windows"
        << "XFCE" << false << false << true << true << Backend::X11;
}

void tst_SystemPointerLinux::choiceFollowsTheSession()
{
    QFETCH(QString, forced);
    QFETCH(QString, desktop);
    QFETCH(bool, kdeSession);
    QFETCH(bool, wayland);
    QFETCH(bool, x11);
    QFETCH(bool, schema);
    QFETCH(Backend, backend);
    Session session;
    session.forced = forced;
    session.currentDesktop = desktop;
    session.kdeFullSession = kdeSession;
    session.wayland = wayland;
    session.x11Display = x11;
    session.gnomeSchema = schema;
    QCOMPARE(LinuxPointer::choose(session), backend);
}

void tst_SystemPointerLinux::waylandIsSeenFromEitherVariable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("wayland");
    QTest::newRow("session type") << "XDG_SESSION_TYPE"
                                  << "wayland" << true;
    QTest::newRow("display socket") << "WAYLAND_DISPLAY"
                                    << "wayland-0" << true;
    QTest::newRow("x11 session") << "XDG_SESSION_TYPE"
                                 << "x11" << false;
}

void tst_SystemPointerLinux::waylandIsSeenFromEitherVariable()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, wayland);
    QProcessEnvironment env;
    env.insert(name, value);
    QCOMPARE(Session::probe(env).wayland, wayland);
}

void tst_SystemPointerLinux::noDisplayGivesNothing()
{
    QProcessEnvironment env;
    env.insert("DISPLAY", ":4711");
    env.insert("SKELDA_SYSTEM_POINTER", " None ");
    const Session session = Session::probe(env);
    QCOMPARE(session.x11Display, false);
    QCOMPARE(session.forced, "none");
    env.remove("SKELDA_SYSTEM_POINTER");
    QCOMPARE(LinuxPointer::choose(Session::probe(env)), Backend::ProfileOnly);
}

void tst_SystemPointerLinux::mouseIdentitiesComeFromTheDeviceTable()
{
    // Only the mouse record: the keyboard's interfaces are no pointer of ours.
    const QList<LinuxPointer::MouseIdentity> mice = LinuxPointer::mouseIdentities();
    QCOMPARE(mice.size(), 1);
    QCOMPARE(mice.first().vendor, quint16(0x04d9));
    QCOMPARE(mice.first().product, quint16(0xa1ee));
}

void tst_SystemPointerLinux::nothingChangesWithoutADesktop()
{
    std::unique_ptr<SystemPointer> none = LinuxPointer::makeNone();
    SystemPointer::MouseArray values {1, 2, 3};
    QVERIFY(none->getMouse(values));
    QCOMPARE(values[2], 0);
    QVERIFY(none->setMouseSpeed(10));
    QVERIFY(none->setDoubleClickTime(550));
    QVERIFY(none->setWheelScrollLines(3));
    QCOMPARE(none->hasWheelScrollLines(), false);
}

// Looking the schema up maps GIO, about 1 MB: other desktops must not pay for it.
void tst_SystemPointerLinux::gioLoadsOnlyForGnomeDesktops()
{
    const auto gioMapped = [] {
        QFile maps("/proc/self/maps");
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libgio-2.0");
    };
    QVERIFY2(!gioMapped(), "GIO is linked instead of loaded when needed");
    struct Environment
    {
        const char *forced;
        const char *desktop;
    };
    const Environment others[]
        = {{"none", "GNOME"}, {"x11", "GNOME"}, {"", "KDE"}, {"", "XFCE"}, {"", ""}};
    for (const Environment &other : others) {
        QProcessEnvironment environment;
        environment.insert("SKELDA_SYSTEM_POINTER", other.forced);
        environment.insert("XDG_CURRENT_DESKTOP", other.desktop);
        QCOMPARE(Session::probe(environment).gnomeSchema, false);
        QVERIFY2(!gioMapped(), other.desktop);
    }
    QProcessEnvironment gnome;
    gnome.insert("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    const Session session = Session::probe(gnome);
    QVERIFY(gioMapped());
    QCOMPARE(session.gnomeSchema, LinuxPointer::gnomeSchemaInstalled());
}

QTEST_MAIN(tst_SystemPointerLinux)
#include "tst_systempointer_linux.moc"
