#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Records every call the documents make, with its arguments, and answers getters
// from results the tests set: "name/firstArgument" first, then "name", then the
// slot's own preset.
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
    QVariant record(
        const char *name, const QVariantList &arguments = {}, const QVariant &preset = {});

private:
    QVariantList recorded;
    QVariantMap results;
};

// The bridge slots the documents call, under the bridge's own signatures; integers
// are recorded as plain numbers whatever type the slot takes.
class FakeView : public CallRecorder
{
    Q_OBJECT
public:
    using CallRecorder::CallRecorder;

public slots:
    void setEnabled(bool enabled) { record(__func__, {enabled}); }

    QVariant getLang() { return record(__func__); }
    QVariant getProfile() { return record(__func__, {}, 0); }
    QStringList getGlobalStrings(QVariant type, QString langCode)
    {
        return record(__func__, {type, langCode}).toStringList();
    }

    void resetProfile(int profile) { record(__func__, {profile}); }
    void copyProfile(int destprofile, int srcprofile)
    {
        record(__func__, {destprofile, srcprofile});
    }
    QVariant getXYSensitive(QVariant index) { return record(__func__, {index}, QString("4")); }
    void setXYSensitive(QVariant index, QVariant xyData) { record(__func__, {index, xyData}); }
    QVariant getselectGun(QVariant index) { return record(__func__, {index}, QString()); }
    void setSelectGun(QVariant index, QVariant name) { record(__func__, {index, name}); }
    void setMacroKey(int index, QVariant macroName) { record(__func__, {index, macroName}); }
    QVariant getMacroKey(int index) { return record(__func__, {index}, QString()); }
    QVariantList getKeydefine(QVariant matrixId) { return record(__func__, {matrixId}).toList(); }
    QVariantList getNameList(QVariant type) { return record(__func__, {type}).toList(); }
    QVariant updataNameList(QVariant type, QStringList nameList)
    {
        return record(__func__, {type, nameList}, true);
    }
    bool loadProfile(int profile) { return record(__func__, {profile}).toBool(); }
    void saveProfile(int profile) { record(__func__, {profile}); }

    QVariant createMacroIni(QVariant name, QVariant index)
    {
        return record(__func__, {name, index}, true);
    }
    QVariant deleteMacroIni(QVariant name) { return record(__func__, {name}, true); }
    QVariant modifyMacroName(QVariant oldname, QVariant newname)
    {
        return record(__func__, {oldname, newname}, true);
    }
    QStringList loadMacroIni(QVariant name) { return record(__func__, {name}).toStringList(); }
    // Saved lines are what the next load of that macro returns, as with the library file.
    QVariant saveMacroIni(
        QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
    {
        setResult("loadMacroIni/" + name.toString(), macros + QStringList {repeat.toString()});
        return record(__func__, {name, macros, macroData, repeat}, true);
    }
    QVariant loadMacroType(QVariant name) { return record(__func__, {name}, 0); }
    QVariant loadMacroIndex(QVariant name) { return record(__func__, {name}, 0); }
    void setMacroIndex(QVariant name, QVariant index) { record(__func__, {name, index}); }
    QStringList isMacroUse(QVariant macroName)
    {
        return record(__func__, {macroName}).toStringList();
    }
    void changeMacroFileIndex(QVariant macroIndex) { record(__func__, {macroIndex}); }
    // The gun slots keep what was saved, so a later load reads it back.
    QVariant createGunIni(QVariant name, QVariant index)
    {
        setResult("loadGunIni/" + name.toString(), QStringList {"1"});
        return record(__func__, {name, index}, true);
    }
    QVariant deleteGunIni(QVariant name)
    {
        setResult("loadGunIni/" + name.toString(), QStringList());
        return record(__func__, {name}, true);
    }
    QVariant modifyGunName(QVariant oldname, QVariant newname)
    {
        return record(__func__, {oldname, newname}, true);
    }
    QStringList loadGunIni(QVariant name) { return record(__func__, {name}).toStringList(); }
    QVariant saveGunIni(QVariant name, QStringList macros, QVariantList macroData, QVariant repeat)
    {
        setResult("loadGunIni/" + name.toString(), QStringList(macros) << repeat.toString());
        return record(__func__, {name, macros, macroData, repeat}, true);
    }
    QVariant loadGunType(QVariant name) { return record(__func__, {name}, 0); }
    QVariant loadGunIndex(QVariant name) { return record(__func__, {name}, 0); }
    void setGunIndex(QVariant name, QVariant index) { record(__func__, {name, index}); }
    void changeGunFileIndex(QVariant gunIndex) { record(__func__, {gunIndex}); }
    QVariant sendMacroData(QVariantList macroData, QVariant index)
    {
        return record(__func__, {macroData, index}, true);
    }

    void ui_01H_SetReportRate(uchar rate) { record(__func__, {int(rate)}); }
    void ui_02H_SetCurrentProfile(int profile) { record(__func__, {profile}); }
    void ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4)
    {
        record(__func__, {int(par0), int(par1), int(par2), int(par3), int(par4)});
    }
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs)
    {
        record(__func__, {int(effect), int(option1), int(option2), configs});
    }
    void ui_0EH_SetXYSensitive(QVariant par0, QVariant par1) { record(__func__, {par0, par1}); }
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
    {
        record(__func__, {int(type), src24});
    }
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
    {
        record(__func__, {int(dpiStage), src8, valueForIndex});
    }
    void ui_11H_SetDPISelect(QVariantList valueForIndex)
    {
        record(__func__, {QVariant(valueForIndex)});
    }
    void ui_12H_SetKeyMatrix(QVariantList src64) { record(__func__, {QVariant(src64)}); }
    void ui_12H_SetGunKeyMatrix(QVariantList src64) { record(__func__, {QVariant(src64)}); }
    QVariant ui_81H_GetReportRate() { return record(__func__, {}, 1); }
    QVariantList ui_8DH_GetRGBLedEffect()
    {
        return record(__func__, {}, QVariantList {1, 4, 2}).toList();
    }
    QVariantList ui_90H_GetLED8StageColor(uchar type)
    {
        return record(__func__, {int(type)}).toList();
    }
    QVariantList ui_91H_GetDPISet()
    {
        return record(__func__, {}, QVariantList {400, 800, 1600, 3200, 4800, 6000, 250, 250})
            .toList();
    }
    QVariantList ui_91H_GetDPISelect()
    {
        return record(__func__, {}, QVariantList {1, 1, 1, 1, 1, 1, 0, 0}).toList();
    }
    void openUpdateExe() { record(__func__); }

    void setCursorSpeed(uint cursorSpeed) { record(__func__, {int(cursorSpeed)}); }
    void setVerticalScrollLines(uint lines) { record(__func__, {int(lines)}); }
    void setDoubleClickSpeed(uint speed) { record(__func__, {int(speed)}); }
    uint getCursorSpeed() { return record(__func__, {}, 10).toUInt(); }
    uint getVerticalScrollLines() { return record(__func__, {}, 3).toUInt(); }
    uint getDoubleClickSpeed() { return record(__func__, {}, 5).toUInt(); }
    bool hasSystemScrollLines() { return record(__func__, {}, true).toBool(); }

    // Main screen: active DPI stage, help menu.
    QVariant getDPIStage() { return record(__func__, {}, 0); }
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage) { record(__func__, {int(dpiStage)}); }
    bool isUpdaterInstalled() { return record(__func__, {}, false).toBool(); }
    QString getVersion() { return record(__func__, {}, QString("9.8.7")).toString(); }
};

class FakeController : public CallRecorder
{
    Q_OBJECT
public:
    using CallRecorder::CallRecorder;

public slots:
    void onMinimize() { record(__func__); }
    void onClose() { record(__func__); }
    void onXChanged(int x) { record(__func__, {x}); }
    void onYChanged(int y) { record(__func__, {y}); }

    // Main screen: closing where no system tray is.
    void onQuit() { record(__func__); }
    bool isTrayAvailable() { return record(__func__, {}, true).toBool(); }
};
