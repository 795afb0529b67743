#pragma once

#include <QList>
#include <QMutex>
#include <QRandomGenerator>
#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "device/commandqueue.h"
#include "device/devicetable.h"

class HidBackend;
class LinkOwner;

// The device link. Its slots may be called from any thread; every command
// runs, in the order the slots were called, on the link's one worker thread,
// which alone talks to the HID backend. Set commands return at once; getters
// block their caller, without processing its events, until their answer is in.
// Each command fills the command buffer (and the data area), runs one transfer
// and copies results out, all on the worker.
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

    // How long shutdown lets waiting commands reach the device.
    static constexpr int drainMs = CommandQueue::defaultDrainMs;
    // A getter stops waiting when the link has not moved for this long.
    static constexpr int stallMs = pollSteps * pollIntervalMs;

    explicit Hid_Thread(QObject *parent = nullptr);
    // Shuts the link down: see shutdown.
    ~Hid_Thread() override;

    void setOwner(LinkOwner *owner) { linkOwner = owner; }
    // The last handshake was answered; a failed one, or forgetDevice, clears it.
    bool isDeviceReady() const { return deviceReady.load(); }
    // The device left: the link stops and no device is ready until the next handshake.
    void forgetDevice();
    // Report scrambling (the device table's common/isEncode) for the commands issued from now on.
    void setEncode(bool on) { encode = on; }
    bool isEncoding() const { return encode.load(); }
    // The 8 bytes commands are scrambled with: 1..6 from the last handshake's code, 0 and 7 zero.
    QByteArray secrecyCode() const;
    // Replaces the process default (hidapi or SKELDA_VIRTUAL_DEVICE) for this link.
    void setBackend(std::shared_ptr<HidBackend> backend);
    std::shared_ptr<HidBackend> backend();
    // Where the handshake draws its four bytes; null restores the system generator.
    void setRandomSource(std::function<quint32()> source);

    // Runs discovery in its turn after the commands already issued.
    void enumerateDevices(const QList<DeviceRecord> &records);
    QList<DeviceEntry> devices() const;
    // The entry that commands issued from now on go to.
    int currentDeviceId() const;
    bool isLinkStarted() const { return linkStarted.load(); }
    // No command is waiting or running.
    bool isLinkFree() const { return commands.isIdle(); }
    void stopLink();
    // Frees a stuck link: callers waiting for a getter give up at once (its fail line, outputs
    // unchanged) instead of waiting for a transfer that does not come back.
    void releaseLink();
    // Blocks until every command issued so far has ended.
    void waitForPoolTransfer();
    // Takes no more commands, lets the waiting ones reach the device for up to drainMs (the
    // rest log their fail lines), then waits for the running transfer. Later commands log
    // their fail lines and leave their outputs unchanged.
    void shutdown();
    // Writes that a newer one of the same kind replaced while both were waiting.
    int mergedWrites() const { return commands.mergedCount(); }
    // Transfers that ended in failure since the link was made.
    int failedTransfers() const { return transferFailures.load(); }

    // Looks, in its turn after the commands already issued, whether the current entry's
    // command interface is still on the bus; when it is gone, deviceLost follows.
    void checkPresence();

    // The getters below, telling whether the device answered: a caller that writes back what
    // it read must not write a preset.
    bool readReportRate(uchar &rate);
    bool readFunctionOption(uchar &type, uchar &option1, uchar &option2);
    bool readUserPicture(uchar index, uchar *src512);

signals:
    // The backend saw a device come or go (backends that know it themselves; queued).
    void devicesChanged();
    // A command or a presence check found the device gone while the link was started. Emitted
    // on the worker, once per started link: connect it queued.
    void deviceLost();

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
    // What keeps the link after a write: nothing, 8 ms after the transfer, or until 8 ms
    // after the command began (the rest ran beside the transfer).
    enum class Rest { None, AfterTransfer, SinceStart };

    // How a set command travels beside its frame (bytes 2..7 of the payload).
    struct SendOptions
    {
        const uchar *block = nullptr;
        int blockLength = 0;
        // 128 ms after the frame and again after the block.
        bool pauses = true;
        Rest rest = Rest::None;
        // Part of the device state the write replaces whole (a stage count, a slot); none
        // when a later write of the same kind does not make this one redundant.
        std::optional<uchar> replaces = 0;

        SendOptions withBlock(const uchar *bytes, int length) const
        {
            SendOptions options = *this;
            options.block = bytes;
            options.blockLength = length;
            return options;
        }
        SendOptions withoutPause() const
        {
            SendOptions options = *this;
            options.pauses = false;
            return options;
        }
        SendOptions resting(Rest after) const
        {
            SendOptions options = *this;
            options.rest = after;
            return options;
        }
        SendOptions replacing(uchar part) const
        {
            SendOptions options = *this;
            options.replaces = part;
            return options;
        }
        SendOptions neverMerged() const
        {
            SendOptions options = *this;
            options.replaces = std::nullopt;
            return options;
        }
    };

    // What a getter sends and presets; the answer and data area as the transfer left them.
    struct Query
    {
        uchar code = 0;
        uchar payload[6] = {};
        bool checksum = true;
        uchar answer[commandSize] = {};
        int dataLength = 0;
        uchar data[dataAreaSize] = {};
        bool ok = false;
    };

    // Where a command goes and how it is scrambled, fixed when it is issued.
    struct Target
    {
        int device = 0;
        bool encode = false;
        uchar secrecy[8] = {};
    };

    void adoptBackend(std::shared_ptr<HidBackend> backend);
    void *openCommandInterface(int did);
    // Worker: whether did's command interface is on the bus; when it is, its path is taken
    // afresh (a device plugged in again may have another one).
    bool findCommandInterface(int did);
    // Worker: did's device is gone; its path is dropped and, while the link is started, the
    // loss is told once.
    void markGone(int did);
    void closeCommandInterface();
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
    // Closes the interface, the last act of every transfer.
    bool endTransfer(bool ok);
    // A device call ended: the link moves.
    bool moved(bool ok);
    Target issueTarget() const;

    static Query queryOf(uchar code, std::initializer_list<uchar> payload = {});
    void buildCommand(uchar code, std::initializer_list<uchar> payload);
    void sendCommand(const char *failLine, uchar code, std::initializer_list<uchar> payload,
        const SendOptions &options);
    // Paused, no rest, merged with a waiting write of the same kind.
    void sendCommand(const char *failLine, uchar code, std::initializer_list<uchar> payload);
    // Runs query in its turn and waits; false, after logging failLine, when it never ran.
    bool ask(Query &query, const char *failLine = "cmd Failed");
    // Echo preset: the code in byte 1 and the outputs' own values from byte first on, so a
    // failed read hands them back; the answer is copied to the outputs either way. True when
    // the device answered.
    bool readEchoed(Query &query, int first, std::initializer_list<uchar *> outputs);
    // The data area preset from block, read, and always copied back. True when the device
    // answered.
    bool readIntoBlock(Query &query, uchar *block, int length);

    LinkOwner *linkOwner = nullptr;
    // Written on the worker only; read elsewhere under stateLock.
    mutable QMutex stateLock;
    std::shared_ptr<HidBackend> hidBackend;
    QList<DeviceEntry> deviceList;
    QList<DeviceRecord> deviceRecords;
    std::atomic<int> currentDevice {1};
    std::atomic<bool> linkStarted {false};
    std::atomic<bool> deviceReady {false};
    std::atomic<bool> encode {false};
    // Under stateLock.
    uchar secrecy[8] = {};
    // The loss of the started link was told.
    std::atomic<bool> lossTold {false};
    std::atomic<int> transferFailures {0};
    // Worker-only: the command running now, its buffers and the interface it holds open.
    Target target;
    void *commandHandle = nullptr;
    uchar commandBuffer[commandSize] = {};
    uchar answerBuffer[commandSize] = {};
    uchar dataArea[dataAreaSize] = {};
    std::function<quint32()> randomSource = [] { return QRandomGenerator::global()->generate(); };
    // Last, so it is gone before the state its commands use.
    CommandQueue commands;
};
