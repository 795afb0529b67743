#include "store/appconfig.h"

#include "store/settingsfiles.h"

namespace AppConfig {

QVariant language(QSettings &settings)
{
    return settings.value("common/language");
}

QVariant profileNumber(QSettings &settings)
{
    return settings.value("Z5/profileNo", 0);
}

bool setProfileNumber(QSettings &settings, const QVariant &profileNo)
{
    settings.setValue("Z5/profileNo", profileNo.toUInt());
    return SettingsFiles::flush(settings);
}

QVariantList loadValues(QSettings &settings)
{
    QVariantList values;
    for (int i = 0; i < settings.value("common/total", 0).toInt(); ++i)
        values.append(settings.value("common/" + QString::number(i), 0));
    return values;
}

bool saveValues(QSettings &settings, const QVariantList &values)
{
    settings.setValue("common/total", int(values.size()));
    for (int i = 0; i < values.size(); ++i)
        settings.setValue("common/" + QString::number(i), values.at(i));
    return SettingsFiles::flush(settings);
}

QVariantList deviceValues(QSettings &settings)
{
    return {settings.value("Z5/colorMaxStage", 8).toInt()};
}

QStringList productNames(QSettings &settings)
{
    return settings.value("common/product_name").toStringList();
}

QVariant secrecyCode(QSettings &settings, int did)
{
    return settings.value("common/sCode" + QString::number(did));
}

QString windowTitle()
{
    // Qt 6 reads INI files as UTF-8, as the title texts are written.
    QSettings settings(SettingsFiles::appConfig, QSettings::IniFormat);
    return windowTitle(settings);
}

QString windowTitle(QSettings &settings)
{
    const QString lang = settings.value("common/language", QString()).toString();
    const char *key = lang == "Portuguese" ? "common/name0" : "common/name1";
    return settings.value(key, QString()).toString();
}

QSettings *reset(QSettings *current)
{
    return SettingsFiles::replaceAndReopen(current, SettingsFiles::appConfigDefault);
}

bool autostart(QSettings &settings)
{
    return settings.value("common/autostart", false).toBool();
}

bool setAutostart(QSettings &settings, bool enabled)
{
    settings.setValue("common/autostart", enabled);
    return SettingsFiles::flush(settings);
}

} // namespace AppConfig
