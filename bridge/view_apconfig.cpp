#include "bridge/myqquickview.h"

#include "store/appsettings.h"

void myQQuickView::saveApConfig(QVariantList apConfigs)
{
    noteSaved(appConfig->setValues(apConfigs));
}

QVariant myQQuickView::getLang()
{
    return appConfig->language();
}

QVariantList myQQuickView::loadApConfig()
{
    return appConfig->values();
}

QVariantList myQQuickView::loadDeviceApConfig()
{
    return {appConfig->colorStageCount()};
}

QVariant myQQuickView::getProfile()
{
    return appConfig->profileNumber();
}

void myQQuickView::setProfile(QVariant profileNo)
{
    noteSaved(appConfig->setProfileNumber(profileNo.toUInt()));
}

void myQQuickView::resetApconfig()
{
    appConfig->reset();
}
