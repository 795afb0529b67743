#include "bridge/myqquickview.h"

#include "store/appconfig.h"

void myQQuickView::saveApConfig(QVariantList apConfigs)
{
    noteSaved(AppConfig::saveValues(*apConfig, apConfigs));
}

QVariant myQQuickView::getLang()
{
    return AppConfig::language(*apConfig);
}

QVariantList myQQuickView::loadApConfig()
{
    return AppConfig::loadValues(*apConfig);
}

QVariantList myQQuickView::loadDeviceApConfig()
{
    return AppConfig::deviceValues(*apConfig);
}

QVariant myQQuickView::getProfile()
{
    return AppConfig::profileNumber(*apConfig);
}

void myQQuickView::setProfile(QVariant profileNo)
{
    noteSaved(AppConfig::setProfileNumber(*apConfig, profileNo));
}

void myQQuickView::resetApconfig()
{
    apConfig = AppConfig::reset(apConfig);
}
