#include <QLocalSocket>
#include <QProcess>
#include <QtTest>

#include "app/qtsinglecoreapplication.h"

// Runs copies of the real program: one per folder, as a user would start them.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void idDependsOnThePathOnly();
    void secondStartOfTheSameFileExitsWithOne();
    void copiesInOtherFoldersRunSideBySide();
    void aCrashedCopyDoesNotBlockTheNextStart();

private:
    QString installCopy(const QString &name);
    QProcess *start(const QString &program);
    bool waitUntilListening(const QString &program, int timeout = 15000);

    QTemporaryDir folders;
    QList<QProcess *> running;
};

void tst_SingleInstance::initTestCase()
{
    QVERIFY(folders.isValid());
    QVERIFY2(QFile::exists(SKELDA_RUNTIME_DIR "/skelda"), "the program must be built first");
}

void tst_SingleInstance::cleanup()
{
    for (QProcess *process : running) {
        process->kill();
        process->waitForFinished(5000);
        delete process;
    }
    running.clear();
}

QString tst_SingleInstance::installCopy(const QString &name)
{
    const QString folder = folders.filePath(name);
    QDir().mkpath(folder);
    const QString program = folder + "/skelda";
    if (!QFile::exists(program)) {
        QFile::copy(SKELDA_RUNTIME_DIR "/skelda", program);
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    }
    return QFileInfo(program).canonicalFilePath();
}

QProcess *tst_SingleInstance::start(const QString &program)
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // The copies never look for a mouse of their own: a plugged-in one stays untouched.
    env.insert("SKELDA_VIRTUAL_DEVICE", "none");
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setWorkingDirectory(QDir::tempPath());
    process->start(program, {});
    running.append(process);
    return process;
}

bool tst_SingleInstance::waitUntilListening(const QString &program, int timeout)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeout) {
        QLocalSocket probe;
        probe.connectToServer(QtSingleCoreApplication::idForPath(program));
        if (probe.waitForConnected(200))
            return true;
        QTest::qWait(100);
    }
    return false;
}

void tst_SingleInstance::idDependsOnThePathOnly()
{
    const QString one = QtSingleCoreApplication::idForPath("/opt/a/skelda");
    QCOMPARE(QtSingleCoreApplication::idForPath("/opt/a/skelda"), one);
    QVERIFY(QtSingleCoreApplication::idForPath("/opt/b/skelda") != one);
    QVERIFY(!one.contains('/'));
}

void tst_SingleInstance::secondStartOfTheSameFileExitsWithOne()
{
    const QString program = installCopy("one");
    QProcess *first = start(program);
    QVERIFY(first->waitForStarted());
    QVERIFY(waitUntilListening(program));

    QProcess *second = start(program);
    QVERIFY(second->waitForFinished(15000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 1);
    QCOMPARE(first->state(), QProcess::Running);
}

void tst_SingleInstance::copiesInOtherFoldersRunSideBySide()
{
    const QString one = installCopy("one");
    const QString two = installCopy("two");
    QProcess *first = start(one);
    QVERIFY(waitUntilListening(one));
    QProcess *other = start(two);
    QVERIFY(waitUntilListening(two));
    // The first still answers after the second took its own name.
    QVERIFY(waitUntilListening(one));
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(other->state(), QProcess::Running);
}

void tst_SingleInstance::aCrashedCopyDoesNotBlockTheNextStart()
{
    const QString program = installCopy("one");
    QProcess *first = start(program);
    QVERIFY(waitUntilListening(program));
    first->kill();
    QVERIFY(first->waitForFinished(5000));

    QProcess *next = start(program);
    QVERIFY(waitUntilListening(program));
    QCOMPARE(next->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
