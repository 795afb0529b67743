#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A D-Bus session bus of the test's own, so that nothing a test sends reaches the user's
// desktop.
class PrivateSessionBus
{
public:
    PrivateSessionBus() = default;
    PrivateSessionBus(const PrivateSessionBus &) = delete;
    PrivateSessionBus &operator=(const PrivateSessionBus &) = delete;
    ~PrivateSessionBus() { stop(); }

    // Empty when the bus runs, otherwise what went wrong.
    QString start()
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return QStringLiteral("dbus-daemon is not installed");
        process.start(daemon, {"--session", "--nofork", "--print-address"});
        if (!process.waitForStarted(5000))
            return QStringLiteral("dbus-daemon did not start");
        QDeadlineTimer ready(10000);
        while (
            !process.canReadLine() && !ready.hasExpired() && process.state() == QProcess::Running)
            process.waitForReadyRead(100);
        busAddress = QString::fromUtf8(process.readLine()).trimmed();
        return busAddress.isEmpty() ? QStringLiteral("dbus-daemon gave no address") : QString();
    }

    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished();
        }
    }

    QString address() const { return busAddress; }

private:
    QProcess process;
    QString busAddress;
};
