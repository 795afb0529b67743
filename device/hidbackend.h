#pragma once

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>

// One HID interface of an enumerated device.
struct HidInterfaceInfo
{
    QByteArray path;
    quint16 usagePage = 0;
    quint16 usage = 0;
};

using HidHandle = void *;

// The byte-level seam between the link and a HID implementation. The public
// calls serialise every implementation behind one process-wide lock (hidapi
// forbids enumerate/open/close from two threads at once) and trace each call
// when SKELDA_HID_TRACE names a file. Report buffers always start with the
// report id byte, exactly as hidapi takes and returns them.
class HidBackend
{
public:
    virtual ~HidBackend();

    // All interfaces of devices matching vid/pid; empty when none.
    QList<HidInterfaceInfo> enumerate(quint16 vid, quint16 pid);
    // A handle with blocking reads, or null.
    HidHandle open(const QByteArray &path);
    // Bytes sent, or -1.
    int sendFeatureReport(HidHandle handle, const uchar *data, int length);
    // data[0] holds the report id on entry; bytes received including it, or -1.
    int getFeatureReport(HidHandle handle, uchar *data, int length);
    // Bytes written, or -1.
    int write(HidHandle handle, const uchar *data, int length);
    // Bytes read (no report id byte when the device uses none), 0 on time-out, -1 on failure.
    int read(HidHandle handle, uchar *data, int length, int timeoutMs);
    void close(HidHandle handle);

    // Called, on any thread, whenever a device of this backend comes or goes, for backends
    // that know it themselves; others leave it to the system's device-change notices.
    virtual void setChangeListener(std::function<void()> listener);

    // hidapi, or the virtual device when SKELDA_VIRTUAL_DEVICE is mouse, keyboard, both
    // or none (nothing attached, so that tests never reach real hardware).
    static std::shared_ptr<HidBackend> processDefault();

protected:
    virtual QList<HidInterfaceInfo> doEnumerate(quint16 vid, quint16 pid) = 0;
    virtual HidHandle doOpen(const QByteArray &path) = 0;
    virtual int doSendFeatureReport(HidHandle handle, const uchar *data, int length) = 0;
    virtual int doGetFeatureReport(HidHandle handle, uchar *data, int length) = 0;
    virtual int doWrite(HidHandle handle, const uchar *data, int length) = 0;
    virtual int doRead(HidHandle handle, uchar *data, int length, int timeoutMs) = 0;
    virtual void doClose(HidHandle handle) = 0;
};
