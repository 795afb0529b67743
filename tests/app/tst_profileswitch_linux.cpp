#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QtTest>

#include "privatexserver.h"
#include "programcopy.h"

// Drives the real program on the virtual mouse like a user: the profile page opened with its
// button, a profile made, its DPI changed, switched back and forth and the program restarted.
// What counts is what reaches the wire, the files and the screen.
class tst_ProfileSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void switchingSendsAndShowsTheWholeProfile();

private:
    QProcess *start();
    void stop();
    QStringList trace() const;
    // Index of the first trace line from `from` on whose operation and bytes begin with `text`.
    int find(const QString &text, int from = 0) const;
    QImage screen() const;
    QRgb pixel(int x, int y) const;
    void click(int x, int y) const;
    // Clicks until the condition holds: clicks are lost while the busy lock is on.
    bool clickUntil(int x, int y, const std::function<bool()> &done, int attempts = 8) const;
    bool rowIsCurrent(int row) const;
    bool pageOpen() const;
    bool stageOneFilled() const;
    // Finds the program's window and takes its position as the origin of the coordinates.
    bool locateWindow();
    QStringList storedNames() const;
    int storedProfile() const;
    static QString frame(const QList<int> &bytes);

    PrivateXServer x;
    QTemporaryDir scratch;
    QProcess *program = nullptr;
    QPoint origin;
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
const QString startCommand = "feature-out 00 03 01 0f 8a 4d 00 00 15";
const QString defaultDpi = "03 07 0f 17 1f 31 80 80";
const QString changedDpi = "5e 07 0f 17 1f 31 80 80";
} // namespace

QString tst_ProfileSwitch::frame(const QList<int> &bytes)
{
    QList<int> full = bytes;
    while (full.size() < 7)
        full.append(0);
    int sum = 0;
    for (int b : full)
        sum += b;
    full.prepend(0);
    full.append(~sum & 0xff);
    QStringList hex;
    for (int b : full)
        hex.append(QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')));
    return QStringLiteral("feature-out ") + hex.join(' ');
}

void tst_ProfileSwitch::initTestCase()
{
    if (QStandardPaths::findExecutable("import").isEmpty())
        QSKIP("ImageMagick's import is not installed (scripts/install-deps.sh installs it)");
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
}

void tst_ProfileSwitch::cleanupTestCase()
{
    stop();
    x.stop();
}

QProcess *tst_ProfileSwitch::start()
{
    program = new QProcess;
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_HID_TRACE", scratch.filePath("hid.trace"));
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->setWorkingDirectory(scratch.path());
    program->start(scratch.filePath("app/skelda"), {});
    return program;
}

void tst_ProfileSwitch::stop()
{
    if (!program)
        return;
    program->terminate();
    if (!program->waitForFinished(10000)) {
        program->kill();
        program->waitForFinished(5000);
    }
    delete program;
    program = nullptr;
}

QStringList tst_ProfileSwitch::trace() const
{
    QFile file(scratch.filePath("hid.trace"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

int tst_ProfileSwitch::find(const QString &text, int from) const
{
    const QStringList lines = trace();
    for (int i = qMax(0, from); i < lines.size(); ++i)
        if (lines.at(i).section(' ', 1).startsWith(text))
            return i;
    return -1;
}

QImage tst_ProfileSwitch::screen() const
{
    QProcess grab;
    grab.setProcessEnvironment(x.environment());
    grab.start("import", {"-window", "root", "png:-"});
    if (!grab.waitForFinished(20000) || grab.exitCode() != 0)
        return {};
    return QImage::fromData(grab.readAllStandardOutput(), "PNG");
}

QRgb tst_ProfileSwitch::pixel(int px, int py) const
{
    const QImage image = screen();
    const QPoint at = origin + QPoint(px, py);
    return image.valid(at) ? image.pixel(at) : 0;
}

void tst_ProfileSwitch::click(int px, int py) const
{
    const QPoint at = origin + QPoint(px, py);
    x.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
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
    for (int i = 0; i < 6; ++i)
        if (rowIsCurrent(i))
            return true;
    return false;
}

// The first DPI slider is filled up to its top at 6000 and nearly empty at 400.
bool tst_ProfileSwitch::stageOneFilled() const
{
    const QRgb at = pixel(755, 32 + 18 + 38 + 60);
    return qRed(at) > 200 && qBlue(at) < 80;
}

bool tst_ProfileSwitch::locateWindow()
{
    const QString window
        = x.xdotool({"search", "--onlyvisible", "--pid", QString::number(program->processId())});
    if (window.isEmpty())
        return false;
    const QString geometry
        = x.xdotool({"getwindowgeometry", "--shell", window.section('\n', 0, 0)});
    QMap<QString, int> values;
    for (const QString &line : geometry.split('\n'))
        values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
    if (values.value("WIDTH") != 1000 || values.value("HEIGHT") != 640)
        return false;
    origin = QPoint(values.value("X"), values.value("Y"));
    return true;
}

QStringList tst_ProfileSwitch::storedNames() const
{
    QSettings names(scratch.filePath("app/modules/setting/name.bin"), QSettings::IniFormat);
    return names.value("profile/profileName").toStringList();
}

int tst_ProfileSwitch::storedProfile() const
{
    QSettings config(scratch.filePath("app/modules/setting/apConfig.bin"), QSettings::IniFormat);
    return config.value("Z5/profileNo", -1).toInt();
}

void tst_ProfileSwitch::switchingSendsAndShowsTheWholeProfile()
{
    start();
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(find(startCommand) >= 0, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(locateWindow(), 10000);
    QCOMPARE(storedNames(), (QStringList {"PUBG0", "Standard1"}));

    // A new profile takes number 2, the mouse switches to it and the list is stored.
    QVERIFY(clickUntil(profileButton.x(), profileButton.y(), [this] { return rowIsCurrent(0); }));
    int mark = trace().size();
    click(newButton.x(), newButton.y());
    QTRY_VERIFY_WITH_TIMEOUT(find(frame({0x02, 2}), mark) >= 0, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(
        storedNames(), (QStringList {"PUBG0", "Standard1", "profile_02"}), 5000);
    QVERIFY(rowIsCurrent(2));
    QTRY_COMPARE_WITH_TIMEOUT(storedProfile(), 2, 5000);
    mark = trace().size();
    click(pageClose.x(), pageClose.y());
    QTRY_VERIFY_WITH_TIMEOUT(find("out 00 " + defaultDpi, mark) >= 0, 20000);
    QVERIFY(!pageOpen());

    // Stage 1 of the new profile goes to 6000.
    mark = trace().size();
    QVERIFY(clickUntil(
        stageOneTop.x(), stageOneTop.y(), [&] { return find("out 00 " + changedDpi, mark) >= 0; }));
    QTRY_VERIFY_WITH_TIMEOUT(stageOneFilled(), 5000);

    struct Switch
    {
        int row;
        int number;
        QString dpi;
        bool filled;
    };
    for (const Switch &to : {Switch {0, 0, defaultDpi, false}, Switch {2, 2, changedDpi, true}}) {
        const int from = to.row == 0 ? 2 : 0;
        QVERIFY(
            clickUntil(profileButton.x(), profileButton.y(), [&] { return rowIsCurrent(from); }));
        mark = trace().size();
        click(row(to.row).x(), row(to.row).y());
        QTRY_VERIFY_WITH_TIMEOUT(find(frame({0x02, to.number}), mark) >= 0, 10000);
        const int switched = find(frame({0x02, to.number}), mark);
        // The pages are filled again without sending until the page closes.
        const int closing = trace().size();
        const int early = find("feature-out 00 11 06 08", switched);
        QVERIFY2(early == -1 || early >= closing, "DPI sent before the page closed");
        click(pageClose.x(), pageClose.y());
        QTRY_VERIFY_WITH_TIMEOUT(find("feature-out 00 11 06 08", switched) >= 0, 20000);
        const int dpiCommand = find("feature-out 00 11 06 08", switched);
        QTRY_VERIFY_WITH_TIMEOUT(find("out 00 ", dpiCommand) > dpiCommand, 5000);
        QVERIFY2(
            trace().at(find("out 00 ", dpiCommand)).section(' ', 1).startsWith("out 00 " + to.dpi),
            qPrintable(trace().at(find("out 00 ", dpiCommand))));
        QTRY_COMPARE_WITH_TIMEOUT(stageOneFilled(), to.filled, 5000);
        QCOMPARE(storedProfile(), to.number);
    }

    // The next run starts on the same profile with the same list.
    stop();
    QFile::remove(scratch.filePath("hid.trace"));
    start();
    QVERIFY(program->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(find(startCommand) >= 0, 30000);
    QCOMPARE(storedNames(), (QStringList {"PUBG0", "Standard1", "profile_02"}));
    QTRY_VERIFY_WITH_TIMEOUT(locateWindow(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(stageOneFilled(), 10000);
    QVERIFY(clickUntil(profileButton.x(), profileButton.y(), [this] { return rowIsCurrent(2); }));
    QVERIFY(!rowIsCurrent(0));
}

QTEST_GUILESS_MAIN(tst_ProfileSwitch)
#include "tst_profileswitch_linux.moc"
