#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The macro and gun libraries: one INI file per macro or gun, named after it,
// plus the bookkeeping that ties macros to the device macro slots named in the
// profile files. Every call opens its own settings object and has written its
// changes to disk when it returns.
namespace Library {

enum class Kind { Macro, Gun };

// A user-typed name becomes a file name; names that could leave the library
// folder or cannot be a plain file name are refused by every call below.
bool isSafeName(Kind kind, const QString &name);
QString folder(Kind kind);
// The library file of the name, or an empty string when the name is refused.
QString filePath(Kind kind, const QString &name);
bool exists(Kind kind, const QString &name);

bool create(Kind kind, const QString &name, uint index);
// False when the file does not exist; otherwise replaces all action lines.
bool save(Kind kind, const QString &name, const QStringList &lines, const QVariant &repeat);
// The action lines followed by the repeat count; empty when the file is missing.
QStringList load(Kind kind, const QString &name);
QVariant index(Kind kind, const QString &name);
QVariant deviceType(Kind kind, const QString &name);
void setIndex(Kind kind, const QString &name, const QVariant &index);
void setDeviceType(Kind kind, const QString &name, const QVariant &type);
bool remove(Kind kind, const QString &name);
bool rename(Kind kind, const QString &oldName, const QString &newName);

// [index, repeat] of a macro; index is -1 unless it was set for deviceId.
QVariantList macroConfig(const QString &name, int deviceId);
void setMacroConfig(const QString &name, const QVariantList &config, int deviceId);
// The repeat count stored in a macro file, 1 when missing.
uint macroRepeat(const QString &name);

// Profile side. The profiles are the bridge's open profile files, index = profile number.
inline constexpr int profilesInUse = 6;
inline constexpr int buttonsWithMacros = 7;
inline constexpr uint macroFunction = 9;
inline constexpr uint gunFunction = 8;

// "Name" followed by the slot keys of group `group` whose value equals name.
QStringList slotsHolding(
    const QList<QSettings *> &profiles, const QString &group, const QString &name);
void renameInProfiles(
    const QList<QSettings *> &profiles, const QString &oldName, const QVariant &newName);
// The factory assignment of button 0 to 6.
QVariantList factoryAssignment(int button);
// A macro slot k was deleted: buttons playing k get their factory assignment,
// buttons playing a higher slot move down by one. The current profile is left out.
void removeMacroSlot(const QList<QSettings *> &profiles, int currentProfile, uint slot);
// The same for the buttons holding gun slot k (function code 8).
void removeGunSlot(const QList<QSettings *> &profiles, int currentProfile, uint slot);
void setMacroSlotType(
    const QList<QSettings *> &profiles, int currentProfile, uint slot, uint macroType);

} // namespace Library
