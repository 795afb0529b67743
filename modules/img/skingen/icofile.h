#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Writes a Windows icon file holding one entry per image: 32-bit bitmaps for
// the small sizes (read by every icon loader) and PNG for 256 pixels.
bool writeIcoFile(const QString &path, const QList<QImage> &images, QString *error);
