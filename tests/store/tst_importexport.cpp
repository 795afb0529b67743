#include <QApplication>
#include <QtTest>

#include <memory>

#include "bridge/dialogs.h"
#include "bridge/myqquickview.h"
#include "store/importexport.h"
#include "support/readonlyfolder.h"
#include "support/workfolder.h"

using skelda::test::ReadOnlyFolder;
using skelda::test::WorkFolder;

namespace {

// Answers every dialog from a script and records what was asked.
class ScriptedDialogs : public Dialogs
{
public:
    struct Asked
    {
        QString kind, caption, folder, filter;
    };

    ScriptedDialogs() { Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(nullptr); }

    QString openFileName(
        QWindow *, const QString &caption, const QString &folder, const QString &filter) override
    {
        asked.append({"open", caption, folder, filter});
        return answer;
    }
    QString saveFileName(
        QWindow *, const QString &caption, const QString &folder, const QString &filter) override
    {
        asked.append({"save", caption, folder, filter});
        return answer;
    }
    void warning(const QString &title, const QString &text) override
    {
        warnings.append({title, text});
    }
    bool confirm(const QString &, const QString &) override { return false; }

    QString answer;
    QList<Asked> asked;
    QList<QStringList> warnings;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class tst_ImportExport : public QObject
{
    Q_OBJECT

private slots:
    void exportProfileWritesAByteCopy();
    void exportReplacesAnExistingFile();
    void exportLeavesNeighbouringFilesAlone();
    void cancelledDialogsChangeNothing();
    void importProfileReachesTheCurrentProfileAtOnce();
    void importProfileIntoAnotherNumber();
    void failedImportKeepsTheTargets_data();
    void failedImportKeepsTheTargets();
    void damagedProfileIsRefusedAndReported_data();
    void damagedProfileIsRefusedAndReported();
    void profileNumbersOutsideTheListDoNothing();
    void exportMacroOnlyWhenItExists();
    void importMacroNeedsAnExistingMacro();
    void importMacroReplacesTheFile();
    void importMacroRefusesBadNamesAndFiles();
    void picturePathIsReturnedWhenReadable();
    void unreadablePictureIsReported();
    void unreadablePictureWithoutTextsShowsEmptyTexts();
};

void tst_ImportExport::exportProfileWritesAByteCopy()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.profileSettings(0)->setValue("XYSensitive/0", 7);
    dialogs.answer = folder.filePath("out.pf");
    view.saveProfile(0);
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked.at(0).kind, QString("save"));
    QCOMPARE(dialogs.asked.at(0).caption, QString("Save File"));
    QCOMPARE(dialogs.asked.at(0).filter, QString("Profile(*.pf)"));
    QCOMPARE(dialogs.asked.at(0).folder,
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    QVERIFY(!readAll("out.pf").isEmpty());
    QCOMPARE(readAll("out.pf"), readAll("modules/setting/p1.bin"));
    QVERIFY(readAll("out.pf").contains("XYSensitive"));
}

void tst_ImportExport::exportReplacesAnExistingFile()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.profileSettings(2)->setValue("XYSensitive/1", 3);
    view.profileSettings(2)->sync();
    write("out.pf", QByteArray(5000, 'x'));
    dialogs.answer = folder.filePath("out.pf");
    view.saveProfile(2);
    QCOMPARE(readAll("out.pf"), readAll("modules/setting/p3.bin"));
    QVERIFY(!QFileInfo::exists("out.pf.new"));
    QVERIFY(!QFileInfo::exists("out.pf.old"));
}

void tst_ImportExport::exportLeavesNeighbouringFilesAlone()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.profileSettings(0)->setValue("XYSensitive/0", 5);
    view.createMacroIni("m", 0);
    const QStringList neighbours {"out.pf.new", "out.pf.old", "out.mc.new", "out.mc.old"};
    for (const QString &name : neighbours)
        write(name, name.toUtf8());
    write("out.pf", "earlier");
    dialogs.answer = folder.filePath("out.pf");
    view.saveProfile(0);
    dialogs.answer = folder.filePath("out.mc");
    view.saveMacroIniToFile("m");
    QCOMPARE(readAll("out.pf"), readAll("modules/setting/p1.bin"));
    QCOMPARE(readAll("out.mc"), readAll("modules/macro/m.bin"));
    for (const QString &name : neighbours)
        QCOMPARE(readAll(name), name.toUtf8());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), neighbours.size() + 2);
}

void tst_ImportExport::cancelledDialogsChangeNothing()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.createMacroIni("m", 0);
    const QByteArray macro = readAll("modules/macro/m.bin");
    view.saveProfile(0);
    QCOMPARE(view.loadProfile(0), false);
    view.saveMacroIniToFile("m");
    QCOMPARE(view.loadMacroIniFromFile("m"), QVariant(QString(" ")));
    QCOMPARE(view.getCustomFilePath(), QString());
    QCOMPARE(dialogs.asked.size(), 5);
    QCOMPARE(readAll("modules/macro/m.bin"), macro);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
    QVERIFY(dialogs.warnings.isEmpty());
}

void tst_ImportExport::importProfileReachesTheCurrentProfileAtOnce()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.setXYSensitive(0, 2);
    write("in.pf", "[XYSensitive]\n0=9\n1=8\n[selectGun]\n0=ak\n");
    dialogs.answer = folder.filePath("in.pf");
    QCOMPARE(view.loadProfile(0), true);
    QCOMPARE(dialogs.asked.at(0).kind, QString("open"));
    QCOMPARE(dialogs.asked.at(0).caption, QString("Open File"));
    QCOMPARE(dialogs.asked.at(0).filter, QString("Profile(*.pf)"));
    QCOMPARE(readAll("modules/setting/p1.bin"), readAll("in.pf"));
    QCOMPARE(view.getXYSensitive(0).toInt(), 9);
    QCOMPARE(view.getselectGun(0).toString(), QString("ak"));
    QCOMPARE(view.profileSettings(0)->fileName(), view.currentProfileSettings()->fileName());
    // The replaced object must not write old values back when it goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(readAll("modules/setting/p1.bin"), readAll("in.pf"));
}

void tst_ImportExport::importProfileIntoAnotherNumber()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.profileSettings(0)->setValue("XYSensitive/0", 6);
    dialogs.answer = folder.filePath("p.pf");
    view.saveProfile(0);
    QCOMPARE(view.loadProfile(4), true);
    QCOMPARE(readAll("modules/setting/p5.bin"), readAll("p.pf"));
    QCOMPARE(view.profileSettings(4)->value("XYSensitive/0").toInt(), 6);
    QCOMPARE(view.profileSettings(0)->value("XYSensitive/0").toInt(), 6);
}

void tst_ImportExport::failedImportKeepsTheTargets_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("directory");
    QTest::addColumn<bool>("stagingBlocked");
    QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false << false;
    QTest::newRow("too large") << QByteArray(ImportExport::maxImportBytes + 1, 'a') << false
                               << false;
    QTest::newRow("folder") << QByteArray() << true << false;
    QTest::newRow("missing") << QByteArray("missing") << false << false;
    // A readable file whose copy cannot be staged next to the targets.
    QTest::newRow("copy not staged") << QByteArray("[XYSensitive]\n0=9\n") << false << true;
}

void tst_ImportExport::failedImportKeepsTheTargets()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, directory);
    QFETCH(bool, stagingBlocked);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.setXYSensitive(0, 2);
    view.createMacroIni("m", 1);
    const QByteArray profile = readAll("modules/setting/p1.bin");
    const QByteArray macro = readAll("modules/macro/m.bin");
    std::unique_ptr<ReadOnlyFolder> settingsBlocked;
    std::unique_ptr<ReadOnlyFolder> macrosBlocked;
    if (stagingBlocked) {
        settingsBlocked = std::make_unique<ReadOnlyFolder>("modules/setting");
        macrosBlocked = std::make_unique<ReadOnlyFolder>("modules/macro");
        QVERIFY(settingsBlocked->isActive() && macrosBlocked->isActive());
    }
    const QString chosen = folder.filePath("chosen.pf");
    if (directory)
        QDir().mkpath(chosen);
    else if (contents != "missing")
        write(chosen, contents);
    dialogs.answer = chosen;
    QCOMPARE(view.loadProfile(0), false);
    QCOMPARE(dialogs.warnings.size(), 1);
    QCOMPARE(view.loadMacroIniFromFile("m"), QVariant(QString(" ")));
    QCOMPARE(readAll("modules/setting/p1.bin"), profile);
    QCOMPARE(readAll("modules/macro/m.bin"), macro);
    QCOMPARE(view.getXYSensitive(0).toInt(), 2);
    QCOMPARE(view.loadMacroIndex("m").toInt(), 1);
}

void tst_ImportExport::damagedProfileIsRefusedAndReported_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("binary") << QByteArray("\x01\x02\0\xff[sensor]\n", 9) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("text") << QByteArray("hello world\n") << false;
    QTest::newRow("foreign keys") << QByteArray("[window]\nwidth=3\n") << false;
    QTest::newRow("group without key") << QByteArray("[sensor]\n") << false;
    QTest::newRow("missing file") << QByteArray("missing") << false;
    QTest::newRow("cut inside its last line") << QByteArray("[sensor]\ndpi_Z5=400, 8") << false;
    QTest::newRow("cut inside a key") << QByteArray("[XYSensitive]\n0=4\n1") << false;
    QTest::newRow("one profile key") << QByteArray("[sensor]\ndpi_Z5=400, 800\n") << true;
    QTest::newRow("written on Windows") << QByteArray("[sensor]\r\ndpi_Z5=400, 800\r\n") << true;
    QTest::newRow("top-level key too") << QByteArray("x=1\n[XYSensitive]\n0=3\n") << true;
}

void tst_ImportExport::damagedProfileIsRefusedAndReported()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, accepted);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.setMessageTexts({"0", "1", "2", "3", "4", "5", "Profile", "Not loaded: "});
    view.setXYSensitive(0, 2);
    const QByteArray before = readAll("modules/setting/p1.bin");
    dialogs.answer = folder.filePath("chosen.pf");
    if (contents != "missing")
        write(dialogs.answer, contents);
    QCOMPARE(view.loadProfile(0), accepted);
    if (accepted) {
        QCOMPARE(readAll("modules/setting/p1.bin"), contents);
        QVERIFY(dialogs.warnings.isEmpty());
        return;
    }
    QCOMPARE(readAll("modules/setting/p1.bin"), before);
    QCOMPARE(view.getXYSensitive(0).toInt(), 2);
    QCOMPARE(dialogs.warnings.size(), 1);
    QCOMPARE(dialogs.warnings.at(0), (QStringList {"Profile", "Not loaded: " + dialogs.answer}));
}

void tst_ImportExport::profileNumbersOutsideTheListDoNothing()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    dialogs.answer = folder.filePath("x.pf");
    write("x.pf", "[a]\nb=1\n");
    view.saveProfile(10);
    view.saveProfile(-1);
    QCOMPARE(view.loadProfile(10), false);
    QCOMPARE(view.loadProfile(-1), false);
    QVERIFY(dialogs.asked.isEmpty());
    QVERIFY(!QFileInfo::exists("modules/setting/p11.bin"));
    QVERIFY(!QFileInfo::exists("modules/setting/p0.bin"));
}

void tst_ImportExport::exportMacroOnlyWhenItExists()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    dialogs.answer = folder.filePath("m.mc");
    view.saveMacroIniToFile("m");
    QVERIFY(dialogs.asked.isEmpty());
    view.createMacroIni("m", 2);
    view.saveMacroIni("m", {"1,A    [Down]"}, {}, 3);
    view.saveMacroIniToFile("m");
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked.at(0).caption, QString("Save File"));
    QCOMPARE(dialogs.asked.at(0).filter, QString("Macro(*.mc)"));
    QCOMPARE(readAll("m.mc"), readAll("modules/macro/m.bin"));
}

void tst_ImportExport::importMacroNeedsAnExistingMacro()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    write("in.mc", "[config]\ntotal=0\n");
    dialogs.answer = folder.filePath("in.mc");
    QCOMPARE(view.loadMacroIniFromFile("new"), QVariant(QString(" ")));
    QVERIFY(!QFileInfo::exists("modules/macro/new.bin"));
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked.at(0).caption, QString("Open File"));
    QCOMPARE(dialogs.asked.at(0).filter, QString("Macro(*.mc)"));
}

void tst_ImportExport::importMacroReplacesTheFile()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.createMacroIni("m", 0);
    write("in.mc", "[config]\nindex=4\ntotal=2\nrepeat=7\ndid=1\n[macro]\n0=a\n1=b\n");
    dialogs.answer = folder.filePath("in.mc");
    QCOMPARE(view.loadMacroIniFromFile("m"), QVariant(dialogs.answer));
    QCOMPARE(readAll("modules/macro/m.bin"), readAll("in.mc"));
    QCOMPARE(view.loadMacroIni("m"), (QStringList {"a", "b", "7"}));
}

void tst_ImportExport::importMacroRefusesBadNamesAndFiles()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    write("in.mc", "[config]\ntotal=0\n");
    write("modules/target.bin", "keep");
    dialogs.answer = folder.filePath("in.mc");
    QCOMPARE(view.loadMacroIniFromFile("../target"), QVariant(QString(" ")));
    QCOMPARE(readAll("modules/target.bin"), QByteArray("keep"));
    view.saveMacroIniToFile("../target");
    QCOMPARE(readAll("in.mc"), QByteArray("[config]\ntotal=0\n"));
}

void tst_ImportExport::picturePathIsReturnedWhenReadable()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    write("pic.png", "\x89PNG");
    dialogs.answer = folder.filePath("pic.png");
    QCOMPARE(view.getCustomFilePath(), dialogs.answer);
    QCOMPARE(dialogs.asked.at(0).caption, QString("Open File"));
    QCOMPARE(dialogs.asked.at(0).filter, QString("Image Files(*.png)"));
    QCOMPARE(dialogs.asked.at(0).folder,
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    QVERIFY(dialogs.warnings.isEmpty());
}

void tst_ImportExport::unreadablePictureIsReported()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.setMessageTexts({"t0", "t1", "Picture", "Cannot open: "});
    dialogs.answer = folder.filePath("gone.png");
    QCOMPARE(view.getCustomFilePath(), QString());
    QCOMPARE(dialogs.warnings.size(), 1);
    QCOMPARE(dialogs.warnings.at(0), (QStringList {"Picture", "Cannot open: " + dialogs.answer}));
}

void tst_ImportExport::unreadablePictureWithoutTextsShowsEmptyTexts()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    myQQuickView view;
    view.setMessageTexts({"only one"});
    dialogs.answer = folder.filePath("gone%1.png");
    QCOMPARE(view.getCustomFilePath(), QString());
    QCOMPARE(dialogs.warnings.at(0), (QStringList {QString(), dialogs.answer}));
}

QTEST_MAIN(tst_ImportExport)
#include "tst_importexport.moc"
