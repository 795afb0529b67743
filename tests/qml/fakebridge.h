#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Records every call the documents make, with its arguments, and answers getters
// from results the tests set: "name/firstArgument" first, then "name".
class CallRecorder : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    Q_INVOKABLE void clear();
    Q_INVOKABLE QVariantList calls() const { return recorded; }
    // Argument lists of every call of one slot, oldest first.
    Q_INVOKABLE QVariantList callsOf(const QString &name) const;
    Q_INVOKABLE QStringList names() const;
    Q_INVOKABLE void setResult(const QString &key, const QVariant &value);
    Q_INVOKABLE void clearResults() { results.clear(); }
    // Script and QML warnings seen since the last call of clearWarnings.
    Q_INVOKABLE QStringList warnings() const;
    Q_INVOKABLE void clearWarnings();

    static void installWarningCatcher();

protected:
    QVariant record(const QString &name, const QVariantList &arguments = {});

private:
    QVariantList recorded;
    QVariantMap results;
};

class FakeView : public CallRecorder
{
    Q_OBJECT
public:
    using CallRecorder::CallRecorder;

public slots:
    void setEnabled(bool enabled);

    QVariant getLang();
    QVariant getProfile();
    QStringList getGlobalStrings(QVariant type, QString langCode);

    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QVariant getXYSensitive(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    QVariant getselectGun(QVariant index);
    void setSelectGun(QVariant index, QVariant name);
    void setMacroKey(int index, QVariant macroName);
    QVariant getMacroKey(int index);
    QVariantList getKeydefine(QVariant matrixId);
    QVariantList getNameList(QVariant type);
    QVariant updataNameList(QVariant type, QStringList nameList);
    bool loadProfile(int profile);
    void saveProfile(int profile);

    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant deleteMacroIni(QVariant name);
    QVariant modifyMacroName(QVariant oldname, QVariant newname);
    QStringList loadMacroIni(QVariant name);
    QVariant saveMacroIni(
        QVariant name, QStringList macros, QVariantList macroData, QVariant repeat);
    QVariant loadMacroType(QVariant name);
    QVariant loadMacroIndex(QVariant name);
    void setMacroIndex(QVariant name, QVariant macroIndex);
    QStringList isMacroUse(QVariant macroName);
    void changeMacroFileIndex(QVariant macroIndex);
    QVariant createGunIni(QVariant name, QVariant gunIndex);
    QVariant deleteGunIni(QVariant name);
    QVariant modifyGunName(QVariant oldname, QVariant newname);
    QStringList loadGunIni(QVariant name);
    QVariant saveGunIni(QVariant name, QStringList macros, QVariantList macroData, QVariant repeat);
    QVariant loadGunType(QVariant name);
    QVariant loadGunIndex(QVariant name);
    void setGunIndex(QVariant name, QVariant gunIndex);
    QVariant sendMacroData(QVariantList macroData, QVariant macroIndex);

    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    void ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs);
    void ui_0EH_SetXYSensitive(QVariant par0, QVariant par1);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex);
    void ui_11H_SetDPISelect(QVariantList valueForIndex);
    void ui_12H_SetKeyMatrix(QVariantList src64);
    void ui_12H_SetGunKeyMatrix(QVariantList src64);
    QVariant ui_81H_GetReportRate();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_91H_GetDPISelect();
    void openUpdateExe();

    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);
    uint getCursorSpeed();
    uint getVerticalScrollLines();
    uint getDoubleClickSpeed();
};

class FakeController : public CallRecorder
{
    Q_OBJECT
public:
    using CallRecorder::CallRecorder;

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
};
