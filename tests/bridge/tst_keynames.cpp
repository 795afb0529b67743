#include <QApplication>
#include <QtTest>

#include <memory>

#include "bridge/keynametable.h"
#include "bridge/myqquickview.h"
#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/virtualhidbackend.h"
#include "store/settingsfiles.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

class tst_KeyNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tableHoldsEveryDocumentName();
    void namesGiveTheirCodes_data();
    void namesGiveTheirCodes();
    void unknownNamesGiveZero_data();
    void unknownNamesGiveZero();
    void everyUsageOfTheDocumentsHasOneName();
    void buildingAgainGivesTheSameTable();
    void bridgeConstructionBuildsTheTable();
    void keydefineFollowsTheDeviceRecord_data();
    void keydefineFollowsTheDeviceRecord();
    void keydefineWithoutLinkReadsNothing();
    void keydefineAfterReloadHoldsTexts();
};

void tst_KeyNames::initTestCase()
{
    KeyNameTable::build();
}

void tst_KeyNames::tableHoldsEveryDocumentName()
{
    QCOMPARE(KeyNameTable::size(), 132);
}

void tst_KeyNames::namesGiveTheirCodes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::newRow("A") << "A" << 0x04;
    QTest::newRow("Z") << "Z" << 0x1D;
    QTest::newRow("1") << "1" << 0x1E;
    QTest::newRow("9") << "9" << 0x26;
    QTest::newRow("0") << "0" << 0x27;
    QTest::newRow("Enter") << "Enter" << 0x28;
    QTest::newRow("Back") << "Back" << 0x2A;
    QTest::newRow("backslash") << "\\ |" << 0x31;
    QTest::newRow("semicolon") << "; :" << 0x33;
    QTest::newRow("quote") << "' \"" << 0x34;
    QTest::newRow("grave") << "` ~" << 0x35;
    QTest::newRow("Caps") << "Caps" << 0x39;
    QTest::newRow("F1") << "F1" << 0x3A;
    QTest::newRow("F12") << "F12" << 0x45;
    QTest::newRow("Hom") << "Hom" << 0x4A;
    QTest::newRow("PgD") << "PgD" << 0x4E;
    QTest::newRow("right") << QString::fromUtf8("\u25BA") << 0x4F;
    QTest::newRow("left") << QString::fromUtf8("\u25C4") << 0x50;
    QTest::newRow("down") << QString::fromUtf8("\u25BC") << 0x51;
    QTest::newRow("up") << QString::fromUtf8("\u25B2") << 0x52;
    QTest::newRow("KP Enter") << "KP Enter" << 0x58;
    QTest::newRow("KP 1") << "KP 1" << 0x59;
    QTest::newRow("KP 9") << "KP 9" << 0x61;
    QTest::newRow("KP 0") << "KP 0" << 0x62;
    QTest::newRow("KP =") << "KP =" << 0x67;
    QTest::newRow("F13") << "F13" << 0x68;
    QTest::newRow("F24") << "F24" << 0x73;
    QTest::newRow("Keypad") << "Keypad" << 0x85;
    QTest::newRow("Intl'2") << "Intl'2" << 0x88;
    QTest::newRow("Int'l 2") << "Int'l 2" << 0x89;
    QTest::newRow("Lang 2") << "Lang 2" << 0x91;
    QTest::newRow("L Ctrl") << "L Ctrl" << 0xE0;
    QTest::newRow("R Win") << "R Win" << 0xE7;
    QTest::newRow("MS-L") << "MS-L" << 0xF0;
    QTest::newRow("MS-B5") << "MS-B5" << 0xF4;
}

void tst_KeyNames::namesGiveTheirCodes()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QCOMPARE(int(KeyNameTable::code(name)), code);
}

void tst_KeyNames::unknownNamesGiveZero_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << "a";
    QTest::newRow("Ctrl") << "Ctrl";
    QTest::newRow("empty") << "";
    QTest::newRow("Int'l 3") << "Int'l 3";
    QTest::newRow("trailing blank") << "A ";
    QTest::newRow("F25") << "F25";
    QTest::newRow("KP 10") << "KP 10";
}

void tst_KeyNames::unknownNamesGiveZero()
{
    QFETCH(QString, name);
    QCOMPARE(int(KeyNameTable::code(name)), 0);
}

// Every usage the documents name, except 0x32 (it shares the name of 0x31), has exactly one name.
void tst_KeyNames::everyUsageOfTheDocumentsHasOneName()
{
    QList<int> expected;
    for (int c = 0x04; c <= 0x73; ++c) {
        if (c != 0x32)
            expected << c;
    }
    expected << 0x85 << 0x87 << 0x88 << 0x89 << 0x8A << 0x8B << 0x90 << 0x91;
    for (int c = 0xE0; c <= 0xE7; ++c)
        expected << c;
    for (int c = 0xF0; c <= 0xF4; ++c)
        expected << c;
    QCOMPARE(expected.size(), 132);
    // 132 distinct names and 132 distinct expected codes: a code reached twice would leave one out.
    QSet<int> seen;
    const QStringList probes = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
        "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "1", "2", "3", "4", "5",
        "6", "7", "8", "9", "0", "Enter", "Esc", "Back", "Tab", "Space", "- _", "= +", "[ {", "] }",
        "\\ |", "; :", "' \"", "` ~", ", <", ". >", "/ ?", "Caps", "F1", "F2", "F3", "F4", "F5",
        "F6", "F7", "F8", "F9", "F10", "F11", "F12", "Prt", "Scr", "Pau", "Ins", "Hom", "PgU",
        "Del", "End", "PgD", QString::fromUtf8("\u25BA"), QString::fromUtf8("\u25C4"),
        QString::fromUtf8("\u25BC"), QString::fromUtf8("\u25B2"), "Num", "KP /", "KP *", "KP -",
        "KP +", "KP Enter", "KP 1", "KP 2", "KP 3", "KP 4", "KP 5", "KP 6", "KP 7", "KP 8", "KP 9",
        "KP 0", "KP .", "Eur 2", "App", "Power", "KP =", "F13", "F14", "F15", "F16", "F17", "F18",
        "F19", "F20", "F21", "F22", "F23", "F24", "Keypad", "Int'l 1", "Intl'2", "Int'l 2",
        "Int'l 4", "Int'l 5", "Lang 1", "Lang 2", "L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl",
        "R Shift", "R Alt", "R Win", "MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"};
    QCOMPARE(probes.size(), 132);
    for (const QString &name : probes) {
        const int code = KeyNameTable::code(name);
        QVERIFY2(expected.contains(code), qPrintable(name));
        QVERIFY2(!seen.contains(code), qPrintable(name));
        seen.insert(code);
    }
    QCOMPARE(seen.size(), 132);
}

void tst_KeyNames::buildingAgainGivesTheSameTable()
{
    KeyNameTable::build();
    KeyNameTable::build();
    QCOMPARE(KeyNameTable::size(), 132);
    QCOMPARE(int(KeyNameTable::code("Space")), 0x2C);
}

void tst_KeyNames::bridgeConstructionBuildsTheTable()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(KeyNameTable::size(), 132);
    QCOMPARE(int(KeyNameTable::code("MS-R")), 0xF1);
}

void tst_KeyNames::keydefineFollowsTheDeviceRecord_data()
{
    QTest::addColumn<int>("attached");
    QTest::addColumn<QString>("key");
    QTest::newRow("mouse") << int(VirtualHidBackend::Attached::Mouse) << "keydefine_Z5/5";
    QTest::newRow("keyboard") << int(VirtualHidBackend::Attached::Keyboard) << "keydefine/5";
}

void tst_KeyNames::keydefineFollowsTheDeviceRecord()
{
    QFETCH(int, attached);
    QFETCH(QString, key);
    WorkFolder folder;
    Hid_Thread link;
    VirtualHidBackend::installInto(link, VirtualHidBackend::Attached(attached));
    QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
    link.enumerateDevices(DeviceTable::readRecords(table, {"keyboard", "mouse"}));
    myQQuickView view;
    view.hid = &link;
    view.currentProfileSettings()->setValue("keydefine_Z5/5", QVariantList {1, 0, 240, 0});
    view.currentProfileSettings()->setValue("keydefine/5", QVariantList {0, 2, 4, 0});
    const QVariantList expected = view.currentProfileSettings()->value(key).toList();
    QCOMPARE(view.getKeydefine(5), expected);
    QCOMPARE(view.getKeydefine(QString("5")), expected);
    QVERIFY(view.getKeydefine(6).isEmpty());
}

void tst_KeyNames::keydefineWithoutLinkReadsNothing()
{
    WorkFolder folder;
    myQQuickView view;
    view.currentProfileSettings()->setValue("keydefine_Z5/0", QVariantList {1, 0, 240, 0});
    QVERIFY(view.getKeydefine(0).isEmpty());
}

void tst_KeyNames::keydefineAfterReloadHoldsTexts()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p1.bin", "[keydefine_Z5]\n3=1, 0, 240, 0\n");
    Hid_Thread link;
    VirtualHidBackend::installInto(link, VirtualHidBackend::Attached::Mouse);
    QSettings table(DeviceTable::resourcePath, QSettings::IniFormat);
    link.enumerateDevices(DeviceTable::readRecords(table, {"keyboard", "mouse"}));
    myQQuickView view;
    view.hid = &link;
    QCOMPARE(view.getKeydefine(3), (QVariantList {"1", "0", "240", "0"}));
}

QTEST_MAIN(tst_KeyNames)
#include "tst_keynames.moc"
