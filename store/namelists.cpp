#include "store/namelists.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "store/settingsfiles.h"

namespace NameLists {

QString keyOf(uint kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("macro/macroName");
    case 1:
        return QStringLiteral("gun/gunName");
    case 2:
        return QStringLiteral("profile/profileName");
    case 3:
        return QStringLiteral("gun/selectGun");
    default:
        return QString();
    }
}

QVariantList get(uint kind)
{
    const QString key = keyOf(kind);
    if (key.isEmpty())
        return QVariantList();
    QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
    return SettingsFiles::asList(file.value(key));
}

bool update(uint kind, const QStringList &names)
{
    const QString key = keyOf(kind);
    if (key.isEmpty())
        return true;
    QStringList stored = names;
    if (stored.size() == 1)
        stored.append(QString::fromLatin1(sentinel));
    QDir().mkpath(QFileInfo(QString::fromLatin1(path)).path());
    QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
    if (stored.isEmpty())
        file.remove(key);
    else
        file.setValue(key, stored);
    return SettingsFiles::flush(file);
}

} // namespace NameLists
