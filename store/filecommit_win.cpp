#include "store/filecommit.h"

#include <QDir>
#include <QFileDevice>

#include <io.h>
#include <windows.h>

namespace FileCommit {

bool sync(QFileDevice &file)
{
    const int descriptor = file.handle();
    if (descriptor < 0)
        return false;
    const HANDLE handle = HANDLE(_get_osfhandle(descriptor));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

QByteArray stamp(const QString &path)
{
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    HANDLE file
        = CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info {};
    const bool ok = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!ok)
        return {};
    // A saved settings file is a new file index: it tells versions apart where times cannot.
    return QByteArray::number(qulonglong(info.dwVolumeSerialNumber)) + ':'
        + QByteArray::number((qulonglong(info.nFileIndexHigh) << 32) | info.nFileIndexLow) + ':'
        + QByteArray::number((qulonglong(info.nFileSizeHigh) << 32) | info.nFileSizeLow) + ':'
        + QByteArray::number((qulonglong(info.ftLastWriteTime.dwHighDateTime) << 32)
            | info.ftLastWriteTime.dwLowDateTime);
}

} // namespace FileCommit
