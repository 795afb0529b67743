#pragma once

#include <QSettings>
#include <QString>

// Paths of the settings files, relative to the working directory.
namespace SettingsFiles {
inline constexpr const char *appConfig = "./modules/setting/apConfig.bin";
inline constexpr const char *appConfigDefault = "./modules/setting/apConfigD.bin";
inline constexpr int profileCount = 10;

// Profile number n (0-based) lives in p(n+1).bin.
QString profilePath(int profile);
QSettings *openIni(const QString &path);
// Writes pending values to disk; true when the file was written cleanly.
bool flush(QSettings &settings);
// Replaces target by a complete copy of source; the target stays as it was
// unless the copy succeeded.
bool replaceFile(const QString &target, const QString &source);
} // namespace SettingsFiles
