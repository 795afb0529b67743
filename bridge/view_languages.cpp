#include "bridge/myqquickview.h"
#include "store/languages.h"

QVariantMap myQQuickView::chkLanguages()
{
    return Languages::installed();
}

QStringList myQQuickView::getGlobalStrings(QVariant type, QString langCode)
{
    return Languages::globalStrings(type.toUInt(), langCode);
}

QStringList myQQuickView::getProductLayoutStrings_Z5(QString langCode)
{
    return Languages::productLayoutStrings(langCode);
}
