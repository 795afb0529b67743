#include "store/gundata.h"

#include <QFileInfo>
#include <QSettings>

#include "store/settingsfiles.h"

namespace GunData {

namespace {

bool shipped()
{
    return QFileInfo(QString::fromLatin1(path)).isFile();
}

QString recordKey(const QVariant &name)
{
    return QStringLiteral("gunData/") + name.toString();
}

// A key made of a name that is empty or holds a separator would land outside the group.
bool usableName(const QVariant &name)
{
    const QString text = name.toString();
    return !text.isEmpty() && !text.contains(QLatin1Char('/')) && !text.contains(QLatin1Char('\\'));
}

} // namespace

void save(const QVariantList &record)
{
    if (!shipped() || record.size() < 6 || !usableName(record.at(0)))
        return;
    QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
    file.setValue(recordKey(record.at(0)), record.mid(1, 5));
    SettingsFiles::flush(file);
}

void modify(uint modifyType, const QVariantList &record)
{
    if (!shipped())
        return;
    if (modifyType == 0) {
        if (record.isEmpty() || !usableName(record.at(0)))
            return;
        QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
        file.remove(recordKey(record.at(0)));
        SettingsFiles::flush(file);
    } else if (modifyType == 1) {
        if (record.size() < 7 || !usableName(record.at(0)) || !usableName(record.at(6)))
            return;
        QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
        file.remove(recordKey(record.at(6)));
        file.setValue(recordKey(record.at(0)), record.mid(1, 5));
        SettingsFiles::flush(file);
    }
}

QVariantList get(const QString &name)
{
    if (!shipped() || !usableName(name))
        return QVariantList();
    QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
    return SettingsFiles::asList(file.value(recordKey(name)));
}

QStringList names()
{
    if (!shipped())
        return QStringList();
    QSettings file(QString::fromLatin1(path), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("gunData"));
    return file.childKeys();
}

} // namespace GunData
