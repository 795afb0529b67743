#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Paths of the settings files, relative to the working directory.
namespace SettingsFiles {
inline constexpr const char *appConfig = "./modules/setting/apConfig.bin";
inline constexpr const char *appConfigDefault = "./modules/setting/apConfigD.bin";
inline constexpr int profileCount = 10;

// Profile number n (0-based) lives in p(n+1).bin.
QString profilePath(int profile);
QSettings *openIni(const QString &path);
// A settings value read back as a list. The INI facility hands back a lone
// element as a plain string, which QVariant would split into characters.
QVariantList asList(const QVariant &value);
// True when settings already holds value under key, as the file would spell it.
bool holds(const QSettings &settings, const QString &key, const QVariant &value);
// Writes pending values to disk; true when they are in the file now. On false the
// values that did not reach the file are dropped, so settings reads what the file
// holds. Call it outside any group.
bool flush(QSettings &settings);
// Replaces target by a complete copy of source; the target stays as it was
// unless the copy succeeded.
bool replaceFile(const QString &target, const QString &source);
// Replaces the file of `current` by a copy of source and returns the settings
// object to use from now on; on failure `current` and its file stay as they were.
// A replaced object is synced first and deleted later, so it writes nothing stale.
QSettings *replaceAndReopen(QSettings *current, const QString &source);
} // namespace SettingsFiles
