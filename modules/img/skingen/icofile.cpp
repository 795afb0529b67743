#include "icofile.h"

#include <QBuffer>
#include <QDataStream>
#include <QSaveFile>

namespace {

QByteArray bitmapEntry(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // The header's height counts the colour rows and the mask rows together.
    out << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(32) << quint32(0)
        << quint32(w * h * 4 + maskStride * h) << qint32(0) << qint32(0) << quint32(0)
        << quint32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            out << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]))
                << quint8(qAlpha(line[x]));
    }
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), row.size());
    }
    return data;
}

QByteArray pngEntry(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

} // namespace

bool writeIcoFile(const QString &path, const QList<QImage> &images, QString *error)
{
    QList<QByteArray> entries;
    for (const QImage &image : images) {
        if (image.width() != image.height() || image.width() < 1 || image.width() > 256) {
            *error = QStringLiteral("icon images must be square, 1 to 256 pixels");
            return false;
        }
        entries << (image.width() >= 256 ? pngEntry(image) : bitmapEntry(image));
    }
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (int i = 0; i < images.size(); ++i) {
        const int size = images.at(i).width();
        out << quint8(size >= 256 ? 0 : size) << quint8(size >= 256 ? 0 : size) << quint8(0)
            << quint8(0) << quint16(1) << quint16(32) << quint32(entries.at(i).size())
            << quint32(offset);
        offset += entries.at(i).size();
    }
    for (const QByteArray &entry : entries)
        out.writeRawData(entry.constData(), entry.size());

    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(file) != file.size()
        || !target.commit()) {
        *error = target.errorString();
        return false;
    }
    return true;
}
