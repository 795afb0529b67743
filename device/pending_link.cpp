// Placeholder bodies until the link's transport and handshake are written.
#include "device/hid_thread.h"
#include "device/linkflags.h"
#include "device/linkowner.h"

Hid_Thread::Hid_Thread(QObject *parent)
    : QThread(parent)
{
}
Hid_Thread::~Hid_Thread() = default;

void Hid_Thread::enumerateDevices(const QList<DeviceRecord> &records)
{
    Q_UNUSED(records);
}

void Hid_Thread::stopLink()
{
    if (linkStarted)
        linkStarted = false;
}

void Hid_Thread::releaseLink() { }

void Hid_Thread::swichCurDevice(uint did)
{
    Q_UNUSED(did);
    deviceReady = false;
    if (linkOwner)
        linkOwner->hideWindow();
}
