#include "support/readonlyfolder.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace skelda::test {

namespace {
#ifdef Q_OS_LINUX
constexpr quint32 overrideCapabilities
    = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool setOverride(bool on)
{
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    if (on)
        data[0].effective |= overrideCapabilities & data[0].permitted;
    else
        data[0].effective &= ~overrideCapabilities;
    return syscall(SYS_capset, &header, data) == 0;
}
#endif
} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString &path)
    : path(path)
    , previous(QFile::permissions(path))
{
    active = QFile::setPermissions(path,
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser
            | QFileDevice::ExeUser);
#ifdef Q_OS_LINUX
    if (active && geteuid() == 0)
        droppedOverride = setOverride(false);
#endif
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    release();
}

void ReadOnlyFolder::release()
{
    if (!active)
        return;
#ifdef Q_OS_LINUX
    if (droppedOverride)
        setOverride(true);
#endif
    QFile::setPermissions(path, previous);
    active = false;
}

} // namespace skelda::test
