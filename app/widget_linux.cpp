#include "app/widget.h"

#include <QCoreApplication>

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
        auto *window = static_cast<QWidget *>(watched);
        window->setVisible(true);
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
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

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    return QWidget::nativeEvent(eventType, message, result);
}
