#include <QApplication>
#include <QFile>
#include <QtTest>

#include "bridge/myqquickview.h"
#include "store/appconfig.h"
#include "store/settingsfiles.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

class tst_AppConfig : public QObject
{
    Q_OBJECT

private slots:
    void genericValuesStopAtTheCount();
    void shorterSaveHidesLeftoverKeys();
    void savedValuesReachTheDiskAtOnce();
    void deviceValuesDefaultToEightStages();
    void profileNumberDefaultsToZero();
    void setProfileStoresAnUnsignedNumber();
    void languageIsInvalidWhenMissing();
    void windowTitleFollowsTheLanguage_data();
    void windowTitleFollowsTheLanguage();
    void missingFileReadsDefaults();
    void unreadableFileReadsDefaults();
    void resetReadsTheDefaultFile();
    void resetKeepsTheUserFileWithoutDefault();
    void resetSeesASameSizeDefault();
    void shippedFilesNameTheMouse();
    void replaceFileKeepsTargetOnFailure();
};

void tst_AppConfig::genericValuesStopAtTheCount()
{
    WorkFolder folder;
    folder.writeFile(
        "modules/setting/apConfig.bin", "[common]\ntotal=3\n0=a\n1=17\n2=c\n3=hidden\n");
    myQQuickView view;
    const QVariantList values = view.loadApConfig();
    QCOMPARE(values.size(), 3);
    QCOMPARE(values.at(0).toString(), QString("a"));
    QCOMPARE(values.at(1).toInt(), 17);
    QCOMPARE(values.at(2).toString(), QString("c"));
}

void tst_AppConfig::shorterSaveHidesLeftoverKeys()
{
    WorkFolder folder;
    myQQuickView view;
    view.saveApConfig({1, 2, 3});
    QCOMPARE(view.loadApConfig().size(), 3);
    view.saveApConfig({QString("only")});
    QCOMPARE(view.loadApConfig(), QVariantList {QString("only")});
    // Leftovers stay in the file but are invisible past the count.
    QVERIFY(view.appSettings()->contains("common/2"));
    view.saveApConfig({});
    QVERIFY(view.loadApConfig().isEmpty());
}

void tst_AppConfig::savedValuesReachTheDiskAtOnce()
{
    WorkFolder folder;
    myQQuickView view;
    view.saveApConfig({42});
    view.setProfile(5);
    QSettings onDisk(SettingsFiles::appConfig, QSettings::IniFormat);
    QCOMPARE(onDisk.value("common/total").toInt(), 1);
    QCOMPARE(onDisk.value("common/0").toInt(), 42);
    QCOMPARE(onDisk.value("Z5/profileNo").toUInt(), 5u);
}

void tst_AppConfig::deviceValuesDefaultToEightStages()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.loadDeviceApConfig(), QVariantList {8});
    view.appSettings()->setValue("Z5/colorMaxStage", "6");
    const QVariantList values = view.loadDeviceApConfig();
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.first().typeId(), QMetaType::Int);
    QCOMPARE(values.first().toInt(), 6);
}

void tst_AppConfig::profileNumberDefaultsToZero()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.getProfile().toInt(), 0);
    QVERIFY(view.getProfile().isValid());
}

void tst_AppConfig::setProfileStoresAnUnsignedNumber()
{
    WorkFolder folder;
    myQQuickView view;
    view.setProfile(QString("3"));
    QCOMPARE(view.appSettings()->value("Z5/profileNo").typeId(), QMetaType::UInt);
    QCOMPARE(view.getProfile().toInt(), 3);
    QCOMPARE(view.currentProfileIndex(), 0);
}

void tst_AppConfig::languageIsInvalidWhenMissing()
{
    WorkFolder folder;
    myQQuickView view;
    QVERIFY(!view.getLang().isValid());
    view.appSettings()->setValue("common/language", "ChineseSimplified");
    QCOMPARE(view.getLang().toString(), QString("ChineseSimplified"));
}

void tst_AppConfig::windowTitleFollowsTheLanguage_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("title");
    const QByteArray titles = "name0=Título\nname1=Title\n";
    QTest::newRow("portuguese") << "[common]\nlanguage=Portuguese\n" + titles << "Título";
    QTest::newRow("english") << "[common]\nlanguage=English\n" + titles << "Title";
    QTest::newRow("chinese") << "[common]\nlanguage=ChineseSimplified\n" + titles << "Title";
    QTest::newRow("no language") << "[common]\n" + titles << "Title";
    QTest::newRow("no titles") << QByteArray("[common]\nlanguage=Portuguese\n") << "";
    QTest::newRow("no file") << QByteArray() << "";
}

void tst_AppConfig::windowTitleFollowsTheLanguage()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    WorkFolder folder;
    if (!file.isEmpty())
        folder.writeFile("modules/setting/apConfig.bin", file);
    QCOMPARE(AppConfig::windowTitle(), title);
}

void tst_AppConfig::missingFileReadsDefaults()
{
    WorkFolder folder;
    myQQuickView view;
    QVERIFY(view.loadApConfig().isEmpty());
    QCOMPARE(view.loadDeviceApConfig(), QVariantList {8});
    QVERIFY(!QFile::exists(SettingsFiles::appConfig));
}

void tst_AppConfig::unreadableFileReadsDefaults()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/apConfig.bin",
        QByteArray("\x00\xff\xfe[[[\ncommon/total=\x01\x02\n=\n", 20));
    myQQuickView view;
    QVERIFY(view.loadApConfig().size() <= 0);
    QCOMPARE(view.getProfile().toInt(), 0);
}

void tst_AppConfig::resetReadsTheDefaultFile()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/apConfig.bin", "[Z5]\nprofileNo=4\n[common]\ntotal=1\n0=x\n");
    folder.writeFile("modules/setting/apConfigD.bin",
        "[Z5]\nprofileNo=1\n[common]\nlanguage=ChineseSimplified\ntotal=0\n");
    myQQuickView view;
    view.resetApconfig();
    QCOMPARE(view.getProfile().toInt(), 1);
    QCOMPARE(view.getLang().toString(), QString("ChineseSimplified"));
    QVERIFY(view.loadApConfig().isEmpty());
    QCOMPARE(view.currentProfileIndex(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The replaced object must not write its old values back.
    QSettings onDisk(SettingsFiles::appConfig, QSettings::IniFormat);
    QCOMPARE(onDisk.value("Z5/profileNo").toInt(), 1);
    QVERIFY(QFile::exists(SettingsFiles::appConfigDefault));
}

void tst_AppConfig::resetKeepsTheUserFileWithoutDefault()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/apConfig.bin", "[Z5]\nprofileNo=4\n");
    myQQuickView view;
    view.resetApconfig();
    QVERIFY(QFile::exists(SettingsFiles::appConfig));
    QCOMPARE(view.getProfile().toInt(), 4);
    view.setProfile(2);
    QCOMPARE(view.getProfile().toInt(), 2);
}

void tst_AppConfig::resetSeesASameSizeDefault()
{
    WorkFolder folder;
    QSettings *settings = SettingsFiles::openIni(SettingsFiles::appConfig);
    for (int round = 0; round < 20; ++round) {
        const int before = round % 10;
        const int after = (round + 1) % 10;
        folder.writeFile(
            "modules/setting/apConfigD.bin", "[Z5]\nprofileNo=" + QByteArray::number(after) + "\n");
        // Written right before the copy: same size, and often the same millisecond.
        AppConfig::setProfileNumber(*settings, before);
        settings = AppConfig::reset(settings);
        QCOMPARE(AppConfig::profileNumber(*settings).toInt(), after);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    delete settings;
}

void tst_AppConfig::shippedFilesNameTheMouse()
{
    for (const QString &name : {QString("apConfig.bin"), QString("apConfigD.bin")}) {
        QSettings shipped(
            skelda::test::shippedModulesPath() + "/setting/" + name, QSettings::IniFormat);
        QCOMPARE(shipped.status(), QSettings::NoError);
        QCOMPARE(shipped.value("common/language").toString(), QString("English"));
        const QStringList names = AppConfig::productNames(shipped);
        QCOMPARE(names.size(), 2);
        QCOMPARE(names.at(1), QString("DORNAK SKELDA MOUSE R740"));
        QVERIFY(!shipped.value("common/name0").toString().isEmpty());
        QVERIFY(!shipped.value("common/name1").toString().isEmpty());
        QCOMPARE(shipped.value("common/sCode1").toString().size(), 6);
        QCOMPARE(shipped.value("common/sCode0").toString().size(), 6);
    }
}

void tst_AppConfig::replaceFileKeepsTargetOnFailure()
{
    WorkFolder folder;
    folder.writeFile("target.bin", "old");
    QVERIFY(!SettingsFiles::replaceFile("target.bin", "missing.bin"));
    QCOMPARE(folder.readFile("target.bin"), QByteArray("old"));
    QVERIFY(!SettingsFiles::replaceFile("target.bin", "."));
    QCOMPARE(folder.readFile("target.bin"), QByteArray("old"));
    folder.writeFile("source.bin", "new contents");
    QVERIFY(SettingsFiles::replaceFile("target.bin", "source.bin"));
    QCOMPARE(folder.readFile("target.bin"), QByteArray("new contents"));
    QVERIFY(!QFile::exists("target.bin.new"));
    QVERIFY(!QFile::exists("target.bin.old"));
}

QTEST_MAIN(tst_AppConfig)
#include "tst_appconfig.moc"
