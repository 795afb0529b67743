#include "app/devicechangewatcher.h"

// WM_DEVICECHANGE reaches the main window's nativeEvent directly.
DeviceChangeWatcher::DeviceChangeWatcher(QObject *parent)
    : QObject(parent)
{
}

DeviceChangeWatcher::~DeviceChangeWatcher() = default;
