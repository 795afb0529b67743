#include "bridge/myqquickview.h"

#include <QDebug>
#include <QFile>
#include <QTimer>

#include "store/profiles.h"
#include "store/settingsfiles.h"

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
    QSettings *profile = currentProfileSettings();
    if (!profile)
        return false;
    if (Profiles::write(*profile, key, value))
        return noteSaved(true);
    qWarning() << "profile not written:" << profile->fileName() << key;
    return noteSaved(false);
}

bool myQQuickView::storeInProfile(const QList<QPair<QString, QVariant>> &values)
{
    QSettings *profile = currentProfileSettings();
    if (!profile)
        return false;
    if (Profiles::writeAll(*profile, values))
        return noteSaved(true);
    qWarning() << "profile not written:" << profile->fileName();
    return noteSaved(false);
}

bool myQQuickView::replaceProfileFile(int profile, const QString &source)
{
    if (!Profiles::isValidNumber(profile) || profile >= profileSettingsList.size())
        return false;
    QSettings *current = profileSettingsList.at(profile);
    QSettings *replacement = Profiles::replace(current, source);
    if (replacement == current)
        return false;
    profileSettingsList[profile] = replacement;
    forgetAppliedPointerSettings();
    return true;
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    return currentProfileSettings()->value(Profiles::Key::xySensitive(index), 4);
}

QVariant myQQuickView::getDPIStage()
{
    return currentProfileSettings()->value(Profiles::Key::dpiStage, 0);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    storeInProfile(Profiles::Key::xySensitive(index), xyData);
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return currentProfileSettings()->value(Profiles::Key::selectGun(index), QString());
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
    return currentProfileSettings()->value(Profiles::Key::macroSlot(index), 0);
}

QVariantList myQQuickView::loadDefaultProfile(uchar uiPageId)
{
    return Profiles::defaultPageValues(QString::fromLatin1(Profiles::defaultProfile), uiPageId);
}

void myQQuickView::resetProfile(int profile)
{
    if (!Profiles::isValidNumber(profile))
        return;
    noteSaved(replaceProfileFile(profile, Profiles::resetSource(profile)));
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    // Equal numbers would copy a file onto itself; out-of-range numbers name no file.
    if (destprofile == srcprofile || !Profiles::isValidNumber(destprofile)
        || !Profiles::isValidNumber(srcprofile))
        return;
    QSettings *source = profileSettings(srcprofile);
    if (!source)
        return;
    SettingsFiles::flush(*source);
    // A profile never written has no file yet; an empty one reads the same and can be copied.
    QFile file(source->fileName());
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.close();
    noteSaved(replaceProfileFile(destprofile, source->fileName()));
}
