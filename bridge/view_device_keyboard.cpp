#include "bridge/myqquickview.h"

#include "bridge/view_deviceblocks.h"
#include "device/hid_thread.h"
#include "store/profiles.h"
#include "store/profileset.h"

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (hid)
        hid->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption()
{
    uchar option[4] = {};
    if (hid)
        hid->hid_83H_GetKeyboardoption(option[0], option[1], option[2], option[3]);
    return DeviceBlocks::toList(option, 4);
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity()
{
    uchar sensitivity[4] = {};
    if (hid) {
        hid->hid_84H_GetButtonSensitivity(
            sensitivity[0], sensitivity[1], sensitivity[2], sensitivity[3]);
    }
    return DeviceBlocks::toList(sensitivity, 4);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    if (hid)
        hid->hid_07H_SetControlIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(
    uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction)
{
    if (!storeInProfile(Profiles::Key::ledType,
            QVariantList {int(effect), int(speed), int(light), int(color), int(direction)}))
        return;
    if (hid)
        hid->hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return profileSet->list(currentProfile, Profiles::Key::ledType);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode)
{
    if (hid)
        hid->hid_09H_SetKeyboardMode(mode);
}

QVariant myQQuickView::ui_89H_GetKeyboardMode()
{
    uchar mode = 0;
    if (hid)
        hid->hid_89H_GetKeyboardMode(mode);
    return int(mode);
}

QVariant myQQuickView::ui_82H_GetCurrentProfile()
{
    uchar profile = 0;
    if (hid)
        hid->hid_82H_GetCurrentProfile(profile);
    return int(profile);
}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512)
{
    QList<QPair<QString, QVariant>> keys;
    for (int n = 0; n < Profiles::keyboardKeyCount; ++n)
        keys.append({Profiles::Key::keyboardAssignment(n), src512.mid(4 * n, 4)});
    if (!storeInProfile(keys))
        return;
    QByteArray block = DeviceBlocks::fromList(src512, 512);
    if (hid)
        hid->hid_0DH_SetKeyMatrix(DeviceBlocks::data(block));
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix()
{
    return DeviceBlocks::read<512>(hid, &Hid_Thread::hid_8DH_GetKeyMatrix);
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21)
{
    QByteArray block = DeviceBlocks::fromList(src21, 21);
    if (hid)
        hid->hid_0EH_SetKeyOnOff(DeviceBlocks::data(block));
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff()
{
    return DeviceBlocks::read<21>(hid, &Hid_Thread::hid_8EH_GetKeyOnOff);
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId)
{
    return DeviceBlocks::read<192>(hid, &Hid_Thread::hid_91H_GetMacroKey, macroId);
}

// Option 255 keeps the picture in the profile without sending it.
void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512)
{
    if (!storeInProfile(Profiles::Key::userPicture(index), src512) || option == 255 || !hid)
        return;
    QByteArray block = DeviceBlocks::fromList(src512, 512);
    hid->hid_12H_SetUserPicture(index, option, DeviceBlocks::data(block));
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return profileSet->list(currentProfile, Profiles::Key::userPicture(index));
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    if (hid)
        hid->hid_13H_SetRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    if (!storeInProfile(
            Profiles::Key::color(index), QVariantList {int(rValue), int(gValue), int(bValue)}))
        return;
    if (hid)
        hid->hid_14H_SetColor(index, rValue, gValue, bValue);
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index)
{
    return profileSet->list(currentProfile, Profiles::Key::color(index));
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    QString version;
    if (hid)
        hid->hid_80H_GetFWVersion(version);
    return version;
}
