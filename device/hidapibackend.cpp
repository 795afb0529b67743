#include "device/hidapibackend.h"

#include <hidapi.h>

namespace {
hid_device *device(HidHandle handle)
{
    return static_cast<hid_device *>(handle);
}
} // namespace

QList<HidInterfaceInfo> HidapiBackend::doEnumerate(quint16 vid, quint16 pid)
{
    QList<HidInterfaceInfo> found;
    hid_device_info *list = hid_enumerate(vid, pid);
    for (hid_device_info *info = list; info; info = info->next)
        found.append({QByteArray(info->path), info->usage_page, info->usage});
    hid_free_enumeration(list);
    return found;
}

HidHandle HidapiBackend::doOpen(const QByteArray &path)
{
    hid_device *handle = hid_open_path(path.constData());
    if (handle)
        hid_set_nonblocking(handle, 0);
    return handle;
}

int HidapiBackend::doSendFeatureReport(HidHandle handle, const uchar *data, int length)
{
    return hid_send_feature_report(device(handle), data, size_t(length));
}

int HidapiBackend::doGetFeatureReport(HidHandle handle, uchar *data, int length)
{
    return hid_get_feature_report(device(handle), data, size_t(length));
}

int HidapiBackend::doWrite(HidHandle handle, const uchar *data, int length)
{
    return hid_write(device(handle), data, size_t(length));
}

int HidapiBackend::doRead(HidHandle handle, uchar *data, int length, int timeoutMs)
{
    return hid_read_timeout(device(handle), data, size_t(length), timeoutMs);
}

void HidapiBackend::doClose(HidHandle handle)
{
    hid_close(device(handle));
}
