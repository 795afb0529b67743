#pragma once

#include <QString>

namespace FileCommit {
// Puts the file `from` in the place of `to` in one step: `to` is at every moment
// either its old contents or the new ones, never missing. False leaves both as
// they were.
bool moveOver(const QString &from, const QString &to);
} // namespace FileCommit
