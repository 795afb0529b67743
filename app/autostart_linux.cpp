#include "app/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

namespace {
// Exec quoting of desktop entries: the path in double quotes, with ", `, $ and \ escaped.
QString quotedProgram(const QString &program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    // The entry is itself a key file, which takes a backslash as an escape too.
    quoted.replace('\\', QStringLiteral("\\\\"));
    return '"' + quoted + '"';
}
} // namespace

QString location()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/com.dornak.Skelda.desktop");
}

bool isWritten()
{
    return QFileInfo::exists(location());
}

bool write(const QString &program)
{
    const QString path = location();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=DORNAK SKELDA MOUSE R740\n"
                                        "Comment=Mouse settings, waiting in the tray\n"
                                        "Exec=%1 %2\n"
                                        "Icon=com.dornak.Skelda\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(quotedProgram(program), QLatin1String(hiddenArgument));
    entry.write(text.toUtf8());
    return entry.commit();
}

bool remove()
{
    return !isWritten() || QFile::remove(location());
}

} // namespace Autostart
