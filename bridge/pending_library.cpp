// Placeholder bodies for slots whose concern file is not written yet.
// Each concern removes its slots from here as it implements them; this file
// disappears once it is empty.
#include "bridge/myqquickview.h"

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    Q_UNUSED(oldName);
    Q_UNUSED(newName);
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    Q_UNUSED(name);
    Q_UNUSED(macroIndex);
    return QVariant();
}

QVariant myQQuickView::createGunIni(QVariant name, QVariant gunIndex)
{
    Q_UNUSED(name);
    Q_UNUSED(gunIndex);
    return QVariant();
}

QVariant myQQuickView::modifyMacroName(QVariant oldname, QVariant newname)
{
    Q_UNUSED(oldname);
    Q_UNUSED(newname);
    return QVariant();
}

QVariant myQQuickView::modifyGunName(QVariant oldname, QVariant newname)
{
    Q_UNUSED(oldname);
    Q_UNUSED(newname);
    return QVariant();
}

QStringList myQQuickView::isMacroUse(QVariant macroName)
{
    Q_UNUSED(macroName);
    return QStringList();
}

QStringList myQQuickView::isGunUse(QVariant macroName)
{
    Q_UNUSED(macroName);
    return QStringList();
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

QVariant myQQuickView::deleteGunIni(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

QVariant myQQuickView::saveMacroIni(
    QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
{
    Q_UNUSED(name);
    Q_UNUSED(macros);
    Q_UNUSED(macroData);
    Q_UNUSED(repeat);
    return QVariant();
}

QVariant myQQuickView::saveGunIni(
    QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
{
    Q_UNUSED(name);
    Q_UNUSED(macros);
    Q_UNUSED(macroData);
    Q_UNUSED(repeat);
    return QVariant();
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    Q_UNUSED(name);
    return QStringList();
}

QStringList myQQuickView::loadGunIni(QVariant name)
{
    Q_UNUSED(name);
    return QStringList();
}

QVariant myQQuickView::loadMacroType(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

QVariant myQQuickView::loadGunType(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

QVariant myQQuickView::loadMacroIndex(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

QVariant myQQuickView::loadGunIndex(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name)
{
    Q_UNUSED(name);
    return QVariantList();
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config)
{
    Q_UNUSED(name);
    Q_UNUSED(config);
}

void myQQuickView::setMacroIndex(QVariant name, QVariant macroIndex)
{
    Q_UNUSED(name);
    Q_UNUSED(macroIndex);
}

void myQQuickView::setGunIndex(QVariant name, QVariant gunIndex)
{
    Q_UNUSED(name);
    Q_UNUSED(gunIndex);
}

void myQQuickView::setMacroType(QVariant name, QVariant macroType)
{
    Q_UNUSED(name);
    Q_UNUSED(macroType);
}

void myQQuickView::changeMacroFileIndex(QVariant macroIndex)
{
    Q_UNUSED(macroIndex);
}

void myQQuickView::changeMacroFileType(QVariant macroIndex, QVariant macroType)
{
    Q_UNUSED(macroIndex);
    Q_UNUSED(macroType);
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    Q_UNUSED(type);
    Q_UNUSED(nameList);
    return QVariant();
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    Q_UNUSED(type);
    return QVariantList();
}

void myQQuickView::saveGundata(QVariantList src6)
{
    Q_UNUSED(src6);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    Q_UNUSED(modifyType);
    Q_UNUSED(src6);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    Q_UNUSED(name);
    return QVariantList();
}

QStringList myQQuickView::getGunDataKey()
{
    return QStringList();
}

QVariantMap myQQuickView::chkLanguages()
{
    return QVariantMap();
}

QStringList myQQuickView::getGlobalStrings(QVariant type, QString langCode)
{
    Q_UNUSED(type);
    Q_UNUSED(langCode);
    return QStringList();
}

QStringList myQQuickView::getProductLayoutStrings_Z5(QString langCode)
{
    Q_UNUSED(langCode);
    return QStringList();
}

bool myQQuickView::loadProfile(int profile)
{
    Q_UNUSED(profile);
    return {};
}

void myQQuickView::saveProfile(int profile)
{
    Q_UNUSED(profile);
}

QVariant myQQuickView::loadMacroIniFromFile(QVariant name)
{
    Q_UNUSED(name);
    return QVariant();
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    Q_UNUSED(name);
}

QString myQQuickView::getCustomFilePath()
{
    return QString();
}

QVariant myQQuickView::sendMacroData(QVariantList macroData, QVariant macroIndex)
{
    Q_UNUSED(macroData);
    Q_UNUSED(macroIndex);
    return QVariant();
}

QVariant myQQuickView::sendGunData(QVariantList gunData, QVariant gunIndex)
{
    Q_UNUSED(gunData);
    Q_UNUSED(gunIndex);
    return QVariant();
}

QList<uchar> myQQuickView::macroIncode(QStringList macros)
{
    Q_UNUSED(macros);
    return QList<uchar>();
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name)
{
    Q_UNUSED(macroId);
    Q_UNUSED(name);
}

void myQQuickView::ui_13H_SetMacroKey(QVariant macroId, QVariant name)
{
    Q_UNUSED(macroId);
    Q_UNUSED(name);
}
