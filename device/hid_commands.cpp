#include <QDebug>

#include <cstring>

#include "device/hid_thread.h"

namespace {
constexpr bool pause = true;
constexpr bool noPause = false;
} // namespace

// Mouse and keyboard set commands: acquire, build, optional block, one transfer.

void Hid_Thread::hid_01H_SetReportRate(uchar rate)
{
    sendCommand("cmd Failed 01", 0x01, {rate}, nullptr, 0, pause, RunOn::Caller);
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile)
{
    sendCommand("cmd Failed 02", 0x02, {profile}, nullptr, 0, noPause, RunOn::Caller, true);
}

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendCommand("cmd Failed 03", 0x03, {byte1, byte2, byte3, byte4}, nullptr, 0, noPause,
        RunOn::Caller, true);
}

void Hid_Thread::hid_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4)
{
    sendCommand(
        "cmd Failed 04", 0x04, {par0, par1, par2, par3, par4}, nullptr, 0, pause, RunOn::Caller);
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    sendCommand("cmd Failed 07", 0x07, {effect, frequenty}, nullptr, 0, noPause, RunOn::Pool, true);
}

void Hid_Thread::hid_08H_SetLEDType(
    uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction)
{
    sendCommand("cmd Failed 08", 0x08, {option, effect, speed, light, color, direction}, nullptr, 0,
        pause, RunOn::Pool);
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512)
{
    sendCommand("cmd Failed 0D", 0x0D, {0, 0, 0x08}, src512, 512, pause, RunOn::Pool);
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21)
{
    sendCommand("cmd Failed 0E", 0x0E, {0, 0, 0x15}, src21, 21, pause, RunOn::Pool);
}

void Hid_Thread::hid_0EH_SetXYSensitive(uchar par0, uchar par1)
{
    sendCommand("cmd Failed 0E", 0x0E, {par0, par1}, nullptr, 0, pause, RunOn::Caller);
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode)
{
    sendCommand("cmd Failed 09", 0x09, {mode}, nullptr, 0, pause, RunOn::Pool);
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192)
{
    sendCommand("cmd Failed 11", 0x11, {0, macroId, 0x03}, src192, 192, pause, RunOn::Pool);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
{
    sendCommand("cmd Failed 12", 0x12, {0, index, 0x08, option}, src512, 512, pause, RunOn::Pool);
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    sendCommand("cmd Failed 13", 0x13, {0xFF}, nullptr, 0, noPause, RunOn::Pool, true);
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    sendCommand("cmd Failed 14", 0x14, {0, index, rValue, gValue, bValue}, nullptr, 0, noPause,
        RunOn::Pool, true);
}

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
{
    sendCommand("cmd Failed 03", 0x03, {type, rate, option1, option2}, nullptr, 0, pause,
        RunOn::Pool, true);
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(
    uchar type, uchar option1, uchar option2, uchar option3)
{
    sendCommand(
        "cmd Failed 07", 0x07, {type, option1, option2, option3}, nullptr, 0, noPause, RunOn::Pool);
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    sendCommand("cmd Failed 0B", 0x0B, {dpiStage}, nullptr, 0, pause, RunOn::Pool);
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    sendCommand(
        "cmd Failed 0D", 0x0D, {effect, option1, option2}, nullptr, 0, pause, RunOn::Caller);
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const uchar length = type == 2 ? 4 : 24;
    sendCommand("cmd Failed 10", 0x10, {type, length}, src24, length, pause, RunOn::Caller);
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    sendCommand("cmd Failed 11", 0x11, {dpiStage, 0x08}, src8, 8, pause, RunOn::Caller);
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    sendCommand("cmd Failed 12", 0x12, {indexAddOne, 0x40, 0x08}, src64, 64, pause, RunOn::Caller);
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    sendCommand("cmd Failed 13", 0x13, {macroId, 0x80}, src128, 128, pause, RunOn::Caller);
}

// Getters: preset the answer (zero or the caller's own values), read, copy.

void Hid_Thread::readEchoed(int first, std::initializer_list<uchar *> outputs)
{
    answerBuffer[1] = commandBuffer[1];
    int index = first;
    for (uchar *output : outputs)
        answerBuffer[index++] = *output;
    readTransfer(0);
    index = first;
    for (uchar *output : outputs)
        *output = answerBuffer[index++];
}

void Hid_Thread::readIntoBlock(uchar *block, int length)
{
    std::memcpy(dataArea, block, size_t(length));
    readTransfer(length);
    std::memcpy(block, dataArea, size_t(length));
}

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    if (!startRead(0x80, {}))
        return;
    if (readTransfer(0))
        version = QString::number(answerBuffer[2], 16) + QLatin1Char('.')
            + QString::number(answerBuffer[3], 16).rightJustified(2, QLatin1Char('0')).toUpper();
    else
        version = QStringLiteral("unknown");
}

void Hid_Thread::hid_81H_GetReportRate(uchar &rate)
{
    if (startRead(0x81, {}))
        readEchoed(2, {&rate});
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile)
{
    if (startRead(0x82, {}))
        readEchoed(2, {&profile});
}

void Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (startRead(0x83, {}))
        readEchoed(2, {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid_84H_GetButtonSensitivity(
    uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4)
{
    if (startRead(0x84, {}))
        readEchoed(2, {&sens1, &sens2, &sens3, &sens4});
}

void Hid_Thread::hid_88H_GetLEDType(
    uchar &effect, uchar &speed, uchar &light, uchar &color, uchar &direction)
{
    if (startRead(0x88, {}))
        readEchoed(3, {&effect, &speed, &light, &color, &direction});
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode)
{
    if (startRead(0x89, {}))
        readEchoed(2, {&mode});
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512)
{
    if (!startRead(0x8D, {}))
        return;
    // This command goes out without a checksum.
    commandBuffer[8] = 0x00;
    answerBuffer[1] = 0x8D;
    answerBuffer[4] = 0x08;
    readIntoBlock(src512, 512);
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21)
{
    if (!startRead(0x8E, {}))
        return;
    answerBuffer[1] = 0x8E;
    answerBuffer[4] = 0x15;
    readIntoBlock(src21, 21);
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192)
{
    if (!startRead(0x91, {0, macroId}))
        return;
    answerBuffer[1] = 0x91;
    answerBuffer[3] = macroId;
    answerBuffer[4] = 0x03;
    readIntoBlock(src192, 192);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512)
{
    if (!startRead(0x92, {0, index}))
        return;
    answerBuffer[1] = 0x92;
    answerBuffer[3] = index;
    answerBuffer[4] = 0x08;
    readIntoBlock(src512, 512);
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
{
    if (!startRead(0x94, {0, index}))
        return;
    answerBuffer[3] = index;
    readEchoed(4, {&rValue, &gValue, &bValue});
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    if (!startRead(0x83, {}))
        return;
    readTransfer(0);
    type = answerBuffer[2];
    option1 = answerBuffer[4];
    option2 = answerBuffer[5];
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(
    uchar type, uchar &option1, uchar &option2, uchar &option3)
{
    if (!startRead(0x87, {type}))
        return false;
    const bool ok = readTransfer(0);
    if (ok) {
        option1 = answerBuffer[3];
        option2 = answerBuffer[4];
        option3 = answerBuffer[5];
    }
    return ok;
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar &dpiStage)
{
    if (!startRead(0x8B, {}))
        return;
    readTransfer(0);
    dpiStage = answerBuffer[2];
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
{
    if (!startRead(0x8D, {}))
        return;
    readTransfer(0);
    effect = answerBuffer[2];
    option1 = answerBuffer[3];
    option2 = answerBuffer[4];
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24)
{
    if (!startRead(0x90, {type}))
        return;
    readIntoBlock(src24, type == 2 ? 4 : 24);
}

bool Hid_Thread::hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8)
{
    if (!startRead(0x91, {}))
        return false;
    std::memcpy(dataArea, src8, 8);
    const bool ok = readTransfer(8);
    if (ok) {
        dpiMAXStage = answerBuffer[2];
        std::memcpy(src8, dataArea, 8);
    }
    return ok;
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar *src64)
{
    if (!startRead(0x92, {0x01}))
        return;
    answerBuffer[1] = 0x92;
    readIntoBlock(src64, 64);
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar *src128)
{
    if (startRead(0x93, {macroId}))
        readIntoBlock(src128, 128);
}
