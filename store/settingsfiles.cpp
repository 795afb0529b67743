#include "store/settingsfiles.h"

#include "store/filecommit.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace SettingsFiles {

QString profilePath(int profile)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(profile + 1);
}

QSettings *openIni(const QString &path)
{
    return new QSettings(path, QSettings::IniFormat);
}

QVariantList asList(const QVariant &value)
{
    const int type = value.userType();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList)
        return value.toList();
    if (type == QMetaType::QString || type == QMetaType::QByteArray)
        return value.toString().isEmpty() ? QVariantList() : QVariantList {value};
    if (value.isValid() && !value.isNull())
        return {value};
    return QVariantList();
}

bool flush(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool replaceFile(const QString &target, const QString &source)
{
    if (!QFileInfo(source).isFile())
        return false;
    const QString staging = target + ".new";
    QFile::remove(staging);
    if (!QFile::copy(source, staging))
        return false;
    if (QFileInfo(staging).size() != QFileInfo(source).size()) {
        QFile::remove(staging);
        return false;
    }
    QFile::setPermissions(staging, QFile::permissions(staging) | QFile::WriteOwner);
    // QSettings shares one parsed file per path and re-reads it only when size or
    // time differ; a same-size copy within the same millisecond would look unchanged.
    const QFileInfo old(target);
    if (old.exists() && old.size() == QFileInfo(staging).size()) {
        QFile file(staging);
        if (file.open(QIODevice::ReadWrite)) {
            const QDateTime oldTime = old.lastModified();
            if (QFileInfo(staging).lastModified() <= oldTime)
                file.setFileTime(oldTime.addSecs(1), QFileDevice::FileModificationTime);
        }
    }
    if (!FileCommit::moveOver(staging, target)) {
        QFile::remove(staging);
        return false;
    }
    return true;
}

QSettings *replaceAndReopen(QSettings *current, const QString &source)
{
    if (!current)
        return current;
    flush(*current);
    const QString target = current->fileName();
    if (!replaceFile(target, source))
        return current;
    current->deleteLater();
    return openIni(target);
}

} // namespace SettingsFiles
