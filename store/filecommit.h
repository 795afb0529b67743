#pragma once

#include <QByteArray>
#include <QString>

namespace FileCommit {
// Puts the file `from` in the place of `to` in one step: `to` is at every moment
// either its old contents or the new ones, never missing. False leaves both as
// they were.
bool moveOver(const QString &from, const QString &to);
// Identifies one version of a file: it changes whenever the file is replaced or
// rewritten, even within the same millisecond. Empty when there is no file.
QByteArray stamp(const QString &path);
} // namespace FileCommit
