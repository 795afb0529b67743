#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QThread>

#include <memory>

#include "device/hidbackend.h"

class Hid_Thread;

// A firmware model of the mouse (record 1) and the legacy keyboard (record 0)
// behind the HID seam. It keeps what the set commands send, answers every
// getter from that state, logs every call with a timestamp and can be told
// to fail. Safe to call from several threads (pool transfers use it too).
//
// Protocol it follows: a 9-byte feature report carries a command (descrambled
// first when its scrambling is on); bulk writes arrive as output
// reports of reportLength + 1 bytes; a getter's answer is fetched with a
// feature-in report (scrambled when scrambling is on and no block follows) and
// its block is queued as input reports of reportLength bytes. Command 03H
// with 01 0F 8A 4D is the start command on both devices and is not stored.
class VirtualHidBackend : public HidBackend
{
public:
    enum class Attached { None, Keyboard, Mouse, Both };
    enum class Fault {
        Unplugged, // enumeration empty, every open fails (unplug() also tells the listener)
        OpenFails, // enumeration still lists the device
        FeatureOutFails,
        FeatureInFails,
        BulkWriteFails, // every output report
        BulkReadFails, // every input report
        ReadNeverAnswers, // input reads wait for their whole time-out
        WrongEcho, // the 00H handshake answer differs from what was sent
        Stalls, // feature reports out and output reports hang until the fault is cleared
    };
    enum class Operation { Enumerate, Open, Close, FeatureOut, FeatureIn, Out, In };

    // One backend call as the device saw it.
    struct Call
    {
        Operation operation = Operation::Enumerate;
        qint64 startNs = 0; // since the backend was built
        qint64 endNs = 0;
        QByteArray bytes; // whole report as passed or returned, report id included for reports out
        QByteArray path; // open: the path; enumerate: vid and pid as 4 bytes big-endian
        bool ok = false;
        Qt::HANDLE thread = nullptr;
    };

    struct MouseState
    {
        uchar reportRate = 0x01;
        uchar functionType = 0;
        uchar functionOption1 = 0; // bit 6: wheel direction swapped
        uchar functionOption2 = 0;
        QByteArray gunData = QByteArray(5, 0);
        uchar xSensitivity = 0;
        uchar ySensitivity = 0;
        uchar dpiStage = 0;
        uchar dpiMaxStage = 6;
        QByteArray dpiSet = QByteArray::fromHex("0307090f1d3b0000");
        QMap<uchar, QByteArray> ledInstruct; // type -> 3 option bytes
        uchar effect = 0;
        uchar effectOption1 = 0;
        uchar effectOption2 = 0;
        QMap<uchar, QByteArray> stageColors; // type -> 4 or 24 bytes
        QMap<uchar, QByteArray> keyMatrices; // indexAddOne -> 64 bytes
        QMap<uchar, QByteArray> macros; // macroId -> 128 bytes
        bool wheelSwapped() const { return functionOption1 & 0x40; }
    };

    struct KeyboardState
    {
        uchar reportRate = 0x01;
        uchar profile = 0;
        QByteArray options = QByteArray(4, 0);
        QByteArray buttonSensitivity = QByteArray::fromHex("05050505");
        QByteArray gunData = QByteArray(5, 0);
        uchar xSensitivity = 0;
        uchar ySensitivity = 0;
        uchar indicatorEffect = 0;
        uchar indicatorFrequency = 0;
        QByteArray ledType = QByteArray(6, 0); // option, effect, speed, light, colour, direction
        uchar mode = 0;
        QByteArray keyMatrix = QByteArray(512, 0);
        QByteArray keyOnOff = QByteArray(21, 0);
        QMap<uchar, QByteArray> macros; // macroId -> 192 bytes
        QMap<uchar, QByteArray> pictures; // index -> 512 bytes
        QMap<uchar, uchar> pictureOptions;
        QMap<uchar, QByteArray> colors; // index -> r, g, b
        int recoveries = 0;
    };

    // What any device counts, for checks that the host spoke correctly.
    struct Counters
    {
        int startCommands = 0;
        int badChecksums = 0; // 8DH is sent without checksum and not counted
        int unknownCommands = 0;
        int strayReports = 0; // output reports with no bulk write pending
    };

    static constexpr quint16 vendorId = 0x04d9;
    static constexpr quint16 mouseProductId = 0xa1ee;
    static constexpr quint16 keyboardProductId = 0x8008;
    static constexpr int mouseReportLength = 32;
    static constexpr int keyboardReportLength = 64;
    static const QByteArray mouseCommandPath;
    static const QByteArray mouseEventPath;
    static const QByteArray keyboardCommandPath;
    static const QByteArray keyboardEventPath;

    explicit VirtualHidBackend(Attached attached = Attached::Mouse);
    ~VirtualHidBackend() override;

    // Makes a virtual device the backend of link, which then never reaches hidapi.
    static std::shared_ptr<VirtualHidBackend> installInto(
        Hid_Thread &link, Attached attached = Attached::Mouse);

    // Takes the attached devices off the bus and back, as a cable would: open handles die,
    // enumeration finds nothing, the firmware keeps its state. Each call tells the listener.
    void unplug();
    void plug();
    bool isPlugged() const;
    void setChangeListener(std::function<void()> listener) override;

    void setAttached(Attached attached);
    Attached attached() const;
    void setFault(Fault fault, bool on = true);
    // The next count opens fail while the device stays listed, as a busy or slow bus does.
    void failNextOpens(int count);
    void clearFaults();
    bool hasFault(Fault fault) const;

    QList<Call> calls() const;
    QList<Call> calls(Operation operation) const;
    void clearCalls();
    qint64 elapsedNs() const;

    MouseState mouse() const;
    void setMouse(const MouseState &state);
    KeyboardState keyboard() const;
    void setKeyboard(const KeyboardState &state);
    Counters mouseCounters() const;
    Counters keyboardCounters() const;

    // The device's copy of the six-character secrecy code (default "418263").
    void setSecrecyCode(const QByteArray &code);
    // Scrambled frames both ways (off by default, as the shipped device table has it).
    void setScrambling(bool on);
    void setFirmwareVersion(uchar major, uchar minor);

protected:
    QList<HidInterfaceInfo> doEnumerate(quint16 vid, quint16 pid) override;
    HidHandle doOpen(const QByteArray &path) override;
    int doSendFeatureReport(HidHandle handle, const uchar *data, int length) override;
    int doGetFeatureReport(HidHandle handle, uchar *data, int length) override;
    int doWrite(HidHandle handle, const uchar *data, int length) override;
    int doRead(HidHandle handle, uchar *data, int length, int timeoutMs) override;
    void doClose(HidHandle handle) override;

private:
    struct Firmware;
    struct OpenInterface;

    Firmware *firmwareFor(HidHandle handle) const;
    bool present(const Firmware &firmware) const;
    void waitWhileStalled() const;
    void log(Operation operation, qint64 startNs, const QByteArray &bytes, bool ok,
        const QByteArray &path = {});
    void runCommand(Firmware &firmware, const uchar *command);
    void runMouseCommand(Firmware &firmware, const uchar *command);
    void runKeyboardCommand(Firmware &firmware, const uchar *command);
    void finishBulkWrite(Firmware &firmware);
    void answer(Firmware &firmware, const uchar *command,
        std::initializer_list<std::pair<int, uchar>> bytes, const QByteArray &block = {});

    mutable QMutex mutex;
    QElapsedTimer clock;
    Attached attachedDevices;
    quint32 faultMask = 0;
    QList<Call> callLog;
    std::unique_ptr<Firmware> mouseFirmware;
    std::unique_ptr<Firmware> keyboardFirmware;
    QList<OpenInterface *> openInterfaces;
    QByteArray secrecy = "418263";
    bool scrambling = false;
    bool plugged = true;
    int opensToFail = 0;
    std::function<void()> changeListener;
    uchar versionMajor = 0x01;
    uchar versionMinor = 0x0A;
};
