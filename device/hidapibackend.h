#pragma once

#include "device/hidbackend.h"

// The system's HID devices through hidapi.
class HidapiBackend : public HidBackend
{
protected:
    QList<HidInterfaceInfo> doEnumerate(quint16 vid, quint16 pid) override;
    HidHandle doOpen(const QByteArray &path) override;
    int doSendFeatureReport(HidHandle handle, const uchar *data, int length) override;
    int doGetFeatureReport(HidHandle handle, uchar *data, int length) override;
    int doWrite(HidHandle handle, const uchar *data, int length) override;
    int doRead(HidHandle handle, uchar *data, int length, int timeoutMs) override;
    void doClose(HidHandle handle) override;
};
