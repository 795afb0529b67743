#include "app/autostart.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace Autostart {

namespace {
// The user's Run key is the system's, not a settings file of ours: it is reached directly.
const wchar_t *const runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t *const valueName = L"skelda";

HKEY createRunKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(
            HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return nullptr;
    return key;
}
} // namespace

QString location()
{
    return QStringLiteral("HKEY_CURRENT_USER\\") + QString::fromWCharArray(runKey) + '\\'
        + QString::fromWCharArray(valueName);
}

bool isWritten()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    const bool found
        = RegQueryValueExW(key, valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

bool write(const QString &program)
{
    const std::wstring command = (QStringLiteral("\"") + QDir::toNativeSeparators(program)
        + QStringLiteral("\" ") + QLatin1String(hiddenArgument))
                                     .toStdWString();
    HKEY key = createRunKey();
    if (!key)
        return false;
    const DWORD bytes = DWORD((command.size() + 1) * sizeof(wchar_t));
    const bool written = RegSetValueExW(key, valueName, 0, REG_SZ,
                             reinterpret_cast<const BYTE *>(command.c_str()), bytes)
        == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

bool remove()
{
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_SET_VALUE, &key);
    if (opened != ERROR_SUCCESS)
        return opened == ERROR_FILE_NOT_FOUND;
    const LONG result = RegDeleteValueW(key, valueName);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

} // namespace Autostart
