#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtConcurrent/QtConcurrentRun>

#include <cstring>

#include "device/hidbackend.h"
#include "device/linkflags.h"
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
    waitForPoolTransfer();
    closeCommandInterface();
}

void Hid_Thread::setBackend(std::shared_ptr<HidBackend> backend)
{
    waitForPoolTransfer();
    closeCommandInterface();
    hidBackend = std::move(backend);
}

std::shared_ptr<HidBackend> Hid_Thread::backend()
{
    if (!hidBackend)
        hidBackend = HidBackend::processDefault();
    return hidBackend;
}

void Hid_Thread::setRandomSource(std::function<quint32()> source)
{
    randomSource
        = source ? std::move(source) : [] { return QRandomGenerator::global()->generate(); };
}

void Hid_Thread::waitForPoolTransfer()
{
    // Not waitForFinished(): it would run a task not yet started on this thread.
    while (!poolTransfer.isFinished())
        QThread::msleep(1);
}

void Hid_Thread::enumerateDevices(const QList<DeviceRecord> &records)
{
    // A pool transfer may still clear a path of the list being replaced.
    waitForPoolTransfer();
    const std::shared_ptr<HidBackend> hid = backend();
    QList<DeviceEntry> entries;
    bool found = false;
    for (int i = 0; i < records.size() && !found; ++i) {
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
                currentDevice = i;
                found = true;
                break;
            }
        }
    }
    deviceList = entries;
    // The current index must name an entry; a shorter list than before means nothing was found.
    if (!found && !hasEntry(currentDevice) && !deviceList.isEmpty())
        currentDevice = int(deviceList.size()) - 1;
}

void *Hid_Thread::openCommandInterface(int did)
{
    if (!hasEntry(did) || deviceList.at(did).commandPath.isEmpty())
        return nullptr;
    closeCommandInterface();
    commandHandle = backend()->open(deviceList.at(did).commandPath.toLocal8Bit());
    if (!commandHandle)
        deviceList[did].commandPath.clear();
    return commandHandle;
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
    return hasEntry(currentDevice) ? deviceList.at(currentDevice).reportLength : 0;
}

bool Hid_Thread::acquireLink()
{
    backend();
    for (int step = 0; step < pollSteps; ++step) {
        bool expected = true;
        if (linkFree.compare_exchange_strong(expected, false))
            return true;
        QThread::msleep(pollIntervalMs);
        QCoreApplication::processEvents();
    }
    return false;
}

void Hid_Thread::quietPause()
{
    fixedSleep(pauseHalfMs);
    fixedSleep(pauseHalfMs);
}

bool Hid_Thread::writeTransfer(int dataLength, bool pause)
{
    QCoreApplication::processEvents();
    const std::shared_ptr<HidBackend> hid = backend();
    if (!openCommandInterface(currentDevice))
        return endTransfer(false);
    if (isEncode)
        USBDataEncryption(commandBuffer + 1, secrecyCode);
    if (!openCommandInterface(currentDevice)
        || hid->sendFeatureReport(commandHandle, commandBuffer, commandSize) < 0)
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
        if (!openCommandInterface(currentDevice)
            || hid->write(commandHandle, bytes, int(report.size())) < 0)
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
    if (!openCommandInterface(currentDevice))
        return endTransfer(false);
    if (isEncode)
        USBDataEncryption(commandBuffer + 1, secrecyCode);
    answerBuffer[0] = 0x00;
    if (!openCommandInterface(currentDevice)
        || hid->sendFeatureReport(commandHandle, commandBuffer, commandSize) < 0
        || !openCommandInterface(currentDevice)
        || hid->getFeatureReport(commandHandle, answerBuffer, commandSize) < 0)
        return endTransfer(false);
    if (dataLength == 0) {
        // Unscrambled while still holding the link, so no other command sees it half done.
        if (isEncode)
            USBDataDecipher(answerBuffer + 1, secrecyCode);
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
        if (!openCommandInterface(currentDevice)
            || hid->read(commandHandle, bytes, int(report.size()), readTimeoutMs) <= 0)
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
    freeLink();
    return ok;
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

void Hid_Thread::sendCommand(const char *failLine, uchar code, std::initializer_list<uchar> payload,
    const uchar *block, int blockLength, bool pause, RunOn runOn, bool sleepAfter)
{
    if (!acquireLink()) {
        qDebug("%s", failLine);
        return;
    }
    buildCommand(code, payload);
    if (block && blockLength > 0)
        std::memcpy(dataArea, block, size_t(blockLength));
    if (runOn == RunOn::Pool)
        poolTransfer = QtConcurrent::run(&Hid_Thread::writeTransfer, this, blockLength, pause);
    else
        writeTransfer(blockLength, pause);
    if (sleepAfter)
        fixedSleep(reportGapMs);
}

bool Hid_Thread::startRead(uchar code, std::initializer_list<uchar> payload)
{
    if (!acquireLink()) {
        qDebug("cmd Failed");
        return false;
    }
    buildCommand(code, payload);
    std::memset(answerBuffer, 0, sizeof answerBuffer);
    return true;
}

void Hid_Thread::stopLink()
{
    if (linkStarted)
        linkStarted = false;
}

void Hid_Thread::releaseLink()
{
    linkFree.store(true);
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
    if (int(did) != currentDevice && hasEntry(int(did))) {
        currentDevice = int(did);
        startSequence(currentDevice);
    }
    chkDeviceIsEnCode();
}

bool Hid_Thread::exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (!acquireLink()) {
        qDebug("cmd Failed 00");
        return false;
    }
    buildCommand(0x00, {byte1, byte2, byte3, byte4});
    std::memset(answerBuffer, 0, sizeof answerBuffer);
    const bool answered = readTransfer(0);
    byte1 = answerBuffer[2];
    byte2 = answerBuffer[3];
    byte3 = answerBuffer[4];
    byte4 = answerBuffer[5];
    return answered;
}

void Hid_Thread::chkDeviceIsEnCode()
{
    const QVariant setting = linkOwner ? linkOwner->secrecyCodeSetting(currentDevice) : QVariant();
    const QString code = setting.isValid() ? setting.toString() : defaultSecrecyCode;
    if (code.size() == 6) {
        const QByteArray latin = code.toLatin1();
        for (int k = 0; k < 6; ++k)
            secrecyCode[k + 1] = uchar(latin.at(k));
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
        if (linkOwner) {
            const bool chinese
                = linkOwner->language().toString() == QLatin1String("ChineseSimplified");
            linkOwner->showTrayNotice(QStringLiteral("Info"),
                chinese ? QStringLiteral("检测到鼠标!") : QStringLiteral("Detect Mouse!"));
        }
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
    if (linkStarted)
        linkStarted = false;
    hid_03H_SetKeyboardoption(0x01, 0x0F, 0x8A, 0x4D);
    linkStarted = true;
}

void Hid_Thread::hid_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    exchangeSecrecyCode(byte1, byte2, byte3, byte4);
}
