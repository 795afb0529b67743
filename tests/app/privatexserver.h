#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QTest>

// An X server of the test's own (Xvfb) on the first free display number from :91 on, so that
// tests can drive real windows with xdotool without touching the user's display.
class PrivateXServer
{
public:
    PrivateXServer() = default;
    PrivateXServer(const PrivateXServer &) = delete;
    PrivateXServer &operator=(const PrivateXServer &) = delete;
    ~PrivateXServer() { stop(); }

    // Empty when the server runs, otherwise what went wrong.
    QString start()
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty())
            return QStringLiteral("Xvfb is not installed");
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            return QStringLiteral("xdotool is not installed");
        for (int n = 91; n < 160; ++n) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
            if (QFile::exists(socket) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            server.start(xvfb,
                {QStringLiteral(":%1").arg(n), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            if (!server.waitForStarted(5000))
                continue;
            QDeadlineTimer ready(10000);
            while (!ready.hasExpired() && server.state() == QProcess::Running
                && !QFile::exists(socket))
                QTest::qWait(50);
            if (server.state() == QProcess::Running && QFile::exists(socket)) {
                number = n;
                return {};
            }
            stop();
        }
        return QStringLiteral("no free X display number from :91 on");
    }

    void stop()
    {
        number = 0;
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(5000)) {
            server.kill();
            server.waitForFinished();
        }
    }

    QString display() const { return QStringLiteral(":%1").arg(number); }

    // The environment of a program that is to show its windows on this server.
    QProcessEnvironment environment(
        QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const
    {
        base.insert("DISPLAY", display());
        base.insert("QT_QPA_PLATFORM", "xcb");
        base.insert("QT_QUICK_BACKEND", "software");
        base.remove("XAUTHORITY");
        return base;
    }

    // Runs xdotool on this server; its output, or an empty text when it failed or found nothing.
    QString xdotool(const QStringList &arguments, int timeoutMs = 20000) const
    {
        QString output;
        run(arguments, timeoutMs, &output);
        return output;
    }

    // Runs xdotool on this server; true when it finished and succeeded.
    bool run(const QStringList &arguments, int timeoutMs = 20000, QString *output = nullptr) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.start("xdotool", arguments);
        if (!tool.waitForFinished(timeoutMs) || tool.exitCode() != 0) {
            tool.kill();
            tool.waitForFinished();
            return false;
        }
        if (output)
            *output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
        return true;
    }

private:
    QProcess server;
    int number = 0;
};
