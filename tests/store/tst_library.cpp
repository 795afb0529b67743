#include <QApplication>
#include <QtTest>

#include "bridge/myqquickview.h"
#include "device/hid_thread.h"
#include "store/library.h"
#include "store/settingsfiles.h"
#include "support/device_testing.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

class tst_Library : public QObject
{
    Q_OBJECT

private slots:
    void newMacroHasOnlyTheRepeatCount();
    void newGunUsesTheGunFolder();
    void savingFewerLinesLeavesExactlyThose();
    void savingWithoutFileCreatesNothing();
    void createOnExistingResetsTheCount();
    void corruptCountsStayBounded_data();
    void corruptCountsStayBounded();
    void configFollowsTheConnectedDevice_data();
    void configFollowsTheConnectedDevice();
    void configWithShortListKeepsTheRest();
    void indexAndTypeReadAndWrite();
    void deleteRemovesOnlyExistingFiles();
    void isMacroUseListsSlotsOfProfilesZeroToFive();
    void isGunUseReadsTheGunGroup();
    void modifyMacroNameRenamesInProfiles();
    void modifyMacroNameOntoExistingNameChangesNothing();
    void modifyGunNameLeavesProfiles();
    void renameMacroIniFileMovesTheFile();
    void changeMacroFileIndexOnOtherProfiles();
    void changeMacroFileIndexSkipsTheCurrentProfile();
    void changeMacroFileIndexVisitsProfileFive();
    void changeMacroFileIndexReadsOddLists();
    void changeGunFileIndexTouchesOnlyGunButtons();
    void changeMacroFileType_data();
    void changeMacroFileType();
    void factoryTable_data();
    void factoryTable();
    void refusedNames_data();
    void refusedNames();
    void gunDataNameIsNoGun();
};

namespace {

QVariantList ints(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

QVariantList asInts(const QVariant &value)
{
    QVariantList list;
    for (const QVariant &v : SettingsFiles::asList(value))
        list.append(v.toInt());
    return list;
}

// Reads a file back with a fresh parser, bypassing the settings cache of this process.
QVariant onDisk(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QVariant();
    QString group;
    const QString wantedGroup = key.section('/', 0, 0);
    const QString wantedKey = key.section('/', 1);
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('[')) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq > 0 && group == wantedGroup && line.left(eq).trimmed() == wantedKey)
            return line.mid(eq + 1).trimmed();
    }
    return QVariant();
}

} // namespace

void tst_Library::newMacroHasOnlyTheRepeatCount()
{
    WorkFolder folder;
    Hid_Thread link;
    DeviceTesting::attachVirtual(link, VirtualHidBackend::Attached::Mouse);
    myQQuickView view;
    view.hid = &link;
    QCOMPARE(view.createMacroIni("m1", 3), QVariant(true));
    QVERIFY(QFileInfo::exists("modules/macro/m1.bin"));
    QCOMPARE(view.loadMacroIni("m1"), QStringList {"1"});
    QCOMPARE(view.loadMacroIniConfig("m1"), ints({-1, 1}));
    QCOMPARE(view.loadMacroIndex("m1").toInt(), 3);
    QCOMPARE(view.loadMacroType("m1").toInt(), -1);
    QCOMPARE(onDisk("modules/macro/m1.bin", "config/index").toString(), QString("3"));
    QCOMPARE(onDisk("modules/macro/m1.bin", "config/total").toString(), QString("0"));
    QCOMPARE(onDisk("modules/macro/m1.bin", "config/repeat").toString(), QString("1"));
    QCOMPARE(onDisk("modules/macro/m1.bin", "config/did").toString(), QString("-1"));
}

void tst_Library::newGunUsesTheGunFolder()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.createGunIni("g1", 2), QVariant(true));
    QVERIFY(QFileInfo::exists("modules/gun/g1.bin"));
    QVERIFY(!QFileInfo::exists("modules/macro/g1.bin"));
    QCOMPARE(view.saveGunIni("g1", {"1,a", "2,b"}, {}, 4), QVariant(true));
    QCOMPARE(view.loadGunIni("g1"), (QStringList {"1,a", "2,b", "4"}));
    QCOMPARE(onDisk("modules/gun/g1.bin", "gun/1").toString(), QString("\"2,b\""));
    QCOMPARE(view.loadGunIndex("g1").toInt(), 2);
    view.setGunIndex("g1", 7);
    QCOMPARE(onDisk("modules/gun/g1.bin", "config/index").toString(), QString("7"));
    QCOMPARE(view.loadGunType("g1").toInt(), -1);
    QCOMPARE(view.loadMacroIni("g1"), QStringList());
    QCOMPARE(view.deleteGunIni("g1"), QVariant(true));
    QVERIFY(!QFileInfo::exists("modules/gun/g1.bin"));
}

void tst_Library::savingFewerLinesLeavesExactlyThose()
{
    WorkFolder folder;
    myQQuickView view;
    view.createMacroIni("m", 0);
    const QStringList five {
        "1,A    [Down]", "3,50   [Delay]", "2,A      [Up]", "1,B    [Down]", "2,B      [Up]"};
    QCOMPARE(view.saveMacroIni("m", five, {1, 2, 3}, 2), QVariant(true));
    QCOMPARE(view.loadMacroIni("m"), five + QStringList {"2"});
    const QStringList three {"1,C    [Down]", "3,20   [Delay]", "2,C      [Up]"};
    QCOMPARE(view.saveMacroIni("m", three, {}, 5), QVariant(true));
    QCOMPARE(view.loadMacroIni("m"), three + QStringList {"5"});
    QCOMPARE(onDisk("modules/macro/m.bin", "config/total").toString(), QString("3"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(onDisk("modules/macro/m.bin", QString("macro/%1").arg(i)).isValid());
    for (int i = 3; i < 5; ++i)
        QVERIFY(!onDisk("modules/macro/m.bin", QString("macro/%1").arg(i)).isValid());
    QSettings file("modules/macro/m.bin", QSettings::IniFormat);
    file.beginGroup("macro");
    QCOMPARE(file.childKeys().size(), 3);
}

void tst_Library::savingWithoutFileCreatesNothing()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.saveMacroIni("absent", {"x"}, {}, 1), QVariant(false));
    QCOMPARE(view.saveGunIni("absent", {"x"}, {}, 1), QVariant(false));
    QVERIFY(!QFileInfo::exists("modules/macro/absent.bin"));
    QVERIFY(!QFileInfo::exists("modules/gun/absent.bin"));
    QCOMPARE(view.loadMacroIni("absent"), QStringList());
    QCOMPARE(view.loadMacroIndex("absent"), QVariant(0));
    QCOMPARE(view.loadMacroType("absent"), QVariant(0));
    QCOMPARE(view.loadMacroIniConfig("absent"), QVariantList());
    view.setMacroIndex("absent", 3);
    view.setMacroType("absent", 1);
    view.setMacroIniConfig("absent", {1, 2});
    QVERIFY(!QFileInfo::exists("modules/macro/absent.bin"));
}

void tst_Library::createOnExistingResetsTheCount()
{
    WorkFolder folder;
    myQQuickView view;
    view.createMacroIni("m", 0);
    view.saveMacroIni("m", {"a", "b"}, {}, 3);
    QCOMPARE(view.createMacroIni("m", 4), QVariant(true));
    QCOMPARE(view.loadMacroIni("m"), QStringList {"1"});
    QVERIFY(onDisk("modules/macro/m.bin", "macro/1").isValid());
}

void tst_Library::corruptCountsStayBounded_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("lines");
    QTest::newRow("huge") << QByteArray("[config]\ntotal=2000000000\nrepeat=2\n") << 10000;
    QTest::newRow("negative") << QByteArray("[config]\ntotal=-4\nrepeat=2\n") << 0;
    QTest::newRow("text") << QByteArray("[config]\ntotal=many\n") << 0;
    QTest::newRow("holes") << QByteArray("[config]\ntotal=3\n[macro]\n2=z\n") << 3;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18) << 0;
}

void tst_Library::corruptCountsStayBounded()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, lines);
    WorkFolder folder;
    folder.writeFile("modules/macro/c.bin", contents);
    myQQuickView view;
    const QStringList loaded = view.loadMacroIni("c");
    QCOMPARE(loaded.size(), lines + 1);
    if (lines == 3)
        QCOMPARE(loaded, (QStringList {"0", "0", "z", "0"}));
}

void tst_Library::configFollowsTheConnectedDevice_data()
{
    QTest::addColumn<int>("attached");
    QTest::addColumn<int>("readBy");
    QTest::addColumn<QVariantList>("expected");
    using A = VirtualHidBackend::Attached;
    QTest::newRow("mouse set, mouse reads") << int(A::Mouse) << int(A::Mouse) << ints({5, 3});
    QTest::newRow("keyboard set, keyboard reads")
        << int(A::Keyboard) << int(A::Keyboard) << ints({5, 3});
    QTest::newRow("keyboard set, mouse reads")
        << int(A::Keyboard) << int(A::Mouse) << ints({-1, 3});
    QTest::newRow("mouse set, no link reads") << int(A::Mouse) << -1 << ints({-1, 3});
}

void tst_Library::configFollowsTheConnectedDevice()
{
    QFETCH(int, attached);
    QFETCH(int, readBy);
    QFETCH(QVariantList, expected);
    WorkFolder folder;
    {
        Hid_Thread link;
        DeviceTesting::attachVirtual(link, VirtualHidBackend::Attached(attached));
        myQQuickView view;
        view.hid = &link;
        view.createMacroIni("m", 0);
        view.setMacroIniConfig("m", {5, 3});
        QCOMPARE(onDisk("modules/macro/m.bin", "config/did").toInt(), link.currentDeviceId());
    }
    Hid_Thread link;
    myQQuickView view;
    if (readBy >= 0) {
        DeviceTesting::attachVirtual(link, VirtualHidBackend::Attached(readBy));
        view.hid = &link;
    }
    QCOMPARE(asInts(view.loadMacroIniConfig("m")), expected);
}

void tst_Library::configWithShortListKeepsTheRest()
{
    WorkFolder folder;
    myQQuickView view;
    view.createMacroIni("m", 6);
    view.setMacroIniConfig("m", {});
    QCOMPARE(onDisk("modules/macro/m.bin", "config/index").toString(), QString("6"));
    QCOMPARE(onDisk("modules/macro/m.bin", "config/repeat").toString(), QString("1"));
    QCOMPARE(onDisk("modules/macro/m.bin", "config/did").toString(), QString("-1"));
    view.setMacroIniConfig("m", {2});
    QCOMPARE(onDisk("modules/macro/m.bin", "config/index").toString(), QString("2"));
    QCOMPARE(onDisk("modules/macro/m.bin", "config/repeat").toString(), QString("1"));
}

void tst_Library::indexAndTypeReadAndWrite()
{
    WorkFolder folder;
    myQQuickView view;
    view.createMacroIni("m", 1);
    view.setMacroIndex("m", 9);
    view.setMacroType("m", 1);
    QCOMPARE(view.loadMacroIndex("m").toInt(), 9);
    QCOMPARE(view.loadMacroType("m").toInt(), 1);
    QCOMPARE(onDisk("modules/macro/m.bin", "config/did").toString(), QString("1"));
    folder.writeFile("modules/macro/bare.bin", "[other]\nx=1\n");
    QCOMPARE(view.loadMacroIndex("bare"), QVariant(0));
    QCOMPARE(view.loadMacroType("bare"), QVariant(0));
    QCOMPARE(view.loadMacroIni("bare"), QStringList {"0"});
}

void tst_Library::deleteRemovesOnlyExistingFiles()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.deleteMacroIni("m"), QVariant(false));
    view.createMacroIni("m", 0);
    QCOMPARE(view.deleteMacroIni("m"), QVariant(true));
    QVERIFY(!QFileInfo::exists("modules/macro/m.bin"));
    QCOMPARE(view.deleteGunIni("m"), QVariant(false));
}

void tst_Library::isMacroUseListsSlotsOfProfilesZeroToFive()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.isMacroUse("m"), QStringList {"Name"});
    view.profileSettings(1)->setValue("macro/2", "m");
    view.profileSettings(4)->setValue("macro/2", "m");
    view.profileSettings(4)->setValue("macro/3", "other");
    view.profileSettings(6)->setValue("macro/1", "m");
    QCOMPARE(view.isMacroUse("m"), (QStringList {"Name", "2", "2"}));
    view.profileSettings(5)->setValue("macro/0", "m");
    QCOMPARE(view.isMacroUse("m"), (QStringList {"Name", "2", "2", "0"}));
    QCOMPARE(view.isGunUse("m"), QStringList {"Name"});
}

void tst_Library::isGunUseReadsTheGunGroup()
{
    WorkFolder folder;
    myQQuickView view;
    view.profileSettings(0)->setValue("gun/a", "g");
    view.profileSettings(2)->setValue("gun/b", "g");
    QCOMPARE(view.isGunUse("g"), (QStringList {"Name", "a", "b"}));
}

void tst_Library::modifyMacroNameRenamesInProfiles()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.modifyMacroName("old", "new"), QVariant(false));
    view.createMacroIni("old", 0);
    view.profileSettings(0)->setValue("macro/1", "old");
    view.profileSettings(5)->setValue("macro/4", "old");
    view.profileSettings(3)->setValue("macro/2", "keep");
    view.profileSettings(7)->setValue("macro/1", "old");
    QCOMPARE(view.modifyMacroName("old", "new"), QVariant(true));
    QVERIFY(QFileInfo::exists("modules/macro/new.bin"));
    QVERIFY(!QFileInfo::exists("modules/macro/old.bin"));
    QCOMPARE(onDisk("modules/setting/p1.bin", "macro/1").toString(), QString("new"));
    QCOMPARE(onDisk("modules/setting/p6.bin", "macro/4").toString(), QString("new"));
    QCOMPARE(view.profileSettings(3)->value("macro/2").toString(), QString("keep"));
    QCOMPARE(view.profileSettings(7)->value("macro/1").toString(), QString("old"));
}

void tst_Library::modifyMacroNameOntoExistingNameChangesNothing()
{
    WorkFolder folder;
    myQQuickView view;
    view.createMacroIni("a", 0);
    view.createMacroIni("b", 1);
    view.profileSettings(0)->setValue("macro/1", "a");
    QCOMPARE(view.modifyMacroName("a", "b"), QVariant(false));
    QCOMPARE(view.profileSettings(0)->value("macro/1").toString(), QString("a"));
    QCOMPARE(view.loadMacroIndex("a").toInt(), 0);
    QCOMPARE(view.loadMacroIndex("b").toInt(), 1);
}

void tst_Library::modifyGunNameLeavesProfiles()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.modifyGunName("g", "h"), QVariant(false));
    view.createGunIni("g", 0);
    view.profileSettings(0)->setValue("gun/1", "g");
    QCOMPARE(view.modifyGunName("g", "h"), QVariant(true));
    QVERIFY(QFileInfo::exists("modules/gun/h.bin"));
    QCOMPARE(view.profileSettings(0)->value("gun/1").toString(), QString("g"));
}

void tst_Library::renameMacroIniFileMovesTheFile()
{
    WorkFolder folder;
    myQQuickView view;
    view.createMacroIni("a", 0);
    view.profileSettings(0)->setValue("macro/1", "a");
    view.renameMacroIniFile("a", "b");
    QVERIFY(QFileInfo::exists("modules/macro/b.bin"));
    QCOMPARE(view.profileSettings(0)->value("macro/1").toString(), QString("a"));
}

void tst_Library::changeMacroFileIndexOnOtherProfiles()
{
    WorkFolder folder;
    myQQuickView view;
    QSettings *p3 = view.profileSettings(3);
    p3->setValue("keydefine_Z5/0", ints({9, 0, 1, 0}));
    p3->setValue("keydefine_Z5/1", ints({9, 2, 2, 0}));
    p3->setValue("keydefine_Z5/2", ints({9, 0, 3, 0}));
    p3->setValue("keydefine_Z5/3", ints({1, 0, 3, 0}));
    p3->setValue("keydefine_Z5/7", ints({9, 0, 2, 0}));
    QCOMPARE(view.currentProfileIndex(), 0);
    view.changeMacroFileIndex(2);
    QCOMPARE(asInts(onDisk("modules/setting/p4.bin", "keydefine_Z5/0").toString().split(", ")),
        ints({9, 0, 1, 0}));
    QCOMPARE(asInts(onDisk("modules/setting/p4.bin", "keydefine_Z5/1").toString().split(", ")),
        ints({1, 0, 241, 0}));
    QCOMPARE(asInts(onDisk("modules/setting/p4.bin", "keydefine_Z5/2").toString().split(", ")),
        ints({9, 0, 2, 0}));
    QCOMPARE(asInts(p3->value("keydefine_Z5/3")), ints({1, 0, 3, 0}));
    QCOMPARE(asInts(p3->value("keydefine_Z5/7")), ints({9, 0, 2, 0}));
}

void tst_Library::changeMacroFileIndexSkipsTheCurrentProfile()
{
    WorkFolder folder;
    myQQuickView view;
    view.profileSettings(0)->setValue("keydefine_Z5/1", ints({9, 0, 2, 0}));
    view.profileSettings(1)->setValue("keydefine_Z5/1", ints({9, 0, 2, 0}));
    view.changeMacroFileIndex(QString("2"));
    QCOMPARE(asInts(view.profileSettings(0)->value("keydefine_Z5/1")), ints({9, 0, 2, 0}));
    QCOMPARE(asInts(view.profileSettings(1)->value("keydefine_Z5/1")), ints({1, 0, 241, 0}));
    QVERIFY(!view.profileSettings(2)->contains("keydefine_Z5/1"));
}

void tst_Library::changeMacroFileIndexVisitsProfileFive()
{
    WorkFolder folder;
    myQQuickView view;
    view.profileSettings(5)->setValue("keydefine_Z5/6", ints({9, 0, 1, 0}));
    view.profileSettings(6)->setValue("keydefine_Z5/6", ints({9, 0, 1, 0}));
    view.changeMacroFileIndex(1);
    QCOMPARE(asInts(view.profileSettings(5)->value("keydefine_Z5/6")), ints({7, 0, 2, 0}));
    QCOMPARE(asInts(view.profileSettings(6)->value("keydefine_Z5/6")), ints({9, 0, 1, 0}));
}

void tst_Library::changeMacroFileIndexReadsOddLists()
{
    WorkFolder folder;
    folder.writeFile(
        "modules/setting/p2.bin", "[keydefine_Z5]\n0=9, x, 4, y\n1=9\n2=abc\n3=9, 0, 777, 0\n4=\n");
    myQQuickView view;
    view.changeMacroFileIndex(2);
    QCOMPARE(asInts(view.profileSettings(1)->value("keydefine_Z5/0")), ints({9, 0, 3, 0}));
    QCOMPARE(asInts(view.profileSettings(1)->value("keydefine_Z5/1")), ints({9, 0, 0, 0}));
    QCOMPARE(view.profileSettings(1)->value("keydefine_Z5/2").toString(), QString("abc"));
    // 777 cut to 8 bits is 9, above 2.
    QCOMPARE(asInts(view.profileSettings(1)->value("keydefine_Z5/3")), ints({9, 0, 8, 0}));
}

void tst_Library::changeGunFileIndexTouchesOnlyGunButtons()
{
    WorkFolder folder;
    myQQuickView view;
    QSettings *p2 = view.profileSettings(2);
    p2->setValue("keydefine_Z5/0", ints({8, 0, 4, 0}));
    p2->setValue("keydefine_Z5/1", ints({8, 0, 5, 0}));
    p2->setValue("keydefine_Z5/2", ints({8, 0, 2, 0}));
    p2->setValue("keydefine_Z5/3", ints({9, 0, 5, 0}));
    p2->setValue("keydefine_Z5/4", ints({9, 0, 4, 0}));
    view.changeGunFileIndex(4);
    const auto stored = [](int button) {
        return asInts(onDisk("modules/setting/p3.bin", "keydefine_Z5/" + QString::number(button))
                          .toString()
                          .split(", "));
    };
    QCOMPARE(stored(0), ints({1, 0, 240, 0}));
    QCOMPARE(stored(1), ints({8, 0, 4, 0}));
    QCOMPARE(stored(2), ints({8, 0, 2, 0}));
    QCOMPARE(stored(3), ints({9, 0, 5, 0}));
    QCOMPARE(stored(4), ints({9, 0, 4, 0}));
}

void tst_Library::changeMacroFileType_data()
{
    QTest::addColumn<QVariant>("type");
    QTest::addColumn<int>("second");
    QTest::newRow("1 plays while held") << QVariant(1) << 2;
    QTest::newRow("0") << QVariant(0) << 0;
    QTest::newRow("text 1") << QVariant("1") << 2;
    QTest::newRow("5") << QVariant(5) << 0;
}

void tst_Library::changeMacroFileType()
{
    QFETCH(QVariant, type);
    QFETCH(int, second);
    WorkFolder folder;
    myQQuickView view;
    view.profileSettings(2)->setValue("keydefine_Z5/4", ints({9, 1, 3, 0}));
    view.profileSettings(2)->setValue("keydefine_Z5/5", ints({9, 1, 2, 0}));
    view.profileSettings(2)->setValue("keydefine_Z5/6", ints({1, 1, 3, 0}));
    view.changeMacroFileType(3, type);
    QCOMPARE(asInts(onDisk("modules/setting/p3.bin", "keydefine_Z5/4").toString().split(", ")),
        ints({9, second, 3, 0}));
    QCOMPARE(asInts(view.profileSettings(2)->value("keydefine_Z5/5")), ints({9, 1, 2, 0}));
    QCOMPARE(asInts(view.profileSettings(2)->value("keydefine_Z5/6")), ints({1, 1, 3, 0}));
}

void tst_Library::factoryTable_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QVariantList>("assignment");
    QTest::newRow("left") << 0 << ints({1, 0, 240, 0});
    QTest::newRow("right") << 1 << ints({1, 0, 241, 0});
    QTest::newRow("middle") << 2 << ints({1, 0, 242, 0});
    QTest::newRow("forward") << 3 << ints({1, 0, 244, 0});
    QTest::newRow("back") << 4 << ints({1, 0, 243, 0});
    QTest::newRow("dpi+") << 5 << ints({7, 0, 1, 0});
    QTest::newRow("dpi-") << 6 << ints({7, 0, 2, 0});
}

void tst_Library::factoryTable()
{
    QFETCH(int, button);
    QFETCH(QVariantList, assignment);
    WorkFolder folder;
    myQQuickView view;
    view.profileSettings(1)->setValue(QString("keydefine_Z5/%1").arg(button), ints({9, 2, 4, 1}));
    view.changeMacroFileIndex(4);
    QCOMPARE(
        asInts(view.profileSettings(1)->value(QString("keydefine_Z5/%1").arg(button))), assignment);
}

void tst_Library::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << ".";
    QTest::newRow("dotdot") << "..";
    QTest::newRow("slash") << "a/b";
    QTest::newRow("up") << "../../escape";
    QTest::newRow("backslash") << "..\\escape";
    QTest::newRow("absolute") << "/tmp/escape";
    QTest::newRow("nul") << QString("a") + QChar(0) + "b";
    QTest::newRow("newline") << "a\nb";
    QTest::newRow("colon") << "c:x";
    QTest::newRow("trailing dot") << "name.";
    QTest::newRow("too long") << QString(300, 'x');
}

void tst_Library::refusedNames()
{
    QFETCH(QString, name);
    WorkFolder folder;
    QDir().mkpath("modules/macro/a");
    QDir().mkpath("modules/gun/a");
    myQQuickView view;
    view.profileSettings(0)->setValue("macro/1", name);
    const QStringList before
        = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QCOMPARE(view.createMacroIni(name, 0), QVariant(false));
    QCOMPARE(view.createGunIni(name, 0), QVariant(false));
    QCOMPARE(view.saveMacroIni(name, {"x"}, {}, 1), QVariant(false));
    QCOMPARE(view.loadMacroIni(name), QStringList());
    QCOMPARE(view.loadGunIni(name), QStringList());
    QCOMPARE(view.loadMacroIndex(name), QVariant(0));
    QCOMPARE(view.loadMacroType(name), QVariant(0));
    QCOMPARE(view.loadMacroIniConfig(name), QVariantList());
    QCOMPARE(view.deleteMacroIni(name), QVariant(false));
    QCOMPARE(view.deleteGunIni(name), QVariant(false));
    QCOMPARE(view.isMacroUse(name), QStringList {"Name"});
    QCOMPARE(view.isGunUse(name), QStringList {"Name"});
    view.setMacroIndex(name, 1);
    view.setMacroIniConfig(name, {1, 1});
    view.createMacroIni("fine", 0);
    QCOMPARE(view.modifyMacroName("fine", name), QVariant(false));
    QCOMPARE(view.modifyMacroName(name, "fine2"), QVariant(false));
    view.renameMacroIniFile("fine", name);
    QVERIFY(QFileInfo::exists("modules/macro/fine.bin"));
    QCOMPARE(view.profileSettings(0)->value("macro/1").toString(), name);

    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(QDir("modules/macro").entryList(QDir::Files), QStringList {"fine.bin"});
    QCOMPARE(QDir("modules/gun").entryList(QDir::Files), QStringList());
    QVERIFY(QDir("modules/macro/a").isEmpty());
    QVERIFY(!QFileInfo::exists("/tmp/escape.bin"));
    QVERIFY(!QFileInfo::exists(folder.path() + "/../escape.bin"));
}

void tst_Library::gunDataNameIsNoGun()
{
    WorkFolder folder;
    folder.writeFile("modules/gun/gunData.bin", "[gunData]\nak=1, 2, 3, 4, 5\n");
    const QByteArray shipped = folder.readFile("modules/gun/gunData.bin");
    myQQuickView view;
    QCOMPARE(view.createGunIni("gunData", 0), QVariant(false));
    QCOMPARE(view.deleteGunIni("gunData"), QVariant(false));
    QCOMPARE(view.createGunIni("GUNDATA", 0), QVariant(false));
    QCOMPARE(folder.readFile("modules/gun/gunData.bin"), shipped);
    QCOMPARE(view.createMacroIni("gunData", 0), QVariant(true));
}

QTEST_MAIN(tst_Library)
#include "tst_library.moc"
