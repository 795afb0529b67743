#include "app/footprint.h"

#include <QEvent>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QTimer>
#include <QWidget>

Footprint::Footprint(QWidget *window, QQuickWidget *view)
    : window(window)
    , view(view)
{
    // The scene graph goes when the window goes to the tray; it is rebuilt from the items.
    if (view)
        view->quickWindow()->setPersistentSceneGraph(false);
    window->installEventFilter(this);
}

bool Footprint::eventFilter(QObject *watched, QEvent *event)
{
    // Minimising hides nothing that a trim would free; only the tray counts.
    if (watched == window && event->type() == QEvent::Hide && !window->isMinimized())
        QTimer::singleShot(0, this, [this] {
            if (window && !window->isVisible())
                trim();
        });
    return false;
}

void Footprint::trim()
{
    ++trims;
    if (view) {
        view->engine()->collectGarbage();
        view->engine()->trimComponentCache();
        view->quickWindow()->releaseResources();
    }
    QPixmapCache::clear();
    returnFreeHeap();
}
