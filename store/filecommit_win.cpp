#include "store/filecommit.h"

#include <QDir>

#include <windows.h>

namespace FileCommit {

bool moveOver(const QString &from, const QString &to)
{
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring target = QDir::toNativeSeparators(to).toStdWString();
    // Write-through returns only once the move, and the data before it, is on disk.
    return MoveFileExW(
               source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        != 0;
}

} // namespace FileCommit
