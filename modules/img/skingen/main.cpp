#include "icofile.h"
#include "mouse.h"
#include "paint.h"
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

struct Entry
{
    QString area;
    QString file;
    QSize size;
    int line = 0;
};

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool readList(const QString &path, QList<Entry> *entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err() << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    static const QRegularExpression pattern(
        QStringLiteral("^(\\S+)\\s+(\\w+)\\s+(\\d+)x(\\d+)(\\s.*)?$"));
    int number = 0;
    bool ok = true;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const auto match = pattern.match(line);
        if (!match.hasMatch()) {
            err() << path << ":" << number << ": not 'area file WxH purpose'" << Qt::endl;
            ok = false;
            continue;
        }
        entries->append({match.captured(1), match.captured(2),
            QSize(match.captured(3).toInt(), match.captured(4).toInt()), number});
    }
    return ok;
}

QString outputPath(const QString &root, const Entry &e)
{
    if (e.area == QLatin1String("-"))
        return root + "/" + e.file + ".png";
    return root + "/skin1/" + e.area + "/" + e.file + ".png";
}

bool savePng(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, "png");
    if (!writer.write(image)) {
        err() << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    return true;
}

// Every button picture must hold its whole button, or the highlight is cut off.
bool checkButtons(const QList<Entry> &entries)
{
    bool ok = true;
    for (const Entry &e : entries) {
        static const QRegularExpression key(QStringLiteral("^(front|side)Key(\\d)(Sel)?$"));
        const auto m = key.match(e.file);
        if (e.area != QLatin1String("mouse") || !m.hasMatch())
            continue;
        const auto view
            = m.captured(1) == QLatin1String("front") ? Mouse::View::Front : Mouse::View::Side;
        const int button = m.captured(2).toInt();
        const QRectF box(Mouse::buttonOrigin(view, button), e.size);
        const QRectF shape = Mouse::buttonShape(view, button).boundingRect();
        if (!box.contains(shape)) {
            err() << e.file << ": button spans " << shape.left() << "," << shape.top() << " to "
                  << shape.right() << "," << shape.bottom() << ", picture covers " << box.left()
                  << "," << box.top() << " to " << box.right() << "," << box.bottom() << Qt::endl;
            ok = false;
        }
    }
    return ok;
}

void contactSheet(const QString &path, const QList<Entry> &entries, const QList<QImage> &images)
{
    const int cell = 230;
    const int columns = 8;
    const int rows = (entries.size() + columns - 1) / columns;
    QImage sheet(columns * cell, rows * cell, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor("#3b3b3e"));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < entries.size(); ++i) {
        const QRect r((i % columns) * cell, (i / columns) * cell, cell, cell);
        p.fillRect(r.adjusted(4, 4, -4, -20), QColor("#555559"));
        QImage img = images.at(i);
        const QSize room = r.adjusted(8, 8, -8, -24).size();
        if (img.width() > room.width() || img.height() > room.height())
            img = img.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        else if (img.width() * 3 <= room.width() && img.height() * 3 <= room.height())
            img = img.scaled(img.size() * 3);
        p.drawImage(r.left() + (cell - img.width()) / 2,
            r.top() + 8 + (room.height() - img.height()) / 2, img);
        p.setPen(Qt::white);
        p.setFont(Paint::font("DejaVu Sans Condensed", 11));
        p.drawText(r.adjusted(4, cell - 20, -4, 0), Qt::AlignCenter,
            entries.at(i).area + "/" + entries.at(i).file);
    }
    p.end();
    savePng(sheet, path);
}

QImage find(const QList<Entry> &entries, const QList<QImage> &images, const QString &area,
    const QString &file)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries.at(i).area == area && entries.at(i).file == file)
            return images.at(i);
    return {};
}

// Rough composition of the main screen to judge the pictures together.
void preview(const QString &path, const QList<Entry> &entries, const QList<QImage> &images,
    bool side, int selected)
{
    auto img = [&](const QString &a, const QString &f) { return find(entries, images, a, f); };
    QImage screen(1000, 640, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::black);
    QPainter p(&screen);
    p.drawImage(0, 0, img("-", "background"));
    p.drawImage(18, 40, img("index", "mainLogo"));
    p.drawImage(935, 5, img("index", "btnAsk"));
    p.drawImage(957, 5, img("index", "btnMinimizeHover"));
    p.drawImage(979, 5, img("index", "btnClose"));
    p.fillRect(QRect(18, 106, 242, 480), QColor(0x1a, 0x1a, 0x1a, 0xb3));
    p.fillRect(QRect(734, 32, 242, 563), QColor(0x1a, 0x1a, 0x1a, 0xb3));
    p.drawImage(800, 60, img("reportRate", "reportRateEn3"));
    p.drawImage(784, 210, img("mouseRate", "mouseRate6"));
    p.drawImage(754, 320, img("lightControl", "lightSlider2"));
    p.drawImage(750, 316, img("lightControl", "lightSliderBtn"));
    p.drawImage(754, 334, img("lightControl", "lightScale0"));
    p.drawImage(28, 130, img("xySetting", "xy4"));
    p.drawImage(28 + 95 - 7, 128, img("xySetting", "xyBtn"));
    p.drawImage(28, 144, img("xySetting", "xyNumber"));
    p.drawImage(30, 200, img("index", "macroBtn"));
    p.drawImage(30, 240, img("index", "gunBtnHover"));
    p.drawImage(20, 606, img("index", "profileBtn"));
    p.drawImage(913, 604, img("index", "resetBtn"));
    p.drawImage(420, 606, img("mouse", side ? "viewBtn" : "viewBtnSel"));
    p.drawImage(530, 606, img("mouse", side ? "viewBtnSel" : "viewBtn"));
    if (side)
        p.drawImage(295, 180, img("mouse", "mouseSide"));
    else
        p.drawImage(328, 70, img("mouse", "mouseFront"));
    for (int b = 0; b < Mouse::buttonCount; ++b) {
        const auto view = side ? Mouse::View::Side : Mouse::View::Front;
        const QString name = QString("%1Key%2%3")
                                 .arg(side ? "side" : "front")
                                 .arg(b)
                                 .arg(b == selected ? "Sel" : "");
        p.drawImage(Mouse::buttonOrigin(view, b), img("mouse", name));
    }
    p.end();
    savePng(screen, path);
    const QRect focus = side ? QRect(360, 230, 380, 200) : QRect(330, 80, 400, 300);
    QString zoomed = path;
    zoomed.replace(".png", "-zoom.png");
    savePng(
        screen.copy(focus).scaled(focus.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation),
        zoomed);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString sheetPath;
    QString previewPath;
    QString hicolorPath;
    for (int i = 0; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--sheet")) {
            sheetPath = args.at(i + 1);
            args.remove(i, 2);
            --i;
        } else if (args.at(i) == QLatin1String("--preview")) {
            previewPath = args.at(i + 1);
            args.remove(i, 2);
            --i;
        } else if (args.at(i) == QLatin1String("--hicolor")) {
            hicolorPath = args.at(i + 1);
            args.remove(i, 2);
            --i;
        }
    }
    if (args.size() != 2) {
        err() << "usage: skingen <images.txt> <modules/img folder> [--sheet file.png]"
                 " [--preview prefix] [--hicolor icon theme folder]"
              << Qt::endl;
        return 2;
    }
    QList<Entry> entries;
    if (!readList(args.at(0), &entries))
        return 1;
    const QString root = args.at(1);
    const auto painters = pictures();

    bool ok = checkButtons(entries);
    QList<QImage> images;
    for (const Entry &e : entries) {
        const QString key = e.area + "/" + e.file;
        const auto painter = painters.constFind(key);
        if (painter == painters.cend()) {
            err() << args.at(0) << ":" << e.line << ": nothing draws " << key << Qt::endl;
            images << QImage();
            ok = false;
            continue;
        }
        const QImage image = (*painter)(e.size);
        images << image;
        if (image.size() != e.size) {
            err() << key << ": drawn " << image.width() << "x" << image.height() << Qt::endl;
            ok = false;
            continue;
        }
        ok = savePng(image, outputPath(root, e)) && ok;
    }

    QList<QImage> tray;
    for (int size : {16, 24, 32, 48, 256})
        tray << trayIconImage(size);
    QString error;
    if (!writeIcoFile(root + "/trayIcon.ico", tray, &error)) {
        err() << root << "/trayIcon.ico: " << error << Qt::endl;
        ok = false;
    }

    // The desktop's menu icon: the tray picture at the icon theme's usual sizes.
    if (!hicolorPath.isEmpty()) {
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString folder = QStringLiteral("%1/%2x%2/apps").arg(hicolorPath).arg(size);
            QDir().mkpath(folder);
            ok = savePng(trayIconImage(size), folder + "/com.dornak.Skelda.png") && ok;
        }
    }

    if (!sheetPath.isEmpty())
        contactSheet(sheetPath, entries, images);
    if (!previewPath.isEmpty()) {
        preview(previewPath + "-front.png", entries, images, false, 0);
        preview(previewPath + "-front2.png", entries, images, false, 2);
        preview(previewPath + "-side.png", entries, images, true, 0);
        preview(previewPath + "-side2.png", entries, images, true, 2);
    }
    err() << entries.size() << " pictures listed, " << (ok ? "all drawn" : "errors above")
          << Qt::endl;
    return ok ? 0 : 1;
}
