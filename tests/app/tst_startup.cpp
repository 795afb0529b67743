#include <QProcess>
#include <QtTest>

#include "programcopy.h"
#include "support/workfolder.h"

// Starts the real program on the virtual device and follows its wire trace.
class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void handshakeThenStartSequence();
    void noDeviceKeepsRunningInTheTray();
    void startsFromAnyFolder();
    void relativeTraceNameMeansTheStartFolder();

private:
    QProcess *start(const QString &device, const QString &trace, const QString &workingDir);
    QStringList traceLines(const QString &trace) const;

    QTemporaryDir scratch;
    QList<QProcess *> running;
};

void tst_Startup::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void tst_Startup::cleanup()
{
    for (QProcess *process : running) {
        process->kill();
        process->waitForFinished(5000);
        delete process;
    }
    running.clear();
}

QProcess *tst_Startup::start(const QString &device, const QString &trace, const QString &workingDir)
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SKELDA_VIRTUAL_DEVICE", device);
    env.insert("SKELDA_HID_TRACE", trace);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setWorkingDirectory(workingDir);
    process->start(scratch.filePath("app/skelda"), {});
    running.append(process);
    return process;
}

QStringList tst_Startup::traceLines(const QString &trace) const
{
    QFile file(trace);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

static int indexOfOperation(const QStringList &lines, const QString &suffix, int from = 0)
{
    for (int i = from; i < lines.size(); ++i) {
        const QString rest = lines.at(i).section(' ', 1);
        if (rest.startsWith(suffix))
            return i;
    }
    return -1;
}

void tst_Startup::handshakeThenStartSequence()
{
    const QString trace = scratch.filePath("handshake.trace");
    QProcess *program = start("mouse", trace, scratch.path());
    QVERIFY(program->waitForStarted());
    const QString startCommand = "feature-out 00 03 01 0f 8a 4d 00 00 15";
    QTRY_VERIFY_WITH_TIMEOUT(indexOfOperation(traceLines(trace), startCommand) >= 0, 20000);

    const QStringList lines = traceLines(trace);
    const int enumerate = indexOfOperation(lines, "enumerate");
    const int handshake = indexOfOperation(lines, "feature-out 00 00 ");
    const int answer = indexOfOperation(lines, "feature-in 00 00 ", handshake);
    const int started = indexOfOperation(lines, startCommand);
    QVERIFY(enumerate >= 0);
    QVERIFY(handshake > enumerate);
    QVERIFY(answer > handshake);
    QVERIFY(started > answer);
    // The echo carries the four random bytes back unchanged.
    QCOMPARE(lines.at(answer).section(' ', 3, 7), lines.at(handshake).section(' ', 3, 7));
    // Only the keyboard's enumeration finds nothing; every transfer succeeds.
    for (const QString &line : lines)
        QVERIFY2(
            line.section(' ', 1, 1) == "enumerate" || !line.endsWith(" failed"), qPrintable(line));

    QTest::qWait(1000);
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_Startup::noDeviceKeepsRunningInTheTray()
{
    const QString trace = scratch.filePath("none.trace");
    QProcess *program = start("none", trace, scratch.path());
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(indexOfOperation(traceLines(trace), "enumerate") >= 0, 20000);
    QTest::qWait(3000);
    QCOMPARE(program->state(), QProcess::Running);
    QCOMPARE(indexOfOperation(traceLines(trace), "feature-out 00 03 01 0f 8a 4d"), -1);
}

void tst_Startup::startsFromAnyFolder()
{
    // The data tree is found beside the executable whatever the start folder is.
    QTemporaryDir elsewhere;
    const QString trace = scratch.filePath("elsewhere.trace");
    QProcess *program = start("mouse", trace, elsewhere.path());
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        indexOfOperation(traceLines(trace), "feature-out 00 03 01") >= 0, 20000);
    QVERIFY(QDir(elsewhere.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void tst_Startup::relativeTraceNameMeansTheStartFolder()
{
    QTemporaryDir elsewhere;
    QProcess *program = start("mouse", "wire.trace", elsewhere.path());
    QVERIFY(program->waitForStarted());
    const QString trace = QDir(elsewhere.path()).filePath("wire.trace");
    QTRY_VERIFY_WITH_TIMEOUT(
        indexOfOperation(traceLines(trace), "feature-out 00 03 01 0f 8a 4d") >= 0, 20000);
    QVERIFY(!QFile::exists(scratch.filePath("app/wire.trace")));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
