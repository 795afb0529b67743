#include <QAction>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "app/autostart.h"
#include "app/widget.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

namespace {
// The Exec line of the entry, as the desktop's launcher reads it: key-file escapes
// undone, then the arguments split by the shell's double-quote rules.
QStringList launchedArguments(const QString &entryPath)
{
    QFile entry(entryPath);
    if (!entry.open(QIODevice::ReadOnly))
        return {"<no entry>"};
    QString exec;
    for (const QString &line : QString::fromUtf8(entry.readAll()).split('\n'))
        if (line.startsWith("Exec="))
            exec = line.mid(5);
    exec.replace("\\\\", "\\");
    QProcess shell;
    shell.start("/bin/sh", {"-c", "printf '%s\\n' " + exec});
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

bool storedChoice(const WorkFolder &folder)
{
    QSettings config(folder.filePath("modules/setting/apConfig.bin"), QSettings::IniFormat);
    return config.value("common/autostart", false).toBool();
}
} // namespace

class tst_Autostart : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void entryStartsThisProgramHidden_data();
    void entryStartsThisProgramHidden();
    void trayEntryWritesAndRemovesIt();
    void unwritableConfigFolderLeavesItOff();
    void chosenEntryIsWrittenAgainAtStart();

private:
    QTemporaryDir home;
    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<Widget> window;
};

void tst_Autostart::init()
{
    QVERIFY(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    folder = std::make_unique<WorkFolder>(WorkFolder::ShippedSettings);
}

void tst_Autostart::cleanup()
{
    window.reset();
    folder.reset();
    QDir(home.filePath("config")).removeRecursively();
    QFile::remove(home.filePath("config"));
}

void tst_Autostart::entryStartsThisProgramHidden_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("plain") << "/opt/skelda/bin/skelda";
    QTest::newRow("space") << "/home/a user/Portable Apps/skelda";
    QTest::newRow("shell characters") << "/tmp/we$ird \"name\"/back\\slash `x`/skelda";
}

void tst_Autostart::entryStartsThisProgramHidden()
{
    QFETCH(QString, program);
    QVERIFY(Autostart::write(program));
    QCOMPARE(Autostart::location(), home.filePath("config/autostart/com.dornak.Skelda.desktop"));
    QCOMPARE(launchedArguments(Autostart::location()), (QStringList {program, "--hidden"}));
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.start(validator, {Autostart::location()});
        QVERIFY(validate.waitForFinished());
        QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());
    }
}

void tst_Autostart::trayEntryWritesAndRemovesIt()
{
    window = std::make_unique<Widget>();
    QAction *action = window->autostartMenuAction();
    QVERIFY(action->isCheckable());
    QVERIFY(!action->isChecked());
    QVERIFY(!Autostart::isWritten());

    action->trigger();
    QVERIFY(action->isChecked());
    QCOMPARE(launchedArguments(Autostart::location()),
        (QStringList {QCoreApplication::applicationFilePath(), "--hidden"}));
    QVERIFY(storedChoice(*folder));

    action->trigger();
    QVERIFY(!action->isChecked());
    QVERIFY(!QFile::exists(Autostart::location()));
    QVERIFY(!storedChoice(*folder));
}

void tst_Autostart::unwritableConfigFolderLeavesItOff()
{
    // A file where the configuration folder should be: nothing can be made below it.
    QFile blocker(home.filePath("config"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    window = std::make_unique<Widget>();
    QAction *action = window->autostartMenuAction();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("autostart entry not changed"));
    action->trigger();
    QVERIFY(!action->isChecked());
    QVERIFY(!storedChoice(*folder));
}

void tst_Autostart::chosenEntryIsWrittenAgainAtStart()
{
    {
        QSettings config(folder->filePath("modules/setting/apConfig.bin"), QSettings::IniFormat);
        config.setValue("common/autostart", true);
    }
    QVERIFY(!Autostart::isWritten());
    window = std::make_unique<Widget>();
    QVERIFY(window->autostartMenuAction()->isChecked());
    QCOMPARE(launchedArguments(Autostart::location()),
        (QStringList {QCoreApplication::applicationFilePath(), "--hidden"}));
}

QTEST_MAIN(tst_Autostart)
#include "tst_autostart_linux.moc"
