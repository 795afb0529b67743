#include "app/traynotices.h"

namespace TrayNotices {

Text text(Notice notice, const QVariant &language)
{
    const bool chinese = language.toString() == QLatin1String("ChineseSimplified");
    switch (notice) {
    case Notice::MouseDetected:
        return {QStringLiteral("Info"),
            chinese ? QStringLiteral("检测到鼠标!") : QStringLiteral("Detect Mouse!")};
    case Notice::WaitingForMouse:
        return chinese ? Text {QStringLiteral("提示"),
                   QStringLiteral("未检测到鼠标，正在等待连接。插入鼠标后将自动识别。")}
                       : Text {QStringLiteral("Info"),
                           QStringLiteral("No mouse found. Waiting for the mouse: it will be "
                                          "recognised as soon as it is plugged in.")};
    case Notice::MouseDisconnected:
        return chinese ? Text {QStringLiteral("提示"),
                   QStringLiteral("鼠标已断开连接。重新插入后，当前配置将自动恢复。")}
                       : Text {QStringLiteral("Info"),
                           QStringLiteral("The mouse was disconnected. When it is plugged in "
                                          "again, the current profile is restored on it.")};
    case Notice::SettingsNotSaved:
        return chinese
            ? Text {QStringLiteral("警告"),
                QStringLiteral("设置无法保存：设置文件夹不可写入或磁盘已满。刚才的更改未被保留，"
                               "界面显示的是已保存的设置。"),
                QSystemTrayIcon::Warning}
            : Text {QStringLiteral("Warning"),
                QStringLiteral("Settings could not be saved: the settings folder cannot be "
                               "written or the disk is full. The change was not kept; the window "
                               "shows what is saved."),
                QSystemTrayIcon::Warning};
    }
    return {};
}

} // namespace TrayNotices
