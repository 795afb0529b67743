#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

#include "store/appsettings.h"
#include "store/leftovers.h"
#include "store/profileset.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

namespace {
using Change = std::function<bool(AppSettings &, ProfileSet &)>;
using Read = std::function<QString(AppSettings &, ProfileSet &)>;

// The value a next run of the program would read.
QString readFresh(const QString &path, const QString &key)
{
    QTemporaryDir scratch;
    const QString copy = scratch.filePath("copy.ini");
    QFile::copy(path, copy);
    QSettings fresh(copy, QSettings::IniFormat);
    return fresh.value(key).toString();
}

QStringList leftoversIn(const QString &folder)
{
    QStringList found;
    for (const QString &name :
        QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        if (Leftovers::isLeftoverName(name))
            found << name;
    return found;
}
} // namespace

class tst_StoreObjects : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteIsReportedThenTheNextOneLands_data();
    void failedWriteIsReportedThenTheNextOneLands();
};

void tst_StoreObjects::failedWriteIsReportedThenTheNextOneLands_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Change>("change");
    QTest::addColumn<Read>("read");
    QTest::addColumn<QString>("unchanged");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("written");

    const QString app = QStringLiteral("modules/setting/apConfig.bin");
    const QString p1 = QStringLiteral("modules/setting/p1.bin");
    const Read xy = [](AppSettings &, ProfileSet &p) { return p.xySensitive(0, 0).toString(); };
    const Read profileNo
        = [](AppSettings &a, ProfileSet &) { return a.profileNumber().toString(); };

    QTest::newRow("profile number")
        << app << Change([](AppSettings &a, ProfileSet &) { return a.setProfileNumber(3); })
        << profileNo << "0"
        << "Z5/profileNo"
        << "3";
    QTest::newRow("generic values") << app << Change([](AppSettings &a, ProfileSet &) {
        return a.setValues({7, QString("x")});
    }) << Read([](AppSettings &a, ProfileSet &) { return a.values().value(1).toString(); })
                                    << ""
                                    << "common/1"
                                    << "x";
    QTest::newRow("autostart") << app << Change([](AppSettings &a, ProfileSet &) {
        return a.setAutostart(true);
    }) << Read([](AppSettings &a, ProfileSet &) {
        return QString(a.autostart() ? "true" : "false");
    }) << "false"
                               << "common/autostart"
                               << "true";
    QTest::newRow("settings reset")
        << app << Change([](AppSettings &a, ProfileSet &) { return a.reset(); }) << profileNo << "0"
        << "Z5/profileNo"
        << "2";
    QTest::newRow("profile value")
        << p1 << Change([](AppSettings &, ProfileSet &p) { return p.write(0, "XYSensitive/0", 8); })
        << xy << "4"
        << "XYSensitive/0"
        << "8";
    QTest::newRow("several profile values") << p1 << Change([](AppSettings &, ProfileSet &p) {
        return p.writeAll(0, {{"macro/1", QString("x")}, {"macro/2", QString("y")}});
    }) << Read([](AppSettings &, ProfileSet &p) { return p.macroSlot(0, 2).toString(); })
                                            << "0"
                                            << "macro/2"
                                            << "y";
    QTest::newRow("profile reset")
        << p1 << Change([](AppSettings &, ProfileSet &p) { return p.reset(0); }) << xy << "4"
        << "XYSensitive/0"
        << "7";
    QTest::newRow("profile copy") << p1 << Change([](AppSettings &, ProfileSet &p) {
        return p.copy(0, 1);
    }) << xy << "4"
                                  << "XYSensitive/0"
                                  << "6";
    QTest::newRow("profile import")
        << p1 << Change([](AppSettings &, ProfileSet &p) { return p.importFrom(0, "chosen.pf"); })
        << xy << "4"
        << "XYSensitive/0"
        << "5";
}

void tst_StoreObjects::failedWriteIsReportedThenTheNextOneLands()
{
    QFETCH(QString, file);
    QFETCH(Change, change);
    QFETCH(Read, read);
    QFETCH(QString, unchanged);
    QFETCH(QString, key);
    QFETCH(QString, written);
    WorkFolder folder;
    folder.writeFile("modules/setting/apConfigD.bin", "[Z5]\nprofileNo=2\n");
    folder.writeFile("modules/setting/pD.bin", "[XYSensitive]\n0=7\n");
    folder.writeFile("modules/setting/p2.bin", "[XYSensitive]\n0=6\n");
    folder.writeFile("chosen.pf", "[XYSensitive]\n0=5\n");
    // A folder where the file belongs refuses every write, whoever runs the test.
    QVERIFY(QDir().mkpath(file));
    AppSettings appSettings;
    ProfileSet profiles;
    QVERIFY(!change(appSettings, profiles));
    QCOMPARE(read(appSettings, profiles), unchanged);
    QVERIFY(QDir().rmdir(file));
    QVERIFY(change(appSettings, profiles));
    QCOMPARE(readFresh(file, key), written);
    QCOMPARE(read(appSettings, profiles), written);
    QCOMPARE(leftoversIn("modules/setting"), QStringList());
}

QTEST_GUILESS_MAIN(tst_StoreObjects)
#include "tst_storeobjects.moc"
