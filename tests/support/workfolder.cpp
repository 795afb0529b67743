#include "support/workfolder.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace skelda::test {

QString shippedModulesPath()
{
    return QStringLiteral(SKELDA_SOURCE_DIR) + "/modules";
}

WorkFolder::WorkFolder(Contents contents)
    : previous(QDir::currentPath())
{
    for (const char *sub : {"setting", "macro", "gun", "i18n", "img"})
        QDir(dir.path()).mkpath(QStringLiteral("modules/") + sub);
    if (contents == ShippedSettings) {
        QDirIterator it(shippedModulesPath() + "/setting", QDir::Files);
        while (it.hasNext())
            copyShipped("setting/" + QFileInfo(it.next()).fileName());
    }
    QDir::setCurrent(dir.path());
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(previous);
}

bool WorkFolder::copyShipped(const QString &relative) const
{
    const QString target = dir.filePath("modules/" + relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    if (!QFile::copy(shippedModulesPath() + '/' + relative, target))
        return false;
    return QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
}

void WorkFolder::writeFile(const QString &relative, const QByteArray &contents) const
{
    const QString target = dir.filePath(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}

QByteArray WorkFolder::readFile(const QString &relative) const
{
    QFile file(dir.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace skelda::test
