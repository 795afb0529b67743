// Placeholder bodies for slots whose concern file is not written yet.
// Each concern removes its slots from here as it implements them; this file
// disappears once it is empty.
#include "bridge/myqquickview.h"

void myQQuickView::syncFW() { }

void myQQuickView::clearHidBusy() { }

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    Q_UNUSED(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    Q_UNUSED(profile);
}

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    Q_UNUSED(byte1);
    Q_UNUSED(byte2);
    Q_UNUSED(byte3);
    Q_UNUSED(byte4);
}

void myQQuickView::ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4)
{
    Q_UNUSED(par0);
    Q_UNUSED(par1);
    Q_UNUSED(par2);
    Q_UNUSED(par3);
    Q_UNUSED(par4);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    Q_UNUSED(effect);
    Q_UNUSED(frequenty);
}

void myQQuickView::ui_08H_SetLEDType(
    uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction)
{
    Q_UNUSED(option);
    Q_UNUSED(effect);
    Q_UNUSED(speed);
    Q_UNUSED(light);
    Q_UNUSED(color);
    Q_UNUSED(direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode)
{
    Q_UNUSED(mode);
}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512)
{
    Q_UNUSED(src512);
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21)
{
    Q_UNUSED(src21);
}

void myQQuickView::ui_0EH_SetXYSensitive(QVariant par0, QVariant par1)
{
    Q_UNUSED(par0);
    Q_UNUSED(par1);
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512)
{
    Q_UNUSED(index);
    Q_UNUSED(option);
    Q_UNUSED(src512);
}

void myQQuickView::ui_13H_SetRecoveryData() { }

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    Q_UNUSED(index);
    Q_UNUSED(rValue);
    Q_UNUSED(gValue);
    Q_UNUSED(bValue);
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    return QString();
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    return QVariant();
}

QVariant myQQuickView::ui_82H_GetCurrentProfile()
{
    return QVariant();
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return QVariantList();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode()
{
    return QVariant();
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId)
{
    Q_UNUSED(macroId);
    return QVariantList();
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    Q_UNUSED(index);
    return QVariantList();
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index)
{
    Q_UNUSED(index);
    return QVariantList();
}

QVariant myQQuickView::getSensorType()
{
    return QVariant();
}

bool myQQuickView::chkIsLogoLedWork()
{
    return {};
}

bool myQQuickView::getMsgAns_FoolProofing()
{
    return {};
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    Q_UNUSED(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(
    uchar effect, uchar option1, uchar option2, QVariantList configs)
{
    Q_UNUSED(effect);
    Q_UNUSED(option1);
    Q_UNUSED(option2);
    Q_UNUSED(configs);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    Q_UNUSED(type);
    Q_UNUSED(src24);
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
{
    Q_UNUSED(dpiStage);
    Q_UNUSED(src8);
    Q_UNUSED(valueForIndex);
}

void myQQuickView::ui_11H_SetDPISelect(QVariantList valueForIndex)
{
    Q_UNUSED(valueForIndex);
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64)
{
    Q_UNUSED(src64);
}

void myQQuickView::ui_12H_SetGunKeyMatrix(QVariantList src64)
{
    Q_UNUSED(src64);
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage()
{
    return QVariant();
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    Q_UNUSED(type);
    return QVariantList();
}

uchar myQQuickView::ui_91H_SyncDPI()
{
    return {};
}

void myQQuickView::openUpdateExe() { }

QVariantList myQQuickView::ui_91H_GetDPISet()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_91H_GetDPISelect()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix()
{
    return QVariantList();
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId)
{
    Q_UNUSED(macroId);
    return QVariantList();
}
