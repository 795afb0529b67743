#pragma once

#include <QFuture>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

#include "device/devicetable.h"

class HidBackend;
class LinkOwner;

// The device link. A QThread that is never started: its slots run on the
// caller's thread and a few write transfers run on the global thread pool.
// Every command takes the link, fills the command buffer (and the data area),
// runs one transfer and copies results out; the transfer frees the link.
class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    static constexpr int commandSize = 9;
    static constexpr int dataAreaSize = 512;
    static constexpr int pollSteps = 255;
    static constexpr int pollIntervalMs = 8;
    static constexpr int reportGapMs = 8;
    static constexpr int pauseHalfMs = 64;
    static constexpr int readTimeoutMs = 1000;

    explicit Hid_Thread(QObject *parent = nullptr);
    // Waits for a transfer still running on the pool: it uses this object.
    ~Hid_Thread() override;

    void setOwner(LinkOwner *owner) { linkOwner = owner; }
    // Replaces the process default (hidapi or SKELDA_VIRTUAL_DEVICE) for this link.
    void setBackend(std::shared_ptr<HidBackend> backend);
    std::shared_ptr<HidBackend> backend();
    // Where the handshake draws its four bytes; null restores the system generator.
    void setRandomSource(std::function<quint32()> source);

    void enumerateDevices(const QList<DeviceRecord> &records);
    const QList<DeviceEntry> &devices() const { return deviceList; }
    int currentDeviceId() const { return currentDevice; }
    bool isLinkStarted() const { return linkStarted; }
    bool isLinkFree() const { return linkFree.load(); }
    void stopLink();
    void releaseLink();
    // Blocks until a transfer handed to the thread pool has ended.
    void waitForPoolTransfer();

public slots:
    void swichCurDevice(uint did);
    uchar hidCS(uchar *cmd);
    void chkDeviceIsEnCode();
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);
    void hid_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid_01H_SetReportRate(uchar rate);
    void hid_02H_SetCurrentProfile(uchar profile);
    void hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void hid_08H_SetLEDType(
        uchar option, uchar effect, uchar speed, uchar light, uchar color, uchar direction);
    void hid_0DH_SetKeyMatrix(uchar *src512);
    void hid_0EH_SetKeyOnOff(uchar *src21);
    void hid_0EH_SetXYSensitive(uchar par0, uchar par1);
    void hid_09H_SetKeyboardMode(uchar mode);
    void hid_11H_SetMacroKey(uchar macroId, uchar *src192);
    void hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512);
    void hid_13H_SetRecoveryData();
    void hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    void hid_80H_GetFWVersion(QString &version);
    void hid_81H_GetReportRate(uchar &rate);
    void hid_82H_GetCurrentProfile(uchar &profile);
    void hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4);
    void hid_88H_GetLEDType(
        uchar &effect, uchar &speed, uchar &light, uchar &color, uchar &direction);
    void hid_89H_GetKeyboardMode(uchar &mode);
    void hid_8DH_GetKeyMatrix(uchar *src512);
    void hid_8EH_GetKeyOnOff(uchar *src21);
    void hid_91H_GetMacroKey(uchar macroId, uchar *src192);
    void hid_92H_GetUserPicture(uchar index, uchar *src512);
    void hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue);
    void hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2);
    void hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2, uchar option3);
    void hid_0BH_SetCurrentDPIStage(uchar dpiStage);
    void hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid_10H_SetLED8StageColor(uchar type, uchar *src24);
    void hid_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2);
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2, uchar &option3);
    void hid_8BH_GetCurrentDPIStage(uchar &dpiStage);
    void hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2);
    void hid_90H_GetLED8StageColor(uchar type, uchar *src24);
    bool hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8);
    void hid_92H_GetKeyMatrix(uchar *src64);
    void hid_93H_GetMacroKey(uchar macroId, uchar *src128);

private:
    enum class Pause { No, Yes };
    enum class RunOn { Caller, Pool };

    void *openCommandInterface(int did);
    void closeCommandInterface();
    bool acquireLink();
    bool writeTransfer(int dataLength, bool pause);
    bool readTransfer(int dataLength);
    void quietPause();
    void startSequence(int did);
    // True when the device answered; the outputs follow the 00H copy rule either way.
    bool exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    bool hasEntry(int did) const { return did >= 0 && did < deviceList.size(); }
    int currentReportLength() const;
    // Report length for a block of dataLength bytes; 0 when the block cannot travel.
    int blockReportLength(int dataLength) const;
    // Closes the interface and frees the link, the last act of every transfer.
    bool endTransfer(bool ok);
    void freeLink() { linkFree.store(true); }

    // Shared shape of the set commands: payload bytes 2..7, optional block.
    void buildCommand(uchar code, std::initializer_list<uchar> payload);
    void sendCommand(const char *failLine, uchar code, std::initializer_list<uchar> payload,
        const uchar *block, int blockLength, bool pause, RunOn runOn, bool sleepAfter = false);
    // Shared shape of the getters: false when the link was not obtained.
    bool startRead(uchar code, std::initializer_list<uchar> payload);
    // Echo preset: the code in byte 1 and the outputs' own values from byte first on, so a
    // failed read hands them back; the answer is copied to the outputs either way.
    void readEchoed(int first, std::initializer_list<uchar *> outputs);
    // The data area preset from block, read, and always copied back.
    void readIntoBlock(uchar *block, int length);

    LinkOwner *linkOwner = nullptr;
    std::shared_ptr<HidBackend> hidBackend;
    QList<DeviceEntry> deviceList;
    int currentDevice = 1;
    void *commandHandle = nullptr;
    bool linkStarted = false;
    std::atomic<bool> linkFree {true};
    uchar commandBuffer[commandSize] = {};
    uchar answerBuffer[commandSize] = {};
    uchar dataArea[dataAreaSize] = {};
    QFuture<bool> poolTransfer;
    std::function<quint32()> randomSource = [] { return QRandomGenerator::global()->generate(); };
};
