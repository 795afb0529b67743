#include "device/virtualcontrol.h"

#include <QLocalServer>
#include <QLocalSocket>

#include "device/virtualhidbackend.h"

VirtualDeviceControl::VirtualDeviceControl(
    std::shared_ptr<VirtualHidBackend> device, QObject *parent)
    : QObject(parent)
    , device(std::move(device))
    , server(new QLocalServer(this))
{
    connect(server, &QLocalServer::newConnection, this, &VirtualDeviceControl::serve);
}

VirtualDeviceControl::~VirtualDeviceControl()
{
    server->close();
}

bool VirtualDeviceControl::listen(const QString &name)
{
    // A socket file left by a killed run would refuse the name.
    QLocalServer::removeServer(name);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (server->listen(name))
        return true;
    qWarning("%s: cannot listen on %s: %s", environmentVariable, qPrintable(name),
        qPrintable(server->errorString()));
    return false;
}

QString VirtualDeviceControl::serverName() const
{
    return server->fullServerName();
}

QString VirtualDeviceControl::run(const QString &command)
{
    const QString word = command.trimmed().toLower();
    if (word == QLatin1String("unplug")) {
        device->unplug();
        return QStringLiteral("ok");
    }
    if (word == QLatin1String("plug")) {
        device->plug();
        return QStringLiteral("ok");
    }
    if (word == QLatin1String("state"))
        return device->isPlugged() ? QStringLiteral("plugged") : QStringLiteral("unplugged");
    return QStringLiteral("unknown");
}

void VirtualDeviceControl::serve()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString line = QString::fromUtf8(socket->readLine());
                if (line.trimmed().isEmpty())
                    continue;
                socket->write(run(line).toUtf8() + '\n');
                socket->flush();
            }
        });
    }
}

VirtualDeviceControl *VirtualDeviceControl::startFromEnvironment(QObject *parent)
{
    const QString name = qEnvironmentVariable(environmentVariable);
    if (name.isEmpty())
        return nullptr;
    auto device = std::dynamic_pointer_cast<VirtualHidBackend>(HidBackend::processDefault());
    if (!device) {
        qWarning(
            "%s is set but SKELDA_VIRTUAL_DEVICE chose no virtual device", environmentVariable);
        return nullptr;
    }
    auto *control = new VirtualDeviceControl(device, parent);
    if (!control->listen(name)) {
        delete control;
        return nullptr;
    }
    return control;
}
