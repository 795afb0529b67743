#include "store/profiles.h"

#include <QScopedPointer>

#include "store/settingsfiles.h"

namespace Profiles {

namespace Key {
QString buttonAssignment(int button)
{
    return QStringLiteral("keydefine_Z5/%1").arg(button);
}

QString keyboardAssignment(int key)
{
    return QStringLiteral("keydefine/%1").arg(key);
}

QString stageColors(int type)
{
    return QStringLiteral("color_Z5/type%1").arg(type);
}

QString color(int index)
{
    return QStringLiteral("color/%1").arg(index);
}

QString userPicture(int index)
{
    return QStringLiteral("userPicture/%1").arg(index);
}

QString xySensitive(const QVariant &index)
{
    return QStringLiteral("XYSensitive/") + index.toString();
}

QString selectGun(const QVariant &index)
{
    return QStringLiteral("selectGun/") + index.toString();
}

QString macroSlot(int slot)
{
    return QStringLiteral("macro/%1").arg(slot);
}
} // namespace Key

bool isValidNumber(int profile)
{
    return profile >= 0 && profile < count;
}

QString resetSource(int profile)
{
    return QString::fromLatin1(profile == 0 ? defaultProfile : standardProfile);
}

bool write(QSettings &profile, const QString &key, const QVariant &value)
{
    return writeAll(profile, {{key, value}});
}

bool writeAll(QSettings &profile, const QList<QPair<QString, QVariant>> &values)
{
    // The file already holds these values when the object does: re-sending a profile writes
    // nothing.
    bool changed = false;
    for (const auto &value : values)
        changed = changed || !SettingsFiles::holds(profile, value.first, value.second);
    if (!changed)
        return true;
    for (const auto &value : values)
        profile.setValue(value.first, value.second);
    return SettingsFiles::flush(profile);
}

QVariantList readList(const QSettings &profile, const QString &key)
{
    return SettingsFiles::asList(profile.value(key));
}

static void appendList(QVariantList &out, const QSettings &file, const QString &key)
{
    out += readList(file, key);
}

QVariantList defaultPageValues(const QString &defaultFile, int pageId)
{
    QScopedPointer<QSettings> defaults(SettingsFiles::openIni(defaultFile));
    QVariantList values;
    switch (pageId) {
    case 0:
        for (int n = 0; n < buttonCount; ++n)
            appendList(values, *defaults, Key::buttonAssignment(n));
        break;
    case 2:
        appendList(values, *defaults, Key::stageColors(0));
        appendList(values, *defaults, Key::ledEffect);
        break;
    case 3:
        values << defaults->value(Key::reportRate, 2).toInt()
               << defaults->value(Key::cursorSpeed, 5).toInt()
               << defaults->value(Key::scrollLines, 2).toInt()
               << defaults->value(Key::doubleClickSpeed, 5).toInt();
        appendList(values, *defaults, Key::dpiValues);
        values << defaults->value(Key::dpiStage, 2).toInt();
        appendList(values, *defaults, Key::stageColors(1));
        appendList(values, *defaults, Key::stageColors(2));
        break;
    default:
        break;
    }
    return values;
}

bool holdsProfileKeys(const QString &path)
{
    static const QStringList groups {QStringLiteral("keydefine_Z5"), QStringLiteral("keydefine"),
        QStringLiteral("sensor"), QStringLiteral("color"), QStringLiteral("color_Z5"),
        QStringLiteral("userPicture"), QStringLiteral("XYSensitive"), QStringLiteral("selectGun"),
        QStringLiteral("macro"), QStringLiteral("gun")};
    const QSettings file(path, QSettings::IniFormat);
    const QStringList keys = file.allKeys();
    for (const QString &key : keys) {
        const int slash = key.indexOf(QLatin1Char('/'));
        if (slash > 0 && slash < key.size() - 1 && groups.contains(key.left(slash)))
            return true;
    }
    return false;
}

QSettings *replace(QSettings *current, const QString &source)
{
    return SettingsFiles::replaceAndReopen(current, source);
}

} // namespace Profiles
