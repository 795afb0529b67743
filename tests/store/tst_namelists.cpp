#include <QApplication>
#include <QtTest>

#include "bridge/myqquickview.h"
#include "store/gundata.h"
#include "store/namelists.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

class tst_NameLists : public QObject
{
    Q_OBJECT

private slots:
    void keysByKind_data();
    void keysByKind();
    void singleNameGetsTheSentinel();
    void sentinelRoundTripThroughTheFile();
    void longerListsAreStoredAsGiven();
    void emptyListRemovesTheKey();
    void unknownKindWritesNothing_data();
    void unknownKindWritesNothing();
    void missingFileReadsEmpty();
    void loneStoredStringReadsAsOneName();
    void gunDataWithoutFileDoesNothing();
    void gunDataSaveAndRead();
    void gunDataModifyRenames();
    void gunDataModifyRemoves();
    void gunDataShortOrOddRecords();
    void profileNamesRoundTrip_data();
    void profileNamesRoundTrip();
    void shippedListsNameRealProfilesAndFiles();
};

void tst_NameLists::keysByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("key");
    QTest::newRow("macros") << 0 << "macro/macroName";
    QTest::newRow("guns") << 1 << "gun/gunName";
    QTest::newRow("profiles") << 2 << "profile/profileName";
    QTest::newRow("selected gun") << 3 << "gun/selectGun";
}

void tst_NameLists::keysByKind()
{
    QFETCH(int, kind);
    QFETCH(QString, key);
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.updataNameList(kind, {"a", "b", "c"}), QVariant(true));
    QSettings file("modules/setting/name.bin", QSettings::IniFormat);
    QCOMPARE(file.value(key).toStringList(), (QStringList {"a", "b", "c"}));
    QCOMPARE(file.allKeys(), QStringList {key});
    QCOMPARE(view.getNameList(kind), (QVariantList {"a", "b", "c"}));
}

void tst_NameLists::singleNameGetsTheSentinel()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.updataNameList(0, {"m1"}), QVariant(true));
    const QByteArray text = folder.readFile("modules/setting/name.bin");
    QVERIFY2(text.contains("macroName=m1, loadertovrim"), text.constData());
    QCOMPARE(view.getNameList(0), (QVariantList {"m1", "loadertovrim"}));
}

void tst_NameLists::sentinelRoundTripThroughTheFile()
{
    WorkFolder folder;
    {
        myQQuickView view;
        view.updataNameList(2, {QString::fromUtf8("默认1")});
    }
    // A second process would read the file afresh.
    const QByteArray text = folder.readFile("modules/setting/name.bin");
    QVERIFY(text.contains("loadertovrim"));
    folder.writeFile("modules/setting/name.bin", text);
    myQQuickView view;
    const QVariantList names = view.getNameList(2);
    QCOMPARE(names, (QVariantList {QString::fromUtf8("默认1"), "loadertovrim"}));
    view.updataNameList(2, {names.at(0).toString(), "p2"});
    QCOMPARE(view.getNameList(2), (QVariantList {QString::fromUtf8("默认1"), "p2"}));
}

void tst_NameLists::longerListsAreStoredAsGiven()
{
    WorkFolder folder;
    myQQuickView view;
    view.updataNameList(1, {"g1", "loadertovrim"});
    QCOMPARE(view.getNameList(1), (QVariantList {"g1", "loadertovrim"}));
    view.updataNameList(1, {"a,b", "c d", "e"});
    QCOMPARE(view.getNameList(1), (QVariantList {"a,b", "c d", "e"}));
}

void tst_NameLists::emptyListRemovesTheKey()
{
    WorkFolder folder;
    myQQuickView view;
    view.updataNameList(1, {"g1", "g2"});
    view.updataNameList(0, {"m1", "m2"});
    QCOMPARE(view.updataNameList(1, {}), QVariant(true));
    QCOMPARE(view.getNameList(1), QVariantList());
    QVERIFY(!folder.readFile("modules/setting/name.bin").contains("gunName"));
    QCOMPARE(view.getNameList(0), (QVariantList {"m1", "m2"}));
}

void tst_NameLists::unknownKindWritesNothing_data()
{
    QTest::addColumn<QVariant>("kind");
    QTest::newRow("7") << QVariant(7);
    QTest::newRow("-1") << QVariant(-1);
    QTest::newRow("text") << QVariant("x");
}

void tst_NameLists::unknownKindWritesNothing()
{
    QFETCH(QVariant, kind);
    WorkFolder folder;
    myQQuickView view;
    if (kind.toString() == "x") {
        // Text that is no number reads as kind 0.
        QCOMPARE(view.updataNameList(kind, {"a", "b"}), QVariant(true));
        QCOMPARE(view.getNameList(0), (QVariantList {"a", "b"}));
        return;
    }
    QCOMPARE(view.updataNameList(kind, {"a", "b"}), QVariant(true));
    QVERIFY(!QFileInfo::exists("modules/setting/name.bin"));
    QCOMPARE(view.getNameList(kind), QVariantList());
}

void tst_NameLists::missingFileReadsEmpty()
{
    WorkFolder folder;
    myQQuickView view;
    for (int kind = 0; kind < 4; ++kind)
        QCOMPARE(view.getNameList(kind), QVariantList());
}

void tst_NameLists::loneStoredStringReadsAsOneName()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/name.bin", "[macro]\nmacroName=solo\n");
    myQQuickView view;
    QCOMPARE(view.getNameList(0), QVariantList {"solo"});
}

void tst_NameLists::gunDataWithoutFileDoesNothing()
{
    WorkFolder folder;
    myQQuickView view;
    view.saveGundata({"ak", 1, 2, 3, 4, 5});
    view.modifyGundata(1, {"m4", 1, 2, 3, 4, 5, "ak"});
    QVERIFY(!QFileInfo::exists("modules/gun/gunData.bin"));
    QCOMPARE(view.getGunData("ak"), QVariantList());
    QCOMPARE(view.getGunDataKey(), QStringList());
}

void tst_NameLists::gunDataSaveAndRead()
{
    WorkFolder folder;
    folder.writeFile("modules/gun/gunData.bin", "");
    myQQuickView view;
    view.saveGundata({"ak", 1, 2, 3, 4, 5});
    view.saveGundata({"m4", 6, 7, 8, 9, 10});
    QVERIFY(folder.readFile("modules/gun/gunData.bin").contains("ak=1, 2, 3, 4, 5"));
    const QVariantList ak = view.getGunData("ak");
    QCOMPARE(ak.size(), 5);
    QCOMPARE(ak.at(4).toInt(), 5);
    QCOMPARE(view.getGunDataKey(), (QStringList {"ak", "m4"}));
    QCOMPARE(view.getGunData("none"), QVariantList());
}

void tst_NameLists::gunDataModifyRenames()
{
    WorkFolder folder;
    folder.writeFile("modules/gun/gunData.bin", "[gunData]\ng1=9, 9, 9, 9, 9\n");
    myQQuickView view;
    view.modifyGundata(1, {"g2", 1, 2, 3, 4, 5, "g1"});
    QCOMPARE(view.getGunDataKey(), QStringList {"g2"});
    QVariantList values;
    for (const QVariant &v : view.getGunData("g2"))
        values << v.toInt();
    QCOMPARE(values, (QVariantList {1, 2, 3, 4, 5}));
    view.modifyGundata(2, {"g2"});
    QCOMPARE(view.getGunDataKey(), QStringList {"g2"});
}

void tst_NameLists::gunDataModifyRemoves()
{
    WorkFolder folder;
    folder.writeFile("modules/gun/gunData.bin", "[gunData]\ng1=1, 2, 3, 4, 5\ng3=1, 1, 1, 1, 1\n");
    myQQuickView view;
    view.modifyGundata(0, {"g1"});
    QCOMPARE(view.getGunDataKey(), QStringList {"g3"});
    QVERIFY(!folder.readFile("modules/gun/gunData.bin").contains("g1"));
}

void tst_NameLists::gunDataShortOrOddRecords()
{
    WorkFolder folder;
    folder.writeFile("modules/gun/gunData.bin", "[gunData]\ng1=1, 2, 3, 4, 5\n");
    const QByteArray before = folder.readFile("modules/gun/gunData.bin");
    myQQuickView view;
    view.saveGundata({});
    view.saveGundata({"short", 1});
    view.saveGundata({"../x", 1, 2, 3, 4, 5});
    view.modifyGundata(0, {});
    view.modifyGundata(1, {"g2", 1, 2});
    view.modifyGundata(1, {"", 1, 2, 3, 4, 5, "g1"});
    QCOMPARE(folder.readFile("modules/gun/gunData.bin"), before);
    QCOMPARE(view.getGunData(""), QVariantList());
}

void tst_NameLists::profileNamesRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("survives");
    QTest::newRow("plain") << QString("Raid") << true;
    QTest::newRow("Chinese") << QString::fromUtf8("射击") << true;
    QTest::newRow("comma and quotes") << QString("a, \"b\"") << true;
    QTest::newRow("at sign first") << QString("@Variant(x)") << true;
    QTest::newRow("backslash and semicolon") << QString("a\\b;c#d") << true;
    QTest::newRow("brackets and equals") << QString("[g]=1") << true;
    QTest::newRow("outside the basic plane") << QString::fromUtf8("x\xF0\x9F\x98\x80") << true;
    QTest::newRow("inner blanks") << QString("a  b") << true;
    // Refused by the profile page: the file gets a replacement character instead.
    QTest::newRow("lone surrogate") << (QString("x") + QChar(0xd800)) << false;
}

// Every name the profile page accepts comes back unchanged from the file, parsed anew under
// another file name (a settings object on the same name may answer from its cache).
void tst_NameLists::profileNamesRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(bool, survives);
    WorkFolder folder;
    QVERIFY(NameLists::update(2, {name + "3", "other0"}));
    folder.writeFile("fresh.ini", folder.readFile("modules/setting/name.bin"));
    const QSettings fresh(folder.filePath("fresh.ini"), QSettings::IniFormat);
    const QStringList read = fresh.value("profile/profileName").toStringList();
    QCOMPARE(read.size(), 2);
    QCOMPARE(read.at(0) == name + "3", survives);
    QCOMPARE(read.at(1), QString("other0"));
}

void tst_NameLists::shippedListsNameRealProfilesAndFiles()
{
    WorkFolder folder;
    QVERIFY(folder.copyShipped("setting/name.bin"));
    const QVariantList profiles = NameLists::get(2);
    QCOMPARE(profiles, (QVariantList {"PUBG0", "Standard1"}));
    for (uint kind : {0u, 1u}) {
        const QString folderName = kind == 0 ? "macro" : "gun";
        const QVariantList names = NameLists::get(kind);
        for (const QVariant &name : names) {
            if (name.toString() == NameLists::sentinel)
                continue;
            QVERIFY2(QFileInfo::exists(skelda::test::shippedModulesPath() + "/" + folderName + "/"
                         + name.toString() + ".bin"),
                qPrintable(name.toString()));
        }
    }
}

QTEST_MAIN(tst_NameLists)
#include "tst_namelists.moc"
