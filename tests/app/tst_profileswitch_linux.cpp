#include <QImage>
#include <QSettings>
#include <QtTest>

#include "programundertest.h"

// Drives the real program on the virtual mouse like a user: the profile page opened with its
// button, a profile made, its DPI and a button changed, switched back and forth, the program
// restarted, and a profile exported and imported into another one.
// What counts is what reaches the wire, the files and the screen.
class tst_ProfileSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void switchingSendsAndShowsTheWholeProfile();
    void exportedProfileImportsIntoAnother();
    void damagedImportChangesNothing();

private:
    QImage screen() const;
    QRgb pixel(int x, int y) const;
    void click(int x, int y) const { app.click(QPoint(x, y)); }
    // Clicks until the condition holds: clicks are lost while the busy lock is on.
    bool clickUntil(int x, int y, const std::function<bool()> &done, int attempts = 8) const;
    bool rowIsCurrent(int row) const;
    bool pageOpen() const;
    bool stageOneFilled() const;
    bool openPageOn(int row) const;
    // The key matrix block sent from trace call `from` on, once it is complete.
    QByteArray keyMatrixFrom(int from) const;
    // Chooses an entry of the row's context menu and answers the file dialog it opens.
    bool fileMenu(int row, int entry, const QString &dialogTitle, const QString &path);
    QStringList storedNames() const;
    int storedProfile() const;
    QByteArray profileFile(int number) const;
    // The key matrix the profile file holds, read anew, in the form the mouse gets it.
    QByteArray storedMatrix(int number) const;
    static QString frame(const QList<int> &bytes);

    ProgramUnderTest app;
    QByteArray firstMatrix;
    QByteArray newMatrix;
};

namespace {
const QPoint profileButton(80, 620);
const QPoint newButton(66, 592);
const QPoint pageClose(263, 21);
const QPoint stageOneTop(755, 90);
// Row centres of the profile list; x clear of the names.
QPoint row(int index)
{
    return QPoint(248, 47 + 18 * index);
}
// The context menu opens 3 below the click; its entries are 21 high.
QPoint menuEntry(int index, int entry)
{
    return row(index) + QPoint(60, 3 + 21 * entry + 10);
}
enum MenuEntry { Load = 3, Save = 4 };
const QString defaultDpi = "03 07 0f 17 1f 31 80 80";
const QString changedDpi = "5e 07 0f 17 1f 31 80 80";
const QByteArray keyMatrix = QByteArray::fromHex("12 01 40 08");
const QByteArray dpiLoop = QByteArray::fromHex("07 00 03 00");
} // namespace

QString tst_ProfileSwitch::frame(const QList<int> &bytes)
{
    return HidTraceFile::featureLine(bytes);
}

void tst_ProfileSwitch::initTestCase()
{
    if (QStandardPaths::findExecutable("import").isEmpty())
        QSKIP("ImageMagick's import is not installed (scripts/install-deps.sh installs it)");
    const QString error = app.prepare();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

QImage tst_ProfileSwitch::screen() const
{
    QProcess grab;
    grab.setProcessEnvironment(app.x.environment());
    grab.start("import", {"-window", "root", "png:-"});
    if (!grab.waitForFinished(20000) || grab.exitCode() != 0)
        return {};
    return QImage::fromData(grab.readAllStandardOutput(), "PNG");
}

QRgb tst_ProfileSwitch::pixel(int px, int py) const
{
    const QImage image = screen();
    const QPoint at = app.origin + QPoint(px, py);
    return image.valid(at) ? image.pixel(at) : 0;
}

bool tst_ProfileSwitch::clickUntil(
    int px, int py, const std::function<bool()> &done, int attempts) const
{
    for (int i = 0; i < attempts; ++i) {
        click(px, py);
        QDeadlineTimer deadline(4000);
        while (!deadline.hasExpired()) {
            if (done())
                return true;
            QTest::qWait(100);
        }
    }
    return false;
}

bool tst_ProfileSwitch::rowIsCurrent(int index) const
{
    const QPoint at = row(index);
    return (pixel(at.x(), at.y()) & 0xffffff) == 0xb03b3b;
}

bool tst_ProfileSwitch::pageOpen() const
{
    const QImage image = screen();
    for (int i = 0; i < 6; ++i) {
        const QPoint at = app.origin + row(i);
        if (image.valid(at) && (image.pixel(at) & 0xffffff) == 0xb03b3b)
            return true;
    }
    return false;
}

// The first DPI slider is filled up to its top at 6000 and nearly empty at 400.
bool tst_ProfileSwitch::stageOneFilled() const
{
    const QRgb at = pixel(755, 32 + 18 + 38 + 60);
    return qRed(at) > 200 && qBlue(at) < 80;
}

bool tst_ProfileSwitch::openPageOn(int current) const
{
    return clickUntil(profileButton.x(), profileButton.y(), [&] { return rowIsCurrent(current); });
}

QByteArray tst_ProfileSwitch::keyMatrixFrom(int from) const
{
    return app.trace.lastBlock(keyMatrix, 64, from);
}

bool tst_ProfileSwitch::fileMenu(
    int index, int entry, const QString &dialogTitle, const QString &path)
{
    if (!app.click(row(index), 3) || !app.click(menuEntry(index, entry)))
        return false;
    const QStringList title {"search", "--onlyvisible", "--name", "^" + dialogTitle + "$"};
    QString dialog;
    if (!QTest::qWaitFor([&] { return !(dialog = app.x.xdotool(title)).isEmpty(); }, 10000))
        return false;
    dialog = dialog.section('\n', 0, 0);
    // The name field has the keyboard; a completion list may take the first Return.
    if (!app.x.run({"windowfocus", "--sync", dialog}) || !app.keys({"ctrl+a"}) || !app.type(path))
        return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        app.keys({"Return"});
        if (QTest::qWaitFor([&] { return app.x.xdotool(title).isEmpty(); }, 3000))
            return true;
    }
    return false;
}

QStringList tst_ProfileSwitch::storedNames() const
{
    QSettings names(app.modulesFile("setting/name.bin"), QSettings::IniFormat);
    return names.value("profile/profileName").toStringList();
}

int tst_ProfileSwitch::storedProfile() const
{
    QSettings config(app.modulesFile("setting/apConfig.bin"), QSettings::IniFormat);
    return config.value("Z5/profileNo", -1).toInt();
}

QByteArray tst_ProfileSwitch::profileFile(int number) const
{
    QFile file(app.modulesFile(QStringLiteral("setting/p%1.bin").arg(number + 1)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray tst_ProfileSwitch::storedMatrix(int number) const
{
    QSettings profile(
        app.modulesFile(QStringLiteral("setting/p%1.bin").arg(number + 1)), QSettings::IniFormat);
    QByteArray matrix;
    for (int button = 0; button < 16; ++button) {
        const QVariantList entry
            = profile.value(QStringLiteral("keydefine_Z5/%1").arg(button)).toList();
        for (int i = 0; i < 4; ++i)
            matrix.append(char(entry.value(i, -1).toInt()));
        // The pages' type 0x0F ("Auto Run", "Fire Mode") goes out as 0x00.
        if (matrix.at(4 * button) == 0x0f)
            matrix[4 * button] = 0;
    }
    return matrix;
}

void tst_ProfileSwitch::switchingSendsAndShowsTheWholeProfile()
{
    QVERIFY(app.start("hid.trace"));
    QVERIFY(app.waitForWindow());
    QCOMPARE(app.size, QSize(1000, 640));
    QCOMPARE(storedNames(), (QStringList {"PUBG0", "Standard1"}));
    firstMatrix = storedMatrix(0);
    QVERIFY(firstMatrix.mid(8, 4) != dpiLoop);

    // A new profile takes number 2, the mouse switches to it and the list is stored.
    QVERIFY(openPageOn(0));
    int mark = app.trace.size();
    click(newButton.x(), newButton.y());
    QTRY_VERIFY_WITH_TIMEOUT(app.trace.has(frame({0x02, 2}), mark), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(
        storedNames(), (QStringList {"PUBG0", "Standard1", "profile_02"}), 5000);
    QVERIFY(rowIsCurrent(2));
    QTRY_COMPARE_WITH_TIMEOUT(storedProfile(), 2, 5000);
    mark = app.trace.size();
    click(pageClose.x(), pageClose.y());
    QTRY_VERIFY_WITH_TIMEOUT(app.trace.has("out 00 " + defaultDpi, mark), 20000);
    QVERIFY(!pageOpen());

    // Stage 1 of the new profile goes to 6000.
    mark = app.trace.size();
    QVERIFY(clickUntil(stageOneTop.x(), stageOneTop.y(),
        [&] { return app.trace.has("out 00 " + changedDpi, mark); }));
    QTRY_VERIFY_WITH_TIMEOUT(stageOneFilled(), 5000);
    // Button 3 of the new profile cycles the DPI: button 3's row, "DPI Setting +", "DPI LOOP".
    mark = app.trace.size();
    for (int attempt = 0; attempt < 8; ++attempt) {
        click(180, 181);
        app.moveTo({300, 396});
        click(440, 441);
        if (QTest::qWaitFor([&] { return keyMatrixFrom(mark).mid(8, 4) == dpiLoop; }, 3000))
            break;
    }
    newMatrix = keyMatrixFrom(mark);
    QCOMPARE(newMatrix.mid(8, 4), dpiLoop);
    QCOMPARE(storedMatrix(2).toHex(' '), newMatrix.toHex(' '));

    struct Switch
    {
        int row;
        int number;
        QString dpi;
        bool filled;
        QByteArray matrix;
    };
    for (const Switch &to : {Switch {0, 0, defaultDpi, false, firstMatrix},
             Switch {2, 2, changedDpi, true, newMatrix}}) {
        const int from = to.row == 0 ? 2 : 0;
        QVERIFY(openPageOn(from));
        mark = app.trace.size();
        click(row(to.row).x(), row(to.row).y());
        QTRY_VERIFY_WITH_TIMEOUT(app.trace.has(frame({0x02, to.number}), mark), 10000);
        const int switched = app.trace.find(frame({0x02, to.number}), mark);
        // The pages are filled again without sending until the page closes.
        const int closing = app.trace.size();
        const int early = app.trace.find("feature-out 00 11 06 08", switched);
        QVERIFY2(early == -1 || early >= closing, "DPI sent before the page closed");
        QVERIFY2(keyMatrixFrom(switched).isEmpty(), "key matrix sent before the page closed");
        click(pageClose.x(), pageClose.y());
        QTRY_VERIFY_WITH_TIMEOUT(app.trace.has("feature-out 00 11 06 08", switched), 20000);
        const int dpiCommand = app.trace.find("feature-out 00 11 06 08", switched);
        QTRY_VERIFY_WITH_TIMEOUT(app.trace.find("out 00 ", dpiCommand) > dpiCommand, 5000);
        const QString dpiBlock = app.trace.calls().at(app.trace.find("out 00 ", dpiCommand));
        QVERIFY2(dpiBlock.startsWith("out 00 " + to.dpi), qPrintable(dpiBlock));
        QTRY_VERIFY_WITH_TIMEOUT(!keyMatrixFrom(switched).isEmpty(), 10000);
        QCOMPARE(keyMatrixFrom(switched).toHex(' '), to.matrix.toHex(' '));
        QTRY_COMPARE_WITH_TIMEOUT(stageOneFilled(), to.filled, 5000);
        QCOMPARE(storedProfile(), to.number);
    }

    // The next run starts on the same profile with the same list.
    app.stop();
    QVERIFY(app.trace.remove());
    QVERIFY(app.start("hid.trace"));
    QVERIFY(app.waitForWindow());
    QCOMPARE(storedNames(), (QStringList {"PUBG0", "Standard1", "profile_02"}));
    QTRY_VERIFY_WITH_TIMEOUT(stageOneFilled(), 10000);
    QVERIFY(openPageOn(2));
    QVERIFY(!rowIsCurrent(0));
    QCOMPARE(app.failLines(), QStringList());
}

void tst_ProfileSwitch::exportedProfileImportsIntoAnother()
{
    QVERIFY2(app.isRunning(), "needs the restarted program on the new profile");
    const QString exported = app.filePath("game.pf");
    QVERIFY(fileMenu(2, Save, "Save File", exported));
    QTRY_COMPARE_WITH_TIMEOUT(QFile(exported).size(), qint64(profileFile(2).size()), 5000);
    QFile exportedFile(exported);
    QVERIFY(exportedFile.open(QIODevice::ReadOnly));
    QCOMPARE(exportedFile.readAll(), profileFile(2));

    // Back on the first profile, which still has its own values.
    int mark = app.trace.size();
    click(row(0).x(), row(0).y());
    QTRY_VERIFY_WITH_TIMEOUT(app.trace.has(frame({0x02, 0}), mark), 10000);
    click(pageClose.x(), pageClose.y());
    QTRY_COMPARE_WITH_TIMEOUT(keyMatrixFrom(mark).toHex(' '), firstMatrix.toHex(' '), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!stageOneFilled(), 5000);
    QVERIFY(app.waitForQuietTrace());

    // Loading the export into it sends the imported values at once.
    QVERIFY(openPageOn(0));
    mark = app.trace.size();
    QVERIFY(fileMenu(0, Load, "Open File", exported));
    QTRY_COMPARE_WITH_TIMEOUT(keyMatrixFrom(mark).toHex(' '), newMatrix.toHex(' '), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(app.trace.has("out 00 " + changedDpi, mark), 10000);
    QVERIFY(!app.trace.has("feature-out 00 02 ", mark));
    QCOMPARE(storedProfile(), 0);
    QCOMPARE(storedNames(), (QStringList {"PUBG0", "Standard1", "profile_02"}));
    QSettings imported(app.modulesFile("setting/p1.bin"), QSettings::IniFormat);
    QSettings source(exported, QSettings::IniFormat);
    QCOMPARE(imported.allKeys(), source.allKeys());
    for (const QString &key : source.allKeys())
        QVERIFY2(imported.value(key) == source.value(key), qPrintable(key));
    // The pages are locked for a moment after the import.
    QVERIFY(clickUntil(pageClose.x(), pageClose.y(), [this] { return !pageOpen(); }));
    QTRY_VERIFY_WITH_TIMEOUT(stageOneFilled(), 5000);
    QCOMPARE(app.failLines(), QStringList());
}

void tst_ProfileSwitch::damagedImportChangesNothing()
{
    QVERIFY2(app.isRunning(), "needs the program with the imported profile");
    QVERIFY(app.waitForQuietTrace());
    // An export cut short inside a line: still text with profile keys, but not a whole file.
    QFile good(app.filePath("game.pf"));
    QVERIFY(good.open(QIODevice::ReadOnly));
    QByteArray cut = good.readAll().left(int(good.size() / 2));
    while (cut.endsWith('\n'))
        cut.chop(1);
    const QString damaged = app.filePath("damaged.pf");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(cut), qint64(cut.size()));
    file.close();

    const QByteArray before = profileFile(0);
    QVERIFY(openPageOn(0));
    const int mark = app.trace.size();
    QVERIFY(fileMenu(0, Load, "Open File", damaged));
    // The warning names the profile as its title and waits for its OK.
    const QStringList warning {"search", "--onlyvisible", "--name", "^(Profile|配置文件)$"};
    QTRY_VERIFY_WITH_TIMEOUT(!app.x.xdotool(warning).isEmpty(), 10000);
    QVERIFY(app.x.run({"windowfocus", "--sync", app.x.xdotool(warning).section('\n', 0, 0)}));
    QVERIFY(app.keys({"Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(app.x.xdotool(warning).isEmpty(), 5000);

    QVERIFY(app.waitForQuietTrace());
    QCOMPARE(app.trace.commands(mark).size(), 0);
    QCOMPARE(profileFile(0), before);
    QCOMPARE(storedProfile(), 0);
    QVERIFY(rowIsCurrent(0));
    QVERIFY(clickUntil(pageClose.x(), pageClose.y(), [this] { return !pageOpen(); }));
    QVERIFY(stageOneFilled());
    QVERIFY(app.isRunning());
}

QTEST_GUILESS_MAIN(tst_ProfileSwitch)
#include "tst_profileswitch_linux.moc"
