#pragma once

#include <QString>

// Exported profiles (.pf) and macros (.mc) are byte copies of the store's own
// INI files; import copies them back.
namespace ImportExport {

// Larger than any profile or macro the program writes, by far.
inline constexpr qint64 maxImportBytes = 4 * 1024 * 1024;

// Puts a complete copy of source at target; a file already there is replaced
// only once the copy is complete. False when nothing was written.
bool exportFile(const QString &source, const QString &target);
// True when path is a readable file of sensible size that reads as an INI
// document: no NUL bytes, no format error, and not cut inside its last line.
bool isImportable(const QString &path);
// Replaces the macro file of name by the chosen file; false (and no change)
// when the macro does not exist, the name is refused or the file is not importable.
bool importMacro(const QString &name, const QString &chosen);

} // namespace ImportExport
