#include "store/settingsfiles.h"

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
    const QString backup = target + ".old";
    QFile::remove(backup);
    const bool hadTarget = QFile::exists(target);
    if (hadTarget && !QFile::rename(target, backup)) {
        QFile::remove(staging);
        return false;
    }
    if (!QFile::rename(staging, target)) {
        if (hadTarget)
            QFile::rename(backup, target);
        QFile::remove(staging);
        return false;
    }
    QFile::remove(backup);
    return true;
}

} // namespace SettingsFiles
