#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "privatexserver.h"
#include "programcopy.h"

// The gun page of the real program on the virtual mouse, driven with xdotool on a
// private X server; what reaches the mouse is read from the HID trace.
class tst_GunPageLinux : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void newGunIsStoredAndTheProfilesGunIsSent();

private:
    struct Command
    {
        QByteArray feature;
        QByteArray data;
    };

    QList<Command> commands() const;
    QList<Command> commandsWith(uchar code) const;
    bool traceQuietFor(int ms);
    void click(int x, int y);
    void type(const QString &keys);

    PrivateXServer x;
    QTemporaryDir scratch;
    QProcess program;
    QString window;
    QString trace;
    qint64 lastTraceSize = -1;
    QElapsedTimer traceSteady;
};

void tst_GunPageLinux::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
    trace = scratch.filePath("gun.trace");
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_HID_TRACE", trace);
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setWorkingDirectory(scratch.path());
    program.start(scratch.filePath("app/skelda"), {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        !x.xdotool({"search", "--onlyvisible", "--pid", QString::number(program.processId())})
             .isEmpty(),
        20000);
    window = x.xdotool({"search", "--onlyvisible", "--pid", QString::number(program.processId())})
                 .section('\n', 0, 0);
    // Start-up sends the whole profile; the screen is locked until it is done.
    QTRY_VERIFY_WITH_TIMEOUT(traceQuietFor(1500), 30000);
}

void tst_GunPageLinux::cleanupTestCase()
{
    program.kill();
    program.waitForFinished(5000);
    x.stop();
}

bool tst_GunPageLinux::traceQuietFor(int ms)
{
    const qint64 size = QFileInfo(trace).size();
    if (size != lastTraceSize || !traceSteady.isValid()) {
        lastTraceSize = size;
        traceSteady.start();
        return false;
    }
    return size > 0 && traceSteady.elapsed() >= ms;
}

void tst_GunPageLinux::click(int px, int py)
{
    QVERIFY(x.xdotool({"mousemove", "--window", window, QString::number(px), QString::number(py),
                          "click", "1"})
                .isEmpty());
    QTest::qWait(0);
}

void tst_GunPageLinux::type(const QString &keys)
{
    // No window manager runs here to give the clicked window the keyboard.
    x.xdotool({"windowfocus", "--sync", window});
    x.xdotool({"key", "ctrl+a"});
    // xdotool would take a leading minus for an option of its own.
    QString text = keys;
    if (text.startsWith('-')) {
        x.xdotool({"key", "minus"});
        text.remove(0, 1);
    }
    x.xdotool({"type", "--delay", "40", text});
}

// Every command frame with the bulk data written after it (report ids dropped).
QList<tst_GunPageLinux::Command> tst_GunPageLinux::commands() const
{
    QList<Command> result;
    QFile file(trace);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3 || line.endsWith("failed"))
            continue;
        const QByteArray bytes = QByteArray::fromHex(fields.mid(2).join());
        if (fields.at(1) == "feature-out")
            result.append({bytes, {}});
        else if (fields.at(1) == "out" && !result.isEmpty())
            result.last().data += bytes.mid(1);
    }
    return result;
}

QList<tst_GunPageLinux::Command> tst_GunPageLinux::commandsWith(uchar code) const
{
    QList<Command> result;
    for (const Command &command : commands())
        if (command.feature.size() > 1 && uchar(command.feature.at(1)) == code)
            result.append(command);
    return result;
}

void tst_GunPageLinux::newGunIsStoredAndTheProfilesGunIsSent()
{
    // Window coordinates: the page is centred (at 180, 100), its Insert dialogs centred in it.
    const int page = 180, pageTop = 100, dialog = page + 180, dialogTop = pageTop + 130;
    click(139, 370);
    click(page + 59, pageTop + 416);
    const QString gunFile = scratch.filePath("app/modules/gun/Gun_0.bin");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(gunFile), 10000);

    // Insert Mouse with its first choice, the left button.
    click(page + 207, pageTop + 239);
    click(dialog + 90, dialogTop + 155);
    // Insert Cursor: X -1, Y 5.
    click(page + 207, pageTop + 270);
    click(dialog + 190, dialogTop + 66);
    type("-1");
    click(dialog + 190, dialogTop + 116);
    type("5");
    click(dialog + 90, dialogTop + 155);
    // Insert Delay: 120 ms, placed before the offset.
    click(page + 207, pageTop + 301);
    click(dialog + 120, dialogTop + 88);
    type("120");
    click(dialog + 90, dialogTop + 155);

    const QStringList expected {"3,MS-L", "4,MS-L", "0,120", "5,-1", "6,5"};
    const auto storedLines = [&gunFile] {
        QSettings stored(gunFile, QSettings::IniFormat);
        QStringList lines;
        for (int i = 0; i < stored.value("config/total").toInt(); ++i)
            lines << stored.value("gun/" + QString::number(i)).toString();
        return lines;
    };
    QTRY_COMPARE_WITH_TIMEOUT(storedLines(), expected, 10000);
    QCOMPARE(QSettings(gunFile, QSettings::IniFormat).value("config/repeat").toInt(), 1);
    QCOMPARE(QSettings(gunFile, QSettings::IniFormat).value("config/index").toInt(), 3);
    QSettings names(scratch.filePath("app/modules/setting/name.bin"), QSettings::IniFormat);
    QCOMPARE(names.value("gun/gunName").toStringList(),
        QStringList({"General", "Standard", "Three fire", "Gun_0"}));
    // A gun no profile plays is only stored.
    QVERIFY(commandsWith(0x04).isEmpty());

    // The profile's gun (the shipped Standard) reaches the gun slots as soon as it changes.
    click(page + 67, pageTop + 93);
    click(page + 381, pageTop + 115);
    click(page + 207, pageTop + 270);
    click(dialog + 190, dialogTop + 66);
    type("-1");
    click(dialog + 190, dialogTop + 116);
    type("5");
    click(dialog + 90, dialogTop + 155);

    const QByteArray gunBytes = QByteArray::fromHex("0001 19f0 8af0 0afa ff05 0000");
    QTRY_COMPARE_WITH_TIMEOUT(commandsWith(0x04).size(), 1, 10000);
    QCOMPARE(
        commandsWith(0x04).first().feature.mid(1, 7), QByteArray::fromHex("04 0c 00 00 00 00 00"));
    const QList<Command> macros = commandsWith(0x13);
    QCOMPARE(macros.size(), 1);
    QCOMPARE(macros.first().feature.mid(1, 3), QByteArray::fromHex("13 06 80"));
    QCOMPARE(macros.first().data.left(128), gunBytes + QByteArray(128 - gunBytes.size(), 0));

    QSettings standard(scratch.filePath("app/modules/gun/Standard.bin"), QSettings::IniFormat);
    QCOMPARE(standard.value("config/total").toInt(), 5);
    QCOMPARE(standard.value("gun/3").toString(), QString("5,-1"));
    QCOMPARE(standard.value("gun/4").toString(), QString("6,5"));
}

QTEST_GUILESS_MAIN(tst_GunPageLinux)
#include "tst_gunpage_linux.moc"
