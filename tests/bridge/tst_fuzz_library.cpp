#include <QApplication>
#include <QRandomGenerator>
#include <QtTest>

#include "bridge/keynametable.h"
#include "bridge/macroencoder.h"
#include "bridge/myqquickview.h"
#include "store/importexport.h"
#include "store/languages.h"
#include "support/workfolder.h"

using skelda::test::WorkFolder;

namespace {

const QStringList pieces {"A", "L Ctrl", "MS-L", "50", "1270", "5101", "-1", "0", "x", "..", "/",
    "\\", "=", ",", "\"", "[", "]", "%", "@Variant(", "\n", " ", "\xe2\x96\xba", "99999999999"};

QString randomLine(QRandomGenerator &rng)
{
    QString line;
    const int parts = rng.bounded(4);
    for (int i = 0; i < parts; ++i)
        line += pieces.at(rng.bounded(int(pieces.size())));
    switch (rng.bounded(5)) {
    case 0:
        return line + MacroEncoder::downTag;
    case 1:
        return line + MacroEncoder::upTag;
    case 2:
        return line + MacroEncoder::delayTag;
    case 3:
        return line;
    default: {
        QString noise;
        for (int i = rng.bounded(16); i > 0; --i)
            noise += QChar(ushort(rng.bounded(1, 0x3000)));
        return noise;
    }
    }
}

QByteArray randomFile(QRandomGenerator &rng)
{
    QByteArray text;
    const char *groups[] = {"[config]", "[macro]", "[gun]", "[main]", "[other]", "[Z5_133C6AA]",
        "[keydefine_Z5]", "[", "[]"};
    const char *keys[] = {"total", "repeat", "index", "did", "0", "1", "2", "macroName", "x/y"};
    for (int i = rng.bounded(30); i > 0; --i) {
        switch (rng.bounded(4)) {
        case 0:
            text += groups[rng.bounded(int(std::size(groups)))];
            break;
        case 1:
            text += keys[rng.bounded(int(std::size(keys)))];
            text += '=';
            text += QByteArray::number(qint64(rng.generate64()) >> rng.bounded(64));
            break;
        case 2:
            text += keys[rng.bounded(int(std::size(keys)))];
            text += "=" + randomLine(rng).toUtf8();
            break;
        default:
            for (int n = rng.bounded(40); n > 0; --n)
                text += char(rng.bounded(256));
        }
        text += '\n';
    }
    return text;
}

QStringList treeBelow(const QString &path)
{
    QStringList entries;
    QDirIterator it(
        path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    return entries;
}

} // namespace

class tst_FuzzLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { KeyNameTable::build(); }
    void encoderTakesAnyLines();
    void readersTakeAnyFiles();
};

void tst_FuzzLibrary::encoderTakesAnyLines()
{
    QRandomGenerator rng(20240611);
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < 3000; ++round) {
        QStringList lines;
        for (int i = rng.bounded(60); i > 0; --i)
            lines << randomLine(rng);
        for (int device : {-1, 0, 1, 7}) {
            const QList<uchar> bytes = MacroEncoder::encode(lines, device, &KeyNameTable::code);
            QVERIFY(bytes.size() >= 4);
            QCOMPARE(bytes.at(0), uchar(0));
            QCOMPARE(bytes.at(1), uchar(1));
            QCOMPARE(bytes.last(), uchar(0));
            QVERIFY(bytes.size() <= 2 + 4 * lines.size() + 2);
            QCOMPARE(MacroEncoder::block(bytes, 128).size(), 128);
        }
    }
    QVERIFY(timer.elapsed() < 15000);
}

void tst_FuzzLibrary::readersTakeAnyFiles()
{
    // In memory where the system has a memory disk: the time limit is for the readers,
    // and the saves' disk syncs would measure the disk instead.
    const QString memoryDisk = QStringLiteral("/dev/shm");
    QTemporaryDir outer(QFileInfo(memoryDisk).isWritable() ? memoryDisk + "/fuzz-XXXXXX"
                                                           : QDir::tempPath() + "/fuzz-XXXXXX");
    QVERIFY(outer.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(outer.path());
    // The work folder is made inside outer, so anything escaping it shows up there.
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", outer.path().toLocal8Bit());
    {
        WorkFolder folder;
        QVERIFY(folder.path().startsWith(outer.path()));
        const QString parent = outer.path();
        const QStringList parentBefore
            = QDir(parent).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(parentBefore.size(), 1);
        myQQuickView view;
        QRandomGenerator rng(7);
        QElapsedTimer timer;
        timer.start();
        for (int round = 0; round < 600; ++round) {
            folder.writeFile("modules/macro/f.bin", randomFile(rng));
            folder.writeFile("modules/gun/f.bin", randomFile(rng));
            folder.writeFile("modules/setting/name.bin", randomFile(rng));
            folder.writeFile("modules/i18n/lang_025044.ini", randomFile(rng));
            folder.writeFile("modules/gun/gunData.bin", randomFile(rng));
            const QString name = rng.bounded(4) == 0 ? randomLine(rng) : QStringLiteral("f");

            QVERIFY(view.loadMacroIni(name).size() <= 10001);
            view.loadGunIni(name);
            view.loadMacroIndex(name);
            view.loadMacroType(name);
            view.loadMacroIniConfig(name);
            view.isMacroUse(name);
            view.getNameList(rng.bounded(5));
            view.getGunData(name);
            view.getGunDataKey();
            QVERIFY(view.getGlobalStrings(rng.bounded(8), "lang_025044").size() <= 4096);
            QCOMPARE(view.getProductLayoutStrings_Z5("025044").size(), 16);
            view.chkLanguages();
            view.macroIncode(view.loadMacroIni(name));
            ImportExport::isImportable(folder.filePath("modules/macro/f.bin"));
            view.saveMacroIni(name, {randomLine(rng)}, {}, rng.bounded(100));
            view.setMacroIniConfig(name, {rng.bounded(100), randomLine(rng)});
            view.changeMacroFileIndex(rng.bounded(8));
            view.createMacroIni(randomLine(rng), 0);
        }
        QVERIFY(timer.elapsed() < 20000);
        QCOMPARE(QDir(parent).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), parentBefore);
        for (const QString &entry : treeBelow(folder.path()))
            QVERIFY2(entry.startsWith(folder.path() + "/modules"), qPrintable(entry));
    }
    QVERIFY(QDir(outer.path()).isEmpty());
    if (oldTmp.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTmp);
    QDir::setCurrent(previous);
}

QTEST_MAIN(tst_FuzzLibrary)
#include "tst_fuzz_library.moc"
