#pragma once

#include <QString>
#include <QSystemTrayIcon>
#include <QVariant>

// The tray notices about the mouse and the settings, in the language of the
// application settings ("ChineseSimplified" or English for anything else).
namespace TrayNotices {
enum class Notice { MouseDetected, WaitingForMouse, MouseDisconnected, SettingsNotSaved };

struct Text
{
    QString title;
    QString text;
    QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information;
};

Text text(Notice notice, const QVariant &language);
} // namespace TrayNotices
