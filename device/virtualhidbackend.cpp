#include "device/virtualhidbackend.h"

#include <QMutexLocker>

#include <algorithm>
#include <cstring>

#include "device/hid_thread.h"
#include "device/scrambling.h"

const QByteArray VirtualHidBackend::mouseCommandPath = "virtual/mouse/command";
const QByteArray VirtualHidBackend::mouseEventPath = "virtual/mouse/event";
const QByteArray VirtualHidBackend::keyboardCommandPath = "virtual/keyboard/command";
const QByteArray VirtualHidBackend::keyboardEventPath = "virtual/keyboard/event";

namespace {
const QByteArray mousePointerPath = "virtual/mouse/pointer";
const QByteArray keyboardKeysPath = "virtual/keyboard/keys";
constexpr uchar startPayload[4] = {0x01, 0x0F, 0x8A, 0x4D};
constexpr int neverAnsweredCapMs = 1000;

QByteArray bytesOf(const uchar *data, int length)
{
    return length > 0 ? QByteArray(reinterpret_cast<const char *>(data), length) : QByteArray();
}

QByteArray orZeros(const QByteArray &stored, int length)
{
    QByteArray block = stored.left(length);
    block.append(QByteArray(length - block.size(), '\0'));
    return block;
}
} // namespace

struct VirtualHidBackend::Firmware
{
    bool isMouse = true;
    int reportLength = 0;
    QByteArray commandPath;
    QByteArray eventPath;
    QByteArray extraPath;
    quint16 productId = 0;
    MouseState mouse;
    KeyboardState keyboard;
    Counters counters;
    uchar answer[9] = {};
    uchar pendingCommand[9] = {};
    int pendingLength = 0;
    QByteArray received;
    QList<QByteArray> inputReports;
};

struct VirtualHidBackend::OpenInterface
{
    Firmware *firmware = nullptr;
    bool commandInterface = false;
};

VirtualHidBackend::VirtualHidBackend(Attached attached)
    : attachedDevices(attached)
    , mouseFirmware(std::make_unique<Firmware>())
    , keyboardFirmware(std::make_unique<Firmware>())
{
    clock.start();
    mouseFirmware->isMouse = true;
    mouseFirmware->reportLength = mouseReportLength;
    mouseFirmware->commandPath = mouseCommandPath;
    mouseFirmware->eventPath = mouseEventPath;
    mouseFirmware->extraPath = mousePointerPath;
    mouseFirmware->productId = mouseProductId;
    keyboardFirmware->isMouse = false;
    keyboardFirmware->reportLength = keyboardReportLength;
    keyboardFirmware->commandPath = keyboardCommandPath;
    keyboardFirmware->eventPath = keyboardEventPath;
    keyboardFirmware->extraPath = keyboardKeysPath;
    keyboardFirmware->productId = keyboardProductId;
}

VirtualHidBackend::~VirtualHidBackend()
{
    qDeleteAll(openInterfaces);
}

std::shared_ptr<VirtualHidBackend> VirtualHidBackend::installInto(
    Hid_Thread &link, Attached attached)
{
    auto device = std::make_shared<VirtualHidBackend>(attached);
    link.setBackend(device);
    return device;
}

void VirtualHidBackend::unplug()
{
    std::function<void()> listener;
    {
        QMutexLocker lock(&mutex);
        plugged = false;
        listener = changeListener;
    }
    if (listener)
        listener();
}

void VirtualHidBackend::plug()
{
    std::function<void()> listener;
    {
        QMutexLocker lock(&mutex);
        plugged = true;
        listener = changeListener;
    }
    if (listener)
        listener();
}

bool VirtualHidBackend::isPlugged() const
{
    QMutexLocker lock(&mutex);
    return plugged;
}

void VirtualHidBackend::setChangeListener(std::function<void()> listener)
{
    QMutexLocker lock(&mutex);
    changeListener = std::move(listener);
}

void VirtualHidBackend::setAttached(Attached attached)
{
    QMutexLocker lock(&mutex);
    attachedDevices = attached;
}

VirtualHidBackend::Attached VirtualHidBackend::attached() const
{
    QMutexLocker lock(&mutex);
    return attachedDevices;
}

void VirtualHidBackend::setFault(Fault fault, bool on)
{
    QMutexLocker lock(&mutex);
    const quint32 bit = 1u << int(fault);
    faultMask = on ? (faultMask | bit) : (faultMask & ~bit);
}

void VirtualHidBackend::failNextOpens(int count)
{
    QMutexLocker lock(&mutex);
    opensToFail = count;
}

void VirtualHidBackend::clearFaults()
{
    QMutexLocker lock(&mutex);
    faultMask = 0;
}

bool VirtualHidBackend::hasFault(Fault fault) const
{
    QMutexLocker lock(&mutex);
    return faultMask & (1u << int(fault));
}

QList<VirtualHidBackend::Call> VirtualHidBackend::calls() const
{
    QMutexLocker lock(&mutex);
    return callLog;
}

QList<VirtualHidBackend::Call> VirtualHidBackend::calls(Operation operation) const
{
    QMutexLocker lock(&mutex);
    QList<Call> selected;
    for (const Call &call : callLog)
        if (call.operation == operation)
            selected.append(call);
    return selected;
}

void VirtualHidBackend::clearCalls()
{
    QMutexLocker lock(&mutex);
    callLog.clear();
}

qint64 VirtualHidBackend::elapsedNs() const
{
    return clock.nsecsElapsed();
}

VirtualHidBackend::MouseState VirtualHidBackend::mouse() const
{
    QMutexLocker lock(&mutex);
    return mouseFirmware->mouse;
}

void VirtualHidBackend::setMouse(const MouseState &state)
{
    QMutexLocker lock(&mutex);
    mouseFirmware->mouse = state;
}

VirtualHidBackend::KeyboardState VirtualHidBackend::keyboard() const
{
    QMutexLocker lock(&mutex);
    return keyboardFirmware->keyboard;
}

void VirtualHidBackend::setKeyboard(const KeyboardState &state)
{
    QMutexLocker lock(&mutex);
    keyboardFirmware->keyboard = state;
}

VirtualHidBackend::Counters VirtualHidBackend::mouseCounters() const
{
    QMutexLocker lock(&mutex);
    return mouseFirmware->counters;
}

VirtualHidBackend::Counters VirtualHidBackend::keyboardCounters() const
{
    QMutexLocker lock(&mutex);
    return keyboardFirmware->counters;
}

void VirtualHidBackend::setSecrecyCode(const QByteArray &code)
{
    QMutexLocker lock(&mutex);
    secrecy = code;
}

void VirtualHidBackend::setScrambling(bool on)
{
    QMutexLocker lock(&mutex);
    scrambling = on;
}

void VirtualHidBackend::setFirmwareVersion(uchar major, uchar minor)
{
    QMutexLocker lock(&mutex);
    versionMajor = major;
    versionMinor = minor;
}

bool VirtualHidBackend::present(const Firmware &firmware) const
{
    if (!plugged || (faultMask & (1u << int(Fault::Unplugged))))
        return false;
    if (attachedDevices == Attached::Both)
        return true;
    return firmware.isMouse ? attachedDevices == Attached::Mouse
                            : attachedDevices == Attached::Keyboard;
}

VirtualHidBackend::Firmware *VirtualHidBackend::firmwareFor(HidHandle handle) const
{
    OpenInterface *opened = static_cast<OpenInterface *>(handle);
    if (!openInterfaces.contains(opened) || !opened->commandInterface
        || !present(*opened->firmware))
        return nullptr;
    return opened->firmware;
}

void VirtualHidBackend::log(
    Operation operation, qint64 startNs, const QByteArray &bytes, bool ok, const QByteArray &path)
{
    callLog.append(
        {operation, startNs, clock.nsecsElapsed(), bytes, path, ok, QThread::currentThreadId()});
}

QList<HidInterfaceInfo> VirtualHidBackend::doEnumerate(quint16 vid, quint16 pid)
{
    const qint64 start = clock.nsecsElapsed();
    QMutexLocker lock(&mutex);
    QList<HidInterfaceInfo> found;
    for (const Firmware *firmware : {keyboardFirmware.get(), mouseFirmware.get()}) {
        if (vid != vendorId || pid != firmware->productId || !present(*firmware))
            continue;
        if (firmware->isMouse) {
            found.append({firmware->extraPath, 0x0001, 0x0002});
            found.append({firmware->commandPath, 0xff00, 0xff00});
            found.append({firmware->eventPath, 0xff01, 0xff01});
        } else {
            found.append({firmware->extraPath, 0x0001, 0x0006});
            found.append({firmware->commandPath, 0xff01, 0x0001});
            found.append({firmware->eventPath, 0xff02, 0x0001});
        }
    }
    const uchar ids[4] = {uchar(vid >> 8), uchar(vid), uchar(pid >> 8), uchar(pid)};
    log(Operation::Enumerate, start, {}, !found.isEmpty(), bytesOf(ids, 4));
    return found;
}

HidHandle VirtualHidBackend::doOpen(const QByteArray &path)
{
    const qint64 start = clock.nsecsElapsed();
    QMutexLocker lock(&mutex);
    OpenInterface *opened = nullptr;
    const bool failOnce = opensToFail > 0;
    if (failOnce)
        --opensToFail;
    if (!failOnce && !(faultMask & (1u << int(Fault::OpenFails)))) {
        for (Firmware *firmware : {keyboardFirmware.get(), mouseFirmware.get()}) {
            if (!present(*firmware))
                continue;
            if (path == firmware->commandPath || path == firmware->eventPath
                || path == firmware->extraPath) {
                opened = new OpenInterface {firmware, path == firmware->commandPath};
                openInterfaces.append(opened);
            }
        }
    }
    log(Operation::Open, start, {}, opened != nullptr, path);
    return opened;
}

void VirtualHidBackend::doClose(HidHandle handle)
{
    const qint64 start = clock.nsecsElapsed();
    QMutexLocker lock(&mutex);
    OpenInterface *opened = static_cast<OpenInterface *>(handle);
    const bool known = openInterfaces.removeOne(opened);
    if (known)
        delete opened;
    log(Operation::Close, start, {}, known);
}

void VirtualHidBackend::waitWhileStalled() const
{
    while (hasFault(Fault::Stalls))
        QThread::msleep(1);
}

int VirtualHidBackend::doSendFeatureReport(HidHandle handle, const uchar *data, int length)
{
    const qint64 start = clock.nsecsElapsed();
    waitWhileStalled();
    QMutexLocker lock(&mutex);
    Firmware *firmware = firmwareFor(handle);
    const bool ok = firmware && length == 9 && !(faultMask & (1u << int(Fault::FeatureOutFails)));
    if (ok) {
        uchar command[9];
        std::memcpy(command, data, 9);
        if (scrambling) {
            uchar code[8] = {};
            for (int k = 0; k < 6 && k < secrecy.size(); ++k)
                code[k + 1] = uchar(secrecy.at(k));
            Scrambling::decipher(command + 1, code);
        }
        runCommand(*firmware, command);
    }
    log(Operation::FeatureOut, start, bytesOf(data, length), ok);
    return ok ? length : -1;
}

int VirtualHidBackend::doGetFeatureReport(HidHandle handle, uchar *data, int length)
{
    const qint64 start = clock.nsecsElapsed();
    QMutexLocker lock(&mutex);
    Firmware *firmware = firmwareFor(handle);
    const bool ok = firmware && length >= 1 && !(faultMask & (1u << int(Fault::FeatureInFails)));
    int count = -1;
    if (ok) {
        count = qMin(length, 9);
        std::memcpy(data + 1, firmware->answer + 1, size_t(count - 1));
        data[0] = 0x00;
    }
    log(Operation::FeatureIn, start, ok ? bytesOf(data, count) : QByteArray(), ok);
    return count;
}

int VirtualHidBackend::doWrite(HidHandle handle, const uchar *data, int length)
{
    const qint64 start = clock.nsecsElapsed();
    waitWhileStalled();
    QMutexLocker lock(&mutex);
    Firmware *firmware = firmwareFor(handle);
    const bool ok = firmware && length >= 1 && !(faultMask & (1u << int(Fault::BulkWriteFails)));
    if (ok) {
        if (firmware->pendingLength > firmware->received.size()) {
            const int wanted = firmware->pendingLength - int(firmware->received.size());
            const int carried = std::min({wanted, firmware->reportLength, length - 1});
            firmware->received.append(bytesOf(data + 1, carried));
            if (firmware->received.size() >= firmware->pendingLength)
                finishBulkWrite(*firmware);
        } else {
            ++firmware->counters.strayReports;
        }
    }
    log(Operation::Out, start, bytesOf(data, length), ok);
    return ok ? length : -1;
}

int VirtualHidBackend::doRead(HidHandle handle, uchar *data, int length, int timeoutMs)
{
    const qint64 start = clock.nsecsElapsed();
    QMutexLocker lock(&mutex);
    Firmware *firmware = firmwareFor(handle);
    if (!firmware || (faultMask & (1u << int(Fault::BulkReadFails)))) {
        log(Operation::In, start, {}, false);
        return -1;
    }
    if ((faultMask & (1u << int(Fault::ReadNeverAnswers))) || firmware->inputReports.isEmpty()) {
        // Nothing will arrive: the read lasts its whole time-out.
        lock.unlock();
        QThread::msleep(ulong(timeoutMs < 0 ? neverAnsweredCapMs : timeoutMs));
        lock.relock();
        log(Operation::In, start, {}, false);
        return 0;
    }
    const QByteArray report = firmware->inputReports.takeFirst();
    const int count = qMin(length, int(report.size()));
    std::memcpy(data, report.constData(), size_t(count));
    log(Operation::In, start, report.left(count), true);
    return count;
}

void VirtualHidBackend::answer(Firmware &firmware, const uchar *command,
    std::initializer_list<std::pair<int, uchar>> bytes, const QByteArray &block)
{
    std::memset(firmware.answer, 0, sizeof firmware.answer);
    firmware.answer[1] = command[1];
    for (const auto &[index, value] : bytes)
        firmware.answer[index] = value;
    firmware.answer[8] = Scrambling::checksum(firmware.answer + 1);
    for (int offset = 0; offset < block.size(); offset += firmware.reportLength)
        firmware.inputReports.append(
            orZeros(block.mid(offset, firmware.reportLength), firmware.reportLength));
    // The host unscrambles only answers that no block follows.
    if (scrambling && block.isEmpty()) {
        uchar code[8] = {};
        for (int k = 0; k < 6 && k < secrecy.size(); ++k)
            code[k + 1] = uchar(secrecy.at(k));
        Scrambling::encrypt(firmware.answer + 1, code);
    }
}

void VirtualHidBackend::runCommand(Firmware &firmware, const uchar *command)
{
    firmware.inputReports.clear();
    firmware.pendingLength = 0;
    firmware.received.clear();
    const bool unchecked = !firmware.isMouse && command[1] == 0x8D;
    if (!unchecked && command[8] != Scrambling::checksum(command + 1))
        ++firmware.counters.badChecksums;
    const uchar *c = command;
    switch (c[1]) {
    case 0x00: {
        const uchar flip = (faultMask & (1u << int(Fault::WrongEcho))) ? 0x5A : 0x00;
        answer(firmware, c, {{2, uchar(c[2] ^ flip)}, {3, c[3]}, {4, c[4]}, {5, c[5]}});
        return;
    }
    case 0x80:
        answer(firmware, c, {{2, versionMajor}, {3, versionMinor}});
        return;
    case 0x03:
        if (std::memcmp(c + 2, startPayload, 4) == 0) {
            ++firmware.counters.startCommands;
            return;
        }
        break;
    default:
        break;
    }
    if (firmware.isMouse)
        runMouseCommand(firmware, command);
    else
        runKeyboardCommand(firmware, command);
}

void VirtualHidBackend::runMouseCommand(Firmware &firmware, const uchar *c)
{
    MouseState &m = firmware.mouse;
    auto expectBlock = [&](int length) {
        std::memcpy(firmware.pendingCommand, c, 9);
        firmware.pendingLength = length;
    };
    switch (c[1]) {
    case 0x01:
        m.reportRate = c[2];
        break;
    case 0x03:
        m.functionType = c[2];
        m.reportRate = c[3];
        m.functionOption1 = c[4];
        m.functionOption2 = c[5];
        break;
    case 0x04:
        m.gunData = bytesOf(c + 2, 5);
        break;
    case 0x07:
        m.ledInstruct[c[2]] = bytesOf(c + 3, 3);
        break;
    case 0x0B:
        m.dpiStage = c[2];
        break;
    case 0x0D:
        m.effect = c[2];
        m.effectOption1 = c[3];
        m.effectOption2 = c[4];
        break;
    case 0x0E:
        m.xSensitivity = c[2];
        m.ySensitivity = c[3];
        break;
    case 0x10:
        expectBlock(c[3]);
        break;
    case 0x11:
        expectBlock(c[3]);
        break;
    case 0x12:
        expectBlock(c[3]);
        break;
    case 0x13:
        expectBlock(c[3]);
        break;
    case 0x81:
        answer(firmware, c, {{2, m.reportRate}});
        break;
    case 0x83:
        answer(firmware, c,
            {{2, m.functionType}, {3, m.reportRate}, {4, m.functionOption1},
                {5, m.functionOption2}});
        break;
    case 0x87: {
        const QByteArray options = orZeros(m.ledInstruct.value(c[2]), 3);
        answer(firmware, c,
            {{2, c[2]}, {3, uchar(options[0])}, {4, uchar(options[1])}, {5, uchar(options[2])}});
        break;
    }
    case 0x8B:
        answer(firmware, c, {{2, m.dpiStage}});
        break;
    case 0x8D:
        answer(firmware, c, {{2, m.effect}, {3, m.effectOption1}, {4, m.effectOption2}});
        break;
    case 0x90:
        answer(firmware, c, {{2, c[2]}}, orZeros(m.stageColors.value(c[2]), c[2] == 2 ? 4 : 24));
        break;
    case 0x91:
        answer(firmware, c, {{2, m.dpiMaxStage}}, orZeros(m.dpiSet, 8));
        break;
    case 0x92:
        answer(firmware, c, {{2, c[2]}}, orZeros(m.keyMatrices.value(c[2]), 64));
        break;
    case 0x93:
        answer(firmware, c, {{2, c[2]}}, orZeros(m.macros.value(c[2]), 128));
        break;
    default:
        ++firmware.counters.unknownCommands;
        break;
    }
}

void VirtualHidBackend::runKeyboardCommand(Firmware &firmware, const uchar *c)
{
    KeyboardState &k = firmware.keyboard;
    auto expectBlock = [&](int length) {
        std::memcpy(firmware.pendingCommand, c, 9);
        firmware.pendingLength = length;
    };
    switch (c[1]) {
    case 0x01:
        k.reportRate = c[2];
        break;
    case 0x02:
        k.profile = c[2];
        break;
    case 0x03:
        k.options = bytesOf(c + 2, 4);
        break;
    case 0x04:
        k.gunData = bytesOf(c + 2, 5);
        break;
    case 0x07:
        k.indicatorEffect = c[2];
        k.indicatorFrequency = c[3];
        break;
    case 0x08:
        k.ledType = bytesOf(c + 2, 6);
        break;
    case 0x09:
        k.mode = c[2];
        break;
    case 0x0D:
        expectBlock(c[4] * firmware.reportLength);
        break;
    case 0x0E:
        if (c[4] == 0x15) {
            expectBlock(0x15);
        } else {
            k.xSensitivity = c[2];
            k.ySensitivity = c[3];
        }
        break;
    case 0x11:
    case 0x12:
        expectBlock(c[4] * firmware.reportLength);
        break;
    case 0x13:
        if (c[2] == 0xFF) {
            const int recoveries = k.recoveries + 1;
            k = KeyboardState();
            k.recoveries = recoveries;
        }
        break;
    case 0x14:
        k.colors[c[3]] = bytesOf(c + 4, 3);
        break;
    case 0x81:
        answer(firmware, c, {{2, k.reportRate}});
        break;
    case 0x82:
        answer(firmware, c, {{2, k.profile}});
        break;
    case 0x83:
        answer(firmware, c,
            {{2, uchar(k.options[0])}, {3, uchar(k.options[1])}, {4, uchar(k.options[2])},
                {5, uchar(k.options[3])}});
        break;
    case 0x84: {
        const QByteArray s = orZeros(k.buttonSensitivity, 4);
        answer(
            firmware, c, {{2, uchar(s[0])}, {3, uchar(s[1])}, {4, uchar(s[2])}, {5, uchar(s[3])}});
        break;
    }
    case 0x88: {
        const QByteArray t = orZeros(k.ledType, 6);
        answer(firmware, c,
            {{2, uchar(t[0])}, {3, uchar(t[1])}, {4, uchar(t[2])}, {5, uchar(t[3])},
                {6, uchar(t[4])}, {7, uchar(t[5])}});
        break;
    }
    case 0x89:
        answer(firmware, c, {{2, k.mode}});
        break;
    case 0x8D:
        answer(firmware, c, {{4, 0x08}}, orZeros(k.keyMatrix, 512));
        break;
    case 0x8E:
        answer(firmware, c, {{4, 0x15}}, orZeros(k.keyOnOff, 21));
        break;
    case 0x91:
        answer(firmware, c, {{3, c[3]}, {4, 0x03}}, orZeros(k.macros.value(c[3]), 192));
        break;
    case 0x92:
        answer(firmware, c, {{3, c[3]}, {4, 0x08}}, orZeros(k.pictures.value(c[3]), 512));
        break;
    case 0x94: {
        const QByteArray rgb = orZeros(k.colors.value(c[3]), 3);
        answer(
            firmware, c, {{3, c[3]}, {4, uchar(rgb[0])}, {5, uchar(rgb[1])}, {6, uchar(rgb[2])}});
        break;
    }
    default:
        ++firmware.counters.unknownCommands;
        break;
    }
}

void VirtualHidBackend::finishBulkWrite(Firmware &firmware)
{
    const uchar *c = firmware.pendingCommand;
    const QByteArray block = firmware.received.left(firmware.pendingLength);
    firmware.pendingLength = 0;
    firmware.received.clear();
    if (firmware.isMouse) {
        MouseState &m = firmware.mouse;
        switch (c[1]) {
        case 0x10:
            m.stageColors[c[2]] = block;
            break;
        case 0x11:
            m.dpiMaxStage = c[2];
            m.dpiSet = block;
            break;
        case 0x12:
            m.keyMatrices[c[2]] = block;
            break;
        case 0x13:
            m.macros[c[2]] = block;
            break;
        default:
            break;
        }
        return;
    }
    KeyboardState &k = firmware.keyboard;
    switch (c[1]) {
    case 0x0D:
        k.keyMatrix = block;
        break;
    case 0x0E:
        k.keyOnOff = block;
        break;
    case 0x11:
        k.macros[c[3]] = block;
        break;
    case 0x12:
        k.pictures[c[3]] = block;
        k.pictureOptions[c[3]] = c[5];
        break;
    default:
        break;
    }
}
