#include "device/hidbackend.h"

#include <QMutex>
#include <QMutexLocker>

#include "device/hidapibackend.h"
#include "device/hidtrace.h"
#include "device/virtualhidbackend.h"

namespace {
QMutex &backendLock()
{
    static QMutex lock;
    return lock;
}
} // namespace

HidBackend::~HidBackend() = default;

QList<HidInterfaceInfo> HidBackend::enumerate(quint16 vid, quint16 pid)
{
    QMutexLocker lock(&backendLock());
    const QList<HidInterfaceInfo> found = doEnumerate(vid, pid);
    if (HidTrace::enabled()) {
        const QByteArray ids = QByteArray::number(vid, 16).rightJustified(4, '0') + ':'
            + QByteArray::number(pid, 16).rightJustified(4, '0');
        HidTrace::record("enumerate", ids, found.isEmpty());
    }
    return found;
}

HidHandle HidBackend::open(const QByteArray &path)
{
    QMutexLocker lock(&backendLock());
    HidHandle handle = doOpen(path);
    HidTrace::record("open", path, handle == nullptr);
    return handle;
}

int HidBackend::sendFeatureReport(HidHandle handle, const uchar *data, int length)
{
    QMutexLocker lock(&backendLock());
    const int result = handle ? doSendFeatureReport(handle, data, length) : -1;
    if (HidTrace::enabled())
        HidTrace::record("feature-out", HidTrace::hexBytes(data, length), result < 0);
    return result;
}

int HidBackend::getFeatureReport(HidHandle handle, uchar *data, int length)
{
    QMutexLocker lock(&backendLock());
    const int result = handle ? doGetFeatureReport(handle, data, length) : -1;
    if (HidTrace::enabled())
        HidTrace::record("feature-in", HidTrace::hexBytes(data, qMin(result, length)), result < 0);
    return result;
}

int HidBackend::write(HidHandle handle, const uchar *data, int length)
{
    QMutexLocker lock(&backendLock());
    const int result = handle ? doWrite(handle, data, length) : -1;
    if (HidTrace::enabled())
        HidTrace::record("out", HidTrace::hexBytes(data, length), result < 0);
    return result;
}

int HidBackend::read(HidHandle handle, uchar *data, int length, int timeoutMs)
{
    QMutexLocker lock(&backendLock());
    const int result = handle ? doRead(handle, data, length, timeoutMs) : -1;
    if (HidTrace::enabled())
        HidTrace::record("in", HidTrace::hexBytes(data, qMin(result, length)), result <= 0);
    return result;
}

void HidBackend::close(HidHandle handle)
{
    if (!handle)
        return;
    QMutexLocker lock(&backendLock());
    doClose(handle);
    HidTrace::record("close", {}, false);
}

void HidBackend::setChangeListener(std::function<void()> listener)
{
    Q_UNUSED(listener);
}

std::shared_ptr<HidBackend> HidBackend::processDefault()
{
    static const std::shared_ptr<HidBackend> chosen = []() -> std::shared_ptr<HidBackend> {
        const QString virtualDevice
            = qEnvironmentVariable("SKELDA_VIRTUAL_DEVICE").trimmed().toLower();
        if (virtualDevice == "mouse")
            return std::make_shared<VirtualHidBackend>(VirtualHidBackend::Attached::Mouse);
        if (virtualDevice == "keyboard")
            return std::make_shared<VirtualHidBackend>(VirtualHidBackend::Attached::Keyboard);
        if (virtualDevice == "both")
            return std::make_shared<VirtualHidBackend>(VirtualHidBackend::Attached::Both);
        if (virtualDevice == "none")
            return std::make_shared<VirtualHidBackend>(VirtualHidBackend::Attached::None);
        if (!virtualDevice.isEmpty())
            qWarning("SKELDA_VIRTUAL_DEVICE=%s is not mouse, keyboard, both or none; using hidapi",
                qPrintable(virtualDevice));
        return std::make_shared<HidapiBackend>();
    }();
    return chosen;
}
