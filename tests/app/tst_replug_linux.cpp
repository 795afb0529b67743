#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/privatexserver.h"
#include "app/programcopy.h"

// The real program on the virtual mouse under its own X server: the mouse is pulled and
// put back through the outside control, and a DPI change made afterwards reaches it.
class tst_ReplugProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void unplugAndReplugThroughTheControl();

private:
    QStringList trace() const;
    int countOf(const QString &operation) const;
    QString control(const QByteArray &command) const;
    QStringList visibleWindows() const;
    QMap<QString, QByteArray> settingsFiles() const;

    PrivateXServer x;
    QTemporaryDir scratch;
    QProcess program;
};

void tst_ReplugProgram::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
}

void tst_ReplugProgram::cleanupTestCase()
{
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
    x.stop();
}

QStringList tst_ReplugProgram::trace() const
{
    QFile file(scratch.filePath("replug.trace"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList operations;
    for (const QString &line : QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts))
        operations << line.section(' ', 1);
    return operations;
}

int tst_ReplugProgram::countOf(const QString &operation) const
{
    int n = 0;
    for (const QString &line : trace())
        n += line.startsWith(operation) ? 1 : 0;
    return n;
}

QString tst_ReplugProgram::control(const QByteArray &command) const
{
    QLocalSocket socket;
    socket.connectToServer(scratch.filePath("control"));
    if (!socket.waitForConnected(5000))
        return QStringLiteral("no connection");
    socket.write(command + '\n');
    if (!socket.waitForBytesWritten(5000))
        return QStringLiteral("not sent");
    QByteArray answer;
    QDeadlineTimer deadline(10000);
    while (!answer.contains('\n') && !deadline.hasExpired() && socket.waitForReadyRead(100))
        answer += socket.readAll();
    while (!answer.contains('\n') && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(100))
            answer += socket.readAll();
    }
    return QString::fromUtf8(answer).trimmed();
}

QStringList tst_ReplugProgram::visibleWindows() const
{
    return x.xdotool({"search", "--onlyvisible", "--pid", QString::number(program.processId())})
        .split('\n', Qt::SkipEmptyParts);
}

QMap<QString, QByteArray> tst_ReplugProgram::settingsFiles() const
{
    QMap<QString, QByteArray> files;
    QDir dir(scratch.filePath("app/modules/setting"));
    for (const QString &name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

void tst_ReplugProgram::unplugAndReplugThroughTheControl()
{
    const QString setting = scratch.filePath("app/modules/setting/");
    // What a killed run leaves behind goes at the next start; a user's own file stays.
    for (const QString &name : {"p1.bin.new", "p2.bin.Xy12Zw", "qt_temp.Ab34Cd", "p1.bin.old"}) {
        QFile file(setting + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x=1\n");
    }
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_HID_TRACE", scratch.filePath("replug.trace"));
    env.insert("SKELDA_VIRTUAL_CONTROL", scratch.filePath("control"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(scratch.filePath("app/skelda"), {});
    QVERIFY(program.waitForStarted());

    // Found at start: handshake, start sequence, then the whole profile, report rate last.
    QTRY_VERIFY_WITH_TIMEOUT(countOf("feature-out 00 01 ") == 1, 30000);
    QCOMPARE(countOf("feature-out 00 11 "), 1);
    QCOMPARE(countOf("feature-out 00 00 "), 1);
    QCOMPARE(countOf("feature-out 00 03 01 0f 8a 4d"), 1);
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows().size(), 1, 10000);
    for (const QString &name : {"p1.bin.new", "p2.bin.Xy12Zw", "qt_temp.Ab34Cd"})
        QVERIFY2(!QFile::exists(setting + name), qPrintable(name));
    QVERIFY(QFile::exists(setting + "p1.bin.old"));
    QTest::qWait(2000);
    const QMap<QString, QByteArray> stored = settingsFiles();

    QCOMPARE(control("unplug"), QString("ok"));
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows().size(), 0, 10000);
    QCOMPARE(control("state"), QString("unplugged"));
    QTest::qWait(1000);
    QCOMPARE(control("plug"), QString("ok"));

    QTRY_VERIFY_WITH_TIMEOUT(countOf("feature-out 00 01 ") == 2, 30000);
    QCOMPARE(countOf("feature-out 00 11 "), 2);
    QCOMPARE(countOf("feature-out 00 00 "), 2);
    QCOMPARE(countOf("feature-out 00 03 01 0f 8a 4d"), 2);
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows().size(), 1, 10000);
    QTest::qWait(2000);
    QCOMPARE(settingsFiles(), stored);

    // A click in the middle of the first DPI slider's track.
    const QString window = visibleWindows().constFirst();
    x.xdotool({"mousemove", "--window", window, "755", "155", "click", "1"});
    // The block follows the third DPI set's command frame after its pause.
    auto blockOfThirdSet = [this] {
        const QStringList operations = trace();
        int sets = 0;
        for (const QString &line : operations) {
            sets += line.startsWith("feature-out 00 11 ") ? 1 : 0;
            if (sets == 3 && line.startsWith("out "))
                return line;
        }
        return QString();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!blockOfThirdSet().isEmpty(), 10000);
    // Stage 1's byte: the value in hundreds minus one, and no longer the stored 400.
    bool ok = false;
    const int stageByte = blockOfThirdSet().section(' ', 2, 2).toInt(&ok, 16);
    QVERIFY2(ok && stageByte != 0x03 && stageByte < 0x40, qPrintable(blockOfThirdSet()));
    QSettings profile(setting + "p1.bin", QSettings::IniFormat);
    QCOMPARE(profile.value("sensor/dpi_Z5").toStringList().value(0).toInt(), (stageByte + 1) * 100);
    QCOMPARE(program.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_ReplugProgram)
#include "tst_replug_linux.moc"
