#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QtTest>

#include "bridge/myqquickview.h"
#include "store/profiles.h"
#include "store/settingsfiles.h"
#include "support/readonlyfolder.h"
#include "support/workfolder.h"

using skelda::test::ReadOnlyFolder;
using skelda::test::WorkFolder;

namespace {
void writeFactoryFiles(const WorkFolder &folder)
{
    folder.writeFile("modules/setting/pD.bin", "[XYSensitive]\n0=7\n[selectGun]\n0=General\n");
    folder.writeFile("modules/setting/pD_standard.bin", "[XYSensitive]\n0=2\n");
}

// Settings objects of one process share what they parsed, while the next run of the
// program parses the file anew; a newer modification time makes this process do the same.
void parseAnew(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(
        QFileInfo(path).lastModified().addSecs(2), QFileDevice::FileModificationTime));
}
} // namespace

class tst_ProfilesBridge : public QObject
{
    Q_OBJECT

private slots:
    void defaultsOfMissingKeys();
    void valuesGoToTheCurrentProfile();
    void writesReachTheDiskBeforeReturning();
    void profileReadBackByANewBridge();
    void listsOfOneAndNoElementSurvive_data();
    void listsOfOneAndNoElementSurvive();
    void loadDefaultProfileReadsTheDefaultFile();
    void resetTakesTheFactoryFile_data();
    void resetTakesTheFactoryFile();
    void resetOfTheCurrentProfileIsSeenAtOnce();
    void resetWithoutFactoryFileKeepsTheProfile();
    void failedCopyKeepsTheProfile();
    void resetOutsideTheRangeDoesNothing_data();
    void resetOutsideTheRangeDoesNothing();
    void copyDuplicatesTheSource();
    void copyOntoItselfDoesNothing();
    void copyOutsideTheRangeDoesNothing_data();
    void copyOutsideTheRangeDoesNothing();
    void copyTakesUnsavedSourceValues();
    void copyOfAProfileWithoutFileGivesDefaults();
    void replacedObjectIsDeletedLater();
    void listKeepsLengthAndOrder();
};

void tst_ProfilesBridge::defaultsOfMissingKeys()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.getXYSensitive(5), QVariant(4));
    QCOMPARE(view.getselectGun(0), QVariant(QString()));
    const QVariant macro = view.getMacroKey(3);
    QCOMPARE(macro.typeId(), int(QMetaType::Int));
    QCOMPARE(macro.toInt(), 0);
}

void tst_ProfilesBridge::valuesGoToTheCurrentProfile()
{
    WorkFolder folder;
    myQQuickView view;
    view.ui_02H_SetCurrentProfile(3);
    view.setXYSensitive(0, 6);
    view.setXYSensitive(QString("1"), QString("8"));
    view.setSelectGun(0, QString("Three fire"));
    view.setMacroKey(2, QString("burst"));
    QCOMPARE(view.getXYSensitive(0).toInt(), 6);
    QCOMPARE(view.getXYSensitive(1), QVariant(QString("8")));
    QCOMPARE(view.getselectGun(0).toString(), QString("Three fire"));
    QCOMPARE(view.getMacroKey(2).toString(), QString("burst"));
    QVERIFY(!view.profileSettings(0)->contains("XYSensitive/0"));
    QCOMPARE(view.profileSettings(3)->value("macro/2").toString(), QString("burst"));
    view.ui_02H_SetCurrentProfile(0);
    QCOMPARE(view.getXYSensitive(0), QVariant(4));
}

void tst_ProfilesBridge::writesReachTheDiskBeforeReturning()
{
    WorkFolder folder;
    myQQuickView view;
    view.ui_02H_SetCurrentProfile(1);
    view.setXYSensitive(1, 9);
    view.setSelectGun(0, QString("General"));
    view.setMacroKey(4, QString("m4"));
    const QByteArray onDisk = folder.readFile("modules/setting/p2.bin");
    QVERIFY(onDisk.contains("[XYSensitive]\n1=9\n"));
    QVERIFY(onDisk.contains("[selectGun]\n0=General\n"));
    QVERIFY(onDisk.contains("[macro]\n4=m4\n"));
    QVERIFY(folder.readFile("modules/setting/apConfig.bin").contains("profileNo=1"));
}

void tst_ProfilesBridge::profileReadBackByANewBridge()
{
    WorkFolder folder;
    {
        myQQuickView view;
        view.ui_02H_SetCurrentProfile(4);
        view.setXYSensitive(0, 2);
        view.setMacroKey(1, QString("one"));
        view.ui_11H_SetDPISet(
            6, {1, 2, 3, 4, 5, 6, 0x80, 0x80}, {200, 300, 400, 500, 600, 700, 250, 250});
        view.ui_12H_SetKeyMatrix(QVariantList(64, 0));
        view.setCursorSpeed(7);
    }
    parseAnew("modules/setting/apConfig.bin");
    parseAnew("modules/setting/p5.bin");
    myQQuickView again;
    QCOMPARE(again.getProfile().toInt(), 4);
    again.ui_02H_SetCurrentProfile(4);
    QCOMPARE(again.getXYSensitive(0).toInt(), 2);
    QCOMPARE(again.getMacroKey(1).toString(), QString("one"));
    const QVariantList dpi = again.ui_91H_GetDPISet();
    QCOMPARE(dpi, (QVariantList {"200", "300", "400", "500", "600", "700", "250", "250"}));
    // Texts, as parsed from the file, not the numbers this process wrote.
    QCOMPARE(dpi.first().typeId(), int(QMetaType::QString));
    QCOMPARE(again.getCursorSpeed(), 7u);
    QCOMPARE(Profiles::readList(*again.currentProfileSettings(), "keydefine_Z5/15"),
        (QVariantList {"0", "0", "0", "0"}));
}

void tst_ProfilesBridge::listsOfOneAndNoElementSurvive_data()
{
    QTest::addColumn<QVariantList>("stored");
    QTest::newRow("empty") << QVariantList {};
    QTest::newRow("one number") << QVariantList {5};
    QTest::newRow("one text") << QVariantList {QString("x")};
    QTest::newRow("three") << QVariantList {1, 4, 2};
}

void tst_ProfilesBridge::listsOfOneAndNoElementSurvive()
{
    QFETCH(QVariantList, stored);
    WorkFolder folder;
    {
        myQQuickView view;
        view.ui_0DH_SetRGBLedEffect(1, 10, 2, stored);
        view.ui_11H_SetDPISelect(stored);
    }
    if (QFile::exists("modules/setting/p1.bin"))
        parseAnew("modules/setting/p1.bin");
    myQQuickView again;
    const QVariantList effect = again.ui_8DH_GetRGBLedEffect();
    const QVariantList select = again.ui_91H_GetDPISelect();
    QCOMPARE(effect.size(), stored.size());
    QCOMPARE(select.size(), stored.size());
    for (int i = 0; i < stored.size(); ++i) {
        QCOMPARE(effect.at(i).typeId(), int(QMetaType::UInt));
        QCOMPARE(effect.at(i).toUInt(), stored.at(i).toUInt());
        QCOMPARE(select.at(i).toString(), stored.at(i).toString());
    }
    if (stored.size() > 1)
        QCOMPARE(select.first().typeId(), int(QMetaType::QString));
}

void tst_ProfilesBridge::loadDefaultProfileReadsTheDefaultFile()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/pD.bin", "[keydefine_Z5]\n0=1, 0, 240, 0\n");
    myQQuickView view;
    QCOMPARE(view.loadDefaultProfile(0), (QVariantList {"1", "0", "240", "0"}));
    QVERIFY(view.loadDefaultProfile(1).isEmpty());
    QCOMPARE(view.loadDefaultProfile(3), (QVariantList {2, 5, 2, 5, 2}));
}

void tst_ProfilesBridge::resetTakesTheFactoryFile_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("factory");
    QTest::newRow("0") << 0 << "pD.bin";
    for (int n = 1; n < 10; ++n)
        QTest::addRow("%d", n) << n << "pD_standard.bin";
}

void tst_ProfilesBridge::resetTakesTheFactoryFile()
{
    QFETCH(int, profile);
    QFETCH(QString, factory);
    WorkFolder folder;
    writeFactoryFiles(folder);
    myQQuickView view;
    view.profileSettings(profile)->setValue("macro/0", QString("mine"));
    view.resetProfile(profile);
    const QString file = QString("modules/setting/p%1.bin").arg(profile + 1);
    QCOMPARE(folder.readFile(file), folder.readFile("modules/setting/" + factory));
    QVERIFY(!view.profileSettings(profile)->contains("macro/0"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(folder.readFile(file), folder.readFile("modules/setting/" + factory));
}

void tst_ProfilesBridge::resetOfTheCurrentProfileIsSeenAtOnce()
{
    WorkFolder folder;
    writeFactoryFiles(folder);
    myQQuickView view;
    view.ui_02H_SetCurrentProfile(2);
    view.setXYSensitive(0, 9);
    view.resetProfile(2);
    QCOMPARE(view.getXYSensitive(0).toInt(), 2);
    view.ui_02H_SetCurrentProfile(0);
    view.setXYSensitive(0, 9);
    view.resetProfile(0);
    QCOMPARE(view.getXYSensitive(0).toInt(), 7);
    QCOMPARE(view.getselectGun(0).toString(), QString("General"));
}

void tst_ProfilesBridge::resetWithoutFactoryFileKeepsTheProfile()
{
    WorkFolder folder;
    myQQuickView view;
    view.setXYSensitive(0, 9);
    QSettings *before = view.profileSettings(0);
    view.resetProfile(0);
    QCOMPARE(view.profileSettings(0), before);
    QCOMPARE(view.getXYSensitive(0).toInt(), 9);
    QVERIFY(folder.readFile("modules/setting/p1.bin").contains("0=9"));
}

void tst_ProfilesBridge::failedCopyKeepsTheProfile()
{
    WorkFolder folder;
    writeFactoryFiles(folder);
    myQQuickView view;
    view.ui_02H_SetCurrentProfile(3);
    view.setXYSensitive(0, 9);
    view.profileSettings(5)->setValue("XYSensitive/0", 1);
    const QByteArray before = folder.readFile("modules/setting/p4.bin");
    QSettings *object = view.profileSettings(3);
    // A folder that takes no new file makes every copy onto p4.bin fail.
    ReadOnlyFolder readOnly("modules/setting");
    QVERIFY(readOnly.isActive());
    view.resetProfile(3);
    view.copyProfile(3, 5);
    QCOMPARE(view.profileSettings(3), object);
    QCOMPARE(folder.readFile("modules/setting/p4.bin"), before);
    QCOMPARE(view.getXYSensitive(0).toInt(), 9);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(view.getXYSensitive(0).toInt(), 9);
}

void tst_ProfilesBridge::resetOutsideTheRangeDoesNothing_data()
{
    QTest::addColumn<int>("profile");
    QTest::newRow("-1") << -1;
    QTest::newRow("10") << 10;
    QTest::newRow("99") << 99;
}

void tst_ProfilesBridge::resetOutsideTheRangeDoesNothing()
{
    QFETCH(int, profile);
    WorkFolder folder;
    writeFactoryFiles(folder);
    myQQuickView view;
    QList<QSettings *> before;
    for (int n = 0; n < 10; ++n)
        before << view.profileSettings(n);
    view.resetProfile(profile);
    for (int n = 0; n < 10; ++n)
        QCOMPARE(view.profileSettings(n), before.at(n));
    QVERIFY(!QFile::exists(QString("./modules/setting/p%1.bin").arg(profile + 1)));
}

void tst_ProfilesBridge::copyDuplicatesTheSource()
{
    WorkFolder folder;
    myQQuickView view;
    for (int n : {0, 1, 3}) {
        view.ui_02H_SetCurrentProfile(n);
        view.setXYSensitive(0, n + 1);
        view.setMacroKey(0, QString("macro of %1").arg(n));
    }
    view.ui_02H_SetCurrentProfile(2);
    view.copyProfile(2, 3);
    QCOMPARE(folder.readFile("modules/setting/p3.bin"), folder.readFile("modules/setting/p4.bin"));
    QCOMPARE(view.getXYSensitive(0).toInt(), 4);
    QCOMPARE(view.getMacroKey(0).toString(), QString("macro of 3"));
    view.setXYSensitive(0, 8);
    QCOMPARE(view.profileSettings(3)->value("XYSensitive/0").toInt(), 4);
}

void tst_ProfilesBridge::copyOntoItselfDoesNothing()
{
    WorkFolder folder;
    myQQuickView view;
    view.setXYSensitive(0, 6);
    const QByteArray before = folder.readFile("modules/setting/p1.bin");
    QSettings *object = view.profileSettings(0);
    view.copyProfile(0, 0);
    QCOMPARE(view.profileSettings(0), object);
    QCOMPARE(folder.readFile("modules/setting/p1.bin"), before);
    QCOMPARE(view.getXYSensitive(0).toInt(), 6);
}

void tst_ProfilesBridge::copyOutsideTheRangeDoesNothing_data()
{
    QTest::addColumn<int>("dest");
    QTest::addColumn<int>("src");
    QTest::newRow("dest -1") << -1 << 0;
    QTest::newRow("dest 10") << 10 << 0;
    QTest::newRow("src 10") << 0 << 10;
    QTest::newRow("src -3") << 1 << -3;
}

void tst_ProfilesBridge::copyOutsideTheRangeDoesNothing()
{
    QFETCH(int, dest);
    QFETCH(int, src);
    WorkFolder folder;
    myQQuickView view;
    for (int n = 0; n < 10; ++n)
        view.profileSettings(n)->setValue("XYSensitive/0", n);
    for (int n = 0; n < 10; ++n)
        SettingsFiles::flush(*view.profileSettings(n));
    view.copyProfile(dest, src);
    for (int n = 0; n < 10; ++n)
        QCOMPARE(view.profileSettings(n)->value("XYSensitive/0").toInt(), n);
}

void tst_ProfilesBridge::copyTakesUnsavedSourceValues()
{
    WorkFolder folder;
    myQQuickView view;
    view.profileSettings(5)->setValue("selectGun/0", QString("pending"));
    view.copyProfile(6, 5);
    QCOMPARE(view.profileSettings(6)->value("selectGun/0").toString(), QString("pending"));
}

void tst_ProfilesBridge::copyOfAProfileWithoutFileGivesDefaults()
{
    WorkFolder folder;
    myQQuickView view;
    view.ui_02H_SetCurrentProfile(7);
    view.setXYSensitive(0, 9);
    view.copyProfile(7, 8);
    QCOMPARE(view.getXYSensitive(0), QVariant(4));
    QCOMPARE(folder.readFile("modules/setting/p8.bin"), QByteArray());
    QVERIFY(QFile::exists("./modules/setting/p8.bin"));
}

void tst_ProfilesBridge::replacedObjectIsDeletedLater()
{
    WorkFolder folder;
    writeFactoryFiles(folder);
    myQQuickView view;
    QPointer<QSettings> old = view.profileSettings(4);
    view.resetProfile(4);
    QVERIFY(!old.isNull());
    QVERIFY(view.profileSettings(4) != old.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
}

void tst_ProfilesBridge::listKeepsLengthAndOrder()
{
    WorkFolder folder;
    writeFactoryFiles(folder);
    myQQuickView view;
    view.resetProfile(0);
    view.resetProfile(9);
    view.copyProfile(5, 0);
    for (int n = 0; n < 10; ++n) {
        QVERIFY(view.profileSettings(n));
        QCOMPARE(QFileInfo(view.profileSettings(n)->fileName()).fileName(),
            QString("p%1.bin").arg(n + 1));
    }
    QVERIFY(!view.profileSettings(10));
}

QTEST_MAIN(tst_ProfilesBridge)
#include "tst_profiles.moc"
