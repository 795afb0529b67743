#include "bridge/myqquickview.h"

#include "bridge/view_deviceblocks.h"
#include "device/hid_thread.h"
#include "store/profiles.h"
#include "store/profileset.h"

namespace {

QVariantList unsignedElements(const QVariantList &stored)
{
    QVariantList values;
    values.reserve(stored.size());
    for (const QVariant &value : stored)
        values.append(value.toUInt());
    return values;
}
} // namespace

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    // A value that could not be stored is not sent: the mouse keeps what the profile holds.
    if (connectedDeviceId() == 1 && !storeInProfile(Profiles::Key::reportRate, int(rate)))
        return;
    if (hid)
        hid->hid_01H_SetReportRate(rate);
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    if (connectedDeviceId() == 0) {
        uchar rate = 0;
        hid->hid_81H_GetReportRate(rate);
        return int(rate);
    }
    return profileSet->reportRate(currentProfile);
}

void myQQuickView::ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4)
{
    if (hid)
        hid->hid_04H_SetGunData(par0, par1, par2, par3, par4);
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    if (!storeInProfile(Profiles::Key::dpiStage, int(dpiStage)))
        return;
    if (hid)
        hid->hid_0BH_SetCurrentDPIStage(dpiStage);
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage()
{
    uchar dpiStage = 0;
    if (hid && isVisible())
        hid->hid_8BH_GetCurrentDPIStage(dpiStage);
    return int(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(
    uchar effect, uchar option1, uchar option2, QVariantList configs)
{
    if (!storeInProfile(Profiles::Key::ledEffect, configs))
        return;
    if (hid)
        hid->hid_0DH_SetRGBLedEffect(effect, option1, option2);
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect()
{
    return unsignedElements(profileSet->list(currentProfile, Profiles::Key::ledEffect));
}

void myQQuickView::ui_0EH_SetXYSensitive(QVariant par0, QVariant par1)
{
    if (hid)
        hid->hid_0EH_SetXYSensitive(DeviceBlocks::byteOf(par0), DeviceBlocks::byteOf(par1));
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    if (!storeInProfile(Profiles::Key::stageColors(type), src24))
        return;
    QByteArray block = DeviceBlocks::stageColors(type, src24);
    if (hid)
        hid->hid_10H_SetLED8StageColor(type, DeviceBlocks::data(block));
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    return unsignedElements(profileSet->list(currentProfile, Profiles::Key::stageColors(type)));
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
{
    if (!storeInProfile(Profiles::Key::dpiValues, valueForIndex))
        return;
    QByteArray block = DeviceBlocks::fromList(src8, 8);
    if (hid)
        hid->hid_11H_SetDPISet(dpiStage, DeviceBlocks::data(block));
}

// The enabled stages reach the device only as 0x80 bytes of the next DPI set.
void myQQuickView::ui_11H_SetDPISelect(QVariantList valueForIndex)
{
    storeInProfile(Profiles::Key::dpiSelect, valueForIndex);
}

QVariantList myQQuickView::ui_91H_GetDPISet()
{
    return profileSet->list(currentProfile, Profiles::Key::dpiValues);
}

QVariantList myQQuickView::ui_91H_GetDPISelect()
{
    return profileSet->list(currentProfile, Profiles::Key::dpiSelect);
}

uchar myQQuickView::ui_91H_SyncDPI()
{
    uchar maxStage = 0;
    uchar dpiBytes[8] = {};
    if (hid && hid->hid_91H_GetDPISet(maxStage, dpiBytes))
        return maxStage;
    return 8;
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64)
{
    QList<QPair<QString, QVariant>> keys;
    for (int n = 0; n < Profiles::buttonCount; ++n)
        keys.append({Profiles::Key::buttonAssignment(n), src64.mid(4 * n, 4)});
    if (!storeInProfile(keys))
        return;
    QByteArray block = DeviceBlocks::keyMatrix(src64);
    if (hid)
        hid->hid_12H_SetKeyMatrix(DeviceBlocks::data(block), 1);
}

void myQQuickView::ui_12H_SetGunKeyMatrix(QVariantList src64)
{
    QByteArray block = DeviceBlocks::fromList(src64, 64);
    if (hid)
        hid->hid_12H_SetKeyMatrix(DeviceBlocks::data(block), 3);
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix()
{
    return DeviceBlocks::read<64>(hid, &Hid_Thread::hid_92H_GetKeyMatrix);
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId)
{
    return DeviceBlocks::read<128>(hid, &Hid_Thread::hid_93H_GetMacroKey, macroId);
}

QVariant myQQuickView::getSensorType()
{
    uchar type = 0;
    uchar option1 = 0;
    uchar option2 = 0;
    if (hid)
        hid->hid_83H_GetFunctionOption(type, option1, option2);
    return int(type);
}

bool myQQuickView::chkIsLogoLedWork()
{
    uchar option1 = 0;
    uchar option2 = 0;
    uchar option3 = 0;
    return hid && hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3) && option1 == 0;
}
