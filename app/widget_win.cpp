#include "app/widget.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

#include "bridge/myqquickview.h"

namespace {
// Restore requests and device changes arrive as messages to the window.
class WindowMessages : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit WindowMessages(Widget *window)
        : QObject(window)
        , window(window)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowMessages() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        Q_UNUSED(result);
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->hwnd != reinterpret_cast<HWND>(window->bridge()->winId()))
            return false;
        if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE)
            window->setVisible(true);
        else if (msg->message == WM_DEVICECHANGE)
            window->deviceChanged();
        // Never consumed: the default handling restores a minimised window.
        return false;
    }

private:
    Widget *window;
};
} // namespace

void Widget::postRestore()
{
    PostMessageW(reinterpret_cast<HWND>(bridge()->winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
}

void Widget::watchPlatformMessages()
{
    new WindowMessages(this);
}
