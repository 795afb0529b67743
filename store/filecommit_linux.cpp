#include "store/filecommit.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileCommit {

bool moveOver(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    // The contents reach the disk before the name does, so a power cut leaves
    // either the old file or the complete new one.
    const int fd = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced && std::rename(source.constData(), target.constData()) == 0;
}

QByteArray stamp(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    // A saved settings file is a new inode: the inode tells versions apart where times cannot.
    return QByteArray::number(qulonglong(info.st_dev)) + ':'
        + QByteArray::number(qulonglong(info.st_ino)) + ':'
        + QByteArray::number(qlonglong(info.st_size)) + ':'
        + QByteArray::number(qlonglong(info.st_mtim.tv_sec)) + '.'
        + QByteArray::number(qlonglong(info.st_mtim.tv_nsec));
}

} // namespace FileCommit
