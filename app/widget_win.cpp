#include "app/widget.h"

#include <windows.h>

void Widget::postRestore()
{
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
}

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    Q_UNUSED(result);
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE)
        setVisible(true);
    else if (msg->message == WM_DEVICECHANGE)
        deviceChanged();
    // Never consumed: the default handling restores a minimised window.
    return false;
}
