#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtTest>

#include <atomic>
#include <thread>

#include "store/profiles.h"
#include "store/settingsfiles.h"
#include "support/readonlyfolder.h"
#include "support/workfolder.h"

using skelda::test::ReadOnlyFolder;
using skelda::test::shippedModulesPath;
using skelda::test::WorkFolder;

class tst_Profiles : public QObject
{
    Q_OBJECT

private slots:
    void keysHaveTheirFormat_data();
    void keysHaveTheirFormat();
    void resetSourceDependsOnTheNumber_data();
    void resetSourceDependsOnTheNumber();
    void validNumbersAreZeroToNine();
    void valuesSurviveAFreshObject_data();
    void valuesSurviveAFreshObject();
    void writeReachesTheDiskAtOnce();
    void writeReportsAnUnwritableFile();
    void missingListReadsEmpty();
    void plainValueReadsAsOneElement_data();
    void plainValueReadsAsOneElement();
    void buttonPageDefaults();
    void buttonPageSkipsMissingEntries();
    void lightingPageDefaults();
    void sensorPageDefaults();
    void sensorPageCodeDefaults();
    void otherPagesHaveNoDefaults_data();
    void otherPagesHaveNoDefaults();
    void replaceSwapsInTheCopy();
    void replaceKeepsEverythingWithoutSource();
    void replaceKeepsEverythingWhenTheCopyFails_data();
    void replaceKeepsEverythingWhenTheCopyFails();
    void replaceLeavesOtherFilesAlone();
    void replacedFileIsNeverMissing();
    void replacedObjectCannotWriteBack();
    void replaceSeesASameSizeCopy();
    void shippedFactoryFilesAreComplete_data();
    void shippedFactoryFilesAreComplete();
    void shippedProfilesAreFactoryCopies();
};

void tst_Profiles::keysHaveTheirFormat_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("button 0") << Profiles::Key::buttonAssignment(0) << "keydefine_Z5/0";
    QTest::newRow("button 15") << Profiles::Key::buttonAssignment(15) << "keydefine_Z5/15";
    QTest::newRow("keyboard 125") << Profiles::Key::keyboardAssignment(125) << "keydefine/125";
    QTest::newRow("stage colours") << Profiles::Key::stageColors(2) << "color_Z5/type2";
    QTest::newRow("colour") << Profiles::Key::color(7) << "color/7";
    QTest::newRow("picture") << Profiles::Key::userPicture(4) << "userPicture/4";
    QTest::newRow("xy number") << Profiles::Key::xySensitive(1) << "XYSensitive/1";
    QTest::newRow("xy text") << Profiles::Key::xySensitive(QString("0")) << "XYSensitive/0";
    QTest::newRow("gun") << Profiles::Key::selectGun(0) << "selectGun/0";
    QTest::newRow("macro") << Profiles::Key::macroSlot(3) << "macro/3";
    QTest::newRow("swap") << QString(Profiles::Key::scrollSwap) << "keydefine_Z5/scrollswap";
    QTest::newRow("rate") << QString(Profiles::Key::reportRate) << "sensor/reportRate_Z5";
    QTest::newRow("dpi") << QString(Profiles::Key::dpiValues) << "sensor/dpi_Z5";
    QTest::newRow("stage") << QString(Profiles::Key::dpiStage) << "sensor/stage_Z5";
    QTest::newRow("select") << QString(Profiles::Key::dpiSelect) << "sensor/dpi_Select";
    QTest::newRow("speed") << QString(Profiles::Key::cursorSpeed) << "sensor/cursorSpeed_Z5";
    QTest::newRow("lines") << QString(Profiles::Key::scrollLines)
                           << "sensor/verticalScrollLines_Z5";
    QTest::newRow("double") << QString(Profiles::Key::doubleClickSpeed)
                            << "sensor/doubleClickSpeed_Z5";
    QTest::newRow("led type") << QString(Profiles::Key::ledType) << "color/ledType";
    QTest::newRow("effect") << QString(Profiles::Key::ledEffect) << "color_Z5/ledEffect";
}

void tst_Profiles::keysHaveTheirFormat()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(key, expected);
}

void tst_Profiles::resetSourceDependsOnTheNumber_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("source");
    QTest::newRow("0") << 0 << "./modules/setting/pD.bin";
    for (int n = 1; n < 10; ++n)
        QTest::addRow("%d", n) << n << "./modules/setting/pD_standard.bin";
}

void tst_Profiles::resetSourceDependsOnTheNumber()
{
    QFETCH(int, profile);
    QFETCH(QString, source);
    QCOMPARE(Profiles::resetSource(profile), source);
}

void tst_Profiles::validNumbersAreZeroToNine()
{
    QVERIFY(Profiles::isValidNumber(0));
    QVERIFY(Profiles::isValidNumber(9));
    QVERIFY(!Profiles::isValidNumber(-1));
    QVERIFY(!Profiles::isValidNumber(10));
}

void tst_Profiles::valuesSurviveAFreshObject_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariantList>("asList");
    QTest::newRow("eight numbers")
        << QVariant(QVariantList {400, 800, 1600, 2400, 3200, 5000, 250, 250})
        << QVariantList {"400", "800", "1600", "2400", "3200", "5000", "250", "250"};
    QTest::newRow("one element") << QVariant(QVariantList {7}) << QVariantList {7};
    QTest::newRow("one text") << QVariant(QVariantList {QString("abc")})
                              << QVariantList {QString("abc")};
    QTest::newRow("empty list") << QVariant(QVariantList {}) << QVariantList {};
    QTest::newRow("four bytes") << QVariant(QVariantList {15, 0, 46, 0})
                                << QVariantList {"15", "0", "46", "0"};
}

void tst_Profiles::valuesSurviveAFreshObject()
{
    QFETCH(QVariant, value);
    QFETCH(QVariantList, asList);
    WorkFolder folder;
    {
        QSettings profile("./modules/setting/p1.bin", QSettings::IniFormat);
        QVERIFY(Profiles::write(profile, "sensor/dpi_Z5", value));
    }
    // Settings objects of one process share what they parsed; a newer file is parsed anew,
    // as the next run of the program would.
    QFile file("./modules/setting/p1.bin");
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(
        QFileInfo(file).lastModified().addSecs(2), QFileDevice::FileModificationTime));
    file.close();
    QSettings again("./modules/setting/p1.bin", QSettings::IniFormat);
    const QVariantList read = Profiles::readList(again, "sensor/dpi_Z5");
    QCOMPARE(read, asList);
    for (int i = 0; i < read.size(); ++i)
        QCOMPARE(read.at(i).typeId(), asList.at(i).typeId());
    QVERIFY(again.contains("sensor/dpi_Z5"));
}

void tst_Profiles::writeReachesTheDiskAtOnce()
{
    WorkFolder folder;
    QSettings profile("./modules/setting/p2.bin", QSettings::IniFormat);
    QVERIFY(Profiles::write(profile, "XYSensitive/0", 6));
    QVERIFY(Profiles::writeAll(profile, {{"macro/1", QString("m1")}, {"macro/2", QString("m2")}}));
    const QByteArray onDisk = folder.readFile("modules/setting/p2.bin");
    QVERIFY(onDisk.contains("[XYSensitive]\n0=6\n"));
    QVERIFY(onDisk.contains("[macro]\n1=m1\n2=m2\n"));
}

void tst_Profiles::writeReportsAnUnwritableFile()
{
    WorkFolder folder;
    QDir().mkpath("./modules/setting/p3.bin");
    QSettings profile("./modules/setting/p3.bin", QSettings::IniFormat);
    QVERIFY(!Profiles::write(profile, "XYSensitive/0", 6));
}

void tst_Profiles::missingListReadsEmpty()
{
    WorkFolder folder;
    QSettings profile("./modules/setting/p1.bin", QSettings::IniFormat);
    QVERIFY(Profiles::readList(profile, "sensor/dpi_Z5").isEmpty());
}

void tst_Profiles::plainValueReadsAsOneElement_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QVariantList>("expected");
    QTest::newRow("number") << QByteArray("a=12") << QVariantList {"12"};
    QTest::newRow("text") << QByteArray("a=abc") << QVariantList {"abc"};
    QTest::newRow("empty") << QByteArray("a=") << QVariantList {};
    QTest::newRow("two") << QByteArray("a=1, 2") << QVariantList {"1", "2"};
}

void tst_Profiles::plainValueReadsAsOneElement()
{
    QFETCH(QByteArray, line);
    QFETCH(QVariantList, expected);
    WorkFolder folder;
    folder.writeFile("modules/setting/p1.bin", "[s]\n" + line + "\n");
    QSettings profile("./modules/setting/p1.bin", QSettings::IniFormat);
    const QVariantList list = Profiles::readList(profile, "s/a");
    QCOMPARE(list.size(), expected.size());
    for (int i = 0; i < list.size(); ++i)
        QCOMPARE(list.at(i).toString(), expected.at(i).toString());
}

void tst_Profiles::buttonPageDefaults()
{
    WorkFolder folder;
    QByteArray contents = "[keydefine_Z5]\n";
    for (int n = 0; n < 16; ++n)
        contents += QByteArray::number(n) + "=" + QByteArray::number(n) + ", 0, 240, 9\n";
    folder.writeFile("modules/setting/pD.bin", contents);
    const QVariantList values = Profiles::defaultPageValues(Profiles::defaultProfile, 0);
    QCOMPARE(values.size(), 64);
    for (int n = 0; n < 16; ++n) {
        QCOMPARE(values.at(4 * n).toInt(), n);
        QCOMPARE(values.at(4 * n + 2).toInt(), 240);
        QCOMPARE(values.at(4 * n + 3).toInt(), 9);
    }
}

void tst_Profiles::buttonPageSkipsMissingEntries()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/pD.bin", "[keydefine_Z5]\n2=1, 0, 242, 0\n10=7, 0, 1, 0\n");
    QCOMPARE(Profiles::defaultPageValues(Profiles::defaultProfile, 0),
        (QVariantList {"1", "0", "242", "0", "7", "0", "1", "0"}));
}

void tst_Profiles::lightingPageDefaults()
{
    WorkFolder folder;
    folder.writeFile(
        "modules/setting/pD.bin", "[color_Z5]\ntype0=1, 2, 3\ntype1=9, 9\nledEffect=2, 3, 2\n");
    QCOMPARE(Profiles::defaultPageValues(Profiles::defaultProfile, 2),
        (QVariantList {"1", "2", "3", "2", "3", "2"}));
}

void tst_Profiles::sensorPageDefaults()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/pD.bin",
        "[sensor]\nreportRate_Z5=8\ncursorSpeed_Z5=3\nverticalScrollLines_Z5=7\n"
        "doubleClickSpeed_Z5=9\ndpi_Z5=200, 300\nstage_Z5=4\n"
        "[color_Z5]\ntype1=10, 11\ntype2=12\n");
    QCOMPARE(Profiles::defaultPageValues(Profiles::defaultProfile, 3),
        (QVariantList {8, 3, 7, 9, "200", "300", 4, "10", "11", "12"}));
}

void tst_Profiles::sensorPageCodeDefaults()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/pD.bin", "[color_Z5]\ntype0=1\n");
    QCOMPARE(
        Profiles::defaultPageValues(Profiles::defaultProfile, 3), (QVariantList {2, 5, 2, 5, 2}));
    QFile::remove("./modules/setting/pD.bin");
    QCOMPARE(
        Profiles::defaultPageValues(Profiles::defaultProfile, 3), (QVariantList {2, 5, 2, 5, 2}));
    QVERIFY(!QFile::exists("./modules/setting/pD.bin"));
}

void tst_Profiles::otherPagesHaveNoDefaults_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("1") << 1;
    QTest::newRow("4") << 4;
    QTest::newRow("255") << 255;
}

void tst_Profiles::otherPagesHaveNoDefaults()
{
    QFETCH(int, page);
    WorkFolder folder;
    QVERIFY(folder.copyShipped("setting/pD.bin"));
    QVERIFY(Profiles::defaultPageValues(Profiles::defaultProfile, page).isEmpty());
}

void tst_Profiles::replaceSwapsInTheCopy()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p1.bin", "[XYSensitive]\n0=1\n");
    folder.writeFile("modules/setting/source.bin", "[XYSensitive]\n0=8\n[macro]\n2=abc\n");
    QPointer<QSettings> old = SettingsFiles::openIni("./modules/setting/p1.bin");
    QCOMPARE(old->value("XYSensitive/0").toInt(), 1);
    QSettings *fresh = Profiles::replace(old, "./modules/setting/source.bin");
    QVERIFY(fresh != old.data());
    QCOMPARE(fresh->fileName(), old->fileName());
    QCOMPARE(fresh->value("XYSensitive/0").toInt(), 8);
    QCOMPARE(fresh->value("macro/2").toString(), QString("abc"));
    QCOMPARE(
        folder.readFile("modules/setting/p1.bin"), folder.readFile("modules/setting/source.bin"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
    delete fresh;
}

void tst_Profiles::replaceKeepsEverythingWithoutSource()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p4.bin", "[XYSensitive]\n0=1\n");
    QPointer<QSettings> old = SettingsFiles::openIni("./modules/setting/p4.bin");
    QSettings *result = Profiles::replace(old, "./modules/setting/missing.bin");
    QCOMPARE(result, old.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old.isNull());
    QCOMPARE(old->value("XYSensitive/0").toInt(), 1);
    QCOMPARE(folder.readFile("modules/setting/p4.bin"), QByteArray("[XYSensitive]\n0=1\n"));
    delete result;
}

void tst_Profiles::replaceKeepsEverythingWhenTheCopyFails_data()
{
    QTest::addColumn<QString>("blocked");
    // A folder that takes no new file makes the copy fail.
    QTest::newRow("read-only folder") << "modules/setting";
}

void tst_Profiles::replaceKeepsEverythingWhenTheCopyFails()
{
    QFETCH(QString, blocked);
    WorkFolder folder;
    folder.writeFile("modules/setting/p4.bin", "[XYSensitive]\n0=1\n");
    folder.writeFile("modules/setting/source.bin", "[XYSensitive]\n0=8\n[macro]\n2=abc\n");
    QPointer<QSettings> old = SettingsFiles::openIni("./modules/setting/p4.bin");
    ReadOnlyFolder readOnly(blocked);
    QVERIFY(readOnly.isActive());
    QVERIFY(
        !SettingsFiles::replaceFile("./modules/setting/p4.bin", "./modules/setting/source.bin"));
    QSettings *result = Profiles::replace(old, "./modules/setting/source.bin");
    QCOMPARE(result, old.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old.isNull());
    QCOMPARE(old->value("XYSensitive/0").toInt(), 1);
    QVERIFY(!old->contains("macro/2"));
    QCOMPARE(folder.readFile("modules/setting/p4.bin"), QByteArray("[XYSensitive]\n0=1\n"));
    QCOMPARE(QDir("modules/setting").entryList({"p4.bin*"}, QDir::Files), QStringList {"p4.bin"});
    delete result;
}

void tst_Profiles::replaceLeavesOtherFilesAlone()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p4.bin", "[XYSensitive]\n0=1\n");
    folder.writeFile("modules/setting/p4.bin.old", "kept by the user");
    folder.writeFile("modules/setting/source.bin", "[XYSensitive]\n0=8\n");
    QVERIFY(SettingsFiles::replaceFile("./modules/setting/p4.bin", "./modules/setting/source.bin"));
    QCOMPARE(folder.readFile("modules/setting/p4.bin"), QByteArray("[XYSensitive]\n0=8\n"));
    QCOMPARE(folder.readFile("modules/setting/p4.bin.old"), QByteArray("kept by the user"));
    QCOMPARE(QDir("modules/setting").entryList({"p4.bin*"}, QDir::Files),
        (QStringList {"p4.bin", "p4.bin.old"}));
}

void tst_Profiles::replacedFileIsNeverMissing()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/p4.bin", "[XYSensitive]\n0=1\n");
    folder.writeFile("modules/setting/a.bin", "[XYSensitive]\n0=2\n");
    folder.writeFile("modules/setting/b.bin", "[XYSensitive]\n0=33\n");
    // A crash at any moment must leave a profile file behind, old or new.
    std::atomic<bool> done {false};
    std::atomic<int> missing {0};
    const QString target = folder.filePath("modules/setting/p4.bin");
    std::thread watcher([&] {
        while (!done)
            if (!QFileInfo::exists(target))
                ++missing;
    });
    for (int round = 0; round < 200; ++round)
        QVERIFY(SettingsFiles::replaceFile("./modules/setting/p4.bin",
            round % 2 ? "./modules/setting/a.bin" : "./modules/setting/b.bin"));
    done = true;
    watcher.join();
    QCOMPARE(missing.load(), 0);
}

void tst_Profiles::replacedObjectCannotWriteBack()
{
    WorkFolder folder;
    folder.writeFile("modules/setting/source.bin", "[XYSensitive]\n0=8\n");
    QSettings *old = SettingsFiles::openIni("./modules/setting/p1.bin");
    old->setValue("XYSensitive/1", 3);
    QSettings *fresh = Profiles::replace(old, "./modules/setting/source.bin");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(folder.readFile("modules/setting/p1.bin"), QByteArray("[XYSensitive]\n0=8\n"));
    QVERIFY(!fresh->contains("XYSensitive/1"));
    delete fresh;
}

void tst_Profiles::replaceSeesASameSizeCopy()
{
    WorkFolder folder;
    for (int round = 0; round < 20; ++round) {
        const QByteArray a = "[XYSensitive]\n0=" + QByteArray::number(round % 10) + "\n";
        const QByteArray b = "[XYSensitive]\n0=" + QByteArray::number((round + 1) % 10) + "\n";
        folder.writeFile("modules/setting/p1.bin", a);
        folder.writeFile("modules/setting/source.bin", b);
        QSettings *old = SettingsFiles::openIni("./modules/setting/p1.bin");
        QCOMPARE(old->value("XYSensitive/0").toInt(), round % 10);
        QSettings *fresh = Profiles::replace(old, "./modules/setting/source.bin");
        QCOMPARE(fresh->value("XYSensitive/0").toInt(), (round + 1) % 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete fresh;
    }
}

void tst_Profiles::shippedFactoryFilesAreComplete_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("pD") << "pD.bin";
    QTest::newRow("pD_standard") << "pD_standard.bin";
    for (int n = 1; n <= 10; ++n)
        QTest::addRow("p%d", n) << QString("p%1.bin").arg(n);
}

void tst_Profiles::shippedFactoryFilesAreComplete()
{
    QFETCH(QString, file);
    QSettings profile(shippedModulesPath() + "/setting/" + file, QSettings::IniFormat);
    QCOMPARE(profile.status(), QSettings::NoError);

    const QList<QList<int>> factory = {{1, 0, 240, 0}, {1, 0, 241, 0}, {1, 0, 242, 0},
        {1, 0, 244, 0}, {1, 0, 243, 0}, {7, 0, 1, 0}, {7, 0, 2, 0}};
    for (int n = 0; n < 16; ++n) {
        const QVariantList code = Profiles::readList(profile, Profiles::Key::buttonAssignment(n));
        QCOMPARE(code.size(), 4);
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            const int byte = code.at(i).toInt(&ok);
            QVERIFY(ok && byte >= 0 && byte <= 255);
            if (n < factory.size())
                QCOMPARE(byte, factory.at(n).at(i));
        }
    }
    QCOMPARE(Profiles::readList(profile, "keydefine_Z5/7"), (QVariantList {"8", "0", "2", "0"}));

    const QVariantList dpi = Profiles::readList(profile, Profiles::Key::dpiValues);
    QCOMPARE(dpi.size(), 8);
    for (int i = 0; i < 6; ++i) {
        const int value = dpi.at(i).toInt();
        QVERIFY(value >= 200 && value <= 6000 && value % 100 == 0);
        if (value > 5000)
            QCOMPARE(value % 200, 0);
    }
    QCOMPARE(dpi.at(6).toInt(), 250);
    QCOMPARE(dpi.at(7).toInt(), 250);
    QCOMPARE(Profiles::readList(profile, Profiles::Key::dpiSelect),
        (QVariantList {"1", "1", "1", "1", "1", "1", "0", "0"}));
    const int stage = profile.value(Profiles::Key::dpiStage).toInt();
    QVERIFY(stage >= 0 && stage < 6);

    for (int type = 0; type < 3; ++type) {
        const QVariantList colours = Profiles::readList(profile, Profiles::Key::stageColors(type));
        QCOMPARE(colours.size(), 24);
        for (const QVariant &c : colours)
            QVERIFY(c.toInt() >= 0 && c.toInt() <= (type == 2 ? 15 : 255));
    }
    const QVariantList effect = Profiles::readList(profile, Profiles::Key::ledEffect);
    QCOMPARE(effect.size(), 3);
    QVERIFY(effect.at(0).toInt() >= 1 && effect.at(0).toInt() <= 4);
    QVERIFY(effect.at(1).toInt() >= 0 && effect.at(1).toInt() <= 4);
    QCOMPARE(effect.at(2).toInt(), 2);

    QVERIFY(QList<int>({1, 2, 4, 8}).contains(profile.value(Profiles::Key::reportRate).toInt()));
    QVERIFY(profile.value(Profiles::Key::cursorSpeed).toUInt() <= 11);
    QVERIFY(profile.value(Profiles::Key::doubleClickSpeed).toUInt() <= 11);
    const uint lines = profile.value(Profiles::Key::scrollLines).toUInt();
    QVERIFY(lines >= 1 && lines <= 100);
    QCOMPARE(profile.value(Profiles::Key::scrollSwap).toBool(), false);
    QCOMPARE(profile.value("XYSensitive/0").toInt(), 4);
    QCOMPARE(profile.value("XYSensitive/1").toInt(), 4);
}

void tst_Profiles::shippedProfilesAreFactoryCopies()
{
    const QString folder = shippedModulesPath() + "/setting/";
    auto read = [&](const QString &name) {
        QFile file(folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QVERIFY(!read("pD.bin").isEmpty());
    QCOMPARE(read("p1.bin"), read("pD.bin"));
    for (int n = 2; n <= 10; ++n)
        QCOMPARE(read(QString("p%1.bin").arg(n)), read("pD_standard.bin"));

    WorkFolder work(WorkFolder::ShippedSettings);
    QCOMPARE(Profiles::defaultPageValues(Profiles::defaultProfile, 0).size(), 64);
    QCOMPARE(Profiles::defaultPageValues(Profiles::defaultProfile, 2).size(), 27);
    QCOMPARE(Profiles::defaultPageValues(Profiles::defaultProfile, 3).size(), 4 + 8 + 1 + 24 + 24);
}

QTEST_GUILESS_MAIN(tst_Profiles)
#include "tst_profiles.moc"
