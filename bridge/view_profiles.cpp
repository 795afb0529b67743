#include "bridge/myqquickview.h"

#include <QDebug>
#include <QTimer>

#include "store/profiles.h"
#include "store/profileset.h"

bool myQQuickView::noteSaved(bool saved)
{
    if (saved) {
        saveFailing = false;
        return true;
    }
    if (!saveFailing) {
        saveFailing = true;
        emit settingsNotSaved();
    }
    // The page still shows the value that was not kept; one reload serves a burst of failures.
    if (!storedValuesQueued) {
        storedValuesQueued = true;
        QTimer::singleShot(0, this, [this] {
            storedValuesQueued = false;
            invokeDocument("initPages", {QVariant(false)});
        });
    }
    return false;
}

bool myQQuickView::storeInProfile(const QString &key, const QVariant &value)
{
    if (profileSet->write(currentProfile, key, value))
        return noteSaved(true);
    qWarning() << "profile not written:" << profileSet->fileName(currentProfile) << key;
    return noteSaved(false);
}

bool myQQuickView::storeInProfile(const QList<QPair<QString, QVariant>> &values)
{
    if (profileSet->writeAll(currentProfile, values))
        return noteSaved(true);
    qWarning() << "profile not written:" << profileSet->fileName(currentProfile);
    return noteSaved(false);
}

bool myQQuickView::profileReplaced(bool replaced)
{
    if (replaced)
        forgetAppliedPointerSettings();
    return replaced;
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    return profileSet->xySensitive(currentProfile, index);
}

QVariant myQQuickView::getDPIStage()
{
    return profileSet->dpiStage(currentProfile);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    storeInProfile(Profiles::Key::xySensitive(index), xyData);
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return profileSet->selectedGun(currentProfile, index);
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    storeInProfile(Profiles::Key::selectGun(index), xyData);
}

void myQQuickView::setMacroKey(int index, QVariant macroName)
{
    storeInProfile(Profiles::Key::macroSlot(index), macroName);
}

QVariant myQQuickView::getMacroKey(int index)
{
    return profileSet->macroSlot(currentProfile, index);
}

QVariantList myQQuickView::loadDefaultProfile(uchar uiPageId)
{
    return Profiles::defaultPageValues(QString::fromLatin1(Profiles::defaultProfile), uiPageId);
}

void myQQuickView::resetProfile(int profile)
{
    if (!Profiles::isValidNumber(profile))
        return;
    noteSaved(profileReplaced(profileSet->reset(profile)));
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    // Equal numbers would copy a file onto itself; out-of-range numbers name no file.
    if (destprofile == srcprofile || !Profiles::isValidNumber(destprofile)
        || !Profiles::isValidNumber(srcprofile))
        return;
    noteSaved(profileReplaced(profileSet->copy(destprofile, srcprofile)));
}
