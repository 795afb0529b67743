#include "store/leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace Leftovers {

namespace {
// Settings files are *.bin (and *.ini for languages); the suffixes below are added to them.
// Plain string checks: a pattern engine here would be mapped for one look at a folder.
qsizetype settingsBaseLength(const QString &fileName)
{
    const qsizetype newline = fileName.indexOf(QLatin1Char('\n'));
    const QString line = newline < 0 ? fileName : fileName.left(newline);
    const qsizetype at = std::max(
        line.lastIndexOf(QLatin1String(".bin")), line.lastIndexOf(QLatin1String(".ini")));
    return at >= 1 ? at + 4 : 0;
}

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// A temporary name draws six characters from letters of both cases and digits; a word a user
// chose ("backup", "before") keeps to one kind and stays.
bool isTemporarySuffix(const QString &suffix)
{
    if (suffix.size() != 7 || !suffix.startsWith(QLatin1Char('.'))
        || !std::all_of(suffix.begin() + 1, suffix.end(), isAsciiLetterOrDigit))
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
        && settingsBaseLength(fileName.chopped(5)) == fileName.size() - 5;
}
} // namespace

bool isLeftoverName(const QString &fileName)
{
    if (fileName.startsWith(QLatin1String("qt_temp.")) && isTemporarySuffix(fileName.mid(7)))
        return true;
    const qsizetype base = settingsBaseLength(fileName);
    if (base == 0)
        return false;
    const QString suffix = fileName.mid(base);
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
