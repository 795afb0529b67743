#pragma once

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>

#include "hidtracefile.h"
#include "privatexserver.h"
#include "programcopy.h"

// The real program, copied into a folder of the test's own, run on the virtual mouse under a
// private X server and driven with xdotool in window coordinates. Its HID trace and its output
// stay readable for the checks; a second start runs on the same data tree.
class ProgramUnderTest
{
public:
    ProgramUnderTest() = default;
    ProgramUnderTest(const ProgramUnderTest &) = delete;
    ProgramUnderTest &operator=(const ProgramUnderTest &) = delete;
    ~ProgramUnderTest()
    {
        stop();
        x.stop();
    }

    // Starts the X server and copies the program; empty when both are ready.
    QString prepare()
    {
        if (!scratch.isValid())
            return QStringLiteral("no scratch folder");
        const QString error = x.start();
        if (!error.isEmpty())
            return error;
        return copyProgramTo(scratch.filePath("app"));
    }

    // Starts a run that traces into `traceName` in the scratch folder. Output is echoed and kept.
    bool start(const QString &traceName)
    {
        stop();
        trace.setPath(scratch.filePath(traceName));
        outputText.clear();
        window.clear();
        origin = QPoint();
        process = new QProcess;
        QProcessEnvironment env = x.environment();
        env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
        env.insert("SKELDA_HID_TRACE", trace.path());
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setWorkingDirectory(scratch.path());
        QObject::connect(process, &QProcess::readyReadStandardOutput, process, [this] {
            const QByteArray text = process->readAllStandardOutput();
            outputText += text;
            fputs(text.constData(), stderr);
        });
        process->start(scratch.filePath("app/skelda"), {});
        return process->waitForStarted();
    }

    // Until the start sequence reached the mouse and the window is on the screen.
    bool waitForWindow(int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (isRunning() && trace.has(startCommand()) && locateWindow())
                return true;
            QTest::qWait(100);
        }
        return false;
    }

    // Start-up sends the whole profile while the screen is locked: until the trace rests.
    bool waitForQuietTrace(int quietMs = 1500, int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        qint64 size = -1;
        QElapsedTimer steady;
        while (!deadline.hasExpired()) {
            const qint64 now = QFileInfo(trace.path()).size();
            if (now != size) {
                size = now;
                steady.start();
            } else if (size > 0 && steady.elapsed() >= quietMs) {
                return true;
            }
            QTest::qWait(100);
        }
        return false;
    }

    void stop()
    {
        if (!process)
            return;
        process->disconnect();
        process->terminate();
        if (!process->waitForFinished(10000)) {
            process->kill();
            process->waitForFinished(5000);
        }
        outputText += process->readAllStandardOutput();
        delete process;
        process = nullptr;
    }

    bool isRunning() const { return process && process->state() == QProcess::Running; }
    qint64 processId() const { return process ? process->processId() : 0; }

    // Finds the program's visible window; its top left corner becomes the origin of clicks.
    bool locateWindow()
    {
        if (!process)
            return false;
        const QString found
            = x.xdotool({"search", "--onlyvisible", "--pid", QString::number(processId())});
        if (found.isEmpty())
            return false;
        const QString id = found.section('\n', 0, 0);
        QMap<QString, int> values;
        for (const QString &line : x.xdotool({"getwindowgeometry", "--shell", id}).split('\n'))
            values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        if (!values.contains("X"))
            return false;
        window = id;
        origin = QPoint(values.value("X"), values.value("Y"));
        size = QSize(values.value("WIDTH"), values.value("HEIGHT"));
        return true;
    }

    bool moveTo(QPoint at) const
    {
        const QPoint p = origin + at;
        // A synchronous move onto the pointer's own spot waits for a motion that never comes.
        return pointerIsAt(p)
            || x.run({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    }
    bool click(QPoint at, int button = 1) const
    {
        return moveTo(at) && x.run({"click", QString::number(button)});
    }
    bool pointerIsAt(QPoint p) const
    {
        QMap<QString, int> values;
        for (const QString &line : x.xdotool({"getmouselocation", "--shell"}).split('\n'))
            values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        return values.value("X", -1) == p.x() && values.value("Y", -1) == p.y();
    }
    // No window manager runs here to give the clicked window the keyboard.
    bool focus() const { return x.run({"windowfocus", "--sync", window}); }
    bool keys(const QStringList &names) const { return x.run(QStringList {"key"} + names); }
    bool type(const QString &text) const
    {
        // xdotool would take a leading minus for an option of its own.
        if (text.startsWith('-'))
            return keys({"minus"}) && (text.size() == 1 || type(text.mid(1)));
        return x.run({"type", "--delay", "40", text});
    }

    QString filePath(const QString &relative) const { return scratch.filePath(relative); }
    QString modulesFile(const QString &relative) const
    {
        return scratch.filePath("app/modules/" + relative);
    }

    // What the program has written to its standard output and error in this run.
    QString output()
    {
        if (process)
            outputText += process->readAllStandardOutput();
        return QString::fromLocal8Bit(outputText);
    }
    // The lines the link writes for commands that never reached the mouse.
    QStringList failLines()
    {
        return output().split('\n').filter(QRegularExpression("^cmd Failed "));
    }

    static QString startCommand()
    {
        return QStringLiteral("feature-out 00 03 01 0f 8a 4d 00 00 15");
    }

    PrivateXServer x;
    HidTraceFile trace;
    QString window;
    QPoint origin;
    QSize size;

private:
    QTemporaryDir scratch;
    QProcess *process = nullptr;
    QByteArray outputText;
};
