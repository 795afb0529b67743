#include "store/leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

namespace Leftovers {

namespace {
// Settings files are *.bin (and *.ini for languages); the suffixes below are added to them.
const QRegularExpression settingsBase(QStringLiteral("^.+\\.(bin|ini)"));
const QRegularExpression temporarySuffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));

// A temporary name draws six characters from letters of both cases and digits; a word a user
// chose ("backup", "before") keeps to one kind and stays.
bool isTemporarySuffix(const QString &suffix)
{
    if (!temporarySuffix.match(suffix).hasMatch())
        return false;
    bool lower = false;
    bool upper = false;
    bool digit = false;
    for (const QChar c : suffix) {
        lower = lower || c.isLower();
        upper = upper || c.isUpper();
        digit = digit || c.isDigit();
    }
    return int(lower) + int(upper) + int(digit) >= 2;
}

bool isLockName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".lock"))
        && settingsBase.match(fileName.chopped(5)).capturedLength() == fileName.size() - 5;
}
} // namespace

bool isLeftoverName(const QString &fileName)
{
    if (fileName.startsWith(QLatin1String("qt_temp.")) && isTemporarySuffix(fileName.mid(7)))
        return true;
    const QRegularExpressionMatch base = settingsBase.match(fileName);
    if (!base.hasMatch())
        return false;
    const QString suffix = fileName.mid(base.capturedLength());
    if (suffix == QLatin1String(".new") || suffix == QLatin1String(".lock"))
        return true;
    return isTemporarySuffix(suffix);
}

QStringList clean(const QStringList &folders)
{
    QStringList removed;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
            if (!isLeftoverName(name))
                continue;
            const QString path = dir.filePath(name);
            if (isLockName(name)) {
                // Only a lock whose owner has gone can be taken; taking and releasing removes it.
                QLockFile lock(path);
                if (!lock.tryLock(0))
                    continue;
                lock.unlock();
                if (!QFileInfo::exists(path))
                    removed.append(name);
                continue;
            }
            if (QFile::remove(path))
                removed.append(name);
        }
    }
    return removed;
}

QStringList cleanSettingsFolders()
{
    QStringList folders;
    for (const char *folder : settingsFolders)
        folders.append(QString::fromLatin1(folder));
    return clean(folders);
}

} // namespace Leftovers
