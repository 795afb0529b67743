#include "store/appsettings.h"

#include <QSettings>

#include "store/appconfig.h"
#include "store/settingsfiles.h"

AppSettings::AppSettings(QObject *parent)
    : QObject(parent)
    , settings(SettingsFiles::openIni(SettingsFiles::appConfig))
{
    settings->setParent(this);
}

AppSettings::~AppSettings() = default;

QVariant AppSettings::language() const
{
    return AppConfig::language(*settings);
}

QVariant AppSettings::profileNumber() const
{
    return AppConfig::profileNumber(*settings);
}

bool AppSettings::setProfileNumber(uint profile)
{
    return AppConfig::setProfileNumber(*settings, profile);
}

QVariantList AppSettings::values() const
{
    return AppConfig::loadValues(*settings);
}

bool AppSettings::setValues(const QVariantList &values)
{
    return AppConfig::saveValues(*settings, values);
}

int AppSettings::colorStageCount() const
{
    return AppConfig::deviceValues(*settings).value(0).toInt();
}

QStringList AppSettings::productNames() const
{
    return AppConfig::productNames(*settings);
}

QVariant AppSettings::secrecyCode(int did) const
{
    return AppConfig::secrecyCode(*settings, did);
}

bool AppSettings::autostart() const
{
    return AppConfig::autostart(*settings);
}

bool AppSettings::setAutostart(bool enabled)
{
    return AppConfig::setAutostart(*settings, enabled);
}

QString AppSettings::windowTitle() const
{
    return AppConfig::windowTitle(*settings);
}

bool AppSettings::reset()
{
    QSettings *replacement = AppConfig::reset(settings);
    if (replacement == settings)
        return false;
    settings = replacement;
    settings->setParent(this);
    return true;
}
