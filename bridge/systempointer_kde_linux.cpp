#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QHash>

#include "bridge/kdeconfigfile_linux.h"
#include "bridge/pointermappings.h"
#include "bridge/systempointer_linux.h"
#include "bridge/xinputpointer_linux.h"

namespace LinuxPointer {

namespace {

namespace Map = PointerMappings::Kde;
using XInputPointer::Result;

using ChangedKeys = QHash<QString, QByteArrayList>;

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString kwinDevice = QStringLiteral("org.kde.KWin.InputDevice");
const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");

QDBusMessage call(QDBusMessage message)
{
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
}

QVariant readProperty(const QString &path, const QString &interface, const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(kwinService, path, properties, "Get");
    get << interface << name;
    const QDBusMessage reply = call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

bool writeProperty(const QString &path, const QString &name, const QVariant &value)
{
    QDBusMessage set = QDBusMessage::createMethodCall(kwinService, path, properties, "Set");
    set << kwinDevice << name << QVariant::fromValue(QDBusVariant(value));
    return call(set).type() == QDBusMessage::ReplyMessage;
}

// Plasma's own settings: kdeglobals for every program, kcminputrc for the pointer; on
// Wayland KWin drives the devices and keeps their settings itself.
class KdePointer : public SystemPointer
{
public:
    KdePointer(const QList<MouseIdentity> &mice, bool wayland)
        : mice(mice)
        , wayland(wayland)
    {
        qDBusRegisterMetaType<QByteArrayList>();
        qDBusRegisterMetaType<ChangedKeys>();
    }

    bool getMouse(MouseArray &values) override
    {
        bool accelerate = true;
        if (wayland) {
            const QStringList devices = kwinMouseDevices();
            if (devices.isEmpty())
                return false;
            accelerate
                = !readProperty(devices.first(), kwinDevice, "pointerAccelerationProfileFlat")
                       .toBool();
        } else if (XInputPointer::readAccelerated(mice, accelerate) == Result::NoDevice) {
            accelerate = mouseConfig().value({"Mouse"}, "XLbInptAccelProfileFlat") != "true";
        }
        values = {0, 0, accelerate ? 1 : 0};
        return true;
    }

    bool setMouse(const MouseArray &values) override
    {
        const bool accelerate = values[2] != 0;
        if (wayland) {
            return setOnKwinDevices({{"pointerAccelerationProfileFlat", !accelerate},
                {"pointerAccelerationProfileAdaptive", accelerate}});
        }
        return mouseConfig().setValue({"Mouse"}, "XLbInptAccelProfileFlat",
                   accelerate ? QStringLiteral("false") : QStringLiteral("true"))
            && XInputPointer::setAccelerated(mice, accelerate) != Result::Failed;
    }

    bool setMouseSpeed(unsigned speed) override
    {
        const double value = Map::speed.value(PointerMappings::Windows::speedStep(speed));
        if (wayland)
            return setOnKwinDevices({{"pointerAcceleration", value}});
        return mouseConfig().setValue(
                   {"Mouse"}, "XLbInptPointerAcceleration", QString::number(value))
            && XInputPointer::setSpeed(mice, value) != Result::Failed;
    }

    bool setWheelScrollLines(unsigned lines) override
    {
        return Map::validWheelLines(lines) && setGlobal("WheelScrollLines", lines);
    }

    bool setDoubleClickTime(unsigned milliseconds) override
    {
        return setGlobal("DoubleClickInterval", milliseconds);
    }

private:
    static KdeConfigFile mouseConfig() { return KdeConfigFile("kcminputrc"); }

    // Writes [KDE] in kdeglobals and tells the running programs, as the desktop's settings do.
    static bool setGlobal(const char *key, unsigned value)
    {
        if (!KdeConfigFile("kdeglobals").setValue({"KDE"}, key, QString::number(value)))
            return false;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return true;
        QDBusMessage changed
            = QDBusMessage::createSignal("/kdeglobals", "org.kde.kconfig.notify", "ConfigChanged");
        changed << QVariant::fromValue(ChangedKeys {{"KDE", {QByteArray(key)}}});
        bus.send(changed);
        // Settings changed (3), mouse category (0).
        QDBusMessage settings = QDBusMessage::createSignal(
            "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange");
        settings << 3 << 0;
        bus.send(settings);
        return true;
    }

    // KWin's object paths of the mouse's pointer devices (never a touchpad).
    QStringList kwinMouseDevices() const
    {
        QStringList found;
        const QStringList names
            = readProperty("/org/kde/KWin", "org.kde.KWin.InputDeviceManager", "devicesSysNames")
                  .toStringList();
        for (const QString &name : names) {
            const QString path = "/org/kde/KWin/InputDevice/" + name;
            const MouseIdentity identity {
                quint16(readProperty(path, kwinDevice, "vendor").toUInt()),
                quint16(readProperty(path, kwinDevice, "product").toUInt())};
            if (mice.contains(identity) && readProperty(path, kwinDevice, "pointer").toBool()
                && !readProperty(path, kwinDevice, "touchpad").toBool())
                found.append(path);
        }
        return found;
    }

    // Without the mouse KWin has nothing to change, and the profile keeps the value.
    bool setOnKwinDevices(const QList<QPair<QString, QVariant>> &values) const
    {
        for (const QString &path : kwinMouseDevices()) {
            for (const auto &value : values) {
                if (!writeProperty(path, value.first, value.second))
                    return false;
            }
        }
        return true;
    }

    const QList<MouseIdentity> mice;
    const bool wayland;
};

} // namespace

std::unique_ptr<SystemPointer> makeKde(const QList<MouseIdentity> &mice, bool wayland)
{
    return std::make_unique<KdePointer>(mice, wayland);
}

} // namespace LinuxPointer
