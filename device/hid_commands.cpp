#include <QDebug>

#include <algorithm>
#include <cstring>

#include "device/hid_thread.h"

// Set commands: the payload, the block, the pauses, the rest after, and what part of the
// device state a newer write of the same kind replaces whole.

void Hid_Thread::hid_01H_SetReportRate(uchar rate)
{
    sendCommand("cmd Failed 01", 0x01, {rate});
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile)
{
    sendCommand("cmd Failed 02", 0x02, {profile},
        SendOptions().withoutPause().resting(Rest::AfterTransfer).neverMerged());
}

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendCommand("cmd Failed 03", 0x03, {byte1, byte2, byte3, byte4},
        SendOptions().withoutPause().resting(Rest::AfterTransfer).neverMerged());
}

void Hid_Thread::hid_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4)
{
    sendCommand("cmd Failed 04", 0x04, {par0, par1, par2, par3, par4});
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    sendCommand("cmd Failed 07", 0x07, {effect, frequenty},
        SendOptions().withoutPause().resting(Rest::SinceStart));
}

void Hid_Thread::hid_08H_SetLEDType(
    uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction)
{
    sendCommand("cmd Failed 08", 0x08, {option, effect, speed, light, color, direction});
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512)
{
    sendCommand("cmd Failed 0D", 0x0D, {0, 0, 0x08}, SendOptions().withBlock(src512, 512));
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21)
{
    sendCommand("cmd Failed 0E", 0x0E, {0, 0, 0x15}, SendOptions().withBlock(src21, 21));
}

void Hid_Thread::hid_0EH_SetXYSensitive(uchar par0, uchar par1)
{
    sendCommand("cmd Failed 0E", 0x0E, {par0, par1});
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode)
{
    sendCommand("cmd Failed 09", 0x09, {mode});
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192)
{
    sendCommand("cmd Failed 11", 0x11, {0, macroId, 0x03},
        SendOptions().withBlock(src192, 192).replacing(macroId));
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512)
{
    sendCommand("cmd Failed 12", 0x12, {0, index, 0x08, option},
        SendOptions().withBlock(src512, 512).replacing(index));
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    sendCommand("cmd Failed 13", 0x13, {0xFF},
        SendOptions().withoutPause().resting(Rest::SinceStart).neverMerged());
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    sendCommand("cmd Failed 14", 0x14, {0, index, rValue, gValue, bValue},
        SendOptions().withoutPause().resting(Rest::SinceStart).replacing(index));
}

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2)
{
    sendCommand("cmd Failed 03", 0x03, {type, rate, option1, option2},
        SendOptions().resting(Rest::SinceStart).replacing(type));
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(
    uchar type, uchar option1, uchar option2, uchar option3)
{
    sendCommand("cmd Failed 07", 0x07, {type, option1, option2, option3},
        SendOptions().withoutPause().replacing(type));
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    sendCommand("cmd Failed 0B", 0x0B, {dpiStage});
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    sendCommand("cmd Failed 0D", 0x0D, {effect, option1, option2});
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const uchar length = type == 2 ? 4 : 24;
    sendCommand("cmd Failed 10", 0x10, {type, length},
        SendOptions().withBlock(src24, length).replacing(type));
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    sendCommand("cmd Failed 11", 0x11, {dpiStage, 0x08},
        SendOptions().withBlock(src8, 8).replacing(dpiStage));
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    sendCommand("cmd Failed 12", 0x12, {indexAddOne, 0x40, 0x08},
        SendOptions().withBlock(src64, 64).replacing(indexAddOne));
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    sendCommand("cmd Failed 13", 0x13, {macroId, 0x80},
        SendOptions().withBlock(src128, 128).replacing(macroId));
}

// Getters: preset the answer (zero or the caller's own values), read, copy.

Hid_Thread::Query Hid_Thread::queryOf(uchar code, std::initializer_list<uchar> payload)
{
    Query query;
    query.code = code;
    std::copy_n(payload.begin(), qMin<size_t>(payload.size(), 6), query.payload);
    return query;
}

bool Hid_Thread::readEchoed(Query &query, int first, std::initializer_list<uchar *> outputs)
{
    query.answer[1] = query.code;
    int index = first;
    for (uchar *output : outputs)
        query.answer[index++] = *output;
    if (!ask(query))
        return false;
    index = first;
    for (uchar *output : outputs)
        *output = query.answer[index++];
    return query.ok;
}

bool Hid_Thread::readIntoBlock(Query &query, uchar *block, int length)
{
    query.dataLength = length;
    std::memcpy(query.data, block, size_t(length));
    if (!ask(query))
        return false;
    std::memcpy(block, query.data, size_t(length));
    return query.ok;
}

void Hid_Thread::hid_80H_GetFWVersion(QString &version)
{
    Query query = queryOf(0x80);
    if (!ask(query))
        return;
    if (query.ok)
        version = QString::number(query.answer[2], 16) + QLatin1Char('.')
            + QString::number(query.answer[3], 16).rightJustified(2, QLatin1Char('0')).toUpper();
    else
        version = QStringLiteral("unknown");
}

void Hid_Thread::hid_81H_GetReportRate(uchar &rate)
{
    readReportRate(rate);
}

bool Hid_Thread::readReportRate(uchar &rate)
{
    Query query = queryOf(0x81);
    return readEchoed(query, 2, {&rate});
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile)
{
    Query query = queryOf(0x82);
    readEchoed(query, 2, {&profile});
}

void Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    Query query = queryOf(0x83);
    readEchoed(query, 2, {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid_84H_GetButtonSensitivity(
    uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4)
{
    Query query = queryOf(0x84);
    readEchoed(query, 2, {&sens1, &sens2, &sens3, &sens4});
}

void Hid_Thread::hid_88H_GetLEDType(
    uchar &effect, uchar &speed, uchar &light, uchar &color, uchar &direction)
{
    Query query = queryOf(0x88);
    readEchoed(query, 3, {&effect, &speed, &light, &color, &direction});
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode)
{
    Query query = queryOf(0x89);
    readEchoed(query, 2, {&mode});
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512)
{
    Query query = queryOf(0x8D);
    // This command goes out without a checksum.
    query.checksum = false;
    query.answer[1] = 0x8D;
    query.answer[4] = 0x08;
    readIntoBlock(query, src512, 512);
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21)
{
    Query query = queryOf(0x8E);
    query.answer[1] = 0x8E;
    query.answer[4] = 0x15;
    readIntoBlock(query, src21, 21);
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192)
{
    Query query = queryOf(0x91, {0, macroId});
    query.answer[1] = 0x91;
    query.answer[3] = macroId;
    query.answer[4] = 0x03;
    readIntoBlock(query, src192, 192);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512)
{
    readUserPicture(index, src512);
}

bool Hid_Thread::readUserPicture(uchar index, uchar *src512)
{
    Query query = queryOf(0x92, {0, index});
    query.answer[1] = 0x92;
    query.answer[3] = index;
    query.answer[4] = 0x08;
    return readIntoBlock(query, src512, 512);
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue)
{
    Query query = queryOf(0x94, {0, index});
    query.answer[3] = index;
    readEchoed(query, 4, {&rValue, &gValue, &bValue});
}

void Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    readFunctionOption(type, option1, option2);
}

bool Hid_Thread::readFunctionOption(uchar &type, uchar &option1, uchar &option2)
{
    Query query = queryOf(0x83);
    if (!ask(query))
        return false;
    type = query.answer[2];
    option1 = query.answer[4];
    option2 = query.answer[5];
    return query.ok;
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(
    uchar type, uchar &option1, uchar &option2, uchar &option3)
{
    Query query = queryOf(0x87, {type});
    if (!ask(query) || !query.ok)
        return false;
    option1 = query.answer[3];
    option2 = query.answer[4];
    option3 = query.answer[5];
    return true;
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar &dpiStage)
{
    Query query = queryOf(0x8B);
    if (ask(query))
        dpiStage = query.answer[2];
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2)
{
    Query query = queryOf(0x8D);
    if (!ask(query))
        return;
    effect = query.answer[2];
    option1 = query.answer[3];
    option2 = query.answer[4];
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24)
{
    Query query = queryOf(0x90, {type});
    readIntoBlock(query, src24, type == 2 ? 4 : 24);
}

bool Hid_Thread::hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8)
{
    Query query = queryOf(0x91);
    query.dataLength = 8;
    std::memcpy(query.data, src8, 8);
    if (!ask(query) || !query.ok)
        return false;
    dpiMAXStage = query.answer[2];
    std::memcpy(src8, query.data, 8);
    return true;
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar *src64)
{
    Query query = queryOf(0x92, {0x01});
    query.answer[1] = 0x92;
    readIntoBlock(query, src64, 64);
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar *src128)
{
    Query query = queryOf(0x93, {macroId});
    readIntoBlock(query, src128, 128);
}
