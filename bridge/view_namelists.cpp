#include "bridge/myqquickview.h"
#include "store/gundata.h"
#include "store/namelists.h"

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    return NameLists::update(type.toUInt(), nameList);
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    return NameLists::get(type.toUInt());
}

void myQQuickView::saveGundata(QVariantList src6)
{
    GunData::save(src6);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    GunData::modify(modifyType.toUInt(), src6);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    return GunData::get(name.toString());
}

QStringList myQQuickView::getGunDataKey()
{
    return GunData::names();
}
