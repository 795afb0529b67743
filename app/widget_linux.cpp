#include "app/widget.h"

#include <QCoreApplication>

#include "bridge/myqquickview.h"

namespace {
// Stands in for the restore command that Windows posts to the window.
class RestoreEvent : public QEvent
{
public:
    static QEvent::Type eventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    RestoreEvent()
        : QEvent(eventType())
    {
    }
};

class RestoreFilter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != RestoreEvent::eventType())
            return false;
        auto *window = static_cast<Widget *>(watched);
        window->setVisible(true);
        if (window->isMinimized())
            window->showNormal();
        window->bridge()->raise();
        window->bridge()->requestActivate();
        return true;
    }
};
} // namespace

void Widget::postRestore()
{
    static const char *const filterName = "skelda-restore-filter";
    if (!findChild<QObject *>(filterName, Qt::FindDirectChildrenOnly)) {
        auto *filter = new RestoreFilter(this);
        filter->setObjectName(filterName);
        installEventFilter(filter);
    }
    QCoreApplication::postEvent(this, new RestoreEvent);
}

// Device changes come from udev (DeviceChangeWatcher), restore requests as posted events.
void Widget::watchPlatformMessages() { }
