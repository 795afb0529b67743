#include "store/datatree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef SKELDA_FACTORY_FROM_BIN
#define SKELDA_FACTORY_FROM_BIN "../share/skelda"
#endif

namespace DataTree {

namespace {
const QString modulesFolder = QStringLiteral("modules");

bool copyOne(const QString &from, const QString &to, QString *problem)
{
    if (!QDir().mkpath(QFileInfo(to).absolutePath())) {
        *problem = QStringLiteral("cannot make the folder of %1").arg(to);
        return false;
    }
    // A copy made aside and renamed: a killed start never leaves half a file.
    const QString partial = to + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(from, partial)) {
        *problem = QStringLiteral("cannot copy %1 to %2").arg(from, to);
        return false;
    }
    // Factory files are read-only; the user's copy must be writable.
    QFile::setPermissions(
        partial, QFile::permissions(partial) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    QFile::remove(to);
    if (!QFile::rename(partial, to)) {
        QFile::remove(partial);
        *problem = QStringLiteral("cannot write %1").arg(to);
        return false;
    }
    return true;
}

bool walk(const QString &factoryRoot, const QString &userRoot, const QString &folder,
    bool replaceOlder, QString *problem)
{
    const QString from = factoryRoot + '/' + modulesFolder + '/' + folder;
    const QString to = userRoot + '/' + modulesFolder + '/' + folder;
    if (!QDir().mkpath(to)) {
        *problem = QStringLiteral("cannot make %1").arg(to);
        return false;
    }
    QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    bool ok = true;
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + source.mid(from.size());
        const QFileInfo existing(target);
        if (existing.exists()
            && (!replaceOlder || existing.lastModified() >= QFileInfo(source).lastModified()))
            continue;
        ok = copyOne(source, target, problem) && ok;
    }
    return ok;
}
} // namespace

QStringList userFolders()
{
    return {QStringLiteral("setting"), QStringLiteral("macro"), QStringLiteral("gun")};
}

QStringList factoryOwnedFolders()
{
    return {QStringLiteral("i18n"), QStringLiteral("img")};
}

bool isWritableTree(const QString &root)
{
    const QFileInfo settings(root + '/' + modulesFolder + QStringLiteral("/setting"));
    return settings.isDir() && settings.isWritable();
}

bool bringUpToDate(const QString &factoryRoot, const QString &userRoot, QString *problem)
{
    QString ignored;
    QString *why = problem ? problem : &ignored;
    bool ok = true;
    for (const QString &folder : userFolders())
        ok = walk(factoryRoot, userRoot, folder, false, why) && ok;
    for (const QString &folder : factoryOwnedFolders())
        ok = walk(factoryRoot, userRoot, folder, true, why) && ok;
    return ok;
}

Choice choose(const QString &executableFolder, const QString &factoryRoot, const QString &userRoot)
{
    Choice choice;
    if (isWritableTree(executableFolder)) {
        choice.root = executableFolder;
        return choice;
    }
    if (!QFileInfo(factoryRoot + '/' + modulesFolder).isDir()) {
        // Nothing to copy: an unwritable tree beside the executable still runs, unsaved.
        choice.root = QFileInfo(executableFolder + '/' + modulesFolder).isDir() ? executableFolder
                                                                                : QString();
        choice.problem = QStringLiteral("no factory data at %1").arg(factoryRoot);
        return choice;
    }
    choice.perUser = true;
    if (!bringUpToDate(factoryRoot, userRoot, &choice.problem) && !isWritableTree(userRoot)) {
        choice.root = factoryRoot;
        choice.perUser = false;
        return choice;
    }
    choice.root = userRoot;
    return choice;
}

QString installedFactoryRoot(const QString &executableFolder)
{
    return QDir::cleanPath(executableFolder + '/' + QStringLiteral(SKELDA_FACTORY_FROM_BIN));
}

QString userDataRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/skelda");
}

} // namespace DataTree
