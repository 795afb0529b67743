#include "bridge/myqquickview.h"
#include "store/library.h"
#include "store/profileset.h"

using Library::Kind;

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    Library::rename(Kind::Macro, oldName.toString(), newName.toString());
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    return Library::create(Kind::Macro, name.toString(), macroIndex.toUInt());
}

QVariant myQQuickView::createGunIni(QVariant name, QVariant gunIndex)
{
    return Library::create(Kind::Gun, name.toString(), gunIndex.toUInt());
}

QVariant myQQuickView::modifyMacroName(QVariant oldname, QVariant newname)
{
    const QString oldName = oldname.toString();
    // The file goes first: profiles must never name a macro whose file could not be renamed.
    if (!Library::rename(Kind::Macro, oldName, newname.toString()))
        return false;
    profileSet->renameMacro(oldName, newname);
    return true;
}

QVariant myQQuickView::modifyGunName(QVariant oldname, QVariant newname)
{
    return Library::rename(Kind::Gun, oldname.toString(), newname.toString());
}

QStringList myQQuickView::isMacroUse(QVariant macroName)
{
    const QString name = macroName.toString();
    if (!Library::isSafeName(Kind::Macro, name))
        return {QStringLiteral("Name")};
    return profileSet->slotsHolding(QStringLiteral("macro"), name);
}

QStringList myQQuickView::isGunUse(QVariant macroName)
{
    const QString name = macroName.toString();
    if (!Library::isSafeName(Kind::Gun, name))
        return {QStringLiteral("Name")};
    return profileSet->slotsHolding(QStringLiteral("gun"), name);
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return Library::remove(Kind::Macro, name.toString());
}

QVariant myQQuickView::deleteGunIni(QVariant name)
{
    return Library::remove(Kind::Gun, name.toString());
}

QVariant myQQuickView::saveMacroIni(
    QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
{
    Q_UNUSED(macroData);
    return Library::save(Kind::Macro, name.toString(), macros, repeat);
}

QVariant myQQuickView::saveGunIni(
    QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
{
    Q_UNUSED(macroData);
    return Library::save(Kind::Gun, name.toString(), macros, repeat);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return Library::load(Kind::Macro, name.toString());
}

QStringList myQQuickView::loadGunIni(QVariant name)
{
    return Library::load(Kind::Gun, name.toString());
}

QVariant myQQuickView::loadMacroType(QVariant name)
{
    return Library::deviceType(Kind::Macro, name.toString());
}

QVariant myQQuickView::loadGunType(QVariant name)
{
    return Library::deviceType(Kind::Gun, name.toString());
}

QVariant myQQuickView::loadMacroIndex(QVariant name)
{
    return Library::index(Kind::Macro, name.toString());
}

QVariant myQQuickView::loadGunIndex(QVariant name)
{
    return Library::index(Kind::Gun, name.toString());
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name)
{
    return Library::macroConfig(name.toString(), connectedDeviceId());
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config)
{
    Library::setMacroConfig(name.toString(), config, connectedDeviceId());
}

void myQQuickView::setMacroIndex(QVariant name, QVariant macroIndex)
{
    Library::setIndex(Kind::Macro, name.toString(), macroIndex);
}

void myQQuickView::setGunIndex(QVariant name, QVariant gunIndex)
{
    Library::setIndex(Kind::Gun, name.toString(), gunIndex);
}

void myQQuickView::setMacroType(QVariant name, QVariant macroType)
{
    Library::setDeviceType(Kind::Macro, name.toString(), macroType);
}

// Profiles 0 to 5 are visited, like every other macro reference update: the
// profile page creates profiles 0 to 5.
void myQQuickView::changeMacroFileIndex(QVariant macroIndex)
{
    profileSet->removeMacroSlot(currentProfile, macroIndex.toUInt());
}

// Guns sit on buttons with function code 8; the macro references stay as they are.
void myQQuickView::changeGunFileIndex(QVariant gunIndex)
{
    profileSet->removeGunSlot(currentProfile, gunIndex.toUInt());
}

void myQQuickView::changeMacroFileType(QVariant macroIndex, QVariant macroType)
{
    profileSet->setMacroSlotType(currentProfile, macroIndex.toUInt(), macroType.toUInt());
}
