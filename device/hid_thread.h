#pragma once

#include <QList>
#include <QThread>

#include "device/devicetable.h"

class LinkOwner;

// The device link. A QThread that is never started: its slots run on the
// caller's thread and a few write transfers run on the global thread pool.
class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    explicit Hid_Thread(QObject *parent = nullptr);
    ~Hid_Thread() override;

    void setOwner(LinkOwner *owner) { linkOwner = owner; }
    void enumerateDevices(const QList<DeviceRecord> &records);
    int currentDeviceId() const { return currentDevice; }
    bool isLinkStarted() const { return linkStarted; }
    void stopLink();
    void releaseLink();

public slots:
    void swichCurDevice(uint did);

private:
    LinkOwner *linkOwner = nullptr;
    QList<DeviceEntry> deviceList;
    int currentDevice = 1;
    bool linkStarted = false;
};
