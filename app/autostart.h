#pragma once

#include <QString>

// The entry that starts the program hidden in the tray when the user logs in.
namespace Autostart {
// The argument that starts the program without showing its window.
inline constexpr const char *hiddenArgument = "--hidden";

bool isWritten();
// Writes or replaces the entry so that it starts program; false when it could not be written.
bool write(const QString &program);
// True when no entry is left.
bool remove();
// Where the entry is kept, for messages and tests.
QString location();
} // namespace Autostart
