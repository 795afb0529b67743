#include <QMetaMethod>
#include <QTest>

#include "device/hid_thread.h"

// The documents reach the link by slot name; names, order and return types are fixed.
class tst_Slots : public QObject
{
    Q_OBJECT

private slots:
    void fortyEightSlotsInOrder()
    {
        const QStringList expected {
            "swichCurDevice(uint)",
            "hidCS(uchar*)",
            "chkDeviceIsEnCode()",
            "USBDataEncryption(uchar[],uchar[])",
            "USBDataDecipher(uchar[],uchar[])",
            "hid_00H_GetSecrecyCode(uchar&,uchar&,uchar&,uchar&)",
            "hid_01H_SetReportRate(uchar)",
            "hid_02H_SetCurrentProfile(uchar)",
            "hid_03H_SetKeyboardoption(uchar,uchar,uchar,uchar)",
            "hid_04H_SetGunData(uchar,uchar,uchar,uchar,uchar)",
            "hid_07H_SetControlIndicatorLight(uchar,uchar)",
            "hid_08H_SetLEDType(uchar,uchar,uchar,uchar,uchar,uchar)",
            "hid_0DH_SetKeyMatrix(uchar*)",
            "hid_0EH_SetKeyOnOff(uchar*)",
            "hid_0EH_SetXYSensitive(uchar,uchar)",
            "hid_09H_SetKeyboardMode(uchar)",
            "hid_11H_SetMacroKey(uchar,uchar*)",
            "hid_12H_SetUserPicture(uchar,uchar,uchar*)",
            "hid_13H_SetRecoveryData()",
            "hid_14H_SetColor(uchar,uchar,uchar,uchar)",
            "hid_80H_GetFWVersion(QString&)",
            "hid_81H_GetReportRate(uchar&)",
            "hid_82H_GetCurrentProfile(uchar&)",
            "hid_83H_GetKeyboardoption(uchar&,uchar&,uchar&,uchar&)",
            "hid_84H_GetButtonSensitivity(uchar&,uchar&,uchar&,uchar&)",
            "hid_88H_GetLEDType(uchar&,uchar&,uchar&,uchar&,uchar&)",
            "hid_89H_GetKeyboardMode(uchar&)",
            "hid_8DH_GetKeyMatrix(uchar*)",
            "hid_8EH_GetKeyOnOff(uchar*)",
            "hid_91H_GetMacroKey(uchar,uchar*)",
            "hid_92H_GetUserPicture(uchar,uchar*)",
            "hid_94H_GetColor(uchar,uchar&,uchar&,uchar&)",
            "hid_03H_SetFunctionOption(uchar,uchar,uchar,uchar)",
            "hid_07H_SetLEDInstructFunction(uchar,uchar,uchar,uchar)",
            "hid_0BH_SetCurrentDPIStage(uchar)",
            "hid_0DH_SetRGBLedEffect(uchar,uchar,uchar)",
            "hid_10H_SetLED8StageColor(uchar,uchar*)",
            "hid_11H_SetDPISet(uchar,uchar*)",
            "hid_12H_SetKeyMatrix(uchar*,uchar)",
            "hid_13H_SetMacroKey(uchar,uchar*)",
            "hid_83H_GetFunctionOption(uchar&,uchar&,uchar&)",
            "hid_87H_GetLEDInstructFunction(uchar,uchar&,uchar&,uchar&)",
            "hid_8BH_GetCurrentDPIStage(uchar&)",
            "hid_8DH_GetRGBLedEffect(uchar&,uchar&,uchar&)",
            "hid_90H_GetLED8StageColor(uchar,uchar*)",
            "hid_91H_GetDPISet(uchar&,uchar*)",
            "hid_92H_GetKeyMatrix(uchar*)",
            "hid_93H_GetMacroKey(uchar,uchar*)",
        };
        const QMetaObject &meta = Hid_Thread::staticMetaObject;
        QStringList declared;
        QStringList signalList;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            // The link's own notices come first; the documents never call them.
            if (method.methodType() == QMetaMethod::Signal) {
                QVERIFY2(declared.isEmpty(), "a signal among the slots");
                signalList << QString::fromLatin1(method.methodSignature());
                continue;
            }
            QCOMPARE(method.methodType(), QMetaMethod::Slot);
            QCOMPARE(method.access(), QMetaMethod::Public);
            declared << QString::fromLatin1(method.methodSignature());
            const QByteArray name = method.name();
            const char *returns = name == "hidCS"                                         ? "uchar"
                : name == "hid_87H_GetLEDInstructFunction" || name == "hid_91H_GetDPISet" ? "bool"
                                                                                          : "void";
            QCOMPARE(method.typeName(), returns);
        }
        QCOMPARE(declared, expected);
        QCOMPARE(declared.size(), 48);
        QCOMPARE(signalList, QStringList({"devicesChanged()", "deviceLost()"}));
    }
};

QTEST_GUILESS_MAIN(tst_Slots)
#include "tst_slots.moc"
