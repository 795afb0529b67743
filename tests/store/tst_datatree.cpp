#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include "store/datatree.h"

namespace {
void writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file under root with its contents, to tell any change.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(root.size()), readFile(path));
    }
    return files;
}

// root and everything below it.
QStringList everythingUnder(const QString &root)
{
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList paths {root};
    while (it.hasNext())
        paths << it.next();
    return paths;
}

void makeReadOnly(const QString &root)
{
    for (const QString &path : everythingUnder(root))
        QFile::setPermissions(path,
            QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
                | (QFileInfo(path).isDir() ? QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther
                                           : QFileDevice::Permissions()));
}

void makeWritable(const QString &root)
{
    for (const QString &path : everythingUnder(root))
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}
} // namespace

class tst_DataTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void choosesTheTree_data();
    void choosesTheTree();
    void firstStartCopiesTheFactoryTree();
    void upgradeAddsFactoryFilesAndKeepsTheUsers_data();
    void upgradeAddsFactoryFilesAndKeepsTheUsers();
    void leftoverPartialCopyIsReplaced();

private:
    QString factory() const { return base.filePath("share/skelda"); }
    QString user() const { return base.filePath("home/.local/share/skelda"); }
    QString executable() const { return base.filePath("bin"); }
    void layOutFactory();

    QTemporaryDir base;
};

void tst_DataTree::init()
{
    QVERIFY(base.isValid());
    layOutFactory();
    QDir().mkpath(executable());
}

void tst_DataTree::cleanup()
{
    makeWritable(base.path());
    for (const QString &entry :
        QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QDir(base.filePath(entry)).removeRecursively();
}

void tst_DataTree::layOutFactory()
{
    const QString modules = factory() + "/modules/";
    writeFile(modules + "setting/apConfig.bin", "[common]\nlanguage=English\n");
    writeFile(modules + "setting/p1.bin", "[sensor]\ndpi_Z5=400, 800\n");
    writeFile(modules + "gun/General.bin", "general");
    writeFile(modules + "gun/Three fire.bin", "three");
    writeFile(modules + "i18n/lang_025044.ini", "[1]\nen=one\n");
    writeFile(modules + "img/skin1/index/bg.png", "picture");
    QDir().mkpath(modules + "macro");
}

void tst_DataTree::choosesTheTree_data()
{
    QTest::addColumn<QString>("besideExecutable"); // none, writable, read-only
    QTest::addColumn<bool>("factoryInstalled");
    QTest::addColumn<QString>("expected"); // executable, user, factory, none
    QTest::addColumn<bool>("perUser");

    QTest::newRow("build folder") << "writable" << true << "executable" << false;
    QTest::newRow("portable copy, nothing installed")
        << "writable" << false << "executable" << false;
    QTest::newRow("installed") << "none" << true << "user" << true;
    QTest::newRow("read-only copy beside an installed one")
        << "read-only" << true << "user" << true;
    QTest::newRow("read-only copy alone runs unsaved")
        << "read-only" << false << "executable" << false;
    QTest::newRow("no data anywhere") << "none" << false << "none" << false;
}

void tst_DataTree::choosesTheTree()
{
    QFETCH(QString, besideExecutable);
    QFETCH(bool, factoryInstalled);
    QFETCH(QString, expected);
    QFETCH(bool, perUser);
    if (besideExecutable == "read-only" && runningAsRoot())
        QSKIP("root writes into read-only folders");

    if (besideExecutable != "none")
        writeFile(executable() + "/modules/setting/apConfig.bin", "[common]\n");
    if (besideExecutable == "read-only")
        makeReadOnly(executable());
    if (!factoryInstalled)
        QDir(factory()).removeRecursively();

    const DataTree::Choice choice = DataTree::choose(executable(), factory(), user());
    const QMap<QString, QString> roots {
        {"executable", executable()}, {"user", user()}, {"factory", factory()}, {"none", {}}};
    QCOMPARE(choice.root, roots.value(expected));
    QCOMPARE(choice.perUser, perUser);
    QCOMPARE(QFileInfo::exists(user()), perUser);
    if (expected == "none" || (besideExecutable == "read-only" && !factoryInstalled))
        QVERIFY(!choice.problem.isEmpty());
    else
        QVERIFY2(choice.problem.isEmpty(), qPrintable(choice.problem));
}

void tst_DataTree::firstStartCopiesTheFactoryTree()
{
    if (!runningAsRoot())
        makeReadOnly(factory());
    const auto factoryBefore = snapshot(factory());

    const DataTree::Choice choice = DataTree::choose(executable(), factory(), user());
    QCOMPARE(choice.root, user());
    QCOMPARE(snapshot(user()), factoryBefore);
    QCOMPARE(snapshot(factory()), factoryBefore);
    QVERIFY(QFileInfo(user() + "/modules/macro").isDir());
    QVERIFY(DataTree::isWritableTree(user()));

    // The copy is the user's: a setting written there is read back by the next start.
    {
        QSettings config(user() + "/modules/setting/apConfig.bin", QSettings::IniFormat);
        config.setValue("common/language", "Chinese");
        config.sync();
        QCOMPARE(config.status(), QSettings::NoError);
    }
    QCOMPARE(DataTree::choose(executable(), factory(), user()).root, user());
    QSettings reread(user() + "/modules/setting/apConfig.bin", QSettings::IniFormat);
    QCOMPARE(reread.value("common/language").toString(), QString("Chinese"));
    QCOMPARE(snapshot(factory()), factoryBefore);
}

void tst_DataTree::upgradeAddsFactoryFilesAndKeepsTheUsers_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("usersCopy"); // empty: the user has none
    QTest::addColumn<QByteArray>("newFactory");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("new gun arrives")
        << "gun/Burst.bin" << QByteArray() << QByteArray("burst") << QByteArray("burst");
    QTest::newRow("user's gun kept") << "gun/General.bin" << QByteArray("mine")
                                     << QByteArray("general v2") << QByteArray("mine");
    QTest::newRow("user's profile kept")
        << "setting/p1.bin" << QByteArray("[sensor]\ndpi_Z5=6000\n")
        << QByteArray("[sensor]\ndpi_Z5=1\n") << QByteArray("[sensor]\ndpi_Z5=6000\n");
    QTest::newRow("user's macro kept") << "macro/Macro_1.bin" << QByteArray("recorded")
                                       << QByteArray("factory") << QByteArray("recorded");
    QTest::newRow("newer language file replaces")
        << "i18n/lang_025044.ini" << QByteArray("[1]\nen=one\n")
        << QByteArray("[1]\nen=one\n[2]\nen=two\n") << QByteArray("[1]\nen=one\n[2]\nen=two\n");
    QTest::newRow("newer picture replaces") << "img/skin1/index/bg.png" << QByteArray("picture")
                                            << QByteArray("picture v2") << QByteArray("picture v2");
}

void tst_DataTree::upgradeAddsFactoryFilesAndKeepsTheUsers()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, usersCopy);
    QFETCH(QByteArray, newFactory);
    QFETCH(QByteArray, expected);

    QCOMPARE(DataTree::choose(executable(), factory(), user()).root, user());
    const QString mine = user() + "/modules/" + file;
    if (!usersCopy.isEmpty())
        writeFile(mine, usersCopy);
    // The upgrade's files are newer than anything the user has.
    const QString theirs = factory() + "/modules/" + file;
    writeFile(theirs, newFactory);
    QFile stamp(theirs);
    QVERIFY(stamp.open(QIODevice::ReadWrite));
    QVERIFY(stamp.setFileTime(
        QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    stamp.close();

    QString problem;
    QVERIFY2(DataTree::bringUpToDate(factory(), user(), &problem), qPrintable(problem));
    QCOMPARE(readFile(mine), expected);
    // Everything else of the user's stays.
    QCOMPARE(readFile(user() + "/modules/gun/Three fire.bin"), QByteArray("three"));
}

void tst_DataTree::leftoverPartialCopyIsReplaced()
{
    // A start killed while copying leaves a partial file beside a missing one.
    writeFile(user() + "/modules/setting/p1.bin.part", "[sens");
    QCOMPARE(DataTree::choose(executable(), factory(), user()).root, user());
    QCOMPARE(readFile(user() + "/modules/setting/p1.bin"),
        readFile(factory() + "/modules/setting/p1.bin"));
    QVERIFY(!QFileInfo::exists(user() + "/modules/setting/p1.bin.part"));
}

QTEST_GUILESS_MAIN(tst_DataTree)
#include "tst_datatree.moc"
