#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

// Copies the built program and its data tree into `target`, so test runs leave
// the build alone. Returns what went wrong, or an empty text.
inline QString copyProgramTo(const QString &target)
{
    if (!QDir().mkpath(target))
        return QStringLiteral("cannot make ") + target;
    if (!QFile::copy(SKELDA_RUNTIME_DIR "/skelda", target + "/skelda"))
        return QStringLiteral("cannot copy the program");
    QProcess copy;
    copy.start("cp", {"-r", SKELDA_RUNTIME_DIR "/modules", target + "/"});
    if (!copy.waitForFinished() || copy.exitCode() != 0)
        return QStringLiteral("cannot copy the data tree");
    return QString();
}
