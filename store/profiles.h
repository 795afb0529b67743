#pragma once

#include <QList>
#include <QPair>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

// The ten profile files, the two factory files and the keys they hold.
// Lists are stored as QSettings writes a QVariantList (comma-separated).
namespace Profiles {
inline constexpr const char *defaultProfile = "./modules/setting/pD.bin";
inline constexpr const char *standardProfile = "./modules/setting/pD_standard.bin";
inline constexpr int count = 10;
inline constexpr int buttonCount = 16;
inline constexpr int keyboardKeyCount = 126;

namespace Key {
inline constexpr const char *scrollSwap = "keydefine_Z5/scrollswap";
inline constexpr const char *reportRate = "sensor/reportRate_Z5";
inline constexpr const char *dpiValues = "sensor/dpi_Z5";
inline constexpr const char *dpiStage = "sensor/stage_Z5";
inline constexpr const char *dpiSelect = "sensor/dpi_Select";
inline constexpr const char *cursorSpeed = "sensor/cursorSpeed_Z5";
inline constexpr const char *scrollLines = "sensor/verticalScrollLines_Z5";
inline constexpr const char *doubleClickSpeed = "sensor/doubleClickSpeed_Z5";
inline constexpr const char *ledType = "color/ledType";
inline constexpr const char *ledEffect = "color_Z5/ledEffect";

QString buttonAssignment(int button);
QString keyboardAssignment(int key);
QString stageColors(int type);
QString color(int index);
QString userPicture(int index);
QString xySensitive(const QVariant &index);
QString selectGun(const QVariant &index);
QString macroSlot(int slot);
} // namespace Key

bool isValidNumber(int profile);
// Factory file that resetProfile copies: pD.bin for profile 0, pD_standard.bin otherwise.
QString resetSource(int profile);

// Stores the value unchanged and brings it to disk; true when the file was written.
bool write(QSettings &profile, const QString &key, const QVariant &value);
// Several values, one trip to the disk.
bool writeAll(QSettings &profile, const QList<QPair<QString, QVariant>> &values);
// Missing key: empty list.
QVariantList readList(const QSettings &profile, const QString &key);

// Flat list of the page defaults (page ids 0, 2, 3) read from the given file.
QVariantList defaultPageValues(const QString &defaultFile, int pageId);

// True when the INI file at path holds at least one key of a profile group; a
// file without any names no profile, whatever its extension.
bool holdsProfileKeys(const QString &path);

// Replaces a profile file in place (SettingsFiles::replaceAndReopen).
QSettings *replace(QSettings *current, const QString &source);
} // namespace Profiles
