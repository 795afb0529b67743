// Linked into every test binary: whatever the environment says, a test process
// (and every program it starts with the system environment) finds the virtual
// device or none, never a mouse plugged into the machine.
#include <QByteArray>
#include <QtGlobal>

namespace {
bool isVirtual(const QByteArray &value)
{
    const QByteArray device = value.trimmed().toLower();
    return device == "mouse" || device == "keyboard" || device == "both" || device == "none";
}

const bool guarded = [] {
    if (!isVirtual(qgetenv("SKELDA_VIRTUAL_DEVICE")))
        qputenv("SKELDA_VIRTUAL_DEVICE", "none");
    return true;
}();
} // namespace
