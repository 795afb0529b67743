#include "fakebridge.h"

namespace {
QStringList caughtWarnings;
QtMessageHandler previousHandler = nullptr;

void catchWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray category(context.category ? context.category : "");
    const bool fromDocuments = category.startsWith("qml") || category.startsWith("js")
        || message.contains(QLatin1String("qrc:/modules/qml"));
    if (type != QtDebugMsg && type != QtInfoMsg && fromDocuments)
        caughtWarnings.append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}

QVariantList ints(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}
} // namespace

void CallRecorder::installWarningCatcher()
{
    previousHandler = qInstallMessageHandler(catchWarnings);
}

void CallRecorder::clear()
{
    recorded.clear();
}

QVariantList CallRecorder::callsOf(const QString &name) const
{
    QVariantList result;
    for (const QVariant &call : recorded) {
        const QVariantMap entry = call.toMap();
        if (entry.value("name").toString() == name)
            result.append(QVariant(entry.value("args").toList()));
    }
    return result;
}

QStringList CallRecorder::names() const
{
    QStringList result;
    for (const QVariant &call : recorded)
        result.append(call.toMap().value("name").toString());
    return result;
}

void CallRecorder::setResult(const QString &key, const QVariant &value)
{
    results.insert(key, value);
}

QStringList CallRecorder::warnings() const
{
    return caughtWarnings;
}

void CallRecorder::clearWarnings()
{
    caughtWarnings.clear();
}

QVariant CallRecorder::record(const QString &name, const QVariantList &arguments)
{
    recorded.append(QVariantMap {{"name", name}, {"args", arguments}});
    if (!arguments.isEmpty()) {
        const QString specific = name + '/' + arguments.first().toString();
        if (results.contains(specific))
            return results.value(specific);
    }
    return results.value(name);
}

// Plain numbers in the record, whatever integer type the slot takes.
#define NUM(v) QVariant(int(v))

void FakeView::setEnabled(bool enabled)
{
    record("setEnabled", {enabled});
}

QVariant FakeView::getLang()
{
    return record("getLang");
}

QVariant FakeView::getProfile()
{
    const QVariant value = record("getProfile");
    return value.isValid() ? value : QVariant(0);
}

QStringList FakeView::getGlobalStrings(QVariant type, QString langCode)
{
    return record("getGlobalStrings", {type, langCode}).toStringList();
}

void FakeView::resetProfile(int profile)
{
    record("resetProfile", {profile});
}

void FakeView::copyProfile(int destprofile, int srcprofile)
{
    record("copyProfile", {destprofile, srcprofile});
}

QVariant FakeView::getXYSensitive(QVariant index)
{
    const QVariant value = record("getXYSensitive", {index});
    return value.isValid() ? value : QVariant(QString("4"));
}

void FakeView::setXYSensitive(QVariant index, QVariant xyData)
{
    record("setXYSensitive", {index, xyData});
}

QVariant FakeView::getselectGun(QVariant index)
{
    const QVariant value = record("getselectGun", {index});
    return value.isValid() ? value : QVariant(QString());
}

void FakeView::setSelectGun(QVariant index, QVariant name)
{
    record("setSelectGun", {index, name});
}

void FakeView::setMacroKey(int index, QVariant macroName)
{
    record("setMacroKey", {index, macroName});
}

QVariant FakeView::getMacroKey(int index)
{
    const QVariant value = record("getMacroKey", {index});
    return value.isValid() ? value : QVariant(QString());
}

QVariantList FakeView::getKeydefine(QVariant matrixId)
{
    return record("getKeydefine", {matrixId}).toList();
}

QVariantList FakeView::getNameList(QVariant type)
{
    return record("getNameList", {type}).toList();
}

QVariant FakeView::updataNameList(QVariant type, QStringList nameList)
{
    record("updataNameList", {type, nameList});
    return true;
}

bool FakeView::loadProfile(int profile)
{
    return record("loadProfile", {profile}).toBool();
}

void FakeView::saveProfile(int profile)
{
    record("saveProfile", {profile});
}

QVariant FakeView::createMacroIni(QVariant name, QVariant macroIndex)
{
    record("createMacroIni", {name, macroIndex});
    return true;
}

QVariant FakeView::deleteMacroIni(QVariant name)
{
    record("deleteMacroIni", {name});
    return true;
}

QVariant FakeView::modifyMacroName(QVariant oldname, QVariant newname)
{
    record("modifyMacroName", {oldname, newname});
    return true;
}

QStringList FakeView::loadMacroIni(QVariant name)
{
    return record("loadMacroIni", {name}).toStringList();
}

QVariant FakeView::saveMacroIni(
    QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
{
    record("saveMacroIni", {name, macros, macroData, repeat});
    return true;
}

QVariant FakeView::loadMacroType(QVariant name)
{
    const QVariant value = record("loadMacroType", {name});
    return value.isValid() ? value : QVariant(0);
}

QVariant FakeView::loadMacroIndex(QVariant name)
{
    const QVariant value = record("loadMacroIndex", {name});
    return value.isValid() ? value : QVariant(0);
}

void FakeView::setMacroIndex(QVariant name, QVariant macroIndex)
{
    record("setMacroIndex", {name, macroIndex});
}

QStringList FakeView::isMacroUse(QVariant macroName)
{
    return record("isMacroUse", {macroName}).toStringList();
}

void FakeView::changeMacroFileIndex(QVariant macroIndex)
{
    record("changeMacroFileIndex", {macroIndex});
}

QVariant FakeView::createGunIni(QVariant name, QVariant gunIndex)
{
    record("createGunIni", {name, gunIndex});
    return true;
}

QVariant FakeView::deleteGunIni(QVariant name)
{
    record("deleteGunIni", {name});
    return true;
}

QVariant FakeView::modifyGunName(QVariant oldname, QVariant newname)
{
    record("modifyGunName", {oldname, newname});
    return true;
}

QStringList FakeView::loadGunIni(QVariant name)
{
    return record("loadGunIni", {name}).toStringList();
}

QVariant FakeView::saveGunIni(
    QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
{
    record("saveGunIni", {name, macros, macroData, repeat});
    return true;
}

QVariant FakeView::loadGunType(QVariant name)
{
    const QVariant value = record("loadGunType", {name});
    return value.isValid() ? value : QVariant(0);
}

QVariant FakeView::loadGunIndex(QVariant name)
{
    const QVariant value = record("loadGunIndex", {name});
    return value.isValid() ? value : QVariant(0);
}

void FakeView::setGunIndex(QVariant name, QVariant gunIndex)
{
    record("setGunIndex", {name, gunIndex});
}

QVariant FakeView::sendMacroData(QVariantList macroData, QVariant macroIndex)
{
    record("sendMacroData", {macroData, macroIndex});
    return true;
}

void FakeView::ui_01H_SetReportRate(uchar rate)
{
    record("ui_01H_SetReportRate", {NUM(rate)});
}

void FakeView::ui_02H_SetCurrentProfile(int profile)
{
    record("ui_02H_SetCurrentProfile", {profile});
}

void FakeView::ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4)
{
    record("ui_04H_SetGunData", {NUM(par0), NUM(par1), NUM(par2), NUM(par3), NUM(par4)});
}

void FakeView::ui_0DH_SetRGBLedEffect(
    uchar effect, uchar option1, uchar option2, QVariantList configs)
{
    record("ui_0DH_SetRGBLedEffect", {NUM(effect), NUM(option1), NUM(option2), configs});
}

void FakeView::ui_0EH_SetXYSensitive(QVariant par0, QVariant par1)
{
    record("ui_0EH_SetXYSensitive", {par0, par1});
}

void FakeView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    record("ui_10H_SetLED8StageColor", {NUM(type), src24});
}

void FakeView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
{
    record("ui_11H_SetDPISet", {NUM(dpiStage), src8, valueForIndex});
}

void FakeView::ui_11H_SetDPISelect(QVariantList valueForIndex)
{
    record("ui_11H_SetDPISelect", {QVariant(valueForIndex)});
}

void FakeView::ui_12H_SetKeyMatrix(QVariantList src64)
{
    record("ui_12H_SetKeyMatrix", {QVariant(src64)});
}

void FakeView::ui_12H_SetGunKeyMatrix(QVariantList src64)
{
    record("ui_12H_SetGunKeyMatrix", {QVariant(src64)});
}

QVariant FakeView::ui_81H_GetReportRate()
{
    const QVariant value = record("ui_81H_GetReportRate");
    return value.isValid() ? value : QVariant(1);
}

QVariantList FakeView::ui_8DH_GetRGBLedEffect()
{
    const QVariant value = record("ui_8DH_GetRGBLedEffect");
    return value.isValid() ? value.toList() : ints({1, 4, 2});
}

QVariantList FakeView::ui_90H_GetLED8StageColor(uchar type)
{
    return record("ui_90H_GetLED8StageColor", {NUM(type)}).toList();
}

QVariantList FakeView::ui_91H_GetDPISet()
{
    const QVariant value = record("ui_91H_GetDPISet");
    return value.isValid() ? value.toList() : ints({400, 800, 1600, 3200, 4800, 6000, 250, 250});
}

QVariantList FakeView::ui_91H_GetDPISelect()
{
    const QVariant value = record("ui_91H_GetDPISelect");
    return value.isValid() ? value.toList() : ints({1, 1, 1, 1, 1, 1, 0, 0});
}

void FakeView::openUpdateExe()
{
    record("openUpdateExe");
}

void FakeView::setCursorSpeed(uint cursorSpeed)
{
    record("setCursorSpeed", {NUM(cursorSpeed)});
}

void FakeView::setVerticalScrollLines(uint lines)
{
    record("setVerticalScrollLines", {NUM(lines)});
}

void FakeView::setDoubleClickSpeed(uint speed)
{
    record("setDoubleClickSpeed", {NUM(speed)});
}

uint FakeView::getCursorSpeed()
{
    const QVariant value = record("getCursorSpeed");
    return value.isValid() ? value.toUInt() : 10;
}

uint FakeView::getVerticalScrollLines()
{
    const QVariant value = record("getVerticalScrollLines");
    return value.isValid() ? value.toUInt() : 3;
}

uint FakeView::getDoubleClickSpeed()
{
    const QVariant value = record("getDoubleClickSpeed");
    return value.isValid() ? value.toUInt() : 5;
}

void FakeController::onMinimize()
{
    record("onMinimize");
}

void FakeController::onClose()
{
    record("onClose");
}

void FakeController::onXChanged(int x)
{
    record("onXChanged", {x});
}

void FakeController::onYChanged(int y)
{
    record("onYChanged", {y});
}
