#pragma once

#include <QString>
#include <QStringList>

// Files a killed run can leave beside the settings: staging copies ("p1.bin.new"),
// the temporary files of a save or a copy ("p1.bin.Ab12Cd", "qt_temp.Ab12Cd") and
// lock files of a settings write ("p1.bin.lock").
namespace Leftovers {
inline constexpr const char *settingsFolders[]
    = {"./modules/setting", "./modules/macro", "./modules/gun"};

// True for a name only this program or Qt makes while writing settings.
bool isLeftoverName(const QString &fileName);
// Removes them from the folders; a lock still held by a running process stays.
// Returns the names removed.
QStringList clean(const QStringList &folders);
QStringList cleanSettingsFolders();
} // namespace Leftovers
