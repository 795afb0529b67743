#include "bridge/systempointer_linux.h"

#include <QDebug>

#include <algorithm>

#include "device/devicetable.h"

#include <X11/Xlib.h>

namespace LinuxPointer {

namespace {

// Desktops that read their mouse settings from the GNOME peripheral schema.
bool readsGnomeSchema(const QString &desktop)
{
    static const QStringList known {"gnome", "gnome-classic", "gnome-flashback", "unity", "budgie",
        "budgie-desktop", "pantheon"};
    return known.contains(desktop);
}

bool displayOpens(const QString &name)
{
    Display *display = XOpenDisplay(name.toLocal8Bit().constData());
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

// Keeps the values in the profile only.
class NoSystemPointer : public SystemPointer
{
public:
    bool getMouse(MouseArray &values) override
    {
        values = {0, 0, 0};
        return true;
    }
    bool setMouse(const MouseArray &) override { return true; }
    bool setWheelScrollLines(unsigned) override { return true; }
    bool setDoubleClickTime(unsigned) override { return true; }
    bool setMouseSpeed(unsigned) override { return true; }
    bool hasWheelScrollLines() const override { return false; }
};

} // namespace

Session Session::probe(const QProcessEnvironment &environment)
{
    Session session;
    session.forced = environment.value("SKELDA_SYSTEM_POINTER").trimmed().toLower();
    session.currentDesktop = environment.value("XDG_CURRENT_DESKTOP");
    session.kdeFullSession = environment.value("KDE_FULL_SESSION") == "true";
    session.wayland = environment.value("XDG_SESSION_TYPE") == "wayland"
        || !environment.value("WAYLAND_DISPLAY").isEmpty();
    const QString display = environment.value("DISPLAY");
    session.x11Display = !display.isEmpty() && displayOpens(display);
    // Looking the schema up loads GIO, so it is asked only where the choice depends on it.
    session.gnomeSchema = true;
    session.gnomeSchema = choose(session) == Backend::GSettings && gnomeSchemaInstalled();
    return session;
}

Backend choose(const Session &session)
{
    if (session.forced == "gsettings")
        return Backend::GSettings;
    if (session.forced == "kde")
        return Backend::Kde;
    if (session.forced == "x11")
        return Backend::X11;
    if (session.forced == "none")
        return Backend::ProfileOnly;
    const QStringList desktops = session.currentDesktop.toLower().split(':', Qt::SkipEmptyParts);
    if (desktops.contains("kde") || session.kdeFullSession)
        return Backend::Kde;
    if (session.gnomeSchema && std::any_of(desktops.begin(), desktops.end(), readsGnomeSchema))
        return Backend::GSettings;
    // An X server under Wayland only sees its own copies of the devices.
    if (!session.wayland && session.x11Display)
        return Backend::X11;
    return Backend::ProfileOnly;
}

QString describe(Backend backend, const Session &session)
{
    switch (backend) {
    case Backend::GSettings:
        return QStringLiteral("GSettings org.gnome.desktop.peripherals.mouse");
    case Backend::Kde:
        return session.wayland ? QStringLiteral("KDE Plasma (KWin input devices, kdeglobals)")
                               : QStringLiteral("KDE Plasma (X11, kcminputrc, kdeglobals)");
    case Backend::X11:
        return QStringLiteral("X11 (libinput properties of the mouse, else the core pointer)");
    case Backend::ProfileOnly:
        break;
    }
    return QStringLiteral("none (values kept in the profile only)");
}

QList<MouseIdentity> mouseIdentities()
{
    QList<MouseIdentity> mice;
    for (const DeviceRecord &record : DeviceTable::shippedRecords()) {
        const MouseIdentity mouse {record.vid, record.pid};
        if (record.type == 1 && !mice.contains(mouse))
            mice.append(mouse);
    }
    return mice;
}

std::unique_ptr<SystemPointer> makeNone()
{
    return std::make_unique<NoSystemPointer>();
}

} // namespace LinuxPointer

std::unique_ptr<SystemPointer> SystemPointer::create()
{
    using namespace LinuxPointer;
    const Session session = Session::probe(QProcessEnvironment::systemEnvironment());
    Backend backend = choose(session);
    std::unique_ptr<SystemPointer> pointer;
    if (backend == Backend::GSettings)
        pointer = makeGSettings();
    else if (backend == Backend::Kde)
        pointer = makeKde(mouseIdentities(), session.wayland);
    else if (backend == Backend::X11)
        pointer = makeX11(mouseIdentities());
    if (!pointer) {
        backend = Backend::ProfileOnly;
        pointer = makeNone();
    }
    qDebug().noquote() << "System pointer:" << describe(backend, session);
    return pointer;
}
