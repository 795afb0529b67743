#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// What the input hook tests watch: the callbacks' reports in arrival order
// ("04+", "F0-@10,20") and a document that logs the bridge's calls.
namespace hookrecorder {

inline QStringList reports;
inline void *lastContext = nullptr;

inline void recordKey(quint8 usage, bool isDown, void *context)
{
    lastContext = context;
    reports
        << QStringLiteral("%1%2").arg(usage, 2, 16, QChar('0')).toUpper().arg(isDown ? '+' : '-');
}

inline void recordMouse(quint8 buttonCode, bool isDown, int x, int y, void *context)
{
    lastContext = context;
    reports << QStringLiteral("%1%2@%3,%4")
                   .arg(buttonCode, 2, 16, QChar('0'))
                   .toUpper()
                   .arg(isDown ? '+' : '-')
                   .arg(x)
                   .arg(y);
}

// Logs "K1:4 " for detectKeyboard(true, 4) and "M0:241@12,34 " for
// detectMouse(false, 0xF1, 12, 34).
inline const char recorderDocument[] = R"(import QtQuick
Item {
    width: 160; height: 90
    property string log: ""
    function initUI() {}
    function run() {}
    function setProtectUI(busyTime) {}
    function detectKeyboard(isDown, usage) {
        log += "K" + (isDown ? 1 : 0) + ":" + usage + " "
    }
    function detectMouse(isDown, buttonCode, x, y) {
        log += "M" + (isDown ? 1 : 0) + ":" + buttonCode + "@" + x + "," + y + " "
    }
}
)";

} // namespace hookrecorder
