#pragma once

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// Painters by "area/file" (area "-" for pictures outside the skin folders).
QHash<QString, std::function<QImage(const QSize &)>> pictures();
QImage trayIconImage(int size);
