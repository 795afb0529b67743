#pragma once

#include <QObject>

// Reports changes of the machine's HID devices, one signal per system message.
// Where the platform delivers them as window messages, this watcher is idle.
class DeviceChangeWatcher : public QObject
{
    Q_OBJECT
public:
    explicit DeviceChangeWatcher(QObject *parent = nullptr);
    ~DeviceChangeWatcher() override;

    bool isWatching() const { return watching; }

signals:
    void deviceChanged();

private:
    struct Monitor;
    Monitor *monitor = nullptr;
    bool watching = false;
};
