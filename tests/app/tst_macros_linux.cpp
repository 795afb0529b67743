#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QWidget>
#include <QtTest>

#include "programundertest.h"

// Records a macro in the real program from keys typed into another window, gives it to
// button 4 through the menu and the macro key dialog, looks at the files and the wire, and
// starts the program again on the same data.
namespace {
const char *const roleVariable = "SKELDA_MACRO_TEST_ROLE";
const char *const focusTitle = "skelda macro focus";

// Points of the window the user clicks, in window coordinates.
const QPoint macroManagerButton(139, 336);
const QPoint editorNewButton(239, 519);
const QPoint editorRecordButton(388, 181);
const QPoint editorOkButton(665, 519);
// The rows of the buttons are 21 apart; the function menu opens beside the row.
QPoint buttonRow(int index)
{
    return QPoint(183, 139 + 21 * index);
}
QPoint menuMacroEntry(int index)
{
    return QPoint(316, 417 + 21 * index);
}
const QPoint macroKeyNameField(500, 269);
const QPoint macroKeyFirstName(500, 289);
const QPoint macroKeyOk(440, 417);

const QByteArray macroSlotOne = QByteArray::fromHex("13 01 80");
const QByteArray macroSlotTwo = QByteArray::fromHex("13 02 80");
const QByteArray keyMatrix = QByteArray::fromHex("12 01 40 08");
// a and b pressed and released, as the mouse plays them.
const QByteArray recorded = QByteArray::fromHex("00 01 01 04 81 04 01 05 81 05 00 00");
QByteArray macroOfSlot(int slot)
{
    return QByteArray::fromHex("09 00") + char(slot) + '\0';
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
    void startedAgainKeepsTheMacroAndTheAssignment();

private:
    bool startAndWait(const QString &trace);
    // The document reacts on the next turns of its event loop.
    bool click(QPoint at)
    {
        const bool done = app.click(at);
        QTest::qWait(400);
        return done;
    }
    bool chooseFirstMacroFor(int button);
    QString library(const QString &file) const { return app.modulesFile(file); }

    ProgramUnderTest app;
    QProcess focusHolder;
};

void tst_MacrosLinux::initTestCase()
{
    const QString error = app.prepare();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void tst_MacrosLinux::cleanup()
{
    if (QTest::currentTestFailed())
        app.stop();
}

void tst_MacrosLinux::cleanupTestCase()
{
    app.stop();
    focusHolder.kill();
    focusHolder.waitForFinished();
}

bool tst_MacrosLinux::startAndWait(const QString &trace)
{
    return app.start(trace) && app.waitForWindow() && app.waitForQuietTrace();
}

bool tst_MacrosLinux::chooseFirstMacroFor(int button)
{
    return click(buttonRow(button)) && click(menuMacroEntry(button)) && click(macroKeyNameField)
        && click(macroKeyFirstName) && click(macroKeyOk);
}

void tst_MacrosLinux::recordedFromAnotherWindow()
{
    QVERIFY(startAndWait("first.trace"));
    QCOMPARE(app.failLines(), QStringList());

    QVERIFY(click(macroManagerButton));
    QVERIFY(click(editorNewButton));
    QTRY_VERIFY(QFile::exists(library("macro/Macro_0.bin")));
    QVERIFY(click(editorRecordButton));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(roleVariable, "focus");
    focusHolder.setProcessEnvironment(app.x.environment(environment));
    focusHolder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(focusHolder.waitForStarted());
    QString focusWindow;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(focusWindow = app.x.xdotool({"search", "--name", focusTitle})).isEmpty(), 10000);
    focusWindow = focusWindow.section('\n', 0, 0);
    QVERIFY(app.x.run({"windowfocus", "--sync", focusWindow}));
    QCOMPARE(app.x.xdotool({"getwindowfocus"}), focusWindow);
    QVERIFY(app.x.run({"key", "--delay", "150", "a", "b"}));
    QCOMPARE(app.x.xdotool({"getwindowfocus"}), focusWindow);
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
    QVERIFY(app.trace.commandsWith(macroSlotOne).isEmpty());
    QVERIFY(click(editorOkButton));
}

void tst_MacrosLinux::assignedToButtonFour()
{
    QVERIFY2(app.isRunning(), "needs the program of the recording");
    const int mark = app.trace.size();
    QVERIFY(chooseFirstMacroFor(3));

    QTRY_VERIFY_WITH_TIMEOUT(!app.trace.lastBlock(macroSlotOne, 128, mark).isEmpty()
            && !app.trace.lastBlock(keyMatrix, 64, mark).isEmpty(),
        10000);
    const QByteArray macroBlock = app.trace.lastBlock(macroSlotOne, 128, mark);
    QCOMPARE(macroBlock.left(recorded.size()), recorded);
    QCOMPARE(macroBlock.mid(recorded.size()), QByteArray(128 - recorded.size(), '\0'));
    QCOMPARE(app.trace.lastBlock(keyMatrix, 64, mark).mid(12, 4), macroOfSlot(1));

    QSettings profile(library("setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(profile.value("macro/0").toString(), QStringLiteral("Macro_0"));
    const QVariantList button = profile.value("keydefine_Z5/3").toList();
    QCOMPARE(button.size(), 4);
    QCOMPARE(button.at(0).toInt(), 9);
    QCOMPARE(button.at(2).toInt(), 1);
}

void tst_MacrosLinux::startedAgainKeepsTheMacroAndTheAssignment()
{
    QVERIFY2(app.isRunning(), "needs the program of the assignment");
    app.stop();
    QVERIFY(startAndWait("second.trace"));

    // Start-up gives the mouse's slot the macro again, and nothing fails on the way.
    const QByteArray macroBlock = app.trace.lastBlock(macroSlotOne, 128);
    QCOMPARE(macroBlock.left(recorded.size()), recorded);
    QCOMPARE(macroBlock.mid(recorded.size()), QByteArray(128 - recorded.size(), '\0'));
    QCOMPARE(app.failLines(), QStringList());

    // The macro key dialog lists the macro, and the buttons still hold button 4's: given to
    // button 5 as well, the macro takes the next slot and button 4 keeps its own.
    const int mark = app.trace.size();
    QVERIFY(chooseFirstMacroFor(4));
    QTRY_VERIFY_WITH_TIMEOUT(!app.trace.lastBlock(macroSlotTwo, 128, mark).isEmpty()
            && !app.trace.lastBlock(keyMatrix, 64, mark).isEmpty(),
        10000);
    QCOMPARE(app.trace.lastBlock(macroSlotTwo, 128, mark).left(recorded.size()), recorded);
    const QByteArray both = app.trace.lastBlock(keyMatrix, 64, mark);
    QCOMPARE(both.mid(12, 4), macroOfSlot(1));
    QCOMPARE(both.mid(16, 4), macroOfSlot(2));
    QSettings profile(library("setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(profile.value("macro/0").toString(), QStringLiteral("Macro_0"));
    QCOMPARE(profile.value("macro/1").toString(), QStringLiteral("Macro_0"));
    QCOMPARE(app.failLines(), QStringList());
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
