#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace FileCommit {
// Brings what was written to the open file to the disk; false when the disk did not take it.
bool sync(QFileDevice &file);
// Identifies one version of a file: it changes whenever the file is replaced or
// rewritten, even within the same millisecond. Empty when there is no file.
QByteArray stamp(const QString &path);
} // namespace FileCommit
