#include <QApplication>
#include <QtTest>

#include "bridge/myqquickview.h"
#include "store/languages.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

class tst_Languages : public QObject
{
    Q_OBJECT

private slots:
    void mapOfTheShippedNames();
    void otherCountriesAreNamed_data();
    void otherCountriesAreNamed();
    void codesThatAreNoNumbers();
    void noFolderGivesEmptyMap();
    void numberTablesResolve();
    void groupsByType_data();
    void groupsByType();
    void countLimitsTheStrings();
    void textsAreUtf8();
    void hugeOrBadCountsStayBounded_data();
    void hugeOrBadCountsStayBounded();
    void missingFileGivesEmptyLists();
    void layoutStringsAreSixteen();
    void codesLeavingTheFolderAreRefused();
    void messageTextsByLanguage_data();
    void messageTextsByLanguage();
    void chineseMessagesFromTheLanguageFile();
    void bridgeFillsTheMessageTexts();
};

void tst_Languages::mapOfTheShippedNames()
{
    WorkFolder folder;
    for (const char *name : {"lang_025044.ini", "lang_025208.ini", "lang_031000.ini"})
        folder.writeFile(QString("modules/i18n/") + name, "[main]\ntotal=0\n");
    folder.writeFile("modules/i18n/readme.txt", "");
    myQQuickView view;
    const QVariantMap map = view.chkLanguages();
    QCOMPARE(map.keys(), (QStringList {"CHINESE (Simp)", "CHINESE (Trad)", "ENGLISH"}));
    QCOMPARE(map.value("CHINESE (Simp)"), QVariant(QString("025044")));
    QCOMPARE(map.value("CHINESE (Trad)"), QVariant(QString("025208")));
    QCOMPARE(map.value("ENGLISH"), QVariant(QString("031000")));
    QCOMPARE(map.value("ENGLISH").userType(), int(QMetaType::QString));
}

void tst_Languages::otherCountriesAreNamed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("german in germany") << "lang_042082.ini"
                                       << "GERMAN (GERMANY)";
    QTest::newRow("english in us") << "lang_031225.ini"
                                   << "ENGLISH (UNITED STATES)";
    QTest::newRow("english in uk") << "lang_031224.ini"
                                   << "ENGLISH (UNITED KINGDOM)";
    QTest::newRow("french in france") << "lang_037074.ini"
                                      << "FRENCH (FRANCE)";
    QTest::newRow("japanese in japan") << "lang_059108.ini"
                                       << "JAPANESE (JAPAN)";
    QTest::newRow("korean") << "lang_066114.ini"
                            << "KOREAN (SOUTH KOREA)";
    QTest::newRow("portuguese in brazil") << "lang_091030.ini"
                                          << "PORTUGUESE (BRAZIL)";
    QTest::newRow("russian") << "lang_096000.ini"
                             << "RUSSIAN";
    QTest::newRow("spanish in spain") << "lang_111197.ini"
                                      << "SPANISH (SPAIN)";
    QTest::newRow("folder counts too") << "lang_058106.ini/"
                                       << "ITALIAN (ITALY)";
}

void tst_Languages::otherCountriesAreNamed()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    WorkFolder folder;
    if (file.endsWith('/'))
        QDir().mkpath("modules/i18n/" + file);
    else
        folder.writeFile("modules/i18n/" + file, "");
    const QVariantMap map = Languages::installed();
    QCOMPARE(map.keys(), QStringList {name});
    QCOMPARE(map.value(name).toString(), file.mid(5, 6));
}

void tst_Languages::codesThatAreNoNumbers()
{
    WorkFolder folder;
    folder.writeFile("modules/i18n/lang_abcdef.ini", "");
    folder.writeFile("modules/i18n/lang_.ini", "");
    folder.writeFile("modules/i18n/lang_999999.ini", "");
    const QVariantMap map = Languages::installed();
    const QString none = Languages::languageName(0).toUpper();
    // Both names give language 0; the later one in name order wins.
    QCOMPARE(map.value(none).toString(), QString("abcdef"));
    QVERIFY(map.contains(Languages::languageName(999).toUpper() + " ("
        + Languages::countryName(999).toUpper() + ")"));
    QCOMPARE(map.size(), 2);
}

void tst_Languages::noFolderGivesEmptyMap()
{
    WorkFolder folder;
    QDir("modules/i18n").removeRecursively();
    QVERIFY(Languages::installed().isEmpty());
}

void tst_Languages::numberTablesResolve()
{
    QCOMPARE(Languages::languageName(25), QString("Chinese"));
    QCOMPARE(Languages::languageName(31), QString("English"));
    QCOMPARE(Languages::countryName(44), QString("China"));
    QCOMPARE(Languages::countryName(208), QString("Taiwan"));
    const QString unknown = Languages::languageName(5000);
    QVERIFY(!unknown.isEmpty());
    // Every number up to the last one of the tables has a real name.
    for (uint n = 1; n <= 140; ++n)
        QVERIFY2(Languages::languageName(n) != unknown, qPrintable(QString::number(n)));
    for (uint n = 1; n <= 246; ++n)
        QVERIFY2(Languages::countryName(n) != Languages::countryName(5000),
            qPrintable(QString::number(n)));
}

void tst_Languages::groupsByType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("first");
    QTest::newRow("main") << 0 << "main0";
    QTest::newRow("keyMatrix") << 1 << "keyMatrix0";
    QTest::newRow("keyMenu") << 2 << "keyMenu0";
    QTest::newRow("macroEditor") << 3 << "macroEditor0";
    QTest::newRow("gunControl") << 4 << "gunControl0";
    QTest::newRow("macroKey") << 5 << "macroKey0";
    QTest::newRow("other") << 6 << "other0";
    QTest::newRow("top level") << 7 << "top0";
}

void tst_Languages::groupsByType()
{
    QFETCH(int, type);
    QFETCH(QString, first);
    WorkFolder folder;
    QByteArray text = "total=1\n0=top0\n";
    for (const char *group :
        {"main", "keyMatrix", "keyMenu", "macroEditor", "gunControl", "macroKey", "other"})
        text += QByteArray("[") + group + "]\ntotal=1\n0=" + group + "0\n";
    folder.writeFile("modules/i18n/lang_025044.ini", text);
    myQQuickView view;
    QCOMPARE(view.getGlobalStrings(type, "lang_025044"), QStringList {first});
}

void tst_Languages::countLimitsTheStrings()
{
    WorkFolder folder;
    folder.writeFile("modules/i18n/lang_025044.ini",
        "[gunControl]\ntotal=3\n0=a\n1=b\n2=c\n3=d\n[main]\ntotal=4\n0=x\n2=z\n");
    myQQuickView view;
    QCOMPARE(view.getGlobalStrings(4, "lang_025044"), (QStringList {"a", "b", "c"}));
    QCOMPARE(view.getGlobalStrings(0, "lang_025044"), (QStringList {"x", "", "z", ""}));
}

void tst_Languages::textsAreUtf8()
{
    WorkFolder folder;
    folder.writeFile("modules/i18n/lang_025044.ini",
        QString::fromUtf8("[main]\ntotal=2\n0=宏编辑\n1=\"灯光, 效果\"\n[Z5_133C6AA]\n0=左键\n")
            .toUtf8());
    myQQuickView view;
    QCOMPARE(view.getGlobalStrings(0, "lang_025044"),
        (QStringList {QString::fromUtf8("宏编辑"), QString::fromUtf8("灯光, 效果")}));
    QCOMPARE(view.getProductLayoutStrings_Z5("025044").at(0), QString::fromUtf8("左键"));
}

void tst_Languages::hugeOrBadCountsStayBounded_data()
{
    QTest::addColumn<QByteArray>("total");
    QTest::addColumn<int>("size");
    QTest::newRow("huge") << QByteArray("2147483647") << 4096;
    QTest::newRow("overflow") << QByteArray("99999999999999") << -1;
    QTest::newRow("negative") << QByteArray("-3") << 0;
    QTest::newRow("text") << QByteArray("lots") << 0;
}

void tst_Languages::hugeOrBadCountsStayBounded()
{
    QFETCH(QByteArray, total);
    QFETCH(int, size);
    WorkFolder folder;
    folder.writeFile("modules/i18n/lang_025044.ini", "[main]\ntotal=" + total + "\n0=a\n");
    QElapsedTimer timer;
    timer.start();
    const int got = Languages::globalStrings(0, "lang_025044").size();
    if (size < 0)
        QVERIFY(got <= 4096);
    else
        QCOMPARE(got, size);
    QVERIFY(timer.elapsed() < 5000);
}

void tst_Languages::missingFileGivesEmptyLists()
{
    WorkFolder folder;
    myQQuickView view;
    QCOMPARE(view.getGlobalStrings(0, "lang_025044"), QStringList());
    QCOMPARE(view.getProductLayoutStrings_Z5("025044"), QStringList(16, QString()));
    QVERIFY(QDir("modules/i18n").isEmpty());
}

void tst_Languages::layoutStringsAreSixteen()
{
    WorkFolder folder;
    QByteArray text = "[Z5_133C6AA]\n";
    for (int i = 0; i < 18; ++i) {
        if (i != 7)
            text += QByteArray::number(i) + "=s" + QByteArray::number(i) + "\n";
    }
    folder.writeFile("modules/i18n/lang_031000.ini", text);
    const QStringList strings = Languages::productLayoutStrings("031000");
    QCOMPARE(strings.size(), 16);
    QCOMPARE(strings.at(0), QString("s0"));
    QCOMPARE(strings.at(7), QString());
    QCOMPARE(strings.at(15), QString("s15"));
}

void tst_Languages::codesLeavingTheFolderAreRefused()
{
    WorkFolder folder;
    folder.writeFile("modules/secret.ini", "[main]\ntotal=1\n0=secret\n");
    folder.writeFile("modules/lang_x.ini", "[Z5_133C6AA]\n0=secret\n");
    QCOMPARE(Languages::globalStrings(0, "../secret"), QStringList());
    QCOMPARE(Languages::productLayoutStrings("../../modules/lang_x").at(0), QString());
}

void tst_Languages::messageTextsByLanguage_data()
{
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("chinese") << QVariant("ChineseSimplified") << true;
    QTest::newRow("portuguese") << QVariant("Portuguese") << false;
    QTest::newRow("none") << QVariant() << false;
}

void tst_Languages::messageTextsByLanguage()
{
    QFETCH(QVariant, language);
    QFETCH(bool, chinese);
    WorkFolder folder;
    const QStringList texts = MessageTexts::load(language);
    QCOMPARE(texts.size(), int(MessageTexts::Count));
    QCOMPARE(texts, MessageTexts::builtIn(chinese));
    for (const QString &text : texts)
        QVERIFY(!text.trimmed().isEmpty());
    if (!chinese) {
        QCOMPARE(texts.at(MessageTexts::MacroTooLongTitle), QString("MACRO"));
        QCOMPARE(texts.at(MessageTexts::MacroTooLongText),
            QString("Out of memory,\nsome command line has been cut."));
    } else {
        QVERIFY(texts.at(MessageTexts::PictureText).contains(QString::fromUtf8("图片")));
    }
}

void tst_Languages::chineseMessagesFromTheLanguageFile()
{
    WorkFolder folder;
    folder.writeFile("modules/i18n/lang_025044.ini", "[other]\ntotal=2\n0=a\n1=b\n");
    QCOMPARE(MessageTexts::load("ChineseSimplified"), MessageTexts::builtIn(true));
    folder.writeFile("modules/i18n/lang_025044.ini",
        "[other]\ntotal=7\n0=t0\n1=t1\n2=t2\n3=t3\n4=t4\n5=t5\n6=t6\n");
    QCOMPARE(MessageTexts::load("ChineseSimplified"), MessageTexts::builtIn(true));
    folder.writeFile("modules/i18n/lang_025044.ini",
        "[other]\ntotal=9\n0=t0\n1=t1\n2=t2\n3=t3\n4=t4\n5=t5\n6=t6\n7=t7\n8=t8\n");
    QCOMPARE(MessageTexts::load("ChineseSimplified"),
        (QStringList {"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7"}));
    QCOMPARE(MessageTexts::load("English"), MessageTexts::builtIn(false));
}

void tst_Languages::bridgeFillsTheMessageTexts()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/apConfig.bin", "[common]\nlanguage=ChineseSimplified\n");
    myQQuickView view;
    QCOMPARE(view.messageTexts(), MessageTexts::builtIn(true));
    QCOMPARE(view.messageText(MessageTexts::Count), QString());
    QCOMPARE(view.messageText(-1), QString());
}

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
