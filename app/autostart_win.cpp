#include "app/autostart.h"

#include <QDir>
#include <QSettings>

namespace Autostart {

namespace {
const QString runKey
    = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString valueName = QStringLiteral("skelda");
} // namespace

QString location()
{
    return runKey + '\\' + valueName;
}

bool isWritten()
{
    return QSettings(runKey, QSettings::NativeFormat).contains(valueName);
}

bool write(const QString &program)
{
    QSettings run(runKey, QSettings::NativeFormat);
    run.setValue(valueName,
        '"' + QDir::toNativeSeparators(program) + QStringLiteral("\" ")
            + QLatin1String(hiddenArgument));
    run.sync();
    return run.status() == QSettings::NoError;
}

bool remove()
{
    QSettings run(runKey, QSettings::NativeFormat);
    run.remove(valueName);
    run.sync();
    return run.status() == QSettings::NoError;
}

} // namespace Autostart
