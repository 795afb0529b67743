#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

struct Picture
{
    QString area;
    QString file;
    QSize size;
    QString purpose;

    QString resource() const
    {
        if (area == QLatin1String("-"))
            return ":/modules/img/" + file + ".png";
        return ":/" + area + "/modules/img/skin1/" + area + "/" + file + ".png";
    }
    QString sourceFile() const
    {
        if (area == QLatin1String("-"))
            return QStringLiteral(SKELDA_SOURCE_DIR "/modules/img/") + file + ".png";
        return QStringLiteral(SKELDA_SOURCE_DIR "/modules/img/skin1/") + area + "/" + file + ".png";
    }
    // Window position written in the purpose as "at (x,y)", when there is one.
    QPoint position() const
    {
        static const QRegularExpression at(QStringLiteral("at \\((\\d+),(\\d+)\\)"));
        const auto m = at.match(purpose);
        return m.hasMatch() ? QPoint(m.captured(1).toInt(), m.captured(2).toInt()) : QPoint(-1, -1);
    }
};

QList<Picture> listed()
{
    QList<Picture> result;
    QFile file(QStringLiteral(SKELDA_SOURCE_DIR "/modules/img/skingen/images.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result;
    static const QRegularExpression line(
        QStringLiteral("^(\\S+)\\s+(\\w+)\\s+(\\d+)x(\\d+)\\s*(.*)$"));
    while (!file.atEnd()) {
        const QString text = QString::fromUtf8(file.readLine()).trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const auto m = line.match(text);
        // A malformed line becomes an entry that cannot load, so it fails loudly.
        if (!m.hasMatch()) {
            result.append({"?", text, QSize(), QString()});
            continue;
        }
        result.append({m.captured(1), m.captured(2),
            QSize(m.captured(3).toInt(), m.captured(4).toInt()), m.captured(5)});
    }
    return result;
}

Picture findPicture(const QList<Picture> &all, const QString &area, const QString &file)
{
    for (const Picture &p : all)
        if (p.area == area && p.file == file)
            return p;
    return {};
}

} // namespace

class tst_Skin : public QObject
{
    Q_OBJECT

private slots:
    void listIsComplete();
    void pictureLoads_data();
    void pictureLoads();
    void noUnlistedPictures();
    void buttonPicturesMatchBody_data();
    void buttonPicturesMatchBody();
    void trayIcon();
};

void tst_Skin::listIsComplete()
{
    const QList<Picture> all = listed();
    QVERIFY2(all.size() > 100, "images.txt is missing or nearly empty");
    QSet<QString> names;
    for (const Picture &p : all) {
        QVERIFY2(!names.contains(p.area + "/" + p.file), qPrintable("listed twice: " + p.file));
        names.insert(p.area + "/" + p.file);
    }
    // Pictures the documents name by number must all be there.
    for (int i = 0; i <= 10; ++i)
        QVERIFY(names.contains(QString("mouseRate/mouseRate%1").arg(i)));
    for (int i = 0; i < 4; ++i) {
        QVERIFY(names.contains(QString("reportRate/reportRate%1").arg(i)));
        QVERIFY(names.contains(QString("reportRate/reportRateEn%1").arg(i)));
    }
    for (int i = 0; i <= 6; ++i)
        QVERIFY(names.contains(QString("scrollRate/scrollRate%1").arg(i)));
    for (int i = 0; i <= 9; ++i)
        QVERIFY(names.contains(QString("xySetting/xy%1").arg(i)));
    QVERIFY(names.contains("xySetting/xyBtn"));
    QVERIFY(names.contains("xySetting/xyNumber"));
    QVERIFY(names.contains("-/background"));
}

void tst_Skin::pictureLoads_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    for (const Picture &p : listed())
        QTest::newRow(qPrintable(p.area + "/" + p.file)) << p.resource() << p.size;
}

void tst_Skin::pictureLoads()
{
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
    QImageReader reader(resource);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    // A picture that is fully transparent would be a silent gap on screen.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    bool visible = false;
    for (int y = 0; y < argb.height() && !visible; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) > 0) {
                visible = true;
                break;
            }
    }
    QVERIFY(visible);
}

void tst_Skin::noUnlistedPictures()
{
    QSet<QString> files;
    for (const Picture &p : listed())
        files.insert(QFileInfo(p.sourceFile()).absoluteFilePath());
    QDirIterator it(QStringLiteral(SKELDA_SOURCE_DIR "/modules/img"), {"*.png"}, QDir::Files,
        QDirIterator::Subdirectories);
    int found = 0;
    while (it.hasNext()) {
        const QString path = QFileInfo(it.next()).absoluteFilePath();
        ++found;
        QVERIFY2(files.contains(path), qPrintable("not in images.txt: " + path));
    }
    QCOMPARE(found, files.size());
}

void tst_Skin::buttonPicturesMatchBody_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("button");
    for (int b = 0; b < 8; ++b) {
        QTest::addRow("front %d", b) << "mouseFront"
                                     << "frontKey" << b;
        QTest::addRow("side %d", b) << "mouseSide"
                                    << "sideKey" << b;
    }
}

// A plain button picture laid at its window position must repeat the body
// picture exactly, and its highlighted twin must differ, or the highlight
// would jump or not show.
void tst_Skin::buttonPicturesMatchBody()
{
    QFETCH(QString, body);
    QFETCH(QString, prefix);
    QFETCH(int, button);
    const QList<Picture> all = listed();
    const Picture bodyPicture = findPicture(all, "mouse", body);
    const Picture plain = findPicture(all, "mouse", prefix + QString::number(button));
    const Picture lit = findPicture(all, "mouse", prefix + QString::number(button) + "Sel");
    QVERIFY(!bodyPicture.file.isEmpty() && !plain.file.isEmpty() && !lit.file.isEmpty());
    QVERIFY(bodyPicture.position().x() >= 0 && plain.position().x() >= 0);
    QCOMPARE(lit.size, plain.size);

    const QImage bodyImage = QImage(bodyPicture.resource()).convertToFormat(QImage::Format_ARGB32);
    const QImage plainImage = QImage(plain.resource()).convertToFormat(QImage::Format_ARGB32);
    const QImage litImage = QImage(lit.resource()).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!bodyImage.isNull() && !plainImage.isNull() && !litImage.isNull());

    const QPoint offset = plain.position() - bodyPicture.position();
    QVERIFY(QRect(QPoint(0, 0), bodyImage.size()).contains(QRect(offset, plainImage.size())));
    int solid = 0;
    int mismatched = 0;
    int changed = 0;
    for (int y = 0; y < plainImage.height(); ++y) {
        for (int x = 0; x < plainImage.width(); ++x) {
            const QRgb key = plainImage.pixel(x, y);
            if (qAlpha(key) != 255)
                continue;
            ++solid;
            const QRgb under = bodyImage.pixel(offset.x() + x, offset.y() + y);
            if (qAbs(qRed(key) - qRed(under)) > 2 || qAbs(qGreen(key) - qGreen(under)) > 2
                || qAbs(qBlue(key) - qBlue(under)) > 2)
                ++mismatched;
            const QRgb hot = litImage.pixel(x, y);
            if (qRed(hot) - qRed(key) > 20)
                ++changed;
        }
    }
    QVERIFY2(solid > 40, qPrintable(QString("only %1 solid pixels").arg(solid)));
    QCOMPARE(mismatched, 0);
    QVERIFY2(
        changed > solid / 3, qPrintable(QString("%1 of %2 pixels lit").arg(changed).arg(solid)));
}

void tst_Skin::trayIcon()
{
    const QString path = QStringLiteral(SKELDA_SOURCE_DIR "/modules/img/trayIcon.ico");
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("ico"));
    QVERIFY(reader.imageCount() >= 4);
    QSet<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        sizes.insert(image.width());
    }
    QVERIFY(sizes.contains(16));
    QVERIFY(sizes.contains(32));
    QVERIFY(!QIcon(path).isNull());
    QVERIFY(QIcon(path).availableSizes().contains(QSize(16, 16)));
}

QTEST_MAIN(tst_Skin)
#include "tst_skin.moc"
