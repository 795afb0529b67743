#include <QFileInfo>
#include <QSettings>
#include <QtTest>

#include "programundertest.h"

// The gun page of the real program on the virtual mouse, driven with xdotool on a
// private X server; what reaches the mouse is read from the HID trace.
class tst_GunPageLinux : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newGunIsStoredAndTheProfilesGunIsSent();
    void newGunChosenForButtonEight();

private:
    void click(int x, int y) { QVERIFY(app.click(QPoint(x, y))); }
    void type(const QString &keys)
    {
        QVERIFY(app.focus());
        QVERIFY(app.keys({"ctrl+a"}));
        QVERIFY(app.type(keys));
    }
    void insertCursor(const QString &offsetX, const QString &offsetY);

    ProgramUnderTest app;
};

namespace {
// Window coordinates: the page is centred (at 180, 100), its Insert dialogs centred in it.
const int page = 180, pageTop = 100, dialog = page + 180, dialogTop = pageTop + 130;
const QPoint buttonEightRow(183, 286);
// The macro key dialog is centred in the window; its drop-down rows are 18 apart.
const QPoint gunNameField(500, 269);
QPoint gunNameRow(int index)
{
    return QPoint(500, 289 + 18 * index);
}
const QPoint gunKeyOk(440, 417);
} // namespace

void tst_GunPageLinux::initTestCase()
{
    const QString error = app.prepare();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(app.start("gun.trace"));
    QVERIFY(app.waitForWindow());
    // Start-up sends the whole profile; the screen is locked until it is done.
    QVERIFY(app.waitForQuietTrace());
}

// Insert Cursor on the selected action with the offsets typed into its two fields.
void tst_GunPageLinux::insertCursor(const QString &offsetX, const QString &offsetY)
{
    click(page + 207, pageTop + 270);
    click(dialog + 190, dialogTop + 66);
    type(offsetX);
    click(dialog + 190, dialogTop + 116);
    type(offsetY);
    click(dialog + 90, dialogTop + 155);
}

void tst_GunPageLinux::newGunIsStoredAndTheProfilesGunIsSent()
{
    // Start-up sent the profile's gun once already: only what follows counts here.
    const int gunsAtStart = int(app.trace.commandsWith(0x04).size());
    const int macrosAtStart = int(app.trace.commandsWith(0x13).size());
    QCOMPARE(gunsAtStart, 1);
    click(139, 370);
    click(page + 59, pageTop + 416);
    const QString gunFile = app.modulesFile("gun/Gun_0.bin");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(gunFile), 10000);

    // Insert Mouse with its first choice, the left button.
    click(page + 207, pageTop + 239);
    click(dialog + 90, dialogTop + 155);
    // Insert Cursor: X -1, Y 5.
    insertCursor("-1", "5");
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
    QSettings names(app.modulesFile("setting/name.bin"), QSettings::IniFormat);
    QCOMPARE(names.value("gun/gunName").toStringList(),
        QStringList({"General", "Standard", "Three fire", "Gun_0"}));
    // A gun no profile plays is only stored.
    QCOMPARE(app.trace.commandsWith(0x04).size(), gunsAtStart);

    // The profile's gun (the shipped Standard) reaches the gun slots as soon as it changes.
    click(page + 67, pageTop + 93);
    click(page + 381, pageTop + 115);
    insertCursor("-1", "5");

    const QByteArray gunBytes = QByteArray::fromHex("0001 19f0 8af0 0afa ff05 0000");
    QTRY_COMPARE_WITH_TIMEOUT(app.trace.commandsWith(0x04).size(), gunsAtStart + 1, 10000);
    QCOMPARE(app.trace.commandsWith(0x04).last().feature.mid(1, 7),
        QByteArray::fromHex("04 0c 00 00 00 00 00"));
    const QList<HidTraceFile::Command> macros = app.trace.commandsWith(0x13).mid(macrosAtStart);
    QCOMPARE(macros.size(), 1);
    QCOMPARE(macros.first().feature.mid(1, 3), QByteArray::fromHex("13 06 80"));
    QCOMPARE(macros.first().data.left(128), gunBytes + QByteArray(128 - gunBytes.size(), 0));

    QSettings standard(app.modulesFile("gun/Standard.bin"), QSettings::IniFormat);
    QCOMPARE(standard.value("config/total").toInt(), 5);
    QCOMPARE(standard.value("gun/3").toString(), QString("5,-1"));
    QCOMPARE(standard.value("gun/4").toString(), QString("6,5"));
}

void tst_GunPageLinux::newGunChosenForButtonEight()
{
    QVERIFY2(app.isRunning(), "needs the program with the new gun");
    // The page's OK closes it; button 8 opens the macro key dialog with the gun list.
    click(page + 481, pageTop + 416);
    QVERIFY(app.waitForQuietTrace());
    const int mark = app.trace.size();
    click(buttonEightRow.x(), buttonEightRow.y());
    click(gunNameField.x(), gunNameField.y());
    click(gunNameRow(3).x(), gunNameRow(3).y());
    click(gunKeyOk.x(), gunKeyOk.y());

    // Button 8 plays device slot 6 until released; the other buttons keep their defaults.
    const QByteArray gunKeyMatrix = QByteArray::fromHex("09 02 06 00 01 00 f1 00 01 00 f2 00"
                                                        "00 00 2e 00 00 00 05 00 07 00 01 00"
                                                        "07 00 02 00 08 00 02 00")
        + QByteArray(24, '\0') + QByteArray::fromHex("04 00 01 00 04 00 02 00");
    QTRY_VERIFY_WITH_TIMEOUT(
        !app.trace.lastBlock(QByteArray::fromHex("12 03 40 08"), 64, mark).isEmpty(), 10000);
    QCOMPARE(app.trace.lastBlock(QByteArray::fromHex("12 03 40 08"), 64, mark).toHex(' '),
        gunKeyMatrix.toHex(' '));
    QCOMPARE(app.trace.lastBlock(QByteArray::fromHex("12 01 40 08"), 64, mark).mid(28, 4),
        QByteArray::fromHex("08 00 02 00"));

    // Gun_0 in the gun slots, then its length; 0x0A frames a record with no gap after it.
    const QByteArray gunBytes = QByteArray::fromHex("0001 0af0 bcf0 0afa ff05 0000");
    QTRY_COMPARE_WITH_TIMEOUT(app.trace.commandsWith(0x04, mark).size(), 1, 10000);
    const QList<HidTraceFile::Command> sent = app.trace.commandsWith(0x13, mark);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().feature.mid(1, 3), QByteArray::fromHex("13 06 80"));
    QCOMPARE(sent.first().data.left(128).toHex(' '),
        (gunBytes + QByteArray(128 - gunBytes.size(), 0)).toHex(' '));
    QVERIFY(sent.first().call < app.trace.commandsWith(0x04, mark).first().call);
    QCOMPARE(app.trace.commandsWith(0x04, mark).first().feature.mid(1, 7),
        QByteArray::fromHex("04 0c 00 00 00 00 00"));

    QSettings profile(app.modulesFile("setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(profile.value("selectGun/0").toString(), QStringLiteral("Gun_0"));
    QCOMPARE(app.failLines(), QStringList());
}

QTEST_GUILESS_MAIN(tst_GunPageLinux)
#include "tst_gunpage_linux.moc"
