#include "app/devicechangewatcher.h"

#include <QSocketNotifier>
#include <libudev.h>

struct DeviceChangeWatcher::Monitor
{
    udev *context = nullptr;
    udev_monitor *hidraw = nullptr;
    QSocketNotifier *notifier = nullptr;
};

DeviceChangeWatcher::DeviceChangeWatcher(QObject *parent)
    : QObject(parent)
    , monitor(new Monitor)
{
    monitor->context = udev_new();
    if (!monitor->context)
        return;
    monitor->hidraw = udev_monitor_new_from_netlink(monitor->context, "udev");
    // Containers often have no udev netlink; the program then runs without it.
    if (!monitor->hidraw
        || udev_monitor_filter_add_match_subsystem_devtype(monitor->hidraw, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(monitor->hidraw) < 0)
        return;
    const int fd = udev_monitor_get_fd(monitor->hidraw);
    if (fd < 0)
        return;
    monitor->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(monitor->notifier, &QSocketNotifier::activated, this, [this] {
        while (udev_device *device = udev_monitor_receive_device(monitor->hidraw)) {
            udev_device_unref(device);
            emit deviceChanged();
        }
    });
    watching = true;
}

DeviceChangeWatcher::~DeviceChangeWatcher()
{
    delete monitor->notifier;
    if (monitor->hidraw)
        udev_monitor_unref(monitor->hidraw);
    if (monitor->context)
        udev_unref(monitor->context);
    delete monitor;
}
