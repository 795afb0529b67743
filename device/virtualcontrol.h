#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class VirtualHidBackend;

// Lets another process plug and unplug the virtual device while the program runs.
// A local socket (on Linux a socket file at the given path) takes one command per
// line, "unplug", "plug" or "state", and answers each with one line: "ok", the
// state ("plugged" or "unplugged") or "unknown".
class VirtualDeviceControl : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *environmentVariable = "SKELDA_VIRTUAL_CONTROL";

    VirtualDeviceControl(std::shared_ptr<VirtualHidBackend> device, QObject *parent = nullptr);
    ~VirtualDeviceControl() override;

    bool listen(const QString &name);
    QString serverName() const;
    // The answer to one command line.
    QString run(const QString &command);

    // A control on the process's virtual device when SKELDA_VIRTUAL_CONTROL names a socket
    // and SKELDA_VIRTUAL_DEVICE chose a virtual device; null otherwise.
    static VirtualDeviceControl *startFromEnvironment(QObject *parent);

private:
    void serve();

    std::shared_ptr<VirtualHidBackend> device;
    QLocalServer *server = nullptr;
};
