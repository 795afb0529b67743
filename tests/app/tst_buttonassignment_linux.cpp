#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "privatexserver.h"
#include "programcopy.h"

// Assigns buttons in the real program on the virtual mouse with the pointer and the keyboard of
// a private X server, then reads the key matrix from the HID trace and from the profile file.
class tst_ButtonAssignment : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void menuAndSingleKeyReachDeviceAndProfile();

private:
    // The last key matrix block written after the 12H command frame, or empty.
    QByteArray lastKeyMatrix() const;
    QVariantList storedButton(int button) const;
    void click(int x, int y) const;
    void point(int x, int y) const;

    PrivateXServer x;
    QTemporaryDir scratch;
    QProcess program;
    QString trace;
    QString window;
};

void tst_ButtonAssignment::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
    trace = scratch.filePath("buttons.trace");
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_HID_TRACE", trace);
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setWorkingDirectory(scratch.path());
    program.start(scratch.filePath("app/skelda"), {});
    QVERIFY(program.waitForStarted());
    const QString pid = QString::number(program.processId());
    QTRY_VERIFY_WITH_TIMEOUT(
        !x.xdotool({"search", "--onlyvisible", "--pid", pid}).isEmpty(), 20000);
    window = x.xdotool({"search", "--onlyvisible", "--pid", pid}).section('\n', 0, 0);
}

void tst_ButtonAssignment::cleanupTestCase()
{
    program.kill();
    program.waitForFinished(5000);
    x.stop();
}

QByteArray tst_ButtonAssignment::lastKeyMatrix() const
{
    QFile file(trace);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QByteArray block;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).section(' ', 1).startsWith("feature-out 00 12 01 40 08 00 00 00 a4"))
            continue;
        // The block follows in two output reports; the interface is reopened for each.
        QByteArray data;
        for (int n = i + 1; n < lines.size() && data.size() < 64; ++n) {
            const QString call = lines.at(n).section(' ', 1);
            if (call.startsWith("feature-") || call.endsWith("failed"))
                break;
            if (call.startsWith("out 00 "))
                data += QByteArray::fromHex(call.mid(7).toLatin1());
        }
        if (data.size() == 64)
            block = data;
    }
    return block;
}

QVariantList tst_ButtonAssignment::storedButton(int button) const
{
    QSettings config(scratch.filePath("app/modules/setting/apConfig.bin"), QSettings::IniFormat);
    const int profile = config.value("Z5/profileNo", 0).toInt();
    QSettings settings(
        scratch.filePath(QStringLiteral("app/modules/setting/p%1.bin").arg(profile + 1)),
        QSettings::IniFormat);
    return settings.value(QStringLiteral("keydefine_Z5/%1").arg(button)).toList();
}

void tst_ButtonAssignment::point(int px, int py) const
{
    x.xdotool({"mousemove", "--window", window, QString::number(px), QString::number(py)});
}

void tst_ButtonAssignment::click(int px, int py) const
{
    point(px, py);
    x.xdotool({"click", "1"});
}

void tst_ButtonAssignment::menuAndSingleKeyReachDeviceAndProfile()
{
    const QVariantList dpiLoop {"7", "0", "3", "0"};
    const QByteArray dpiLoopBytes("\x07\x00\x03\x00", 4);
    // The panels appear once the busy lock of the start ends; until then clicks do nothing.
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Button 3's row, "DPI Setting +" in the menu beside it, "DPI LOOP" in its sub-menu.
        click(180, 181);
        point(300, 396);
        click(440, 441);
        if (QTest::qWaitFor([&] { return lastKeyMatrix().mid(8, 4) == dpiLoopBytes; }, 3000))
            break;
    }
    QByteArray block = lastKeyMatrix();
    QCOMPARE(block.mid(8, 4).toHex(' '), QByteArray("07 00 03 00"));
    QCOMPARE(block.mid(0, 4).toHex(' '), QByteArray("01 00 f0 00"));
    QCOMPARE(block.mid(28, 4).toHex(' '), QByteArray("08 00 02 00"));
    QCOMPARE(storedButton(2), dpiLoop);

    // Button 4's row, "Assign Keyboard Key", then F5 typed and confirmed.
    const QByteArray f5("\x00\x00\x3e\x00", 4);
    for (int attempt = 0; attempt < 5; ++attempt) {
        click(180, 202);
        click(300, 459);
        x.xdotool({"key", "F5"});
        click(444, 377);
        if (QTest::qWaitFor([&] { return lastKeyMatrix().mid(12, 4) == f5; }, 3000))
            break;
    }
    block = lastKeyMatrix();
    QCOMPARE(block.mid(12, 4).toHex(' '), QByteArray("00 00 3e 00"));
    QCOMPARE(block.mid(8, 4).toHex(' '), QByteArray("07 00 03 00"));
    QCOMPARE(storedButton(3), (QVariantList {"0", "0", "62", "0"}));
    QCOMPARE(storedButton(2), dpiLoop);
    QCOMPARE(program.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_ButtonAssignment)
#include "tst_buttonassignment_linux.moc"
