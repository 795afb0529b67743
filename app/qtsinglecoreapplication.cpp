#include "app/qtsinglecoreapplication.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
QString lockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
} // namespace

QString QtSingleCoreApplication::idForPath(const QString &executablePath)
{
    const QByteArray hash
        = QCryptographicHash::hash(executablePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("skelda-") + QString::fromLatin1(hash.left(24));
}

QtSingleCoreApplication::QtSingleCoreApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    instanceId = idForPath(applicationFilePath());
    lock = std::make_unique<QLockFile>(lockFolder() + '/' + instanceId + ".lock");
    // A lock left by a crashed copy is stale once its process is gone.
    primary = lock->tryLock(0);
    if (primary)
        listen();
}

QtSingleCoreApplication::~QtSingleCoreApplication()
{
    if (server)
        server->close();
    if (primary)
        lock->unlock();
}

void QtSingleCoreApplication::listen()
{
    QLocalServer::removeServer(instanceId);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(instanceId))
        return;
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine().chopped(1);
                if (line.startsWith('{')) {
                    const QByteArray answer
                        = requestHandler ? requestHandler(line) : QByteArray(busyAnswer);
                    socket->write(answer + '\n');
                    socket->flush();
                    socket->disconnectFromServer();
                    return;
                }
                const QString message = QString::fromUtf8(line);
                socket->write("ack\n");
                socket->flush();
                socket->disconnectFromServer();
                emit messageReceived(message);
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool QtSingleCoreApplication::sendMessage(const QString &message, int timeout)
{
    if (primary)
        return false;
    QLocalSocket socket;
    socket.connectToServer(instanceId);
    if (!socket.waitForConnected(timeout))
        return false;
    QString line = message;
    line.replace('\n', ' ');
    socket.write(line.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeout))
        return false;
    return socket.waitForReadyRead(timeout) && socket.readLine().startsWith("ack");
}

QByteArray QtSingleCoreApplication::sendRequest(const QByteArray &request, int timeout)
{
    if (primary)
        return QByteArray();
    QLocalSocket socket;
    socket.connectToServer(instanceId);
    if (!socket.waitForConnected(timeout))
        return QByteArray();
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeout))
        return QByteArray();
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeout))
            return QByteArray();
    }
    return socket.readLine().chopped(1);
}

bool QtSingleCoreApplication::takeOver()
{
    if (!primary) {
        primary = lock->tryLock(0);
        if (primary)
            listen();
    }
    return primary;
}
