#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QtTest>

#include "store/appconfig.h"
#include "store/leftovers.h"
#include "store/profiles.h"
#include "store/settingsfiles.h"
#include "support/readonlyfolder.h"
#include "support/workfolder.h"

using skelda::test::ReadOnlyFolder;
using skelda::test::WorkFolder;

namespace {
const QString settingFolder = QStringLiteral("./modules/setting");
const QString p1 = QStringLiteral("./modules/setting/p1.bin");

using Change = std::function<bool(QSettings &)>;

// The value a next run of the program would read.
QVariant readFresh(const QString &path, const QString &key)
{
    QTemporaryDir scratch;
    const QString copy = scratch.filePath("copy.ini");
    QFile::copy(path, copy);
    QSettings fresh(copy, QSettings::IniFormat);
    return fresh.value(key);
}
} // namespace

class tst_SettingsWrites : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readOnlyFolderRefusesAndKeepsTheStoredValue_data();
    void readOnlyFolderRefusesAndKeepsTheStoredValue();
    void writableAgainReportsSuccess();
    void failureDoesNotStickToLaterWrites();
    void malformedLineDoesNotMakeWritesFail();
    void unchangedValueCountsAsSaved();
    void leftoverNames_data();
    void leftoverNames();
    void cleanRemovesOnlyLeftovers();
    void cleanKeepsALiveLock();
};

void tst_SettingsWrites::init()
{
    // Every test below needs the folder to refuse writes; root must not override that.
    WorkFolder probe;
    ReadOnlyFolder readOnly(probe.filePath("modules/setting"));
    QFile file(probe.filePath("modules/setting/probe"));
    if (file.open(QIODevice::WriteOnly))
        QSKIP("this system writes into read-only folders");
}

void tst_SettingsWrites::readOnlyFolderRefusesAndKeepsTheStoredValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<Change>("change");

    QTest::newRow("existing value")
        << "XYSensitive/0" << QVariant("3")
        << Change([](QSettings &s) { return Profiles::write(s, "XYSensitive/0", 8); });
    QTest::newRow("new key") << "XYSensitive/1" << QVariant() << Change([](QSettings &s) {
        return Profiles::write(s, "XYSensitive/1", 8);
    });
    QTest::newRow("list")
        << "sensor/dpi_Z5" << QVariant(QStringList {"200", "400"}) << Change([](QSettings &s) {
               return Profiles::write(s, "sensor/dpi_Z5", QVariantList {5000, 6000});
           });
    QTest::newRow("several keys") << "macro/2" << QVariant("m2") << Change([](QSettings &s) {
        return Profiles::writeAll(s, {{"macro/1", QString("x")}, {"macro/2", QString("y")}});
    });
    QTest::newRow("profile number")
        << "Z5/profileNo" << QVariant("4")
        << Change([](QSettings &s) { return AppConfig::setProfileNumber(s, 7); });
}

void tst_SettingsWrites::readOnlyFolderRefusesAndKeepsTheStoredValue()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(Change, change);
    WorkFolder folder;
    folder.writeFile("modules/setting/p1.bin",
        "[XYSensitive]\n0=3\n\n[Z5]\nprofileNo=4\n\n[macro]\n1=m1\n2=m2\n\n"
        "[sensor]\ndpi_Z5=200, 400\n");
    const QByteArray before = folder.readFile("modules/setting/p1.bin");
    QSettings settings(p1, QSettings::IniFormat);
    {
        ReadOnlyFolder readOnly(settingFolder);
        QVERIFY(readOnly.isActive());
        QVERIFY(!change(settings));
        QCOMPARE(settings.value(key), stored);
    }
    QCOMPARE(settings.value(key), stored);
    QCOMPARE(readFresh(p1, key), stored);
    QCOMPARE(folder.readFile("modules/setting/p1.bin"), before);
    // The settings object gives up the change: it never reaches the file later on.
    settings.sync();
    QCOMPARE(readFresh(p1, key), stored);
}

void tst_SettingsWrites::writableAgainReportsSuccess()
{
    WorkFolder folder;
    QSettings settings(p1, QSettings::IniFormat);
    QVERIFY(Profiles::write(settings, "XYSensitive/0", 2));
    ReadOnlyFolder readOnly(settingFolder);
    QVERIFY(!Profiles::write(settings, "XYSensitive/0", 5));
    QVERIFY(!Profiles::write(settings, "XYSensitive/0", 6));
    readOnly.release();
    QVERIFY(Profiles::write(settings, "XYSensitive/0", 7));
    QCOMPARE(readFresh(p1, "XYSensitive/0"), QVariant("7"));
    QCOMPARE(settings.value("XYSensitive/0").toInt(), 7);
}

void tst_SettingsWrites::failureDoesNotStickToLaterWrites()
{
    WorkFolder folder;
    QDir().mkpath("./modules/setting/p2.bin");
    QSettings blocked("./modules/setting/p2.bin", QSettings::IniFormat);
    QVERIFY(!Profiles::write(blocked, "XYSensitive/0", 1));
    QCOMPARE(blocked.status(), QSettings::AccessError);
    QDir().rmdir("./modules/setting/p2.bin");
    // The object still says AccessError; the write itself landed, and that is what counts.
    QVERIFY(Profiles::write(blocked, "XYSensitive/0", 2));
    QCOMPARE(readFresh("./modules/setting/p2.bin", "XYSensitive/0"), QVariant("2"));
}

void tst_SettingsWrites::malformedLineDoesNotMakeWritesFail()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p1.bin", "[XYSensitive]\n0=3\n=\n[broken\n");
    QSettings settings(p1, QSettings::IniFormat);
    QVERIFY(settings.status() != QSettings::NoError);
    QVERIFY(Profiles::write(settings, "XYSensitive/1", 9));
    QCOMPARE(readFresh(p1, "XYSensitive/1"), QVariant("9"));
}

void tst_SettingsWrites::unchangedValueCountsAsSaved()
{
    WorkFolder folder;
    QSettings settings(p1, QSettings::IniFormat);
    QVERIFY(Profiles::write(settings, "XYSensitive/0", 3));
    settings.setValue("XYSensitive/0", 3);
    settings.sync();
    // Nothing left to write: the file already holds the value.
    QVERIFY(SettingsFiles::flush(settings));
}

void tst_SettingsWrites::leftoverNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("leftover");
    QTest::newRow("staging copy") << "p1.bin.new" << true;
    QTest::newRow("settings lock") << "apConfig.bin.lock" << true;
    QTest::newRow("save temporary") << "p10.bin.Ab12Cd" << true;
    QTest::newRow("copy temporary") << "qt_temp.xY3zQ1" << true;
    QTest::newRow("macro staging") << "my macro.bin.new" << true;
    QTest::newRow("profile") << "p1.bin" << false;
    QTest::newRow("user backup") << "p1.bin.old" << false;
    QTest::newRow("macro named like a leftover") << "p1.bin.new.bin" << false;
    QTest::newRow("short suffix") << "p1.bin.Ab12" << false;
    QTest::newRow("long suffix") << "p1.bin.Ab12Cd3" << false;
    QTest::newRow("user backup, six letters") << "p1.bin.backup" << false;
    QTest::newRow("user copy, capitals") << "p2.bin.BEFORE" << false;
    QTest::newRow("save temporary, lower case and digits") << "p3.bin.k2m9qz" << true;
    QTest::newRow("other file") << "notes.txt" << false;
    QTest::newRow("lock of another file") << "notes.txt.lock" << false;
    QTest::newRow("bare temporary name") << "qt_temp.bin" << false;
    QTest::newRow("language staging") << "lang_1.ini.new" << true;
    QTest::newRow("lock of a bare suffix") << ".bin.lock" << false;
    QTest::newRow("suffix in capitals") << "p1.BIN.new" << false;
    QTest::newRow("temporary with a non-ASCII letter") << "p1.bin.Ab12C\u00e9" << false;
    QTest::newRow("settings name on a second line") << "notes\np1.bin.new" << false;
}

void tst_SettingsWrites::leftoverNames()
{
    QFETCH(QString, name);
    QFETCH(bool, leftover);
    QCOMPARE(Leftovers::isLeftoverName(name), leftover);
}

void tst_SettingsWrites::cleanRemovesOnlyLeftovers()
{
    WorkFolder folder(WorkFolder::ShippedSettings);
    const QStringList left {"modules/setting/p3.bin.new", "modules/setting/p1.bin.Qw3rTy",
        "modules/setting/qt_temp.AbCdEf", "modules/macro/m.bin.new", "modules/gun/g.bin.Zx9Yw8"};
    const QStringList kept {"modules/setting/p1.bin.old", "modules/setting/readme.txt",
        "modules/macro/m.bin", "modules/gun/g.bin"};
    for (const QString &name : left + kept)
        folder.writeFile(name, "x=1\n");
    const QByteArray profile = folder.readFile("modules/setting/p1.bin");
    // A lock of a process that has ended, as a killed run leaves it.
    QProcess gone;
    gone.start("sleep", {"0.2"});
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    folder.writeFile("modules/setting/p2.bin.lock",
        QByteArray::number(pid) + "\nskelda\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    const QStringList removed = Leftovers::cleanSettingsFolders();
    QCOMPARE(removed.size(), left.size() + 1);
    for (const QString &name : left)
        QVERIFY2(!QFile::exists(folder.filePath(name)), qPrintable(name));
    QVERIFY(!QFile::exists(folder.filePath("modules/setting/p2.bin.lock")));
    for (const QString &name : kept)
        QCOMPARE(folder.readFile(name), QByteArray("x=1\n"));
    QCOMPARE(folder.readFile("modules/setting/p1.bin"), profile);
}

void tst_SettingsWrites::cleanKeepsALiveLock()
{
    WorkFolder folder;
    QLockFile held(folder.filePath("modules/setting/p1.bin.lock"));
    QVERIFY(held.lock());
    QVERIFY(Leftovers::cleanSettingsFolders().isEmpty());
    QVERIFY(QFile::exists(folder.filePath("modules/setting/p1.bin.lock")));
}

QTEST_MAIN(tst_SettingsWrites)
#include "tst_settingswrites.moc"
