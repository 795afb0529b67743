#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QWidget>
#include <QtTest>

#include "privatexserver.h"
#include "programcopy.h"

// Records a macro in the real program from keys typed into another window, gives it to
// button 4 through the menu and the macro key dialog, and looks at the files and the wire.
namespace {
const char *const roleVariable = "SKELDA_MACRO_TEST_ROLE";
const char *const focusTitle = "skelda macro focus";

// Points of the window the user clicks, in window coordinates.
const QPoint macroManagerButton(139, 336);
const QPoint editorNewButton(239, 519);
const QPoint editorRecordButton(388, 181);
const QPoint editorOkButton(665, 519);
const QPoint buttonFourRow(183, 202);
const QPoint menuMacroEntry(316, 480);
const QPoint macroKeyNameField(500, 269);
const QPoint macroKeyFirstName(500, 289);
const QPoint macroKeyOk(440, 417);

// Every block that followed a feature report starting with `command`, report ids dropped.
QList<QByteArray> blocksAfter(const QString &trace, const QByteArray &command)
{
    QFile file(trace);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> blocks;
    bool collecting = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw);
        if (line.endsWith(QLatin1String(" failed")))
            continue;
        const QString operation = line.section(' ', 1, 1);
        const QByteArray bytes = QByteArray::fromHex(line.section(' ', 2).remove(' ').toLatin1());
        if (operation == QLatin1String("feature-out")) {
            collecting = bytes.startsWith(command);
            if (collecting)
                blocks.append(QByteArray());
        } else if (operation == QLatin1String("out") && collecting && !bytes.isEmpty()) {
            blocks.last().append(bytes.mid(1));
        }
    }
    return blocks;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}
} // namespace

class tst_MacrosLinux : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void recordedFromAnotherWindow();
    void assignedToButtonFour();

private:
    QProcess *startProgram(const QString &trace);
    QString startAndWait(const QString &trace);
    void stopProgram();
    bool click(QPoint at);
    bool tool(const QStringList &arguments);
    bool traceHas(const QString &trace, const QString &operation) const;
    QString library(const QString &file) const { return scratch.filePath("app/modules/" + file); }

    PrivateXServer x;
    QTemporaryDir scratch;
    QProcess *program = nullptr;
    QProcess focusHolder;
    QPoint origin;
};

void tst_MacrosLinux::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
}

void tst_MacrosLinux::cleanup()
{
    if (QTest::currentTestFailed())
        stopProgram();
}

void tst_MacrosLinux::cleanupTestCase()
{
    stopProgram();
    focusHolder.kill();
    focusHolder.waitForFinished();
    x.stop();
}

QProcess *tst_MacrosLinux::startProgram(const QString &trace)
{
    program = new QProcess;
    QProcessEnvironment env = x.environment();
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_HID_TRACE", trace);
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->setWorkingDirectory(scratch.path());
    program->start(scratch.filePath("app/skelda"), {});
    return program;
}

void tst_MacrosLinux::stopProgram()
{
    if (!program)
        return;
    program->kill();
    program->waitForFinished(5000);
    delete program;
    program = nullptr;
}

bool tst_MacrosLinux::tool(const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(x.environment());
    process.start("xdotool", arguments);
    return process.waitForFinished(20000) && process.exitCode() == 0;
}

bool tst_MacrosLinux::click(QPoint at)
{
    const QPoint p = origin + at;
    const bool done = tool(
        {"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    // The document reacts on the next turns of its event loop.
    QTest::qWait(400);
    return done;
}

bool tst_MacrosLinux::traceHas(const QString &trace, const QString &operation) const
{
    QFile file(trace);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (QString::fromLatin1(line).section(' ', 1).startsWith(operation))
            return true;
    return false;
}

// The program's window once its start-up lock is over; origin is its top left corner.
QString tst_MacrosLinux::startAndWait(const QString &trace)
{
    startProgram(trace);
    if (!program->waitForStarted())
        return {};
    QDeadlineTimer deadline(30000);
    QString window;
    while (!deadline.hasExpired()
        && (!traceHas(trace, "feature-out 00 03 01 0f 8a 4d 00 00 15")
            || (window = x.xdotool(
                    {"search", "--onlyvisible", "--pid", QString::number(program->processId())}))
                   .isEmpty()))
        QTest::qWait(100);
    if (window.isEmpty())
        return {};
    window = window.section('\n', 0, 0);
    // The busy lock of the start holds input for a second.
    QTest::qWait(2500);
    const QString geometry = x.xdotool({"getwindowgeometry", "--shell", window});
    origin = QPoint(geometry.section("X=", 1).section('\n', 0, 0).toInt(),
        geometry.section("Y=", 1).section('\n', 0, 0).toInt());
    return window;
}

void tst_MacrosLinux::recordedFromAnotherWindow()
{
    const QString trace = scratch.filePath("first.trace");
    QVERIFY(!startAndWait(trace).isEmpty());

    QVERIFY(click(macroManagerButton));
    QVERIFY(click(editorNewButton));
    QTRY_VERIFY(QFile::exists(library("macro/Macro_0.bin")));
    QVERIFY(click(editorRecordButton));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(roleVariable, "focus");
    focusHolder.setProcessEnvironment(x.environment(environment));
    focusHolder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(focusHolder.waitForStarted());
    QString focusWindow;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(focusWindow = x.xdotool({"search", "--name", focusTitle})).isEmpty(), 10000);
    focusWindow = focusWindow.section('\n', 0, 0);
    QVERIFY(tool({"windowfocus", "--sync", focusWindow}));
    QCOMPARE(x.xdotool({"getwindowfocus"}), focusWindow);
    QVERIFY(tool({"key", "--delay", "150", "a", "b"}));
    QCOMPARE(x.xdotool({"getwindowfocus"}), focusWindow);
    QTest::qWait(500);

    QVERIFY(click(editorRecordButton));
    QTRY_COMPARE(
        QSettings(library("macro/Macro_0.bin"), QSettings::IniFormat).value("config/total").toInt(),
        4);
    QSettings macro(library("macro/Macro_0.bin"), QSettings::IniFormat);
    QCOMPARE(macro.value("macro/0").toString(), QStringLiteral("1,A"));
    QCOMPARE(macro.value("macro/1").toString(), QStringLiteral("2,A"));
    QCOMPARE(macro.value("macro/2").toString(), QStringLiteral("1,B"));
    QCOMPARE(macro.value("macro/3").toString(), QStringLiteral("2,B"));
    QCOMPARE(macro.value("config/repeat").toInt(), 1);
    QCOMPARE(macro.value("config/index").toInt(), 0);
    QSettings names(library("setting/name.bin"), QSettings::IniFormat);
    QCOMPARE(
        names.value("macro/macroName").toStringList(), (QStringList {"Macro_0", "loadertovrim"}));
    // No button plays it yet, so no slot gets it.
    QVERIFY(blocksAfter(trace, bytes({0x00, 0x13, 0x01})).isEmpty());
    QVERIFY(click(editorOkButton));
}

void tst_MacrosLinux::assignedToButtonFour()
{
    QVERIFY2(program, "needs the program of the recording");
    const QString trace = scratch.filePath("first.trace");
    const int macrosBefore = blocksAfter(trace, bytes({0x00, 0x13, 0x01})).size();
    QVERIFY(click(buttonFourRow));
    QVERIFY(click(menuMacroEntry));
    QVERIFY(click(macroKeyNameField));
    QVERIFY(click(macroKeyFirstName));
    QVERIFY(click(macroKeyOk));

    const QByteArray recorded
        = bytes({0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00});
    QTRY_VERIFY_WITH_TIMEOUT(blocksAfter(trace, bytes({0x00, 0x13, 0x01})).size() > macrosBefore
            && blocksAfter(trace, bytes({0x00, 0x13, 0x01})).last().size() >= 128
            && !blocksAfter(trace, bytes({0x00, 0x12, 0x01})).isEmpty()
            && blocksAfter(trace, bytes({0x00, 0x12, 0x01})).last().size() >= 64,
        10000);
    const QByteArray macroBlock = blocksAfter(trace, bytes({0x00, 0x13, 0x01})).last();
    QVERIFY(macroBlock.size() >= 128);
    QCOMPARE(macroBlock.left(recorded.size()), recorded);
    QCOMPARE(macroBlock.mid(recorded.size(), 128 - recorded.size()),
        QByteArray(128 - recorded.size(), '\0'));

    QTRY_VERIFY_WITH_TIMEOUT(!blocksAfter(trace, bytes({0x00, 0x12, 0x01})).isEmpty(), 10000);
    const QByteArray matrix = blocksAfter(trace, bytes({0x00, 0x12, 0x01})).last();
    QCOMPARE(matrix.mid(12, 4), bytes({0x09, 0x00, 0x01, 0x00}));

    QSettings profile(library("setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(profile.value("macro/0").toString(), QStringLiteral("Macro_0"));
    const QVariantList button = profile.value("keydefine_Z5/3").toList();
    QCOMPARE(button.size(), 4);
    QCOMPARE(button.at(0).toInt(), 9);
    QCOMPARE(button.at(2).toInt(), 1);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariable(roleVariable) == QLatin1String("focus")) {
        QApplication app(argc, argv);
        QWidget focus;
        focus.setWindowTitle(focusTitle);
        focus.setGeometry(0, 880, 300, 120);
        focus.show();
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    tst_MacrosLinux test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_macros_linux.moc"
