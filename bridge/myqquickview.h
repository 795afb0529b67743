#pragma once

#include <QHash>
#include <QList>
#include <QQuickView>
#include <QStringList>
#include <QVariant>

class AppSettings;
class Hid_Thread;
class ProfileSet;
class QSettings;

// The documents' only door into the program: published to them as ui_View. It is the
// window the documents draw into, drawn straight into the window's own buffer.
// The slot bodies are split by concern over the view_*.cpp files.
class myQQuickView : public QQuickView
{
    Q_OBJECT
public:
    // The view keeps the settings objects it is given; without them it opens its own.
    myQQuickView(AppSettings *appSettings, ProfileSet *profiles);
    myQQuickView();
    ~myQQuickView() override;

    // While disabled, the window takes no mouse, wheel or key input; the items keep their
    // own enabled state and look.
    bool isEnabled() const { return inputEnabled; }

    Hid_Thread *hid = nullptr;

    // Called by the hook callbacks; each queues the document function of the same name.
    void detectKeyboard(bool isDown, int usage);
    void detectMouse(bool isDown, uint buttonCode, uint x, uint y);

    AppSettings *applicationSettings() const { return appConfig; }
    ProfileSet *profiles() const { return profileSet; }
    // The store's open files, for reading keys without a getter of their own.
    QSettings *appSettings() const;
    QSettings *profileSettings(int profile) const;
    QSettings *currentProfileSettings() const { return profileSettings(currentProfile); }
    int currentProfileIndex() const { return currentProfile; }
    // The connected device id: the did of the link's current entry, -1 without a link.
    int connectedDeviceId() const;
    QStringList messageTexts() const { return msgTexts; }
    void setMessageTexts(const QStringList &texts) { msgTexts = texts; }
    QString messageText(int index) const { return msgTexts.value(index); }
    bool audioEnabled() const { return enableAudio; }
    // False from a settings write that did not reach its file until one that did.
    bool settingsSaved() const { return !saveFailing; }
    // Queues the document's sending of the whole current profile to the device.
    void resendProfile();
    // A command line changed part of the stored profile: the document shows it again.
    void showStoredSettings(const QString &part);

signals:
    // The first of a run of settings writes that did not reach their files.
    void settingsNotSaved();

public slots:
    void setEnabled(bool enabled);
    // Start-up and the view's own slots.
    void initUI();
    void runUI();
    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();
    bool getIsSkinShow();

    // Application settings file.
    void saveApConfig(QVariantList apConfigs);
    QVariant getLang();
    QVariantList loadApConfig();
    QVariantList loadDeviceApConfig();
    QVariant getProfile();
    void setProfile(QVariant profileNo);
    void resetApconfig();

    // Profile files.
    QVariantList loadDefaultProfile(uchar uiPageId);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QVariant getXYSensitive(QVariant index);
    QVariant getselectGun(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setSelectGun(QVariant index, QVariant xyData);
    void setMacroKey(int index, QVariant macroName);
    QVariant getMacroKey(int index);
    // The stage the mouse was last put on (0-based), 0 when none was stored.
    QVariant getDPIStage();

    // Macro and gun library files.
    void renameMacroIniFile(QVariant oldName, QVariant newName);
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant createGunIni(QVariant name, QVariant gunIndex);
    QVariant modifyMacroName(QVariant oldname, QVariant newname);
    QVariant modifyGunName(QVariant oldname, QVariant newname);
    QStringList isMacroUse(QVariant macroName);
    QStringList isGunUse(QVariant macroName);
    QVariant deleteMacroIni(QVariant name);
    QVariant deleteGunIni(QVariant name);
    QVariant saveMacroIni(
        QVariant name, QStringList macros, QVariantList macroData, QVariant repeat);
    QVariant saveGunIni(QVariant name, QStringList macros, QVariantList macroData, QVariant repeat);
    QStringList loadMacroIni(QVariant name);
    QStringList loadGunIni(QVariant name);
    QVariant loadMacroType(QVariant name);
    QVariant loadGunType(QVariant name);
    QVariant loadMacroIndex(QVariant name);
    QVariant loadGunIndex(QVariant name);
    QVariantList loadMacroIniConfig(QVariant name);
    void setMacroIniConfig(QVariant name, QVariantList config);
    void setMacroIndex(QVariant name, QVariant macroIndex);
    void setGunIndex(QVariant name, QVariant gunIndex);
    void setMacroType(QVariant name, QVariant macroType);
    void changeMacroFileIndex(QVariant macroIndex);
    void changeMacroFileType(QVariant macroIndex, QVariant macroType);
    void changeGunFileIndex(QVariant gunIndex);

    // Name lists and gun data.
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariantList getNameList(QVariant type);
    void saveGundata(QVariantList src6);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();

    // Language files.
    QVariantMap chkLanguages();
    QStringList getGlobalStrings(QVariant type, QString langCode);
    QStringList getProductLayoutStrings_Z5(QString langCode);

    // Import and export.
    bool loadProfile(int profile);
    void saveProfile(int profile);
    QVariant loadMacroIniFromFile(QVariant name);
    void saveMacroIniToFile(QVariant name);
    QString getCustomFilePath();

    // Device operations.
    void syncFW();
    void clearHidBusy();
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(
        uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0DH_SetKeyMatrix(QVariantList src512);
    void ui_0EH_SetKeyOnOff(QVariantList src21);
    void ui_0EH_SetXYSensitive(QVariant par0, QVariant par1);
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    QString ui_80H_GetFWVersion();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8DH_GetKeyMatrix();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_91H_GetMacroKey(uchar macroId);
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);
    QVariant getSensorType();
    bool chkIsLogoLedWork();
    bool getMsgAns_FoolProofing();
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex);
    void ui_11H_SetDPISelect(QVariantList valueForIndex);
    void ui_12H_SetKeyMatrix(QVariantList src64);
    void ui_12H_SetGunKeyMatrix(QVariantList src64);
    QVariant ui_8BH_GetCurrentDPIStage();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    uchar ui_91H_SyncDPI();
    void openUpdateExe();
    // Whether openUpdateExe has an updater to start.
    bool isUpdaterInstalled();
    // The program's version, as the build gives it.
    QString getVersion();
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_91H_GetDPISelect();
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_93H_GetMacroKey(uchar macroId);

    // Macro encoding.
    QVariant sendMacroData(QVariantList macroData, QVariant macroIndex);
    QVariant sendGunData(QVariantList gunData, QVariant gunIndex);
    QList<uchar> macroIncode(QStringList macros);
    void ui_11H_SetMacroKey(QVariant macroId, QVariant name);
    void ui_13H_SetMacroKey(QVariant macroId, QVariant name);

    // Key name table.
    QVariantList getKeydefine(QVariant matrixId);

    // Pointer settings.
    void setScrollPinSwap(bool isSwap);
    void setAcceleration(bool acceleration);
    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);
    bool getScrollPinSwap();
    bool getAcceleration();
    uint getCursorSpeed();
    uint getVerticalScrollLines();
    uint getDoubleClickSpeed();
    // False where the desktop has no wheel scroll lines setting of its own.
    bool hasSystemScrollLines();

protected:
    bool event(QEvent *event) override;

private:
    void invokeDocument(const char *function, const QVariantList &arguments = {});

    bool enableAudio = true;
    bool inputEnabled = true;
    AppSettings *appConfig;
    ProfileSet *profileSet;
    int currentProfile = 0;
    QStringList msgTexts;

    // --- members added by the concern files below this line ---
    // Profiles: writes one value into the current profile and brings it to disk.
    bool storeInProfile(const QString &key, const QVariant &value);
    bool storeInProfile(const QList<QPair<QString, QVariant>> &values);
    // Profiles: a replaced profile file gives the system its values anew.
    bool profileReplaced(bool replaced);
    // Pointer settings: gives the system the stored steps of the current profile.
    void applyStoredPointerSettings();
    // Pointer settings: the next set of each value reaches the system even when unchanged.
    void forgetAppliedPointerSettings();
    bool applyPointerStep(const char *key, uint step);
    // Pointer settings: the step each setting last gave the system, in which profile.
    QHash<QByteArray, uint> appliedPointerSteps;
    int appliedPointerProfile = -1;
    // Write results: a failure is told once, and the pages go back to what is stored.
    bool noteSaved(bool saved);
    bool saveFailing = false;
    bool storedValuesQueued = false;
};
