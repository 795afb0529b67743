#include <QProcess>
#include <QtTest>

#include "hidtracefile.h"
#include "privatexserver.h"
#include "programcopy.h"

// Starts the real program on a private X server and looks at its windows from outside.
class tst_StartupWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void shownAndKeptOnTheVirtualMouse();
    void hiddenWithoutDevice();
    void secondStartBringsTheWindowBack();
    void closeWithoutTrayKeepsTheWindowAndOffersQuit();

private:
    QProcess *start(const QString &device, const QString &trace);
    bool traceHas(const QString &trace, const QString &operation) const
    {
        return HidTraceFile(trace).has(operation);
    }
    // The ids of the program's windows, only the mapped ones when visibleOnly.
    QStringList windowsOf(const QProcess *program, bool visibleOnly) const;
    // Clicks at a point of the window, in the window's own coordinates.
    void clickAt(const QString &window, int px, int py) const;

    PrivateXServer x;
    QTemporaryDir scratch;
    QList<QProcess *> running;
};

void tst_StartupWindow::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
}

void tst_StartupWindow::cleanupTestCase()
{
    x.stop();
}

void tst_StartupWindow::cleanup()
{
    for (QProcess *process : running) {
        process->kill();
        process->waitForFinished(5000);
        delete process;
    }
    running.clear();
}

QProcess *tst_StartupWindow::start(const QString &device, const QString &trace)
{
    auto *process = new QProcess;
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", device);
    env.insert("SKELDA_HID_TRACE", trace);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setWorkingDirectory(scratch.path());
    process->start(scratch.filePath("app/skelda"), {});
    running.append(process);
    return process;
}

QStringList tst_StartupWindow::windowsOf(const QProcess *program, bool visibleOnly) const
{
    QStringList arguments {"search"};
    if (visibleOnly)
        arguments << "--onlyvisible";
    arguments << "--pid" << QString::number(program->processId());
    return x.xdotool(arguments).split('\n', Qt::SkipEmptyParts);
}

void tst_StartupWindow::shownAndKeptOnTheVirtualMouse()
{
    const QString trace = scratch.filePath("mouse.trace");
    QProcess *program = start("mouse", trace);
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(traceHas(trace, "feature-out 00 03 01 0f 8a 4d 00 00 15"), 20000);
    QVERIFY(traceHas(trace, "feature-in 00 00 "));
    QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program, true).size(), 1, 10000);
    const QString window = windowsOf(program, true).constFirst();
    QCOMPARE(x.xdotool({"getwindowname", window}), QStringLiteral("DORNAK SKELDA MOUSE R740"));

    QTest::qWait(1500);
    QCOMPARE(program->state(), QProcess::Running);
    QCOMPARE(windowsOf(program, true), QStringList {window});
}

void tst_StartupWindow::hiddenWithoutDevice()
{
    const QString trace = scratch.filePath("none.trace");
    QProcess *program = start("none", trace);
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(traceHas(trace, "enumerate"), 20000);
    // The window exists but the failed handshake took it off the screen; the program runs on.
    QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program, false).size(), 1, 10000);
    QTest::qWait(1500);
    QCOMPARE(program->state(), QProcess::Running);
    QCOMPARE(windowsOf(program, true), QStringList());
}

void tst_StartupWindow::clickAt(const QString &window, int px, int py) const
{
    x.xdotool({"mousemove", "--window", window, QString::number(px), QString::number(py)});
    x.xdotool({"click", "1"});
}

// A bare X server has no system tray, like a default GNOME session.
void tst_StartupWindow::secondStartBringsTheWindowBack()
{
    const QString trace = scratch.filePath("second.trace");
    QProcess *program = start("none", trace);
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(traceHas(trace, "enumerate"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program, false).size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program, true).size(), 0, 10000);

    QProcess *second = start("none", scratch.filePath("second-run.trace"));
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitCode(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program, true).size(), 1, 10000);
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_StartupWindow::closeWithoutTrayKeepsTheWindowAndOffersQuit()
{
    const QString trace = scratch.filePath("close.trace");
    QProcess *program = start("mouse", trace);
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(traceHas(trace, "feature-out 00 03 01 0f 8a 4d 00 00 15"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program, true).size(), 1, 10000);
    const QString window = windowsOf(program, true).constFirst();
    // The screen is locked for a second after start-up.
    QTest::qWait(2500);

    clickAt(window, 985, 15);
    QTest::qWait(1000);
    QCOMPARE(windowsOf(program, true), QStringList {window});
    QCOMPARE(program->state(), QProcess::Running);

    // The note in the middle of the window offers to quit.
    clickAt(window, 556, 372);
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
}

QTEST_GUILESS_MAIN(tst_StartupWindow)
#include "tst_startup_linux.moc"
