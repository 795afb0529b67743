#include "device/hid_thread.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cstring>

#include "device/hidbackend.h"
#include "device/linkowner.h"
#include "device/scrambling.h"

namespace {
const QString defaultSecrecyCode = QStringLiteral("418263");
constexpr qint64 spunNs = 400000;

// At least ms and hardly more: a plain sleep on a busy system wakes late, so the
// last fraction of a millisecond is waited out awake.
void fixedSleep(int ms)
{
    QElapsedTimer clock;
    clock.start();
    const qint64 target = qint64(ms) * 1000000;
    if (target > spunNs)
        QThread::usleep(ulong((target - spunNs) / 1000));
    while (clock.nsecsElapsed() < target) { }
}
} // namespace

Hid_Thread::Hid_Thread(QObject *parent)
    : QThread(parent)
{
}

Hid_Thread::~Hid_Thread()
{
    shutdown();
}

void Hid_Thread::shutdown()
{
    commands.shutdown(drainMs);
    closeCommandInterface();
    QMutexLocker lock(&stateLock);
    if (hidBackend)
        hidBackend->setChangeListener(nullptr);
}

void Hid_Thread::setBackend(std::shared_ptr<HidBackend> backend)
{
    // In turn, so no transfer already issued sees its backend change under it.
    commands.call(
        [this, backend]() mutable {
            closeCommandInterface();
            QMutexLocker lock(&stateLock);
            adoptBackend(std::move(backend));
        },
        CommandQueue::waitForever);
}

std::shared_ptr<HidBackend> Hid_Thread::backend()
{
    QMutexLocker lock(&stateLock);
    if (!hidBackend)
        adoptBackend(HidBackend::processDefault());
    return hidBackend;
}

void Hid_Thread::adoptBackend(std::shared_ptr<HidBackend> backend)
{
    if (hidBackend)
        hidBackend->setChangeListener(nullptr);
    hidBackend = std::move(backend);
    if (hidBackend)
        hidBackend->setChangeListener([this] {
            QMetaObject::invokeMethod(this, &Hid_Thread::devicesChanged, Qt::QueuedConnection);
        });
}

void Hid_Thread::setRandomSource(std::function<quint32()> source)
{
    randomSource
        = source ? std::move(source) : [] { return QRandomGenerator::global()->generate(); };
}

void Hid_Thread::waitForPoolTransfer()
{
    commands.waitIdle(-1);
}

QList<DeviceEntry> Hid_Thread::devices() const
{
    QMutexLocker lock(&stateLock);
    return deviceList;
}

int Hid_Thread::currentDeviceId() const
{
    return currentDevice.load();
}

void Hid_Thread::enumerateDevices(const QList<DeviceRecord> &records)
{
    commands.call(
        [this, records] {
            const std::shared_ptr<HidBackend> hid = backend();
            QList<DeviceEntry> entries;
            int found = -1;
            for (int i = 0; i < records.size() && found < 0; ++i) {
                const DeviceRecord &record = records.at(i);
                entries.append({i, record.productName, record.type, QString(), QString(),
                    qint32(record.reportLength)});
                QString commandPath;
                QString eventPath;
                for (const HidInterfaceInfo &info : hid->enumerate(record.vid, record.pid)) {
                    if (info.usagePage == record.usagePage && info.usage == record.usage)
                        commandPath = QString::fromLocal8Bit(info.path);
                    if (info.usagePage == record.usagePage2 && info.usage == record.usage2)
                        eventPath = QString::fromLocal8Bit(info.path);
                    if (!commandPath.isEmpty() && !eventPath.isEmpty()) {
                        entries.last().commandPath = commandPath;
                        entries.last().eventPath = eventPath;
                        found = i;
                        break;
                    }
                }
                moved(true);
            }
            QMutexLocker lock(&stateLock);
            deviceList = entries;
            deviceRecords = records;
            if (found >= 0)
                currentDevice = found;
            // The current index must name an entry; a shorter list than before means nothing
            // was found.
            else if (!hasEntry(currentDevice) && !deviceList.isEmpty())
                currentDevice = int(deviceList.size()) - 1;
        },
        stallMs);
}

void *Hid_Thread::openCommandInterface(int did)
{
    if (!hasEntry(did) || deviceList.at(did).commandPath.isEmpty())
        return nullptr;
    closeCommandInterface();
    commandHandle = backend()->open(deviceList.at(did).commandPath.toLocal8Bit());
    moved(true);
    if (commandHandle)
        return commandHandle;
    // A re-enumerated device has a new path, and a busy bus fails an open now and then: one
    // more try under the path found now. The path stays while the device is listed.
    if (!findCommandInterface(did)) {
        markGone(did);
        return nullptr;
    }
    commandHandle = backend()->open(deviceList.at(did).commandPath.toLocal8Bit());
    moved(true);
    return commandHandle;
}

bool Hid_Thread::findCommandInterface(int did)
{
    if (!hasEntry(did) || did >= deviceRecords.size())
        return false;
    const DeviceRecord &record = deviceRecords.at(did);
    const QList<HidInterfaceInfo> interfaces = backend()->enumerate(record.vid, record.pid);
    moved(true);
    for (const HidInterfaceInfo &info : interfaces) {
        if (info.usagePage == record.usagePage && info.usage == record.usage) {
            QMutexLocker lock(&stateLock);
            deviceList[did].commandPath = QString::fromLocal8Bit(info.path);
            return true;
        }
    }
    return false;
}

void Hid_Thread::markGone(int did)
{
    if (hasEntry(did)) {
        QMutexLocker lock(&stateLock);
        deviceList[did].commandPath.clear();
    }
    if (linkStarted.load() && !lossTold.exchange(true))
        emit deviceLost();
}

void Hid_Thread::checkPresence()
{
    const int did = currentDevice.load();
    commands.post({[this, did] {
                       if (hasEntry(did) && !deviceList.at(did).commandPath.isEmpty()
                           && !findCommandInterface(did))
                           markGone(did);
                   },
        nullptr, 0});
}

void Hid_Thread::closeCommandInterface()
{
    if (!commandHandle)
        return;
    backend()->close(commandHandle);
    commandHandle = nullptr;
}

int Hid_Thread::currentReportLength() const
{
    return hasEntry(target.device) ? deviceList.at(target.device).reportLength : 0;
}

bool Hid_Thread::moved(bool ok)
{
    commands.progressed();
    return ok;
}

void Hid_Thread::quietPause()
{
    fixedSleep(pauseHalfMs);
    fixedSleep(pauseHalfMs);
}

bool Hid_Thread::writeTransfer(int dataLength, bool pause)
{
    const std::shared_ptr<HidBackend> hid = backend();
    if (!openCommandInterface(target.device))
        return endTransfer(false);
    if (target.encode)
        USBDataEncryption(commandBuffer + 1, target.secrecy);
    if (!openCommandInterface(target.device)
        || !moved(hid->sendFeatureReport(commandHandle, commandBuffer, commandSize) >= 0))
        return endTransfer(false);
    if (pause)
        quietPause();
    if (dataLength == 0)
        return endTransfer(true);
    const int reportLength = blockReportLength(dataLength);
    if (reportLength == 0)
        return endTransfer(false);
    const int chunk = qMin(dataLength, reportLength);
    QByteArray report(reportLength + 1, '\0');
    uchar *bytes = reinterpret_cast<uchar *>(report.data());
    for (int offset = 0; offset < dataLength; offset += chunk) {
        report.fill('\0');
        std::memcpy(bytes + 1, dataArea + offset, size_t(qMin(chunk, dataLength - offset)));
        if (!openCommandInterface(target.device)
            || !moved(hid->write(commandHandle, bytes, int(report.size())) >= 0))
            return endTransfer(false);
        fixedSleep(reportGapMs);
    }
    if (pause)
        quietPause();
    return endTransfer(true);
}

bool Hid_Thread::readTransfer(int dataLength)
{
    const std::shared_ptr<HidBackend> hid = backend();
    if (!openCommandInterface(target.device))
        return endTransfer(false);
    if (target.encode)
        USBDataEncryption(commandBuffer + 1, target.secrecy);
    answerBuffer[0] = 0x00;
    if (!openCommandInterface(target.device)
        || !moved(hid->sendFeatureReport(commandHandle, commandBuffer, commandSize) >= 0)
        || !openCommandInterface(target.device)
        || !moved(hid->getFeatureReport(commandHandle, answerBuffer, commandSize) >= 0))
        return endTransfer(false);
    if (dataLength == 0) {
        if (target.encode)
            USBDataDecipher(answerBuffer + 1, target.secrecy);
        return endTransfer(true);
    }
    const int reportLength = blockReportLength(dataLength);
    if (reportLength == 0)
        return endTransfer(false);
    const int chunk = qMin(dataLength, reportLength);
    QByteArray report(reportLength + 1, '\0');
    uchar *bytes = reinterpret_cast<uchar *>(report.data());
    for (int offset = 0; offset < dataLength; offset += chunk) {
        report.fill('\0');
        // Bounded, so a device that stops answering fails the read instead of hanging the program.
        if (!openCommandInterface(target.device)
            || !moved(hid->read(commandHandle, bytes, int(report.size()), readTimeoutMs) > 0))
            return endTransfer(false);
        std::memcpy(dataArea + offset, bytes, size_t(qMin(chunk, dataLength - offset)));
    }
    return endTransfer(true);
}

int Hid_Thread::blockReportLength(int dataLength) const
{
    const int reportLength = currentReportLength();
    // A zero report length would never advance through the block.
    return reportLength > 0 && dataLength <= dataAreaSize ? reportLength : 0;
}

bool Hid_Thread::endTransfer(bool ok)
{
    closeCommandInterface();
    if (!ok)
        ++transferFailures;
    // A transfer that breaks off with the interface open may have lost its device: the next
    // command must not be the first to find out.
    if (!ok && linkStarted.load() && hasEntry(target.device)
        && !deviceList.at(target.device).commandPath.isEmpty()
        && !findCommandInterface(target.device))
        markGone(target.device);
    return ok;
}

Hid_Thread::Target Hid_Thread::issueTarget() const
{
    Target issued;
    issued.device = currentDevice.load();
    issued.encode = encode.load();
    QMutexLocker lock(&stateLock);
    std::memcpy(issued.secrecy, secrecy, sizeof issued.secrecy);
    return issued;
}

void Hid_Thread::buildCommand(uchar code, std::initializer_list<uchar> payload)
{
    std::memset(commandBuffer, 0, sizeof commandBuffer);
    commandBuffer[1] = code;
    int index = 2;
    for (uchar byte : payload) {
        if (index > 7)
            break;
        commandBuffer[index++] = byte;
    }
    commandBuffer[8] = hidCS(commandBuffer + 1);
}

void Hid_Thread::sendCommand(const char *failLine, uchar code,
    std::initializer_list<uchar> payloadBytes, const SendOptions &options)
{
    std::array<uchar, 6> payload {};
    std::copy_n(payloadBytes.begin(), qMin<size_t>(payloadBytes.size(), 6), payload.begin());
    const QByteArray block = options.block && options.blockLength > 0
        ? QByteArray(reinterpret_cast<const char *>(options.block), options.blockLength)
        : QByteArray();
    const int length = int(block.size());
    const bool pause = options.pauses;
    const Rest rest = options.rest;
    const Target issued = issueTarget();
    // Device, code, block length, pause and rest tell every set slot apart.
    const quint64 mergeKey = !options.replaces
        ? 0
        : quint64(issued.device + 1) << 48 | quint64(code) << 40 | quint64(length) << 16
            | quint64(pause) << 12 | quint64(rest) << 9 | *options.replaces;
    const bool queued = commands.post(
        {[this, issued, code, payload, block, length, pause, rest] {
             QElapsedTimer began;
             began.start();
             target = issued;
             buildCommand(
                 code, {payload[0], payload[1], payload[2], payload[3], payload[4], payload[5]});
             if (length > 0)
                 std::memcpy(dataArea, block.constData(), size_t(length));
             writeTransfer(length, pause);
             if (rest == Rest::AfterTransfer)
                 fixedSleep(reportGapMs);
             else if (rest == Rest::SinceStart && began.elapsed() < reportGapMs)
                 fixedSleep(int(reportGapMs - began.elapsed()));
         },
            failLine, mergeKey});
    if (!queued)
        qDebug("%s", failLine);
}

void Hid_Thread::sendCommand(const char *failLine, uchar code, std::initializer_list<uchar> payload)
{
    sendCommand(failLine, code, payload, SendOptions());
}

bool Hid_Thread::ask(Query &query, const char *failLine)
{
    // The worker fills a copy of its own: a caller that gave up may be gone when it runs.
    auto shared = std::make_shared<Query>(query);
    const Target issued = issueTarget();
    const bool ran = commands.call(
        [this, shared, issued] {
            target = issued;
            Query &q = *shared;
            buildCommand(q.code,
                {q.payload[0], q.payload[1], q.payload[2], q.payload[3], q.payload[4],
                    q.payload[5]});
            if (!q.checksum)
                commandBuffer[8] = 0x00;
            std::memcpy(answerBuffer, q.answer, sizeof answerBuffer);
            std::memcpy(dataArea, q.data, size_t(q.dataLength));
            q.ok = readTransfer(q.dataLength);
            std::memcpy(q.answer, answerBuffer, sizeof answerBuffer);
            std::memcpy(q.data, dataArea, size_t(q.dataLength));
        },
        stallMs);
    if (!ran) {
        qDebug("%s", failLine);
        return false;
    }
    query = *shared;
    return true;
}

void Hid_Thread::stopLink()
{
    linkStarted = false;
}

void Hid_Thread::forgetDevice()
{
    stopLink();
    deviceReady = false;
}

QByteArray Hid_Thread::secrecyCode() const
{
    QMutexLocker lock(&stateLock);
    return QByteArray(reinterpret_cast<const char *>(secrecy), sizeof secrecy);
}

void Hid_Thread::releaseLink()
{
    commands.releaseWaiters();
}

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return Scrambling::checksum(cmd);
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    Scrambling::encrypt(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    Scrambling::decipher(FIFOBuf, SecrecyCode);
}

void Hid_Thread::swichCurDevice(uint did)
{
    // An index outside the list is not adopted: the current one must name an entry.
    if (int(did) != currentDevice && int(did) < devices().size()) {
        currentDevice = int(did);
        startSequence(currentDevice);
    }
    chkDeviceIsEnCode();
}

bool Hid_Thread::exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    Query query;
    query.code = 0x00;
    query.payload[0] = byte1;
    query.payload[1] = byte2;
    query.payload[2] = byte3;
    query.payload[3] = byte4;
    if (!ask(query, "cmd Failed 00"))
        return false;
    byte1 = query.answer[2];
    byte2 = query.answer[3];
    byte3 = query.answer[4];
    byte4 = query.answer[5];
    return query.ok;
}

void Hid_Thread::chkDeviceIsEnCode()
{
    const QVariant setting = linkOwner ? linkOwner->secrecyCodeSetting(currentDevice) : QVariant();
    const QString code = setting.isValid() ? setting.toString() : defaultSecrecyCode;
    if (code.size() == 6) {
        const QByteArray latin = code.toLatin1();
        QMutexLocker lock(&stateLock);
        for (int k = 0; k < 6; ++k)
            secrecy[k + 1] = uchar(latin.at(k));
    }
    const uchar sent[4] = {
        uchar(randomSource()), uchar(randomSource()), uchar(randomSource()), uchar(randomSource())};
    uchar echo[4] = {sent[0], sent[1], sent[2], sent[3]};
    // A failed read leaves the zero preset, which must not pass for an echo of four zero bytes.
    const bool answered = exchangeSecrecyCode(echo[0], echo[1], echo[2], echo[3]);
    if (answered && std::memcmp(sent, echo, sizeof sent) == 0) {
        qDebug("Device Connect");
        if (linkOwner) {
            linkOwner->startUI();
            linkOwner->enableView();
            linkOwner->clearHidBusy();
        } else {
            releaseLink();
        }
        deviceReady = true;
        if (linkOwner)
            linkOwner->deviceDetected();
        startSequence(currentDevice);
    } else {
        qDebug("Device Error");
        deviceReady = false;
        if (linkOwner)
            linkOwner->hideWindow();
    }
}

void Hid_Thread::startSequence(int did)
{
    Q_UNUSED(did);
    linkStarted = false;
    hid_03H_SetKeyboardoption(0x01, 0x0F, 0x8A, 0x4D);
    lossTold = false;
    linkStarted = true;
}

void Hid_Thread::hid_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    exchangeSecrecyCode(byte1, byte2, byte3, byte4);
}
