#include "store/filecommit.h"

#include <QFile>
#include <QFileDevice>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileCommit {

bool sync(QFileDevice &file)
{
    return file.handle() >= 0 && ::fsync(file.handle()) == 0;
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
