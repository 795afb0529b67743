#include "app/inputhook_linux.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QWindow>

#include "app/inputhook_xrecord_linux.h"
#include "app/inputhookmanager.h"
#include "app/inputhooktranslate.h"

namespace {
using namespace InputHookTranslate;

bool keyboardActive = false;
bool mouseActive = false;

void deliver(const WireEvent &event)
{
    switch (event.type) {
    case XKeyPress:
    case XKeyRelease:
        if (keyboardActive)
            deliverKey(event.detail, event.type == XKeyPress);
        break;
    case XButtonPress:
    case XButtonRelease:
        if (mouseActive)
            deliverButton(event.detail, event.type == XButtonPress, event.rootX, event.rootY);
        break;
    default:
        break;
    }
}

// Without global capture, at least the program's own windows are watched.
// Only the spontaneous events addressed to native windows are taken, so an
// event handed on to child widgets or to an embedded scene is seen once.
class ApplicationInputFilter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWindowType() || !event->spontaneous())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (keyboardActive) {
                const auto *key = static_cast<QKeyEvent *>(event);
                deliverKey(int(key->nativeScanCode()), event->type() == QEvent::KeyPress);
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (mouseActive) {
                const auto *mouse = static_cast<QMouseEvent *>(event);
                const QPoint at = mouse->globalPosition().toPoint();
                deliverButton(xButton(mouse->button()), event->type() == QEvent::MouseButtonPress,
                    at.x(), at.y());
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static int xButton(Qt::MouseButton button)
    {
        switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::MiddleButton:
            return 2;
        case Qt::RightButton:
            return 3;
        default:
            return 0;
        }
    }
};

XRecordCapture *recordCapture = nullptr;
QPointer<ApplicationInputFilter> applicationFilter;

bool xcbPlatform()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        && QGuiApplication::platformName() == QLatin1String("xcb");
}

bool startCapture()
{
    if (recordCapture || applicationFilter)
        return true;
    if (xcbPlatform()) {
        auto *capture = new XRecordCapture(deliver);
        if (capture->start()) {
            recordCapture = capture;
            return true;
        }
        delete capture;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    applicationFilter = new ApplicationInputFilter;
    applicationFilter->moveToThread(app->thread());
    applicationFilter->setParent(app);
    app->installEventFilter(applicationFilter);
    return true;
}

void stopCaptureWhenIdle()
{
    if (keyboardActive || mouseActive)
        return;
    delete recordCapture;
    recordCapture = nullptr;
    delete applicationFilter.data();
}
} // namespace

namespace InputHookLinux {
Capture activeCapture()
{
    if (recordCapture)
        return Capture::XRecord;
    if (applicationFilter)
        return Capture::ApplicationFilter;
    return Capture::Off;
}
} // namespace InputHookLinux

namespace InputHookPlatform {
bool installKeyboardHook()
{
    keyboardActive = startCapture();
    return keyboardActive;
}

bool installMouseHook()
{
    mouseActive = startCapture();
    return mouseActive;
}

void removeKeyboardHook()
{
    keyboardActive = false;
    stopCaptureWhenIdle();
}

void removeMouseHook()
{
    mouseActive = false;
    stopCaptureWhenIdle();
}

bool keyboardHookInstalled()
{
    return keyboardActive;
}

bool mouseHookInstalled()
{
    return mouseActive;
}

// Copy-data messages exist only on Windows.
void installCopyDataFilter() { }
} // namespace InputHookPlatform
